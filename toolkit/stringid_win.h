// Strings of the module's string table by number: message boxes, window texts and file-dialog filters.
// Windows code (stringid_win.cpp).
#pragma once

#include <windows.h>

// The module whose string table is read; set once at start.
void STRINGID_SetInstance(HINSTANCE hInstance);
// A message box of two strings (at most 255 characters each); its answer, or 0 when either cannot be loaded.
int STRINGID_MessageBox(HWND hWnd, UINT idText, UINT idCaption, UINT uType);
// The string in a shared buffer that the next call overwrites; empty (and reported) when it cannot be loaded.
const char* STRINGID_GetString(UINT id);
int STRINGID_SetWindowText(HWND hWnd, UINT id);
// A filter string whose bars become terminators ("Movies|*.mov|" gives "Movies\0*.mov\0\0"), in a shared
// buffer that the next call overwrites.
const char* STRINGID_GetFilter(UINT id);
