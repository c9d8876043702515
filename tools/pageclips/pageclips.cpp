// pageclips FOLDER: writes the clips of the plug-in's demonstration pages into FOLDER, flattened movies of
// the picture sizes the pages show, made by the suite's movie fixture. pageclips --check FOLDER exits 1 unless
// every clip there already has exactly these bytes.
#include <cstdio>
#include <cstring>
#include <string>

#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/testfile.h"

namespace {

const struct {
    const char* szName;
    int nWidth, nHeight;
} CLIPS[] = {
    {"loop.mov", 240, 180},
    {"sound.mov", 16, 16},
    {"big.mov", 320, 240},
};

}  // namespace

int main(int argc, char** argv) {
    const bool fCheck = argc == 3 && strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !fCheck) {
        fprintf(stderr, "usage: pageclips [--check] FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[argc - 1]) + "/";
    int nResult = 0;
    for (const auto& clip : CLIPS) {
        const std::string path = folder + clip.szName;
        const std::string bytes = MOVIEFIXTURE_PictureMovie(clip.nWidth, clip.nHeight);
        if (fCheck && TESTFILE_Read(path) != bytes) {
            fprintf(stderr, "pageclips: %s differs from its fixture; run pageclips %s\n", path.c_str(), argv[argc - 1]);
            nResult = 1;
        } else if (!fCheck && !TESTFILE_Write(path, bytes)) {
            fprintf(stderr, "pageclips: cannot write %s\n", path.c_str());
            nResult = 1;
        }
    }
    return nResult;
}
