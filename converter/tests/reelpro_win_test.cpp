// The converter program under Wine, driven as a user would: movie documents, their previews through the
// QuickTime stand-in, Save As, fast-start conversion, the shell's ways in, and the about box.
#include <windows.h>

#include <dde.h>
#include <ddeml.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "converter/movview_win.h"
#include "converter/reelapp_win.h"
#include "converter/reeldoc_win.h"
#include "converter/reelpro_ids.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/qtstandin_win.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/diag.h"
#include "toolkit/helpfile_win.h"
#include "toolkit/qtbinding_win.h"

namespace {

using Calls = std::vector<std::string>;

const char JOB_CAPTION[] = "Flarion - Make 'Fast-Start' QuickTime Movie";
const int MOVIE_CX = 160, MOVIE_CY = 120, CONTROLLER_BAR = 16;

// The calls of the stand-in without the window messages offered to the controller.
Calls WithoutMessages(const Calls& calls) {
    Calls kept;
    for (const std::string& call : calls) {
        if (call.find(" C11 ") == std::string::npos)
            kept.push_back(call);
    }
    return kept;
}

bool Contains(const Calls& calls, const std::string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

int CountReports(const std::string& text, const std::string& expression) {
    int cFound = 0;
    for (size_t nAt = 0; (nAt = text.find("MFX_VERIFY failed: in ", nAt)) != std::string::npos; ++nAt) {
        const size_t nEnd = text.find('\n', nAt);
        if (text.substr(nAt, nEnd - nAt).find(") " + expression) != std::string::npos)
            ++cFound;
    }
    return cFound;
}

class ReelproTest : public ::testing::Test {
protected:
    explicit ReelproTest(const char* szVariant = "full") : m_standin(szVariant) {}

    void SetUp() override {
        DIAG_Initialize(GetModuleHandleA(nullptr));
        DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
        char szTemp[MAX_PATH] = "";
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = std::string(szTemp) + "reelpro test";
        CreateDirectoryA(m_dir.c_str(), nullptr);
        m_clip = m_dir + "\\clip.QT";
        m_stream = m_dir + "\\clip.qtx";
        ASSERT_TRUE(TESTFILE_Write(m_clip, MOVIEFIXTURE_PictureMovie(MOVIE_CX, MOVIE_CY)));
        ASSERT_TRUE(TESTFILE_Write(m_stream, MOVIEFIXTURE_PictureMovie(MOVIE_CX, MOVIE_CY)));
        WritePrivateProfileStringA(DOCAPP_MRU_SECTION, nullptr, nullptr, "REELPRO.INI");
    }

    void TearDown() override {
        m_app.reset();
        for (const char* szName : {"clip.QT", "clip.qtx", "copy.mov", "copy.qt", "clip.avi", "clip.mov", "a.mov",
                                   "b.mov", "c.mov", "d.mov", "e.mov", "other.qtx"})
            DeleteFileA((m_dir + "\\" + szName).c_str());
        RemoveDirectoryA(m_dir.c_str());
        WritePrivateProfileStringA(DOCAPP_MRU_SECTION, nullptr, nullptr, "REELPRO.INI");
        DIAG_Terminate();
    }

    void StartApp(const char* szCommandLine = "") {
        m_app = std::make_unique<CReelApp>(GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_app->InitInstance(szCommandLine, SW_SHOW));
        Pump();
    }

    CReelDoc* Open(const std::string& path) {
        CReelDoc* pDocument = dynamic_cast<CReelDoc*>(m_app->OpenDocumentFile(path.c_str()));
        Pump();
        return pDocument;
    }

    CMOVView* ViewOf(CReelDoc* pDocument) { return dynamic_cast<CMOVView*>(pDocument->GetViews().at(0)); }
    CZMDIChildWnd* FrameOf(CReelDoc* pDocument) { return dynamic_cast<CZMDIChildWnd*>(ViewOf(pDocument)->GetFrame()); }
    bool Enabled(int idCommand) { return m_app->IsCommandEnabled(idCommand); }
    HWND MainWindow() { return m_app->GetMainFrame()->GetHandle(); }

    // Runs a command as the menu would, while the user thread plays its part.
    void Command(int idCommand) {
        SendMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(idCommand, 0), 0);
        Pump();
    }

    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    CQtStandin m_standin;
    CDiagCapture m_capture;
    std::unique_ptr<CReelApp> m_app;
    std::string m_dir, m_clip, m_stream;
};

TEST_F(ReelproTest, MakeFastStartFollowsTheTypeAndTheStreamGetsTheCompositeName) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pMovie = Open(m_clip);
    ASSERT_NE(nullptr, pMovie);
    EXPECT_TRUE(Enabled(ID_MAKE_FASTSTART));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE));

    m_standin.Clear();
    CReelDoc* pStream = Open(m_stream);
    ASSERT_NE(nullptr, pStream);
    EXPECT_FALSE(Enabled(ID_MAKE_FASTSTART));
    // The composite name names no file: the preview stays empty and Copy is disabled.
    EXPECT_TRUE(Contains(m_standin.Calls(), "QTIM32 44 " + m_stream + "+clip.MOV 0"));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_EQ(1, CountReports(m_capture.Text(), "OpenTheMovie(szFileName)"));
    EXPECT_EQ(2u, CReelDoc::GetOpenDocuments().size());
}

TEST_F(ReelproTest, OpeningAMovieMakesTheExactCallsAndSizesTheWindowToTheController) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    const Calls expected = {
        "QTIM32 load",         "CMGR32 load",
        "CMGR32 initialize",   "QTIM32 57",
        "QTIM32 11",           "QTIM32 44 " + m_clip + " 0",
        "QTIM32 42 1 0 0 0 0", "QTIM32 2 1",
        "QTIM32 15 movie1",    "QTIM32 56 movie1 {0,0,160,120} 1 window",
        "CMGR32 C20 mc1 1",    "CMGR32 C1 mc1 21 0",
        "CMGR32 C1 mc1 40 1",  "CMGR32 C1 mc1 14 100",
        "CMGR32 C1 mc1 39 &",  "CMGR32 C1 mc1 38 9",
        "CMGR32 C1 mc1 8 0",   "CMGR32 C1 mc1 25 {0,0,0,0}",
        "CMGR32 C4 mc1",       "QTIM32 49 movie1 1",
    };
    EXPECT_EQ(expected, WithoutMessages(m_standin.Calls()));
    UIDRIVER_Pose("reelpro-1-preview", true);
    EXPECT_EQ(MOVIE_CX, pDocument->GetMovieWidth());
    EXPECT_EQ(MOVIE_CY + CONTROLLER_BAR, pDocument->GetMovieHeight());
    RECT rcView;
    GetClientRect(ViewOf(pDocument)->GetHandle(), &rcView);
    EXPECT_EQ(MOVIE_CX, rcView.right);
    EXPECT_EQ(MOVIE_CY + CONTROLLER_BAR, rcView.bottom);
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(ReelproTest, FailedControllerActionsAreReportedOneByOneAndOpeningGoesOn) {
    CQtStandin::Fail("C1:21 C1:38");
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    const std::string text = m_capture.Text();
    EXPECT_EQ(1, CountReports(text, "noErr==MCDoAction( m_mcController, mcActionSetLooping, (LPVOID)FALSE )"));
    EXPECT_EQ(1, CountReports(text, "noErr==MCDoAction( m_mcController, mcActionSetFlags, (LPVOID)lFlags )"));
    EXPECT_EQ(0, CountReports(text, "noErr==MCDoAction( m_mcController, mcActionSetVolume, (LPVOID)100 )"));
    const Calls calls = m_standin.Calls();
    EXPECT_TRUE(Contains(calls, "CMGR32 C4 mc1"));
    EXPECT_TRUE(Contains(calls, "QTIM32 49 movie1 1"));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
}

TEST_F(ReelproTest, AMovieWithoutControllerIsHeldButNotSized) {
    CQtStandin::Fail("56");
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    EXPECT_EQ(1,
              CountReports(m_capture.Text(), "m_mcController = NewMovieController (m_mMovie, &m_rcMovie,pos, m_hWnd)"));
    EXPECT_TRUE(ViewOf(pDocument)->IsMovieOpen());
    EXPECT_EQ(0, FrameOf(pDocument)->GetFixedWidth());
    EXPECT_FALSE(Contains(m_standin.Calls(), "QTIM32 49 movie1 1"));
}

TEST_F(ReelproTest, CopyPutsTheCurrentFrameOnTheClipboardAsADib) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    ASSERT_NE(nullptr, Open(m_clip));
    m_standin.Clear();
    Command(ID_EDIT_COPY);
    const Calls expected = {"QTIM32 54 movie1", "QTIM32 20 movie1 0", "QTIM32 46 pict1", "QTIM32 8 pict1"};
    EXPECT_EQ(expected, WithoutMessages(m_standin.Calls()));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hDib = GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, hDib);
    const auto* pInfo = static_cast<const BITMAPINFOHEADER*>(GlobalLock(hDib));
    EXPECT_EQ(MOVIE_CX, pInfo->biWidth);
    EXPECT_EQ(MOVIE_CY, pInfo->biHeight);
    GlobalUnlock(hDib);
    CloseClipboard();
}

TEST_F(ReelproTest, TheMovieWindowCannotBeResized) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    const HWND hFrame = FrameOf(pDocument)->GetHandle();
    EXPECT_FALSE(GetWindowLongPtrA(hFrame, GWL_STYLE) & WS_MAXIMIZEBOX);
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {2000, 2000};
    SendMessageA(hFrame, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT rc;
    GetWindowRect(hFrame, &rc);
    EXPECT_EQ(rc.right - rc.left, info.ptMinTrackSize.x);
    EXPECT_EQ(rc.right - rc.left, info.ptMaxTrackSize.x);
    EXPECT_EQ(rc.bottom - rc.top, info.ptMinTrackSize.y);
    EXPECT_EQ(rc.bottom - rc.top, info.ptMaxTrackSize.y);
}

class ReelproSaveAsTest : public ReelproTest {
protected:
    void SetUp() override {
        ReelproTest::SetUp();
        const std::string movie = m_dir + "\\clip.mov";
        ASSERT_TRUE(TESTFILE_Write(movie, MOVIEFIXTURE_PictureMovie(MOVIE_CX, MOVIE_CY)));
        ASSERT_NO_FATAL_FAILURE(StartApp());
        m_pDocument = Open(movie);
        ASSERT_NE(nullptr, m_pDocument);
    }
    CReelDoc* m_pDocument = nullptr;
};

TEST_F(ReelproSaveAsTest, RefusedSavesShowTheirMessageOrNoneAndChangeNothing) {
    const struct {
        const char* szName;
        const char* szMessage;  // null: no message
    } cases[] = {
        {"CLIP.MOV", "Cannot save a copy of the file under the same name."},
        {"other.qtx", nullptr},
        {"clip.avi", "Reelway Pro cannot save the movie in this format!"},
    };
    const std::string path = m_pDocument->GetPathName();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        const std::string destination = m_dir + "\\" + c.szName;
        if (c.szMessage) {
            CBoxAnswer answer(IDOK);
            EXPECT_FALSE(m_pDocument->SaveAs(destination.c_str()));
            ASSERT_TRUE(answer.Wait());
            EXPECT_EQ(c.szMessage, answer.Text());
            EXPECT_EQ("Flarion", answer.Caption());
        } else {
            EXPECT_FALSE(m_pDocument->SaveAs(destination.c_str()));
            EXPECT_EQ(nullptr, UIDRIVER_WaitForDialog(nullptr, 300));
        }
        EXPECT_EQ(path, m_pDocument->GetPathName());
        if (lstrcmpiA(c.szName, "CLIP.MOV") != 0) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(destination.c_str()));
        }
        // The preview let go of the movie and took it back.
        EXPECT_TRUE(ViewOf(m_pDocument)->IsMovieOpen());
        EXPECT_FALSE(m_pDocument->IsReleased());
    }
}

TEST_F(ReelproSaveAsTest, AStreamSavedAsAMovieIsNotImplementedYet) {
    CReelDoc* pStream = Open(m_stream);
    ASSERT_NE(nullptr, pStream);
    CBoxAnswer answer(IDOK);
    EXPECT_FALSE(pStream->SaveAs((m_dir + "\\copy.mov").c_str()));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Not Implemented Yet", answer.Text());
}

TEST_F(ReelproSaveAsTest, ACopyUnderAnotherNameRenamesTheDocument) {
    const std::string copy = m_dir + "\\copy.qt";
    m_standin.Clear();
    ASSERT_TRUE(m_pDocument->SaveAs(copy.c_str()));
    Pump();
    EXPECT_EQ(copy, m_pDocument->GetPathName());
    EXPECT_EQ(TESTFILE_Read(m_dir + "\\clip.mov"), TESTFILE_Read(copy));
    EXPECT_EQ("copy.qt", UIDRIVER_GetText(FrameOf(m_pDocument)->GetHandle()));
    EXPECT_EQ("Orvanta Flarion - copy.qt", UIDRIVER_GetText(MainWindow()));
    // Not on the recent-file list.
    EXPECT_EQ(m_dir + "\\clip.mov", m_app->GetRecentFiles().at(0));
    // The preview closed the movie while the file was copied.
    EXPECT_TRUE(Contains(m_standin.Calls(), "QTIM32 7 movie1"));
}

TEST_F(ReelproSaveAsTest, TheSaveDialogOffersTheCounterpartNameInTheMovieFolder) {
    std::string offered, title;
    CModalTimeout guard(10000);
    CUserThread user([&] {
        HWND hDlg = UIDRIVER_WaitForDialog("Save As", UIDRIVER_TIMEOUT);
        if (!hDlg)
            return;
        offered = UIDRIVER_GetItemText(hDlg, 0x47c);
        SendMessageA(GetDlgItem(hDlg, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("copy"));
        UIDRIVER_PressButton(hDlg, IDOK);
    });
    Command(ID_FILE_SAVE_AS);
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("clip.QTX", offered);
    // The default extension is the counterpart's: "copy" becomes a movie stream, which no conversion makes.
    EXPECT_EQ(m_dir + "\\clip.mov", m_pDocument->GetPathName());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_dir + "\\copy.QTX").c_str()));
}

TEST_F(ReelproTest, MakeFastStartReleasesThePreviewAndShowsTheConvertedFile) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    m_standin.Clear();
    bool fCopyDuringJob = true, fOpenDuringJob = true, fPressed = false;
    CModalTimeout guard(20000);
    CUserThread user([&] {
        HWND hJob = UIDRIVER_WaitForDialog(JOB_CAPTION, UIDRIVER_TIMEOUT);
        if (!hJob)
            return;
        fOpenDuringJob = ViewOf(pDocument)->IsMovieOpen();
        fCopyDuringJob = m_app->IsCommandEnabled(ID_EDIT_COPY);
        if (UIDRIVER_WaitForItemEnabled(hJob, IDOK, true, 10000))
            fPressed = UIDRIVER_PressButton(hJob, IDOK);
    });
    Command(ID_MAKE_FASTSTART);
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_TRUE(fPressed);
    EXPECT_FALSE(fOpenDuringJob);
    EXPECT_FALSE(fCopyDuringJob);
    // Afterwards the preview shows the replaced file, now with its movie atom first.
    EXPECT_TRUE(ViewOf(pDocument)->IsMovieOpen());
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_EQ("moov", TESTFILE_Read(m_clip).substr(4, 4));
    const Calls calls = WithoutMessages(m_standin.Calls());
    const auto itDispose = std::find(calls.begin(), calls.end(), "QTIM32 7 movie1");
    const auto itReopen = std::find(calls.begin(), calls.end(), "QTIM32 44 " + m_clip + " 0");
    EXPECT_NE(calls.end(), itDispose);
    EXPECT_NE(calls.end(), itReopen);
    EXPECT_LT(itDispose - calls.begin(), itReopen - calls.begin());
    EXPECT_TRUE(Contains(calls, "QTIM32 49 movie2 1"));
    EXPECT_FALSE(pDocument->IsReleased());
}

class ReelproWithoutQuickTimeTest : public ReelproTest {
protected:
    ReelproWithoutQuickTimeTest() : ReelproTest("missing") {}
};

TEST_F(ReelproWithoutQuickTimeTest, PreviewsStayEmptyAndConversionStillWorks) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    CReelDoc* pFirst = Open(m_clip);
    CReelDoc* pSecond = Open(m_stream);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_FALSE(ViewOf(pFirst)->IsMovieOpen());
    EXPECT_EQ(1, CountReports(m_capture.Text(), "ClassInit()"));
    SendMessageA(m_app->GetMainFrame()->GetClient(), WM_MDIACTIVATE,
                 reinterpret_cast<WPARAM>(FrameOf(pFirst)->GetHandle()), 0);
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_MAKE_FASTSTART));
    CModalTimeout guard(20000);
    CUserThread user([&] {
        HWND hJob = UIDRIVER_WaitForDialog(JOB_CAPTION, UIDRIVER_TIMEOUT);
        if (hJob && UIDRIVER_WaitForItemEnabled(hJob, IDOK, true, 10000))
            UIDRIVER_PressButton(hJob, IDOK);
    });
    Command(ID_MAKE_FASTSTART);
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("moov", TESTFILE_Read(m_clip).substr(4, 4));
    EXPECT_EQ(Calls{}, m_standin.Calls());
}

TEST_F(ReelproTest, AMovieOnTheCommandLineOpens) {
    ASSERT_NO_FATAL_FAILURE(StartApp(("\"" + m_clip + "\"").c_str()));
    ASSERT_EQ(1u, CReelDoc::GetOpenDocuments().size());
    EXPECT_EQ(m_clip, CReelDoc::GetOpenDocuments()[0]->GetPathName());
    EXPECT_TRUE(IsWindowVisible(MainWindow()));
}

TEST_F(ReelproTest, AnEmbeddedStartShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(StartApp("/Embedding"));
    EXPECT_TRUE(m_app->IsEmbedded());
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
}

// Places dropped files on the window as the shell does, when the window takes them (WS_EX_ACCEPTFILES): a
// DROPFILES block followed by the names.
bool DropFiles(HWND hWnd, const std::vector<std::string>& names) {
    if (!(GetWindowLongPtrA(hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        return false;
    std::string block;
    for (const std::string& name : names)
        block += name + '\0';
    block += '\0';
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + block.size());
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    memcpy(pDrop + 1, block.data(), block.size());
    GlobalUnlock(hDrop);
    SendMessageA(hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop), 0);
    return true;
}

// The shell's open command, sent as the shell sends it: a DDE conversation with the program's service on the
// topic "system". True when the program took it.
bool DdeOpen(const std::string& path) {
    DWORD idInstance = 0;
    if (DdeInitializeA(&idInstance, nullptr, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ hService = DdeCreateStringHandleA(idInstance, "REELPRO", CP_WINANSI);
    HSZ hTopic = DdeCreateStringHandleA(idInstance, "system", CP_WINANSI);
    HDDEDATA hResult = nullptr;
    if (HCONV hConv = DdeConnect(idInstance, hService, hTopic, nullptr)) {
        std::string command = "[open(\"" + path + "\")]";
        DWORD dwResult = 0;
        hResult = DdeClientTransaction(reinterpret_cast<BYTE*>(&command[0]), static_cast<DWORD>(command.size() + 1),
                                       hConv, nullptr, 0, XTYP_EXECUTE, 5000, &dwResult);
        DdeDisconnect(hConv);
    }
    DdeFreeStringHandle(idInstance, hService);
    DdeFreeStringHandle(idInstance, hTopic);
    DdeUninitialize(idInstance);
    return hResult != nullptr;
}

TEST_F(ReelproTest, TheShellsDdeOpenCommandOpensTheMovie) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    EXPECT_TRUE(DdeOpen(m_clip));
    Pump();
    ASSERT_EQ(1u, CReelDoc::GetOpenDocuments().size());
    EXPECT_EQ(m_clip, CReelDoc::GetOpenDocuments()[0]->GetPathName());
}

// Every start but an embedded one shows the window and takes dropped files: a plain start, and the shell's,
// which starts the program with "/dde" and then sends the open command.
TEST_F(ReelproTest, DroppedFilesOpenAsDocumentsAfterEveryStart) {
    for (bool fShell : {false, true}) {
        SCOPED_TRACE(fShell ? "started by the shell" : "started plainly");
        m_app.reset();
        ASSERT_NO_FATAL_FAILURE(StartApp(fShell ? "/dde" : ""));
        EXPECT_TRUE(IsWindowVisible(MainWindow()));
        EXPECT_TRUE(CReelDoc::GetOpenDocuments().empty()) << "the switch is no document";
        if (fShell) {
            EXPECT_TRUE(DdeOpen(m_clip));
            Pump();
        }
        const std::vector<std::string> dropped =
            fShell ? std::vector<std::string>{m_stream} : std::vector<std::string>{m_clip, m_stream};
        ASSERT_TRUE(DropFiles(MainWindow(), dropped));
        Pump();
        ASSERT_EQ(2u, CReelDoc::GetOpenDocuments().size());
        EXPECT_EQ(m_clip, CReelDoc::GetOpenDocuments()[0]->GetPathName());
        EXPECT_EQ(m_stream, CReelDoc::GetOpenDocuments()[1]->GetPathName());
    }
}

TEST_F(ReelproTest, TheMovieTypeAndTheHelpFileAreRegistered) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    const std::string help = HELPFILE_GetRegistered();
    EXPECT_EQ("converter_reelpro_win_test.HLP", help.substr(help.rfind('\\') + 1));
    const struct {
        const char* szKey;
        std::string value;
    } cases[] = {
        {".mov", "Reelway.Movie"},
        {"Reelway.Movie", "Web Movie"},
        {"Reelway.Movie\\shell\\open\\ddeexec", "[open(\"%1\")]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szKey);
        char szValue[256] = "";
        LONG cbValue = sizeof(szValue);
        ASSERT_EQ(ERROR_SUCCESS, RegQueryValueA(HKEY_CLASSES_ROOT, c.szKey, szValue, &cbValue));
        EXPECT_EQ(c.value, szValue);
    }
}

TEST_F(ReelproTest, TheRecentFileListKeepsTheLastFourFiles) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    std::vector<std::string> paths;
    for (const char* szName : {"a.mov", "b.mov", "c.mov", "d.mov", "e.mov"}) {
        paths.push_back(m_dir + "\\" + szName);
        ASSERT_TRUE(TESTFILE_Write(paths.back(), MOVIEFIXTURE_PictureMovie(MOVIE_CX, MOVIE_CY)));
        ASSERT_NE(nullptr, Open(paths.back()));
    }
    Open(paths[1]);  // open already: activated, not listed again
    const std::vector<std::string> expected = {paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(expected, m_app->GetRecentFiles());
    char szFirst[MAX_PATH] = "";
    GetPrivateProfileStringA(DOCAPP_MRU_SECTION, "File1", "", szFirst, sizeof(szFirst), "REELPRO.INI");
    EXPECT_EQ(paths[4], szFirst);
    // The File menu lists them in its recent-file place.
    HMENU hFile = GetSubMenu(GetMenu(MainWindow()), 0);
    SendMessageA(MainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    char szItem[MAX_PATH + 8] = "";
    GetMenuStringA(hFile, ID_FILE_MRU_FILE1, szItem, sizeof(szItem), MF_BYCOMMAND);
    EXPECT_EQ("&1 " + paths[4], szItem);
    GetMenuStringA(hFile, ID_FILE_MRU_FILE1 + 3, szItem, sizeof(szItem), MF_BYCOMMAND);
    EXPECT_EQ("&4 " + paths[1], szItem);
}

TEST_F(ReelproTest, MenusFollowTheActiveDocumentAndTheStatusLineShowsPrompts) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    EXPECT_EQ("Orvanta Flarion", UIDRIVER_GetText(MainWindow()));
    EXPECT_EQ(-1, GetMenuState(GetMenu(MainWindow()), ID_MAKE_FASTSTART, MF_BYCOMMAND));
    CReelDoc* pDocument = Open(m_clip);
    ASSERT_NE(nullptr, pDocument);
    EXPECT_EQ("Orvanta Flarion - clip.QT", UIDRIVER_GetText(MainWindow()));
    HMENU hMenu = GetMenu(MainWindow());
    EXPECT_NE(static_cast<UINT>(-1), GetMenuState(hMenu, ID_MAKE_FASTSTART, MF_BYCOMMAND));
    HMENU hFile = GetSubMenu(hMenu, 0);
    SendMessageA(MainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_FALSE(GetMenuState(hFile, ID_MAKE_FASTSTART, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(MainWindow(), WM_MENUSELECT, MAKEWPARAM(ID_MAKE_FASTSTART, MF_STRING),
                 reinterpret_cast<LPARAM>(hFile));
    char szStatus[128] = "";
    SendMessageA(m_app->GetMainFrame()->GetStatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(szStatus));
    EXPECT_STREQ("Convert the movie(s) into 'Fast-Start'", szStatus);
    // The toolbar: Save off for a movie, Copy on while the movie is shown.
    const HWND hToolBar = m_app->GetMainFrame()->GetToolBar();
    EXPECT_EQ(9, SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_FALSE(SendMessageA(hToolBar, TB_ISBUTTONENABLED, ID_FILE_SAVE, 0));
    EXPECT_TRUE(SendMessageA(hToolBar, TB_ISBUTTONENABLED, ID_EDIT_COPY, 0));
    pDocument->Close();
    Pump();
    EXPECT_EQ("Orvanta Flarion", UIDRIVER_GetText(MainWindow()));
    EXPECT_TRUE(CReelDoc::GetOpenDocuments().empty());
}

TEST_F(ReelproTest, TheAboutBoxShowsTheSplashFirstThenItsVersion) {
    ASSERT_NO_FATAL_FAILURE(StartApp());
    std::string version, splashCaption = "none";
    RECT rcSplash = {};
    LOGFONTA font = {};
    CModalTimeout guard(GetEnvironmentVariableA("MFX_SCREENSHOTS", nullptr, 0) ? 120000 : 10000);
    CUserThread user([&] {
        HWND hSplash = UIDRIVER_WaitForDialog("", UIDRIVER_TIMEOUT);
        if (!hSplash)
            return;
        splashCaption = UIDRIVER_GetText(hSplash);
        GetClientRect(hSplash, &rcSplash);
        UIDRIVER_Pose("reelpro-2-splash", false);
        PostMessageA(hSplash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        HWND hAbout = UIDRIVER_WaitForDialog("About", UIDRIVER_TIMEOUT);
        if (!hAbout)
            return;
        UIDRIVER_WaitForItemText(hAbout, IDC_ABOUT_VERSION, REELPRO_VERSION, UIDRIVER_TIMEOUT);
        version = UIDRIVER_GetItemText(hAbout, IDC_ABOUT_VERSION);
        HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(hAbout, IDC_ABOUT_TITLE), WM_GETFONT, 0, 0));
        GetObjectA(hFont, sizeof(font), &font);
        UIDRIVER_Pose("reelpro-3-about", false);
        UIDRIVER_PressButton(hAbout, IDOK);
    });
    Command(ID_APP_ABOUT);
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("", splashCaption);
    EXPECT_EQ(320, rcSplash.right);  // the picture fills the window inside its border
    EXPECT_EQ(200, rcSplash.bottom);
    EXPECT_EQ("1.00.00 Win32", version);
    EXPECT_STREQ("Helv", font.lfFaceName);
}

}  // namespace
