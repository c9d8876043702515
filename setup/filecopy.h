// The name rules of the engine's file copying. Portable code; the copying itself is Windows code
// (filecopy_win.h).
#pragma once

// The name a file is backed up to: its full path with the last character replaced by "!" when the file name has
// an extension (C:\APP\MAIN.EXE: C:\APP\MAIN.EX!), else followed by ".!" (C:\APP\README: C:\APP\README.!).
// 0 when the result would not fit a PATHNAME.
int FILE_MakeBackupName(const char* szPath, char* szOut);
