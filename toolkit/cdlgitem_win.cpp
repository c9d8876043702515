// The text, push and group items of the generic dialogs.
#include <cstring>

#include "toolkit/cdlg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/stringid_win.h"

MFX_SOURCE_MODULE("GenDialog");

namespace {

template <class ITEM>
ITEM* NewItem(HWND hDlg, const CDLG_ITEMCLASS* pClass) {
    auto* pItem = static_cast<ITEM*>(CDLG_Alloc(hDlg, sizeof(ITEM)));
    if (pItem)
        pItem->item.pClass = pClass;
    return pItem;
}

// A value that does not fit the field leaves the field as the template made it.
bool StringLoad(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pString = reinterpret_cast<CDLG_STRINGITEM*>(pItem);
    MFX_PRE(pString->cbData > 1);
    MFX_PRE(strnlen(pString->pData, pString->cbData) < static_cast<size_t>(pString->cbData));
    SendDlgItemMessageA(hDlg, pString->idControl, EM_LIMITTEXT, pString->cbData - 1, 0);
    return SetDlgItemTextA(hDlg, pString->idControl, pString->pData) != FALSE;
}

bool StringSave(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pString = reinterpret_cast<CDLG_STRINGITEM*>(pItem);
    MFX_PRE(pString->cbData > 1);
    pString->pData[0] = '\0';
    GetDlgItemTextA(hDlg, pString->idControl, pString->pData, pString->cbData);
    return true;
}

bool StringCommand(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode) {
    auto* pString = reinterpret_cast<CDLG_STRINGITEM*>(pItem);
    if (idControl != pString->idControl || nCode != EN_CHANGE || !pItem->pClass->pfnChanged)
        return false;
    pItem->pClass->pfnChanged(hDlg, pItem);
    return true;
}

bool RequiredValidate(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pString = reinterpret_cast<CDLG_STRINGITEM*>(pItem);
    const HWND hField = GetDlgItem(hDlg, pString->idControl);
    if (GetWindowTextLengthA(hField) > 0)
        return true;
    STRINGID_MessageBox(hDlg, pItem->pClass->idRequiredText, pItem->pClass->idRequiredCaption, MB_OK | MB_ICONERROR);
    SetFocus(hField);
    return false;
}

bool PushCommand(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode) {
    auto* pPush = reinterpret_cast<CDLG_PUSHITEM*>(pItem);
    if (idControl != pPush->idControl || nCode != BN_CLICKED || !pPush->pfnCallback)
        return false;
    pPush->pfnCallback(hDlg);
    return true;
}

bool GroupLoad(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pGroup = reinterpret_cast<CDLG_GROUPITEM*>(pItem);
    const CDLG_GROUPMAP* pMatch = pGroup->pMap;
    for (const CDLG_GROUPMAP* pEntry = pGroup->pMap; pEntry->idControl != CDLG_MAPEND; pEntry++) {
        if (pEntry->lValue == *pGroup->plValue) {
            pMatch = pEntry;
            break;
        }
    }
    for (const CDLG_GROUPMAP* pEntry = pGroup->pMap; pEntry->idControl != CDLG_MAPEND; pEntry++)
        CheckDlgButton(hDlg, pEntry->idControl, pEntry == pMatch ? BST_CHECKED : BST_UNCHECKED);
    if (pItem->pClass->pfnChanged)
        pItem->pClass->pfnChanged(hDlg, pItem);
    return true;
}

bool GroupSave(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pGroup = reinterpret_cast<CDLG_GROUPITEM*>(pItem);
    for (const CDLG_GROUPMAP* pEntry = pGroup->pMap; pEntry->idControl != CDLG_MAPEND; pEntry++) {
        if (IsDlgButtonChecked(hDlg, pEntry->idControl) == BST_CHECKED) {
            *pGroup->plValue = pEntry->lValue;
            return true;
        }
    }
    return false;
}

// Other items may want the click too, so the group never claims it.
bool GroupCommand(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode) {
    auto* pGroup = reinterpret_cast<CDLG_GROUPITEM*>(pItem);
    if (nCode != BN_CLICKED || !pItem->pClass->pfnChanged)
        return false;
    for (const CDLG_GROUPMAP* pEntry = pGroup->pMap; pEntry->idControl != CDLG_MAPEND; pEntry++) {
        if (pEntry->idControl == idControl) {
            pItem->pClass->pfnChanged(hDlg, pItem);
            break;
        }
    }
    return false;
}

}  // namespace

const CDLG_ITEMCLASS WndStringClass = {nullptr, StringLoad, StringSave, StringCommand, nullptr, nullptr, 0, 0};
const CDLG_ITEMCLASS PushItemClass = {nullptr, nullptr, nullptr, PushCommand, nullptr, nullptr, 0, 0};
const CDLG_ITEMCLASS GroupItemClass = {nullptr, GroupLoad, GroupSave, GroupCommand, nullptr, nullptr, 0, 0};

CDLG_ITEMCLASS CDLG_RequiredStringClass(UINT idText, UINT idCaption) {
    CDLG_ITEMCLASS required = WndStringClass;
    required.pfnValidate = RequiredValidate;
    required.idRequiredText = idText;
    required.idRequiredCaption = idCaption;
    return required;
}

bool CDLG_AddStringItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, int idControl, int cbData, char* pData) {
    MFX_PRE(pClass && pData && cbData > 1);
    auto* pItem = NewItem<CDLG_STRINGITEM>(hDlg, pClass);
    MFX_PRE(pItem);
    pItem->idControl = idControl;
    pItem->cbData = cbData;
    pItem->pData = pData;
    return CDLG_AddItem(hDlg, &pItem->item);
}

bool CDLG_AddPushItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, int idControl, CDLG_CALLBACK pfnCallback) {
    MFX_PRE(pClass && pfnCallback);
    auto* pItem = NewItem<CDLG_PUSHITEM>(hDlg, pClass);
    MFX_PRE(pItem);
    pItem->idControl = idControl;
    pItem->pfnCallback = pfnCallback;
    return CDLG_AddItem(hDlg, &pItem->item);
}

bool CDLG_AddGroupItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, const CDLG_GROUPMAP* pMap, LONG* plValue) {
    MFX_PRE(pClass && pMap && plValue);
    MFX_PRE(pMap->idControl != CDLG_MAPEND);
    auto* pItem = NewItem<CDLG_GROUPITEM>(hDlg, pClass);
    MFX_PRE(pItem);
    pItem->pMap = pMap;
    pItem->plValue = plValue;
    return CDLG_AddItem(hDlg, &pItem->item);
}
