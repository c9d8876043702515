// The batch list's stored form: the bytes of ".bag" files and of the clipboard block, and the reader's
// refusal of anything malformed.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "converter/batchitem.h"
#include "testing/testsupport/diagcapture.h"
#include "toolkit/diag.h"
#include "toolkit/itemlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData);

namespace {

typedef std::vector<uint8_t> Bytes;

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

const Bytes CLASSRECORD = Cat({{0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00}, Text("CBatchItem")});

std::vector<std::string> Paths(const CItemList& list) {
    std::vector<std::string> paths;
    for (size_t i = 0; i < list.GetCount(); ++i)
        paths.push_back(static_cast<const CBatchItem*>(list.GetAt(i))->GetPathName());
    return paths;
}

Bytes Store(const std::vector<std::string>& paths) {
    CItemList items(true);
    for (const std::string& sPath : paths)
        items.Add(new CBatchItem(sPath));
    Bytes bytes;
    EXPECT_TRUE(items.StoreBlock(bytes));
    return bytes;
}

bool Load(const Bytes& bytes, CItemList& items, ITEMLIST_BLOCKEND end = ITEMLIST_EXACTEND) {
    return items.LoadBlock(bytes.data(), bytes.size(), BATCHITEM_CLASSES, 1, end);
}

class BagTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DIAG_Initialize(nullptr)); }
    void TearDown() override { DIAG_Terminate(); }
    CDiagCapture m_capture;
};

TEST_F(BagTest, TwoMoviesAreStoredAsACountTheClassOnceThenItsReference) {
    const Bytes expected =
        Cat({{0x02, 0x00}, CLASSRECORD, {0x08}, Text("C:\\a.mov"), {0x01, 0x80, 0x08}, Text("C:\\b.mov")});
    EXPECT_EQ(expected, Store({"C:\\a.mov", "C:\\b.mov"}));
    CItemList items(true);
    ASSERT_TRUE(Load(expected, items));
    EXPECT_EQ((std::vector<std::string>{"C:\\a.mov", "C:\\b.mov"}), Paths(items));
}

TEST_F(BagTest, ListsOfEveryCountBoundaryReadBackAsStored) {
    for (size_t nItems : {0, 1, 254, 255, 65534, 65535, 70000}) {
        SCOPED_TRACE(nItems);
        std::vector<std::string> paths;
        for (size_t i = 0; i < nItems; ++i)
            paths.push_back("C:\\m\\" + std::to_string(i) + ".mov");
        const Bytes bytes = Store(paths);
        const Bytes head = nItems < 65535
                               ? Bytes{uint8_t(nItems), uint8_t(nItems >> 8)}
                               : Bytes{0xFF, 0xFF, uint8_t(nItems), uint8_t(nItems >> 8), uint8_t(nItems >> 16), 0x00};
        EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
        CItemList items(true);
        ASSERT_TRUE(Load(bytes, items));
        EXPECT_EQ(paths, Paths(items));
        EXPECT_EQ(bytes, Store(Paths(items)));
    }
}

TEST_F(BagTest, PathsAroundTheLengthEscapeReadBackAsStored) {
    const struct {
        size_t cch;
        Bytes lengthForm;
    } cases[] = {{254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {256, {0xFF, 0x00, 0x01}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cch);
        const std::string sPath = "C:\\" + std::string(c.cch - 7, 'p') + ".mov";
        const Bytes bytes = Store({sPath});
        EXPECT_EQ(Cat({{0x01, 0x00}, CLASSRECORD, c.lengthForm, Text(sPath)}), bytes);
        CItemList items(true);
        ASSERT_TRUE(Load(bytes, items));
        EXPECT_EQ(std::vector<std::string>{sPath}, Paths(items));
    }
}

// Each malformed block is refused, the list keeps what it held, and the report names the failed check.
TEST_F(BagTest, MalformedBlocksAreRefusedWholeWithTheFailedCheck) {
    const Bytes item2 = Cat({{0x01, 0x80, 0x08}, Text("C:\\b.mov")});
    const std::string sLong(261, 'x');
    const struct {
        const char* szCase;
        Bytes bytes;
        const char* szReport;
    } cases[] = {
        {"empty block", {}, "Take(2, p)"},
        {"count beyond the items", Cat({{0x03, 0x00}, CLASSRECORD, {0x01}, Text("a"), item2}), "Take(2, p)"},
        {"count the data cannot hold", Cat({{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, CLASSRECORD}),
         "nCount <= ar.Remaining() / ARCHIVE_MINOBJECTSIZE"},
        {"unknown class", Cat({{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00}, Text("CBatchItex"), {0x00}}),
         "pClass"},
        {"class name in another case",
         Cat({{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00}, Text("cbatchitem"), {0x00}}), "pClass"},
        {"unknown schema", Cat({{0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00}, Text("CBatchItem"), {0x00}}),
         "pClass->wSchema == wSchema"},
        {"class name too long", Cat({{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00}, Bytes(255, 'C')}),
         "cchName <= ARCHIVE_MAXCLASSNAME"},
        {"class name beyond the data", Cat({{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00}, Text("CBatch")}),
         "Take(cchName, pName)"},
        {"class reference never defined", Cat({{0x01, 0x00, 0x01, 0x80, 0x00}}), "nReference >= 1"},
        {"class reference zero", Cat({{0x01, 0x00, 0x00, 0x80, 0x00}}), "nReference >= 1"},
        {"reference to an object", Cat({{0x02, 0x00}, CLASSRECORD, {0x01}, Text("a"), {0x02, 0x00}}),
         "wTag & ARCHIVE_CLASSTAG"},
        {"null object", Cat({{0x01, 0x00, 0x00, 0x00}}), "wTag & ARCHIVE_CLASSTAG"},
        {"path length beyond the data", Cat({{0x01, 0x00}, CLASSRECORD, {0x09}, Text("C:\\a.mov")}), "Take(cch, p)"},
        {"16-bit path length beyond the data", Cat({{0x01, 0x00}, CLASSRECORD, {0xFF, 0x00, 0x01}, Text("C:")}),
         "Take(cch, p)"},
        {"32-bit path length beyond the data",
         Cat({{0x01, 0x00}, CLASSRECORD, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, Text("C:")}), "Take(cch, p)"},
        {"wide string marker", Cat({{0x01, 0x00}, CLASSRECORD, {0xFF, 0xFE, 0xFF, 0x02, 0x00}, Text("C:")}),
         "wLength != STRING_WIDEMARKER"},
        {"path longer than 260", Cat({{0x01, 0x00}, CLASSRECORD, {0xFF, 0x05, 0x01}, Text(sLong)}),
         "sPathName.size() <= MAX_PATHNAME"},
        {"NUL inside the path", Cat({{0x01, 0x00}, CLASSRECORD, {0x03, 'C', 0x00, 'x'}}),
         "sPathName.find('\\0') == std::string::npos"},
        {"trailing garbage", Cat({{0x01, 0x00}, CLASSRECORD, {0x01}, Text("a"), {0x00}}), "ar.IsAtEnd()"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CItemList items(true);
        items.Add(new CBatchItem("C:\\kept.mov"));
        m_capture.Clear();
        EXPECT_FALSE(Load(c.bytes, items));
        EXPECT_EQ(std::vector<std::string>{"C:\\kept.mov"}, Paths(items));
        EXPECT_NE(std::string::npos, m_capture.Text().find(c.szReport)) << m_capture.Text();
    }
}

TEST_F(BagTest, EveryCutShortBlockIsRefused) {
    const Bytes bytes = Store({"C:\\a.mov", "C:\\b.mov", std::string(300 - 40, 'c')});
    for (size_t cb = 0; cb < bytes.size(); ++cb) {
        SCOPED_TRACE(cb);
        CItemList items(true);
        EXPECT_FALSE(Load(Bytes(bytes.begin(), bytes.begin() + cb), items));
        EXPECT_EQ(0u, items.GetCount());
    }
}

// Bounded random mutation of valid blocks through the fuzz target: flips, insertions, deletions and cuts.
// Under the sanitizers any overrun, leak or undefined read fails the run; the target aborts on a list that
// does not read back as itself.
TEST_F(BagTest, MutatedBlocksNeverCrashAndWhatReadsBackIsConsistent) {
    const Bytes seeds[] = {
        Store({"C:\\a.mov", "C:\\b.mov"}),
        Store({std::string(255, 'x'), "D:\\movies\\clip.qt", ""}),
        Store(std::vector<std::string>(20, "E:\\clip.mov")),
    };
    std::mt19937 random(7);
    int nAccepted = 0;
    const int nRounds = 20000;
    for (int i = 0; i < nRounds; ++i) {
        Bytes bytes = seeds[i % 3];
        const int nEdits = 1 + random() % 4;
        for (int e = 0; e < nEdits && !bytes.empty(); ++e) {
            const size_t at = random() % bytes.size();
            switch (random() % 4) {
                case 0:
                    bytes[at] ^= static_cast<uint8_t>(1 << random() % 8);
                    break;
                case 1:
                    bytes[at] = static_cast<uint8_t>(random());
                    break;
                case 2:
                    bytes.insert(bytes.begin() + at, static_cast<uint8_t>(random()));
                    break;
                case 3:
                    bytes.erase(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + 1 + random() % 8));
                    break;
            }
        }
        CItemList items(true);
        nAccepted += Load(bytes, items);
        m_capture.Clear();
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    // Some mutations (a changed path character) leave a valid list; most do not.
    EXPECT_GT(nAccepted, 0);
    EXPECT_LT(nAccepted, nRounds);
}

}  // namespace
