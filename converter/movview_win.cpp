#include "converter/movview_win.h"

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/qtbinding_win.h"

MFX_SOURCE_MODULE("MOVVIEW");

namespace {

// QuickTime is started once for all previews of the process; a failed start is not tried again.
CQTMovies s_movies;

const int BORDER_ALLOWANCE = 4;  // the view's sunken edge around the movie

}  // namespace

static_assert(sizeof(QTRECT) == sizeof(RECT), "a QuickTime rectangle is a window rectangle");

// ---- CZMDIChildWnd

DWORD CZMDIChildWnd::GetStyle() const {
    return CMDIChild::GetStyle() & ~WS_MAXIMIZEBOX;
}

void CZMDIChildWnd::SetFixedSize(int cx, int cy) {
    m_cxFixed = cx;
    m_cyFixed = cy;
    SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CZMDIChildWnd::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (uMsg == WM_PAINT) {
        ValidateRect(m_hWnd, nullptr);
        lResult = 0;
        return true;
    }
    const bool fHandled = CMDIChild::OnMessage(uMsg, wParam, lParam, lResult);
    if (uMsg == WM_GETMINMAXINFO && m_cxFixed > 0 && m_cyFixed > 0) {
        auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
        pInfo->ptMinTrackSize = {m_cxFixed, m_cyFixed};
        pInfo->ptMaxTrackSize = {m_cxFixed, m_cyFixed};
    }
    return fHandled;
}

// ---- CZMDIView

// A view of another kind of document is our own mistake, reported in the base view's module.
CReelDoc* CZMDIView::GetDocument() const {
    CReelDoc* pDocument = dynamic_cast<CReelDoc*>(m_pDocument);
    if (!pDocument)
        MFX_ReportFailure(MFX_CHECK_VERIFY, "ZMDI", __LINE__, "m_pDocument->IsKindOf(RUNTIME_CLASS(CReelDoc))");
    return pDocument;
}

// The child window takes the movie plus the view's edge plus its own borders.
void CZMDIView::SizeToMovie(int cx, int cy) {
    if (CReelDoc* pDocument = GetDocument())
        pDocument->SetMovieSize(cx, cy);
    auto* pFrame = dynamic_cast<CZMDIChildWnd*>(GetFrame());
    if (!pFrame)
        return;
    RECT rc = {0, 0, cx + BORDER_ALLOWANCE, cy + BORDER_ALLOWANCE};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(pFrame->GetHandle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(pFrame->GetHandle(), GWL_EXSTYLE)));
    pFrame->SetFixedSize(rc.right - rc.left, rc.bottom - rc.top);
}

// ---- CMOVView

bool CMOVView::ClassInit() {
    return s_movies.Enter();
}

// The binding is stopped whenever the previews started it, also when entering movies failed, so that every
// successful start is undone.
void CMOVView::ClassTerm() {
    s_movies.Leave();
}

void CMOVView::OpenDocumentMovie() {
    PATHNAME szFileName = "";
    if (CReelDoc* pDocument = GetDocument())
        pDocument->GetMovieName(szFileName);
    if (szFileName[0])
        MFX_VERIFY(OpenTheMovie(szFileName));
}

// clang-format off
// The reports quote each call as written here. The flag word travels as the action's pointer-sized parameter.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wint-to-pointer-cast"
bool CMOVView::OpenTheMovie(const char* szFileName) {
    if (!szFileName[0])
        return true;
    short nRefNum = 0;
    if (OpenMovieFile(szFileName, &nRefNum, 0) != noErr)
        return false;
    if (NewMovieFromFile(&m_mMovie, nRefNum) != noErr) {
        CloseMovieFile(nRefNum);
        m_mMovie = nullptr;
        return false;
    }
    m_fOpen = true;
    CloseMovieFile(nRefNum);

    GetMovieBox(m_mMovie, &m_rcMovie);
    OffsetRect(reinterpret_cast<RECT*>(&m_rcMovie), -m_rcMovie.left, -m_rcMovie.top);
    const long pos = mcTopLeftMovie;
    if (!MFX_VERIFY(m_mcController = NewMovieController (m_mMovie, &m_rcMovie,pos, m_hWnd)))
        return true;

    MCSetActive(m_mcController, 1);
    LONG lFlags = 0;
    MFX_VERIFY(noErr==MCDoAction( m_mcController, mcActionSetLooping, (LPVOID)FALSE ));
    MFX_VERIFY(noErr==MCDoAction( m_mcController, mcActionSetPlayEveryFrame, (LPVOID)TRUE ));
    MFX_VERIFY(noErr==MCDoAction( m_mcController, mcActionSetVolume, (LPVOID)100 ));
    MFX_VERIFY(noErr==MCDoAction( m_mcController, mcActionGetFlags, (LPVOID)&lFlags ));
    lFlags += 8;
    MFX_VERIFY(noErr==MCDoAction( m_mcController, mcActionSetFlags, (LPVOID)lFlags ));
    MFX_VERIFY(noErr==MCDoAction(m_mcController, mcActionPlay, 0));
    SetRectEmpty(reinterpret_cast<RECT*>(&m_rcMovie));
    MFX_VERIFY(noErr==MCDoAction(m_mcController, mcActionSetGrowBoxBounds, &m_rcMovie));

    MCGetControllerBoundsRect(m_mcController, &m_rcMovie);
    OffsetRect(reinterpret_cast<RECT*>(&m_rcMovie), -m_rcMovie.left, -m_rcMovie.top);
    SizeToMovie(m_rcMovie.right, m_rcMovie.bottom);
    SetMovieActive(m_mMovie, 1);
    m_fOpen = true;
    return true;
}
#pragma GCC diagnostic pop
// clang-format on

void CMOVView::CloseTheMovie() {
    if (!m_fOpen)
        return;
    if (m_mcController)
        DisposeMovieController(m_mcController);
    DisposeMovie(m_mMovie);
    m_mcController = nullptr;
    m_mMovie = nullptr;
    m_fOpen = false;
}

void CMOVView::OnUpdate(CView* pSender) {
    if (!m_fOpen) {
        OpenDocumentMovie();
        return;
    }
    PATHNAME szFileName = "";
    if (CReelDoc* pDocument = GetDocument())
        pDocument->GetMovieName(szFileName);
    if (!szFileName[0])
        CloseTheMovie();
}

bool CMOVView::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (m_mcController && MCIsPlayerMessage(m_mcController, m_hWnd, uMsg, wParam, lParam)) {
        lResult = 0;
        return true;
    }
    switch (uMsg) {
        case WM_CREATE:
            if (!s_movies.IsTried())
                MFX_VERIFY(ClassInit());
            OpenDocumentMovie();
            lResult = 0;
            return true;
        case WM_DESTROY:
            CloseTheMovie();
            break;
        default:
            break;
    }
    return CZMDIView::OnMessage(uMsg, wParam, lParam, lResult);
}

bool CMOVView::OnCmdMsg(int idCommand, CCommandState* pState) {
    if (idCommand != ID_EDIT_COPY)
        return false;
    if (pState)
        pState->fEnabled = m_fOpen;
    else if (m_fOpen)
        CopyFrame();
    return true;
}

void CMOVView::CopyFrame() {
    PicHandle pict = GetMoviePict(m_mMovie, GetMovieTime(m_mMovie));
    if (!pict)
        return;
    HGLOBAL hDib = PictureToDIB(pict);
    if (hDib && OpenClipboard(m_hWnd)) {
        EmptyClipboard();
        if (!SetClipboardData(CF_DIB, hDib))
            GlobalFree(hDib);
        CloseClipboard();
    }
    KillPicture(pict);
}
