#include "converter/splash_win.h"

#include <vector>

#include "converter/reelpro_ids.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("SPLASH");

CSplashWnd::CSplashWnd(HINSTANCE hInstance, HWND hParent)
    : CDialog(hInstance, IDD_SPLASH, hParent), m_hInstance(hInstance), m_idSplash(IDB_SPLASH) {}

// With more than 16 colours on screen the picture keeps its own colours: its colour table becomes a palette,
// and the device bitmap is made through it. Otherwise the system maps the picture as it loads it.
bool CSplashWnd::LoadPicture() {
    const CWindowDC screen(nullptr);
    const HDC hdcScreen = screen.Get();
    const int nBits = GetDeviceCaps(hdcScreen, BITSPIXEL) * GetDeviceCaps(hdcScreen, PLANES);
    if (nBits > 4) {
        HRSRC hFound = FindResourceA(m_hInstance, MAKEINTRESOURCEA(m_idSplash), MAKEINTRESOURCEA(2));
        HGLOBAL hLoaded = hFound ? LoadResource(m_hInstance, hFound) : nullptr;
        const auto* pInfo = hLoaded ? static_cast<const BITMAPINFO*>(LockResource(hLoaded)) : nullptr;
        if (pInfo) {
            const BITMAPINFOHEADER& header = pInfo->bmiHeader;
            const int cColours = header.biBitCount <= 8
                                     ? (header.biClrUsed ? static_cast<int>(header.biClrUsed) : 1 << header.biBitCount)
                                     : 0;
            if (cColours > 0) {
                std::vector<BYTE> buffer(sizeof(LOGPALETTE) + cColours * sizeof(PALETTEENTRY));
                auto* pPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
                pPalette->palVersion = 0x300;
                pPalette->palNumEntries = static_cast<WORD>(cColours);
                for (int i = 0; i < cColours; ++i) {
                    pPalette->palPalEntry[i] = {pInfo->bmiColors[i].rgbRed, pInfo->bmiColors[i].rgbGreen,
                                                pInfo->bmiColors[i].rgbBlue, 0};
                }
                m_palette.Reset(CreatePalette(pPalette));
            }
            HPALETTE hOld = m_palette ? SelectPalette(hdcScreen, m_palette.Get(), FALSE) : nullptr;
            if (m_palette)
                RealizePalette(hdcScreen);
            const BYTE* pBits = reinterpret_cast<const BYTE*>(pInfo) + header.biSize + cColours * sizeof(RGBQUAD);
            m_bitmap.Reset(CreateDIBitmap(hdcScreen, &header, CBM_INIT, pBits, pInfo, DIB_RGB_COLORS));
            if (hOld)
                SelectPalette(hdcScreen, hOld, FALSE);
        }
        return MFX_VERIFY(m_bitmap);
    }
    m_bitmap.Reset(LoadBitmapA(m_hInstance, MAKEINTRESOURCEA(m_idSplash)));
    if (!m_bitmap) {
        MFX_ReportFailure(MFX_CHECK_VERIFY, s_szMfxSourceModule, __LINE__,
                          "m_hBitmap = LoadBitmap( AfxGetResourceHandle(), MAKEINTRESOURCE(m_idSplash) )");
    }
    return static_cast<bool>(m_bitmap);
}

bool CSplashWnd::OnInitDialog() {
    if (LoadPicture()) {
        BITMAP bm = {};
        GetObjectA(m_bitmap.Get(), sizeof(bm), &bm);
        m_cx = bm.bmWidth;
        m_cy = bm.bmHeight;
        SetWindowPos(m_hWnd, nullptr, 0, 0, m_cx + 2, m_cy + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CenterOver(GetParent(m_hWnd));
    return true;
}

bool CSplashWnd::Realise(bool fBackground) {
    if (!m_palette)
        return false;
    const CWindowDC dc(m_hWnd);
    HPALETTE hOld = SelectPalette(dc.Get(), m_palette.Get(), fBackground);
    const UINT cChanged = RealizePalette(dc.Get());
    SelectPalette(dc.Get(), hOld, TRUE);
    return cChanged > 0 && cChanged != GDI_ERROR;
}

bool CSplashWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(m_hWnd, &ps);
            HPALETTE hOld = m_palette ? SelectPalette(hdc, m_palette.Get(), FALSE) : nullptr;
            if (m_palette && RealizePalette(hdc) > 0)
                InvalidateRect(m_hWnd, nullptr, FALSE);
            if (m_bitmap) {
                const CCompatibleDC memory(hdc);
                CSelectObject bitmap(memory.Get(), m_bitmap.Get());
                BitBlt(hdc, 0, 0, m_cx, m_cy, memory.Get(), 0, 0, SRCCOPY);
            }
            if (hOld)
                SelectPalette(hdc, hOld, TRUE);
            EndPaint(m_hWnd, &ps);
            lResult = 0;
            return true;
        }
        case WM_LBUTTONDOWN:
            EndDialog(IDOK);
            lResult = 0;
            return true;
        case WM_PALETTECHANGED:
            if (reinterpret_cast<HWND>(wParam) != m_hWnd && Realise(true))
                InvalidateRect(m_hWnd, nullptr, FALSE);
            lResult = 0;
            return true;
        case WM_QUERYNEWPALETTE:
        case WM_ACTIVATE: {
            const bool fChanged = Realise(false);
            if (fChanged)
                InvalidateRect(m_hWnd, nullptr, FALSE);
            lResult = fChanged;
            return uMsg == WM_QUERYNEWPALETTE || CDialog::OnMessage(uMsg, wParam, lParam, lResult);
        }
        default:
            return CDialog::OnMessage(uMsg, wParam, lParam, lResult);
    }
}
