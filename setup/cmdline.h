// The engine's command line: the bootstrap's words ("KELPY", the setup drive, the busy cursor's first frame)
// and the unattended switches /ANSWERS=FILE and /RECORD=FILE. Portable code.
#pragma once

#include "toolkit/pathname.h"

const char CMDLINE_DEFAULTDRIVE = 'a';

struct SETUPCMDLINE {
    bool fKelpy = false;  // without it the engine refuses to run
    char cDrive = CMDLINE_DEFAULTDRIVE;
    int nCursorFrame = 1;     // 1 to 6
    bool fDebug = false;      // looked for, no effect
    PATHNAME szAnswers = "";  // empty: no response file
    PATHNAME szRecord = "";
};

// Reads the line. The switches (ignoring letter case, the file name in double quotes when it holds blanks) are
// taken out first, and the bootstrap's rules apply to the rest. 0 when a switch names no file or a name too
// long; the record then holds what was read.
int CMDLINE_Parse(SETUPCMDLINE* pSelf, const char* szCmdLine);
