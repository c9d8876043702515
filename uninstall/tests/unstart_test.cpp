// How a run starts: the command line's switches and log name, and the choice of the log with or without a
// confirmation.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "uninstall/unstart.h"

namespace {

TEST(UnStart, SplitsSwitchesFromTheLogName) {
    const struct {
        const char* szLine;
        bool fOk;
        const char* szLog;
        const char* szAnswers;
        const char* szAnswerLog;
        bool fHelp;
    } cases[] = {
        {"", true, "", "", "", false},
        {"C:\\APP\\UNINST.LOG", true, "C:\\APP\\UNINST.LOG", "", "", false},
        // The uninstall list's command: the log's full path unquoted, blanks and all.
        {"C:\\Demo Player\\DEMO.LOG ", true, "C:\\Demo Player\\DEMO.LOG", "", "", false},
        {"\"C:\\Demo Player\\DEMO.LOG\"", true, "C:\\Demo Player\\DEMO.LOG", "", "", false},
        {"  /ANSWERS=C:\\RUN.INI UNINST.LOG", true, "UNINST.LOG", "C:\\RUN.INI", "", false},
        {"/answers=\"C:\\My Runs\\RUN.INI\" /AnswerLog=C:\\RUN.TXT C:\\A B\\X.LOG", true, "C:\\A B\\X.LOG",
         "C:\\My Runs\\RUN.INI", "C:\\RUN.TXT", false},
        {"/?", true, "", "", "", true},
        {"/ANSWERS= UNINST.LOG", false, "UNINST.LOG", "", "", false},
        {"/SILENT UNINST.LOG", false, "UNINST.LOG", "", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szLine);
        UNSTART_COMMANDLINE line;
        EXPECT_EQ(c.fOk, UNSTART_ParseCommandLine(c.szLine, &line));
        EXPECT_EQ(c.szLog, line.log);
        EXPECT_EQ(c.szAnswers, line.answers);
        EXPECT_EQ(c.szAnswerLog, line.answerLog);
        EXPECT_EQ(c.fHelp, line.fHelp);
        EXPECT_EQ(c.fOk, line.bad.empty());
    }
}

TEST(UnStart, WithoutAnArgumentTheLogIsNamedAfterTheProgramAndTheUserIsAsked) {
    PATHNAME szLog = "";
    bool fAsk = false;
    EXPECT_TRUE(UNSTART_ChooseLog("", "C:\\APP\\UNINST.EXE", szLog, &fAsk));
    EXPECT_STREQ("C:\\APP\\UNINST.LOG", szLog);
    EXPECT_TRUE(fAsk);
}

// A bare name is looked for in the current folder, then read beside the program; a name with a folder part
// is read where it says. Neither asks.
TEST(UnStart, AnArgumentNamingAFileIsReadWithoutAsking) {
    const std::string folder = TEMPFOLDER_Program().Path();
    const std::string log = folder + "unstart_test.log";
    ASSERT_TRUE(TESTFILE_Write(log, "[SETUP LOG]\n"));
    const std::string program = "C:\\APP\\UNINST.EXE";
    const struct {
        std::string argument;
        std::string expected;
    } cases[] = {
        {log, log},
        {"unstart_test.log", "C:\\APP\\unstart_test.log"},
        {folder + "unstart_test.missing", ""},
        {"unstart_test.missing", ""},
    };
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        PATHNAME szLog = "x";
        bool fAsk = true;
        EXPECT_EQ(!c.expected.empty(), UNSTART_ChooseLog(c.argument.c_str(), program.c_str(), szLog, &fAsk) != 0);
        EXPECT_EQ(c.expected, szLog);
        EXPECT_FALSE(fAsk);
    }
    std::filesystem::current_path(previous);
    std::remove(log.c_str());
}

TEST(UnStart, TheTextsNameTheProductAndTheFile) {
    EXPECT_EQ("This program will remove Demo Player from your computer", UNSTART_ConfirmText("Demo Player"));
    EXPECT_EQ("Demo Player was successfully removed from your computer", UNSTART_RemovedText("Demo Player"));
    EXPECT_EQ(
        "UnInstall has determined that a shared file is no longer needed:\n\nC:\\WIN\\SYSTEM\\QTX.DLL\n\n"
        "Would you like UnInstall to remove this file?",
        UNSTART_SharedFileText("C:\\WIN\\SYSTEM\\QTX.DLL"));
    EXPECT_EQ("UNINSTALL_SHARED_FILE:C:\\WIN\\SYSTEM\\QTX.DLL", UNSTART_SharedFileId("C:\\WIN\\SYSTEM\\QTX.DLL"));
}

}  // namespace
