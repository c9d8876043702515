#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "movie/qtmodern.h"
#include "movie/tests/qtmodernfixture.h"
#include "testing/testsupport/diagcapture.h"

namespace {

const uint32_t TYPE_FTYP = QTATOM_FTYP;
const uint32_t TYPE_MDAT = QTATOM_MDAT;

std::string Atom(const char (&szType)[5], const std::string& content) {
    return MOVIEFIXTURE_Atom(QTATOM_Type(szType[0], szType[1], szType[2], szType[3]), content);
}

const std::string FTYP = MOVIEFIXTURE_Atom(TYPE_FTYP, "isom\0\0\2\0isomiso2mp41");
const std::string MOOV = QTMFIXTURE_MOOV;

// The parts of today's layouts, for both ways of converting them.
struct LAYOUTPARTS {
    std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(300, 'a'));
    std::string media2 = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(120, 'b'));
    std::string media64 = MOVIEFIXTURE_Atom64(TYPE_MDAT, QTMFIXTURE_Media(200, 'c'));
    std::string free = Atom("free", std::string(16, 'f'));
    std::string wide = Atom("wide", "");
} const s_parts;

// The output the plan describes, put together from the source the way the caller copies it.
std::string Assemble(const QTM_PLAN& plan, const std::string& source) {
    std::string output;
    for (const QTM_PIECE& piece : plan.pieces) {
        if (piece.fMoov)
            output.append(reinterpret_cast<const char*>(plan.moov.data()), plan.moov.size());
        else
            output += source.substr(piece.qwSourceStart, piece.qwSize);
    }
    return output;
}

QTM_PLAN Plan(const std::string& source, bool fDropFree = false) {
    CQTMemorySource memory(source.data(), source.size());
    QTM_OPTIONS options = {};
    options.fDropFree = fDropFree;
    QTM_PLAN plan;
    QTMODERN_Plan(memory, options, &plan);
    return plan;
}

QTM_RESULT Verify(const std::string& output, uint64_t* pqwWhere) {
    CQTMemorySource memory(output.data(), output.size());
    return QTMODERN_Verify(memory, pqwWhere);
}

TEST(QtModernTest, ConvertsTodaysLayoutsMovingOnlyMoovAndShiftingEachChunkByItsOwnMdat) {
    const std::string &media = s_parts.media, &media2 = s_parts.media2, &media64 = s_parts.media64;
    const std::string &free = s_parts.free, &wide = s_parts.wide;
    const struct {
        const char* szName;
        std::vector<std::string> parts;
        std::vector<size_t> source, expected;
        std::vector<QTMFIXTURE_CHUNK> chunks;
        bool fDropFree;
    } cases[] = {
        {"classic mdat then moov", {media, MOOV}, {0, 1}, {1, 0}, {{0, 0}, {0, 150}, {0, 299}}, false},
        {"ftyp and free stay in front", {FTYP, free, media, MOOV}, {0, 1, 2, 3}, {0, 1, 3, 2}, {{2, 10}, {2, 20}}, false},
        {"ftyp, wide, trailing free", {FTYP, wide, media, MOOV, free}, {0, 1, 2, 3, 4}, {0, 1, 3, 2, 4}, {{2, 1}}, false},
        {"second mdat after moov keeps its place", {FTYP, media, MOOV, media2}, {0, 1, 2, 3}, {0, 2, 1, 3},
         {{1, 5}, {3, 0}, {3, 119}, {1, 250}}, false},
        {"second mdat before moov", {FTYP, media, media2, MOOV}, {0, 1, 2, 3}, {0, 3, 1, 2}, {{2, 7}, {1, 9}}, false},
        {"64-bit mdat header", {FTYP, media64, MOOV}, {0, 1, 2}, {0, 2, 1}, {{1, 0}, {1, 199}}, false},
        {"pdin and uuid in front", {Atom("pdin", "12345678"), Atom("uuid", std::string(16, 'u')), media, MOOV},
         {0, 1, 2, 3}, {0, 1, 3, 2}, {{2, 3}}, false},
        {"--drop-free leaves out free and skip", {FTYP, free, media, Atom("skip", "s"), MOOV, free},
         {0, 1, 2, 3, 4, 5}, {0, 4, 2}, {{2, 100}}, true},
    };
    for (const auto& c : cases) {
        for (uint32_t dwTable : {QTATOM_STCO, QTATOM_CO64}) {
            SCOPED_TRACE(std::string(c.szName) + (dwTable == QTATOM_STCO ? " (stco)" : " (co64)"));
            const std::string source = QTMFIXTURE_Layout(c.parts, c.source, c.chunks, dwTable);
            const std::string expected = QTMFIXTURE_Layout(c.parts, c.expected, c.chunks, dwTable);
            const QTM_PLAN plan = Plan(source, c.fDropFree);
            ASSERT_EQ(QTM_CONVERT, plan.result);
            EXPECT_EQ(1u, plan.nTables);
            EXPECT_EQ(0u, plan.nUpgraded);
            EXPECT_EQ(expected.size(), plan.qwOutputSize);
            const std::string output = Assemble(plan, source);
            EXPECT_EQ(expected, output);
            uint64_t qwWhere = 0;
            EXPECT_EQ(QTM_ALREADY_FAST_START, Verify(output, &qwWhere));
            EXPECT_EQ(QTM_ALREADY_FAST_START, Plan(output, c.fDropFree).result);
        }
    }
}

// Writers mean a size field of 0 as "to the end of the file"; the output keeps such an atom last, or gives
// moov, which no longer ends the file, its real size.
TEST(QtModernTest, SizeZeroMeansToTheEndOfTheFile) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(64, 'm'));
    const std::string media2 = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(40, 'n'));
    const std::vector<QTMFIXTURE_CHUNK> chunks = {{1, 3}, {3, 30}};
    const std::vector<std::string> parts = {FTYP, media, MOOV, media2};
    auto Zeroed = [](std::string bytes, size_t nAt) { return bytes.replace(nAt, 4, std::string(4, '\0')); };

    std::string source = QTMFIXTURE_Layout(parts, {0, 1, 2, 3}, chunks, QTATOM_STCO);
    source = Zeroed(source, source.size() - media2.size());
    std::string expected = QTMFIXTURE_Layout(parts, {0, 2, 1, 3}, chunks, QTATOM_STCO);
    expected = Zeroed(expected, expected.size() - media2.size());
    QTM_PLAN plan = Plan(source);
    ASSERT_EQ(QTM_CONVERT, plan.result);
    EXPECT_EQ(expected, Assemble(plan, source));

    source = Zeroed(QTMFIXTURE_Layout({FTYP, media, MOOV}, {0, 1, 2}, {{1, 0}}, QTATOM_STCO), FTYP.size() + media.size());
    plan = Plan(source);
    ASSERT_EQ(QTM_CONVERT, plan.result);
    EXPECT_EQ(QTMFIXTURE_Layout({FTYP, media, MOOV}, {0, 2, 1}, {{1, 0}}, QTATOM_STCO), Assemble(plan, source));
}

TEST(QtModernTest, MoviesWhoseMoovPrecedesTheMediaAreLeftAlone) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(50, 'x'));
    const std::string mvex = Atom("mvex", Atom("trex", std::string(24, '\0')));
    const std::string fragmentedMoov = Atom("moov", Atom("mvhd", std::string(100, '\0')) + mvex);
    const std::string cmov = Atom("moov", Atom("cmov", Atom("dcom", "zlib")));
    const struct {
        const char* szName;
        std::string source;
    } cases[] = {
        {"ftyp moov mdat", QTMFIXTURE_Layout({FTYP, MOOV, media}, {0, 1, 2}, {{2, 4}}, QTATOM_STCO)},
        {"moov alone", QTMFIXTURE_Layout({MOOV}, {0}, {}, QTATOM_STCO)},
        {"fragmented, moov first", FTYP + fragmentedMoov + Atom("moof", Atom("mfhd", "12345678")) + media},
        {"compressed, moov first", cmov + media},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        const QTM_PLAN plan = Plan(c.source);
        EXPECT_EQ(QTM_ALREADY_FAST_START, plan.result);
        EXPECT_TRUE(plan.pieces.empty());
    }
}

TEST(QtModernTest, RefusesWhatItCannotConvertAndSaysWhere) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(50, 'x'));
    const std::string moov = QTMFIXTURE_Moov({media.size() - 10}, QTATOM_STCO);
    const std::string fragmentedMoov = Atom("moov", Atom("mvex", Atom("trex", std::string(24, '\0'))));
    std::string damaged = media + QTMFIXTURE_Moov({8}, QTATOM_STCO);
    const size_t nStco = damaged.find("stco") - 4;
    damaged.replace(nStco + 12, 4, MOVIEFIXTURE_DWORD(1000));
    std::string overrun = media + moov;
    overrun.replace(media.size() + 8, 4, MOVIEFIXTURE_DWORD(5000));  // mvhd claims more than moov holds
    const std::string truncated = FTYP + MOVIEFIXTURE_DWORD(4000) + "mdat" + std::string(100, 'd');
    const struct {
        const char* szName;
        std::string source;
        QTM_RESULT result;
        uint64_t qwWhere;
    } cases[] = {
        {"empty", "", QTM_EMPTY, 0},
        {"text", "This is a plain text file and no movie at all.\n", QTM_NOT_MOVIE, 0},
        {"short", "ftyp", QTM_NOT_MOVIE, 0},
        {"unknown first atom", Atom("RIFF", "AVI LIST") + media + moov, QTM_NOT_MOVIE, 0},
        {"truncated mdat", truncated, QTM_TRUNCATED, truncated.size()},
        {"a few bytes after the last atom", media + moov + "abc", QTM_TRUNCATED, media.size() + moov.size() + 3},
        {"no moov", FTYP + media, QTM_NO_MOOV, 0},
        {"compressed moov", media + Atom("moov", Atom("cmov", Atom("dcom", "zlib"))), QTM_COMPRESSED, 0},
        {"fragments after mdat", FTYP + media + moov + Atom("moof", "12345678"), QTM_FRAGMENTED, 0},
        {"mvex after mdat", media + fragmentedMoov, QTM_FRAGMENTED, 0},
        {"table count beyond its atom", damaged, QTM_DAMAGED_TABLE, nStco},
        {"child beyond moov", overrun, QTM_BAD_ATOM, media.size() + 8},
        {"unprintable type", FTYP + MOVIEFIXTURE_DWORD(8) + std::string("\x01\x02\x03\x04", 4) + media + moov,
         QTM_BAD_ATOM, FTYP.size()},
        {"chunk in the mdat header", media + QTMFIXTURE_Moov({3}, QTATOM_STCO), QTM_CHUNK_OUTSIDE_MEDIA, 3},
        {"chunk past the end", media + QTMFIXTURE_Moov({9999}, QTATOM_CO64), QTM_CHUNK_OUTSIDE_MEDIA, 9999},
        {"two moov atoms", media + moov + moov, QTM_SEVERAL_MOOV, media.size() + moov.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        const QTM_PLAN plan = Plan(c.source);
        EXPECT_EQ(c.result, plan.result);
        EXPECT_EQ(c.qwWhere, plan.qwWhere);
        EXPECT_TRUE(plan.pieces.empty());
        EXPECT_NE("unknown result", QTMODERN_Describe(plan.result, plan.qwWhere));
    }
}

// A movie of several GB without the bytes: the headers and the moov are real, everything else reads as zero.
class CSparseSource : public CQTModernSource {
public:
    explicit CSparseSource(uint64_t qwSize) : m_qwSize(qwSize) {}
    void Put(uint64_t qwAt, const std::string& bytes) { m_regions[qwAt] = bytes; }
    uint64_t Size() const override { return m_qwSize; }
    bool ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) override {
        if (qwOffset > m_qwSize || cb > m_qwSize - qwOffset)
            return false;
        char* p = static_cast<char*>(pBuffer);
        std::fill(p, p + cb, '\0');
        for (const auto& region : m_regions) {
            const uint64_t qwStart = std::max(qwOffset, region.first);
            const uint64_t qwEnd = std::min(qwOffset + cb, region.first + region.second.size());
            for (uint64_t qw = qwStart; qw < qwEnd; ++qw)
                p[qw - qwOffset] = region.second[qw - region.first];
        }
        return true;
    }

private:
    uint64_t m_qwSize;
    std::map<uint64_t, std::string> m_regions;
};

// Every entry of the chunk offset tables in a moov atom, in order; the tables' types in *pTypes.
std::vector<uint64_t> ReadTables(const std::vector<uint8_t>& moov, std::string* pTypes) {
    const std::string bytes(moov.begin(), moov.end());
    CQTMemorySource memory(moov.data(), moov.size());
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    QTMODERN_ReadLayout(memory, true, &atoms, &qwWhere);
    std::vector<uint64_t> entries;
    for (const QTM_ATOM& atom : atoms) {
        const std::string type = QTMODERN_TypeName(atom.dwType);
        if (type != "stco" && type != "co64")
            continue;
        *pTypes += type + " ";
        const uint32_t nEntries = MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 12);
        for (uint32_t i = 0; i < nEntries; ++i) {
            entries.push_back(type == "co64" ? MOVIEFIXTURE_GetQWORD(bytes, atom.qwStart + 16 + 8 * i)
                                             : MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 16 + 4 * i));
        }
    }
    return entries;
}

// Chunks just below 4 GB move past it when moov goes in front: their stco table becomes co64, which grows
// moov and moves the media further, which can push a second table over too.
TEST(QtModernTest, StcoEntriesThatWouldOverflowAreWidenedUntilTheLayoutIsStable) {
    const uint64_t qwMdatSize = 0xFFFFFFF0ull - FTYP.size();  // the media data ends just below 4 GB
    const uint64_t qwContent = FTYP.size() + 8;
    auto MovieWith = [&](const std::vector<uint64_t>& a, const std::vector<uint64_t>& b) {
        return MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, a)),
                                   MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, b))});
    };
    const uint64_t cbMoov = MovieWith({0, 0, 0}, {0}).size();
    const uint64_t qwLimit = 0xFFFFFFFFull;
    // Table a crosses 4 GB with the original moov; table b only once a's 12 extra bytes are added.
    const std::vector<uint64_t> a = {qwContent, qwLimit - cbMoov + 1, qwContent + 100};
    const std::vector<uint64_t> b = {qwLimit - cbMoov - 8};
    const std::string moov = MovieWith(a, b);
    CSparseSource source(FTYP.size() + qwMdatSize + moov.size());
    source.Put(0, FTYP + MOVIEFIXTURE_DWORD(static_cast<uint32_t>(qwMdatSize)) + "mdat");
    source.Put(FTYP.size() + qwMdatSize, moov);

    QTM_PLAN plan;
    ASSERT_TRUE(QTMODERN_Plan(source, QTM_OPTIONS(), &plan));
    ASSERT_EQ(QTM_CONVERT, plan.result);
    EXPECT_EQ(2u, plan.nUpgraded);
    const uint64_t cbNewMoov = cbMoov + 4 * (a.size() + b.size());
    ASSERT_EQ(cbNewMoov, plan.moov.size());
    EXPECT_EQ(cbNewMoov, MOVIEFIXTURE_GetDWORD(std::string(plan.moov.begin(), plan.moov.end()), 0));
    std::vector<uint64_t> expected;
    for (uint64_t qw : a)
        expected.push_back(qw + cbNewMoov);
    for (uint64_t qw : b)
        expected.push_back(qw + cbNewMoov);
    std::string types;
    EXPECT_EQ(expected, ReadTables(plan.moov, &types));
    EXPECT_EQ("co64 co64 ", types);
    EXPECT_EQ(source.Size() + 4 * (a.size() + b.size()), plan.qwOutputSize);
}

QTM_INSERT PlanInsert(CQTModernSource& source, uint32_t cbBlock) {
    QTM_INSERT insert;
    QTMODERN_PlanInsert(source, cbBlock, &insert);
    return insert;
}

std::string ReadAll(CQTModernSource& source) {
    std::string bytes(static_cast<size_t>(source.Size()), '\0');
    EXPECT_TRUE(source.ReadAt(0, &bytes[0], bytes.size()));
    return bytes;
}

std::string TopLevelTypes(const std::string& bytes) {
    CQTMemorySource memory(bytes.data(), bytes.size());
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    EXPECT_EQ(QTM_OK, QTMODERN_ReadLayout(memory, false, &atoms, &qwWhere));
    std::string types;
    for (const QTM_ATOM& atom : atoms)
        types += QTMODERN_TypeName(atom.dwType) + " ";
    return types;
}

// The insertion's result, written out exactly: the leading atoms, moov with every chunk moved by the
// insertion, a free atom to the block's end; then the source with its leading atoms under one free header and
// its moov cut off.
TEST(QtModernTest, InsertionPutsLeadingAtomsAndMoovInFrontOfTheUntouchedSource) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(300, 'i'));
    const std::string wide = Atom("wide", "");
    const std::string source =
        QTMFIXTURE_Layout({FTYP, wide, media, MOOV}, {0, 1, 2, 3}, {{2, 0}, {2, 299}}, QTATOM_STCO);
    const uint64_t qwMedia = FTYP.size() + wide.size() + 8;
    const uint64_t cbLeading = FTYP.size() + wide.size();
    CQTMemorySource memory(source.data(), source.size());
    const QTM_INSERT insert = PlanInsert(memory, 512);
    ASSERT_EQ(QTM_CONVERT, insert.result);
    ASSERT_EQ(512u, insert.cbInsert);
    const std::string moov = QTMFIXTURE_Moov({qwMedia + 512, qwMedia + 299 + 512}, QTATOM_STCO);
    const uint64_t cbFree = 512 - cbLeading - moov.size();
    const std::string expected = FTYP + wide + moov + MOVIEFIXTURE_DWORD(static_cast<uint32_t>(cbFree)) + "free" +
                                 std::string(cbFree - 8, '\0') + MOVIEFIXTURE_DWORD(static_cast<uint32_t>(cbLeading)) +
                                 "free" + source.substr(8, cbLeading - 8) + media;
    CQTInsertedSource result(memory, insert);
    EXPECT_EQ(expected, ReadAll(result));
    EXPECT_EQ(source.size(), insert.qwSourceSize);
    EXPECT_EQ(qwMedia - 8, insert.qwProbeAt);
    EXPECT_EQ(media.size(), insert.cbProbe);
    EXPECT_EQ(0u, insert.nUpgraded);
}

// Every layout the copy converts, by insertion: the result is fast-start, every chunk finds its own bytes
// again, the insertion is the fewest whole blocks that hold the head, and behind it every source byte keeps
// its place but for the few the patches name.
TEST(QtModernTest, InsertionConvertsTodaysLayoutsMovingEveryChunkByTheInsertionAlone) {
    const std::string &media = s_parts.media, &media2 = s_parts.media2, &media64 = s_parts.media64;
    const std::string &free = s_parts.free, &wide = s_parts.wide;
    const struct {
        const char* szName;
        std::vector<std::string> parts;
        std::vector<QTMFIXTURE_CHUNK> chunks;
        const char* szTypes;  // the result's top-level atoms
    } cases[] = {
        {"classic mdat then moov", {media, MOOV}, {{0, 0}, {0, 299}}, "moov free mdat "},
        {"ftyp, free and wide in front",
         {FTYP, free, wide, media, MOOV},
         {{3, 10}},
         "ftyp free wide moov free free mdat "},
        {"trailing free after moov", {FTYP, media, MOOV, free}, {{1, 1}}, "ftyp moov free free mdat free free "},
        {"moov between two mdat",
         {FTYP, media, MOOV, media2},
         {{1, 5}, {3, 0}, {3, 119}},
         "ftyp moov free free mdat free mdat "},
        {"two mdat before moov", {FTYP, media, media2, MOOV}, {{2, 7}, {1, 9}}, "ftyp moov free free mdat mdat "},
        {"64-bit mdat header", {FTYP, media64, MOOV}, {{1, 0}, {1, 199}}, "ftyp moov free free mdat "},
    };
    for (const auto& c : cases) {
        for (uint32_t dwTable : {QTATOM_STCO, QTATOM_CO64}) {
            for (uint32_t cbBlock : {1024u, 4096u}) {
                SCOPED_TRACE(std::string(c.szName) + (dwTable == QTATOM_STCO ? " (stco) " : " (co64) ") +
                             std::to_string(cbBlock));
                std::vector<size_t> order(c.parts.size());
                for (size_t i = 0; i < order.size(); ++i)
                    order[i] = i;
                const std::string source = QTMFIXTURE_Layout(c.parts, order, c.chunks, dwTable);
                CQTMemorySource memory(source.data(), source.size());
                const QTM_INSERT insert = PlanInsert(memory, cbBlock);
                ASSERT_EQ(QTM_CONVERT, insert.result);
                const QTM_PLAN plan = Plan(source);
                const uint64_t cbHead = insert.patches[0].bytes.size();
                EXPECT_EQ(insert.cbInsert, cbHead);
                EXPECT_EQ(0u, insert.cbInsert % cbBlock);
                const uint64_t cbLeading = source.find("mdat") - 4;
                EXPECT_LT(insert.cbInsert - cbBlock, cbLeading + plan.moov.size() + 8);

                CQTInsertedSource result(memory, insert);
                const std::string bytes = ReadAll(result);
                EXPECT_EQ(c.szTypes, TopLevelTypes(bytes));
                uint64_t qwWhere = 0;
                EXPECT_EQ(QTM_ALREADY_FAST_START, Verify(bytes, &qwWhere));
                std::string types;
                const std::vector<uint64_t> before =
                    ReadTables(std::vector<uint8_t>(source.begin(), source.end()), &types);
                const std::vector<uint64_t> after =
                    ReadTables(std::vector<uint8_t>(bytes.begin(), bytes.end()), &types);
                ASSERT_EQ(before.size(), after.size());
                for (size_t i = 0; i < before.size(); ++i) {
                    EXPECT_EQ(before[i] + insert.cbInsert, after[i]);
                    EXPECT_EQ(source[before[i]], bytes[after[i]]);
                }
                // Behind the head, only the patched bytes differ from the source.
                size_t nDiffering = 0;
                const size_t cbCompared = std::min<size_t>(source.size(), bytes.size() - insert.cbInsert);
                for (size_t i = 0; i < cbCompared; ++i)
                    nDiffering += source[i] != bytes[insert.cbInsert + i] ? 1 : 0;
                size_t cbPatched = 0;
                for (size_t i = 1; i < insert.patches.size(); ++i)
                    cbPatched += insert.patches[i].bytes.size();
                EXPECT_LE(nDiffering, cbPatched);
                EXPECT_EQ(source.substr(insert.qwProbeAt, insert.cbProbe),
                          bytes.substr(insert.cbInsert + insert.qwProbeAt, insert.cbProbe));
                CQTMemorySource converted(bytes.data(), bytes.size());
                EXPECT_EQ(QTM_ALREADY_FAST_START, PlanInsert(converted, cbBlock).result);
            }
        }
    }
}

// Widening a table grows moov; when that passes the end of the inserted block, the insertion takes one more
// block, and every chunk moves by that too.
TEST(QtModernTest, InsertionWidensTablesAndGrowsByABlockWhereTheyNoLongerFit) {
    const uint64_t qwLimit = 0xFFFFFFFFull;
    const uint32_t cbBlock = 4096;
    auto MovieWith = [](const std::vector<uint64_t>& offsets, size_t cbPadding) {
        return MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, offsets)),
                                   Atom("udta", std::string(cbPadding, 'u'))});
    };
    // The padding makes the original moov fill one block but for a few bytes, so widening needs a second.
    const size_t cbPadding = cbBlock - MovieWith({0, 0, 0, 0}, 0).size() - FTYP.size() - 8 - 12;
    const uint64_t qwMdatSize = 0xFFFFFFF0ull - FTYP.size();  // the media data ends just below 4 GB
    const uint64_t qwContent = FTYP.size() + 8;
    // The third chunk crosses 4 GB with one block inserted; the fourth only with the second.
    const std::vector<uint64_t> offsets = {qwContent, qwContent + 1000, qwLimit - 100, qwLimit - 2 * cbBlock + 1};
    const std::string moov = MovieWith(offsets, cbPadding);
    CSparseSource source(FTYP.size() + qwMdatSize + moov.size());
    source.Put(0, FTYP + MOVIEFIXTURE_DWORD(static_cast<uint32_t>(qwMdatSize)) + "mdat");
    source.Put(FTYP.size() + qwMdatSize, moov);

    const QTM_INSERT insert = PlanInsert(source, cbBlock);
    ASSERT_EQ(QTM_CONVERT, insert.result);
    EXPECT_EQ(1u, insert.nUpgraded);
    EXPECT_EQ(2u * cbBlock, insert.cbInsert);
    const std::vector<uint8_t>& head = insert.patches[0].bytes;
    const std::vector<uint8_t> newMoov(head.begin() + FTYP.size(), head.begin() + FTYP.size() + moov.size() + 16);
    std::string types;
    const std::vector<uint64_t> entries = ReadTables(newMoov, &types);
    EXPECT_EQ("co64 ", types);
    ASSERT_EQ(offsets.size(), entries.size());
    for (size_t i = 0; i < offsets.size(); ++i)
        EXPECT_EQ(offsets[i] + 2 * cbBlock, entries[i]);
    EXPECT_GT(entries[3], qwLimit);
    CQTInsertedSource result(source, insert);
    uint64_t qwWhere = 0;
    EXPECT_EQ(QTM_ALREADY_FAST_START, QTMODERN_Verify(result, &qwWhere)) << qwWhere;
}

// What an insertion does not take: the caller copies instead. A movie already in fast-start form needs neither.
TEST(QtModernTest, InsertionRefusesLeadingAtomsTooLargeAndLeavesFastStartAlone) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(100, 'r'));
    const std::string tail = media + QTMFIXTURE_Moov({QTM_MAX_LEADING + 16}, QTATOM_STCO);
    CSparseSource large(QTM_MAX_LEADING + 8 + tail.size());
    large.Put(0, MOVIEFIXTURE_DWORD(static_cast<uint32_t>(QTM_MAX_LEADING + 8)) + "free");
    large.Put(QTM_MAX_LEADING + 8, tail);
    EXPECT_EQ(QTM_HEAD_TOO_LARGE, PlanInsert(large, 4096).result);

    const std::string fastStart = QTMFIXTURE_Layout({FTYP, media, MOOV}, {0, 2, 1}, {{1, 0}}, QTATOM_STCO);
    CQTMemorySource memory(fastStart.data(), fastStart.size());
    QTM_INSERT insert;
    EXPECT_TRUE(QTMODERN_PlanInsert(memory, 4096, &insert));
    EXPECT_EQ(QTM_ALREADY_FAST_START, insert.result);
    EXPECT_TRUE(insert.patches.empty());
}

TEST(QtModernTest, VerifyFindsMoovAfterMediaAndChunksOutsideTheMedia) {
    const std::string media = MOVIEFIXTURE_Atom(TYPE_MDAT, QTMFIXTURE_Media(50, 'v'));
    const std::string good = QTMFIXTURE_Layout({FTYP, media, MOOV}, {0, 2, 1}, {{1, 0}, {1, 49}}, QTATOM_STCO);
    const std::string moov = QTMFIXTURE_Moov({FTYP.size() + 8}, QTATOM_STCO);
    const struct {
        const char* szName;
        std::string output;
        QTM_RESULT result;
        uint64_t qwWhere;
    } cases[] = {
        {"fast-start", good, QTM_ALREADY_FAST_START, 0},
        {"mdat before moov", FTYP + media + moov, QTM_NOT_FAST_START, FTYP.size()},
        {"chunk in moov", FTYP + QTMFIXTURE_Moov({FTYP.size() + 8}, QTATOM_STCO) + media, QTM_CHUNK_OUTSIDE_MEDIA,
         FTYP.size() + 8},
        {"no moov", FTYP + media, QTM_NO_MOOV, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        uint64_t qwWhere = 0;
        EXPECT_EQ(c.result, Verify(c.output, &qwWhere));
        EXPECT_EQ(c.qwWhere, qwWhere);
    }
}

TEST(QtModernTest, LayoutListsTopLevelAtomsAndWithTreeTheContainersChildren) {
    const std::string media = MOVIEFIXTURE_Atom64(TYPE_MDAT, QTMFIXTURE_Media(20, 'l'));
    const std::string source = QTMFIXTURE_Layout({FTYP, media, MOOV}, {0, 1, 2}, {{1, 0}}, QTATOM_STCO);
    CQTMemorySource memory(source.data(), source.size());
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    ASSERT_EQ(QTM_OK, QTMODERN_ReadLayout(memory, false, &atoms, &qwWhere));
    ASSERT_EQ(3u, atoms.size());
    EXPECT_EQ("mdat", QTMODERN_TypeName(atoms[1].dwType));
    EXPECT_EQ(FTYP.size(), atoms[1].qwStart);
    EXPECT_EQ(media.size(), atoms[1].qwSize);
    EXPECT_EQ(16u, atoms[1].cbHeader);

    ASSERT_EQ(QTM_OK, QTMODERN_ReadLayout(memory, true, &atoms, &qwWhere));
    std::string tree;
    for (const QTM_ATOM& atom : atoms)
        tree += std::string(2 * atom.nDepth, ' ') + QTMODERN_TypeName(atom.dwType) + "\n";
    EXPECT_EQ("ftyp\nmdat\nmoov\n  mvhd\n  trak\n    tkhd\n    mdia\n      mdhd\n      hdlr\n      minf\n"
              "        vmhd\n        stbl\n          stsd\n          stco\n",
              tree);
}

TEST(QtModernTest, AMissingArgumentIsAFailureWithAReport) {
    CQTMemorySource memory(MOOV.data(), MOOV.size());
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    CDiagCapture capture;
    EXPECT_EQ(QTM_FAILED, QTMODERN_ReadLayout(memory, false, nullptr, &qwWhere));
    EXPECT_EQ(QTM_FAILED, QTMODERN_ReadLayout(memory, true, &atoms, nullptr));
    EXPECT_EQ(QTM_FAILED, QTMODERN_Verify(memory, nullptr));
    EXPECT_FALSE(QTMODERN_Plan(memory, QTM_OPTIONS(), nullptr));
    EXPECT_FALSE(QTMODERN_PlanInsert(memory, 4096, nullptr));
    EXPECT_EQ(5u, capture.Lines().size()) << capture.Text();
    EXPECT_NE(std::string::npos, capture.Text().find("pAtoms && pqwWhere")) << capture.Text();
}

}  // namespace
