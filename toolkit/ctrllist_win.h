// Control lists: one action applied to a list of a dialog's controls, and the control-list font.
//
// A control list is an array of 16-bit control numbers ended by CTRLLIST_END.
#pragma once

#include <windows.h>

const WORD CTRLLIST_END = 0xFFFF;

// The font that dialogs give their texts: face "Helv", height 8, normal weight, proof quality, swiss family.
// The caller owns the font and deletes it when the dialog is destroyed; null when it could not be made.
HFONT CTRLLIST_CreateFont();
// Sends hFont to every listed control of hDlg; a number that is not on the dialog is traced and passed over.
// False when any listed control was missing.
bool CTRLLIST_SetFont(const WORD* pList, HWND hDlg, HFONT hFont);
// Shows or hides every listed control of hDlg in one deferred move that neither moves, sizes, restacks nor
// activates them; a number that is not on the dialog is passed over. False when any listed control was missing.
bool CTRLLIST_Show(const WORD* pList, HWND hDlg, bool fShow);
