// The response file of unattended runs: reading it, answering free-text and fixed-choice questions with the
// file's answers or the caller's defaults, the answer log, and the response file written from a recorded run.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "setup/answers.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"

namespace {

const char RESPONSE[] =
    "; answers for a scripted removal\r\n"
    "[Other]\r\n"
    "IDS_EXITSETUP=Yes\r\n"
    "[ answers ]\r\n"
    "  ids_exitsetup =  No  \r\n"
    "IDS_EXITSETUP=Yes\r\n"
    "SETUP_INSTALL_TO=\"C:\\Demo Player \"\r\n"
    "UNINSTALL_SHARED_FILE=Maybe\n"
    "a line without an equals sign\r\n"
    "EMPTY=\r\n"
    "[Later]\r\n"
    "LATER=1\r\n";

TEST(Answers, ReadsTheAnswersSectionAlone) {
    CAnswers answers;
    ASSERT_TRUE(ANSWERS_Parse(&answers, RESPONSE));
    EXPECT_TRUE(answers.m_fUnattended);
    // The first of two lines wins, keys ignore letter case, quotes keep a blank at the end of a value.
    const CTextMap expected = {{"ids_exitsetup", "No"},
                               {"SETUP_INSTALL_TO", "C:\\Demo Player "},
                               {"UNINSTALL_SHARED_FILE", "Maybe"},
                               {"EMPTY", ""}};
    EXPECT_EQ(expected, answers.m_Answers);
}

TEST(Answers, AFileWithoutTheSectionLeavesTheRunAttended) {
    const char* texts[] = {"", "IDS_EXITSETUP=No\r\n", "[Answer]\r\nIDS_EXITSETUP=No\r\n"};
    for (const char* szText : texts) {
        SCOPED_TRACE(szText);
        CAnswers answers;
        EXPECT_FALSE(ANSWERS_Parse(&answers, szText));
        EXPECT_FALSE(answers.m_fUnattended);
        EXPECT_TRUE(answers.m_Answers.empty());
    }
}

TEST(Answers, QuestionsTakeTheFilesAnswerOrTheirDefault) {
    CAnswers answers;
    ASSERT_TRUE(ANSWERS_Parse(&answers, RESPONSE));
    const struct {
        const char* szId;
        int nDefault;
        int nExpected;
        ANSWERS_SOURCE source;
        const char* szLogLine;
    } cases[] = {
        {"IDS_EXITSETUP", 0, 1, ANSWERS_FROMFILE, "IDS_EXITSETUP=No (from the file)"},
        {"Ids_ExitSetup", 0, 1, ANSWERS_FROMFILE, "Ids_ExitSetup=No (from the file)"},
        {"UNANSWERED", 1, 1, ANSWERS_DEFAULT, "UNANSWERED=No (default)"},
        {"UNINSTALL_SHARED_FILE", 1, 1, ANSWERS_DEFAULT,
         "UNINSTALL_SHARED_FILE=No (default; the file's answer \"Maybe\" is none of Yes, No)"},
        {"EMPTY", 0, 0, ANSWERS_DEFAULT, "EMPTY=Yes (default; the file's answer \"\" is none of Yes, No)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szId);
        EXPECT_EQ(c.nExpected, ANSWERS_Choose(&answers, c.szId, {"Yes", "No"}, c.nDefault));
        EXPECT_EQ(c.source, answers.m_Given.back().source);
        EXPECT_EQ(c.szLogLine, ANSWERS_LogLine(answers.m_Given.back()));
    }
    EXPECT_EQ("C:\\Demo Player ", ANSWERS_Text(&answers, "SETUP_INSTALL_TO", "C:\\DEMO"));
    EXPECT_EQ("", ANSWERS_Text(&answers, "EMPTY", "something"));
    EXPECT_EQ("C:\\DEMO", ANSWERS_Text(&answers, "SETUP_OTHER_DIR", "C:\\DEMO"));
    EXPECT_EQ("SETUP_OTHER_DIR=C:\\DEMO (default)", ANSWERS_LogLine(answers.m_Given.back()));
    EXPECT_EQ(8u, answers.m_Given.size());
}

TEST(Answers, AChoiceIsGivenInItsOwnSpelling) {
    CAnswers answers;
    ASSERT_TRUE(ANSWERS_Parse(&answers, "[Answers]\nCONFIRM=cancel\n"));
    EXPECT_EQ(1, ANSWERS_Choose(&answers, "CONFIRM", {"OK", "Cancel"}, 0));
    EXPECT_EQ("Cancel", answers.m_Given.back().answer);
}

// Every answer reaches the log as it is given, after whatever an earlier run left there was dropped.
TEST(Answers, TheLogHoldsEachAnswerOfThisRun) {
    const std::string log = TEMPFOLDER_Program() / "answers_test.log";
    ASSERT_TRUE(TESTFILE_Write(log, "a line of an earlier run\r\n"));
    CAnswers answers;
    ASSERT_TRUE(ANSWERS_Parse(&answers, RESPONSE));
    ASSERT_TRUE(ANSWERS_SetLogFile(&answers, log.c_str()));
    ANSWERS_Choose(&answers, "IDS_EXITSETUP", {"Yes", "No"}, 0);
    EXPECT_EQ("IDS_EXITSETUP=No (from the file)\r\n", TESTFILE_Read(log));
    ANSWERS_Text(&answers, "SETUP_INSTALL_TO", "C:\\DEMO");
    ANSWERS_Record(&answers, "SETUP_COMPONENTS", "Player,Samples");
    EXPECT_EQ(
        "IDS_EXITSETUP=No (from the file)\r\n"
        "SETUP_INSTALL_TO=C:\\Demo Player  (from the file)\r\n"
        "SETUP_COMPONENTS=Player,Samples (a person)\r\n",
        TESTFILE_Read(log));
    std::remove(log.c_str());
    EXPECT_FALSE(ANSWERS_SetLogFile(&answers, (TEMPFOLDER_Program() / "missing/folder/answers.log").c_str()));
}

// A recorded run, written and read back, answers every question as the person did.
TEST(Answers, ARecordedRunRoundTrips) {
    CAnswers recorded;
    ASSERT_TRUE(ANSWERS_Record(&recorded, "SETUP_INSTALL_TO", "C:\\Demo Player "));
    ASSERT_TRUE(ANSWERS_Record(&recorded, "IDS_EXITSETUP", "Yes"));
    ASSERT_TRUE(ANSWERS_Record(&recorded, "QUOTED", "\"as typed\""));
    ASSERT_TRUE(ANSWERS_Record(&recorded, "EMPTY", ""));
    ASSERT_TRUE(ANSWERS_Record(&recorded, "IDS_EXITSETUP", "No"));  // asked again: the last answer counts
    // Identifiers and answers that could not be read back as written are refused.
    EXPECT_FALSE(ANSWERS_Record(&recorded, "A=B", "Yes"));
    EXPECT_FALSE(ANSWERS_Record(&recorded, "[Answers]", "Yes"));
    EXPECT_FALSE(ANSWERS_Record(&recorded, " PADDED", "Yes"));
    EXPECT_FALSE(ANSWERS_Record(&recorded, "TWO_LINES", "Yes\r\nNO=No"));
    const std::string text = ANSWERS_Format(&recorded);
    EXPECT_EQ(
        "[Answers]\r\n"
        "SETUP_INSTALL_TO=\"C:\\Demo Player \"\r\n"
        "IDS_EXITSETUP=No\r\n"
        "QUOTED=\"\"as typed\"\"\r\n"
        "EMPTY=\r\n",
        text);

    const std::string file = TEMPFOLDER_Program() / "answers_test.ini";
    ASSERT_TRUE(ANSWERS_Write(&recorded, file.c_str()));
    CAnswers replay;
    ASSERT_TRUE(ANSWERS_Load(&replay, file.c_str()));
    std::remove(file.c_str());
    const CTextMap expected = {
        {"SETUP_INSTALL_TO", "C:\\Demo Player "}, {"IDS_EXITSETUP", "No"}, {"QUOTED", "\"as typed\""}, {"EMPTY", ""}};
    EXPECT_EQ(expected, replay.m_Answers);
    EXPECT_EQ(text, ANSWERS_Format(&recorded));
}

TEST(Answers, LoadRefusesAMissingOrOversizedFile) {
    CAnswers answers;
    EXPECT_FALSE(ANSWERS_Load(&answers, (TEMPFOLDER_Program() / "answers_test.missing").c_str()));
    const std::string file = TEMPFOLDER_Program() / "answers_test.big";
    ASSERT_TRUE(TESTFILE_Write(file, "[Answers]\r\n" + std::string(ANSWERS_MAXFILE, ';')));
    EXPECT_FALSE(ANSWERS_Load(&answers, file.c_str()));
    std::remove(file.c_str());
    EXPECT_FALSE(answers.m_fUnattended);
}

TEST(Answers, MatchesASwitchWithItsValue) {
    const struct {
        const char* szArgument;
        bool fMatch;
        const char* szValue;
    } cases[] = {
        {"/ANSWERS=C:\\RUN.INI", true, "C:\\RUN.INI"},
        {"-answers=\"C:\\My Runs\\RUN.INI\"", true, "C:\\My Runs\\RUN.INI"},
        {"/Answers=", true, ""},
        {"/ANSWERS", false, ""},
        {"/ANSWERSX=C:\\RUN.INI", false, ""},
        {"ANSWERS=C:\\RUN.INI", false, ""},
        {"C:\\APP\\UNINST.LOG", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szArgument);
        std::string value;
        EXPECT_EQ(c.fMatch, ANSWERS_MatchSwitch(c.szArgument, "ANSWERS", &value));
        EXPECT_EQ(c.szValue, value);
    }
}

}  // namespace
