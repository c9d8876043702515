// Which things a selection installs, in which order, and the space it needs per drive.
#include <gtest/gtest.h>

#include <map>

#include "setup/selection.h"
#include "setup/tests/itemdesign.h"

namespace {

// Collections 0 (minimum, target 1 on C:) and 2 (target 2 on D:); things on disks 0 and 1.
class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_design.SetTarget(2, "D:\\TOOLS");
        AddCollection(0, true);
        AddCollection(2, false);
        AddThing(0, 1, 0, 0, 100);
        AddThing(1, 2, 2, 0, 20);
        AddThing(2, 1, -1, 0, 3);    // every collection's
        AddThing(3, 0, 0, 0, 1000);  // target 0: never installed
        AddThing(4, 1, 0, 1, 5);
        AddThing(5, 1, 1, 0, 7);  // a collection the design lacks
    }
    void AddCollection(int nSlot, bool fMinimum) {
        m_design->collect.fPresent[nSlot] = true;
        m_design->collect.collection[nSlot].bPartofMinimum = fMinimum ? 1 : 0;
    }
    void AddThing(int nPosition, int nTarget, int nCollection, int nDisk, int32_t lSize) {
        THING* pThing = new THING{};
        pThing->target = static_cast<int16_t>(nTarget);
        pThing->nCollection = static_cast<int16_t>(nCollection);
        pThing->nDisk = static_cast<int16_t>(nDisk);
        pThing->pFile = new FILETYPE{};
        pThing->pFile->lSize = lSize;
        THINGCOL_Insert(&m_design->things, nPosition, pThing);
    }
    CTestDesign m_design{"Demo", {}};
};

TEST_F(SelectionTest, UsableCollectionsByType) {
    EXPECT_EQ((SELECTION{0, 2}), SELECT_Usable(m_design.Get(), INSTALL_COMPLETE));
    EXPECT_EQ((SELECTION{0, 2}), SELECT_Usable(m_design.Get(), INSTALL_CUSTOM));
    EXPECT_EQ((SELECTION{0}), SELECT_Usable(m_design.Get(), INSTALL_MINIMUM));
    EXPECT_FALSE(SELECT_IsUsable(m_design.Get(), 1, INSTALL_COMPLETE));
    EXPECT_FALSE(SELECT_IsUsable(m_design.Get(), 32, INSTALL_COMPLETE));
}

TEST_F(SelectionTest, CopyOrderIsPerCollectionWithTheSharedThingsEachTime) {
    EXPECT_EQ((std::vector<int>{0, 2, 1, 2}), SELECT_CopyOrder(m_design.Get(), {0, 2}, 0));
    EXPECT_EQ((std::vector<int>{4}), SELECT_CopyOrder(m_design.Get(), {0, 2}, 1));
    EXPECT_EQ((std::vector<int>{1, 2}), SELECT_CopyOrder(m_design.Get(), {2}, 0));
    EXPECT_TRUE(SELECT_CopyOrder(m_design.Get(), {}, 0).empty());
}

TEST_F(SelectionTest, TotalCountsEveryInstalledThingOnce) {
    EXPECT_EQ(100 + 20 + 3 + 5, SELECT_TotalBytes(m_design.Get(), {0, 2}));
    EXPECT_EQ(20 + 3, SELECT_TotalBytes(m_design.Get(), {2}));
    EXPECT_EQ(3, SELECT_TotalBytes(m_design.Get(), {}));
}

struct FREE {
    std::map<char, uint64_t> drives;
};
bool FreeOf(char cDrive, uint64_t* pqwFree, void* pUser) {
    const FREE* pFree = static_cast<const FREE*>(pUser);
    const auto it = pFree->drives.find(cDrive);
    if (it == pFree->drives.end())
        return false;
    *pqwFree = it->second;
    return true;
}

TEST_F(SelectionTest, SpaceIsCheckedPerDriveOfTheTargets) {
    EXPECT_EQ(108, SELECT_BytesOnDrive(m_design.Get(), {0, 2}, 'c'));
    EXPECT_EQ(20, SELECT_BytesOnDrive(m_design.Get(), {0, 2}, 'D'));
    FREE room{{{'C', 108}, {'D', 20}}};
    EXPECT_EQ(0, SELECT_ShortDrive(m_design.Get(), {0, 2}, FreeOf, &room));
    FREE tightD{{{'C', 1000}, {'D', 19}}};
    EXPECT_EQ('D', SELECT_ShortDrive(m_design.Get(), {0, 2}, FreeOf, &tightD));
    EXPECT_EQ(0, SELECT_ShortDrive(m_design.Get(), {0}, FreeOf, &tightD));  // nothing goes to D:
    FREE unknown{};
    EXPECT_EQ(0, SELECT_ShortDrive(m_design.Get(), {0, 2}, FreeOf, &unknown));
}

}  // namespace
