// The gas gauge: the suite's own progress bar, a child-window class driven by numbered commands.
//
// A program registers the class once under a name of its own (GASGAUGE_Initialize) and then sends each gauge
// the platform's command message: the command number in the low 16 bits of the first parameter, the value in
// the second. The style bit GASGAUGE_STYLE_3D selects a sunken, tick-marked well with a bevelled bar; without
// it the bar is flat, and GASGAUGE_STYLE_PERCENT adds the percentage text.
//
// This header holds the gauge's state and the arithmetic of both styles, which are portable; the window class
// and its painting live in gasgauge_win.cpp (gasgauge_win.h).
#pragma once

#include "toolkit/mfx.h"

enum GASGAUGE_COMMAND {
    GASGAUGE_SETBARCOLOR = 100,  // bar colour = value
    GASGAUGE_SETBKCOLOR = 101,   // background colour = value
    GASGAUGE_SETRANGE = 102,     // range = value; a position above it is lowered to it
    GASGAUGE_SETPOSITION = 103,  // position = value, at most the range
    GASGAUGE_STEP = 104,         // position grows by value, at most to the range
};

const unsigned long GASGAUGE_STYLE_3D = 2;
const unsigned long GASGAUGE_STYLE_PERCENT = 16;  // flat style only

// Colours as the platform stores them: red in the low byte, then green, then blue.
typedef unsigned long GASGAUGE_COLOR;
constexpr GASGAUGE_COLOR GASGAUGE_Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

struct GASGAUGE_RECT {
    long left, top, right, bottom;
};

// One gauge's state.
struct GASGAUGE {
    int nRange;
    int nPosition;
    GASGAUGE_COLOR crBackground;
    GASGAUGE_COLOR crBar;
    // 3D style: recomputed by GASGAUGE_Layout3D at each paint.
    GASGAUGE_RECT rcClient;
    GASGAUGE_RECT rcInner;
    GASGAUGE_RECT rcBar;
};

// What the window must do after a command.
enum GASGAUGE_REDRAW {
    GASGAUGE_REDRAW_NONE,        // nothing visible changed
    GASGAUGE_REDRAW_INVALIDATE,  // invalidate the whole control without erasing
    GASGAUGE_REDRAW_NOW,         // 3D style: redraw at once, off screen and copied in
};

// The state of a new gauge: range 100, position 0, white background, blue bar.
void GASGAUGE_Construct(GASGAUGE* pGauge);

// Applies one command. cxClient is the control's client width and f3D its style; together they tell whether
// the drawn bar changes, so that a position that moves within one pixel repaints nothing.
GASGAUGE_REDRAW GASGAUGE_Command(GASGAUGE* pGauge, unsigned uCommand, int nValue, long cxClient, bool f3D);

// Flat style: the width in pixels of the bar in a client cx wide, from 0 to cx.
long GASGAUGE_FlatFill(const GASGAUGE* pGauge, long cx);
// Flat style: the percentage text of a bar fill pixels wide in a client cx wide ("0%" .. "100%").
void GASGAUGE_FormatPercent(long lFill, long cx, char* szText, int cbText);

// 3D style: computes rcClient, rcInner and rcBar for a client cx by cy.
void GASGAUGE_Layout3D(GASGAUGE* pGauge, long cx, long cy);
// 3D style, after the layout: the x of the five tick lines.
void GASGAUGE_Ticks3D(const GASGAUGE* pGauge, long axTicks[5]);
// 3D style, after the layout: true when the bevelled bar is drawn (position above 0, bar over 4 pixels wide).
bool GASGAUGE_HasBar3D(const GASGAUGE* pGauge);
