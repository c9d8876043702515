// The hook library's questions: each is first offered to the engine program's answer hook by its identifier,
// and shown to the person only when the program has no answer for it. Windows code.
#pragma once

#include <windows.h>

// The identifiers of the questions.
extern const char TAVLET_NONETSCAPE[];      // "TAVLET_NONETSCAPE": no Netscape found (OK/Cancel)
extern const char TAVLET_OLDQUICKTIME[];    // "TAVLET_OLDQUICKTIME": QuickTime missing or too old (OK/Cancel)
extern const char TAVLET_NETSCAPEFOLDER[];  // "TAVLET_NETSCAPEFOLDER": the folder dialog (OK with the folder)
extern const char TAVLET_INSTALLPLUGIN[];   // "TAVLET_INSTALLPLUGIN": install the plug-in component (Yes/No)
extern const char TAVLET_DISABLEAPPLE[];    // "TAVLET_DISABLEAPPLE": rename Apple's plug-in (Yes/No)

// The program's answer (a button, and the text in szAnswer, preset on the way in); 0 when there is none.
int TAVLETASK_Answer(const char* szId, UINT uType, char* szAnswer, int cchAnswer);
// Tells the program what the person answered.
void TAVLETASK_Answered(const char* szId, int nButton, const char* szAnswer);
// A message box answered by the program, else by the person.
int TAVLETASK_MessageBox(const char* szId, HWND hWnd, const char* szText, const char* szCaption, UINT uType);
