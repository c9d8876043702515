#include "tools/testsupport/tempfolder_win.h"

#include <windows.h>

#include <cstdio>

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

bool CTempFolder::Write(const std::string& fileName, const std::string& bytes) {
    FILE* pFile = fopen(fileName.c_str(), "wb");
    if (!pFile)
        return false;
    const bool fOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && fOk;
}

std::string CTempFolder::Read(const std::string& fileName) {
    std::string bytes;
    FILE* pFile = fopen(fileName.c_str(), "rb");
    if (!pFile)
        return bytes;
    char buffer[4096];
    size_t cb;
    while ((cb = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, cb);
    fclose(pFile);
    return bytes;
}
