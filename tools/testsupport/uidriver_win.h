// Plays the user of real windows in tests under Wine. Every wait is bounded, so a test never hangs.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

// Finds a visible top-level dialog-class window (a dialog or message box) of this process; null when none
// appears within msTimeout.
HWND UIDRIVER_WaitForDialog(const char* szCaption, DWORD msTimeout);
// The text of a control of a dialog.
std::string UIDRIVER_GetItemText(HWND hDlg, int idItem);
// Presses a button of a dialog as a click would.
void UIDRIVER_PressButton(HWND hDlg, int idButton);

// Answers the next message box that the code under test shows, from a thread of its own: records the box's
// caption and text and presses the chosen button (IDOK, IDCANCEL, IDYES, ...). The destructor waits for the
// answer or the time-out.
class CBoxAnswer {
public:
    explicit CBoxAnswer(int idButton, DWORD msTimeout = 5000);
    ~CBoxAnswer();
    CBoxAnswer(const CBoxAnswer&) = delete;
    CBoxAnswer& operator=(const CBoxAnswer&) = delete;

    // Waits for the answer; true when a box was found and answered.
    bool Wait();
    const std::string& Caption() const { return m_caption; }
    const std::string& Text() const { return m_text; }

private:
    void Run(int idButton, DWORD msTimeout);
    std::thread m_thread;
    bool m_fAnswered = false;
    std::string m_caption;
    std::string m_text;
};
