#include "testing/testsupport/tempfolder_win.h"

#include <windows.h>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE hFind = FindFirstFileA((folder + "*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

CTempFolder::CTempFolder(const char* szTag) {
    static int s_nCount = 0;
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    m_path = std::string(szTemp) + szTag + "." + std::to_string(GetCurrentProcessId()) + "." +
             std::to_string(++s_nCount) + "\\";
    RemoveTree(m_path);
    CreateDirectoryA(m_path.c_str(), nullptr);
}

CTempFolder::~CTempFolder() {
    RemoveTree(m_path);
}
