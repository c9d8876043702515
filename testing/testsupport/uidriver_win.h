// Plays the user of real windows in tests under Wine. Every wait is bounded, so a test never hangs.
//
// A modal window (a dialog, a message box, a long handler) holds the test's own thread, so the user is played
// from a thread of its own: CUserThread runs a script of waits, reads and presses while the test thread runs
// the window, and CModalTimeout ends the test thread's dialogs should the script fail to. A modeless window is
// driven from the test thread itself, which pumps its messages while it waits (UIDRIVER_PumpUntil).
//
// Reads and presses are safe from any thread: texts are read with bounded cross-thread calls and buttons are
// pressed by posted commands, as a click would deliver them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

const DWORD UIDRIVER_TIMEOUT = 5000;  // the waits' usual bound, in milliseconds

// Dialogs of a window class of the program's own (a template's CLASS) count as dialogs from now on, for the
// waits below and for CModalTimeout.
void UIDRIVER_AddDialogClass(const char* szClass);
// The waits below look at the windows of another process (a program the driver started) instead of this one's;
// 0 turns them back to this process.
void UIDRIVER_DriveProcess(DWORD dwProcessId);
// Finds a visible top-level dialog-class window (a dialog or message box) of this process, with the given
// caption when szCaption is not null; null when none appears within msTimeout.
HWND UIDRIVER_WaitForDialog(const char* szCaption, DWORD msTimeout);
// Finds a message box of this process showing exactly szText; null when none appears within msTimeout.
HWND UIDRIVER_WaitForMessageBox(const char* szText, DWORD msTimeout);
// FindWindowEx among this process's top-level windows only, so that tests running side by side never find each
// other's windows: the next after hAfter (the first when null) of the class and title given (any when null).
HWND UIDRIVER_FindOwnWindow(const char* szClass, const char* szTitle, HWND hAfter = nullptr);
// The text of a window; of a control of a dialog.
std::string UIDRIVER_GetText(HWND hWnd);
std::string UIDRIVER_GetItemText(HWND hDlg, int idItem);
// True when the control exists and is enabled.
bool UIDRIVER_IsItemEnabled(HWND hDlg, int idItem);
// Presses a button of a dialog as a click would; false (and nothing pressed) when the button is missing,
// disabled or hidden, as a user could not press it either.
bool UIDRIVER_PressButton(HWND hDlg, int idButton);

// Polls fnDone until it is true; false when msTimeout passed first. For a thread other than the window's.
bool UIDRIVER_WaitUntil(const std::function<bool()>& fnDone, DWORD msTimeout);
// On the windows' own thread: dispatches their messages (so timers fire and posted presses arrive) until
// fnDone is true; false when msTimeout passed first.
bool UIDRIVER_PumpUntil(const std::function<bool()>& fnDone, DWORD msTimeout);
bool UIDRIVER_WaitForItemText(HWND hDlg, int idItem, const std::string& text, DWORD msTimeout);
bool UIDRIVER_WaitForItemEnabled(HWND hDlg, int idItem, bool fEnabled, DWORD msTimeout);

// Runs a script of user actions on a thread of its own; the destructor waits for it to end.
class CUserThread {
public:
    explicit CUserThread(std::function<void()> fnScript) : m_thread(std::move(fnScript)) {}
    ~CUserThread() { Join(); }
    CUserThread(const CUserThread&) = delete;
    CUserThread& operator=(const CUserThread&) = delete;

    void Join() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

// Answers the next message box that the code under test shows (the next showing exactly szText, when it is
// not null), from a thread of its own: records the box's caption and text and presses the chosen button
// (IDOK, IDCANCEL, IDYES, ...). The destructor waits for the answer or the time-out.
class CBoxAnswer {
public:
    explicit CBoxAnswer(int idButton, DWORD msTimeout = UIDRIVER_TIMEOUT, const char* szText = nullptr);
    ~CBoxAnswer();
    CBoxAnswer(const CBoxAnswer&) = delete;
    CBoxAnswer& operator=(const CBoxAnswer&) = delete;

    // Waits for the answer; true when a box was found and answered.
    bool Wait();
    const std::string& Caption() const { return m_caption; }
    const std::string& Text() const { return m_text; }
    // The box's style as shown: its buttons, icon and default button (MB_YESNO | MB_ICONQUESTION | ...).
    UINT Style() const { return m_uStyle; }

private:
    void Run(int idButton, DWORD msTimeout, std::string text, bool fAnyText);
    bool m_fAnswered = false;
    std::string m_caption;
    std::string m_text;
    UINT m_uStyle = 0;
    std::thread m_thread;
};

// Guards a test thread that runs modal windows: when msTimeout passes before the guard is destroyed, every
// dialog and message box of the thread is ended (again every half second) and Expired() turns true, so a
// script that failed ends in a failed test rather than a hung one.
class CModalTimeout {
public:
    explicit CModalTimeout(DWORD msTimeout);
    ~CModalTimeout();
    CModalTimeout(const CModalTimeout&) = delete;
    CModalTimeout& operator=(const CModalTimeout&) = delete;

    bool Expired() const { return m_fExpired; }

private:
    static void CALLBACK OnTimer(HWND hWnd, UINT uMsg, UINT_PTR idTimer, DWORD dwTime);
    UINT_PTR m_idTimer;
    bool m_fExpired = false;
};

// Holds still for a screenshot. When the environment variable MFX_SCREENSHOTS names a folder (./go
// screenshots sets it), announces NAME.ready there and waits, at most a minute, for NAME.taken, which the
// capturing script creates once it has the picture; fPump dispatches this thread's messages meanwhile (for a
// caller on the windows' own thread). Does nothing when the variable is not set.
void UIDRIVER_Pose(const char* szName, bool fPump);
