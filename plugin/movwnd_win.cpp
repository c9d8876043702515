#include "plugin/movwnd_win.h"

#include <windowsx.h>

#include "movie/vroonjob_win.h"
#include "plugin/aboutmedia_win.h"
#include "plugin/movieoptions.h"
#include "plugin/movwnd_ids.h"
#include "plugin/optionsdlg_win.h"
#include "plugin/ovpaint_win.h"
#include "plugin/urlparts.h"
#include "toolkit/filedlg_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("MOVWND");

const char MOVWND_HOME_URL[] = "http://www.example.com/flarion/";
const char MOVWND_FAQ_URL[] = "http://www.example.com/flarion/press.html";
const char MOVWND_MAKER_URL[] = "http://www.example.com/";

namespace {

bool IsSameFile(const std::string& sOne, const std::string& sOther) {
    char szOne[MAX_PATH] = "", szOther[MAX_PATH] = "";
    return GetFullPathNameA(sOne.c_str(), sizeof(szOne), szOne, nullptr) &&
           GetFullPathNameA(sOther.c_str(), sizeof(szOther), szOther, nullptr) && lstrcmpiA(szOne, szOther) == 0;
}

}  // namespace

// A fast-start movie is a QuickTime movie, saved with that type's extension and filter.
bool CVroonAs::DoModal() {
    char szFolder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(szFolder), szFolder);
    const MCISTREAM_SAVETYPE* pType = MCISTREAM_FindSaveType("video/quicktime");
    FILEDLG dialog;
    dialog.hOwner = m_hOwner;
    dialog.szFilter = pType->szFilter;
    dialog.szDefaultExtension = pType->szExtension;
    dialog.szInitialFolder = szFolder;
    dialog.dwFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return FILEDLG_GetFileName(dialog, true, m_sFileName);
}

// A clip on a local disk is opened where it lies; any other is downloaded by the browser into a file.
CNetStream* CMOVWndL::CreateStream(const char* szMimeType, const char* szURL, bool fSeekable, uint16_t* pwStreamType) {
    CURLParts url;
    const bool fLocal = url.Construct(szURL ? szURL : "") && url.IsLocal();
    CMCIStream* pStream = nullptr;
    // The reports quote the calls as written here.
    // clang-format off
    if (fLocal)
        MFX_VERIFY(pStream = new CLocalStream(szMimeType, this, fSeekable));
    else
        MFX_VERIFY(pStream = new CAsFileStream(szMimeType,this));
    // clang-format on
    if (pStream && pwStreamType)
        *pwStreamType = pStream->GetWantedStreamType();
    return pStream;
}

bool CMOVWnd::ReadProperties(const CNPProps& props) {
    CMOVWndL::ReadProperties(props);
    return m_Video.ReadProperties(props, IsFullPage());
}

bool CMOVWnd::WantsOwnWindow() {
    return m_Video.IsHidden();
}

RECT CMOVWnd::GetOwnWindowRect() {
    return RECT{0, 0, 1, 1};
}

void CMOVWnd::CloseMovie() {
    if (!m_Video.IsOpen())
        return;
    m_Video.Stop();
    m_Video.Close();
}

bool CMOVWnd::OnWndDetach() {
    CloseMovie();
    m_Progress.reset();
    return CMOVWndL::OnWndDetach();
}

std::string CMOVWnd::GetClipName() const {
    CURLParts url;
    return url.Construct(m_sURL) ? url.GetName() : std::string();
}

// The window starts with what the stream has seen so far, and names the clip once its movie is open.
void CMOVWnd::CreateProgress() {
    if (m_Progress || !m_hWnd || !MOVIEOPTIONS_Get().m_fShowProgress)
        return;
    m_Progress.reset(new CProgressDlg(m_hWnd));
    if (!MFX_VERIFY(m_Progress->Create())) {
        m_Progress.reset();
        return;
    }
    if (GetMovieOpen())
        m_Progress->SetClipName(GetClipName());
    if (CMCIStream* pStream = GetMediaStream()) {
        m_Progress->SetReceived(pStream->GetReceived());
        m_Progress->SetTotal(pStream->GetTotal());
    }
}

void CMOVWnd::OnProgress(WPARAM wParam1, WPARAM wParam2, LPARAM lParam) {
    if (IsFullPage())
        CreateProgress();
    if (!m_Progress)
        return;
    if (wParam1 == 1)
        m_Progress->SetTotal(static_cast<uint32_t>(lParam));
    else
        m_Progress->SetReceived(static_cast<uint32_t>(lParam));
}

// The movie opens a second later, from the window's own timer on the browser's thread.
bool CMOVWnd::OnFileReady(const char* szFileName, const char* szURL, int nFlag) {
    m_sOpenFile = szFileName ? szFileName : "";
    m_sURL = szURL ? szURL : "";
    if (!MFX_VERIFY(GetSafeHwnd()))
        return true;
    SetTimer(MOVWND_OPEN_TIMER_ID, MOVWND_OPEN_DELAY);
    return true;
}

void CMOVWnd::OnStreamGone() {
    if (m_Video.IsOpen())
        m_Video.Close();
}

void CMOVWnd::Play() {
    if (m_Video.IsOpen())
        m_Video.Play();
}

void CMOVWnd::Stop() {
    if (m_Video.IsOpen())
        m_Video.Stop();
}

void CMOVWnd::Rewind() {
    if (m_Video.IsOpen())
        m_Video.Rewind();
}

CMCIStream* CMOVWnd::GetMediaStream() const {
    return dynamic_cast<CMCIStream*>(m_pStream);
}

void CMOVWnd::OpenOnTimer() {
    KillTimer(MOVWND_OPEN_TIMER_ID);
    ShowWindow(m_hWnd, SW_HIDE);
    if (!MFX_VERIFY(IsWindow(m_hWnd)))
        return;
    m_Video.SetDisplayName(m_sMimeType.c_str());
    if (OpenMovie()) {
        m_Video.MMIO_NotifyOpen(m_hWnd);
        if (m_Progress)
            m_Progress->SetClipName(GetClipName());
    }
    if (!m_Video.IsHidden())
        ShowWindow(m_hWnd, SW_SHOW);
}

// The movie file opened into the window, its controller placed on a full page; the outcome is the window's
// movie-open state.
bool CMOVWnd::OpenMovie() {
    const bool fOpen = m_Video.Open(m_sOpenFile.c_str(), m_hWnd);
    if (fOpen && IsFullPage())
        m_Video.PlaceController(m_hWnd);
    OnOpenResult(fOpen);
    return fOpen;
}

HMENU CMOVWnd::LoadContextMenu() {
    HMENU hMenu = LoadMenuA(WINDOW_GetInstance(), MAKEINTRESOURCEA(MOVWND_IDM_CONTEXT));
    if (!MFX_VERIFY(hMenu))
        return nullptr;
    HMENU hPopup = GetSubMenu(hMenu, 1);
    RemoveMenu(hMenu, 1, MF_BYPOSITION);
    DestroyMenu(hMenu);
    if (CMCIStream* pStream = GetMediaStream()) {
        const std::string item = "About " + pStream->GetClipName();
        InsertMenuA(hPopup, 4, MF_BYPOSITION | MF_STRING, MOVWND_ID_ABOUTMEDIA, item.c_str());
    }
    return hPopup;
}

void CMOVWnd::UpdateMenu(HMENU hMenu) {
    CMCIStream* pStream = GetMediaStream();
    const bool fComplete = pStream && pStream->IsComplete();
    const bool fOpen = GetMovieOpen() != 0;
    const struct {
        int id;
        bool fEnabled;
    } states[] = {
        {MOVWND_ID_TITLE, false},
        {MOVWND_ID_SAVEAS, fComplete},
        {MOVWND_ID_STOPDOWNLOAD, pStream && pStream->IsDownloading()},
        {MOVWND_ID_PLAY, fOpen},
        {MOVWND_ID_STOP, fOpen},
        {MOVWND_ID_REWIND, fOpen},
        {MOVWND_ID_FASTSTART, fComplete},
    };
    for (const auto& state : states)
        EnableMenuItem(hMenu, state.id, MF_BYCOMMAND | (state.fEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(hMenu, MOVWND_ID_SHOWPROGRESS,
                  MF_BYCOMMAND | (MOVIEOPTIONS_Get().m_fShowProgress ? MF_CHECKED : MF_UNCHECKED));
}

void CMOVWnd::OnContextMenu() {
    HMENU hMenu = LoadContextMenu();
    if (!hMenu)
        return;
    POINT pt = {};
    GetCursorPos(&pt);
    TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    DestroyMenu(hMenu);
}

// A local movie is converted where it lies, closed meanwhile and opened again after; a remote one is
// converted from the browser's file to a file the user names, or copied there when it was already in
// fast-start form.
void CMOVWnd::MakeFastStart() {
    CMCIStream* pStream = GetMediaStream();
    std::string sMovie;
    if (!pStream || !pStream->IsComplete() || !pStream->GetReadableFile(sMovie))
        return;
    CURLParts url;
    if (url.Construct(pStream->GetURL().c_str()) && url.IsLocal()) {
        CloseMovie();
        OnOpenResult(false);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
        CVroonJob job(sMovie.c_str(), m_hWnd, false, IDC_VROON_STOP_PLUGIN);
        job.DoModal();
        m_sOpenFile = sMovie;
        OpenMovie();
        return;
    }
    CVroonAs dialog(m_hWnd, pStream->GetClipName());
    if (!dialog.DoModal())
        return;
    // Written to the very file it is read from, the movie would be lost: the user who names the browser's file
    // gets that file converted where it lies.
    if (IsSameFile(sMovie, dialog.GetFileName())) {
        CVroonJob job(sMovie.c_str(), m_hWnd, false, IDC_VROON_STOP_PLUGIN);
        job.DoModal();
        return;
    }
    CVroonJob job(sMovie.c_str(), dialog.GetFileName().c_str(), m_hWnd, false, IDC_VROON_STOP_PLUGIN);
    if (job.DoModal() == IDOK && !job.NeedsConversion())
        MFX_VERIFY(pStream->UI_SaveAsNoPrompt(m_hWnd, dialog.GetFileName()));
}

bool CMOVWnd::OnCommand(int idItem, int nCode, HWND hControl) {
    CMCIStream* pStream = GetMediaStream();
    switch (idItem) {
        case MOVWND_ID_ABOUT:
            CAboutDlg(m_hWnd).DoModal();
            return true;
        case MOVWND_ID_HOME:
            m_Browser.GetURL(MOVWND_HOME_URL, "_blank");
            return true;
        case MOVWND_ID_FAQ:
            m_Browser.GetURL(MOVWND_FAQ_URL, "_blank");
            return true;
        case MOVWND_ID_MAKERHOME:
            m_Browser.GetURL(MOVWND_MAKER_URL, "_blank");
            return true;
        case MOVWND_ID_SAVEAS:
            Stop();
            if (pStream)
                pStream->UI_SaveAs(m_hWnd);
            return true;
        case MOVWND_ID_STOPDOWNLOAD:
            Stop();
            if (pStream)
                pStream->Cancel();
            return true;
        case MOVWND_ID_PLAY:
            Play();
            return true;
        case MOVWND_ID_STOP:
            Stop();
            return true;
        case MOVWND_ID_REWIND:
            Rewind();
            return true;
        case MOVWND_ID_SHOWPROGRESS:
            MOVIEOPTIONS_Get().m_fShowProgress = !MOVIEOPTIONS_Get().m_fShowProgress;
            if (MOVIEOPTIONS_Get().m_fShowProgress)
                CreateProgress();
            else
                m_Progress.reset();
            return true;
        case MOVWND_ID_FASTSTART:
            MakeFastStart();
            return true;
        case MOVWND_ID_ABOUTMEDIA:
            CAboutMediaDlg(pStream, m_hWnd, m_Properties, IsFullPage()).DoModal();
            return true;
        default:
            return CMOVWndL::OnCommand(idItem, nCode, hControl);
    }
}

// A movie that links to a page follows the link (stopping first unless the page opens in another frame);
// any other click the controller did not take starts or stops the movie.
void CMOVWnd::OnLeftClick(int x, int y) {
    if (!m_Video.GetHref().empty()) {
        if (m_Video.GetTarget().empty())
            m_Video.Stop();
        m_Browser.LinkClick(m_Video.GetHref().c_str(), m_Video.GetTarget().c_str(), x, y, m_Video.IsMap());
        return;
    }
    if (m_Video.IsPlaying())
        m_Video.Stop();
    else
        MFX_VERIFY(m_Video.Play());
}

bool CMOVWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (m_Video.FilterMessage(m_hWnd, uMsg, wParam, lParam)) {
        if (m_Progress)
            m_Progress->SetPlayback(static_cast<uint32_t>(m_Video.GetPlayedShare() * m_Progress->GetTotal()));
        lResult = uMsg == WM_SETCURSOR ? TRUE : 0;
        return true;
    }
    switch (uMsg) {
        case WM_CREATE:
            lResult = DefaultProc(uMsg, wParam, lParam);
            ShowWindow(m_hWnd, SW_HIDE);
            return true;
        case WM_ERASEBKGND:
            OVPAINT_Get().PaintBackground(m_hWnd, reinterpret_cast<HDC>(wParam), IsFullPage());
            lResult = TRUE;
            return true;
        case MCISTREAM_WM_PROGRESS:
            OnProgress(wParam, wParam, lParam);
            lResult = 0;
            return true;
        case WM_PAINT:
            ValidateRect(m_hWnd, nullptr);
            lResult = 0;
            return true;
        case WM_LBUTTONDOWN:
            OnLeftClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            lResult = 0;
            return true;
        case WM_RBUTTONDOWN:
            OnContextMenu();
            lResult = 0;
            return true;
        case WM_INITMENUPOPUP:
            UpdateMenu(reinterpret_cast<HMENU>(wParam));
            lResult = 0;
            return true;
        default:
            return CMOVWndL::OnMessage(uMsg, wParam, lParam, lResult);
    }
}

void CMOVWnd::OnTimer(UINT_PTR idTimer) {
    if (idTimer == MOVWND_OPEN_TIMER_ID)
        OpenOnTimer();
    else
        CMOVWndL::OnTimer(idTimer);
}

void CMOVWnd::OnDestroy() {
    CloseMovie();
    m_Progress.reset();
    CMOVWndL::OnDestroy();
}
