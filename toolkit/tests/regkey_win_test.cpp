// Registry keys and the platform tests, on the registry of the test's Wine prefix. Every key is made below
// HKEY_CURRENT_USER\Software\FlarionTest\regkey and removed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/diag.h"
#include "toolkit/regkey_win.h"
#include "toolkit/system_win.h"
#include "testing/testsupport/diagcapture.h"

namespace {

const char TEST_PATH[] = "Software\\FlarionTest\\regkey";

class RegistryKeyWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_PATH);
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, TEST_PATH, &m_hTest));
        ASSERT_TRUE(m_key.Open(m_hTest));
    }
    void TearDown() override {
        m_key.Close();
        RegCloseKey(m_hTest);
        RegDeleteTreeA(HKEY_CURRENT_USER, TEST_PATH);
    }
    static bool Exists(const std::string& path) {
        HKEY hKey = nullptr;
        if (RegOpenKeyA(HKEY_CURRENT_USER, path.c_str(), &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }
    HKEY m_hTest = nullptr;
    CRegistryKey m_key;
};

TEST(RegistryKeyNames, RootsByNameInAnyCaseAndBack) {
    const struct {
        const char* szName;
        HKEY hKey;
    } cases[] = {
        {"hkey_local_machine", HKEY_LOCAL_MACHINE},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"Hkey_Current_User", HKEY_CURRENT_USER},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_LOCAL_MACHINE\\", nullptr},
        {"HKLM", nullptr},
        {"", nullptr},
        {"HKEY_CURRENT_CONFIG", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_EQ(c.hKey, CRegistryKey::RootKeyFromName(c.szName));
    }
    EXPECT_STREQ("HKEY_CLASSES_ROOT", CRegistryKey::RootKeyName(HKEY_CLASSES_ROOT));
    EXPECT_STREQ("HKEY_CURRENT_USER", CRegistryKey::RootKeyName(HKEY_CURRENT_USER));
    EXPECT_STREQ("HKEY_LOCAL_MACHINE", CRegistryKey::RootKeyName(HKEY_LOCAL_MACHINE));
    EXPECT_STREQ("HKEY_USERS", CRegistryKey::RootKeyName(HKEY_USERS));
    EXPECT_STREQ("HKEY_PERFORMANCE_DATA", CRegistryKey::RootKeyName(HKEY_PERFORMANCE_DATA));
    EXPECT_STREQ("", CRegistryKey::RootKeyName(HKEY_CURRENT_CONFIG));
    EXPECT_STREQ("", CRegistryKey::RootKeyName(nullptr));
}

TEST_F(RegistryKeyWinTest, OpenWalksOneStepPerCallAndKeepsTheParentOnAMissingName) {
    ASSERT_TRUE(m_key.CreateSubKey("SOFTWARE"));
    ASSERT_TRUE(m_key.CreateSubKey("SOFTWARE\\Vendor"));
    EXPECT_TRUE(m_key.Open("SOFTWARE"));
    {
        CDiagCapture capture;
        EXPECT_FALSE(m_key.Open("NoSuchKey"));
        EXPECT_NE(std::string::npos, capture.Text().find("fOk=REG_OK(RegOpenKey(hKey, SubKey, &m_hKey))"));
    }
    ASSERT_TRUE(m_key.IsOpen());
    std::string name;
    EXPECT_TRUE(m_key.EnumSubKey(0, name));  // still on SOFTWARE
    EXPECT_EQ("Vendor", name);
    EXPECT_FALSE(m_key.EnumSubKey(1, name));
    EXPECT_TRUE(m_key.Open("Vendor"));
    EXPECT_FALSE(m_key.EnumSubKey(0, name));
}

TEST_F(RegistryKeyWinTest, AnEmptyObjectOpensBelowTheClassesRoot) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(HKEY_CLASSES_ROOT, ".flariontest", REG_SZ, "Flarion.Test", 0));
    CRegistryKey key(".flariontest");
    EXPECT_TRUE(key.IsOpen());
    CRegistryKey empty;
    CDiagCapture quiet;
    EXPECT_FALSE(empty.Open(".flariontest-missing"));
    EXPECT_FALSE(empty.IsOpen());
    EXPECT_FALSE(empty.Open(""));
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    std::string text;
    CRegistryKey root(HKEY_CLASSES_ROOT);
    EXPECT_TRUE(root.QueryString(".flariontest", text));
    EXPECT_EQ("Flarion.Test", text);
    EXPECT_TRUE(root.RemoveSubKey(".flariontest"));
    EXPECT_FALSE(root.QueryString(".flariontest", text));
}

TEST_F(RegistryKeyWinTest, SubKeysAreCreatedEnumeratedAndRemoved) {
    EXPECT_TRUE(m_key.CreateSubKey("Uninstall\\Demo Player"));
    EXPECT_TRUE(m_key.CreateSubKey("Second"));
    EXPECT_TRUE(Exists(std::string(TEST_PATH) + "\\Uninstall\\Demo Player"));
    std::string first, second;
    EXPECT_TRUE(m_key.EnumSubKey(0, first));
    EXPECT_TRUE(m_key.EnumSubKey(1, second));
    EXPECT_EQ("Second|Uninstall", first < second ? first + "|" + second : second + "|" + first);
    EXPECT_TRUE(m_key.RemoveSubKey("Second"));
    EXPECT_FALSE(m_key.RemoveSubKey("Second"));
    EXPECT_FALSE(Exists(std::string(TEST_PATH) + "\\Second"));
}

TEST_F(RegistryKeyWinTest, NumbersAreReadOnlyFromNumberValues) {
    EXPECT_TRUE(m_key.SetDWORD("C:\\DEMO\\PLAYER.DLL", 3));
    DWORD dwValue = 99;
    EXPECT_TRUE(m_key.QueryDWORD("C:\\DEMO\\PLAYER.DLL", dwValue));
    EXPECT_EQ(3u, dwValue);

    dwValue = 99;
    EXPECT_FALSE(m_key.QueryDWORD("Missing", dwValue));
    EXPECT_EQ(0u, dwValue);

    EXPECT_TRUE(m_key.SetString("Text", "12"));
    CDiagCapture capture;
    dwValue = 99;
    EXPECT_FALSE(m_key.QueryDWORD("Text", dwValue));
    EXPECT_EQ(0u, dwValue);
    EXPECT_NE(std::string::npos, capture.Text().find("dwType==REG_DWORD"));

    EXPECT_TRUE(m_key.RemoveValue("Text"));
    EXPECT_FALSE(m_key.RemoveValue("Text"));
}

TEST_F(RegistryKeyWinTest, StringsAreStoredWithTheirTerminator) {
    const char szCommand[] = "\"C:\\Demo Player\\UNNSTALL.EXE\" C:\\Demo Player\\FLARION.LOG";
    EXPECT_TRUE(m_key.SetString("UninstallString", szCommand));
    char szRead[256];
    DWORD dwType = 0, cbRead = sizeof(szRead);
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(m_hTest, "UninstallString", nullptr, &dwType, reinterpret_cast<BYTE*>(szRead), &cbRead));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
    EXPECT_EQ(sizeof(szCommand), cbRead);
    EXPECT_STREQ(szCommand, szRead);

    EXPECT_TRUE(m_key.SetString("", "default text"));
    std::string text;
    CRegistryKey parent(HKEY_CURRENT_USER);
    EXPECT_TRUE(parent.QueryString(TEST_PATH, text));
    EXPECT_EQ("default text", text);
}

TEST(SystemWin, WineIsAnNTWorkstation) {
    DIAG_Initialize(GetModuleHandleA(nullptr));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    CDiagCapture capture;
    EXPECT_FALSE(SYSTEM_IsWindows95());
    EXPECT_FALSE(SYSTEM_IsWindows95());
    EXPECT_TRUE(SYSTEM_IsWindowsNT());
    char szTrace[64];
    snprintf(szTrace, sizeof(szTrace), "WINDOWS_CHECK95  WinVersion : %lx\n", GetVersion() & 0xFFFFul);
    EXPECT_EQ(szTrace, capture.Text());  // once, at the first call
    DIAG_Terminate();

    int nClass = 0;
    DWORD dwVersion = 0;
    EXPECT_TRUE(SYSTEM_GetPlatform(&nClass, &dwVersion));
    EXPECT_EQ(SYSTEM_CLASS_NTWORK, nClass);
    EXPECT_EQ(GetVersion(), dwVersion);
}

}  // namespace
