// The backdrop plug-in's binding: our stand-in plug-in, a library without the exports, no library, and the
// real orvadrop.bdx, each loaded by the record's name from the working directory as the engine loads it.
#include "setup/bdbind_win.h"

#include "setup/bdpaint_win.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

namespace {

class BdbindTest : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof(m_szWasCurrent), m_szWasCurrent);
        ASSERT_TRUE(SetCurrentDirectoryA(m_work.Path().c_str()));
    }
    void TearDown() override {
        BACKDROP_Release(&m_record);
        SetCurrentDirectoryA(m_szWasCurrent);
    }
    // Puts the built library into the working directory under the record's name, with private data as the
    // design file gives it.
    void Provide(const char* szBuilt, const char* szName) {
        const std::string source = BUILDPATH_SubsystemFile(szBuilt);
        ASSERT_TRUE(CopyFileA(source.c_str(), (m_work / szName).c_str(), FALSE)) << source;
        lstrcpynA(m_record.Name, szName, sizeof(m_record.Name));
        m_record.PrivateDataSize = 100;
        m_record.lpPrivateData = new uint8_t[101]();
    }

    CTempFolder m_work{"bdwork"};
    CTempFolder m_distrib{"bddist"};
    char m_szWasCurrent[MAX_PATH] = "";
    BACKDROP m_record = {};
};

int s_nPaints = 0;
LONG CALLBACK CountingPaint(HWND, HDC* pPaint) {
    if (pPaint && *pPaint)
        ++s_nPaints;
    return 0;
}

TEST_F(BdbindTest, ThePlugInsWindowIsEnabledAndPaintsThroughTheEngine) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    ASSERT_TRUE(m_record.hLibrary);
    s_nPaints = 0;
    HWND hWnd = BACKDROP_CallCreate(&m_record, CountingPaint);
    ASSERT_TRUE(hWnd);
    EXPECT_TRUE(IsWindowEnabled(hWnd));
    InvalidateRect(hWnd, nullptr, TRUE);
    EXPECT_TRUE(UIDRIVER_PumpUntil([] { return s_nPaints > 0; }, UIDRIVER_TIMEOUT));
    DestroyWindow(hWnd);
}

TEST_F(BdbindTest, EventsReachThePlugInWithTheirCodes) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    EXPECT_EQ(100, BACKDROP_CallNotifyEvent(&m_record, nullptr, BACKDROP_PROGRESSREADY, 0, 0));
    EXPECT_EQ(216, BACKDROP_CallNotifyEvent(&m_record, nullptr, BACKDROP_DIALOGOPENED, BACKDROP_OVERWRITE, 0));
    EXPECT_EQ(309, BACKDROP_CallNotifyEvent(&m_record, nullptr, BACKDROP_DIALOGCLOSING, BACKDROP_INSTALLED, 0));
}

// The plug-in may clear the copy flag: the thing is then skipped, and nothing is shown to the user.
TEST_F(BdbindTest, APlugInClearingTheCopyFlagSkipsTheThingSilently) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    struct CASE {
        const char* szFile;
        bool fCopy;
    } cases[] = {{"keep.txt", true}, {"skip.txt", false}, {"SKIP.TXT", false}};
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.szFile);
        char szSource[COPYREC_DIRSIZE] = "A:\\", szDest[COPYREC_DIRSIZE] = "C:\\PRODUCT";
        char szName[COPYREC_NAMESIZE] = "";
        lstrcpynA(szName, c.szFile, sizeof(szName));
        COPYREC copy = {szSource, szDest, szName, 1};
        EXPECT_EQ(c.fCopy, BACKDROP_NotifyCopying(&m_record, nullptr, &copy));
        EXPECT_FALSE(UIDRIVER_WaitForDialog(nullptr, 0));
    }
}

void WriteText(const std::string& path, const char* szText) {
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD cbWritten = 0;
    WriteFile(hFile, szText, lstrlenA(szText), &cbWritten, nullptr);
    CloseHandle(hFile);
}

TEST_F(BdbindTest, BaggageFilesAreCopiedIntoTheWorkingDirectory) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    WriteText(m_distrib / "one.txt", "first");
    WriteText(m_distrib / "two.txt", "second");
    EXPECT_TRUE(BACKDROP_CopyBaggage(&m_record, m_distrib.Path().c_str(), m_work.Path().c_str()));
    EXPECT_EQ(5, PATHNAME_GetSize((m_work / "one.txt").c_str()));
    EXPECT_EQ(6, PATHNAME_GetSize((m_work / "two.txt").c_str()));

    // One missing file is reported; the other is still copied.
    DeleteFileA((m_work / "two.txt").c_str());
    DeleteFileA((m_distrib / "one.txt").c_str());
    CDiagCapture capture;
    EXPECT_FALSE(BACKDROP_CopyBaggage(&m_record, m_distrib.Path().c_str(), m_work.Path().c_str()));
    EXPECT_NE(std::string::npos, capture.Text().find("FILE_Copy")) << capture.Text();
    EXPECT_EQ(6, PATHNAME_GetSize((m_work / "two.txt").c_str()));
}

// A library without the exports, and none at all: every call does nothing and answers 0.
TEST_F(BdbindTest, MissingExportsAndAMissingPlugInAnswerZero) {
    for (bool fLoaded : {true, false}) {
        SCOPED_TRACE(fLoaded ? "no exports" : "no library");
        BACKDROP_Release(&m_record);
        CDiagCapture capture;
        if (fLoaded) {
            Provide("..\\testing\\dlgbare\\dlgbare.dll", "BARE.BDX");
            EXPECT_TRUE(BACKDROP_LoadLibrary(&m_record));
        } else {
            lstrcpynA(m_record.Name, "ABSENT.BDX", sizeof(m_record.Name));
            EXPECT_FALSE(BACKDROP_LoadLibrary(&m_record));
            EXPECT_NE(std::string::npos, capture.Text().find("pSelf->hLibrary")) << capture.Text();
        }
        EXPECT_FALSE(BACKDROP_CallCreate(&m_record, CountingPaint));
        char szName[MAX_PATH] = "untouched";
        EXPECT_EQ(0, BACKDROP_CallBaggageFiles(&m_record, szName, 0));
        EXPECT_STREQ("untouched", szName);
        EXPECT_TRUE(BACKDROP_CopyBaggage(&m_record, m_distrib.Path().c_str(), m_work.Path().c_str()));
        EXPECT_EQ(0, BACKDROP_CallNotifyEvent(&m_record, nullptr, BACKDROP_DIALOGOPENED, BACKDROP_CHOOSE, 0));
        char szSource[COPYREC_DIRSIZE] = "A:\\", szDest[COPYREC_DIRSIZE] = "C:\\",
             szFile[COPYREC_NAMESIZE] = "skip.txt";
        COPYREC copy = {szSource, szDest, szFile, 1};
        EXPECT_TRUE(BACKDROP_NotifyCopying(&m_record, nullptr, &copy));
    }
}

// A name that fills its 16 bytes without a terminator is still the whole name.
TEST_F(BdbindTest, ANameFillingItsFieldLoads) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "SIXTEENCHARS.BDX");
    ASSERT_EQ(16u, sizeof(m_record.Name));
    memcpy(m_record.Name, "SIXTEENCHARS.BDX", 16);
    EXPECT_TRUE(BACKDROP_LoadLibrary(&m_record));
}

TEST_F(BdbindTest, ReleaseFreesThePlugInAndClearsTheRecord) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    BACKDROP_Release(&m_record);
    EXPECT_FALSE(m_record.hLibrary);
    EXPECT_FALSE(m_record.lpPrivateData);
    EXPECT_EQ(0u, m_record.PrivateDataSize);
    EXPECT_EQ('\0', m_record.Name[0]);
    EXPECT_FALSE(GetModuleHandleA((m_work / "STANDIN.BDX").c_str()));
}

// The engine's own paint function through the plug-in's window: the design's picture centred, its text below.
TEST_F(BdbindTest, TheEnginePaintsItsPictureAndTextOnThePlugInsWindow) {
    Provide("..\\testing\\bdstandin\\bdstandin.bdx", "STANDIN.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    ASSERT_TRUE(CopyFileA(BUILDPATH_SubsystemFile("..\\testing\\dlgbare\\bare.bmp").c_str(),
                          (m_distrib / "logo.bmp").c_str(), FALSE));
    EXEOBJ options = {};
    lstrcpyA(options.szBitMapName, "logo.bmp");
    options.nBitMapPos = 5;
    lstrcpyA(options.szText, "Orvanta Flarion Setup");
    options.nTextPos = 8;
    options.rgbText = RGB(0, 0, 128);
    LOGFONT_SetDefault(&options.fontText);
    ASSERT_TRUE(BDPAINT_Load(&options, m_distrib.Path().c_str()));
    HWND hWnd = BACKDROP_CallCreate(&m_record, BDPAINT_Paint);
    ASSERT_TRUE(hWnd);
    UpdateWindow(hWnd);
    UIDRIVER_PumpUntil([] { return false; }, 200);
    UIDRIVER_Pose("backdrop-engine-paint", true);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC hdc = GetDC(hWnd);
    // The 8 by 4 red picture's centre, and the white beside it.
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(hdc, rc.right / 2, rc.bottom / 2));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hdc, rc.right / 2 + 8, rc.bottom / 2));
    int nText = 0;
    for (int y = rc.bottom / 2; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            nText += GetPixel(hdc, x, y) == RGB(0, 0, 128);
    EXPECT_GT(nText, 20);
    ReleaseDC(hWnd, hdc);
    DestroyWindow(hWnd);
    BDPAINT_Release();
}

LONG CALLBACK NoPaint(HWND, HDC*) {
    return 0;
}

// The real plug-in runs its whole slide show (some fifteen seconds) before its window comes back.
TEST_F(BdbindTest, TheRealPlugInGivesTheBackdropWindow) {
    Provide("..\\setupext\\orvadrop\\orvadrop.bdx", "ORVADROP.BDX");
    ASSERT_TRUE(BACKDROP_LoadLibrary(&m_record));
    HWND hWnd = BACKDROP_CallCreate(&m_record, NoPaint);
    ASSERT_TRUE(hWnd);
    EXPECT_TRUE(IsWindowEnabled(hWnd));
    EXPECT_EQ("Orvanta", UIDRIVER_GetText(hWnd));
    EXPECT_EQ(1, BACKDROP_CallNotifyEvent(&m_record, hWnd, BACKDROP_DIALOGOPENED, BACKDROP_OVERWRITE, 0));
    DestroyWindow(hWnd);
}

}  // namespace
