// The platform's open and save file dialogs in one call: the filter written with '|' between its parts, the
// chosen name in and out through a string.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <commdlg.h>

#include <string>

struct FILEDLG {
    HWND hOwner = nullptr;
    const char* szFilter = "";
    const char* szDefaultExtension = nullptr;
    const char* szInitialFolder = nullptr;
    DWORD dwFlags = 0;
    LPOFNHOOKPROC pfnHook = nullptr;  // with OFN_ENABLEHOOK
};
// Opens the dialog (the save form when fSave) with path proposed; true with the chosen name in path.
bool FILEDLG_GetFileName(const FILEDLG& dialog, bool fSave, std::string& path);
