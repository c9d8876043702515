// The program's help file, shown by the platform's help engine.
//
// The help file registered at start-up is the program's own module file name with the extension ".HLP"; it
// is remembered for the process until released. Each request takes an explicit file and window or falls back
// on the registered file and the default help window.
#pragma once

#include <windows.h>

// Registers the module's help file; a missing module handle or unreadable module name is a precondition report
// and registers nothing.
bool HELPFILE_Register(HINSTANCE hModule);
void HELPFILE_Release();
// The registered help file; empty when none.
const char* HELPFILE_GetRegistered();
// The window that help requests are made for when none is given; it must be a live window.
bool HELPFILE_SetDefaultWindow(HWND hWnd);
// Asks the help engine to show the contents of the file (null: the registered one) for the window (null: the
// default help window). szSecondary names a secondary help window, passed as "file>window"; null for none.
bool HELPFILE_Contents(const char* szFile, HWND hWnd, const char* szSecondary);
// Asks the help engine to close the file, with the same argument rules.
bool HELPFILE_Quit(const char* szFile, HWND hWnd, const char* szSecondary);
