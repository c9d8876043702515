#include "setup/dlgplace_win.h"

#include "setup/dlgplace.h"

void DLGBOX_Place(HWND hDlg, const DLGBOXES* pBoxes, int nIndex) {
    const DLGPLACE_RECT rcScreen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    DLGPLACE_RECT rcReference = rcScreen;
    const HWND hOwner = GetWindow(hDlg, GW_OWNER);
    RECT rc;
    if (pBoxes->fHasBackDrop && hOwner && GetWindowRect(GetAncestor(hOwner, GA_ROOT), &rc))
        rcReference = DLGPLACE_RECT{rc.left, rc.top, rc.right, rc.bottom};
    GetWindowRect(hDlg, &rc);
    int x = 0, y = 0;
    DLGBOX_Position(DLGBOXES_GetBox(pBoxes, nIndex), rcReference, rc.right - rc.left, rc.bottom - rc.top, rcScreen, &x,
                    &y);
    SetWindowPos(hDlg, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
