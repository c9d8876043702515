#include "setup/dlgplace.h"

namespace {

int Place(int nStart, int nExtent, int nAnchor, int nSize, int nDialog, int nScreenStart, int nScreenEnd) {
    int n = nStart + nExtent * nAnchor / 100 - nSize * nDialog / 100;
    if (n + nSize > nScreenEnd)
        n = nScreenEnd - nSize;
    if (n < nScreenStart)
        n = nScreenStart;
    return n;
}

}  // namespace

void DLGBOX_Position(const DLGBOX* pBox,
                     const DLGPLACE_RECT& rcReference,
                     int cx,
                     int cy,
                     const DLGPLACE_RECT& rcScreen,
                     int* px,
                     int* py) {
    *px = Place(rcReference.left, rcReference.right - rcReference.left, pBox->xAnchor, cx, pBox->xDialog, rcScreen.left,
                rcScreen.right);
    *py = Place(rcReference.top, rcReference.bottom - rcReference.top, pBox->yAnchor, cy, pBox->yDialog, rcScreen.top,
                rcScreen.bottom);
}
