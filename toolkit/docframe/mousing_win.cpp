#include "toolkit/docframe/mousing_win.h"

#include <windowsx.h>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("MOUSING");

namespace {

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

// The capture is checked after each message, since a lost capture arrives as a message sent to the window
// rather than one this loop fetches. The release is a move too: where the button goes up is where the drag
// ends.
bool CMouseTracker::Track(HWND hWnd, POINT ptStart) {
    const HWND hHolder = GetCapture();
    if (hHolder && hHolder != hWnd)
        return false;
    SetCapture(hWnd);
    if (GetCapture() != hWnd)
        return false;
    OnMove(ptStart);
    bool fEnded = false;
    for (;;) {
        MSG msg;
        const BOOL nResult = GetMessageA(&msg, nullptr, 0, 0);
        if (nResult == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the program's own loop must still see it
            break;
        }
        if (!MFX_VERIFY(nResult != -1))
            break;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
            OnMove(PointOf(msg.lParam));
        } else if (msg.message == WM_LBUTTONUP) {
            if (msg.hwnd == hWnd)
                OnMove(PointOf(msg.lParam));
            fEnded = true;
            break;
        } else if (msg.message == WM_KEYDOWN) {
            fEnded = msg.wParam != VK_ESCAPE;
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetCapture() != hWnd)
            break;
    }
    if (GetCapture() == hWnd)
        ReleaseCapture();
    return fEnded;
}
