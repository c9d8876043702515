// The Program Manager's DDE client and the engine's step against the shell's own Program Manager server, which
// under Wine lives in the desktop process and turns groups into folders of the Start Menu's programs and items
// into shortcuts. Cases where Wine's server differs from Windows' are marked with the difference.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

#include "setup/logfile.h"
#include "setup/progmanstep_win.h"
#include "setup/tests/itemdesign.h"
#include "testing/testsupport/tempfolder.h"

namespace {

using Strings = std::vector<std::string>;
Strings Texts(const CTextList& list) {
    return Strings(list.begin(), list.end());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramsFolder() {
    char szFolder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, szFolder);
    return std::string(szFolder) + "\\";
}

// The desktop's processes of the shell. CreateGroup and ShowGroup start one more for the folder window they
// open on the group; those would outlive the test (holding its output open), so the test ends them.
std::set<DWORD> ExplorerProcesses() {
    std::set<DWORD> ids;
    const HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL fMore = Process32First(hSnapshot, &entry); fMore; fMore = Process32Next(hSnapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "explorer.exe") == 0)
            ids.insert(entry.th32ProcessID);
    }
    CloseHandle(hSnapshot);
    return ids;
}

void EndFolderWindows(const std::set<DWORD>& before) {
    for (const DWORD id : ExplorerProcesses()) {
        if (before.count(id))
            continue;
        if (const HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(hProcess, 0);
            WaitForSingleObject(hProcess, 5000);
            CloseHandle(hProcess);
        }
    }
}

void RemoveGroupFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE hFind = FindFirstFileA((folder + "*.lnk").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + found.cFileName).c_str());
        while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(folder.c_str());
}

class ProgManWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowA("STATIC", "setup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        ASSERT_TRUE(m_progman.Initialize(m_hWnd));
        m_group = "Setup Log Test " + std::to_string(GetCurrentProcessId());
        m_groupFolder = ProgramsFolder() + m_group + "\\";
        RemoveGroupFolder(m_groupFolder);
        m_explorers = ExplorerProcesses();
    }
    void TearDown() override {
        EndFolderWindows(m_explorers);
        RemoveGroupFolder(m_groupFolder);
        DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = nullptr;
    CProgMan m_progman;
    std::string m_group;
    std::string m_groupFolder;
    std::set<DWORD> m_explorers;
    CTempFolder m_programs{"prog man"};  // a folder whose path holds a space
};

TEST_F(ProgManWineTest, GroupsBecomeFoldersAndItemsShortcuts) {
    const std::string program = m_programs / "player.exe";
    CopyFileA("C:\\windows\\system32\\notepad.exe", program.c_str(), FALSE);
    ASSERT_TRUE(Exists(program));

    EXPECT_FALSE(m_progman.GroupExists(m_group.c_str()));
    ASSERT_TRUE(m_progman.CreateGroup(m_group.c_str()));
    EXPECT_TRUE(Exists(m_groupFolder));
    EXPECT_TRUE(m_progman.GroupExists(m_group.c_str()));
    EXPECT_TRUE(m_progman.ShowGroup(m_group.c_str()));

    EXPECT_TRUE(m_progman.AddItem(("\"" + program + "\"").c_str(), "Player"));
    EXPECT_TRUE(Exists(m_groupFolder + "Player.lnk"));
    EXPECT_TRUE(m_progman.AddItem("C:\\windows\\system32\\notepad.exe", "Notes"));
    EXPECT_TRUE(Exists(m_groupFolder + "Notes.lnk"));

    EXPECT_TRUE(m_progman.DeleteItem("Player"));
    EXPECT_FALSE(Exists(m_groupFolder + "Player.lnk"));
    EXPECT_TRUE(Exists(m_groupFolder + "Notes.lnk"));
    EXPECT_TRUE(m_progman.DeleteGroup(m_group.c_str()));
    EXPECT_FALSE(Exists(m_groupFolder));
}

// Windows' Program Manager splits a command line into the program and its arguments; Wine's server takes the
// whole command line as the path of the shortcut's target, and refuses it, as it refuses a program that is not
// there.
TEST_F(ProgManWineTest, WineRefusesItemsWithArgumentsOrWithoutTheirProgram) {
    ASSERT_TRUE(m_progman.CreateGroup(m_group.c_str()));
    EXPECT_FALSE(m_progman.AddItem("C:\\windows\\system32\\notepad.exe README.TXT", "Read Me"));
    EXPECT_FALSE(m_progman.AddItem((m_programs / "missing.exe").c_str(), "Missing"));
    EXPECT_FALSE(Exists(m_groupFolder + "Read Me.lnk"));
    EXPECT_FALSE(Exists(m_groupFolder + "Missing.lnk"));
}

// Wine's server gives no data for a request naming a group; the group is found in the answer to "Groups".
TEST_F(ProgManWineTest, AGroupTheUserHadIsNeverRecordedAsCreated) {
    ASSERT_TRUE(CreateDirectoryA(m_groupFolder.c_str(), nullptr));
    EXPECT_TRUE(m_progman.GroupExists(m_group.c_str()));

    CTestDesign design(m_group.c_str(), {{0, 3, "notepad.exe", "Notes", "", true}});
    design.SetTarget(3, "C:\\windows\\system32");

    CLogFile log;
    EXPECT_EQ(1, PROGMAN_AddItems(&m_progman, design.Get(), &log));
    EXPECT_TRUE(Exists(m_groupFolder + "Notes.lnk"));
    EXPECT_EQ(m_group, log.m_IconGroups["Notes"]);
    EXPECT_TRUE(log.m_GroupsCreated.IsEmpty());

    // The same step for a group that is not there creates and lists it.
    RemoveGroupFolder(m_groupFolder);
    CLogFile second;
    EXPECT_EQ(1, PROGMAN_AddItems(&m_progman, design.Get(), &second));
    EXPECT_TRUE(Exists(m_groupFolder + "Notes.lnk"));
    EXPECT_EQ(Strings{m_group}, Texts(second.m_GroupsCreated));
}

}  // namespace
