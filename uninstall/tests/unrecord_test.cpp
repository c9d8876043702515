// The rules that turn the log's entries into removals: registry entries split into root, path and last part,
// and folders removed whatever order the log lists them in.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "uninstall/unrecord.h"

namespace {

TEST(UnRecord, SplitsARegistryEntryAtItsFirstAndLastBackslash) {
    const struct {
        const char* szEntry;
        bool fKey;
        bool fOk;
        const char* szRoot;
        const char* szPath;
        const char* szLast;
    } cases[] = {
        {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Flarion", true, true,
         "HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "Flarion"},
        {"hkey_current_user\\Software\\Orvanta\\Cache", false, true, "hkey_current_user", "Software\\Orvanta", "Cache"},
        {"HKEY_CLASSES_ROOT\\Reelway.Movie\\", false, true, "HKEY_CLASSES_ROOT", "Reelway.Movie", ""},
        {"HKEY_CLASSES_ROOT\\Reelway.Movie\\", true, false, "", "", ""},  // would name the key itself
        {"HKEY_LOCAL_MACHINE\\SOFTWARE", true, false, "", "", ""},        // no backslash after the first
        {"HKEY_LOCAL_MACHINE\\\\SOFTWARE", true, false, "", "", ""},      // no key path: below the root
        {"HKEY_MACHINE\\Software\\Orvanta", false, false, "", "", ""},    // no such root
        {"Software\\Orvanta\\Cache", false, false, "", "", ""},
        {"", false, false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szEntry);
        UNRECORD_REGENTRY entry = {"r", "p", "l"};
        EXPECT_EQ(c.fOk, UNRECORD_SplitRegEntry(c.szEntry, c.fKey, &entry));
        if (c.fOk) {
            EXPECT_EQ(c.szRoot, entry.root);
            EXPECT_EQ(c.szPath, entry.path);
            EXPECT_EQ(c.szLast, entry.last);
        } else {
            EXPECT_EQ("r", entry.root);
        }
    }
}

// A stand-in file system: a folder goes only when no other folder lies inside it.
struct FOLDERS {
    std::set<std::string> present;
    std::vector<std::string> tried;
    bool Remove(const std::string& folder) {
        tried.push_back(folder);
        if (!present.count(folder))
            return false;
        for (const std::string& other : present) {
            if (other.size() > folder.size() && other.compare(0, folder.size() + 1, folder + "\\") == 0)
                return false;
        }
        present.erase(folder);
        return true;
    }
};

TEST(UnRecord, AFolderListedBeforeTheFoldersInsideItGoesToo) {
    FOLDERS disk;
    disk.present = {"C:\\DEMO", "C:\\DEMO\\SAMPLES", "C:\\DEMO\\SAMPLES\\CLIPS", "C:\\KEPT"};
    CTextList folders;
    for (const char* szFolder : {"C:\\DEMO", "C:\\DEMO\\SAMPLES", "C:\\DEMO\\SAMPLES\\CLIPS", "C:\\GONE"})
        folders.Add(szFolder);
    EXPECT_EQ(3, UNRECORD_RemoveFolders(folders, [&](const char* szFolder) { return disk.Remove(szFolder); }));
    EXPECT_EQ(std::set<std::string>{"C:\\KEPT"}, disk.present);
    // The first pass goes in list order; the ones left are tried again until a pass removes none.
    const std::vector<std::string> firstPass = {"C:\\DEMO", "C:\\DEMO\\SAMPLES", "C:\\DEMO\\SAMPLES\\CLIPS",
                                                "C:\\GONE"};
    EXPECT_EQ(firstPass, std::vector<std::string>(disk.tried.begin(), disk.tried.begin() + 4));
    EXPECT_EQ("C:\\GONE", disk.tried.back());
}

TEST(UnRecord, AFolderThatHoldsAFileStays) {
    CTextList folders;
    folders.Add("C:\\DEMO");
    int nTries = 0;
    EXPECT_EQ(0, UNRECORD_RemoveFolders(folders, [&](const char*) { return ++nTries, false; }));
    EXPECT_EQ(1, nTries);
}

}  // namespace
