#include "toolkit/commfile.h"

#include <cstring>
#include <string>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("COMMFILE");

namespace {

const size_t SHORT_BASE = 8;
const size_t SHORT_EXTENSION = 3;
const char FORBIDDEN[] = "\\/:*?\"<>|";

// Removes the trailing backslash, then the last n levels: each time cutting just after the last backslash and
// removing the trailing backslash again (a drive root keeps its own).
void GoUp(char* szPath, int n) {
    for (;;) {
        PATHNAME_TrimLastSlash(szPath);
        if (n == 0)
            return;
        char* pLast = strrchr(szPath, '\\');
        if (pLast)
            pLast[1] = '\0';
        n--;
    }
}

bool IsBracketed(const char* szEntry) {
    const size_t cch = strlen(szEntry);
    return cch >= 2 && szEntry[0] == '[' && szEntry[cch - 1] == ']';
}

}  // namespace

bool COMMFILE_IsListingForm(int nCount, const char* szFirst) {
    return nCount <= 0 || (szFirst && IsBracketed(szFirst));
}

int COMMFILE_FolderOfEntry(const char* szCurDir,
                           int nCount,
                           int nSelected,
                           const char* szFirst,
                           const char* szSelected,
                           char* szOut) {
    MFX_PRE(szCurDir && szOut && szSelected);
    MFX_PRE(PATHNAME_IsDriveForm(szCurDir));
    PATHNAME szPath = "";
    PATHNAME_Assign(szPath, szCurDir);
    MFX_PRE(PATHNAME_AddSlash(szPath));
    if (COMMFILE_IsListingForm(nCount, szFirst)) {
        if (nSelected >= 0 && nSelected < nCount && IsBracketed(szSelected)) {
            const std::string name(szSelected + 1, strlen(szSelected) - 2);
            if (name == "..")
                GoUp(szPath, 1);
            else if (name == ".")
                GoUp(szPath, 0);
            else
                MFX_PRE(PATHNAME_Construct(szPath, szCurDir, name.c_str()));
        } else {
            GoUp(szPath, 0);
        }
        return PATHNAME_Assign(szOut, szPath);
    }
    // No selection counts as an entry beyond every other.
    const unsigned uSelected = static_cast<unsigned>(nSelected);
    const unsigned uDepth = static_cast<unsigned>(STRINGS_CountChar(szPath, '\\') - 1);
    if (uDepth < uSelected && uSelected < static_cast<unsigned>(nCount)) {
        PATHNAME szSub = "";
        MFX_PRE(PATHNAME_Construct(szSub, szPath, szSelected));
        return PATHNAME_Assign(szOut, szSub);
    }
    GoUp(szPath, uSelected < uDepth ? static_cast<int>(uDepth - uSelected) : 0);
    return PATHNAME_Assign(szOut, szPath);
}

bool NEWDIR_IsValidName(const char* szName) {
    if (!szName || !szName[0])
        return false;
    for (const char* p = szName; *p; p++) {
        if (static_cast<unsigned char>(*p) < ' ' || strchr(FORBIDDEN, *p))
            return false;
    }
    const char* pDot = strchr(szName, '.');
    if (!pDot)
        return strlen(szName) <= SHORT_BASE;
    return static_cast<size_t>(pDot - szName) <= SHORT_BASE && strlen(pDot + 1) <= SHORT_EXTENSION;
}
