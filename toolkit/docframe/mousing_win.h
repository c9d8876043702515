// A mouse drag tracked with the capture held by one window, in a message loop of its own.
#pragma once

#include <windows.h>

class CMouseTracker {
public:
    virtual ~CMouseTracker() = default;

    // Takes the capture for hWnd and follows the mouse from ptStart (client coordinates) until the drag ends.
    // Releasing the left button or pressing a key other than Escape ends it (true); Escape, losing the
    // capture, or another window holding the capture at the start cancel it (false). Every other message is
    // dispatched as usual.
    bool Track(HWND hWnd, POINT ptStart);

protected:
    // The pointer is at pt (client coordinates of the tracked window).
    virtual void OnMove(POINT pt) = 0;
};
