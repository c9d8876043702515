// An events library of ours: each call of its export appends one line to "UNEVENTS.TXT" beside the library,
// "event window log-exists reserved log-name" ("5 window log 0 C:\APP\UNINST.LOG"), so a test sees what it was
// sent and whether the log was still there. It answers failure while a file "UNEVENTS.FAIL" lies beside it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "uninstall/unevents_win.h"

namespace {

HINSTANCE s_hInst = nullptr;

std::string Beside(const char* szName) {
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(s_hInst, szPath, sizeof(szPath));
    std::string path = szPath;
    return path.substr(0, path.find_last_of('\\') + 1) + szName;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH)
        s_hInst = hInst;
    return TRUE;
}

extern "C" BOOL WINAPI OVSETUP_Events(UINT nEvent, HWND hWnd, LPCSTR szLogFile, LPARAM lReserved) {
    FILE* pFile = std::fopen(Beside("UNEVENTS.TXT").c_str(), "ab");
    if (pFile) {
        std::fprintf(pFile, "%u %s %s %ld %s\n", nEvent, IsWindow(hWnd) ? "window" : "nowindow",
                     szLogFile && Exists(szLogFile) ? "log" : "nolog", static_cast<long>(lReserved),
                     szLogFile ? szLogFile : "");
        std::fclose(pFile);
    }
    return !Exists(Beside("UNEVENTS.FAIL"));
}
