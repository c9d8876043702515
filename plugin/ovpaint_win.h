// The background of full-page movies: one painter for all instances of the library, drawing the scheme of
// the options (the maker's screen, the product's screen, a solid colour, a tiled or a centred picture) with
// its pictures and texts. The pictures and fonts are made when first needed and live as long as the library.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/gdiobject_win.h"

enum OVPAINT_SCHEME : long {
    OVPAINT_MAKER = 0,
    OVPAINT_PRODUCT = 1,
    OVPAINT_SOLID = 2,
    OVPAINT_TILE = 3,
    OVPAINT_CENTER = 4,
};

extern const char OVPAINT_MAKER_ADDRESS[];  // the maker's web address shown by the first two schemes
extern const char OVPAINT_HINT[];           // "right-click mouse button..."

// A bitmap of the library's resources or of a file, with the mask that lets its black background show the
// window behind it.
class COVBitmap {
public:
    bool LoadBitmap(int idBitmap);
    bool LoadFile(const char* szFile);
    void Reset();
    HBITMAP Get() const { return m_bitmap.Get(); }
    SIZE GetSize() const { return m_size; }
    explicit operator bool() const { return static_cast<bool>(m_bitmap); }
    // Plain, repeated from the rectangle's top left corner, or once with its mask.
    void Tile(HDC hdc, const RECT& rc) const;
    void Draw(HDC hdc, int x, int y) const;
    void DrawMasked(HDC hdc, int x, int y) const;

private:
    bool Take(HBITMAP hBitmap);
    CBitmap m_bitmap;
    CBitmap m_mask;
    SIZE m_size = {};
};

class COVFont {
public:
    bool CreateFontIndirect(const LOGFONTA* plf);
    HFONT Get() const { return m_font.Get(); }

private:
    CFont m_font;
};

class OVPAINT {
public:
    // Paints the window's client area in the options' scheme; nothing unless fFullPage.
    void PaintBackground(HWND hWnd, HDC hdc, bool fFullPage);
    // The display's depth decides between the plain and the 24-bit pictures; it is read from the screen
    // unless given here first.
    void SetDepth(bool f65KorGreater);

    COVBitmap m_bmpLogo;
    COVBitmap m_bmpTile;
    COVBitmap m_bmpBug;
    COVFont m_Font;
    COVFont m_BigFont;
    bool m_f65KorGreater = false;

private:
    void Load(HDC hdc, long lScheme, const char* szPicture);
    void PaintTexts(HDC hdc, const RECT& rcClient, long lScheme);
    bool m_fDepthKnown = false;
    bool m_fLoaded = false;
    long m_lLoadedScheme = -1;
    std::string m_sLoadedPicture;
};

// The library's painter.
OVPAINT& OVPAINT_Get();
