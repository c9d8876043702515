// How the run shows each of its dialogs: from the dialog library's template, placed by its placement box, its
// texts replaced from the string override file, the backdrop plug-in told when it opens and closes; and, in a
// run with an answerer, answered by its template name without showing it. Windows code.
#pragma once

#include <windows.h>

#include <string>

struct SETUPENGINE;

// One dialog of the run.
struct SETUPDLG {
    const char* szTemplate;  // also the question's identifier
    int nNumber;             // the override file's dialog number (100 ... 1200)
    int nBox;                // the placement box; -1 centred on the screen
    int nBackdrop;           // the backdrop's dialog code; 0 none
    // Applies an answer without a window as the dialog's buttons would: false when it cannot be applied. The
    // dialog's result goes to *pnResult.
    bool (*pfnAnswer)(void* pContext, const char* szAnswer, INT_PTR* pnResult);
    // The answer a person gave, as the response file writes it.
    std::string (*pfnAnswered)(void* pContext, INT_PTR nResult);
    // The answer when the response file has none (the dialog's preset: its folder, its first choice).
    std::string (*pfnDefault)(void* pContext);
};

// The run whose design, backdrop and override file the dialogs use.
void SETUPDLG_SetRun(SETUPENGINE* pEngine);
// The dialog's override texts: section "Dialog Caption", key "DLG" + number for the title; section "Control
// Text", "DLG" + number + "CTL" + i for control number + i (i from 0, as many as the dialog's hundred counts),
// then "IDOK", "IDCANCEL", "IDHELP", "IDBEGIN", "IDEXIT" and "IDPROMPT" for controls 1, 2, 8037, 8070, 8071 and
// 8075. Nothing without an override file.
void DLGTEXT_Apply(HWND hDlg, int nNumber, const char* szOverrideFile);
// How many controls of a dialog number the override file may retitle.
int DLGTEXT_ControlCount(int nNumber);

// Runs a modal dialog whose procedure calls SETUPDLG_Opened on WM_INITDIALOG and ends it with SETUPDLG_End;
// pContext is the dialog's lParam. -1 when the dialog could not be run, or when an answer could not be applied.
INT_PTR SETUPDLG_Run(const SETUPDLG& dlg, DLGPROC pfnDialog, void* pContext);
// A modeless dialog of the run (the progress dialog, the customize window); null when it could not be made.
HWND SETUPDLG_Create(const SETUPDLG& dlg, DLGPROC pfnDialog, void* pContext);
// Gives a message to the run's modeless dialog it belongs to (keyboard navigation); true when it was taken.
bool SETUPDLG_IsDialogMessage(MSG* pMsg);
// The parent of the run's dialogs: the customize window when it is there, else the backdrop window.
HWND SETUPDLG_Parent();
// On WM_INITDIALOG: keeps the dialog's lParam as its context; placement, texts, the backdrop's opened event.
void SETUPDLG_Opened(HWND hDlg, const SETUPDLG& dlg, LPARAM lParam);
// The backdrop's closing event and the end of a modal dialog.
void SETUPDLG_End(HWND hDlg, const SETUPDLG& dlg, INT_PTR nResult);
// The context SETUPDLG_Opened kept.
void* SETUPDLG_Context(HWND hDlg);
// True when the run has an answerer (an unattended run): no dialog waits for a person.
bool SETUPDLG_IsAnswered();
