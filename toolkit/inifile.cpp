#include "toolkit/inifile.h"

#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("INIFILE");

const char INIFILE_COUNT[] = "Count";

namespace {

bool IsFigure(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

// Callers name a list's section after the member that holds it; the other forms let a section be named by
// the expression that reaches the member.
std::string INIFILE_ListBase(const char* szSection) {
    MFX_PRE(szSection);
    std::string base = szSection;
    if (!base.empty() && base[0] == '(') {
        const size_t nClose = base.find(')');
        if (nClose != std::string::npos)
            base.erase(0, nClose + 1);
    }
    const size_t nArrow = base.rfind("->");
    const size_t nDot = base.rfind('.');
    size_t nCut = 0;
    if (nArrow != std::string::npos)
        nCut = nArrow + 2;
    if (nDot != std::string::npos && nDot + 1 > nCut)
        nCut = nDot + 1;
    base.erase(0, nCut);
    if (base.compare(0, 2, "m_") == 0)
        base.erase(0, 2);
    return base;
}

std::string INIFILE_ListKey(const std::string& base, int nIndex) {
    return base + std::to_string(nIndex);
}

bool INIFILE_ParseListKey(const std::string& base, const char* szKey, int* pnIndex) {
    MFX_PRE(szKey && pnIndex);
    const size_t cchKey = strlen(szKey);
    if (cchKey <= base.size() || STRINGS_CompareNoCase(std::string(szKey, base.size()).c_str(), base.c_str()) != 0)
        return false;
    const char* szIndex = szKey + base.size();
    for (const char* p = szIndex; *p; ++p) {
        if (!IsFigure(*p))
            return false;
    }
    if (szIndex[0] == '0' && szIndex[1] != '\0')
        return false;
    int32_t nIndex = 0;
    if (!STRINGS_ToInt(szIndex, &nIndex))
        return false;
    *pnIndex = nIndex;
    return true;
}

std::string INIFILE_PlacementKey(const char* szPrefix, INIFILE_PLACEMENTKEY key) {
    static const char* const s_aszEndings[] = {"_left", "_top", "_width", "_height", "_IsIconic", "_IsZoomed"};
    MFX_PRE(szPrefix && strlen(szPrefix) <= INIFILE_MAXPREFIX);
    return std::string(szPrefix) + s_aszEndings[key];
}
