// The Program Manager's command texts, their limits, an item's command line and the lookup in the list of
// groups.
#include <gtest/gtest.h>

#include <string>

#include "setup/progman.h"
#include "testing/testsupport/diagcapture.h"

namespace {

TEST(ProgManCommand, FormatsEveryCommandAsTheProgramManagerReadsIt) {
    const struct {
        PROGMAN_COMMAND command;
        const char* szFirst;
        const char* szSecond;
        const char* szExpected;
    } cases[] = {
        {PROGMAN_CREATEGROUP, "Demo", nullptr, "[CreateGroup(Demo,0)]"},
        {PROGMAN_SHOWGROUP, "Demo Player", nullptr, "[ShowGroup(Demo Player,5,0)]"},
        {PROGMAN_ADDITEM, "C:\\DEMO\\PLAYER.EXE", "Player", "[AddItem(C:\\DEMO\\PLAYER.EXE,Player)]"},
        {PROGMAN_ADDITEM, "\"C:\\Program Files\\Demo\\p.exe\" -x", "Read Me",
         "[AddItem(\"C:\\Program Files\\Demo\\p.exe\" -x,Read Me)]"},
        {PROGMAN_DELETEITEM, "Player", nullptr, "[DeleteItem(Player)]"},
        {PROGMAN_DELETEGROUP, "Demo", nullptr, "[DeleteGroup(Demo,0)]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szExpected);
        std::string command = "stale";
        EXPECT_TRUE(PROGMAN_FormatCommand(c.command, c.szFirst, c.szSecond, &command));
        EXPECT_EQ(c.szExpected, command);
    }
}

TEST(ProgManCommand, RefusesNamesOfTheLimitAndEmptyCommandLines) {
    const std::string under(PROGMAN_MAXNAME - 1, 'g'), limit(PROGMAN_MAXNAME, 'g');
    const std::string cmdline(PROGMAN_MAXNAME - 10, 'c');
    const struct {
        PROGMAN_COMMAND command;
        std::string first;
        const char* szSecond;
        bool fAccepted;
    } cases[] = {
        {PROGMAN_CREATEGROUP, under, nullptr, true},     {PROGMAN_CREATEGROUP, limit, nullptr, false},
        {PROGMAN_SHOWGROUP, under, nullptr, true},       {PROGMAN_SHOWGROUP, limit, nullptr, false},
        {PROGMAN_DELETEITEM, under, nullptr, true},      {PROGMAN_DELETEITEM, limit, nullptr, false},
        {PROGMAN_DELETEGROUP, under, nullptr, true},     {PROGMAN_DELETEGROUP, limit, nullptr, false},
        {PROGMAN_ADDITEM, cmdline, "123456789", true},  // together 1023 characters
        {PROGMAN_ADDITEM, cmdline, "1234567890", false}, {PROGMAN_ADDITEM, "", "Title", false},
        {PROGMAN_ADDITEM, "C:\\A.EXE", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.command << " of " << c.first.size() << " characters");
        std::string command = "stale";
        EXPECT_EQ(c.fAccepted, PROGMAN_FormatCommand(c.command, c.first.c_str(), c.szSecond, &command));
        EXPECT_EQ(c.fAccepted, !command.empty());
    }
}

TEST(ProgManCommand, MissingArgumentsAreReportedAndRefused) {
    CDiagCapture capture;
    std::string command = "stale";
    EXPECT_FALSE(PROGMAN_FormatCommand(PROGMAN_CREATEGROUP, nullptr, nullptr, &command));
    EXPECT_TRUE(command.empty());
    EXPECT_FALSE(PROGMAN_FormatCommand(PROGMAN_ADDITEM, "C:\\A.EXE", nullptr, &command));
    EXPECT_NE(std::string::npos, capture.Text().find("szSecond")) << capture.Text();
}

TEST(ProgManCommandLine, QuotesAPathWithASpaceAndAppendsTheArguments) {
    const struct {
        const char* szDirectory;
        const char* szName;
        const char* szArguments;
        const char* szExpected;
    } cases[] = {
        {"C:\\DEMO", "PLAYER.EXE", "", "C:\\DEMO\\PLAYER.EXE"},
        {"C:\\DEMO\\", "PLAYER.EXE", nullptr, "C:\\DEMO\\PLAYER.EXE"},
        {"C:\\Program Files\\Demo", "player.exe", "", "\"C:\\Program Files\\Demo\\player.exe\""},
        {"C:\\Program Files\\Demo\\", "player.exe", "/s clip.mov",
         "\"C:\\Program Files\\Demo\\player.exe\" /s clip.mov"},
        {"C:\\DEMO", "NOTEPAD.EXE", "README.TXT", "C:\\DEMO\\NOTEPAD.EXE README.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szExpected);
        EXPECT_EQ(c.szExpected, PROGMAN_ItemCommandLine(c.szDirectory, c.szName, c.szArguments));
    }
}

TEST(ProgManGroups, FindsAWholeLineIgnoringCase) {
    const char szGroups[] = "Accessories\r\nDemo Player\r\nStartUp\r\n";
    EXPECT_TRUE(PROGMAN_GroupsListHolds(szGroups, "Accessories"));
    EXPECT_TRUE(PROGMAN_GroupsListHolds(szGroups, "demo player"));
    EXPECT_TRUE(PROGMAN_GroupsListHolds("StartUp", "STARTUP"));
    EXPECT_TRUE(PROGMAN_GroupsListHolds("A\nB\n", "B"));
    EXPECT_FALSE(PROGMAN_GroupsListHolds(szGroups, "Demo"));
    EXPECT_FALSE(PROGMAN_GroupsListHolds(szGroups, "Demo Player\r\nStartUp"));
    EXPECT_FALSE(PROGMAN_GroupsListHolds(szGroups, ""));
    EXPECT_FALSE(PROGMAN_GroupsListHolds("", "Demo"));
}

}  // namespace
