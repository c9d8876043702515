#include "uninstall/unprogress_win.h"

#include "toolkit/mfx.h"
#include "uninstall/uninstall_ids.h"

MFX_SOURCE_MODULE("UNPROGRESS");

namespace {

const COLORREF BACKGROUND = RGB(192, 192, 192);
const int POINTERS[UNPROGRESS_STEPS] = {IDC_UNPOINTER1, IDC_UNPOINTER2, IDC_UNPOINTER3, IDC_UNPOINTER4};

}  // namespace

CUnProgress::CUnProgress(HINSTANCE hInstance)
    : CDialog(hInstance, IDD_UNPROGRESS, nullptr), m_brBackground(CreateSolidBrush(BACKGROUND)) {}

// The window is repainted at once: the run goes on without serving messages until its next item.
void CUnProgress::SetStep(int nStep) {
    if (!MFX_VERIFY(m_hWnd && nStep >= 0 && nStep < UNPROGRESS_STEPS))
        return;
    for (int idPointer : POINTERS)
        ShowWindow(GetItem(idPointer), SW_HIDE);
    ShowWindow(GetItem(POINTERS[nStep]), SW_SHOW);
    m_nStep = nStep;
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool CUnProgress::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), BACKGROUND);
            lResult = reinterpret_cast<LRESULT>(m_brBackground.Get());
            return true;
    }
    return CDialog::OnMessage(uMsg, wParam, lParam, lResult);
}

void CUnProgress::OnOK() {}

void CUnProgress::OnCancel() {}
