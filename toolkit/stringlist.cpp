#include "toolkit/stringlist.h"

#include <cstring>
#include <new>

#include "toolkit/mfx.h"
#include "toolkit/strindle.h"

MFX_SOURCE_MODULE("String List");

// Each node is one ordinary heap block holding the link and the string behind it. The list keeps no private
// heap of its own: the limits, the order and the reports are what callers see, and a heap per list would only
// add a second way to lose memory.
struct STRINGLIST_NODE {
    STRINGLIST_NODE* pNext;
};

namespace {

char* TextOf(STRINGLIST_NODE* pNode) {
    return reinterpret_cast<char*>(pNode + 1);
}

const char* TextOf(const STRINGLIST_NODE* pNode) {
    return reinterpret_cast<const char*>(pNode + 1);
}

bool IsList(const STRINGLIST* pList) {
    return OBJECT_IsValid(pList, STRINGLIST) &&
           (strcmp(pList->szSignature, "STRINGLIST") == 0 || strcmp(pList->szSignature, "PATHLIST") == 0);
}

STRINGLIST* NewList(const char* szSignature, int nMaxLength) {
    MFX_PRE(nMaxLength > 0);
    STRINGLIST* pList = new (std::nothrow) STRINGLIST{};
    MFX_PRE(pList);
    strcpy(pList->szSignature, szSignature);
    pList->nMaxLength = nMaxLength;
    return pList;
}

int AppendToList(const char* szString, void* pList) {
    return STRINGLIST_Append(static_cast<STRINGLIST*>(pList), szString);
}

}  // namespace

STRINGLIST* STRINGLIST_Construct() {
    return NewList("STRINGLIST", STRINGLIST_DEFAULTMAX);
}

STRINGLIST* STRINGLIST_ConstructMax(int nMaxLength) {
    return NewList("STRINGLIST", nMaxLength);
}

STRINGLIST* STRINGLIST_CopyOf(const STRINGLIST* pList) {
    MFX_PRE(IsList(pList));
    STRINGLIST* pCopy = NewList(pList->szSignature, pList->nMaxLength);
    if (pCopy && !STRINGLIST_ForEach(pList, &AppendToList, pCopy)) {
        STRINGLIST_Destroy(pCopy);
        return nullptr;
    }
    return pCopy;
}

STRINGLIST* STRINGLIST_FromStrindle(const STRINDLE* pBlock) {
    STRINGLIST* pList = STRINGLIST_Construct();
    if (!pList)
        return nullptr;
    for (const char* sz = STRINDLE_First(pBlock); sz; sz = STRINDLE_Next(pBlock, sz)) {
        if (!STRINGLIST_Append(pList, sz)) {
            STRINGLIST_Destroy(pList);
            return nullptr;
        }
    }
    return pList;
}

int STRINGLIST_Append(STRINGLIST* pList, const char* szString) {
    MFX_PRE(IsList(pList));
    MFX_PRE(szString && szString[0]);
    const size_t cch = strlen(szString);
    MFX_PRE(cch < static_cast<size_t>(pList->nMaxLength));
    void* pBlock = ::operator new(sizeof(STRINGLIST_NODE) + cch + 1, std::nothrow);
    MFX_PRE(pBlock);
    STRINGLIST_NODE* pNode = new (pBlock) STRINGLIST_NODE{nullptr};
    memcpy(TextOf(pNode), szString, cch + 1);
    if (pList->pLast)
        pList->pLast->pNext = pNode;
    else
        pList->pFirst = pNode;
    pList->pLast = pNode;
    return 1;
}

int STRINGLIST_ForEach(const STRINGLIST* pList, STRINGLIST_CALLBACK pfnCallback, void* pUser) {
    MFX_PRE(IsList(pList));
    MFX_PRE(pfnCallback);
    for (const STRINGLIST_NODE* pNode = pList->pFirst; pNode; pNode = pNode->pNext) {
        if (!pfnCallback(TextOf(pNode), pUser))
            return 0;
    }
    return 1;
}

int STRINGLIST_GetCount(const STRINGLIST* pList) {
    MFX_PRE(IsList(pList));
    int nCount = 0;
    for (const STRINGLIST_NODE* pNode = pList->pFirst; pNode; pNode = pNode->pNext)
        ++nCount;
    return nCount;
}

int STRINGLIST_GetAt(const STRINGLIST* pList, int nIndex, char* szOut, size_t cbOut) {
    MFX_PRE(IsList(pList));
    MFX_PRE(szOut);
    MFX_PRE(cbOut > 0);
    szOut[0] = '\0';
    const STRINGLIST_NODE* pNode = pList->pFirst;
    for (int i = 0; pNode && i < nIndex; ++i)
        pNode = pNode->pNext;
    if (nIndex < 0 || !pNode)
        return 0;
    MFX_PRE(strlen(TextOf(pNode)) < cbOut);
    strcpy(szOut, TextOf(pNode));
    return 1;
}

const char* STRINGLIST_First(const STRINGLIST* pList, STRINGLIST_POSITION* pPosition) {
    MFX_PRE(IsList(pList));
    MFX_PRE(pPosition);
    *pPosition = pList->pFirst;
    return *pPosition ? TextOf(*pPosition) : nullptr;
}

const char* STRINGLIST_Next(STRINGLIST_POSITION* pPosition) {
    MFX_PRE(pPosition && *pPosition);
    *pPosition = (*pPosition)->pNext;
    return *pPosition ? TextOf(*pPosition) : nullptr;
}

int STRINGLIST_ResetContents(STRINGLIST* pList) {
    MFX_PRE(IsList(pList));
    for (STRINGLIST_NODE* pNode = pList->pFirst; pNode;) {
        STRINGLIST_NODE* pNext = pNode->pNext;
        pNode->~STRINGLIST_NODE();
        ::operator delete(pNode);
        pNode = pNext;
    }
    pList->pFirst = pList->pLast = nullptr;
    return 1;
}

void STRINGLIST_Destroy(STRINGLIST* pList) {
    if (!STRINGLIST_ResetContents(pList))
        return;
    pList->szSignature[0] = '\0';
    delete pList;
}

STRINGLIST* PATHLIST_Construct() {
    return NewList("PATHLIST", MAX_PATHNAME + 1);
}

int PATHLIST_AtGet(const STRINGLIST* pList, int nIndex, char* szOut) {
    return STRINGLIST_GetAt(pList, nIndex, szOut, sizeof(PATHNAME));
}

void PATHLIST_Destroy(STRINGLIST* pList) {
    STRINGLIST_Destroy(pList);
}
