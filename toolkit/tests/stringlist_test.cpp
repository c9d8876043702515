// String lists and path lists: limits, order, copies, walking and the exchange with Strindle blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/strindle.h"
#include "toolkit/stringlist.h"

namespace {

std::vector<std::string> Strings(const STRINGLIST* pList) {
    std::vector<std::string> strings;
    STRINGLIST_POSITION position;
    for (const char* sz = STRINGLIST_First(pList, &position); sz; sz = STRINGLIST_Next(&position))
        strings.push_back(sz);
    return strings;
}

class StringListTest : public ::testing::Test {
protected:
    void TearDown() override { STRINGLIST_Destroy(m_pList); }
    bool Reported() const { return m_capture.Text().find("MFX_PRE failed: in String List") != std::string::npos; }
    CDiagCapture m_capture;
    STRINGLIST* m_pList = STRINGLIST_Construct();
};

TEST_F(StringListTest, AppendRefusesEmptyAndTooLongStrings) {
    const struct {
        size_t cch;
        int nResult;
    } cases[] = {{1, 1}, {1022, 1}, {1023, 0}, {5000, 0}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cch);
        m_capture.Clear();
        EXPECT_EQ(c.nResult, STRINGLIST_Append(m_pList, std::string(c.cch, 'x').c_str()));
        EXPECT_EQ(!c.nResult, Reported());
    }
    EXPECT_EQ(0, STRINGLIST_Append(m_pList, nullptr));
    EXPECT_EQ(2, STRINGLIST_GetCount(m_pList));
}

TEST_F(StringListTest, KeepsOrderAndGivesCopiesByIndex) {
    for (const char* sz : {"A", "BB", "CCC"})
        ASSERT_EQ(1, STRINGLIST_Append(m_pList, sz));
    EXPECT_EQ((std::vector<std::string>{"A", "BB", "CCC"}), Strings(m_pList));
    char szOut[8] = "stale";
    EXPECT_EQ(1, STRINGLIST_GetAt(m_pList, 2, szOut, sizeof(szOut)));
    EXPECT_STREQ("CCC", szOut);
    EXPECT_EQ(0, STRINGLIST_GetAt(m_pList, 3, szOut, sizeof(szOut)));
    EXPECT_STREQ("", szOut);
    EXPECT_EQ(0, STRINGLIST_GetAt(m_pList, -1, szOut, sizeof(szOut)));
    char szSmall[3] = "";
    EXPECT_EQ(0, STRINGLIST_GetAt(m_pList, 2, szSmall, sizeof(szSmall)));
    EXPECT_STREQ("", szSmall);

    STRINGLIST* pCopy = STRINGLIST_CopyOf(m_pList);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_EQ(1, STRINGLIST_ResetContents(m_pList));
    EXPECT_EQ(0, STRINGLIST_GetCount(m_pList));
    EXPECT_EQ(nullptr, STRINGLIST_First(m_pList, nullptr));
    EXPECT_EQ((std::vector<std::string>{"A", "BB", "CCC"}), Strings(pCopy));
    EXPECT_EQ(1, STRINGLIST_Append(m_pList, "again"));
    EXPECT_EQ((std::vector<std::string>{"again"}), Strings(m_pList));
    STRINGLIST_Destroy(pCopy);
}

int StopAtB(const char* szString, void* pUser) {
    static_cast<std::string*>(pUser)->append(szString);
    return szString[0] != 'B';
}

TEST_F(StringListTest, ForEachStopsWhenTheCallbackSaysSo) {
    std::string visited;
    EXPECT_EQ(1, STRINGLIST_ForEach(m_pList, &StopAtB, &visited));
    for (const char* sz : {"A", "B", "C"})
        STRINGLIST_Append(m_pList, sz);
    EXPECT_EQ(0, STRINGLIST_ForEach(m_pList, &StopAtB, &visited));
    EXPECT_EQ("AB", visited);
}

TEST_F(StringListTest, ConstructMaxSetsTheLimitAndCopiesKeepIt) {
    STRINGLIST* pShort = STRINGLIST_ConstructMax(4);
    EXPECT_EQ(1, STRINGLIST_Append(pShort, "abc"));
    EXPECT_EQ(0, STRINGLIST_Append(pShort, "abcd"));
    STRINGLIST* pCopy = STRINGLIST_CopyOf(pShort);
    EXPECT_EQ(0, STRINGLIST_Append(pCopy, "abcd"));
    EXPECT_EQ(1, STRINGLIST_GetCount(pCopy));
    STRINGLIST_Destroy(pCopy);
    STRINGLIST_Destroy(pShort);
}

TEST_F(StringListTest, PathListsHoldNamesOfAPathNameBuffer) {
    STRINGLIST* pPaths = PATHLIST_Construct();
    EXPECT_STREQ("PATHLIST", pPaths->szSignature);
    EXPECT_EQ(1, STRINGLIST_Append(pPaths, std::string(260, 'p').c_str()));
    EXPECT_EQ(0, STRINGLIST_Append(pPaths, std::string(261, 'p').c_str()));
    PATHNAME szOut = "";
    EXPECT_EQ(1, PATHLIST_AtGet(pPaths, 0, szOut));
    EXPECT_EQ(std::string(260, 'p'), szOut);
    EXPECT_EQ(0, PATHLIST_AtGet(pPaths, 1, szOut));
    PATHLIST_Destroy(pPaths);
}

TEST_F(StringListTest, RefusesWhatIsNotAList) {
    STRINGLIST fake = {"NOTALIST", 10, nullptr, nullptr};
    EXPECT_EQ(0, STRINGLIST_Append(&fake, "x"));
    EXPECT_EQ(0, STRINGLIST_GetCount(nullptr));
    EXPECT_TRUE(Reported());
}

TEST_F(StringListTest, RoundTripsThroughAStrindleBlock) {
    for (const char* sz : {"ABC", "ABCD", "setup.ini"})
        STRINGLIST_Append(m_pList, sz);
    STRINDLE* pBlock = STRINDLE_FromStringList(m_pList);
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(3u, pBlock->dwCount);
    STRINGLIST* pBack = STRINGLIST_FromStrindle(pBlock);
    EXPECT_EQ(Strings(m_pList), Strings(pBack));
    STRINGLIST_Destroy(pBack);
    STRINDLE_Free(pBlock);
}

}  // namespace
