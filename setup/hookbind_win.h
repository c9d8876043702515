// The engine's side of the hook library: loading "TAVLET.DLL" from the working directory, and each event of the
// run with the engine's use of the answer. Without the library (or its export) every call answers as if the
// hook had left everything as it was. The records are the engine's and live only during the call. Windows
// code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "setup/copyrec.h"
#include "setup/design.h"
#include "setup/hookrec.h"

extern const char HOOK_LIBRARY[];  // "TAVLET.DLL"

// Loads the library from the current directory (the working directory); a load result below 33 counts as not
// loaded. True when loaded; a second load while loaded is reported and keeps the loaded one.
bool HOOK_LoadLibrary();
void HOOK_FreeLibrary();
bool HOOK_IsLoaded();

// The hook function's answer; 0 without the library or the export.
LONG HOOK_Call(UINT nEvent, WPARAM wParam, LPARAM lParam);
// Non-zero while nIndex names one of the library's files, its name then in szName (261 bytes).
int HOOK_CallBaggageFiles(char* szName, int nIndex);
// Copies every file the library names from szDistribDir into szWorkDir; false when one failed (the others are
// still copied).
bool HOOK_CopyBaggage(const char* szDistribDir, const char* szWorkDir);

// The events whose answer the engine uses.
// 368: false when the hook answers that the run is to end.
bool HOOK_Loaded(HWND hWndFocus);
// 416: the screen's HOOK_SCREENRESULT; without a hook forward goes on and back goes back.
int HOOK_Screen(int nScreen, HWND hWndParent, bool fForward);
// 96: false when the hook cleared the copy flag; the texts of the record may have changed.
bool HOOK_Copying(COPYREC* pCopy);
// 432: the target's directory, default directory and candidates as the hook supplies them. An empty directory
// is first preset to the default one.
void HOOK_DefaultTarget(HWND hWndMain, TARGET* pTarget, std::vector<std::string>& candidates);
// 433: false when the hook answers that the directory dialog is not to be shown for the target.
bool HOOK_Resolve(const char* szTarget);
// 434: true when the hook answers that its selection is to be applied to the list; afSelected (one flag per
// name) then holds it.
bool HOOK_Selection(const std::vector<std::string>& names, std::vector<bool>& afSelected);

// The events whose answer the engine ignores.
void HOOK_DesignRead(HFILE hFile);                        // 48
void HOOK_DirectoryCreated(const char* szDirectory);      // 80
void HOOK_MakingGroup(const char* szGroup);               // 112
void HOOK_Installed(HWND hWndProgress, const char* szLog);  // 288
void HOOK_Finished(bool fSuccess);                        // 304
void HOOK_Left();                                         // 336
void HOOK_DialogOpened(int nDialog, HWND hDlg);           // 400, nDialog a HOOK_DIALOG
