// The push-bitmap button's caption format and layout.
#include "setupext/parvel/pushbmp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PushBmpCaption, FormatsTakenApart) {
    const std::string name40(40, 'N');
    struct CASE {
        std::string text;
        const char* szIcon;
        const char* szIconDown;
        PUSHBMP_POS posIcon, posCaption;
        bool fEmbossed;
        const char* szCaption;
    } cases[] = {
        {"EXIT[EXITDN] @RL E&xit", "EXIT", "EXITDN", PUSHBMP_POS_RIGHT, PUSHBMP_POS_LEFT, false, "E&xit"},
        {"BEGIN[BEGINDN] @TB &Complete", "BEGIN", "BEGINDN", PUSHBMP_POS_TOP, PUSHBMP_POS_BOTTOM, false, "&Complete"},
        {"BACK @LR Go Bac&k", "BACK", "", PUSHBMP_POS_LEFT, PUSHBMP_POS_RIGHT, false, "Go Bac&k"},
        // Without "@" both parts stay in the centre.
        {"CONT &Continue", "CONT", "", PUSHBMP_POS_CENTER, PUSHBMP_POS_CENTER, false, "&Continue"},
        {"SEARCH", "SEARCH", "", PUSHBMP_POS_CENTER, PUSHBMP_POS_CENTER, false, ""},
        {"DIRS @TB* Folders", "DIRS", "", PUSHBMP_POS_TOP, PUSHBMP_POS_BOTTOM, true, "Folders"},
        // Letters other than T, B, L, R keep the centre; C is the centre itself.
        {"MIN @XC Small", "MIN", "", PUSHBMP_POS_CENTER, PUSHBMP_POS_CENTER, false, "Small"},
        // A format cut short after its letters.
        {"MIN @T", "MIN", "", PUSHBMP_POS_TOP, PUSHBMP_POS_CENTER, false, ""},
        {"MIN[MINDN", "MIN", "MINDN", PUSHBMP_POS_CENTER, PUSHBMP_POS_CENTER, false, ""},
        {name40 + "[" + name40 + "] @BR Long", "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN", "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNN",
         PUSHBMP_POS_BOTTOM, PUSHBMP_POS_RIGHT, false, "Long"},
        {"", "", "", PUSHBMP_POS_CENTER, PUSHBMP_POS_CENTER, false, ""},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.text);
        PUSHBMP_CAPTION caption;
        PUSHBMP_ParseCaption(c.text.c_str(), &caption);
        EXPECT_STREQ(c.szIcon, caption.szIcon);
        EXPECT_STREQ(c.szIconDown, caption.szIconDown);
        EXPECT_EQ(c.posIcon, caption.posIcon);
        EXPECT_EQ(c.posCaption, caption.posCaption);
        EXPECT_EQ(c.fEmbossed, caption.fEmbossed);
        EXPECT_STREQ(c.szCaption, caption.szCaption);
    }
}

TEST(PushBmpCaption, LongCaptionIsCutTo128) {
    const std::string caption(200, 'c');
    PUSHBMP_CAPTION parsed;
    PUSHBMP_ParseCaption(("ICON @LR " + caption).c_str(), &parsed);
    EXPECT_EQ(caption.substr(0, PUSHBMP_MAX_CAPTION), parsed.szCaption);
}

TEST(PushBmpLayout, PartsOfAButton) {
    // A 100 x 60 client with one-pixel borders: inset 6 gives (6,6)-(94,54), halves at x 50 and y 30.
    const PUSHBMP_RECT client = {0, 0, 100, 60};
    struct CASE {
        PUSHBMP_POS pos;
        bool fPressed;
        PUSHBMP_RECT expected;
    } cases[] = {
        {PUSHBMP_POS_CENTER, false, {7, 7, 93, 53}},  {PUSHBMP_POS_TOP, false, {7, 7, 93, 29}},
        {PUSHBMP_POS_BOTTOM, false, {7, 31, 93, 53}}, {PUSHBMP_POS_LEFT, false, {7, 7, 49, 53}},
        {PUSHBMP_POS_RIGHT, false, {51, 7, 93, 53}},  {PUSHBMP_POS_RIGHT, true, {53, 9, 95, 55}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << "pos " << c.pos << (c.fPressed ? " pressed" : ""));
        const PUSHBMP_RECT rc = PUSHBMP_PartRect(client, c.pos, 1, c.fPressed);
        EXPECT_EQ(c.expected.left, rc.left);
        EXPECT_EQ(c.expected.top, rc.top);
        EXPECT_EQ(c.expected.right, rc.right);
        EXPECT_EQ(c.expected.bottom, rc.bottom);
    }
    // Two-pixel borders double every inset and the pressed offset.
    const PUSHBMP_RECT rc = PUSHBMP_PartRect(client, PUSHBMP_POS_CENTER, 2, true);
    EXPECT_EQ(14 + 4, rc.left);
    EXPECT_EQ(60 - 14 + 4, rc.bottom);
}

TEST(PushBmpLayout, CaptionPlacedByItsPosition) {
    const PUSHBMP_RECT part = {10, 20, 110, 70};  // 100 x 50
    struct CASE {
        PUSHBMP_POS pos;
        long left, top;
    } cases[] = {
        {PUSHBMP_POS_CENTER, 40, 40}, {PUSHBMP_POS_TOP, 40, 20},   {PUSHBMP_POS_BOTTOM, 40, 60},
        {PUSHBMP_POS_LEFT, 10, 40},   {PUSHBMP_POS_RIGHT, 70, 40},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << "pos " << c.pos);
        const PUSHBMP_RECT rc = PUSHBMP_PlaceCaption(part, c.pos, 40, 10);
        EXPECT_EQ(c.left, rc.left);
        EXPECT_EQ(c.top, rc.top);
        EXPECT_EQ(c.left + 40, rc.right);
        EXPECT_EQ(c.top + 10, rc.bottom);
    }
}

}  // namespace
