#include "testing/nphost/nphost_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

const char NPHOST_USERAGENT[] = "Mozilla/3.01 (Win95; I) nphost";

namespace {

const char FRAME_CLASS[] = "NPHostFrame";
const char INSTANCE_CLASS[] = "NPHostInstance";

// The host of the calls that name no instance: the one most recently made.
CNPHost* s_pHost = nullptr;

CNPHost* HostOf(NPP instance) {
    if (instance && instance->ndata)
        return &static_cast<CNPHostInstance*>(instance->ndata)->GetHost();
    return s_pHost;
}

void Record(NPP instance, const std::string& call) {
    if (CNPHost* pHost = HostOf(instance))
        pHost->Record(call);
}

std::string Text(const char* sz) {
    return sz ? sz : "(null)";
}

NPError GetURL(NPP instance, const char* url, const char* window) {
    Record(instance, "geturl " + Text(url) + " " + Text(window));
    CNPHost* pHost = HostOf(instance);
    return pHost ? pHost->m_errGetURL : NPERR_GENERIC_ERROR;
}

NPError PostURL(NPP instance, const char* url, const char* window, uint32_t len, const char* buf, NPBool file) {
    Record(instance, "posturl " + Text(url) + " " + Text(window) + " " + std::to_string(len));
    return NPERR_GENERIC_ERROR;
}

NPError RequestRead(NPStream* stream, NPByteRange* rangeList) {
    Record(nullptr, "requestread " + Text(stream ? stream->url : nullptr));
    return NPERR_STREAM_NOT_SEEKABLE;
}

NPError NewStream(NPP instance, NPMIMEType type, const char* window, NPStream** stream) {
    Record(instance, "newstream " + Text(type) + " " + Text(window));
    return NPERR_GENERIC_ERROR;
}

int32_t Write(NPP instance, NPStream* stream, int32_t len, void* buffer) {
    Record(instance, "write " + std::to_string(len));
    return -1;
}

NPError DestroyStream(NPP instance, NPStream* stream, NPReason reason) {
    Record(instance, "destroystream " + std::to_string(reason));
    return NPERR_GENERIC_ERROR;
}

void Status(NPP instance, const char* message) {
    Record(instance, "status " + Text(message));
}

const char* UserAgent(NPP instance) {
    Record(instance, "uagent");
    return NPHOST_USERAGENT;
}

void* MemAlloc(uint32_t size) {
    Record(nullptr, "memalloc " + std::to_string(size));
    return malloc(size);
}

void MemFree(void* ptr) {
    Record(nullptr, "memfree");
    free(ptr);
}

uint32_t MemFlush(uint32_t size) {
    Record(nullptr, "memflush " + std::to_string(size));
    return 0;
}

void ReloadPlugins(NPBool reloadPages) {
    Record(nullptr, "reloadplugins");
}

void* GetJavaEnv() {
    Record(nullptr, "getJavaEnv");
    return nullptr;
}

void* GetJavaPeer(NPP instance) {
    Record(instance, "getJavaPeer");
    return nullptr;
}

NPError GetURLNotify(NPP instance, const char* url, const char* window, void* notifyData) {
    Record(instance, "geturlnotify " + Text(url) + " " + Text(window));
    return NPERR_GENERIC_ERROR;
}

NPError PostURLNotify(NPP instance, const char* url, const char* window, uint32_t len, const char* buf, NPBool file,
                      void* notifyData) {
    Record(instance, "posturlnotify " + Text(url) + " " + Text(window));
    return NPERR_GENERIC_ERROR;
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_SIZE) {
        if (HWND hBar = GetDlgItem(hWnd, NPHOST_LOCATION_BAR_ID)) {
            MoveWindow(hBar, 0, 0, LOWORD(lParam), NPHOST_LOCATION_HEIGHT, TRUE);
            MoveWindow(GetDlgItem(hBar, NPHOST_LOCATION_EDIT_ID), 76, 4, LOWORD(lParam) - 80,
                       NPHOST_LOCATION_HEIGHT - 8, TRUE);
        }
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// The host paints the instance's own area until the plug-in paints it: its type and what has arrived.
LRESULT CALLBACK InstanceProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg != WM_PAINT)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    auto* pInstance = reinterpret_cast<CNPHostInstance*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    PAINTSTRUCT ps;
    const HDC hDC = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    FrameRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (pInstance) {
        std::string text = pInstance->GetType() + "\n";
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != InstanceProc)
            text += "attached by the plug-in\n";
        text += pInstance->m_status;
        SetBkMode(hDC, TRANSPARENT);
        InflateRect(&rc, -6, -6);
        DrawTextA(hDC, text.c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK);
    }
    EndPaint(hWnd, &ps);
    return 0;
}

bool RegisterClasses() {
    static const bool s_fRegistered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = FRAME_CLASS;
        const bool fFrame = RegisterClassA(&wc) != 0;
        wc.lpfnWndProc = InstanceProc;
        wc.lpszClassName = INSTANCE_CLASS;
        return fFrame && RegisterClassA(&wc) != 0;
    }();
    return s_fRegistered;
}

}  // namespace

CNPHost::CNPHost() {
    s_pHost = this;
    m_browserFuncs.geturl = GetURL;
    m_browserFuncs.posturl = PostURL;
    m_browserFuncs.requestread = RequestRead;
    m_browserFuncs.newstream = NewStream;
    m_browserFuncs.write = Write;
    m_browserFuncs.destroystream = DestroyStream;
    m_browserFuncs.status = Status;
    m_browserFuncs.uagent = UserAgent;
    m_browserFuncs.memalloc = MemAlloc;
    m_browserFuncs.memfree = MemFree;
    m_browserFuncs.memflush = MemFlush;
    m_browserFuncs.reloadplugins = ReloadPlugins;
    m_browserFuncs.getJavaEnv = GetJavaEnv;
    m_browserFuncs.getJavaPeer = GetJavaPeer;
    m_browserFuncs.geturlnotify = GetURLNotify;
    m_browserFuncs.posturlnotify = PostURLNotify;
}

CNPHost::~CNPHost() {
    Unload();
    if (m_hFrame)
        DestroyWindow(m_hFrame);
    if (s_pHost == this)
        s_pHost = nullptr;
}

bool CNPHost::Load(const char* szLibrary) {
    Unload();
    m_hLibrary = LoadLibraryA(szLibrary);
    if (!m_hLibrary)
        return false;
    const auto find = [this](const char* szName) {
        return reinterpret_cast<void*>(GetProcAddress(m_hLibrary, szName));
    };
    Attach(reinterpret_cast<NP_GETENTRYPOINTS>(find("NP_GetEntryPoints")),
           reinterpret_cast<NP_INITIALIZE>(find("NP_Initialize")), reinterpret_cast<NP_SHUTDOWN>(find("NP_Shutdown")));
    return true;
}

void CNPHost::Attach(NP_GETENTRYPOINTS pfnGetEntryPoints, NP_INITIALIZE pfnInitialize, NP_SHUTDOWN pfnShutdown) {
    m_pfnGetEntryPoints = pfnGetEntryPoints;
    m_pfnInitialize = pfnInitialize;
    m_pfnShutdown = pfnShutdown;
}

NPError CNPHost::GetEntryPoints(uint16_t wSize) {
    if (!m_pfnGetEntryPoints)
        return NPERR_INVALID_PLUGIN_ERROR;
    m_pluginFuncs = NPPluginFuncs();
    m_pluginFuncs.size = wSize;
    return m_pfnGetEntryPoints(&m_pluginFuncs);
}

NPError CNPHost::Initialize(uint16_t wSize, uint16_t wVersion) {
    if (!m_pfnInitialize)
        return NPERR_INVALID_PLUGIN_ERROR;
    m_browserFuncs.size = wSize;
    m_browserFuncs.version = wVersion;
    return m_pfnInitialize(&m_browserFuncs);
}

NPError CNPHost::Shutdown() {
    return m_pfnShutdown ? m_pfnShutdown() : NPERR_INVALID_PLUGIN_ERROR;
}

void CNPHost::Unload() {
    if (m_hLibrary)
        FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
    Attach(nullptr, nullptr, nullptr);
}

bool CNPHost::CreateFrame(const char* szPageURL, int idLocationBar) {
    if (!RegisterClasses())
        return false;
    const std::string title = std::string("nphost - ") + szPageURL;
    m_hFrame = CreateWindowExA(0, FRAME_CLASS, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 720, 560,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_hFrame)
        return false;
    if (idLocationBar) {
        const HWND hBar = CreateWindowExA(0, "STATIC", " Location:", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 720,
                                          NPHOST_LOCATION_HEIGHT, m_hFrame, reinterpret_cast<HMENU>(
                                              static_cast<INT_PTR>(idLocationBar)), nullptr, nullptr);
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", szPageURL, WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL,
                        76, 4, 634, NPHOST_LOCATION_HEIGHT - 8, hBar,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(NPHOST_LOCATION_EDIT_ID)), nullptr, nullptr);
    }
    RECT rc;
    GetClientRect(m_hFrame, &rc);
    SendMessageA(m_hFrame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
    return true;
}

CNPHostInstance::CNPHostInstance(CNPHost& host, const char* szType, uint16_t wMode)
    : m_host(host), m_type(szType ? szType : ""), m_wMode(wMode) {
    m_npp.ndata = this;
}

CNPHostInstance::~CNPHostInstance() {
    if (m_fAlive)
        Destroy();
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

void CNPHostInstance::AddAttribute(const char* szName, const char* szValue) {
    m_names.push_back(szName);
    m_values.push_back(szValue ? szValue : "");
    m_hasValue.push_back(szValue != nullptr);
}

NPError CNPHostInstance::New(NPSavedData* pSaved) {
    std::vector<char*> argn, argv;
    for (size_t i = 0; i < m_names.size(); ++i) {
        argn.push_back(&m_names[i][0]);
        argv.push_back(m_hasValue[i] ? &m_values[i][0] : nullptr);
    }
    const NPError err = m_host.PluginFuncs().newp(&m_type[0], &m_npp, m_wMode, static_cast<int16_t>(argn.size()),
                                                  argn.data(), argv.data(), pSaved);
    m_fAlive = err == NPERR_NO_ERROR;
    return err;
}

NPError CNPHostInstance::SetWindow(const RECT& rc) {
    if (!m_hWnd) {
        m_hWnd = CreateWindowExA(0, INSTANCE_CLASS, "", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                                 rc.bottom - rc.top, m_host.GetFrame(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    } else {
        MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    }
    m_window.window = m_hWnd;
    m_window.x = rc.left;
    m_window.y = rc.top;
    m_window.width = rc.right - rc.left;
    m_window.height = rc.bottom - rc.top;
    m_window.clipRect = {0, 0, static_cast<uint16_t>(m_window.height), static_cast<uint16_t>(m_window.width)};
    return m_host.PluginFuncs().setwindow(&m_npp, &m_window);
}

NPError CNPHostInstance::SetWindowHandle(HWND hWnd) {
    m_window = NPWindow();
    m_window.window = hWnd;
    return m_host.PluginFuncs().setwindow(&m_npp, &m_window);
}

NPError CNPHostInstance::SetNullWindow() {
    return m_host.PluginFuncs().setwindow(&m_npp, nullptr);
}

NPError CNPHostInstance::Destroy(NPSavedData** ppSave) {
    m_fAlive = false;
    return m_host.PluginFuncs().destroy(&m_npp, ppSave);
}

NPError CNPHostInstance::Destroy() {
    NPSavedData* pSaved = nullptr;
    return Destroy(&pSaved);
}

void CNPHostInstance::Print(NPPrint* pPrint) {
    m_host.PluginFuncs().print(&m_npp, pPrint);
}

CNPHostStream::CNPHostStream(CNPHostInstance& instance, const char* szURL, const char* szType, uint32_t dwEnd,
                             bool fSeekable)
    : m_instance(instance), m_url(szURL ? szURL : ""), m_mimeType(szType ? szType : ""), m_fSeekable(fSeekable) {
    m_stream.ndata = this;
    m_stream.url = m_url.c_str();
    m_stream.end = dwEnd;
    m_stream.lastmodified = 849571200;  // 3 December 1996
}

CNPHostStream::~CNPHostStream() {
    if (m_fAlive)
        Destroy(NPRES_USER_BREAK);
}

NPError CNPHostStream::New() {
    m_wType = NP_NORMAL;
    const NPError err = m_instance.GetHost().PluginFuncs().newstream(m_instance.GetNPP(), &m_mimeType[0], &m_stream,
                                                                      m_fSeekable, &m_wType);
    m_fAlive = err == NPERR_NO_ERROR;
    return err;
}

int32_t CNPHostStream::WriteReady() {
    return m_instance.GetHost().PluginFuncs().writeready(m_instance.GetNPP(), &m_stream);
}

int32_t CNPHostStream::Write(int32_t lOffset, const void* pData, int32_t cb) {
    return m_instance.GetHost().PluginFuncs().write(m_instance.GetNPP(), &m_stream, lOffset, cb,
                                                    const_cast<void*>(pData));
}

void CNPHostStream::AsFile(const char* szFileName) {
    m_instance.GetHost().PluginFuncs().asfile(m_instance.GetNPP(), &m_stream, szFileName);
}

NPError CNPHostStream::Destroy(NPReason reason) {
    m_fAlive = false;
    return m_instance.GetHost().PluginFuncs().destroystream(m_instance.GetNPP(), &m_stream, reason);
}

bool CNPHostStream::Serve(const char* szFile, uint32_t cbPiece) {
    m_file = szFile;
    m_cbPiece = cbPiece ? cbPiece : 1;
    m_dwDelivered = 0;
    m_data.clear();
    FILE* pFile = fopen(szFile, "rb");
    if (!pFile)
        return false;
    char buffer[65536];
    for (size_t cb; (cb = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
        m_data.insert(m_data.end(), buffer, buffer + cb);
    fclose(pFile);
    m_stream.end = static_cast<uint32_t>(m_data.size());
    return true;
}

// An as-file-only stream gets no data, only the file; the other types get the data first.
bool CNPHostStream::Step(uint32_t cbMax) {
    if (!m_fAlive)
        return false;
    const uint32_t cbTotal = static_cast<uint32_t>(m_data.size());
    uint32_t cbBudget = cbMax;
    while (m_wType != NP_ASFILEONLY && m_dwDelivered < cbTotal && cbBudget > 0) {
        const int32_t lReady = WriteReady();
        if (lReady <= 0)
            return true;
        uint32_t cb = std::min<uint32_t>({cbTotal - m_dwDelivered, m_cbPiece, cbBudget});
        cb = std::min<uint32_t>(cb, static_cast<uint32_t>(lReady));
        const int32_t lWritten = Write(static_cast<int32_t>(m_dwDelivered), &m_data[m_dwDelivered],
                                       static_cast<int32_t>(cb));
        if (lWritten < 0) {
            m_instance.m_status = "the plug-in ended the stream at " + std::to_string(m_dwDelivered) + " bytes";
            Destroy(NPRES_USER_BREAK);
            return false;
        }
        m_dwDelivered += static_cast<uint32_t>(lWritten);
        cbBudget -= std::min<uint32_t>(cbBudget, static_cast<uint32_t>(lWritten));
        if (lWritten == 0)
            return true;
    }
    m_instance.m_status = m_url + "\n" + std::to_string(m_dwDelivered) + " of " + std::to_string(cbTotal) + " bytes";
    if (m_wType != NP_ASFILEONLY && m_dwDelivered < cbTotal)
        return true;
    if (m_wType == NP_ASFILE || m_wType == NP_ASFILEONLY)
        AsFile(m_file.c_str());
    Destroy(NPRES_DONE);
    m_instance.m_status += ", done";
    return false;
}
