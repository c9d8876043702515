#include "toolkit/ctrllist_win.h"

#include "toolkit/diag.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("CTRLLIST");

HFONT CTRLLIST_CreateFont() {
    LOGFONTA lf = {};
    lf.lfHeight = 8;
    lf.lfWidth = 0;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpyA(lf.lfFaceName, "Helv");
    const HFONT hFont = CreateFontIndirectA(&lf);
    MFX_VERIFY(hFont != nullptr);
    return hFont;
}

bool CTRLLIST_SetFont(const WORD* pList, HWND hDlg, HFONT hFont) {
    MFX_PRE(pList && IsWindow(hDlg));
    bool fAll = true;
    for (int nStep = 0; pList[nStep] != CTRLLIST_END; nStep++) {
        const HWND hControl = GetDlgItem(hDlg, pList[nStep]);
        if (!hControl) {
            DIAG_TraceNumber("Control not found on dialog ", "Self[Step]", pList[nStep]);
            fAll = false;
            continue;
        }
        SendMessageA(hControl, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    }
    return fAll;
}

bool CTRLLIST_Show(const WORD* pList, HWND hDlg, bool fShow) {
    MFX_PRE(pList && IsWindow(hDlg));
    int nControls = 0;
    while (pList[nControls] != CTRLLIST_END)
        nControls++;
    HDWP hdwp = BeginDeferWindowPos(nControls);
    MFX_PRE(hdwp);
    bool fAll = true;
    const UINT uFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                        (fShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    for (int nStep = 0; nStep < nControls && hdwp; nStep++) {
        const HWND hControl = GetDlgItem(hDlg, pList[nStep]);
        if (!hControl) {
            fAll = false;
            continue;
        }
        hdwp = DeferWindowPos(hdwp, hControl, nullptr, 0, 0, 0, 0, uFlags);
    }
    MFX_VERIFY(hdwp && EndDeferWindowPos(hdwp));
    return fAll && hdwp;
}
