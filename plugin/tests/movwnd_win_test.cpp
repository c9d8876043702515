// The movie window through our browser stand-in and the QuickTime stand-in: the plug-in's code and its
// resources linked into the test, a clip written by the movie fixture served as a local file, and the exact
// QuickTime calls that opening, clicking and closing make.
#include <gtest/gtest.h>
// The platform's header spells its FindAtomA as FindAtom; the atom reader's FindAtom is meant here.
#include <windows.h>
#undef FindAtom

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "movie/qtfast.h"
#include "movie/qtfile.h"
#include "movie/vroonjob_ids.h"
#include "plugin/movieoptions.h"
#include "plugin/movwnd_ids.h"
#include "plugin/movwnd_win.h"
#include "plugin/npentry_win.h"
#include "plugin/ovpaint_win.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/nphost/nphost_win.h"
#include "testing/testsupport/qtstandin_win.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using std::string;
typedef std::vector<string> Calls;

const char PAGE[] = "http://www.example.com/movies/index.html";
const int MOVIE_WIDTH = 160, MOVIE_HEIGHT = 120;

struct ATTRIBUTE {
    const char* szName;
    const char* szValue;
};

// The movie calls of the record: no window messages passed to the controller, nothing of starting.
Calls MovieCalls(const Calls& calls) {
    Calls kept;
    for (const string& call : calls) {
        if (call.find(" C11 ") == string::npos)
            kept.push_back(call);
    }
    return kept;
}

// The calls after the first one equal to from.
Calls After(const Calls& calls, const string& from) {
    const auto it = std::find(calls.begin(), calls.end(), from);
    return it == calls.end() ? Calls{} : Calls(it + 1, calls.end());
}

bool Contains(const Calls& calls, const string& call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

string FileURL(const string& path) {
    string url = "file:///" + path;
    std::replace(url.begin(), url.end(), '\\', '/');
    url[9] = '|';
    return url;
}

class MovWndTest : public testing::Test {
protected:
    void SetUp() override {
        TESTFILE_Write(m_clip, MOVIEFIXTURE_PictureMovie(MOVIE_WIDTH, MOVIE_HEIGHT));
        m_host.Attach(NP_GetEntryPoints, NP_Initialize, NP_Shutdown);
        ASSERT_EQ(NPERR_NO_ERROR, m_host.GetEntryPoints());
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
        ASSERT_TRUE(m_host.CreateFrame(PAGE));
        ShowWindow(m_host.GetFrame(), SW_SHOWNORMAL);
    }
    void TearDown() override {
        m_pStream.reset();
        m_pInstance.reset();
        m_host.Shutdown();
        SetEnvironmentVariableA("QTSTANDIN_START", nullptr);
    }

    // An instance of the clip with the attributes, at rc in the page, served as a local file; returns its
    // window once the movie is open (null when it did not open).
    CMOVWnd* Show(std::vector<ATTRIBUTE> attributes,
                  uint16_t wMode = NP_EMBED,
                  RECT rc = {10, 40, 10 + MOVIE_WIDTH, 40 + MOVIE_HEIGHT + 16}) {
        Start(attributes, wMode, rc, m_url.c_str());
        m_pStream->Step(UINT32_MAX);
        CMOVWnd* pWnd = Window();
        if (!pWnd || !UIDRIVER_PumpUntil([&] { return pWnd->GetMovieOpen() != 0; }, UIDRIVER_TIMEOUT))
            return nullptr;
        return pWnd;
    }

    // The library ended and started again, as between two pages.
    void Restart() {
        m_pStream.reset();
        m_pInstance.reset();
        m_host.Shutdown();
        m_standin.Clear();
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
    }

    // The instance with its window and its stream made, nothing delivered yet.
    void Start(std::vector<ATTRIBUTE> attributes, uint16_t wMode, RECT rc, const char* szURL) {
        m_pInstance.reset(new CNPHostInstance(m_host, "video/quicktime", wMode));
        attributes.insert(attributes.begin(), {"SRC", szURL});
        for (const ATTRIBUTE& a : attributes)
            m_pInstance->AddAttribute(a.szName, a.szValue);
        EXPECT_EQ(NPERR_NO_ERROR, m_pInstance->New());
        EXPECT_EQ(NPERR_NO_ERROR, m_pInstance->SetWindow(rc));
        m_pStream.reset(new CNPHostStream(*m_pInstance, szURL, "video/quicktime", 0, false));
        EXPECT_TRUE(m_pStream->Serve(m_clip.c_str(), 1024));
        EXPECT_EQ(NPERR_NO_ERROR, m_pStream->New());
    }

    CMOVWnd* Window() { return dynamic_cast<CMOVWnd*>(CNPBaseWnd::FromInstance(m_pInstance->GetNPP())); }

    // A click at x, y in the instance's window, as the mouse delivers it.
    void Click(int x, int y) {
        m_standin.Clear();
        SendMessageA(m_pInstance->GetWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(m_pInstance->GetWindow(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    CQtStandin m_standin{"full"};
    CTempFolder m_folder{"movwnd"};
    const string m_clip = m_folder / "clip.mov";
    const string m_url = FileURL(m_clip);
    CNPHost m_host;
    std::unique_ptr<CNPHostInstance> m_pInstance;
    std::unique_ptr<CNPHostStream> m_pStream;
};

// The controller's set-up between its creation and the movie's activation, for each way a page may ask.
TEST_F(MovWndTest, TheAttributesSetUpTheControllerWithTheExactCalls) {
    const Calls open = {"QTIM32 44 " + m_clip + " 0", "QTIM32 42 1 0 0 0 0", "QTIM32 2 1", "QTIM32 15 movie1"};
    const string create = "QTIM32 56 movie1 {0,0,160,120} 1 window";
    const struct {
        const char* szTrace;
        std::vector<ATTRIBUTE> attributes;
        Calls setup;
    } cases[] = {
        {"defaults",
         {},
         {"CMGR32 C20 mc1 1", "CMGR32 C1 mc1 21 0", "CMGR32 C1 mc1 40 0", "CMGR32 C1 mc1 14 100", "CMGR32 C1 mc1 39 &",
          "CMGR32 C1 mc1 38 1"}},
        {"badge, palindrome",
         {{"CONTROLLER", "badge"}, {"LOOP", "palindrome"}},
         {"CMGR32 C20 mc1 1", "CMGR32 C1 mc1 36 1", "CMGR32 C1 mc1 21 1", "CMGR32 C1 mc1 23 1", "CMGR32 C1 mc1 40 0",
          "CMGR32 C1 mc1 14 100", "CMGR32 C1 mc1 39 &", "CMGR32 C1 mc1 38 1"}},
        {"no controller, loop, every frame, volume",
         {{"CONTROLLER", "false"}, {"LOOP", "true"}, {"PLAYEVERYFRAME", "yes"}, {"VOLUME", "75"}},
         {"CMGR32 C20 mc1 0", "CMGR32 C1 mc1 21 1", "CMGR32 C1 mc1 40 1", "CMGR32 C1 mc1 14 75", "CMGR32 C1 mc1 39 &",
          "CMGR32 C1 mc1 38 1"}},
        {"no step buttons, no speaker, the window's palette",
         {{"STEPBUTTONS", "no"}, {"SPEAKER", "no"}, {"UWP", "yes"}},
         {"CMGR32 C20 mc1 1", "CMGR32 C1 mc1 21 0", "CMGR32 C1 mc1 40 0", "CMGR32 C1 mc1 14 100", "CMGR32 C1 mc1 39 &",
          "CMGR32 C1 mc1 38 15"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        m_standin.Clear();
        ASSERT_NE(nullptr, Show(c.attributes));
        Calls expected = open;
        expected.push_back(create);
        expected.insert(expected.end(), c.setup.begin(), c.setup.end());
        expected.insert(expected.end(),
                        {"CMGR32 C1 mc1 8 0", "CMGR32 C1 mc1 25 {0,0,0,0}", "CMGR32 C4 mc1", "QTIM32 49 movie1 1"});
        EXPECT_EQ(expected, After(MovieCalls(m_standin.Calls()), "QTIM32 11"));
        Restart();
    }
}

// Stretched, the movie fills the window instead of keeping its box, and the box is never asked for.
TEST_F(MovWndTest, AStretchedMovieTakesTheWindowsClientArea) {
    ASSERT_NE(nullptr, Show({{"STRETCH", "true"}}, NP_EMBED, RECT{10, 40, 330, 280}));
    const Calls calls = MovieCalls(m_standin.Calls());
    EXPECT_TRUE(Contains(calls, "QTIM32 56 movie1 {0,0,320,240} 3 window"));
    EXPECT_FALSE(Contains(calls, "QTIM32 15 movie1"));
    EXPECT_FALSE(Contains(calls, "CMGR32 C4 mc1"));
}

TEST_F(MovWndTest, PlayingAMovieAtItsEndStartsItAgainFromTimeZero) {
    SetEnvironmentVariableA("QTSTANDIN_START", "end");
    ASSERT_NE(nullptr, Show({{"CONTROLLER", "false"}}));
    Click(20, 20);
    const Calls expected = {"CMGR32 C1 mc1 42 &",     "QTIM32 54 movie1", "QTIM32 18 movie1",     "QTIM32 28 movie1",
                            "CMGR32 C1 mc1 12 0/600", "QTIM32 23 movie1", "CMGR32 C1 mc1 8 65536"};
    EXPECT_EQ(expected, MovieCalls(m_standin.Calls()));
}

// With no controller to take them, clicks start and stop the movie in turn.
TEST_F(MovWndTest, ClicksOnAMovieWithoutAVisibleControllerToggleIt) {
    CMOVWnd* pWnd = Show({{"CONTROLLER", "false"}});
    ASSERT_NE(nullptr, pWnd);
    Click(20, 20);
    EXPECT_TRUE(Contains(MovieCalls(m_standin.Calls()), "CMGR32 C1 mc1 8 65536"));
    EXPECT_TRUE(pWnd->GetVideo().IsPlaying());
    Click(20, 20);
    EXPECT_TRUE(Contains(MovieCalls(m_standin.Calls()), "CMGR32 C1 mc1 8 0"));
    EXPECT_FALSE(pWnd->GetVideo().IsPlaying());
}

TEST_F(MovWndTest, AClickOnALinkedMovieOpensItsPage) {
    const struct {
        const char* szTrace;
        std::vector<ATTRIBUTE> attributes;
        string request;
        bool fStops;
    } cases[] = {
        {"no target", {{"HREF", "next.html"}}, "geturl http://www.example.com/movies/next.html _self", true},
        {"image map",
         {{"HREF", "http://www.example.com/map.cgi"}, {"ISMAP", nullptr}, {"TARGET", "_blank"}},
         "geturl http://www.example.com/map.cgi?10,20 _blank",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        ASSERT_NE(nullptr, Show(c.attributes));
        m_host.ClearCalls();
        Click(10, 20);
        EXPECT_EQ(Calls{c.request}, m_host.Calls());
        EXPECT_EQ(c.fStops, Contains(MovieCalls(m_standin.Calls()), "CMGR32 C1 mc1 8 0"));
        // Over the movie the cursor is the hand.
        EXPECT_EQ(TRUE, SendMessageA(m_pInstance->GetWindow(), WM_SETCURSOR,
                                     reinterpret_cast<WPARAM>(m_pInstance->GetWindow()), MAKELPARAM(HTCLIENT, 0)));
        EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(116)), GetCursor());
        Restart();
    }
}

TEST_F(MovWndTest, AHiddenMoviePlaysWithoutEverShowingAWindow) {
    CMOVWnd* pWnd = Show({{"HIDDEN", nullptr}, {"AUTOSTART", "true"}});
    ASSERT_NE(nullptr, pWnd);
    EXPECT_TRUE(pWnd->IsOwnWindow());
    EXPECT_FALSE(IsWindowVisible(pWnd->GetHandle()));
    EXPECT_NE(m_pInstance->GetWindow(), pWnd->GetHandle());
    EXPECT_TRUE(Contains(MovieCalls(m_standin.Calls()), "CMGR32 C1 mc1 8 65536"));
    EXPECT_TRUE(pWnd->GetVideo().IsPlaying());
}

// The movie opens from the window's timer, after the file is ready, and the window shows it then.
TEST_F(MovWndTest, TheWindowShowsOnceItsMovieIsOpen) {
    m_pInstance.reset(new CNPHostInstance(m_host, "video/quicktime", NP_EMBED));
    m_pInstance->AddAttribute("SRC", m_url.c_str());
    ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->New());
    ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->SetWindow(RECT{10, 40, 170, 176}));
    CMOVWnd* pWnd = Window();
    ASSERT_TRUE(pWnd->OnFileReady(m_clip.c_str(), m_url.c_str(), 0));
    EXPECT_EQ("QTIM32 11", m_standin.Calls().back());
    ASSERT_TRUE(UIDRIVER_PumpUntil([&] { return pWnd->GetMovieOpen() != 0; }, UIDRIVER_TIMEOUT));
    EXPECT_TRUE(IsWindowVisible(m_pInstance->GetWindow()));
    EXPECT_EQ(0, pWnd->GetVideo().GetBusyCount());
}

TEST_F(MovWndTest, DestroyingTheInstanceClosesTheMovieAndShutdownLeavesMovies) {
    ASSERT_NE(nullptr, Show({{"AUTOSTART", "true"}}));
    m_standin.Clear();
    m_pStream.reset();
    m_pInstance.reset();
    const Calls closing = {"CMGR32 C1 mc1 8 0", "QTIM32 55 mc1", "QTIM32 7 movie1"};
    EXPECT_EQ(closing, MovieCalls(m_standin.Calls()));
    m_standin.Clear();
    m_host.Shutdown();
    EXPECT_EQ("QTIM32 12", MovieCalls(m_standin.Calls()).at(0));
}

// What a user sees of an embedded clip: the movie's first picture at its box and the controller's bar below;
// the plug-in paints no background of its own around it.
TEST_F(MovWndTest, AnEmbeddedMovieShowsItsPictureAndControllerAtTheirSize) {
    CMOVWnd* pWnd = Show({}, NP_EMBED, RECT{10, 40, 210, 220});
    ASSERT_NE(nullptr, pWnd);
    const HWND hWnd = m_pInstance->GetWindow();
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    UIDRIVER_PumpUntil([] { return false; }, 200);
    HDC hdc = GetDC(hWnd);
    // The second of the seven colour bars, in the movie's upper part; the bar's grey below the movie.
    EXPECT_EQ(RGB(192, 192, 0), GetPixel(hdc, MOVIE_WIDTH * 3 / 14, 10));
    EXPECT_EQ(RGB(192, 192, 192), GetPixel(hdc, MOVIE_WIDTH / 2, MOVIE_HEIGHT + 2));
    const QTRECT& rc = pWnd->GetVideo().GetMovieRect();
    EXPECT_EQ(MOVIE_WIDTH, rc.right - rc.left);
    EXPECT_EQ(MOVIE_HEIGHT + 16, rc.bottom - rc.top);
    ReleaseDC(hWnd, hdc);
    UIDRIVER_Pose("plugin-embedded", true);
}

// ---- The context menu.

struct MENUITEM {
    UINT id;
    string text;
    bool fEnabled;
};

std::vector<MENUITEM> Items(HMENU hMenu) {
    std::vector<MENUITEM> items;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        char szText[128] = "";
        GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        const UINT uState = GetMenuState(hMenu, i, MF_BYPOSITION);
        const UINT id = GetSubMenu(hMenu, i) ? 0 : GetMenuItemID(hMenu, i);
        // A separator has no state of its own.
        items.push_back({id, szText, (uState & MF_SEPARATOR) || !(uState & (MF_GRAYED | MF_DISABLED))});
    }
    return items;
}

const char REMOTE_URL[] = "http://www.example.com/movies/clip.mov";

TEST_F(MovWndTest, TheContextMenuEnablesWhatTheClipAndTheMovieAllow) {
    const struct {
        const char* szTrace;
        bool fLocal;
        uint32_t cbDelivered;  // UINT32_MAX: all of it
        bool fComplete, fDownloading, fOpen;
    } cases[] = {
        {"a local clip, open", true, UINT32_MAX, true, false, true},
        {"a remote clip half here", false, 2048, false, true, false},
        {"a remote clip all here, open", false, UINT32_MAX, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        Start({}, NP_EMBED, RECT{10, 40, 170, 176}, c.fLocal ? m_url.c_str() : REMOTE_URL);
        m_pStream->Step(c.cbDelivered);
        CMOVWnd* pWnd = Window();
        if (c.fOpen) {
            ASSERT_TRUE(UIDRIVER_PumpUntil([&] { return pWnd->GetMovieOpen() != 0; }, UIDRIVER_TIMEOUT));
        }
        HMENU hMenu = pWnd->LoadContextMenu();
        ASSERT_NE(nullptr, hMenu);
        pWnd->UpdateMenu(hMenu);
        const std::vector<MENUITEM> expected = {
            {MOVWND_ID_TITLE, "\tMovie Flarion", false},
            {0, "", true},
            {0, "&Help", true},
            {0, "", true},
            {MOVWND_ID_ABOUTMEDIA, "About clip.mov", true},
            {MOVWND_ID_SAVEAS, "&Save As...", c.fComplete},
            {MOVWND_ID_STOPDOWNLOAD, "Stop Do&wnloading...", c.fDownloading},
            {0, "", true},
            {MOVWND_ID_PLAY, "&Play", c.fOpen},
            {MOVWND_ID_STOP, "S&top", c.fOpen},
            {MOVWND_ID_REWIND, "&Rewind", c.fOpen},
            {0, "", true},
            {MOVWND_ID_SHOWPROGRESS, "Show Pr&ogress", true},
            {0, "", true},
            {MOVWND_ID_FASTSTART, "&Make 'Fast Start' Movie...", c.fComplete},
        };
        const std::vector<MENUITEM> items = Items(hMenu);
        ASSERT_EQ(expected.size(), items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(items[i].text);
            if (expected[i].id)
                EXPECT_EQ(expected[i].id, items[i].id);
            EXPECT_EQ(expected[i].text, items[i].text);
            EXPECT_EQ(expected[i].fEnabled, items[i].fEnabled);
        }
        const std::vector<MENUITEM> help = Items(GetSubMenu(hMenu, 2));
        ASSERT_EQ(6u, help.size());
        EXPECT_EQ("&About Flarion...", help[0].text);
        EXPECT_EQ("&Orvanta Home", help[5].text);
        DestroyMenu(hMenu);
        Restart();
    }
}

// The right button shows the menu at the cursor; the check mark follows the setting the item switches.
TEST_F(MovWndTest, TheRightButtonShowsTheMenuAndShowProgressSwitchesTheSetting) {
    ASSERT_NE(nullptr, Show({}));
    MOVIEOPTIONS_Get().m_fShowProgress = 1;
    bool fChecked = false;
    {
        CUserThread user([&] {
            HWND hMenuWnd = nullptr;
            UIDRIVER_WaitUntil([&] { return (hMenuWnd = UIDRIVER_FindOwnWindow("#32768", nullptr)) && IsWindowVisible(hMenuWnd); },
                               UIDRIVER_TIMEOUT);
            HMENU hMenu = hMenuWnd ? reinterpret_cast<HMENU>(SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0)) : nullptr;
            fChecked = hMenu && (GetMenuState(hMenu, MOVWND_ID_SHOWPROGRESS, MF_BYCOMMAND) & MF_CHECKED);
            PostMessageA(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        CModalTimeout guard(10000);
        SendMessageA(m_pInstance->GetWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
        user.Join();
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_TRUE(fChecked);
    SendMessageA(m_pInstance->GetWindow(), WM_COMMAND, MOVWND_ID_SHOWPROGRESS, 0);
    EXPECT_EQ(0, MOVIEOPTIONS_Get().m_fShowProgress);
    EXPECT_EQ(nullptr, Window()->GetProgress());
    SendMessageA(m_pInstance->GetWindow(), WM_COMMAND, MOVWND_ID_SHOWPROGRESS, 0);
    EXPECT_EQ(1, MOVIEOPTIONS_Get().m_fShowProgress);
    ASSERT_NE(nullptr, Window()->GetProgress());
    EXPECT_TRUE(IsWindowVisible(Window()->GetProgress()->GetHandle()));
}

TEST_F(MovWndTest, ThePagesOfTheMenuOpenInANewWindow) {
    ASSERT_NE(nullptr, Show({}));
    m_host.ClearCalls();
    for (int id : {MOVWND_ID_HOME, MOVWND_ID_FAQ, MOVWND_ID_MAKERHOME})
        SendMessageA(m_pInstance->GetWindow(), WM_COMMAND, id, 0);
    const Calls expected = {string("geturl ") + MOVWND_HOME_URL + " _blank",
                            string("geturl ") + MOVWND_FAQ_URL + " _blank",
                            string("geturl ") + MOVWND_MAKER_URL + " _blank"};
    EXPECT_EQ(expected, m_host.Calls());
}

// ---- Fast start from the page.

// The offset of the first top-level atom of the type, read with the suite's atom reader; -1 when there is none.
long long AtomAt(const string& path, uint32_t dwType) {
    CQTFile file;
    CQTAtom atom;
    if (!file.OpenRead(path.c_str()) || !FindAtom(&atom, dwType, &file))
        return -1;
    return static_cast<long long>(atom.m_dwAtomStart);
}

// The media data's content, which a conversion moves but never changes.
string MediaOf(const string& path) {
    CQTFile file;
    CQTAtom mdat;
    if (!file.OpenRead(path.c_str()) || !FindAtom(&mdat, QTATOM_MDAT, &file) || !mdat.SeekToContent(&file))
        return "(no media)";
    string bytes(static_cast<size_t>(mdat.ContentSize()), '\0');
    return file.Read(&bytes[0], bytes.size()) ? bytes : "(unreadable media)";
}

// Answers the conversion job: waits until it has finished and presses OK; the Stop button is the plug-in's.
void AnswerJob(bool* pfStopIsThePlugins) {
    const HWND hJob = UIDRIVER_WaitForDialog("Flarion - Make 'Fast-Start' QuickTime Movie", 10000);
    if (!hJob)
        return;
    *pfStopIsThePlugins = GetDlgItem(hJob, IDC_VROON_STOP_PLUGIN) != nullptr;
    UIDRIVER_WaitForItemEnabled(hJob, IDOK, true, 10000);
    UIDRIVER_PressButton(hJob, IDOK);
}

TEST_F(MovWndTest, ALocalClipIsMadeFastStartInPlaceAndOpenedAgain) {
    const string media = MediaOf(m_clip);
    ASSERT_EQ(0, AtomAt(m_clip, QTATOM_MDAT));
    ASSERT_NE(nullptr, Show({{"AUTOSTART", "true"}}));
    m_standin.Clear();
    bool fStop = false;
    {
        CModalTimeout guard(20000);
        CUserThread user([&] { AnswerJob(&fStop); });
        SendMessageA(m_pInstance->GetWindow(), WM_COMMAND, MOVWND_ID_FASTSTART, 0);
        user.Join();
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_TRUE(fStop);
    EXPECT_EQ(0, AtomAt(m_clip, QTATOM_MOOV));
    EXPECT_LT(AtomAt(m_clip, QTATOM_MOOV), AtomAt(m_clip, QTATOM_MDAT));
    EXPECT_TRUE(MediaOf(m_clip) == media) << "the frames are the same";
    // Closed before the job, opened again after it, without starting again.
    const Calls calls = MovieCalls(m_standin.Calls());
    const auto itClose = std::find(calls.begin(), calls.end(), "QTIM32 7 movie1");
    const auto itOpen = std::find(calls.begin(), calls.end(), "QTIM32 44 " + m_clip + " 0");
    EXPECT_LT(itClose, itOpen);
    EXPECT_TRUE(Contains(calls, "QTIM32 49 movie2 1"));
    EXPECT_FALSE(Contains(calls, "CMGR32 C1 mc2 8 65536"));
    EXPECT_NE(0, Window()->GetMovieOpen());
}

// A remote clip goes to a file the user names: converted when it needs it, copied as it is when not.
TEST_F(MovWndTest, ARemoteClipIsSavedAsAFastStartFile) {
    const string flat = MOVIEFIXTURE_PictureMovie(MOVIE_WIDTH, MOVIE_HEIGHT);
    const string fast = m_folder / "fast.mov";
    {
        CQTFast engine;
        TESTFILE_Write(m_folder / "flat.mov", flat);
        ASSERT_TRUE(engine.VroonSourceMovieToDestination((m_folder / "flat.mov").c_str(), fast.c_str()));
    }
    const struct {
        const char* szTrace;
        string source;
        bool fOverTheBrowsersFile;
    } cases[] = {
        {"flattened", flat, false},
        {"already fast-start", TESTFILE_Read(fast), false},
        {"saved over the browser's own file", flat, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        TESTFILE_Write(m_clip, c.source);
        const string saved = c.fOverTheBrowsersFile ? m_clip : m_folder / "saved.mov";
        if (!c.fOverTheBrowsersFile)
            remove(saved.c_str());
        Start({}, NP_EMBED, RECT{10, 40, 170, 176}, REMOTE_URL);
        m_pStream->Step(UINT32_MAX);
        CMOVWnd* pWnd = Window();
        ASSERT_TRUE(UIDRIVER_PumpUntil([&] { return pWnd->GetMovieOpen() != 0; }, UIDRIVER_TIMEOUT));
        string offered;
        bool fStop = false;
        {
            CModalTimeout guard(20000);
            CUserThread user([&] {
                const HWND hDlg = UIDRIVER_WaitForDialog("Save As", UIDRIVER_TIMEOUT);
                if (!hDlg)
                    return;
                offered = UIDRIVER_GetItemText(hDlg, 0x47c);
                SendMessageA(GetDlgItem(hDlg, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
                UIDRIVER_PressButton(hDlg, IDOK);
                // The file exists: the dialog asks, in a box of its own, before it is replaced.
                HWND hAsk = nullptr;
                if (c.fOverTheBrowsersFile &&
                    UIDRIVER_WaitUntil(
                        [&] {
                            hAsk = nullptr;
                            while ((hAsk = UIDRIVER_FindOwnWindow("#32770", nullptr, hAsk)) != nullptr) {
                                if (hAsk != hDlg && IsWindowVisible(hAsk) && GetDlgItem(hAsk, IDYES))
                                    return true;
                            }
                            return false;
                        },
                        UIDRIVER_TIMEOUT))
                    UIDRIVER_PressButton(hAsk, IDYES);
                AnswerJob(&fStop);
            });
            SendMessageA(m_pInstance->GetWindow(), WM_COMMAND, MOVWND_ID_FASTSTART, 0);
            user.Join();
            EXPECT_FALSE(guard.Expired());
        }
        EXPECT_EQ("clip.mov", offered);
        EXPECT_TRUE(fStop);
        if (!c.fOverTheBrowsersFile) {
            EXPECT_TRUE(TESTFILE_Read(m_clip) == c.source) << "the browser's file stays as it came";
        }
        EXPECT_EQ(0, AtomAt(saved, QTATOM_MOOV));
        EXPECT_LT(AtomAt(saved, QTATOM_MOOV), AtomAt(saved, QTATOM_MDAT));
        EXPECT_TRUE(MediaOf(saved) == MediaOf(m_folder / "flat.mov")) << "the frames are the same";
        EXPECT_EQ(c.source.size(), TESTFILE_Read(saved).size());
        Restart();
    }
}

// ---- The background and the progress window of a full page.

// A window of the painter's size whose background is painted into a memory picture, read back pixel by pixel.
class CPainted {
public:
    CPainted(int cx, int cy) : m_cx(cx), m_cy(cy) {
        m_hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr, nullptr, nullptr);
        CWindowDC screen(nullptr);
        m_hdc = CreateCompatibleDC(screen.Get());
        m_hBitmap = CreateCompatibleBitmap(screen.Get(), cx, cy);
        m_hOld = SelectObject(m_hdc, m_hBitmap);
        const RECT rc = {0, 0, cx, cy};
        CBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
        FillRect(m_hdc, &rc, magenta.Get());
    }
    ~CPainted() {
        SelectObject(m_hdc, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hdc);
        DestroyWindow(m_hWnd);
    }
    void Paint(bool fFullPage) { OVPAINT_Get().PaintBackground(m_hWnd, m_hdc, fFullPage); }
    COLORREF At(int x, int y) const { return GetPixel(m_hdc, x, y); }

private:
    int m_cx, m_cy;
    HWND m_hWnd;
    HDC m_hdc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// A 24-bit picture whose pixel at x, y reads RGB(x / 2, y / 2, 99).
string Picture(int cx, int cy) {
    const int cbRow = (cx * 3 + 3) & ~3;
    string bits;
    for (int y = cy - 1; y >= 0; --y) {
        string row;
        for (int x = 0; x < cx; ++x)
            row += string{char(99), char(y / 2), char(x / 2)};
        bits += row + string(cbRow - row.size(), '\0');
    }
    BITMAPINFOHEADER info = {sizeof(info), cx, cy, 1, 24, BI_RGB, static_cast<DWORD>(bits.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(info) + bits.size()), 0, 0,
                             sizeof(file) + sizeof(info)};
    return string(reinterpret_cast<const char*>(&file), sizeof(file)) +
           string(reinterpret_cast<const char*>(&info), sizeof(info)) + bits;
}

class OVPaintTest : public testing::Test {
protected:
    void TearDown() override {
        MOVIEOPTIONS_Get() = CMovieOptions();
        OVPAINT_Get().SetDepth(true);
    }
    CTempFolder m_folder{"ovpaint"};
};

TEST_F(OVPaintTest, EachSchemePaintsItsBackground) {
    const string picture = m_folder / "picture.bmp";
    TESTFILE_Write(picture, Picture(400, 300));
    const COLORREF AMBER = RGB(240, 176, 32), GREY = RGB(192, 192, 192), MAGENTA = RGB(255, 0, 255);
    const struct {
        const char* szTrace;
        long lScheme;
        bool fDeep, fFullPage;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } cases[] = {
        {"embedded: no background", OVPAINT_SOLID, true, false, {{{0, 0}, MAGENTA}, {{150, 100}, MAGENTA}}},
        {"solid colour", OVPAINT_SOLID, true, true, {{{0, 0}, RGB(10, 200, 30)}, {{299, 199}, RGB(10, 200, 30)}}},
        // Larger than the window: cut on the left by 50 and at the top by a third of 100.
        {"centred picture", OVPAINT_CENTER, true, true, {{{0, 0}, RGB(25, 16, 99)}, {{299, 199}, RGB(174, 116, 99)}}},
        {"tiled picture", OVPAINT_TILE, true, true, {{{0, 0}, RGB(0, 0, 99)}, {{299, 199}, RGB(149, 99, 99)}}},
        // An 8-bit display: grey instead of the paper, the logo masked at 2, 2 with its bolt in amber.
        {"the maker's screen, 8 bits",
         OVPAINT_MAKER,
         false,
         true,
         {{{150, 100}, GREY}, {{32, 7}, AMBER}, {{177, 42}, GREY}}},
        {"the product's screen, 8 bits",
         OVPAINT_PRODUCT,
         false,
         true,
         {{{150, 100}, RGB(128, 128, 128)}, {{1, 10}, RGB(0, 0, 0)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        CMovieOptions& options = MOVIEOPTIONS_Get();
        options.m_lBackgroundType = c.lScheme;
        options.m_crBackground = RGB(10, 200, 30);
        lstrcpynA(options.m_szBackgroundPicture, picture.c_str(), sizeof(options.m_szBackgroundPicture));
        OVPAINT_Get().SetDepth(c.fDeep);
        CPainted painted(300, 200);
        painted.Paint(c.fFullPage);
        for (const auto& pixel : c.pixels) {
            SCOPED_TRACE(std::to_string(pixel.first.x) + "," + std::to_string(pixel.first.y));
            EXPECT_EQ(pixel.second, painted.At(pixel.first.x, pixel.first.y));
        }
    }
}

TEST_F(OVPaintTest, TheMeterShowsWhatHasArrivedAndWhatHasPlayed) {
    const COLORREF GREY = RGB(192, 192, 192), DARK = RGB(128, 128, 128), BLUE = RGB(0, 0, 255);
    const struct {
        uint32_t dwTotal, dwReceived, dwPlayback;
        COLORREF at[4];  // at 0, 49, 50 and 199 of a bar 200 wide
    } cases[] = {
        {0, 500, 250, {GREY, GREY, GREY, GREY}},
        {1000, 500, 250, {BLUE, BLUE, DARK, GREY}},
        {1000, 5000, 0, {DARK, DARK, DARK, DARK}},
    };
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwTotal);
        CProgressDlg progress(hParent);
        ASSERT_TRUE(progress.Create());
        progress.SetReceived(c.dwReceived);
        progress.SetPlayback(c.dwPlayback);
        progress.SetTotal(c.dwTotal);
        if (c.dwTotal == 0) {
            EXPECT_EQ("Total size in bytes:0", progress.GetItemText(PROGRESS_IDC_LINE2));
        }
        EXPECT_EQ(PROGRESSDLG_RECEIVING, progress.GetItemText(PROGRESS_IDC_LINE1));
        CWindowDC screen(nullptr);
        CMemoryDC meter(screen.Get(), 200, 10);
        progress.PaintMeter(meter.Get(), RECT{0, 0, 200, 10});
        const int xs[] = {0, 49, 50, 199};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.at[i], GetPixel(meter.Get(), xs[i], 5)) << xs[i];
    }
    DestroyWindow(hParent);
}

// A full page that arrives slowly: the background, the progress window at its place with the clip's size, and
// the movie's controller near the foot of the page.
TEST_F(MovWndTest, AFullPageShowsItsBackgroundProgressAndController) {
    for (long lScheme : {OVPAINT_MAKER, OVPAINT_PRODUCT}) {
        SCOPED_TRACE(lScheme);
        MOVIEOPTIONS_Get().m_lBackgroundType = lScheme;
        MOVIEOPTIONS_Get().m_fShowProgress = 1;
        RECT rcClient = {};
        GetClientRect(m_host.GetFrame(), &rcClient);
        Start({}, NP_FULL, RECT{0, NPHOST_LOCATION_HEIGHT, rcClient.right, rcClient.bottom}, REMOTE_URL);
        m_pStream->Step(4096);
        CMOVWnd* pWnd = Window();
        UIDRIVER_PumpUntil([&] { return pWnd->GetProgress() != nullptr; }, UIDRIVER_TIMEOUT);
        ASSERT_NE(nullptr, pWnd->GetProgress());
        CProgressDlg& progress = *pWnd->GetProgress();
        const uint32_t cbClip = static_cast<uint32_t>(TESTFILE_Read(m_clip).size());
        EXPECT_EQ("Total size in bytes:" + std::to_string(cbClip), progress.GetItemText(PROGRESS_IDC_LINE2));
        while (m_pStream->Step(1024))
            UIDRIVER_PumpUntil([] { return false; }, 20);
        ASSERT_TRUE(UIDRIVER_PumpUntil([&] { return pWnd->GetMovieOpen() != 0; }, UIDRIVER_TIMEOUT));
        EXPECT_EQ("Size of clip.mov in bytes:" + std::to_string(cbClip), progress.GetItemText(PROGRESS_IDC_LINE2));
        EXPECT_EQ(cbClip, progress.GetReceived());
        // The progress window two captions down from the top, one caption in from the right.
        const HWND hPage = m_pInstance->GetWindow();
        RECT rcPage = {}, rcProgress = {};
        GetClientRect(hPage, &rcPage);
        GetWindowRect(progress.GetHandle(), &rcProgress);
        MapWindowPoints(nullptr, hPage, reinterpret_cast<POINT*>(&rcProgress), 2);
        const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
        EXPECT_EQ(2 * cyCaption, rcProgress.top);
        EXPECT_EQ(rcPage.right - cyCaption, rcProgress.right);
        // The controller centred across the page, its foot two captions above the page's.
        const Calls calls = MovieCalls(m_standin.Calls());
        const long left = (rcPage.right - MOVIE_WIDTH) / 2, bottom = rcPage.bottom - 2 * cyCaption;
        const string placed = "CMGR32 C18 mc1 {" + std::to_string(left) + "," +
                              std::to_string(bottom - MOVIE_HEIGHT - 16) + "," + std::to_string(left + MOVIE_WIDTH) +
                              "," + std::to_string(bottom) + "}";
        EXPECT_TRUE(Contains(calls, placed)) << placed;
        RedrawWindow(hPage, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        UIDRIVER_Pose(lScheme == OVPAINT_MAKER ? "plugin-fullpage-maker" : "plugin-fullpage-product", true);
        Restart();
    }
    MOVIEOPTIONS_Get() = CMovieOptions();
}

}  // namespace
