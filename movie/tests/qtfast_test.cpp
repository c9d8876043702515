#include "movie/qtfast.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movie/tests/recordinghooks.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"

namespace {

using std::string;
using Offsets = std::vector<uint64_t>;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

string Atom(uint32_t dwType, const string& content) {
    return MOVIEFIXTURE_Atom(dwType, content);
}

string Stco(const Offsets& offsets) {
    return MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, offsets);
}

string Co64(const Offsets& offsets) {
    return MOVIEFIXTURE_ChunkOffsets(QTATOM_CO64, offsets);
}

const string STTS = Atom(QTATOM_Type('s', 't', 't', 's'), string(16, '\x01'));

// Media data whose bytes tell their offset, so a misplaced copy shows.
string MediaData(size_t cb) {
    string data;
    for (size_t i = 0; i < cb; ++i)
        data += char(i * 7 + 3);
    return data;
}

using CRecordingFast = CRecordingHooks<CQTFast>;

// A flattened movie: media data at 0, then whatever the case puts between, then the movie atom.
struct ConvertCase {
    const char* szCase;
    string source;
    bool fOk;
    string expected;  // the destination's bytes; none when the conversion fails
};

std::vector<ConvertCase> ConvertCases() {
    const string data = MediaData(40);
    const string mdat = Atom(QTATOM_MDAT, data);
    auto moov = [](const std::vector<string>& tracks) { return MOVIEFIXTURE_Movie(tracks); };
    // Every offset moves by the movie atom's size, which shifting does not change.
    const string twoTracks = moov({MOVIEFIXTURE_Track(STTS + Stco({8, 20})), MOVIEFIXTURE_Track(Stco({30}))});
    const uint64_t cbMoov = twoTracks.size();
    const string twoShifted =
        moov({MOVIEFIXTURE_Track(STTS + Stco({8 + cbMoov, 20 + cbMoov})), MOVIEFIXTURE_Track(Stco({30 + cbMoov}))});
    const std::vector<string> mixed = {MOVIEFIXTURE_Track(STTS), MOVIEFIXTURE_Track(Stco({12})),
                                       MOVIEFIXTURE_Track(Stco({})), Atom(QTATOM_TRAK, "")};
    const uint64_t cbMixed = moov(mixed).size();
    const string co64 = moov({MOVIEFIXTURE_Track(Co64({8, 0xFFFFFFF8})), MOVIEFIXTURE_Track(Stco({9}))});
    const string co64Shifted = moov({MOVIEFIXTURE_Track(Co64({8 + co64.size(), 0xFFFFFFF8 + co64.size()})),
                                     MOVIEFIXTURE_Track(Stco({9 + co64.size()}))});
    const string mdat64 = MOVIEFIXTURE_Atom64(QTATOM_MDAT, data);
    const string moov64 = moov({MOVIEFIXTURE_Track(Stco({16, 40}))});
    const string free = Atom(QTATOM_FREE, "unused");
    return {
        {"mdat then moov", mdat + twoTracks, true, twoShifted + mdat},
        {"a free atom between them is dropped", mdat + free + twoTracks, true, twoShifted + mdat},
        {"atoms after moov are dropped", mdat + twoTracks + free, true, twoShifted + mdat},
        {"tracks without a table or with an empty one are left as copied", mdat + moov(mixed), true,
         moov({mixed[0], MOVIEFIXTURE_Track(Stco({12 + cbMixed})), mixed[2], mixed[3]}) + mdat},
        {"co64 tables are shifted like stco", mdat + co64, true, co64Shifted + mdat},
        {"mdat in the extended size form", mdat64 + moov64, true,
         moov({MOVIEFIXTURE_Track(Stco({16 + moov64.size(), 40 + moov64.size()}))}) + mdat64},
        {"no track has a table", mdat + moov({MOVIEFIXTURE_Track(STTS), MOVIEFIXTURE_Track(Stco({}))}), false, ""},
        {"a leading wide atom", Atom(QTATOM_WIDE, "") + mdat + twoTracks, false, ""},
        {"a leading free atom", free + mdat + twoTracks, false, ""},
        {"a leading ftyp atom", Atom(QTATOM_FTYP, "qt  ") + mdat + twoTracks, false, ""},
        {"no moov", mdat + free, false, ""},
        {"no mdat", free + twoTracks, false, ""},
        {"mdat cut short", MOVIEFIXTURE_DWORD(400) + "mdat" + data + twoTracks, false, ""},
        {"moov cut short", mdat + twoTracks.substr(0, twoTracks.size() - 3), false, ""},
        {"a stco whose count claims more entries than it holds",
         mdat + moov({MOVIEFIXTURE_Track(Stco({8})),
                      MOVIEFIXTURE_Track(Atom(
                          QTATOM_STCO, MOVIEFIXTURE_DWORD(0) + MOVIEFIXTURE_DWORD(1000) + MOVIEFIXTURE_DWORD(8)))}),
         false, ""},
        {"a shift beyond 32 bits", mdat + moov({MOVIEFIXTURE_Track(Stco({8})), MOVIEFIXTURE_Track(Stco({0xFFFFFF80}))}),
         false, ""},
        {"a track reaching past the movie atom", mdat + Atom(QTATOM_MOOV, MOVIEFIXTURE_DWORD(500) + "trak" + Stco({8})),
         false, ""},
        {"a sample table reaching past its track",
         mdat + moov({MOVIEFIXTURE_Track(Stco({8})),
                      Atom(QTATOM_TRAK,
                           Atom(QTATOM_MDIA, Atom(QTATOM_MINF, MOVIEFIXTURE_DWORD(200) + "stbl" + Stco({9}))))}),
         false, ""},
        {"empty file", "", false, ""},
    };
}

TEST(QTFast, ConvertsSourceToDestination) {
    const string source = Scratch("source.mov"), destination = Scratch("destination.mov");
    for (const ConvertCase& c : ConvertCases()) {
        SCOPED_TRACE(c.szCase);
        ASSERT_TRUE(TESTFILE_Write(source, c.source));
        std::remove(destination.c_str());
        CQTFast fast;
        CDiagCapture capture;
        EXPECT_EQ(c.fOk, fast.VroonSourceMovieToDestination(source.c_str(), destination.c_str()));
        EXPECT_EQ(c.source, TESTFILE_Read(source));
        EXPECT_EQ(c.fOk, TESTFILE_Exists(destination));
        if (c.fOk) {
            EXPECT_EQ(c.expected, TESTFILE_Read(destination));
        }
        // Every refusal leaves a report for the developer.
        EXPECT_EQ(c.fOk, capture.Text().empty()) << capture.Text();
    }
}

TEST(QTFast, ReportsEachStageThroughTheHooks) {
    const string mdat = Atom(QTATOM_MDAT, MediaData(5000));
    const string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(Stco({8, 4100}))});
    ASSERT_TRUE(TESTFILE_Write(Scratch("stages.mov"), mdat + moov));
    CRecordingFast fast;
    ASSERT_TRUE(fast.VroonSourceMovieToDestination(Scratch("stages.mov").c_str(), Scratch("stages.out").c_str()));
    const string m = std::to_string(moov.size());
    const std::vector<string> expected = {
        "status Moving big data around in this QuickTime movie!",
        "range " + m,
        "cancelled?",
        "position " + m,
        "range 5008",
        "cancelled?",
        "position 4096",
        "cancelled?",
        "position 5008",
        "status Vrooning in progress...",
        "status Vrooning complete.",
    };
    EXPECT_EQ(expected, fast.m_calls);
}

TEST(QTFast, AlreadyFastStartIsReportedAndNothingIsWritten) {
    const string movie = Scratch("fast.mov"), destination = Scratch("fast.out");
    const string bytes = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(Stco({200}))}) + Atom(QTATOM_MDAT, "x");
    ASSERT_TRUE(TESTFILE_Write(movie, bytes));
    std::remove(destination.c_str());
    const std::vector<string> report = {"range 100", "position 100",
                                        "status This movie is already suitable for Internet streaming."};
    {
        CRecordingFast fast;
        EXPECT_TRUE(fast.IsAlreadyFastStart(movie.c_str()));
        EXPECT_EQ(report, fast.m_calls);
    }
    {
        CRecordingFast fast;
        EXPECT_TRUE(fast.VroonSourceMovieToDestination(movie.c_str(), destination.c_str()));
        EXPECT_EQ(report, fast.m_calls);
        EXPECT_FALSE(TESTFILE_Exists(destination));
    }
    {
        CRecordingFast fast;
        EXPECT_TRUE(fast.VroonMovieInPlace(movie.c_str()));
        EXPECT_STREQ("", fast.m_inmovie);
        EXPECT_FALSE(TESTFILE_Exists(Scratch("fast.FS")));
    }
    EXPECT_EQ(bytes, TESTFILE_Read(movie));

    CQTFast fast;
    const string flattened = Atom(QTATOM_MDAT, "x") + MOVIEFIXTURE_Movie({});
    ASSERT_TRUE(TESTFILE_Write(movie, flattened));
    EXPECT_FALSE(fast.IsAlreadyFastStart(movie.c_str()));
    EXPECT_FALSE(fast.IsAlreadyFastStart(Scratch("missing.mov").c_str()));
}

struct InPlace {
    string movie, fs, bak, original, converted;
};

InPlace PrepareInPlace(const string& stem) {
    InPlace p = {Scratch(stem + ".mov"), Scratch(stem + ".FS"), Scratch(stem + ".BAK"), "", ""};
    const string mdat = Atom(QTATOM_MDAT, MediaData(9000));
    const string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(Stco({8, 5000}))});
    p.original = mdat + moov;
    p.converted = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(Stco({8 + moov.size(), 5000 + moov.size()}))}) + mdat;
    EXPECT_TRUE(TESTFILE_Write(p.movie, p.original));
    std::remove(p.fs.c_str());
    std::remove(p.bak.c_str());
    return p;
}

TEST(QTFast, InPlaceConversionThenCommit) {
    const InPlace p = PrepareInPlace("commit");
    CQTFast fast;
    ASSERT_TRUE(fast.VroonMovieInPlace(p.movie.c_str()));
    EXPECT_EQ(p.movie, fast.m_inmovie);
    EXPECT_EQ(p.fs, fast.m_outmovie);
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
    EXPECT_EQ(p.converted, TESTFILE_Read(p.fs));

    ASSERT_TRUE(fast.VroonCommitReplace());
    EXPECT_EQ(p.converted, TESTFILE_Read(p.movie));
    EXPECT_FALSE(TESTFILE_Exists(p.fs));
    EXPECT_FALSE(TESTFILE_Exists(p.bak));
}

TEST(QTFast, InPlaceConversionThenRollback) {
    const InPlace p = PrepareInPlace("rollback");
    CQTFast fast;
    ASSERT_TRUE(fast.VroonMovieInPlace(p.movie.c_str()));
    ASSERT_TRUE(fast.VroonRollbackReplace());
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
    EXPECT_FALSE(TESTFILE_Exists(p.fs));
    EXPECT_FALSE(TESTFILE_Exists(p.bak));

    // A second rollback finds no temporary file: it fails quietly and leaves the movie alone.
    CDiagCapture capture;
    EXPECT_FALSE(fast.VroonRollbackReplace());
    EXPECT_EQ("", capture.Text());
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
}

TEST(QTFast, CommitNeverOverwritesAnExistingBackup) {
    const InPlace p = PrepareInPlace("backup");
    CQTFast fast;
    ASSERT_TRUE(fast.VroonMovieInPlace(p.movie.c_str()));
    ASSERT_TRUE(TESTFILE_Write(p.bak, "someone's backup"));
    EXPECT_FALSE(fast.VroonCommitReplace());
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
    EXPECT_EQ(p.converted, TESTFILE_Read(p.fs));
    EXPECT_EQ("someone's backup", TESTFILE_Read(p.bak));
}

TEST(QTFast, CommitWhoseTemporaryFileHasGoneLeavesTheMovieUnderTheBackupName) {
    const InPlace p = PrepareInPlace("gone");
    CQTFast fast;
    ASSERT_TRUE(fast.VroonMovieInPlace(p.movie.c_str()));
    std::remove(p.fs.c_str());
    EXPECT_FALSE(fast.VroonCommitReplace());
    EXPECT_FALSE(TESTFILE_Exists(p.movie));
    EXPECT_EQ(p.original, TESTFILE_Read(p.bak));
}

TEST(QTFast, CommitWithoutAConversionChangesNothing) {
    CQTFast fast;
    EXPECT_FALSE(fast.VroonCommitReplace());
    EXPECT_FALSE(fast.VroonRollbackReplace());
}

TEST(QTFast, CancelAfterTheFirstMediaChunkLeavesNoOutput) {
    const InPlace p = PrepareInPlace("cancel");
    // The movie atom is one chunk: question 1 follows it, question 2 the first chunk of the media data.
    CRecordingFast fast(2);
    CDiagCapture capture;
    EXPECT_FALSE(fast.VroonMovieInPlace(p.movie.c_str()));
    const std::vector<string> last(fast.m_calls.end() - 3, fast.m_calls.end());
    EXPECT_EQ(
        (std::vector<string>{"position " + std::to_string(p.converted.size() - 9008), "range 9008", "cancelled?"}),
        last);
    EXPECT_STREQ("", fast.m_inmovie);
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
    EXPECT_FALSE(TESTFILE_Exists(p.fs));
}

TEST(QTFast, InPlaceRefusesNamesItCannotDeriveSafely) {
    const struct {
        const char* szCase;
        string name;
        string derived;  // a file that must not appear
    } cases[] = {
        {"a name without an extension", "noext", "noext.FS"},
        {"a name whose temporary file would be itself", "itself.fs", "itself.FS"},
    };
    const InPlace p = PrepareInPlace("refused");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        const string movie = Scratch(c.name), derived = Scratch(c.derived);
        std::remove(derived.c_str());
        ASSERT_TRUE(TESTFILE_Write(movie, p.original));
        // Where names ignore case the temporary name is the movie itself.
        const bool fDerivedIsMovie = TESTFILE_Exists(derived);
        CQTFast fast;
        CDiagCapture capture;
        EXPECT_FALSE(fast.VroonMovieInPlace(movie.c_str()));
        EXPECT_STREQ("", fast.m_inmovie);
        EXPECT_EQ(p.original, TESTFILE_Read(movie));
        if (!fDerivedIsMovie) {
            EXPECT_FALSE(TESTFILE_Exists(derived));
        }
    }
    CQTFast fast;
    CDiagCapture capture;
    EXPECT_FALSE(fast.VroonSourceMovieToDestination(p.movie.c_str(), p.movie.c_str()));
    EXPECT_EQ(p.original, TESTFILE_Read(p.movie));
}

TEST(QTFast, FailureReportsQuoteTheFailedStep) {
    const string mdat = Atom(QTATOM_MDAT, "data");
    ASSERT_TRUE(TESTFILE_Write(Scratch("notables.mov"), mdat + MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(STTS)})));
    CQTFast fast;
    CDiagCapture capture;
    EXPECT_FALSE(fast.VroonSourceMovieToDestination(Scratch("notables.mov").c_str(), Scratch("notables.out").c_str()));
    const string text = capture.Text();
    EXPECT_NE(string::npos, text.find("MFX_VERIFY failed: in QTFAST (#:"));
    EXPECT_NE(
        string::npos,
        text.find(") fOk = outfile.RewriteChunkSampleTablesToNewMDATOffset(moov.m_dwAtomSize,mdat.m_dwAtomStart)\n"));
}

TEST(QTFast, IsQuickTimeMovieFileLooksForAMovieAtomAnywhere) {
    const struct {
        const char* szCase;
        string bytes;
        bool fMovie;
    } cases[] = {
        {"moov first", MOVIEFIXTURE_Movie({}), true},
        {"moov after others", Atom(QTATOM_FTYP, "qt  ") + Atom(QTATOM_MDAT, "x") + MOVIEFIXTURE_Movie({}), true},
        {"no moov", Atom(QTATOM_MDAT, "x"), false},
        {"text", "This is not a movie at all.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        ASSERT_TRUE(TESTFILE_Write(Scratch("probe.mov"), c.bytes));
        EXPECT_EQ(c.fMovie, IsQuickTimeMovieFile(Scratch("probe.mov").c_str()));
    }
    CDiagCapture capture;
    EXPECT_FALSE(IsQuickTimeMovieFile(Scratch("absent.mov").c_str()));
}

}  // namespace
