#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movie/tests/qtmodernfixture.h"
#include "tools/vroon/vroonjournal.h"

namespace {

VROON_JOURNAL SampleJournal() {
    const std::string ftyp = MOVIEFIXTURE_Atom(QTATOM_FTYP, std::string("mp42\0\0\0\0mp42isom", 16));
    const std::string media = MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(700, 'j'));
    const std::string movie =
        QTMFIXTURE_Layout({ftyp, media, QTMFIXTURE_MOOV, media}, {0, 1, 2, 3}, {{1, 0}, {3, 9}}, QTATOM_STCO);
    CQTMemorySource source(movie.data(), movie.size());
    VROON_JOURNAL journal;
    journal.name = "clip.mp4";
    EXPECT_TRUE(QTMODERN_PlanInsert(source, 512, &journal.insert));
    EXPECT_EQ(3u, journal.insert.patches.size());  // the head, the leading atoms' free header, the old moov's type
    journal.dwProbeCrc = 0x12345678;
    return journal;
}

TEST(VroonJournalTest, RoundTripKeepsEveryField) {
    const VROON_JOURNAL journal = SampleJournal();
    VROON_JOURNAL decoded;
    ASSERT_EQ(VROONJOURNAL_OK, VROONJOURNAL_Decode(VROONJOURNAL_Encode(journal), &decoded));
    EXPECT_EQ(journal.name, decoded.name);
    EXPECT_EQ(journal.dwProbeCrc, decoded.dwProbeCrc);
    const QTM_INSERT &a = journal.insert, &b = decoded.insert;
    EXPECT_EQ(a.qwSourceSize, b.qwSourceSize);
    EXPECT_EQ(a.cbInsert, b.cbInsert);
    EXPECT_EQ(a.qwResultSize, b.qwResultSize);
    EXPECT_EQ(a.qwProbeAt, b.qwProbeAt);
    EXPECT_EQ(a.cbProbe, b.cbProbe);
    EXPECT_EQ(a.nTables, b.nTables);
    EXPECT_EQ(a.nUpgraded, b.nUpgraded);
    ASSERT_EQ(a.patches.size(), b.patches.size());
    for (size_t i = 0; i < a.patches.size(); ++i) {
        EXPECT_EQ(a.patches[i].qwAt, b.patches[i].qwAt);
        EXPECT_EQ(a.patches[i].bytes, b.patches[i].bytes);
    }
}

// No change of a single byte and no cut gets a journal accepted.
TEST(VroonJournalTest, EveryDamagedByteAndEveryCutIsRefused) {
    const std::vector<uint8_t> bytes = VROONJOURNAL_Encode(SampleJournal());
    VROON_JOURNAL decoded;
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::vector<uint8_t> damaged = bytes;
        damaged[i] ^= 0x10;
        const VROONJOURNAL_ERROR error = VROONJOURNAL_Decode(damaged, &decoded);
        ASSERT_EQ(i < 12 ? VROONJOURNAL_NOT_JOURNAL : VROONJOURNAL_DAMAGED, error) << "byte " << i;
        ASSERT_NE(VROONJOURNAL_OK,
                  VROONJOURNAL_Decode(std::vector<uint8_t>(bytes.begin(), bytes.begin() + i), &decoded))
            << "cut at " << i;
    }
    EXPECT_EQ(VROONJOURNAL_NOT_JOURNAL, VROONJOURNAL_Decode({'G', 'I', 'F', '8', '9', 'a'}, &decoded));
}

// A journal with a correct checksum is still refused when its patches would write outside the result.
TEST(VroonJournalTest, InconsistentSizesAreRefusedDespiteTheirChecksum) {
    const VROON_JOURNAL good = SampleJournal();
    const struct {
        const char* szName;
        void (*pfnBreak)(QTM_INSERT*);
    } cases[] = {
        {"patch past the end", [](QTM_INSERT* p) { p->patches[1].qwAt = p->qwResultSize; }},
        {"head not the insertion", [](QTM_INSERT* p) { p->cbInsert += 512; }},
        {"no insertion", [](QTM_INSERT* p) { p->cbInsert = 0; }},
        {"probe past the movie", [](QTM_INSERT* p) { p->qwProbeAt = p->qwSourceSize; }},
        {"result larger than the movie allows", [](QTM_INSERT* p) { p->qwResultSize += 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        VROON_JOURNAL broken = good;
        c.pfnBreak(&broken.insert);
        VROON_JOURNAL decoded;
        EXPECT_EQ(VROONJOURNAL_DAMAGED, VROONJOURNAL_Decode(VROONJOURNAL_Encode(broken), &decoded));
    }
}

TEST(VroonJournalTest, Crc32IsTheCommonOne) {
    EXPECT_EQ(0xCBF43926u, VROONJOURNAL_Crc32("123456789", 9));
    EXPECT_EQ(0xCBF43926u, VROONJOURNAL_Crc32("6789", 4, VROONJOURNAL_Crc32("12345", 5)));
    EXPECT_EQ(0u, VROONJOURNAL_Crc32("", 0));
}

}  // namespace
