#include "testing/moviefixture/heldjob_win.h"

#include "toolkit/gasgauge.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

const DWORD HOLD_TIMEOUT = 60000;

}  // namespace

bool CHoldingGauge::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (uMsg != WM_COMMAND)
        return false;
    if (LOWORD(wParam) == GASGAUGE_SETRANGE)
        m_lRange = lParam;
    if (LOWORD(wParam) != GASGAUGE_SETPOSITION || m_fHeld || lParam <= 0 || m_lRange < m_lMinRange ||
        lParam < static_cast<LPARAM>(m_dFraction * static_cast<double>(m_lRange)))
        return false;
    m_fHeld = true;
    lResult = DefaultProc(uMsg, wParam, lParam);
    m_fHolding = true;
    UIDRIVER_PumpUntil([&] { return m_fRelease && !(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE); },
                       HOLD_TIMEOUT);
    m_fHolding = false;
    return true;
}

bool CHeldJob::OnInitDialog() {
    const bool fFocus = CVroonJob::OnInitDialog();
    m_gauge.Subclass(GetItem(IDC_VROON_GAUGE));
    return fFocus;
}
