// The setup engine program, started by the bootstrap on the distribution media.
#include <windows.h>

#include "setup/engine_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_DEFINE_STARTUP()

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR szCmdLine, int) {
    PATHNAME szEngine = "";
    GetModuleFileNameA(nullptr, szEngine, sizeof(szEngine));
    return ENGINE_Run(hInstance, szEngine, szCmdLine, nullptr);
}
