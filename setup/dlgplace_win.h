// Places a setup dialog by its box of the design's dialog placement (see dlgplace.h). Windows code.
#pragma once

#include <windows.h>

#include "setup/design.h"

// The reference is the top-level window that owns the dialog when the placement says so (fHasBackDrop) and the
// dialog has an owner, else the screen.
void DLGBOX_Place(HWND hDlg, const DLGBOXES* pBoxes, int nIndex);
