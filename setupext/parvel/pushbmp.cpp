// The push-bitmap button's caption format and layout.
#include "setupext/parvel/pushbmp.h"

namespace {

// Copies up to the first of szStops (or the end) into szOut, keeping at most cchMax characters; the rest of
// the run is skipped. Returns where the run ended.
const char* CopyRun(const char* p, const char* szStops, char* szOut, int cchMax) {
    int cch = 0;
    for (; *p; ++p) {
        bool fStop = false;
        for (const char* s = szStops; *s; ++s)
            fStop = fStop || *p == *s;
        if (fStop)
            break;
        if (cch < cchMax)
            szOut[cch++] = *p;
    }
    szOut[cch] = '\0';
    return p;
}

PUSHBMP_POS PosOfLetter(char ch) {
    switch (ch) {
        case 'T':
            return PUSHBMP_POS_TOP;
        case 'B':
            return PUSHBMP_POS_BOTTOM;
        case 'L':
            return PUSHBMP_POS_LEFT;
        case 'R':
            return PUSHBMP_POS_RIGHT;
        default:
            return PUSHBMP_POS_CENTER;
    }
}

// One blank, when there is one.
const char* SkipBlank(const char* p) {
    return *p == ' ' ? p + 1 : p;
}

}  // namespace

void PUSHBMP_ParseCaption(const char* szText, PUSHBMP_CAPTION* pCaption) {
    *pCaption = PUSHBMP_CAPTION{};
    const char* p = szText ? szText : "";
    p = CopyRun(p, " [", pCaption->szIcon, PUSHBMP_MAX_ICONNAME);
    if (*p == '[') {
        p = CopyRun(p + 1, "]", pCaption->szIconDown, PUSHBMP_MAX_ICONNAME);
        if (*p == ']')
            ++p;
    }
    p = SkipBlank(p);
    if (*p == '@') {
        ++p;
        // Each letter is taken only when present, so a format cut short keeps the centre.
        if (*p)
            pCaption->posIcon = PosOfLetter(*p++);
        if (*p)
            pCaption->posCaption = PosOfLetter(*p++);
        if (*p == '*') {
            pCaption->fEmbossed = true;
            ++p;
        }
        p = SkipBlank(p);
    }
    CopyRun(p, "", pCaption->szCaption, PUSHBMP_MAX_CAPTION);
}

PUSHBMP_RECT PUSHBMP_PartRect(const PUSHBMP_RECT& rcClient, PUSHBMP_POS pos, int nBorder, bool fPressed) {
    const long inset = 6L * nBorder;
    PUSHBMP_RECT rc = {rcClient.left + inset, rcClient.top + inset, rcClient.right - inset, rcClient.bottom - inset};
    const long xMiddle = rc.left + (rc.right - rc.left) / 2;
    const long yMiddle = rc.top + (rc.bottom - rc.top) / 2;
    switch (pos) {
        case PUSHBMP_POS_TOP:
            rc.bottom = yMiddle;
            break;
        case PUSHBMP_POS_BOTTOM:
            rc.top = yMiddle;
            break;
        case PUSHBMP_POS_LEFT:
            rc.right = xMiddle;
            break;
        case PUSHBMP_POS_RIGHT:
            rc.left = xMiddle;
            break;
        case PUSHBMP_POS_CENTER:
            break;
    }
    rc = {rc.left + nBorder, rc.top + nBorder, rc.right - nBorder, rc.bottom - nBorder};
    if (fPressed) {
        const long offset = 2L * nBorder;
        rc = {rc.left + offset, rc.top + offset, rc.right + offset, rc.bottom + offset};
    }
    return rc;
}

PUSHBMP_RECT PUSHBMP_PlaceCaption(const PUSHBMP_RECT& rcPart, PUSHBMP_POS pos, long cx, long cy) {
    const long xCentred = rcPart.left + (rcPart.right - rcPart.left - cx) / 2;
    const long yCentred = rcPart.top + (rcPart.bottom - rcPart.top - cy) / 2;
    long x = xCentred, y = yCentred;
    switch (pos) {
        case PUSHBMP_POS_TOP:
            y = rcPart.top;
            break;
        case PUSHBMP_POS_BOTTOM:
            y = rcPart.bottom - cy;
            break;
        case PUSHBMP_POS_LEFT:
            x = rcPart.left;
            break;
        case PUSHBMP_POS_RIGHT:
            x = rcPart.right - cx;
            break;
        case PUSHBMP_POS_CENTER:
            break;
    }
    return {x, y, x + cx, y + cy};
}
