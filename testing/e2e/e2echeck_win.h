// What an installation's setup log says was done, checked against the machine: files, folders, shared-file
// counts, Program Manager items (as Start Menu shortcuts) and groups, registry keys and values, the uninstall
// entry, the events library and the files the hook library renamed.
#pragma once

#include <string>
#include <vector>

#include "setup/logfile.h"

// The result of one check: what was looked at and whether it is there.
struct E2ECHECK {
    bool fOk;
    std::string what;
};

// Every record of the log read from szLogFile, checked; false when the log cannot be read.
bool E2ECHECK_Installed(const char* szLogFile, std::vector<E2ECHECK>* pChecks);

// The Start Menu shortcut of a Program Manager item (the group's folder among the user's or the common programs)
// and the program it starts with its working folder; false when there is none.
bool E2ECHECK_Shortcut(const std::string& group,
                       const std::string& title,
                       std::string* pLink,
                       std::string* pTarget,
                       std::string* pFolder);

// A file of the log's files or shared files whose name is szName (any letter case); empty when there is none.
std::string E2ECHECK_LoggedFile(const CLogFile& log, const char* szName);
