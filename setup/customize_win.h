// The customize window: the collections to install with their sizes, the group name, the option check boxes,
// the directories, and the commands that begin the installation or go back into the wizard. It is the
// application's main window from the wizard's end to the end of the run. Windows code.
#pragma once

#include "setup/engine_win.h"

// Creates the window; the custom type shows it, the others post Begin to it at once. False when it could not be
// made.
bool CUSTOMIZE_Create(SETUPENGINE* pEngine);
// Dispatches the run's messages until the window is closed.
void CUSTOMIZE_RunLoop(SETUPENGINE* pEngine);
// The text of the bytes required.
std::string CUSTOMIZE_BytesText(int64_t nBytes);
