// Pictures with their own palette: a device-dependent bitmap made for the display, and the palette built from
// the picture's colour table (only on displays with more than 4 bits per pixel, and only for pictures that
// have a table).
#pragma once

#include <windows.h>

#include "setupext/orvadrop/dib.h"

// Builds the palette of a checked packed DIB's colour table; null without a table of colours.
HPALETTE LPDIB_CreatePalette(const BITMAPINFO* pDIB);
// Makes the display bitmap of a checked packed DIB, through hDC's palette.
HBITMAP LPDIB_GethBitmap(const BITMAPINFO* pDIB, HDC hDC, UINT uUsage);

class CPalBmp {
public:
    CPalBmp() = default;
    ~CPalBmp() { Detach(); }
    CPalBmp(const CPalBmp&) = delete;
    CPalBmp& operator=(const CPalBmp&) = delete;

    // From the module's bitmap resources: idHighColour (when not 0) on displays with more than 8 bits per
    // pixel, idResource otherwise. True on success.
    bool LoadBitmap(HINSTANCE hInstance, int idResource, int idHighColour = 0);
    // From a bitmap file. True on success; a file that is not a sound bitmap fails.
    bool LoadFile(const char* szFile);
    // Takes over a bitmap, keeping the palette already held. False (and nothing taken) for no bitmap.
    bool Attach(HBITMAP hBitmap);
    void Detach();

    HBITMAP GetBitmap() const { return m_hBitmap; }
    HPALETTE GetPalette() const { return m_hPalette; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    explicit operator bool() const { return m_hBitmap != nullptr; }

private:
    bool FromPackedDIB(const BITMAPINFO* pDIB, const DIB_INFO& info);
    HBITMAP m_hBitmap = nullptr;
    HPALETTE m_hPalette = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

// Bits per pixel of the display.
int PALBMP_DisplayBits();
