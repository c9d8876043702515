// The Netscape folder rules: the file an uninstall command names, the program of a server command, and the
// lists without duplicates.
#include "setupext/tavlet/netscape.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(Netscape, TheUninstallCommandNamesAFileAfterDashF) {
    const struct {
        const char* szCommand;
        const char* szExpected;
    } cases[] = {
        {"C:\\WINDOWS\\nsuninst.exe -f\"C:\\Program Files\\Netscape\\Navigator\\uninst.unx\" -c\"Netscape\"",
         "C:\\Program Files\\Netscape\\Navigator\\uninst.unx"},
        {"nsuninst.exe -fC:\\NETSCAPE\\NAV.UNX\" -c", "C:\\NETSCAPE\\NAV.UNX"},
        {"nsuninst.exe -f\"C:\\NETSCAPE\\NAV.UNX", "C:\\NETSCAPE\\NAV.UNX"},  // no closing quote: to the end
        {"nsuninst.exe C:\\NETSCAPE\\NAV.UNX", ""},
        {"-f\"\"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCommand);
        EXPECT_EQ(c.szExpected, NETSCAPE_UninstallPath(c.szCommand));
    }
    EXPECT_EQ(260u, NETSCAPE_UninstallPath("-f\"C:\\" + std::string(400, 'x') + "\"").size());
}

TEST(Netscape, TheServerCommandNamesItsProgram) {
    const struct {
        const char* szCommand;
        const char* szExpected;
    } cases[] = {
        {"\"C:\\Program Files\\Netscape\\Program\\netscape.exe\" -h \"%1\"",
         "C:\\Program Files\\Netscape\\Program\\netscape.exe"},
        {"C:\\Program Files\\Netscape\\Program\\NETSCAPE.EXE -h", "C:\\Program Files\\Netscape\\Program\\NETSCAPE.EXE"},
        {"C:\\NETSCAPE\\NETSCAPE", "C:\\NETSCAPE\\NETSCAPE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCommand);
        EXPECT_EQ(c.szExpected, NETSCAPE_ProgramOf(c.szCommand));
    }
}

TEST(Netscape, FoldersAreListedOnceAndGoldOnesTwice) {
    NETSCAPE_FOLDERS folders;
    NETSCAPE_Add(&folders, "C:\\Netscape\\Program\\Plugins", false);
    NETSCAPE_Add(&folders, "C:\\Gold\\Program\\Plugins", true);
    NETSCAPE_Add(&folders, "c:\\netscape\\program\\plugins", false);
    NETSCAPE_Add(&folders, "C:\\GOLD\\PROGRAM\\PLUGINS", true);
    EXPECT_EQ((Strings{"C:\\Netscape\\Program\\Plugins", "C:\\Gold\\Program\\Plugins"}), folders.all);
    EXPECT_EQ(Strings{"C:\\Gold\\Program\\Plugins"}, folders.gold);
}

}  // namespace
