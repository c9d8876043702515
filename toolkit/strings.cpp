#include "toolkit/strings.h"

#include <cstring>
#include <new>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("Strings");

namespace {

bool IsWhite(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

bool IsFigure(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

char* STRINGS_CopyN(char* szDestination, const char* szSource, size_t n) {
    MFX_PRE(szDestination);
    MFX_PRE(szSource);
    MFX_PRE(n > 0);
    const size_t cb = strnlen(szSource, n - 1);
    memmove(szDestination, szSource, cb);
    szDestination[cb] = '\0';
    return szDestination;
}

int STRINGS_AppendChar(char* szString, size_t cbBuffer, char ch) {
    MFX_PRE(szString);
    const size_t cch = strnlen(szString, cbBuffer);
    MFX_PRE(cch + 1 < cbBuffer);
    szString[cch] = ch;
    szString[cch + 1] = '\0';
    return 1;
}

int STRINGS_CountChar(const char* szString, char ch) {
    MFX_PRE(szString);
    int nCount = 0;
    for (const char* p = szString; *p; p = PATHNAME_NextChar(p)) {
        if (*p == ch)
            ++nCount;
    }
    return nCount;
}

char* STRINGS_Duplicate(const char* szString) {
    MFX_PRE(szString && szString[0]);
    const size_t cb = strlen(szString) + 1;
    char* szCopy = new (std::nothrow) char[cb];
    MFX_PRE(szCopy);
    memcpy(szCopy, szString, cb);
    return szCopy;
}

void STRINGS_Free(char* szString) {
    delete[] szString;
}

int STRINGS_CompareNoCase(const char* szLeft, const char* szRight) {
    MFX_PRE(szLeft && szRight);
    const auto fold = [](char ch) { return static_cast<unsigned char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch); };
    for (;; ++szLeft, ++szRight) {
        const int nDifference = fold(*szLeft) - fold(*szRight);
        if (nDifference != 0 || *szLeft == '\0')
            return nDifference;
    }
}

const char* STRINGS_SkipWhite(const char* szString) {
    MFX_PRE(szString);
    while (IsWhite(*szString))
        ++szString;
    return szString;
}

// Figures are taken only while the magnitude stays within 2,147,483,647, so a longer number leaves a figure
// behind the last one taken and fails; the sign is applied at the end, which keeps -2,147,483,648 out too.
int STRINGS_ToInt(const char* szText, int32_t* pnValue) {
    MFX_PRE(szText);
    MFX_PRE(pnValue);
    const char* p = STRINGS_SkipWhite(szText);
    const bool fNegative = *p == '-';
    if (fNegative)
        ++p;
    if (!IsFigure(*p))
        return 0;
    int32_t nMagnitude = 0;
    for (; IsFigure(*p); ++p) {
        const int nFigure = *p - '0';
        if (nMagnitude > (INT32_MAX - nFigure) / 10)
            break;
        nMagnitude = nMagnitude * 10 + nFigure;
    }
    if (IsFigure(*p))
        return 0;
    *pnValue = fNegative ? -nMagnitude : nMagnitude;
    return 1;
}
