// The whole installation run inside the test program, under Wine: designs compiled by our design compiler,
// media laid out by the tests, the dialogs answered by the UI test driver or by a response file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/engine_win.h"
#include "setup/setupdlg_ids.h"
#include "setup/tests/setupmedia_win.h"
#include "testing/testsupport/uidriver_win.h"

int CSetupMedia::s_nLogOffs = 0;

namespace {

// One collection of two files (one compressed) and a directory, on one disk, into %DEST%\APP.
const char BASIC[] = R"(
[Setup]
DlgCaption = Install Demo
InstallType = 0
Uninstall = 1
Product = Demo 1.0
UnInstallText = Remove Demo
[Path 0]
Path = a:\disk1
[Target 1]
DefaultPath = %DEST%\APP
Name = Demo
Modify = 1
Prompt = 1
[Collection 0]
Name = Program
Target = 1
[Disk 0]
Name = Demo Disk 1
[Thing 0]
Name = DEMO.EX_
Size = 5000
[Thing 1]
Name = README.TXT
Size = 12
[Thing 2]
Type = dir
Name = SAMPLES
Size = 6
)";

void LayOutBasic(CSetupMedia& media) {
    ASSERT_EQ("", media.Design(BASIC));
    media.CompressedFile("disk1", "DEMO.EXE", std::string(5000, 'x'));
    media.File("disk1\\README.TXT", "read me now.");
    media.File("disk1\\SAMPLES\\one.txt", "sample");
    media.Marker(0);
}

// Answers the message box showing exactly szText with the button; false when none came.
bool Box(const char* szText, int idButton) {
    HWND hBox = UIDRIVER_WaitForMessageBox(szText, UIDRIVER_TIMEOUT);
    return hBox && UIDRIVER_PressButton(hBox, idButton);
}

// The design with its [Setup] section's first lines replaced.
std::string WithSetup(const char* szDesign, const std::string& lines) {
    std::string design = szDesign;
    design.replace(design.find("[Setup]\n") + 8, 0, lines);
    return design;
}

std::vector<std::string> Files(const CLogFile& log) {
    return std::vector<std::string>(log.m_Files.begin(), log.m_Files.end());
}

// The lines of the answer log that name the question.
std::vector<std::string> AnswerLines(const std::string& log, const std::string& id) {
    std::vector<std::string> lines;
    size_t nAt = 0;
    while (nAt < log.size()) {
        const size_t nEnd = log.find('\n', nAt);
        const std::string line = log.substr(nAt, nEnd == std::string::npos ? std::string::npos : nEnd - nAt);
        if (line.compare(0, id.size() + 1, id + "=") == 0)
            lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
        nAt = nEnd == std::string::npos ? log.size() : nEnd + 1;
    }
    return lines;
}

// Message 24 for the log in %DEST%\APP.
std::string Logged(const CSetupMedia& media) {
    return "A logfile containing information on the actions of the setup has been created and stored as " +
           media.Dest() + "APP\\UNNSTALL.LOG.";
}

TEST(EngineTest, WithoutKelpyItOnlyAsksForSetupExe) {
    CSetupMedia media;
    LayOutBasic(media);
    CModalTimeout guard(20000);
    CBoxAnswer answer(IDOK);
    const std::string engine = media.Bin() + "HAULIX.EXE";
    const std::string line = std::string(1, engine[0]) + ": 3";
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, ENGINE_Run(GetModuleHandleA(nullptr), engine.c_str(), line.c_str(), nullptr));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Please run SETUP.EXE", answer.Text());
    EXPECT_EQ("Haulix", answer.Caption());
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), answer.Style() & MB_ICONMASK);
    EXPECT_FALSE(TESTFILE_Exists(media.Dest() + "APP"));
    EXPECT_FALSE(guard.Expired());
}

TEST(EngineTest, InstallTypeZeroInstallsAsCompleteWithoutTheCustomizeWindow) {
    CSetupMedia media;
    LayOutBasic(media);
    CModalTimeout guard(60000);
    bool fCustomizeSeen = false;
    std::string folderShown;
    CUserThread user([&] {
        HWND hDlg = UIDRIVER_WaitForDialog("Install Demo", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hDlg);
        folderShown = UIDRIVER_GetItemText(hDlg, IDC_INSTALL_FOLDER);
        ASSERT_TRUE(UIDRIVER_PressButton(hDlg, IDC_INSTALL_CONTINUE));
        const std::string create = "The directory " + media.Dest() + "APP does not exist. Create?";
        ASSERT_TRUE(Box(create.c_str(), IDYES));
        fCustomizeSeen = UIDRIVER_WaitForDialog("Customize Setup", 0) != nullptr;
        ASSERT_TRUE(Box("The installation was successful.", IDOK));
        const std::string logged =
            "A logfile containing information on the actions of the setup has been created and "
            "stored as " +
            media.Dest() + "APP\\UNNSTALL.LOG.";
        ASSERT_TRUE(Box(logged.c_str(), IDOK));
    });
    EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run());
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_FALSE(fCustomizeSeen);
    EXPECT_EQ(media.Dest() + "APP", folderShown);
    EXPECT_EQ(std::string(5000, 'x'), TESTFILE_Read(media.Dest() + "APP\\demo.exe"));
    EXPECT_EQ("read me now.", TESTFILE_Read(media.Dest() + "APP\\README.TXT"));
    EXPECT_EQ("sample", TESTFILE_Read(media.Dest() + "APP\\SAMPLES\\one.txt"));
    CLogFile log;
    ASSERT_TRUE(LOGFILE_Read(&log, (media.Dest() + "APP\\UNNSTALL.LOG").c_str()));
    EXPECT_EQ("Demo 1.0", log.m_Product);
    EXPECT_EQ((std::vector<std::string>{media.Dest() + "APP\\demo.exe", media.Dest() + "APP\\README.TXT"}),
              std::vector<std::string>(log.m_Files.begin(), log.m_Files.end()));
}

TEST(EngineTest, UnattendedTheSameInstallShowsNothingAndLogsEachAnswer) {
    CSetupMedia media;
    LayOutBasic(media);
    CModalTimeout guard(30000);
    EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run(media.Answers("")));
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ(std::string(5000, 'x'), TESTFILE_Read(media.Dest() + "APP\\demo.exe"));
    EXPECT_EQ("sample", TESTFILE_Read(media.Dest() + "APP\\SAMPLES\\one.txt"));
    const std::string answers = TESTFILE_Read(media.Dest() + "APP\\ANSWERS.LOG");
    EXPECT_EQ(std::vector<std::string>{"SETUP_INSTALL_TO=" + media.Dest() + "APP (default)"},
              AnswerLines(answers, "SETUP_INSTALL_TO"));
    EXPECT_EQ(std::vector<std::string>{"IDS_DIRNOTEXIST1=Yes (default)"}, AnswerLines(answers, "IDS_DIRNOTEXIST1"));
    EXPECT_EQ(std::vector<std::string>{"IDS_GOODSETUP=OK (default)"}, AnswerLines(answers, "IDS_GOODSETUP"));
    EXPECT_NE(std::string::npos, answers.find("exit status 0"));
}

TEST(EngineTest, AnsweredFolderAndExitFromTheFile) {
    CSetupMedia media;
    LayOutBasic(media);
    CModalTimeout guard(30000);
    const std::string other = media.Dest() + "OTHER";
    EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run(media.Answers("SETUP_INSTALL_TO=" + other + "\r\n")));
    EXPECT_EQ("read me now.", TESTFILE_Read(other + "\\README.TXT"));
    EXPECT_NE(std::string::npos,
              TESTFILE_Read(other + "\\ANSWERS.LOG").find("SETUP_INSTALL_TO=" + other + " (from the file)"));

    CSetupMedia left;
    LayOutBasic(left);
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, left.Run(left.Answers("SETUP_INSTALL_TO=Exit\r\nIDS_EXITSETUP=Yes\r\n")));
    EXPECT_FALSE(TESTFILE_Exists(left.Dest() + "APP"));
    EXPECT_FALSE(guard.Expired());
}

TEST(EngineTest, AResponseFileThatCannotBeReadEndsTheRunWithoutAWindow) {
    CSetupMedia media;
    LayOutBasic(media);
    CModalTimeout guard(20000);
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, media.Run("/ANSWERS=" + media.Media() + "missing.ini"));
    EXPECT_FALSE(TESTFILE_Exists(media.Dest() + "APP"));
    EXPECT_FALSE(guard.Expired());
}

// Two collections, a thing of every collection, one for target 0, and a second disk.
const char TWO[] = R"(
[Setup]
InstallType = 0
Uninstall = 1
Product = Two 1.0
[Path 0]
Path = a:\disk1
[Path 1]
Path = a:\disk2
[Target 0]
DefaultPath = %DEST%\ZERO
Name = Nowhere
[Target 1]
DefaultPath = %DEST%\APP
Name = Two
[Collection 0]
Name = Program
Target = 1
[Collection 1]
Name = Extras
Target = 1
[Disk 0]
Name = Two Disk 1
[Disk 1]
Name = Two Disk 2
[Thing 0]
Name = ONE.TXT
Size = 3
[Thing 1]
Name = SHARED.TXT
Collection = -1
Size = 6
[Thing 2]
Name = NEVER.TXT
Target = 0
Size = 5
[Thing 3]
Name = EXTRA.TXT
Collection = 1
Size = 5
[Thing 4]
Name = LATER.TXT
DistribDir = 1
Disk = 1
Size = 5
)";

void LayOutTwo(CSetupMedia& media, bool fSecondMarker) {
    ASSERT_EQ("", media.Design(TWO, "Two 1.0"));
    media.File("disk1\\ONE.TXT", "one");
    media.File("disk1\\SHARED.TXT", "shared");
    media.File("disk1\\NEVER.TXT", "never");
    media.File("disk1\\EXTRA.TXT", "extra");
    media.File("disk2\\LATER.TXT", "later");
    media.Marker(0);
    if (fSecondMarker)
        media.Marker(1);
}

TEST(EngineTest, SharedThingsGoOncePerCollectionAndTargetZeroNever) {
    CSetupMedia media;
    LayOutTwo(media, true);
    CModalTimeout guard(30000);
    // The second copy of the shared file finds the first: Yes to All answers that question for the run.
    EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run(media.Answers("SETUP_OVERWRITE=YesToAll\r\n")));
    const std::string app = media.Dest() + "APP\\";
    CLogFile log;
    ASSERT_TRUE(LOGFILE_Read(&log, (app + "UNNSTALL.LOG").c_str()));
    // Collection 0's things in slot order, then collection 1's, then the second disk's.
    EXPECT_EQ((std::vector<std::string>{app + "ONE.TXT", app + "SHARED.TXT", app + "SHARED.TXT", app + "EXTRA.TXT",
                                        app + "LATER.TXT"}),
              Files(log));
    EXPECT_FALSE(TESTFILE_Exists(media.Dest() + "ZERO\\NEVER.TXT"));
    EXPECT_FALSE(TESTFILE_Exists(app + "NEVER.TXT"));
    const std::string answers = TESTFILE_Read(app + "ANSWERS.LOG");
    EXPECT_EQ(1u, AnswerLines(answers, "SETUP_OVERWRITE").size());
    // disk.b was in the source root: no prompt for the second disk.
    EXPECT_TRUE(AnswerLines(answers, "SETUP_DISK_PROMPT").empty());
    EXPECT_FALSE(guard.Expired());
}

TEST(EngineTest, AMissingDiskIsAskedForAndReadFromTheFolderGiven) {
    CSetupMedia media;
    LayOutTwo(media, false);
    media.File("elsewhere\\disk.b", "");
    media.File("elsewhere\\disk2\\LATER.TXT", "later from elsewhere");
    CModalTimeout guard(30000);
    const std::string elsewhere = media.Media() + "elsewhere";
    EXPECT_EQ(ENGINE_EXIT_INSTALLED,
              media.Run(media.Answers("SETUP_OVERWRITE=YesToAll\r\nSETUP_DISK_PROMPT=" + elsewhere + "\r\n")));
    EXPECT_EQ("later from elsewhere", TESTFILE_Read(media.Dest() + "APP\\LATER.TXT"));

    // A folder without the marker is no answer: the run stops at the prompt.
    CSetupMedia stopped;
    LayOutTwo(stopped, false);
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, stopped.Run(stopped.Answers("SETUP_OVERWRITE=YesToAll\r\n")));
    EXPECT_TRUE(TESTFILE_Exists(stopped.Dest() + "APP\\ONE.TXT"));
    EXPECT_FALSE(TESTFILE_Exists(stopped.Dest() + "APP\\LATER.TXT"));
    EXPECT_FALSE(guard.Expired());
}

TEST(EngineTest, YesToAllStopsFurtherOverwriteQuestions) {
    CSetupMedia media;
    LayOutBasic(media);
    CreateDirectoryA((media.Dest() + "APP").c_str(), nullptr);
    TESTFILE_Write(media.Dest() + "APP\\demo.exe", "old");
    TESTFILE_Write(media.Dest() + "APP\\README.TXT", "old");
    CModalTimeout guard(60000);
    std::string question;
    CUserThread user([&] {
        HWND hDlg = UIDRIVER_WaitForDialog("Install Demo", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hDlg && UIDRIVER_PressButton(hDlg, IDC_INSTALL_CONTINUE));
        HWND hOverwrite = UIDRIVER_WaitForDialog("Setup", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hOverwrite);
        question = UIDRIVER_GetItemText(hOverwrite, IDC_OVERWRITE_TEXT);
        ASSERT_TRUE(UIDRIVER_PressButton(hOverwrite, IDC_OVERWRITE_YESALL));
        ASSERT_TRUE(Box("The installation was successful.", IDOK));
        ASSERT_TRUE(Box(Logged(media).c_str(), IDOK));
    });
    EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run());
    user.Join();
    EXPECT_FALSE(guard.Expired());
    std::string lower = media.Dest() + "APP\\demo.exe";
    for (char& ch : lower)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ("Do you wish to overwrite the file or directory: \n\n" + lower + "?", question);
    EXPECT_EQ(std::string(5000, 'x'), TESTFILE_Read(media.Dest() + "APP\\demo.exe"));
    EXPECT_EQ("read me now.", TESTFILE_Read(media.Dest() + "APP\\README.TXT"));
}

TEST(EngineTest, CancelInTheOverwriteQuestionAbandons) {
    CSetupMedia media;
    LayOutBasic(media);
    CreateDirectoryA((media.Dest() + "APP").c_str(), nullptr);
    TESTFILE_Write(media.Dest() + "APP\\demo.exe", "old");
    CModalTimeout guard(60000);
    CUserThread user([&] {
        HWND hDlg = UIDRIVER_WaitForDialog("Install Demo", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hDlg && UIDRIVER_PressButton(hDlg, IDC_INSTALL_CONTINUE));
        HWND hOverwrite = UIDRIVER_WaitForDialog("Setup", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hOverwrite && UIDRIVER_PressButton(hOverwrite, IDCANCEL));
        // No keeps the question open; Yes leaves.
        ASSERT_TRUE(Box("Exit without completing the installation?", IDNO));
        ASSERT_TRUE(UIDRIVER_PressButton(hOverwrite, IDCANCEL));
        ASSERT_TRUE(Box("Exit without completing the installation?", IDYES));
        ASSERT_TRUE(Box("The installation was not successful.", IDOK));
        ASSERT_TRUE(Box(Logged(media).c_str(), IDOK));
    });
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, media.Run());
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("old", TESTFILE_Read(media.Dest() + "APP\\demo.exe"));
    EXPECT_FALSE(TESTFILE_Exists(media.Dest() + "APP\\README.TXT"));
}

TEST(EngineTest, AHookThatLeavesAtScreenZeroGoesToTheExitQuestion) {
    CSetupMedia media;
    ASSERT_EQ("", media.Design(WithSetup(BASIC, "HookLibrary = hookstandin.dll\nDLLHook = 1\n")));
    CopyFileA(BUILDPATH_SubsystemFile("..\\testing\\hookstandin\\hookstandin.dll").c_str(),
              (media.Bin() + "hookstandin.dll").c_str(), FALSE);
    TESTFILE_Write(media.Bin() + "hookstandin.ini", "[Screen]\r\n0=2\r\n");
    CModalTimeout guard(30000);
    CBoxAnswer leave(IDYES);
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, media.Run());
    ASSERT_TRUE(leave.Wait());
    EXPECT_EQ("Exit without completing the installation?", leave.Text());
    EXPECT_FALSE(guard.Expired());
    const std::string events = TESTFILE_Read(media.Bin() + "hookstandin.log");
    const size_t nScreen = events.find("416 screen 0 forward");
    ASSERT_NE(std::string::npos, nScreen) << events;
    EXPECT_NE(std::string::npos, events.find("336", nScreen)) << events;
    EXPECT_EQ(std::string::npos, events.find("400"));  // no dialog opened
}

TEST(EngineTest, CompleteWithTooLittleSpaceKeepsTheCustomType) {
    CSetupMedia media;
    std::string design = WithSetup(BASIC, "");
    design.replace(design.find("InstallType = 0"), 15, "InstallType = 3");
    // More than any test machine's free space: 40 things of 2 GB each, on the media as one byte each.
    for (int i = 10; i < 50; ++i)
        design += "[Thing " + std::to_string(i) + "]\nName = BIG" + std::to_string(i) + ".BIN\nSize = 2147483647\n";
    ASSERT_EQ("", media.Design(design));
    CModalTimeout guard(60000);
    std::string space;
    bool fCustomizeShown = false;
    CUserThread user([&] {
        HWND hDlg = UIDRIVER_WaitForDialog("Install Demo", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hDlg && UIDRIVER_PressButton(hDlg, IDC_INSTALL_CONTINUE));
        HWND hChoose = UIDRIVER_WaitForDialog("Setup", UIDRIVER_TIMEOUT);
        ASSERT_TRUE(hChoose && UIDRIVER_PressButton(hChoose, IDC_CHOOSE_COMPLETE));
        space = "There is not enough space on drive " + std::string(1, media.Dest()[0]) +
                ":"
                " to perform the setup.  Please free more space on this drive, or customize setup to install "
                "fewer options.";
        ASSERT_TRUE(Box(space.c_str(), IDOK));
        HWND hCustomize = UIDRIVER_WaitForDialog("Customize Setup", UIDRIVER_TIMEOUT);
        fCustomizeShown = hCustomize != nullptr;
        ASSERT_TRUE(hCustomize && UIDRIVER_PressButton(hCustomize, IDC_EXIT));
        ASSERT_TRUE(Box("Exit without completing the installation?", IDYES));
    });
    EXPECT_EQ(ENGINE_EXIT_NOTINSTALLED, media.Run());
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_TRUE(fCustomizeShown);
}

TEST(EngineTest, TheExitActionAsksThenLogsOffOnlyOnYes) {
    for (const char* szAnswer : {"No", "Yes"}) {
        SCOPED_TRACE(szAnswer);
        CSetupMedia media;
        ASSERT_EQ("", media.Design(WithSetup(BASIC, "ExitAction = 66\n")));
        media.CompressedFile("disk1", "DEMO.EXE", "x");
        media.File("disk1\\README.TXT", "r");
        media.File("disk1\\SAMPLES\\one.txt", "s");
        media.Marker(0);
        const int nBefore = CSetupMedia::s_nLogOffs;
        EXPECT_EQ(ENGINE_EXIT_INSTALLED, media.Run(media.Answers(std::string("IDS_RESTART=") + szAnswer + "\r\n")));
        EXPECT_EQ(strcmp(szAnswer, "Yes") == 0 ? 1 : 0, CSetupMedia::s_nLogOffs - nBefore);
    }
}

}  // namespace
