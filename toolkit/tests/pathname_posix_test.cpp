// The two existence tests natively: a file that can be opened, and any entry that takes the name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/pathname.h"

namespace {

TEST(PathNamePosixTest, ExistsSeesFilesAndFolderExistsSeesEveryEntryEvenALinkToNothing) {
    const CTempFolder folder("pathname");
    ASSERT_TRUE(TESTFILE_Write(folder / "file", "x"));
    ASSERT_EQ(0, mkdir((folder / "dir").c_str(), 0700));
    ASSERT_EQ(0, symlink((folder / "file").c_str(), (folder / "tofile").c_str()));
    ASSERT_EQ(0, symlink((folder / "gone").c_str(), (folder / "tonothing").c_str()));
    const struct {
        const char* szName;
        int nExists;
        int nFolderExists;
    } cases[] = {
        {"file", 1, 1}, {"dir", 0, 1}, {"tofile", 1, 1}, {"tonothing", 0, 1}, {"gone", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_EQ(c.nExists, PATHNAME_Exists((folder / c.szName).c_str()));
        EXPECT_EQ(c.nFolderExists, PATHNAME_FolderExists((folder / c.szName).c_str()));
    }
}

}  // namespace
