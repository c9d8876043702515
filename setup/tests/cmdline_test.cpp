// The engine's command line: the bootstrap's words and the unattended switches taken out before them.
#include <gtest/gtest.h>

#include <string>

#include "setup/cmdline.h"

namespace {

struct LINECASE {
    const char* szLine;
    bool fKelpy;
    char cDrive;
    int nFrame;
    const char* szAnswers;
    const char* szRecord;
};

TEST(CmdLine, BootstrapWordsAndSwitches) {
    const LINECASE cases[] = {
        {"", false, 'a', 1, "", ""},
        {"DEBUG x: 3", false, 'x', 3, "", ""},
        {"KELPY d: 4", true, 'd', 4, "", ""},
        {"KELPY", true, 'a', 1, "", ""},
        {"  KELPY   e:\\ 7", true, 'e', 1, "", ""},  // 7 is no frame
        {"KELPY d: 6 ", true, 'd', 1, "", ""},       // the last character is the blank
        {"xKELPYx q", true, 'q', 1, "", ""},         // contained is enough
        {"KELPY d: 5 /ANSWERS=C:\\r.ini", true, 'd', 5, "C:\\r.ini", ""},
        {"/answers=\"C:\\My Files\\r.ini\" KELPY f: 2", true, 'f', 2, "C:\\My Files\\r.ini", ""},
        {"KELPY /RECORD=out.ini g: 3", true, 'g', 3, "", "out.ini"},
        {"KELPY c: /RECORD=a.ini /ANSWERS=b.ini", true, 'c', 1, "b.ini", "a.ini"},
        {"KELPY c: x/ANSWERS=b.ini", true, 'c', 1, "", ""},  // not a word of its own
    };
    for (const LINECASE& c : cases) {
        SCOPED_TRACE(c.szLine);
        SETUPCMDLINE line;
        EXPECT_EQ(1, CMDLINE_Parse(&line, c.szLine));
        EXPECT_EQ(c.fKelpy, line.fKelpy);
        EXPECT_EQ(c.cDrive, line.cDrive);
        EXPECT_EQ(c.nFrame, line.nCursorFrame);
        EXPECT_STREQ(c.szAnswers, line.szAnswers);
        EXPECT_STREQ(c.szRecord, line.szRecord);
    }
}

TEST(CmdLine, SwitchWithoutAFileOrTooLongFails) {
    SETUPCMDLINE line;
    EXPECT_EQ(0, CMDLINE_Parse(&line, "KELPY a: /ANSWERS="));
    EXPECT_TRUE(line.fKelpy);
    EXPECT_EQ(0, CMDLINE_Parse(&line, "KELPY a: /RECORD=\"\""));
    const std::string longName = "KELPY a: /ANSWERS=" + std::string(300, 'x');
    EXPECT_EQ(0, CMDLINE_Parse(&line, longName.c_str()));
    EXPECT_STREQ("", line.szAnswers);
}

TEST(CmdLine, DebugIsNotedOnly) {
    SETUPCMDLINE line;
    CMDLINE_Parse(&line, "KELPY DEBUG");
    EXPECT_TRUE(line.fDebug);
    EXPECT_EQ('D', line.cDrive);
}

}  // namespace
