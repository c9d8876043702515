// A backdrop plug-in of ours: a plain window that calls the engine's paint function, two baggage files, and
// answers to events that show what it was told. It skips the file "skip.txt" when told it is about to be
// copied.
#include <windows.h>

#include "setup/backdrop_win.h"
#include "setup/copyrec.h"
#include "setup/design.h"

namespace {

const char STANDIN_CLASS[] = "BackdropStandIn";
HINSTANCE s_hInst = nullptr;

LRESULT CALLBACK StandInProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        auto pfnPaint = reinterpret_cast<BACKDROP_PAINTPROC>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (pfnPaint)
            pfnPaint(hWnd, &ps.hdc);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH)
        s_hInst = hInst;
    if (dwReason == DLL_PROCESS_DETACH)
        UnregisterClassA(STANDIN_CLASS, hInst);
    return TRUE;
}

// Made disabled, so that the test sees the engine enable it.
extern "C" HWND WINAPI BACKDROP_Create(BACKDROP*, BACKDROP_PAINTPROC pfnPaint) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = s_hInst;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = STANDIN_CLASS;
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA(STANDIN_CLASS, "Backdrop Stand-in", WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, 0, 320, 200,
                              nullptr, nullptr, s_hInst, nullptr);
    if (hWnd)
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pfnPaint));
    return hWnd;
}

extern "C" int WINAPI BACKDROP_BaggageFiles(BACKDROP*, char* szName, int nIndex) {
    static const char* const s_aszFiles[] = {"one.txt", "two.txt"};
    if (nIndex < 0 || nIndex >= 2)
        return 0;
    lstrcpynA(szName, s_aszFiles[nIndex], sizeof(PATHNAME));
    return 1;
}

// The event and the code, as event * 100 + code.
extern "C" LONG WINAPI BACKDROP_NotifyEvent(BACKDROP*, HWND, int nEvent, int nCode, LPARAM lParam) {
    if (nEvent == BACKDROP_COPYING) {
        COPYREC* pCopy = reinterpret_cast<COPYREC*>(lParam);
        if (lstrcmpiA(pCopy->szFileName, "skip.txt") == 0)
            pCopy->fCopy = 0;
    }
    return nEvent * 100 + nCode;
}
