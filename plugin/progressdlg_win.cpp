#include "plugin/progressdlg_win.h"

#include <cstdio>

#include "plugin/movwnd_ids.h"
#include "toolkit/gdiobject_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PROGRESS");

const char PROGRESSDLG_RECEIVING[] = "Flarion is receiving media file...";

namespace {

// The width of a share of the bar: value of total, never more than the bar.
int Share(int cx, uint32_t dwValue, uint32_t dwTotal) {
    if (dwTotal == 0)
        return 0;
    const uint64_t qw = static_cast<uint64_t>(cx) * (dwValue < dwTotal ? dwValue : dwTotal) / dwTotal;
    return static_cast<int>(qw);
}

}  // namespace

CProgressDlg::CProgressDlg(HWND hParent) : CDialog(WINDOW_GetInstance(), PROGRESS_IDD, hParent) {}

bool CProgressDlg::Create() {
    if (!CDialog::Create())
        return false;
    RECT rcParent = {};
    GetClientRect(GetParent(m_hWnd), &rcParent);
    PlaceBeside(rcParent);
    ShowWindow(m_hWnd, SW_SHOWNA);
    return true;
}

bool CProgressDlg::OnInitDialog() {
    SetItemText(PROGRESS_IDC_LINE1, PROGRESSDLG_RECEIVING);
    UpdateTexts();
    return false;
}

void CProgressDlg::UpdateTexts() {
    if (!m_hWnd)
        return;
    char szLine[400];
    if (!m_sClipName.empty())
        snprintf(szLine, sizeof(szLine), "Size of %s in bytes:%ld", m_sClipName.c_str(), static_cast<long>(m_dwTotal));
    else
        snprintf(szLine, sizeof(szLine), "Total size in bytes:%ld", static_cast<long>(m_dwTotal));
    SetItemText(PROGRESS_IDC_LINE2, szLine);
}

void CProgressDlg::RepaintMeter() {
    if (m_hWnd)
        InvalidateRect(GetItem(PROGRESS_IDC_METER), nullptr, FALSE);
}

void CProgressDlg::SetTotal(uint32_t dwTotal) {
    m_dwTotal = dwTotal;
    UpdateTexts();
    RepaintMeter();
}

void CProgressDlg::SetReceived(uint32_t dwReceived) {
    m_dwReceived = dwReceived;
    RepaintMeter();
}

void CProgressDlg::SetPlayback(uint32_t dwPlayback) {
    if (dwPlayback == m_dwPlayback)
        return;
    m_dwPlayback = dwPlayback;
    RepaintMeter();
}

void CProgressDlg::SetClipName(const std::string& sName) {
    m_sClipName = sName;
    UpdateTexts();
}

void CProgressDlg::PlaceBeside(const RECT& rcParent) {
    if (!m_hWnd)
        return;
    RECT rc = {};
    GetWindowRect(m_hWnd, &rc);
    const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
    const int cx = rc.right - rc.left;
    SetWindowPos(m_hWnd, nullptr, rcParent.right - cyCaption - cx, rcParent.top + 2 * cyCaption, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The whole bar light grey, what has arrived dark grey from the left, how far the movie has played blue over
// it; the shares only once the length is known.
void CProgressDlg::PaintMeter(HDC hdc, const RECT& rc) const {
    const int cx = rc.right - rc.left;
    CBrush grey(CreateSolidBrush(RGB(192, 192, 192)));
    FillRect(hdc, &rc, grey.Get());
    if (m_dwTotal == 0)
        return;
    RECT rcShare = rc;
    rcShare.right = rc.left + Share(cx, m_dwReceived, m_dwTotal);
    CBrush dark(CreateSolidBrush(RGB(128, 128, 128)));
    FillRect(hdc, &rcShare, dark.Get());
    rcShare.right = rc.left + Share(cx, m_dwPlayback, m_dwTotal);
    CBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(hdc, &rcShare, blue.Get());
}

bool CProgressDlg::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (uMsg == WM_DRAWITEM && wParam == PROGRESS_IDC_METER) {
        const auto* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const RECT& rc = pItem->rcItem;
        CMemoryDC offscreen(pItem->hDC, rc.right - rc.left, rc.bottom - rc.top);
        if (offscreen) {
            PaintMeter(offscreen.Get(), RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top});
            BitBlt(pItem->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, offscreen.Get(), 0, 0, SRCCOPY);
        }
        lResult = TRUE;
        return true;
    }
    return CDialog::OnMessage(uMsg, wParam, lParam, lResult);
}
