// Distribution media laid out by a test, for runs of the whole setup engine inside the test program: a design
// written in the text form and compiled by our design compiler, the dialog library beside it, the files on
// their disks, and a destination folder, all in a temporary folder. The engine runs in place from media\bin.
#pragma once

#include <windows.h>

#include <string>

#include "setup/engine_win.h"
#include "setup/logfile_win.h"
#include "setup/szdd.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

class CSetupMedia {
public:
    CSetupMedia() {
        CreateDirectoryA(Media().c_str(), nullptr);
        CreateDirectoryA(Bin().c_str(), nullptr);
        CreateDirectoryA(Dest().c_str(), nullptr);
        CopyFileA(BUILDPATH_SubsystemFile("..\\setupext\\parvel\\parvel.dll").c_str(), (Bin() + "parvel.dll").c_str(),
                  FALSE);
        UIDRIVER_AddDialogClass("ovsetupDlg");
    }
    ~CSetupMedia() {
        // The uninstall entry a run registered, so that runs do not see each other's.
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(LOGFILE_UNINSTALLKEY) + "\\" + m_product).c_str());
    }

    std::string Media() const { return m_root / "media\\"; }
    std::string Bin() const { return m_root / "media\\bin\\"; }
    std::string Dest() const { return m_root / "dest\\"; }

    // Compiles the text design (every "%DEST%" replaced by the destination folder, no trailing backslash) into
    // media\bin\setup.ini; the compiler's messages on failure.
    std::string Design(std::string text, const std::string& product = "Demo 1.0") {
        m_product = product;
        const std::string dest = Dest().substr(0, Dest().size() - 1);
        for (size_t nAt = text.find("%DEST%"); nAt != std::string::npos; nAt = text.find("%DEST%"))
            text.replace(nAt, 6, dest);
        const std::string source = m_root / "design.txt";
        TESTFILE_Write(source, text);
        const std::string output = m_root / "compile.out";
        std::string command = "\"" + BUILDPATH_SubsystemFile("..\\tools\\setupdesign\\setupdesign.exe") +
                              "\" compile \"" + source + "\" \"" + Bin() + "setup.ini\"";
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE hOut = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = hOut;
        PROCESS_INFORMATION process = {};
        DWORD dwExit = 1;
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, 60000);
            GetExitCodeProcess(process.hProcess, &dwExit);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        CloseHandle(hOut);
        return dwExit == 0 ? "" : "setupdesign failed: " + TESTFILE_Read(output);
    }

    // A file on the media (a path below media\), plain or compressed under its compressed name.
    void File(const std::string& path, const std::string& bytes) {
        MakeFolders(Media() + path);
        TESTFILE_Write(Media() + path, bytes);
    }
    void CompressedFile(const std::string& folder, const std::string& name, const std::string& bytes) {
        char chLast = 0;
        const std::string compressed = SZDD_CompressedName(name, &chLast);
        File(folder + "\\" + compressed, SZDD_Compress(bytes, chLast));
    }
    void Marker(int nDisk) { File(std::string("disk.") + static_cast<char>('a' + nDisk), ""); }

    // Runs the engine from media\bin with the command line's arguments after "KELPY" and the setup drive.
    int Run(const std::string& args = "") {
        const std::string engine = Bin() + "HAULIX.EXE";
        const std::string line = std::string("KELPY ") + engine[0] + ": " + args;
        return ENGINE_Run(GetModuleHandleA(nullptr), engine.c_str(), line.c_str(), LogOff);
    }
    // Writes a response file into the temporary folder and returns the switch naming it.
    std::string Answers(const std::string& lines) {
        const std::string path = m_root / "answers.ini";
        TESTFILE_Write(path, "[Answers]\r\n" + lines);
        return "/ANSWERS=\"" + path + "\"";
    }

    static int s_nLogOffs;

private:
    static void LogOff() { ++s_nLogOffs; }
    static void MakeFolders(const std::string& path) {
        for (size_t nAt = path.find('\\', 3); nAt != std::string::npos; nAt = path.find('\\', nAt + 1))
            CreateDirectoryA(path.substr(0, nAt).c_str(), nullptr);
    }
    CTempFolder m_root{"haulix"};
    std::string m_product;
};
