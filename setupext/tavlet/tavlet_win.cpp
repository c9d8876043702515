// The hook library's entry points: the engine's hook function, the library's size, and the uninstaller's
// events function.
#include <windows.h>

#include <memory>

#include "setup/hookrec.h"
#include "setupext/tavlet/flarion_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_DEFINE_STARTUP()
MFX_SOURCE_MODULE("TAVLET");

namespace {

HINSTANCE s_hInst = nullptr;
std::unique_ptr<CTavletDLL> s_pHook;

// The uninstaller's event at the time of removal.
const UINT OVSETUP_UNINSTALLTIME = 5;

// Made at the first call rather than while the library is being loaded, where the platform forbids most of
// what the standard targets need.
CTavletDLL& Hook() {
    if (!s_pHook)
        s_pHook.reset(new CFlarionDLL(s_hInst));
    return *s_pHook;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH)
        s_hInst = hInst;
    if (dwReason == DLL_PROCESS_DETACH)
        s_pHook.reset();
    return TRUE;
}

extern "C" LONG WINAPI TAVLET_Hook(UINT nEvent, WPARAM wParam, LPARAM lParam) {
    return Hook().Hook(nEvent, wParam, lParam);
}

extern "C" LONG WINAPI TAVLET_GetSize() {
    PATHNAME szFile = "";
    if (!GetModuleFileNameA(s_hInst, szFile, sizeof(szFile)) || !PATHNAME_Exists(szFile))
        return 10000;
    return PATHNAME_GetSize(szFile);
}

// The uninstaller names the library's copy beside the setup log and calls this at removal: the files that setup
// renamed go back to their names, as the hook's own uninstall event would do.
extern "C" BOOL WINAPI OVSETUP_Events(UINT nEvent, HWND hWnd, LPCSTR szLogFile, LPARAM) {
    if (nEvent != OVSETUP_UNINSTALLTIME)
        return TRUE;
    return Hook().Hook(HOOK_UNINSTALLING, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(szLogFile)) != 0;
}
