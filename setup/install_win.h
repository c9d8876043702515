// The installation that Begin starts: the collections' directories, the write test, the product and uninstall
// records, the copy, and the setup log's end. Windows code.
#pragma once

#include "setup/engine_win.h"

enum INSTALL_RESULT {
    INSTALL_DONE = 0,          // the end of the run
    INSTALL_BACKTOWINDOW = 1,  // the customize window again
    INSTALL_STOPPED = 2,       // stopped at a disk prompt or by the user
    INSTALL_ABANDONED = 3,
};

const char INSTALL_WRITETEST[] = "dad.mom";
const char INSTALL_UNINSTALLER[] = "UNNSTALL.EXE";

int INSTALL_Run(SETUPENGINE* pEngine, HWND hWnd);
