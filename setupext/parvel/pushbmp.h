// The push-bitmap button: a push button that shows an icon and a caption, each in a part of the button.
//
// Its window text holds a caption format: an icon name (ended by a blank or "["), optionally "[" and the
// pressed icon's name "]", a blank, optionally "@" with two position letters and an optional "*", a blank, and
// the caption. The first letter places the icon, the second the caption: T top half, B bottom half, L left
// half, R right half, anything else the whole button. "*" draws the caption embossed at all times. For example
// "EXIT[EXITDN] @RL E&xit".
//
// This header holds the format's parsing and the button's layout, which are portable; the window class is in
// pushbmp_win.h.
#pragma once

const int PUSHBMP_MAX_ICONNAME = 31;
const int PUSHBMP_MAX_CAPTION = 128;

enum PUSHBMP_POS { PUSHBMP_POS_CENTER, PUSHBMP_POS_TOP, PUSHBMP_POS_BOTTOM, PUSHBMP_POS_LEFT, PUSHBMP_POS_RIGHT };

// A caption format taken apart.
struct PUSHBMP_CAPTION {
    char szIcon[PUSHBMP_MAX_ICONNAME + 1];
    char szIconDown[PUSHBMP_MAX_ICONNAME + 1];  // empty: no pressed icon
    char szCaption[PUSHBMP_MAX_CAPTION + 1];
    PUSHBMP_POS posIcon;
    PUSHBMP_POS posCaption;
    bool fEmbossed;  // the "*" flag
};

struct PUSHBMP_RECT {
    long left, top, right, bottom;
};

// Parses a caption format; names and caption longer than their limits are cut. Never fails.
void PUSHBMP_ParseCaption(const char* szText, PUSHBMP_CAPTION* pCaption);

// The rectangle of the part at pos in a client rectangle: the client inset by 6 border widths, split by pos,
// made one border width smaller, and moved 2 border widths right and down when pressed.
PUSHBMP_RECT PUSHBMP_PartRect(const PUSHBMP_RECT& rcClient, PUSHBMP_POS pos, int nBorder, bool fPressed);

// Where a caption cx by cy goes in its part: top and bottom centred across, left and right centred up and down,
// centre both ways.
PUSHBMP_RECT PUSHBMP_PlaceCaption(const PUSHBMP_RECT& rcPart, PUSHBMP_POS pos, long cx, long cy);
