#include "toolkit/docframe/lstorder_win.h"

#include "toolkit/mfx.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("LSTORDER");

const char LSTORDER_MARKERCLASS[] = "LstOrderMarker";

namespace {

// The marker: a top-most popup half an icon wide and one icon high that shows the marker icon at its top
// left corner, so that the icon's left half is seen. It never takes the activation from the list.
class CMarkerWindow : public CWindow {
public:
    static bool Register() {
        static bool s_fRegistered = false;
        if (s_fRegistered)
            return true;
        WNDCLASSEXA wc = {};
        wc.hInstance = WINDOW_GetInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = LSTORDER_MARKERCLASS;
        s_fRegistered = RegisterWindowClass(wc);
        return s_fRegistered;
    }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override {
        if (uMsg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(m_hWnd, &ps);
            if (HICON hIcon = LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(LSTORDER_IDI_MARKER)))
                DrawIcon(hdc, 0, 0, hIcon);
            EndPaint(m_hWnd, &ps);
            lResult = 0;
            return true;
        }
        if (uMsg == WM_MOUSEACTIVATE) {
            lResult = MA_NOACTIVATE;
            return true;
        }
        return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
    }
};

void SetCursorResource(int idCursor) {
    SetCursor(LoadCursorA(WINDOW_GetInstance(), MAKEINTRESOURCEA(idCursor)));
}

}  // namespace

int CListReorderTracker::TrackReorder(HWND hList, POINT ptStart) {
    m_hList = hList;
    m_nIndex = LSTORDER_NONE;
    if (!MFX_VERIFY(CMarkerWindow::Register()))
        return LSTORDER_NONE;
    const int cxIcon = GetSystemMetrics(SM_CXICON), cyIcon = GetSystemMetrics(SM_CYICON);
    CMarkerWindow marker;
    const RECT rc = {0, cxIcon / 2, cxIcon / 2, cxIcon / 2 + cyIcon};
    if (!MFX_VERIFY(marker.Create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, LSTORDER_MARKERCLASS, "",
                                  WS_POPUP, rc, nullptr, nullptr, WINDOW_GetInstance())))
        return LSTORDER_NONE;
    ShowWindow(marker.GetHandle(), SW_SHOWNOACTIVATE);
    m_hMarker = marker.GetHandle();
    const bool fEnded = Track(hList, ptStart);
    m_hMarker = nullptr;
    if (!fEnded)
        m_nIndex = LSTORDER_NONE;
    return m_nIndex;
}

// The marker is centred on the insertion point: its right edge, where the arrow points, at the point.
void CListReorderTracker::OnMove(POINT pt) {
    RECT rcClient;
    GetClientRect(m_hList, &rcClient);
    const int nTop = static_cast<int>(SendMessageA(m_hList, LB_GETTOPINDEX, 0, 0));
    const int nCount = static_cast<int>(SendMessageA(m_hList, LB_GETCOUNT, 0, 0));
    const HWND hList = m_hList;
    const LSTORDER_INSERTION insertion = LSTORDER_FindInsertion(
        pt.x, pt.y, {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom}, nTop, nCount,
        [hList](int nEntry, LSTORDER_RECT& rcEntry) {
            RECT rc;
            if (SendMessageA(hList, LB_GETITEMRECT, nEntry, reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
                return false;
            rcEntry = {rc.left, rc.top, rc.right, rc.bottom};
            return true;
        });
    if (insertion.nIndex == LSTORDER_NONE) {
        ShowWindow(m_hMarker, SW_HIDE);
        SetCursorResource(LSTORDER_IDC_NOINSERT);
    } else if (insertion.nIndex != m_nIndex) {
        SetCursorResource(LSTORDER_IDC_INSERT);
        if (!IsWindowVisible(m_hMarker))
            ShowWindow(m_hMarker, SW_SHOWNOACTIVATE);
        POINT ptMarker = {insertion.xMarker, insertion.yMarker};
        ClientToScreen(m_hList, &ptMarker);
        const int cxIcon = GetSystemMetrics(SM_CXICON), cyIcon = GetSystemMetrics(SM_CYICON);
        SetWindowPos(m_hMarker, HWND_TOPMOST, ptMarker.x - cxIcon / 2, ptMarker.y - cyIcon / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    }
    m_nIndex = insertion.nIndex;
}
