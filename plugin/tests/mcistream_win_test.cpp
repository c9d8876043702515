// The media streams through our browser stand-in: a window of the real stream choice that records what its
// streams tell it, clips served from local files as the browser would serve them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/cachename.h"
#include "plugin/mcistream_win.h"
#include "plugin/movieoptions.h"
#include "plugin/movwnd_win.h"
#include "plugin/npentry_win.h"
#include "testing/nphost/nphost_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using std::string;
using std::vector;

const char PAGE[] = "http://www.example.com/movies/index.html";
const char REMOTE_URL[] = "http://www.example.com/movies/big.mov";

// The stream choice of the movie window, with the open requests and progress posts kept.
class CRecordingWnd : public CMOVWndL {
public:
    using CMOVWndL::CMOVWndL;

    bool OnFileReady(const char* szFileName, const char* szURL, int nFlag) override {
        m_opened.push_back(std::make_pair(string(szFileName), string(szURL)));
        return true;
    }

    vector<std::pair<string, string>> m_opened;
    vector<std::pair<WPARAM, LPARAM>> m_posts;

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override {
        if (uMsg == MCISTREAM_WM_PROGRESS)
            m_posts.push_back(std::make_pair(wParam, lParam));
        return CMOVWndL::OnMessage(uMsg, wParam, lParam, lResult);
    }
};

string Bytes(size_t cb) {
    string bytes(cb, '\0');
    for (size_t i = 0; i < cb; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void WriteFile(const string& path, const string& bytes) {
    FILE* pFile = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, pFile) << path;
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

string ReadFile(const string& path) {
    string bytes;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return "(missing)";
    char buffer[4096];
    for (size_t cb; (cb = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
        bytes.append(buffer, cb);
    fclose(pFile);
    return bytes;
}

// C:\dir\clip.mov as the browser writes it: file:///C|/dir/clip.mov.
string FileURL(const string& path) {
    string url = "file:///" + path;
    for (char& c : url)
        c = c == '\\' ? '/' : c;
    url[9] = '|';
    return url;
}

void Pump(DWORD msTime) {
    const DWORD dwStart = GetTickCount();
    UIDRIVER_PumpUntil([&] { return GetTickCount() - dwStart >= msTime; }, msTime + 1000);
}

class MCIStreamTest : public testing::Test {
protected:
    void SetUp() override {
        m_host.Attach(NP_GetEntryPoints, NP_Initialize, NP_Shutdown);
        ASSERT_EQ(NPERR_NO_ERROR, m_host.GetEntryPoints());
        ASSERT_EQ(NPERR_NO_ERROR, m_host.Initialize());
        ASSERT_TRUE(m_host.CreateFrame(PAGE));
        m_options = MOVIEOPTIONS_Get();
    }
    void TearDown() override {
        if (m_pInstance)
            m_pInstance->Destroy();
        MOVIEOPTIONS_Get() = m_options;
        m_host.Shutdown();
    }

    // An instance of the recording window, attached to its window in the host.
    void Attach(uint16_t wMode, const char* szType = "video/quicktime") {
        m_pInstance.reset(new CNPHostInstance(m_host, szType, wMode));
        m_pWnd = new CRecordingWnd(static_cast<int16_t>(wMode), szType);
        m_pWnd->SetInstance(m_pInstance->GetNPP());
        RECT rc;
        GetClientRect(m_host.GetFrame(), &rc);
        ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->SetWindow(RECT{0, NPHOST_LOCATION_HEIGHT, rc.right, rc.bottom}));
    }

    CMCIStream* Stream() { return dynamic_cast<CMCIStream*>(m_pWnd->GetStream()); }

    vector<string> Information() {
        vector<string> lines;
        Stream()->GetInformation(lines);
        return lines;
    }

    CNPHost m_host;
    CMovieOptions m_options;
    std::unique_ptr<CNPHostInstance> m_pInstance;
    CRecordingWnd* m_pWnd = nullptr;  // deleted by the instance's destroy
    CTempFolder m_folder{"mcistream"};
};

// A remote clip at a slow rate: the full-page window hears the total and then the received share in steps
// of more than 4 percent, the clip opens once the browser has its file, and its copy is the clip.
TEST_F(MCIStreamTest, ARemoteClipReportsProgressOpensWithItsFileAndSavesAnIdenticalCopy) {
    const string clip = m_folder / "big.mov";
    WriteFile(clip, Bytes(200000));
    Attach(NP_FULL);
    CNPHostStream stream(*m_pInstance, REMOTE_URL, "video/quicktime", 0, true);
    ASSERT_TRUE(stream.Serve(clip.c_str(), 1000));
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    EXPECT_EQ(NP_ASFILE, stream.GetType()) << "a server's clip comes as the browser's file, seekable or not";
    ASSERT_NE(nullptr, Stream());
    EXPECT_EQ(MCISTREAM_WAITING_FOR_OPEN, Stream()->GetStatus());
    EXPECT_EQ("big.mov", Stream()->GetClipName());

    while (stream.GetDelivered() < 200000 && stream.Step(1000)) {
        Pump(0);
        EXPECT_TRUE(m_pWnd->m_opened.empty());
        EXPECT_FALSE(Stream()->IsComplete() && stream.GetDelivered() < 200000);
    }
    Pump(100);
    ASSERT_GE(m_pWnd->m_posts.size(), 3u);
    EXPECT_EQ(std::make_pair(WPARAM(1), LPARAM(200000)), m_pWnd->m_posts[0]);
    LPARAM lPrevious = 0;
    for (size_t i = 1; i < m_pWnd->m_posts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0u, m_pWnd->m_posts[i].first);
        if (i + 1 < m_pWnd->m_posts.size()) {
            EXPECT_GT(m_pWnd->m_posts[i].second - lPrevious, 200000 * 4 / 100);
        }
        lPrevious = m_pWnd->m_posts[i].second;
    }
    EXPECT_EQ(200000, lPrevious) << "the last post is the whole clip";
    EXPECT_LE(m_pWnd->m_posts.size(), 27u) << "posts come in steps, not per piece";

    EXPECT_FALSE(stream.Step(UINT32_MAX));
    ASSERT_EQ(1u, m_pWnd->m_opened.size());
    EXPECT_EQ(clip, m_pWnd->m_opened[0].first);
    EXPECT_EQ(REMOTE_URL, m_pWnd->m_opened[0].second);
    EXPECT_TRUE(Stream()->IsOpenSent());
    EXPECT_TRUE(Stream()->IsComplete());
    EXPECT_FALSE(Stream()->IsDownloading());

    PATHNAME szCache = "";
    ASSERT_TRUE(CACHENAME_Construct(szCache, "C:\\REELWAY\\CACHE", REMOTE_URL, ""));
    const vector<string> expected = {
        "MIME:\tvideo/quicktime",
        string("URL:\t") + REMOTE_URL,
        "Size:\t200000 bytes",
        "\twww.example.com does not support byte range URLs.",
        string("Cached in:\t") + szCache,
        "Flarion sent an open command to the media clip viewer.",
    };
    EXPECT_EQ(expected, Information());

    // Saved through the save dialog, which offers the clip's name in the media folder.
    MOVIEOPTIONS_Get().m_szMediaFolder[0] = '\0';
    PATHNAME_Assign(MOVIEOPTIONS_Get().m_szMediaFolder, m_folder.Path().c_str());
    const string copy = m_folder / "copy.mov";
    string offered;
    bool fSaved = false;
    {
        CModalTimeout guard(15000);
        CUserThread user([&] {
            const HWND hDlg = UIDRIVER_WaitForDialog("Save As", UIDRIVER_TIMEOUT);
            if (!hDlg)
                return;
            offered = UIDRIVER_GetItemText(hDlg, 0x47c);
            SendMessageA(GetDlgItem(hDlg, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
            UIDRIVER_PressButton(hDlg, IDOK);
        });
        fSaved = Stream()->UI_SaveAs(m_host.GetFrame());
        user.Join();
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_TRUE(fSaved);
    EXPECT_EQ("big.mov", offered);
    EXPECT_TRUE(ReadFile(clip) == ReadFile(copy)) << "the copy is byte for byte the clip";
}

// A server that does not tell the length: the browser's file gives it, so the clip still opens and saves.
TEST_F(MCIStreamTest, AClipOfUnknownLengthOpensWithTheBrowsersFile) {
    const string clip = m_folder / "nolength.mov";
    WriteFile(clip, Bytes(30000));
    Attach(NP_EMBED);
    CNPHostStream stream(*m_pInstance, REMOTE_URL, "video/quicktime", 0, false);
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    const string bytes = Bytes(30000);
    EXPECT_EQ(30000, stream.Write(0, bytes.data(), 30000));
    EXPECT_FALSE(Stream()->IsComplete());
    stream.AsFile(clip.c_str());
    EXPECT_EQ(1u, m_pWnd->m_opened.size());
    EXPECT_TRUE(Stream()->IsComplete());
    EXPECT_TRUE(m_pWnd->m_posts.empty()) << "only a full-page window hears of progress";
    const string copy = m_folder / "copy.mov";
    EXPECT_TRUE(Stream()->UI_SaveAsNoPrompt(nullptr, copy));
    EXPECT_TRUE(bytes == ReadFile(copy));
}

// A start percentage of 100 still opens a clip, once all of it is here; polling does not open it earlier.
TEST_F(MCIStreamTest, AClipOpensOnlyAboveTheStartPercentage) {
    const string clip = m_folder / "clip.mov";
    const string bytes = Bytes(20000);
    WriteFile(clip, bytes);
    for (int nPercent : {60, 100}) {
        SCOPED_TRACE(nPercent);
        MOVIEOPTIONS_Get().m_nStartPercent = nPercent;
        Attach(NP_EMBED);
        CNPHostStream stream(*m_pInstance, REMOTE_URL, "video/quicktime", 20000, false);
        ASSERT_EQ(NPERR_NO_ERROR, stream.New());
        const int32_t cbFirst = nPercent == 60 ? 12000 : 19999;
        EXPECT_EQ(cbFirst, stream.Write(0, bytes.data(), cbFirst));
        stream.AsFile(clip.c_str());
        EXPECT_TRUE(Stream()->IsOpenPending());
        Pump(200);
        EXPECT_TRUE(m_pWnd->m_opened.empty()) << "the poll timer asks again, and the answer stays no";
        const int32_t cbNext = nPercent == 60 ? 200 : 1;
        EXPECT_EQ(cbNext, stream.Write(cbFirst, bytes.data() + cbFirst, cbNext));
        EXPECT_EQ(1u, m_pWnd->m_opened.size());
        EXPECT_FALSE(Stream()->IsOpenPending());
        stream.Destroy(NPRES_DONE);
        m_pInstance->Destroy();
        m_pInstance.reset();
    }
}

// A clip on a local disk ends the browser's download at its first piece and opens at once from the disk.
TEST_F(MCIStreamTest, ALocalClipPlaysWithoutWaitingForTheDownload) {
    const string clip = m_folder / "local.mov";
    const string bytes = Bytes(50000);
    WriteFile(clip, bytes);
    const string url = FileURL(clip);
    Attach(NP_EMBED);
    CNPHostStream stream(*m_pInstance, url.c_str(), "video/quicktime", 50000, true);
    ASSERT_TRUE(stream.Serve(clip.c_str(), 8192));
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    ASSERT_NE(nullptr, Stream());
    EXPECT_FALSE(stream.Step(UINT32_MAX)) << "the plug-in ends the browser's stream";
    EXPECT_EQ(0u, stream.GetDelivered());
    ASSERT_EQ(1u, m_pWnd->m_opened.size());
    EXPECT_EQ(clip, m_pWnd->m_opened[0].first);
    EXPECT_FALSE(Stream()->IsDownloading()) << "nothing to stop";
    EXPECT_TRUE(Stream()->IsComplete()) << "a copy can be saved at once";
    EXPECT_FALSE(Stream()->Cancel());
    const vector<string> expected = {
        "MIME:\tvideo/quicktime",
        "URL:\t" + url,
        "Size:\t50000 bytes",
        "The media is a local file smart-loaded by Flarion.",
        "Flarion sent an open command to the media clip viewer.",
        "This media clip is being streamed from a local disk.",
    };
    EXPECT_EQ(expected, Information());
    const string copy = m_folder / "copy.mov";
    EXPECT_TRUE(Stream()->UI_SaveAsNoPrompt(nullptr, copy));
    EXPECT_TRUE(bytes == ReadFile(copy));

    // A disk file is read as the browser says it can be.
    for (bool fSeekable : {true, false}) {
        SCOPED_TRACE(fSeekable);
        CNPHostStream probe(*m_pInstance, url.c_str(), "video/quicktime", 50000, fSeekable);
        ASSERT_EQ(NPERR_NO_ERROR, probe.New());
        EXPECT_EQ(fSeekable ? NP_SEEK : NP_NORMAL, probe.GetType());
    }
}

TEST_F(MCIStreamTest, ACancelledClipEndsItsDownloadAndSaysSo) {
    const string bytes = Bytes(100000);
    Attach(NP_EMBED);
    CNPHostStream stream(*m_pInstance, REMOTE_URL, "video/quicktime", 100000, false);
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    EXPECT_EQ(10000, stream.Write(0, bytes.data(), 10000));
    EXPECT_TRUE(Stream()->IsDownloading());
    EXPECT_TRUE(Stream()->Cancel());
    EXPECT_EQ(MCISTREAM_READ_CANCELLED, Stream()->GetStatus());
    EXPECT_EQ(-1, stream.Write(10000, bytes.data() + 10000, 10000)) << "the next write ends the stream";
    EXPECT_EQ(NPERR_NO_ERROR, stream.Destroy(NPRES_USER_BREAK));
    EXPECT_FALSE(Stream()->Cancel()) << "nothing left to stop";
    EXPECT_EQ("The downloading of the media clip has been cancelled.", Information().back());
    EXPECT_FALSE(Stream()->IsComplete());
    EXPECT_FALSE(Stream()->UI_SaveAs(m_host.GetFrame())) << "a partial clip offers no save";
    EXPECT_TRUE(m_pWnd->m_opened.empty());
}

// The reads of a saved copy, as they reach the file.
class CCountingStream : public CLocalStream {
public:
    using CLocalStream::CLocalStream;
    bool UI_FileRead(HFILE hReadFile, uint32_t dwOffset, uint32_t dwCount, void* pBuffer) override {
        m_reads.push_back(std::make_pair(dwOffset, dwCount));
        return CLocalStream::UI_FileRead(hReadFile, dwOffset, dwCount, pBuffer);
    }
    vector<std::pair<uint32_t, uint32_t>> m_reads;
};

class CCountingWnd : public CRecordingWnd {
public:
    using CRecordingWnd::CRecordingWnd;
    CNetStream* CreateStream(const char* szMimeType,
                             const char* szURL,
                             bool fSeekable,
                             uint16_t* pwStreamType) override {
        *pwStreamType = NP_NORMAL;
        return new CCountingStream(szMimeType, this, fSeekable);
    }
};

TEST_F(MCIStreamTest, ACopyGoesInChunksOf8192BytesAndTheRest) {
    const string clip = m_folder / "chunks.mov";
    const string bytes = Bytes(20000);
    WriteFile(clip, bytes);
    m_pInstance.reset(new CNPHostInstance(m_host, "video/quicktime", NP_EMBED));
    CCountingWnd* pWnd = new CCountingWnd(NP_EMBED, "video/quicktime");
    m_pWnd = pWnd;
    pWnd->SetInstance(m_pInstance->GetNPP());
    ASSERT_EQ(NPERR_NO_ERROR, m_pInstance->SetWindow(RECT{0, 40, 100, 140}));
    CNPHostStream stream(*m_pInstance, FileURL(clip).c_str(), "video/quicktime", 20000, false);
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    EXPECT_EQ(-1, stream.Write(0, bytes.data(), 100));
    auto* pStream = dynamic_cast<CCountingStream*>(Stream());
    ASSERT_NE(nullptr, pStream);
    const string copy = m_folder / "copy.mov";
    EXPECT_TRUE(pStream->UI_SaveAsNoPrompt(nullptr, copy));
    const vector<std::pair<uint32_t, uint32_t>> chunks = {{0, 8192}, {8192, 8192}, {16384, 3616}};
    EXPECT_EQ(chunks, pStream->m_reads);
    EXPECT_TRUE(bytes == ReadFile(copy));

    // A clip file cut short stops the copy at the chunk that cannot be read; one that went away fails it.
    WriteFile(clip, bytes.substr(0, 10000));
    {
        CDiagCapture capture;
        EXPECT_FALSE(pStream->UI_SaveAsNoPrompt(nullptr, copy));
        EXPECT_NE(string::npos, capture.Text().find("fOk = (UI_FileRead(hReadFile, dwOffset, CHUNKSIZE, "
                                                    "(PVOID)(LPBYTE)buffer) && HFILE_Write(hSaveFile,(LPCSTR)buffer,"
                                                    "CHUNKSIZE))"))
            << capture.Text();
        EXPECT_EQ(8192u, ReadFile(copy).size()) << "a partial copy stays as far as it went";
    }
    DeleteFileA(clip.c_str());
    CDiagCapture capture;
    EXPECT_FALSE(pStream->UI_SaveAsNoPrompt(nullptr, copy));
    EXPECT_NE(string::npos, capture.Text().find("fOk=HFILE_IsOpen(hReadFile)")) << capture.Text();
}

TEST_F(MCIStreamTest, ATypeWithoutAFileTypeOffersNoSave) {
    const string clip = m_folder / "page.txt";
    WriteFile(clip, "text");
    Attach(NP_EMBED, "text/plain");
    CNPHostStream stream(*m_pInstance, FileURL(clip).c_str(), "text/plain", 4, false);
    ASSERT_EQ(NPERR_NO_ERROR, stream.New());
    EXPECT_EQ(-1, stream.Write(0, "text", 4));
    ASSERT_TRUE(Stream()->IsComplete());
    CModalTimeout guard(3000);
    EXPECT_FALSE(Stream()->UI_SaveAs(m_host.GetFrame()));
    EXPECT_FALSE(guard.Expired()) << "no dialog was shown";
}

}  // namespace
