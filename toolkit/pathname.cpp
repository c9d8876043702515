#include "toolkit/pathname.h"

#include <cstring>
#include <new>
#include <string>

MFX_SOURCE_MODULE("PATHNAME");

namespace {

PATHNAME_NEXTCHAR s_pfnNextChar = nullptr;

bool IsSlash(char ch) {
    return ch == '\\' || ch == '/';
}

bool IsSeparator(char ch) {
    return IsSlash(ch) || ch == ':';
}

// The start of the last character, or null for an empty name.
const char* FindLastChar(const char* szName) {
    const char* pLast = nullptr;
    for (const char* p = szName; *p; p = PATHNAME_NextChar(p))
        pLast = p;
    return pLast;
}

bool EndsInSlash(const char* szName) {
    const char* pLast = FindLastChar(szName);
    return pLast && IsSlash(*pLast);
}

// The position just after the last separator: where the name part begins.
const char* FindJustName(const char* szName) {
    const char* pJustName = szName;
    for (const char* p = szName; *p; p = PATHNAME_NextChar(p)) {
        if (IsSeparator(*p))
            pJustName = p + 1;
    }
    return pJustName;
}

// The extension's dot, or null when the name part has none.
const char* FindExtensionDot(const char* szName) {
    const char* pDot = nullptr;
    for (const char* p = FindJustName(szName); *p; p = PATHNAME_NextChar(p)) {
        if (*p == '.')
            pDot = p;
    }
    return pDot;
}

// Appends cch bytes of text to the name of length cchName in out when the result fits a PATHNAME.
bool AppendFits(char* szOut, size_t& cchName, const char* pText, size_t cch) {
    if (cch > MAX_PATHNAME - cchName)
        return false;
    memmove(szOut + cchName, pText, cch);
    cchName += cch;
    szOut[cchName] = '\0';
    return true;
}

// out = the first cch bytes of text when they fit a PATHNAME, else the empty name. Text may lie in out.
bool CopyOrClear(char* szOut, const char* pText, size_t cch) {
    if (cch > MAX_PATHNAME) {
        szOut[0] = '\0';
        return false;
    }
    memmove(szOut, pText, cch);
    szOut[cch] = '\0';
    return true;
}

}  // namespace

PATHNAME_NEXTCHAR PATHNAME_SetNextChar(PATHNAME_NEXTCHAR pfnNextChar) {
    const PATHNAME_NEXTCHAR pfnPrevious = s_pfnNextChar;
    s_pfnNextChar = pfnNextChar;
    return pfnPrevious;
}

// Whatever the rule answers, a step moves forward by at least one byte and stops at the terminator, so a lead
// byte at the very end of a name cannot carry a walk past it.
const char* PATHNAME_NextChar(const char* p) {
    if (!*p)
        return p;
    const char* pNext = (s_pfnNextChar ? s_pfnNextChar : PATHNAME_PlatformNextChar)(p);
    if (pNext <= p)
        return p + 1;
    for (const char* pAt = p + 1; pAt < pNext; ++pAt) {
        if (!*pAt)
            return pAt;
    }
    return pNext;
}

bool PATHNAME_IsDriveForm(const char* szName) {
    return szName && szName[0] && szName[1] == ':' && IsSlash(szName[2]);
}

// Every argument is read before out is written, so out may be the folder or the name itself.
int PATHNAME_Construct(char* szOut, const char* szFolder, const char* szName) {
    MFX_PRE(szOut);
    MFX_PRE(szFolder);
    MFX_PRE(szName);
    const bool fEmptyFolder = szFolder[0] == '\0';
    const char* pName = IsSlash(*szName) ? szName + 1 : szName;
    PATHNAME szWork = "";
    size_t cchWork = 0;
    const bool fResultFits = AppendFits(szWork, cchWork, szFolder, strlen(szFolder)) &&
                             (fEmptyFolder || EndsInSlash(szFolder) || AppendFits(szWork, cchWork, "\\", 1)) &&
                             AppendFits(szWork, cchWork, pName, strlen(pName));
    CopyOrClear(szOut, szWork, fEmptyFolder || !fResultFits ? 0 : cchWork);
    if (fEmptyFolder)
        return 0;
    MFX_PRE(fResultFits);
    return 1;
}

int PATHNAME_Construct2(char* szOut, const char* szFolder, const char* szName1, const char* szName2) {
    MFX_PRE(szOut);
    PATHNAME szWork = "";
    if (!PATHNAME_Construct(szWork, szFolder, szName1)) {
        szOut[0] = '\0';
        return 0;
    }
    return PATHNAME_Construct(szOut, szWork, szName2);
}

int PATHNAME_Assign(char* szOut, const char* szSource) {
    MFX_PRE(szOut);
    MFX_PRE(szSource);
    const size_t cch = strnlen(szSource, MAX_PATHNAME);
    memmove(szOut, szSource, cch);
    szOut[cch] = '\0';
    return 1;
}

int PATHNAME_RemoveExtension(char* szName) {
    MFX_PRE(szName);
    const char* pDot = FindExtensionDot(szName);
    if (!pDot)
        return 0;
    szName[pDot - szName] = '\0';
    return 1;
}

int PATHNAME_GetDotExtension(const char* szName, char* szOut) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    szOut[0] = '\0';
    const char* pDot = FindExtensionDot(szName);
    if (!pDot)
        return 0;
    return PATHNAME_Assign(szOut, pDot);
}

int PATHNAME_GetExtension(const char* szName, char* szOut) {
    if (!PATHNAME_GetDotExtension(szName, szOut))
        return 0;
    memmove(szOut, szOut + 1, strlen(szOut));
    return 1;
}

int PATHNAME_ReplaceExtension(char* szName, const char* szExt) {
    MFX_PRE(szName);
    MFX_PRE(szExt);
    const char* pDot = FindExtensionDot(szName);
    if (!pDot)
        return 0;
    const size_t cchStem = pDot - szName;
    const size_t cchExt = strlen(szExt) + (szExt[0] == '.' ? 0 : 1);
    MFX_PRE(cchStem <= MAX_PATHNAME && cchExt <= MAX_PATHNAME - cchStem);
    szName[cchStem] = '\0';
    if (szExt[0] != '.')
        strcat(szName, ".");
    strcat(szName, szExt);
    return 1;
}

int PATHNAME_ConstructWithExtension(char* szOut, const char* szName, const char* szExt) {
    MFX_PRE(szOut);
    MFX_PRE(szName);
    MFX_PRE(szExt);
    PATHNAME_Assign(szOut, szName);
    PATHNAME_ReplaceExtension(szOut, szExt);
    return 1;
}

int PATHNAME_GetJustName(const char* szName, char* szOut) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    return PATHNAME_Assign(szOut, FindJustName(szName));
}

int PATHNAME_GetJustPath(const char* szName, char* szOut) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    const char* pJustName = FindJustName(szName);
    const bool fHasPath = pJustName != szName;
    MFX_PRE(CopyOrClear(szOut, szName, fHasPath ? pJustName - szName : strlen(szName)));
    return fHasPath;
}

int PATHNAME_GetJustPathNoSlash(const char* szName, char* szOut) {
    if (!PATHNAME_GetJustPath(szName, szOut))
        return 0;
    PATHNAME_TrimLastSlash(szOut);
    return 1;
}

int PATHNAME_ConstructSibling(const char* szName, char* szOut, const char* szNewName) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    MFX_PRE(szNewName);
    PATHNAME szWork = "";
    const bool fHasPath = PATHNAME_GetJustPath(szName, szWork);
    size_t cchWork = strlen(szWork);
    const bool fResultFits = fHasPath && AppendFits(szWork, cchWork, szNewName, strlen(szNewName));
    CopyOrClear(szOut, szWork, fResultFits ? cchWork : 0);
    if (!fHasPath)
        return 0;
    MFX_PRE(fResultFits);
    return 1;
}

int PATHNAME_ReplaceJustName(char* szName, const char* szNewName) {
    MFX_PRE(szName);
    PATHNAME szWork = "";
    if (!PATHNAME_ConstructSibling(szName, szWork, szNewName))
        return 0;
    strcpy(szName, szWork);
    return 1;
}

int PATHNAME_HasPath(const char* szName) {
    MFX_PRE(szName);
    return FindJustName(szName) != szName;
}

int PATHNAME_TrimLastSlash(char* szName) {
    MFX_PRE(szName);
    const char* pLast = FindLastChar(szName);
    if (!pLast || *pLast != '\\' || pLast - szName < 3)
        return 0;
    szName[pLast - szName] = '\0';
    return 1;
}

int PATHNAME_AddSlash(char* szName) {
    MFX_PRE(szName);
    const size_t cch = strlen(szName);
    MFX_PRE(cch < MAX_PATHNAME);
    if (cch > 0 && !EndsInSlash(szName))
        strcat(szName, "\\");
    return 1;
}

int PATHNAME_RemoveRoot(char* szName, const char* szRoot) {
    MFX_PRE(szName);
    MFX_PRE(szRoot);
    const size_t cchRoot = strlen(szRoot);
    if (strncmp(szName, szRoot, cchRoot) == 0)
        memmove(szName, szName + cchRoot, strlen(szName + cchRoot) + 1);
    return 1;
}

int PATHNAME_CountFolders(const char* szName) {
    MFX_PRE(szName);
    MFX_PRE(PATHNAME_IsDriveForm(szName));
    int nFolders = 0;
    for (const char* p = szName + 3; *p; p = PATHNAME_NextChar(p)) {
        if (IsSlash(*p))
            ++nFolders;
    }
    return nFolders;
}

// The level-th separator after the root ends the prefix. The first character after the root is never taken as
// one, since a proper folder name cannot begin with a separator.
int PATHNAME_GetFolderAtLevel(const char* szName, char* szOut, int nLevel) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    MFX_PRE(PATHNAME_IsDriveForm(szName));
    MFX_PRE(nLevel >= 0);
    size_t cchPrefix = 3;
    if (nLevel > 0 && szName[3]) {
        int nFound = 0;
        for (const char* p = PATHNAME_NextChar(szName + 3); *p; p = PATHNAME_NextChar(p)) {
            if (IsSlash(*p) && ++nFound == nLevel) {
                cchPrefix = p - szName;
                break;
            }
        }
    }
    MFX_PRE(CopyOrClear(szOut, szName, cchPrefix));
    return MFX_VERIFY(szOut[0] != '\0');
}

// The buffer is an ordinary heap allocation; a shortage is reported, and an object without a buffer ignores
// assignments and reads as an empty name.
CPathName::CPathName() : m_PathName(nullptr) {
    MFX_VERIFY(m_PathName = new (std::nothrow) PATHNAME);
    Empty();
}

CPathName::CPathName(const char* szName) : CPathName() {
    *this = szName;
}

CPathName::CPathName(const CPathName& other) : CPathName() {
    *this = other;
}

CPathName::~CPathName() {
    delete[] m_PathName;
}

CPathName& CPathName::operator=(const char* szName) {
    if (m_PathName && szName)
        PATHNAME_Assign(m_PathName, szName);
    return *this;
}

CPathName& CPathName::operator=(const CPathName& other) {
    return *this = other.m_PathName;
}

const char* CPathName::GetRuntimeClassName() const {
    return "CPathName";
}

void CPathName::Empty() {
    if (m_PathName)
        m_PathName[0] = '\0';
}

namespace {

// The name with every slash made a backslash, walked character by character.
std::string WithBackslashes(const char* szName) {
    std::string name;
    for (const char* p = szName; *p;) {
        const char* pNext = PATHNAME_NextChar(p);
        if (pNext == p + 1 && *p == '/')
            name += '\\';
        else
            name.append(p, pNext);
        p = pNext;
    }
    return name;
}

}  // namespace

int PATHNAME_IsSameName(const char* szName1, const char* szName2) {
    MFX_PRE(szName1 && szName2);
    return PATHNAME_PlatformIsSameText(WithBackslashes(szName1).c_str(), WithBackslashes(szName2).c_str());
}
