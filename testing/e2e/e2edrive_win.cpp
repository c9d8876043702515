// e2edrive: the Windows side of the suite's end-to-end run (./go e2e). It starts the installed programs as their
// user would, plays that user through the setup and the uninstaller, poses each moment for a screenshot, and
// checks what the setup log says was done. Commands (exit status 0 when all went as expected, 1 when not, 2 for
// a wrong command line):
//
//   e2edrive installed LOG                          every record of the setup log is there
//   e2edrive shortcut LOG TITLE CAPTION SHOTS       the item's Start Menu shortcut starts a program of the log
//                                                   whose window's caption begins with CAPTION
//   e2edrive plugin LOG FOLDER BROWSER PAGE SHOTS   the browser shows the page with NPVROON.DLL of the log,
//                                                   which lies in FOLDER
//   e2edrive install ENGINE SHOTS|/ANSWERS=FILE     the setup engine run in place, by a person or unattended
//   e2edrive uninstall PRODUCT SHOTS|/ANSWERS=FILE  the product's uninstall entry run, the same two ways
//
// SHOTS is the folder (with its trailing backslash) where each pose is announced (testing/testsupport's
// SHOWPOSE); the script captures the display meanwhile.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "setup/logfile_win.h"
#include "setup/setupdlg_ids.h"
#include "testing/e2e/e2echeck_win.h"
#include "testing/testsupport/showpose_win.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/regkey_win.h"

namespace {

const DWORD WINDOW_MS = 60000;  // how long a window of the program may take to come
const DWORD END_MS = 120000;    // how long a program may take to end once it is told to
const char ANSWERS_SWITCH[] = "/ANSWERS=";
const char PARVEL_DIALOG[] = "ovsetupDlg";

// A program started by the driver; ended by force when it is still running as the object goes.
class CChild {
public:
    ~CChild() {
        if (m_process.hProcess) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_process.hProcess, 3);
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
    }
    bool Start(std::string commandLine, const std::string& folder) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        printf("e2edrive: starting %s\n", commandLine.c_str());
        return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &m_process) != 0;
    }
    // The exit status once the program has ended; false when it did not end in time.
    bool Wait(DWORD* pdwExit) {
        if (WaitForSingleObject(m_process.hProcess, END_MS) != WAIT_OBJECT_0)
            return false;
        return GetExitCodeProcess(m_process.hProcess, pdwExit) != 0;
    }
    DWORD Id() const { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process = {};
};

struct WINDOWSEARCH {
    DWORD dwProcess;
    const std::string* pCaption;
    HWND hFound;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<WINDOWSEARCH*>(lParam);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess != pSearch->dwProcess || !IsWindowVisible(hWnd) ||
        UIDRIVER_GetText(hWnd).compare(0, pSearch->pCaption->size(), *pSearch->pCaption) != 0)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// A shown top-level window of the process whose caption begins with the text; null when none came in time.
HWND WaitForWindow(DWORD dwProcess, const std::string& caption) {
    WINDOWSEARCH search = {dwProcess, &caption, nullptr};
    UIDRIVER_WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.hFound != nullptr;
        },
        WINDOW_MS);
    return search.hFound;
}

BOOL CALLBACK PrintWindow(HWND hWnd, LPARAM lParam) {
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == static_cast<DWORD>(lParam) && IsWindowVisible(hWnd)) {
        char szClass[64] = "";
        GetClassNameA(hWnd, szClass, sizeof(szClass));
        printf("e2edrive:   shown: %s \"%s\" \"%s\"\n", szClass, UIDRIVER_GetText(hWnd).c_str(),
               UIDRIVER_GetItemText(hWnd, 0xFFFF).c_str());
    }
    return TRUE;
}

// What the program shows instead, for the report of a window that did not come.
void PrintShown(DWORD dwProcess) {
    EnumWindows(PrintWindow, static_cast<LPARAM>(dwProcess));
}

int Failed(const std::string& what) {
    printf("e2edrive: FAILED: %s\n", what.c_str());
    return 1;
}

// Ends a program by closing its window, as its user would.
int CloseAndWait(CChild& child, HWND hWnd, const char* szWhat) {
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    DWORD dwExit = 1;
    if (!child.Wait(&dwExit))
        return Failed(std::string(szWhat) + " did not end when its window was closed");
    printf("e2edrive: %s ended with %lu\n", szWhat, dwExit);
    return 0;
}

bool ReadLog(const char* szLogFile, CLogFile* pLog) {
    return GetFileAttributesA(szLogFile) != INVALID_FILE_ATTRIBUTES && LOGFILE_Read(pLog, szLogFile);
}

int Installed(const char* szLogFile) {
    std::vector<E2ECHECK> checks;
    if (!E2ECHECK_Installed(szLogFile, &checks))
        return Failed(std::string("no setup log ") + szLogFile);
    int nFaults = 0;
    for (const E2ECHECK& check : checks) {
        printf("%s %s\n", check.fOk ? "ok     " : "MISSING", check.what.c_str());
        nFaults += check.fOk ? 0 : 1;
    }
    printf("e2edrive: %d records of %s checked, %d missing\n", static_cast<int>(checks.size()), szLogFile, nFaults);
    return nFaults == 0 && !checks.empty() ? 0 : 1;
}

int Shortcut(const char* szLogFile, const char* szTitle, const char* szCaption, const std::string& shots) {
    CLogFile log;
    if (!ReadLog(szLogFile, &log))
        return Failed(std::string("no setup log ") + szLogFile);
    const auto item = log.m_IconGroups.find(szTitle);
    std::string link, target, folder;
    if (item == log.m_IconGroups.end() || !E2ECHECK_Shortcut(item->second, szTitle, &link, &target, &folder))
        return Failed(std::string("no shortcut of the item ") + szTitle);
    printf("e2edrive: %s starts %s in %s\n", link.c_str(), target.c_str(), folder.c_str());
    if (lstrcmpiA(E2ECHECK_LoggedFile(log, target.substr(target.rfind('\\') + 1).c_str()).c_str(), target.c_str()) != 0)
        return Failed(target + " is not a file the setup copied");
    CChild program;
    if (!program.Start("\"" + target + "\"", folder))
        return Failed("cannot start " + target);
    HWND hMain = WaitForWindow(program.Id(), szCaption);
    if (!hMain) {
        PrintShown(program.Id());
        return Failed(std::string("no window \"") + szCaption + "...\"");
    }
    printf("e2edrive: its window \"%s\"\n", UIDRIVER_GetText(hMain).c_str());
    SHOWPOSE_Pose(shots, "reelpro-from-shortcut");
    return CloseAndWait(program, hMain, target.c_str());
}

int Plugin(const char* szLogFile,
           const char* szFolder,
           const char* szBrowser,
           const char* szPage,
           const std::string& shots) {
    CLogFile log;
    if (!ReadLog(szLogFile, &log))
        return Failed(std::string("no setup log ") + szLogFile);
    const std::string plugin = E2ECHECK_LoggedFile(log, "NPVROON.DLL");
    if (plugin.empty())
        return Failed("the setup log has no NPVROON.DLL");
    if (lstrcmpiA(plugin.substr(0, plugin.rfind('\\')).c_str(), szFolder) != 0)
        return Failed(plugin + " is not in the plug-in folder " + szFolder);
    CChild browser;
    if (!browser.Start(std::string("\"") + szBrowser + "\" \"" + plugin + "\" \"" + szPage + "\"", ""))
        return Failed(std::string("cannot start ") + szBrowser);
    HWND hFrame = WaitForWindow(browser.Id(), "nphost - ");
    if (!hFrame) {
        PrintShown(browser.Id());
        DWORD dwExit = 1;
        browser.Wait(&dwExit);
        return Failed("the browser showed no page (exit status " + std::to_string(dwExit) + ")");
    }
    printf("e2edrive: %s shows %s with %s\n", szBrowser, szPage, plugin.c_str());
    // The plug-in opens a clip a second after its file is there; the picture is of the opened movie.
    Sleep(3000);
    SHOWPOSE_Pose(shots, "npvroon-in-browser");
    return CloseAndWait(browser, hFrame, szBrowser);
}

// One moment of a person's run: the dialog (by caption) or message box (by text) to wait for, the pose it is
// pictured under, and the button pressed.
struct STEP {
    bool fBox;
    std::string shown;
    const char* szPose;
    int idButton;
};

int Play(CChild& program, const std::vector<STEP>& steps, const std::string& shots) {
    UIDRIVER_DriveProcess(program.Id());
    for (const STEP& step : steps) {
        HWND hWnd = step.fBox ? UIDRIVER_WaitForMessageBox(step.shown.c_str(), WINDOW_MS)
                              : UIDRIVER_WaitForDialog(step.shown.c_str(), WINDOW_MS);
        if (!hWnd) {
            PrintShown(program.Id());
            return Failed("no " + std::string(step.fBox ? "message " : "dialog ") + step.shown);
        }
        printf("e2edrive: %s\n", step.szPose);
        SHOWPOSE_Pose(shots, step.szPose);
        if (!UIDRIVER_PressButton(hWnd, step.idButton))
            return Failed(std::string("cannot press the button of ") + step.szPose);
    }
    return 0;
}

int Finish(CChild& program, const char* szWhat) {
    DWORD dwExit = 1;
    if (!program.Wait(&dwExit)) {
        PrintShown(program.Id());
        return Failed(std::string(szWhat) + " did not end");
    }
    printf("e2edrive: %s ended with exit status %lu\n", szWhat, dwExit);
    return dwExit == 0 ? 0 : 1;
}

bool IsAnswers(const std::string& argument) {
    return argument.compare(0, strlen(ANSWERS_SWITCH), ANSWERS_SWITCH) == 0;
}

// The engine from the media's "\bin" as the bootstrap would start it in place: setup drive = its own drive.
int Install(const std::string& engine, const std::string& how) {
    const std::string folder = engine.substr(0, engine.rfind('\\'));
    std::string line = "\"" + engine + "\" KELPY " + engine.substr(0, 2) + " 1";
    if (IsAnswers(how))
        line += " \"" + how + "\"";
    CChild setup;
    if (!setup.Start(line, folder))
        return Failed("cannot start " + engine);
    if (!IsAnswers(how)) {
        UIDRIVER_AddDialogClass(PARVEL_DIALOG);
        const std::vector<STEP> steps = {
            {false, "Install Flarion", "setup-1-install-to", IDC_INSTALL_CONTINUE},
            {false, "Setup", "setup-2-choose", IDC_CHOOSE_COMPLETE},
            {false, "Netscape PlugIns Folder", "setup-3-plugin-folder", IDOK},
            {true,
             "Would you like to install the Flarion PlugIn for Netscape Navigator Gold?\n\nThe PlugIn also works "
             "with standard Navigator.",
             "setup-4-install-plugin", IDYES},
            {true, "The directory C:\\FLARION does not exist. Create?", "setup-5-create-folder", IDYES},
            {true, "The installation was successful.", "setup-6-successful", IDOK},
            {true,
             "Flarion works best if you disable Apple's QuickTime plugin.\nWould you like Setup to disable the "
             "Apple plugin?",
             "setup-7-disable-apple", IDYES},
            {true,
             "A logfile containing information on the actions of the setup has been created and stored as "
             "C:\\FLARION\\FLARION.LOG.",
             "setup-8-log", IDOK},
        };
        if (Play(setup, steps, how))
            return 1;
    }
    return Finish(setup, engine.c_str());
}

int Uninstall(const char* szProduct, const std::string& how) {
    CRegistryKey entry;
    std::string line;
    char szLine[1024] = "";
    DWORD cbLine = sizeof(szLine) - 1;
    if (!entry.Open(HKEY_LOCAL_MACHINE) || !entry.Open(LOGFILE_UNINSTALLKEY) || !entry.Open(szProduct) ||
        RegQueryValueExA(entry.m_hKey, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(szLine), &cbLine) !=
            ERROR_SUCCESS)
        return Failed(std::string("no uninstall entry for ") + szProduct);
    line = szLine;
    // The switch goes before the log's path, which takes the rest of the line.
    const size_t nProgram = line[0] == '"' ? line.find('"', 1) + 1 : line.find(' ');
    if (IsAnswers(how))
        line.insert(nProgram, " \"" + how + "\"");
    CChild uninstaller;
    if (!uninstaller.Start(line, ""))
        return Failed("cannot start " + line);
    if (!IsAnswers(how)) {
        const std::vector<STEP> steps = {
            {true,
             "UnInstall has determined that a shared file is no longer needed:\n\nC:\\NETSCAPE\\PROGRAM\\PLUGINS\\"
             "npvroon.dll\n\nWould you like UnInstall to remove this file?",
             "uninstall-1-shared-file", IDYES},
            {true, std::string(szProduct) + " was successfully removed from your computer", "uninstall-2-removed",
             IDOK},
        };
        if (Play(uninstaller, steps, how))
            return 1;
    }
    return Finish(uninstaller, "the uninstaller");
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "installed" && argc == 3)
        return Installed(argv[2]);
    if (command == "shortcut" && argc == 6)
        return Shortcut(argv[2], argv[3], argv[4], argv[5]);
    if (command == "plugin" && argc == 7)
        return Plugin(argv[2], argv[3], argv[4], argv[5], argv[6]);
    if (command == "install" && argc == 4)
        return Install(argv[2], argv[3]);
    if (command == "uninstall" && argc == 4)
        return Uninstall(argv[2], argv[3]);
    fputs("usage: e2edrive installed|shortcut|plugin|install|uninstall ... (see the source's head)\n", stderr);
    return 2;
}
