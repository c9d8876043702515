// The Add Movies dialog's answer in both of its forms.
#include "converter/addmovies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/diag.h"

namespace {

using Names = std::vector<std::string>;

TEST(AddMoviesTest, BothAnswerFormsGiveFullNamesInOrder) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    const std::string sLong(257, 'n');
    const struct {
        const char* szCase;
        std::string answer;  // the buffer's bytes
        ADDMOVIES_FORM form;
        Names names;
    } cases[] = {
        {"folder and two names",
         std::string("C:\\m\0a.mov\0b.qt\0\0", 18),
         ADDMOVIES_NULSEPARATED,
         {"C:\\m\\a.mov", "C:\\m\\b.qt"}},
        {"root folder keeps one separator", std::string("C:\\\0a.mov\0\0", 11), ADDMOVIES_NULSEPARATED, {"C:\\a.mov"}},
        {"a single entry is a full name",
         std::string("C:\\m\\a.mov\0\0", 12),
         ADDMOVIES_NULSEPARATED,
         {"C:\\m\\a.mov"}},
        {"unterminated answer stops at the buffer's end",
         std::string("C:\\m\0a.mov\0b.m", 14),
         ADDMOVIES_NULSEPARATED,
         {"C:\\m\\a.mov", "C:\\m\\b.m"}},
        {"a join too long is left out",
         "C:\\m" + std::string(1, '\0') + sLong + '\0' + "b.mov" + '\0' + '\0',
         ADDMOVIES_NULSEPARATED,
         {"C:\\m\\b.mov"}},
        {"empty answer", std::string("\0\0", 2), ADDMOVIES_NULSEPARATED, {}},
        {"older form",
         std::string("C:\\m a.mov  b.qt\0junk", 21),
         ADDMOVIES_SPACESEPARATED,
         {"C:\\m\\a.mov", "C:\\m\\b.qt"}},
        {"older form, one file", std::string("C:\\m\\a.mov\0", 11), ADDMOVIES_SPACESEPARATED, {"C:\\m\\a.mov"}},
        {"older form, a single entry too long", std::string(300, 'w'), ADDMOVIES_SPACESEPARATED, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        EXPECT_EQ(c.names, ADDMOVIES_SplitAnswer(c.answer.data(), c.answer.size(), c.form));
    }
    DIAG_Terminate();
}

}  // namespace
