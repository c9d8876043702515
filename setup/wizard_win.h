// The wizard: the fixed sequence of the run's questions between the hook library's screens, from the
// destination to the directories, walked forward and back. Windows code.
#pragma once

#include "setup/engine_win.h"

enum WIZARD_STATE {
    WIZARD_SCREEN0 = 0,
    WIZARD_INSTALL_TO = 1,
    WIZARD_SCREEN1 = 2,
    WIZARD_CHOOSE = 3,
    WIZARD_SCREEN2 = 4,
    WIZARD_DIRECTORIES = 5,
    WIZARD_SCREEN3 = 6,
    WIZARD_INSTALL = 7,
    WIZARD_LEAVE = 8,
};

enum WIZARD_RESULT { WIZARD_FAILED = 0, WIZARD_DOINSTALL = 1, WIZARD_LEFT = 2 };

// Runs from nState in the direction fForward until the run installs, leaves or fails.
int WIZARD_Run(SETUPENGINE* pEngine, int nState, bool fForward);

// The steps' dialogs (wizarddlg_win.cpp). Each returns the state that follows.
// "SETUP_INSTALL_TO": Continue validates the folder, makes it target 1's and moves the targets below it.
int WIZARD_InstallTo(SETUPENGINE* pEngine);
// "SETUP_CHOOSE" (or the complete type at once for a design without it).
int WIZARD_Choose(SETUPENGINE* pEngine);
// The directory step: the targets' defaults the first time, then "SETUP_RESOLVE" for each target the user
// must settle, forward or back.
int WIZARD_Directories(SETUPENGINE* pEngine, bool fForward);
// The target passes the check of its directory: a valid path, and an existing folder when it must exist.
bool WIZARD_TargetPasses(const TARGET* pTarget);
// The space check over a selection, with the message for the first drive short of space; true when it passes.
bool WIZARD_CheckSpace(SETUPENGINE* pEngine, const SELECTION& selection, HWND hWnd);
