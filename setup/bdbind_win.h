// The engine's side of the backdrop plug-in: loading the file the design names, calling its exports with the
// design's record, and releasing it. Each export is looked up at its call; a missing library or export makes
// the call return 0 and do nothing. The engine owns the record and its private data throughout. Windows code.
#pragma once

#include <windows.h>

#include "setup/backdrop_win.h"
#include "setup/copyrec.h"
#include "setup/design.h"

// Loads the plug-in named by the record (from the working directory) into hLibrary. True when loaded.
bool BACKDROP_LoadLibrary(BACKDROP* pSelf);
// The plug-in's window, enabled, to be the parent of the dialogs; null when there is none.
HWND BACKDROP_CallCreate(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint);
// Non-zero while nIndex names one of the plug-in's files, its name then in szName (a PATHNAME).
int BACKDROP_CallBaggageFiles(BACKDROP* pSelf, char* szName, int nIndex);
// Copies every file the plug-in names from szDistribDir into szWorkDir; false when one failed (the others are
// still copied).
bool BACKDROP_CopyBaggage(BACKDROP* pSelf, const char* szDistribDir, const char* szWorkDir);
// The plug-in's answer to an event (see backdrop_win.h).
LONG BACKDROP_CallNotifyEvent(BACKDROP* pSelf, HWND hWnd, int nEvent, int nCode, LPARAM lParam);
// Tells the plug-in what is about to be copied; true when the thing is still to be copied.
bool BACKDROP_NotifyCopying(BACKDROP* pSelf, HWND hWnd, COPYREC* pCopy);
// Frees the plug-in, releases the private data and clears the record.
void BACKDROP_Release(BACKDROP* pSelf);
