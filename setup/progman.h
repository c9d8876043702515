// The Program Manager's command texts and their limits, the command line of an installed program's item, and
// the lookup of a group in the Program Manager's list of groups. Portable code; the DDE client that sends the
// commands is progman_win.h.
#pragma once

#include <string>

// Service and topic of the Program Manager's DDE interface.
extern const char PROGMAN_SERVICE[];
// The request item whose answer lists every group, one per line.
extern const char PROGMAN_GROUPS_ITEM[];
// Names, and an item's command line and title together, must be shorter than this.
const int PROGMAN_MAXNAME = 1024;

enum PROGMAN_COMMAND {
    PROGMAN_CREATEGROUP,  // group name
    PROGMAN_SHOWGROUP,    // group name
    PROGMAN_ADDITEM,      // command line, item title
    PROGMAN_DELETEITEM,   // item title
    PROGMAN_DELETEGROUP,  // group name
};

// The execute string of a command: "[CreateGroup(Demo,0)]", "[AddItem(C:\DEMO\PLAYER.EXE,Player)]". False, and
// the command left empty, outside the limits: a name of PROGMAN_MAXNAME characters or more, an item whose
// command line and title together are that long, an empty command line. szSecond is the item title of
// PROGMAN_ADDITEM and is not used by the others.
bool PROGMAN_FormatCommand(PROGMAN_COMMAND command, const char* szFirst, const char* szSecond, std::string* pCommand);

// An installed file's item command line: the directory, a backslash when it lacks one, and the name; in double
// quotes when that holds a space; then a space and the arguments when there are any.
std::string PROGMAN_ItemCommandLine(const char* szDirectory, const char* szName, const char* szArguments);

// True when the answer to the request for the groups (names separated by line ends) names the group, ignoring
// letter case as the shell's folder names do.
bool PROGMAN_GroupsListHolds(const char* szGroups, const char* szGroup);
