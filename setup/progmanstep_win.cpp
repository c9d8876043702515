#include "setup/progmanstep_win.h"

#include <string>

#include "setup/dlgplace_win.h"
#include "setup/progman.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PROGMAN");

const char PROGMANGROUP_TEMPLATE[] = "SETUP_PROGMANGROUP";
const char PROGMANGROUP_UNINSTALLPREFIX[] = "UnInstall ";

namespace {

const UINT_PTR IDT_PROGMANGROUP = 1;
const UINT PROGMANGROUP_DELAY = 500;  // lets the dialog paint before the synchronous transactions start

struct PROGMANGROUP_STATE {
    const DESIGN* pDesign;
    CLogFile* pLog;
    CProgMan progman;
    int nAdded;
};

// One item in the group that the ensure step before it made active; recorded only when the Program Manager
// took it, so that the uninstaller never removes an item that is not there.
bool AddItem(CProgMan* pProgMan, const char* szGroup, const std::string& cmdline, const char* szTitle, CLogFile* pLog) {
    bool fCreated = false;
    PROGMAN_EnsureGroup(pProgMan, szGroup, &fCreated);
    if (!pProgMan->AddItem(cmdline.c_str(), szTitle))
        return false;
    LOGFILE_CreatedIcons(pLog, szGroup, szTitle, fCreated);
    return true;
}

INT_PTR CALLBACK GroupDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pState = reinterpret_cast<PROGMANGROUP_STATE*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (uMsg) {
        case WM_INITDIALOG:
            pState = reinterpret_cast<PROGMANGROUP_STATE*>(lParam);
            SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
            DLGBOX_Place(hDlg, &pState->pDesign->boxes, DLGBOX_PROGMAN);
            MFX_VERIFY(pState->progman.Initialize(hDlg));
            SetTimer(hDlg, IDT_PROGMANGROUP, PROGMANGROUP_DELAY, nullptr);
            return TRUE;
        case WM_TIMER:
            if (wParam != IDT_PROGMANGROUP || !pState)
                return FALSE;
            KillTimer(hDlg, IDT_PROGMANGROUP);
            pState->nAdded = PROGMAN_AddItems(&pState->progman, pState->pDesign, pState->pLog);
            EndDialog(hDlg, IDOK);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void PROGMAN_EnsureGroup(CProgMan* pProgMan, const char* szGroup, bool* pfCreated) {
    if (pProgMan->GroupExists(szGroup)) {
        pProgMan->ShowGroup(szGroup);
        *pfCreated = false;
    } else {
        *pfCreated = pProgMan->CreateGroup(szGroup);
    }
}

// Only things whose copy succeeded get an item: a file of a collection left out, or one that failed to copy,
// would otherwise get an item that starts nothing.
int PROGMAN_AddItems(CProgMan* pProgMan, const DESIGN* pDesign, CLogFile* pLog) {
    MFX_PRE(pProgMan && pDesign && pLog);
    const char* szGroup = pDesign->exe.szProgManGroup;
    int nAdded = 0;
    for (int i = 0; i < MAX_THINGS; ++i) {
        const THING* pThing = pDesign->things.things[i];
        if (!pThing || !pThing->pFile || !pThing->pFile->bIconflag || !pThing->pFile->pIcon || !pThing->fCopied)
            continue;
        const TARGET* pTarget = TARGCOLL_GetTarget(&pDesign->targets, pThing->target);
        if (!MFX_VERIFY(pTarget))
            continue;
        const ICONSTRUCT* pIcon = pThing->pFile->pIcon;
        const std::string cmdline =
            PROGMAN_ItemCommandLine(pTarget->runtimepath, pThing->pFile->szName, pIcon->szCmdLine);
        nAdded += AddItem(pProgMan, szGroup, cmdline, pIcon->szName, pLog);
    }
    if (pDesign->exe.fUnInstallIcon) {
        const std::string title = std::string(PROGMANGROUP_UNINSTALLPREFIX) + pDesign->exe.UnInstallText;
        if (!pLog->m_UnInstallCmdLine.empty())
            nAdded += AddItem(pProgMan, szGroup, pLog->m_UnInstallCmdLine, title.c_str(), pLog);
    }
    return nAdded;
}

int PROGMAN_RunGroupDialog(SETUP_DIALOGBOX pfnDialogBox,
                           HINSTANCE hInstance,
                           HWND hParent,
                           const DESIGN* pDesign,
                           CLogFile* pLog) {
    MFX_PRE(pfnDialogBox && pDesign && pLog);
    PROGMANGROUP_STATE state{pDesign, pLog, {}, 0};
    const INT_PTR nResult =
        pfnDialogBox(hInstance, PROGMANGROUP_TEMPLATE, hParent, GroupDialogProc, reinterpret_cast<LPARAM>(&state));
    if (!MFX_VERIFY(nResult != -1))
        return -1;
    return state.nAdded;
}
