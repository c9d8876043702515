// Fuzz target over the atom walk and the conversion: any bytes as a movie file. The engine must never crash,
// never read or allocate without bound (AddressSanitizer and libFuzzer's limits watch that), never change the
// source, and leave an output exactly when it reports success.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "movie/qtatoms.h"
#include "movie/qtfast.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/diag.h"

namespace {

std::string s_source, s_destination, s_inplace, s_temporary;

void Discard(const char*) {}

void Check(bool fCondition, const char* szWhat) {
    if (!fCondition) {
        fprintf(stderr, "qtfast_fuzz: %s\n", szWhat);
        abort();
    }
}

// Every atom the conversion could visit, found through the public walk.
void WalkTracks(const std::string& path) {
    CQTFile file;
    CQTAtom moov, trak, mdia, minf, stbl;
    if (!file.OpenRead(path.c_str()) || !FindAtom(&moov, QTATOM_MOOV, &file))
        return;
    for (bool f = moov.FindChild(&file, &trak, QTATOM_TRAK); f; f = moov.FindNextSibling(&file, &trak, QTATOM_TRAK)) {
        CQTChunkOffsetAtom table;
        if (trak.FindChild(&file, &mdia, QTATOM_MDIA) && mdia.FindChild(&file, &minf, QTATOM_MINF) &&
            minf.FindChild(&file, &stbl, QTATOM_STBL) && stbl.FindChild(&file, &table, QTATOM_STCO))
            table.AdjustOffsets(moov.m_dwAtomSize, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    DIAG_SetOutputSink(&Discard);
    const char* szTemp = getenv("TMPDIR");
    const std::string folder = std::string(szTemp ? szTemp : "/tmp") + "/qtfast_fuzz_" + std::to_string(getpid());
    s_source = folder + "_source.mov";
    s_destination = folder + "_destination.mov";
    s_inplace = folder + "_inplace.mov";
    s_temporary = folder + "_inplace.FS";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    const std::string bytes(reinterpret_cast<const char*>(pData), cbData);
    TESTFILE_Write(s_source, bytes);
    std::remove(s_destination.c_str());
    WalkTracks(s_source);
    IsQuickTimeMovieFile(s_source.c_str());

    CQTFast fast;
    const bool fAlready = fast.IsAlreadyFastStart(s_source.c_str());
    const bool fConverted = fast.VroonSourceMovieToDestination(s_source.c_str(), s_destination.c_str());
    Check(TESTFILE_Read(s_source) == bytes, "the source was changed");
    Check(TESTFILE_Exists(s_destination) == (fConverted && !fAlready), "output left against the result");
    if (fConverted && !fAlready) {
        Check(TESTFILE_Read(s_destination).size() <= bytes.size(), "the output is larger than the source");
        CQTFast again;
        Check(again.IsAlreadyFastStart(s_destination.c_str()), "the output is not in fast-start form");
    }

    // In place, alternating commit and rollback: the movie is either untouched or converted, and no temporary
    // file is left.
    TESTFILE_Write(s_inplace, bytes);
    std::remove(s_temporary.c_str());
    CQTFast inplace;
    if (inplace.VroonMovieInPlace(s_inplace.c_str()) && inplace.m_inmovie[0]) {
        if (cbData % 2)
            inplace.VroonCommitReplace();
        else
            inplace.VroonRollbackReplace();
    } else {
        Check(TESTFILE_Read(s_inplace) == bytes, "a failed in-place conversion changed the movie");
    }
    Check(!TESTFILE_Exists(s_temporary), "the temporary file was left");
    if (fConverted && !fAlready && cbData % 2) {
        Check(TESTFILE_Read(s_inplace) == TESTFILE_Read(s_destination), "commit differs");
    } else {
        Check(TESTFILE_Read(s_inplace) == bytes, "the movie changed without a commit");
    }
    return 0;
}
