// Texts in order, duplicates kept, and texts keyed by texts: what profile files store as counted lists and
// as maps.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "toolkit/strings.h"

class CTextList {
public:
    int GetCount() const { return static_cast<int>(m_texts.size()); }
    bool IsEmpty() const { return m_texts.empty(); }
    const std::string& GetAt(int nIndex) const { return m_texts[static_cast<size_t>(nIndex)]; }
    void Add(const std::string& text) { m_texts.push_back(text); }
    // True when the list holds this text exactly.
    bool Contains(const std::string& text) const;
    void RemoveAll() { m_texts.clear(); }
    std::vector<std::string>::const_iterator begin() const { return m_texts.begin(); }
    std::vector<std::string>::const_iterator end() const { return m_texts.end(); }

private:
    std::vector<std::string> m_texts;
};

// Keys that differ only in the letter case of A to Z are one key, as they are in a profile file's section.
struct TEXTMAP_KEYLESS {
    bool operator()(const std::string& left, const std::string& right) const {
        return STRINGS_CompareNoCase(left.c_str(), right.c_str()) < 0;
    }
};
typedef std::map<std::string, std::string, TEXTMAP_KEYLESS> CTextMap;

inline bool CTextList::Contains(const std::string& text) const {
    for (const std::string& entry : m_texts) {
        if (entry == text)
            return true;
    }
    return false;
}
