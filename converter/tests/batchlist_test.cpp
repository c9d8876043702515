// The batch list's contents with real files: which names are added, pasted and kept, and the ".bag" form.
#include "converter/batchlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "movie/qtatoms.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/diag.h"

namespace {

using std::string;
using Names = std::vector<string>;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

string Upper(string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return char(toupper(ch)); });
    return s;
}

Names Paths(const CItemList& list) {
    Names paths;
    for (size_t i = 0; i < list.GetCount(); ++i)
        paths.push_back(CBatchList::ItemAt(list, i).GetPathName());
    return paths;
}

class BatchListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DIAG_Initialize(nullptr));
        const string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, string(64, 'm'));
        const string moov = MOVIEFIXTURE_Movie({});
        ASSERT_TRUE(TESTFILE_Write(m_flat, mdat + moov));
        ASSERT_TRUE(TESTFILE_Write(m_fast, moov + mdat));
        ASSERT_TRUE(TESTFILE_Write(m_noMoov, mdat));
        remove(m_missing.c_str());
    }
    void TearDown() override {
        for (const string& name : {m_flat, m_fast, m_noMoov})
            remove(name.c_str());
        DIAG_Terminate();
    }
    const string m_flat = Scratch("flat.mov");
    const string m_fast = Scratch("fast.mov");
    const string m_noMoov = Scratch("nomoov.mov");
    const string m_missing = Scratch("missing.mov");
};

TEST_F(BatchListTest, AddFilesTakesExistingMoviesOnceInOrderAndSelectsExactlyThem) {
    CBatchList list;
    EXPECT_EQ(1u, list.AddFiles({m_fast}));
    EXPECT_EQ(1u, list.AddFiles({m_missing, m_flat, m_noMoov, Upper(m_fast), m_flat}));
    EXPECT_EQ((Names{m_fast, m_flat}), Paths(list.GetItemList()));
    EXPECT_EQ(Names{m_flat}, Paths(list.GetSelectionList()));
    EXPECT_TRUE(list.IsListed(Upper(m_flat)));

    // Adding only names already listed still empties the selection.
    EXPECT_EQ(0u, list.AddFiles({m_fast}));
    EXPECT_TRUE(list.GetSelectionList().IsEmpty());
}

TEST_F(BatchListTest, PasteAddsUnlistedExistingItemsWithoutTheMovieTest) {
    CBatchList target;
    target.AddFiles({m_fast});
    CItemList pasted(true);
    for (const string& name : {Upper(m_fast), m_missing, m_noMoov, m_flat, m_flat})
        pasted.Add(new CBatchItem(name));
    EXPECT_EQ(2u, target.AddPasted(pasted));
    EXPECT_EQ((Names{m_fast, m_noMoov, m_flat}), Paths(target.GetItemList()));
    EXPECT_EQ((Names{m_noMoov, m_flat}), Paths(target.GetSelectionList()));
    // The pasted list keeps its own items: the target made new ones.
    EXPECT_NE(pasted.GetAt(3), target.GetItemList().GetAt(1));

    CItemList empty(true);
    EXPECT_EQ(0u, target.AddPasted(empty));
    EXPECT_EQ(2u, target.GetSelectionList().GetCount());
}

TEST_F(BatchListTest, LoadTakesTheFileAsStoredAndEmptiesTheSelection) {
    CBatchList source;
    source.AddFiles({m_flat, m_fast});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(source.Store(bytes));

    // A stored list is taken as it is, even with names that are missing now or listed twice.
    CBatchList stored;
    stored.GetItemList().Add(new CBatchItem(m_missing));
    stored.GetItemList().Add(new CBatchItem(Upper(m_missing)));
    std::vector<uint8_t> odd;
    ASSERT_TRUE(stored.Store(odd));

    CBatchList loaded;
    loaded.AddFiles({m_fast});
    ASSERT_TRUE(loaded.Load(bytes.data(), bytes.size()));
    EXPECT_EQ((Names{m_flat, m_fast}), Paths(loaded.GetItemList()));
    EXPECT_TRUE(loaded.GetSelectionList().IsEmpty());
    ASSERT_TRUE(loaded.Load(odd.data(), odd.size()));
    EXPECT_EQ((Names{m_missing, Upper(m_missing)}), Paths(loaded.GetItemList()));

    // A refused file leaves the list as it was.
    bytes.push_back(0);
    EXPECT_FALSE(loaded.Load(bytes.data(), bytes.size()));
    EXPECT_EQ(2u, loaded.GetItemList().GetCount());
}

}  // namespace
