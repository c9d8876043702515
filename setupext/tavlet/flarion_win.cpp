// The suite's own hook.
#include "setupext/tavlet/flarion_win.h"

#include "setupext/tavlet/netscape_win.h"
#include "setupext/tavlet/tavlet_ids.h"
#include "setupext/tavlet/tavletask_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/qtbinding_win.h"

MFX_SOURCE_MODULE("FLARION");

const char FLARION_PLUGINS[] = "Netscape PlugIns";
const char FLARION_GOLDPLUGINS[] = "Netscape Gold PlugIns";
const char FLARION_COLLECTION[] = "Flarion PlugIn";

CFlarionDLL::CFlarionDLL(HINSTANCE hInst) : CTavletDLL("Flarion Setup"), m_hInst(hInst) {}

std::string CFlarionDLL::Text(UINT id) const {
    char szText[512] = "";
    MFX_VERIFY(LoadStringA(m_hInst, id, szText, sizeof(szText)));
    return szText;
}

bool CFlarionDLL::OnLoaded(HWND hWndFocus) {
    const std::string plugins = NETSCAPE_AssociatedPlugIns();
    if (!plugins.empty()) {
        Install_SetTarget(FLARION_PLUGINS, plugins.c_str());
        Install_SetTarget(FLARION_GOLDPLUGINS, plugins.c_str());
    } else if (TAVLETASK_MessageBox(TAVLET_NONETSCAPE, hWndFocus, Text(IDS_NONETSCAPE).c_str(), m_Caption.c_str(),
                                    MB_OKCANCEL | MB_ICONSTOP) == IDCANCEL) {
        return false;
    }

    unsigned long dwVersion = 0;
    const bool fStarted = QTBINDING_Start(&dwVersion) == 0;
    if (fStarted)
        QTBINDING_Stop();
    if (!fStarted || dwVersion <= FLARION_TOOOLDQUICKTIME) {
        const std::string text = "Flarion" + Text(IDS_NOQUICKTIME);
        if (TAVLETASK_MessageBox(TAVLET_OLDQUICKTIME, hWndFocus, text.c_str(), m_Caption.c_str(),
                                 MB_OKCANCEL | MB_ICONSTOP) == IDCANCEL)
            return false;
    }
    return CTavletDLL::OnLoaded(hWndFocus);
}

bool CFlarionDLL::ResolveSpecialTarget(HWND hWnd,
                                       const char* szName,
                                       char* szDir,
                                       std::vector<std::string>& candidates) {
    const bool fGold = lstrcmpiA(szName, FLARION_GOLDPLUGINS) == 0;
    if (!fGold && lstrcmpiA(szName, FLARION_PLUGINS) != 0)
        return CTavletDLL::ResolveSpecialTarget(hWnd, szName, szDir, candidates);
    const NETSCAPE_FOLDERS folders = NETSCAPE_FindInstallations();
    const std::vector<std::string>& offered = fGold ? folders.gold : folders.all;
    if (offered.empty())
        return false;
    // The engine's directory dialog then offers the same folders.
    candidates = offered;
    std::string chosen;
    if (NETSCAPE_ChooseFolder(m_hInst, hWnd, offered, szDir, chosen) != IDOK)
        return false;
    Install_SetTarget(szName, chosen.c_str());
    lstrcpynA(szDir, chosen.c_str(), HOOKLIST_DIRSIZE);
    return true;
}

void CFlarionDLL::Selection(HOOKSELECT* aItems, int nItems) {
    for (int i = 0; i < nItems; ++i) {
        if (!aItems[i].szName || lstrcmpiA(aItems[i].szName, FLARION_COLLECTION) != 0)
            continue;
        const int nAnswer = TAVLETASK_MessageBox(TAVLET_INSTALLPLUGIN, nullptr, Text(IDS_INSTALLPLUGIN).c_str(),
                                                 m_Caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        aItems[i].fSelected = nAnswer == IDYES;
        return;
    }
}

LONG CFlarionDLL::Installed(HWND hWnd, const char* szLog) {
    PATHNAME szOurs = "", szApple = "", szRenamed = "";
    if (FindFileInTarget("NPVROON.DLL", szOurs, FLARION_PLUGINS)) {
        if (FindFileInTarget("NPQTW32.DLL", szApple, FLARION_PLUGINS)) {
            if (TAVLETASK_MessageBox(TAVLET_DISABLEAPPLE, hWnd, Text(IDS_DISABLEAPPLE).c_str(), m_Caption.c_str(),
                                     MB_YESNO | MB_ICONQUESTION) == IDYES)
                RenameWithExtension(szApple, ".OLD");
        } else if (FindFileInTarget("NPQTW32.OLD", szRenamed, FLARION_PLUGINS)) {
            // Renamed by an earlier installation: recorded again, so that this installation's removal restores it.
            PATHNAME szTrue = "";
            if (MFX_VERIFY(PATHNAME_Assign(szTrue, szRenamed) && PATHNAME_ReplaceExtension(szTrue, ".DLL")))
                m_FilesRenamed[szRenamed] = szTrue;
        }
    }
    return CTavletDLL::Installed(hWnd, szLog);
}
