// The file-system operations on path names (Windows): current folder, existence, folders, renames, dates,
// sizes, free space, module folders, copying, starting programs, walking files and long names.
//
// Every operation returns nonzero for success and 0 for failure, as the name rules do.
#pragma once

#include <cstdint>

#include "toolkit/pathname.h"

// The process's current folder with a trailing separator.
int PATHNAME_ConstructCurDir(char* szOut);
// Makes the folder (and its drive) current.
int PATHNAME_ChangeDirTo(const char* szFolder);
int PATHNAME_CreateFolder(const char* szName);
int PATHNAME_RemoveFolder(const char* szName);
int PATHNAME_Remove(const char* szName);
int PATHNAME_Rename(const char* szOld, const char* szNew);
// Renames the file to newname in its own folder.
int PATHNAME_RenameJustName(const char* szName, const char* szNewName);
// Renames the file to its own name with another extension.
int PATHNAME_RenameExtension(const char* szName, const char* szNewExt);
// The last-write time in FAT form: DOS date in the high 16 bits, DOS time in the low 16 bits.
int PATHNAME_GetDateTime(const char* szName, uint32_t* pdwDateTime);
int PATHNAME_SetDateTime(const char* szName, uint32_t dwDateTime);
// File size in bytes, 0 when the file cannot be opened.
int32_t PATHNAME_GetSize(const char* szName);
// Free bytes on the drive of a drive-form name. The 32-bit count wraps above 4 GB; the 64-bit one does not.
int PATHNAME_GetFreeSpace(const char* szName, uint32_t* pdwDiskFree);
int PATHNAME_GetFreeSpace64(const char* szName, uint64_t* pqwDiskFree);
// The folder of a module's file, with and without its trailing separator, and a file in that folder.
int PATHNAME_ConstructModulePath(char* szOut, MFX_HMODULE hModule);
int PATHNAME_ConstructModuleFile(char* szOut, MFX_HMODULE hModule, const char* szName);
int PATHNAME_GetModulePathNoSlash(char* szOut, MFX_HMODULE hModule);
// Copies the file's bytes (not its date) in 16,384-byte blocks.
int PATHNAME_Copy(const char* szSource, const char* szDestination);
// Starts a program with WinExec from the folder part of the working-folder argument (so a folder is given
// with its trailing separator), or from the program's own folder when none is given; that folder stays
// current. nShow is a ShowWindow state.
int PATHNAME_Execute(const char* szProgram, const char* szWorkingFolder, const char* szParameters, int nShow);
// Creates every missing folder of the chain, outermost first.
int PATHNAME_CreateAllFoldersForPath(const char* szFolder);
int PATHNAME_CreateAllFoldersForFile(const char* szFileName);
// Calls back with the full name of every file (not folder) matching the pattern; a callback result of 0 stops
// the walk and gives 0.
typedef int (*PATHNAME_FILECALLBACK)(const char* szFullName, void* pUser);
int PATHNAME_ForEachFile(const char* szPattern, PATHNAME_FILECALLBACK pfnCallback, void* pUser);
// The long form of the last component as the file system reports it.
int PATHNAME_GetLongJustName(const char* szName, char* szOut);
// Replaces every component of a drive-form name by its long form.
int PATHNAME_MakeLongName(char* szName);
