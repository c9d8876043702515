// The key names of profile files: list bases, element keys and placement keys.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/inifile.h"
#include "toolkit/textlist.h"
#include "testing/testsupport/diagcapture.h"

namespace {

TEST(IniFileKeys, ListBaseDropsTheMemberPrefixAndWhatReachesIt) {
    const struct {
        const char* szSection;
        const char* szBase;
    } cases[] = {
        {"RegKeys", "RegKeys"},
        {"m_RegKeys", "RegKeys"},
        {"m_", ""},
        {"pLog->m_Files", "Files"},
        {"log.m_Folders", "Folders"},
        {"(CTextList)m_Files", "Files"},
        {"(CTextList&)pLog->m_IconGroups", "IconGroups"},
        {"a.b->m_c", "c"},
        {"a->b.m_c", "c"},
        {"mm_Files", "mm_Files"},
        {"M_Files", "M_Files"},
        {"Files m_", "Files m_"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szSection);
        EXPECT_EQ(c.szBase, INIFILE_ListBase(c.szSection));
    }
}

TEST(IniFileKeys, ElementKeysParseBackToTheirIndex) {
    for (int nIndex : {0, 1, 9, 10, 123456}) {
        SCOPED_TRACE(nIndex);
        const std::string key = INIFILE_ListKey("Files", nIndex);
        int nParsed = -1;
        ASSERT_TRUE(INIFILE_ParseListKey("Files", key.c_str(), &nParsed));
        EXPECT_EQ(nIndex, nParsed);
    }
    EXPECT_EQ("RegKeys2", INIFILE_ListKey("RegKeys", 2));
}

TEST(IniFileKeys, OnlyKeysAProfileLookupWouldFindAreElements) {
    const struct {
        const char* szKey;
        bool fElement;
        int nIndex;
    } cases[] = {
        {"Files0", true, 0},           {"files12", true, 12},
        {"FILES3", true, 3},           {"Files", false, 0},
        {"Count", false, 0},           {"Files01", false, 0},
        {"Files00", false, 0},         {"Files-1", false, 0},
        {"Files1a", false, 0},         {"Files 1", false, 0},
        {"Files2147483648", false, 0}, {"File1", false, 0},
        {"XFiles1", false, 0},         {"Files2147483647", true, 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szKey);
        int nIndex = 0;
        EXPECT_EQ(c.fElement, INIFILE_ParseListKey("Files", c.szKey, &nIndex));
        EXPECT_EQ(c.nIndex, nIndex);
    }
}

TEST(IniFileKeys, PlacementKeysEndTheirPrefix) {
    EXPECT_EQ("Main_left", INIFILE_PlacementKey("Main", INIFILE_LEFT));
    EXPECT_EQ("Main_top", INIFILE_PlacementKey("Main", INIFILE_TOP));
    EXPECT_EQ("Main_width", INIFILE_PlacementKey("Main", INIFILE_WIDTH));
    EXPECT_EQ("Main_height", INIFILE_PlacementKey("Main", INIFILE_HEIGHT));
    EXPECT_EQ("Main_IsIconic", INIFILE_PlacementKey("Main", INIFILE_ISICONIC));
    EXPECT_EQ("Main_IsZoomed", INIFILE_PlacementKey("Main", INIFILE_ISZOOMED));
    const std::string longest(63, 'p');
    EXPECT_EQ(longest + "_top", INIFILE_PlacementKey(longest.c_str(), INIFILE_TOP));
    CDiagCapture capture;
    EXPECT_EQ("", INIFILE_PlacementKey((longest + "p").c_str(), INIFILE_TOP));
    EXPECT_NE(std::string::npos, capture.Text().find("strlen(szPrefix) <= INIFILE_MAXPREFIX"));
}

TEST(TextMap, KeysDifferingInLetterCaseAreOneKey) {
    CTextMap map;
    map["Read Me"] = "Demo";
    map["READ ME"] = "Other";
    map["Player"] = "Demo";
    ASSERT_EQ(2u, map.size());
    EXPECT_EQ("Other", map["read me"]);
    EXPECT_EQ("Read Me", map.find("READ ME")->first);  // the first spelling is kept
}

TEST(TextList, KeepsOrderAndDuplicates) {
    CTextList list;
    for (const char* szText : {"B", "A", "B"})
        list.Add(szText);
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ("B", list.GetAt(0));
    EXPECT_EQ("A", list.GetAt(1));
    EXPECT_EQ("B", list.GetAt(2));
    EXPECT_TRUE(list.Contains("A"));
    EXPECT_FALSE(list.Contains("a"));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
