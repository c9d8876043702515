// The dialog library as the setup engine meets it: the real parvel.dll loaded by file name, its classes, its
// templates run through xDialogBoxParam, its message boxes, and its push-bitmap buttons on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setupext/parvel/parvel_ids.h"
#include "toolkit/gasgauge.h"
#include "tools/testsupport/buildpath_win.h"
#include "tools/testsupport/uidriver_win.h"

namespace {

typedef int(WINAPI* XMESSAGEBOX)(HWND, LPCSTR, LPCSTR, UINT);
typedef INT_PTR(WINAPI* XDIALOGBOXPARAM)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);

std::string LibraryPath() {
    return BUILDPATH_SubsystemFile("parvel.dll");
}

bool IsClassRegistered(const char* szClass) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    return GetClassInfoExA(GetModuleHandleA(nullptr), szClass, &wc) != FALSE;
}

std::string ClassOf(HWND hWnd) {
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

std::string TextOf(HWND hWnd) {
    char szText[256] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

class ParvelTest : public testing::Test {
protected:
    void SetUp() override {
        m_hLibrary = LoadLibraryA(LibraryPath().c_str());
        ASSERT_TRUE(m_hLibrary) << LibraryPath();
        m_pfnMessageBox =
            reinterpret_cast<XMESSAGEBOX>(reinterpret_cast<void*>(GetProcAddress(m_hLibrary, "xMessageBox")));
        m_pfnDialogBoxParam =
            reinterpret_cast<XDIALOGBOXPARAM>(reinterpret_cast<void*>(GetProcAddress(m_hLibrary, "xDialogBoxParam")));
        ASSERT_TRUE(m_pfnMessageBox);
        ASSERT_TRUE(m_pfnDialogBoxParam);
    }
    void TearDown() override {
        if (m_hLibrary)
            FreeLibrary(m_hLibrary);
    }

    HMODULE m_hLibrary = nullptr;
    XMESSAGEBOX m_pfnMessageBox = nullptr;
    XDIALOGBOXPARAM m_pfnDialogBoxParam = nullptr;
};

TEST_F(ParvelTest, LoadingRegistersTheThreeClassesForEveryModule) {
    // Looked up from the test program's own module: the classes are global.
    EXPECT_TRUE(IsClassRegistered(GAS_CLASS));
    EXPECT_TRUE(IsClassRegistered(PUSH_CLASS));
    EXPECT_TRUE(IsClassRegistered(DLG_CLASS));
}

TEST_F(ParvelTest, UnloadingRemovesTheClassesSoTheLibraryLoadsAgain) {
    FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
    EXPECT_FALSE(IsClassRegistered(DLG_CLASS));
    EXPECT_FALSE(IsClassRegistered(PUSH_CLASS));
    m_hLibrary = LoadLibraryA(LibraryPath().c_str());
    ASSERT_TRUE(m_hLibrary);
    EXPECT_TRUE(IsClassRegistered(DLG_CLASS));
}

// A class that is already taken makes the load fail, and the classes registered before it are removed again.
TEST(ParvelLoad, FailsWhenAClassCannotBeRegistered) {
    struct CASE {
        const char* szTaken;
        std::vector<const char*> notLeft;
    } cases[] = {
        {GAS_CLASS, {PUSH_CLASS, DLG_CLASS}},
        {PUSH_CLASS, {DLG_CLASS}},
        {DLG_CLASS, {GAS_CLASS, PUSH_CLASS}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.szTaken);
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = c.szTaken;
        ASSERT_TRUE(RegisterClassExA(&wc));
        HMODULE hLibrary = LoadLibraryA(LibraryPath().c_str());
        EXPECT_FALSE(hLibrary);
        if (hLibrary)
            FreeLibrary(hLibrary);
        for (const char* szClass : c.notLeft)
            EXPECT_FALSE(IsClassRegistered(szClass)) << szClass;
        UnregisterClassA(c.szTaken, GetModuleHandleA(nullptr));
    }
}

// What one template must hold: its title, its controls, and which of them are push-bitmap buttons.
struct TEMPLATE {
    const char* szName;
    const char* szTitle;
    std::vector<int> controls;
    std::vector<int> pushBitmaps;
};

const TEMPLATE TEMPLATES[] = {
    {"SETUP_CHOOSE",
     "Setup",
     {1201, 1202, 1203, 2, 8071, 8037, 1204, 1205, 1206, 1207, 1208, 1209},
     {1201, 1202, 1203, 2, 8071}},
    {"SETUP_DEFINE_SEARCH", "Search", {501, 502, 500, 8006, 8092, 8077, 503}, {}},
    {"SETUP_DISK_PROMPT", "Setup", {100, 8078, 8080, IDOK, IDCANCEL}, {}},
    {"SETUP_INSTALL_TO", "Setup", {8078, 605, 8005, 8071}, {605, 8005, 8071}},
    {"SETUP_LARGE_CUSTOMIZE",
     "Customize Setup",
     {8020, 8015, 8074, 1105, 1106, 1107, 8070, 2, 1104, 20000, 8071},
     {8070, 2, 1104, 20000, 8071}},
    {"SETUP_SMALL_CUSTOMIZE",
     "Customize Setup",
     {8020, 8015, 8074, 1105, 1106, 1107, 8070, 2, 1104, 8071},
     {8070, 2, 1104, 8071}},
    {"SETUP_LARGE_PATHS", "Edit Directories", {8006, 8092, 8075, 8005, 404, IDOK, IDCANCEL}, {}},
    {"SETUP_SMALL_PATHS", "Edit Directories", {8006, 8092, 8075, 8005, IDOK, IDCANCEL}, {}},
    {"SETUP_NEWDIR", "Create New Folder", {1401, IDOK, IDCANCEL}, {}},
    {"SETUP_OPENPATH", "Choose Directory", {1121, 1137, 1302, 1301}, {}},
    {"SETUP_OVERWRITE", "Setup", {800, 801, 802, 2, 8080, 8077}, {}},
    {"SETUP_PROGMANGROUP", "", {900}, {}},
    {"SETUP_PROGRESS", "Setup is Copying Files", {8080, 8007, 8008, 8079, 2}, {}},
    {"SETUP_RESOLVE",
     "Select the Desired Directory",
     {400, 401, 402, 403, 8071, 8092, 404, 8077},
     {400, 401, 402, 403, 8071}},
    {"SETUP_SEARCHING", "Setup", {300, 3001, 3000}, {}},
};

// What a dialog procedure saw of its dialog, from WM_INITDIALOG and from a message posted from there (when the
// dialog is on screen and the procedure's own initialisation is done).
struct SEEN {
    const TEMPLATE* pTemplate = nullptr;
    bool fDisableStop = false;  // the procedure disables Stop (502) in its own initialisation
    std::string title, dialogClass;
    HANDLE hFont = nullptr;      // the "Font" property at WM_INITDIALOG
    DWORD dwFontType = 0;        // what kind of object it was then
    bool fFontAtDestroy = true;  // the property was still there when the procedure saw WM_DESTROY
    std::vector<int> missing;
    std::vector<int> notPushBitmaps;
    std::vector<std::string> pushCaptions;
    bool fStopEnabledAtInit = false;
    bool fStopEnabledAfter = false;
};

const UINT WM_SEEN = WM_APP + 1;

INT_PTR CALLBACK LookingProc(HWND hDlg, UINT uMsg, WPARAM, LPARAM lParam) {
    SEEN* pSeen = reinterpret_cast<SEEN*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    if (uMsg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        pSeen = reinterpret_cast<SEEN*>(lParam);
        pSeen->title = TextOf(hDlg);
        pSeen->dialogClass = ClassOf(hDlg);
        pSeen->hFont = GetPropA(hDlg, "Font");
        pSeen->dwFontType = GetObjectType(pSeen->hFont);
        if (pSeen->pTemplate) {
            for (int id : pSeen->pTemplate->controls)
                if (!GetDlgItem(hDlg, id))
                    pSeen->missing.push_back(id);
            for (int id : pSeen->pTemplate->pushBitmaps) {
                HWND hButton = GetDlgItem(hDlg, id);
                if (!hButton || ClassOf(hButton) != PUSH_CLASS)
                    pSeen->notPushBitmaps.push_back(id);
                else
                    pSeen->pushCaptions.push_back(TextOf(hButton));
            }
        }
        pSeen->fStopEnabledAtInit = IsWindowEnabled(GetDlgItem(hDlg, IDC_SEARCH_STOP)) != FALSE;
        if (pSeen->fDisableStop)
            EnableWindow(GetDlgItem(hDlg, IDC_SEARCH_STOP), FALSE);
        PostMessageA(hDlg, WM_SEEN, 0, 0);
        return TRUE;
    }
    if (uMsg == WM_DESTROY && pSeen)
        pSeen->fFontAtDestroy = GetPropA(hDlg, "Font") != nullptr;
    if (uMsg == WM_SEEN) {
        pSeen->fStopEnabledAfter = IsWindowEnabled(GetDlgItem(hDlg, IDC_SEARCH_STOP)) != FALSE;
        if (pSeen->pTemplate) {
            // A modal dialog appears once its queue is first empty; the picture wants it now.
            ShowWindow(hDlg, SW_SHOW);
            SendDlgItemMessageA(hDlg, IDC_PROGRESS_GAUGE, WM_COMMAND, GASGAUGE_SETPOSITION, 40);
            UpdateWindow(hDlg);
            UIDRIVER_Pose(pSeen->pTemplate->szName, true);
        }
        EndDialog(hDlg, 42);
        return TRUE;
    }
    return FALSE;
}

TEST_F(ParvelTest, EveryTemplateHasItsTitleControlsAndIconButtons) {
    for (const TEMPLATE& t : TEMPLATES) {
        SCOPED_TRACE(t.szName);
        SEEN seen;
        seen.pTemplate = &t;
        CModalTimeout guard(UIDRIVER_TIMEOUT * 12);
        // The instance argument is not used: the template comes from the library whatever module is named.
        EXPECT_EQ(42, m_pfnDialogBoxParam(GetModuleHandleA(nullptr), t.szName, nullptr, LookingProc,
                                          reinterpret_cast<LPARAM>(&seen)));
        EXPECT_FALSE(guard.Expired());
        EXPECT_EQ(t.szTitle, seen.title);
        EXPECT_EQ(DLG_CLASS, seen.dialogClass);
        // The control-list font lives as long as the dialog: a property from the opening, gone and deleted at
        // the closing.
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), seen.dwFontType);
        EXPECT_FALSE(seen.fFontAtDestroy);
        EXPECT_EQ(0u, GetObjectType(seen.hFont));
        EXPECT_TRUE(seen.missing.empty()) << "first missing control " << seen.missing.front();
        EXPECT_TRUE(seen.notPushBitmaps.empty()) << "not an icon button: " << seen.notPushBitmaps.front();
        // The platform keeps only the caption of a button's format as its text.
        for (const std::string& caption : seen.pushCaptions) {
            EXPECT_FALSE(caption.empty());
            EXPECT_EQ(std::string::npos, caption.find('@')) << caption;
        }
    }
}

TEST_F(ParvelTest, ATemplateControlMarkedDisabledIsEnabledWhenTheDialogOpens) {
    SEEN seen;
    CModalTimeout guard(UIDRIVER_TIMEOUT);
    EXPECT_EQ(
        42, m_pfnDialogBoxParam(nullptr, "SETUP_DEFINE_SEARCH", nullptr, LookingProc, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_TRUE(seen.fStopEnabledAtInit);
    EXPECT_TRUE(seen.fStopEnabledAfter);

    // The dialog procedure's own initialisation comes after, so what it disables stays disabled.
    SEEN disabling;
    disabling.fDisableStop = true;
    EXPECT_EQ(42, m_pfnDialogBoxParam(nullptr, "SETUP_DEFINE_SEARCH", nullptr, LookingProc,
                                      reinterpret_cast<LPARAM>(&disabling)));
    EXPECT_FALSE(disabling.fStopEnabledAfter);
    EXPECT_FALSE(guard.Expired());
}

TEST_F(ParvelTest, AMissingTemplateFailsAsTheModalDialogCall) {
    SEEN seen;
    EXPECT_EQ(-1, m_pfnDialogBoxParam(nullptr, "SETUP_NO_SUCH", nullptr, LookingProc, reinterpret_cast<LPARAM>(&seen)));
}

TEST_F(ParvelTest, MessageBoxIsThePlatformBox) {
    struct CASE {
        UINT uType;
        int idAnswer;
    } cases[] = {
        {MB_OK | MB_ICONINFORMATION, IDOK},
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDNO},
        {MB_OKCANCEL | MB_ICONSTOP, IDCANCEL},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.uType);
        CBoxAnswer ours(c.idAnswer);
        EXPECT_EQ(c.idAnswer, m_pfnMessageBox(nullptr, "Insert the next disk.", "Flarion Setup", c.uType));
        ASSERT_TRUE(ours.Wait());
        CBoxAnswer platform(c.idAnswer);
        EXPECT_EQ(c.idAnswer, MessageBoxA(nullptr, "Insert the next disk.", "Flarion Setup", c.uType));
        ASSERT_TRUE(platform.Wait());
        EXPECT_EQ(platform.Caption(), ours.Caption());
        EXPECT_EQ(platform.Text(), ours.Text());
        EXPECT_EQ(platform.Style(), ours.Style());
        EXPECT_EQ("Flarion Setup", ours.Caption());
    }
}

// ---- The push-bitmap button on screen ----

class PushBmpTest : public ParvelTest {
protected:
    void SetUp() override {
        ParvelTest::SetUp();
        m_hParent = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(m_hParent);
    }
    void TearDown() override {
        DestroyWindow(m_hParent);
        ParvelTest::TearDown();
    }

    HWND Button(const char* szText, DWORD dwStyle = 0) {
        HWND hButton =
            CreateWindowExA(0, PUSH_CLASS, szText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | dwStyle, 10, 10, 160, 60,
                            m_hParent, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(hButton);
        return hButton;
    }

    // How many pixels of the button's left and right halves have the colour.
    void CountColour(HWND hButton, COLORREF cr, int* pnLeft, int* pnRight) {
        RedrawWindow(hButton, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT rc;
        GetClientRect(hButton, &rc);
        HDC hdc = GetDC(hButton);
        *pnLeft = *pnRight = 0;
        for (int y = 0; y < rc.bottom; ++y)
            for (int x = 0; x < rc.right; ++x)
                if (GetPixel(hdc, x, y) == cr)
                    ++*(x < rc.right / 2 ? pnLeft : pnRight);
        ReleaseDC(hButton, hdc);
    }

    HWND m_hParent = nullptr;
};

const COLORREF EXIT_RED = RGB(200, 32, 32);     // the exit icon's door
const COLORREF EXITDN_RED = RGB(150, 24, 24);   // the same door on the pressed icon
const COLORREF PLACE_TEAL = RGB(0, 128, 128);   // the place holder's letter
const COLORREF CONT_GREEN = RGB(32, 144, 48);   // the continue icon's arrow
const COLORREF DIRS_AMBER = RGB(240, 176, 32);  // the folders icon's front folder

TEST_F(PushBmpTest, TheWindowTextIsTheCaptionAlone) {
    HWND hButton = Button("EXIT[EXITDN] @RL E&xit");
    EXPECT_EQ("E&xit", TextOf(hButton));
    SetWindowTextA(hButton, "SEARCH");
    EXPECT_EQ("", TextOf(hButton));
    SetWindowTextA(hButton, "BACK @LR Go Bac&k");
    EXPECT_EQ("Go Bac&k", TextOf(hButton));
}

TEST_F(PushBmpTest, TheIconSitsInItsHalfAndThePressedIconShowsWhenPressed) {
    HWND hButton = Button("EXIT[EXITDN] @RL E&xit");
    int nLeft = 0, nRight = 0;
    CountColour(hButton, EXIT_RED, &nLeft, &nRight);
    EXPECT_EQ(0, nLeft);
    EXPECT_GT(nRight, 50);

    SendMessageA(hButton, BM_SETSTATE, TRUE, 0);
    CountColour(hButton, EXIT_RED, &nLeft, &nRight);
    EXPECT_EQ(0, nLeft + nRight);
    CountColour(hButton, EXITDN_RED, &nLeft, &nRight);
    EXPECT_GT(nRight, 50);

    SetWindowTextA(hButton, "EXIT[EXITDN] @LR E&xit");
    SendMessageA(hButton, BM_SETSTATE, FALSE, 0);
    CountColour(hButton, EXIT_RED, &nLeft, &nRight);
    EXPECT_GT(nLeft, 50);
    EXPECT_EQ(0, nRight);
}

// A push-bitmap check box shows its pressed icon while it is checked.
TEST_F(PushBmpTest, ACheckBoxKindIsPressedWhileChecked) {
    HWND hButton = Button("EXIT[EXITDN] @RL Toggle", BS_AUTOCHECKBOX);
    int nLeft = 0, nRight = 0;
    CountColour(hButton, EXITDN_RED, &nLeft, &nRight);
    EXPECT_EQ(0, nLeft + nRight);
    SendMessageA(hButton, BM_SETCHECK, BST_CHECKED, 0);
    CountColour(hButton, EXITDN_RED, &nLeft, &nRight);
    EXPECT_GT(nRight, 50);
}

// The test program holds an icon "DIRS" of its own (the green arrow of CONT): the button's own module comes
// first, the library's folders second.
TEST_F(PushBmpTest, IconsComeFromTheButtonsOwnModuleFirst) {
    HWND hButton = Button("DIRS @CC");
    int nLeft = 0, nRight = 0;
    CountColour(hButton, DIRS_AMBER, &nLeft, &nRight);
    EXPECT_EQ(0, nLeft + nRight);
    CountColour(hButton, CONT_GREEN, &nLeft, &nRight);
    EXPECT_GT(nLeft + nRight, 50);
}

TEST_F(PushBmpTest, AMissingIconFallsBackToThePlaceHolder) {
    HWND hButton = Button("NOSUCHICON @CC Something");
    int nLeft = 0, nRight = 0;
    CountColour(hButton, PLACE_TEAL, &nLeft, &nRight);
    EXPECT_GT(nLeft + nRight, 10);
}

// White pixels inside the caption's half (away from the frame's own white edge): the embossed copy.
int WhiteInCaptionHalf(HWND hButton) {
    RedrawWindow(hButton, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc;
    GetClientRect(hButton, &rc);
    HDC hdc = GetDC(hButton);
    int n = 0;
    for (int y = 6; y < rc.bottom - 6; ++y)
        for (int x = rc.right / 2; x < rc.right - 6; ++x)
            n += GetPixel(hdc, x, y) == RGB(255, 255, 255);
    ReleaseDC(hButton, hdc);
    return n;
}

TEST_F(PushBmpTest, TheCaptionIsEmbossedWhenStarredOrDisabled) {
    HWND hPlain = Button("BACK @LR Go Back");
    HWND hStarred = Button("BACK @LR* Go Back");
    for (HWND hButton : {hPlain, hStarred})
        SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    EXPECT_EQ(0, WhiteInCaptionHalf(hPlain));
    EXPECT_GT(WhiteInCaptionHalf(hStarred), 10);
    EnableWindow(hPlain, FALSE);
    EXPECT_GT(WhiteInCaptionHalf(hPlain), 10);
}

int s_nClicks = 0;

LRESULT CALLBACK CountingParentProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COMMAND && LOWORD(wParam) == 100 && HIWORD(wParam) == BN_CLICKED)
        ++s_nClicks;
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

TEST_F(PushBmpTest, ClicksReachTheParentAsAButtonsDo) {
    HWND hButton = Button("CONT @LR &Continue");
    s_nClicks = 0;
    const LONG_PTR pfnOld = SetWindowLongPtrA(m_hParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingParentProc));
    SendMessageA(hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageA(hButton, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(1, s_nClicks);
    SetWindowLongPtrA(m_hParent, GWLP_WNDPROC, pfnOld);
}

}  // namespace
