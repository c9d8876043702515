// fastbench: the engine's conversion of a large flattened movie against copying the same file with cp and with
// plain 1 MB reads and writes, in one run with the page cache warm, and the engine's peak memory. (Where cp
// copies inside the kernel, as GNU cp does on Linux, no copy through user memory comes near it; the second
// baseline is the one that a stdio program can reach.)
//
//   fastbench FOLDER [MEGABYTES]
//
// The movie (default 1024 MB of media data and a movie atom with a table of 20000 chunk offsets) is written to
// FOLDER and removed at the end. Each runs five times; the best time counts.
#include <sys/resource.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "movie/qtfast.h"
#include "testing/moviefixture/moviefixture.h"

namespace {

const uint32_t NCHUNKS = 20000;

double Seconds(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long PeakKilobytes() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The plain way to copy a file through user memory: 1 MB reads and writes.
bool CopyThroughMemory(const std::string& from, const std::string& to) {
    FILE* pFrom = fopen(from.c_str(), "rb");
    FILE* pTo = fopen(to.c_str(), "wb");
    std::vector<char> buffer(1 << 20);
    bool fOk = pFrom && pTo;
    size_t n;
    while (fOk && (n = fread(buffer.data(), 1, buffer.size(), pFrom)) > 0)
        fOk = fwrite(buffer.data(), n, 1, pTo) == 1;
    if (pFrom)
        fclose(pFrom);
    return pTo && fclose(pTo) == 0 && fOk;
}

void ReadThrough(const std::string& path) {
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return;
    std::vector<char> buffer(1 << 20);
    while (fread(buffer.data(), 1, buffer.size(), pFile) > 0) {
    }
    fclose(pFile);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: fastbench FOLDER [MEGABYTES]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const uint64_t cbMedia = uint64_t(argc == 3 ? atoi(argv[2]) : 1024) << 20;
    const std::string source = folder + "/bench_source.mov", copy = folder + "/bench_copy.mov";
    printf("fastbench: writing a movie of %" PRIu64 " MB in %s\n", cbMedia >> 20, folder.c_str());
    const size_t cbMoov = MOVIEFIXTURE_WriteLargeMovie(source, cbMedia, NCHUNKS);
    if (cbMoov == 0) {
        fprintf(stderr, "fastbench: cannot write %s\n", source.c_str());
        return 1;
    }
    ReadThrough(source);
    const long kbBaseline = PeakKilobytes();

    double sCp = 1e9, sMemory = 1e9, sEngine = 1e9;
    bool fOk = true;
    // The three take turns within each round, so that a slow moment of the machine or of the disk's writeback
    // falls on each of them alike.
    for (int nRun = 0; nRun < 5 && fOk; ++nRun) {
        for (int nTurn = 0; nTurn < 3 && fOk; ++nTurn) {
            const int nWhich = (nRun + nTurn) % 3;
            const auto start = std::chrono::steady_clock::now();
            if (nWhich == 0) {
                fOk = system(("cp '" + source + "' '" + copy + "'").c_str()) == 0;
                sCp = std::min(sCp, Seconds(start));
            } else if (nWhich == 1) {
                fOk = CopyThroughMemory(source, copy);
                sMemory = std::min(sMemory, Seconds(start));
            } else {
                CQTFast fast;
                fOk = fast.VroonSourceMovieToDestination(source.c_str(), copy.c_str());
                sEngine = std::min(sEngine, Seconds(start));
            }
            std::remove(copy.c_str());
        }
    }
    std::remove(source.c_str());
    if (!fOk) {
        fprintf(stderr, "fastbench: a run failed\n");
        return 1;
    }
    const double mb = double(cbMedia + 8 + cbMoov) / (1 << 20);
    printf("  cp                   %8.3f s  %8.0f MB/s\n", sCp, mb / sCp);
    printf("  1 MB read and write  %8.3f s  %8.0f MB/s\n", sMemory, mb / sMemory);
    printf("  engine               %8.3f s  %8.0f MB/s\n", sEngine, mb / sEngine);
    printf("  throughput of the engine / cp: %.2f\n", sCp / sEngine);
    printf("  throughput of the engine / 1 MB read and write: %.2f\n", sMemory / sEngine);
    printf("  peak memory: %.1f MB (%.1f MB before converting; movie atom %.1f KB)\n", PeakKilobytes() / 1024.0,
           kbBaseline / 1024.0, cbMoov / 1024.0);
    return 0;
}
