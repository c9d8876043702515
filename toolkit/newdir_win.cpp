#include "toolkit/newdir_win.h"

#include "toolkit/commfile.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("NEWDIR");

namespace {

struct NEWDIR_STATE {
    const NEWDIR_TEMPLATE* pTemplate;
    char* szName;
};

INT_PTR CALLBACK NewDirProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pState = reinterpret_cast<NEWDIR_STATE*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (uMsg) {
        case WM_INITDIALOG:
            pState = reinterpret_cast<NEWDIR_STATE*>(lParam);
            SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
            SetDlgItemTextA(hDlg, pState->pTemplate->idName, pState->szName);
            SendDlgItemMessageA(hDlg, pState->pTemplate->idName, EM_LIMITTEXT, NEWDIR_NAMESIZE - 1, 0);
            WINDOW_CenterOver(hDlg, GetWindow(hDlg, GW_OWNER));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                char szTyped[NEWDIR_NAMESIZE] = "";
                GetDlgItemTextA(hDlg, pState->pTemplate->idName, szTyped, sizeof(szTyped));
                if (!NEWDIR_IsValidName(szTyped)) {
                    MessageBeep(MB_ICONEXCLAMATION);
                    SetFocus(GetDlgItem(hDlg, pState->pTemplate->idName));
                    return TRUE;
                }
                STRINGS_CopyN(pState->szName, szTyped, NEWDIR_NAMESIZE);
                EndDialog(hDlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(hDlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

// The name typed last stays in the field when the dialog is shown again, for the user to mend.
bool NEWDIR_Run(const NEWDIR_TEMPLATE* pTemplate, HWND hOwner, char* szName) {
    MFX_PRE(pTemplate && szName);
    STRINGS_CopyN(szName, pTemplate->szPreset ? pTemplate->szPreset : "", NEWDIR_NAMESIZE);
    NEWDIR_STATE state = {pTemplate, szName};
    for (;;) {
        const INT_PTR nResult = DialogBoxParamA(pTemplate->hInstance, pTemplate->szTemplate, hOwner, NewDirProc,
                                                reinterpret_cast<LPARAM>(&state));
        if (!MFX_VERIFY(nResult != -1) || nResult != IDOK)
            return false;
        PATHNAME szFolder = "";
        MFX_PRE(PATHNAME_ConstructCurDir(szFolder));
        PATHNAME szNew = "";
        if (PATHNAME_Construct(szNew, szFolder, szName) && PATHNAME_CreateFolder(szNew))
            return true;
    }
}
