#include "toolkit/docframe/drawlist_win.h"

#include "toolkit/gdiobject_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DRAWLIST");

namespace {

// The brush the parent gives its list boxes, or none (null) when it leaves them to the system.
HBRUSH GetParentBrush(HWND hList, HDC hdc) {
    return reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hList), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(hdc),
                                                 reinterpret_cast<LPARAM>(hList)));
}

void FillBackground(HWND hList, HDC hdc, const RECT& rc) {
    const HBRUSH hBrush = GetParentBrush(hList, hdc);
    FillRect(hdc, &rc, hBrush ? hBrush : GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace

// Text is drawn without prefix handling: a file name with an ampersand shows as it is.
void CDrawListBase::Draw(HWND hList, const DRAWITEMSTRUCT& dis) const {
    const bool fSelected = (dis.itemState & ODS_SELECTED) != 0;
    const int nIndex = static_cast<int>(dis.itemID);
    if (dis.itemAction & (ODA_DRAWENTIRE | ODA_SELECT) && nIndex >= 0) {
        RECT rc = dis.rcItem;
        rc.right += 1;
        FillBackground(hList, dis.hDC, rc);
        if (fSelected)
            FillRect(dis.hDC, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
        if (HICON hIcon = GetIcon(nIndex))
            DrawIcon(dis.hDC, dis.rcItem.left, dis.rcItem.top, hIcon);
        HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hList, WM_GETFONT, 0, 0));
        CSelectObject font(dis.hDC, hFont ? static_cast<HGDIOBJ>(hFont) : GetStockObject(ANSI_VAR_FONT));
        SetBkMode(dis.hDC, TRANSPARENT);
        SetTextColor(dis.hDC, GetSysColor(fSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT rcText = dis.rcItem;
        rcText.left += DRAWLIST_TEXTINDENT;
        const std::string text = GetText(nIndex);
        DrawTextA(dis.hDC, text.c_str(), static_cast<int>(text.size()), &rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // A redrawn entry that has the focus gets its rectangle back too, so the next focus change (which
    // inverts it) takes it away again.
    if (dis.itemAction & ODA_FOCUS || (dis.itemAction & ODA_DRAWENTIRE && dis.itemState & ODS_FOCUS))
        DrawFocusRect(dis.hDC, &dis.rcItem);
}

bool CDrawListBox::Create(DWORD dwStyle, const RECT& rc, HWND hParent, int idControl) {
    HWND hList =
        CreateWindowExA(0, "LISTBOX", "", dwStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hParent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(idControl)), WINDOW_GetInstance(), nullptr);
    MFX_PRE(hList);
    return Subclass(hList);
}

int CDrawListBox::GetCount() const {
    return static_cast<int>(SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0));
}

bool CDrawListBox::AddEntry(const CDrawListBase* pDraw) {
    const LRESULT nIndex = SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pDraw));
    return nIndex != LB_ERR && nIndex != LB_ERRSPACE;
}

bool CDrawListBox::DeleteEntry(int nIndex) {
    return SendMessageA(m_hWnd, LB_DELETESTRING, nIndex, 0) != LB_ERR;
}

bool CDrawListBox::IsSelected(int nIndex) const {
    return SendMessageA(m_hWnd, LB_GETSEL, nIndex, 0) > 0;
}

bool CDrawListBox::SetSelected(int nIndex, bool fSelected) {
    return SendMessageA(m_hWnd, LB_SETSEL, fSelected, nIndex) != LB_ERR;
}

void CDrawListBox::DrawItem(const DRAWITEMSTRUCT& dis) const {
    if (dis.itemID == static_cast<UINT>(-1)) {
        if (dis.itemAction & ODA_FOCUS)
            DrawFocusRect(dis.hDC, &dis.rcItem);
        return;
    }
    const auto* pDraw = reinterpret_cast<const CDrawListBase*>(dis.itemData);
    if (pDraw)
        pDraw->Draw(m_hWnd, dis);
}

bool CDrawListBox::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_ERASEBKGND:
            lResult = 1;  // painting covers the whole client area
            return true;
        case WM_PAINT:
            if (wParam)
                return false;  // painting into a context the caller gives: the box's own handling
            Paint();
            lResult = 0;
            return true;
        default:
            return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
    }
}

// The box paints its entries into the memory bitmap (the list box's own painting draws into the context it
// is given), and the bitmap goes to the screen in one copy.
void CDrawListBox::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hWnd, &ps);
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    CMemoryDC mem(hdc, rcClient.right, rcClient.bottom);
    if (MFX_VERIFY(mem)) {
        FillBackground(m_hWnd, mem.Get(), rcClient);
        DefaultProc(WM_PAINT, reinterpret_cast<WPARAM>(mem.Get()), 0);
        BitBlt(hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, mem.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    } else {
        DefaultProc(WM_PAINT, reinterpret_cast<WPARAM>(hdc), 0);
    }
    EndPaint(m_hWnd, &ps);
}

int DRAWLIST_GetIconVisibleHeight(HICON hIcon) {
    MFX_PRE(hIcon);
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    CMemoryDC mem(CWindowDC(nullptr).Get(), cx, cy);
    MFX_PRE(mem);
    const RECT rc = {0, 0, cx, cy};
    FillRect(mem.Get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIcon(mem.Get(), 0, 0, hIcon);
    int yFirst = -1, yLast = -1;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if ((GetPixel(mem.Get(), x, y) & 0xFFFFFF) != RGB(255, 255, 255)) {
                if (yFirst < 0)
                    yFirst = y;
                yLast = y;
                break;
            }
        }
    }
    return yFirst < 0 ? 0 : yLast - yFirst + 1;
}
