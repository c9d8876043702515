#include "setup/setupdlg_win.h"

#include <cstdio>
#include <vector>

#include "setup/answerhook_win.h"
#include "setup/backdrop_win.h"
#include "setup/bdbind_win.h"
#include "setup/dlgint_win.h"
#include "setup/dlgplace_win.h"
#include "setup/engine_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("SETUPDLG");

namespace {

SETUPENGINE* s_pEngine = nullptr;
std::vector<HWND> s_modeless;  // the run's modeless dialogs, for keyboard navigation

// What no real text equals, so that a missing key and an empty value are told apart.
const char PRIVATE_DEFAULT[] = "\x01haulix-none\x01";
const DWORD DLGTEXT_SIZE = 256;

bool ReadOverride(const char* szSection, const char* szKey, const char* szFile, char* szText) {
    GetPrivateProfileStringA(szSection, szKey, PRIVATE_DEFAULT, szText, DLGTEXT_SIZE, szFile);
    return strcmp(szText, PRIVATE_DEFAULT) != 0;
}

const int COMMON_CONTROLS[] = {IDOK, IDCANCEL, 8037, 8070, 8071, 8075};
const char* const COMMON_KEYS[] = {"IDOK", "IDCANCEL", "IDHELP", "IDBEGIN", "IDEXIT", "IDPROMPT"};

}  // namespace

void SETUPDLG_SetRun(SETUPENGINE* pEngine) {
    s_pEngine = pEngine;
}

int DLGTEXT_ControlCount(int nNumber) {
    switch (nNumber) {
        case 100:
            return 3;
        case 200:
            return 1;
        case 400:
            return 6;
        case 500:
            return 6;
        case 600:
            return 3;
        case 800:
            return 1;
        case 900:
            return 2;
        case 1000:
            return 11;
        case 1100:
            return 12;
        // SETUP_CHOOSE's own controls are 1201 to 1209: its three buttons and their six descriptions.
        case 1200:
            return 10;
        default:
            return 0;
    }
}

void DLGTEXT_Apply(HWND hDlg, int nNumber, const char* szOverrideFile) {
    if (!szOverrideFile || !szOverrideFile[0] || !hDlg)
        return;
    char szKey[40];
    char szText[DLGTEXT_SIZE];
    snprintf(szKey, sizeof(szKey), "DLG%d", nNumber);
    if (ReadOverride("Dialog Caption", szKey, szOverrideFile, szText))
        SetWindowTextA(hDlg, szText);
    for (int i = 0; i < DLGTEXT_ControlCount(nNumber); ++i) {
        snprintf(szKey, sizeof(szKey), "DLG%dCTL%d", nNumber, i);
        if (ReadOverride("Control Text", szKey, szOverrideFile, szText))
            SetDlgItemTextA(hDlg, nNumber + i, szText);
    }
    for (size_t i = 0; i < sizeof(COMMON_CONTROLS) / sizeof(COMMON_CONTROLS[0]); ++i) {
        if (ReadOverride("Control Text", COMMON_KEYS[i], szOverrideFile, szText))
            SetDlgItemTextA(hDlg, COMMON_CONTROLS[i], szText);
    }
}

bool SETUPDLG_IsAnswered() {
    return s_pEngine && s_pEngine->cmdline.szAnswers[0] != '\0';
}

HWND SETUPDLG_Parent() {
    if (!s_pEngine)
        return nullptr;
    if (s_pEngine->hCustomize && IsWindow(s_pEngine->hCustomize))
        return s_pEngine->hCustomize;
    return s_pEngine->hMain;
}

INT_PTR SETUPDLG_Run(const SETUPDLG& dlg, DLGPROC pfnDialog, void* pContext) {
    std::string preset = dlg.pfnDefault ? dlg.pfnDefault(pContext) : std::string();
    char szAnswer[MAX_PATH + 1];
    strncpy(szAnswer, preset.c_str(), sizeof(szAnswer) - 1);
    szAnswer[sizeof(szAnswer) - 1] = '\0';
    if (dlg.pfnAnswer && SETUP_Answer(dlg.szTemplate, 0, szAnswer, sizeof(szAnswer))) {
        INT_PTR nResult = -1;
        if (!MFX_VERIFY(dlg.pfnAnswer(pContext, szAnswer, &nResult)))
            return -1;
        return nResult;
    }
    const INT_PTR nResult = DLGINT_DialogBoxParam(s_pEngine ? s_pEngine->hInstance : nullptr, dlg.szTemplate,
                                                  SETUPDLG_Parent(), pfnDialog, reinterpret_cast<LPARAM>(pContext));
    if (nResult != -1 && dlg.pfnAnswered)
        SETUP_Answered(dlg.szTemplate, static_cast<int>(nResult), dlg.pfnAnswered(pContext, nResult).c_str());
    return nResult;
}

HWND SETUPDLG_Create(const SETUPDLG& dlg, DLGPROC pfnDialog, void* pContext) {
    HWND hDlg = DLGINT_CreateDialogParam(s_pEngine ? s_pEngine->hInstance : nullptr, dlg.szTemplate, SETUPDLG_Parent(),
                                         pfnDialog, reinterpret_cast<LPARAM>(pContext));
    if (hDlg)
        s_modeless.push_back(hDlg);
    return hDlg;
}

bool SETUPDLG_IsDialogMessage(MSG* pMsg) {
    for (size_t i = 0; i < s_modeless.size();) {
        if (!IsWindow(s_modeless[i])) {
            s_modeless.erase(s_modeless.begin() + static_cast<ptrdiff_t>(i));
            continue;
        }
        if (IsDialogMessageA(s_modeless[i], pMsg))
            return true;
        ++i;
    }
    return false;
}

void SETUPDLG_Opened(HWND hDlg, const SETUPDLG& dlg, LPARAM lParam) {
    SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
    if (!s_pEngine || !s_pEngine->pDesign)
        return;
    if (dlg.nBox >= 0)
        DLGBOX_Place(hDlg, &s_pEngine->pDesign->boxes, dlg.nBox);
    if (s_pEngine->pDesign->exe.bSETUPTXT) {
        PATHNAME szOverride;
        if (PATHNAME_Construct(szOverride, s_pEngine->place.szWorkDir, "setup.txt"))
            DLGTEXT_Apply(hDlg, dlg.nNumber, szOverride);
    }
    if (dlg.nBackdrop)
        BACKDROP_CallNotifyEvent(&s_pEngine->pDesign->backdrop, hDlg, BACKDROP_DIALOGOPENED, dlg.nBackdrop, 0);
}

void SETUPDLG_End(HWND hDlg, const SETUPDLG& dlg, INT_PTR nResult) {
    if (s_pEngine && s_pEngine->pDesign && dlg.nBackdrop)
        BACKDROP_CallNotifyEvent(&s_pEngine->pDesign->backdrop, hDlg, BACKDROP_DIALOGCLOSING, dlg.nBackdrop, 0);
    EndDialog(hDlg, nResult);
}

void* SETUPDLG_Context(HWND hDlg) {
    return reinterpret_cast<void*>(GetWindowLongPtrA(hDlg, DWLP_USER));
}
