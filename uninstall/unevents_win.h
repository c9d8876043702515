// The product's events library, named by the setup log: loaded for the one call the uninstaller makes before
// any file goes, and unloaded again. The object owns the library and frees it when it is destroyed.
#pragma once

#include <windows.h>

// The export the uninstaller calls: (event, window, log file name, reserved); nonzero is success.
typedef BOOL(WINAPI* OVSETUP_EVENTS)(UINT nEvent, HWND hWnd, LPCSTR szLogFile, LPARAM lReserved);
extern const char UNEVENTS_EXPORT[];    // "OVSETUP_Events"
const UINT UNEVENTS_UNINSTALLTIME = 5;  // the only event the uninstaller sends

class CEventsDll {
public:
    CEventsDll() = default;
    ~CEventsDll();
    CEventsDll(const CEventsDll&) = delete;
    CEventsDll& operator=(const CEventsDll&) = delete;

    // A name with a drive or folder part is loaded from there and must exist; a bare name is loaded from
    // szProgramFolder, made the current folder for the load (the library's own imports are found there too)
    // and restored afterwards. False when the library cannot be loaded.
    bool Load(const char* szName, const char* szProgramFolder);
    // Sends the uninstall-time event; false when the library has no such export or the call fails.
    bool UnInstallTime(HWND hWnd, const char* szLogFile);
    void Free();

private:
    HMODULE m_hLibrary = nullptr;
};
