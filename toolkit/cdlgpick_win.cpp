// The browse button and the colour item of the generic dialogs: each opens one of the platform's choosers.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "toolkit/cdlg_win.h"
#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/stringid_win.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("GenDialog");

namespace {

const char ALLFILES_FILTER[] = "All Files (*.*)\0*.*\0";
const int CUSTOM_COLORS = 16;

// The choosers are placed with their centre at 80 % of the owner's width and half its height.
void PlaceChooser(HWND hChooser, HWND hOwner) {
    RECT rcOwner;
    GetWindowRect(hOwner, &rcOwner);
    WINDOW_CenterAt(hChooser, rcOwner.left + (rcOwner.right - rcOwner.left) * 80 / 100,
                    (rcOwner.top + rcOwner.bottom) / 2);
}

// The explorer-style file dialog's hook is a child of the dialog proper.
UINT_PTR CALLBACK FileHook(HWND hHook, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        const auto* pOfn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        PlaceChooser(GetParent(hHook), pOfn->hwndOwner);
    }
    return 0;
}

bool BrowseCommand(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode) {
    auto* pBrowse = reinterpret_cast<CDLG_BROWSEITEM*>(pItem);
    if (idControl != pBrowse->idButton || nCode != BN_CLICKED)
        return false;
    auto* szName = static_cast<char*>(CDLG_Alloc(hDlg, sizeof(PATHNAME)));
    auto* szFolder = static_cast<char*>(CDLG_Alloc(hDlg, sizeof(PATHNAME)));
    auto* pOfn = static_cast<OPENFILENAMEA*>(CDLG_Alloc(hDlg, sizeof(OPENFILENAMEA)));
    if (szName && szFolder && pOfn) {
        pOfn->lStructSize = sizeof(OPENFILENAMEA);
        pOfn->hwndOwner = hDlg;
        pOfn->hInstance = pBrowse->hInstance;
        pOfn->lpstrFilter = pBrowse->idFilter ? STRINGID_GetFilter(pBrowse->idFilter) : ALLFILES_FILTER;
        pOfn->nFilterIndex = 1;
        pOfn->lpstrFile = szName;
        pOfn->nMaxFile = sizeof(PATHNAME);
        if (pBrowse->idTitle)
            pOfn->lpstrTitle = STRINGID_GetString(pBrowse->idTitle);
        GetDlgItemTextA(hDlg, pBrowse->idTextField, szName, sizeof(PATHNAME));
        if (szName[0] && PATHNAME_Exists(szName) && PATHNAME_GetJustPathNoSlash(szName, szFolder))
            pOfn->lpstrInitialDir = szFolder;
        szName[0] = '\0';
        pOfn->Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLEHOOK;
        pOfn->lpfnHook = FileHook;
        if (GetOpenFileNameA(pOfn)) {
            SetDlgItemTextA(hDlg, pBrowse->idTextField, szName);
            if (pBrowse->pfnCallback)
                pBrowse->pfnCallback(hDlg);
        }
    }
    CDLG_Free(hDlg, pOfn);
    CDLG_Free(hDlg, szFolder);
    CDLG_Free(hDlg, szName);
    return true;
}

struct COLORHOOKDATA {
    HWND hOwner;
    LPCSTR szTitle;
};

UINT_PTR CALLBACK ColorHook(HWND hChooser, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        const auto* pChoose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        const auto* pData = reinterpret_cast<const COLORHOOKDATA*>(pChoose->lCustData);
        PlaceChooser(hChooser, pData->hOwner);
        if (pData->szTitle)
            SetWindowTextA(hChooser,
                           IS_INTRESOURCE(pData->szTitle)
                               ? STRINGID_GetString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(pData->szTitle)))
                               : pData->szTitle);
    }
    return 0;
}

void RenewSwatch(HWND hDlg, CDLG_COLORITEM* pColor) {
    if (pColor->hSwatchBrush)
        DeleteObject(pColor->hSwatchBrush);
    pColor->hSwatchBrush = CreateSolidBrush(pColor->crCurrent);
    InvalidateRect(GetDlgItem(hDlg, pColor->idSwatch), nullptr, TRUE);
}

bool ColorMessage(HWND hDlg, CDLG_ITEM* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam, INT_PTR* pResult) {
    DIAG_TraceNumber("CDLGCOLOR_Filter", "uMsg", uMsg);
    auto* pColor = reinterpret_cast<CDLG_COLORITEM*>(pItem);
    if (uMsg == WM_DESTROY && pColor->hSwatchBrush) {
        DeleteObject(pColor->hSwatchBrush);
        pColor->hSwatchBrush = nullptr;
        return false;
    }
    if (uMsg == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == pColor->idSwatch &&
        pColor->hSwatchBrush) {
        SetBkColor(reinterpret_cast<HDC>(wParam), pColor->crCurrent);
        *pResult = reinterpret_cast<INT_PTR>(pColor->hSwatchBrush);
        return true;
    }
    return false;
}

bool ColorLoad(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pColor = reinterpret_cast<CDLG_COLORITEM*>(pItem);
    pColor->crCurrent = *pColor->pData;
    RenewSwatch(hDlg, pColor);
    return pColor->hSwatchBrush != nullptr;
}

bool ColorSave(HWND hDlg, CDLG_ITEM* pItem) {
    auto* pColor = reinterpret_cast<CDLG_COLORITEM*>(pItem);
    *pColor->pData = pColor->crCurrent;
    return true;
}

bool ColorCommand(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode) {
    auto* pColor = reinterpret_cast<CDLG_COLORITEM*>(pItem);
    if (idControl != pColor->idButton || nCode != BN_CLICKED)
        return false;
    COLORREF acrCustom[CUSTOM_COLORS];
    for (COLORREF& cr : acrCustom)
        cr = RGB(255, 255, 255);
    COLORHOOKDATA data = {hDlg, pColor->szTitle};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = hDlg;
    choose.rgbResult = pColor->crCurrent;
    choose.lpCustColors = acrCustom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    choose.lCustData = reinterpret_cast<LPARAM>(&data);
    choose.lpfnHook = ColorHook;
    if (ChooseColorA(&choose)) {
        pColor->crCurrent = choose.rgbResult;
        RenewSwatch(hDlg, pColor);
        if (pColor->pfnCallback)
            pColor->pfnCallback(hDlg);
    }
    return true;
}

const CDLG_ITEMCLASS BrowseItemClass = {nullptr, nullptr, nullptr, BrowseCommand, nullptr, nullptr, 0, 0};
const CDLG_ITEMCLASS ColorItemClass = {ColorMessage, ColorLoad, ColorSave, ColorCommand, nullptr, nullptr, 0, 0};

}  // namespace

bool CDLG_AddBrowseButton(HWND hDlg,
                          int idButton,
                          int idTextField,
                          UINT idFilter,
                          UINT idTitle,
                          CDLG_CALLBACK pfnCallback) {
    auto* pItem = static_cast<CDLG_BROWSEITEM*>(CDLG_Alloc(hDlg, sizeof(CDLG_BROWSEITEM)));
    MFX_PRE(pItem);
    const auto hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hDlg, GWLP_HINSTANCE));
    *pItem = {{&BrowseItemClass, nullptr}, idButton, idTextField, idFilter, idTitle, hInstance, pfnCallback};
    return CDLG_AddItem(hDlg, &pItem->item);
}

bool CDLG_AddColorItem(HWND hDlg,
                       int idButton,
                       int idSwatch,
                       COLORREF* pData,
                       LPCSTR szTitle,
                       CDLG_CALLBACK pfnCallback) {
    MFX_PRE(pData);
    auto* pItem = static_cast<CDLG_COLORITEM*>(CDLG_Alloc(hDlg, sizeof(CDLG_COLORITEM)));
    MFX_PRE(pItem);
    *pItem = {{&ColorItemClass, nullptr}, idButton, idSwatch, *pData, nullptr, pData, szTitle, pfnCallback};
    return CDLG_AddItem(hDlg, &pItem->item);
}
