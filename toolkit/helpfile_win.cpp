#include "toolkit/helpfile_win.h"

#include <string>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("HLPFILE");

namespace {

PATHNAME s_szHelpFile = "";
HWND s_hDefaultWindow = nullptr;

bool Request(const char* szFile, HWND hWnd, const char* szSecondary, UINT uCommand) {
    if (!szFile) {
        MFX_PRE(s_szHelpFile[0]);
        szFile = s_szHelpFile;
    }
    if (!hWnd)
        hWnd = s_hDefaultWindow;
    MFX_PRE(szFile[0] && IsWindow(hWnd));
    std::string name = szFile;
    if (szSecondary)
        name += std::string(">") + szSecondary;
    return MFX_VERIFY(WinHelpA(hWnd, name.c_str(), uCommand, 0));
}

}  // namespace

bool HELPFILE_Register(HINSTANCE hModule) {
    MFX_PRE(hModule);
    PATHNAME szModule = "";
    const DWORD cch = GetModuleFileNameA(hModule, szModule, sizeof(szModule));
    MFX_PRE(cch > 0 && cch < sizeof(szModule));
    MFX_PRE(PATHNAME_ReplaceExtension(szModule, ".HLP"));
    PATHNAME_Assign(s_szHelpFile, szModule);
    return true;
}

void HELPFILE_Release() {
    s_szHelpFile[0] = '\0';
    s_hDefaultWindow = nullptr;
}

const char* HELPFILE_GetRegistered() {
    return s_szHelpFile;
}

bool HELPFILE_SetDefaultWindow(HWND hWnd) {
    MFX_PRE(IsWindow(hWnd));
    s_hDefaultWindow = hWnd;
    return true;
}

bool HELPFILE_Contents(const char* szFile, HWND hWnd, const char* szSecondary) {
    return Request(szFile, hWnd, szSecondary, HELP_CONTENTS);
}

bool HELPFILE_Quit(const char* szFile, HWND hWnd, const char* szSecondary) {
    return Request(szFile, hWnd, szSecondary, HELP_QUIT);
}
