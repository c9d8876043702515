// The uninstaller's entry point: the run on the setup log its command line names.
#include <windows.h>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "uninstall/unrun_win.h"

MFX_DEFINE_STARTUP()

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR szCommandLine, int) {
    PATHNAME szProgram = "";
    const DWORD cch = GetModuleFileNameA(hInstance, szProgram, sizeof(szProgram));
    if (cch == 0 || cch >= sizeof(szProgram))
        return UNRUN_NOTREMOVED;
    CUnInstall run(hInstance, szProgram);
    return run.Run(szCommandLine);
}
