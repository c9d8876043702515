#include "setup/copy_win.h"

#include <climits>

#include "setup/backdrop_win.h"
#include "setup/bdbind_win.h"
#include "setup/dlgint_win.h"
#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/hookrec.h"
#include "setup/install_win.h"
#include "setup/progmanstep_win.h"
#include "setup/setupdlg_ids.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "setup/syschange_win.h"
#include "toolkit/gasgauge.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("COPY");

namespace {

COPYSTATE* s_pState = nullptr;  // the running copy, for the byte copy's chunk callback

const SETUPDLG PROGRESS = {"SETUP_PROGRESS", 200, DLGBOX_PROGRESS, BACKDROP_INSTALLED, nullptr, nullptr, nullptr};

void Gauge(COPYSTATE* pState, unsigned uCommand, int64_t nValue) {
    if (pState->hGauge)
        SendMessageA(pState->hGauge, WM_COMMAND, MAKEWPARAM(uCommand, 0), static_cast<LPARAM>(nValue));
}

void OnChunk(uint32_t cbChunk) {
    if (!s_pState)
        return;
    s_pState->cbReported += cbChunk;
    COPY_Progress(s_pState, cbChunk, false);
}

INT_PTR CALLBACK ProgressProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_INITDIALOG:
            SETUPDLG_Opened(hDlg, PROGRESS, lParam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                COPYSTATE* pState = static_cast<COPYSTATE*>(SETUPDLG_Context(hDlg));
                if (pState && pState->fContinue &&
                    SETUPMSG_Show(hDlg, IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION) == IDYES) {
                    SETUPMSG_Show(hDlg, IDS_BADSETUP, MB_OK | MB_ICONINFORMATION);
                    HOOK_Left();
                    pState->fContinue = false;
                    pState->nEndCode = INSTALL_STOPPED;
                }
                return TRUE;
            }
            break;
    }
    return FALSE;
}

INT_PTR WINAPI RunDialog(HINSTANCE hInstance, const char* szTemplate, HWND hParent, DLGPROC pfnDialog, LPARAM lParam) {
    return DLGINT_DialogBoxParam(hInstance, szTemplate, hParent, pfnDialog, lParam);
}

// What the run changes once every file is in place, in this order.
void Finish(COPYSTATE* pState) {
    SETUPENGINE* pEngine = pState->pEngine;
    DESIGN* pDesign = pEngine->pDesign;
    Gauge(pState, GASGAUGE_SETPOSITION, pState->cbTotal >> pState->nShift);
    ShowWindow(pState->hDlg, SW_HIDE);
    HWND hParent = SETUPDLG_Parent();
    if (pEngine->fCreateGroup && pDesign->exe.szProgManGroup[0]) {
        HOOK_MakingGroup(pDesign->exe.szProgManGroup);
        PROGMAN_RunGroupDialog(RunDialog, pEngine->hInstance, hParent, pDesign, &pEngine->log);
    }
    SYSCHANGE_WinIni(pDesign, hParent, pEngine->fModifyWinIni);
    SYSCHANGE_ReadMe(pDesign, hParent);
    SYSCHANGE_Spawn(pDesign);
    SYSCHANGE_AutoexecPath(pDesign, hParent);
    HOOK_Finished(true);
    SETUPMSG_Show(hParent, IDS_GOODSETUP, MB_OK | MB_ICONINFORMATION);
    BACKDROP_CallNotifyEvent(&pDesign->backdrop, pState->hDlg, BACKDROP_DIALOGCLOSING, BACKDROP_INSTALLED, 0);
    if (HOOK_IsLoaded() && pEngine->fLogCreated)
        HOOK_Installed(pState->hDlg, LOGFILE_GetPath(&pEngine->log));
}

void CopyDisks(COPYSTATE* pState) {
    const DESIGN* pDesign = pState->pEngine->pDesign;
    for (int nDisk = 0; nDisk < MAX_DISKS && pState->fContinue; ++nDisk) {
        if (!DISK_GetDisk(&pDesign->disks, nDisk))
            continue;
        pState->nDisk = nDisk;
        if (!DISKPROMPT_Ensure(pState, nDisk)) {
            pState->nEndCode = INSTALL_STOPPED;
            return;
        }
        for (int nPosition : SELECT_CopyOrder(pDesign, pState->pEngine->selection, nDisk)) {
            if (!pState->fContinue || !THING_Install(pState, nPosition))
                return;
        }
    }
}

}  // namespace

void COPY_Progress(COPYSTATE* pState, int64_t cb, bool fNow) {
    pState->cbPending += cb;
    const DWORD dwNow = GetTickCount();
    // A look at the queue is a round trip to the window server: once per interval, whatever the chunks.
    if (!fNow && dwNow - pState->dwLastPump < COPY_PUMP_MS)
        return;
    pState->dwLastPump = dwNow;
    const int64_t nSteps = pState->cbPending >> pState->nShift;
    if (nSteps > 0) {
        Gauge(pState, GASGAUGE_STEP, nSteps);
        pState->cbPending -= nSteps << pState->nShift;
    }
    ENGINE_StepCursor();
    ENGINE_PumpMessages();
}

int COPY_Run(SETUPENGINE* pEngine) {
    MFX_PRE(pEngine);
    COPYSTATE state;
    state.pEngine = pEngine;
    state.cbTotal = SELECT_TotalBytes(pEngine->pDesign, pEngine->selection);
    while ((state.cbTotal >> state.nShift) > INT_MAX)
        ++state.nShift;
    state.hDlg = SETUPDLG_Create(PROGRESS, ProgressProc, &state);
    if (state.hDlg) {
        state.hGauge = GetDlgItem(state.hDlg, IDC_PROGRESS_GAUGE);
        Gauge(&state, GASGAUGE_SETRANGE, state.cbTotal >> state.nShift);
        Gauge(&state, GASGAUGE_SETPOSITION, 0);
        Gauge(&state, GASGAUGE_SETBARCOLOR, pEngine->pDesign->exe.rgbGGColor);
        HOOK_DialogOpened(HOOK_PROGRESS, state.hDlg);
        BACKDROP_CallNotifyEvent(&pEngine->pDesign->backdrop, state.hDlg, BACKDROP_PROGRESSREADY, 0, 0);
        ShowWindow(state.hDlg, SW_SHOW);
        UpdateWindow(state.hDlg);
    }
    s_pState = &state;
    if (!pEngine->place.fInPlace)
        FILE_SetProgress(OnChunk);
    CopyDisks(&state);
    FILE_SetProgress(nullptr);
    s_pState = nullptr;
    if (state.fContinue && state.nEndCode == 0)
        Finish(&state);
    if (state.hDlg)
        DestroyWindow(state.hDlg);
    return state.nEndCode;
}
