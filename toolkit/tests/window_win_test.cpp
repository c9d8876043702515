// The window layer on real windows under Wine, played by the UI driver: binding and ownership, dialogs modal
// and modeless, commands, timers, message boxes, control access and the control-list font.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/ctrllist_win.h"
#include "toolkit/diag.h"
#include "toolkit/tests/window_test_ids.h"
#include "toolkit/window_win.h"

namespace {

const char CAPTION[] = "Window Test";

// The test dialog: counts presses of its button, can ask a question, and records what it lived through.
class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(WINDOW_GetInstance(), IDD_WINDOWTEST, nullptr) {}

    std::string m_initialLabel = "Ready";
    UINT m_msTimer = 0;            // when not 0, a timer that ends the dialog with 7
    const char* m_szQuestion = nullptr;  // when set, the Press button asks it
    int m_nPresses = 0;
    int m_nAnswer = 0;
    bool m_fDestroyed = false;
    bool m_fFinal = false;
    bool m_fBoundAtInit = false;

protected:
    bool OnInitDialog() override {
        m_fBoundAtInit = FromHandle(m_hWnd) == this;
        SetItemText(IDC_LABEL, m_initialLabel.c_str());
        if (m_msTimer)
            SetTimer(1, m_msTimer);
        return true;
    }
    bool OnCommand(int idItem, int nCode, HWND hControl) override {
        if (idItem != IDC_PRESS)
            return CDialog::OnCommand(idItem, nCode, hControl);
        m_nPresses++;
        SetItemText(IDC_LABEL, ("Pressed " + std::to_string(m_nPresses)).c_str());
        if (m_szQuestion)
            m_nAnswer = MessageBox(m_szQuestion, WINDOW_GetAppTitle(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        return true;
    }
    void OnTimer(UINT_PTR idTimer) override {
        KillTimer(idTimer);
        EndDialog(7);
    }
    void OnDestroy() override { m_fDestroyed = true; }
    void OnFinalMessage() override { m_fFinal = true; }
};

TEST(WindowLayer, ModalDialogIsBoundPlayedAndEndedByOk) {
    CTestDialog dialog;
    HWND hSeen = nullptr;
    std::string label, labelAfterPress;
    bool fPressRefused = false;
    CModalTimeout timeout(10000);
    INT_PTR nResult;
    {
        CUserThread user([&] {
            hSeen = UIDRIVER_WaitForDialog(CAPTION, UIDRIVER_TIMEOUT);
            label = UIDRIVER_GetItemText(hSeen, IDC_LABEL);
            UIDRIVER_PressButton(hSeen, IDC_PRESS);
            UIDRIVER_PressButton(hSeen, IDC_PRESS);
            UIDRIVER_WaitForItemText(hSeen, IDC_LABEL, "Pressed 2", UIDRIVER_TIMEOUT);
            labelAfterPress = UIDRIVER_GetItemText(hSeen, IDC_LABEL);
            fPressRefused = !UIDRIVER_PressButton(hSeen, 999);
            UIDRIVER_PressButton(hSeen, IDOK);
        });
        nResult = dialog.DoModal();
    }
    EXPECT_FALSE(timeout.Expired());
    EXPECT_EQ(IDOK, nResult);
    ASSERT_NE(nullptr, hSeen);
    EXPECT_TRUE(dialog.m_fBoundAtInit);
    EXPECT_EQ("Ready", label);
    EXPECT_EQ("Pressed 2", labelAfterPress);
    EXPECT_TRUE(fPressRefused) << "a control that does not exist cannot be pressed";
    EXPECT_EQ(2, dialog.m_nPresses);
    EXPECT_TRUE(dialog.m_fDestroyed);
    EXPECT_TRUE(dialog.m_fFinal);
    EXPECT_EQ(nullptr, dialog.GetHandle());
    EXPECT_FALSE(IsWindow(hSeen));
    EXPECT_EQ(nullptr, CWindow::FromHandle(hSeen));
}

TEST(WindowLayer, CancelAndCloseBoxEndWithCancel) {
    for (bool fCloseBox : {false, true}) {
        SCOPED_TRACE(fCloseBox ? "close box" : "Cancel");
        CTestDialog dialog;
        CModalTimeout timeout(10000);
        INT_PTR nResult;
        {
            CUserThread user([&] {
                HWND hDlg = UIDRIVER_WaitForDialog(CAPTION, UIDRIVER_TIMEOUT);
                if (fCloseBox)
                    PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
                else
                    UIDRIVER_PressButton(hDlg, IDCANCEL);
            });
            nResult = dialog.DoModal();
        }
        EXPECT_EQ(IDCANCEL, nResult);
        EXPECT_FALSE(timeout.Expired());
    }
}

TEST(WindowLayer, TimerOfADialogReachesOnTimer) {
    CTestDialog dialog;
    dialog.m_msTimer = 50;
    CModalTimeout timeout(5000);
    EXPECT_EQ(7, dialog.DoModal());
    EXPECT_FALSE(timeout.Expired());
}

TEST(WindowLayer, DisabledButtonCannotBePressed) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND hDlg = dialog.GetHandle();
    dialog.EnableItem(IDC_PRESS, false);
    EXPECT_FALSE(dialog.IsItemEnabled(IDC_PRESS));
    EXPECT_FALSE(UIDRIVER_IsItemEnabled(hDlg, IDC_PRESS));
    EXPECT_FALSE(UIDRIVER_PressButton(hDlg, IDC_PRESS));
    dialog.EnableItem(IDC_PRESS, true);
    EXPECT_TRUE(UIDRIVER_PressButton(hDlg, IDC_PRESS));
    EXPECT_TRUE(UIDRIVER_PumpUntil([&] { return dialog.m_nPresses == 1; }, UIDRIVER_TIMEOUT));
}

TEST(WindowLayer, MessageBoxIsAnsweredByItsText) {
    const struct {
        int idAnswer;
    } cases[] = {{IDYES}, {IDNO}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idAnswer);
        CTestDialog dialog;
        dialog.m_szQuestion = "Really go on?";
        CModalTimeout timeout(10000);
        CBoxAnswer answer(c.idAnswer, UIDRIVER_TIMEOUT, "Really go on?");
        {
            CUserThread user([&] {
                HWND hDlg = UIDRIVER_WaitForDialog(CAPTION, UIDRIVER_TIMEOUT);
                UIDRIVER_PressButton(hDlg, IDC_PRESS);
                answer.Wait();
                UIDRIVER_PressButton(hDlg, IDOK);
            });
            dialog.DoModal();
        }
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(c.idAnswer, dialog.m_nAnswer);
        EXPECT_EQ("Really go on?", answer.Text());
        EXPECT_EQ("toolkit_window_win_test", answer.Caption());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), answer.Style());
        EXPECT_FALSE(timeout.Expired());
    }
}

TEST(WindowLayer, ModalTimeoutEndsADialogNobodyAnswers) {
    CTestDialog dialog;
    CModalTimeout timeout(300);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(timeout.Expired());
}

TEST(WindowLayer, ModelessDialogIsDestroyedByEndDialogOrByItsOwner) {
    CTestDialog ended;
    ASSERT_TRUE(ended.Create());
    EXPECT_TRUE(IsWindowVisible(ended.GetHandle()));
    ended.EndDialog(IDOK);
    EXPECT_EQ(nullptr, ended.GetHandle());
    EXPECT_TRUE(ended.m_fFinal);

    HWND hOwned;
    {
        CTestDialog owned;
        ASSERT_TRUE(owned.Create());
        hOwned = owned.GetHandle();
        EXPECT_EQ(&owned, CWindow::FromHandle(hOwned));
    }
    EXPECT_FALSE(IsWindow(hOwned)) << "the object's end destroys the window it owns";
    EXPECT_EQ(nullptr, CWindow::FromHandle(hOwned));
}

TEST(WindowLayer, TranslateDialogMessageServesModelessDialogsOnly) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    MSG msg = {dialog.GetItem(IDC_EDIT), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(WINDOW_TranslateDialogMessage(&msg));
    HWND hPlain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    msg.hwnd = hPlain;
    EXPECT_FALSE(WINDOW_TranslateDialogMessage(&msg));
    DestroyWindow(hPlain);
}

// A window of a class of its own that records its messages; made with new, it deletes itself with its window.
class CRecordingWindow : public CWindow {
public:
    explicit CRecordingWindow(std::vector<UINT>* pMessages, bool* pDeleted)
        : m_pMessages(pMessages), m_pDeleted(pDeleted) {}
    ~CRecordingWindow() override { *m_pDeleted = true; }

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override {
        m_pMessages->push_back(uMsg);
        if (uMsg == WM_USER) {
            lResult = 42;
            return true;
        }
        return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
    }
    void OnFinalMessage() override { delete this; }

private:
    std::vector<UINT>* m_pMessages;
    bool* m_pDeleted;
};

TEST(WindowLayer, WindowOfARegisteredClassSeesEveryMessageAndDiesWithItsParent) {
    static const bool fRegistered = [] {
        WNDCLASSEXA wc = {};
        wc.hInstance = WINDOW_GetInstance();
        wc.lpszClassName = "TestRecordingWindow";
        return CWindow::RegisterWindowClass(wc);
    }();
    ASSERT_TRUE(fRegistered);
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    std::vector<UINT> messages;
    bool fDeleted = false;
    auto* pWindow = new CRecordingWindow(&messages, &fDeleted);
    ASSERT_TRUE(pWindow->Create(0, "TestRecordingWindow", "", WS_CHILD, RECT{0, 0, 50, 50}, hParent,
                                reinterpret_cast<HMENU>(5), WINDOW_GetInstance()));
    const HWND hWnd = pWindow->GetHandle();
    EXPECT_EQ(pWindow, CWindow::FromHandle(hWnd));
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages[0] == WM_NCCREATE || messages[0] == WM_GETMINMAXINFO) << messages[0];
    EXPECT_EQ(42, SendMessageA(hWnd, WM_USER, 0, 0));

    DestroyWindow(hParent);
    EXPECT_TRUE(fDeleted) << "destroyed with its parent, the window's object deleted itself";
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), messages.back());
    EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
}

TEST(WindowLayer, CreateRefusesAClassOfAnotherProcedure) {
    CWindow window;
    EXPECT_FALSE(window.Create(0, "STATIC", "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, window.GetHandle());
}

// Takes over a static control and answers WM_USER for it.
class CAnsweringControl : public CWindow {
protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override {
        if (uMsg != WM_USER)
            return false;
        lResult = 7;
        return true;
    }
};

TEST(WindowLayer, SubclassedControlIsBorrowedAndGivenBack) {
    HWND hStatic = CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR pfnOwn = GetWindowLongPtrA(hStatic, GWLP_WNDPROC);
    {
        CAnsweringControl control;
        ASSERT_TRUE(control.Subclass(hStatic));
        EXPECT_EQ(7, SendMessageA(hStatic, WM_USER, 0, 0));
        char szText[16] = "";
        GetWindowTextA(hStatic, szText, sizeof(szText));
        EXPECT_STREQ("text", szText) << "unhandled messages reach the control's own procedure";
    }
    EXPECT_TRUE(IsWindow(hStatic)) << "a borrowed window outlives its object";
    EXPECT_EQ(pfnOwn, GetWindowLongPtrA(hStatic, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWindow::FromHandle(hStatic));
    DestroyWindow(hStatic);
}

TEST(WindowLayer, UnsubclassGivesTheWindowBackWhileTheObjectLives) {
    HWND hStatic = CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR pfnOwn = GetWindowLongPtrA(hStatic, GWLP_WNDPROC);
    CAnsweringControl control;
    ASSERT_TRUE(control.Subclass(hStatic));
    EXPECT_TRUE(control.Unsubclass());
    EXPECT_EQ(nullptr, control.GetHandle());
    EXPECT_EQ(pfnOwn, GetWindowLongPtrA(hStatic, GWLP_WNDPROC));
    EXPECT_EQ(0, SendMessageA(hStatic, WM_USER, 0, 0));
    ASSERT_TRUE(control.Subclass(hStatic)) << "the same object can take a window over again";

    // Someone else subclassed the window after us: their procedure stays, we only let go.
    const LONG_PTR pfnLater = SetWindowLongPtrA(hStatic, GWLP_WNDPROC, pfnOwn);
    EXPECT_FALSE(control.Unsubclass());
    EXPECT_EQ(pfnOwn, GetWindowLongPtrA(hStatic, GWLP_WNDPROC));
    EXPECT_NE(pfnOwn, pfnLater);
    EXPECT_EQ(nullptr, CWindow::FromHandle(hStatic));
    DestroyWindow(hStatic);
}

TEST(WindowLayer, CenterOverPutsTheCentresTogether) {
    HWND hOwner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr, nullptr,
                                  nullptr, nullptr);
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.CenterOver(hOwner);
    RECT rcOwner, rcDialog;
    GetWindowRect(hOwner, &rcOwner);
    GetWindowRect(dialog.GetHandle(), &rcDialog);
    EXPECT_NEAR((rcOwner.left + rcOwner.right) / 2, (rcDialog.left + rcDialog.right) / 2, 1);
    EXPECT_NEAR((rcOwner.top + rcOwner.bottom) / 2, (rcDialog.top + rcDialog.bottom) / 2, 1);
    DestroyWindow(hOwner);
}

TEST(WindowLayer, PumpMessagesDispatchesAndStopsAtQuit) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    PostMessageA(dialog.GetHandle(), WM_COMMAND, IDC_PRESS, 0);
    EXPECT_TRUE(WINDOW_PumpMessages());
    EXPECT_EQ(1, dialog.m_nPresses);
    PostQuitMessage(3);
    EXPECT_FALSE(WINDOW_PumpMessages());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit stays for the outer loop";
    EXPECT_EQ(3u, msg.wParam);
}

TEST(WindowLayer, AppTitleDefaultsToTheModuleName) {
    EXPECT_STREQ("toolkit_window_win_test", WINDOW_GetAppTitle());
    WINDOW_SetAppTitle("Flarion");
    EXPECT_STREQ("Flarion", WINDOW_GetAppTitle());
    WINDOW_SetAppTitle("");
    EXPECT_STREQ("toolkit_window_win_test", WINDOW_GetAppTitle());
}

TEST(ControlList, FontIsTheHelvDescription) {
    const HFONT hFont = CTRLLIST_CreateFont();
    ASSERT_NE(nullptr, hFont);
    LOGFONTA lf = {};
    ASSERT_EQ(static_cast<int>(sizeof(lf)), GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_STREQ("Helv", lf.lfFaceName);
    EXPECT_EQ(8, lf.lfHeight);
    EXPECT_EQ(0, lf.lfWidth);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
    EXPECT_EQ(PROOF_QUALITY, lf.lfQuality);
    EXPECT_EQ(FF_SWISS, lf.lfPitchAndFamily & 0xF0);
    DeleteObject(hFont);
}

TEST(ControlList, SetFontGivesTheFontToListedControlsAndTracesMissingOnes) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    CDiagCapture capture;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HFONT hFont = CTRLLIST_CreateFont();
    const HFONT hDialogFont = reinterpret_cast<HFONT>(dialog.SendItemMessage(IDC_EDIT, WM_GETFONT));
    const WORD list[] = {IDC_LABEL, 999, IDC_PRESS, CTRLLIST_END};
    EXPECT_FALSE(CTRLLIST_SetFont(list, dialog.GetHandle(), hFont));
    EXPECT_EQ(hFont, reinterpret_cast<HFONT>(dialog.SendItemMessage(IDC_LABEL, WM_GETFONT)));
    EXPECT_EQ(hFont, reinterpret_cast<HFONT>(dialog.SendItemMessage(IDC_PRESS, WM_GETFONT)));
    EXPECT_EQ(hDialogFont, reinterpret_cast<HFONT>(dialog.SendItemMessage(IDC_EDIT, WM_GETFONT)));
    EXPECT_EQ("Control not found on dialog  Self[Step] : 3e7\n", capture.Text());
    dialog.Destroy();
    DeleteObject(hFont);
    DIAG_Terminate();
}

TEST(ControlList, ShowHidesAndShowsTheListedControlsInPlace) {
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    RECT rcBefore, rcAfter;
    GetWindowRect(dialog.GetItem(IDC_LABEL), &rcBefore);
    const WORD list[] = {IDC_LABEL, IDC_PRESS, CTRLLIST_END};
    EXPECT_TRUE(CTRLLIST_Show(list, dialog.GetHandle(), false));
    EXPECT_FALSE(IsWindowVisible(dialog.GetItem(IDC_LABEL)));
    EXPECT_FALSE(IsWindowVisible(dialog.GetItem(IDC_PRESS)));
    EXPECT_TRUE(IsWindowVisible(dialog.GetItem(IDC_EDIT)));
    EXPECT_TRUE(CTRLLIST_Show(list, dialog.GetHandle(), true));
    EXPECT_TRUE(IsWindowVisible(dialog.GetItem(IDC_LABEL)));
    GetWindowRect(dialog.GetItem(IDC_LABEL), &rcAfter);
    EXPECT_TRUE(EqualRect(&rcBefore, &rcAfter));
    const WORD withMissing[] = {999, IDC_EDIT, CTRLLIST_END};
    EXPECT_FALSE(CTRLLIST_Show(withMissing, dialog.GetHandle(), false));
    EXPECT_FALSE(IsWindowVisible(dialog.GetItem(IDC_EDIT)));
    dialog.Destroy();
}

}  // namespace
