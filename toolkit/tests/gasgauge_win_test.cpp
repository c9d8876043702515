// The gauge as a real window under Wine: its class, its commands as messages, and its paint read back pixel by
// pixel from a memory bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/gasgauge.h"

#include "toolkit/gasgauge_win.h"

namespace {

const char GAUGE_CLASS[] = "TestGasGauge";
const COLORREF MAGENTA = RGB(255, 0, 255);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF LIGHTGREY = RGB(192, 192, 192);
const COLORREF GREY = RGB(128, 128, 128);
const COLORREF TEAL = RGB(0, 128, 128);
const COLORREF CYAN = RGB(0, 255, 255);
const COLORREF DARKTEAL = RGB(0, 64, 64);

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

void RegisterOnce() {
    static const bool fRegistered = GASGAUGE_Initialize(Instance(), GAUGE_CLASS, false);
    ASSERT_TRUE(fRegistered);
}

// A 32-bit bitmap in a memory DC whose pixels can be read back exactly.
class CCanvas {
public:
    CCanvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_hdc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hBitmap = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pdwBits), nullptr, 0);
        m_hPrevious = SelectObject(m_hdc, m_hBitmap);
        Fill(MAGENTA);
    }
    ~CCanvas() {
        SelectObject(m_hdc, m_hPrevious);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hdc);
    }
    HDC Dc() const { return m_hdc; }
    void Fill(COLORREF cr) {
        GdiFlush();
        const DWORD dw = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
        for (int i = 0; i < m_cx * m_cy; i++)
            m_pdwBits[i] = dw;
    }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const DWORD dw = m_pdwBits[y * m_cx + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }
    // The number of pixels of a colour, and the columns they span (left inclusive, right exclusive).
    int Count(COLORREF cr, int* pxLeft = nullptr, int* pxRight = nullptr) const {
        int nCount = 0, xLeft = m_cx, xRight = 0;
        for (int y = 0; y < m_cy; y++)
            for (int x = 0; x < m_cx; x++)
                if (Pixel(x, y) == cr) {
                    nCount++;
                    xLeft = x < xLeft ? x : xLeft;
                    xRight = x + 1 > xRight ? x + 1 : xRight;
                }
        if (pxLeft)
            *pxLeft = xLeft;
        if (pxRight)
            *pxRight = xRight;
        return nCount;
    }

private:
    int m_cx, m_cy;
    HDC m_hdc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hPrevious = nullptr;
    DWORD* m_pdwBits = nullptr;
};

class GasGaugeWinTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterOnce(); }
    void TearDown() override {
        if (m_hParent)
            DestroyWindow(m_hParent);
    }
    HWND MakeGauge(DWORD dwStyle, int cx, int cy) {
        m_hParent = CreateWindowExA(0, "STATIC", "gauge test", WS_POPUP, 0, 0, cx + 20, cy + 20, nullptr, nullptr,
                                    Instance(), nullptr);
        HWND hGauge = CreateWindowExA(0, GAUGE_CLASS, "", WS_CHILD | WS_VISIBLE | dwStyle, 0, 0, cx, cy, m_hParent,
                                      reinterpret_cast<HMENU>(1006), Instance(), nullptr);
        EXPECT_NE(nullptr, hGauge);
        return hGauge;
    }
    static void Command(HWND hGauge, int nCommand, LPARAM lValue) {
        SendMessageA(hGauge, WM_COMMAND, nCommand, lValue);
    }
    static void Print(HWND hGauge, const CCanvas& canvas) {
        SendMessageA(hGauge, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }
    HWND m_hParent = nullptr;
};

TEST_F(GasGaugeWinTest, ClassRedrawsOnResizeWithArrowWhiteBackgroundAndOnePointerOnce) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(Instance(), GAUGE_CLASS, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(static_cast<int>(sizeof(LONG_PTR)), wc.cbWndExtra);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), wc.hbrBackground);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), wc.hCursor);
    EXPECT_FALSE(GASGAUGE_Initialize(Instance(), GAUGE_CLASS, false)) << "registered twice";
}

TEST_F(GasGaugeWinTest, GlobalClassServesEveryModuleOfTheProcess) {
    ASSERT_TRUE(GASGAUGE_Initialize(Instance(), "TestGlobalGauge", true));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(Instance(), "TestGlobalGauge", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS), wc.style);
    // A window made for another module's instance still finds the class.
    HWND hGauge = CreateWindowExA(0, "TestGlobalGauge", "", WS_POPUP, 0, 0, 50, 10, nullptr, nullptr,
                                  GetModuleHandleA("user32.dll"), nullptr);
    EXPECT_NE(nullptr, hGauge);
    DestroyWindow(hGauge);
}

TEST_F(GasGaugeWinTest, TakesPartInDialogNavigationOnlyForArrowKeys) {
    for (DWORD dwStyle : {0ul, GASGAUGE_STYLE_3D}) {
        HWND hGauge = MakeGauge(dwStyle, 100, 20);
        EXPECT_EQ(DLGC_WANTARROWS, SendMessageA(hGauge, WM_GETDLGCODE, 0, 0));
        DestroyWindow(m_hParent);
        m_hParent = nullptr;
    }
}

TEST_F(GasGaugeWinTest, FlatBarFillsItsShareInTheBarColourAndTheRestInTheBackground) {
    HWND hGauge = MakeGauge(0, 200, 20);
    Command(hGauge, GASGAUGE_SETBKCOLOR, RGB(255, 0, 0));
    Command(hGauge, GASGAUGE_SETPOSITION, 50);
    CCanvas canvas(200, 20);
    Print(hGauge, canvas);
    for (int y : {0, 10, 19}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(BLUE, canvas.Pixel(0, y));
        EXPECT_EQ(BLUE, canvas.Pixel(99, y));
        // The rest has a white outline around the background colour.
        EXPECT_EQ(WHITE, canvas.Pixel(100, y));
        EXPECT_EQ(WHITE, canvas.Pixel(199, y));
    }
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(101, 10));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(198, 10));
    EXPECT_EQ(WHITE, canvas.Pixel(150, 0));
    EXPECT_EQ(100 * 20, canvas.Count(BLUE));

    Command(hGauge, GASGAUGE_SETBARCOLOR, RGB(0, 255, 0));
    Command(hGauge, GASGAUGE_SETRANGE, 10);
    Command(hGauge, GASGAUGE_SETPOSITION, 15);
    Print(hGauge, canvas);
    EXPECT_EQ(200 * 20, canvas.Count(RGB(0, 255, 0))) << "position above the range fills the whole bar";
}

TEST_F(GasGaugeWinTest, RangeZeroPaintsNothingInEitherStyle) {
    for (DWORD dwStyle : {GASGAUGE_STYLE_PERCENT, GASGAUGE_STYLE_3D}) {
        SCOPED_TRACE(dwStyle);
        HWND hGauge = MakeGauge(dwStyle, 120, 30);
        Command(hGauge, GASGAUGE_SETRANGE, 0);
        CCanvas canvas(120, 30);
        Print(hGauge, canvas);
        EXPECT_EQ(120 * 30, canvas.Count(MAGENTA));
        DestroyWindow(m_hParent);
        m_hParent = nullptr;
    }
}

TEST_F(GasGaugeWinTest, PercentTextIsCentredAndReadableOverBackgroundAndBar) {
    // The text's width in the font the gauge paints with (the DC's own).
    CCanvas measure(1, 1);
    SIZE size0, size100;
    GetTextExtentPoint32A(measure.Dc(), "0%", 2, &size0);
    GetTextExtentPoint32A(measure.Dc(), "100%", 4, &size100);
    const struct {
        int nPosition;
        SIZE size;
        COLORREF crText;  // the text as it shows: the bar colour on the background, white over the bar
    } cases[] = {{0, size0, BLUE}, {100, size100, WHITE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPosition);
        HWND hGauge = MakeGauge(GASGAUGE_STYLE_PERCENT, 200, 30);
        Command(hGauge, GASGAUGE_SETPOSITION, c.nPosition);
        CCanvas canvas(200, 30);
        Print(hGauge, canvas);
        int xLeft, xRight;
        EXPECT_GT(canvas.Count(c.crText, &xLeft, &xRight), 10);
        EXPECT_GE(xLeft, (200 - c.size.cx) / 2);
        EXPECT_LE(xRight, (200 - c.size.cx) / 2 + c.size.cx);
        EXPECT_EQ(0, canvas.Count(MAGENTA));
        DestroyWindow(m_hParent);
        m_hParent = nullptr;
    }
    HWND hGauge = MakeGauge(0, 200, 30);
    CCanvas canvas(200, 30);
    Print(hGauge, canvas);
    EXPECT_EQ(200 * 30, canvas.Count(WHITE)) << "no text without the percent style";
}

TEST_F(GasGaugeWinTest, ThreeDWellHasFramesTicksAndABevelledTealBar) {
    HWND hGauge = MakeGauge(GASGAUGE_STYLE_3D, 200, 40);
    Command(hGauge, GASGAUGE_SETPOSITION, 50);
    CCanvas canvas(200, 40);
    Print(hGauge, canvas);
    // Inner well 10..191 x 10..31; ticks at 12, 55, 100, 145, 188; bar 10..100, its face 12..98 x 12..29.
    const struct {
        int x, y;
        COLORREF cr;
        const char* szWhat;
    } pixels[] = {
        {1, 1, LIGHTGREY, "client"},
        {150, 20, LIGHTGREY, "well beyond the bar"},
        {10, 20, GREY, "outer frame, left"},
        {11, 20, GREY, "inner frame, left"},
        {150, 10, GREY, "outer frame, top"},
        {150, 11, GREY, "inner frame, top"},
        {150, 30, WHITE, "outer frame, bottom"},
        {150, 29, WHITE, "inner frame, bottom"},
        {190, 20, WHITE, "outer frame, right"},
        {189, 20, WHITE, "inner frame, right"},
        {55, 3, GREY, "tick over the client"},
        {145, 37, GREY, "tick below the well"},
        {145, 20, GREY, "tick in the well"},
        {188, 3, GREY, "last tick"},
        {12, 3, GREY, "first tick"},
        {56, 3, LIGHTGREY, "beside a tick"},
        {50, 20, TEAL, "bar face"},
        {55, 20, TEAL, "bar face over a tick"},
        {50, 12, CYAN, "highlight, top, even square"},
        {51, 12, TEAL, "highlight, top, odd square"},
        {51, 13, CYAN, "highlight, second row"},
        {12, 20, CYAN, "highlight, left"},
        {13, 20, TEAL, "highlight, left, second column"},
        {97, 20, DARKTEAL, "shadow, right"},
        {96, 20, DARKTEAL, "shadow, right, second column"},
        {50, 28, DARKTEAL, "shadow, bottom"},
        {50, 27, DARKTEAL, "shadow, bottom, second row"},
        {98, 20, LIGHTGREY, "beside the bar's face"},
    };
    for (const auto& p : pixels) {
        SCOPED_TRACE(p.szWhat);
        EXPECT_EQ(p.cr, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
    }
    EXPECT_EQ(0, canvas.Count(MAGENTA)) << "the well covers the whole client";
}

TEST_F(GasGaugeWinTest, ThreeDBarOfFourPixelsOrLessIsNotDrawn) {
    HWND hGauge = MakeGauge(GASGAUGE_STYLE_3D, 120, 30);  // inner width 101
    CCanvas canvas(120, 30);
    const struct {
        int nPosition;
        bool fBar;
    } cases[] = {{0, false}, {4, false}, {5, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPosition);
        Command(hGauge, GASGAUGE_SETPOSITION, c.nPosition);
        canvas.Fill(MAGENTA);
        Print(hGauge, canvas);
        EXPECT_EQ(c.fBar, canvas.Count(TEAL) + canvas.Count(CYAN) > 0);
        EXPECT_EQ(GREY, canvas.Pixel(12, 3)) << "the ticks are drawn either way";
        EXPECT_EQ(GREY, canvas.Pixel(10, 15)) << "the well is drawn either way";
    }
}

TEST_F(GasGaugeWinTest, ThreeDStyleDoesNotEraseItsBackground) {
    const struct {
        DWORD dwStyle;
        COLORREF crAfterErase;
    } cases[] = {{GASGAUGE_STYLE_3D, MAGENTA}, {0, WHITE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwStyle);
        HWND hGauge = MakeGauge(c.dwStyle, 50, 10);
        CCanvas canvas(50, 10);
        EXPECT_NE(0, SendMessageA(hGauge, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0));
        EXPECT_EQ(c.crAfterErase, canvas.Pixel(25, 5));
        DestroyWindow(m_hParent);
        m_hParent = nullptr;
    }
}

}  // namespace
