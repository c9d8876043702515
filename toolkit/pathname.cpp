#include "pathname.h"

#include <cstring>

#include "mfx.h"

MFX_SOURCE_MODULE("PATHNAME");

namespace {

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/' || ch == ':';
}

// The position just after the last separator: where the name part begins.
const char* FindJustName(const char* szName) {
    const char* pJustName = szName;
    for (const char* p = szName; *p; ++p) {
        if (IsSeparator(*p))
            pJustName = p + 1;
    }
    return pJustName;
}

// The extension's dot, or null when the name part has none.
const char* FindExtensionDot(const char* szName) {
    return strrchr(FindJustName(szName), '.');
}

}  // namespace

int PATHNAME_RemoveExtension(char* szName) {
    MFX_PRE(szName);
    const char* pDot = FindExtensionDot(szName);
    if (!pDot)
        return 0;
    szName[pDot - szName] = '\0';
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
    MFX_PRE(cchStem + cchExt <= MAX_PATHNAME);
    szName[cchStem] = '\0';
    if (szExt[0] != '.')
        strcat(szName, ".");
    strcat(szName, szExt);
    return 1;
}

int PATHNAME_GetJustName(const char* szName, char* szOut) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    const char* pJustName = FindJustName(szName);
    const size_t cch = strnlen(pJustName, MAX_PATHNAME);
    memcpy(szOut, pJustName, cch);
    szOut[cch] = '\0';
    return 1;
}
