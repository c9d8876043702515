// A singly linked list of strings, each shorter than the list's maximum length, and the path list: the same
// list for PATHNAME-sized strings.
#pragma once

#include "toolkit/pathname.h"

struct STRINGLIST_NODE;
struct STRINDLE;

const int STRINGLIST_DEFAULTMAX = 1023;

struct STRINGLIST {
    char szSignature[12];  // "STRINGLIST" or "PATHLIST"
    int nMaxLength;        // strings of this length or longer are refused
    STRINGLIST_NODE* pFirst;
    STRINGLIST_NODE* pLast;
};

typedef const STRINGLIST_NODE* STRINGLIST_POSITION;
typedef int (*STRINGLIST_CALLBACK)(const char* szString, void* pUser);

STRINGLIST* STRINGLIST_Construct();
STRINGLIST* STRINGLIST_ConstructMax(int nMaxLength);
// A new list with the same maximum holding copies of all the strings in order.
STRINGLIST* STRINGLIST_CopyOf(const STRINGLIST* pList);
// A default list holding every string of the block in order.
STRINGLIST* STRINGLIST_FromStrindle(const STRINDLE* pBlock);
// Appends a copy at the end; a missing, empty or too long string is refused.
int STRINGLIST_Append(STRINGLIST* pList, const char* szString);
// Calls back with each string in order; 0 as soon as a callback answers 0.
int STRINGLIST_ForEach(const STRINGLIST* pList, STRINGLIST_CALLBACK pfnCallback, void* pUser);
int STRINGLIST_GetCount(const STRINGLIST* pList);
// Copies the string at a zero-based index into out (cbOut bytes); out stays empty beyond the end.
int STRINGLIST_GetAt(const STRINGLIST* pList, int nIndex, char* szOut, size_t cbOut);
// The first string and the ones after it; null at the end.
const char* STRINGLIST_First(const STRINGLIST* pList, STRINGLIST_POSITION* pPosition);
const char* STRINGLIST_Next(STRINGLIST_POSITION* pPosition);
// Frees every string; the list is empty.
int STRINGLIST_ResetContents(STRINGLIST* pList);
void STRINGLIST_Destroy(STRINGLIST* pList);

// A list of names of at most 260 characters.
STRINGLIST* PATHLIST_Construct();
int PATHLIST_AtGet(const STRINGLIST* pList, int nIndex, char* szOut);
void PATHLIST_Destroy(STRINGLIST* pList);
