// Dialog colours: every dialog and message box made on the thread while they are set is subclassed as it is
// created, so that its own background, static texts and buttons take the colours.
#pragma once

#include <windows.h>

// Dialogs and message boxes of this thread get this background and text colour from now on.
void DLGCOLOR_Set(COLORREF crBackground, COLORREF crText);
// Dialogs made from now on keep the system's colours.
void DLGCOLOR_Reset();
