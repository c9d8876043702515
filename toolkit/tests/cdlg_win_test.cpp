// Generic dialogs on real dialogs under Wine: the items' loading, saving and refusals, the colour chooser,
// the browse button, placement and the remembered position. The user is played from a thread of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/testsupport/testfile.h"
#include "toolkit/cdlg_win.h"
#include "toolkit/diag.h"
#include "toolkit/inifile_win.h"
#include "toolkit/odmap_win.h"
#include "toolkit/stringid_win.h"
#include "toolkit/tests/cdlg_test_ids.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

const char TEST_CLASS[] = "cdlgtest";
const char TEST_CAPTION[] = "Generic Test";
const DWORD SCRIPT_TIMEOUT = 20000;

// The chooser's edit fields of red, green and blue, as the platform's colour dialog numbers them.
const int IDC_CHOOSER_RED = 706;
const int IDC_CHOOSER_GREEN = 707;
const int IDC_CHOOSER_BLUE = 708;
// The file name box of the explorer-style file dialog.
const int IDC_FILEDIALOG_NAME = 1148;
const int IDC_FILEDIALOG_TYPE = 1136;

const CDLG_GROUPMAP BACKGROUND_MAP[] = {{IDC_RADIO1, 0, 0},
                                        {IDC_RADIO2, 0, 1},
                                        {IDC_RADIO3, 0, 2},
                                        {CDLG_MAPEND, 0, 0}};

struct TESTDATA {
    char szName[261] = "";
    char szRequired[32] = "";
    LONG lBackground = 0;
    COLORREF crBackground = RGB(0, 0, 0);
    char szFile[261] = "";
    int nPushes = 0;
};

std::function<void(HWND, TESTDATA&)> s_fnAddItems;

void AddItems(HWND hDlg) {
    if (s_fnAddItems)
        s_fnAddItems(hDlg, *static_cast<TESTDATA*>(CDLG_GetUserData(hDlg)));
}

void CountPush(HWND hDlg) {
    static_cast<TESTDATA*>(CDLG_GetUserData(hDlg))->nPushes++;
}

bool SetText(HWND hWnd, const char* szText) {
    DWORD_PTR dwResult = 0;
    return SendMessageTimeoutA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(szText), SMTO_NORMAL, UIDRIVER_TIMEOUT,
                               &dwResult) != 0;
}

LRESULT Ask(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR dwResult = 0;
    SendMessageTimeoutA(hWnd, uMsg, wParam, lParam, SMTO_NORMAL, UIDRIVER_TIMEOUT, &dwResult);
    return static_cast<LRESULT>(dwResult);
}

HWND FocusOf(HWND hWnd) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info.hwndFocus;
}

// The colour that the screen shows at the centre of a dialog's control.
COLORREF ScreenColourOf(HWND hControl) {
    RECT rc;
    GetWindowRect(hControl, &rc);
    const HDC hdc = GetDC(nullptr);
    const COLORREF cr = GetPixel(hdc, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ReleaseDC(nullptr, hdc);
    return cr;
}

class GenericDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        STRINGID_SetInstance(GetModuleHandleA(nullptr));
        ASSERT_TRUE(CDLG_Register(GetModuleHandleA(nullptr), TEST_CLASS));
        UIDRIVER_AddDialogClass(TEST_CLASS);
    }
    void TearDown() override { s_fnAddItems = nullptr; }
    // Runs the test dialog with the items that fnAdd adds, while the script plays the user; the dialog's result.
    bool Run(DWORD dwFlags,
             const std::function<void(HWND, TESTDATA&)>& fnAdd,
             const std::function<void(HWND)>& fnScript,
             HWND hOwner = nullptr) {
        s_fnAddItems = fnAdd;
        m_description.hInstance = GetModuleHandleA(nullptr);
        m_description.dwFlags = dwFlags;
        m_description.pfnOpen = AddItems;
        const CDLG_DESCRIPTION& description = m_description;
        CModalTimeout timeout(SCRIPT_TIMEOUT);
        CUserThread user([&] {
            const HWND hDlg = UIDRIVER_WaitForDialog(TEST_CAPTION, UIDRIVER_TIMEOUT);
            if (hDlg)
                fnScript(hDlg);
        });
        const bool fOk = CDLG_DoModal(&description, &m_data, MAKEINTRESOURCEA(IDD_CDLGTEST), hOwner);
        user.Join();
        EXPECT_FALSE(timeout.Expired());
        return fOk;
    }
    TESTDATA m_data;
    CDLG_DESCRIPTION m_description = {};
};

std::vector<std::string> s_events;

void RecordItems(HWND hDlg, bool fSaved) {
    s_events.push_back(fSaved ? "saved" : "loaded");
}

void RecordClose(HWND hDlg) {
    s_events.push_back("close");
}

void RecordHook(HWND hDlg) {
    s_events.push_back("hook");
}

INT_PTR CALLBACK RecordingProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG)
        s_events.push_back(static_cast<TESTDATA*>(reinterpret_cast<void*>(lParam))->szName);
    if (uMsg == WM_COMMAND && LOWORD(wParam) == IDC_PUSH)
        s_events.push_back("push");
    return FALSE;
}

TEST_F(GenericDialogTest, GroupWithoutAMatchOpensOnItsFirstButtonAndSavesItsValue) {
    m_data.lBackground = 99;
    strcpy(m_data.szName, "Clip");
    bool fFirst = false, fOthers = true;
    LRESULT nLimit = 0;
    EXPECT_TRUE(Run(
        CDLG_OKENDS | CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) {
            EXPECT_TRUE(CDLG_AddGroupItem(hDlg, &GroupItemClass, BACKGROUND_MAP, &data.lBackground));
            EXPECT_TRUE(CDLG_AddStringItem(hDlg, &WndStringClass, IDC_NAME, sizeof(data.szName), data.szName));
        },
        [&](HWND hDlg) {
            fFirst = Ask(GetDlgItem(hDlg, IDC_RADIO1), BM_GETCHECK) == BST_CHECKED;
            fOthers = Ask(GetDlgItem(hDlg, IDC_RADIO2), BM_GETCHECK) == BST_CHECKED ||
                      Ask(GetDlgItem(hDlg, IDC_RADIO3), BM_GETCHECK) == BST_CHECKED;
            nLimit = Ask(GetDlgItem(hDlg, IDC_NAME), EM_GETLIMITTEXT);
            EXPECT_EQ("Clip", UIDRIVER_GetItemText(hDlg, IDC_NAME));
            SetText(GetDlgItem(hDlg, IDC_NAME), "Clip two");
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    EXPECT_TRUE(fFirst);
    EXPECT_FALSE(fOthers);
    EXPECT_EQ(260, nLimit);  // a 261-byte buffer
    EXPECT_EQ(0, m_data.lBackground);
    EXPECT_STREQ("Clip two", m_data.szName);
}

TEST_F(GenericDialogTest, GroupChecksTheMatchingButtonAndCancelSavesNothing) {
    m_data.lBackground = 2;
    bool fThird = false;
    EXPECT_FALSE(Run(
        CDLG_OKENDS | CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) { CDLG_AddGroupItem(hDlg, &GroupItemClass, BACKGROUND_MAP, &data.lBackground); },
        [&](HWND hDlg) {
            fThird = Ask(GetDlgItem(hDlg, IDC_RADIO3), BM_GETCHECK) == BST_CHECKED;
            Ask(GetDlgItem(hDlg, IDC_RADIO2), BM_CLICK);
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        }));
    EXPECT_TRUE(fThird);
    EXPECT_EQ(2, m_data.lBackground);
}

TEST_F(GenericDialogTest, TextThatDoesNotFitItsSizeIsNotLoaded) {
    strcpy(m_data.szName, "toolong");
    std::string shown = "unread";
    CDiagCapture capture;
    EXPECT_TRUE(Run(
        CDLG_OKENDS,
        [](HWND hDlg, TESTDATA& data) { CDLG_AddStringItem(hDlg, &WndStringClass, IDC_NAME, 5, data.szName); },
        [&](HWND hDlg) {
            shown = UIDRIVER_GetItemText(hDlg, IDC_NAME);
            SetText(GetDlgItem(hDlg, IDC_NAME), "abcdefgh");
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    EXPECT_EQ("", shown);
    EXPECT_NE(std::string::npos, capture.Text().find("MFX_PRE failed: in GenDialog"));
    EXPECT_STREQ("abcd", m_data.szName);  // saved within the item's size
}

TEST_F(GenericDialogTest, RequiredTextLeftEmptyRefusesOkKeepsTheDialogAndFocusesTheField) {
    static const CDLG_ITEMCLASS s_required = CDLG_RequiredStringClass(IDS_REQUIRED_TEXT, IDS_REQUIRED_CAPTION);
    strcpy(m_data.szName, "Before");
    std::string caption;
    UINT uIcon = 0;
    bool fFocused = false, fStillOpen = false;
    std::string nameAfterRefusal;
    EXPECT_TRUE(Run(
        CDLG_OKENDS | CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) {
            CDLG_AddStringItem(hDlg, &WndStringClass, IDC_NAME, sizeof(data.szName), data.szName);
            CDLG_AddStringItem(hDlg, &s_required, IDC_REQUIRED, sizeof(data.szRequired), data.szRequired);
        },
        [&](HWND hDlg) {
            SetText(GetDlgItem(hDlg, IDC_NAME), "After");
            UIDRIVER_PressButton(hDlg, IDOK);
            CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, "Please type a name for the clip.");
            if (!answer.Wait())
                return;
            caption = answer.Caption();
            uIcon = answer.Style() & MB_ICONMASK;
            fFocused =
                UIDRIVER_WaitUntil([&] { return FocusOf(hDlg) == GetDlgItem(hDlg, IDC_REQUIRED); }, UIDRIVER_TIMEOUT);
            fStillOpen = IsWindowVisible(hDlg) != FALSE;
            nameAfterRefusal = m_data.szName;
            SetText(GetDlgItem(hDlg, IDC_REQUIRED), "x");
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    EXPECT_EQ(TEST_CAPTION, caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), uIcon);
    EXPECT_TRUE(fFocused);
    EXPECT_TRUE(fStillOpen);
    EXPECT_EQ("Before", nameAfterRefusal);
    EXPECT_STREQ("After", m_data.szName);
    EXPECT_STREQ("x", m_data.szRequired);
}

// The colour is chosen and then the dialog is confirmed or cancelled.
TEST_F(GenericDialogTest, ColourChosenIsKeptOnlyWhenTheDialogIsConfirmed) {
    const struct {
        int idEnd;
        COLORREF crAfter;
    } cases[] = {{IDCANCEL, RGB(10, 20, 30)}, {IDOK, RGB(200, 0, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idEnd);
        m_data.crBackground = RGB(10, 20, 30);
        std::string chooserCaption;
        COLORREF crBefore = 0, crShown = 0;
        Run(
            CDLG_OKENDS | CDLG_CANCELENDS,
            [](HWND hDlg, TESTDATA& data) {
                CDLG_AddColorItem(hDlg, IDC_COLOR, IDC_SWATCH, &data.crBackground, MAKEINTRESOURCEA(IDS_COLOR_TITLE));
            },
            [&](HWND hDlg) {
                const HWND hSwatch = GetDlgItem(hDlg, IDC_SWATCH);
                UIDRIVER_WaitUntil([&] { return ScreenColourOf(hSwatch) == RGB(10, 20, 30); }, UIDRIVER_TIMEOUT);
                crBefore = ScreenColourOf(hSwatch);
                UIDRIVER_PressButton(hDlg, IDC_COLOR);
                const HWND hChooser = UIDRIVER_WaitForDialog("Background Color", UIDRIVER_TIMEOUT);
                if (!hChooser)
                    return;
                chooserCaption = UIDRIVER_GetText(hChooser);
                SetText(GetDlgItem(hChooser, IDC_CHOOSER_RED), "200");
                SetText(GetDlgItem(hChooser, IDC_CHOOSER_GREEN), "0");
                SetText(GetDlgItem(hChooser, IDC_CHOOSER_BLUE), "0");
                UIDRIVER_PressButton(hChooser, IDOK);
                UIDRIVER_WaitUntil([&] { return ScreenColourOf(hSwatch) == RGB(200, 0, 0); }, UIDRIVER_TIMEOUT);
                crShown = ScreenColourOf(hSwatch);
                UIDRIVER_PressButton(hDlg, c.idEnd);
            });
        EXPECT_EQ("Background Color", chooserCaption);
        EXPECT_EQ(RGB(10, 20, 30), crBefore);
        EXPECT_EQ(RGB(200, 0, 0), crShown);
        EXPECT_EQ(c.crAfter, m_data.crBackground);
    }
}

TEST_F(GenericDialogTest, BrowseStartsInTheFolderOfTheNamedFileAndFillsTheField) {
    CTempFolder folder("cdlg_win_test");
    ASSERT_TRUE(TESTFILE_Write(folder / "FIRST.BMP", "BM"));
    ASSERT_TRUE(TESTFILE_Write(folder / "OTHER.BMP", "BM"));
    strcpy(m_data.szFile, (folder / "FIRST.BMP").c_str());
    std::string title;
    EXPECT_TRUE(Run(
        CDLG_OKENDS | CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) {
            CDLG_AddStringItem(hDlg, &WndStringClass, IDC_FILE, sizeof(data.szFile), data.szFile);
            CDLG_AddBrowseButton(hDlg, IDC_BROWSE, IDC_FILE, IDS_BROWSE_FILTER, IDS_BROWSE_TITLE, CountPush);
        },
        [&](HWND hDlg) {
            UIDRIVER_PressButton(hDlg, IDC_BROWSE);
            const HWND hFiles = UIDRIVER_WaitForDialog("Background Picture", 3 * UIDRIVER_TIMEOUT);
            if (!hFiles)
                return;
            title = UIDRIVER_GetText(hFiles);
            SetText(GetDlgItem(hFiles, IDC_FILEDIALOG_NAME), "OTHER.BMP");
            UIDRIVER_PressButton(hFiles, IDOK);
            UIDRIVER_WaitUntil([&] { return UIDRIVER_GetItemText(hDlg, IDC_FILE) != m_data.szFile; }, UIDRIVER_TIMEOUT);
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    EXPECT_EQ("Background Picture", title);
    EXPECT_STREQ((folder / "OTHER.BMP").c_str(), m_data.szFile);
    EXPECT_EQ(1, m_data.nPushes);
}

TEST_F(GenericDialogTest, BrowseWithoutAFilterOffersAllFilesAndCancelChangesNothing) {
    strcpy(m_data.szFile, "no such file");
    std::string type;
    EXPECT_TRUE(Run(
        CDLG_OKENDS | CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) {
            CDLG_AddStringItem(hDlg, &WndStringClass, IDC_FILE, sizeof(data.szFile), data.szFile);
            CDLG_AddBrowseButton(hDlg, IDC_BROWSE, IDC_FILE, 0, 0, CountPush);
        },
        [&](HWND hDlg) {
            UIDRIVER_PressButton(hDlg, IDC_BROWSE);
            const HWND hFiles = UIDRIVER_WaitForDialog("Open", 3 * UIDRIVER_TIMEOUT);
            if (!hFiles)
                return;
            type = UIDRIVER_GetItemText(hFiles, IDC_FILEDIALOG_TYPE);
            UIDRIVER_PressButton(hFiles, IDCANCEL);
            UIDRIVER_WaitUntil([&] { return !IsWindow(hFiles); }, UIDRIVER_TIMEOUT);
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    EXPECT_EQ("All Files (*.*)", type);
    EXPECT_STREQ("no such file", m_data.szFile);
    EXPECT_EQ(0, m_data.nPushes);
}

TEST_F(GenericDialogTest, ColourItemTracesTheMessagesItSees) {
    ASSERT_TRUE(DIAG_Initialize(GetModuleHandleA(nullptr)));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    CDiagCapture capture;
    Run(
        CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA& data) { CDLG_AddColorItem(hDlg, IDC_COLOR, IDC_SWATCH, &data.crBackground, nullptr); },
        [&](HWND hDlg) { UIDRIVER_PressButton(hDlg, IDCANCEL); });
    DIAG_Terminate();
    char szDestroy[64];
    snprintf(szDestroy, sizeof(szDestroy), "CDLGCOLOR_Filter uMsg : %x\n", WM_DESTROY);
    EXPECT_NE(std::string::npos, capture.Text().find(szDestroy));
}

TEST_F(GenericDialogTest, PushItemCallsItsCallbackAndFlagZeroLeavesOkToTheCaller) {
    bool fOpenAfterOk = false;
    Run(
        CDLG_CANCELENDS, [](HWND hDlg, TESTDATA&) { CDLG_AddPushItem(hDlg, &PushItemClass, IDC_PUSH, CountPush); },
        [&](HWND hDlg) {
            UIDRIVER_PressButton(hDlg, IDC_PUSH);
            UIDRIVER_PressButton(hDlg, IDC_PUSH);
            UIDRIVER_PressButton(hDlg, IDOK);
            Sleep(200);
            fOpenAfterOk = IsWindowVisible(hDlg) != FALSE;
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
    EXPECT_EQ(2, m_data.nPushes);
    EXPECT_TRUE(fOpenAfterOk);
}

TEST_F(GenericDialogTest, PlacementFieldCentresOverTheOwnerAndColourFieldPaints) {
    const HWND hOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hOwner);
    const struct {
        DWORD dwFlags;
        int nPercent;
        COLORREF crBackground;
    } cases[] = {
        {CDLG_CENTEROWNER | CDLG_BLACK, 50, RGB(0, 0, 0)},
        {CDLG_OWNER40 | CDLG_WHITE, 40, RGB(255, 255, 255)},
        {CDLG_OWNER70 | CDLG_LIGHTGREY, 70, RGB(192, 192, 192)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nPercent);
        RECT rc = {};
        COLORREF crCorner = CLR_INVALID;
        Run(
            CDLG_CANCELENDS | c.dwFlags, nullptr,
            [&](HWND hDlg) {
                GetWindowRect(hDlg, &rc);
                POINT pt = {3, 3};
                ClientToScreen(hDlg, &pt);
                UIDRIVER_WaitUntil(
                    [&] {
                        const HDC hdc = GetDC(nullptr);
                        crCorner = GetPixel(hdc, pt.x, pt.y);
                        ReleaseDC(nullptr, hdc);
                        return crCorner == c.crBackground;
                    },
                    UIDRIVER_TIMEOUT);
                UIDRIVER_PressButton(hDlg, IDCANCEL);
            },
            hOwner);
        EXPECT_NEAR(100 + 600 * c.nPercent / 100, (rc.left + rc.right) / 2, 1);
        EXPECT_NEAR(300, (rc.top + rc.bottom) / 2, 1);
        EXPECT_EQ(c.crBackground, crCorner);
    }
    DestroyWindow(hOwner);
}

TEST_F(GenericDialogTest, RememberedDialogReopensWhereItWasClosed) {
    std::string profile;
    ASSERT_TRUE(INIFILE_GetDefaultFileName(GetModuleHandleA(nullptr), profile));
    WritePrivateProfileStringA("Window Location", nullptr, nullptr, profile.c_str());
    Run(CDLG_CANCELENDS | CDLG_REMEMBERPOS | CDLG_CENTERSCREEN, nullptr, [&](HWND hDlg) {
        SetWindowPos(hDlg, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        UIDRIVER_PressButton(hDlg, IDCANCEL);
    });
    char szLeft[16] = "";
    GetPrivateProfileStringA("Window Location", "Generic Test_left", "", szLeft, sizeof(szLeft), profile.c_str());
    EXPECT_STREQ("123", szLeft);
    RECT rc = {};
    strcpy(m_data.szName, "trailer.mov");
    m_data.lBackground = 2;
    m_data.crBackground = RGB(0, 128, 255);
    Run(
        CDLG_CANCELENDS | CDLG_REMEMBERPOS | CDLG_CENTERSCREEN | CDLG_LIGHTGREY,
        [](HWND hDlg, TESTDATA& data) {
            CDLG_AddStringItem(hDlg, &WndStringClass, IDC_NAME, sizeof(data.szName), data.szName);
            CDLG_AddGroupItem(hDlg, &GroupItemClass, BACKGROUND_MAP, &data.lBackground);
            CDLG_AddColorItem(hDlg, IDC_COLOR, IDC_SWATCH, &data.crBackground, nullptr);
        },
        [&](HWND hDlg) {
            GetWindowRect(hDlg, &rc);
            UIDRIVER_Pose("cdlg-generic", false);
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
    EXPECT_EQ(123, rc.left);
    EXPECT_EQ(77, rc.top);
    DeleteFileA(profile.c_str());
}

TEST_F(GenericDialogTest, SetFontGivesTheListedControlsTheControlListFont) {
    std::string face;
    bool fOthersKept = false;
    Run(
        CDLG_CANCELENDS,
        [](HWND hDlg, TESTDATA&) {
            static const WORD s_list[] = {IDC_NAME, IDC_PUSH, 0xFFFF};
            CDLG_SetFont(hDlg, s_list);
            CDLG_SetFont(hDlg, s_list);  // the same font again, not a second one
        },
        [&](HWND hDlg) {
            const auto hFont = reinterpret_cast<HFONT>(Ask(GetDlgItem(hDlg, IDC_NAME), WM_GETFONT));
            LOGFONTA lf = {};
            GetObjectA(hFont, sizeof(lf), &lf);
            face = lf.lfFaceName;
            fOthersKept = hFont == reinterpret_cast<HFONT>(Ask(GetDlgItem(hDlg, IDC_PUSH), WM_GETFONT)) &&
                          hFont != reinterpret_cast<HFONT>(Ask(GetDlgItem(hDlg, IDC_FILE), WM_GETFONT));
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
    EXPECT_EQ("Helv", face);
    EXPECT_TRUE(fOthersKept);
}

TEST_F(GenericDialogTest, CallbacksAndTheCallersProcedureRunInTheirOrder) {
    strcpy(m_data.szName, "user data");
    s_events.clear();
    m_description.pfnDialogProc = RecordingProc;
    m_description.pfnItems = RecordItems;
    m_description.pfnClose = RecordClose;
    CDLG_SetOpenHook(RecordHook);
    EXPECT_TRUE(Run(
        CDLG_OKENDS, [](HWND hDlg, TESTDATA&) { s_events.push_back("open"); },
        [&](HWND hDlg) {
            UIDRIVER_PressButton(hDlg, IDC_PUSH);
            UIDRIVER_PressButton(hDlg, IDOK);
        }));
    CDLG_SetOpenHook(nullptr);
    EXPECT_EQ((std::vector<std::string>{"user data", "open", "hook", "loaded", "push", "saved", "close"}), s_events);
}

TEST_F(GenericDialogTest, MissingTemplateIsReportedAndNothingRuns) {
    CDiagCapture capture;
    m_description.hInstance = GetModuleHandleA(nullptr);
    EXPECT_FALSE(CDLG_DoModal(&m_description, &m_data, MAKEINTRESOURCEA(29999), nullptr));
    EXPECT_NE(std::string::npos, capture.Text().find("MFX_PRE failed: in GenDialog"));
    EXPECT_NE(std::string::npos, capture.Text().find("FindResourceA("));
    EXPECT_EQ(nullptr, CDLG_Alloc(nullptr, 16));
}

void MeasureBySize(HWND, MEASUREITEMSTRUCT* pMeasure) {
    pMeasure->itemHeight = 20 + pMeasure->itemID;
}

TEST(OwnerDrawMap, AnswersSizeRequestsOfListedControls) {
    const HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    const ODMAP_ENTRY table[] = {{101, 40, 16, nullptr}, {102, 0, 0, MeasureBySize}, {0, 0, 0, nullptr}};
    ASSERT_TRUE(ODMAP_Set(hWnd, table));
    MEASUREITEMSTRUCT measure = {};
    measure.CtlID = 101;
    EXPECT_TRUE(ODMAP_MeasureItem(hWnd, &measure));
    EXPECT_EQ(40u, measure.itemWidth);
    EXPECT_EQ(16u, measure.itemHeight);
    measure.CtlID = 102;
    measure.itemID = 3;
    EXPECT_TRUE(ODMAP_MeasureItem(hWnd, &measure));
    EXPECT_EQ(23u, measure.itemHeight);
    measure.CtlID = 103;
    EXPECT_FALSE(ODMAP_MeasureItem(hWnd, &measure));
    EXPECT_TRUE(ODMAP_Remove(hWnd));
    measure.CtlID = 101;
    EXPECT_FALSE(ODMAP_MeasureItem(hWnd, &measure));
    DestroyWindow(hWnd);
}

}  // namespace
