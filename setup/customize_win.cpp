#include "setup/customize_win.h"

#include <cstdio>

#include "setup/backdrop_win.h"
#include "setup/bdbind_win.h"
#include "setup/dlgint_win.h"
#include "setup/hookbind_win.h"
#include "setup/hookrec.h"
#include "setup/install_win.h"
#include "setup/setupdlg_ids.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "setup/wizard_win.h"
#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("CUSTOMIZE");

namespace {

SETUPENGINE* s_pEngine = nullptr;
HBITMAP s_hCheck = nullptr;
HBITMAP s_hUncheck = nullptr;

const SETUPDLG LARGE = {"SETUP_LARGE_CUSTOMIZE", 1100, DLGBOX_CUSTOMIZE, BACKDROP_CUSTOMIZE, nullptr, nullptr, nullptr};
const SETUPDLG SMALL = {"SETUP_SMALL_CUSTOMIZE", 1100, DLGBOX_CUSTOMIZE, BACKDROP_CUSTOMIZE, nullptr, nullptr, nullptr};

const SETUPDLG& Dialog() {
    return s_pEngine->pDesign->exe.bSmallDialogs ? SMALL : LARGE;
}

HWND List(HWND hWnd) {
    return GetDlgItem(hWnd, IDC_CUSTOM_OPTIONS);
}

bool HasWinIniThing(const DESIGN* pDesign) {
    if (pDesign->things.nWININI != -1)
        return true;
    for (const THING* pThing : pDesign->things.things)
        if (pThing && pThing->pFile && pThing->pFile->bAddToLoad)
            return true;
    return false;
}

// The engine's selection from the list's.
void ReadSelection(HWND hWnd) {
    s_pEngine->selection.clear();
    HWND hList = List(hWnd);
    const int nItems = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nItems; ++i) {
        const int nSlot = static_cast<int>(SendMessageA(hList, LB_GETITEMDATA, i, 0));
        if (SendMessageA(hList, LB_GETSEL, i, 0) > 0 &&
            SELECT_IsUsable(s_pEngine->pDesign, nSlot, s_pEngine->nInstallType))
            s_pEngine->selection.push_back(nSlot);
    }
}

void ShowTotals(HWND hWnd) {
    ReadSelection(hWnd);
    SetDlgItemTextA(hWnd, IDC_CUSTOM_TOTAL,
                    CUSTOMIZE_BytesText(SELECT_TotalBytes(s_pEngine->pDesign, s_pEngine->selection)).c_str());
    EnableWindow(GetDlgItem(hWnd, IDC_CUSTOM_BEGIN), !s_pEngine->selection.empty());
}

// Selects the list items of the collections usable in the engine's type; the hook library may then choose.
void Refresh(HWND hWnd, int nSelectType) {
    HWND hList = List(hWnd);
    const int nItems = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    std::vector<std::string> names;
    std::vector<bool> afSelected;
    for (int i = 0; i < nItems; ++i) {
        const int nSlot = static_cast<int>(SendMessageA(hList, LB_GETITEMDATA, i, 0));
        names.push_back(s_pEngine->pDesign->collect.collection[nSlot].szName);
        afSelected.push_back(SELECT_IsUsable(s_pEngine->pDesign, nSlot, nSelectType));
    }
    HOOK_Selection(names, afSelected);
    for (int i = 0; i < nItems; ++i)
        SendMessageA(hList, LB_SETSEL, afSelected[i] ? TRUE : FALSE, i);
    ShowTotals(hWnd);
}

void Fill(HWND hWnd) {
    HWND hList = List(hWnd);
    for (int i = 0; i < MAX_COLLECTIONS; ++i) {
        const COLLOBJ* pCollection = COLLECT_GetCollection(&s_pEngine->pDesign->collect, i);
        if (!pCollection)
            continue;
        const LRESULT nItem = SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pCollection->szName));
        SendMessageA(hList, LB_SETITEMDATA, static_cast<WPARAM>(nItem), i);
    }
    Refresh(hWnd, s_pEngine->nInstallType);
}

void Init(HWND hWnd) {
    const DESIGN* pDesign = s_pEngine->pDesign;
    SETUPDLG_Opened(hWnd, Dialog(), 0);
    if (!s_hCheck)
        s_hCheck = DLGINT_LoadBitmap(s_pEngine->hInstance, "CHECK");
    if (!s_hUncheck)
        s_hUncheck = DLGINT_LoadBitmap(s_pEngine->hInstance, "UCHECK");
    if (pDesign->exe.szProgManGroup[0]) {
        SetDlgItemTextA(hWnd, IDC_CUSTOM_GROUP, pDesign->exe.szProgManGroup);
        s_pEngine->fCreateGroup = true;
    } else {
        ShowWindow(GetDlgItem(hWnd, IDC_CUSTOM_GROUP), SW_HIDE);
        s_pEngine->fCreateGroup = false;
    }
    if (!HasWinIniThing(pDesign))
        ShowWindow(GetDlgItem(hWnd, IDC_CUSTOM_WININI), SW_HIDE);
    if (pDesign->things.nRegDataFile == -1)
        ShowWindow(GetDlgItem(hWnd, IDC_CUSTOM_REGDATA), SW_HIDE);
    CheckDlgButton(hWnd, IDC_CUSTOM_WININI, s_pEngine->fModifyWinIni ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hWnd, IDC_CUSTOM_PROMPT, BST_CHECKED);
    s_pEngine->fPromptOverwrite = true;
    CheckDlgButton(hWnd, IDC_CUSTOM_REGDATA, s_pEngine->fRegData ? BST_CHECKED : BST_UNCHECKED);
    Fill(hWnd);
    HOOK_DialogOpened(HOOK_CUSTOMIZE, hWnd);
}

void DrawItem(const DRAWITEMSTRUCT* pItem) {
    if (pItem->itemID == static_cast<UINT>(-1))
        return;
    const int nSlot = static_cast<int>(pItem->itemData);
    const COLLOBJ* pCollection = COLLECT_GetCollection(&s_pEngine->pDesign->collect, nSlot);
    HDC hDC = pItem->hDC;
    RECT rc = pItem->rcItem;
    FillRect(hDC, &rc, GetSysColorBrush(COLOR_WINDOW));
    const bool fChecked = (pItem->itemState & ODS_SELECTED) != 0;
    HBITMAP hMark = fChecked ? s_hCheck : s_hUncheck;
    int xText = rc.left + 2;
    if (hMark) {
        BITMAP bm = {};
        GetObjectA(hMark, sizeof(bm), &bm);
        HDC hMem = CreateCompatibleDC(hDC);
        HGDIOBJ hOld = SelectObject(hMem, hMark);
        BitBlt(hDC, rc.left + 2, rc.top + (rc.bottom - rc.top - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, hMem, 0, 0,
               SRCCOPY);
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
        xText += bm.bmWidth + 4;
    }
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC,
                 GetSysColor(SELECT_IsUsable(s_pEngine->pDesign, nSlot, s_pEngine->nInstallType) ? COLOR_WINDOWTEXT
                                                                                                 : COLOR_GRAYTEXT));
    RECT rcText = {xText, rc.top, rc.right - 4, rc.bottom};
    if (pCollection) {
        DrawTextA(hDC, pCollection->szName, -1, &rcText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        const std::string size = CUSTOMIZE_BytesText(THINGCOL_GetCollectionSize(&s_pEngine->pDesign->things, nSlot));
        DrawTextA(hDC, size.c_str(), -1, &rcText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (pItem->itemState & ODS_FOCUS)
        DrawFocusRect(hDC, &rc);
}

void Close(HWND hWnd) {
    DestroyWindow(hWnd);
}

void Reshow(HWND hWnd) {
    if (s_pEngine->nInstallType == INSTALL_CUSTOM) {
        ShowWindow(hWnd, SW_SHOW);
        SetForegroundWindow(hWnd);
    } else {
        PostMessageA(hWnd, WM_COMMAND, IDC_CUSTOM_BEGIN, 0);
    }
}

void GoBack(HWND hWnd) {
    ShowWindow(hWnd, SW_HIDE);
    const int nType = s_pEngine->nInstallType;
    if (WIZARD_Run(s_pEngine, WIZARD_SCREEN3, false) != WIZARD_DOINSTALL) {
        Close(hWnd);
        return;
    }
    if (nType != s_pEngine->nInstallType)
        Refresh(hWnd, s_pEngine->nInstallType);
    Reshow(hWnd);
}

void Exit(HWND hWnd) {
    if (SETUPMSG_Show(hWnd, IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    HOOK_Left();
    BACKDROP_CallNotifyEvent(&s_pEngine->pDesign->backdrop, hWnd, BACKDROP_DIALOGCLOSING, BACKDROP_CUSTOMIZE, 0);
    Close(hWnd);
}

void Begin(HWND hWnd) {
    ReadSelection(hWnd);
    if (s_pEngine->selection.empty() || !WIZARD_CheckSpace(s_pEngine, s_pEngine->selection, hWnd)) {
        // A type that skips the window has nothing left for the user to change but here; an unattended run
        // has no user to change it.
        if (SETUPDLG_IsAnswered()) {
            Close(hWnd);
            return;
        }
        ShowWindow(hWnd, SW_SHOW);
        s_pEngine->nInstallType = INSTALL_CUSTOM;
        return;
    }
    char szGroup[MAX_EXEFIELD_SIZE] = "";
    GetDlgItemTextA(hWnd, IDC_CUSTOM_GROUP, szGroup, sizeof(szGroup));
    if (s_pEngine->fCreateGroup && szGroup[0])
        STRINGS_CopyN(s_pEngine->pDesign->exe.szProgManGroup, szGroup, sizeof(s_pEngine->pDesign->exe.szProgManGroup));
    ShowWindow(hWnd, SW_HIDE);
    switch (INSTALL_Run(s_pEngine, hWnd)) {
        case INSTALL_DONE:
            Close(hWnd);
            break;
        case INSTALL_BACKTOWINDOW:
            ShowWindow(hWnd, SW_SHOW);
            s_pEngine->nInstallType = INSTALL_CUSTOM;
            break;
        default:
            HOOK_Left();
            Close(hWnd);
            break;
    }
}

INT_PTR CALLBACK CustomizeProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_INITDIALOG:
            Init(hWnd);
            return TRUE;
        case WM_MEASUREITEM: {
            MEASUREITEMSTRUCT* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            pMeasure->itemHeight = 18;
            return TRUE;
        }
        case WM_DRAWITEM:
            DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            Exit(hWnd);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CUSTOM_OPTIONS:
                    if (HIWORD(wParam) == LBN_SELCHANGE)
                        ShowTotals(hWnd);
                    return TRUE;
                case IDC_CUSTOM_WININI:
                    s_pEngine->fModifyWinIni = IsDlgButtonChecked(hWnd, IDC_CUSTOM_WININI) == BST_CHECKED;
                    return TRUE;
                case IDC_CUSTOM_PROMPT:
                    s_pEngine->fPromptOverwrite = IsDlgButtonChecked(hWnd, IDC_CUSTOM_PROMPT) == BST_CHECKED;
                    return TRUE;
                case IDC_CUSTOM_REGDATA:
                    s_pEngine->fRegData = IsDlgButtonChecked(hWnd, IDC_CUSTOM_REGDATA) == BST_CHECKED;
                    return TRUE;
                case IDC_CUSTOM_GROUP:
                    if (HIWORD(wParam) == EN_CHANGE)
                        s_pEngine->fCreateGroup = s_pEngine->pDesign->exe.szProgManGroup[0] &&
                                                  GetWindowTextLengthA(GetDlgItem(hWnd, IDC_CUSTOM_GROUP)) > 0;
                    return TRUE;
                case IDC_CUSTOM_MINIMUM:
                    Refresh(hWnd, INSTALL_MINIMUM);
                    s_pEngine->nInstallType = INSTALL_CUSTOM;
                    return TRUE;
                case IDC_GOBACK:
                    GoBack(hWnd);
                    return TRUE;
                case IDC_EXIT:
                    Exit(hWnd);
                    return TRUE;
                case IDC_CUSTOM_BEGIN:
                    Begin(hWnd);
                    return TRUE;
            }
            break;
        case WM_DESTROY:
            if (s_pEngine->hCustomize == hWnd)
                s_pEngine->hCustomize = nullptr;
            return FALSE;
    }
    return FALSE;
}

}  // namespace

std::string CUSTOMIZE_BytesText(int64_t nBytes) {
    // Thousands separated, as the bytes a person reads.
    std::string digits = std::to_string(nBytes < 0 ? 0 : nBytes);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<size_t>(i), ",");
    return digits + " bytes";
}

bool CUSTOMIZE_Create(SETUPENGINE* pEngine) {
    MFX_PRE(pEngine);
    s_pEngine = pEngine;
    HWND hWnd = SETUPDLG_Create(Dialog(), CustomizeProc, nullptr);
    MFX_PRE(hWnd);
    pEngine->hCustomize = hWnd;
    if (pEngine->nInstallType == INSTALL_CUSTOM && !SETUPDLG_IsAnswered())
        ShowWindow(hWnd, SW_SHOW);
    else
        PostMessageA(hWnd, WM_COMMAND, IDC_CUSTOM_BEGIN, 0);
    return true;
}

void CUSTOMIZE_RunLoop(SETUPENGINE* pEngine) {
    MSG msg;
    while (pEngine->hCustomize && IsWindow(pEngine->hCustomize) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!SETUPDLG_IsDialogMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (s_hCheck)
        DeleteObject(s_hCheck);
    if (s_hUncheck)
        DeleteObject(s_hUncheck);
    s_hCheck = s_hUncheck = nullptr;
}
