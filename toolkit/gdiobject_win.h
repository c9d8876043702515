// Owners of GDI objects: each deletes or restores what it holds when it goes out of scope.
#pragma once

#include <windows.h>

// A pen, brush, font or bitmap, deleted with the owner. Null when its creation failed.
template <class HGDI>
class CGdiObject {
public:
    explicit CGdiObject(HGDI hObject = nullptr) : m_hObject(hObject) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDI Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }
    // Deletes the object held and takes hObject in its place.
    void Reset(HGDI hObject = nullptr) {
        if (m_hObject)
            DeleteObject(m_hObject);
        m_hObject = hObject;
    }

private:
    HGDI m_hObject;
};

typedef CGdiObject<HPEN> CPen;
typedef CGdiObject<HBRUSH> CBrush;
typedef CGdiObject<HFONT> CFont;
typedef CGdiObject<HBITMAP> CBitmap;

// Selects an object into a device context for the owner's lifetime, then puts the previous one back. A null
// object selects nothing.
class CSelectObject {
public:
    CSelectObject(HDC hdc, HGDIOBJ hObject) : m_hdc(hdc), m_hPrevious(hObject ? SelectObject(hdc, hObject) : nullptr) {}
    ~CSelectObject() {
        if (m_hPrevious)
            SelectObject(m_hdc, m_hPrevious);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hPrevious;
};

// The device context of a window (of the screen for none) from GetDC, released with the owner.
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hdc(GetDC(hWnd)) {}
    ~CWindowDC() {
        if (m_hdc)
            ReleaseDC(m_hWnd, m_hdc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hdc;
};

// A memory device context compatible with another, deleted with the owner.
class CCompatibleDC {
public:
    explicit CCompatibleDC(HDC hdcCompatible) : m_hdc(CreateCompatibleDC(hdcCompatible)) {}
    ~CCompatibleDC() {
        if (m_hdc)
            DeleteDC(m_hdc);
    }
    CCompatibleDC(const CCompatibleDC&) = delete;
    CCompatibleDC& operator=(const CCompatibleDC&) = delete;

    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HDC m_hdc;
};

// A memory device context compatible with another, with a bitmap of the given size selected into it.
class CMemoryDC {
public:
    CMemoryDC(HDC hdcCompatible, int cx, int cy)
        : m_dc(hdcCompatible),
          m_bitmap(CreateCompatibleBitmap(hdcCompatible, cx, cy)),
          m_hPrevious(m_dc && m_bitmap ? SelectObject(m_dc.Get(), m_bitmap.Get()) : nullptr) {}
    ~CMemoryDC() {
        if (m_hPrevious)
            SelectObject(m_dc.Get(), m_hPrevious);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_dc.Get(); }
    // True when both the context and its bitmap exist.
    explicit operator bool() const { return m_hPrevious != nullptr; }

private:
    CCompatibleDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hPrevious;
};
