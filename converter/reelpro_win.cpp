// The converter program's entry point.
#include <windows.h>

#include "converter/reelapp_win.h"
#include "toolkit/mfx.h"

MFX_DEFINE_STARTUP()

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR szCommandLine, int nCmdShow) {
    CReelApp app(hInstance);
    if (!app.InitInstance(szCommandLine, nCmdShow))
        return 1;
    if (app.IsEmbedded())
        return 0;
    return app.Run();
}
