#include "toolkit/cdlg_win.h"

#include <cstring>
#include <new>
#include <string>

#include "toolkit/ctrllist_win.h"
#include "toolkit/inifile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/odmap_win.h"
#include "toolkit/placement_win.h"
#include "toolkit/system_win.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("GenDialog");

namespace {

const char CDLG_SIGNATURE[4] = {'C', 'D', 'L', 'G'};
const char CDLG_HEAPMARK[] = "CDLGHEAP";
const char CDLG_SECTION[] = "Window Location";
const COLORREF CDLG_GREY = RGB(192, 192, 192);

struct CDLG_RECORD {
    DWORD cbRecord;
    char szSignature[4];
    const CDLG_DESCRIPTION* pDescription;
    void* pUserData;
    HANDLE hHeap;
    DLGPROC pfnDialogProc;
    CDLG_ITEM* pItems;
    HFONT hFont;
    HBRUSH hBrush;
    DWORD dwFlags;
};

CDLG_CALLBACK s_pfnOpenHook = nullptr;

// Handles nothing; at WM_INITDIALOG it lets the system set the focus.
INT_PTR CALLBACK DefaultDialogProc(HWND, UINT uMsg, WPARAM, LPARAM) {
    return uMsg == WM_INITDIALOG;
}

CDLG_RECORD* RecordOf(HWND hDlg) {
    if (!IsWindow(hDlg) ||
        static_cast<size_t>(GetClassLongPtrA(hDlg, GCL_CBWNDEXTRA)) < DLGWINDOWEXTRA + sizeof(CDLG_RECORD*))
        return nullptr;
    auto* pRecord = reinterpret_cast<CDLG_RECORD*>(GetWindowLongPtrA(hDlg, DLGWINDOWEXTRA));
    if (!pRecord || memcmp(pRecord->szSignature, CDLG_SIGNATURE, sizeof(CDLG_SIGNATURE)) != 0)
        return nullptr;
    return pRecord;
}

// A dialog without colour bits is light grey where the system draws its dialogs so.
DWORD CombinedFlags(DWORD dwFlags) {
    if ((dwFlags & CDLG_COLORMASK) == 0 && SYSTEM_IsWindows95())
        dwFlags |= CDLG_LIGHTGREY;
    return dwFlags;
}

HBRUSH BackgroundBrush(DWORD dwFlags) {
    switch (dwFlags & CDLG_COLORMASK) {
        case CDLG_WHITE:
            return CreateSolidBrush(RGB(255, 255, 255));
        case CDLG_LIGHTGREY:
            return CreateSolidBrush(CDLG_GREY);
        case CDLG_BLACK:
            return CreateSolidBrush(RGB(0, 0, 0));
        default:
            return nullptr;
    }
}

CDLG_RECORD* NewRecord(const CDLG_DESCRIPTION* pDescription, void* pUserData) {
    auto* pRecord = new (std::nothrow) CDLG_RECORD();
    MFX_PRE(pRecord);
    pRecord->cbRecord = sizeof(CDLG_RECORD);
    memcpy(pRecord->szSignature, CDLG_SIGNATURE, sizeof(CDLG_SIGNATURE));
    pRecord->pDescription = pDescription;
    pRecord->pUserData = pUserData;
    pRecord->pfnDialogProc = pDescription->pfnDialogProc ? pDescription->pfnDialogProc : DefaultDialogProc;
    pRecord->dwFlags = CombinedFlags(pDescription->dwFlags);
    pRecord->hBrush = BackgroundBrush(pRecord->dwFlags);
    MFX_VERIFY(pRecord->hHeap = HeapCreate(0, CDLG_HEAPSIZE, 0));
    if (pRecord->hHeap) {
        void* pMark = HeapAlloc(pRecord->hHeap, HEAP_ZERO_MEMORY, sizeof(CDLG_HEAPMARK));
        if (pMark)
            memcpy(pMark, CDLG_HEAPMARK, sizeof(CDLG_HEAPMARK));
    }
    return pRecord;
}

// The heap takes every item with it.
void FreeRecord(CDLG_RECORD* pRecord) {
    if (pRecord->hHeap)
        HeapDestroy(pRecord->hHeap);
    if (pRecord->hBrush)
        DeleteObject(pRecord->hBrush);
    if (pRecord->hFont)
        DeleteObject(pRecord->hFont);
    memset(pRecord->szSignature, 0, sizeof(pRecord->szSignature));
    delete pRecord;
}

// The first 31 characters of the title name the remembered placement.
std::string PlacementPrefix(HWND hDlg) {
    char szTitle[CDLG_PREFIXSIZE + 1] = "";
    GetWindowTextA(hDlg, szTitle, sizeof(szTitle));
    return szTitle;
}

std::string DefaultProfile() {
    std::string file;
    INIFILE_GetDefaultFileName(WINDOW_GetInstance(), file);
    return file;
}

void PlaceDialog(HWND hDlg, DWORD dwFlags) {
    const DWORD dwPlace = dwFlags & CDLG_PLACEMASK;
    if (!dwPlace)
        return;
    const HWND hOwner = GetWindow(hDlg, GW_OWNER);
    RECT rc;
    if (dwPlace == CDLG_CENTERSCREEN || !hOwner)
        SetRect(&rc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    else
        GetWindowRect(hOwner, &rc);
    const int nPercent = dwPlace == CDLG_OWNER40 && hOwner ? 40 : dwPlace == CDLG_OWNER70 && hOwner ? 70 : 50;
    WINDOW_CenterAt(hDlg, rc.left + (rc.right - rc.left) * nPercent / 100, (rc.top + rc.bottom) / 2);
}

bool OnInitDialog(HWND hDlg, CDLG_RECORD* pRecord, WPARAM wParam) {
    SetWindowLongPtrA(hDlg, DLGWINDOWEXTRA, reinterpret_cast<LONG_PTR>(pRecord));
    const INT_PTR fSetFocus =
        pRecord->pfnDialogProc(hDlg, WM_INITDIALOG, wParam, reinterpret_cast<LPARAM>(pRecord->pUserData));
    const CDLG_DESCRIPTION* pDescription = pRecord->pDescription;
    if (pDescription->pfnOpen)
        pDescription->pfnOpen(hDlg);
    if (s_pfnOpenHook)
        s_pfnOpenHook(hDlg);
    CDLG_LoadItems(hDlg);
    PlaceDialog(hDlg, pRecord->dwFlags);
    if (pRecord->dwFlags & CDLG_REMEMBERPOS)
        WINDOW_RestorePlacement(hDlg, DefaultProfile().c_str(), CDLG_SECTION, PlacementPrefix(hDlg).c_str(),
                                (pRecord->dwFlags & CDLG_REMEMBERSIZE) != 0);
    return fSetFocus != FALSE;
}

void OnOK(HWND hDlg) {
    if (!CDLG_ValidateItems(hDlg))
        return;
    CDLG_SaveItems(hDlg);
    EndDialog(hDlg, IDOK);
}

// Messages go to the items first, then to the caller's procedure, then to the module's own handling.
INT_PTR RouteMessage(HWND hDlg, CDLG_RECORD* pRecord, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COMMAND) {
        bool fHandled = false;
        for (CDLG_ITEM* pItem = pRecord->pItems; pItem; pItem = pItem->pNext) {
            if (pItem->pClass->pfnCommand && pItem->pClass->pfnCommand(hDlg, pItem, LOWORD(wParam), HIWORD(wParam)))
                fHandled = true;
        }
        if (!fHandled)
            fHandled = pRecord->pfnDialogProc(hDlg, uMsg, wParam, lParam) != FALSE;
        if (LOWORD(wParam) == IDOK && (pRecord->dwFlags & CDLG_OKENDS)) {
            OnOK(hDlg);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL && (pRecord->dwFlags & CDLG_CANCELENDS)) {
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        return fHandled;
    }
    for (CDLG_ITEM* pItem = pRecord->pItems; pItem; pItem = pItem->pNext) {
        INT_PTR nResult = 0;
        if (pItem->pClass->pfnMessage && pItem->pClass->pfnMessage(hDlg, pItem, uMsg, wParam, lParam, &nResult) &&
            uMsg != WM_DESTROY)
            return nResult;
    }
    const INT_PTR nCallerResult = pRecord->pfnDialogProc(hDlg, uMsg, wParam, lParam);
    if (nCallerResult && uMsg != WM_DESTROY && uMsg != WM_NCDESTROY)
        return nCallerResult;
    switch (uMsg) {
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(pRecord->hBrush);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if ((pRecord->dwFlags & CDLG_COLORMASK) != CDLG_LIGHTGREY)
                return FALSE;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            SetBkColor(reinterpret_cast<HDC>(wParam), CDLG_GREY);
            return reinterpret_cast<INT_PTR>(pRecord->hBrush);
        case WM_DESTROY:
            if (pRecord->pDescription->pfnClose)
                pRecord->pDescription->pfnClose(hDlg);
            if (pRecord->dwFlags & CDLG_REMEMBERPOS)
                WINDOW_SavePlacement(hDlg, DefaultProfile().c_str(), CDLG_SECTION, PlacementPrefix(hDlg).c_str(),
                                     (pRecord->dwFlags & CDLG_REMEMBERSIZE) != 0);
            return FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hDlg, DLGWINDOWEXTRA, 0);
            FreeRecord(pRecord);
            return FALSE;
        default:
            return FALSE;
    }
}

// Loads or saves every item, then tells the description's callback.
bool RunItems(HWND hDlg, bool fSave) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord);
    bool fAll = true;
    for (CDLG_ITEM* pItem = pRecord->pItems; pItem; pItem = pItem->pNext) {
        const auto pfnOperation = fSave ? pItem->pClass->pfnSave : pItem->pClass->pfnLoad;
        if (pfnOperation && !pfnOperation(hDlg, pItem))
            fAll = false;
    }
    if (pRecord->pDescription->pfnItems)
        pRecord->pDescription->pfnItems(hDlg, fSave);
    return fAll;
}

// Owner-drawn controls ask their sizes before the dialog has its record.
INT_PTR CALLBACK GenericDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_MEASUREITEM && ODMAP_MeasureItem(hDlg, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (uMsg == WM_INITDIALOG)
        return OnInitDialog(hDlg, reinterpret_cast<CDLG_RECORD*>(lParam), wParam);
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    return pRecord ? RouteMessage(hDlg, pRecord, uMsg, wParam, lParam) : FALSE;
}

}  // namespace

bool CDLG_Register(HINSTANCE hInstance, const char* szClass) {
    MFX_PRE(hInstance);
    MFX_PRE(szClass && szClass[0]);
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA + sizeof(CDLG_RECORD*);
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = szClass;
    bool fOk;
    MFX_VERIFY(fOk = RegisterClassA(&wc) != 0);
    return fOk;
}

// The record is handed to the dialog at WM_INITDIALOG, which then owns it; a dialog that never got so far
// leaves it to be freed here.
bool CDLG_DoModal(const CDLG_DESCRIPTION* pDescription, void* pUserData, LPCSTR szTemplate, HWND hOwner) {
    MFX_PRE(pDescription && pDescription->hInstance && szTemplate);
    MFX_PRE(FindResourceA(pDescription->hInstance, szTemplate, reinterpret_cast<LPCSTR>(RT_DIALOG)));
    CDLG_RECORD* pRecord = NewRecord(pDescription, pUserData);
    MFX_PRE(pRecord && pRecord->hHeap);
    const INT_PTR nResult = DialogBoxParamA(pDescription->hInstance, szTemplate, hOwner, GenericDialogProc,
                                            reinterpret_cast<LPARAM>(pRecord));
    if (!MFX_VERIFY(nResult != -1)) {
        FreeRecord(pRecord);
        return false;
    }
    return nResult == IDOK;
}

void CDLG_SetOpenHook(CDLG_CALLBACK pfnHook) {
    s_pfnOpenHook = pfnHook;
}

void* CDLG_GetUserData(HWND hDlg) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord);
    return pRecord->pUserData;
}

DWORD CDLG_GetFlags(HWND hDlg) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord);
    return pRecord->dwFlags;
}

void* CDLG_Alloc(HWND hDlg, size_t cbSize) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord && cbSize > 0);
    void* pBlock = HeapAlloc(pRecord->hHeap, HEAP_ZERO_MEMORY, cbSize);
    MFX_VERIFY(pBlock);
    return pBlock;
}

bool CDLG_Free(HWND hDlg, void* pBlock) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord && pBlock);
    return HeapFree(pRecord->hHeap, 0, pBlock) != FALSE;
}

bool CDLG_AddItem(HWND hDlg, CDLG_ITEM* pItem) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord && pItem && pItem->pClass);
    pItem->pNext = pRecord->pItems;
    pRecord->pItems = pItem;
    return true;
}

bool CDLG_LoadItems(HWND hDlg) {
    return RunItems(hDlg, false);
}

bool CDLG_SaveItems(HWND hDlg) {
    return RunItems(hDlg, true);
}

bool CDLG_ValidateItems(HWND hDlg) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord);
    for (CDLG_ITEM* pItem = pRecord->pItems; pItem; pItem = pItem->pNext) {
        if (pItem->pClass->pfnValidate && !pItem->pClass->pfnValidate(hDlg, pItem))
            return false;
    }
    return true;
}

bool CDLG_SetFont(HWND hDlg, const WORD* pList) {
    CDLG_RECORD* pRecord = RecordOf(hDlg);
    MFX_PRE(pRecord && pList);
    if (!pRecord->hFont)
        pRecord->hFont = CTRLLIST_CreateFont();
    MFX_PRE(pRecord->hFont);
    return CTRLLIST_SetFont(pList, hDlg, pRecord->hFont);
}
