// The backdrop window: the setup's full-screen main window for the run, black, titled "Orvanta". Its first
// erase runs a short slide show; every erase draws the picture background, and every paint calls the engine's
// paint function.
//
// Ownership: made with new by XCreateWindow's caller, the object lives exactly as long as its window (the
// setup engine destroys the window at the end of the run) and deletes itself after the window's last message.
#pragma once

#include <windows.h>

#include <cstdint>

#include "setup/backdrop_win.h"
#include "setup/design.h"
#include "setupext/orvadrop/dissolve.h"
#include "setupext/orvadrop/palbmp_win.h"
#include "toolkit/window_win.h"

// Makes a backdrop window for the engine's record (which should have its private data) and shows it: the
// window, or null after a report. msWait is the slide show's pause between its steps.
HWND BACKDROP_CreateWindow(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint, DWORD msWait = 2500);

// Waits msWait milliseconds by the tick count, dispatching mouse messages only: the window answers the mouse
// while keyboard input waits.
void BACKDROP_Wait(DWORD msWait);

// One picture dissolving in, or a rectangle dissolving out to black, a cell at a time in the grid's order.
class CDissolve {
public:
    // In: the picture's cells copied to the screen at (x, y), through hdc.
    CDissolve(HDC hdc, const CPalBmp& picture, int x, int y, int nCell);
    // Out: the cells of rc painted black.
    CDissolve(HDC hdc, const RECT& rc, int nCell);
    ~CDissolve();
    CDissolve(const CDissolve&) = delete;
    CDissolve& operator=(const CDissolve&) = delete;

    // Draws the next cell; false when every cell is drawn (or there is no grid).
    bool Step();
    void Run() {
        while (Step()) {
        }
    }

private:
    HDC m_hdc;
    HDC m_hdcPicture = nullptr;  // null when dissolving out
    HGDIOBJ m_hOldBitmap = nullptr;
    HPALETTE m_hOldPalette = nullptr;
    RECT m_rc;
    DISSOLVE* m_pGrid;
    int m_nSavedDC;
};

class CBackDrop : public CWindow {
public:
    // pBackdrop is the engine's record, kept for the window's life; pfnPaint may be null.
    CBackDrop(BACKDROP* pBackdrop, BACKDROP_PAINTPROC pfnPaint, DWORD msWait);
    // Creates and shows the window over the whole screen. True on success.
    bool XCreateWindow();
    // The four dissolve cell sizes for this screen.
    const int32_t* CellSizes() const { return m_anCellSizes; }

    // Removes the window class (before the library that registered it goes away).
    static void RemoveWindowClass();

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    void OnFinalMessage() override { delete this; }

private:
    void OnEraseBackground(HDC hdc);
    void SlideShow(HDC hdc);
    void ShowPicture(HDC hdc, const CPalBmp& picture, int nCellOut);
    void DrawBackground(HDC hdc);
    void OnPaint();

    BACKDROP* m_pBackdrop;
    BACKDROP_PAINTPROC m_pfnPaint;
    bool m_fFirstPaintDone = false;
    bool m_fErasing = false;
    int32_t m_anCellSizes[4];
    HPALETTE m_hPalette = nullptr;  // the palette last realised, for the next focus; owned by a picture
    DWORD m_msWait;
    HCURSOR m_hCursor = nullptr;  // the slide show's cursor once it is set
    CPalBmp m_logo, m_mark, m_background, m_pattern;
};
