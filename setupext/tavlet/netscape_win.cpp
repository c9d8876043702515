// Where Netscape Navigator is installed.
#include "setupext/tavlet/netscape_win.h"

#include "setupext/tavlet/tavlet_ids.h"
#include "setupext/tavlet/tavletask_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/regkey_win.h"

MFX_SOURCE_MODULE("NETSCAPE");

const char NETSCAPE_PLUGINFILE[] = "npnul32.dll";

namespace {

const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char NAVIGATOR_KEY[] = "Software\\Netscape\\Netscape Navigator";

// A text value of the key; false (reported) when it is missing.
bool QueryValue(const CRegistryKey& key, const char* szName, std::string& text) {
    char szValue[MAX_PATH + 1] = "";
    DWORD dwType = 0, cbValue = sizeof(szValue) - 1;
    const bool fOk = REG_OK(RegQueryValueExA(key.m_hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(szValue),
                                             &cbValue)) &&
                     dwType == REG_SZ;
    if (!MFX_VERIFY(fOk))
        return false;
    text = szValue;
    return true;
}

// The folder holding the plug-in file, as a long name, when the file is there.
bool PlugInFolder(const std::string& folder, std::string& found) {
    PATHNAME szFile = "", szFolder = "";
    if (!PATHNAME_Construct(szFile, folder.c_str(), NETSCAPE_PLUGINFILE) || !PATHNAME_Exists(szFile) ||
        !PATHNAME_GetJustPathNoSlash(szFile, szFolder))
        return false;
    PATHNAME_MakeLongName(szFolder);
    found = szFolder;
    return true;
}

void FromUninstallEntries(NETSCAPE_FOLDERS& folders) {
    CRegistryKey entries;
    if (!entries.Open(HKEY_LOCAL_MACHINE) || !entries.Open(UNINSTALL_KEY))
        return;
    std::string name;
    for (DWORD i = 0; entries.EnumSubKey(i, name); ++i) {
        if (name.find("Netscape") == std::string::npos)
            continue;
        CRegistryKey entry(entries.m_hKey);
        std::string display, uninstall;
        if (!entry.Open(name.c_str()) || !QueryValue(entry, "DisplayName", display) ||
            !QueryValue(entry, "UninstallString", uninstall))
            continue;
        // The uninstall command names a file of the installation's folder.
        const std::string path = NETSCAPE_UninstallPath(uninstall);
        PATHNAME szFolder = "";
        if (path.empty() || !PATHNAME_Exists(path.c_str()) || !PATHNAME_GetJustPathNoSlash(path.c_str(), szFolder))
            continue;
        PATHNAME szPlugIns = "";
        std::string found;
        if (PlugInFolder(szFolder, found) ||
            (PATHNAME_Construct(szPlugIns, szFolder, "Program\\PlugIns") && PlugInFolder(szPlugIns, found)))
            NETSCAPE_Add(&folders, found, display.find("Gold") != std::string::npos);
    }
}

void FromNavigatorKeys(NETSCAPE_FOLDERS& folders) {
    CRegistryKey versions;
    if (!versions.Open(HKEY_LOCAL_MACHINE) || !versions.Open(NAVIGATOR_KEY))
        return;
    std::string name;
    for (DWORD i = 0; versions.EnumSubKey(i, name); ++i) {
        CRegistryKey main(versions.m_hKey);
        std::string folder, found;
        if (!main.Open((name + "\\Main").c_str()) || !QueryValue(main, "Plugins Directory", folder))
            continue;
        PATHNAME szFolder = "";
        PATHNAME_Assign(szFolder, folder.c_str());
        PATHNAME_TrimLastSlash(szFolder);
        if (PATHNAME_FolderExists(szFolder) && PlugInFolder(szFolder, found))
            NETSCAPE_Add(&folders, found, false);
    }
}

struct CHOICE {
    const std::vector<std::string>* pFolders;
    const char* szPreselect;
    std::string chosen;
};

INT_PTR CALLBACK ChooseProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CHOICE* pChoice = reinterpret_cast<CHOICE*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (uMsg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        pChoice = reinterpret_cast<CHOICE*>(lParam);
        LRESULT nSelect = 0;
        for (const std::string& folder : *pChoice->pFolders) {
            LRESULT nItem = SendDlgItemMessageA(hDlg, IDC_FOLDERS, LB_ADDSTRING, 0,
                                                reinterpret_cast<LPARAM>(folder.c_str()));
            if (pChoice->szPreselect && lstrcmpiA(folder.c_str(), pChoice->szPreselect) == 0)
                nSelect = nItem;
        }
        SendDlgItemMessageA(hDlg, IDC_FOLDERS, LB_SETCURSEL, nSelect, 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            LRESULT nItem = SendDlgItemMessageA(hDlg, IDC_FOLDERS, LB_GETCURSEL, 0, 0);
            if (nItem < 0 || static_cast<size_t>(nItem) >= pChoice->pFolders->size())
                return TRUE;  // Next needs a folder
            pChoice->chosen = (*pChoice->pFolders)[nItem];
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL:
        case IDC_BACK:
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

NETSCAPE_FOLDERS NETSCAPE_FindInstallations() {
    NETSCAPE_FOLDERS folders;
    FromUninstallEntries(folders);
    FromNavigatorKeys(folders);
    return folders;
}

std::string NETSCAPE_AssociatedPlugIns() {
    CRegistryKey markup("NetscapeMarkup");
    CRegistryKey classes("CLSID");
    std::string clsid, server;
    if (!markup.IsOpen() || !markup.QueryString("CLSID", clsid) || !classes.IsOpen() ||
        !classes.QueryString((clsid + "\\LocalServer32").c_str(), server))
        return std::string();
    PATHNAME szFolder = "", szPlugIns = "";
    if (!PATHNAME_GetJustPathNoSlash(NETSCAPE_ProgramOf(server).c_str(), szFolder) ||
        !PATHNAME_Construct(szPlugIns, szFolder, "PLUGINS") || !PATHNAME_FolderExists(szPlugIns))
        return std::string();
    return szPlugIns;
}

int NETSCAPE_ChooseFolder(HINSTANCE hInst,
                          HWND hWndParent,
                          const std::vector<std::string>& folders,
                          const char* szPreselect,
                          std::string& chosen) {
    char szAnswer[MAX_PATH + 1] = "";
    lstrcpynA(szAnswer, szPreselect && szPreselect[0] ? szPreselect : folders.front().c_str(), sizeof(szAnswer));
    if (int nAnswer = TAVLETASK_Answer(TAVLET_NETSCAPEFOLDER, MB_OKCANCEL, szAnswer, sizeof(szAnswer))) {
        chosen = szAnswer;
        return nAnswer == IDOK && chosen.empty() ? IDCANCEL : nAnswer;
    }
    CHOICE choice = {&folders, szPreselect, std::string()};
    INT_PTR nResult = DialogBoxParamA(hInst, IDD_NETSCAPE_FOLDER, hWndParent, ChooseProc,
                                      reinterpret_cast<LPARAM>(&choice));
    MFX_VERIFY(nResult != -1);
    chosen = choice.chosen;
    TAVLETASK_Answered(TAVLET_NETSCAPEFOLDER, static_cast<int>(nResult), chosen.c_str());
    return nResult == IDOK ? IDOK : nResult == IDC_BACK ? IDC_BACK : IDCANCEL;
}
