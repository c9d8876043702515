// The uninstall run under Wine, on logs written by the setup engine's own log writer: the choice of the log and
// the confirmation, files and the log itself, shared-file counts and their question, the events library,
// folders, Program Manager items and groups, registry entries, the unattended answers and the exit status.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "setup/logfile_win.h"
#include "testing/progmanstandin/progmanstandin_win.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/pathname_win.h"
#include "toolkit/regkey_win.h"
#include "uninstall/unrun_win.h"
#include "uninstall/unstart.h"

namespace {

const char PRODUCT[] = "Demo Player";
const DWORD RUN_TIMEOUT = 20000;

std::string RemovedText() {
    return UNSTART_RemovedText(PRODUCT);
}

bool FolderExists(const std::string& path) {
    return PATHNAME_FolderExists(path.c_str()) != 0;
}

// The SharedDLLs count of a file; -1 when it has none.
long SharedCount(const std::string& file) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, LOGFILE_SHAREDDLLS, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD dwCount = 0, cb = sizeof(dwCount);
    const LONG lResult = RegQueryValueExA(hKey, file.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&dwCount), &cb);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? static_cast<long>(dwCount) : -1;
}

void SetSharedCount(const std::string& file, DWORD dwCount) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, LOGFILE_SHAREDDLLS, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, file.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwCount), sizeof(dwCount));
    RegCloseKey(hKey);
}

bool KeyExists(HKEY hRoot, const char* szPath) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, szPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool HasReport(const CDiagCapture& capture, const std::string& text) {
    return capture.Text().find(text) != std::string::npos;
}

// An installed product in a temporary folder: the uninstaller as APP\UNINST.EXE beside its log APP\UNINST.LOG,
// files in APP and a sub-folder, and the log written by the engine's log writer.
class UnInstallRun : public ::testing::Test {
protected:
    UnInstallRun() : m_root("unrun") {
        m_app = m_root / "APP\\";
        m_program = m_app + "UNINST.EXE";
        m_logPath = m_app + "UNINST.LOG";
        PATHNAME_CreateFolder((m_root / "APP").c_str());
        PATHNAME_CreateFolder((m_root / "WORK").c_str());
        Install();
        char szCurrent[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
        m_current = szCurrent;
        SetCurrentDirectoryA((m_root / "WORK").c_str());
    }
    ~UnInstallRun() override { SetCurrentDirectoryA(m_current.c_str()); }

    // The installed files, again after a run took them.
    void Install() {
        PATHNAME_CreateFolder((m_app + "SAMPLES").c_str());
        for (const char* szName : {"PLAYER.EXE", "README.TXT", "SAMPLES\\CLIP.MOV"})
            TESTFILE_Write(m_app + szName, szName);
    }

    // The log of the installation, with what fnMore adds, written where the engine would write it.
    void WriteLog(const std::string& path, const std::function<void(CLogFile&)>& fnMore = nullptr) {
        const std::string folder = path.substr(0, path.find_last_of('\\'));
        CLogFile log;
        ASSERT_TRUE(LOGFILE_Create(&log, folder.c_str(), path.substr(folder.size() + 1).c_str()));
        LOGFILE_SetProduct(&log, PRODUCT);
        LOGFILE_CreatedDir(&log, m_app.substr(0, m_app.size() - 1).c_str());
        LOGFILE_CreatedDir(&log, (m_app + "SAMPLES").c_str());
        for (const char* szName : {"PLAYER.EXE", "README.TXT", "SAMPLES\\CLIP.MOV"})
            LOGFILE_CopiedFile(&log, "A:\\", m_app.c_str(), szName, false, false);
        if (fnMore)
            fnMore(log);
        ASSERT_TRUE(LOGFILE_Close(&log));
    }

    // Runs the uninstaller in this process as APP\UNINST.EXE, guarded so that a box nobody answers fails the test.
    int Run(const std::string& commandLine) {
        CModalTimeout guard(RUN_TIMEOUT);
        CUnInstall run(GetModuleHandleA(nullptr), m_program.c_str());
        const int nStatus = run.Run(commandLine.c_str());
        EXPECT_FALSE(guard.Expired());
        return nStatus;
    }

    bool InstalledFilesAreGone() const {
        return !TESTFILE_Exists(m_app + "PLAYER.EXE") && !TESTFILE_Exists(m_app + "README.TXT") &&
               !TESTFILE_Exists(m_app + "SAMPLES\\CLIP.MOV") && !TESTFILE_Exists(m_logPath);
    }

    CTempFolder m_root;
    std::string m_app;
    std::string m_program;
    std::string m_logPath;
    std::string m_current;
};

TEST_F(UnInstallRun, WithoutAnArgumentItReadsTheLogNamedAfterItselfAndAsksFirst) {
    for (const int idAnswer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(idAnswer);
        WriteLog(m_logPath);
        CBoxAnswer confirm(idAnswer, UIDRIVER_TIMEOUT, UNSTART_ConfirmText(PRODUCT).c_str());
        CBoxAnswer removed(IDOK, idAnswer == IDOK ? UIDRIVER_TIMEOUT : 500, RemovedText().c_str());
        EXPECT_EQ(idAnswer == IDOK ? UNRUN_REMOVED : UNRUN_NOTREMOVED, Run(""));
        ASSERT_TRUE(confirm.Wait());
        EXPECT_EQ("Orvanta UnInstall", confirm.Caption());
        EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), confirm.Style() & MB_TYPEMASK);
        EXPECT_EQ(idAnswer == IDOK, removed.Wait());
        EXPECT_EQ(idAnswer == IDOK, InstalledFilesAreGone());
        EXPECT_EQ(idAnswer == IDOK, !FolderExists(m_app + "SAMPLES"));
    }
}

// The current folder holds a log of that name too: the one beside the program is read, and nobody is asked.
TEST_F(UnInstallRun, ABareLogNameIsReadBesideTheProgramWithoutAsking) {
    WriteLog(m_logPath);
    TESTFILE_Write(m_root / "WORK\\KEEP.TXT", "kept");
    CLogFile decoy;
    LOGFILE_Create(&decoy, (m_root / "WORK").c_str(), "UNINST.LOG");
    LOGFILE_SetProduct(&decoy, "Decoy");
    LOGFILE_CopiedFile(&decoy, "A:\\", (m_root / "WORK").c_str(), "KEEP.TXT", false, false);
    LOGFILE_Close(&decoy);

    CBoxAnswer confirm(IDCANCEL, 500, UNSTART_ConfirmText(PRODUCT).c_str());
    CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
    EXPECT_EQ(UNRUN_REMOVED, Run("UNINST.LOG"));
    EXPECT_FALSE(confirm.Wait());
    EXPECT_TRUE(removed.Wait());
    EXPECT_TRUE(InstalledFilesAreGone());
    EXPECT_TRUE(TESTFILE_Exists(m_root / "WORK\\KEEP.TXT"));
    EXPECT_TRUE(TESTFILE_Exists(m_root / "WORK\\UNINST.LOG"));
}

TEST_F(UnInstallRun, WithoutALogNothingIsRemoved) {
    WriteLog(m_app + "OTHER.LOG");
    for (const char* szArgument : {"", "MISSING.LOG", "C:\\NOWHERE\\UNINST.LOG"}) {
        SCOPED_TRACE(szArgument);
        CBoxAnswer error(IDOK);
        EXPECT_EQ(UNRUN_NOTREMOVED, Run(szArgument));
        ASSERT_TRUE(error.Wait());
        EXPECT_EQ(UNSTART_NOLOG, error.Text());
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), error.Style() & MB_ICONMASK);
        EXPECT_TRUE(TESTFILE_Exists(m_app + "PLAYER.EXE"));
    }
}

// Shared counts: 3 becomes 2 without a question; at 1 the user is asked, and No keeps file and count.
TEST_F(UnInstallRun, ASharedFileGoesOnlyWhenItsCountRunsOutAndTheUserSaysYes) {
    const std::string often = m_app + "OFTEN.DLL", kept = m_app + "KEPT.DLL", gone = m_app + "GONE.DLL";
    for (const std::string& file : {often, kept, gone})
        TESTFILE_Write(file, "dll");
    SetSharedCount(often, 2);
    SetSharedCount(kept, 0);
    SetSharedCount(gone, 0);
    WriteLog(m_logPath, [&](CLogFile& log) {
        for (const char* szName : {"OFTEN.DLL", "KEPT.DLL", "GONE.DLL"})
            LOGFILE_CopiedFile(&log, "A:\\", m_app.c_str(), szName, false, true);
    });
    ASSERT_EQ(3, SharedCount(often));
    ASSERT_EQ(1, SharedCount(kept));

    std::string caption;
    HWND hOwner = nullptr;
    CUserThread user([&] {
        HWND hBox = UIDRIVER_WaitForMessageBox(UNSTART_SharedFileText(kept).c_str(), UIDRIVER_TIMEOUT);
        if (!hBox)
            return;
        caption = UIDRIVER_GetText(hBox);
        hOwner = GetWindow(hBox, GW_OWNER);
        // The question beside the progress window, for a person to look at.
        RECT rc;
        GetWindowRect(hOwner, &rc);
        SetWindowPos(hBox, nullptr, rc.left, rc.bottom + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        UIDRIVER_Pose("uninstall-shared-question", false);
        UIDRIVER_PressButton(hBox, IDNO);
    });
    CBoxAnswer yes(IDYES, UIDRIVER_TIMEOUT, UNSTART_SharedFileText(gone).c_str());
    CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
    EXPECT_EQ(UNRUN_REMOVED, Run("/ANSWERLOG=" + (m_root / "answers.txt") + " " + m_logPath));
    user.Join();
    EXPECT_TRUE(yes.Wait());
    EXPECT_TRUE(removed.Wait());
    EXPECT_EQ("Orvanta UnInstall", caption);
    EXPECT_NE(nullptr, hOwner);  // owned by the progress window

    EXPECT_TRUE(TESTFILE_Exists(often));
    EXPECT_EQ(2, SharedCount(often));
    EXPECT_TRUE(TESTFILE_Exists(kept));
    EXPECT_EQ(1, SharedCount(kept));
    EXPECT_FALSE(TESTFILE_Exists(gone));
    EXPECT_EQ(-1, SharedCount(gone));
    // What a person answered goes to the answer log as well.
    EXPECT_NE(std::string::npos, TESTFILE_Read(m_root / "answers.txt").find("UNINSTALL_SHARED_FILE=No (a person)"));
}

// The log lists a key, a key made inside it and a value set in that one: walked from the end, the value goes
// before its key and the inner key before the outer, so every removal succeeds. Forward, the outer key would
// still hold the inner one and the value's key would be gone before the value: both would be reported.
TEST_F(UnInstallRun, RegistryEntriesAreUndoneFromTheEndValuesFirst) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\UnRunTest\\Demo", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegSetValueExA(hKey, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\APP"), 7);
    RegCloseKey(hKey);
    WriteLog(m_logPath, [&](CLogFile& log) {
        log.m_RegKeys.Add("HKEY_CURRENT_USER\\Software\\UnRunTest");
        log.m_RegKeys.Add("hkey_current_user\\Software\\UnRunTest\\Demo");
        log.m_RegKeys.Add("HKEY_NOWHERE\\Software\\UnRunTest\\Demo");  // skipped: no such root
        log.m_RegValues.Add("HKEY_CURRENT_USER\\Software\\UnRunTest\\Demo\\Path");
        log.m_RegValues.Add("HKEY_CURRENT_USER\\Software");  // skipped: no key path
    });
    CDiagCapture capture;
    CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
    EXPECT_EQ(UNRUN_REMOVED, Run(m_logPath));
    EXPECT_TRUE(removed.Wait());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\UnRunTest"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_FALSE(HasReport(capture, "failed")) << capture.Text();
}

// A log written by hand: a list section that lost its Count line removes nothing of its kind.
TEST_F(UnInstallRun, AListWithoutCountRemovesNothing) {
    TESTFILE_Write(m_logPath, "[SETUP LOG]\r\nProduct=Demo Player\r\n[Files]\r\nFiles0=" + m_app +
                                  "PLAYER.EXE\r\n[Folders]\r\nCount=1\r\nFolders0=" + m_app + "SAMPLES\r\n");
    CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
    EXPECT_EQ(UNRUN_REMOVED, Run(m_logPath));
    EXPECT_TRUE(removed.Wait());
    EXPECT_TRUE(TESTFILE_Exists(m_app + "PLAYER.EXE"));
    EXPECT_FALSE(TESTFILE_Exists(m_logPath));
    EXPECT_TRUE(FolderExists(m_app + "SAMPLES"));  // it still holds CLIP.MOV
}

// The events library: called before any file goes, with the log still there; a library that cannot be loaded
// is the one case the user hears of; one without the export, or whose call fails, is a report only.
TEST_F(UnInstallRun, TheEventsLibraryIsCalledBeforeTheFiles) {
    const std::string standIn = BUILDPATH_SubsystemFile("..\\testing\\unevents\\unevents.dll");
    char szSystem[MAX_PATH] = "";
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    const std::string noExport = std::string(szSystem) + "\\version.dll";
    const struct {
        const char* szTrace;
        std::string library;
        bool fFail;
        bool fCalled;
        bool fMessage;
        bool fReport;
    } cases[] = {
        {"empty: skipped", "", false, false, false, false},
        {"bare name, beside the program", "FLARION.U32", false, true, false, false},
        {"full path", m_app + "FLARION.U32", false, true, false, false},
        {"call fails", "FLARION.U32", true, true, false, true},
        {"missing", m_app + "MISSING.U32", false, false, true, false},
        {"bare name, not beside the program", "MISSING.U32", false, false, true, false},
        {"no export", noExport, false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szTrace);
        ASSERT_TRUE(CopyFileA(standIn.c_str(), (m_app + "FLARION.U32").c_str(), FALSE));
        DeleteFileA((m_app + "UNEVENTS.TXT").c_str());
        if (c.fFail)
            TESTFILE_Write(m_app + "UNEVENTS.FAIL", "");
        WriteLog(m_logPath, [&](CLogFile& log) { log.m_UnInstallDll = c.library; });
        CDiagCapture capture;
        CBoxAnswer custom(IDOK, c.fMessage ? UIDRIVER_TIMEOUT : 300, UNSTART_CUSTOMITEMS);
        CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
        EXPECT_EQ(UNRUN_REMOVED, Run(m_logPath));
        EXPECT_EQ(c.fMessage, custom.Wait());
        EXPECT_TRUE(removed.Wait());
        EXPECT_TRUE(InstalledFilesAreGone());
        EXPECT_EQ(c.fCalled ? "5 window log 0 " + m_logPath + "\n" : "", TESTFILE_Read(m_app + "UNEVENTS.TXT"));
        EXPECT_EQ(c.fReport, HasReport(capture, "events_dll.UnInstallTime(hWnd,m_LogFile)"));
        DeleteFileA((m_app + "UNEVENTS.FAIL").c_str());
        Install();
    }
}

// Items by ShowGroup then DeleteItem (none when the show fails), then the groups the installation created.
TEST_F(UnInstallRun, ItemsAndCreatedGroupsAreDeletedByProgramManagerCommands) {
    CProgManStandIn progman(CProgManStandIn::MODE_PROGMAN, {"Demo", "Accessories"});
    ASSERT_TRUE(progman.Started());
    WriteLog(m_logPath, [&](CLogFile& log) {
        LOGFILE_CreatedIcons(&log, "Demo", "Player", true);
        LOGFILE_CreatedIcons(&log, "Accessories", "Notes", false);
        LOGFILE_CreatedIcons(&log, "Missing", "Gone", false);
    });
    CBoxAnswer removed(IDOK, UIDRIVER_TIMEOUT, RemovedText().c_str());
    EXPECT_EQ(UNRUN_REMOVED, Run(m_logPath));
    EXPECT_TRUE(removed.Wait());
    const std::vector<std::string> expected = {
        "[ShowGroup(Missing,5,0)]", "[ShowGroup(Accessories,5,0)]", "[DeleteItem(Notes)]",
        "[ShowGroup(Demo,5,0)]",    "[DeleteItem(Player)]",         "[DeleteGroup(Demo,0)]",
    };
    EXPECT_EQ(expected, progman.Commands());
    EXPECT_EQ(std::vector<std::string>{"Accessories"}, progman.Groups());
}

// A scripted removal: every question is answered from the response file, a shared file by its own identifier
// or by the general one, and no box waits for a person.
TEST_F(UnInstallRun, AResponseFileAnswersEveryQuestion) {
    const std::string kept = m_app + "KEPT.DLL", gone = m_app + "GONE.DLL";
    for (const std::string& file : {kept, gone}) {
        TESTFILE_Write(file, "dll");
        SetSharedCount(file, 0);
    }
    WriteLog(m_logPath, [&](CLogFile& log) {
        LOGFILE_CopiedFile(&log, "A:\\", m_app.c_str(), "KEPT.DLL", false, true);
        LOGFILE_CopiedFile(&log, "A:\\", m_app.c_str(), "GONE.DLL", false, true);
        log.m_UnInstallDll = m_app + "MISSING.U32";
    });
    const std::string answers = m_root / "answers.ini", answerLog = m_root / "answers.txt";
    TESTFILE_Write(answers, "[Answers]\r\nUNINSTALL_CONFIRM=OK\r\nUNINSTALL_SHARED_FILE=Yes\r\nUNINSTALL_SHARED_FILE:" +
                                kept + "=No\r\n");
    CBoxAnswer none(IDOK, 1000);
    EXPECT_EQ(UNRUN_REMOVED, Run("/ANSWERS=" + answers + " /ANSWERLOG=" + answerLog));
    EXPECT_FALSE(none.Wait());
    EXPECT_TRUE(InstalledFilesAreGone());
    EXPECT_TRUE(TESTFILE_Exists(kept));
    EXPECT_FALSE(TESTFILE_Exists(gone));
    EXPECT_EQ(
        "UNINSTALL_CONFIRM=OK (from the file)\r\n"
        "UNINSTALL_CUSTOM_ITEMS=OK (default)\r\n"
        "UNINSTALL_SHARED_FILE:" +
            kept +
            "=No (from the file)\r\n"
            "UNINSTALL_SHARED_FILE=Yes (from the file)\r\n"
            "UNINSTALL_REMOVED=OK (default)\r\n",
        TESTFILE_Read(answerLog));

    // Cancel in the file, or a response file that cannot be read: nothing removed, nobody asked.
    Install();
    WriteLog(m_logPath);
    TESTFILE_Write(answers, "[Answers]\r\nUNINSTALL_CONFIRM=Cancel\r\n");
    for (const std::string& file : {answers, m_root / "missing.ini"}) {
        SCOPED_TRACE(file);
        CBoxAnswer nothing(IDOK, 500);
        EXPECT_EQ(UNRUN_NOTREMOVED, Run("/ANSWERS=" + file));
        EXPECT_FALSE(nothing.Wait());
        EXPECT_TRUE(TESTFILE_Exists(m_logPath));
        EXPECT_TRUE(TESTFILE_Exists(m_app + "PLAYER.EXE"));
    }
}

// The program itself, started as APP\UNINST.EXE without arguments: its exit status says whether it removed.
TEST_F(UnInstallRun, TheProgramsExitStatusSaysWhetherItRemoved) {
    ASSERT_TRUE(CopyFileA(BUILDPATH_SubsystemFile("UNNSTALL.EXE").c_str(), m_program.c_str(), FALSE));
    const std::string answers = m_root / "answers.ini";
    TESTFILE_Write(answers, "[Answers]\r\nUNINSTALL_CONFIRM=OK\r\n");
    auto start = [&]() -> DWORD {
        std::string commandLine = "\"" + m_program + "\" /ANSWERS=" + answers;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(m_program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 99;
        DWORD dwStatus = 99;
        if (WaitForSingleObject(pi.hProcess, RUN_TIMEOUT) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &dwStatus);
        else
            TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return dwStatus;
    };
    EXPECT_EQ(static_cast<DWORD>(UNRUN_NOTREMOVED), start());  // no APP\UNINST.LOG yet
    WriteLog(m_logPath);
    EXPECT_EQ(static_cast<DWORD>(UNRUN_REMOVED), start());
    EXPECT_TRUE(InstalledFilesAreGone());
}

}  // namespace
