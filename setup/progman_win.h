// The DDE client of the Program Manager, shared by the setup engine (create, show, add) and the uninstaller
// (show, delete). Each command is one execute transaction in a conversation of its own with service and topic
// "PROGMAN"; every transaction waits at most PROGMAN_TIMEOUT.
//
// Lifetime. The DDE instance belongs to the object and to the window it is attached to: it is released when that
// window is closed or destroyed, or with the object, whichever comes first. After that every call fails.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <string>

#include "setup/progman.h"

const DWORD PROGMAN_TIMEOUT = 1000;  // milliseconds

class CProgMan {
public:
    CProgMan() = default;
    ~CProgMan();
    CProgMan(const CProgMan&) = delete;
    CProgMan& operator=(const CProgMan&) = delete;

    // Starts the DDE library as a client only and attaches to the window. False when the library cannot start.
    bool Initialize(HWND hWnd);
    bool IsInitialized() const { return m_idInst != 0; }

    // Sends one execute string; true when the Program Manager accepted it.
    bool SendShellCommand(const char* szCommand);
    // True when the Program Manager knows the group.
    bool GroupExists(const char* szGroup);

    // The commands; each fails without any DDE traffic outside the limits (see progman.h).
    bool CreateGroup(const char* szGroup);
    bool ShowGroup(const char* szGroup);
    bool AddItem(const char* szCmdLine, const char* szTitle);
    bool DeleteItem(const char* szTitle);
    bool DeleteGroup(const char* szGroup);

private:
    bool Command(PROGMAN_COMMAND command, const char* szFirst, const char* szSecond);
    // One request in an open conversation; the answer's text goes to pText when it is not null.
    static bool Request(DWORD idInst, HCONV hConv, const char* szItem, std::string* pText, bool* pfTimedOut);
    void Release();
    static HDDEDATA CALLBACK DdeCallback(UINT uType,
                                         UINT uFmt,
                                         HCONV hConv,
                                         HSZ hsz1,
                                         HSZ hsz2,
                                         HDDEDATA hData,
                                         ULONG_PTR dwData1,
                                         ULONG_PTR dwData2);
    static LRESULT CALLBACK
    WindowSubclass(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR idSubclass, DWORD_PTR dwRefData);

    DWORD m_idInst = 0;
    HWND m_hWnd = nullptr;
};
