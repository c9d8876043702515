// The plug-in's code linked into the test, driven through our browser stand-in, where its diagnostics,
// its browser requests and its application object can be watched.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "plugin/netstream_win.h"
#include "plugin/npapp_win.h"
#include "plugin/npentry_win.h"
#include "plugin/npwnd_win.h"
#include "testing/nphost/nphost_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

const char PAGE[] = "http://www.example.com/d/index.html";

bool Has(const CDiagCapture& capture, const std::string& text) {
    return capture.Text().find(text) != std::string::npos;
}

class NPAppTest : public testing::Test {
protected:
    void SetUp() override {
        m_host.Attach(NP_GetEntryPoints, NP_Initialize, NP_Shutdown);
        ASSERT_EQ(NPERR_NO_ERROR, m_host.GetEntryPoints());
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
    }
    void TearDown() override { m_host.Shutdown(); }

    // An embedded instance attached to its window in a host window of the given location bar layout.
    std::unique_ptr<CNPHostInstance> Attached(int idLocationBar, const char* szType = "video/quicktime") {
        EXPECT_TRUE(m_host.CreateFrame(PAGE, idLocationBar));
        std::unique_ptr<CNPHostInstance> p(new CNPHostInstance(m_host, szType, NP_EMBED));
        p->AddAttribute("SRC", "clip.mov");
        p->AddAttribute("ISMAP", nullptr);
        EXPECT_EQ(NPERR_NO_ERROR, p->New());
        EXPECT_EQ(NPERR_NO_ERROR, p->SetWindow(RECT{0, 40, 100, 140}));
        return p;
    }

    static CNPBrowser& BrowserOf(CNPHostInstance& instance) {
        return CNPBaseWnd::FromInstance(instance.GetNPP())->GetBrowser();
    }

    CNPHost m_host;
};

TEST_F(NPAppTest, ARefusedBrowserTableIsStillKeptUntilShutdown) {
    for (uint16_t wVersion : {static_cast<uint16_t>(0x0100), static_cast<uint16_t>(6)}) {
        const uint16_t wSize = wVersion == 6 ? NP_NETSCAPEFUNCS_MINSIZE - 1 : sizeof(NPNetscapeFuncs);
        EXPECT_NE(NPERR_NO_ERROR, m_host.Initialize(wSize, wVersion));
        EXPECT_EQ(&m_host.BrowserFuncs(), g_pNavigatorFuncs);
    }
    EXPECT_EQ(NPERR_NO_ERROR, NP_Shutdown());
    EXPECT_EQ(nullptr, g_pNavigatorFuncs);

    CDiagCapture capture;
    EXPECT_EQ(NPERR_GENERIC_ERROR, NPN_GetURL(nullptr, "http://www.example.com/", "_self"));
    EXPECT_TRUE(Has(capture, "g_pNavigatorFuncs\n")) << capture.Text();
    EXPECT_TRUE(m_host.Calls().empty());
}

TEST_F(NPAppTest, ATypeNotKnownForQuickTimeIsNotedAndPlayedAnyway) {
    for (const char* szType : {"video/quicktime", "video/x-quicktime", "VIDEO/QuickTime-Stream", "audio/wav"}) {
        SCOPED_TRACE(szType);
        CNPHostInstance instance(m_host, szType, NP_EMBED);
        CDiagCapture capture;
        EXPECT_EQ(NPERR_NO_ERROR, instance.New());
        EXPECT_EQ(strcmp(szType, "audio/wav") == 0, Has(capture, "fQuickTime\n")) << capture.Text();
        EXPECT_NE(nullptr, dynamic_cast<CNPBaseWnd*>(CNPBaseWnd::FromInstance(instance.GetNPP())));
        EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy());
    }
}

TEST_F(NPAppTest, AFailedCallIsReportedWithItsErrorCode) {
    CNPHostInstance instance(m_host, NPAPP_SHOWONLY_TYPE, NP_EMBED);
    CBoxAnswer answer(IDOK);
    CDiagCapture capture;
    EXPECT_EQ(NPERR_OUT_OF_MEMORY_ERROR, instance.New());
    EXPECT_TRUE(answer.Wait());
    EXPECT_TRUE(Has(capture, "MFX_VERIFY failed: in NPENTRY")) << capture.Text();
    EXPECT_TRUE(Has(capture, "err==NPERR_NO_ERROR\n"));
}

TEST_F(NPAppTest, AttachingBeforeAnyStreamAndDestroyingWithASavePointerAreNoted) {
    ASSERT_TRUE(m_host.CreateFrame(PAGE));
    CNPHostInstance instance(m_host, "video/quicktime", NP_EMBED);
    ASSERT_EQ(NPERR_NO_ERROR, instance.New());
    CDiagCapture capture;
    EXPECT_EQ(NPERR_NO_ERROR, instance.SetWindow(RECT{0, 40, 100, 140}));
    EXPECT_TRUE(Has(capture, "m_pStream\n")) << capture.Text();
    capture.Clear();
    NPSavedData stale = {};
    NPSavedData* pSave = &stale;
    EXPECT_EQ(NPERR_NO_ERROR, instance.Destroy(&pSave));
    EXPECT_EQ(nullptr, pSave);
    EXPECT_TRUE(Has(capture, "*save == NULL\n")) << capture.Text();
}

// The first stream stays with the window after the browser destroyed it; the window releases it.
TEST_F(NPAppTest, TheWindowKeepsItsFirstStream) {
    auto pInstance = Attached(NPHOST_LOCATION_BAR_ID);
    CNPBaseWnd* pWnd = CNPBaseWnd::FromInstance(pInstance->GetNPP());
    CNPHostStream first(*pInstance, "http://www.example.com/d/clip.mov", "video/quicktime", 500, true);
    CNPHostStream second(*pInstance, "http://www.example.com/d/more.mov", "video/quicktime", 0, false);
    ASSERT_EQ(NPERR_NO_ERROR, first.New());
    ASSERT_EQ(NPERR_NO_ERROR, second.New());
    CNetStream* pFirst = pWnd->GetStream();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(first.GetStream().pdata, pFirst);
    EXPECT_EQ("http://www.example.com/d/clip.mov", pFirst->GetURL());
    EXPECT_EQ(NPERR_NO_ERROR, first.Destroy(NPRES_DONE));
    EXPECT_EQ(NPERR_NO_ERROR, second.Destroy(NPRES_NETWORK_ERR));
    EXPECT_EQ(pFirst, pWnd->GetStream());
    EXPECT_FALSE(pFirst->IsBound());
    EXPECT_EQ(500u, pFirst->GetLength());
    EXPECT_EQ(849571200u, pFirst->GetLastModified());
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

TEST_F(NPAppTest, TheBaseURLIsReadFromTheBrowserWindow) {
    for (int idLocationBar : {112, 146, 147}) {
        SCOPED_TRACE(idLocationBar);
        auto pInstance = Attached(idLocationBar);
        std::string sBaseURL;
        EXPECT_TRUE(BrowserOf(*pInstance).QueryBaseURL(sBaseURL));
        EXPECT_EQ(PAGE, sBaseURL);
        std::string sURL = "sub/c.mov";
        EXPECT_TRUE(BrowserOf(*pInstance).MakeAbsolute(sURL));
        EXPECT_EQ("http://www.example.com/d/sub/c.mov", sURL);
        EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
        DestroyWindow(m_host.GetFrame());
    }
}

TEST_F(NPAppTest, WithoutALocationBarThereIsNoBaseURL) {
    auto pInstance = Attached(0);
    CDiagCapture capture;
    std::string sBaseURL = "old";
    EXPECT_FALSE(BrowserOf(*pInstance).QueryBaseURL(sBaseURL));
    EXPECT_EQ("", sBaseURL);
    EXPECT_FALSE(BrowserOf(*pInstance).GetURL("next.html", "_top"));
    EXPECT_TRUE(Has(capture, "fOk = QueryBaseURL(sBaseURL)\n")) << capture.Text();
    EXPECT_TRUE(m_host.Calls().empty());
    EXPECT_TRUE(BrowserOf(*pInstance).GetURL("http://other.example/a.html", "_top"));
    ASSERT_EQ(1u, m_host.Calls().size());
    EXPECT_EQ("geturl http://other.example/a.html _top", m_host.Calls()[0]);
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

TEST_F(NPAppTest, ALinkClickAsksTheBrowserForTheAbsolutePage) {
    auto pInstance = Attached(NPHOST_LOCATION_BAR_ID);
    CNPBrowser& browser = BrowserOf(*pInstance);
    EXPECT_TRUE(browser.LinkClick("next.html", "", 10, 20, true));
    EXPECT_TRUE(browser.LinkClick("/top.html", "frame2", 10, 20, false));
    EXPECT_FALSE(browser.LinkClick("", "frame2", 10, 20, true));
    const std::vector<std::string> expected = {"geturl http://www.example.com/d/next.html?10,20 _self",
                                               "geturl http://www.example.com/top.html frame2"};
    EXPECT_EQ(expected, m_host.Calls());

    m_host.m_errGetURL = NPERR_INVALID_URL;
    CDiagCapture capture;
    EXPECT_FALSE(browser.LinkClick("next.html", "_top", 1, 2, false));
    EXPECT_TRUE(Has(capture, "fOk = (NP_NOERR==NPN_GetURL(m_instance, sURL, szTarget ))\n")) << capture.Text();
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

// Shutdown serves this thread's messages until the last worker thread is gone.
TEST_F(NPAppTest, ShutdownWaitsForTheWorkerThreads) {
    CNPApp* pApp = NPAPP_Get();
    ASSERT_NE(nullptr, pApp);
    ASSERT_TRUE(pApp->m_Threads.AllGone());
    const HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::atomic<bool> fAnswered(false), fEnded(false);
    pApp->m_Threads.Add();
    std::thread worker([&] {
        // The worker needs the browser's thread before it can end.
        fAnswered = SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0) == 0;
        fEnded = true;
        pApp->m_Threads.Remove();
    });
    CDiagCapture capture;
    EXPECT_EQ(NPERR_NO_ERROR, NP_Shutdown());
    EXPECT_TRUE(fEnded);
    EXPECT_TRUE(fAnswered);
    EXPECT_TRUE(pApp->m_Threads.AllGone());
    EXPECT_FALSE(Has(capture, "m_Threads.AllGone()")) << capture.Text();
    worker.join();
    DestroyWindow(hWnd);
}

}  // namespace
