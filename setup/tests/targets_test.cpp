// The rules on the targets' directories: valid paths, moving what lies under a changed directory, the
// directories of targets based on another, and the first entry of a PATH-like list.
#include <gtest/gtest.h>

#include "setup/targets.h"
#include "setup/tests/itemdesign.h"

namespace {

TEST(Targets, ValidPaths) {
    const struct {
        const char* szPath;
        bool fValid;
    } cases[] = {
        {"C:\\APP", true},     {"c:\\Program Files\\Demo", true},
        {"C:\\APP\\", true},   {"C:\\", false},
        {"C:APP", false},      {"\\APP", false},
        {"", false},           {"C:\\A|B", false},
        {"C:\\A\\\\B", false}, {"C:\\A:B", false},
        {"1:\\APP", false},    {"C:\\A/B", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szPath);
        EXPECT_EQ(c.fValid, TARGETS_IsValidPath(c.szPath));
    }
    EXPECT_FALSE(TARGETS_IsValidPath(("C:\\" + std::string(260, 'a')).c_str()));
}

TEST(Targets, UnderIsAtABackslashIgnoringCase) {
    EXPECT_TRUE(TARGETS_IsUnder("C:\\APP\\BIN", "c:\\app"));
    EXPECT_TRUE(TARGETS_IsUnder("C:\\APP", "C:\\APP\\"));
    EXPECT_FALSE(TARGETS_IsUnder("C:\\APPLE", "C:\\APP"));
    EXPECT_TRUE(TARGETS_IsUnder("C:\\APPLE", "C:\\"));
    EXPECT_FALSE(TARGETS_IsUnder("C:\\APP", ""));
}

TEST(Targets, MovingKeepsWhatLiesBelowAndRecomputesTheBasedOnes) {
    CTestDesign design("Demo", {});
    design.SetTarget(1, "C:\\APP");
    design.SetTarget(2, "C:\\APP\\BIN");
    design.SetTarget(3, "C:\\APPLE");
    design.SetTarget(4, "");
    TARGET* pBased = design->targets.targets[4];
    pBased->nType = TARGET_BASEON;
    pBased->nBaseTarget = 1;
    PATHNAME_Assign(pBased->szBaseExtension, "PLUGINS");

    EXPECT_TRUE(TARGETS_MoveUnder(&design->targets, "C:\\APP", "D:\\NEW\\"));
    EXPECT_STREQ("D:\\NEW", design->targets.targets[1]->runtimepath);
    EXPECT_STREQ("D:\\NEW\\BIN", design->targets.targets[2]->runtimepath);
    EXPECT_STREQ("C:\\APPLE", design->targets.targets[3]->runtimepath);
    TARGETS_RecomputeBasedOn(&design->targets, 1);
    EXPECT_STREQ("D:\\NEW\\PLUGINS", pBased->runtimepath);

    // A loop of bases in a design (2 on 4, 4 on 2) ends.
    design->targets.targets[2]->nType = TARGET_BASEON;
    design->targets.targets[2]->nBaseTarget = 4;
    pBased->nBaseTarget = 2;
    TARGETS_RecomputeBasedOn(&design->targets, 2);
    EXPECT_EQ(0, strncmp(pBased->runtimepath, "D:\\NEW\\BIN\\PLUGINS", 18));
}

TEST(Targets, FirstEntryOfAList) {
    PATHNAME szFirst;
    TARGETS_FirstEntry("C:\\WINDOWS;C:\\DOS", szFirst);
    EXPECT_STREQ("C:\\WINDOWS", szFirst);
    TARGETS_FirstEntry("  C:\\TOOLS  ", szFirst);
    EXPECT_STREQ("C:\\TOOLS", szFirst);
    TARGETS_FirstEntry(";C:\\X", szFirst);
    EXPECT_STREQ("", szFirst);
    TARGETS_FirstEntry(nullptr, szFirst);
    EXPECT_STREQ("", szFirst);
}

}  // namespace
