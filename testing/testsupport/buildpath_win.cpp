// Where a test program finds what its subsystem builds.
#include "testing/testsupport/buildpath_win.h"

#include <windows.h>

std::string BUILDPATH_SubsystemFile(const char* szName) {
    char szExe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szExe, sizeof(szExe));
    std::string path = szExe;
    path = path.substr(0, path.find_last_of('\\'));
    return path.substr(0, path.find_last_of('\\') + 1) + szName;
}
