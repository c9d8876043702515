// The drawing list and the reorder tracker on real windows under Wine: entry drawing read back as pixels,
// the icons' visible height, and drags driven by the messages a user's mouse and keys would bring.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/uidriver_win.h"
#include "toolkit/diag.h"
#include "toolkit/docframe/drawlist_win.h"
#include "toolkit/docframe/lstorder_win.h"
#include "toolkit/window_win.h"

namespace {

const int ID_LIST = 100;
const int CY_ENTRY = 20;
const UINT WM_TEST_DROPCAPTURE = WM_APP + 1;  // the host lets the capture go, as another window taking it would
const UINT WM_TEST_RECORD = WM_APP + 2;       // the host records the marker window and the cursor

class CEntries : public CDrawListBase {
public:
    std::vector<std::string> m_texts;
    std::string GetText(int nIndex) const override { return m_texts.at(nIndex); }
    HICON GetIcon(int nIndex) const override { return LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(111)); }
};

// A top-level window holding the list box, as the list view does.
class CHost : public CWindow {
public:
    bool Open(int nEntries) {
        static const bool s_fRegistered = [] {
            WNDCLASSEXA wc = {};
            wc.hInstance = WINDOW_GetInstance();
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = "DrawListTestHost";
            return RegisterWindowClass(wc);
        }();
        const RECT rc = {40, 40, 340, 140};
        if (!s_fRegistered ||
            !Create(0, "DrawListTestHost", "Host", WS_POPUP | WS_VISIBLE, rc, nullptr, nullptr, WINDOW_GetInstance()))
            return false;
        const RECT rcList = {0, 0, 300, 100};
        if (!m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                               LBS_EXTENDEDSEL,
                           rcList, m_hWnd, ID_LIST))
            return false;
        for (int i = 0; i < nEntries; ++i) {
            m_entries.m_texts.push_back("C:\\movies\\clip" + std::to_string(i) + ".mov");
            m_list.AddEntry(&m_entries);
        }
        return true;
    }
    HWND List() const { return m_list.GetHandle(); }
    CDrawListBox m_list;
    CEntries m_entries;
    RECT m_rcMarker = {};
    bool m_fMarkerVisible = false;
    HCURSOR m_hCursor = nullptr;

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override {
        switch (uMsg) {
            case WM_MEASUREITEM:
                reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = CY_ENTRY;
                lResult = TRUE;
                return true;
            case WM_DRAWITEM:
                m_list.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                lResult = TRUE;
                return true;
            case WM_TEST_DROPCAPTURE:
                ReleaseCapture();
                return true;
            case WM_TEST_RECORD: {
                const HWND hMarker = UIDRIVER_FindOwnWindow(LSTORDER_MARKERCLASS, nullptr);
                m_fMarkerVisible = hMarker && IsWindowVisible(hMarker);
                if (hMarker)
                    GetWindowRect(hMarker, &m_rcMarker);
                m_hCursor = GetCursor();
                return true;
            }
            default:
                return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
        }
    }
};

class DrawListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DIAG_Initialize(GetModuleHandleA(nullptr)));
        SetCursorPos(1200, 1000);  // the real pointer stays away from the windows
        ASSERT_TRUE(m_host.Open(3));
        UpdateWindow(m_host.GetHandle());
    }
    void TearDown() override { DIAG_Terminate(); }
    COLORREF PixelOfList(int x, int y) {
        HDC hdc = GetDC(m_host.List());
        const COLORREF cr = GetPixel(hdc, x, y);
        ReleaseDC(m_host.List(), hdc);
        return cr;
    }
    void PostMove(UINT uMsg, int x, int y) {
        PostMessageA(m_host.List(), uMsg, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    CHost m_host;
};

TEST_F(DrawListTest, IconsAreMeasuredByTheirNonWhitePixels) {
    EXPECT_EQ(15, DRAWLIST_GetIconVisibleHeight(LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(111))));
    EXPECT_EQ(15, DRAWLIST_GetIconVisibleHeight(LoadIconA(WINDOW_GetInstance(), MAKEINTRESOURCEA(4))));
}

TEST_F(DrawListTest, EntriesShowIconTextAndSelectionAndTheRestIsWindowColour) {
    SendMessageA(m_host.List(), LB_SETSEL, TRUE, 1);
    InvalidateRect(m_host.List(), nullptr, TRUE);
    UpdateWindow(m_host.List());
    const COLORREF crWindow = GetSysColor(COLOR_WINDOW), crHighlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(crWindow, PixelOfList(250, 10));                 // entry 0, right of its text
    EXPECT_EQ(crHighlight, PixelOfList(250, CY_ENTRY + 10));   // entry 1, selected
    EXPECT_EQ(crWindow, PixelOfList(250, 3 * CY_ENTRY + 10));  // below the last entry
    EXPECT_EQ(RGB(0, 0, 0), PixelOfList(0, 1));                // the icon's top left corner, at the entry's
    EXPECT_EQ(RGB(0, 0, 0), PixelOfList(0, CY_ENTRY + 1));
    // Some pixel of the text's area of entry 0 is in the window text colour, none left of the indent.
    bool fText = false;
    for (int x = DRAWLIST_TEXTINDENT; x < 200 && !fText; ++x) {
        for (int y = 0; y < CY_ENTRY && !fText; ++y)
            fText = PixelOfList(x, y) == GetSysColor(COLOR_WINDOWTEXT);
    }
    EXPECT_TRUE(fText);
    EXPECT_EQ(crWindow, PixelOfList(DRAWLIST_TEXTINDENT - 1, 10));
}

TEST_F(DrawListTest, DragEndsWhereTheButtonGoesUpAndCancelsOnEscapeCaptureLossOrOutside) {
    enum END { RELEASE, ESCAPE, OTHERKEY, CAPTURELOSS };
    const struct {
        const char* szCase;
        POINT ptMove;
        END end;
        POINT ptEnd;
        int nIndex;
    } cases[] = {
        {"upper half of entry 0", {50, 30}, RELEASE, {50, 4}, 0},
        {"lower half of entry 1", {50, 5}, RELEASE, {50, CY_ENTRY + 15}, 2},
        {"below the last entry", {50, 5}, RELEASE, {50, 90}, 3},
        {"outside the list box", {50, 5}, RELEASE, {50, 140}, LSTORDER_NONE},
        {"Escape", {50, 5}, ESCAPE, {}, LSTORDER_NONE},
        {"another key ends it", {50, CY_ENTRY + 2}, OTHERKEY, {}, 1},
        {"capture lost", {50, 5}, CAPTURELOSS, {}, LSTORDER_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        PostMove(WM_MOUSEMOVE, c.ptMove.x, c.ptMove.y);
        switch (c.end) {
            case RELEASE:
                PostMove(WM_LBUTTONUP, c.ptEnd.x, c.ptEnd.y);
                break;
            case ESCAPE:
                PostMessageA(m_host.List(), WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case OTHERKEY:
                PostMessageA(m_host.List(), WM_KEYDOWN, 'A', 0);
                break;
            case CAPTURELOSS:
                PostMessageA(m_host.GetHandle(), WM_TEST_DROPCAPTURE, 0, 0);
                break;
        }
        CListReorderTracker tracker;
        EXPECT_EQ(c.nIndex, tracker.TrackReorder(m_host.List(), POINT{50, 5}));
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_EQ(nullptr, UIDRIVER_FindOwnWindow(LSTORDER_MARKERCLASS, nullptr));
    }
}

TEST_F(DrawListTest, MarkerStandsLeftOfTheInsertionPointAndTheCursorTellsWhetherOneIsValid) {
    const int cxIcon = GetSystemMetrics(SM_CXICON), cyIcon = GetSystemMetrics(SM_CYICON);
    POINT ptEntry1 = {0, CY_ENTRY};
    ClientToScreen(m_host.List(), &ptEntry1);
    PostMove(WM_MOUSEMOVE, 50, CY_ENTRY + 3);
    PostMessageA(m_host.GetHandle(), WM_TEST_RECORD, 0, 0);
    PostMessageA(m_host.List(), WM_KEYDOWN, VK_ESCAPE, 0);
    CListReorderTracker tracker;
    tracker.TrackReorder(m_host.List(), POINT{50, 5});
    EXPECT_TRUE(m_host.m_fMarkerVisible);
    EXPECT_EQ(ptEntry1.x - cxIcon / 2, m_host.m_rcMarker.left);
    EXPECT_EQ(ptEntry1.x, m_host.m_rcMarker.right);
    EXPECT_EQ(ptEntry1.y - cyIcon / 2, m_host.m_rcMarker.top);
    EXPECT_EQ(ptEntry1.y + cyIcon / 2, m_host.m_rcMarker.bottom);
    EXPECT_EQ(LoadCursorA(WINDOW_GetInstance(), MAKEINTRESOURCEA(LSTORDER_IDC_INSERT)), m_host.m_hCursor);

    PostMove(WM_MOUSEMOVE, 50, 300);
    PostMessageA(m_host.GetHandle(), WM_TEST_RECORD, 0, 0);
    PostMessageA(m_host.List(), WM_KEYDOWN, VK_ESCAPE, 0);
    tracker.TrackReorder(m_host.List(), POINT{50, 5});
    EXPECT_FALSE(m_host.m_fMarkerVisible);
    EXPECT_EQ(LoadCursorA(WINDOW_GetInstance(), MAKEINTRESOURCEA(LSTORDER_IDC_NOINSERT)), m_host.m_hCursor);
}

}  // namespace
