// The unattended mode: /ANSWERS=FILE answers every question of the run from a response file (each
// unanswered one with its documented default) so that no window waits for a person; /RECORD=FILE writes such a
// file from the answers a person gave. Both keep a plain text log of every answer, written at the end into the
// setup log's folder. Windows code.
#pragma once

#include "setup/engine_win.h"

// The answer log's file name.
extern const char UNATTEND_LOGNAME[];  // "ANSWERS.LOG"

// Loads the response file and puts the answerer (and the recorder) in place. False when the response file
// cannot be read: the run then ends at once with exit status 1.
bool UNATTEND_Begin(SETUPENGINE* pEngine);
// Writes the answer log and the recorded response file; removes the answerer.
void UNATTEND_End(SETUPENGINE* pEngine, int nStatus);
