// The engine's backdrop paint function drawing into a bitmap of the window's size, read back pixel by pixel.
#include "setup/bdpaint_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"

namespace {

const int CX = 200, CY = 100;
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF BLUE = RGB(0, 0, 255);

// A 24-bit bitmap file of one colour.
void WriteBitmap(const std::string& path, int cx, int cy, COLORREF rgb) {
    const int cbRow = (cx * 3 + 3) & ~3;
    std::vector<uint8_t> rows(static_cast<size_t>(cbRow) * cy);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            uint8_t* p = &rows[static_cast<size_t>(y) * cbRow + x * 3];
            p[0] = GetBValue(rgb);
            p[1] = GetGValue(rgb);
            p[2] = GetRValue(rgb);
        }
    }
    BITMAPFILEHEADER bf = {};
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = cx;
    bi.biHeight = cy;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biSizeImage = static_cast<DWORD>(rows.size());
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + bi.biSizeImage;
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD cb = 0;
    WriteFile(hFile, &bf, sizeof(bf), &cb, nullptr);
    WriteFile(hFile, &bi, sizeof(bi), &cb, nullptr);
    WriteFile(hFile, rows.data(), bi.biSizeImage, &cb, nullptr);
    CloseHandle(hFile);
}

class BdpaintTest : public testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, CX, CY, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        m_hdc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = CX;
        bi.bmiHeader.biHeight = -CY;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(m_hdc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_hOld = SelectObject(m_hdc, m_hBitmap);
        m_options.fontText.lfHeight = -16;
        m_options.fontText.lfWeight = FW_BOLD;
        lstrcpyA(m_options.fontText.lfFaceName, "Arial");
        WriteBitmap(m_distrib / "logo.bmp", 10, 6, RED);
    }
    void TearDown() override {
        BDPAINT_Release();
        SelectObject(m_hdc, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hdc);
        DestroyWindow(m_hWnd);
    }
    void Paint() {
        RECT rc = {0, 0, CX, CY};
        FillRect(m_hdc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(0, BDPAINT_Paint(m_hWnd, &m_hdc));
        GdiFlush();
    }
    COLORREF At(int x, int y) { return GetPixel(m_hdc, x, y); }
    // The colour's pixels inside the rectangle, and outside it.
    std::pair<int, int> Count(COLORREF rgb, const RECT& rc) {
        std::pair<int, int> counts{0, 0};
        for (int y = 0; y < CY; ++y)
            for (int x = 0; x < CX; ++x)
                if (At(x, y) == rgb)
                    ++((x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom) ? counts.first : counts.second);
        return counts;
    }

    CTempFolder m_distrib{"bdpaint"};
    HWND m_hWnd = nullptr;
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    EXEOBJ m_options = {};
};

TEST_F(BdpaintTest, ThePictureSitsByItsCodeWithTheMargins) {
    lstrcpyA(m_options.szBitMapName, "C:\\ARTWORK\\LOGO.BMP");  // only the name counts
    struct CASE {
        int nPos;
        int x, y;  // the picture's top-left corner
    } cases[] = {{1, 3, 3}, {5, 95, 47}, {9, 184, 88}, {12, 0, 0}};
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.nPos);
        m_options.nBitMapPos = static_cast<int16_t>(c.nPos);
        ASSERT_TRUE(BDPAINT_Load(&m_options, m_distrib.Path().c_str()));
        Paint();
        EXPECT_EQ(RED, At(c.x, c.y));
        EXPECT_EQ(RED, At(c.x + 9, c.y + 5));
        EXPECT_EQ(std::make_pair(60, 0), Count(RED, {c.x, c.y, c.x + 10, c.y + 6}));
    }
}

TEST_F(BdpaintTest, TheTextLineSitsByItsCode) {
    lstrcpyA(m_options.szText, "Welcome");
    m_options.rgbText = BLUE;
    struct CASE {
        int nPos;
        RECT rcPart;  // the part of the window the text must stay in
    } cases[] = {
        {1, {0, 0, CX / 2, CY / 2}},
        {5, {CX / 4, CY / 4, 3 * CX / 4, 3 * CY / 4}},
        {9, {CX / 2, CY / 2, CX, CY}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.nPos);
        m_options.nTextPos = static_cast<int16_t>(c.nPos);
        ASSERT_TRUE(BDPAINT_Load(&m_options, m_distrib.Path().c_str()));
        Paint();
        const std::pair<int, int> counts = Count(BLUE, c.rcPart);
        EXPECT_GT(counts.first, 20);
        EXPECT_EQ(0, counts.second);
    }
}

// A picture that is missing, or not a bitmap, is reported and not drawn; the text still is.
TEST_F(BdpaintTest, APictureThatDoesNotLoadLeavesTheText) {
    HANDLE hFile = CreateFileA((m_distrib / "notes.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD cb = 0;
    WriteFile(hFile, "not a picture", 13, &cb, nullptr);
    CloseHandle(hFile);
    struct CASE {
        const char* szName;
        const char* szReport;
    } cases[] = {{"absent.bmp", "PATHNAME_Exists(szBitmap)"}, {"notes.bmp", "LoadImageA"}};
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.szName);
        lstrcpyA(m_options.szBitMapName, c.szName);
        lstrcpyA(m_options.szText, "Welcome");
        m_options.rgbText = BLUE;
        m_options.nTextPos = 1;
        CDiagCapture capture;
        EXPECT_FALSE(BDPAINT_Load(&m_options, m_distrib.Path().c_str()));
        EXPECT_NE(std::string::npos, capture.Text().find(c.szReport)) << capture.Text();
        Paint();
        EXPECT_EQ(0, Count(RED, {0, 0, CX, CY}).first);
        EXPECT_GT(Count(BLUE, {0, 0, CX, CY}).first, 20);
    }
}

// Before the options are set, and after they are released, the window is left as it is.
TEST_F(BdpaintTest, NothingIsDrawnWithoutOptions) {
    Paint();
    EXPECT_EQ(CX * CY, Count(WHITE, {0, 0, CX, CY}).first);
    m_options.nBitMapPos = 1;
    lstrcpyA(m_options.szBitMapName, "logo.bmp");
    ASSERT_TRUE(BDPAINT_Load(&m_options, m_distrib.Path().c_str()));
    BDPAINT_Release();
    Paint();
    EXPECT_EQ(CX * CY, Count(WHITE, {0, 0, CX, CY}).first);
}

}  // namespace
