// The engine's messages as shown: replacement texts from the string override file, the caption, and the
// answer hook that answers a box without a window or records what the person pressed.
#include "setup/setupmsg_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/answerhook_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

class SetupMsgTest : public testing::Test {
protected:
    void TearDown() override {
        SETUPMSG_SetOverrideFile(nullptr);
        SETUPMSG_SetCaption(nullptr);
        ANSWERHOOK_Set(nullptr, nullptr);
    }
    CTempFolder m_folder{"setupmsg"};
};

TEST_F(SetupMsgTest, TheOverrideFileReplacesTextsByName) {
    const struct {
        const char* szFile;  // null: no file
        int nId;
        const char* szExpected;
    } cases[] = {
        {nullptr, IDS_EXITSETUP, "Exit without completing the installation?"},
        {"", IDS_EXITSETUP, "Exit without completing the installation?"},
        {"[Tamberlo]\r\nIDS_GOODSETUP=All done.\r\n", IDS_EXITSETUP, "Exit without completing the installation?"},
        {"[Tamberlo]\r\nIDS_EXITSETUP=Leave now?\r\n", IDS_EXITSETUP, "Leave now?"},
        {"[Other]\r\nIDS_EXITSETUP=Leave now?\r\n", IDS_EXITSETUP, "Exit without completing the installation?"},
        {"[Tamberlo]\r\nIDS_EXITSETUP=\r\n", IDS_EXITSETUP, ""},  // present: its value, even empty
        // Quotes keep the blanks at either end.
        {"[Tamberlo]\r\n34=\" is busy; copy it later to \"\r\n", SETUPMSG_INUSE2, " is busy; copy it later to "},
    };
    const std::string path = m_folder / "setup.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szFile ? c.szFile : "no file");
        DeleteFileA(path.c_str());
        if (c.szFile) {
            ASSERT_TRUE(TESTFILE_Write(path, c.szFile));
        }
        SETUPMSG_SetOverrideFile(path.c_str());
        EXPECT_EQ(c.szExpected, SETUPMSG_GetText(c.nId));
    }
    // Without the design's permission the file is not read.
    ASSERT_TRUE(TESTFILE_Write(path, "[Tamberlo]\r\nIDS_EXITSETUP=Leave now?\r\n"));
    SETUPMSG_SetOverrideFile(nullptr);
    EXPECT_EQ("Exit without completing the installation?", SETUPMSG_GetText(IDS_EXITSETUP));

    CDiagCapture capture;
    EXPECT_EQ("", SETUPMSG_GetText(16));
    EXPECT_NE(std::string::npos, capture.Text().find("szName")) << capture.Text();
}

TEST_F(SetupMsgTest, TheCaptionIsTheDesignsElseMessageOne) {
    EXPECT_EQ("Setup", SETUPMSG_GetCaption());
    const std::string path = m_folder / "setup.txt";
    ASSERT_TRUE(TESTFILE_Write(path, "[Tamberlo]\r\nIDS_CAPTION=Installer\r\n"));
    SETUPMSG_SetOverrideFile(path.c_str());
    EXPECT_EQ("Installer", SETUPMSG_GetCaption());
    SETUPMSG_SetCaption("Flarion Setup");
    EXPECT_EQ("Flarion Setup", SETUPMSG_GetCaption());
}

struct ANSWERLOG {
    std::vector<std::string> asked;
    std::vector<std::string> answered;
};
ANSWERLOG s_log;

int AnswerNo(const char* szId, unsigned uType, char* szAnswer, int cchAnswer) {
    s_log.asked.push_back(std::string(szId) + " " + std::to_string(uType & MB_TYPEMASK));
    return IDNO;
}
int AskThePerson(const char* szId, unsigned uType, char* szAnswer, int cchAnswer) {
    s_log.asked.push_back(szId);
    return 0;
}
void Record(const char* szId, int nButton, const char* szAnswer) {
    s_log.answered.push_back(std::string(szId) + " " + std::to_string(nButton));
}

TEST_F(SetupMsgTest, APersonsAnswerIsShownAndRecorded) {
    s_log = ANSWERLOG();
    ANSWERHOOK_Set(AskThePerson, Record);
    SETUPMSG_SetCaption("Demo Setup");
    CBoxAnswer answer(IDYES);
    EXPECT_EQ(IDYES, SETUPMSG_Show(nullptr, IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Exit without completing the installation?", answer.Text());
    EXPECT_EQ("Demo Setup", answer.Caption());
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), answer.Style() & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(std::vector<std::string>{"IDS_EXITSETUP"}, s_log.asked);
    EXPECT_EQ(std::vector<std::string>{"IDS_EXITSETUP 6"}, s_log.answered);
}

TEST_F(SetupMsgTest, AnAnswererAnswersWithoutAWindow) {
    s_log = ANSWERLOG();
    ANSWERHOOK_Set(AnswerNo, Record);
    CModalTimeout guard(UIDRIVER_TIMEOUT);
    const std::string text = std::string(SETUPMSG_GetText(SETUPMSG_ASSOC1)) + ".txt" + SETUPMSG_GetText(SETUPMSG_ASSOC2);
    EXPECT_EQ(IDNO, SETUPMSG_Box(nullptr, SETUPMSG_ASSOC1, text, MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ(std::vector<std::string>{"27 " + std::to_string(MB_YESNO)}, s_log.asked);
    EXPECT_TRUE(s_log.answered.empty());
    // The program's export is what the hook library reaches.
    EXPECT_EQ(IDNO, SETUP_Answer("TAVLET_INSTALLPLUGIN", MB_YESNO, nullptr, 0));
}

}  // namespace
