#include "testing/testsupport/tempfolder.h"

#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

// What cannot be removed stays; the walk goes on.
int RemoveEntry(const char* szPath, const struct stat*, int, struct FTW*) {
    remove(szPath);
    return 0;
}

// Depth first, links themselves rather than what they lead to.
void RemoveTree(const std::string& folder) {
    nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

}  // namespace

CTempFolder::CTempFolder(const char* szTag) {
    static int s_nCount = 0;
    m_path = ::testing::TempDir() + szTag + "." + std::to_string(getpid()) + "." + std::to_string(++s_nCount) + "/";
    RemoveTree(m_path);
    mkdir(m_path.c_str(), 0700);
}

CTempFolder::~CTempFolder() {
    RemoveTree(m_path);
}
