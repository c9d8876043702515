// Owner-draw size tables: a dialog's answers to the size requests (WM_MEASUREITEM) of its owner-drawn
// controls, kept as the dialog's window property "ODMAP". The generic dialogs answer from it by themselves;
// any other dialog procedure calls ODMAP_MeasureItem.
#pragma once

#include <windows.h>

typedef void (*ODMAP_CALLBACK)(HWND hDlg, MEASUREITEMSTRUCT* pMeasure);

// One entry per control; a control number of 0 ends the table. With a callback, the callback answers.
struct ODMAP_ENTRY {
    UINT idControl;
    UINT cxItem;
    UINT cyItem;
    ODMAP_CALLBACK pfnCallback;
};

// The table stays the caller's and must outlive its use.
bool ODMAP_Set(HWND hDlg, const ODMAP_ENTRY* pTable);
bool ODMAP_Remove(HWND hDlg);
// Answers a size request from the dialog's table; false when no table lists the control.
bool ODMAP_MeasureItem(HWND hDlg, MEASUREITEMSTRUCT* pMeasure);
