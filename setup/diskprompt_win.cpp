// The disk prompt: a disk is in when its marker file is in the source root; otherwise the user is asked for
// the disk, or for the folder that holds it.
#include <cctype>
#include <string>

#include "setup/backdrop_win.h"
#include "setup/copy_win.h"
#include "setup/setupdlg_ids.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "setup/targets.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("DISKPROMPT");

namespace {

struct DISKASK {
    COPYSTATE* pState;
    int nDisk;
};

bool HasMarker(const char* szFolder, int nDisk) {
    char szMarker[8];
    PATHNAME szPath;
    return PLACE_DiskMarker(nDisk, szMarker) && PATHNAME_Construct(szPath, szFolder, szMarker) &&
           PATHNAME_Exists(szPath);
}

// A drive's root counts as a path here: a disk is often read from one.
bool IsPath(const char* szPath) {
    const bool fRoot = isalpha(static_cast<unsigned char>(szPath[0])) && szPath[1] == ':' &&
                       (szPath[2] == '\0' || (szPath[2] == '\\' && szPath[3] == '\0'));
    return fRoot || TARGETS_IsValidPath(szPath) || (szPath[0] == '\\' && szPath[1] == '\\' && szPath[2]);
}

// The typed folder becomes the source root when the disk's marker is in it; false (after a beep, and the
// message for what is no path at all) when it is not.
bool Accept(HWND hWnd, DISKASK* pAsk, const char* szPath) {
    if (szPath[0] && HasMarker(szPath, pAsk->nDisk)) {
        PATHNAME_Assign(pAsk->pState->pEngine->place.szSourceRoot, szPath);
        return true;
    }
    MessageBeep(0);
    if (!IsPath(szPath))
        SETUPMSG_Show(hWnd, sidMessage, MB_OK | MB_ICONSTOP);
    return false;
}

bool AnswerDisk(void* pContext, const char* szAnswer, INT_PTR* pnResult) {
    if (STRINGS_CompareNoCase(szAnswer, "Cancel") == 0) {
        *pnResult = IDCANCEL;
        return true;
    }
    *pnResult = IDOK;
    return Accept(SETUPDLG_Parent(), static_cast<DISKASK*>(pContext), szAnswer);
}

std::string AnsweredDisk(void* pContext, INT_PTR nResult) {
    return nResult == IDOK ? static_cast<DISKASK*>(pContext)->pState->pEngine->place.szSourceRoot : "Cancel";
}

std::string DefaultDisk(void* pContext) {
    return static_cast<DISKASK*>(pContext)->pState->pEngine->place.szSourceRoot;
}

const SETUPDLG DISK_PROMPT = {"SETUP_DISK_PROMPT", 100, DLGBOX_DISK_PROMPT, 17, AnswerDisk, AnsweredDisk, DefaultDisk};

INT_PTR CALLBACK DiskProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_INITDIALOG: {
            SETUPDLG_Opened(hDlg, DISK_PROMPT, lParam);
            const DISKASK* pAsk = reinterpret_cast<const DISKASK*>(lParam);
            const DISKOBJ* pDisk = DISK_GetDisk(&pAsk->pState->pEngine->pDesign->disks, pAsk->nDisk);
            SetDlgItemTextA(hDlg, IDC_DISK_LABEL, pDisk ? pDisk->szName : "");
            SendDlgItemMessageA(hDlg, IDC_DISK_NAME, EM_LIMITTEXT, MAX_PATHNAME - 1, 0);
            SetDlgItemTextA(hDlg, IDC_DISK_NAME, pAsk->pState->pEngine->place.szSourceRoot);
            MessageBeep(0);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    char szPath[MAX_PATHNAME + 1] = "";
                    GetDlgItemTextA(hDlg, IDC_DISK_NAME, szPath, sizeof(szPath));
                    if (Accept(hDlg, static_cast<DISKASK*>(SETUPDLG_Context(hDlg)), szPath))
                        SETUPDLG_End(hDlg, DISK_PROMPT, IDOK);
                    return TRUE;
                }
                case IDCANCEL:
                    if (SETUPMSG_Show(hDlg, IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION) == IDYES)
                        SETUPDLG_End(hDlg, DISK_PROMPT, IDCANCEL);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

bool DISKPROMPT_Ensure(COPYSTATE* pState, int nDisk) {
    if (HasMarker(pState->pEngine->place.szSourceRoot, nDisk))
        return true;
    DISKASK ask = {pState, nDisk};
    return SETUPDLG_Run(DISK_PROMPT, DiskProc, &ask) == IDOK;
}
