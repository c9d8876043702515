// Owner-drawn list boxes: each entry holds a drawing object that gives its text and icon, and the box paints
// through a memory bitmap of its client size so that entries do not flicker.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/window_win.h"

const int DRAWLIST_TEXTINDENT = 26;  // the text starts this far right of the entry's left edge, past the icon

// What one entry shows. One object may serve many entries: it is asked by the entry's index.
class CDrawListBase {
public:
    virtual ~CDrawListBase() = default;
    virtual std::string GetText(int nIndex) const = 0;
    // Null for no icon.
    virtual HICON GetIcon(int nIndex) const = 0;
    // Draws the entry described by dis in the drawing list's look.
    void Draw(HWND hList, const DRAWITEMSTRUCT& dis) const;
};

// An owner-drawn list box control taken over by this object. Its parent window receives WM_DRAWITEM for it
// and hands the message to DrawItem. The box is a child: it is destroyed with its parent, and this object
// only lets go of it.
class CDrawListBox : public CWindow {
public:
    // Creates the box (a "LISTBOX" with the given styles, which must make it owner-drawn without strings).
    bool Create(DWORD dwStyle, const RECT& rc, HWND hParent, int idControl);

    int GetCount() const;
    // Appends an entry drawn by pDraw, which must live as long as the entry.
    bool AddEntry(const CDrawListBase* pDraw);
    bool DeleteEntry(int nIndex);
    bool IsSelected(int nIndex) const;
    bool SetSelected(int nIndex, bool fSelected);
    // For the parent's WM_DRAWITEM of this box.
    void DrawItem(const DRAWITEMSTRUCT& dis) const;

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    void Paint();
};

// The height of the bounding box of the icon's non-white pixels when it is drawn on white; 0 when none is.
int DRAWLIST_GetIconVisibleHeight(HICON hIcon);
