// Fuzz target over the EMBED attribute look-ups. The input is read as an EMBED tag and split into the name
// and value arrays a browser would pass (an attribute without "=" has no value); every name and value is then
// also used as a hostile name set and value set. Built as a libFuzzer program with clang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugin/movprops.h"
#include "plugin/npprops.h"

namespace {

void Check(bool fCondition) {
    if (!fCondition)
        abort();
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

struct CAttribute {
    std::string name;
    std::string value;
    bool fHasValue = false;
};

// <EMBED name=value name="value" name ...>: names end at a blank, "=" or ">"; a value is quoted or runs to a
// blank or ">". The tag's own word is skipped.
std::vector<CAttribute> SplitTag(const std::string& tag) {
    std::vector<CAttribute> attributes;
    size_t i = tag.find_first_of(" \t\r\n");
    while (i != std::string::npos && i < tag.size()) {
        while (i < tag.size() && IsBlank(tag[i]))
            ++i;
        CAttribute a;
        while (i < tag.size() && !IsBlank(tag[i]) && tag[i] != '=' && tag[i] != '>')
            a.name += tag[i++];
        if (i < tag.size() && tag[i] == '=') {
            a.fHasValue = true;
            ++i;
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const char chQuote = tag[i++];
                while (i < tag.size() && tag[i] != chQuote)
                    a.value += tag[i++];
                ++i;
            } else {
                while (i < tag.size() && !IsBlank(tag[i]) && tag[i] != '>')
                    a.value += tag[i++];
            }
        } else if (a.name.empty()) {
            ++i;
            continue;
        }
        attributes.push_back(a);
    }
    return attributes;
}

void CheckLookups(const CNPProps& props, const std::string& nameSet, const std::string& valueSet) {
    const char* szNameSet = nameSet.c_str();
    const bool fPresent = props.HasProp(szNameSet);
    Check(fPresent || props.GetStringValue(szNameSet).empty());
    const int16_t nBool = props.GetBoolValue(szNameSet, -3);
    Check(nBool == 0 || nBool == 1 || nBool == -3);
    Check(fPresent || props.GetIntValue(szNameSet, -3) == -3);
    const int16_t nEnum = props.GetEnumValue(szNameSet, valueSet.c_str(), -3);
    size_t nGroups = 1;
    for (char ch : valueSet)
        nGroups += ch == '|';
    Check(nEnum == -3 || (nEnum >= 0 && static_cast<size_t>(nEnum) < nGroups));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    const std::string tag = std::string(reinterpret_cast<const char*>(pData), cbData).c_str();
    const std::vector<CAttribute> attributes = SplitTag(tag);
    std::vector<const char*> names, values;
    for (const CAttribute& a : attributes) {
        names.push_back(a.name.c_str());
        values.push_back(a.fHasValue ? a.value.c_str() : nullptr);
    }
    const int argc = static_cast<int>(names.size());
    CNPProps props(true, argc, names.data(), values.data());
    Check(props.GetAll().size() <= names.size());
    CNPProps fullPage(false, argc, names.data(), values.data());
    Check(fullPage.GetAll().empty());
    props.Add("EMBEDDED", nullptr);
    Check(props.HasProp("EMBEDDED"));

    MOVPROPS m;
    for (bool fFullPage : {false, true}) {
        MOVPROPS_Read(&m, props, fFullPage);
        Check(m.nLoop >= 0 && m.nLoop <= 2 && m.nController >= 0 && m.nController <= 2);
        Check(m.nPosition >= 0 && m.nPosition <= 1 && (m.fKeepAspect == 0 || m.fKeepAspect == 1));
    }
    CheckLookups(props, tag, tag);
    for (const CAttribute& a : attributes) {
        CheckLookups(props, a.name, a.value);
        CheckLookups(props, a.value, a.name);
    }
    return 0;
}
