// The run's start-up, in order: the directories and the design, the helper libraries and files, the design's
// message, the hook library's go-ahead, the main window and the mouse check. Windows code.
#pragma once

#include "setup/engine_win.h"

// True when the run is to go on to the wizard; false after the message that ended it (or silently when the hook
// library or the user ended it).
bool STARTUP_Run(SETUPENGINE* pEngine, const char* szEnginePath);
