// Where a setup dialog goes: its placement box's anchor point in the reference window (or the screen), the
// dialog's own point put on it, and the dialog pushed back inside the screen. The arithmetic is portable; the
// placing of a window is dlgplace_win.h.
#pragma once

#include "setup/design.h"

struct DLGPLACE_RECT {
    int left;
    int top;
    int right;
    int bottom;
};

// The top-left corner of a dialog of cx by cy pixels placed by the box within rcReference, kept inside rcScreen
// on each axis (the left or top edge wins when the dialog is larger than the screen).
void DLGBOX_Position(const DLGBOX* pBox,
                     const DLGPLACE_RECT& rcReference,
                     int cx,
                     int cy,
                     const DLGPLACE_RECT& rcScreen,
                     int* px,
                     int* py);
