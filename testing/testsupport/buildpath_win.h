// Where a test program finds what its subsystem builds.
#pragma once

#include <string>

// The path of szName in the folder above the test program's own: a subsystem builds its libraries there, beside
// its tests folder.
std::string BUILDPATH_SubsystemFile(const char* szName);
