// The commands of setupdesign: compile, decompile and check. Run "setupdesign --help" for their use.
#pragma once

#include <cstdio>
#include <string>

enum DESIGNCMD_EXIT { DESIGNCMD_EXIT_OK = 0, DESIGNCMD_EXIT_FAILED = 1, DESIGNCMD_EXIT_USAGE = 2 };

// Runs one command line (argv[0] is the program); results on out, errors on err.
int DESIGNCMD_Run(int argc, const char* const* argv, FILE* out, FILE* err);

// A whole file read or written in binary; false when that fails.
bool DESIGNCMD_ReadFile(const char* szPath, std::string* pBytes);
bool DESIGNCMD_WriteFile(const char* szPath, const std::string& bytes);
