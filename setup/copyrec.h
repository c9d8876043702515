// The copy record: what the engine is about to copy, shown to the backdrop plug-in and the hook library before
// each thing, which may change the texts within their capacities or clear the copy flag. Portable code.
#pragma once

#include <cstdint>

const int COPYREC_DIRSIZE = 260;
const int COPYREC_NAMESIZE = 13;

struct COPYREC {
    char* szSourceDir;  // COPYREC_DIRSIZE bytes
    char* szDestDir;    // COPYREC_DIRSIZE bytes
    char* szFileName;   // COPYREC_NAMESIZE bytes
    int32_t fCopy;      // 1 copy, 0 skip
};
