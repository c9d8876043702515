// Cache names: the 16-bit hash of a URL and the REELhhhh name joined to the cache folder.
#include <gtest/gtest.h>

#include <string>

#include "plugin/cachename.h"
#include "testing/testsupport/diagcapture.h"
#include "toolkit/pathname.h"

namespace {

TEST(CacheName, HashIsTheXorOfLittleEndianWords) {
    const struct {
        const char* szURL;
        uint16_t wHash;
    } cases[] = {
        {"", 0x0000},   {"a", 0x0061},  {"ab", 0x6261},  {"abc", 0x6202},  {"abab", 0x0000},
        {"\xff\xfe", 0xFEFF}, {"\x80", 0x0080}, {"http://h/a.mov", 0x3967},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szURL);
        EXPECT_EQ(c.wHash, CACHENAME_Hash(c.szURL));
    }
}

TEST(CacheName, ConstructJoinsTheFolderAndTheExtension) {
    const struct {
        const char* szFolder;
        const char* szURL;
        const char* szExtension;
        const char* szName;
    } cases[] = {
        {"C:\\CACHE", "abc", ".DSK", "C:\\CACHE\\REEL6202.DSK"},
        {"C:\\CACHE\\", "a", "", "C:\\CACHE\\REEL0061"},
        {"C:/Cache/", "", ".DSK", "C:/Cache/REEL0000.DSK"},
        {"C:\\CACHE", "\xff\xfe", "", "C:\\CACHE\\REELFEFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        PATHNAME szName = "old";
        EXPECT_EQ(1, CACHENAME_Construct(szName, c.szFolder, c.szURL, c.szExtension));
        EXPECT_STREQ(c.szName, szName);
    }
}

TEST(CacheName, ConstructRefusesAnEmptyFolderOrAnOverlongName) {
    CDiagCapture quiet;
    PATHNAME szName = "old";
    EXPECT_EQ(0, CACHENAME_Construct(szName, "", "abc", ".DSK"));
    EXPECT_STREQ("", szName);
    const std::string folder = "C:\\" + std::string(248, 'f');
    EXPECT_EQ(0, CACHENAME_Construct(szName, folder.c_str(), "abc", ".DSK"));
    EXPECT_EQ(1, CACHENAME_Construct(szName, folder.c_str(), "abc", ""));
    EXPECT_EQ(MAX_PATHNAME, static_cast<int>(strlen(szName)));
}

}  // namespace
