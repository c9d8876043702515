// The uninstall run: the log chosen and read, the confirmation, the four steps in the progress window (files,
// folders, program-group items and groups, registry entries) and the final message.
//
// Single removals that fail are reported on the diagnostics channel and the run goes on; the user sees a
// message only when the log cannot be found, when a shared file's use count runs out, when the events library
// cannot be loaded, and at the end. With a response file (/ANSWERS=) those questions and messages are answered
// from it by their identifiers (unstart.h) and none waits for a person.
#pragma once

#include <windows.h>

#include <string>

#include "setup/answers.h"
#include "uninstall/unprogress_win.h"
#include "uninstall/unrecord.h"

// The exit status of the program.
const int UNRUN_REMOVED = 0;
const int UNRUN_NOTREMOVED = 1;

class CUnInstall : public CUnInstallRecord {
public:
    // hInstance holds the progress window's template; szProgram is the uninstaller's own file, beside which a
    // bare log name and a bare events library name are looked for.
    CUnInstall(HINSTANCE hInstance, const char* szProgram);

    // The whole run for the command line (without the program's name); the exit status.
    int Run(const char* szCommandLine);

private:
    // Asks a question, or answers it from the response file when the run is unattended; the button (IDOK,
    // IDCANCEL, IDYES, IDNO). uType's buttons are MB_OK, MB_OKCANCEL or MB_YESNO; idDefault answers an
    // unattended question that the file leaves open.
    int Ask(HWND hOwner, const std::string& id, const std::string& text, UINT uType, int idDefault);
    bool Read(const char* szLog);
    void RemoveFiles(HWND hWnd);
    void CallEventsLibrary(HWND hWnd);
    void RemoveSharedFiles(HWND hWnd);
    void RemoveFolders();
    void RemoveShortcuts(HWND hWnd);
    void RestoreSystemSettings();

    HINSTANCE m_hInstance;
    PATHNAME m_Program = "";
    CAnswers m_Answers;
};
