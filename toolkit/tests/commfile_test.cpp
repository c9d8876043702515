// The directory chooser's folder arithmetic over both forms of the folder list, and the short-name rule.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/commfile.h"
#include "toolkit/pathname.h"

namespace {

TEST(CommFile, PlatformListStandsForThePathLevelsThenTheSubFolders) {
    // C:\A\B\ is shown as c:\, a, b and its sub-folder x; C:\ as c:\ and its sub-folder a.
    const struct {
        const char* szCurDir;
        int nCount;
        int nSelected;
        const char* szSelected;
        const char* szFolder;
    } cases[] = {
        {"C:\\A\\B\\", 4, 0, "c:\\", "C:\\"},  {"C:\\A\\B\\", 4, 1, "a", "C:\\A"},
        {"C:\\A\\B\\", 4, 2, "b", "C:\\A\\B"}, {"C:\\A\\B\\", 4, 3, "x", "C:\\A\\B\\x"},
        {"C:\\A\\B\\", 4, -1, "", "C:\\A\\B"},  // no selection: the current folder
        {"C:\\A\\B\\", 3, 3, "", "C:\\A\\B"},   // an index beyond the list
        {"C:\\", 2, 0, "c:\\", "C:\\"},        {"C:\\", 2, 1, "a", "C:\\a"},
        {"C:\\", 2, -1, "", "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szCurDir) + " " + std::to_string(c.nSelected));
        PATHNAME szOut = "unchanged";
        EXPECT_EQ(1, COMMFILE_FolderOfEntry(c.szCurDir, c.nCount, c.nSelected, "c:\\", c.szSelected, szOut));
        EXPECT_STREQ(c.szFolder, szOut);
    }
}

TEST(CommFile, ListingFormStandsForTheParentAndTheSubFolders) {
    const struct {
        const char* szCurDir;
        int nCount;
        int nSelected;
        const char* szFirst;
        const char* szSelected;
        const char* szFolder;
    } cases[] = {
        {"C:\\A\\B\\", 3, 0, "[..]", "[..]", "C:\\A"},
        {"C:\\A\\B\\", 3, 2, "[..]", "[X]", "C:\\A\\B\\X"},
        {"C:\\A\\B\\", 3, -1, "[..]", "", "C:\\A\\B"},
        {"C:\\A\\", 1, 0, "[..]", "[..]", "C:\\"},
        {"C:\\", 1, 0, "[X]", "[X]", "C:\\X"},
        {"C:\\", 0, -1, "", "", "C:\\"},
        {"C:\\A\\", 2, 1, "[..]", "[[old]]", "C:\\A\\[old]"},
        {"C:\\A\\", 3, 0, "[.]", "[.]", "C:\\A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szCurDir) + " " + c.szSelected);
        EXPECT_TRUE(COMMFILE_IsListingForm(c.nCount, c.szFirst));
        PATHNAME szOut = "";
        EXPECT_EQ(1, COMMFILE_FolderOfEntry(c.szCurDir, c.nCount, c.nSelected, c.szFirst, c.szSelected, szOut));
        EXPECT_STREQ(c.szFolder, szOut);
    }
    EXPECT_FALSE(COMMFILE_IsListingForm(3, "c:\\"));
}

TEST(NewDir, ShortNamesOnly) {
    const struct {
        const char* szName;
        bool fValid;
    } cases[] = {
        {"NEWFOLD1", true}, {"A.TXT", true}, {"12345678.123", true}, {"A", true},     {"NEWFOLDER1", false},
        {"A.TEXT", false},  {"", false},     {"123456789.1", false}, {"A\\B", false}, {"..\\UP", false},
        {"C:X", false},     {"A*", false},   {"A/B", false},         {"NAME.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_EQ(c.fValid, NEWDIR_IsValidName(c.szName));
    }
    EXPECT_FALSE(NEWDIR_IsValidName(nullptr));
}

}  // namespace
