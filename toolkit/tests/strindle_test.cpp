// Strindle blocks: entry sizes, the closing zero, growth and walking.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/strindle.h"

namespace {

uint32_t SizeAt(const STRINDLE* pBlock, uint32_t dwOffset) {
    uint32_t dwSize;
    memcpy(&dwSize, reinterpret_cast<const char*>(pBlock) + dwOffset, sizeof(dwSize));
    return dwSize;
}

std::vector<std::string> Strings(const STRINDLE* pBlock) {
    std::vector<std::string> strings;
    for (const char* sz = STRINDLE_First(pBlock); sz; sz = STRINDLE_Next(pBlock, sz))
        strings.push_back(sz);
    return strings;
}

TEST(Strindle, EntriesTakeTheirLengthPlusOneRoundedToFour) {
    const struct {
        const char* szString;
        uint32_t dwEntry;
    } cases[] = {{"", 8}, {"AB", 8}, {"ABC", 8}, {"ABCD", 12}, {"ABCDEFG", 12}, {"ABCDEFGH", 16}};
    STRINDLE* pBlock = STRINDLE_Create();
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(16u, pBlock->dwSignature);
    EXPECT_EQ(16400u, pBlock->dwCapacity);
    EXPECT_EQ(16u, pBlock->dwUsed);
    EXPECT_EQ(nullptr, STRINDLE_First(pBlock));
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szString);
        const uint32_t dwBefore = pBlock->dwUsed;
        pBlock = STRINDLE_Append(pBlock, c.szString);
        ASSERT_NE(nullptr, pBlock);
        EXPECT_EQ(dwBefore + c.dwEntry, pBlock->dwUsed);
        EXPECT_EQ(c.dwEntry - 4, SizeAt(pBlock, dwBefore));
        EXPECT_EQ(0u, SizeAt(pBlock, pBlock->dwUsed));
        expected.push_back(c.szString);
    }
    EXPECT_EQ(expected.size(), pBlock->dwCount);
    EXPECT_EQ(expected, Strings(pBlock));
    STRINDLE_Free(pBlock);
}

TEST(Strindle, GrowsByAtLeast16KWhenAnEntryDoesNotFit) {
    STRINDLE* pBlock = STRINDLE_Create();
    const std::string big(16000, 'b');
    pBlock = STRINDLE_Append(pBlock, big.c_str());  // 16 + 4 + 16004 + 4 = 16028, fits 16400
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(16400u, pBlock->dwCapacity);
    pBlock = STRINDLE_Append(pBlock, std::string(400, 'c').c_str());
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(16400u + 16384u, pBlock->dwCapacity);
    const std::string huge(40000, 'h');
    pBlock = STRINDLE_Append(pBlock, huge.c_str());
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(16400u + 16384u + 40012u, pBlock->dwCapacity);  // the entry and the closing 0 size
    EXPECT_EQ((std::vector<std::string>{big, std::string(400, 'c'), huge}), Strings(pBlock));
    STRINDLE_Free(pBlock);
}

TEST(Strindle, RefusesForeignBlocksAndEntries) {
    CDiagCapture quiet;
    STRINDLE notABlock = {15, 0, 16400, 16};
    EXPECT_EQ(nullptr, STRINDLE_Append(&notABlock, "x"));
    STRINDLE* pBlock = STRINDLE_Append(STRINDLE_Create(), "ABC");
    const char szElsewhere[] = "ABC";
    EXPECT_EQ(nullptr, STRINDLE_Next(pBlock, szElsewhere));
    EXPECT_NE(std::string::npos, quiet.Text().find("MFX_PRE failed: in Strindle"));
    STRINDLE_Free(pBlock);
}

}  // namespace
