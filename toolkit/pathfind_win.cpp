#include <windows.h>

#include <cstring>
#include <new>

#include "toolkit/diag.h"
#include "toolkit/pathfind_win.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("PATHNAME");

// The flag bits of a level's current entry.
const unsigned PATHFIND_CANDESCEND = 1;  // a folder other than "." and "..", not yet entered
const unsigned PATHFIND_ISFOLDER = 2;
const unsigned PATHFIND_DOTENTRY = 4;  // "." or ".."

struct PATHFIND_LEVEL {
    PATHNAME szFolder;  // the pattern's folder part with its separator; empty for the current folder
    PATHNAME szPattern;
    unsigned fFlags;
    PATHNAME szFullName;  // of the current entry
    PATHFIND_LEVEL* pEnclosing;
    WIN32_FIND_DATAA found;
    HANDLE hFind;
};

namespace {

// Names the entry just found and sets its flags.
void TakeEntry(PATHFIND_LEVEL* pLevel) {
    bool fOk = true;
    if (pLevel->szFolder[0])
        MFX_VERIFY(fOk = PATHNAME_Construct(pLevel->szFullName, pLevel->szFolder, pLevel->found.cFileName));
    else
        PATHNAME_Assign(pLevel->szFullName, pLevel->found.cFileName);
    const char* szName = pLevel->found.cFileName;
    const bool fFolder = pLevel->found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    const bool fDot = lstrcmpiA(szName, ".") == 0 || lstrcmpiA(szName, "..") == 0;
    pLevel->fFlags = (fFolder ? PATHFIND_ISFOLDER : 0) | (fDot ? PATHFIND_DOTENTRY : 0) |
                     (fFolder && !fDot ? PATHFIND_CANDESCEND : 0);
}

// Pushes a level for the pattern and runs its first find; on no match the level is released again.
bool PushLevel(PATHFIND* pFind, const char* szPattern) {
    PATHFIND_LEVEL* pLevel = new (std::nothrow) PATHFIND_LEVEL{};
    MFX_PRE(pLevel);
    if (!PATHNAME_GetJustPath(szPattern, pLevel->szFolder))
        pLevel->szFolder[0] = '\0';
    PATHNAME_Assign(pLevel->szPattern, szPattern);
    pLevel->pEnclosing = pFind->pNewest;
    pFind->pNewest = pLevel;
    pLevel->hFind = FindFirstFileA(pLevel->szPattern, &pLevel->found);
    if (!MFX_VERIFY(pLevel->hFind != INVALID_HANDLE_VALUE)) {
        PATHFIND_Pop(pFind);
        return false;
    }
    TakeEntry(pLevel);
    return true;
}

}  // namespace

PATHFIND::~PATHFIND() {
    PATHFIND_Destruct(this);
}

int PATHFIND_Construct(PATHFIND* pFind, const char* szPattern) {
    MFX_PRE(pFind);
    PATHFIND_Destruct(pFind);
    MFX_PRE(szPattern && szPattern[0]);
    MFX_PRE(strlen(szPattern) <= MAX_PATHNAME);
    DIAG_TraceString("PATHFIND_Construct ", "FindPath", szPattern);
    return PushLevel(pFind, szPattern);
}

int PATHFIND_Next(PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    for (;;) {
        PATHFIND_LEVEL* pLevel = pFind->pNewest;
        if (FindNextFileA(pLevel->hFind, &pLevel->found)) {
            TakeEntry(pLevel);
            return 1;
        }
        const bool fOutermost = !pLevel->pEnclosing;
        PATHFIND_Pop(pFind);
        if (fOutermost)
            return 0;
    }
}

int PATHFIND_IsFolder(const PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    return (pFind->pNewest->fFlags & PATHFIND_ISFOLDER) != 0;
}

int PATHFIND_CanDescend(const PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    return (pFind->pNewest->fFlags & PATHFIND_CANDESCEND) != 0;
}

int PATHFIND_Descend(PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    PATHFIND_LEVEL* pLevel = pFind->pNewest;
    if (!(pLevel->fFlags & PATHFIND_CANDESCEND))
        return 0;
    pLevel->fFlags &= ~PATHFIND_CANDESCEND;
    PATHNAME szNamePattern = "", szPattern = "";
    PATHNAME_GetJustName(pLevel->szPattern, szNamePattern);
    bool fOk = true;
    MFX_VERIFY(fOk = PATHNAME_Construct(szPattern, pLevel->szFullName, szNamePattern));
    return fOk && PushLevel(pFind, szPattern);
}

int PATHFIND_DescendIfFolder(PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    if (!PATHFIND_IsFolder(pFind) || !PATHFIND_CanDescend(pFind))
        return 0;
    bool fOk = true;
    return MFX_VERIFY(fOk = PATHFIND_Descend(pFind));
}

int PATHFIND_Pop(PATHFIND* pFind) {
    MFX_PRE(pFind && pFind->pNewest);
    PATHFIND_LEVEL* pLevel = pFind->pNewest;
    bool fOk = true;
    if (pLevel->hFind != INVALID_HANDLE_VALUE)
        MFX_VERIFY(fOk = FindClose(pLevel->hFind));
    pFind->pNewest = pLevel->pEnclosing;
    delete pLevel;
    return 1;
}

int PATHFIND_GetPath(const PATHFIND* pFind, char* szOut) {
    MFX_PRE(pFind && pFind->pNewest);
    MFX_PRE(szOut);
    return PATHNAME_Assign(szOut, pFind->pNewest->szFullName);
}

int PATHFIND_GetJustName(const PATHFIND* pFind, char* szOut) {
    MFX_PRE(pFind && pFind->pNewest);
    MFX_PRE(szOut);
    return PATHNAME_GetJustName(pFind->pNewest->szFullName, szOut);
}

void PATHFIND_Destruct(PATHFIND* pFind) {
    while (pFind && pFind->pNewest)
        PATHFIND_Pop(pFind);
}
