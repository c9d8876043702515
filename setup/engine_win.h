// The installation run: one record for the whole run, from the command line to the cleanup, and the program's
// entry. The run's parts (start-up, wizard, customize window, installation, copy, cleanup) are modules of their
// own that work on this record. Windows code.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "setup/cmdline.h"
#include "setup/design.h"
#include "setup/logfile.h"
#include "setup/runplace.h"
#include "setup/selection.h"

const int ENGINE_MAXTEMPFILES = 50;

enum ENGINE_EXIT { ENGINE_EXIT_INSTALLED = 0, ENGINE_EXIT_NOTINSTALLED = 1 };

// How the run ends its Windows session after an exit action was agreed; tests put a recorder here.
typedef void (*ENGINE_LOGOFF)();

struct SETUPENGINE {
    HINSTANCE hInstance = nullptr;  // the engine's resources (cursors, cleanup helper)
    SETUPCMDLINE cmdline;
    SETUPPLACE place;
    DESIGN* pDesign = nullptr;
    CLogFile log;
    bool fLogCreated = false;
    HWND hMain = nullptr;               // the backdrop window, parent of the dialogs; null without one
    HWND hCustomize = nullptr;          // the application's main window once the wizard chose to install
    int nInstallType = INSTALL_CUSTOM;  // until the wizard chooses
    SELECTION selection;                // the collections chosen (the usable ones until the customize window exists)
    bool fCreateGroup = false;
    bool fModifyWinIni = true;
    bool fPromptOverwrite = true;
    bool fRegData = true;
    bool fTargetsDefaulted = false;                    // the directory step gave the targets their defaults
    std::vector<std::vector<std::string>> candidates;  // per target slot: the directories found for it
    std::vector<std::string> tempFiles;                // helper files copied into the working directory
    bool fInstalled = false;                           // an installation run ended successfully
    ENGINE_LOGOFF pfnLogOff = nullptr;                 // null: the platform's
};

// The whole run for a command line, as the engine at szEnginePath: the exit status.
int ENGINE_Run(HINSTANCE hInstance, const char* szEnginePath, const char* szCmdLine, ENGINE_LOGOFF pfnLogOff);
// The run's busy cursor advanced one frame (the byte copy calls it after every chunk).
void ENGINE_StepCursor();
// Dispatches the messages that wait in the queue; false when the application is to quit.
bool ENGINE_PumpMessages();
// Copies a helper file from the distribution directory into the working directory (under szAs when not null)
// and lists it for the cleanup.
bool ENGINE_CopyTempFile(SETUPENGINE* pEngine, const char* szName, const char* szAs = nullptr);
