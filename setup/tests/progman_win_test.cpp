// The Program Manager's DDE client under Wine, against our stand-in server: the exact execute strings and
// requests, the limits (no traffic at all), a shell that answers only "Groups", a Program Manager that never
// answers, and the release of the DDE instance with the window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "setup/progman_win.h"
#include "testing/progmanstandin/progmanstandin_win.h"
#include "testing/testsupport/diagcapture.h"

namespace {

using Strings = std::vector<std::string>;

class ProgManTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowA("STATIC", "progman client", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        ASSERT_TRUE(m_progman.Initialize(m_hWnd));
    }
    void TearDown() override {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }
    HWND m_hWnd = nullptr;
    CProgMan m_progman;
};

TEST_F(ProgManTest, SendsEachCommandInAConversationOfItsOwn) {
    CProgManStandIn server;
    ASSERT_TRUE(server.Started());
    EXPECT_TRUE(m_progman.CreateGroup("Demo"));
    EXPECT_TRUE(m_progman.AddItem("C:\\DEMO\\PLAYER.EXE", "Player"));
    EXPECT_TRUE(m_progman.ShowGroup("Demo"));
    EXPECT_TRUE(m_progman.DeleteItem("Player"));
    EXPECT_TRUE(m_progman.DeleteGroup("Demo"));
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]", "[AddItem(C:\\DEMO\\PLAYER.EXE,Player)]", "[ShowGroup(Demo,5,0)]",
                       "[DeleteItem(Player)]", "[DeleteGroup(Demo,0)]"}),
              server.Commands());
    EXPECT_EQ(5, server.Connections());
    EXPECT_TRUE(server.Groups().empty());
}

TEST_F(ProgManTest, ACommandTheProgramManagerRefusesFailsAndIsReported) {
    CProgManStandIn server;
    CDiagCapture capture;
    EXPECT_FALSE(m_progman.ShowGroup("Missing"));
    EXPECT_FALSE(m_progman.AddItem("C:\\A.EXE", "A"));  // no active group
    EXPECT_EQ((Strings{"[ShowGroup(Missing,5,0)]", "[AddItem(C:\\A.EXE,A)]"}), server.Commands());
    EXPECT_NE(std::string::npos, capture.Text().find("fOk = SendShellCommand(szCommand)")) << capture.Text();
}

TEST_F(ProgManTest, AGroupExistsWhenTheRequestForItAnswers) {
    CProgManStandIn server(CProgManStandIn::MODE_PROGMAN, {"Accessories", "Demo"});
    EXPECT_TRUE(m_progman.GroupExists("Demo"));
    EXPECT_TRUE(m_progman.GroupExists("demo"));
    EXPECT_FALSE(m_progman.GroupExists("Demo Player"));
    // A group the first request does not find is looked up in the list of groups as well. (String handles
    // ignore letter case: the second request arrives under the first one's spelling.)
    EXPECT_EQ((Strings{"Demo", "Demo", "Demo Player", "Groups"}), server.Requests());
    EXPECT_TRUE(server.Commands().empty());
}

// Wine's shell answers a request for a group's name with no data and only "Groups" with the names; without the
// second lookup an existing group would be taken for a new one, and the uninstaller would delete it.
TEST_F(ProgManTest, AGroupOnlyTheListNamesStillExists) {
    CProgManStandIn server(CProgManStandIn::MODE_NOGROUPDATA, {"Accessories", "Demo"});
    EXPECT_TRUE(m_progman.GroupExists("Demo"));
    EXPECT_FALSE(m_progman.GroupExists("Other"));
    EXPECT_EQ((Strings{"Demo", "Groups", "Other", "Groups"}), server.Requests());
}

TEST_F(ProgManTest, NamesOfTheLimitSendNothing) {
    CProgManStandIn server;
    CDiagCapture capture;
    const std::string name(PROGMAN_MAXNAME, 'g');
    EXPECT_FALSE(m_progman.GroupExists(name.c_str()));
    EXPECT_FALSE(m_progman.CreateGroup(name.c_str()));
    EXPECT_FALSE(m_progman.ShowGroup(name.c_str()));
    EXPECT_FALSE(m_progman.DeleteItem(name.c_str()));
    EXPECT_FALSE(m_progman.DeleteGroup(name.c_str()));
    EXPECT_FALSE(m_progman.AddItem(std::string(1000, 'c').c_str(), std::string(24, 't').c_str()));
    EXPECT_FALSE(m_progman.AddItem("", "Title"));
    EXPECT_EQ(0, server.Connections());
    EXPECT_TRUE(server.Commands().empty());
    EXPECT_TRUE(server.Requests().empty());
    // One character less is sent whole.
    const std::string longest(PROGMAN_MAXNAME - 1, 'g');
    EXPECT_TRUE(m_progman.CreateGroup(longest.c_str()));
    EXPECT_EQ(Strings{"[CreateGroup(" + longest + ",0)]"}, server.Commands());
}

TEST_F(ProgManTest, AProgramManagerThatNeverAnswersFailsEveryCallAfterItsTimeout) {
    CProgManStandIn server(CProgManStandIn::MODE_HUNG, {"Demo"});
    const struct {
        const char* szCall;
        bool (*pfnCall)(CProgMan&);
    } calls[] = {
        {"GroupExists", [](CProgMan& p) { return p.GroupExists("Demo"); }},
        {"CreateGroup", [](CProgMan& p) { return p.CreateGroup("Demo"); }},
        {"ShowGroup", [](CProgMan& p) { return p.ShowGroup("Demo"); }},
        {"AddItem", [](CProgMan& p) { return p.AddItem("C:\\A.EXE", "A"); }},
        {"DeleteItem", [](CProgMan& p) { return p.DeleteItem("A"); }},
        {"DeleteGroup", [](CProgMan& p) { return p.DeleteGroup("Demo"); }},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(call.szCall);
        const DWORD dwStart = GetTickCount();
        EXPECT_FALSE(call.pfnCall(m_progman));
        EXPECT_GE(GetTickCount() - dwStart, PROGMAN_TIMEOUT - 50);
    }
    // Each transaction reached the server and was left unanswered; a timed-out request asks nothing more.
    EXPECT_EQ(5u, server.Commands().size());
    EXPECT_EQ(Strings{"Demo"}, server.Requests());
}

TEST_F(ProgManTest, TheInstanceGoesWithTheWindow) {
    CProgManStandIn server;
    ASSERT_TRUE(m_progman.IsInitialized());
    SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(m_progman.IsInitialized());
    EXPECT_FALSE(m_progman.CreateGroup("Demo"));
    DestroyWindow(m_hWnd);
    EXPECT_EQ(0, server.Connections());
}

}  // namespace
