// Where a dragged selection would go for each pointer position over a list of fixed-height entries.
#include <gtest/gtest.h>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/diag.h"
#include "toolkit/docframe/lstorder.h"

namespace {

const int CY_ENTRY = 20;

TEST(LstOrderTest, UpperHalfMeansBeforeLowerHalfAfterAndBelowTheLastTheEnd) {
    const LSTORDER_RECT rcClient = {0, 0, 100, 70};  // entries from the top one start at 0, 20, 40, 60
    const struct {
        const char* szCase;
        int nTop, nCount, x, y;
        LSTORDER_INSERTION expected;
    } cases[] = {
        {"upper half of entry 0", 0, 5, 5, 3, {0, 0, 0}},
        {"lower half of entry 0", 0, 5, 5, 12, {1, 0, 21}},
        {"first row of the lower half", 0, 5, 99, 50, {3, 0, 61}},
        {"last visible entry, upper half", 0, 5, 5, 65, {3, 0, 60}},
        {"last visible entry cut by the bottom", 0, 5, 5, 69, {3, 0, 60}},
        {"scrolled: upper half of the top entry", 3, 5, 5, 9, {3, 0, 0}},
        {"scrolled: below the last entry", 3, 5, 5, 50, {5, 0, 41}},
        {"below a short list", 0, 2, 5, 60, {2, 0, 41}},
        {"empty list", 0, 0, 5, 5, {LSTORDER_NONE, 0, 0}},
        {"left of the client area", 0, 5, -1, 5, {LSTORDER_NONE, 0, 0}},
        {"below the client area", 0, 5, 5, 70, {LSTORDER_NONE, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        const int nTop = c.nTop;
        const LSTORDER_INSERTION insertion =
            LSTORDER_FindInsertion(c.x, c.y, rcClient, c.nTop, c.nCount, [nTop](int nEntry, LSTORDER_RECT& rc) {
                rc = {0, (nEntry - nTop) * CY_ENTRY, 100, (nEntry - nTop + 1) * CY_ENTRY};
                return true;
            });
        EXPECT_EQ(c.expected.nIndex, insertion.nIndex);
        EXPECT_EQ(c.expected.xMarker, insertion.xMarker);
        EXPECT_EQ(c.expected.yMarker, insertion.yMarker);
    }
}

TEST(LstOrderTest, NoTopIndexOrNoEntryRectangleGivesNoInsertion) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    CDiagCapture capture;
    const LSTORDER_RECT rcClient = {0, 0, 100, 100};
    auto fnNoRect = [](int, LSTORDER_RECT&) { return false; };
    EXPECT_EQ(LSTORDER_NONE, LSTORDER_FindInsertion(5, 5, rcClient, -1, 3, fnNoRect).nIndex);
    EXPECT_NE(std::string::npos, capture.Text().find("nTop >= 0"));
    EXPECT_EQ(LSTORDER_NONE, LSTORDER_FindInsertion(5, 5, rcClient, 0, 3, fnNoRect).nIndex);
    DIAG_Terminate();
}

}  // namespace
