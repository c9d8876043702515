// The setup log's file and registry side under Wine, through the real profile calls and registry: the exact
// text of a log, a second installation extending it, SharedDLLs counts, the uninstall entry, values carried
// through, and a close without a path.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "setup/logfile_win.h"
#include "toolkit/inifile_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"

namespace {

using Strings = std::vector<std::string>;
Strings Texts(const CTextList& list) {
    return Strings(list.begin(), list.end());
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A registry key below HKEY_LOCAL_MACHINE, read as the uninstaller and the platform's list of programs read it.
std::string MachineString(const std::string& key, const char* szValue) {
    char szText[1024] = "";
    DWORD cb = sizeof(szText);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), szValue, RRF_RT_REG_SZ, nullptr, szText, &cb) != ERROR_SUCCESS)
        return "<missing>";
    return szText;
}

class LogFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (!m_app.empty())
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(LOGFILE_UNINSTALLKEY) + "\\" + m_app).c_str());
    }
    // A product name of this run, so that entries of the machine's uninstall list are our own.
    const std::string& App() {
        m_app = "Demo Player " + std::to_string(GetCurrentProcessId());
        return m_app;
    }
    CTempFolder m_folder{"logfile"};
    std::string m_app;
};

TEST_F(LogFileTest, WritesTheLogSectionBySectionInItsOrder) {
    CLogFile log;
    ASSERT_TRUE(LOGFILE_Create(&log, m_folder.Path().c_str(), LOGFILE_FileName("")));
    EXPECT_EQ(m_folder / "UNNSTALL.LOG", LOGFILE_GetPath(&log));
    LOGFILE_SetProduct(&log, "Demo Player");
    LOGFILE_CreatedDir(&log, "C:\\DEMO");
    LOGFILE_CopiedFile(&log, "A:\\DISK1", "C:\\DEMO", "PLAYER.EXE", true, false);
    LOGFILE_CopiedFile(&log, "A:\\DISK1", "C:\\DEMO\\", "README.TXT", false, false);
    LOGFILE_CreatedIcons(&log, "Demo", "Demo Player", false);
    EXPECT_TRUE(LOGFILE_Close(&log));
    // Lists without entries are written as their count alone; without an uninstall record no entry is made
    // (not even on the uninstall list's own key, which an entry without a name would open).
    EXPECT_EQ("<missing>", MachineString(LOGFILE_UNINSTALLKEY, "DisplayName"));
    EXPECT_EQ(
        "[SETUP LOG]\r\n"
        "Product=Demo Player\r\n"
        "UnInstallApp=\r\n"
        "UnInstallProduct=\r\n"
        "UnInstallCmdLine=\r\n"
        "UnInstallDll=\r\n"
        "[Folders]\r\n"
        "Count=1\r\n"
        "Folders0=C:\\DEMO\r\n"
        "[Files]\r\n"
        "Count=2\r\n"
        "Files0=C:\\DEMO\\PLAYER.EXE\r\n"
        "Files1=C:\\DEMO\\README.TXT\r\n"
        "[SharedFiles]\r\n"
        "Count=0\r\n"
        "[IconGroups]\r\n"
        "Demo Player=Demo\r\n"
        "[GroupsCreated]\r\n"
        "Count=0\r\n"
        "[RegKeys]\r\n"
        "Count=0\r\n"
        "[RegValues]\r\n"
        "Count=0\r\n",
        Contents(m_folder / "UNNSTALL.LOG"));
}

TEST_F(LogFileTest, ASecondInstallationIntoTheSameFolderExtendsTheLog) {
    {
        CLogFile first;
        LOGFILE_Create(&first, m_folder.Path().c_str(), "DEMO.LOG");
        LOGFILE_SetProduct(&first, "Demo Player");
        LOGFILE_CopiedFile(&first, "A:\\", "C:\\DEMO", "PLAYER.EXE", false, false);
        LOGFILE_CreatedIcons(&first, "Demo", "Player", true);
        LOGFILE_Close(&first);
    }
    CLogFile second;
    LOGFILE_CreatedDir(&second, "C:\\DEMO");  // recorded before the log had its path
    LOGFILE_Create(&second, m_folder.Path().c_str(), "DEMO.LOG");
    EXPECT_EQ("Demo Player", second.m_Product);
    LOGFILE_CopiedFile(&second, "A:\\", "C:\\DEMO", "PLAYER.EXE", false, false);
    LOGFILE_CopiedFile(&second, "A:\\", "C:\\DEMO", "HELP.HLP", false, false);
    LOGFILE_CreatedIcons(&second, "Demo", "Help", false);
    LOGFILE_Close(&second);

    CLogFile read;
    ASSERT_TRUE(LOGFILE_Read(&read, (m_folder / "DEMO.LOG").c_str()));
    EXPECT_EQ("Demo Player", read.m_Product);
    EXPECT_EQ((Strings{"C:\\DEMO\\PLAYER.EXE", "C:\\DEMO\\PLAYER.EXE", "C:\\DEMO\\HELP.HLP"}), Texts(read.m_Files));
    EXPECT_EQ(Strings{"C:\\DEMO"}, Texts(read.m_Folders));
    EXPECT_EQ((CTextMap{{"Help", "Demo"}, {"Player", "Demo"}}), read.m_IconGroups);
    EXPECT_EQ(Strings{"Demo"}, Texts(read.m_GroupsCreated));
}

TEST_F(LogFileTest, ASharedFileRaisesItsCountEachTimeItIsCopied) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, LOGFILE_SHAREDDLLS, &hKey));
    const std::string dll = "C:\\windows\\system32\\demo" + std::to_string(GetCurrentProcessId()) + ".dll";
    const auto Count = [&]() -> long {
        DWORD dwCount = 0, cb = sizeof(dwCount), dwType = 0;
        if (RegQueryValueExA(hKey, dll.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(&dwCount), &cb) !=
            ERROR_SUCCESS)
            return -1;
        return dwType == REG_DWORD ? static_cast<long>(dwCount) : -2;
    };
    EXPECT_EQ(-1, Count());
    CLogFile log;
    LOGFILE_CopiedFile(&log, "A:\\", "C:\\windows\\system32",
                       ("demo" + std::to_string(GetCurrentProcessId()) + ".dll").c_str(), false, true);
    EXPECT_EQ(1, Count());
    LOGFILE_CopiedFile(&log, "A:\\", "C:\\windows\\system32\\",
                       ("demo" + std::to_string(GetCurrentProcessId()) + ".dll").c_str(), true, true);
    EXPECT_EQ(2, Count());
    EXPECT_EQ((Strings{dll, dll}), Texts(log.m_SharedFiles));
    EXPECT_TRUE(log.m_Files.IsEmpty());
    RegDeleteValueA(hKey, dll.c_str());
    RegCloseKey(hKey);
}

// The machine's key stood in for by an empty key of ours: no SharedDLLs below it.
TEST_F(LogFileTest, WithoutASharedDLLsKeyTheFileIsStillListedAsShared) {
    const std::string standIn = "Software\\Setup Log Test Machine " + std::to_string(GetCurrentProcessId());
    HKEY hMachine = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, standIn.c_str(), &hMachine));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, hMachine));
    CLogFile log;
    {
        CDiagCapture capture;
        LOGFILE_CopiedFile(&log, "A:\\", "C:\\windows\\system32", "demo.dll", false, true);
        EXPECT_NE(std::string::npos, capture.Text().find("key.IsOpen()")) << capture.Text();
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_EQ(Strings{"C:\\windows\\system32\\demo.dll"}, Texts(log.m_SharedFiles));
    // Nothing was counted anywhere, not on the machine's key itself either.
    DWORD nSubKeys = 99, nValues = 99;
    RegQueryInfoKeyA(hMachine, nullptr, nullptr, nullptr, &nSubKeys, nullptr, nullptr, &nValues, nullptr, nullptr,
                     nullptr, nullptr);
    EXPECT_EQ(0u, nSubKeys);
    EXPECT_EQ(0u, nValues);
    RegCloseKey(hMachine);
    RegDeleteKeyA(HKEY_CURRENT_USER, standIn.c_str());
}

TEST_F(LogFileTest, TheUninstallEntryStartsTheUninstallerOnTheLog) {
    CTempFolder spaced("demo player");
    for (const CTempFolder* pFolder : {&m_folder, &spaced}) {
        const std::string folder = pFolder->Path(), uninstaller = *pFolder / "UNNSTALL.EXE";
        SCOPED_TRACE(folder);
        CLogFile log;
        LOGFILE_Create(&log, folder.c_str(), "UNNSTALL.LOG");
        LOGFILE_SetUnInstall(&log, App().c_str(), "Demo Player 1.0", uninstaller.c_str(),
                             (*pFolder / "DEMO.U32").c_str());
        EXPECT_TRUE(LOGFILE_Close(&log));
        LOGFILE_Close(&log);  // a second close names the key once

        const std::string key = std::string(LOGFILE_UNINSTALLKEY) + "\\" + m_app;
        const std::string command = folder.find(' ') == std::string::npos ? uninstaller : '"' + uninstaller + '"';
        EXPECT_EQ("Demo Player 1.0", MachineString(key, "DisplayName"));
        EXPECT_EQ(command + " " + folder + "UNNSTALL.LOG", MachineString(key, "UninstallString"));
        EXPECT_EQ(Strings{"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + m_app},
                  Texts(log.m_RegKeys));
        CLogFile read;
        LOGFILE_Read(&read, (*pFolder / "UNNSTALL.LOG").c_str());
        EXPECT_EQ(m_app, read.m_UnInstallApp);
        EXPECT_EQ("Demo Player 1.0", read.m_UnInstallProduct);
        EXPECT_EQ(log.m_UnInstallCmdLine, read.m_UnInstallCmdLine);
        EXPECT_EQ(*pFolder / "DEMO.U32", read.m_UnInstallDll);
        EXPECT_EQ(Texts(log.m_RegKeys), Texts(read.m_RegKeys));
        TearDown();
    }
}

TEST_F(LogFileTest, RegistryValuesOfTheLogAreCarriedThrough) {
    const std::string path = m_folder / "UNNSTALL.LOG";
    WritePrivateProfileStringA("RegValues", "Count", "2", path.c_str());
    WritePrivateProfileStringA("RegValues", "RegValues0", "HKEY_CURRENT_USER\\Software\\Demo\\Volume", path.c_str());
    WritePrivateProfileStringA("RegValues", "RegValues1", "HKEY_LOCAL_MACHINE\\Software\\Demo\\Path", path.c_str());
    CLogFile log;
    LOGFILE_Create(&log, m_folder.Path().c_str(), "UNNSTALL.LOG");
    LOGFILE_Close(&log);
    CLogFile read;
    LOGFILE_Read(&read, path.c_str());
    EXPECT_EQ((Strings{"HKEY_CURRENT_USER\\Software\\Demo\\Volume", "HKEY_LOCAL_MACHINE\\Software\\Demo\\Path"}),
              Texts(read.m_RegValues));
}

// Before the log has its path its profile object would name the program's own profile file.
TEST_F(LogFileTest, AnInstallationThatNeverReachedItsFolderWritesNoLog) {
    std::string stray;
    ASSERT_TRUE(INIFILE_GetDefaultFileName(GetModuleHandleA(nullptr), stray));
    DeleteFileA(stray.c_str());
    CLogFile log;
    LOGFILE_SetProduct(&log, "Demo Player");
    LOGFILE_CreatedDir(&log, "C:\\DEMO");
    EXPECT_FALSE(LOGFILE_Close(&log));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(stray.c_str()));
}

}  // namespace
