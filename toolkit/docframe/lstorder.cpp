#include "toolkit/docframe/lstorder.h"

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("LSTORDER");

namespace {

bool Contains(const LSTORDER_RECT& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

}  // namespace

// The upper half of an entry means "before it"; the rest of it means "after it". Below the last entry the
// selection goes to the end. Entries that start outside the client area are not on screen and end the walk.
LSTORDER_INSERTION LSTORDER_FindInsertion(int xPointer,
                                          int yPointer,
                                          const LSTORDER_RECT& rcClient,
                                          int nTop,
                                          int nCount,
                                          const LSTORDER_GETENTRYRECT& fnGetEntryRect) {
    LSTORDER_INSERTION insertion = {LSTORDER_NONE, 0, 0};
    if (!Contains(rcClient, xPointer, yPointer))
        return insertion;
    if (!MFX_VERIFY(nTop >= 0))
        return insertion;
    for (int nEntry = nTop; nEntry < nCount; ++nEntry) {
        LSTORDER_RECT rcEntry;
        if (!fnGetEntryRect(nEntry, rcEntry) || !Contains(rcClient, rcEntry.left, rcEntry.top))
            break;
        const LSTORDER_RECT rcUpper = {rcEntry.left, rcEntry.top, rcEntry.right,
                                       rcEntry.top + (rcEntry.bottom - rcEntry.top) / 2};
        if (Contains(rcUpper, xPointer, yPointer)) {
            insertion = {nEntry, rcEntry.left, rcEntry.top};
            break;
        }
        if (Contains(rcEntry, xPointer, yPointer) || nEntry == nCount - 1) {
            insertion = {nEntry + 1, rcEntry.left, rcEntry.bottom + 1};
            break;
        }
    }
    return insertion;
}
