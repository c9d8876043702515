#include "uninstall/unevents_win.h"

#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("UNEVENTS");

const char UNEVENTS_EXPORT[] = "OVSETUP_Events";

CEventsDll::~CEventsDll() {
    Free();
}

// A bare name is looked for beside the uninstaller, where the setup engine copied the library, not wherever the
// loader's search would find a library of that name first.
bool CEventsDll::Load(const char* szName, const char* szProgramFolder) {
    MFX_PRE(szName && szName[0] && szProgramFolder);
    Free();
    DIAG_TraceString("CEventsDll::Load ", "szName", szName);
    if (PATHNAME_HasPath(szName)) {
        if (!PATHNAME_Exists(szName))
            return false;
        m_hLibrary = LoadLibraryA(szName);
        return m_hLibrary != nullptr;
    }
    PATHNAME szCurrent = "";
    PATHNAME szLibrary = "";
    MFX_PRE(PATHNAME_ConstructCurDir(szCurrent));
    MFX_PRE(PATHNAME_Construct(szLibrary, szProgramFolder, szName));
    MFX_PRE(PATHNAME_ChangeDirTo(szProgramFolder));
    if (PATHNAME_Exists(szLibrary))
        m_hLibrary = LoadLibraryA(szLibrary);
    MFX_VERIFY(PATHNAME_ChangeDirTo(szCurrent));
    return m_hLibrary != nullptr;
}

bool CEventsDll::UnInstallTime(HWND hWnd, const char* szLogFile) {
    MFX_PRE(m_hLibrary && szLogFile);
    const auto pfnEvents =
        reinterpret_cast<OVSETUP_EVENTS>(reinterpret_cast<void*>(GetProcAddress(m_hLibrary, UNEVENTS_EXPORT)));
    if (!pfnEvents)
        return false;
    return pfnEvents(UNEVENTS_UNINSTALLTIME, hWnd, szLogFile, 0) != FALSE;
}

void CEventsDll::Free() {
    if (m_hLibrary)
        MFX_VERIFY(FreeLibrary(m_hLibrary));
    m_hLibrary = nullptr;
}
