// The gauge's state, commands and geometry, without a window.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "toolkit/gasgauge.h"

namespace {

struct STEP {
    unsigned uCommand;
    int nValue;
};

TEST(GasGaugeModel, NewGaugeIsEmptyHundredWithBlueBarOnWhite) {
    GASGAUGE gauge;
    GASGAUGE_Construct(&gauge);
    EXPECT_EQ(100, gauge.nRange);
    EXPECT_EQ(0, gauge.nPosition);
    EXPECT_EQ(GASGAUGE_Rgb(255, 255, 255), gauge.crBackground);
    EXPECT_EQ(GASGAUGE_Rgb(0, 0, 255), gauge.crBar);
    EXPECT_EQ(0xFF0000u, GASGAUGE_Rgb(0, 0, 255));
}

TEST(GasGaugeModel, CommandsKeepThePositionWithinTheRange) {
    const struct {
        const char* szName;
        std::vector<STEP> steps;
        std::vector<int> positions;  // after each step
        int nRange;
    } cases[] = {
        {"position above the range is lowered to it", {{102, 10}, {103, 15}}, {0, 10}, 10},
        {"range below the position lowers it", {{103, 50}, {102, 40}}, {50, 40}, 40},
        {"steps stop at the range", {{104, 30}, {104, 30}, {104, 30}, {104, 30}}, {30, 60, 90, 100}, 100},
        {"a step landing on the range", {{103, 70}, {104, 30}}, {70, 100}, 100},
        {"range raised keeps the position", {{103, 80}, {102, 1000}}, {80, 80}, 1000},
        {"position may go back", {{103, 80}, {103, 20}}, {80, 20}, 100},
        {"negative step", {{103, 50}, {104, -20}}, {50, 30}, 100},
        {"huge step cannot wrap", {{102, INT_MAX}, {103, INT_MAX - 1}, {104, INT_MAX}}, {0, INT_MAX - 1, INT_MAX},
         INT_MAX},
        {"huge negative step stops at the smallest position",
         {{103, INT_MIN + 5}, {104, INT_MIN}},
         {INT_MIN + 5, INT_MIN},
         100},
        {"colours and unknown commands leave the position", {{103, 40}, {100, 0xFF}, {101, 0}, {105, 90}},
         {40, 40, 40, 40}, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        GASGAUGE gauge;
        GASGAUGE_Construct(&gauge);
        for (size_t i = 0; i < c.steps.size(); i++) {
            GASGAUGE_Command(&gauge, c.steps[i].uCommand, c.steps[i].nValue, 200, false);
            EXPECT_EQ(c.positions[i], gauge.nPosition) << "after step " << i;
        }
        EXPECT_EQ(c.nRange, gauge.nRange);
    }
}

TEST(GasGaugeModel, ColourCommandsSetTheColours) {
    GASGAUGE gauge;
    GASGAUGE_Construct(&gauge);
    EXPECT_EQ(GASGAUGE_REDRAW_INVALIDATE, GASGAUGE_Command(&gauge, 100, GASGAUGE_Rgb(1, 2, 3), 200, true));
    EXPECT_EQ(GASGAUGE_REDRAW_INVALIDATE, GASGAUGE_Command(&gauge, 101, GASGAUGE_Rgb(4, 5, 6), 200, true));
    EXPECT_EQ(GASGAUGE_Rgb(1, 2, 3), gauge.crBar);
    EXPECT_EQ(GASGAUGE_Rgb(4, 5, 6), gauge.crBackground);
}

TEST(GasGaugeModel, PositionRepaintsOnlyWhenTheDrawnBarChanges) {
    const struct {
        const char* szName;
        bool f3D;
        int nFrom, nTo;
        GASGAUGE_REDRAW redraw;
    } cases[] = {
        {"flat, grown", false, 1000, 2000, GASGAUGE_REDRAW_INVALIDATE},
        {"flat, shrunk", false, 2000, 1000, GASGAUGE_REDRAW_INVALIDATE},
        {"flat, within one pixel", false, 1000, 1001, GASGAUGE_REDRAW_NONE},
        {"3D, grown: redrawn at once", true, 1000, 2000, GASGAUGE_REDRAW_NOW},
        {"3D, shrunk: invalidated", true, 5000, 2000, GASGAUGE_REDRAW_INVALIDATE},
        {"3D, within one pixel", true, 1000, 1001, GASGAUGE_REDRAW_NONE},
        {"3D, bar still too narrow to draw", true, 0, 10, GASGAUGE_REDRAW_NONE},
        {"3D, bar appears", true, 10, 400, GASGAUGE_REDRAW_NOW},
        {"unchanged", true, 50, 50, GASGAUGE_REDRAW_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        GASGAUGE gauge;
        GASGAUGE_Construct(&gauge);
        // 200 pixels wide: the flat bar is 200 pixels, the 3D inner well 181.
        GASGAUGE_Command(&gauge, GASGAUGE_SETRANGE, 10000, 200, c.f3D);
        GASGAUGE_Command(&gauge, GASGAUGE_SETPOSITION, c.nFrom, 200, c.f3D);
        EXPECT_EQ(c.redraw, GASGAUGE_Command(&gauge, GASGAUGE_SETPOSITION, c.nTo, 200, c.f3D));
        EXPECT_EQ(c.nTo, gauge.nPosition);
    }
    GASGAUGE gauge;
    GASGAUGE_Construct(&gauge);
    EXPECT_EQ(GASGAUGE_REDRAW_NOW, GASGAUGE_Command(&gauge, GASGAUGE_STEP, 10, 200, true));
    EXPECT_EQ(GASGAUGE_REDRAW_INVALIDATE, GASGAUGE_Command(&gauge, GASGAUGE_SETRANGE, 100, 200, true));
}

TEST(GasGaugeModel, FlatFillAndPercentText) {
    const struct {
        int nRange, nPosition;
        long cx;
        long lFill;
        const char* szPercent;
    } cases[] = {
        {100, 0, 200, 0, "0%"},     {100, 50, 200, 100, "50%"}, {3, 1, 100, 33, "33%"},
        {3, 2, 100, 66, "66%"},     {100, 100, 7, 7, "100%"},   {0, 0, 200, 0, "0%"},
        {100, -5, 200, 0, "0%"},    {-100, 50, 200, 0, "0%"},   {100, 50, 0, 0, "100%"},
        {INT_MAX, INT_MAX - 1, 1000, 999, "99%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nPosition) + " of " + std::to_string(c.nRange) + " in " + std::to_string(c.cx));
        GASGAUGE gauge;
        GASGAUGE_Construct(&gauge);
        gauge.nRange = c.nRange;
        gauge.nPosition = c.nPosition;
        const long lFill = GASGAUGE_FlatFill(&gauge, c.cx);
        EXPECT_EQ(c.lFill, lFill);
        char szText[16];
        GASGAUGE_FormatPercent(lFill, c.cx, szText, sizeof(szText));
        EXPECT_STREQ(c.szPercent, szText);
    }
}

TEST(GasGaugeModel, Layout3DPlacesWellBarAndTicks) {
    GASGAUGE gauge;
    GASGAUGE_Construct(&gauge);
    gauge.nPosition = 50;
    GASGAUGE_Layout3D(&gauge, 200, 40);
    EXPECT_EQ(0, gauge.rcClient.left);
    EXPECT_EQ(201, gauge.rcClient.right);
    EXPECT_EQ(41, gauge.rcClient.bottom);
    EXPECT_EQ(10, gauge.rcInner.left);
    EXPECT_EQ(10, gauge.rcInner.top);
    EXPECT_EQ(191, gauge.rcInner.right);
    EXPECT_EQ(31, gauge.rcInner.bottom);
    // 50 % of 181 pixels is 90.5, truncated.
    EXPECT_EQ(10, gauge.rcBar.left);
    EXPECT_EQ(100, gauge.rcBar.right);
    EXPECT_EQ(gauge.rcInner.top, gauge.rcBar.top);
    EXPECT_EQ(gauge.rcInner.bottom, gauge.rcBar.bottom);
    EXPECT_TRUE(GASGAUGE_HasBar3D(&gauge));

    long axTicks[5];
    GASGAUGE_Ticks3D(&gauge, axTicks);
    const long axExpected[5] = {12, 55, 100, 145, 188};
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(axExpected[i], axTicks[i]) << "tick " << i;
}

TEST(GasGaugeModel, Bar3DIsDrawnOnlyWhenWiderThanFourPixels) {
    const struct {
        int nPosition;
        long cxBar;
        bool fDrawn;
    } cases[] = {{0, 0, false}, {4, 4, false}, {5, 5, true}, {100, 101, true}, {150, 101, true}, {-10, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPosition);
        GASGAUGE gauge;
        GASGAUGE_Construct(&gauge);
        gauge.nPosition = c.nPosition;
        GASGAUGE_Layout3D(&gauge, 120, 30);  // inner width 101 for a range of 100
        EXPECT_EQ(c.cxBar, gauge.rcBar.right - gauge.rcBar.left);
        EXPECT_EQ(c.fDrawn, GASGAUGE_HasBar3D(&gauge));
    }
}

}  // namespace
