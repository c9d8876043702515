// The item list: ownership, reordering by selection, and the archive's number, string and object forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/archive.h"
#include "toolkit/diag.h"
#include "toolkit/itemlist.h"

namespace {

// An item that counts its live instances and archives a number.
class CCountedItem : public CSerial {
public:
    explicit CCountedItem(int nValue = 0) : m_nValue(nValue) { ++s_nLive; }
    ~CCountedItem() override { --s_nLive; }
    static const SERIALCLASS s_class;
    static int s_nLive;
    int Value() const { return m_nValue; }
    const SERIALCLASS& GetSerialClass() const override { return s_class; }
    void Store(CArchiveWriter& ar) const override { ar.WriteWord(static_cast<uint16_t>(m_nValue)); }
    bool Load(CArchiveReader& ar) override {
        uint16_t w = 0;
        if (!ar.ReadWord(w))
            return false;
        m_nValue = w;
        return true;
    }

private:
    int m_nValue;
};
int CCountedItem::s_nLive = 0;
const SERIALCLASS CCountedItem::s_class = {"CCounted", 3, [] { return static_cast<CSerial*>(new CCountedItem); }};

// A second class, to show the numbering that classes and objects share.
class COtherItem : public CCountedItem {
public:
    using CCountedItem::CCountedItem;
    static const SERIALCLASS s_class;
    const SERIALCLASS& GetSerialClass() const override { return s_class; }
};
const SERIALCLASS COtherItem::s_class = {"COther", 0, [] { return static_cast<CSerial*>(new COtherItem); }};

const SERIALCLASS* const CLASSES[] = {&CCountedItem::s_class, &COtherItem::s_class};

std::vector<int> Values(const CItemList& list) {
    std::vector<int> values;
    for (size_t i = 0; i < list.GetCount(); ++i)
        values.push_back(static_cast<CCountedItem*>(list.GetAt(i))->Value());
    return values;
}

class ItemListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DIAG_Initialize(nullptr)); }
    void TearDown() override {
        DIAG_Terminate();
        EXPECT_EQ(0, CCountedItem::s_nLive);
    }
    CDiagCapture m_capture;
};

TEST_F(ItemListTest, OwningListDeletesItsItemsAndASelectionOnlyForgetsThem) {
    {
        CItemList items(true);
        CItemList selection(false);
        for (int i = 1; i <= 4; ++i)
            items.Add(new CCountedItem(i));
        selection.Add(items.GetAt(1));
        selection.Add(items.GetAt(3));
        selection.RemoveAll();
        EXPECT_EQ(4, CCountedItem::s_nLive);

        selection.Add(items.GetAt(0));
        selection.Add(items.GetAt(2));
        items.RemoveItemsOf(selection);
        EXPECT_EQ((std::vector<int>{2, 4}), Values(items));
        EXPECT_EQ(2, CCountedItem::s_nLive);
        selection.RemoveAll();

        selection.SetToAllOf(items);
        EXPECT_EQ((std::vector<int>{2, 4}), Values(selection));
    }
    EXPECT_EQ(0, CCountedItem::s_nLive);
}

TEST_F(ItemListTest, MoveBeforeKeepsSelectionOrderAndFallsBackToTheEnd) {
    const struct {
        const char* szCase;
        std::vector<int> selected;  // item values 1..5, in selection order
        int nIndex;
        bool fMoved;
        std::vector<int> order;
    } cases[] = {
        {"3 and 5 before item 1", {3, 5}, 0, true, {3, 5, 1, 2, 4}},
        {"selection order kept", {5, 3}, 0, true, {5, 3, 1, 2, 4}},
        {"dropped on a selected item", {3, 5}, 2, true, {1, 2, 4, 3, 5}},
        {"before the last item", {1, 2}, 4, true, {3, 4, 1, 2, 5}},
        {"at the count: the end", {2}, 5, true, {1, 3, 4, 5, 2}},
        {"no index: the end", {1}, -1, true, {2, 3, 4, 5, 1}},
        {"before its own neighbour", {1}, 1, true, {1, 2, 3, 4, 5}},
        {"empty selection", {}, 0, false, {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        CItemList items(true);
        CItemList selection(false);
        for (int i = 1; i <= 5; ++i)
            items.Add(new CCountedItem(i));
        for (int nValue : c.selected)
            selection.Add(items.GetAt(nValue - 1));
        EXPECT_EQ(c.fMoved, items.MoveBefore(selection, c.nIndex));
        EXPECT_EQ(c.order, Values(items));
        EXPECT_EQ(c.selected, Values(selection));
    }
}

TEST_F(ItemListTest, MoveBeforeIgnoresSelectedItemsTheListDoesNotHold) {
    CItemList items(true);
    CItemList selection(false);
    CCountedItem stranger(9);
    for (int i = 1; i <= 3; ++i)
        items.Add(new CCountedItem(i));
    selection.Add(&stranger);
    EXPECT_FALSE(items.MoveBefore(selection, 0));
    selection.Add(items.GetAt(2));
    EXPECT_TRUE(items.MoveBefore(selection, 0));
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Values(items));
}

TEST_F(ItemListTest, CountsAndStringsTakeTheirEscapesAtTheBoundaries) {
    const struct {
        size_t n;
        std::vector<uint8_t> count;
        std::vector<uint8_t> stringHead;
    } cases[] = {
        {0, {0x00, 0x00}, {0x00}},
        {254, {0xFE, 0x00}, {0xFE}},
        {255, {0xFF, 0x00}, {0xFF, 0xFF, 0x00}},
        {65533, {0xFD, 0xFF}, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFE, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        const std::string s(c.n, 'x');
        CArchiveWriter writer;
        writer.WriteCount(c.n);
        writer.WriteString(s);
        std::vector<uint8_t> expected = c.count;
        expected.insert(expected.end(), c.stringHead.begin(), c.stringHead.end());
        expected.insert(expected.end(), s.begin(), s.end());
        EXPECT_EQ(expected, writer.Bytes());

        CArchiveReader reader(writer.Bytes().data(), writer.Bytes().size(), nullptr, 0);
        uint32_t nCount = 0;
        std::string sRead;
        EXPECT_TRUE(reader.ReadCount(nCount));
        EXPECT_TRUE(reader.ReadString(sRead));
        EXPECT_EQ(c.n, nCount);
        EXPECT_EQ(s, sRead);
        EXPECT_TRUE(reader.IsAtEnd());
    }
}

// Classes and objects share one numbering: A is 1, its objects 2 and 3, B is 4, its object 5.
TEST_F(ItemListTest, ClassesAndObjectsShareOneReferenceNumbering) {
    CItemList items(true);
    items.Add(new CCountedItem(7));
    items.Add(new CCountedItem(8));
    items.Add(new COtherItem(9));
    items.Add(new COtherItem(10));
    items.Add(new CCountedItem(11));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(items.StoreBlock(bytes));
    const std::vector<uint8_t> expected = {
        0x05, 0x00,                                                                  // count
        0xFF, 0xFF, 0x03, 0x00, 0x08, 0x00, 'C', 'C', 'o', 'u', 'n', 't', 'e', 'd',  // class 1
        0x07, 0x00,                                                                  // object 2
        0x01, 0x80, 0x08, 0x00,                                                      // object 3
        0xFF, 0xFF, 0x00, 0x00, 0x06, 0x00, 'C', 'O', 't', 'h', 'e', 'r',            // class 4
        0x09, 0x00,                                                                  // object 5
        0x04, 0x80, 0x0A, 0x00,                                                      // object 6
        0x01, 0x80, 0x0B, 0x00,                                                      // object 7
    };
    EXPECT_EQ(expected, bytes);

    CItemList loaded(true);
    ASSERT_TRUE(loaded.LoadBlock(bytes.data(), bytes.size(), CLASSES, 2, ITEMLIST_EXACTEND));
    EXPECT_EQ((std::vector<int>{7, 8, 9, 10, 11}), Values(loaded));
    EXPECT_EQ(&COtherItem::s_class, &loaded.GetAt(3)->GetSerialClass());

    // A reference to an object rather than a class (number 2, top bit clear) is refused.
    std::vector<uint8_t> objectReference = expected;
    objectReference[18] = 0x02;
    objectReference[19] = 0x00;
    EXPECT_FALSE(loaded.LoadBlock(objectReference.data(), objectReference.size(), CLASSES, 2, ITEMLIST_EXACTEND));
    // So is a reference to class 4 before it is defined.
    std::vector<uint8_t> early = expected;
    early[18] = 0x04;
    EXPECT_FALSE(loaded.LoadBlock(early.data(), early.size(), CLASSES, 2, ITEMLIST_EXACTEND));
    EXPECT_EQ((std::vector<int>{7, 8, 9, 10, 11}), Values(loaded));
}

TEST_F(ItemListTest, PaddedBlocksAcceptZerosOnlyAndExactBlocksNothing) {
    CItemList items(true);
    items.Add(new CCountedItem(1));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(items.StoreBlock(bytes));
    bytes.resize(bytes.size() + 100, 0);
    CItemList loaded(true);
    EXPECT_TRUE(loaded.LoadBlock(bytes.data(), bytes.size(), CLASSES, 2, ITEMLIST_PADDEDEND));
    EXPECT_EQ(1u, loaded.GetCount());
    EXPECT_FALSE(loaded.LoadBlock(bytes.data(), bytes.size(), CLASSES, 2, ITEMLIST_EXACTEND));
    bytes.back() = 1;
    EXPECT_FALSE(loaded.LoadBlock(bytes.data(), bytes.size(), CLASSES, 2, ITEMLIST_PADDEDEND));
    EXPECT_NE(std::string::npos, m_capture.Text().find("ar.IsAtPaddedEnd()"));
    EXPECT_EQ(1u, loaded.GetCount());
}

}  // namespace
