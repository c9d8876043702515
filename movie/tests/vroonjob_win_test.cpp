// The conversion job under Wine with real movie files: the user is played by the UI driver from a thread of
// its own while the job runs modally on the test's thread.
#include "movie/vroonjob_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/diag.h"
#include "toolkit/gasgauge.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/moviefixture/heldjob_win.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using std::string;

const char CAPTION[] = "Flarion - Make 'Fast-Start' QuickTime Movie";
const char ALREADY[] = "This movie is already suitable for Internet streaming.";
const char MOVING[] = "Moving big data around in this QuickTime movie!";
const char INPROGRESS[] = "Vrooning in progress...";
const char COMPLETE[] = "Vrooning complete.";
const DWORD JOB_TIMEOUT = 30000;
const size_t HELD_MEDIA = 1 << 20;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

// A flattened movie: cbMedia bytes of media data first, then a movie atom whose one track points into them.
string Flattened(size_t cbMedia) {
    string media(cbMedia, '\0');
    for (size_t i = 0; i < cbMedia; i += 4096)
        media[i] = static_cast<char>(i / 4096);
    return MOVIEFIXTURE_Atom(QTATOM_MDAT, media) +
           MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8, 16}))});
}

// The same movie in fast-start form.
string FastStart(size_t cbMedia) {
    const string flattened = Flattened(cbMedia);
    const string mdat = flattened.substr(0, cbMedia + 8);
    const uint64_t cbMoov = flattened.size() - mdat.size();
    return MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8 + cbMoov, 16 + cbMoov}))}) +
           mdat;
}

// A movie that fails late in its conversion, after the copy: no track has a chunk offset table to shift.
string Unconvertible() {
    const string stts = MOVIEFIXTURE_Atom(QTATOM_Type('s', 't', 't', 's'), string(16, '\x01'));
    return MOVIEFIXTURE_Atom(QTATOM_MDAT, string(64, 'm')) + MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(stts)});
}

struct OBSERVED {
    string file, status;
    bool fOk = false, fCancel = false, fStop = false;
};

OBSERVED Observe(HWND hDlg, int idStop) {
    OBSERVED seen;
    seen.file = UIDRIVER_GetItemText(hDlg, IDC_VROON_FILE);
    seen.status = UIDRIVER_GetItemText(hDlg, IDC_VROON_STATUS);
    seen.fOk = UIDRIVER_IsItemEnabled(hDlg, IDOK);
    seen.fCancel = UIDRIVER_IsItemEnabled(hDlg, IDCANCEL);
    seen.fStop = UIDRIVER_IsItemEnabled(hDlg, idStop);
    return seen;
}

// The conversion has ended with this status text (Stop is disabled again).
bool WaitForEnd(HWND hDlg, int idStop, const char* szStatus) {
    return UIDRIVER_WaitUntil(
        [&] { return !UIDRIVER_IsItemEnabled(hDlg, idStop) && UIDRIVER_GetItemText(hDlg, IDC_VROON_STATUS) == szStatus; },
        JOB_TIMEOUT);
}

// Runs the job modally while fnUser plays the user of its window; returns what the job returned.
INT_PTR RunJob(CVroonJob& job, const std::function<void(HWND)>& fnUser) {
    CModalTimeout timeout(JOB_TIMEOUT);
    INT_PTR nResult;
    {
        CUserThread user([&] {
            if (HWND hDlg = UIDRIVER_WaitForDialog(CAPTION, UIDRIVER_TIMEOUT))
                fnUser(hDlg);
        });
        nResult = job.DoModal();
    }
    EXPECT_FALSE(timeout.Expired()) << "the job did not end as the user told it";
    return nResult;
}

// Paints the job's gauge into a bitmap and tells whether its bar covers the given fraction of the well: the
// pixel a little left of that point is the bar's teal face.
bool GaugeReaches(HWND hDlg, double dFraction) {
    const HWND hGauge = GetDlgItem(hDlg, IDC_VROON_GAUGE);
    RECT rc;
    GetClientRect(hGauge, &rc);
    const HDC hdc = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(bmi.bmiHeader), rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* pdwBits = nullptr;
    const HBITMAP hBitmap = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pdwBits), nullptr, 0);
    const HGDIOBJ hPrevious = SelectObject(hdc, hBitmap);
    DWORD_PTR dwResult;
    SendMessageTimeoutA(hGauge, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT, SMTO_NORMAL,
                        UIDRIVER_TIMEOUT, &dwResult);
    GdiFlush();
    // The well starts 10 pixels in; the bar's shadow takes the last columns of a full bar.
    const int cxWell = rc.right + 1 - 20;
    const int x = 10 + static_cast<int>(dFraction * cxWell) - 6;
    const DWORD dwPixel = pdwBits[(rc.bottom / 2) * rc.right + x];
    SelectObject(hdc, hPrevious);
    DeleteObject(hBitmap);
    DeleteDC(hdc);
    return dwPixel == 0x008080;
}

bool GaugeIsFull(HWND hDlg) {
    return GaugeReaches(hDlg, 1.0);
}

class VroonJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_movie = Scratch("clip.mov");
        m_temporary = Scratch("clip.FS");
        m_backup = Scratch("clip.BAK");
        m_destination = Scratch("copy.mov");
        for (const string& name : {m_movie, m_temporary, m_backup, m_destination})
            DeleteFileA(name.c_str());
    }
    void TearDown() override {
        for (const string& name : {m_movie, m_temporary, m_backup, m_destination})
            DeleteFileA(name.c_str());
    }
    void Write(const string& bytes) { ASSERT_TRUE(TESTFILE_Write(m_movie, bytes)); }
    string m_movie, m_temporary, m_backup, m_destination;
};

TEST_F(VroonJobTest, AlreadyFastStartInPlaceShowsSoAndWritesNothing) {
    const string movie = FastStart(5000);
    Write(movie);
    CVroonJob job(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
    OBSERVED seen;
    bool fFull = false;
    const INT_PTR nResult = RunJob(job, [&](HWND hDlg) {
        WaitForEnd(hDlg, IDC_VROON_STOP, ALREADY);
        seen = Observe(hDlg, IDC_VROON_STOP);
        fFull = GaugeIsFull(hDlg);
        UIDRIVER_PressButton(hDlg, IDCANCEL);  // disabled: refused
        UIDRIVER_PressButton(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(m_movie, seen.file);
    EXPECT_EQ(ALREADY, seen.status);
    EXPECT_TRUE(fFull);
    EXPECT_TRUE(seen.fOk);
    EXPECT_FALSE(seen.fCancel);
    EXPECT_FALSE(seen.fStop);
    EXPECT_FALSE(job.NeedsConversion());
    EXPECT_EQ(movie, TESTFILE_Read(m_movie));
    EXPECT_FALSE(TESTFILE_Exists(m_temporary));
}

TEST_F(VroonJobTest, AlreadyFastStartWithADestinationWritesNoDestination) {
    Write(FastStart(5000));
    CVroonJob job(m_movie.c_str(), m_destination.c_str(), nullptr, false, IDC_VROON_STOP_PLUGIN);
    OBSERVED seen;
    EXPECT_EQ(IDOK, RunJob(job, [&](HWND hDlg) {
                  WaitForEnd(hDlg, IDC_VROON_STOP_PLUGIN, ALREADY);
                  seen = Observe(hDlg, IDC_VROON_STOP_PLUGIN);
                  UIDRIVER_PressButton(hDlg, IDOK);
              }));
    EXPECT_EQ(m_destination, seen.file);
    EXPECT_TRUE(seen.fOk);
    EXPECT_FALSE(seen.fCancel);
    EXPECT_FALSE(job.NeedsConversion());
    EXPECT_FALSE(TESTFILE_Exists(m_destination));
}

TEST_F(VroonJobTest, InPlaceSuccessCommitsOnOkAndRollsBackOnCancel) {
    for (int idEnd : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(idEnd == IDOK ? "OK" : "Cancel");
        const string movie = Flattened(100000);
        Write(movie);
        CVroonJob job(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
        OBSERVED seen;
        bool fTemporaryWhileOpen = false, fFull = false;
        const INT_PTR nResult = RunJob(job, [&](HWND hDlg) {
            WaitForEnd(hDlg, IDC_VROON_STOP, COMPLETE);
            seen = Observe(hDlg, IDC_VROON_STOP);
            fFull = GaugeIsFull(hDlg);
            fTemporaryWhileOpen = TESTFILE_Exists(m_temporary);
            UIDRIVER_PressButton(hDlg, idEnd);
        });
        EXPECT_EQ(idEnd, nResult);
        EXPECT_EQ(COMPLETE, seen.status);
        EXPECT_TRUE(fFull);
        EXPECT_TRUE(seen.fOk);
        EXPECT_TRUE(seen.fCancel);
        EXPECT_FALSE(seen.fStop);
        EXPECT_TRUE(job.NeedsConversion());
        EXPECT_TRUE(fTemporaryWhileOpen) << "the movie is replaced only on OK";
        EXPECT_EQ(idEnd == IDOK ? FastStart(100000) : movie, TESTFILE_Read(m_movie));
        EXPECT_FALSE(TESTFILE_Exists(m_temporary));
        EXPECT_FALSE(TESTFILE_Exists(m_backup));
    }
}

TEST_F(VroonJobTest, DestinationJobWritesTheConvertedMovieThere) {
    const string movie = Flattened(100000);
    Write(movie);
    CVroonJob job(m_movie.c_str(), m_destination.c_str(), nullptr, false, IDC_VROON_STOP_PLUGIN);
    OBSERVED seen;
    EXPECT_EQ(IDOK, RunJob(job, [&](HWND hDlg) {
                  WaitForEnd(hDlg, IDC_VROON_STOP_PLUGIN, COMPLETE);
                  seen = Observe(hDlg, IDC_VROON_STOP_PLUGIN);
                  UIDRIVER_PressButton(hDlg, IDOK);
              }));
    EXPECT_EQ(m_destination, seen.file);
    EXPECT_TRUE(seen.fOk);
    EXPECT_FALSE(seen.fCancel) << "nothing to roll back after a conversion to a destination";
    EXPECT_EQ(FastStart(100000), TESTFILE_Read(m_destination));
    EXPECT_EQ(movie, TESTFILE_Read(m_movie));
}

TEST_F(VroonJobTest, FailedConversionLeavesOkDisabledAndCancelEnabled) {
    for (bool fDestination : {false, true}) {
        SCOPED_TRACE(fDestination ? "to a destination" : "in place");
        const string movie = Unconvertible();
        Write(movie);
        CDiagCapture capture;
        CVroonJob job(m_movie.c_str(), fDestination ? m_destination.c_str() : "", nullptr, false, IDC_VROON_STOP);
        OBSERVED seen;
        EXPECT_EQ(IDCANCEL, RunJob(job, [&](HWND hDlg) {
                      WaitForEnd(hDlg, IDC_VROON_STOP, INPROGRESS);
                      seen = Observe(hDlg, IDC_VROON_STOP);
                      PostMessageA(hDlg, WM_COMMAND, IDOK, 0);  // Enter, with OK disabled: refused
                      UIDRIVER_PressButton(hDlg, IDCANCEL);
                  }));
        EXPECT_FALSE(seen.fOk);
        EXPECT_TRUE(seen.fCancel);
        EXPECT_EQ(movie, TESTFILE_Read(m_movie));
        EXPECT_FALSE(TESTFILE_Exists(m_destination));
        EXPECT_FALSE(TESTFILE_Exists(m_temporary));
        EXPECT_NE(string::npos, capture.Text().find(
                                    fDestination ? "fOk=m_qtFAST.VroonSourceMovieToDestination(m_sFileName, "
                                                   "m_sSaveAsFileName)"
                                                 : "fOk=m_qtFAST.VroonMovieInPlace(m_sFileName)"));
    }
}

TEST_F(VroonJobTest, StopAnsweredNoLetsTheConversionRunOn) {
    const string movie = Flattened(HELD_MEDIA);
    Write(movie);
    CHeldJob job(m_movie.c_str(), IDC_VROON_STOP);
    WINDOW_SetAppTitle("Flarion");
    CBoxAnswer answer(IDNO, JOB_TIMEOUT, "Stop conversion?");
    OBSERVED seen;
    EXPECT_EQ(IDCANCEL, RunJob(job, [&](HWND hDlg) {
                  UIDRIVER_WaitForItemEnabled(hDlg, IDC_VROON_STOP, true, JOB_TIMEOUT);
                  UIDRIVER_PressButton(hDlg, IDC_VROON_STOP);
                  answer.Wait();
                  job.m_gauge.Release();
                  WaitForEnd(hDlg, IDC_VROON_STOP, COMPLETE);
                  seen = Observe(hDlg, IDC_VROON_STOP);
                  UIDRIVER_PressButton(hDlg, IDCANCEL);
              }));
    ASSERT_TRUE(answer.Wait());
    WINDOW_SetAppTitle("");
    EXPECT_EQ("Flarion", answer.Caption()) << "the application's title";
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), answer.Style());
    EXPECT_EQ(COMPLETE, seen.status);
    EXPECT_TRUE(seen.fOk);
    EXPECT_EQ(movie, TESTFILE_Read(m_movie));
    EXPECT_FALSE(TESTFILE_Exists(m_temporary));
}

TEST_F(VroonJobTest, StopAnsweredYesEndsTheConversionWithNoOutput) {
    const string movie = Flattened(HELD_MEDIA);
    Write(movie);
    for (int idStop : {IDC_VROON_STOP, IDC_VROON_STOP_PLUGIN}) {
        SCOPED_TRACE(idStop);
        CHeldJob job(m_movie.c_str(), idStop);
        CBoxAnswer answer(IDYES, JOB_TIMEOUT, "Stop conversion?");
        OBSERVED seen;
        bool fOtherStop = true;
        EXPECT_EQ(IDCANCEL, RunJob(job, [&](HWND hDlg) {
                      fOtherStop = GetDlgItem(hDlg, idStop == IDC_VROON_STOP ? IDC_VROON_STOP_PLUGIN : IDC_VROON_STOP);
                      UIDRIVER_WaitForItemEnabled(hDlg, idStop, true, JOB_TIMEOUT);
                      UIDRIVER_PressButton(hDlg, idStop);
                      answer.Wait();
                      job.m_gauge.Release();
                      WaitForEnd(hDlg, idStop, MOVING);
                      seen = Observe(hDlg, idStop);
                      UIDRIVER_PressButton(hDlg, IDCANCEL);
                  }));
        ASSERT_TRUE(answer.Wait());
        EXPECT_FALSE(fOtherStop) << "one Stop button, under the id the job was made with";
        EXPECT_FALSE(seen.fOk);
        EXPECT_TRUE(seen.fCancel);
        EXPECT_FALSE(seen.fStop);
        EXPECT_EQ(movie, TESTFILE_Read(m_movie));
        EXPECT_FALSE(TESTFILE_Exists(m_temporary));
    }
}

TEST_F(VroonJobTest, CloseBoxWhileConvertingDoesNotLoseTheResult) {
    Write(Flattened(HELD_MEDIA));
    CHeldJob job(m_movie.c_str(), IDC_VROON_STOP);
    OBSERVED seen;
    EXPECT_EQ(IDOK, RunJob(job, [&](HWND hDlg) {
                  UIDRIVER_WaitForItemEnabled(hDlg, IDC_VROON_STOP, true, JOB_TIMEOUT);
                  PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                  PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);  // Escape
                  job.m_gauge.Release();
                  WaitForEnd(hDlg, IDC_VROON_STOP, COMPLETE);
                  seen = Observe(hDlg, IDC_VROON_STOP);
                  UIDRIVER_PressButton(hDlg, IDOK);
              }));
    EXPECT_TRUE(seen.fOk);
    EXPECT_EQ(FastStart(HELD_MEDIA), TESTFILE_Read(m_movie));
    EXPECT_FALSE(TESTFILE_Exists(m_temporary));
}

// The user ends a finished job whose Cancel button is disabled: the close box, or Escape pressed on the
// focused OK button as the keyboard delivers it.
TEST_F(VroonJobTest, EscapeAndTheCloseBoxEndAFinishedJobWithCancelDisabled) {
    const struct {
        const char* szCase;
        string movie;
        bool fDestination;
        const char* szStatus;
    } jobs[] = {
        {"already fast-start, in place", FastStart(5000), false, ALREADY},
        {"converted to a destination", Flattened(5000), true, COMPLETE},
    };
    for (const auto& j : jobs) {
        for (bool fEscape : {false, true}) {
            SCOPED_TRACE(string(j.szCase) + (fEscape ? ", Escape" : ", close box"));
            DeleteFileA(m_destination.c_str());
            Write(j.movie);
            CVroonJob job(m_movie.c_str(), j.fDestination ? m_destination.c_str() : "", nullptr, false,
                          IDC_VROON_STOP);
            OBSERVED seen;
            EXPECT_EQ(IDCANCEL, RunJob(job, [&](HWND hDlg) {
                          WaitForEnd(hDlg, IDC_VROON_STOP, j.szStatus);
                          seen = Observe(hDlg, IDC_VROON_STOP);
                          if (fEscape)
                              PostMessageA(GetDlgItem(hDlg, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
                          else
                              PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                      }));
            EXPECT_TRUE(seen.fOk);
            EXPECT_FALSE(seen.fCancel);
            EXPECT_EQ(j.movie, TESTFILE_Read(m_movie));
            EXPECT_EQ(j.fDestination, TESTFILE_Exists(m_destination));
        }
    }
}

TEST_F(VroonJobTest, AutoCommitClosesByItselfWithOk) {
    const struct {
        const char* szCase;
        string movie;
        string expected;
        bool fNeedsConversion;
    } cases[] = {
        {"success, committed", Flattened(100000), FastStart(100000), true},
        {"failure", Unconvertible(), Unconvertible(), true},
        {"already fast-start", FastStart(100), FastStart(100), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        Write(c.movie);
        CVroonJob job(m_movie.c_str(), nullptr, true, IDC_VROON_STOP);
        CModalTimeout timeout(JOB_TIMEOUT);
        EXPECT_EQ(IDOK, job.DoModal());
        EXPECT_FALSE(timeout.Expired());
        EXPECT_EQ(c.fNeedsConversion, job.NeedsConversion());
        EXPECT_EQ(c.expected, TESTFILE_Read(m_movie));
        EXPECT_FALSE(TESTFILE_Exists(m_temporary));
        EXPECT_FALSE(TESTFILE_Exists(m_backup));
    }
}

TEST_F(VroonJobTest, WindowHasTheLayoutFontAndGaugeOfTheJob) {
    Write(FastStart(100));
    CVroonJob job(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
    RECT rcGauge = {}, rcUnits = {8, 35, 222, 21};  // x, y, width, height
    char szClass[32] = "";
    LONG_PTR lStyle = 0;
    LOGFONTA lf = {};
    bool fSameFont = false;
    RunJob(job, [&](HWND hDlg) {
        const HWND hGauge = GetDlgItem(hDlg, IDC_VROON_GAUGE);
        GetClassNameA(hGauge, szClass, sizeof(szClass));
        lStyle = GetWindowLongPtrA(hGauge, GWL_STYLE);
        GetWindowRect(hGauge, &rcGauge);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcGauge), 2);
        MapDialogRect(hDlg, &rcUnits);
        DWORD_PTR dwFont = 0;
        SendMessageTimeoutA(GetDlgItem(hDlg, IDC_VROON_STATUS), WM_GETFONT, 0, 0, SMTO_NORMAL, UIDRIVER_TIMEOUT, &dwFont);
        GetObjectA(reinterpret_cast<HFONT>(dwFont), sizeof(lf), &lf);
        fSameFont = true;
        for (int id : {IDOK, IDCANCEL, IDC_VROON_STOP, IDC_VROON_FILE}) {
            DWORD_PTR dwOther = 0;
            SendMessageTimeoutA(GetDlgItem(hDlg, id), WM_GETFONT, 0, 0, SMTO_NORMAL, UIDRIVER_TIMEOUT, &dwOther);
            fSameFont = fSameFont && dwOther == dwFont;
        }
        WaitForEnd(hDlg, IDC_VROON_STOP, ALREADY);
        UIDRIVER_PressButton(hDlg, IDOK);
    });
    EXPECT_STREQ("OVGasGauge", szClass);
    EXPECT_TRUE(lStyle & GASGAUGE_STYLE_3D);
    EXPECT_EQ(rcUnits.left, rcGauge.left);
    EXPECT_EQ(rcUnits.top, rcGauge.top);
    EXPECT_EQ(rcUnits.right, rcGauge.right - rcGauge.left);
    EXPECT_EQ(rcUnits.bottom, rcGauge.bottom - rcGauge.top);
    EXPECT_STREQ("Helv", lf.lfFaceName);
    EXPECT_EQ(8, lf.lfHeight);
    EXPECT_TRUE(fSameFont);
}

TEST_F(VroonJobTest, GaugeClassIsRegisteredOncePerProcess) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    CDiagCapture capture;
    CVroonJob first(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
    CVroonJob second(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(WINDOW_GetInstance(), "OVGasGauge", &wc));
    EXPECT_EQ("", capture.Text());
    DIAG_Terminate();
}

// A job whose converter reports a total above the gauge's signed range, as for a movie of 2 to 4 GB, and half
// of it done; it looks at its gauge and closes.
class CLargeRangeJob : public CVroonJob {
public:
    using CVroonJob::CVroonJob;
    bool m_fHalfShown = false;
    bool m_fThreeQuartersShown = true;

protected:
    bool OnInitDialog() override {
        CVroonJob::OnInitDialog();
        KillTimer(1);
        m_qtFAST.UI_SetRange(3000000000u);
        m_qtFAST.UI_SetPosition(1500000000u);
        m_fHalfShown = GaugeReaches(m_hWnd, 0.5);
        m_fThreeQuartersShown = GaugeReaches(m_hWnd, 0.75);
        EndDialog(IDCANCEL);
        return true;
    }
};

TEST_F(VroonJobTest, TotalsAboveTwoGigabytesStillShowTheTruePosition) {
    CLargeRangeJob job(m_movie.c_str(), nullptr, false, IDC_VROON_STOP);
    CModalTimeout timeout(JOB_TIMEOUT);
    EXPECT_EQ(IDCANCEL, job.DoModal());
    EXPECT_TRUE(job.m_fHalfShown);
    EXPECT_FALSE(job.m_fThreeQuartersShown);
}

}  // namespace
