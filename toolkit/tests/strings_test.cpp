// The Strings module: bounded copies, characters, duplicates, white space and the decimal parser.
#include <gtest/gtest.h>

#include <string>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/strings.h"
#include "toolkit/tests/dbcs_rule.h"

namespace {

TEST(Strings, CopyNCopiesAtMostNMinusOneBytes) {
    const struct {
        size_t n;
        const char* szOut;
    } cases[] = {{1, ""}, {2, "A"}, {4, "ABC"}, {5, "ABCD"}, {6, "ABCD"}, {100, "ABCD"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        char szOut[8] = "zzzzzzz";
        EXPECT_EQ(szOut, STRINGS_CopyN(szOut, "ABCD", c.n));
        EXPECT_STREQ(c.szOut, szOut);
    }
    CDiagCapture quiet;
    char szOut[4] = "zzz";
    EXPECT_EQ(nullptr, STRINGS_CopyN(szOut, "ABCD", 0));
    EXPECT_EQ(nullptr, STRINGS_CopyN(szOut, nullptr, 4));
    EXPECT_STREQ("zzz", szOut);
    EXPECT_NE(std::string::npos, quiet.Text().find("MFX_PRE failed: in Strings"));
}

TEST(Strings, AppendCharStopsAtTheBufferSize) {
    CDiagCapture quiet;
    char szText[4] = "";
    EXPECT_EQ(1, STRINGS_AppendChar(szText, sizeof(szText), 'a'));
    EXPECT_EQ(1, STRINGS_AppendChar(szText, sizeof(szText), 'b'));
    EXPECT_EQ(1, STRINGS_AppendChar(szText, sizeof(szText), 'c'));
    EXPECT_EQ(0, STRINGS_AppendChar(szText, sizeof(szText), 'd'));
    EXPECT_STREQ("abc", szText);
}

TEST(Strings, CountCharStepsOverDoubleByteCharacters) {
    EXPECT_EQ(0, STRINGS_CountChar("", '\\'));
    EXPECT_EQ(3, STRINGS_CountChar("a\\b\\c\\", '\\'));
    const std::string so = "\x83\x5C";  // one double-byte character whose second byte is a backslash
    const std::string text = so + "\\" + so + "\\\\";
    EXPECT_EQ(5, STRINGS_CountChar(text.c_str(), '\\'));  // byte by byte
    CDbcsRule dbcs;
    EXPECT_EQ(3, STRINGS_CountChar(text.c_str(), '\\'));
}

TEST(Strings, DuplicateCopiesNonEmptyStrings) {
    CDiagCapture quiet;
    char* szCopy = STRINGS_Duplicate("setup.ini");
    ASSERT_NE(nullptr, szCopy);
    EXPECT_STREQ("setup.ini", szCopy);
    STRINGS_Free(szCopy);
    EXPECT_EQ(nullptr, STRINGS_Duplicate(""));
    EXPECT_EQ(nullptr, STRINGS_Duplicate(nullptr));
}

TEST(Strings, SkipWhiteFindsTheFirstOtherCharacter) {
    const char* szText = " \t\r\n\v\fx y";
    EXPECT_EQ(szText + 6, STRINGS_SkipWhite(szText));
    EXPECT_STREQ("", STRINGS_SkipWhite("   "));
}

TEST(Strings, UpperCaseChangesLettersInPlace) {
    char szText[] = "Loop=p 2,keepAspectRatio_[z]";
    EXPECT_EQ(szText, STRINGS_UpperCase(szText));
    EXPECT_STREQ("LOOP=P 2,KEEPASPECTRATIO_[Z]", szText);
    EXPECT_EQ(nullptr, STRINGS_UpperCase(nullptr));
}

TEST(Strings, CompareNoCaseFoldsOnlyTheLettersAToZ) {
    const struct {
        const char* szLeft;
        const char* szRight;
        int nSign;
    } cases[] = {
        {"hkey_local_machine", "HKEY_LOCAL_MACHINE", 0},
        {"", "", 0},
        {"Count", "count", 0},
        {"a", "B", -1},
        {"B", "a", 1},
        {"abc", "ab", 1},
        {"ab", "ABC", -1},
        {"[", "{", -1},  // '[' lies between 'Z' and 'a'; folding must not move it
        {"\xC4", "\xE4", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szLeft) + " / " + c.szRight);
        const int nResult = STRINGS_CompareNoCase(c.szLeft, c.szRight);
        EXPECT_EQ(c.nSign, (nResult > 0) - (nResult < 0));
    }
}

TEST(Strings, ToIntParsesSignedDecimalNumbers) {
    const struct {
        const char* szText;
        int nResult;
        int32_t nValue;
    } cases[] = {
        {"12", 1, 12},
        {"  12 kg", 1, 12},
        {"-17", 1, -17},
        {"\t-0", 1, 0},
        {"007", 1, 7},
        {"2147483647", 1, 2147483647},
        {"-2147483647", 1, -2147483647},
        {"12abc", 1, 12},
        {"2147483648", 0, 99},
        {"-2147483648", 0, 99},
        {"12345678901", 0, 99},
        {"abc", 0, 99},
        {"", 0, 99},
        {"-", 0, 99},
        {"- 5", 0, 99},
        {"+5", 0, 99},
        {"--5", 0, 99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szText);
        int32_t nValue = 99;
        EXPECT_EQ(c.nResult, STRINGS_ToInt(c.szText, &nValue));
        EXPECT_EQ(c.nValue, nValue);
    }
}

}  // namespace
