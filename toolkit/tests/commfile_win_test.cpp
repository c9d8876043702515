// The directory chooser on the platform's file dialog under Wine: the selected-folder line following the
// folder list, OK and Cancel, the new-folder dialog with its short names, and the setup engine's form.
//
// Wine's file dialog lists folders as a directory listing does ("[..]" and "[NAME]"), where Windows shows
// the path one level per entry; the chooser reads both, and these tests drive Wine's.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "toolkit/commfile_win.h"
#include "toolkit/pathname.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/pathname_win.h"

namespace {

const DWORD SCRIPT_TIMEOUT = 20000;

LRESULT Ask(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hWnd, uMsg, wParam, lParam, SMTO_NORMAL, UIDRIVER_TIMEOUT, &dwResult);
    return static_cast<LRESULT>(dwResult);
}

bool SetText(HWND hWnd, const char* szText) {
    return Ask(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(szText)) != 0;
}

// Clicks (or double-clicks) the folder list's entry of that text as the user would: selects it and lets the
// list notify the dialog.
bool PickFolder(HWND hDlg, const char* szEntry, UINT nCode) {
    const HWND hList = GetDlgItem(hDlg, COMMFILE_IDLB_DIRS);
    const LRESULT nIndex = Ask(hList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(szEntry));
    if (nIndex == LB_ERR)
        return false;
    Ask(hList, LB_SETCURSEL, nIndex);
    Ask(hDlg, WM_COMMAND, MAKEWPARAM(COMMFILE_IDLB_DIRS, nCode), reinterpret_cast<LPARAM>(hList));
    return true;
}

bool IsShown(HWND hWnd) {
    return IsWindow(hWnd) && IsWindowVisible(hWnd);
}

class ChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PATHNAME_CreateAllFoldersForPath(Folder("A\\B\\S").c_str()));
        GetCurrentDirectoryA(sizeof(m_szStartDir), m_szStartDir);
    }
    void TearDown() override { SetCurrentDirectoryA(m_szStartDir); }
    // The folder in the test's folder, without a trailing backslash.
    std::string Folder(const std::string& relative) const { return m_folder / relative; }
    // Runs fnChoose on this thread while the script plays the user in the dialog of that caption.
    int Run(const std::function<int()>& fnChoose, const char* szCaption, const std::function<void(HWND)>& fnScript) {
        CModalTimeout timeout(SCRIPT_TIMEOUT);
        CUserThread user([&] {
            const HWND hDlg = UIDRIVER_WaitForDialog(szCaption, UIDRIVER_TIMEOUT);
            if (hDlg)
                fnScript(hDlg);
        });
        const int nResult = fnChoose();
        user.Join();
        EXPECT_FALSE(timeout.Expired());
        return nResult;
    }
    int RunPlugin(char* szFolder, const std::function<void(HWND)>& fnScript, const char* szTitle = nullptr) {
        return Run([&] { return COMMFILE_ChooseDir(szFolder, nullptr, szTitle, COMMFILE_IDD_CHOOSEDIR); },
                   szTitle ? szTitle : "Choose Directory", fnScript);
    }
    CTempFolder m_folder{"commfile_win_test"};
    char m_szStartDir[MAX_PATH] = "";
};

TEST_F(ChooserTest, OkWithoutTouchingTheListGivesTheStartFolder) {
    const struct {
        std::string start;
        std::string shown;
        std::string result;
    } cases[] = {
        {Folder("A\\B\\"), Folder("A\\B\\"), Folder("A\\B")},
        {Folder("A\\B"), Folder("A\\B"), Folder("A\\B")},
        {"C:\\", "C:\\", "C:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        PATHNAME szFolder = "";
        PATHNAME_Assign(szFolder, c.start.c_str());
        std::string shown;
        EXPECT_EQ(1, RunPlugin(szFolder, [&](HWND hDlg) {
                      shown = UIDRIVER_GetItemText(hDlg, COMMFILE_IDC_SELECTED);
                      UIDRIVER_PressButton(hDlg, IDOK);
                  }));
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.result, szFolder);
    }
}

TEST_F(ChooserTest, SelectedLineFollowsTheListAndOkTakesIt) {
    PATHNAME szFolder = "";
    PATHNAME_Assign(szFolder, Folder("A\\B").c_str());
    std::string parent, sub;
    EXPECT_EQ(1, RunPlugin(szFolder, [&](HWND hDlg) {
                  PickFolder(hDlg, "[..]", LBN_SELCHANGE);
                  parent = UIDRIVER_GetItemText(hDlg, COMMFILE_IDC_SELECTED);
                  PickFolder(hDlg, "[S]", LBN_SELCHANGE);
                  sub = UIDRIVER_GetItemText(hDlg, COMMFILE_IDC_SELECTED);
                  UIDRIVER_PressButton(hDlg, IDOK);
              }));
    EXPECT_EQ(Folder("A"), parent);
    EXPECT_EQ(Folder("A\\B\\S"), sub);
    EXPECT_EQ(Folder("A\\B\\S"), szFolder);
}

TEST_F(ChooserTest, DoubleClickEntersTheFolderAndCancelGivesZero) {
    PATHNAME szFolder = "";
    PATHNAME_Assign(szFolder, Folder("A\\B").c_str());
    std::string entered;
    EXPECT_EQ(0, RunPlugin(szFolder, [&](HWND hDlg) {
                  PickFolder(hDlg, "[S]", LBN_DBLCLK);
                  UIDRIVER_WaitForItemText(hDlg, COMMFILE_IDC_SELECTED, Folder("A\\B\\S"), UIDRIVER_TIMEOUT);
                  entered = UIDRIVER_GetItemText(hDlg, COMMFILE_IDC_SELECTED);
                  UIDRIVER_PressButton(hDlg, IDCANCEL);
              }));
    EXPECT_EQ(Folder("A\\B\\S"), entered);
}

TEST_F(ChooserTest, TitleReplacesTheCaption) {
    PATHNAME szFolder = "C:\\";
    std::string caption;
    EXPECT_EQ(0, RunPlugin(
                     szFolder,
                     [&](HWND hDlg) {
                         caption = UIDRIVER_GetText(hDlg);
                         UIDRIVER_PressButton(hDlg, IDCANCEL);
                     },
                     "Media Cache Folder"));
    EXPECT_EQ("Media Cache Folder", caption);
}

TEST_F(ChooserTest, CreatedFolderIsEnteredAndShown) {
    PATHNAME szFolder = "";
    PATHNAME_Assign(szFolder, Folder("A\\B").c_str());
    std::string shown, preset = "unread";
    EXPECT_EQ(1, RunPlugin(szFolder, [&](HWND hDlg) {
                  UIDRIVER_PressButton(hDlg, COMMFILE_IDC_CREATE);
                  const HWND hNew = UIDRIVER_WaitForDialog("Create New Directory", UIDRIVER_TIMEOUT);
                  if (!hNew)
                      return;
                  preset = UIDRIVER_GetItemText(hNew, COMMFILE_IDC_NEWNAME);
                  SetText(GetDlgItem(hNew, COMMFILE_IDC_NEWNAME), "NEWFOLD1");
                  UIDRIVER_Pose("commfile-newdir", false);
                  UIDRIVER_PressButton(hNew, IDOK);
                  UIDRIVER_WaitForItemText(hDlg, COMMFILE_IDC_SELECTED, Folder("A\\B\\NEWFOLD1"), UIDRIVER_TIMEOUT);
                  shown = UIDRIVER_GetItemText(hDlg, COMMFILE_IDC_SELECTED);
                  UIDRIVER_Pose("commfile-chooser", false);
                  UIDRIVER_PressButton(hDlg, IDOK);
              }));
    EXPECT_EQ("", preset);
    EXPECT_TRUE(PATHNAME_FolderExists(Folder("A\\B\\NEWFOLD1").c_str()));
    EXPECT_EQ(Folder("A\\B\\NEWFOLD1"), shown);
    EXPECT_EQ(Folder("A\\B\\NEWFOLD1"), szFolder);
}

TEST_F(ChooserTest, LongNamesAreRefusedAndTheDialogStays) {
    PATHNAME szFolder = "";
    PATHNAME_Assign(szFolder, Folder("A\\B").c_str());
    int nStayed = 0;
    EXPECT_EQ(0, RunPlugin(szFolder, [&](HWND hDlg) {
                  UIDRIVER_PressButton(hDlg, COMMFILE_IDC_CREATE);
                  const HWND hNew = UIDRIVER_WaitForDialog("Create New Directory", UIDRIVER_TIMEOUT);
                  if (!hNew)
                      return;
                  for (const char* szName : {"NEWFOLDER1", "A.TEXT", ""}) {
                      SetText(GetDlgItem(hNew, COMMFILE_IDC_NEWNAME), szName);
                      UIDRIVER_PressButton(hNew, IDOK);
                      Sleep(300);
                      nStayed += IsShown(hNew) ? 1 : 0;
                  }
                  UIDRIVER_PressButton(hNew, IDCANCEL);
                  UIDRIVER_WaitUntil([&] { return !IsShown(hNew); }, UIDRIVER_TIMEOUT);
                  UIDRIVER_PressButton(hDlg, IDCANCEL);
              }));
    EXPECT_EQ(3, nStayed);
    EXPECT_FALSE(PATHNAME_FolderExists(Folder("A\\B\\NEWFOLDE").c_str()));
}

TEST_F(ChooserTest, CreatingAnExistingFolderShowsTheDialogAgain) {
    PATHNAME szFolder = "";
    PATHNAME_Assign(szFolder, Folder("A\\B").c_str());
    std::string kept;
    bool fAgain = false;
    EXPECT_EQ(0, RunPlugin(szFolder, [&](HWND hDlg) {
                  UIDRIVER_PressButton(hDlg, COMMFILE_IDC_CREATE);
                  const HWND hFirst = UIDRIVER_WaitForDialog("Create New Directory", UIDRIVER_TIMEOUT);
                  if (!hFirst)
                      return;
                  SetText(GetDlgItem(hFirst, COMMFILE_IDC_NEWNAME), "S");
                  UIDRIVER_PressButton(hFirst, IDOK);
                  HWND hAgain = nullptr;
                  fAgain = UIDRIVER_WaitUntil(
                      [&] {
                          hAgain = UIDRIVER_WaitForDialog("Create New Directory", 0);
                          return hAgain && hAgain != hFirst;
                      },
                      UIDRIVER_TIMEOUT);
                  if (!fAgain)
                      return;
                  kept = UIDRIVER_GetItemText(hAgain, COMMFILE_IDC_NEWNAME);
                  UIDRIVER_PressButton(hAgain, IDCANCEL);
                  UIDRIVER_WaitUntil([&] { return !IsShown(hAgain); }, UIDRIVER_TIMEOUT);
                  UIDRIVER_PressButton(hDlg, IDCANCEL);
              }));
    EXPECT_TRUE(fAgain);
    EXPECT_EQ("S", kept);
}

int s_nBindingCalls = 0;
int s_nPlacements = 0;

BOOL WINAPI CountingBinding(OPENFILENAMEA* pOfn) {
    s_nBindingCalls++;
    return GetSaveFileNameA(pOfn);
}

void CountingPlacement(HWND hDlg) {
    s_nPlacements++;
}

TEST_F(ChooserTest, SetupFormStartsInTheCurrentFolderAndPresetsTheNewName) {
    ASSERT_TRUE(SetCurrentDirectoryA(Folder("A").c_str()));
    s_nBindingCalls = s_nPlacements = 0;
    PATHNAME szFolder = "";
    std::string shown, preset;
    EXPECT_EQ(1, Run(
                     [&] {
                         return COMMFILE_ChooseSetupDir(szFolder, nullptr, GetModuleHandleA(nullptr), CountingBinding,
                                                        CountingPlacement);
                     },
                     "Choose Directory",
                     [&](HWND hDlg) {
                         shown = UIDRIVER_GetItemText(hDlg, COMMFILE_SETUP_IDC_SELECTED);
                         UIDRIVER_PressButton(hDlg, COMMFILE_SETUP_IDC_CREATE);
                         const HWND hNew = UIDRIVER_WaitForDialog("Create New Folder", UIDRIVER_TIMEOUT);
                         if (!hNew)
                             return;
                         preset = UIDRIVER_GetItemText(hNew, COMMFILE_SETUP_IDC_NEWNAME);
                         UIDRIVER_PressButton(hNew, IDOK);
                         UIDRIVER_WaitForItemText(hDlg, COMMFILE_SETUP_IDC_SELECTED, Folder("A\\folder"),
                                                  UIDRIVER_TIMEOUT);
                         UIDRIVER_PressButton(hDlg, IDOK);
                     }));
    EXPECT_EQ(Folder("A\\"), shown);
    EXPECT_EQ("folder", preset);
    EXPECT_EQ(Folder("A\\folder"), szFolder);
    EXPECT_EQ(1, s_nBindingCalls);
    EXPECT_EQ(1, s_nPlacements);
}

TEST_F(ChooserTest, MissingTemplateOrListIsReported) {
    CDiagCapture capture;
    PATHNAME szFolder = "C:\\";
    EXPECT_EQ(0, COMMFILE_ChooseDir(szFolder, nullptr, nullptr, 29999));
    EXPECT_NE(std::string::npos, capture.Text().find("FindResource( MFX_HRESOURCE, MAKEINTRESOURCE(id), RT_DIALOG)"));
    const HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, COMMFILE_GetSelectedDir(hWnd, szFolder));
    EXPECT_NE(std::string::npos, capture.Text().find("IsWindow(GetDlgItem(hDlg,COMMFILE_IDLB_DIRS))"));
    DestroyWindow(hWnd);
}

}  // namespace
