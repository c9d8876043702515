// Reordering a list box's selection by dragging: where the dragged entries would go for a pointer position.
//
// The insertion index is the entry before which the selection would go; the entry count means the end, and
// LSTORDER_NONE means nowhere. The marker point is where the insertion marker is centred.
#pragma once

#include <functional>

const int LSTORDER_NONE = -1;

struct LSTORDER_RECT {
    int left, top, right, bottom;
};

struct LSTORDER_INSERTION {
    int nIndex;
    int xMarker, yMarker;
};

// The rectangle of entry nEntry in client coordinates; false when the list box gives none.
typedef std::function<bool(int nEntry, LSTORDER_RECT& rcEntry)> LSTORDER_GETENTRYRECT;

// The insertion point for a pointer in client coordinates, walking the entries from the top visible one
// (nTop) of nCount.
LSTORDER_INSERTION LSTORDER_FindInsertion(int xPointer,
                                          int yPointer,
                                          const LSTORDER_RECT& rcClient,
                                          int nTop,
                                          int nCount,
                                          const LSTORDER_GETENTRYRECT& fnGetEntryRect);
