// fastdemo: converts one movie in place to fast-start form with the suite's engine and shows its top-level
// atoms before and after.
//
//   fastdemo MOVIE
#include <cinttypes>
#include <cstdio>

#include "movie/qtfast.h"

namespace {

// The engine's status texts go to the terminal, as the conversion window would show them.
class CConsoleFast : public CQTFast {
public:
    void UI_Status(const char* szText) override { printf("  %s\n", szText); }
};

void PrintLayout(const char* szMovie, const char* szWhen) {
    printf("%s, %s:\n", szMovie, szWhen);
    CQTFile file;
    if (!file.OpenRead(szMovie))
        return;
    printf("  %12s %12s  type\n", "offset", "size");
    CQTAtom atom;
    for (bool f = file.Seek(0, SEEK_SET) == 0 && atom.Read(&file); f; f = atom.SeekToEnd(&file) && atom.Read(&file)) {
        char szType[5];
        QTATOM_TypeToText(atom.m_dwAtomType, szType);
        printf("  %12" PRIu64 " %12" PRIu64 "  %s\n", atom.m_dwAtomStart, atom.m_dwAtomSize, szType);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: fastdemo MOVIE\n");
        return 2;
    }
    const char* szMovie = argv[1];
    PrintLayout(szMovie, "before");
    CConsoleFast fast;
    if (!fast.VroonMovieInPlace(szMovie) || (fast.m_inmovie[0] && !fast.VroonCommitReplace())) {
        fprintf(stderr, "fastdemo: %s could not be converted\n", szMovie);
        return 1;
    }
    PrintLayout(szMovie, "after");
    return 0;
}
