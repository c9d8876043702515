// The backdrop window and its slide show.
#include "setupext/orvadrop/backdrop_win.h"

#include <new>

#include "setupext/orvadrop/orvadrop_ids.h"
#include "toolkit/gdiobject_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("BACKDROP");

namespace {

const char BACKDROP_CLASS[] = "OrvantaBackDrop";
const char BACKDROP_TITLE[] = "Orvanta";
const int GROW_OUT = 10;  // a picture dissolves out over its rectangle grown by this on every side
bool s_fRegistered = false;

HBRUSH BlackBrush() {
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

// Draws a picture with every pixel of its top-left pixel's colour left out: a mask of that colour clears the
// screen where the picture goes, then the picture, black where the colour was, is added.
void DrawTransparent(HDC hdc, const CPalBmp& picture, int x, int y) {
    if (!picture)
        return;
    const int cx = picture.Width(), cy = picture.Height();
    HDC hdcPicture = CreateCompatibleDC(hdc);
    HDC hdcMask = CreateCompatibleDC(hdc);
    CBitmap mask(CreateBitmap(cx, cy, 1, 1, nullptr));
    CMemoryDC cutout(hdc, cx, cy);
    if (hdcPicture && hdcMask && mask && cutout) {
        const HGDIOBJ hOldPicture = SelectObject(hdcPicture, picture.GetBitmap());
        const HGDIOBJ hOldMask = SelectObject(hdcMask, mask.Get());
        // Colour to monochrome: white where the source has its background colour.
        SetBkColor(hdcPicture, GetPixel(hdcPicture, 0, 0));
        BitBlt(hdcMask, 0, 0, cx, cy, hdcPicture, 0, 0, SRCCOPY);
        // Monochrome to colour: white becomes the destination's background colour, black its text colour.
        BitBlt(cutout.Get(), 0, 0, cx, cy, hdcPicture, 0, 0, SRCCOPY);
        SetBkColor(cutout.Get(), RGB(0, 0, 0));
        SetTextColor(cutout.Get(), RGB(255, 255, 255));
        BitBlt(cutout.Get(), 0, 0, cx, cy, hdcMask, 0, 0, SRCAND);
        const COLORREF crOldBk = SetBkColor(hdc, RGB(255, 255, 255));
        const COLORREF crOldText = SetTextColor(hdc, RGB(0, 0, 0));
        BitBlt(hdc, x, y, cx, cy, hdcMask, 0, 0, SRCAND);
        BitBlt(hdc, x, y, cx, cy, cutout.Get(), 0, 0, SRCPAINT);
        SetBkColor(hdc, crOldBk);
        SetTextColor(hdc, crOldText);
        SelectObject(hdcMask, hOldMask);
        SelectObject(hdcPicture, hOldPicture);
    }
    if (hdcMask)
        DeleteDC(hdcMask);
    if (hdcPicture)
        DeleteDC(hdcPicture);
}

// Selects and realises a palette (none: nothing) into a device context for the owner's lifetime. When realising
// changed the system palette, the window is drawn again.
class CRealize {
public:
    CRealize(HWND hWnd, HDC hdc, HPALETTE hPalette)
        : m_hdc(hdc), m_hOld(hPalette ? SelectPalette(hdc, hPalette, FALSE) : nullptr) {
        m_fChanged = m_hOld && RealizePalette(hdc) > 0;
        if (m_fChanged)
            InvalidateRect(hWnd, nullptr, TRUE);
    }
    ~CRealize() {
        if (m_hOld)
            SelectPalette(m_hdc, m_hOld, FALSE);
    }
    CRealize(const CRealize&) = delete;
    CRealize& operator=(const CRealize&) = delete;

    bool Changed() const { return m_fChanged; }

private:
    HDC m_hdc;
    HPALETTE m_hOld;
    bool m_fChanged;
};

// A brush that repeats a picture; null without the picture.
HBRUSH PictureBrush(const CPalBmp& picture) {
    return picture ? CreatePatternBrush(picture.GetBitmap()) : nullptr;
}

}  // namespace

HWND BACKDROP_CreateWindow(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint, DWORD msWait) {
    MFX_VERIFY(pSelf->lpPrivateData);
    CBackDrop* pWnd = new (std::nothrow) CBackDrop(pSelf, pfnPaint, msWait);
    bool fOk = false;
    MFX_VERIFY(fOk = pWnd && pWnd->XCreateWindow());
    if (!fOk) {
        delete pWnd;
        return nullptr;
    }
    return pWnd->GetHandle();
}

void BACKDROP_Wait(DWORD msWait) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        const DWORD msElapsed = GetTickCount() - dwStart;
        if (msElapsed >= msWait)
            break;
        // Sleeps until mouse input, a message sent from another thread, or the end of the wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, msWait - msElapsed, QS_MOUSE | QS_SENDMESSAGE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// ---- CDissolve ----

CDissolve::CDissolve(HDC hdc, const CPalBmp& picture, int x, int y, int nCell)
    : m_hdc(hdc),
      m_rc{x, y, x + picture.Width(), y + picture.Height()},
      m_pGrid(DISSOLVE_Construct(picture.Width(), picture.Height(), nCell, nCell)) {
    m_hdcPicture = CreateCompatibleDC(hdc);
    if (m_hdcPicture) {
        m_hOldBitmap = SelectObject(m_hdcPicture, picture.GetBitmap());
        if (picture.GetPalette()) {
            m_hOldPalette = SelectPalette(m_hdcPicture, picture.GetPalette(), FALSE);
            RealizePalette(m_hdcPicture);
        }
    } else {
        DISSOLVE_Destroy(m_pGrid);
        m_pGrid = nullptr;
    }
    if (m_pGrid)
        DISSOLVE_Shuffle(m_pGrid);
}

CDissolve::CDissolve(HDC hdc, const RECT& rc, int nCell)
    : m_hdc(hdc), m_rc(rc), m_pGrid(DISSOLVE_Construct(rc.right - rc.left, rc.bottom - rc.top, nCell, nCell)) {
    if (m_pGrid)
        DISSOLVE_Shuffle(m_pGrid);
}

CDissolve::~CDissolve() {
    if (m_hdcPicture) {
        if (m_hOldPalette)
            SelectPalette(m_hdcPicture, m_hOldPalette, FALSE);
        SelectObject(m_hdcPicture, m_hOldBitmap);
        DeleteDC(m_hdcPicture);
    }
    DISSOLVE_Destroy(m_pGrid);
}

// A cell of the last column or row is cut at the edge of the picture or rectangle.
bool CDissolve::Step() {
    DISSOLVE_RECT cell;
    if (!m_pGrid || !DISSOLVE_Next(m_pGrid, &cell))
        return false;
    const int cx = (cell.right < m_pGrid->cxImage ? cell.right : m_pGrid->cxImage) - cell.left;
    const int cy = (cell.bottom < m_pGrid->cyImage ? cell.bottom : m_pGrid->cyImage) - cell.top;
    const int x = m_rc.left + cell.left, y = m_rc.top + cell.top;
    if (m_hdcPicture) {
        BitBlt(m_hdc, x, y, cx, cy, m_hdcPicture, cell.left, cell.top, SRCCOPY);
    } else {
        RECT rc = {x, y, x + cx, y + cy};
        FillRect(m_hdc, &rc, BlackBrush());
    }
    return true;
}

// ---- CBackDrop ----

CBackDrop::CBackDrop(BACKDROP* pBackdrop, BACKDROP_PAINTPROC pfnPaint, DWORD msWait)
    : m_pBackdrop(pBackdrop), m_pfnPaint(pfnPaint), m_msWait(msWait) {
    DISSOLVE_CellSizes(GetSystemMetrics(SM_CXSCREEN), m_anCellSizes);
}

bool CBackDrop::XCreateWindow() {
    HINSTANCE hInstance = WINDOW_GetInstance();
    if (!s_fRegistered) {
        WNDCLASSEXA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.hInstance = hInstance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = BlackBrush();
        wc.lpszClassName = BACKDROP_CLASS;
        MFX_PRE(s_fRegistered = RegisterWindowClass(wc));
    }
    MFX_VERIFY(m_logo.LoadBitmap(hInstance, IDB_LOGO, IDB_LOGO_HIGH));
    MFX_VERIFY(m_mark.LoadBitmap(hInstance, IDB_MARK, IDB_MARK_HIGH));
    MFX_VERIFY(m_background.LoadBitmap(hInstance, IDB_BACKGROUND, IDB_BACKGROUND_HIGH));
    MFX_VERIFY(m_pattern.LoadBitmap(hInstance, IDB_PATTERN));
    const RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MFX_PRE(Create(0, BACKDROP_CLASS, BACKDROP_TITLE, WS_POPUP | WS_CLIPCHILDREN, rc, nullptr, nullptr, hInstance));
    ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    UpdateWindow(m_hWnd);
    return true;
}

void CBackDrop::RemoveWindowClass() {
    if (s_fRegistered)
        UnregisterClassA(BACKDROP_CLASS, WINDOW_GetInstance());
    s_fRegistered = false;
}

bool CBackDrop::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_ERASEBKGND:
            OnEraseBackground(reinterpret_cast<HDC>(wParam));
            lResult = 1;
            return true;
        case WM_PAINT:
            OnPaint();
            lResult = 0;
            return true;
        case WM_SETCURSOR:
            if (m_hCursor && LOWORD(lParam) == HTCLIENT) {
                SetCursor(m_hCursor);
                lResult = TRUE;
                return true;
            }
            break;
        case WM_QUERYNEWPALETTE:
        case WM_PALETTECHANGED: {
            if (uMsg == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == m_hWnd)
                break;
            HDC hdc = GetDC(m_hWnd);
            lResult = CRealize(m_hWnd, hdc, m_hPalette).Changed();
            ReleaseDC(m_hWnd, hdc);
            return true;
        }
        default:
            break;
    }
    return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
}

// The slide show pumps mouse messages, so an erase can arrive while one runs: it only blacks the window out.
void CBackDrop::OnEraseBackground(HDC hdc) {
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (m_fErasing) {
        FillRect(hdc, &rc, BlackBrush());
        return;
    }
    m_fErasing = true;
    if (!m_fFirstPaintDone) {
        m_fFirstPaintDone = true;
        FillRect(hdc, &rc, BlackBrush());
        SlideShow(hdc);
    }
    DrawBackground(hdc);
    m_fErasing = false;
}

void CBackDrop::SlideShow(HDC hdc) {
    HINSTANCE hInstance = WINDOW_GetInstance();
    BACKDROP_Wait(m_msWait);
    m_hCursor = LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_BACKDROP));
    if (m_hCursor)
        SetCursor(m_hCursor);
    for (int id : {IDB_SLIDE1, IDB_SLIDE2}) {
        CPalBmp slide;
        if (MFX_VERIFY(slide.LoadBitmap(hInstance, id)))
            ShowPicture(hdc, slide, m_anCellSizes[0]);
    }
    PATHNAME szLogo = "";
    if (PATHNAME_ConstructModuleFile(szLogo, hInstance, "LOGO.BMP") && PATHNAME_Exists(szLogo)) {
        CPalBmp logo;
        if (MFX_VERIFY(logo.LoadFile(szLogo)))
            ShowPicture(hdc, logo, m_anCellSizes[3]);
    }
}

// Centred on the screen, in with the fourth cell size, then out to black over a larger rectangle.
void CBackDrop::ShowPicture(HDC hdc, const CPalBmp& picture, int nCellOut) {
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - picture.Width() / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - picture.Height() / 2;
    // The picture's palette dies with it: the device context keeps it only while the picture shows.
    const CRealize realize(m_hWnd, hdc, picture.GetPalette());
    CDissolve(hdc, picture, x, y, m_anCellSizes[3]).Run();
    BACKDROP_Wait(m_msWait);
    const RECT rcOut = {x - GROW_OUT, y - GROW_OUT, x + picture.Width() + GROW_OUT, y + picture.Height() + GROW_OUT};
    CDissolve(hdc, rcOut, nCellOut).Run();
    BACKDROP_Wait(m_msWait);
}

void CBackDrop::DrawBackground(HDC hdc) {
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const CRealize realize(m_hWnd, hdc, m_background.GetPalette());
    m_hPalette = m_background.GetPalette();
    CBrush pattern(PictureBrush(m_pattern));
    if (PALBMP_DisplayBits() > 8) {
        if (m_background) {
            HDC hdcTile = CreateCompatibleDC(hdc);
            const HGDIOBJ hOldTile = SelectObject(hdcTile, m_background.GetBitmap());
            for (int y = rc.top; y < rc.bottom; y += m_background.Height())
                for (int x = rc.left; x < rc.right; x += m_background.Width())
                    BitBlt(hdc, x, y, m_background.Width(), m_background.Height(), hdcTile, 0, 0, SRCCOPY);
            SelectObject(hdcTile, hOldTile);
            DeleteDC(hdcTile);
        } else {
            FillRect(hdc, &rc, BlackBrush());
        }
        RECT rcBand = rc;
        rcBand.top = rc.bottom - 3 * GetSystemMetrics(SM_CYICON);
        FillRect(hdc, &rcBand, pattern ? pattern.Get() : BlackBrush());
    } else {
        CBrush background(PictureBrush(m_background));
        const int xSplit = rc.right - m_mark.Width() - 4;
        RECT rcLeft = rc, rcRight = rc;
        rcLeft.right = rcRight.left = xSplit;
        FillRect(hdc, &rcRight, pattern ? pattern.Get() : BlackBrush());
        FillRect(hdc, &rcLeft, background ? background.Get() : BlackBrush());
    }
    DrawTransparent(hdc, m_mark, rc.right - m_mark.Width(), rc.top);
    DrawTransparent(hdc, m_logo, 2, 2);
}

void CBackDrop::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hWnd, &ps);
    if (m_pfnPaint)
        m_pfnPaint(m_hWnd, &ps.hdc);
    EndPaint(m_hWnd, &ps);
}
