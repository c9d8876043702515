// A registry key held open by an object that walks down a key path one step per Open, and reads, writes and
// removes values and sub-keys of the key it holds.
//
// The object owns the handle it holds and closes it when it is destroyed. The classes root stands for the
// absent parent: a sub-key opened from an empty object is opened below it. Failures are reported on the
// diagnostics channel, quoting the failed call, and returned as false.
#pragma once

#include <windows.h>

#include <string>

#define REG_OK(lResult) ((lResult) == ERROR_SUCCESS)

const size_t REGKEY_STRINGSIZE = 256;  // bytes of a sub-key's default value that QueryString reads
const size_t REGKEY_NAMESIZE = 261;    // a sub-key name from EnumSubKey, with its terminator

class CRegistryKey {
public:
    CRegistryKey() = default;
    explicit CRegistryKey(HKEY hKey);
    // Opened below the classes root.
    explicit CRegistryKey(const char* SubKey);
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Holds a new handle of the given key (a root or a key held elsewhere); any key held before is closed.
    bool Open(HKEY hKey);
    // Opens the sub-key below the key held and closes the parent; on failure the object keeps the parent.
    bool Open(const char* SubKey);
    void Close();
    bool IsOpen() const { return m_hKey != nullptr; }

    // Creates the sub-key (or opens an existing one) without holding it.
    bool CreateSubKey(const char* szName);
    // A 32-bit number value; false and 0 when it is missing or of another type.
    bool QueryDWORD(const char* szName, DWORD& dwValue);
    // The default value of the named sub-key (at most REGKEY_STRINGSIZE - 1 characters); false when none.
    bool QueryString(const char* szSubKey, std::string& text);
    bool SetString(const char* szName, const char* szText);
    bool SetDWORD(const char* szName, DWORD dwValue);
    bool RemoveSubKey(const char* szName);
    bool RemoveValue(const char* szName);
    // The name of the index-th sub-key; false past the last.
    bool EnumSubKey(DWORD dwIndex, std::string& name);

    // "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS" or "HKEY_PERFORMANCE_DATA";
    // empty for any other handle.
    static const char* RootKeyName(HKEY hKey);
    // The root of that name in any letter case; null for any other text.
    static HKEY RootKeyFromName(const char* szName);

    HKEY m_hKey = nullptr;
};
