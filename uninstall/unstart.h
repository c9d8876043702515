// How an uninstall run starts: its command line, the setup log it reads, and the texts it shows. Portable code.
//
// Command line: UNNSTALL.EXE [/ANSWERS=FILE] [/ANSWERLOG=FILE] [LOG]. The switches come first; everything after
// them is the log's name, blanks included (the uninstall list runs the uninstaller with the log's full path
// unquoted), in double quotes or not.
#pragma once

#include <string>

#include "toolkit/pathname.h"

extern const char UNSTART_APPTITLE[];      // "Orvanta UnInstall", the caption of the run's message boxes
extern const char UNSTART_NOLOG[];         // "Unable to locate UnInstall Log File"
extern const char UNSTART_CUSTOMITEMS[];   // "UnInstall was not able to remove some custom items."
extern const char UNSTART_USAGE[];         // the usage text shown for /? and for a switch not understood
extern const char UNSTART_LOGEXTENSION[];  // ".LOG"

// The identifiers of the run's questions and messages in a response file, and of its lines in the answer log.
extern const char UNSTART_ID_CONFIRM[];      // "UNINSTALL_CONFIRM": OK or Cancel, default OK
extern const char UNSTART_ID_SHAREDFILE[];   // "UNINSTALL_SHARED_FILE": Yes or No, default No
extern const char UNSTART_ID_CUSTOMITEMS[];  // "UNINSTALL_CUSTOM_ITEMS": OK
extern const char UNSTART_ID_NOLOG[];        // "UNINSTALL_NO_LOG": OK
extern const char UNSTART_ID_REMOVED[];      // "UNINSTALL_REMOVED": OK

struct UNSTART_COMMANDLINE {
    std::string log;        // the log argument; empty when there is none
    std::string answers;    // the response file of /ANSWERS=
    std::string answerLog;  // the answer log of /ANSWERLOG=
    bool fHelp = false;     // /? was given
    std::string bad;        // the first switch not understood, or one without its file
};

// Splits a command line (without the program's own name). False when a switch was not understood (in bad).
bool UNSTART_ParseCommandLine(const char* szCommandLine, UNSTART_COMMANDLINE* pLine);

// The log a run reads, from the log argument and the program's own file name. With an argument that names an
// existing file (seen from the current folder): the argument itself when it has a drive or folder part, else
// the file of that name beside the program, and no confirmation is asked. With an argument that names no file:
// no log. Without an argument: the program's own name with the extension ".LOG", and the user is asked.
// szLog is empty when there is no log.
int UNSTART_ChooseLog(const char* szArgument, const char* szProgram, char* szLog, bool* pfAsk);

// "This program will remove " + product + " from your computer"
std::string UNSTART_ConfirmText(const std::string& product);
// product + " was successfully removed from your computer"
std::string UNSTART_RemovedText(const std::string& product);
// The question for a shared file whose use count has run out.
std::string UNSTART_SharedFileText(const std::string& file);
// The identifier that answers the question for this one shared file: "UNINSTALL_SHARED_FILE:" + its full name.
std::string UNSTART_SharedFileId(const std::string& file);
