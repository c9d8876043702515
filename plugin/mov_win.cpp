#include "plugin/mov_win.h"

#include "plugin/movprops.h"
#include "plugin/movwnd_ids.h"
#include "toolkit/mfx.h"
#include "toolkit/qtbinding_win.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("MOV");

CQTMovies CMOV::s_movies;
int CMOV::s_nInstances = 0;

// One QuickTime call on a movie object: under its lock, counted in its busy count.
class CMOVCall {
public:
    explicit CMOVCall(CMOV& mov) : m_mov(mov) {
        EnterCriticalSection(&m_mov.m_lock);
        ++m_mov.m_nBusy;
    }
    ~CMOVCall() {
        --m_mov.m_nBusy;
        LeaveCriticalSection(&m_mov.m_lock);
    }
    CMOVCall(const CMOVCall&) = delete;
    CMOVCall& operator=(const CMOVCall&) = delete;

private:
    CMOV& m_mov;
};

void CVideo::MMIO_NotifyOpen(HWND hWnd) {
    if (!MFX_VERIFY(m_fOpen))
        return;
    if (m_fAutoStart)
        MFX_VERIFY(Play());
}

CMOV::CMOV() {
    InitializeCriticalSection(&m_lock);
    if (s_nInstances++ == 0 && !s_movies.IsTried())
        MFX_VERIFY(CMOV::ClassInit());
}

CMOV::~CMOV() {
    Close();
    --s_nInstances;
    DeleteCriticalSection(&m_lock);
}

// Tried once per loaded library: without QuickTime every open fails quietly.
bool CMOV::ClassInit() {
    return s_movies.Enter();
}

void CMOV::ClassTerm() {
    s_movies.Leave();
}

bool CMOV::ReadProperties(const CNPProps& props, bool fFullPage) {
    MOVPROPS m;
    MFX_PRE(MOVPROPS_Read(&m, props, fFullPage));
    m_Loop = m.nLoop;
    m_fAutoStart = m.fAutoStart != 0;
    m_nController = m.nController;
    m_fKeepAspect = m.fKeepAspect != 0;
    m_nPosition = m.nPosition;
    m_fHidden = m.fHidden != 0;
    m_fPlayEveryFrame = m.fPlayEveryFrame != 0;
    m_fUseWindowPalette = m.fUseWindowsPalette != 0;
    m_fStepButtons = m.fStepButtons != 0;
    m_fSpeakerButton = m.fSpeakerButtons != 0;
    m_Volume = m.nVolume;
    m_sHref = m.sHref;
    m_sTarget = m.sTarget;
    m_fIsMap = m.fIsMap != 0;
    return true;
}

// A name with "+" names a movie held in memory, which is not a file to open. A movie still open is closed
// first, so that opening again never leaves the earlier movie and controller behind.
bool CMOV::Open(const char* szFileName, HWND hWnd) {
    Close();
    const std::string name = szFileName ? szFileName : "";
    m_fMemoryFile = name.find('+') != std::string::npos;
    if (!m_fMemoryFile)
        m_sFileName = name;
    m_dwOwnerThread = GetCurrentThreadId();
    if (!OpenMovie(name.c_str(), hWnd))
        return m_fOpen;
    if (!MakeController(hWnd))
        return m_fOpen;
    SetUpController();
    if (m_fKeepAspect) {
        CMOVCall call(*this);
        MCGetControllerBoundsRect(m_mcController, &m_rcMovie);
        OffsetRect(reinterpret_cast<RECT*>(&m_rcMovie), -m_rcMovie.left, -m_rcMovie.top);
    }
    {
        CMOVCall call(*this);
        SetMovieActive(m_mMovie, 1);
    }
    m_fOpen = true;
    return m_fOpen;
}

// clang-format off
// The reports quote each call as written here.
bool CMOV::OpenMovie(const char* szFileName, HWND hWnd) {
    CMOVCall call(*this);
    short nErr = OpenMovieFile(szFileName, &m_nRefNum, 0);
    MFX_VERIFY(m_fOpen= ( nErr == noErr));
    if (!m_fOpen)
        return false;
    nErr = NewMovieFromFile(&m_mMovie, m_nRefNum);
    MFX_VERIFY(m_fOpen = (nErr==noErr));
    CloseMovieFile(m_nRefNum);
    m_nRefNum = 0;
    if (!m_fOpen)
        m_mMovie = nullptr;
    return m_fOpen;
}

// Keeping the aspect ratio, the controller takes the movie's natural size; a controller that will not take
// the movie is made empty and given it. Stretched, the movie fills the window.
bool CMOV::MakeController(HWND hWnd) {
    CMOVCall call(*this);
    const long pos = m_nPosition == 0 ? mcTopLeftMovie : 0;
    if (m_fKeepAspect) {
        GetMovieBox(m_mMovie, &m_rcMovie);
        OffsetRect(reinterpret_cast<RECT*>(&m_rcMovie), -m_rcMovie.left, -m_rcMovie.top);
        if (!MFX_VERIFY(m_mcController = NewMovieController (m_mMovie, &m_rcMovie,pos, hWnd))) {
            if ((m_mcController = NewMovieController(nullptr, &m_rcMovie, pos, hWnd)) != nullptr) {
                const short nErr = MCSetMovie(m_mcController, m_mMovie, hWnd, 0, 0);
                MFX_VERIFY(m_fOpen = (nErr==noErr));
            }
        }
    } else {
        RECT rcClient = {};
        GetClientRect(hWnd, &rcClient);
        m_rcMovie = {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom};
        MFX_VERIFY(m_mcController = NewMovieController(m_mMovie, &m_rcMovie,pos + mcScaleMovieToFit, hWnd));
    }
    return m_mcController != nullptr;
}

// The flag word and the rates travel as the actions' pointer-sized parameters.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wint-to-pointer-cast"
bool CMOV::SetUpController() {
    CMOVCall call(*this);
    MCSetActive(m_mcController, m_nController != 0);
    bool fOk = true;
    if (m_nController == 2)
        fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetUseBadge,(LPVOID)TRUE));
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetLooping,(LPVOID)(m_Loop!=0)));
    if (m_Loop == 2)
        fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetLoopIsPalindrome,(LPVOID)TRUE));
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetPlayEveryFrame,(LPVOID)m_fPlayEveryFrame));
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetVolume,(LPVOID)(LONG_PTR)m_Volume));
    LONG lFlags = 0;
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionGetFlags,(LPVOID)&lFlags));
    if (m_fUseWindowPalette)
        lFlags += mcFlagsUseWindowPalette;
    if (!m_fStepButtons)
        lFlags += mcFlagSuppressStepButtons;
    if (!m_fSpeakerButton)
        lFlags += mcFlagSuppressSpeakerButton;
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetFlags,(LPVOID)(LONG_PTR)lFlags));
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionPlay,(LPVOID)0));
    QTRECT rcNoGrowBox = {};
    fOk &= MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionSetGrowBoxBounds,(LPVOID)&rcNoGrowBox));
    return fOk;
}

// A movie that stands at its end starts again from its beginning.
bool CMOV::Play() {
    if (!m_fOpen || !m_mcController)
        return false;
    CMOVCall call(*this);
    if (GetMovieTime(m_mMovie) == GetMovieDuration(m_mMovie))
        Rewind();
    const long lfxRate = GetMoviePreferredRate(m_mMovie);
    bool fOk;
    MFX_VERIFY(fOk = (noErr==MCDoAction(m_mcController,mcActionPlay,(LPVOID)lfxRate)));
    return fOk;
}

bool CMOV::Stop() {
    if (!m_fOpen || !m_mcController)
        return false;
    CMOVCall call(*this);
    return MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionPlay,(LPVOID)0));
}
#pragma GCC diagnostic pop

bool CMOV::Rewind() {
    if (!m_fOpen || !m_mcController)
        return false;
    CMOVCall call(*this);
    QTTIMERECORD trRecord = {};
    trRecord.value = 0;
    trRecord.scale = static_cast<int32_t>(GetMovieTimeScale(m_mMovie));
    return MFX_VERIFY(noErr==MCDoAction(m_mcController,mcActionGoToTime,(LPVOID)&trRecord));
}
// clang-format on

bool CMOV::IsPlaying() {
    if (!m_fOpen || !m_mcController)
        return false;
    CMOVCall call(*this);
    int32_t lfxRate = 0;
    return MCDoAction(m_mcController, mcActionGetPlayRate, &lfxRate) == noErr && lfxRate != 0;
}

void CMOV::Close() {
    if (!m_fOpen && !m_mcController && !m_mMovie)
        return;
    CMOVCall call(*this);
    if (m_mcController)
        DisposeMovieController(m_mcController);
    if (m_mMovie)
        DisposeMovie(m_mMovie);
    m_mcController = nullptr;
    m_mMovie = nullptr;
    m_fOpen = false;
}

double CMOV::GetPlayedShare() {
    if (!m_fOpen)
        return 0;
    CMOVCall call(*this);
    const long lDuration = GetMovieDuration(m_mMovie);
    const long lTime = GetMovieTime(m_mMovie);
    return lDuration > 0 && lTime > 0 ? static_cast<double>(lTime) / lDuration : 0;
}

void CMOV::PlaceController(HWND hWnd) {
    if (!m_mcController)
        return;
    CMOVCall call(*this);
    QTRECT rc = {};
    MCGetControllerBoundsRect(m_mcController, &rc);
    RECT rcClient = {};
    GetClientRect(hWnd, &rcClient);
    const long cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    const long left = (rcClient.right - cx) / 2, bottom = rcClient.bottom - 2 * GetSystemMetrics(SM_CYCAPTION);
    rc = {left, bottom - cy, left + cx, bottom};
    MCSetControllerBoundsRect(m_mcController, &rc);
}

// Over a movie that links to a page the cursor is the hand; the controller sees every other message.
bool CMOV::FilterMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_SETCURSOR && !m_sHref.empty()) {
        SetCursor(LoadCursorA(WINDOW_GetInstance(), MAKEINTRESOURCEA(MOVWND_IDC_HAND)));
        return true;
    }
    if (!m_mcController)
        return false;
    CMOVCall call(*this);
    return MCIsPlayerMessage(m_mcController, hWnd, uMsg, wParam, lParam) != 0;
}
