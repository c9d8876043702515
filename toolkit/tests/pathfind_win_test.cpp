// The recursive folder walk over a small tree in the test's Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/pathfind_win.h"
#include "toolkit/pathname.h"

namespace {

class PathFindTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* szFolder : {"SUB", "SUB\\DEEP", "EMPTY"})
            ASSERT_TRUE(CreateDirectoryA((m_folder / szFolder).c_str(), nullptr));
        for (const char* szFile : {"A.TXT", "SUB\\B.TXT", "SUB\\DEEP\\C.TXT", "SUB\\DEEP\\D.DAT"})
            ASSERT_TRUE(TESTFILE_Write(m_folder / szFile, szFile));
    }
    std::vector<std::string> Sorted(std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    }
    CTempFolder m_folder{"pathfind_test"};
    CDiagCapture m_capture;
};

// The walk as the setup engine's folder copy drives it: descend while possible, act on files.
TEST_F(PathFindTest, WalkVisitsEveryFileOnceAndEntersEveryFolderOnce) {
    PATHFIND find;
    ASSERT_EQ(1, PATHFIND_Construct(&find, (m_folder / "*.*").c_str()));
    std::vector<std::string> files, folders;
    do {
        while (PATHFIND_CanDescend(&find)) {
            PATHNAME szFolder = "";
            PATHFIND_GetPath(&find, szFolder);
            folders.push_back(szFolder);
            ASSERT_EQ(1, PATHFIND_DescendIfFolder(&find));
        }
        if (!PATHFIND_IsFolder(&find)) {
            PATHNAME szPath = "", szJustName = "";
            PATHFIND_GetPath(&find, szPath);
            PATHFIND_GetJustName(&find, szJustName);
            EXPECT_EQ(std::string(szPath).substr(strlen(szPath) - strlen(szJustName)), szJustName);
            files.push_back(szPath);
        }
    } while (PATHFIND_Next(&find));

    EXPECT_EQ(Sorted({m_folder / "A.TXT", m_folder / "SUB\\B.TXT", m_folder / "SUB\\DEEP\\C.TXT",
                      m_folder / "SUB\\DEEP\\D.DAT"}),
              Sorted(files));
    EXPECT_EQ(Sorted({m_folder / "EMPTY", m_folder / "SUB", m_folder / "SUB\\DEEP"}), Sorted(folders));
    EXPECT_EQ(nullptr, find.pNewest);
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(PathFindTest, DescendSearchesTheFolderWithTheSameNamePattern) {
    PATHFIND find;
    ASSERT_EQ(1, PATHFIND_Construct(&find, (m_folder / "*B*").c_str()));
    PATHNAME szPath = "";
    PATHFIND_GetPath(&find, szPath);
    ASSERT_EQ(m_folder / "SUB", szPath);
    ASSERT_EQ(1, PATHFIND_Descend(&find));
    PATHFIND_GetPath(&find, szPath);
    EXPECT_EQ(m_folder / "SUB\\B.TXT", szPath);
    EXPECT_EQ(0, PATHFIND_Next(&find));
    EXPECT_EQ(nullptr, find.pNewest);
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(PathFindTest, DotEntriesAreFoldersThatCannotBeEntered) {
    PATHFIND find;
    ASSERT_EQ(1, PATHFIND_Construct(&find, (m_folder / "SUB\\*").c_str()));
    int nDots = 0;
    do {
        PATHNAME szName = "";
        PATHFIND_GetJustName(&find, szName);
        if (strcmp(szName, ".") == 0 || strcmp(szName, "..") == 0) {
            ++nDots;
            EXPECT_EQ(1, PATHFIND_IsFolder(&find));
            EXPECT_EQ(0, PATHFIND_CanDescend(&find));
            EXPECT_EQ(0, PATHFIND_DescendIfFolder(&find));
        } else if (strcmp(szName, "DEEP") == 0) {
            EXPECT_EQ(1, PATHFIND_CanDescend(&find));
            ASSERT_EQ(1, PATHFIND_Descend(&find));
            ASSERT_EQ(1, PATHFIND_Pop(&find));
            EXPECT_EQ(0, PATHFIND_CanDescend(&find));
            EXPECT_EQ(0, PATHFIND_Descend(&find));
        }
    } while (PATHFIND_Next(&find));
    EXPECT_EQ(2, nDots);
}

TEST_F(PathFindTest, AbandonedWalkReleasesEveryLevel) {
    PATHFIND find;
    ASSERT_EQ(1, PATHFIND_Construct(&find, (m_folder / "*.*").c_str()));
    int nLevels = 1;
    while (nLevels < 3 && PATHFIND_Next(&find)) {
        if (PATHFIND_DescendIfFolder(&find))
            ++nLevels;
    }
    ASSERT_EQ(3, nLevels) << "the walk went down SUB and DEEP";
    PATHFIND_Destruct(&find);
    EXPECT_EQ(nullptr, find.pNewest);
    EXPECT_EQ(0, PATHFIND_Next(&find));
    EXPECT_NE(std::string::npos, m_capture.Text().find("MFX_PRE failed: in PATHNAME"));
}

TEST_F(PathFindTest, NoMatchIsReportedAndLeavesTheWalkEmpty) {
    PATHFIND find;
    EXPECT_EQ(0, PATHFIND_Construct(&find, (m_folder / "*.NONE").c_str()));
    EXPECT_EQ(nullptr, find.pNewest);
    EXPECT_NE(std::string::npos, m_capture.Text().find("MFX_VERIFY failed: in PATHNAME"));
    m_capture.Clear();
    EXPECT_EQ(0, PATHFIND_Construct(&find, ""));
    EXPECT_NE(std::string::npos, m_capture.Text().find("MFX_PRE failed: in PATHNAME"));
}

}  // namespace
