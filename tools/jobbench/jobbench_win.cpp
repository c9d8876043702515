// jobbench: the conversion of a large movie through the conversion job window against the engine alone, in one
// run under the same conditions, and for reference the engine with a look at the message queue after every
// chunk (what the job would cost if it pumped messages as often as it is asked whether it was cancelled).
//
//   jobbench FOLDER [MEGABYTES]
//
// The movie (default 1024 MB of media data, less than 4096) is written to FOLDER and removed at the end. Engine and job run
// alternately, five times each; the best and the median time of each are shown. The job's time is the whole modal run, window
// made and destroyed included; its conversion alone is timed inside the window as well.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "movie/qtfast.h"
#include "movie/vroonjob_win.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/testfile.h"

namespace {

const int RUNS = 5;
const uint32_t NCHUNKS = 20000;

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The engine asked after every chunk, as a naive job would do it, to look at the message queue.
class CPeekEveryChunk : public CQTFast {
public:
    bool UI_IsCancelled() override {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        return false;
    }
};

// The job, with its conversion (everything its start timer runs) timed apart from the window's life.
class CTimedJob : public CVroonJob {
public:
    using CVroonJob::CVroonJob;
    double m_dConversion = 0;

protected:
    void OnTimer(UINT_PTR idTimer) override {
        const double dStart = Now();
        CVroonJob::OnTimer(idTimer);
        m_dConversion = Now() - dStart;
    }
};

double Best(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times.front();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: jobbench FOLDER [MEGABYTES]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const uint64_t cMegabytes = argc > 2 ? strtoull(argv[2], nullptr, 10) : 1024;
    const std::string source = folder + "jobbench.mov", destination = folder + "jobbench_fs.mov";
    if (cMegabytes == 0 || cMegabytes >= 4096 || !MOVIEFIXTURE_WriteLargeMovie(source, cMegabytes << 20, NCHUNKS)) {
        fprintf(stderr, "jobbench: cannot write %s\n", source.c_str());
        return 1;
    }
    std::vector<double> engine, job, conversion, peek;
    bool fOk = true;
    // Engine and job take turns, each going first in every other round, so that the writeback of the previous
    // output and slow moments of a shared machine fall on both alike.
    for (int nRun = 0; nRun < 2 * RUNS && fOk; nRun++) {
        double dStart = Now();
        if ((nRun % 4 == 0) || (nRun % 4 == 3)) {
            CQTFast fast;
            fOk = fast.VroonSourceMovieToDestination(source.c_str(), destination.c_str());
            engine.push_back(Now() - dStart);
        } else {
            CTimedJob timed(source.c_str(), destination.c_str(), nullptr, true, IDC_VROON_STOP);
            fOk = timed.DoModal() == IDOK && TESTFILE_Exists(destination);
            job.push_back(Now() - dStart);
            conversion.push_back(timed.m_dConversion);
        }
        DeleteFileA(destination.c_str());
    }
    CPeekEveryChunk naive;
    const double dStart = Now();
    fOk = fOk && naive.VroonSourceMovieToDestination(source.c_str(), destination.c_str());
    peek.push_back(Now() - dStart);
    DeleteFileA(destination.c_str());
    DeleteFileA(source.c_str());
    if (!fOk) {
        fprintf(stderr, "jobbench: a conversion failed\n");
        return 1;
    }
    const double dEngine = Best(engine), dEngineMedian = Median(engine);
    printf("movie:                         %llu MB of media data\n", static_cast<unsigned long long>(cMegabytes));
    printf("                               best                    median\n");
    printf("engine alone:                  %7.3f s                %7.3f s\n", dEngine, dEngineMedian);
    printf("job, whole modal run:          %7.3f s  (%.2f x)       %7.3f s  (%.2f x)\n", Best(job), Best(job) / dEngine,
           Median(job), Median(job) / dEngineMedian);
    printf("job, conversion in the window: %7.3f s  (%.2f x)       %7.3f s  (%.2f x)\n", Best(conversion),
           Best(conversion) / dEngine, Median(conversion), Median(conversion) / dEngineMedian);
    printf("engine peeking every chunk:    %7.3f s  (%.2f x the engine, one run)\n", peek[0], peek[0] / dEngine);
    return 0;
}
