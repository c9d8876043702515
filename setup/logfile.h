// The setup log: everything one installation put on the machine, kept in memory during the run and written at
// its end as a profile file that the uninstaller reads back (logfile_win.h). Lists keep their order and their
// duplicates. The records below are portable.
#pragma once

#include <string>

#include "toolkit/pathname.h"
#include "toolkit/textlist.h"

// The log's file name when the design names none.
extern const char LOGFILE_DEFAULTNAME[];

class CLogFile {
public:
    PATHNAME m_PathName = "";  // empty until LOGFILE_Create
    CTextList m_Folders;
    CTextList m_Files;
    CTextList m_SharedFiles;
    CTextList m_GroupsCreated;
    CTextMap m_IconGroups;  // item title to its group
    CTextList m_RegKeys;    // root name, parent key path and key name, joined by backslashes
    CTextList m_RegValues;  // root name, key path and value name; carried, never added by the engine
    std::string m_Product;
    std::string m_UnInstallApp;
    std::string m_UnInstallProduct;
    std::string m_UnInstallCmdLine;
    std::string m_UnInstallDll;
};

// The records of the engine, each traced with its argument. Truth results. (Files copied, which may touch the
// registry, are recorded by LOGFILE_CopiedFile of logfile_win.h.)
int LOGFILE_SetProduct(CLogFile* pLog, const char* szProduct);
int LOGFILE_CreatedDir(CLogFile* pLog, const char* szPath);
int LOGFILE_CopiedDir(CLogFile* pLog, const char* szDestDir, const char* szName);
// The item's group, and the group among the created ones (once) when fGroupCreated is set.
int LOGFILE_CreatedIcons(CLogFile* pLog, const char* szGroup, const char* szTitle, bool fGroupCreated);
// The uninstall entry's names and the command that starts the uninstaller on this log: the uninstaller's path,
// quoted when it holds a space, a space and the log's full path.
int LOGFILE_SetUnInstall(CLogFile* pLog,
                         const char* szApp,
                         const char* szDisplayName,
                         const char* szUninstaller,
                         const char* szCallbackDll);
// The log file's full path; empty before LOGFILE_Create.
const char* LOGFILE_GetPath(const CLogFile* pLog);
// The log's file name: the design's, or LOGFILE_DEFAULTNAME for an empty one.
const char* LOGFILE_FileName(const char* szDesignLogFile);
