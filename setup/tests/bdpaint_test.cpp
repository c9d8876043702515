// Where the backdrop's picture and text go for each position code.
#include "setup/bdpaint.h"

#include <gtest/gtest.h>

#include <string>

TEST(BdpaintTest, PictureOriginByCode) {
    // A 100 by 40 picture in a 640 by 480 window.
    struct CASE {
        int nPos;
        int x, y;
    } cases[] = {
        {1, 3, 3},   {2, 270, 3},   {3, 534, 3},   {4, 3, 220}, {5, 270, 220}, {6, 534, 220},
        {7, 3, 434}, {8, 270, 434}, {9, 534, 434}, {0, 0, 0},   {10, 0, 0},    {-1, 0, 0},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.nPos);
        int x = -1, y = -1;
        BDPAINT_PictureOrigin(c.nPos, 640, 480, 100, 40, &x, &y);
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, y);
    }
}

TEST(BdpaintTest, APictureLargerThanTheWindowGoesToTheCorner) {
    for (int nPos : {5, 9}) {
        SCOPED_TRACE(nPos);
        int x = -1, y = -1;
        BDPAINT_PictureOrigin(nPos, 640, 480, 641, 40, &x, &y);
        EXPECT_EQ(0, x);
        EXPECT_EQ(0, y);
        BDPAINT_PictureOrigin(nPos, 640, 480, 100, 481, &x, &y);
        EXPECT_EQ(0, x);
        EXPECT_EQ(0, y);
    }
    // Exactly the window's size still fits: the far margin then reaches past the left edge.
    int x = 0, y = 0;
    BDPAINT_PictureOrigin(9, 640, 480, 640, 480, &x, &y);
    EXPECT_EQ(-6, x);
    EXPECT_EQ(-6, y);
}

TEST(BdpaintTest, TextPlaceByCode) {
    const int expected[][2] = {{0, 0}, {0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}, {0, 0}};
    for (int nPos = 0; nPos <= 10; ++nPos) {
        SCOPED_TRACE(nPos);
        int nColumn = -1, nRow = -1;
        BDPAINT_TextPlace(nPos, &nColumn, &nRow);
        EXPECT_EQ(expected[nPos][0], nColumn);
        EXPECT_EQ(expected[nPos][1], nRow);
    }
}
