#include "toolkit/regkey_win.h"

#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("REGKEY");

namespace {

// In the order of their numeric handles.
const struct {
    HKEY hKey;
    const char* szName;
} s_aRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},         {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},       {HKEY_USERS, "HKEY_USERS"},
    {HKEY_PERFORMANCE_DATA, "HKEY_PERFORMANCE_DATA"},
};

// The classes root stands for the absent parent and is never closed.
bool IsClosable(HKEY hKey) {
    return hKey != nullptr && hKey != HKEY_CLASSES_ROOT;
}

}  // namespace

CRegistryKey::CRegistryKey(HKEY hKey) {
    MFX_VERIFY(Open(hKey));
}

CRegistryKey::CRegistryKey(const char* SubKey) {
    MFX_VERIFY(Open(SubKey));
}

CRegistryKey::~CRegistryKey() {
    Close();
}

// The new handle is opened before the old one is closed, so the object may be reopened on the key it holds.
bool CRegistryKey::Open(HKEY hKey) {
    MFX_PRE(hKey);
    HKEY hNew = nullptr;
    bool fOk;
    MFX_VERIFY(fOk = REG_OK(RegOpenKeyExA(hKey, nullptr, 0, MAXIMUM_ALLOWED, &hNew)));
    if (!fOk)
        return false;
    Close();
    m_hKey = hNew;
    return true;
}

// An empty name would give back the parent's own handle, which the step then closed; it is refused.
bool CRegistryKey::Open(const char* SubKey) {
    MFX_PRE(SubKey && SubKey[0]);
    const HKEY hHeld = m_hKey;
    const HKEY hKey = hHeld ? hHeld : HKEY_CLASSES_ROOT;
    bool fOk;
    // The report quotes the check as it is written here.
    // clang-format off
    MFX_VERIFY(fOk=REG_OK(RegOpenKey(hKey, SubKey, &m_hKey)));
    // clang-format on
    if (!fOk) {
        m_hKey = hHeld;
        return false;
    }
    if (IsClosable(hKey))
        MFX_VERIFY(fOk = REG_OK(RegCloseKey(hKey)));
    return true;
}

void CRegistryKey::Close() {
    if (IsClosable(m_hKey))
        RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

bool CRegistryKey::CreateSubKey(const char* szName) {
    MFX_PRE(IsOpen() && szName);
    HKEY hNew = nullptr;
    bool fOk;
    MFX_VERIFY(fOk = REG_OK(RegCreateKeyA(m_hKey, szName, &hNew)));
    if (fOk)
        RegCloseKey(hNew);
    return fOk;
}

bool CRegistryKey::QueryDWORD(const char* szName, DWORD& dwValue) {
    dwValue = 0;
    MFX_PRE(IsOpen());
    DWORD dwType = 0, cbData = 0;
    if (!REG_OK(RegQueryValueExA(m_hKey, szName, nullptr, &dwType, nullptr, &cbData)))
        return false;
    // The report quotes the check as written here.
    // clang-format off
    const bool fNumber = MFX_VERIFY(dwType==REG_DWORD);
    // clang-format on
    if (!fNumber)
        return false;
    DWORD dwRead = 0;
    cbData = sizeof(dwRead);
    bool fOk;
    MFX_VERIFY(
        fOk = REG_OK(RegQueryValueExA(m_hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwRead), &cbData)));
    if (fOk)
        dwValue = dwRead;
    return fOk;
}

bool CRegistryKey::QueryString(const char* szSubKey, std::string& text) {
    MFX_PRE(IsOpen());
    char szValue[REGKEY_STRINGSIZE] = "";
    LONG cbValue = sizeof(szValue);
    if (!REG_OK(RegQueryValueA(m_hKey, szSubKey, szValue, &cbValue)))
        return false;
    szValue[sizeof(szValue) - 1] = '\0';
    text = szValue;
    return true;
}

// The size given includes the terminator, as the platform asks of string values.
bool CRegistryKey::SetString(const char* szName, const char* szText) {
    MFX_PRE(IsOpen() && szText);
    const DWORD cbText = static_cast<DWORD>(strlen(szText) + 1);
    bool fOk;
    MFX_VERIFY(fOk = REG_OK(RegSetValueExA(m_hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(szText), cbText)));
    return fOk;
}

bool CRegistryKey::SetDWORD(const char* szName, DWORD dwValue) {
    MFX_PRE(IsOpen());
    bool fOk;
    MFX_VERIFY(fOk = REG_OK(RegSetValueExA(m_hKey, szName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                                           sizeof(dwValue))));
    return fOk;
}

bool CRegistryKey::RemoveSubKey(const char* szName) {
    MFX_PRE(IsOpen() && szName && szName[0]);
    return REG_OK(RegDeleteKeyA(m_hKey, szName));
}

bool CRegistryKey::RemoveValue(const char* szName) {
    MFX_PRE(IsOpen());
    return REG_OK(RegDeleteValueA(m_hKey, szName));
}

bool CRegistryKey::EnumSubKey(DWORD dwIndex, std::string& name) {
    MFX_PRE(IsOpen());
    char szName[REGKEY_NAMESIZE] = "";
    if (!REG_OK(RegEnumKeyA(m_hKey, dwIndex, szName, sizeof(szName))))
        return false;
    name = szName;
    return true;
}

const char* CRegistryKey::RootKeyName(HKEY hKey) {
    for (const auto& root : s_aRoots) {
        if (root.hKey == hKey)
            return root.szName;
    }
    return "";
}

HKEY CRegistryKey::RootKeyFromName(const char* szName) {
    MFX_PRE(szName);
    for (const auto& root : s_aRoots) {
        if (STRINGS_CompareNoCase(root.szName, szName) == 0)
            return root.hKey;
    }
    return nullptr;
}
