// Where the engine's backdrop picture and text go.
#include "setup/bdpaint.h"

namespace {

const int NEAR_MARGIN = 3;
const int FAR_MARGIN = 6;

int Along(int nPlace, int cxWindow, int cxPicture) {
    switch (nPlace) {
        case BDPAINT_START:
            return NEAR_MARGIN;
        case BDPAINT_CENTRE:
            return (cxWindow - cxPicture) / 2;
        default:
            return cxWindow - cxPicture - FAR_MARGIN;
    }
}

}  // namespace

void BDPAINT_PictureOrigin(int nPos, int cxWindow, int cyWindow, int cxPicture, int cyPicture, int* px, int* py) {
    *px = 0;
    *py = 0;
    if (nPos < 1 || nPos > 9 || cxPicture > cxWindow || cyPicture > cyWindow)
        return;
    int nColumn = 0, nRow = 0;
    BDPAINT_TextPlace(nPos, &nColumn, &nRow);
    *px = Along(nColumn, cxWindow, cxPicture);
    *py = Along(nRow, cyWindow, cyPicture);
}

void BDPAINT_TextPlace(int nPos, int* pnColumn, int* pnRow) {
    if (nPos < 1 || nPos > 9)
        nPos = 1;
    *pnColumn = (nPos - 1) % 3;
    *pnRow = (nPos - 1) / 3;
}
