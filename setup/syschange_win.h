// The engine's changes to the system once the files are copied, in the order the run makes them: the WIN.INI
// "load" line and file associations, the read-me, the programs to start and the AUTOEXEC.BAT PATH line. Each
// sends its hook event first; failures are told to the user with the engine's messages and the run goes on.
// Windows code.
#pragma once

#include <windows.h>

#include <string>

#include "setup/design.h"

// How the changes reach the platform; tests put recorders in place of starting programs and help.
struct SYSCHANGE_PLATFORM {
    // The WIN.INI that the profile calls change, its backup "~in.bak" beside it; by default the one of the
    // platform's Windows directory. The platform maps a file of that name to the registry, wherever it lies.
    std::string winIni;
    // Starts a command line, shown as nShow; true when started.
    bool (*pfnExecute)(const char* szCommandLine, int nShow);
    // Opens a help file at its contents.
    bool (*pfnHelp)(const char* szFile, HWND hWnd);
};
SYSCHANGE_PLATFORM& SYSCHANGE_Platform();

// The installed file of a file thing: its target's directory and its name; empty for anything else.
std::string SYSCHANGE_InstalledPath(const DESIGN* pDesign, int nThing);

// The "load" line and the associations, only when fModifyWinIni (the customize window's check box) is on:
// WIN.INI is backed up to "~in.bak" first (message 31).
void SYSCHANGE_WinIni(const DESIGN* pDesign, HWND hWnd, bool fModifyWinIni);
// Shows the design's read-me: a name whose last character is a lower-case "t" in the text editor, any other in
// the help viewer.
void SYSCHANGE_ReadMe(const DESIGN* pDesign, HWND hWnd);
// Starts every file marked to be started, each from its own folder.
void SYSCHANGE_Spawn(const DESIGN* pDesign);
// Asks to add "PATH %PATH%;" and the directory of target nAddToPATH to AUTOEXEC.BAT, and appends it.
void SYSCHANGE_AutoexecPath(const DESIGN* pDesign, HWND hWnd);
