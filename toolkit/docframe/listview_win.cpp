#include "toolkit/docframe/listview_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <map>
#include <vector>

#include "toolkit/docframe/lstorder_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("LISTVIEW");

namespace {

const char VIEWFONT_FACE[] = "Times New Roman";
const int VIEWFONT_POINTS = 10;
const BYTE VIEWFONT_PITCHANDFAMILY = 34;  // variable pitch, roman family
const int ENTRY_MARGIN = 2;               // pixels added to the taller of text and icon

// Each icon is measured once: drawing it to find its visible rows is too slow for every measurement.
int GetRememberedVisibleHeight(HICON hIcon) {
    static std::map<HICON, int> s_heights;
    const auto it = s_heights.find(hIcon);
    if (it != s_heights.end())
        return it->second;
    const int cy = DRAWLIST_GetIconVisibleHeight(hIcon);
    s_heights[hIcon] = cy;
    return cy;
}

HFONT CreateViewFont() {
    const int nPixelsPerInch = GetDeviceCaps(CWindowDC(nullptr).Get(), LOGPIXELSY);
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(VIEWFONT_POINTS, nPixelsPerInch, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = VIEWFONT_PITCHANDFAMILY;
    lstrcpynA(lf.lfFaceName, VIEWFONT_FACE, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

}  // namespace

CListView::CListView() : m_ListView(this), m_entryDraw(this) {}

CListDoc* CListView::GetListDoc() const {
    CDocument* pDoc = GetDocument();
    if (!MFX_VERIFY(pDoc))
        return nullptr;
    CListDoc* pListDoc = dynamic_cast<CListDoc*>(pDoc);
    MFX_VERIFY(pListDoc);
    return pListDoc;
}

std::string CListView::CEntryDraw::GetText(int nIndex) const {
    CListDoc* pDoc = m_pView->GetListDoc();
    if (!pDoc || nIndex < 0 || static_cast<size_t>(nIndex) >= pDoc->GetItemList().GetCount())
        return "Hmmmm, unusual circumstances...";
    std::string text;
    pDoc->GetItemText(pDoc->GetItemList().GetAt(nIndex), text);
    return text;
}

HICON CListView::CEntryDraw::GetIcon(int nIndex) const {
    CListDoc* pDoc = m_pView->GetListDoc();
    if (!pDoc || nIndex < 0 || static_cast<size_t>(nIndex) >= pDoc->GetItemList().GetCount())
        return nullptr;
    return pDoc->GetItemIcon(pDoc->GetItemList().GetAt(nIndex));
}

bool CListView::OnCreate() {
    m_font.Reset(CreateViewFont());
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    MFX_PRE(m_ListView.Create(
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL,
        rc, m_hWnd, IDLB_LISTVIEW));
    SendMessageA(m_ListView.GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    DragAcceptFiles(m_hWnd, TRUE);
    return true;
}

// The taller of the letter "M" in the view font and the visible part of the list's icon, so that an icon
// whose picture leaves its lower rows empty does not make the entries needlessly tall.
int CListView::MeasureEntry() const {
    int cyText = 0;
    {
        const CWindowDC dc(m_hWnd);
        CSelectObject font(dc.Get(), m_font.Get());
        SIZE size;
        if (GetTextExtentPoint32A(dc.Get(), "M", 1, &size))
            cyText = size.cy;
    }
    int cyIcon = 0;
    if (HICON hIcon = LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(LISTVIEW_IDI_MEASURE)))
        cyIcon = GetRememberedVisibleHeight(hIcon);
    return (cyText > cyIcon ? cyText : cyIcon) + ENTRY_MARGIN;
}

// Only while the list box and the document hold the same number of entries: otherwise the indexes do not
// name the same items, and the next update puts the list box right.
void CListView::OnSelectionChange() {
    CListDoc* pDoc = GetListDoc();
    if (!pDoc)
        return;
    CItemList& items = pDoc->GetItemList();
    CItemList& selection = pDoc->GetSelectionList();
    const int nCount = m_ListView.GetCount();
    if (nCount >= 0 && static_cast<size_t>(nCount) == items.GetCount()) {
        selection.RemoveAll();
        for (int i = 0; i < nCount; ++i) {
            if (m_ListView.IsSelected(i))
                selection.Add(items.GetAt(i));
        }
    }
    pDoc->OnSelectionChanged();
    pDoc->UpdateAllViews(this);
}

void CListView::OnDropFiles(HDROP hDrop) {
    std::vector<std::string> names;
    const UINT nFiles = DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nFiles; ++i) {
        char szName[LISTVIEW_MAXDROPNAME];
        if (DragQueryFileA(hDrop, i, szName, sizeof(szName)))
            names.push_back(szName);
    }
    DragFinish(hDrop);
    if (CListDoc* pDoc = GetListDoc())
        pDoc->AddFiles(names);
}

void CListView::OnUpdate(CView* pSender) {
    CListDoc* pDoc = GetListDoc();
    if (!pDoc || !m_ListView.GetHandle())
        return;
    const CItemList& items = pDoc->GetItemList();
    const CItemList& selection = pDoc->GetSelectionList();
    const int nItems = static_cast<int>(items.GetCount());
    int nCount = m_ListView.GetCount();
    for (; nCount < nItems && m_ListView.AddEntry(&m_entryDraw); ++nCount) {
    }
    for (; nCount > nItems && m_ListView.DeleteEntry(0); --nCount) {
    }
    nCount = m_ListView.GetCount();
    if (MFX_VERIFY(nCount == nItems)) {
        for (int i = 0; i < nItems; ++i) {
            const bool fSelected = selection.Contains(items.GetAt(i));
            if (m_ListView.IsSelected(i) != fSelected)
                m_ListView.SetSelected(i, fSelected);
        }
    }
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
}

bool CListView::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_CREATE:
            if (CView::OnMessage(uMsg, wParam, lParam, lResult) && lResult == -1)
                return true;
            lResult = OnCreate() ? 0 : -1;
            return true;
        case WM_SIZE:
            if (m_ListView.GetHandle())
                MoveWindow(m_ListView.GetHandle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return CView::OnMessage(uMsg, wParam, lParam, lResult);
        case WM_MEASUREITEM: {
            auto* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (pMeasure->CtlID != IDLB_LISTVIEW)
                break;
            RECT rc;
            GetClientRect(m_hWnd, &rc);
            pMeasure->itemWidth = rc.right;
            pMeasure->itemHeight = MeasureEntry();
            lResult = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (pDraw->CtlID != IDLB_LISTVIEW)
                break;
            m_ListView.DrawItem(*pDraw);
            lResult = TRUE;
            return true;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) != IDLB_LISTVIEW)
                break;
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                OnSelectionChange();
            } else if (HIWORD(wParam) == LBN_DBLCLK) {
                if (CListDoc* pDoc = GetListDoc()) {
                    pDoc->OnItemActivated();
                    pDoc->UpdateAllViews(nullptr);
                }
            }
            lResult = 0;
            return true;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            lResult = 0;
            return true;
        default:
            break;
    }
    return CView::OnMessage(uMsg, wParam, lParam, lResult);
}

// A press starts a drag only on a selected entry that is in view, without Control, and while some item is
// left unselected (moving everything would change nothing).
bool CListViewBox::StartsDrag(POINT pt, WPARAM wKeys) const {
    if (wKeys & MK_CONTROL)
        return false;
    const LRESULT nHit = SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    if (HIWORD(nHit))
        return false;
    const int nIndex = LOWORD(nHit);
    RECT rcClient, rcEntry;
    GetClientRect(m_hWnd, &rcClient);
    if (SendMessageA(m_hWnd, LB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(&rcEntry)) == LB_ERR ||
        !PtInRect(&rcClient, pt) || !IsSelected(nIndex))
        return false;
    CListDoc* pDoc = m_pView->GetListDoc();
    return pDoc && !pDoc->IsAllSelected();
}

bool CListViewBox::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (uMsg != WM_LBUTTONDOWN)
        return CDrawListBox::OnMessage(uMsg, wParam, lParam, lResult);
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!StartsDrag(pt, wParam))
        return false;
    m_pView->m_fDragging = true;
    CListReorderTracker tracker;
    const int nIndex = tracker.TrackReorder(m_hWnd, pt);
    m_pView->m_fDragging = false;
    CListDoc* pDoc = m_pView->GetListDoc();
    if (nIndex != LSTORDER_NONE && pDoc) {
        pDoc->MoveSelectionBefore(nIndex);
        pDoc->SetModified(true);
        pDoc->UpdateAllViews(nullptr);
        lResult = 0;
        return true;
    }
    // A press that moved nothing is an ordinary click when the pointer is still over the list.
    POINT ptNow;
    RECT rcClient;
    GetCursorPos(&ptNow);
    ScreenToClient(m_hWnd, &ptNow);
    GetClientRect(m_hWnd, &rcClient);
    if (PtInRect(&rcClient, ptNow))
        return false;
    lResult = 0;
    return true;
}
