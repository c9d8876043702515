// Placing a window by its placement box under Wine: relative to the top-level window that owns it when the
// placement says so, else to the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include "setup/dlgplace_win.h"

namespace {

TEST(DlgPlaceWin, TheBackdropOwningTheDialogIsItsReferenceWhenThePlacementSaysSo) {
    const HWND hBackdrop = CreateWindowA("STATIC", "backdrop", WS_POPUP | WS_VISIBLE, 100, 50, 600, 400, nullptr,
                                         nullptr, nullptr, nullptr);
    ASSERT_TRUE(hBackdrop);
    const HWND hDialog =
        CreateWindowA("STATIC", "dialog", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, hBackdrop, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hDialog);
    DLGBOXES boxes = {};
    DLGBOXES_SetDefault(&boxes);
    boxes.Boxes[DLGBOX_PROGMAN] = DLGBOX{50, 100, 50, 100, {}};  // centred on the bottom edge
    const int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        int16_t fHasBackDrop;
        LONG x, y;
    } cases[] = {
        {1, 100 + 300 - 100, 50 + 400 - 100},
        {0, cxScreen / 2 - 100, cyScreen - 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fHasBackDrop);
        boxes.fHasBackDrop = c.fHasBackDrop;
        DLGBOX_Place(hDialog, &boxes, DLGBOX_PROGMAN);
        RECT rc = {};
        GetWindowRect(hDialog, &rc);
        EXPECT_EQ(c.x, rc.left);
        EXPECT_EQ(c.y, rc.top);
        EXPECT_EQ(200, rc.right - rc.left);
    }
    DestroyWindow(hDialog);
    DestroyWindow(hBackdrop);
}

}  // namespace
