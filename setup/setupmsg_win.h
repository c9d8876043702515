// The engine's messages as the user sees them: the text of each identifier from the string override file or
// the built-in table, in a message box with the run's caption, answered by the answer hook when the run has an
// answerer. Windows code.
#pragma once

#include <windows.h>

#include <string>

#include "setup/setupmsg.h"

// Each message is read with this buffer, so a replacement text holds at most 1023 characters.
const DWORD SETUPMSG_TEXTSIZE = 1024;
// The override file's section.
extern const char SETUPMSG_SECTION[];  // "Tamberlo"

// The full path of the string override file ("setup.txt" in the engine's directory) when the design allows
// one; null or empty: the built-in texts only.
void SETUPMSG_SetOverrideFile(const char* szPath);
// The design's caption of every message box; empty: message 1.
void SETUPMSG_SetCaption(const char* szCaption);

// The replacement text of the message's name when the override file has one, else the built-in text; empty
// (after a report) for an identifier the table lacks.
std::string SETUPMSG_GetText(int nId);
std::string SETUPMSG_GetCaption();

// Shows text, a message composed of nId's text and the variable parts, in a box with the run's caption; the
// question's identifier is nId's name. The button pressed (or the answerer's).
int SETUPMSG_Box(HWND hWnd, int nId, const std::string& text, UINT uType);
// The message nId alone.
int SETUPMSG_Show(HWND hWnd, int nId, UINT uType);
