// nphost PLUGIN PAGE: shows a page description (nppage.h) with the plug-in library PLUGIN, as a browser would:
// one instance per line, each given its window and its clip as a stream. Runs until the window is closed.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "testing/nphost/nphost_win.h"
#include "testing/nphost/nppage.h"

namespace {

const int MARGIN = 10;
const DWORD TICK_MS = 100;

struct CShown {
    std::unique_ptr<CNPHostInstance> pInstance;
    std::unique_ptr<CNPHostStream> pStream;
    uint32_t cbPerTick = 0;  // 0: all at once
};

int Fail(const std::string& message) {
    fprintf(stderr, "nphost: %s\n", message.c_str());
    return 2;
}

// file:///C|/dir/clip.mov is C:\dir\clip.mov.
std::string LocalFileOf(const std::string& url) {
    if (url.compare(0, 8, "file:///") != 0)
        return "";
    std::string path = url.substr(8);
    for (char& ch : path) {
        if (ch == '|')
            ch = ':';
        else if (ch == '/')
            ch = '\\';
    }
    return path;
}

std::string FolderOf(const std::string& file) {
    const size_t at = file.find_last_of("\\/");
    return at == std::string::npos ? std::string() : file.substr(0, at + 1);
}

std::string Beside(const std::string& folder, const std::string& name) {
    const bool fAbsolute = name.size() > 1 && (name[1] == ':' || name[0] == '\\' || name[0] == '/');
    return fAbsolute ? name : folder + name;
}

void PumpFor(DWORD ms) {
    const DWORD dwStart = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (GetTickCount() - dwStart < ms);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return Fail("usage: nphost PLUGIN PAGE");
    std::ifstream file(argv[2], std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    NPPAGE page;
    std::string error;
    if (!file || !NPPAGE_Parse(&page, text.str(), error))
        return Fail(std::string(argv[2]) + ": " + (file ? error : "cannot be read"));

    CNPHost host;
    if (!host.Load(argv[1]))
        return Fail(std::string("cannot load ") + argv[1]);
    if (host.GetEntryPoints() != NPERR_NO_ERROR || host.Initialize() != NPERR_NO_ERROR)
        return Fail("the plug-in refused the tables");
    if (!host.CreateFrame(page.url.c_str()))
        return Fail("cannot create the window");
    ShowWindow(host.GetFrame(), SW_SHOWNORMAL);

    std::vector<CShown> shown;
    RECT rcClient;
    GetClientRect(host.GetFrame(), &rcClient);
    int x = MARGIN, y = NPHOST_LOCATION_HEIGHT + MARGIN, cyRow = 0;
    for (const NPPAGE_INSTANCE& line : page.instances) {
        CShown s;
        const std::string type = NPPAGE_GetAttribute(line, "TYPE", "video/quicktime");
        s.pInstance.reset(new CNPHostInstance(host, type.c_str(), line.wMode));
        for (const NPPAGE_ATTRIBUTE& a : line.attributes)
            s.pInstance->AddAttribute(a.name.c_str(), a.fHasValue ? a.value.c_str() : nullptr);
        if (s.pInstance->New() != NPERR_NO_ERROR) {
            fprintf(stderr, "nphost: the plug-in refused an instance of %s\n", type.c_str());
            continue;
        }
        if (line.wMode == NP_FULL) {
            s.pInstance->SetWindow(RECT{0, NPHOST_LOCATION_HEIGHT, rcClient.right, rcClient.bottom});
        } else if (line.wMode == NP_EMBED) {
            const int cx = atoi(NPPAGE_GetAttribute(line, "WIDTH", "160").c_str());
            const int cy = atoi(NPPAGE_GetAttribute(line, "HEIGHT", "120").c_str());
            if (x > MARGIN && x + cx > rcClient.right) {
                x = MARGIN;
                y += cyRow + MARGIN;
                cyRow = 0;
            }
            s.pInstance->SetWindow(RECT{x, y, x + cx, y + cy});
            x += cx + MARGIN;
            cyRow = std::max(cyRow, cy);
        }
        const std::string url = NPPAGE_ClipURL(page, line);
        const std::string local = LocalFileOf(url);
        const std::string served = line.serveFile.empty() ? local : Beside(FolderOf(argv[2]), line.serveFile);
        s.pStream.reset(new CNPHostStream(*s.pInstance, url.c_str(), type.c_str(), 0, false));
        if (served.empty() || !s.pStream->Serve(served.c_str(), 16384))
            s.pInstance->m_status = "no file serves " + url;
        else if (s.pStream->New() != NPERR_NO_ERROR)
            s.pInstance->m_status = "the plug-in refused the stream of " + url;
        s.cbPerTick = local.empty() ? line.dwRate / (1000 / TICK_MS) : 0;
        if (line.dwRate && !s.cbPerTick)
            s.cbPerTick = 1;
        shown.push_back(std::move(s));
    }

    while (IsWindow(host.GetFrame())) {
        for (CShown& s : shown) {
            s.pStream->Step(s.cbPerTick ? s.cbPerTick : UINT32_MAX);
            if (HWND hWnd = s.pInstance->GetWindow())
                InvalidateRect(hWnd, nullptr, TRUE);
        }
        PumpFor(TICK_MS);
    }
    for (CShown& s : shown) {
        s.pStream.reset();
        s.pInstance.reset();
    }
    host.Shutdown();
    return 0;
}
