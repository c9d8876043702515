// The engine's side of the dialog library: every dialog, message box and bitmap of the run goes through here.
//
// The library ("parvel.dll", found by the platform's library search, the working directory first) holds the
// dialog templates. Each call uses the library's export of the same name when there is one, else the platform's
// own call with the library's template from memory, so a library with templates and no exports still works;
// without the library, message boxes are the platform's and dialogs fail after a report. Windows code.
#pragma once

#include <windows.h>

#include <commdlg.h>

extern const char DLGINT_LIBRARY[];  // "parvel.dll"

// Loads the library once; a second load while loaded is reported and keeps the loaded one. True when loaded.
bool DLGINT_LoadLibrary();
// Frees the library (at exit).
void DLGINT_FreeLibrary();
// The loaded library; null when not loaded.
HINSTANCE DLGINT_GetLibrary();

int DLGINT_MessageBox(HWND hWndOwner, LPCSTR szText, LPCSTR szCaption, UINT uType);
// -1 (after a report) when the dialog could not be run.
INT_PTR DLGINT_DialogBoxParam(HINSTANCE hInst, LPCSTR szTemplate, HWND hWndOwner, DLGPROC pfnDialog, LPARAM lParamInit);
// Null (after a report) when the dialog could not be made.
HWND DLGINT_CreateDialogParam(HINSTANCE hInst, LPCSTR szTemplate, HWND hWndOwner, DLGPROC pfnDialog, LPARAM lParamInit);
// Runs the save-file dialog (called as the platform's GetSaveFileName is); a template named in the record comes
// from the library.
BOOL WINAPI DLGINT_GetSaveFileName(OPENFILENAMEA* pOfn);
// The library's bitmap of that name, else the one of hEngine's resources; null after a report.
HBITMAP DLGINT_LoadBitmap(HINSTANCE hEngine, LPCSTR szName);
