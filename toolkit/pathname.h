// File and folder names in a fixed 261-byte buffer, and the rules that split and join them.
//
// Backslash and slash both separate folders; the drive colon separates too where a name is split into folder
// and name. Where a separator is added it is a backslash.
#pragma once

const int MAX_PATHNAME = 260;  // characters, without the terminator
typedef char PATHNAME[MAX_PATHNAME + 1];

// Removes the extension (from the last dot after the last separator); 0 and unchanged when there is none.
int PATHNAME_RemoveExtension(char* szName);
// Replaces the extension by ext (a leading dot is optional); 0 and unchanged when the name has none, or when
// the result would not fit a PATHNAME.
int PATHNAME_ReplaceExtension(char* szName, const char* szExt);
// The part after the last colon, backslash or slash (the whole name when there is none). 1.
int PATHNAME_GetJustName(const char* szName, char* szOut);
