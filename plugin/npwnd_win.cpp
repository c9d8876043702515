#include "plugin/npwnd_win.h"

#include <mutex>
#include <set>

#include "plugin/mcistream_win.h"
#include "plugin/netstream_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NPWND");

const char NPWND_CREATE_TITLE[] = "NPXBackground";

namespace {

const char NPWND_CLASSNAME[] = "NPVroonWindow";

// The live instance windows, for the same reason as the live streams: instance->pdata is checked by look-up.
std::mutex s_liveLock;
std::set<CNPBaseWnd*> s_live;

// The class of the windows the plug-in makes itself, registered once per loaded library.
bool RegisterOwnClass() {
    static const bool s_fRegistered = [] {
        WNDCLASSEXA wc = {};
        wc.style = 0;
        wc.hInstance = WINDOW_GetInstance();
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = NPWND_CLASSNAME;
        return CWindow::RegisterWindowClass(wc);
    }();
    return s_fRegistered;
}

void ChangeStyle(HWND hWnd, LONG_PTR lAdd, LONG_PTR lRemove) {
    if (!hWnd)
        return;
    const LONG_PTR lStyle = GetWindowLongPtrA(hWnd, GWL_STYLE);
    SetWindowLongPtrA(hWnd, GWL_STYLE, (lStyle | lAdd) & ~lRemove);
}

}  // namespace

CNPBaseWnd::CNPBaseWnd(int16_t nMode, const char* szMimeType)
    : m_nMode(nMode), m_sMimeType(szMimeType ? szMimeType : "") {
    std::lock_guard<std::mutex> lock(s_liveLock);
    s_live.insert(this);
}

CNPBaseWnd::~CNPBaseWnd() {
    {
        std::lock_guard<std::mutex> lock(s_liveLock);
        s_live.erase(this);
    }
    if (m_instance)
        m_instance->pdata = nullptr;
    ReleaseStream();
    CNetStream::ForgetOwner(this);
    MFX_VERIFY(m_hWnd==0);
}

CNPBaseWnd* CNPBaseWnd::FromInstance(NPP instance) {
    if (!instance)
        return nullptr;
    std::lock_guard<std::mutex> lock(s_liveLock);
    const auto it = s_live.find(static_cast<CNPBaseWnd*>(instance->pdata));
    return it == s_live.end() ? nullptr : *it;
}

bool CNPBaseWnd::KeepsStream(const CNetStream* pStream) {
    std::lock_guard<std::mutex> lock(s_liveLock);
    for (const CNPBaseWnd* pWnd : s_live) {
        if (pWnd->m_pStream == pStream)
            return true;
    }
    return false;
}

void CNPBaseWnd::ReleaseStream() {
    CNetStream* pStream = m_pStream;
    m_pStream = nullptr;
    if (pStream)
        pStream->Release();
}

void CNPBaseWnd::OnRelease() {
    ReleaseStream();
}

void CNPBaseWnd::SetInstance(NPP instance) {
    m_instance = instance;
    instance->pdata = this;
    m_Browser.SetInstance(instance);
}

bool CNPBaseWnd::ReadProperties(const CNPProps& props) {
    return true;
}

bool CNPBaseWnd::RestoreSavedData(NPSavedData* pSaved) {
    return false;
}

bool CNPBaseWnd::SaveData(NPSavedData** ppSave) {
    return false;
}

bool CNPBaseWnd::OnWndAttach(HWND hWnd) {
    if (!m_fOwnWindow) {
        if (!Subclass(hWnd))
            return false;
        ChangeStyle(hWnd, WS_CLIPCHILDREN, 0);
    }
    m_Browser.SetWindow(hWnd);
    if (m_pStream)
        m_pStream->OnWindowAttached(this);
    return true;
}

bool CNPBaseWnd::OnWndDetach() {
    if (m_pStream)
        m_pStream->OnWindowDetached(this);
    if (m_fOwnWindow)
        return true;
    return Unsubclass();
}

bool CNPBaseWnd::OnWndCreate(HWND hParent) {
    const DWORD dwStyle = GetOwnWindowStyle();
    const RECT r = GetOwnWindowRect();
    bool fOk = RegisterOwnClass();
    if (fOk && (dwStyle & WS_CHILD) && hParent) {
        MFX_VERIFY(fOk = Create(0, NPWND_CLASSNAME, NPWND_CREATE_TITLE, dwStyle, r, hParent, nullptr,
                                WINDOW_GetInstance()));
    } else if (fOk) {
        MFX_VERIFY(fOk = Create(0, NPWND_CLASSNAME, NPWND_CREATE_TITLE, dwStyle, r, nullptr, nullptr,
                                WINDOW_GetInstance()));
    }
    m_fOwnWindow = fOk;
    return fOk;
}

void CNPBaseWnd::DestroyOwnWindow() {
    if (m_fOwnWindow && m_hWnd)
        Destroy();
}

bool CNPBaseWnd::WantsOwnWindow() {
    return false;
}

DWORD CNPBaseWnd::GetOwnWindowStyle() {
    return WS_POPUP;
}

RECT CNPBaseWnd::GetOwnWindowRect() {
    return RECT{0, 0, 10, 10};
}

void CNPBaseWnd::Invalidate() {
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

CNPBaseWnd* CNPBaseWnd::GetWindowObject() {
    return m_hWnd ? this : nullptr;
}

CNetStream* CNPBaseWnd::CreateStream(const char* szMimeType, const char* szURL, bool fSeekable,
                                     uint16_t* pwStreamType) {
    return nullptr;
}

void CNPBaseWnd::SetStream(CNetStream* pStream) {
    if (!m_pStream)
        m_pStream = pStream;
}

void CNPBaseWnd::OnStreamData(CNetStream* pStream, int32_t lOffset, int32_t lCount, void* pBuffer) {}

void CNPBaseWnd::OnStreamFile(CNetStream* pStream, const char* szFileName, const char* szURL) {}

void CNPBaseWnd::OnStreamRemoved(CNetStream* pStream) {}

LRESULT CNPBaseWnd::QueryState() {
    return 0;
}

LRESULT CNPBaseWnd::Query() {
    return QueryState();
}

HWND CNPBaseWnd::GetWindowHandle() {
    return m_hWnd;
}

void CNPWnd::OnRelease() {}

void CNPWnd::OnStreamFile(CNetStream* pStream, const char* szFileName, const char* szURL) {
    if (pStream && pStream == m_pStream)
        OnFileReady(szFileName, szURL, 0);
}

void CNPWnd::OnStreamRemoved(CNetStream* pStream) {
    if (pStream && pStream == m_pStream)
        OnStreamGone();
}

CNetStream* CNPWnd::MakeFileStream(const char* szMimeType, bool fSeekable) {
    return new CNetStream(this, szMimeType, fSeekable);
}

bool CNPWnd::OnFileReady(const char* szFileName, const char* szURL, int nFlag) {
    return false;
}

void CNPWnd::OnStreamGone() {}

void CNPWnd::OnOpenResult(int16_t nResult) {}

bool CNPWndL::ReadProperties(const CNPProps& props) {
    m_Properties = props.GetAll();
    return true;
}

bool CNPWndL::OnWndAttach(HWND hWnd) {
    if (!CNPWnd::OnWndAttach(hWnd))
        return false;
    ChangeStyle(hWnd, WS_CLIPCHILDREN, 0);
    if (IsFullPage())
        ChangeStyle(GetParent(hWnd), WS_CLIPCHILDREN, 0);
    MFX_VERIFY(m_pStream);
    return true;
}

bool CNPWndL::OnWndDetach() {
    if (IsFullPage())
        ChangeStyle(GetParent(m_Browser.GetWindow()), 0, WS_CLIPCHILDREN);
    return CNPWnd::OnWndDetach();
}

void CNPWndL::OnOpenResult(int16_t nResult) {
    m_nMovieOpen = nResult;
}

void CNPWndL::OnTimer(UINT_PTR idTimer) {
    CMCIStream* pStream = dynamic_cast<CMCIStream*>(m_pStream);
    if (idTimer == MCISTREAM_POLL_TIMER_ID && pStream)
        pStream->OnPollTick();
}

void CNPWndL::Play() {}

void CNPWndL::Stop() {}

void CNPWndL::Rewind() {}

void CNPWndL::OnProgress(WPARAM wParam1, WPARAM wParam2, LPARAM lParam) {}

int16_t CNPWndL::GetMovieOpen() {
    return m_nMovieOpen;
}
