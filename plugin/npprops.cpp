#include "plugin/npprops.h"

#include <cstring>
#include <vector>

#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("NPPROPS");

namespace {

const char BOOL_VALUESET[] = "FALSE,F,NONE,NO|TRUE,T,YES,Y";

std::string UpperCase(const char* pText, size_t cch) {
    std::vector<char> text(pText, pText + cch);
    text.push_back('\0');
    STRINGS_UpperCase(text.data());
    return text.data();
}

}  // namespace

CNPProps::CNPProps(bool fEmbedded, int argc, const char* const argn[], const char* const argv[]) {
    const bool fArrays = MFX_VERIFY(argn && argv);
    if (!fEmbedded || !fArrays)
        return;
    for (int i = 0; i < argc; ++i) {
        // A browser never hands a pair without a name; one that does is skipped rather than stored as "".
        if (argn[i])
            Add(argn[i], argv[i]);
    }
}

bool CNPProps::Add(const char* szName, const char* szValue) {
    MFX_PRE(szName);
    m_Props[UpperCase(szName, strlen(szName))] = szValue ? szValue : "TRUE";
    return true;
}

// The names are tried in the order written; an empty name (two commas in a row, or a trailing comma) ends
// the search, so nothing after it is ever looked at.
const std::string* CNPProps::Find(const char* szNameSet) const {
    MFX_PRE(szNameSet);
    for (const char* pName = szNameSet;;) {
        const char* pEnd = strchr(pName, ',');
        const size_t cch = pEnd ? static_cast<size_t>(pEnd - pName) : strlen(pName);
        if (cch == 0)
            return nullptr;
        const auto it = m_Props.find(UpperCase(pName, cch));
        if (it != m_Props.end())
            return &it->second;
        if (!pEnd)
            return nullptr;
        pName = pEnd + 1;
    }
}

bool CNPProps::HasProp(const char* szNameSet) const {
    return Find(szNameSet) != nullptr;
}

std::string CNPProps::GetStringValue(const char* szNameSet) const {
    const std::string* pValue = Find(szNameSet);
    return pValue ? *pValue : std::string();
}

int16_t CNPProps::GetIntValue(const char* szNameSet, int16_t nDefault) const {
    const std::string* pValue = Find(szNameSet);
    int32_t nValue = 0;
    if (!pValue || !STRINGS_ToInt(pValue->c_str(), &nValue))
        return nDefault;
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(nValue) & 0xFFFF));
}

// The value set is walked one word at a time; "|" after a word moves on to the next group, and an empty word
// ends the walk without a match.
int16_t CNPProps::GetEnumValue(const char* szNameSet, const char* szValueSet, int16_t nDefault) const {
    const std::string* pValue = Find(szNameSet);
    if (!pValue || !MFX_VERIFY(szValueSet))
        return nDefault;
    const std::string value = UpperCase(pValue->c_str(), pValue->size());
    int16_t nGroup = 0;
    for (const char* pWord = szValueSet;;) {
        const size_t cch = strcspn(pWord, ",|");
        if (cch == 0)
            return nDefault;
        if (UpperCase(pWord, cch) == value)
            return nGroup;
        const char chEnd = pWord[cch];
        if (chEnd == '\0')
            return nDefault;
        if (chEnd == '|')
            ++nGroup;
        pWord += cch + 1;
    }
}

int16_t CNPProps::GetBoolValue(const char* szNameSet, int16_t nDefault) const {
    return GetEnumValue(szNameSet, BOOL_VALUESET, nDefault);
}
