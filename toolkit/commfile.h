// The folder arithmetic of the directory chooser's folder list, and the short-name rule of its new folders.
//
// The list comes in one of two forms. The platform's own shows the current folder's path one level per
// entry, the drive root first ("C:\", "A", "B" for C:\A\B\), then the current folder's sub-folders. The form
// of a directory listing (LB_DIR, as Wine's file dialog fills it) shows "[..]" for the parent and each
// sub-folder in brackets.
#pragma once

// The folder that the selected entry stands for. szCurDir: the current folder with its trailing backslash;
// nSelected: the selected entry, negative for none (the current folder itself); szFirst and szSelected: the
// texts of the first and the selected entry. out holds the folder without a trailing backslash (a drive root
// keeps its own). 0 for a current folder that is not in drive form.
int COMMFILE_FolderOfEntry(const char* szCurDir,
                           int nCount,
                           int nSelected,
                           const char* szFirst,
                           const char* szSelected,
                           char* szOut);
// True when the list has the form of a directory listing: its first entry is in brackets, or it is empty.
bool COMMFILE_IsListingForm(int nCount, const char* szFirst);

// A short name: not empty, at most 8 characters before the first dot and at most 3 after it, and none of the
// characters that a file name cannot hold (so no separator takes the folder elsewhere).
bool NEWDIR_IsValidName(const char* szName);
