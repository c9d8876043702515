// The plug-in library as the browser meets it: the real npvroon.dll loaded by our browser stand-in, its
// tables, instances, windows and streams driven as a Navigator 3.x host drives them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "testing/nphost/nphost_win.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

std::string LibraryPath() {
    return BUILDPATH_SubsystemFile("npvroon.dll");
}

class NPVroonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_host.Load(LibraryPath().c_str())) << LibraryPath();
        ASSERT_EQ(NPERR_NO_ERROR, m_host.GetEntryPoints());
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
        ASSERT_TRUE(m_host.CreateFrame("http://www.example.com/movies/index.html"));
    }
    void TearDown() override { EXPECT_EQ(NPERR_NO_ERROR, m_host.Shutdown()); }

    std::unique_ptr<CNPHostInstance> Instance(const char* szType = "video/quicktime", uint16_t wMode = NP_EMBED) {
        std::unique_ptr<CNPHostInstance> p(new CNPHostInstance(m_host, szType, wMode));
        p->AddAttribute("SRC", "clip.mov");
        return p;
    }

    template <typename FN>
    FN Export(const char* szName) {
        return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(m_host.GetLibrary(), szName)));
    }

    CNPHost m_host;
};

WNDPROC ProcOf(HWND hWnd) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

// The plug-in's own window of this process.
HWND FindOwnWindow() {
    return UIDRIVER_FindOwnWindow(nullptr, "NPXBackground");
}

TEST_F(NPVroonTest, EntryPointsFillThePluginTable) {
    const NPPluginFuncs& f = m_host.PluginFuncs();
    EXPECT_EQ(sizeof(NPPluginFuncs), f.size);
    EXPECT_EQ(6, f.version);
    for (const void* p : {(void*)f.newp, (void*)f.destroy, (void*)f.setwindow, (void*)f.newstream,
                          (void*)f.destroystream, (void*)f.asfile, (void*)f.writeready, (void*)f.write,
                          (void*)f.print})
        EXPECT_NE(nullptr, p);
    EXPECT_EQ(nullptr, reinterpret_cast<void*>(f.event));
}

TEST_F(NPVroonTest, AShortOrMissingPluginTableIsRefusedAndLeftUntouched) {
    auto pfnGetEntryPoints = Export<CNPHost::NP_GETENTRYPOINTS>("NP_GetEntryPoints");
    ASSERT_NE(nullptr, pfnGetEntryPoints);
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, pfnGetEntryPoints(nullptr));
    NPPluginFuncs funcs;
    memset(&funcs, 0x5A, sizeof(funcs));
    funcs.size = NP_PLUGINFUNCS_MINSIZE - 1;
    NPPluginFuncs before = funcs;
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, pfnGetEntryPoints(&funcs));
    EXPECT_EQ(0, memcmp(&before, &funcs, sizeof(funcs)));
    funcs.size = NP_PLUGINFUNCS_MINSIZE;
    EXPECT_EQ(NPERR_NO_ERROR, pfnGetEntryPoints(&funcs));
    EXPECT_EQ(NP_PLUGINFUNCS_MINSIZE, funcs.size);
}

// The least sizes stand for the Navigator 2.x tables: 44 and 52 bytes where pointers are 32 bits wide.
TEST(NPVroonTables, TheLeastSizesReachTheLastFieldOfTheOldTables) {
    const size_t cbPointer = sizeof(void*);
    EXPECT_EQ(sizeof(void*) == 4 ? 44u : 88u, NP_PLUGINFUNCS_MINSIZE);
    EXPECT_EQ(sizeof(void*) == 4 ? 52u : 104u, NP_NETSCAPEFUNCS_MINSIZE);
    EXPECT_EQ(cbPointer * 11, NP_PLUGINFUNCS_MINSIZE);
}

TEST_F(NPVroonTest, TheBrowserTableIsCheckedForVersionAndSize) {
    const struct {
        uint16_t wSize;
        uint16_t wVersion;
        NPError err;
    } cases[] = {
        {NP_NETSCAPEFUNCS_MINSIZE - 1, 6, NPERR_INVALID_FUNCTABLE_ERROR},
        {sizeof(NPNetscapeFuncs), 0x0100 | 6, NPERR_INCOMPATIBLE_VERSION_ERROR},
        {NP_NETSCAPEFUNCS_MINSIZE, 9, NPERR_NO_ERROR},
        {sizeof(NPNetscapeFuncs), 0, NPERR_NO_ERROR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wSize);
        EXPECT_EQ(c.err, m_host.Initialize(c.wSize, c.wVersion));
    }
    EXPECT_EQ(NPERR_INVALID_FUNCTABLE_ERROR, Export<CNPHost::NP_INITIALIZE>("NP_Initialize")(nullptr));
}

TEST_F(NPVroonTest, TheShowOnlyTypeTellsTheUserAndMakesNoInstance) {
    const std::string type =
        "<img src=\"http://www.example.com/flarion/face.gif\" align=left><b>R<small>EELWAY</small></b><hr>";
    auto pInstance = Instance(type.c_str());
    CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, "The Flarion mime type is for show only");
    EXPECT_EQ(NPERR_OUT_OF_MEMORY_ERROR, pInstance->New());
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Flarion", answer.Caption());
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), answer.Style() & MB_ICONMASK);
    EXPECT_EQ(nullptr, pInstance->GetNPP()->pdata);
}

// Every type is played: the instance subclasses its window while attached and gives it back on destroy.
TEST_F(NPVroonTest, AnInstanceOfAnyTypeAttachesToItsWindowAndGivesItBack) {
    for (const char* szType : {"video/quicktime", "audio/wav"}) {
        SCOPED_TRACE(szType);
        auto pInstance = Instance(szType);
        ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
        EXPECT_NE(nullptr, pInstance->GetNPP()->pdata);
        EXPECT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{10, 40, 330, 280}));
        const HWND hWnd = pInstance->GetWindow();
        const WNDPROC pfnHost = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hWnd, GCLP_WNDPROC));
        const WNDPROC pfnPlugin = ProcOf(hWnd);
        EXPECT_NE(pfnHost, pfnPlugin);
        EXPECT_TRUE(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CLIPCHILDREN);
        EXPECT_FALSE(GetWindowLongPtrA(m_host.GetFrame(), GWL_STYLE) & WS_CLIPCHILDREN);

        // A size change only moves the window; the plug-in keeps it as it is.
        EXPECT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{10, 40, 170, 160}));
        EXPECT_EQ(pfnPlugin, ProcOf(hWnd));
        UpdateWindow(hWnd);

        EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
        EXPECT_EQ(pfnHost, ProcOf(hWnd));
        EXPECT_EQ(nullptr, pInstance->GetNPP()->pdata);
    }
}

TEST_F(NPVroonTest, AFullPageInstanceClipsItsParentWhileAttached) {
    auto pInstance = Instance("video/quicktime", NP_FULL);
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    RECT rc;
    GetClientRect(m_host.GetFrame(), &rc);
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{0, NPHOST_LOCATION_HEIGHT, rc.right, rc.bottom}));
    EXPECT_TRUE(GetWindowLongPtrA(m_host.GetFrame(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
    EXPECT_FALSE(GetWindowLongPtrA(m_host.GetFrame(), GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(NPVroonTest, SetWindowWithoutAWindow) {
    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->SetNullWindow());
    EXPECT_EQ(NPERR_GENERIC_ERROR, pInstance->SetWindowHandle(nullptr));
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{0, 40, 100, 140}));
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());

    // Calls for an instance the plug-in does not know.
    CNPHostInstance stranger(m_host, "video/quicktime", NP_EMBED);
    EXPECT_EQ(NPERR_GENERIC_ERROR, stranger.SetWindow(RECT{0, 40, 100, 140}));
    EXPECT_EQ(NPERR_GENERIC_ERROR, stranger.Destroy());
    EXPECT_EQ(NPERR_INVALID_INSTANCE_ERROR, m_host.PluginFuncs().setwindow(nullptr, nullptr));
}

// A hidden clip and a background instance play in an invisible window of the plug-in's own.
TEST_F(NPVroonTest, HiddenAndBackgroundInstancesMakeTheirOwnWindow) {
    auto pHidden = Instance();
    pHidden->AddAttribute("HIDDEN", nullptr);
    ASSERT_EQ(NPERR_NO_ERROR, pHidden->New());
    EXPECT_EQ(nullptr, FindOwnWindow());
    EXPECT_EQ(NPERR_NO_ERROR, pHidden->SetWindow(RECT{0, 40, 100, 140}));
    const HWND hOwn = FindOwnWindow();
    ASSERT_NE(nullptr, hOwn);
    EXPECT_FALSE(IsWindowVisible(hOwn));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetClassLongPtrA(pHidden->GetWindow(), GCLP_WNDPROC)),
              ProcOf(pHidden->GetWindow()))
        << "the page's window is left alone";
    EXPECT_EQ(NPERR_NO_ERROR, pHidden->Destroy());
    EXPECT_FALSE(IsWindow(hOwn));

    auto pBackground = Instance("video/quicktime", NP_BACKGROUND);
    ASSERT_EQ(NPERR_NO_ERROR, pBackground->New());
    const HWND hBackground = FindOwnWindow();
    ASSERT_NE(nullptr, hBackground);
    RECT rc;
    GetWindowRect(hBackground, &rc);
    EXPECT_EQ(1, rc.right - rc.left);
    EXPECT_EQ(NPERR_NO_ERROR, pBackground->Destroy());
    EXPECT_FALSE(IsWindow(hBackground));
}

TEST_F(NPVroonTest, DestroyClearsASavePointerItWasGiven) {
    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    NPSavedData stale = {};
    NPSavedData* pSave = &stale;
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy(&pSave));
    EXPECT_EQ(nullptr, pSave);
}

TEST_F(NPVroonTest, StreamsAreAcceptedWrittenAndDestroyed) {
    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{0, 40, 100, 140}));
    // A server's clip comes as the browser's file, seekable or not.
    for (bool fSeekable : {true, false}) {
        SCOPED_TRACE(fSeekable);
        CNPHostStream stream(*pInstance, "http://www.example.com/movies/clip.mov", "video/quicktime", 20000,
                             fSeekable);
        ASSERT_EQ(NPERR_NO_ERROR, stream.New());
        EXPECT_EQ(NP_ASFILE, stream.GetType());
        EXPECT_NE(nullptr, stream.GetStream().pdata);
        const char data[100] = {};
        EXPECT_EQ(81920, stream.WriteReady());
        EXPECT_EQ(100, stream.Write(0, data, 100));
        EXPECT_EQ(81920, stream.WriteReady());
        EXPECT_EQ(NPERR_NO_ERROR, stream.Destroy(NPRES_DONE));
        EXPECT_EQ(nullptr, stream.GetStream().pdata);
    }
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

TEST_F(NPVroonTest, AStreamThePluginDoesNotKnowIsAnsweredSafely) {
    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    CNPHostStream foreign(*pInstance, "http://www.example.com/x.mov", "video/quicktime", 10, false);
    int nJunk = 0;
    for (void* pData : {static_cast<void*>(nullptr), static_cast<void*>(&nJunk)}) {
        foreign.GetStream().pdata = pData;
        EXPECT_EQ(0x0FFFFFFF, foreign.WriteReady());
        EXPECT_EQ(-1, foreign.Write(0, "x", 1));
        foreign.AsFile("C:\\nothing.mov");
        EXPECT_EQ(NPERR_GENERIC_ERROR, foreign.Destroy(NPRES_DONE));
        EXPECT_EQ(nullptr, foreign.GetStream().pdata);
    }
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

TEST_F(NPVroonTest, AFullPagePrintIsLeftToTheBrowser) {
    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    NPPrint full = {};
    full.mode = NP_FULL;
    full.print.fullPrint.pluginPrinted = true;
    pInstance->Print(&full);
    EXPECT_FALSE(full.print.fullPrint.pluginPrinted);
    NPPrint embed = {};
    embed.mode = NP_EMBED;
    embed.print.embedPrint.window.width = 77;
    pInstance->Print(&embed);
    EXPECT_EQ(77u, embed.print.embedPrint.window.width);
    m_host.PluginFuncs().print(pInstance->GetNPP(), nullptr);
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
}

// A whole clip served as the browser would: in pieces as the plug-in is ready, the file for an as-file type.
TEST_F(NPVroonTest, AServedClipArrivesInPieces) {
    char szFile[MAX_PATH] = "", szFolder[MAX_PATH] = "";
    GetTempPathA(sizeof(szFolder), szFolder);
    GetTempFileNameA(szFolder, "npv", 0, szFile);
    FILE* pFile = fopen(szFile, "wb");
    ASSERT_NE(nullptr, pFile);
    std::string bytes(200000, 'm');
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);

    auto pInstance = Instance();
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->New());
    ASSERT_EQ(NPERR_NO_ERROR, pInstance->SetWindow(RECT{0, 40, 100, 140}));
    CNPHostStream stream(*pInstance, "http://www.example.com/movies/big.mov", "video/quicktime", 0, false);
    ASSERT_TRUE(stream.Serve(szFile, 16384));
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    EXPECT_TRUE(stream.Step(50000));
    EXPECT_EQ(50000u, stream.GetDelivered());
    EXPECT_FALSE(stream.Step(UINT32_MAX));
    EXPECT_EQ(200000u, stream.GetDelivered());
    EXPECT_FALSE(stream.IsAlive());
    EXPECT_EQ(NPERR_NO_ERROR, pInstance->Destroy());
    DeleteFileA(szFile);
}

}  // namespace
