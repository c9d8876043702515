#include "toolkit/dlgcolor_win.h"

#include "toolkit/gdiobject_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DLGCOLOR");

namespace {

HHOOK s_hColourHook = nullptr;
COLORREF s_crBackground = 0;
COLORREF s_crText = 0;
CBrush s_background;
const char COLOUR_PROP[] = "DlgcolorProc";
const ATOM DIALOG_CLASS_ATOM = 32770;

LRESULT CALLBACK ColourProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto pfnOriginal = reinterpret_cast<WNDPROC>(GetPropA(hWnd, COLOUR_PROP));
    if (!pfnOriginal)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOriginal));
        RemovePropA(hWnd, COLOUR_PROP);
        return CallWindowProcA(pfnOriginal, hWnd, uMsg, wParam, lParam);
    }
    const LRESULT lResult = CallWindowProcA(pfnOriginal, hWnd, uMsg, wParam, lParam);
    switch (uMsg) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Only where the dialog left the system's choice.
            if (s_background &&
                (lResult == 0 || reinterpret_cast<HBRUSH>(lResult) == GetSysColorBrush(COLOR_BTNFACE))) {
                SetTextColor(reinterpret_cast<HDC>(wParam), s_crText);
                SetBkColor(reinterpret_cast<HDC>(wParam), s_crBackground);
                return reinterpret_cast<LRESULT>(s_background.Get());
            }
            return lResult;
        default:
            return lResult;
    }
}

LRESULT CALLBACK ColourHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        const auto* pCreate = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const bool fDialog = IS_INTRESOURCE(pCreate->lpszClass)
                                 ? LOWORD(reinterpret_cast<UINT_PTR>(pCreate->lpszClass)) == DIALOG_CLASS_ATOM
                                 : lstrcmpA(pCreate->lpszClass, "#32770") == 0;
        if (fDialog && !GetPropA(hWnd, COLOUR_PROP)) {
            const LONG_PTR pfnOriginal = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
            SetPropA(hWnd, COLOUR_PROP, reinterpret_cast<HANDLE>(pfnOriginal));
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColourProc));
        }
    }
    return CallNextHookEx(s_hColourHook, nCode, wParam, lParam);
}

}  // namespace

void DLGCOLOR_Set(COLORREF crBackground, COLORREF crText) {
    DLGCOLOR_Reset();
    s_crBackground = crBackground;
    s_crText = crText;
    s_background.Reset(CreateSolidBrush(crBackground));
    s_hColourHook = SetWindowsHookExA(WH_CBT, ColourHook, nullptr, GetCurrentThreadId());
    MFX_VERIFY(s_hColourHook);
}

// The brush stays while windows made under the hook may still ask for it; it is freed with the next setting.
void DLGCOLOR_Reset() {
    if (s_hColourHook)
        UnhookWindowsHookEx(s_hColourHook);
    s_hColourHook = nullptr;
}
