// Running in place or from a working directory: the directories a run takes its files from, and the disks'
// marker files.
#include <gtest/gtest.h>

#include "setup/runplace.h"

namespace {

struct PLACECASE {
    const char* szEngine;
    char cDrive;
    bool fInPlace;
    const char* szWorkDir;
    const char* szDistribDir;
    const char* szSourceRoot;
    const char* szDesign;
};

TEST(RunPlace, InPlaceOrFromAWorkingDirectory) {
    const PLACECASE cases[] = {
        {"A:\\BIN\\HAULIX.EXE", 'a', true, "A:\\BIN", "A:\\BIN", "A:\\", "A:\\BIN\\setup.ini"},
        {"d:\\media\\bin\\haulix.exe", 'D', true, "d:\\media\\bin", "d:\\media\\bin", "d:\\media",
         "d:\\media\\bin\\setup.ini"},
        {"\\\\server\\share\\bin\\haulix.exe", 'a', true, "\\\\server\\share\\bin", "\\\\server\\share\\bin",
         "\\\\server\\share", "\\\\server\\share\\bin\\setup.ini"},
        {"C:\\WINDOWS\\~MSSETUP.T\\HAULIX.EXE", 'e', false, "C:\\WINDOWS\\~MSSETUP.T", "e:\\bin", "e:\\",
         "e:\\bin\\setup.ini"},
    };
    for (const PLACECASE& c : cases) {
        SCOPED_TRACE(c.szEngine);
        SETUPPLACE place;
        ASSERT_EQ(1, PLACE_Locate(&place, c.szEngine, c.cDrive));
        EXPECT_EQ(c.fInPlace, place.fInPlace);
        EXPECT_STREQ(c.szWorkDir, place.szWorkDir);
        EXPECT_STREQ(c.szDistribDir, place.szDistribDir);
        EXPECT_STREQ(c.szSourceRoot, place.szSourceRoot);
        EXPECT_STREQ(c.szDesign, place.szDesignFile);
    }
}

TEST(RunPlace, SourceDirIsTheRootAndThePathWithoutItsDrive) {
    SETUPPLACE place;
    ASSERT_EQ(1, PLACE_Locate(&place, "C:\\TEMP\\HAULIX.EXE", 'e'));
    PATHNAME szSource;
    EXPECT_EQ(1, PLACE_SourceDir(&place, "a:\\disk1\\plugin", szSource));
    EXPECT_STREQ("e:\\disk1\\plugin", szSource);
    EXPECT_EQ(1, PLACE_SourceDir(&place, "a:", szSource));
    EXPECT_STREQ("e:\\", szSource);

    ASSERT_EQ(1, PLACE_Locate(&place, "C:\\media\\bin\\haulix.exe", 'c'));
    EXPECT_EQ(1, PLACE_SourceDir(&place, "a:\\disk1", szSource));
    EXPECT_STREQ("C:\\media\\disk1", szSource);
}

TEST(RunPlace, DiskMarkersCountUpFromA) {
    char szMarker[8];
    ASSERT_EQ(1, PLACE_DiskMarker(0, szMarker));
    EXPECT_STREQ("disk.a", szMarker);
    ASSERT_EQ(1, PLACE_DiskMarker(1, szMarker));
    EXPECT_STREQ("disk.b", szMarker);
    ASSERT_EQ(1, PLACE_DiskMarker(25, szMarker));
    EXPECT_STREQ("disk.z", szMarker);
    EXPECT_EQ(0, PLACE_DiskMarker(26, szMarker));  // no letter left: the disk never counts as present
}

}  // namespace
