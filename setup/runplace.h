// Where a run takes its files from: running in place on the distribution media or from a working directory
// that the bootstrap copied the engine to, the distribution directory that holds the design and helper files,
// the source root of the things, and the disks' marker files. Portable code.
#pragma once

#include "toolkit/pathname.h"

const char PLACE_DESIGNFILE[] = "setup.ini";

struct SETUPPLACE {
    char cDrive = 'a';           // the setup drive letter
    bool fInPlace = false;       // the engine runs from the media itself
    PATHNAME szWorkDir = "";     // the engine's own directory, no trailing backslash
    PATHNAME szDistribDir = "";  // the design and the helper files
    PATHNAME szSourceRoot = "";  // prefix of every distribution path; a disk prompt may change it
    PATHNAME szDesignFile = "";
};

// Decides everything from the engine's own path and the setup drive letter: in place when the path starts with
// a backslash or its drive is the setup drive (ignoring case).
int PLACE_Locate(SETUPPLACE* pSelf, const char* szEnginePath, char cDrive);
// The path with its drive letter replaced (a path without one is left as it is).
int PLACE_SetDrive(char* szPath, char cDrive);
// The source root followed by the distribution path without its drive part.
int PLACE_SourceDir(const SETUPPLACE* pSelf, const char* szDistribPath, char* szOut);
// The marker file that tells a disk is in: "disk.a" for disk 0, "disk.b" for disk 1, ...
int PLACE_DiskMarker(int nDisk, char* szOut);
