#include "movie/qtfile.h"

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

std::string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

// Writes bytes to a scratch file and opens it for reading.
void OpenBytes(CQTFile* file, const string& name, const string& bytes) {
    ASSERT_TRUE(TESTFILE_Write(Scratch(name), bytes));
    ASSERT_TRUE(file->OpenRead(Scratch(name).c_str()));
}

string Atom(uint32_t dwType, const string& content) {
    return MOVIEFIXTURE_Atom(dwType, content);
}

const uint32_t QTATOM_MVHD = QTATOM_Type('m', 'v', 'h', 'd');

using CRecordingFile = CRecordingHooks<CQTFile>;

TEST(QTFile, OpenModes) {
    const string existing = Scratch("open_existing"), missing = Scratch("open_missing");
    ASSERT_TRUE(TESTFILE_Write(existing, "content"));
    std::remove(missing.c_str());
    CDiagCapture capture;
    CQTFile file;

    EXPECT_FALSE(file.OpenRead(missing.c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_NE(string::npos, capture.Text().find("MFX_VERIFY failed: in QTFILE (#:"));
    EXPECT_NE(string::npos, capture.Text().find(") fOk = (m_file!=NULL)\n"));
    EXPECT_FALSE(file.OpenUpdate(missing.c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(TESTFILE_Exists(missing));
    EXPECT_EQ(0u, file.Tell());
    EXPECT_NE(0, file.Seek(0, SEEK_SET));

    ASSERT_TRUE(file.OpenRead(existing.c_str()));
    EXPECT_EQ(7u, file.Length());
    ASSERT_TRUE(file.OpenUpdate(existing.c_str()));
    ASSERT_TRUE(file.Seek(3, SEEK_SET) == 0 && file.Write("X", 1));
    file.Close();
    EXPECT_EQ("conXent", TESTFILE_Read(existing));

    ASSERT_TRUE(file.OpenWrite(existing.c_str()));
    file.Close();
    EXPECT_TRUE(TESTFILE_Exists(existing));
    EXPECT_EQ("", TESTFILE_Read(existing));
}

TEST(QTFile, IntegersAreBigEndianAndTypesKeepFileOrder) {
    CQTFile file;
    const string path = Scratch("integers");
    ASSERT_TRUE(file.OpenWrite(path.c_str()));
    ASSERT_TRUE(file.WriteDWORD(0x01020304) && file.WriteType(QTATOM_STCO) && file.WriteQWORD(0x1122334455667788));
    file.Close();
    const string bytes = TESTFILE_Read(path);
    EXPECT_EQ(string("\x01\x02\x03\x04stco\x11\x22\x33\x44\x55\x66\x77\x88", 16), bytes);

    ASSERT_TRUE(file.OpenRead(path.c_str()));
    uint32_t dw = 0, dwType = 0;
    uint64_t qw = 0;
    ASSERT_TRUE(file.ReadDWORD(&dw) && file.ReadType(&dwType) && file.ReadQWORD(&qw));
    EXPECT_EQ(0x01020304u, dw);
    EXPECT_EQ(QTATOM_STCO, dwType);
    EXPECT_EQ(0x1122334455667788u, qw);
    EXPECT_FALSE(file.ReadDWORD(&dw));
    char ch;
    EXPECT_FALSE(file.Read(&ch, 1));
}

TEST(QTFile, FindAtomWalksTheTopLevel) {
    const string moov = Atom(QTATOM_MOOV, "m");
    const string mdat = Atom(QTATOM_MDAT, "data");
    const struct {
        const char* szCase;
        string bytes;
        uint32_t dwType;
        bool fFound;
        uint64_t qwStart, qwSize;
        bool fDamaged = false;
    } cases[] = {
        {"moov first", moov + mdat, QTATOM_MOOV, true, 0, 9},
        {"moov after mdat", mdat + moov, QTATOM_MOOV, true, 12, 9},
        {"after a free atom", Atom(QTATOM_FREE, "") + moov, QTATOM_MOOV, true, 8, 9},
        {"absent", mdat, QTATOM_MOOV, false, 0, 0},
        {"empty file", "", QTATOM_MOOV, false, 0, 0},
        {"size 0 ends the walk", mdat + string("\0\0\0\0free", 8) + moov, QTATOM_MOOV, false, 0, 0},
        {"zero type ends the walk", mdat + MOVIEFIXTURE_DWORD(8) + string(4, '\0') + moov, QTATOM_MOOV, false, 0, 0},
        {"extended size is skipped whole", MOVIEFIXTURE_Atom64(QTATOM_MDAT, "0123456789") + moov, QTATOM_MOOV, true, 26,
         9},
        {"extended size is found", moov + MOVIEFIXTURE_Atom64(QTATOM_MDAT, "ab"), QTATOM_MDAT, true, 9, 18},
        {"size smaller than its header", MOVIEFIXTURE_DWORD(4) + "free" + moov, QTATOM_MOOV, false, 0, 0, true},
        {"extended size smaller than its header", MOVIEFIXTURE_DWORD(1) + "free" + MOVIEFIXTURE_QWORD(12) + moov,
         QTATOM_MOOV, false, 0, 0, true},
        {"size past the end of the file", mdat + MOVIEFIXTURE_DWORD(100) + "moov", QTATOM_MOOV, false, 0, 0, true},
        {"extended size past the end", MOVIEFIXTURE_DWORD(1) + "mdat" + MOVIEFIXTURE_QWORD(UINT64_MAX) + moov,
         QTATOM_MOOV, false, 0, 0, true},
        {"truncated header", mdat + "\0\0", QTATOM_MOOV, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CQTFile file;
        OpenBytes(&file, "findatom", c.bytes);
        CQTAtom atom;
        EXPECT_EQ(c.fFound, FindAtom(&atom, c.dwType, &file));
        EXPECT_EQ(c.fDamaged, file.IsDamaged());
        if (c.fFound) {
            EXPECT_EQ(c.dwType, atom.m_dwAtomType);
            EXPECT_EQ(c.qwStart, atom.m_dwAtomStart);
            EXPECT_EQ(c.qwSize, atom.m_dwAtomSize);
            EXPECT_EQ(atom.ContentStart(), file.Tell());
        }
    }
}

TEST(QTFile, FindChildAndNextSiblingStayInsideTheParent) {
    const string trakA = Atom(QTATOM_TRAK, "A"), trakB = Atom(QTATOM_TRAK, "BB");
    const string mvhd = Atom(QTATOM_MVHD, "h");
    const struct {
        const char* szCase;
        string bytes;  // the parent is the first atom
        std::vector<uint64_t> expectedStarts;
        bool fDamaged = false;
    } cases[] = {
        {"two tracks after a header", Atom(QTATOM_MOOV, mvhd + trakA + trakB), {17, 26}},
        {"no children", Atom(QTATOM_MOOV, ""), {}},
        {"a track after the parent is not a child", Atom(QTATOM_MOOV, trakA) + trakB, {8}},
        {"size 0 inside ends the walk", Atom(QTATOM_MOOV, trakA + string(8, '\0') + trakB), {8}},
        {"child reaching past the parent",
         Atom(QTATOM_MOOV, MOVIEFIXTURE_DWORD(20) + "trak") + string(12, 'x'),
         {},
         true},
        {"second child reaching past the parent",
         Atom(QTATOM_MOOV, trakA + MOVIEFIXTURE_DWORD(20) + "trak") + "xyz",
         {8},
         true},
        {"extended form child", Atom(QTATOM_MOOV, MOVIEFIXTURE_Atom64(QTATOM_TRAK, "x") + trakA), {8, 25}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CQTFile file;
        OpenBytes(&file, "findchild", c.bytes);
        CQTAtom moov, trak;
        ASSERT_TRUE(FindAtom(&moov, QTATOM_MOOV, &file));
        std::vector<uint64_t> starts;
        for (bool f = moov.FindChild(&file, &trak, QTATOM_TRAK); f; f = moov.FindNextSibling(&file, &trak, QTATOM_TRAK))
            starts.push_back(trak.m_dwAtomStart);
        EXPECT_EQ(c.expectedStarts, starts);
        EXPECT_EQ(c.fDamaged, file.IsDamaged());
    }
}

TEST(QTFile, EmptyContainerHasNoChildrenWithoutReading) {
    CQTFile file;
    OpenBytes(&file, "emptycontainer", Atom(QTATOM_MOOV, "") + Atom(QTATOM_TRAK, ""));
    CQTAtom moov, trak;
    ASSERT_TRUE(FindAtom(&moov, QTATOM_MOOV, &file));
    EXPECT_FALSE(moov.FindChild(&file, &trak, QTATOM_TRAK));
    EXPECT_EQ(8u, file.Tell());
    EXPECT_EQ(0u, trak.m_dwAtomSize);
}

TEST(QTFile, SeeksAndHeaderWrites) {
    CQTFile file;
    const string path = Scratch("seeks");
    ASSERT_TRUE(TESTFILE_Write(path, "pad" + Atom(QTATOM_FREE, "xy") + MOVIEFIXTURE_Atom64(QTATOM_MDAT, "z")));
    ASSERT_TRUE(file.OpenUpdate(path.c_str()));
    CQTAtom free_, mdat, cleared;
    ASSERT_TRUE(file.Seek(3, SEEK_SET) == 0 && free_.Read(&file));
    ASSERT_TRUE(free_.SeekToEnd(&file) && mdat.Read(&file));
    EXPECT_EQ(13u, mdat.m_dwAtomStart);
    EXPECT_EQ(16u, mdat.m_cbHeader);
    EXPECT_EQ(29u, file.Tell());
    ASSERT_TRUE(free_.SeekToStart(&file));
    EXPECT_EQ(3u, file.Tell());
    ASSERT_TRUE(free_.SeekToContent(&file));
    EXPECT_EQ(11u, file.Tell());
    EXPECT_FALSE(cleared.SeekToStart(&file));
    EXPECT_FALSE(cleared.SeekToEnd(&file));
    EXPECT_FALSE(cleared.WriteHeader(&file));

    free_.m_dwAtomType = QTATOM_SKIP;
    mdat.m_dwAtomSize = 17;
    ASSERT_TRUE(free_.WriteHeader(&file) && mdat.WriteHeader(&file));
    file.Close();
    EXPECT_EQ("pad" + Atom(QTATOM_SKIP, "xy") + MOVIEFIXTURE_DWORD(1) + "mdat" + MOVIEFIXTURE_QWORD(17) + "z",
              TESTFILE_Read(path));
}

string TableIn(const string& table) {
    return Atom(QTATOM_STBL, Atom(QTATOM_Type('s', 't', 's', 'z'), "12") + table);
}

TEST(QTChunkOffsetAtom, ReadsOnlyTablesThatFitTheirAtom) {
    const string ver = MOVIEFIXTURE_DWORD(0x01020304);
    const struct {
        const char* szCase;
        string table;
        bool fRead, fEmpty;
        std::vector<uint64_t> offsets;
    } cases[] = {
        {"stco", MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {8, 0xFFFFFFFF}), true, false, {8, 0xFFFFFFFF}},
        {"co64", MOVIEFIXTURE_ChunkOffsets(QTATOM_CO64, {8, 0x123456789A}), true, false, {8, 0x123456789A}},
        {"empty", MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, {}), false, true, {}},
        {"count beyond the atom",
         Atom(QTATOM_STCO, ver + MOVIEFIXTURE_DWORD(3) + MOVIEFIXTURE_DWORD(8)),
         false,
         false,
         {}},
        {"huge count", Atom(QTATOM_CO64, ver + MOVIEFIXTURE_DWORD(0xFFFFFFFF)), false, false, {}},
        {"no count", Atom(QTATOM_STCO, ver), false, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CQTFile file;
        OpenBytes(&file, "stcoread", TableIn(c.table));
        CQTAtom stbl;
        CQTChunkOffsetAtom stco;
        ASSERT_TRUE(FindAtom(&stbl, QTATOM_STBL, &file));
        const uint32_t dwType = MOVIEFIXTURE_GetDWORD(c.table, 4);
        EXPECT_EQ(c.fRead, stbl.FindChild(&file, &stco, dwType));
        EXPECT_EQ(c.fEmpty, stco.IsEmpty());
        if (c.fRead) {
            ASSERT_NE(nullptr, stco.m_pdwOffsets);
            EXPECT_EQ(c.offsets, std::vector<uint64_t>(stco.m_pdwOffsets, stco.m_pdwOffsets + stco.m_dwEntries));
        } else {
            EXPECT_EQ(nullptr, stco.m_pdwOffsets);
        }
    }
}

TEST(QTChunkOffsetAtom, AdjustOffsetsShiftsEveryEntryOrNone) {
    const struct {
        const char* szCase;
        uint32_t dwType;
        std::vector<uint64_t> offsets;
        uint64_t qwMoovSize, qwMdatStart;
        bool fOk;
        std::vector<uint64_t> expected;
    } cases[] = {
        {"by the movie atom's size", QTATOM_STCO, {8, 100, 5000}, 300, 0, true, {308, 400, 5300}},
        {"general form", QTATOM_STCO, {108, 200}, 300, 100, true, {308, 400}},
        {"backwards", QTATOM_STCO, {108, 200}, 0, 100, true, {8, 100}},
        {"to the last 32-bit offset", QTATOM_STCO, {0xFFFFFF00}, 0xFF, 0, true, {0xFFFFFFFF}},
        {"32-bit overflow refused", QTATOM_STCO, {8, 0xFFFFFF00}, 0x100, 0, false, {8, 0xFFFFFF00}},
        {"below 0 refused", QTATOM_STCO, {8, 200}, 0, 100, false, {8, 200}},
        {"co64 beyond 32 bits", QTATOM_CO64, {8, 0xFFFFFF00}, 0x100, 0, true, {0x108, 0x100000000}},
        {"co64 overflow refused", QTATOM_CO64, {UINT64_MAX - 1}, 2, 0, false, {UINT64_MAX - 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CQTFile file;
        OpenBytes(&file, "adjust", TableIn(MOVIEFIXTURE_ChunkOffsets(c.dwType, c.offsets)));
        CQTAtom stbl;
        CQTChunkOffsetAtom stco;
        ASSERT_TRUE(FindAtom(&stbl, QTATOM_STBL, &file) && stbl.FindChild(&file, &stco, c.dwType));
        CDiagCapture capture;
        EXPECT_EQ(c.fOk, stco.AdjustOffsets(c.qwMoovSize, c.qwMdatStart));
        EXPECT_EQ(c.fOk, capture.Text().empty());
        EXPECT_EQ(c.expected, std::vector<uint64_t>(stco.m_pdwOffsets, stco.m_pdwOffsets + stco.m_dwEntries));
    }
    CQTChunkOffsetAtom unread;
    EXPECT_FALSE(unread.AdjustOffsets(10, 0));
}

TEST(QTChunkOffsetAtom, WriteRoundTripsInPlace) {
    for (uint32_t dwType : {QTATOM_STCO, QTATOM_CO64}) {
        SCOPED_TRACE(dwType == QTATOM_STCO ? "stco" : "co64");
        string table = MOVIEFIXTURE_ChunkOffsets(dwType, {16, 32, 64});
        table[9] = '\x07';  // version and flags are copied verbatim
        const string path = Scratch("stcowrite");
        const string before = Atom(QTATOM_MDAT, "data") + TableIn(table) + Atom(QTATOM_FREE, "tail");
        ASSERT_TRUE(TESTFILE_Write(path, before));
        CQTFile file;
        ASSERT_TRUE(file.OpenUpdate(path.c_str()));
        CQTAtom stbl;
        CQTChunkOffsetAtom stco;
        ASSERT_TRUE(FindAtom(&stbl, QTATOM_STBL, &file) && stbl.FindChild(&file, &stco, dwType));
        ASSERT_TRUE(stco.Write(&file));
        ASSERT_TRUE(stco.AdjustOffsets(1000, 0) && stco.Write(&file));
        file.Close();
        string expectedTable = MOVIEFIXTURE_ChunkOffsets(dwType, {1016, 1032, 1064});
        expectedTable[9] = '\x07';
        EXPECT_EQ(Atom(QTATOM_MDAT, "data") + TableIn(expectedTable) + Atom(QTATOM_FREE, "tail"),
                  TESTFILE_Read(path));
    }
}

struct CopyCase {
    const char* szCase;
    uint32_t dwSize;
    int nCancelAt;
    bool fOk;
    std::vector<string> calls;
    uint32_t dwCopied;
};

TEST(QTFile, CopyRangeReportsEachChunkThenAsksToCancel) {
    const CopyCase cases[] = {
        {"0 bytes", 0, 0, true, {"range 0"}, 0},
        {"one whole chunk", 4096, 0, true, {"range 4096", "cancelled?", "position 4096"}, 4096},
        {"one chunk and one byte",
         4097,
         0,
         true,
         {"range 4097", "cancelled?", "position 4096", "cancelled?", "position 4097"},
         4097},
        {"cancelled after the first chunk", 10000, 1, false, {"range 10000", "cancelled?"}, 4096},
        {"cancelled in the last chunk",
         4100,
         2,
         false,
         {"range 4100", "cancelled?", "position 4096", "cancelled?"},
         4100},
    };
    string source;
    for (int i = 0; i < 12000; ++i)
        source += char('a' + i % 26);
    ASSERT_TRUE(TESTFILE_Write(Scratch("copysource"), source));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CRecordingFile file(c.nCancelAt);
        CQTFile outfile;
        ASSERT_TRUE(file.OpenRead(Scratch("copysource").c_str()));
        ASSERT_TRUE(outfile.OpenWrite(Scratch("copytarget").c_str()));
        ASSERT_TRUE(outfile.Write("head", 4));
        CDiagCapture capture;
        EXPECT_EQ(c.fOk, file.CopyRange(&outfile, 7, c.dwSize));
        outfile.Close();
        EXPECT_EQ(c.calls, file.m_calls);
        EXPECT_EQ("head" + source.substr(7, c.dwCopied), TESTFILE_Read(Scratch("copytarget")));
        EXPECT_EQ(c.fOk, capture.Text().empty());
    }
}

TEST(QTFile, CopyRangeFailsOnAShortSourceAndQuotesTheStep) {
    ASSERT_TRUE(TESTFILE_Write(Scratch("shortsource"), string(5000, 's')));
    const struct {
        const char* szCase;
        uint32_t dwSize;
        const char* szExpression;
    } cases[] = {
        {"whole chunk", 9000,
         ") fOk = (Read(buffer,CHUNKSIZE) && outfile->Write(buffer,CHUNKSIZE)) && !UI_IsCancelled()\n"},
        {"last chunk", 5001,
         ") fOk = (Read(buffer,dwLastChunk) && outfile->Write(buffer,dwLastChunk)) && !UI_IsCancelled()\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CRecordingFile file;
        CQTFile outfile;
        ASSERT_TRUE(file.OpenRead(Scratch("shortsource").c_str()));
        ASSERT_TRUE(outfile.OpenWrite(Scratch("shorttarget").c_str()));
        CDiagCapture capture;
        EXPECT_FALSE(file.CopyRange(&outfile, 0, c.dwSize));
        const auto lines = capture.Lines();
        ASSERT_EQ(2u, lines.size());
        EXPECT_NE(string::npos, lines[0].find("MFX_VERIFY failed: in QTFILE (#:"));
        EXPECT_NE(string::npos, lines[0].find(c.szExpression));
        EXPECT_NE(string::npos, lines[1].find(") fOk\n"));
        EXPECT_EQ(string::npos, string(file.m_calls.back()).find("cancelled?"));
    }
}

}  // namespace
