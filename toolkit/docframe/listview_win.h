// The list view: an owner-drawn, extended-selection list box (control 100) filling a view of a list document,
// kept in step with the document's items and selection, accepting dropped files, and reordering the selection
// by dragging.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "toolkit/docframe/docview_win.h"
#include "toolkit/docframe/drawlist_win.h"
#include "toolkit/gdiobject_win.h"
#include "toolkit/docframe/listdoc_win.h"

const int IDLB_LISTVIEW = 100;
const int LISTVIEW_IDI_MEASURE = 111;  // the icon whose visible height the entries' height allows for
const int LISTVIEW_MAXDROPNAME = 261;  // bytes of one dropped name, terminator included

class CListView;

// The view's list box: a press on the selection starts a drag that moves it.
class CListViewBox : public CDrawListBox {
public:
    explicit CListViewBox(CListView* pView) : m_pView(pView) {}

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    bool StartsDrag(POINT pt, WPARAM wKeys) const;
    CListView* m_pView;
};

class CListView : public CView {
public:
    CListView();

    // The view's document; null (reported) when it has none or it is not a list document.
    CListDoc* GetListDoc() const;
    CListViewBox& GetListBox() { return m_ListView; }
    HFONT GetViewFont() const { return m_font.Get(); }
    bool IsDragging() const { return m_fDragging; }

    void OnUpdate(CView* pSender) override;

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    friend class CListViewBox;
    // Draws each entry with the text and icon the document gives for the item at its index.
    class CEntryDraw : public CDrawListBase {
    public:
        explicit CEntryDraw(const CListView* pView) : m_pView(pView) {}
        std::string GetText(int nIndex) const override;
        HICON GetIcon(int nIndex) const override;

    private:
        const CListView* m_pView;
    };

    bool OnCreate();
    int MeasureEntry() const;
    void OnSelectionChange();
    void OnDropFiles(HDROP hDrop);

    CListViewBox m_ListView;
    CFont m_font;
    bool m_fDragging = false;
    CEntryDraw m_entryDraw;
};
