// The engine's string table: names by which messages are replaced and answered, and the safe formatting of texts
// that may come from the override file.
#include <gtest/gtest.h>

#include <string>

#include "setup/setupmsg.h"

namespace {

TEST(SetupMsg, MessagesKnownByNumberAreNamedByIt) {
    const struct {
        int nId;
        const char* szName;
    } cases[] = {
        {IDS_EXITSETUP, "IDS_EXITSETUP"}, {sidMessage, "sidMessage"}, {SETUPMSG_INUSE2, "34"},
        {SETUPMSG_ASSOC1, "27"},          {SETUPMSG_NOAUTOEXEC, "37"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_STREQ(c.szName, SETUPMSG_GetName(c.nId));
    }
    for (int nId : {0, 10, 16, 60}) {
        SCOPED_TRACE(nId);
        EXPECT_EQ(nullptr, SETUPMSG_GetName(nId));
        EXPECT_EQ(nullptr, SETUPMSG_GetBuiltin(nId));
    }
}

// The pairs give the sentences the user reads when the engine puts the variable part between them.
TEST(SetupMsg, PairsMakeTheirSentences) {
    EXPECT_EQ("The directory C:\\DEMO does not exist. Create?",
              std::string(SETUPMSG_GetBuiltin(IDS_DIRNOTEXIST1)) + "C:\\DEMO" + SETUPMSG_GetBuiltin(IDS_DIRNOTEXIST2));
    EXPECT_EQ("Do you want the line\nPATH %PATH%;C:\\DEMO\nadded to your AUTOEXEC.BAT file?",
              std::string(SETUPMSG_GetBuiltin(SETUPMSG_PATHLINE1)) + "PATH %PATH%;C:\\DEMO" +
                  SETUPMSG_GetBuiltin(SETUPMSG_PATHLINE2));
}

TEST(SetupMsg, FormatReplacesOnlyItsOwnPlaceholders) {
    const struct {
        const char* szPattern;
        const char* szExpected;
    } cases[] = {
        {"copy %s from %s to %s.", "copy A.EXE from A:\\ to C:\\DEMO."},
        {"100%% of %s", "100% of A.EXE"},
        {"%d %n %x %s", "%d %n %x A.EXE"},       // a replacement text never reads what is not there
        {"%s %s %s %s %s", "A.EXE A:\\ C:\\DEMO  "},  // more placeholders than parts
        {"ends with %", "ends with %"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szPattern);
        EXPECT_EQ(c.szExpected, SETUPMSG_Format(c.szPattern, {"A.EXE", "A:\\", "C:\\DEMO"}));
    }
    EXPECT_EQ("for  here", SETUPMSG_Format("for %s here", {nullptr}));
    EXPECT_EQ(std::string("Setup was unable to copy A.EXE from directory A:\\ to directory C:\\DEMO on your "
                          "computer.\n\nChoose CANCEL to abandon setup. Choose OK to skip this item without "
                          "copying it."),
              SETUPMSG_Format(SETUPMSG_GetBuiltin(IDS_COPYFAILED), {"A.EXE", "A:\\", "C:\\DEMO"}));
}

}  // namespace
