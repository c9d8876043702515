// The QuickTime binding against the stand-in libraries of testing/qtstandin: start results, use counts, the
// version, and the exact calls each operation makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/qtstandin_win.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/qtbinding.h"
#include "toolkit/qtbinding_win.h"

namespace {

using Calls = std::vector<std::string>;

const Calls STARTED = {"QTIM32 load", "CMGR32 load", "CMGR32 initialize", "QTIM32 57"};
const Calls STOPPED = {"CMGR32 terminate", "CMGR32 unload", "QTIM32 58", "QTIM32 unload"};

// What the stand-in reads of a movie: the movie header's time scale (600) and duration (1200), and the first
// track header's picture size (160 by 120), behind the media data as in a flattened movie.
std::string BigEndian(uint32_t dw) {
    return {char(dw >> 24), char(dw >> 16), char(dw >> 8), char(dw)};
}
std::string Atom(const char* szType, const std::string& content) {
    return BigEndian(static_cast<uint32_t>(8 + content.size())) + szType + content;
}
std::string StandinMovie() {
    std::string mvhd(100, '\0'), tkhd(84, '\0');
    mvhd.replace(12, 8, BigEndian(600) + BigEndian(1200));
    tkhd.replace(76, 8, BigEndian(160 << 16) + BigEndian(120 << 16));
    return Atom("mdat", std::string(4096, '\x5a')) + Atom("moov", Atom("mvhd", mvhd) + Atom("trak", Atom("tkhd", tkhd)));
}

Calls Join(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(QtBindingStart, AnswersByWhichLibrariesAndEntryPointsExist) {
    const struct {
        const char* szVariant;
        int nResult;
        Calls calls;
    } cases[] = {
        {"full", 0, STARTED},
        {"missing", 1, {}},
        {"nocmgr", 1, {"QTIM32 load", "QTIM32 unload"}},
        {"noentry", 2, {"QTIM32 load", "QTIM32 unload"}},
        {"refuse", 2, {"QTIM32 load", "CMGR32 load", "CMGR32 initialize", "CMGR32 unload", "QTIM32 unload"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szVariant);
        CQtStandin standin(c.szVariant);
        EXPECT_EQ(c.nResult, QTBINDING_Start(nullptr));
        EXPECT_EQ(c.calls, standin.Calls());
        if (c.nResult == 0) {
            standin.Clear();
            QTBINDING_Stop();
            EXPECT_EQ(STOPPED, standin.Calls());
        }
    }
}

TEST(QtBindingStart, GivesTheVersionFromTheMovieToolboxResource) {
    CQtStandin standin("full");
    unsigned long dwVersion = 0;
    ASSERT_EQ(0, QTBINDING_Start(&dwVersion));
    EXPECT_EQ(11065ul, dwVersion);  // product version 2.1.1.57
    QTBINDING_Stop();
}

TEST(QtBindingStart, OnlyTheFirstStartAndLastStopReachTheLibraries) {
    CQtStandin standin("full");
    ASSERT_EQ(0, QTBINDING_Start(nullptr));
    ASSERT_EQ(0, QTBINDING_Start(nullptr));
    EXPECT_EQ(STARTED, standin.Calls());
    standin.Clear();
    QTBINDING_Stop();
    EXPECT_EQ(Calls{}, standin.Calls());
    QTBINDING_Stop();
    // Under Wine the system is Windows NT, where the movie toolbox is freed as well.
    EXPECT_EQ(STOPPED, standin.Calls());
}

TEST(QtBindingCalls, ACallBeforeStartStartsFirst) {
    CQtStandin standin("full");
    EXPECT_EQ(noErr, EnterMovies());
    EXPECT_EQ(Join(STARTED, {"QTIM32 11"}), standin.Calls());
    QTBINDING_Stop();
}

TEST(QtBindingCalls, ACallFailsWhenItCannotStart) {
    CQtStandin standin("missing");
    EXPECT_EQ(qtErrNotStarted, EnterMovies());
    short nRef = 0;
    EXPECT_EQ(qtErrNotStarted, OpenMovieFile("C:\\clip.mov", &nRef, 0));
    EXPECT_EQ(nullptr, NewMovieController(nullptr, nullptr, 0, nullptr));
    EXPECT_EQ(qtErrNotStarted, MCDoAction(nullptr, mcActionPlay, nullptr));
    EXPECT_EQ(Calls{}, standin.Calls());
}

class QtBindingMovie : public ::testing::Test {
protected:
    void SetUp() override {
        char szTemp[MAX_PATH] = "";
        GetTempPathA(sizeof(szTemp), szTemp);
        m_movie = std::string(szTemp) + "qtbinding clip.mov";
        ASSERT_TRUE(TESTFILE_Write(m_movie, StandinMovie()));
        ASSERT_EQ(0, QTBINDING_Start(nullptr));
        ASSERT_EQ(noErr, EnterMovies());
        m_standin.Clear();
    }
    void TearDown() override {
        ExitMovies();
        QTBINDING_Stop();
        DeleteFileA(m_movie.c_str());
    }
    Movie OpenMovie() {
        short nRef = 0;
        Movie movie = nullptr;
        EXPECT_EQ(noErr, OpenMovieFile(m_movie.c_str(), &nRef, 0));
        EXPECT_EQ(noErr, NewMovieFromFile(&movie, nRef));
        EXPECT_EQ(noErr, CloseMovieFile(nRef));
        return movie;
    }
    CQtStandin m_standin{"full"};
    std::string m_movie;
};

TEST_F(QtBindingMovie, MovieAndControllerCallsPassTheirArgumentsToTheirLibrary) {
    Movie movie = OpenMovie();
    ASSERT_NE(nullptr, movie);
    QTRECT rcMovie = {};
    GetMovieBox(movie, &rcMovie);
    EXPECT_EQ(160, rcMovie.right - rcMovie.left);  // the track header's size
    EXPECT_EQ(120, rcMovie.bottom - rcMovie.top);
    const QTRECT rcOrigin = {0, 0, 160, 120};
    MovieController mc = NewMovieController(movie, &rcOrigin, mcTopLeftMovie, nullptr);
    ASSERT_NE(nullptr, mc);
    MCSetActive(mc, 1);
    EXPECT_EQ(noErr, MCDoAction(mc, mcActionSetVolume, reinterpret_cast<void*>(100)));
    std::int32_t lFlags = -1;
    EXPECT_EQ(noErr, MCDoAction(mc, mcActionGetFlags, &lFlags));
    EXPECT_EQ(mcTopLeftMovie, lFlags);
    QTRECT rcBounds = {};
    MCGetControllerBoundsRect(mc, &rcBounds);
    EXPECT_EQ(0, rcBounds.top);
    EXPECT_EQ(160, rcBounds.right);
    EXPECT_GT(rcBounds.bottom, 120);  // the controller's bar below the movie
    SetMovieActive(movie, 1);
    EXPECT_EQ(0, MCIsPlayerMessage(mc, nullptr, WM_MOUSEMOVE, 0, 0));
    DisposeMovieController(mc);
    DisposeMovie(movie);
    const Calls expected = {
        "QTIM32 44 " + m_movie + " 0",
        "QTIM32 42 1 0 0 0 0",
        "QTIM32 2 1",
        "QTIM32 15 movie1",
        "QTIM32 56 movie1 {0,0,160,120} 1 null",
        "CMGR32 C20 mc1 1",
        "CMGR32 C1 mc1 14 100",
        "CMGR32 C1 mc1 39 &",
        "CMGR32 C4 mc1",
        "QTIM32 49 movie1 1",
        "CMGR32 C11 mc1 0x0200",
        "QTIM32 55 mc1",
        "QTIM32 7 movie1",
    };
    EXPECT_EQ(expected, m_standin.Calls());
}

TEST_F(QtBindingMovie, FrameBecomesADeviceIndependentBitmapInGlobalMemory) {
    Movie movie = OpenMovie();
    ASSERT_NE(nullptr, movie);
    m_standin.Clear();
    const long lTime = GetMovieTime(movie);
    PicHandle pict = GetMoviePict(movie, lTime);
    ASSERT_NE(nullptr, pict);
    HGLOBAL hDib = PictureToDIB(pict);
    ASSERT_NE(nullptr, hDib);
    const auto* pInfo = static_cast<const BITMAPINFOHEADER*>(GlobalLock(hDib));
    EXPECT_EQ(160, pInfo->biWidth);
    EXPECT_EQ(120, pInfo->biHeight);
    EXPECT_EQ(24, pInfo->biBitCount);
    GlobalUnlock(hDib);
    GlobalFree(hDib);
    KillPicture(pict);
    DisposeMovie(movie);
    const Calls expected = {"QTIM32 54 movie1", "QTIM32 20 movie1 0", "QTIM32 46 pict1", "QTIM32 8 pict1",
                            "QTIM32 7 movie1"};
    EXPECT_EQ(expected, m_standin.Calls());
}

TEST_F(QtBindingMovie, PlaybackQueriesAndControllerPlacement) {
    Movie movie = OpenMovie();
    ASSERT_NE(nullptr, movie);
    EXPECT_EQ(1200, GetMovieDuration(movie));
    EXPECT_EQ(600, GetMovieTimeScale(movie));
    EXPECT_EQ(0x10000, GetMoviePreferredRate(movie));
    const QTRECT rcNone = {0, 0, 0, 0};
    MovieController mc = NewMovieController(nullptr, &rcNone, mcTopLeftMovie, nullptr);
    ASSERT_NE(nullptr, mc);
    EXPECT_EQ(noErr, MCSetMovie(mc, movie, nullptr, 0, 0));
    const QTRECT rcPlaced = {40, 30, 200, 166};
    EXPECT_EQ(noErr, MCSetControllerBoundsRect(mc, &rcPlaced));
    QTRECT rcBounds = {};
    MCGetControllerBoundsRect(mc, &rcBounds);
    EXPECT_EQ(40, rcBounds.left);
    EXPECT_EQ(166, rcBounds.bottom);
    DisposeMovieController(mc);
    DisposeMovie(movie);
}

TEST_F(QtBindingMovie, AMissingFileOpensNothing) {
    short nRef = 0;
    EXPECT_NE(noErr, OpenMovieFile((m_movie + ".none").c_str(), &nRef, 0));
}

}  // namespace
