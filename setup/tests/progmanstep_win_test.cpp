// The engine's Program Manager step under Wine, against our stand-in server: the exact commands for a new and
// an existing group, quoted command lines and arguments, the uninstaller's item, what the log records, a
// Program Manager that never answers, and the dialog library's dialog that runs it all.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "setup/logfile.h"
#include "setup/progmanstep_win.h"
#include "setup/tests/itemdesign.h"
#include "testing/progmanstandin/progmanstandin_win.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using Strings = std::vector<std::string>;
Strings Texts(const CTextList& list) {
    return Strings(list.begin(), list.end());
}
using Groups = CTextMap;

class ProgManStepTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = CreateWindowA("STATIC", "setup", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        ASSERT_TRUE(m_progman.Initialize(m_hWnd));
    }
    void TearDown() override { DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
    CProgMan m_progman;
    CLogFile m_log;
};

const std::vector<ITEM> DEMO_ITEMS = {
    {4, 2, "player.exe", "Player", "", true},
    {0, 1, "README.TXT", "Read Me", "/r README.TXT", true},
    {1, 1, "PLAIN.DLL", nullptr, "", true},     // no icon
    {2, 1, "MISSED.EXE", "Missed", "", false},  // its copy failed or its collection was left out
};

TEST_F(ProgManStepTest, ANewGroupIsCreatedOnceAndEveryInstalledProgramAddedInSlotOrder) {
    CProgManStandIn server(CProgManStandIn::MODE_PROGMAN, {"Accessories"});
    CTestDesign design("Demo", DEMO_ITEMS);
    EXPECT_EQ(2, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]", "[AddItem(C:\\DEMO\\README.TXT /r README.TXT,Read Me)]",
                       "[ShowGroup(Demo,5,0)]", "[AddItem(\"C:\\Program Files\\Demo\\player.exe\",Player)]"}),
              server.Commands());
    EXPECT_EQ((Strings{"Demo", "Groups", "Demo"}), server.Requests());
    EXPECT_EQ((Groups{{"Player", "Demo"}, {"Read Me", "Demo"}}), m_log.m_IconGroups);
    EXPECT_EQ(Strings{"Demo"}, Texts(m_log.m_GroupsCreated));
}

TEST_F(ProgManStepTest, AnExistingGroupIsShownNotCreatedAndNotListed) {
    CProgManStandIn server(CProgManStandIn::MODE_PROGMAN, {"Demo"});
    CTestDesign design("Demo", {DEMO_ITEMS[0]});
    EXPECT_EQ(1, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    EXPECT_EQ((Strings{"[ShowGroup(Demo,5,0)]", "[AddItem(\"C:\\Program Files\\Demo\\player.exe\",Player)]"}),
              server.Commands());
    EXPECT_EQ((Groups{{"Player", "Demo"}}), m_log.m_IconGroups);
    EXPECT_TRUE(m_log.m_GroupsCreated.IsEmpty());
}

TEST_F(ProgManStepTest, TheUninstallerGetsAnItemWithTheLogsCommand) {
    CProgManStandIn server;
    CTestDesign design("Demo", {});
    design.SetUninstallIcon("Uninstall Demo");
    // Without an uninstall command there is nothing to start, so no item and no group.
    EXPECT_EQ(0, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    EXPECT_TRUE(server.Commands().empty());

    PATHNAME_Assign(m_log.m_PathName, "C:\\Program Files\\Demo\\UNNSTALL.LOG");
    LOGFILE_SetUnInstall(&m_log, "Demo", "Demo Player", "C:\\Program Files\\Demo\\UNNSTALL.EXE", "");
    EXPECT_EQ(1, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]",
                       "[AddItem(\"C:\\Program Files\\Demo\\UNNSTALL.EXE\" C:\\Program Files\\Demo\\UNNSTALL.LOG,"
                       "UnInstall Uninstall Demo)]"}),
              server.Commands());
    EXPECT_EQ((Groups{{"UnInstall Uninstall Demo", "Demo"}}), m_log.m_IconGroups);
    EXPECT_EQ(Strings{"Demo"}, Texts(m_log.m_GroupsCreated));
}

TEST_F(ProgManStepTest, AnItemTheProgramManagerRefusesIsNotRecorded) {
    CProgManStandIn server(CProgManStandIn::MODE_NOITEMS);
    CTestDesign design("Demo", {DEMO_ITEMS[0]});
    EXPECT_EQ(0, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]", "[AddItem(\"C:\\Program Files\\Demo\\player.exe\",Player)]"}),
              server.Commands());
    // The group was made, but with no item recorded the log does not list it either.
    EXPECT_TRUE(m_log.m_IconGroups.empty());
    EXPECT_TRUE(m_log.m_GroupsCreated.IsEmpty());
}

TEST_F(ProgManStepTest, NoProgramManagerAnsweringRecordsNothing) {
    CProgManStandIn server(CProgManStandIn::MODE_HUNG);
    CTestDesign design("Demo", {DEMO_ITEMS[0]});
    const DWORD dwStart = GetTickCount();
    EXPECT_EQ(0, PROGMAN_AddItems(&m_progman, design.Get(), &m_log));
    // The request, CreateGroup and AddItem each waited for their time-out.
    EXPECT_GE(GetTickCount() - dwStart, 3 * PROGMAN_TIMEOUT - 100);
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]", "[AddItem(\"C:\\Program Files\\Demo\\player.exe\",Player)]"}),
              server.Commands());
    EXPECT_TRUE(m_log.m_IconGroups.empty());
    EXPECT_TRUE(m_log.m_GroupsCreated.IsEmpty());
}

// The real dialog library, loaded from where it is built (not beside the tests, where it would be found by
// every test program that loads the library by its bare name).
class CDialogLibrary {
public:
    CDialogLibrary()
        : m_hLibrary(LoadLibraryA(BUILDPATH_SubsystemFile("..\\setupext\\parvel\\parvel.dll").c_str())) {}
    ~CDialogLibrary() {
        if (m_hLibrary)
            FreeLibrary(m_hLibrary);
    }
    CDialogLibrary(const CDialogLibrary&) = delete;
    CDialogLibrary& operator=(const CDialogLibrary&) = delete;
    SETUP_DIALOGBOX Runner() const {
        return m_hLibrary ? reinterpret_cast<SETUP_DIALOGBOX>(GetProcAddress(m_hLibrary, "xDialogBoxParam")) : nullptr;
    }

private:
    HMODULE m_hLibrary;
};

TEST_F(ProgManStepTest, TheLibrarysDialogShowsItsTextAtItsPlaceThenDoesTheWorkAndCloses) {
    CDialogLibrary library;
    const SETUP_DIALOGBOX pfnDialogBox = library.Runner();
    ASSERT_TRUE(pfnDialogBox);
    CProgManStandIn server;
    CTestDesign design("Demo", {DEMO_ITEMS[1]});
    design->boxes.Boxes[DLGBOX_PROGMAN] = DLGBOX{100, 0, 100, 0, {}};  // the top right corner of the screen
    std::string text;
    RECT rcDialog = {};
    size_t nCommandsWhileShown = 99;
    CUserThread user([&] {
        // The library's templates are of its own dialog class.
        HWND hDlg = nullptr;
        if (!UIDRIVER_WaitUntil(
                [&] {
                    hDlg = UIDRIVER_FindOwnWindow("ovsetupDlg", nullptr);
                    return hDlg && IsWindowVisible(hDlg);
                },
                UIDRIVER_TIMEOUT))
            return;
        text = UIDRIVER_GetItemText(hDlg, IDC_PROGMANGROUP_TEXT);
        GetWindowRect(hDlg, &rcDialog);
        nCommandsWhileShown = server.Commands().size();
        UIDRIVER_Pose("progmangroup", false);
    });
    CModalTimeout guard(10000);
    EXPECT_EQ(1, PROGMAN_RunGroupDialog(pfnDialogBox, GetModuleHandleA(nullptr), nullptr, design.Get(), &m_log));
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("Setup is creating Program Manager groups and icons...", text);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rcDialog.right);
    EXPECT_EQ(0, rcDialog.top);
    EXPECT_EQ(0u, nCommandsWhileShown);  // the work waits for the dialog to be painted
    EXPECT_EQ((Strings{"[CreateGroup(Demo,0)]", "[AddItem(C:\\DEMO\\README.TXT /r README.TXT,Read Me)]"}),
              server.Commands());
    EXPECT_EQ((Groups{{"Read Me", "Demo"}}), m_log.m_IconGroups);
}

}  // namespace
