// jobshow: runs the conversion job on a large movie for screenshots. At each moment worth a picture it creates
// FOLDER\NAME.ready and waits (at most a minute) for FOLDER\NAME.taken, which the screenshot script creates
// once it has captured the display:
//
//   1-converting      the gauge part way through the copy
//   2-stop-question   the Stop confirmation over the running job (the copy waits for the answer: No)
//   3-finished        the finished in-place job with OK and Cancel (then Cancel rolls it back)
//
//   jobshow FOLDER [MEGABYTES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "testing/moviefixture/moviefixture.h"
#include "testing/moviefixture/heldjob_win.h"
#include "testing/testsupport/showpose_win.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

const DWORD SHOT_TIMEOUT = SHOWPOSE_TIMEOUT;

std::string s_folder;

void Pose(const char* szName) {
    SHOWPOSE_Pose(s_folder, szName);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: jobshow FOLDER [MEGABYTES]\n");
        return 2;
    }
    s_folder = std::string(argv[1]) + "\\";
    const uint32_t cMegabytes = argc > 2 ? static_cast<uint32_t>(strtoul(argv[2], nullptr, 10)) : 512;
    const std::string movie = s_folder + "Sunset over the bay.mov";
    if (cMegabytes == 0 || cMegabytes >= 4096 ||
        !MOVIEFIXTURE_WriteLargeMovie(movie, static_cast<uint64_t>(cMegabytes) << 20, 1000)) {
        fprintf(stderr, "jobshow: cannot write %s\n", movie.c_str());
        return 1;
    }
    WINDOW_SetAppTitle("Flarion");
    // The copy of the media data holds at 40 per cent until the Stop question is answered: a fast disk
    // converts the whole movie in less time than a picture takes.
    CHeldJob job(movie.c_str(), IDC_VROON_STOP, 0.4, 1 << 20);
    {
        CUserThread user([&job] {
            const HWND hDlg = UIDRIVER_WaitForDialog("Flarion - Make 'Fast-Start' QuickTime Movie", SHOT_TIMEOUT);
            UIDRIVER_WaitUntil([&job] { return job.m_gauge.IsHolding(); }, SHOT_TIMEOUT);
            Sleep(300);
            Pose("1-converting");
            UIDRIVER_PressButton(hDlg, IDC_VROON_STOP);
            UIDRIVER_WaitForMessageBox("Stop conversion?", SHOT_TIMEOUT);
            Sleep(300);
            Pose("2-stop-question");
            CBoxAnswer answer(IDNO, SHOT_TIMEOUT, "Stop conversion?");
            answer.Wait();
            job.m_gauge.Release();
            UIDRIVER_WaitForItemText(hDlg, IDC_VROON_STATUS, "Vrooning complete.", SHOT_TIMEOUT);
            Pose("3-finished");
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
        job.DoModal();
    }
    DeleteFileA(movie.c_str());
    return 0;
}
