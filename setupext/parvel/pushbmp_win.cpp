// The push-bitmap button class: a superclass of the platform button. The platform's procedure keeps the
// button's behaviour (clicks, the pressed and checked states, default-button styles, dialog codes); this one
// takes the caption format apart and paints the face itself. The state lives behind the platform button's own
// window bytes and dies with the window.
#include "setupext/parvel/pushbmp_win.h"

#include <new>

#include "setupext/parvel/pushbmp.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PUSHBMP");

namespace {

// What "pressed" means: the pushed state for a push button; also the checked state for the check-box and
// radio styles, so that an icon toggle shows its pressed icon while it is on.
enum PUSHBMP_KIND { PUSHBMP_KIND_PUSH, PUSHBMP_KIND_CHECK, PUSHBMP_KIND_RADIO };

struct PUSHBMP_STATE {
    PUSHBMP_CAPTION caption;
    PUSHBMP_KIND kind;
    HICON hIcon;      // shared icons: never destroyed
    HICON hIconDown;  // null without a pressed icon
};

WNDPROC s_pfnButton = nullptr;
int s_cbButtonExtra = 0;
HINSTANCE s_hLibrary = nullptr;

PUSHBMP_STATE* StateOf(HWND hWnd) {
    return reinterpret_cast<PUSHBMP_STATE*>(GetWindowLongPtrA(hWnd, s_cbButtonExtra));
}

PUSHBMP_KIND KindOfStyle(LONG lStyle) {
    switch (lStyle & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return PUSHBMP_KIND_CHECK;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return PUSHBMP_KIND_RADIO;
        default:
            return PUSHBMP_KIND_PUSH;
    }
}

// An icon from the button's own module, then from this library; a missing one becomes this library's place
// holder, and failing that the system's exclamation icon. No name, no icon.
HICON LoadButtonIcon(HINSTANCE hOwner, const char* szName) {
    if (!*szName)
        return nullptr;
    HICON hIcon = hOwner ? LoadIconA(hOwner, szName) : nullptr;
    if (!hIcon)
        hIcon = LoadIconA(s_hLibrary, szName);
    if (!hIcon)
        hIcon = LoadIconA(s_hLibrary, "PLACE");
    if (!hIcon)
        hIcon = LoadIconA(nullptr, IDI_EXCLAMATION);
    return hIcon;
}

void SetCaption(PUSHBMP_STATE* pState, HINSTANCE hOwner, const char* szText) {
    PUSHBMP_ParseCaption(IS_INTRESOURCE(szText) ? "" : szText, &pState->caption);
    pState->hIcon = LoadButtonIcon(hOwner, pState->caption.szIcon);
    pState->hIconDown = LoadButtonIcon(hOwner, pState->caption.szIconDown);
}

RECT ToRect(const PUSHBMP_RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void DrawCaption(HDC hdc, HWND hWnd, const PUSHBMP_STATE& state, const PUSHBMP_RECT& rcPart, bool fFocus) {
    const char* szCaption = state.caption.szCaption;
    HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    MFX_VERIFY(hFont);
    const HGDIOBJ hOldFont = hFont ? SelectObject(hdc, hFont) : nullptr;
    LOGFONTA lf = {};
    const bool fBold = hFont && GetObjectA(hFont, sizeof(lf), &lf) && lf.lfWeight >= FW_BOLD;

    RECT rcText = {0, 0, 0, 0};
    DrawTextA(hdc, szCaption, -1, &rcText, DT_SINGLELINE | DT_CALCRECT);
    const PUSHBMP_RECT place =
        PUSHBMP_PlaceCaption(rcPart, state.caption.posCaption, rcText.right - rcText.left, rcText.bottom - rcText.top);
    RECT rc = ToRect(place);
    const bool fEnabled = IsWindowEnabled(hWnd) != FALSE;
    SetBkMode(hdc, TRANSPARENT);
    if (state.caption.fEmbossed || (!fEnabled && !fBold)) {
        RECT rcLight = {rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1};
        SetTextColor(hdc, RGB(255, 255, 255));
        DrawTextA(hdc, szCaption, -1, &rcLight, DT_SINGLELINE | DT_NOCLIP);
    }
    if (!fEnabled && fBold) {
        DrawStateA(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(szCaption), 0, rc.left, rc.top, rc.right - rc.left,
                   rc.bottom - rc.top, DST_PREFIXTEXT | DSS_DISABLED);
    } else {
        COLORREF cr = GetSysColor(COLOR_BTNTEXT);
        if (!fEnabled) {
            cr = GetSysColor(COLOR_GRAYTEXT);
            if (cr == GetSysColor(COLOR_BTNFACE))
                cr = RGB(128, 128, 128);
        }
        SetTextColor(hdc, cr);
        DrawTextA(hdc, szCaption, -1, &rc, DT_SINGLELINE | DT_NOCLIP);
    }
    if (fFocus) {
        InflateRect(&rc, 2, 1);
        DrawFocusRect(hdc, &rc);
    }
    if (hOldFont)
        SelectObject(hdc, hOldFont);
}

void Paint(HWND hWnd, HDC hdc) {
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const LONG lStyle = GetWindowLongA(hWnd, GWL_STYLE);
    const PUSHBMP_STATE* pState = StateOf(hWnd);
    const LRESULT lState = CallWindowProcA(s_pfnButton, hWnd, BM_GETSTATE, 0, 0);
    bool fPressed = (lState & BST_PUSHED) != 0;
    if (pState && pState->kind != PUSHBMP_KIND_PUSH)
        fPressed = fPressed || (lState & (BST_CHECKED | BST_INDETERMINATE)) != 0;
    const bool fFocus = GetFocus() == hWnd;

    // The platform's button frame, with the black border of the default button.
    RECT rcFrame = rcClient;
    if ((lStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        FrameRect(hdc, &rcFrame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&rcFrame, -1, -1);
    }
    DrawFrameControl(hdc, &rcFrame, DFC_BUTTON, DFCS_BUTTONPUSH | (fPressed ? DFCS_PUSHED : 0));
    if (!pState)
        return;

    const PUSHBMP_RECT client = {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom};
    const int nBorder = GetSystemMetrics(SM_CXBORDER);
    const PUSHBMP_RECT rcIcon = PUSHBMP_PartRect(client, pState->caption.posIcon, nBorder, fPressed);
    const HICON hIcon = fPressed && pState->hIconDown ? pState->hIconDown : pState->hIcon;
    if (hIcon) {
        const int cxIcon = GetSystemMetrics(SM_CXICON), cyIcon = GetSystemMetrics(SM_CYICON);
        DrawIcon(hdc, rcIcon.left + (rcIcon.right - rcIcon.left - cxIcon) / 2,
                 rcIcon.top + (rcIcon.bottom - rcIcon.top - cyIcon) / 2, hIcon);
    }
    if (pState->caption.szCaption[0]) {
        DrawCaption(hdc, hWnd, *pState, PUSHBMP_PartRect(client, pState->caption.posCaption, nBorder, fPressed),
                    fFocus);
    } else if (fFocus) {
        // A button of an icon alone still shows where the focus is.
        RECT rc = ToRect(rcIcon);
        DrawFocusRect(hdc, &rc);
    }
}

LRESULT CALLBACK PushBmpProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_NCCREATE: {
            auto* pcs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            auto* pState = new (std::nothrow) PUSHBMP_STATE{};
            MFX_VERIFY(pState);
            SetWindowLongPtrA(hWnd, s_cbButtonExtra, reinterpret_cast<LONG_PTR>(pState));
            if (!pState)
                break;
            pState->kind = KindOfStyle(pcs->style);
            SetCaption(pState, pcs->hInstance, pcs->lpszName);
            // The platform keeps only the caption as the window text.
            CREATESTRUCTA cs = *pcs;
            cs.lpszName = pState->caption.szCaption;
            return CallWindowProcA(s_pfnButton, hWnd, uMsg, wParam, reinterpret_cast<LPARAM>(&cs));
        }
        case WM_NCDESTROY: {
            const LRESULT lResult = CallWindowProcA(s_pfnButton, hWnd, uMsg, wParam, lParam);
            delete StateOf(hWnd);
            SetWindowLongPtrA(hWnd, s_cbButtonExtra, 0);
            return lResult;
        }
        case WM_SETTEXT: {
            PUSHBMP_STATE* pState = StateOf(hWnd);
            if (!pState)
                break;
            SetCaption(pState, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE)),
                       reinterpret_cast<const char*>(lParam));
            const LRESULT lResult =
                CallWindowProcA(s_pfnButton, hWnd, uMsg, wParam, reinterpret_cast<LPARAM>(pState->caption.szCaption));
            RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return lResult;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hWnd, &ps);
            Paint(hWnd, hdc);
            EndPaint(hWnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the frame covers the whole button
        // The platform button may draw its own face on these at once; the face is drawn again over it.
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETFONT:
        case WM_UPDATEUISTATE: {
            const LRESULT lResult = CallWindowProcA(s_pfnButton, hWnd, uMsg, wParam, lParam);
            RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return lResult;
        }
        default:
            break;
    }
    return CallWindowProcA(s_pfnButton, hWnd, uMsg, wParam, lParam);
}

}  // namespace

bool PUSHBMP_ClassInitGlobal(HINSTANCE hInstance, const char* szClassName) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(nullptr, "Button", &wc))
        return false;
    s_pfnButton = wc.lpfnWndProc;
    s_cbButtonExtra = wc.cbWndExtra;
    s_hLibrary = hInstance;
    // Painted within its own bounds: not the parent's clipping of the platform button.
    wc.style = (wc.style & ~CS_PARENTDC) | CS_GLOBALCLASS;
    wc.lpfnWndProc = PushBmpProc;
    wc.cbWndExtra += sizeof(LONG_PTR);
    wc.hInstance = s_hLibrary;
    wc.lpszClassName = szClassName;
    return RegisterClassExA(&wc) != 0;
}
