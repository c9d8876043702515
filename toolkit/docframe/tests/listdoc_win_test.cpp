// Item lists through the real clipboard under Wine: the block's format and size, the round trip between two
// lists, and refusal of a foreign block that is malformed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/diag.h"
#include "toolkit/docframe/listdoc_win.h"

namespace {

class CNamedItem : public CSerial {
public:
    explicit CNamedItem(std::string sName = "") : m_sName(std::move(sName)) {}
    static const SERIALCLASS s_class;
    const std::string& Name() const { return m_sName; }
    const SERIALCLASS& GetSerialClass() const override { return s_class; }
    void Store(CArchiveWriter& ar) const override { ar.WriteString(m_sName); }
    bool Load(CArchiveReader& ar) override { return ar.ReadString(m_sName); }

private:
    std::string m_sName;
};
const SERIALCLASS CNamedItem::s_class = {"CNamedItem", 0, [] { return static_cast<CSerial*>(new CNamedItem); }};
const SERIALCLASS* const CLASSES[] = {&CNamedItem::s_class};

std::vector<std::string> Names(const CItemList& list) {
    std::vector<std::string> names;
    for (size_t i = 0; i < list.GetCount(); ++i)
        names.push_back(static_cast<const CNamedItem*>(list.GetAt(i))->Name());
    return names;
}

class ListDocClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DIAG_Initialize(GetModuleHandleA(nullptr)));
        m_hOwner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hOwner);
    }
    void TearDown() override {
        DestroyWindow(m_hOwner);
        DIAG_Terminate();
    }
    // Places bytes on the clipboard as another program would, in a block of exactly that size.
    void PutBlock(const std::vector<uint8_t>& bytes) {
        HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        ASSERT_NE(nullptr, hMemory);
        memcpy(GlobalLock(hMemory), bytes.data(), bytes.size());
        GlobalUnlock(hMemory);
        ASSERT_TRUE(OpenClipboard(m_hOwner));
        EmptyClipboard();
        EXPECT_NE(nullptr, SetClipboardData(LISTDOC_GetClipboardFormat(), hMemory));
        CloseClipboard();
    }
    HWND m_hOwner = nullptr;
    CDiagCapture m_capture;
};

TEST_F(ListDocClipboardTest, ListTravelsBetweenTwoListsInAZeroPaddedBlock) {
    CItemList source(true);
    source.Add(new CNamedItem("C:\\a.mov"));
    source.Add(new CNamedItem("C:\\b.mov"));
    ASSERT_TRUE(LISTDOC_CopyList(source, m_hOwner));
    EXPECT_TRUE(LISTDOC_IsPasteAvailable());

    ASSERT_TRUE(OpenClipboard(m_hOwner));
    HANDLE hMemory = GetClipboardData(RegisterClipboardFormatA("CF_ITEMLIST"));
    ASSERT_NE(nullptr, hMemory);
    EXPECT_EQ(4096u, GlobalSize(hMemory));
    std::vector<uint8_t> expected;
    ASSERT_TRUE(source.StoreBlock(expected));
    const auto* pBlock = static_cast<const uint8_t*>(GlobalLock(hMemory));
    EXPECT_EQ(expected, std::vector<uint8_t>(pBlock, pBlock + expected.size()));
    EXPECT_EQ(0, pBlock[expected.size()]);
    GlobalUnlock(hMemory);
    CloseClipboard();

    CItemList target(true);
    target.Add(new CNamedItem("replaced"));
    ASSERT_TRUE(LISTDOC_PasteList(target, CLASSES, 1, m_hOwner));
    EXPECT_EQ((std::vector<std::string>{"C:\\a.mov", "C:\\b.mov"}), Names(target));
    EXPECT_NE(source.GetAt(0), target.GetAt(0));
    // Pasting again gives the same list: the clipboard keeps its block.
    ASSERT_TRUE(LISTDOC_PasteList(target, CLASSES, 1, m_hOwner));
    EXPECT_EQ(2u, target.GetCount());
}

TEST_F(ListDocClipboardTest, MalformedOrMissingBlocksLeaveTheListEmpty) {
    CItemList target(true);
    target.Add(new CNamedItem("kept?"));
    PutBlock({0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00, 'C', 'N', 'a', 'm', 'e', 'd', 'I', 't', 'e', 'm', 0x01});
    EXPECT_TRUE(LISTDOC_IsPasteAvailable());
    EXPECT_FALSE(LISTDOC_PasteList(target, CLASSES, 1, m_hOwner));
    EXPECT_EQ(0u, target.GetCount());

    PutBlock({0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x0A, 0x00, 'C', 'N', 'a',
              'm',  'e',  'd',  'I',  't',  'e',  'm',  0x01, 'x', 0x07});
    EXPECT_FALSE(LISTDOC_PasteList(target, CLASSES, 1, m_hOwner));
    EXPECT_NE(std::string::npos, m_capture.Text().find("ar.IsAtPaddedEnd()"));

    ASSERT_TRUE(OpenClipboard(m_hOwner));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(LISTDOC_IsPasteAvailable());
    m_capture.Clear();
    EXPECT_FALSE(LISTDOC_PasteList(target, CLASSES, 1, m_hOwner));
    EXPECT_NE(std::string::npos, m_capture.Text().find(") hMemory\n"));
}

}  // namespace
