// The block pool: sizes, reuse, growth by segments and the checks on released items.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/blocks.h"

namespace {

TEST(Blocks, ConstructRefusesSegmentsTooSmallOrTooLarge) {
    CDiagCapture quiet;
    const struct {
        size_t cbItem;
        size_t cbSegment;
        bool fMade;
        size_t nPerSegment;
    } cases[] = {
        {264, 4096, true, 15}, {68, 4096, true, 60}, {8, 65531, true, 8189}, {8, 65532, false, 0},
        {264, 276, false, 0},  {264, 277, true, 1},  {8, 12, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.cbItem) + " in " + std::to_string(c.cbSegment));
        BLOCKS* pPool = BLOCKS_Construct(c.cbItem, c.cbSegment, false);
        EXPECT_EQ(c.fMade, pPool != nullptr);
        if (pPool) {
            EXPECT_EQ(c.nPerSegment, pPool->nItemsPerSegment);
            EXPECT_TRUE(pPool->fCheck);
            EXPECT_EQ(1, BLOCKS_Destructor(pPool));
        }
    }
}

TEST(Blocks, ItemsAreDistinctWritableAndReused) {
    CDiagCapture capture;
    BLOCKS* pPool = BLOCKS_Construct(68, 4096, true);
    ASSERT_NE(nullptr, pPool);
    std::vector<char*> items;
    for (int i = 0; i < 150; ++i) {  // three segments of 60
        char* pItem = static_cast<char*>(BLOCKS_Alloc(pPool));
        ASSERT_NE(nullptr, pItem);
        memset(pItem, i, 68);
        items.push_back(pItem);
    }
    EXPECT_EQ(150u, std::set<char*>(items.begin(), items.end()).size());
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(static_cast<char>(i), items[i][67]);
    EXPECT_EQ(1, BLOCKS_Free(pPool, items[42]));
    EXPECT_EQ(items[42], BLOCKS_Alloc(pPool));
    for (char* pItem : items)
        EXPECT_EQ(1, BLOCKS_Free(pPool, pItem));
    EXPECT_EQ("", capture.Text());
    EXPECT_EQ(1, BLOCKS_Destructor(pPool));
}

TEST(Blocks, FreeRefusesWhatThePoolDidNotGive) {
    CDiagCapture capture;
    BLOCKS* pPool = BLOCKS_Construct(264, 4096, false);
    char* pItem = static_cast<char*>(BLOCKS_Alloc(pPool));
    char* pFreed = static_cast<char*>(BLOCKS_Alloc(pPool));
    ASSERT_EQ(1, BLOCKS_Free(pPool, pFreed));
    char foreign[264];
    for (void* p : {static_cast<void*>(foreign), static_cast<void*>(pItem + 1), static_cast<void*>(nullptr),
                    static_cast<void*>(pFreed)}) {
        capture.Clear();
        EXPECT_EQ(0, BLOCKS_Free(pPool, p));
        EXPECT_NE(std::string::npos, capture.Text().find("MFX_PRE failed: in BLOCKS"));
    }
    // The refused releases left the free list alone: the freed item comes back once, then new ones.
    char* pSecond = static_cast<char*>(BLOCKS_Alloc(pPool));
    char* pThird = static_cast<char*>(BLOCKS_Alloc(pPool));
    EXPECT_EQ(pFreed, pSecond);
    EXPECT_NE(pItem, pThird);
    EXPECT_NE(pSecond, pThird);
    EXPECT_EQ(1, BLOCKS_Destructor(pPool));
}

}  // namespace
