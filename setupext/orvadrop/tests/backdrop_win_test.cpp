// The backdrop window, its slide show and its background, with the plug-in's code and resources linked into the
// test program, the slide show's pauses shortened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "setupext/orvadrop/backdrop_win.h"
#include "setupext/orvadrop/orvadrop_ids.h"
#include "toolkit/pathname.h"
#include "tools/testsupport/diagcapture.h"
#include "tools/testsupport/uidriver_win.h"

namespace {

const DWORD MS_SHORT = 20;
const COLORREF KEY = RGB(255, 0, 255);   // the corner pictures' left-out colour
const COLORREF NAVY = RGB(16, 28, 64);   // the mark's band and the pattern's ground
const COLORREF TEAL = RGB(0, 128, 128);  // the pattern's dots

struct PAINTED {
    HWND hWnd = nullptr;
    int nCalls = 0;
    bool fHadDC = false;
};
PAINTED s_painted;

LONG CALLBACK EnginePaint(HWND hWnd, HDC* pPaint) {
    s_painted.hWnd = hWnd;
    ++s_painted.nCalls;
    s_painted.fHadDC = pPaint && *pPaint && GetDeviceCaps(*pPaint, HORZRES) > 0;
    return 0;
}

class BackdropTest : public testing::Test {
protected:
    void SetUp() override {
        s_painted = PAINTED{};
        m_record.lpPrivateData = m_data;
        m_record.PrivateDataSize = sizeof(m_data);
    }
    void TearDown() override {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }

    void Create() {
        m_hWnd = BACKDROP_CreateWindow(&m_record, EnginePaint, MS_SHORT);
        ASSERT_TRUE(m_hWnd);
        UIDRIVER_PumpUntil([] { return false; }, 100);
    }

    COLORREF Pixel(int x, int y) {
        HDC hdc = GetDC(m_hWnd);
        const COLORREF cr = GetPixel(hdc, x, y);
        ReleaseDC(m_hWnd, hdc);
        return cr;
    }

    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF cr) {
        HDC hdc = GetDC(m_hWnd);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += GetPixel(hdc, x, y) == cr;
        ReleaseDC(m_hWnd, hdc);
        return n;
    }

    BACKDROP m_record = {"ORVADROP.BDX", nullptr, 0, nullptr, true};
    uint8_t m_data[100] = {};
    HWND m_hWnd = nullptr;
};

TEST_F(BackdropTest, AWindowOverTheWholeScreenTitledOrvanta) {
    Create();
    char szTitle[64] = "";
    GetWindowTextA(m_hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Orvanta", szTitle);
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rc.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rc.bottom);
    EXPECT_TRUE(GetWindowLongA(m_hWnd, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    // The engine's paint function was called with this window and the paint record's drawing context.
    EXPECT_EQ(m_hWnd, s_painted.hWnd);
    EXPECT_GE(s_painted.nCalls, 1);
    EXPECT_TRUE(s_painted.fHadDC);
}

TEST_F(BackdropTest, ARecordWithoutPrivateDataIsReportedAndStillGetsItsWindow) {
    m_record.lpPrivateData = nullptr;
    m_record.PrivateDataSize = 0;
    CDiagCapture diag;
    Create();
    EXPECT_NE(std::string::npos, diag.Text().find("pSelf->lpPrivateData")) << diag.Text();
}

// On this high-colour display: the background tiled, the pattern band along the bottom, the top-right mark and
// the corner logo drawn with their key colour left out.
TEST_F(BackdropTest, TheBackgroundWithItsTransparentCornerPictures) {
    Create();
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    const int cyBand = 3 * GetSystemMetrics(SM_CYICON);
    const RECT rcBand = {0, rcClient.bottom - cyBand, 64, rcClient.bottom};
    EXPECT_EQ(64 * cyBand, Count(rcBand, NAVY) + Count(rcBand, TEAL));
    EXPECT_GT(Count(rcBand, TEAL), 0);

    const RECT rcMark = {rcClient.right - 150, 0, rcClient.right, 36};
    EXPECT_EQ(0, Count(rcMark, KEY));
    EXPECT_GT(Count(rcMark, NAVY), 100);
    const RECT rcLogo = {2, 2, 74, 74};
    EXPECT_EQ(0, Count(rcLogo, KEY));
    // Where the logo leaves its key colour out, the background shows: the same as one tile further down.
    EXPECT_EQ(Pixel(3, 3 + 64 * 2), Pixel(3, 3));
    EXPECT_NE(KEY, Pixel(3, 3));
}

TEST_F(BackdropTest, TheSlideShowCursorIsTheLibrarys) {
    Create();
    SendMessageA(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_BACKDROP)), GetCursor());
}

// Dissolving in copies the picture cell by cell: half way some cells show and some do not, at the end all do.
// Dissolving out blacks the grown rectangle.
TEST_F(BackdropTest, DissolvingInAndOut) {
    Create();
    CPalBmp picture;
    ASSERT_TRUE(picture.LoadBitmap(GetModuleHandleA(nullptr), IDB_SLIDE1));
    const int x = 300, y = 200, cx = picture.Width(), cy = picture.Height();
    // The picture's pixels, read before the dissolve selects the bitmap into a context of its own.
    std::vector<COLORREF> samples;
    HDC hdcPicture = CreateCompatibleDC(nullptr);
    const HGDIOBJ hOld = SelectObject(hdcPicture, picture.GetBitmap());
    for (int py = 0; py < cy; py += 8)
        for (int px = 0; px < cx; px += 8)
            samples.push_back(GetPixel(hdcPicture, px, py));
    SelectObject(hdcPicture, hOld);
    DeleteDC(hdcPicture);
    HDC hdc = GetDC(m_hWnd);
    // Every eighth pixel each way: how many show the picture.
    const auto fnShowing = [&] {
        int n = 0;
        size_t i = 0;
        for (int py = 0; py < cy; py += 8)
            for (int px = 0; px < cx; px += 8)
                n += GetPixel(hdc, x + px, y + py) == samples[i++];
        return n;
    };
    const int nSamples = ((cx + 7) / 8) * ((cy + 7) / 8);
    {
        RECT rc = {x - 10, y - 10, x + cx + 10, y + cy + 10};
        FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        CDissolve in(hdc, picture, x, y, 6);
        DISSOLVE* pGrid = DISSOLVE_Construct(cx, cy, 6, 6);
        ASSERT_TRUE(pGrid);
        const uint32_t nCells = pGrid->maxOrder;
        DISSOLVE_Destroy(pGrid);
        for (uint32_t i = 0; i < nCells / 2; ++i)
            ASSERT_TRUE(in.Step());
        const int nHalf = fnShowing();
        EXPECT_GT(nHalf, nSamples / 4);
        EXPECT_LT(nHalf, nSamples * 3 / 4);
        UIDRIVER_Pose("backdrop-dissolve", true);
        in.Run();
        EXPECT_FALSE(in.Step());
    }
    EXPECT_EQ(nSamples, fnShowing());
    // Cells of the last column and row reach past the picture; what lies beyond it stays as it was.
    const RECT rcRight = {x + cx, y - 10, x + cx + 10, y + cy + 10};
    const RECT rcBelow = {x - 10, y + cy, x + cx + 10, y + cy + 10};
    EXPECT_EQ(10 * (cy + 20), Count(rcRight, RGB(0, 0, 0)));
    EXPECT_EQ(10 * (cx + 20), Count(rcBelow, RGB(0, 0, 0)));
    const RECT rcOut = {x - 10, y - 10, x + cx + 10, y + cy + 10};
    CDissolve(hdc, rcOut, 2).Run();
    ReleaseDC(m_hWnd, hdc);
    EXPECT_EQ((cx + 20) * (cy + 20), Count(rcOut, RGB(0, 0, 0)));
}

TEST_F(BackdropTest, ALogoBesideTheLibraryJoinsTheShowAndABrokenOneIsOnlyReported) {
    PATHNAME szLogo = "";
    ASSERT_TRUE(PATHNAME_ConstructModuleFile(szLogo, GetModuleHandleA(nullptr), "LOGO.BMP"));
    struct CASE {
        const char* szWhat;
        std::string bytes;
        bool fReported;
    } cases[] = {
        {"not a bitmap", "BM but nothing after it", true},
        {"a sound bitmap", "", false},
    };
    // A 2 x 2 picture, 24 bits per pixel.
    std::string& sound = cases[1].bytes;
    const unsigned char header[54] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                      0,   0,   0,  2, 0, 0, 0, 2, 0, 0, 0,  1, 0, 24, 0};
    sound.assign(reinterpret_cast<const char*>(header), sizeof(header));
    sound += std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\x00\x00\xFF\x00\xFF\xFF\xFF\x00", 16);
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.szWhat);
        HANDLE hFile = CreateFileA(szLogo, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        DWORD cbWritten = 0;
        WriteFile(hFile, c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &cbWritten, nullptr);
        CloseHandle(hFile);
        CDiagCapture diag;
        Create();
        EXPECT_EQ(c.fReported, diag.Text().find("logo.LoadFile(szLogo)") != std::string::npos) << diag.Text();
        DestroyWindow(m_hWnd);
    }
    DeleteFileA(szLogo);
}

// The waits between the show's steps answer the mouse; keyboard input waits for the end of the show.
LRESULT CALLBACK RecordingProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pSeen = reinterpret_cast<std::vector<UINT>*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pSeen && (uMsg == WM_LBUTTONDOWN || uMsg == WM_KEYDOWN))
        pSeen->push_back(uMsg);
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

TEST(BackdropWait, DispatchesMouseMessagesOnly) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BackdropWaitRecorder";
    ASSERT_TRUE(RegisterClassExA(&wc));
    HWND hWnd =
        CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hWnd);
    std::vector<UINT> seen;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
    PostMessageA(hWnd, WM_KEYDOWN, 'A', 0);
    PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    BACKDROP_Wait(50);
    EXPECT_EQ(std::vector<UINT>{WM_LBUTTONDOWN}, seen);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    DestroyWindow(hWnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

// The grid's generator is the one the Microsoft run-time's rand is: the platform's own gives the same numbers.
TEST(Backdrop, TheGridsGeneratorIsThePlatformsRand) {
    srand(1);
    uint32_t nSeed = 1;
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(rand(), DISSOLVE_Rand(&nSeed)) << i;
}

}  // namespace

// The cell sizes follow the width of the screen the window is made on. The test starts itself again on a
// virtual desktop of each width (Wine's explorer makes one of any size); there the same test reads the sizes
// of a new backdrop and writes them to the file that its environment names.
TEST(Backdrop, CellSizesFollowTheScreenWidth) {
    char szOut[MAX_PATH] = "";
    if (GetEnvironmentVariableA("ORVADROP_CELLSIZES", szOut, sizeof(szOut))) {
        BACKDROP record = {"ORVADROP.BDX", nullptr, 0, nullptr, true};
        CBackDrop backdrop(&record, nullptr, 0);
        char szLine[64];
        const int32_t* pSizes = backdrop.CellSizes();
        wsprintfA(szLine, "%d %d %d %d %d", GetSystemMetrics(SM_CXSCREEN), static_cast<int>(pSizes[0]),
                  static_cast<int>(pSizes[1]), static_cast<int>(pSizes[2]), static_cast<int>(pSizes[3]));
        HANDLE hFile = CreateFileA(szOut, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        DWORD cb = 0;
        WriteFile(hFile, szLine, lstrlenA(szLine), &cb, nullptr);
        CloseHandle(hFile);
        return;
    }
    char szExe[MAX_PATH] = "", szTemp[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szExe, sizeof(szExe));
    GetTempPathA(sizeof(szTemp), szTemp);
    struct CASE {
        int cx;
        const char* szExpected;
    } cases[] = {
        {640, "640 2 3 4 3"},
        {800, "800 2 6 8 6"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.cx);
        const std::string out = std::string(szTemp) + "orvadrop_cells_" + std::to_string(c.cx) + ".txt";
        DeleteFileA(out.c_str());
        SetEnvironmentVariableA("ORVADROP_CELLSIZES", out.c_str());
        std::string command = "explorer.exe /desktop=orvadrop" + std::to_string(c.cx) + "," + std::to_string(c.cx) +
                              "x480 \"" + szExe + "\" --gtest_filter=Backdrop.CellSizesFollowTheScreenWidth";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        SetEnvironmentVariableA("ORVADROP_CELLSIZES", nullptr);
        CloseHandle(pi.hThread);
        // The desktop's explorer may outlive the program it started; the file is what counts.
        EXPECT_TRUE(UIDRIVER_WaitUntil([&] { return GetFileAttributesA(out.c_str()) != INVALID_FILE_ATTRIBUTES; },
                                       UIDRIVER_TIMEOUT * 6));
        WaitForSingleObject(pi.hProcess, UIDRIVER_TIMEOUT);
        CloseHandle(pi.hProcess);
        Sleep(200);
        char szLine[64] = "";
        HANDLE hFile = CreateFileA(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hFile != INVALID_HANDLE_VALUE) {
            DWORD cb = 0;
            ReadFile(hFile, szLine, sizeof(szLine) - 1, &cb, nullptr);
            CloseHandle(hFile);
        }
        EXPECT_STREQ(c.szExpected, szLine);
        DeleteFileA(out.c_str());
    }
}
