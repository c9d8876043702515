// Bounded operations on zero-terminated ANSI strings, stepping double-byte characters whole, and the decimal
// parser that every setting read as a number goes through.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies at most n - 1 bytes and terminates; the destination, or null for a missing argument or n of 0.
char* STRINGS_CopyN(char* szDestination, const char* szSource, size_t n);
// Appends one character to a string held in a buffer of cbBuffer bytes; 0 when it would not fit.
int STRINGS_AppendChar(char* szString, size_t cbBuffer, char ch);
// Occurrences of the character (never counting the second byte of a double-byte character).
int STRINGS_CountChar(const char* szString, char ch);
// A heap copy released by STRINGS_Free; null for a missing or empty string.
char* STRINGS_Duplicate(const char* szString);
void STRINGS_Free(char* szString);
// Upper-cases the string in place by the system's rule for the ANSI code page (letters A to Z alone where
// there is no code page to consult); returns it.
char* STRINGS_UpperCase(char* szString);
// Compares byte by byte with the letters A to Z folded to lower case, as profile keys and registry names are
// matched: negative, 0 or positive.
int STRINGS_CompareNoCase(const char* szLeft, const char* szRight);
// The first character that is not white space.
const char* STRINGS_SkipWhite(const char* szString);
// Signed decimal: white space, an optional minus, then at least one figure; text may follow the number. 0 and
// the value unchanged when there is no number or its magnitude exceeds 2,147,483,647.
int STRINGS_ToInt(const char* szText, int32_t* pnValue);
