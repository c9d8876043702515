#include "testing/testsupport/tempfolder.h"

#include <windows.h>

#include "toolkit/findfile_win.h"

namespace {

void RemoveTree(const std::string& folder) {
    {
        CFindFile find((folder + "*").c_str());
        for (bool fEntry = find.IsOpen(); fEntry; fEntry = find.Next()) {
            const std::string name = find.Found().cFileName;
            if (name == "." || name == "..")
                continue;
            if (find.Found().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        }
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
