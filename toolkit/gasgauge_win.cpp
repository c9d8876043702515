// The gas gauge's window class: state per window, the commands, and the painting of both styles.
#include <windows.h>

#include <cstdlib>

#include "toolkit/gasgauge.h"
#include "toolkit/gasgauge_win.h"
#include "toolkit/gdiobject_win.h"

MFX_SOURCE_MODULE("GASGAUGE");

namespace {

const COLORREF LIGHTGREY = RGB(192, 192, 192);
const COLORREF GREY = RGB(128, 128, 128);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF TEAL = RGB(0, 128, 128);
const COLORREF CYAN = RGB(0, 255, 255);
const COLORREF DARKTEAL = RGB(0, 64, 64);
const int BEVEL = 2;  // width of the bar's highlight and shadow
const DWORD ROP_DSXNOR = 0x00990066;  // destination XNOR source

GASGAUGE* StateOf(HWND hWnd) {
    return reinterpret_cast<GASGAUGE*>(GetWindowLongPtrA(hWnd, 0));
}

bool Is3D(HWND hWnd) {
    return (GetWindowLongPtrA(hWnd, GWL_STYLE) & GASGAUGE_STYLE_3D) != 0;
}

RECT ToRect(const GASGAUGE_RECT& rc) {
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

// Fills a rectangle the way a fill without outline does: the last column and row are left out.
void FillNoOutline(HDC hdc, const RECT& rc, HBRUSH hBrush) {
    if (!hBrush || rc.right - 1 <= rc.left || rc.bottom - 1 <= rc.top)
        return;
    RECT rcFill = {rc.left, rc.top, rc.right - 1, rc.bottom - 1};
    FillRect(hdc, &rcFill, hBrush);
}

// A sunken frame on the outermost pixels of rc: grey along the top and left, white along the bottom and right.
void SunkenFrame(HDC hdc, const RECT& rc, HPEN hGrey, HPEN hWhite) {
    if (hGrey) {
        CSelectObject pen(hdc, hGrey);
        MoveToEx(hdc, rc.left, rc.bottom - 1, nullptr);
        LineTo(hdc, rc.left, rc.top);
        LineTo(hdc, rc.right, rc.top);
    }
    if (hWhite) {
        CSelectObject pen(hdc, hWhite);
        MoveToEx(hdc, rc.left, rc.bottom - 1, nullptr);
        LineTo(hdc, rc.right - 1, rc.bottom - 1);
        LineTo(hdc, rc.right - 1, rc.top);
    }
}

// The 8 x 8 checkered teal and cyan brush of the bar's highlight.
HBRUSH CreateHighlightBrush() {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 8;
    bmi.bmiHeader.biHeight = 8;  // bottom-up, the form every pattern brush accepts
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    struct {
        BITMAPINFOHEADER header;
        DWORD adwPixels[64];
    } packed = {bmi.bmiHeader, {}};
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) {
            const COLORREF cr = (x + y) % 2 ? TEAL : CYAN;
            packed.adwPixels[(7 - y) * 8 + x] = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
        }
    return CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
}

void PaintBar3D(HDC hdc, const GASGAUGE* pGauge) {
    // The face is the bar inset by 1, its top and left by 2, filled without outline: it lies inside both frame
    // lines of the well. The highlight and the shadow are painted along its edges.
    const RECT rcBar = ToRect(pGauge->rcBar);
    const RECT rcFill = {rcBar.left + 2, rcBar.top + 2, rcBar.right - 1, rcBar.bottom - 1};
    const RECT rcFace = {rcFill.left, rcFill.top, rcFill.right - 1, rcFill.bottom - 1};
    CBrush teal(CreateSolidBrush(TEAL));
    CBrush highlight(CreateHighlightBrush());
    CBrush shadow(CreateSolidBrush(DARKTEAL));
    MFX_VERIFY(teal && highlight && shadow);
    FillNoOutline(hdc, rcFill, teal.Get());
    if (highlight) {
        SetBrushOrgEx(hdc, 0, 0, nullptr);
        const RECT rcTop = {rcFace.left, rcFace.top, rcFace.right, rcFace.top + BEVEL};
        const RECT rcLeft = {rcFace.left, rcFace.top, rcFace.left + BEVEL, rcFace.bottom};
        FillRect(hdc, &rcTop, highlight.Get());
        FillRect(hdc, &rcLeft, highlight.Get());
    }
    if (shadow) {
        const RECT rcRight = {rcFace.right - BEVEL, rcFace.top, rcFace.right, rcFace.bottom};
        const RECT rcBottom = {rcFace.left, rcFace.bottom - BEVEL, rcFace.right, rcFace.bottom};
        FillRect(hdc, &rcRight, shadow.Get());
        FillRect(hdc, &rcBottom, shadow.Get());
    }
}

// The 3D style: well, frames, ticks and bar drawn into a bitmap of the client size, then copied to hdc.
void Paint3D(HWND hWnd, HDC hdc, GASGAUGE* pGauge) {
    if (pGauge->nRange == 0)
        return;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    GASGAUGE_Layout3D(pGauge, rcClient.right, rcClient.bottom);
    CMemoryDC memory(hdc, rcClient.right, rcClient.bottom);
    if (!MFX_VERIFY(memory))
        return;
    const HDC hdcMem = memory.Get();

    CBrush lightGrey(CreateSolidBrush(LIGHTGREY));
    MFX_VERIFY(lightGrey);
    FillNoOutline(hdcMem, ToRect(pGauge->rcClient), lightGrey.Get());

    CPen grey(CreatePen(PS_SOLID, 1, GREY));
    CPen white(CreatePen(PS_SOLID, 1, WHITE));
    const RECT rcInner = ToRect(pGauge->rcInner);
    const RECT rcInner2 = {rcInner.left + 1, rcInner.top + 1, rcInner.right - 1, rcInner.bottom - 1};
    SunkenFrame(hdcMem, rcInner, grey.Get(), white.Get());
    SunkenFrame(hdcMem, rcInner2, grey.Get(), white.Get());
    if (grey) {
        CSelectObject pen(hdcMem, grey.Get());
        long axTicks[5];
        GASGAUGE_Ticks3D(pGauge, axTicks);
        for (long x : axTicks) {
            MoveToEx(hdcMem, x, pGauge->rcClient.top, nullptr);
            LineTo(hdcMem, x, pGauge->rcClient.bottom);
        }
    }
    if (GASGAUGE_HasBar3D(pGauge))
        PaintBar3D(hdcMem, pGauge);
    BitBlt(hdc, 0, 0, rcClient.right, rcClient.bottom, hdcMem, 0, 0, SRCCOPY);
}

// The percentage, drawn in the bar colour on white off screen and combined with XNOR, so that it reads dark
// on the background and light on the bar.
void PaintPercent(HWND hWnd, HDC hdc, const GASGAUGE* pGauge, long lFill, const RECT& rcClient) {
    char szText[16];
    GASGAUGE_FormatPercent(lFill, rcClient.right, szText, sizeof(szText));
    const int cchText = lstrlenA(szText);
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    CSelectObject font(hdc, hFont);
    SIZE size;
    if (!MFX_VERIFY(GetTextExtentPoint32A(hdc, szText, cchText, &size)))
        return;
    CMemoryDC memory(hdc, size.cx, size.cy);
    if (!MFX_VERIFY(memory))
        return;
    CSelectObject memoryFont(memory.Get(), hFont);
    SetTextColor(memory.Get(), pGauge->crBar);
    SetBkColor(memory.Get(), WHITE);
    SetBkMode(memory.Get(), OPAQUE);
    TextOutA(memory.Get(), 0, 0, szText, cchText);
    BitBlt(hdc, (rcClient.right - size.cx) / 2, (rcClient.bottom - size.cy) / 2, size.cx, size.cy, memory.Get(), 0,
           0, ROP_DSXNOR);
}

void PaintFlat(HWND hWnd, HDC hdc, const GASGAUGE* pGauge) {
    if (pGauge->nRange == 0)
        return;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    const long lFill = GASGAUGE_FlatFill(pGauge, rcClient.right);
    if (lFill > 0) {
        CPen pen(CreatePen(PS_SOLID, 1, pGauge->crBar));
        CBrush brush(CreateSolidBrush(pGauge->crBar));
        if (MFX_VERIFY(pen && brush)) {
            CSelectObject selectPen(hdc, pen.Get());
            CSelectObject selectBrush(hdc, brush.Get());
            Rectangle(hdc, 0, 0, lFill, rcClient.bottom);
        }
    }
    if (lFill < rcClient.right) {
        CPen pen(CreatePen(PS_SOLID, 1, WHITE));
        CBrush brush(CreateSolidBrush(pGauge->crBackground));
        if (MFX_VERIFY(pen && brush)) {
            CSelectObject selectPen(hdc, pen.Get());
            CSelectObject selectBrush(hdc, brush.Get());
            Rectangle(hdc, lFill, 0, rcClient.right, rcClient.bottom);
        }
    }
    if (GetWindowLongPtrA(hWnd, GWL_STYLE) & GASGAUGE_STYLE_PERCENT)
        PaintPercent(hWnd, hdc, pGauge, lFill, rcClient);
}

void Paint(HWND hWnd, HDC hdc) {
    GASGAUGE* pGauge = StateOf(hWnd);
    if (!pGauge)
        return;
    if (Is3D(hWnd))
        Paint3D(hWnd, hdc, pGauge);
    else
        PaintFlat(hWnd, hdc, pGauge);
}

void Command(HWND hWnd, unsigned uCommand, int nValue) {
    GASGAUGE* pGauge = StateOf(hWnd);
    if (!pGauge)
        return;
    RECT rcClient;
    GetClientRect(hWnd, &rcClient);
    switch (GASGAUGE_Command(pGauge, uCommand, nValue, rcClient.right, Is3D(hWnd))) {
        case GASGAUGE_REDRAW_NONE:
            break;
        case GASGAUGE_REDRAW_INVALIDATE:
            InvalidateRect(hWnd, nullptr, FALSE);
            break;
        case GASGAUGE_REDRAW_NOW:
            if (const CWindowDC dc{hWnd})
                Paint3D(hWnd, dc.Get(), pGauge);
            break;
    }
}

LRESULT CALLBACK GasGaugeProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_CREATE: {
            auto* pGauge = static_cast<GASGAUGE*>(calloc(1, sizeof(GASGAUGE)));
            if (!MFX_VERIFY(pGauge))
                return -1;
            GASGAUGE_Construct(pGauge);
            SetWindowLongPtrA(hWnd, 0, reinterpret_cast<LONG_PTR>(pGauge));
            return 0;
        }
        case WM_NCDESTROY:
            free(StateOf(hWnd));
            SetWindowLongPtrA(hWnd, 0, 0);
            break;
        case WM_COMMAND:
            Command(hWnd, LOWORD(wParam), static_cast<int>(lParam));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_ERASEBKGND:
            if (Is3D(hWnd))
                return 1;
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC hdc = BeginPaint(hWnd, &ps)) {
                Paint(hWnd, hdc);
                EndPaint(hWnd, &ps);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(hWnd, reinterpret_cast<HDC>(wParam));
            return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

bool GASGAUGE_Initialize(MFX_HMODULE hInstance, const char* szClassName, bool fGlobal) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW | (fGlobal ? CS_GLOBALCLASS : 0);
    wc.lpfnWndProc = GasGaugeProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = static_cast<HINSTANCE>(hInstance);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = szClassName;
    return RegisterClassExA(&wc) != 0;
}
