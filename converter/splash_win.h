// The splash window: the program's picture in a borderless dialog, in its own palette on displays that need
// one; a click closes it.
#pragma once

#include "toolkit/gdiobject_win.h"
#include "toolkit/window_win.h"

class CSplashWnd : public CDialog {
public:
    CSplashWnd(HINSTANCE hInstance, HWND hParent);

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    bool LoadPicture();
    // Realises the palette in the window; true when that changed the system palette.
    bool Realise(bool fBackground);
    HINSTANCE m_hInstance;
    int m_idSplash;
    CBitmap m_bitmap;
    CGdiObject<HPALETTE> m_palette;
    int m_cx = 0;
    int m_cy = 0;
};
