// The attributes of an EMBED tag, as the browser hands them to a new instance, and the typed look-ups that
// every reader of them uses.
//
// Names are stored upper-cased, values exactly as passed; an attribute without a value reads "TRUE" and a
// name given twice keeps its later value. A name set ("AUTOSTART,AUTOPLAY") is tried name by name, the first
// name present giving the value. A value set ("FALSE,F,NONE,NO|TRUE,T,YES,Y") is groups of words separated
// by "|", numbered from 0; a look-up answers the number of the group holding the value.
#pragma once

#include <cstdint>
#include <map>
#include <string>

class CNPProps {
public:
    typedef std::map<std::string, std::string> CMap;

    CNPProps() = default;
    // Stores the argc pairs only for an embedded instance (every mode but full page) and when both arrays
    // exist.
    CNPProps(bool fEmbedded, int argc, const char* const argn[], const char* const argv[]);

    // One pair; a null value is stored as "TRUE". False for a missing name.
    bool Add(const char* szName, const char* szValue);

    bool HasProp(const char* szNameSet) const;
    // The value of the first present name, or the empty text.
    std::string GetStringValue(const char* szNameSet) const;
    // The value read as a whole number and cut to 16 bits; the default when absent or not a number.
    int16_t GetIntValue(const char* szNameSet, int16_t nDefault) const;
    // The group of the value set that holds the upper-cased value; the default when absent or unmatched.
    int16_t GetEnumValue(const char* szNameSet, const char* szValueSet, int16_t nDefault) const;
    // 0 for FALSE, F, NONE or NO; 1 for TRUE, T, YES or Y; else the default.
    int16_t GetBoolValue(const char* szNameSet, int16_t nDefault) const;

    // Every pair, in the map's order.
    const CMap& GetAll() const { return m_Props; }

private:
    const std::string* Find(const char* szNameSet) const;
    CMap m_Props;
};
