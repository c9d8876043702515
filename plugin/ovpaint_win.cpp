#include "plugin/ovpaint_win.h"

#include "plugin/movieoptions.h"
#include "plugin/movwnd_ids.h"
#include "toolkit/mfx.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("OVPAINT");

const char OVPAINT_MAKER_ADDRESS[] = "http://www.example.com/";
const char OVPAINT_HINT[] = "right-click mouse button...";

namespace {

const COLORREF GREY = RGB(192, 192, 192);
const COLORREF DARK_GREY = RGB(128, 128, 128);
const COLORREF PRODUCT_TEXT = RGB(240, 240, 240);
const int TEXT_MARGIN = 4;
const char PRODUCT_NAME[] = "Flarion";

void Fill(HDC hdc, const RECT& rc, COLORREF cr) {
    CBrush brush(CreateSolidBrush(cr));
    FillRect(hdc, &rc, brush.Get());
}

LOGFONTA Font(HDC hdc, const char* szFace, int nPoints, LONG lWeight, bool fItalic, LONG lEscapement) {
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(nPoints, GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfWeight = lWeight;
    lf.lfItalic = fItalic;
    lf.lfEscapement = lf.lfOrientation = lEscapement;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = PROOF_QUALITY;
    lstrcpynA(lf.lfFaceName, szFace, LF_FACESIZE);
    return lf;
}

}  // namespace

OVPAINT& OVPAINT_Get() {
    static OVPAINT s_painter;
    return s_painter;
}

bool COVBitmap::Take(HBITMAP hBitmap) {
    Reset();
    if (!hBitmap)
        return false;
    m_bitmap.Reset(hBitmap);
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof(bm), &bm);
    m_size = {bm.bmWidth, bm.bmHeight};
    // The mask is white where the picture is black: there the window shows through.
    CCompatibleDC hdcPicture(nullptr), hdcMask(nullptr);
    m_mask.Reset(CreateBitmap(m_size.cx, m_size.cy, 1, 1, nullptr));
    if (!hdcPicture || !hdcMask || !m_mask)
        return true;
    CSelectObject picture(hdcPicture.Get(), m_bitmap.Get());
    CSelectObject mask(hdcMask.Get(), m_mask.Get());
    SetBkColor(hdcPicture.Get(), RGB(0, 0, 0));
    BitBlt(hdcMask.Get(), 0, 0, m_size.cx, m_size.cy, hdcPicture.Get(), 0, 0, SRCCOPY);
    return true;
}

bool COVBitmap::LoadBitmap(int idBitmap) {
    return Take(static_cast<HBITMAP>(
        LoadImageA(WINDOW_GetInstance(), MAKEINTRESOURCEA(idBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

// The picture is read device-independent and converted for the screen.
bool COVBitmap::LoadFile(const char* szFile) {
    return Take(static_cast<HBITMAP>(LoadImageA(nullptr, szFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

void COVBitmap::Reset() {
    m_bitmap.Reset();
    m_mask.Reset();
    m_size = {};
}

void COVBitmap::Draw(HDC hdc, int x, int y) const {
    CCompatibleDC hdcPicture(hdc);
    CSelectObject picture(hdcPicture.Get(), m_bitmap.Get());
    BitBlt(hdc, x, y, m_size.cx, m_size.cy, hdcPicture.Get(), 0, 0, SRCCOPY);
}

void COVBitmap::Tile(HDC hdc, const RECT& rc) const {
    if (m_size.cx <= 0 || m_size.cy <= 0)
        return;
    CCompatibleDC hdcPicture(hdc);
    CSelectObject picture(hdcPicture.Get(), m_bitmap.Get());
    for (int y = rc.top; y < rc.bottom; y += m_size.cy) {
        for (int x = rc.left; x < rc.right; x += m_size.cx)
            BitBlt(hdc, x, y, m_size.cx, m_size.cy, hdcPicture.Get(), 0, 0, SRCCOPY);
    }
}

// The mask clears the picture's place with AND, the picture goes over it with OR: its black parts leave the
// window as it was.
void COVBitmap::DrawMasked(HDC hdc, int x, int y) const {
    CCompatibleDC hdcPicture(hdc);
    {
        CSelectObject mask(hdcPicture.Get(), m_mask.Get());
        const COLORREF crOldText = SetTextColor(hdc, RGB(0, 0, 0));
        const COLORREF crOldBk = SetBkColor(hdc, RGB(255, 255, 255));
        BitBlt(hdc, x, y, m_size.cx, m_size.cy, hdcPicture.Get(), 0, 0, SRCAND);
        SetTextColor(hdc, crOldText);
        SetBkColor(hdc, crOldBk);
    }
    CSelectObject picture(hdcPicture.Get(), m_bitmap.Get());
    BitBlt(hdc, x, y, m_size.cx, m_size.cy, hdcPicture.Get(), 0, 0, SRCPAINT);
}

bool COVFont::CreateFontIndirect(const LOGFONTA* plf) {
    m_font.Reset(::CreateFontIndirectA(plf));
    return static_cast<bool>(m_font);
}

void OVPAINT::SetDepth(bool f65KorGreater) {
    m_f65KorGreater = f65KorGreater;
    m_fDepthKnown = true;
    m_fLoaded = false;
}

// The pictures of the scheme, chosen by the display's depth; loaded again only when the scheme or the
// picture changes.
void OVPAINT::Load(HDC hdc, long lScheme, const char* szPicture) {
    if (!m_fDepthKnown) {
        CWindowDC screen(nullptr);
        m_f65KorGreater = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) > 8;
        m_fDepthKnown = true;
    }
    if (m_fLoaded && lScheme == m_lLoadedScheme && m_sLoadedPicture == szPicture)
        return;
    m_fLoaded = true;
    m_lLoadedScheme = lScheme;
    m_sLoadedPicture = szPicture;
    m_bmpLogo.Reset();
    m_bmpTile.Reset();
    m_bmpBug.Reset();
    // clang-format off
    // The reports quote each load as written here.
    switch (lScheme) {
        case OVPAINT_MAKER:
            MFX_VERIFY(m_bmpLogo.LoadBitmap(m_f65KorGreater ? IDBMP_LOGOMASKDIB : IDBMP_LOGOMASK ));
            if (m_f65KorGreater)
                MFX_VERIFY(m_bmpTile.LoadBitmap(IDBMP_PAPERDIB));
            MFX_VERIFY(m_bmpBug.LoadBitmap(m_f65KorGreater ? IDBMP_BUGMASKDIB : IDBMP_BUGMASK ));
            break;
        case OVPAINT_PRODUCT:
            MFX_VERIFY(m_bmpLogo.LoadBitmap(m_f65KorGreater ? IDBMP_REELFACEDIB : IDBMP_REELFACE ));
            MFX_VERIFY(m_bmpTile.LoadBitmap(m_f65KorGreater ? IDBMP_BUGTILEDIB : IDBMP_BUGTILE ));
            break;
        case OVPAINT_TILE:
        case OVPAINT_CENTER:
            MFX_VERIFY(m_bmpTile.LoadFile(szPicture));
            break;
        default:
            break;
    }
    LOGFONTA lf = Font(hdc, "Ms Sans Serif", 10, FW_NORMAL, false, 0);
    MFX_VERIFY(m_Font.CreateFontIndirect(&lf));
    // The product's screen writes its name up its strip, larger and heavier.
    lf = lScheme == OVPAINT_PRODUCT ? Font(hdc, "Times New Roman", 48, 900, true, 900)
                                    : Font(hdc, "Times New Roman", 24, FW_BOLD, true, 0);
    MFX_VERIFY(m_BigFont.CreateFontIndirect(&lf));
    // clang-format on
}

void OVPAINT::PaintBackground(HWND hWnd, HDC hdc, bool fFullPage) {
    if (!fFullPage)
        return;
    const CMovieOptions& options = MOVIEOPTIONS_Get();
    const long lScheme = options.m_lBackgroundType;
    Load(hdc, lScheme, options.m_szBackgroundPicture);
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    const COLORREF crBackground = static_cast<COLORREF>(options.m_crBackground);
    switch (lScheme) {
        case OVPAINT_SOLID:
            Fill(hdc, rc, crBackground);
            break;
        case OVPAINT_MAKER: {
            if (m_f65KorGreater && m_bmpTile)
                m_bmpTile.Tile(hdc, rc);
            else
                Fill(hdc, rc, GREY);
            const SIZE bug = m_bmpBug.GetSize();
            if (m_bmpBug)
                m_bmpBug.DrawMasked(hdc, rc.right - bug.cx, rc.bottom - bug.cy);
            else
                Fill(hdc, rc, GREY);
            if (m_bmpLogo)
                m_bmpLogo.DrawMasked(hdc, 2, 2);
            break;
        }
        case OVPAINT_PRODUCT:
            if (m_f65KorGreater && m_bmpTile)
                m_bmpTile.Tile(hdc, rc);
            else
                Fill(hdc, rc, DARK_GREY);
            break;
        case OVPAINT_TILE:
            Fill(hdc, rc, crBackground);
            m_bmpTile.Tile(hdc, rc);
            break;
        case OVPAINT_CENTER: {
            Fill(hdc, rc, crBackground);
            const SIZE picture = m_bmpTile.GetSize();
            if (m_bmpTile)
                m_bmpTile.Draw(hdc, (rc.right - picture.cx) / 2, (rc.bottom - picture.cy) / 3);
            break;
        }
        default:
            break;
    }
    PaintTexts(hdc, rc, lScheme);
}

void OVPAINT::PaintTexts(HDC hdc, const RECT& rcClient, long lScheme) {
    if (lScheme != OVPAINT_MAKER && lScheme != OVPAINT_PRODUCT)
        return;
    const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
    RECT rc = rcClient;
    InflateRect(&rc, -TEXT_MARGIN, -TEXT_MARGIN);
    const COLORREF crOldText = SetTextColor(hdc, lScheme == OVPAINT_PRODUCT ? PRODUCT_TEXT : RGB(0, 0, 0));
    const int nOldMode = SetBkMode(hdc, TRANSPARENT);
    const HGDIOBJ hOldFont = SelectObject(hdc, m_Font.Get());
    DrawTextA(hdc, OVPAINT_MAKER_ADDRESS, -1, &rc, DT_SINGLELINE | DT_RIGHT | DT_TOP | DT_NOPREFIX);
    if (lScheme == OVPAINT_MAKER) {
        DrawTextA(hdc, OVPAINT_HINT, -1, &rc, DT_SINGLELINE | DT_LEFT | DT_BOTTOM | DT_NOPREFIX);
        RECT rcName = rc;
        rcName.bottom -= cyCaption;
        SelectObject(hdc, m_BigFont.Get());
        DrawTextA(hdc, PRODUCT_NAME, -1, &rcName, DT_SINGLELINE | DT_LEFT | DT_BOTTOM | DT_NOPREFIX);
    } else {
        const int cxStrip = m_bmpTile ? m_bmpTile.GetSize().cx + 2 : 5 * cyCaption;
        const RECT rcStrip = {rcClient.left, rcClient.top, rcClient.left + cxStrip, rcClient.bottom};
        Fill(hdc, rcStrip, RGB(0, 0, 0));
        if (m_f65KorGreater && m_bmpLogo)
            m_bmpLogo.DrawMasked(hdc, rcClient.left, rcClient.top);
        // The name runs up the strip from its foot.
        SelectObject(hdc, m_BigFont.Get());
        TEXTMETRICA tm = {};
        GetTextMetricsA(hdc, &tm);
        TextOutA(hdc, rcStrip.left + (cxStrip - tm.tmHeight) / 2, rcStrip.bottom - TEXT_MARGIN, PRODUCT_NAME,
                 lstrlenA(PRODUCT_NAME));
    }
    SelectObject(hdc, hOldFont);
    SetBkMode(hdc, nOldMode);
    SetTextColor(hdc, crOldText);
}
