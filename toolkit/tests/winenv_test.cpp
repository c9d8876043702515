// Proves that the tests run on a real Windows system (Wine in the build's private prefix): a window, a
// profile string and a registry value all go through the system itself.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(WineEnvironment, CreatesAWindowOnTheDisplay) {
    HWND hWnd = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    char szText[16] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    EXPECT_STREQ("probe", szText);
    RECT rc;
    ASSERT_TRUE(GetClientRect(hWnd, &rc));
    EXPECT_GT(rc.right, 0);
    EXPECT_TRUE(DestroyWindow(hWnd));
}

TEST(WineEnvironment, WritesAndReadsAPrivateProfileString) {
    char szTemp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof(szTemp), szTemp), 0u);
    const std::string ini = std::string(szTemp) + "winenv_test.ini";
    ASSERT_TRUE(WritePrivateProfileStringA("Section", "Key", "Value", ini.c_str()));
    char szValue[32] = "";
    GetPrivateProfileStringA("Section", "Key", "", szValue, sizeof(szValue), ini.c_str());
    EXPECT_STREQ("Value", szValue);
    DeleteFileA(ini.c_str());
}

TEST(WineEnvironment, WritesAndReadsARegistryValue) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\FlarionTest", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    const DWORD dwWritten = 0x1234;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, "Probe", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwWritten),
                                            sizeof(dwWritten)));
    DWORD dwRead = 0, cbRead = sizeof(dwRead);
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(hKey, "Probe", nullptr, nullptr, reinterpret_cast<BYTE*>(&dwRead), &cbRead));
    EXPECT_EQ(dwWritten, dwRead);
    RegCloseKey(hKey);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\FlarionTest"));
}

}  // namespace
