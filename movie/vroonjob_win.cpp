#include "movie/vroonjob_win.h"

#include <climits>

#include "toolkit/ctrllist_win.h"
#include "toolkit/gasgauge.h"
#include "toolkit/gasgauge_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("VROON");

namespace {

const UINT_PTR IDT_START = 1;
const UINT START_DELAY_MS = 100;  // the conversion starts once the window is on screen
// The conversion asks whether it was cancelled after every 4 KB chunk. A look at the message queue is a round
// trip to the window server, and even reading the clock leaves the program for the system, each costing more
// than the copy of a chunk; a grown 3D bar is redrawn on the display at once, a few milliseconds each. So the
// clock is read every CLOCK_CHUNKS chunks, and the queue pumped and the gauge fed only when PUMP_INTERVAL_MS have
// passed: twenty updates a second, which the eye takes as smooth, at about a tenth of the conversion's time.
const DWORD PUMP_INTERVAL_MS = 50;
const unsigned CLOCK_CHUNKS = 16;
const char STOP_QUESTION[] = "Stop conversion?";

bool s_fGaugeRegistered = false;  // the gauge class is registered once per process

void RegisterGauge() {
    if (s_fGaugeRegistered)
        return;
    s_fGaugeRegistered = GASGAUGE_Initialize(WINDOW_GetInstance(), VROONJOB_GAUGECLASS, false);
    if (!s_fGaugeRegistered)
        MFX_ReportFailure(MFX_CHECK_VERIFY, s_szMfxSourceModule, __LINE__,
                          "GASGAUGE_Initialize( AfxGetInstanceHandle(), \"OVGasGauge\", FALSE )");
}

}  // namespace

CQTFastJob::CQTFastJob(CVroonJob* pJob)
    : m_pJob(pJob),
      m_bCancelled(false),
      m_nCalls(0),
      m_dwLastPump(0),
      m_fPositionDue(true),
      m_dwRange(0),
      m_nRangeShift(0) {}

bool CQTFastJob::UI_IsCancelled() {
    if (++m_nCalls % CLOCK_CHUNKS == 0) {
        const DWORD dwNow = GetTickCount();
        if (dwNow - m_dwLastPump >= PUMP_INTERVAL_MS) {
            m_dwLastPump = dwNow;
            m_fPositionDue = true;
            WINDOW_PumpMessages();
        }
    }
    return m_bCancelled;
}

void CQTFastJob::UI_Status(const char* szText) {
    m_pJob->SetItemText(IDC_VROON_STATUS, szText);
}

void CQTFastJob::UI_SetRange(uint32_t dwTotal) {
    // The gauge counts in signed 32 bits: a total above that is sent, with every position, halved.
    m_nRangeShift = 0;
    while ((dwTotal >> m_nRangeShift) > static_cast<uint32_t>(INT_MAX))
        m_nRangeShift++;
    m_dwRange = dwTotal;
    m_pJob->SendItemMessage(IDC_VROON_GAUGE, WM_COMMAND, GASGAUGE_SETRANGE,
                            static_cast<LPARAM>(dwTotal >> m_nRangeShift));
    m_pJob->SendItemMessage(IDC_VROON_GAUGE, WM_COMMAND, GASGAUGE_SETPOSITION, 0);
    m_fPositionDue = true;  // a new copy shows its first chunk at once
}

// The gauge repaints only when its bar grows by a pixel, but even a message that changes nothing costs more
// than a chunk. Positions are sent at the pump's pace, and always the last one, so the gauge ends true.
void CQTFastJob::UI_SetPosition(uint32_t dwDone) {
    if (!m_fPositionDue && dwDone < m_dwRange)
        return;
    m_fPositionDue = false;
    m_pJob->SendItemMessage(IDC_VROON_GAUGE, WM_COMMAND, GASGAUGE_SETPOSITION,
                            static_cast<LPARAM>(dwDone >> m_nRangeShift));
}

CVroonJob::CVroonJob(const char* szMovie, HWND hParent, bool bAutoCommit, int idStop)
    : CVroonJob(szMovie, "", hParent, bAutoCommit, idStop) {}

CVroonJob::CVroonJob(const char* szSource, const char* szDestination, HWND hParent, bool bAutoCommit, int idStop)
    : CDialog(WINDOW_GetInstance(), IDD_VROONJOB, hParent),
      m_bAutoCommit(bAutoCommit),
      m_qtFAST(this),
      m_bNeedsConversion(true),
      m_bFinished(false),
      m_idStop(idStop) {
    lstrcpynA(m_sFileName, szSource, sizeof(m_sFileName));
    lstrcpynA(m_sSaveAsFileName, szDestination, sizeof(m_sSaveAsFileName));
    RegisterGauge();
}

bool CVroonJob::OnInitDialog() {
    CenterOver(GetParent(m_hWnd));
    if (m_idStop != IDC_VROON_STOP)
        SetWindowLongPtrA(GetItem(IDC_VROON_STOP), GWLP_ID, m_idStop);
    EnableItem(IDOK, false);
    EnableItem(m_idStop, false);
    m_font.Reset(CTRLLIST_CreateFont());
    const WORD controls[] = {IDOK, IDCANCEL, static_cast<WORD>(m_idStop), IDC_VROON_STATUS, IDC_VROON_FILE,
                             CTRLLIST_END};
    CTRLLIST_SetFont(controls, m_hWnd, m_font.Get());
    SetItemText(IDC_VROON_FILE, m_sSaveAsFileName[0] ? m_sSaveAsFileName : m_sFileName);
    MFX_VERIFY(SetTimer(IDT_START, START_DELAY_MS));
    return true;
}

void CVroonJob::OnTimer(UINT_PTR idTimer) {
    if (idTimer != IDT_START)
        return;
    KillTimer(IDT_START);
    Convert();
}

// The whole conversion runs here, inside the timer's message; the window takes input again only through the
// message dispatch of UI_IsCancelled, where Stop is the one enabled button.
void CVroonJob::Convert() {
    m_bNeedsConversion = !m_qtFAST.IsAlreadyFastStart(m_sFileName);
    EnableItem(m_idStop, true);
    EnableItem(IDOK, false);
    EnableItem(IDCANCEL, false);
    bool fOk = true;
    if (m_sSaveAsFileName[0]) {
        if (m_bNeedsConversion)
            MFX_VERIFY(fOk=m_qtFAST.VroonSourceMovieToDestination(m_sFileName, m_sSaveAsFileName));
        EnableItem(IDCANCEL, !fOk);
    } else if (m_bNeedsConversion) {
        MFX_VERIFY(fOk=m_qtFAST.VroonMovieInPlace(m_sFileName));
        EnableItem(IDCANCEL, true);
    }
    EnableItem(IDOK, fOk);
    EnableItem(m_idStop, false);
    m_bFinished = true;
    // The focus was on Stop, now disabled: it goes to the button that ends the job.
    if (HWND hNext = GetItem(fOk ? IDOK : IDCANCEL); hNext && IsWindowEnabled(hNext))
        SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hNext), TRUE);
    if (m_bAutoCommit) {
        if (m_qtFAST.m_inmovie[0])
            MFX_VERIFY(m_qtFAST.VroonCommitReplace());
        EndDialog(IDOK);
    }
}

// Each button acts only while it is enabled. Enter, Escape and the close box reach the dialog as OK and Cancel
// whatever the buttons show; honoured while converting, they would end the window under a running conversion
// and lose the commit or rollback of its result. Once the conversion has ended, Escape and the close box end
// the job as Cancel does even where the button is disabled (a movie already in fast-start form), so the window
// can always be closed.
bool CVroonJob::OnCommand(int idItem, int nCode, HWND hControl) {
    const bool fClosing = idItem == IDCANCEL && m_bFinished;
    if ((idItem == IDOK || idItem == IDCANCEL || idItem == m_idStop) && !fClosing && !IsItemEnabled(idItem))
        return true;
    if (idItem == m_idStop) {
        OnStop();
        return true;
    }
    return CDialog::OnCommand(idItem, nCode, hControl);
}

void CVroonJob::OnStop() {
    if (MessageBox(STOP_QUESTION, WINDOW_GetAppTitle(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        m_qtFAST.m_bCancelled = true;
}

void CVroonJob::OnOK() {
    if (m_qtFAST.m_inmovie[0])
        MFX_VERIFY(m_qtFAST.VroonCommitReplace());
    EndDialog(IDOK);
}

void CVroonJob::OnCancel() {
    if (m_qtFAST.m_inmovie[0])
        MFX_VERIFY(m_qtFAST.VroonRollbackReplace());
    EndDialog(IDCANCEL);
}

void CVroonJob::OnDestroy() {
    // The movie is released with the window, so the caller may open, rename or convert it again.
    m_qtFAST.Close();
    m_font.Reset();
}
