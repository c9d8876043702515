// copybench: the engine's install throughput for plain and compressed files against a plain copy of the same
// bytes, in one run, each output flushed to the disk inside the clock. Usage: copybench FOLDER [MB]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "setup/filecopy_win.h"
#include "setup/szdd.h"
#include "toolkit/diag.h"
#include "toolkit/mfx.h"

MFX_DEFINE_STARTUP()

namespace {

bool WriteWhole(const std::string& path, const std::string& bytes) {
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    const bool fOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && fOk;
}

bool Flush(const std::string& path) {
    const HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    const bool fOk = FlushFileBuffers(hFile) != 0;
    CloseHandle(hFile);
    return fOk;
}

// The median seconds of three runs of the copy and the flush of its output.
double Time(const std::function<bool()>& copy, const std::string& output) {
    std::vector<double> seconds;
    for (int i = 0; i < 3; ++i) {
        DeleteFileA(output.c_str());
        const auto start = std::chrono::steady_clock::now();
        if (!copy() || !Flush(output)) {
            fprintf(stderr, "copybench: a copy to %s failed\n", output.c_str());
            exit(1);
        }
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[1];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: copybench FOLDER [MB]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const size_t cb = static_cast<size_t>(argc > 2 ? atoi(argv[2]) : 64) * 1024 * 1024;
    // Half text-like, half noise: compressible, but not trivially.
    std::string bytes(cb, '\0');
    uint32_t seed = 12345;
    for (size_t i = 0; i < cb; ++i) {
        seed = seed * 1103515245 + 12345;
        bytes[i] = (i / 4096) % 2 ? static_cast<char>(seed >> 16) : static_cast<char>("setup engine "[i % 13]);
    }
    char chLast = 0;
    const std::string plain = folder + "BENCH.DAT", packed = folder + SZDD_CompressedName("BENCH.DAT", &chLast);
    if (!WriteWhole(plain, bytes) || !WriteWhole(packed, SZDD_Compress(bytes, chLast)))
        return 1;
    DIAG_SetOutputSink([](const char*) {});
    const std::string out = folder + "out.dat";
    const double dBase = Time([&] { return CopyFileA(plain.c_str(), out.c_str(), FALSE) != 0; }, out);
    const double dPlain = Time([&] { return FILE_Copy(plain.c_str(), out.c_str()) != 0; }, out);
    const double dPacked = Time([&] { return FILE_Copy(packed.c_str(), out.c_str()) != 0; }, out);
    FILE_SetWorkingDirectory(folder.c_str());
    const double dStaged = Time([&] { return FILE_Copy(packed.c_str(), out.c_str()) != 0; }, out);
    FILE_SetWorkingDirectory("");
    const double dMB = static_cast<double>(cb) / (1024 * 1024);
    printf("%.0f MB installed (median of three, flushed); MB/s of installed bytes and the ratio to a plain copy\n",
           dMB);
    const struct {
        const char* szName;
        double dSeconds;
    } rows[] = {{"plain copy (CopyFile)", dBase},
                {"FILE_Copy, plain file", dPlain},
                {"FILE_Copy, compressed", dPacked},
                {"FILE_Copy, compressed, staged", dStaged}};
    for (const auto& row : rows)
        printf("  %-30s %8.3f s %8.1f MB/s %6.2f x\n", row.szName, row.dSeconds, dMB / row.dSeconds,
               dBase / row.dSeconds);
    DeleteFileA(plain.c_str());
    DeleteFileA(packed.c_str());
    DeleteFileA(out.c_str());
    return 0;
}
