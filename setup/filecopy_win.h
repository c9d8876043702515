// The engine's file operations: one file copied with LZ expansion (staged through "bubba.tmp" when a working
// directory is set), byte copies in 16 KB chunks with a progress callback, backups, file and directory installs
// that keep dates, the expanded-name rule of the LZ library, the in-use test and version numbers. Windows code.
#pragma once

#include <cstdint>
#include <functional>

#include "setup/design.h"

const uint32_t CHUNKSIZE = 16384;

// Called with the size of every chunk a byte copy moves; null for none.
typedef void (*FILE_PROGRESS)(uint32_t cbChunk);
void FILE_SetProgress(FILE_PROGRESS pfnProgress);
// The working directory of the staging copies; empty (the default) when running in place.
void FILE_SetWorkingDirectory(const char* szFolder);

// Expands an LZ-compressed source, copies others as they are. The destination appears whole or not at all.
int FILE_Copy(const char* szSource, const char* szDestination);
// Copies every file a loaded library names (fnName answers non-zero while its index names one, the name then in
// its 261-byte buffer) from szFromDir into szToDir; false when one failed (the others are still copied).
bool FILE_CopyBaggage(const std::function<int(char*, int)>& fnName, const char* szFromDir, const char* szToDir);
// Byte copy in CHUNKSIZE chunks, the progress callback after each; an empty source is a failure.
int FILE_Copyola(const char* szSource, const char* szDestination);

enum FILE_BACKUP {
    FILE_BACKUP_NONE = 0,
    FILE_BACKUP_OLDNOTREMOVED = 1,
    FILE_BACKUP_RENAMEFAILED = 2,
    FILE_BACKUP_DONE = 3
};
// Renames directory + name to its backup name, removing an older backup first.
int FILE_Backup(const char* szName, const char* szDirectory);

// The destination's file name replaced by the name the LZ library expands the source to.
int FILE_ExpandedName(const char* szSource, char* szDestination);
// Installs the file record's file from the source directory into the destination directory (creating it, after
// asking when fPrompt is set); a compressed source gives the record its expanded name, in lower case.
int FILE_Install(FILETYPE* pFile, const char* szSourceDir, const char* szDestDir, bool fPrompt);
// Copies the directory record's tree, every file expanded under its expanded name, dates kept with fKeepDates.
int DIR_CopyDir(const DIR* pDir, const char* szSourceDir, const char* szDestDir, bool fPrompt, bool fKeepDates);
// A directory thing through DIR_CopyDir with its dates, a file thing through FILE_Install and then the source's
// date; the result is stored in the thing.
int THING_Copy(THING* pThing, const char* szSourceDir, const char* szDestDir, bool fPrompt);

// The platform's version library says the file is in use in that directory.
bool FILE_IsInUse(const char* szDestDir, const char* szName);
// The file version's most and least significant 32-bit words; false when the file has no version resource.
bool FILE_GetVersion(const char* szPath, uint32_t* pdwMS, uint32_t* pdwLS);
