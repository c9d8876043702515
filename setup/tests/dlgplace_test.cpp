// Where a placement box puts a dialog: anchors and dialog points in per cent, and the push back inside the
// screen.
#include <gtest/gtest.h>

#include "setup/dlgplace.h"

namespace {

TEST(DlgPlace, PutsTheDialogsPointOnTheAnchorAndKeepsItOnTheScreen) {
    const DLGPLACE_RECT rcScreen = {0, 0, 1280, 1024};
    const DLGPLACE_RECT rcBackdrop = {100, 50, 1100, 850};
    const struct {
        DLGBOX box;
        DLGPLACE_RECT rcReference;
        int x, y;
    } cases[] = {
        {{50, 50, 50, 50, {}}, rcScreen, 540, 462},     // centred on the screen
        {{50, 50, 50, 50, {}}, rcBackdrop, 500, 400},   // centred on the backdrop
        {{0, 0, 0, 0, {}}, rcBackdrop, 100, 50},        // top left corners together
        {{50, 90, 50, 100, {}}, rcBackdrop, 500, 670},  // the bottom edge at nine tenths
        {{100, 100, 0, 0, {}}, rcScreen, 1080, 924},    // pushed back inside on both axes
        {{0, 0, 100, 100, {}}, rcBackdrop, 0, 0},       // and from the other side
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.box.xAnchor << "," << c.box.yAnchor << "," << c.box.xDialog << ","
                                          << c.box.yDialog << " in " << c.rcReference.right);
        int x = -1, y = -1;
        DLGBOX_Position(&c.box, c.rcReference, 200, 100, rcScreen, &x, &y);
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, y);
    }
}

TEST(DlgPlace, ADialogLargerThanTheScreenKeepsItsTopLeftCornerOnIt) {
    const DLGPLACE_RECT rcScreen = {0, 0, 640, 480};
    const DLGBOX box = {50, 50, 50, 50, {}};
    int x = -1, y = -1;
    DLGBOX_Position(&box, rcScreen, 800, 600, rcScreen, &x, &y);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
}

}  // namespace
