// The setup log's file and its registry side: creating the log (extending one that is there), files copied
// (shared ones counted under SharedDLLs), and the close that registers the product for uninstall and writes the
// file. Windows code; the in-memory records are logfile.h.
//
// File format, written and read only through the profile calls: section "SETUP LOG" with the keys Product,
// UnInstallApp, UnInstallProduct, UnInstallCmdLine and UnInstallDll; one counted-list section per list
// (Folders, Files, SharedFiles, GroupsCreated, RegKeys, RegValues) and the map section IconGroups (title =
// group).
#pragma once

#include "setup/logfile.h"

extern const char LOGFILE_SECTION[];       // "SETUP LOG"
extern const char LOGFILE_SHAREDDLLS[];    // below HKEY_LOCAL_MACHINE
extern const char LOGFILE_UNINSTALLKEY[];  // below HKEY_LOCAL_MACHINE

// Sets the log's path (directory joined with the file name). When a log is there already it is read first, so a
// second installation into the same place extends it; records made before the call come after the file's.
int LOGFILE_Create(CLogFile* pLog, const char* szDirectory, const char* szFileName);
// Reads a log file into the object: its lists and its map are replaced, its texts where the file has one.
int LOGFILE_Read(CLogFile* pLog, const char* szPath);
// Destination directory joined with the name; a shared file's SharedDLLs count is raised and the file goes to
// the shared files, any other to the files. The source directory and the expanded flag change nothing.
int LOGFILE_CopiedFile(CLogFile* pLog,
                       const char* szSourceDir,
                       const char* szDestDir,
                       const char* szName,
                       bool fExpanded,
                       bool fShared);
// Registers the product under the uninstall list (when an uninstall record was set) and writes the file (when a
// path was set). Called once per installation attempt; calling it again writes everything recorded so far.
int LOGFILE_Close(CLogFile* pLog);
