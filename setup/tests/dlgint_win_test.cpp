// The dialog library's binding: the real parvel.dll, a library with templates and no exports, and no library,
// each loaded by its file name from the working directory as the engine loads it.
#include "setup/dlgint_win.h"

#include <gtest/gtest.h>

#include <string>

#include "setup/setupdlg_ids.h"
#include "testing/dlgbare/dlgbare_ids.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

// The real dialog library and the one with its templates alone, as they are built.
const char REAL[] = "..\\setupext\\parvel\\parvel.dll";
const char BARE[] = "..\\testing\\dlgbare\\dlgbare.dll";

// The working directory of a run: a folder holding the given library (none for null) as "parvel.dll".
class DlgintTest : public testing::Test {
protected:
    void SetUp() override {
        UIDRIVER_AddDialogClass(DLG_CLASS);
        GetCurrentDirectoryA(sizeof(m_szWasCurrent), m_szWasCurrent);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.Path().c_str()));
    }
    void TearDown() override {
        DLGINT_FreeLibrary();
        SetCurrentDirectoryA(m_szWasCurrent);
        DeleteFileA((m_folder / DLGINT_LIBRARY).c_str());
    }
    void Provide(const char* szLibrary) {
        DLGINT_FreeLibrary();
        DeleteFileA((m_folder / DLGINT_LIBRARY).c_str());
        if (!szLibrary)
            return;
        const std::string source = BUILDPATH_SubsystemFile(szLibrary);
        ASSERT_TRUE(CopyFileA(source.c_str(), (m_folder / DLGINT_LIBRARY).c_str(), FALSE)) << source;
    }

    CTempFolder m_folder{"dlgint"};
    char m_szWasCurrent[MAX_PATH] = "";
};

INT_PTR CALLBACK EndingDialog(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG) {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        return TRUE;
    }
    if (uMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::string ClassOf(HWND hWnd) {
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return szClass;
}

TEST_F(DlgintTest, LoadsOnceFromTheWorkingDirectory) {
    Provide(REAL);
    ASSERT_TRUE(DLGINT_LoadLibrary());
    HINSTANCE hLoaded = DLGINT_GetLibrary();
    char szFile[MAX_PATH] = "";
    GetModuleFileNameA(hLoaded, szFile, sizeof(szFile));
    EXPECT_STRCASEEQ((m_folder / DLGINT_LIBRARY).c_str(), szFile);

    CDiagCapture capture;
    EXPECT_FALSE(DLGINT_LoadLibrary());
    EXPECT_NE(std::string::npos, capture.Text().find("!DLGINT_HINSTANCE")) << capture.Text();
    EXPECT_EQ(hLoaded, DLGINT_GetLibrary());

    DLGINT_FreeLibrary();
    EXPECT_FALSE(DLGINT_GetLibrary());
    Provide(nullptr);
    EXPECT_FALSE(DLGINT_LoadLibrary());
    EXPECT_FALSE(DLGINT_GetLibrary());
}

// The same box whichever way it is shown: the library's export, the platform's for a library without it or
// without a library.
TEST_F(DlgintTest, MessageBoxesShowTheirTextCaptionAndButtons) {
    for (const char* szLibrary : {REAL, BARE, static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(szLibrary ? szLibrary : "no library");
        Provide(szLibrary);
        EXPECT_EQ(szLibrary != nullptr, DLGINT_LoadLibrary());
        CBoxAnswer answer(IDNO);
        EXPECT_EQ(IDNO, DLGINT_MessageBox(nullptr, "Install the plug-in?", "Setup", MB_YESNO | MB_ICONQUESTION));
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ("Install the plug-in?", answer.Text());
        EXPECT_EQ("Setup", answer.Caption());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), answer.Style() & (MB_TYPEMASK | MB_ICONMASK));
    }
}

struct DIALOGCASE {
    const char* szLibrary;
    const char* szTemplate;
    const char* szCaption;  // null: the dialog fails
    const char* szClass;
};
const DIALOGCASE DIALOGS[] = {
    {REAL, "SETUP_NEWDIR", "Create New Folder", DLG_CLASS},  // modal: the export; modeless: the fallback
    {BARE, "BARE_DIALOG", "Bare Dialog", "#32770"},          // the fallbacks
    {BARE, "NO_SUCH_TEMPLATE", nullptr, nullptr},
    {nullptr, "SETUP_NEWDIR", nullptr, nullptr},
};

TEST_F(DlgintTest, ModalDialogsComeFromTheLibrarysTemplates) {
    for (const DIALOGCASE& c : DIALOGS) {
        SCOPED_TRACE(std::string(c.szLibrary ? c.szLibrary : "no library") + " " + c.szTemplate);
        Provide(c.szLibrary);
        DLGINT_LoadLibrary();
        std::string caption, windowClass;
        HWND hOwner = nullptr;
        CDiagCapture capture;
        INT_PTR nResult = 0;
        {
            CModalTimeout guard(UIDRIVER_TIMEOUT * 2);
            CUserThread user([&] {
                if (!c.szCaption)
                    return;
                HWND hDlg = UIDRIVER_WaitForDialog(c.szCaption, UIDRIVER_TIMEOUT);
                ASSERT_TRUE(hDlg);
                caption = UIDRIVER_GetText(hDlg);
                windowClass = ClassOf(hDlg);
                hOwner = GetWindow(hDlg, GW_OWNER);
                PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
            });
            nResult = DLGINT_DialogBoxParam(GetModuleHandleA(nullptr), c.szTemplate, nullptr, EndingDialog, 7);
            EXPECT_FALSE(guard.Expired());
        }
        if (c.szCaption) {
            EXPECT_EQ(IDCANCEL, nResult);
            EXPECT_EQ(c.szCaption, caption);
            EXPECT_EQ(c.szClass, windowClass);
            EXPECT_EQ(std::string::npos, capture.Text().find("nResult!=-1")) << capture.Text();
        } else {
            EXPECT_EQ(-1, nResult);
            EXPECT_NE(std::string::npos, capture.Text().find("nResult!=-1")) << capture.Text();
        }
    }
}

TEST_F(DlgintTest, ModelessDialogsComeFromTheLibrarysTemplates) {
    HWND hOwner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const DIALOGCASE& c : DIALOGS) {
        SCOPED_TRACE(std::string(c.szLibrary ? c.szLibrary : "no library") + " " + c.szTemplate);
        Provide(c.szLibrary);
        DLGINT_LoadLibrary();
        CDiagCapture capture;
        HWND hDlg = DLGINT_CreateDialogParam(GetModuleHandleA(nullptr), c.szTemplate, hOwner, EndingDialog, 7);
        if (c.szCaption) {
            ASSERT_TRUE(hDlg);
            EXPECT_EQ(c.szCaption, UIDRIVER_GetText(hDlg));
            EXPECT_EQ(c.szClass, ClassOf(hDlg));
            EXPECT_EQ(hOwner, GetWindow(hDlg, GW_OWNER));
            EXPECT_EQ(7, GetWindowLongPtrA(hDlg, DWLP_USER));  // the parameter reached the procedure
            EXPECT_EQ(std::string::npos, capture.Text().find("IsWindow(hWnd)")) << capture.Text();
            DestroyWindow(hDlg);
        } else {
            EXPECT_FALSE(hDlg);
            EXPECT_NE(std::string::npos, capture.Text().find("IsWindow(hWnd)")) << capture.Text();
        }
    }
    DestroyWindow(hOwner);
}

// The record names the library's template; the platform's dialog runs it from memory, with its control.
TEST_F(DlgintTest, SaveFileDialogTakesTheLibrarysTemplate) {
    Provide(BARE);
    ASSERT_TRUE(DLGINT_LoadLibrary());
    char szFile[MAX_PATH] = "setup.log";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof(szFile);
    ofn.lpTemplateName = "BARE_SAVE";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_HIDEREADONLY;
    std::string extra;
    BOOL fOk = TRUE;
    {
        CModalTimeout guard(UIDRIVER_TIMEOUT * 3);
        CUserThread user([&] {
            HWND hDlg = UIDRIVER_WaitForDialog(nullptr, UIDRIVER_TIMEOUT * 2);
            ASSERT_TRUE(hDlg);
            UIDRIVER_WaitUntil(
                [&] {
                    HWND hChild = FindWindowExA(hDlg, nullptr, "#32770", nullptr);
                    extra = hChild ? UIDRIVER_GetItemText(hChild, IDC_BARE_SAVETEXT) : "";
                    return !extra.empty();
                },
                UIDRIVER_TIMEOUT);
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
        fOk = DLGINT_GetSaveFileName(&ofn);
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_FALSE(fOk);
    EXPECT_EQ("Saved from the bare library", extra);
    EXPECT_EQ(static_cast<DWORD>(OFN_ENABLETEMPLATEHANDLE),
              ofn.Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE));
}

BITMAP SizeOf(HBITMAP hBitmap) {
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof(bm), &bm);
    return bm;
}

TEST_F(DlgintTest, BitmapsComeFromTheLibraryThenTheEngine) {
    Provide(BARE);
    ASSERT_TRUE(DLGINT_LoadLibrary());
    HINSTANCE hEngine = GetModuleHandleA(nullptr);
    HBITMAP hLibrary = DLGINT_LoadBitmap(hEngine, "BAREBMP");
    HBITMAP hOwn = DLGINT_LoadBitmap(hEngine, "ENGINEBMP");
    ASSERT_TRUE(hLibrary);
    ASSERT_TRUE(hOwn);
    EXPECT_EQ(8, SizeOf(hLibrary).bmWidth);
    EXPECT_EQ(3, SizeOf(hOwn).bmWidth);
    DeleteObject(hLibrary);
    DeleteObject(hOwn);

    CDiagCapture capture;
    EXPECT_FALSE(DLGINT_LoadBitmap(hEngine, "NOSUCHBMP"));
    EXPECT_NE(std::string::npos, capture.Text().find("hBitmap")) << capture.Text();

    Provide(nullptr);  // without a library, the engine's own
    HBITMAP hAlone = DLGINT_LoadBitmap(hEngine, "ENGINEBMP");
    EXPECT_EQ(5, SizeOf(hAlone).bmHeight);
    DeleteObject(hAlone);
}

}  // namespace
