// The entry points of a backdrop plug-in, as the setup engine and the design tool call them. Every entry point
// takes the engine's backdrop record, which the engine owns: a plug-in reads it and frees nothing in it.
#pragma once

#include <windows.h>

#include "setup/design.h"
#include "setupext/orvadrop/backdrop_win.h"

extern "C" {
// Creates the backdrop window, which keeps the record and the paint function; the window, or null.
HWND WINAPI BACKDROP_Create(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint);
// Design time: gives a record without private data a zero-filled block of 100 bytes and configures it (1);
// refuses a record that already has data (0).
int WINAPI BACKDROP_Setup(BACKDROP* pSelf, HWND hWndOwner);
// The size in bytes of the plug-in's own file.
LONG WINAPI BACKDROP_GetSize(BACKDROP* pSelf);
// Names the nIndex-th file that ships with the plug-in in szName (261 bytes); 0 when there is none.
int WINAPI BACKDROP_BaggageFiles(BACKDROP* pSelf, char* szName, int nIndex);
// Tells the plug-in about an event of the run; the answer is 1.
LONG WINAPI BACKDROP_NotifyEvent(BACKDROP* pSelf, HWND hWnd, int nEvent, int nCode, LPARAM lParam);
}
