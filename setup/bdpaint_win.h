// The engine's backdrop paint function, which the backdrop plug-in calls for every paint of its window: the
// design's picture and its text line. The plug-in gives no context with the call, so what to paint is set once
// for the run. Windows code.
#pragma once

#include <windows.h>

#include "setup/design.h"

// Paints these options from now on (kept by pointer: the design outlives the backdrop window) and loads the
// picture they name, its file name looked up in szDistribDir. False (after a report) when the picture is missing
// or does not load; the text is still drawn.
bool BDPAINT_Load(const EXEOBJ* pOptions, const char* szDistribDir);
// Releases the picture and forgets the options (at exit).
void BDPAINT_Release();
// The paint function: the window and the paint record, whose first member is the drawing context; returns 0.
LONG CALLBACK BDPAINT_Paint(HWND hWnd, HDC* pPaint);
