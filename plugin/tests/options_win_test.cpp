// The plug-in's settings file and its dialogs, with the plug-in's code linked in and its dialogs answered by
// a user thread.
#include <gtest/gtest.h>

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
#include "testing/nphost/nphost_win.h"
#include "tools/testsupport/tempfolder_win.h"
#include "tools/testsupport/uidriver_win.h"

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

}  // namespace
