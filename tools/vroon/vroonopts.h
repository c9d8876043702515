// The command line of vroon: options, the help text and the exit codes it documents.
#pragma once

#include <string>
#include <vector>

enum VROON_MODE {
    VROON_MODE_CONVERT,
    VROON_MODE_CHECK,
    VROON_MODE_LAYOUT,
    VROON_MODE_RECOVER,
    VROON_MODE_HELP,
    VROON_MODE_VERSION,
};

// Exit status of the program.
enum VROON_EXIT {
    VROON_EXIT_OK = 0,             // every movie ends in fast-start form (or was listed)
    VROON_EXIT_FAILED = 1,         // at least one movie could not be converted, checked or listed
    VROON_EXIT_USAGE = 2,          // the command line is wrong
    VROON_EXIT_NOT_FAST_START = 3, // --check: at least one movie is not in fast-start form, none failed
};

struct VROON_OPTIONS {
    VROON_MODE mode = VROON_MODE_CONVERT;
    bool fTree = false;
    bool fClassic = false;
    bool fDropFree = false;
    bool fQuiet = false;
    bool fCopy = false;               // convert in place by copying even where an insertion would do
    std::string output;               // -o DEST, empty for in-place conversion
    std::vector<std::string> movies;
};

// Parses argv[1..]. False with a message for the user when the command line is wrong.
bool VROONOPTS_Parse(int argc, const char* const* argv, VROON_OPTIONS* pOptions, std::string* pError);

const char* VROONOPTS_HelpText();
const char* VROONOPTS_VersionText();
