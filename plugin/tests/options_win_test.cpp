// The plug-in's settings file and its dialogs, with the plug-in's code linked in and its dialogs answered by
// a user thread.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugin/aboutmedia_win.h"
#include "plugin/mcistream_win.h"
#include "plugin/movieoptions.h"
#include "plugin/movieoptions_win.h"
#include "plugin/npentry_win.h"
#include "plugin/npwnd_win.h"
#include "plugin/options_ids.h"
#include "plugin/optionsdlg_win.h"
#include "testing/nphost/nphost_win.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using std::string;
using std::vector;

int StoredProgressFlag() {
    return static_cast<int>(
        GetPrivateProfileIntA(MOVIEOPTIONS_SECTION, MOVIEOPTIONS_PROGRESSKEY, -1, MOVIEOPTIONS_FILE));
}

void StoreProgressFlag(const char* szValue) {
    WritePrivateProfileStringA(MOVIEOPTIONS_SECTION, MOVIEOPTIONS_PROGRESSKEY, szValue, MOVIEOPTIONS_FILE);
}

vector<string> ListLines(HWND hList) {
    vector<string> lines;
    const int nCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        char szLine[1024] = "";
        SendMessageA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szLine));
        lines.push_back(szLine);
    }
    return lines;
}

class OptionsTest : public testing::Test {
protected:
    void SetUp() override {
        m_host.Attach(NP_GetEntryPoints, NP_Initialize, NP_Shutdown);
        ASSERT_EQ(NPERR_NO_ERROR, m_host.GetEntryPoints());
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
        ASSERT_TRUE(m_host.CreateFrame("http://www.example.com/movies/index.html"));
    }
    void TearDown() override {
        m_pInstance.reset();
        m_host.Shutdown();
        StoreProgressFlag(nullptr);
    }

    CNPHost m_host;
    std::unique_ptr<CNPHostInstance> m_pInstance;
    CTempFolder m_folder{"options"};
};

TEST_F(OptionsTest, TheProgressFlagIsReadAtTheStartAndStoredAtTheEnd) {
    const struct {
        const char* szStored;  // null: no such key
        int fShown;
    } cases[] = {{nullptr, 1}, {"0", 0}, {"1", 1}, {"none", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szStored ? c.szStored : "(no key)");
        m_host.Shutdown();
        StoreProgressFlag(c.szStored);
        MOVIEOPTIONS_Get().m_nStartPercent = 50;
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
        EXPECT_EQ(c.fShown, MOVIEOPTIONS_Get().m_fShowProgress);
        EXPECT_EQ(15, MOVIEOPTIONS_Get().m_nStartPercent) << "every other setting starts from its default";
    }
    MOVIEOPTIONS_Get().m_fShowProgress = 0;
    m_host.Shutdown();
    EXPECT_EQ(0, StoredProgressFlag());
    ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
    EXPECT_EQ(0, MOVIEOPTIONS_Get().m_fShowProgress);
    MOVIEOPTIONS_Get().m_fShowProgress = 1;
    m_host.Shutdown();
    EXPECT_EQ(1, StoredProgressFlag());
    ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
}

// About Media for a clip from the local disk, embedded with SRC and LOOP, and shown full page.
TEST_F(OptionsTest, AboutMediaListsTheStreamAndTheAttributesOfAnEmbeddedClip) {
    const string clip = m_folder / "clip.mov";
    FILE* pFile = fopen(clip.c_str(), "wb");
    ASSERT_NE(nullptr, pFile);
    fwrite("moov", 1, 4, pFile);
    fclose(pFile);
    string url = "file:///C|" + clip.substr(2);
    for (char& c : url)
        c = c == '\\' ? '/' : c;

    for (uint16_t wMode : {NP_EMBED, NP_FULL}) {
        SCOPED_TRACE(wMode);
        m_pInstance.reset(new CNPHostInstance(m_host, "video/quicktime", wMode));
        m_pInstance->AddAttribute("SRC", "clip.mov");
        m_pInstance->AddAttribute("LOOP", nullptr);
        ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->New());
        ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->SetWindow(RECT{0, 40, 320, 280}));
        CNPHostStream stream(*m_pInstance, url.c_str(), "video/quicktime", 4, false);
        ASSERT_EQ(NPERR_NO_ERROR, stream.New());
        EXPECT_EQ(-1, stream.Write(0, "moov", 4));
        auto* pWnd = dynamic_cast<CNPWndL*>(CNPBaseWnd::FromInstance(m_pInstance->GetNPP()));
        ASSERT_NE(nullptr, pWnd);
        auto* pStream = dynamic_cast<CMCIStream*>(pWnd->GetStream());
        ASSERT_NE(nullptr, pStream);

        vector<string> lines;
        RECT rcDialog = {};
        CModalTimeout guard(15000);
        CUserThread user([&] {
            const HWND hDlg = UIDRIVER_WaitForDialog("About Media", UIDRIVER_TIMEOUT);
            if (!hDlg)
                return;
            lines = ListLines(GetDlgItem(hDlg, OPTIONS_IDC_MEDIALIST));
            GetWindowRect(hDlg, &rcDialog);
            if (wMode == NP_EMBED)
                UIDRIVER_Pose("plugin-aboutmedia", false);
            UIDRIVER_PressButton(hDlg, IDOK);
        });
        CAboutMediaDlg dialog(pStream, m_host.GetFrame(), pWnd->GetProperties(), pWnd->IsFullPage());
        EXPECT_EQ(IDOK, dialog.DoModal());
        user.Join();
        EXPECT_FALSE(guard.Expired());

        vector<string> expected;
        pStream->GetInformation(expected);
        ASSERT_EQ(6u, expected.size());
        EXPECT_EQ("The media is a local file smart-loaded by Flarion.", expected[3]);
        if (wMode == NP_EMBED) {
            for (const char* szLine :
                 {"<EMBED> tag properties", "EMBEDDED\tTRUE", "LOOP\tTRUE", "SRC\tclip.mov", "</EMBED> tag properties"})
                expected.push_back(szLine);
        }
        EXPECT_EQ(expected, lines);
        RECT rcFrame;
        GetWindowRect(m_host.GetFrame(), &rcFrame);
        EXPECT_NEAR((rcFrame.left + rcFrame.right) / 2, (rcDialog.left + rcDialog.right) / 2, 2) << "centred";
        m_pInstance->Destroy();
    }
}

// The options dialog over the host window, answered by a user thread; the drive's free space from a stand-in
// unless a test gives the real one.
class OptionsDialogTest : public OptionsTest {
protected:
    static void SetUpTestSuite() { UIDRIVER_AddDialogClass(MOVIEOPTIONS_DIALOGCLASS); }
    static int PlentyFree(const char*, uint64_t* pqwFree) {
        *pqwFree = 1ull << 40;
        return 1;
    }
    static int FiftyMegabytesFree(const char*, uint64_t* pqwFree) {
        *pqwFree = 50ull << 20;
        return 1;
    }

    // Runs the dialog with the script on a user thread; the dialog's result.
    INT_PTR Run(CMovieOptions& options, OPTIONSDLG_FREESPACE pfnFreeSpace, const std::function<void(HWND)>& fnScript) {
        CModalTimeout guard(20000);
        CUserThread user([&] {
            const HWND hDlg = UIDRIVER_WaitForDialog("Orvanta Reelway - Options", UIDRIVER_TIMEOUT);
            if (hDlg)
                fnScript(hDlg);
        });
        COptionsDlg dialog(m_host.GetFrame(), options, pfnFreeSpace);
        const INT_PTR nResult = dialog.DoModal();
        user.Join();
        EXPECT_FALSE(guard.Expired());
        return nResult;
    }

    static void SetItem(HWND hDlg, int idControl, const char* szText) {
        SendMessageA(GetDlgItem(hDlg, idControl), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(szText));
    }
};

const char RESTART[] = "You must restart Netscape for these changes to take effect";

TEST_F(OptionsDialogTest, NumbersOutOfRangeAreRefusedAndTheDialogStaysOpen) {
    const struct {
        int idControl;
        const char* szValue;
        const char* szRefusal;  // null: accepted
    } cases[] = {
        {OPTIONS_IDC_STARTPERCENT, "5", "Please enter an integer between 10 and 100."},
        {OPTIONS_IDC_STARTPERCENT, "10", nullptr},
        {OPTIONS_IDC_STARTPERCENT, "100", nullptr},
        {OPTIONS_IDC_STARTPERCENT, "101", "Please enter an integer between 10 and 100."},
        {OPTIONS_IDC_CACHESIZE, "0", "Please enter an integer between 1 and 100."},
        {OPTIONS_IDC_CACHESIZE, "100", nullptr},
        {OPTIONS_IDC_TIMEOUT, "", "Please enter an integer between 1 and 100."},
        {OPTIONS_IDC_TIMEOUT, "1", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.idControl) + " " + c.szValue);
        CMovieOptions options;
        string caption, text;
        UINT uStyle = 0;
        bool fStillOpen = false;
        string focused;
        const INT_PTR nResult = Run(options, PlentyFree, [&](HWND hDlg) {
            SetItem(hDlg, c.idControl, c.szValue);
            CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, c.szRefusal ? c.szRefusal : RESTART);
            PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
            if (!answer.Wait())
                return;
            caption = answer.Caption();
            text = answer.Text();
            uStyle = answer.Style();
            fStillOpen = IsWindow(hDlg) && IsWindowVisible(hDlg);
            if (fStillOpen)
                UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
        if (c.szRefusal) {
            EXPECT_EQ(c.szRefusal, text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), uStyle & MB_ICONMASK);
            EXPECT_TRUE(fStillOpen);
            EXPECT_EQ(IDCANCEL, nResult);
        } else {
            EXPECT_EQ(RESTART, text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), uStyle & MB_ICONMASK);
            EXPECT_EQ(IDOK, nResult);
            const int nValue = atoi(c.szValue);
            EXPECT_EQ(nValue, c.idControl == OPTIONS_IDC_STARTPERCENT ? options.m_nStartPercent
                              : c.idControl == OPTIONS_IDC_CACHESIZE  ? options.m_nCacheSize
                                                                      : options.m_nTimeout);
        }
        EXPECT_EQ(OPTIONSDLG_CAPTION, caption);
    }
}

TEST_F(OptionsDialogTest, ACacheLargerThanTheDriveIsReportedWithTheFreeMegabytes) {
    CMovieOptions options;
    string text;
    UINT uStyle = 0;
    bool fStillOpen = false;
    const INT_PTR nResult = Run(options, FiftyMegabytesFree, [&](HWND hDlg) {
        SetItem(hDlg, OPTIONS_IDC_CACHESIZE, "100");
        SetItem(hDlg, OPTIONS_IDC_STARTPERCENT, "40");
        CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT,
                          "The cache size is greater than the amount of free space on the drive.\n\n(There is 50MB of "
                          "free space in C:\\REELWAY\\CACHE.)");
        PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        if (!answer.Wait())
            return;
        text = answer.Text();
        uStyle = answer.Style();
        fStillOpen = IsWindow(hDlg) && IsWindowVisible(hDlg);
        UIDRIVER_Pose("plugin-options", false);
        UIDRIVER_PressButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(
        "The cache size is greater than the amount of free space on the drive.\n\n(There is 50MB of free space "
        "in C:\\REELWAY\\CACHE.)",
        text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), uStyle & MB_ICONMASK);
    EXPECT_TRUE(fStillOpen);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(10, options.m_nCacheSize) << "Cancel leaves the options as they were";
    EXPECT_EQ(15, options.m_nStartPercent);

    // The real drive of a folder: the message names its free megabytes when 100 MB do not fit.
    ULARGE_INTEGER free = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA(m_folder.Path().substr(0, 3).c_str(), &free, nullptr, nullptr));
    const uint64_t qwFreeMB = free.QuadPart >> 20;
    PATHNAME_Assign(options.m_szCacheFolder, m_folder.Path().c_str());
    const string expected = qwFreeMB <= 100
                                ? "The cache size is greater than the amount of free space on the drive.\n\n"
                                  "(There is " +
                                      std::to_string(qwFreeMB) + "MB of free space in " + options.m_szCacheFolder + ".)"
                                : RESTART;
    text.clear();
    const INT_PTR nReal = Run(options, PATHNAME_GetFreeSpace64, [&](HWND hDlg) {
        SetItem(hDlg, OPTIONS_IDC_CACHESIZE, "100");
        CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, expected.c_str());
        PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        if (answer.Wait())
            text = answer.Text();
        if (IsWindow(hDlg))
            UIDRIVER_PressButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(expected, text) << qwFreeMB << " MB free";
    EXPECT_EQ(qwFreeMB <= 100 ? IDCANCEL : IDOK, nReal);
}

TEST_F(OptionsDialogTest, ClearCacheAsksAndDeletesTheFilesOfTheFolder) {
    for (const char* szName : {"REEL0061", "REEL6202.DSK", "other.txt"}) {
        FILE* pFile = fopen((m_folder / szName).c_str(), "wb");
        ASSERT_NE(nullptr, pFile);
        fclose(pFile);
    }
    ASSERT_TRUE(CreateDirectoryA((m_folder / "keep").c_str(), nullptr));
    CMovieOptions options;
    PATHNAME_Assign(options.m_szCacheFolder, m_folder.Path().c_str());
    PATHNAME_TrimLastSlash(options.m_szCacheFolder);
    for (int idAnswer : {IDNO, IDYES}) {
        SCOPED_TRACE(idAnswer);
        string question;
        const string expected = string("Delete the files in ") + options.m_szCacheFolder;
        Run(options, PlentyFree, [&](HWND hDlg) {
            CBoxAnswer answer(idAnswer, UIDRIVER_TIMEOUT, expected.c_str());
            PostMessageA(hDlg, WM_COMMAND, OPTIONS_IDC_CLEARCACHE, 0);
            if (answer.Wait())
                question = answer.Text();
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(expected, question);
        EXPECT_EQ(idAnswer == IDNO, PATHNAME_Exists((m_folder / "REEL0061").c_str()) != 0);
        EXPECT_EQ(idAnswer == IDNO, PATHNAME_Exists((m_folder / "other.txt").c_str()) != 0);
        EXPECT_TRUE(PATHNAME_FolderExists((m_folder / "keep").c_str()));
    }
}

TEST_F(OptionsDialogTest, TheBackgroundPageEditsTheSchemeOfFullPageClips) {
    CMovieOptions options;
    bool fOrvantaChecked = false;
    CModalTimeout guard(20000);
    CUserThread user([&] {
        const HWND hDlg = UIDRIVER_WaitForDialog("Orvanta Reelway - Background", UIDRIVER_TIMEOUT);
        if (!hDlg)
            return;
        fOrvantaChecked = IsDlgButtonChecked(hDlg, OPTIONS_IDC_ORVANTA) == BST_CHECKED;
        char szClass[32] = "";
        GetClassNameA(hDlg, szClass, sizeof(szClass));
        EXPECT_STREQ(MOVIEOPTIONS_DIALOGCLASS, szClass);
        UIDRIVER_Pose("plugin-background", false);
        SendDlgItemMessageA(hDlg, OPTIONS_IDC_SOLID, BM_CLICK, 0, 0);
        SetItem(hDlg, OPTIONS_IDC_PICTUREPATH, "C:\\PICTURES\\SKY.BMP");
        UIDRIVER_PressButton(hDlg, IDOK);
    });
    EXPECT_TRUE(OPTIONSDLG_Background(m_host.GetFrame(), options));
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_TRUE(fOrvantaChecked);
    EXPECT_EQ(2, options.m_lBackgroundType);
    EXPECT_STREQ("C:\\PICTURES\\SKY.BMP", options.m_szBackgroundPicture);
}

// The about box with its picture window, which a click takes away.
TEST_F(OptionsDialogTest, TheAboutBoxShowsTheVersionTheTitleFontAndThePicture) {
    string version, product;
    LOGFONTA font = {};
    RECT rcPicture = {};
    bool fPictureGone = false;
    CModalTimeout guard(20000);
    CUserThread user([&] {
        const HWND hDlg = UIDRIVER_WaitForDialog("About", UIDRIVER_TIMEOUT);
        if (!hDlg)
            return;
        version = UIDRIVER_GetItemText(hDlg, OPTIONS_IDC_VERSION);
        product = UIDRIVER_GetItemText(hDlg, OPTIONS_IDC_PRODUCT);
        const HFONT hFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(hDlg, OPTIONS_IDC_PRODUCT, WM_GETFONT, 0, 0));
        GetObjectA(hFont, sizeof(font), &font);
        HWND hPicture = nullptr;
        UIDRIVER_WaitUntil(
            [&] {
                hPicture = nullptr;
                for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
                    DWORD dwProcess = 0;
                    GetWindowThreadProcessId(h, &dwProcess);
                    if (dwProcess == GetCurrentProcessId() && GetWindow(h, GW_OWNER) == hDlg && IsWindowVisible(h))
                        hPicture = h;
                }
                return hPicture != nullptr;
            },
            UIDRIVER_TIMEOUT);
        if (hPicture) {
            GetWindowRect(hPicture, &rcPicture);
            UIDRIVER_Pose("plugin-about", false);
            SendMessageA(hPicture, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            fPictureGone = !IsWindow(hPicture);
        }
        UIDRIVER_PressButton(hDlg, IDOK);
    });
    CAboutDlg(m_host.GetFrame()).DoModal();
    user.Join();
    EXPECT_FALSE(guard.Expired());
    EXPECT_EQ("1.00.02", version);
    EXPECT_EQ("Flarion", product);
    EXPECT_STREQ("Times New Roman", font.lfFaceName);
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_EQ(240 + 2, rcPicture.right - rcPicture.left) << "the bitmap in a frame of one pixel";
    EXPECT_EQ(96 + 2, rcPicture.bottom - rcPicture.top);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rcPicture.left + rcPicture.right) / 2, 1);
    EXPECT_TRUE(fPictureGone);
}

}  // namespace
