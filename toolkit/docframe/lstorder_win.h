// The reorder tracker: follows a drag over a list box, showing a marker where the selection would go.
#pragma once

#include <windows.h>

#include "toolkit/docframe/lstorder.h"
#include "toolkit/docframe/lstorder_ids.h"
#include "toolkit/docframe/mousing_win.h"

class CListReorderTracker : public CMouseTracker {
public:
    // Tracks a drag over the list box from the press at ptStart (client coordinates). Returns the insertion
    // index where it ended, or LSTORDER_NONE when it was cancelled, ended outside every entry, or the
    // marker window could not be made.
    int TrackReorder(HWND hList, POINT ptStart);
    int GetIndex() const { return m_nIndex; }

protected:
    void OnMove(POINT pt) override;

private:
    int m_nIndex = LSTORDER_NONE;
    HWND m_hList = nullptr;
    HWND m_hMarker = nullptr;
};

// The marker window's class name, registered on first use.
extern const char LSTORDER_MARKERCLASS[];
