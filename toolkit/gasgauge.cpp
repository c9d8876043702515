#include "toolkit/gasgauge.h"

#include <climits>
#include <cstdio>

namespace {

const long INNER_MARGIN = 10;  // the 3D well sits this far inside the client on every side
const long MIN_BAR_3D = 4;     // a 3D bar this narrow or narrower is not drawn

// Fraction position / range of a length, truncated, kept within 0..length. A range of 0 fills nothing
// (nothing is painted then anyway); a negative position or a range of the other sign fills nothing rather
// than drawing backwards.
long Scale(int nPosition, int nRange, long lLength) {
    if (nRange == 0 || lLength <= 0)
        return 0;
    const double dFill = static_cast<double>(nPosition) / nRange * static_cast<double>(lLength);
    if (dFill <= 0)
        return 0;
    if (dFill >= static_cast<double>(lLength))
        return lLength;
    return static_cast<long>(dFill);
}

// The width of the bar as drawn, the measure that decides whether a new position repaints anything.
long DrawnBar(const GASGAUGE* pGauge, long cxClient, bool f3D) {
    if (!f3D)
        return GASGAUGE_FlatFill(pGauge, cxClient);
    GASGAUGE gauge = *pGauge;
    GASGAUGE_Layout3D(&gauge, cxClient, 0);
    return GASGAUGE_HasBar3D(&gauge) ? gauge.rcBar.right - gauge.rcBar.left : 0;
}

}  // namespace

void GASGAUGE_Construct(GASGAUGE* pGauge) {
    *pGauge = GASGAUGE{};
    pGauge->nRange = 100;
    pGauge->nPosition = 0;
    pGauge->crBackground = GASGAUGE_Rgb(255, 255, 255);
    pGauge->crBar = GASGAUGE_Rgb(0, 0, 255);
}

GASGAUGE_REDRAW GASGAUGE_Command(GASGAUGE* pGauge, unsigned uCommand, int nValue, long cxClient, bool f3D) {
    const int nOldPosition = pGauge->nPosition;
    const long lOldBar = DrawnBar(pGauge, cxClient, f3D);
    switch (uCommand) {
        case GASGAUGE_SETBARCOLOR:
            pGauge->crBar = static_cast<GASGAUGE_COLOR>(nValue);
            return GASGAUGE_REDRAW_INVALIDATE;
        case GASGAUGE_SETBKCOLOR:
            pGauge->crBackground = static_cast<GASGAUGE_COLOR>(nValue);
            return GASGAUGE_REDRAW_INVALIDATE;
        case GASGAUGE_SETRANGE:
            pGauge->nRange = nValue;
            if (pGauge->nPosition > nValue)
                pGauge->nPosition = nValue;
            return GASGAUGE_REDRAW_INVALIDATE;
        case GASGAUGE_SETPOSITION:
            pGauge->nPosition = nValue > pGauge->nRange ? pGauge->nRange : nValue;
            break;
        case GASGAUGE_STEP: {
            // Added in 64 bits so that a step near the limits of the 32-bit position cannot wrap around.
            const long long llPosition = static_cast<long long>(pGauge->nPosition) + nValue;
            pGauge->nPosition = llPosition > pGauge->nRange ? pGauge->nRange
                                : llPosition < INT_MIN      ? INT_MIN
                                                            : static_cast<int>(llPosition);
            break;
        }
        default:
            return GASGAUGE_REDRAW_NONE;
    }
    if (DrawnBar(pGauge, cxClient, f3D) == lOldBar)
        return GASGAUGE_REDRAW_NONE;
    return f3D && pGauge->nPosition > nOldPosition ? GASGAUGE_REDRAW_NOW : GASGAUGE_REDRAW_INVALIDATE;
}

long GASGAUGE_FlatFill(const GASGAUGE* pGauge, long cx) {
    return Scale(pGauge->nPosition, pGauge->nRange, cx);
}

void GASGAUGE_FormatPercent(long lFill, long cx, char* szText, int cbText) {
    snprintf(szText, cbText, "%ld%%", cx == 0 ? 100 : lFill * 100 / cx);
}

void GASGAUGE_Layout3D(GASGAUGE* pGauge, long cx, long cy) {
    // One pixel more to the right and bottom: the fills are drawn without an outline, which leaves out the
    // last column and row of the rectangle.
    pGauge->rcClient = GASGAUGE_RECT{0, 0, cx + 1, cy + 1};
    const GASGAUGE_RECT& rc = pGauge->rcClient;
    pGauge->rcInner = GASGAUGE_RECT{rc.left + INNER_MARGIN, rc.top + INNER_MARGIN, rc.right - INNER_MARGIN,
                                    rc.bottom - INNER_MARGIN};
    const long cxInner = pGauge->rcInner.right - pGauge->rcInner.left;
    pGauge->rcBar = pGauge->rcInner;
    pGauge->rcBar.right = pGauge->rcInner.left + Scale(pGauge->nPosition, pGauge->nRange, cxInner);
}

void GASGAUGE_Ticks3D(const GASGAUGE* pGauge, long axTicks[5]) {
    const GASGAUGE_RECT& rc = pGauge->rcInner;
    const long cxQuarter = (rc.right - rc.left) / 4;
    axTicks[0] = rc.left + 2;
    for (int i = 1; i <= 3; i++)
        axTicks[i] = rc.left + i * cxQuarter;
    axTicks[4] = rc.right - 3;
}

bool GASGAUGE_HasBar3D(const GASGAUGE* pGauge) {
    return pGauge->nPosition > 0 && pGauge->rcBar.right - pGauge->rcBar.left > MIN_BAR_3D;
}
