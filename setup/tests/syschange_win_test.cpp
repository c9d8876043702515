// The system changes after the copy, on a WIN.INI and an AUTOEXEC.BAT of the test's own folders: the "load"
// line, the associations, the PATH line, the read-me rule and the started programs, with the messages as the
// user sees them and the hook events sent before each change.
#include "setup/syschange_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "setup/hookbind_win.h"
#include "testing/hookstandin/hookstandinlog.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using Strings = std::vector<std::string>;

struct STARTED {
    Strings commands;
    Strings folders;  // the current directory at each start
    Strings help;
};
STARTED s_started;

bool RecordExecute(const char* szCommandLine, int nShow) {
    char szCurrent[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
    s_started.commands.push_back(std::string(szCommandLine) + (nShow == SW_SHOWNORMAL ? "" : " (hidden)"));
    s_started.folders.push_back(szCurrent);
    return true;
}
bool RecordHelp(const char* szFile, HWND) {
    s_started.help.push_back(szFile);
    return true;
}

const DWORD LOADSIZE = 1024;
const char WININI[] = "[windows]\r\nload=C:\\OTHER\\CLOCK.EXE\r\n[Extensions]\r\ntxt=notepad.exe ^.txt\r\n";

class SysChangeTest : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof(m_szWasCurrent), m_szWasCurrent);
        ASSERT_TRUE(SetCurrentDirectoryA(m_work.Path().c_str()));
        const std::string source = BUILDPATH_SubsystemFile("..\\testing\\hookstandin\\hookstandin.dll");
        ASSERT_TRUE(CopyFileA(source.c_str(), (m_work / HOOK_LIBRARY).c_str(), FALSE)) << source;
        ASSERT_TRUE(HOOK_LoadLibrary());
        m_was = SYSCHANGE_Platform();
        SYSCHANGE_Platform() = {m_winIni, RecordExecute, RecordHelp};
        s_started = STARTED();
        m_pDesign = DESIGN_Construct();
        ASSERT_TRUE(m_pDesign);
        TARGET* pTarget = new TARGET();
        pTarget->message = new char[1]();
        lstrcpynA(pTarget->szName, "Program", sizeof(pTarget->szName));
        PATHNAME szApp = "";
        lstrcpynA(szApp, m_app.Path().c_str(), sizeof(szApp));
        PATHNAME_TrimLastSlash(szApp);
        lstrcpynA(pTarget->runtimepath, szApp, sizeof(pTarget->runtimepath));
        m_pDesign->targets.targets[1] = pTarget;
    }
    void TearDown() override {
        EXPECT_FALSE(m_guard.Expired()) << "a message box was left unanswered";
        DESIGN_Destroy(m_pDesign);
        SYSCHANGE_Platform() = m_was;
        HOOK_FreeLibrary();
        SetCurrentDirectoryA(m_szWasCurrent);
    }
    // A file thing at the position, installed (its file written) unless fMissing.
    FILETYPE* AddFile(int nPosition, const char* szName, bool fMissing = false) {
        THING* pThing = new THING();
        pThing->nType = THING_FILE;
        pThing->target = 1;
        pThing->nCollection = -1;
        pThing->pFile = new FILETYPE();
        lstrcpynA(pThing->pFile->szName, szName, sizeof(pThing->pFile->szName));
        THINGCOL_Insert(&m_pDesign->things, nPosition, pThing);
        if (!fMissing)
            TESTFILE_Write(m_app / szName, "MZ");
        return pThing->pFile;
    }
    std::string WinIni() const { return TESTFILE_Read(m_winIni); }
    Strings Events() const { return HOOKSTANDIN_Events(m_work.Path()); }

    CTempFolder m_work{"syswork"};
    CTempFolder m_windows{"syswin"};
    CTempFolder m_app{"sysapp"};
    // The platform maps every file named WIN.INI to the registry, so the test's own has another name.
    const std::string m_winIni = m_windows / "SYSTEST.INI";
    // A box that no answer of the test matches ends the test instead of holding it.
    CModalTimeout m_guard{UIDRIVER_TIMEOUT * 4};
    char m_szWasCurrent[MAX_PATH] = "";
    SYSCHANGE_PLATFORM m_was;
    DESIGN* m_pDesign = nullptr;
};

TEST_F(SysChangeTest, TheLoadLineGetsEachStartedFileOnceAfterABackup) {
    ASSERT_TRUE(TESTFILE_Write(m_winIni, WININI));
    AddFile(0, "DEMO.EXE")->bAddToLoad = 1;
    AddFile(1, "GONE.EXE", true)->bAddToLoad = 1;  // not installed: never on the line
    AddFile(2, "HELPER.EXE")->bAddToLoad = 1;
    const std::string demo = m_app / "DEMO.EXE", helper = m_app / "HELPER.EXE";
    {
        CBoxAnswer backup(IDOK, UIDRIVER_TIMEOUT,
                          "Your WIN.INI file has been modified, and a backup named ~IN.BAK has been created.");
        SYSCHANGE_WinIni(m_pDesign, nullptr, true);
        ASSERT_TRUE(backup.Wait());
        EXPECT_EQ("Setup", backup.Caption());
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), backup.Style() & (MB_TYPEMASK | MB_ICONMASK));
    }
    EXPECT_EQ(WININI, TESTFILE_Read(m_windows / "~in.bak"));
    char szLoad[512] = "";
    GetPrivateProfileStringA("windows", "load", "", szLoad, sizeof(szLoad), m_winIni.c_str());
    EXPECT_EQ("C:\\OTHER\\CLOCK.EXE " + demo + " " + helper, szLoad);
    EXPECT_EQ((Strings{"128 " + demo, "128 " + helper}), Events());

    // Once there, a path is left alone (the letter case aside).
    const std::string before = WinIni();
    for (char& ch : szLoad)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    ASSERT_TRUE(WritePrivateProfileStringA("windows", "load", szLoad, m_winIni.c_str()));
    const std::string lowered = WinIni();
    {
        CBoxAnswer backup(IDOK);
        SYSCHANGE_WinIni(m_pDesign, nullptr, true);
        ASSERT_TRUE(backup.Wait());
    }
    EXPECT_EQ(lowered, WinIni());
    EXPECT_NE(before, lowered);
}

// The system's own WIN.INI, whose "windows" section the platform keeps in the registry: the line goes where the
// system reads it, and the file is still backed up.
TEST_F(SysChangeTest, TheSystemsLoadLineIsChangedWhereTheSystemReadsIt) {
    char szWas[LOADSIZE] = "";
    const bool fHadLoad = GetProfileStringA("windows", "load", "", szWas, sizeof(szWas)) > 0;
    ASSERT_TRUE(WriteProfileStringA("windows", "load", "C:\\OTHER\\CLOCK.EXE"));
    SYSCHANGE_Platform().winIni = m_was.winIni;
    PATHNAME szBackup = "";
    ASSERT_TRUE(PATHNAME_ConstructSibling(m_was.winIni.c_str(), szBackup, "~in.bak"));
    AddFile(0, "DEMO.EXE")->bAddToLoad = 1;
    {
        CBoxAnswer backup(IDOK);
        SYSCHANGE_WinIni(m_pDesign, nullptr, true);
        ASSERT_TRUE(backup.Wait());
        EXPECT_EQ("Your WIN.INI file has been modified, and a backup named ~IN.BAK has been created.", backup.Text());
    }
    char szLoad[LOADSIZE] = "";
    GetProfileStringA("windows", "load", "", szLoad, sizeof(szLoad));
    WriteProfileStringA("windows", "load", fHadLoad ? szWas : nullptr);
    EXPECT_EQ("C:\\OTHER\\CLOCK.EXE " + (m_app / "DEMO.EXE"), szLoad);
    EXPECT_EQ(TESTFILE_Read(m_was.winIni), TESTFILE_Read(szBackup));
    DeleteFileA(szBackup);
}

TEST_F(SysChangeTest, AMissingLoadKeyIsReportedAndNotCreated) {
    const char szWinIni[] = "[windows]\r\nrun=\r\n";
    ASSERT_TRUE(TESTFILE_Write(m_winIni, szWinIni));
    AddFile(0, "DEMO.EXE")->bAddToLoad = 1;
    CBoxAnswer backup(IDOK, UIDRIVER_TIMEOUT,
                      "Your WIN.INI file has been modified, and a backup named ~IN.BAK has been created.");
    CBoxAnswer refused(IDOK, UIDRIVER_TIMEOUT * 2,
                       ("Unable to add the item " + (m_app / "DEMO.EXE") + " to the load line of WIN.INI.").c_str());
    SYSCHANGE_WinIni(m_pDesign, nullptr, true);
    ASSERT_TRUE(backup.Wait());
    ASSERT_TRUE(refused.Wait());
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), refused.Style() & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(szWinIni, WinIni());
}

// Nothing is touched when the user cleared the check box, or when nothing is to go into WIN.INI.
TEST_F(SysChangeTest, NoChangeWithoutTheFlagOrAnythingToAdd) {
    ASSERT_TRUE(TESTFILE_Write(m_winIni, WININI));
    AddFile(0, "DEMO.EXE");
    SYSCHANGE_WinIni(m_pDesign, nullptr, true);
    m_pDesign->things.things[0]->pFile->bAddToLoad = 1;
    SYSCHANGE_WinIni(m_pDesign, nullptr, false);
    EXPECT_EQ(WININI, WinIni());
    EXPECT_FALSE(TESTFILE_Exists(m_windows / "~in.bak"));
    EXPECT_TRUE(Events().empty());
}

// Without a WIN.INI to back up, the message that claims a backup is not shown; the change is still made.
TEST_F(SysChangeTest, NoBackupMessageWithoutABackup) {
    AddFile(0, "DEMO.EXE")->bAddToLoad = 1;
    CBoxAnswer refused(IDOK);
    SYSCHANGE_WinIni(m_pDesign, nullptr, true);
    ASSERT_TRUE(refused.Wait());
    EXPECT_EQ("Unable to add the item " + (m_app / "DEMO.EXE") + " to the load line of WIN.INI.", refused.Text());
    EXPECT_FALSE(TESTFILE_Exists(m_windows / "~in.bak"));
}

TEST_F(SysChangeTest, AnExistingAssociationIsChangedOnlyWhenTheUserSaysYes) {
    const std::string player = m_app / "PLAYER.EXE";
    for (int nAnswer : {IDNO, IDYES}) {
        SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(TESTFILE_Write(m_winIni, WININI));
        DeleteFileA((m_work / "hookstandin.log").c_str());
        AddFile(4, "PLAYER.EXE");
        m_pDesign->things.nWININI = 4;
        memcpy(m_pDesign->exe.szWININILine, "mov\0\0txt\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 25);
        CBoxAnswer backup(IDOK, UIDRIVER_TIMEOUT,
                          "Your WIN.INI file has been modified, and a backup named ~IN.BAK has been created.");
        const std::string question = "There already exists a file association for txt.  Do you wish to change the "
                                     "association to txt=" + player + " ^.txt?";
        CBoxAnswer change(nAnswer, UIDRIVER_TIMEOUT * 2, question.c_str());
        SYSCHANGE_WinIni(m_pDesign, nullptr, true);
        ASSERT_TRUE(backup.Wait());
        ASSERT_TRUE(change.Wait());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION), change.Style() & (MB_TYPEMASK | MB_ICONMASK));
        char szMov[300] = "", szTxt[300] = "";
        GetPrivateProfileStringA("Extensions", "mov", "", szMov, sizeof(szMov), m_winIni.c_str());
        GetPrivateProfileStringA("Extensions", "txt", "", szTxt, sizeof(szTxt), m_winIni.c_str());
        EXPECT_EQ(player + " ^.mov", szMov);
        EXPECT_EQ(nAnswer == IDYES ? player + " ^.txt" : std::string("notepad.exe ^.txt"), szTxt);
        EXPECT_EQ((Strings{"144 mov", "144 txt"}), Events());
    }
}

// The line goes on as it is, even onto a last line without a line break.
TEST_F(SysChangeTest, ThePathLineIsAppendedAsItIs) {
    m_pDesign->targets.nAddToPATH = 1;
    const std::string app = m_pDesign->targets.targets[1]->runtimepath;
    const std::string line = "PATH %PATH%;" + app;
    for (int nAnswer : {IDNO, IDYES}) {
        SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
        ASSERT_TRUE(TESTFILE_Write(m_work / "autoexec.bat", "@ECHO OFF\r\nSET TEMP=C:\\TEMP"));
        CBoxAnswer ask(nAnswer, UIDRIVER_TIMEOUT, ("Do you want the line\n" + line + "\nadded to your AUTOEXEC.BAT file?").c_str());
        SYSCHANGE_AutoexecPath(m_pDesign, nullptr);
        ASSERT_TRUE(ask.Wait());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), ask.Style() & (MB_TYPEMASK | MB_ICONMASK));
        EXPECT_EQ("@ECHO OFF\r\nSET TEMP=C:\\TEMP" + (nAnswer == IDYES ? line : std::string()),
                  TESTFILE_Read(m_work / "autoexec.bat"));
    }
    EXPECT_EQ((Strings{"352 " + app, "352 " + app}), Events());
}

TEST_F(SysChangeTest, APathLineThatCannotBeWrittenIsReported) {
    m_pDesign->targets.nAddToPATH = 1;
    ASSERT_TRUE(TESTFILE_Write(m_work / "autoexec.bat", "@ECHO OFF\r\n"));
    // Held by another program that shares it with nobody.
    HANDLE hHeld = CreateFileA((m_work / "autoexec.bat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    CBoxAnswer ask(IDYES);
    CBoxAnswer refused(IDOK, UIDRIVER_TIMEOUT * 2, "Unable to modify the autoexec.bat file.");
    SYSCHANGE_AutoexecPath(m_pDesign, nullptr);
    ASSERT_TRUE(ask.Wait());
    ASSERT_TRUE(refused.Wait());
    EXPECT_EQ("Setup", refused.Caption());
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), refused.Style() & (MB_TYPEMASK | MB_ICONMASK));
    CloseHandle(hHeld);
    EXPECT_EQ("@ECHO OFF\r\n", TESTFILE_Read(m_work / "autoexec.bat"));

    // A target whose directory does not exist asks nothing.
    lstrcpynA(m_pDesign->targets.targets[1]->runtimepath, (m_app / "NOWHERE").c_str(), MAX_PATH_SIZE);
    CModalTimeout guard(UIDRIVER_TIMEOUT);
    SYSCHANGE_AutoexecPath(m_pDesign, nullptr);
    EXPECT_FALSE(guard.Expired());
}

TEST_F(SysChangeTest, AReadMeEndingInALowerCaseTOpensInTheTextEditor) {
    const struct {
        const char* szName;
        const char* szCommand;  // null: the help viewer
    } cases[] = {{"readme.txt", "notepad.exe "}, {"readme.wri", nullptr}, {"README.TXT", nullptr}};
    m_pDesign->exe.bDLLHook = 1;
    m_pDesign->things.nReadMe = 0;
    Strings events;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        s_started = STARTED();
        AddFile(0, c.szName);
        const std::string path = m_app / c.szName;
        SYSCHANGE_ReadMe(m_pDesign, nullptr);
        EXPECT_EQ(c.szCommand ? Strings{c.szCommand + path} : Strings{}, s_started.commands);
        EXPECT_EQ(c.szCommand ? Strings{} : Strings{path}, s_started.help);
        events.push_back(std::string("272 ") + (c.szCommand ? "0 " : "1 ") + path);
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ(events, Events());
    // Not installed: nothing is shown.
    s_started = STARTED();
    SYSCHANGE_ReadMe(m_pDesign, nullptr);
    EXPECT_TRUE(s_started.commands.empty() && s_started.help.empty());
}

TEST_F(SysChangeTest, ProgramsStartFromTheirOwnFolder) {
    CTempFolder other("sys other");
    TARGET* pOther = new TARGET();
    pOther->message = new char[1]();
    lstrcpynA(pOther->runtimepath, other.Path().c_str(), sizeof(pOther->runtimepath));
    PATHNAME_TrimLastSlash(pOther->runtimepath);
    m_pDesign->targets.targets[2] = pOther;
    AddFile(0, "SETUP2.EXE")->bSpawned = 1;
    AddFile(1, "GONE.EXE", true)->bSpawned = 1;
    AddFile(2, "PLAIN.EXE");
    AddFile(3, "TOUR.EXE")->bSpawned = 1;
    m_pDesign->things.things[3]->target = 2;
    TESTFILE_Write(other / "TOUR.EXE", "MZ");
    SYSCHANGE_Spawn(m_pDesign);
    const std::string app = m_pDesign->targets.targets[1]->runtimepath;
    EXPECT_EQ((Strings{app + "\\SETUP2.EXE", "\"" + other / "TOUR.EXE" + "\""}), s_started.commands);
    EXPECT_EQ((Strings{app, pOther->runtimepath}), s_started.folders);
    char szCurrent[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
    EXPECT_STRCASEEQ(m_work.Path().c_str(), (std::string(szCurrent) + "\\").c_str());
    EXPECT_EQ((Strings{"256 " + app + "\\SETUP2.EXE", "256 " + other / "TOUR.EXE"}), Events());
}

}  // namespace
