// The end of the run: the exit action's question, the main window and the design released, the helper files
// and the working directory removed (when the engine ran from one), and the exit action. The working directory
// still holds the engine while it runs, so a helper program finishes its removal once the engine has ended.
// Windows code.
#pragma once

#include <windows.h>

#include "setup/engine_win.h"

// The cleanup helper's resource (RCDATA) in the engine, and its arguments: the engine's process id and the
// folder to remove once that process has ended.
extern const char CLEANUP_HELPERRESOURCE[];  // "DELME"
extern const char CLEANUP_ENGINEFILE[];      // "HAULIX.EXE"

enum CLEANUP_EXITACTION { CLEANUP_RESTART = 66, CLEANUP_REBOOT = 67 };

void CLEANUP_Run(SETUPENGINE* pEngine);
// Writes the helper from the engine's resources into the temporary folder and starts it for the folder; false
// when the engine has no helper or it could not be started.
bool CLEANUP_StartHelper(HINSTANCE hEngine, const char* szFolder);
