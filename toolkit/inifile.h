// The key names of profile files: the elements of counted lists and the keys of a window's placement.
//
// A counted list keeps a section of its own: "Count" holds the number of elements N, and the elements are
// stored under base0 ... base(N-1), base being the section's name without a leading "m_" (a list kept in
// the section "m_RegKeys" or "RegKeys" has its elements under RegKeys0, RegKeys1, ...).
#pragma once

#include <cstddef>
#include <string>

extern const char INIFILE_COUNT[];  // "Count"

// The element base of a list section: the name without a parenthesised cast in front, without a qualifying
// prefix ending in "->" or ".", and without a leading "m_" ("(CTextList)pLog->m_Files" gives "Files").
std::string INIFILE_ListBase(const char* szSection);
// The key of the element at nIndex: the base followed by the index in decimal.
std::string INIFILE_ListKey(const std::string& base, int nIndex);
// The index of an element key of that base (letter case ignored, as the profile calls ignore it); false
// for any other key, including one whose index has leading zeros, which no element key has.
bool INIFILE_ParseListKey(const std::string& base, const char* szKey, int* pnIndex);

// A window placement's keys are a prefix of at most this many characters and one of these endings.
const size_t INIFILE_MAXPREFIX = 63;
enum INIFILE_PLACEMENTKEY {
    INIFILE_LEFT,
    INIFILE_TOP,
    INIFILE_WIDTH,
    INIFILE_HEIGHT,
    INIFILE_ISICONIC,
    INIFILE_ISZOOMED,
};
// "prefix_left", "prefix_top", "prefix_width", "prefix_height", "prefix_IsIconic", "prefix_IsZoomed"; empty
// for a prefix longer than INIFILE_MAXPREFIX.
std::string INIFILE_PlacementKey(const char* szPrefix, INIFILE_PLACEMENTKEY key);
