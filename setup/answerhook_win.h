// The engine's end of the answer hook: the answerer and recorder the program sets, and the program's exports
// that hand them to the hook library. Windows code.
#pragma once

#include <windows.h>

#include "setup/answerhook.h"

// Null for either: questions go to the person, answers are not recorded.
void ANSWERHOOK_Set(ANSWERHOOK_ANSWER pfnAnswer, ANSWERHOOK_ANSWERED pfnAnswered);

// A message box asked by identifier: the answerer's button, else the person's through the dialog library
// (recorded).
int ANSWERHOOK_MessageBox(const char* szId, HWND hWnd, LPCSTR szText, LPCSTR szCaption, UINT uType);

extern "C" {
// The program's exports, with the signatures of answerhook.h.
__declspec(dllexport) int SETUP_Answer(const char* szId, unsigned uType, char* szAnswer, int cchAnswer);
__declspec(dllexport) void SETUP_Answered(const char* szId, int nButton, const char* szAnswer);
}
