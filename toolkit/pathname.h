// File and folder names in a fixed 261-byte buffer, and the rules that split and join them.
//
// Backslash and slash both separate folders; the drive colon separates too where a name is split into folder
// and name. Where a separator is added it is a backslash. Names are walked character by character with the
// next-character rule, so a double-byte character whose second byte looks like a separator stays whole.
//
// Every operation returns nonzero for success and 0 for failure. A missing argument, a name not in drive form
// where one is required, and a result that would not fit a PATHNAME are precondition reports; an output that
// the operation clears first is then left empty, a name changed in place is left as it was.
//
// The name rules are portable (pathname.cpp); the file-system operations are Windows code (pathname_win.h).
#pragma once

#include "toolkit/mfx.h"

const int MAX_PATHNAME = 260;  // characters, without the terminator
typedef char PATHNAME[MAX_PATHNAME + 1];

// The rule that steps over one character of the ANSI code page: returns the start of the next character, or p
// itself at the terminator.
typedef const char* (*PATHNAME_NEXTCHAR)(const char* p);
// The platform's rule: CharNext on Windows, one byte elsewhere.
const char* PATHNAME_PlatformNextChar(const char* p);
// Installs another rule (null restores the platform's); returns the previous one.
PATHNAME_NEXTCHAR PATHNAME_SetNextChar(PATHNAME_NEXTCHAR pfnNextChar);
// Steps over one character by the installed rule, never past the terminator.
const char* PATHNAME_NextChar(const char* p);

// The platform's comparison of two texts without regard to letter case: the ANSI code page's own on Windows
// (double-byte characters whole, accented letters folded), ASCII letters byte by byte elsewhere. True when equal.
bool PATHNAME_PlatformIsSameText(const char* sz1, const char* sz2);
// Two names of the same file by the file system's rule: letter case ignored as the platform ignores it, and a
// slash equal to a backslash (stepped over by the installed rule, so a second byte of a double-byte character
// is never taken for a separator). 1 when they are the same.
int PATHNAME_IsSameName(const char* szName1, const char* szName2);
// A file (not a folder) of that name exists and can be opened.
int PATHNAME_Exists(const char* szName);
// The file system has an entry of that name: a file, a folder, or a link even when it leads nowhere. The test
// for a name that must not be written over.
int PATHNAME_FolderExists(const char* szName);

// X:\ or X:/ at the start: the form that the operations walking folder levels require.
bool PATHNAME_IsDriveForm(const char* szName);

// Joins: out = folder, a backslash unless the folder ends in one or in a slash, then name without one leading
// separator. An empty folder gives 0.
int PATHNAME_Construct(char* szOut, const char* szFolder, const char* szName);
int PATHNAME_Construct2(char* szOut, const char* szFolder, const char* szName1, const char* szName2);
// Bounded copy: at most 260 bytes and the terminator. 1.
int PATHNAME_Assign(char* szOut, const char* szSource);

// Removes the extension (from the last dot after the last separator); 0 and unchanged when there is none.
int PATHNAME_RemoveExtension(char* szName);
// The text after the extension's dot; 0 and out empty when there is no extension.
int PATHNAME_GetExtension(const char* szName, char* szOut);
// The extension with its dot.
int PATHNAME_GetDotExtension(const char* szName, char* szOut);
// Replaces the extension by ext (a leading dot is optional); 0 and unchanged when the name has none, or when
// the result would not fit a PATHNAME.
int PATHNAME_ReplaceExtension(char* szName, const char* szExt);
// out = name with its extension replaced (or name alone when it has none). 1.
int PATHNAME_ConstructWithExtension(char* szOut, const char* szName, const char* szExt);

// The part after the last colon, backslash or slash (the whole name when there is none). 1.
int PATHNAME_GetJustName(const char* szName, char* szOut);
// The name cut just after its last separator; without one, out = the whole name and the result is 0.
int PATHNAME_GetJustPath(const char* szName, char* szOut);
// The folder part without its trailing backslash (kept on a drive root).
int PATHNAME_GetJustPathNoSlash(const char* szName, char* szOut);
// out = the folder part of name followed by newname; 0 when name has no separator.
int PATHNAME_ConstructSibling(const char* szName, char* szOut, const char* szNewName);
// The same, written back into name.
int PATHNAME_ReplaceJustName(char* szName, const char* szNewName);
// 1 when the name holds a colon, backslash or slash.
int PATHNAME_HasPath(const char* szName);

// Removes a trailing backslash from a name of 4 or more characters; 0 and unchanged otherwise.
int PATHNAME_TrimLastSlash(char* szName);
// Appends a backslash unless the name is empty or ends in a separator; a name of 260 or more is refused.
int PATHNAME_AddSlash(char* szName);
// Removes root from the front of name when name begins with it exactly. 1 either way.
int PATHNAME_RemoveRoot(char* szName, const char* szRoot);

// Separators after the root X:\ (0 for a bare root).
int PATHNAME_CountFolders(const char* szName);
// The prefix of a drive-form name up to its level-th folder (level 0: the root).
int PATHNAME_GetFolderAtLevel(const char* szName, char* szOut, int nLevel);

// Owns one PATHNAME buffer.
class CPathName {
public:
    CPathName();
    CPathName(const char* szName);
    CPathName(const CPathName& other);
    virtual ~CPathName();
    CPathName& operator=(const char* szName);
    CPathName& operator=(const CPathName& other);

    // The run-time class name, "CPathName".
    virtual const char* GetRuntimeClassName() const;
    void Empty();
    operator const char*() const { return m_PathName; }

    char* m_PathName;
};
