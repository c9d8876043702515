// What the setup log records in memory: folders joined from their parts, the items and the groups created
// (each once), the uninstall command, the default file name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/logfile.h"

namespace {

using Strings = std::vector<std::string>;
Strings Texts(const CTextList& list) {
    return Strings(list.begin(), list.end());
}

TEST(LogFile, KeepsFoldersInOrderWithDuplicates) {
    CLogFile log;
    EXPECT_TRUE(LOGFILE_CreatedDir(&log, "C:\\DEMO"));
    EXPECT_TRUE(LOGFILE_CopiedDir(&log, "C:\\DEMO\\", "SAMPLES"));
    EXPECT_TRUE(LOGFILE_CopiedDir(&log, "C:\\DEMO", "SAMPLES"));
    EXPECT_EQ((Strings{"C:\\DEMO", "C:\\DEMO\\SAMPLES", "C:\\DEMO\\SAMPLES"}), Texts(log.m_Folders));
}

TEST(LogFile, RecordsEachItemsGroupAndEachCreatedGroupOnce) {
    CLogFile log;
    LOGFILE_CreatedIcons(&log, "Demo", "Player", true);
    LOGFILE_CreatedIcons(&log, "Demo", "Read Me", true);
    LOGFILE_CreatedIcons(&log, "Accessories", "Notes", false);
    LOGFILE_CreatedIcons(&log, "Tools", "Player", false);  // the same title again: the last group holds it
    EXPECT_EQ((CTextMap{{"Player", "Tools"}, {"Read Me", "Demo"}, {"Notes", "Accessories"}}), log.m_IconGroups);
    EXPECT_EQ(Strings{"Demo"}, Texts(log.m_GroupsCreated));
}

TEST(LogFile, TheUninstallCommandQuotesAnUninstallerPathWithASpace) {
    const struct {
        const char* szLog;
        const char* szUninstaller;
        const char* szExpected;
    } cases[] = {
        {"C:\\DEMO\\UNNSTALL.LOG", "C:\\DEMO\\UNNSTALL.EXE", "C:\\DEMO\\UNNSTALL.EXE C:\\DEMO\\UNNSTALL.LOG"},
        {"C:\\Demo Player\\DEMO.LOG", "C:\\Demo Player\\UNNSTALL.EXE",
         "\"C:\\Demo Player\\UNNSTALL.EXE\" C:\\Demo Player\\DEMO.LOG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szExpected);
        CLogFile log;
        PATHNAME_Assign(log.m_PathName, c.szLog);
        EXPECT_TRUE(LOGFILE_SetUnInstall(&log, "Demo Player", "Demo Player 1.0", c.szUninstaller, "C:\\DEMO\\D.U32"));
        EXPECT_EQ(c.szExpected, log.m_UnInstallCmdLine);
        EXPECT_EQ("Demo Player", log.m_UnInstallApp);
        EXPECT_EQ("Demo Player 1.0", log.m_UnInstallProduct);
        EXPECT_EQ("C:\\DEMO\\D.U32", log.m_UnInstallDll);
    }
}

TEST(LogFile, AnEmptyDesignNameGivesTheDefaultFileName) {
    EXPECT_STREQ("UNNSTALL.LOG", LOGFILE_FileName(""));
    EXPECT_STREQ("UNNSTALL.LOG", LOGFILE_FileName(nullptr));
    EXPECT_STREQ("FLARION.LOG", LOGFILE_FileName("FLARION.LOG"));
    CLogFile log;
    EXPECT_STREQ("", LOGFILE_GetPath(&log));
    EXPECT_TRUE(LOGFILE_SetProduct(&log, "Demo Player"));
    EXPECT_EQ("Demo Player", log.m_Product);
}

}  // namespace
