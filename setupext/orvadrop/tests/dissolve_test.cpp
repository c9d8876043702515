// The dissolve grid: its cells, their scattered order (the same on every run and platform) and the cell sizes.
#include "setupext/orvadrop/dissolve.h"

#include <gtest/gtest.h>

#include <vector>

#include "testing/testsupport/diagcapture.h"

namespace {

// The cells in the order Next gives them, as cell numbers.
std::vector<uint32_t> Revealed(DISSOLVE* pGrid) {
    std::vector<uint32_t> cells;
    DISSOLVE_RECT rc;
    while (DISSOLVE_Next(pGrid, &rc)) {
        EXPECT_EQ(rc.right - rc.left, pGrid->cxCell);
        EXPECT_EQ(rc.bottom - rc.top, pGrid->cyCell);
        EXPECT_EQ(0, rc.left % pGrid->cxCell);
        EXPECT_EQ(0, rc.top % pGrid->cyCell);
        cells.push_back(static_cast<uint32_t>(rc.top / pGrid->cyCell * pGrid->nColumns + rc.left / pGrid->cxCell));
    }
    return cells;
}

TEST(Dissolve, APictureOf100By50With6PixelCellsHas153CellsEachRevealedOnce) {
    DISSOLVE* pGrid = DISSOLVE_Construct(100, 50, 6, 6);
    ASSERT_TRUE(pGrid);
    EXPECT_EQ(17, pGrid->nColumns);
    EXPECT_EQ(9, pGrid->nRows);
    EXPECT_EQ(153u, pGrid->maxOrder);
    EXPECT_EQ(4, pGrid->cxRemainder);
    EXPECT_EQ(2, pGrid->cyRemainder);
    DISSOLVE_Shuffle(pGrid);
    const std::vector<uint32_t> cells = Revealed(pGrid);
    ASSERT_EQ(153u, cells.size());
    std::vector<int> seen(153, 0);
    for (uint32_t cell : cells)
        ++seen.at(cell);
    EXPECT_EQ(std::vector<int>(153, 1), seen);
    // The last column and row reach past the picture, by what it lacks of a full cell.
    DISSOLVE_Shuffle(pGrid);
    DISSOLVE_RECT rc;
    int32_t xRight = 0, yBottom = 0;
    while (DISSOLVE_Next(pGrid, &rc)) {
        xRight = rc.right > xRight ? rc.right : xRight;
        yBottom = rc.bottom > yBottom ? rc.bottom : yBottom;
    }
    EXPECT_EQ(102, xRight);
    EXPECT_EQ(54, yBottom);
    DISSOLVE_Destroy(pGrid);
}

// The generator is the Microsoft run-time's: seeded with 1 it starts 41, 18467, 6334, 26500, 19169, so the
// order below is what the product's run-time library produced, on every platform this runs on.
TEST(Dissolve, TheOrderIsFixedBySeed1) {
    uint32_t nSeed = 1;
    const int anFirst[] = {41, 18467, 6334, 26500, 19169};
    for (int n : anFirst)
        EXPECT_EQ(n, DISSOLVE_Rand(&nSeed));

    DISSOLVE* pGrid = DISSOLVE_Construct(100, 50, 6, 6);
    ASSERT_TRUE(pGrid);
    DISSOLVE_Shuffle(pGrid);
    const std::vector<uint32_t> first = Revealed(pGrid);
    const std::vector<uint32_t> expected = {23, 64, 15, 59, 89, 48, 53, 137, 63, 97, 98, 131};
    EXPECT_EQ(expected, std::vector<uint32_t>(first.begin(), first.begin() + 12));
    DISSOLVE_Destroy(pGrid);
    // A second grid, as a second run of the slide show makes, gives the same order again.
    pGrid = DISSOLVE_Construct(100, 50, 6, 6);
    ASSERT_TRUE(pGrid);
    DISSOLVE_Shuffle(pGrid);
    EXPECT_EQ(first, Revealed(pGrid));
    DISSOLVE_Destroy(pGrid);
}

// With 250,000 cells the product of a random number and the count passes 32 bits; every index must still
// name a cell, and every cell come once.
TEST(Dissolve, ALargeGridIsStillAPermutation) {
    DISSOLVE* pGrid = DISSOLVE_Construct(1000, 1000, 2, 2);
    ASSERT_TRUE(pGrid);
    ASSERT_EQ(250000u, pGrid->maxOrder);
    CDiagCapture diag;
    DISSOLVE_Shuffle(pGrid);
    std::vector<char> seen(pGrid->maxOrder, 0);
    for (uint32_t i = 0; i < pGrid->maxOrder; ++i) {
        ASSERT_LT(pGrid->pOrder[i], pGrid->maxOrder);
        seen[pGrid->pOrder[i]] = 1;
    }
    EXPECT_EQ(std::vector<char>(pGrid->maxOrder, 1), seen);
    DISSOLVE_Destroy(pGrid);
}

TEST(Dissolve, TheLargestRandomNumberSwapsNothingAndIsReported) {
    // The index equals the count only when the generator gives 32767: a grid just long enough to reach the
    // first 32767 of the sequence meets it at its last step.
    uint32_t nSeed = 1;
    uint32_t nSteps = 0;
    while (DISSOLVE_Rand(&nSeed) != 32767)
        ++nSteps;
    DISSOLVE* pGrid = DISSOLVE_Construct(static_cast<int32_t>(nSteps + 1), 1, 1, 1);
    ASSERT_TRUE(pGrid);
    CDiagCapture diag;
    DISSOLVE_Shuffle(pGrid);
    EXPECT_NE(std::string::npos, diag.Text().find("Index < pSelf->maxOrder")) << diag.Text();
    DISSOLVE_Destroy(pGrid);
}

TEST(Dissolve, GridsThatCannotBe) {
    EXPECT_FALSE(DISSOLVE_Construct(100, 50, 0, 6));
    EXPECT_FALSE(DISSOLVE_Construct(100, 50, 6, 0));
    CDiagCapture diag;
    EXPECT_FALSE(DISSOLVE_Construct(1 << 20, 1 << 20, 1, 1));
    EXPECT_NE(std::string::npos, diag.Text().find("pSelf")) << diag.Text();

    // An empty picture has a grid with no cells.
    DISSOLVE* pGrid = DISSOLVE_Construct(0, 50, 6, 6);
    ASSERT_TRUE(pGrid);
    DISSOLVE_Shuffle(pGrid);
    DISSOLVE_RECT rc;
    EXPECT_FALSE(DISSOLVE_Next(pGrid, &rc));
    DISSOLVE_Destroy(pGrid);
}

TEST(Dissolve, CellSizesByScreenWidth) {
    struct CASE {
        int32_t cxScreen;
        int32_t anSizes[4];
    } cases[] = {
        {640, {2, 3, 4, 3}},
        {641, {2, 6, 8, 6}},
        {800, {2, 6, 8, 6}},
        {1280, {2, 6, 8, 6}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.cxScreen);
        int32_t anSizes[4];
        DISSOLVE_CellSizes(c.cxScreen, anSizes);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.anSizes[i], anSizes[i]) << i;
    }
}

}  // namespace
