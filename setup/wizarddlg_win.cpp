// The wizard's dialogs: the destination, the installation type and the directories the user must settle.
#include <cstdlib>
#include <string>

#include "setup/dlgint_win.h"
#include "setup/dlgplace_win.h"
#include "setup/hookbind_win.h"
#include "setup/hookrec.h"
#include "setup/setupdlg_ids.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "setup/syschange_win.h"
#include "setup/targets.h"
#include "setup/wizard_win.h"
#include "toolkit/commfile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("WIZARDDLG");

namespace {

SETUPENGINE* s_pEngine = nullptr;  // the run whose dialogs are open; one at a time

TARGET* Target(int nSlot) {
    return TARGCOLL_GetTarget(&s_pEngine->pDesign->targets, nSlot);
}

std::string ItemText(HWND hDlg, int idItem) {
    char szText[MAX_PATHNAME + 1] = "";
    GetDlgItemTextA(hDlg, idItem, szText, sizeof(szText));
    return szText;
}

void PlaceChooser(HWND hDlg) {
    DLGBOX_Place(hDlg, &s_pEngine->pDesign->boxes, DLGBOX_NEWDIR);
}

// Lets the user pick a folder, starting from szFolder; true with the choice in it.
bool Browse(HWND hOwner, char* szFolder) {
    return COMMFILE_ChooseSetupDir(szFolder, hOwner, DLGINT_GetLibrary(), DLGINT_GetSaveFileName, PlaceChooser) == 1;
}

// ---- SETUP_INSTALL_TO ----

// Makes szPath target 1's directory when it is valid and passes the check, moving the targets that lay under
// the old one; false after the message that says why not.
bool ApplyInstallTo(HWND hWnd, const char* szPath) {
    TARGET* pMain = Target(1);
    if (!TARGETS_IsValidPath(szPath) || !pMain) {
        SETUPMSG_Show(hWnd, IDS_PATHINVALID, MB_OK | MB_ICONSTOP);
        return false;
    }
    TARGET trial = *pMain;
    STRINGS_CopyN(trial.runtimepath, szPath, sizeof(trial.runtimepath));
    if (!WIZARD_TargetPasses(&trial)) {
        SETUPMSG_Show(hWnd, IDS_TARGET_VALID_RUNTIME, MB_OK | MB_ICONSTOP);
        return false;
    }
    PATHNAME szOld;
    PATHNAME_Assign(szOld, pMain->runtimepath);
    TARGETS_MoveUnder(&s_pEngine->pDesign->targets, szOld, szPath);
    PATHNAME_Assign(pMain->runtimepath, szPath);
    TARGETS_RecomputeBasedOn(&s_pEngine->pDesign->targets, 1);
    return true;
}

bool AnswerInstallTo(void*, const char* szAnswer, INT_PTR* pnResult) {
    if (STRINGS_CompareNoCase(szAnswer, "Exit") == 0) {
        *pnResult = IDC_EXIT;
        return true;
    }
    *pnResult = IDC_INSTALL_CONTINUE;
    return ApplyInstallTo(SETUPDLG_Parent(), szAnswer);
}

std::string AnsweredInstallTo(void*, INT_PTR nResult) {
    return nResult == IDC_INSTALL_CONTINUE && Target(1) ? Target(1)->runtimepath : "Exit";
}

std::string DefaultInstallTo(void*) {
    return Target(1) ? Target(1)->runtimepath : "";
}

const SETUPDLG INSTALL_TO = {"SETUP_INSTALL_TO", 600, DLGBOX_INSTALL_TO, 1, AnswerInstallTo, AnsweredInstallTo,
                             DefaultInstallTo};

INT_PTR CALLBACK InstallToProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
    switch (uMsg) {
        case WM_INITDIALOG:
            // The design's title first, so that the string override file has the last word.
            if (s_pEngine->pDesign->exe.szDlgCaption[0])
                SetWindowTextA(hDlg, s_pEngine->pDesign->exe.szDlgCaption);
            SETUPDLG_Opened(hDlg, INSTALL_TO, 0);
            SendDlgItemMessageA(hDlg, IDC_INSTALL_FOLDER, EM_LIMITTEXT, MAX_PATHNAME - 1, 0);
            SetDlgItemTextA(hDlg, IDC_INSTALL_FOLDER, DefaultInstallTo(nullptr).c_str());
            HOOK_DialogOpened(HOOK_INSTALL_TO, hDlg);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_INSTALL_CONTINUE:
                case IDOK:
                    if (ApplyInstallTo(hDlg, ItemText(hDlg, IDC_INSTALL_FOLDER).c_str()))
                        SETUPDLG_End(hDlg, INSTALL_TO, IDC_INSTALL_CONTINUE);
                    return TRUE;
                case IDC_BROWSE: {
                    PATHNAME szFolder;
                    PATHNAME_Assign(szFolder, ItemText(hDlg, IDC_INSTALL_FOLDER).c_str());
                    if (Browse(hDlg, szFolder))
                        SetDlgItemTextA(hDlg, IDC_INSTALL_FOLDER, szFolder);
                    return TRUE;
                }
                case IDC_EXIT:
                case IDCANCEL:
                    SETUPDLG_End(hDlg, INSTALL_TO, IDC_EXIT);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

// ---- SETUP_CHOOSE ----

const char* const CHOICES[] = {"Custom", "Complete", "Minimum"};  // by installation type

int ChooseType(HWND hWnd, int nChoice) {
    if (nChoice == INSTALL_COMPLETE &&
        !WIZARD_CheckSpace(s_pEngine, SELECT_Usable(s_pEngine->pDesign, INSTALL_COMPLETE), hWnd))
        return s_pEngine->nInstallType;
    return nChoice;
}

bool AnswerChoose(void*, const char* szAnswer, INT_PTR* pnResult) {
    for (int i = 0; i < 3; ++i) {
        if (STRINGS_CompareNoCase(szAnswer, CHOICES[i]) == 0) {
            const INT_PTR RESULTS[] = {IDC_CHOOSE_CUSTOM, IDC_CHOOSE_COMPLETE, IDC_CHOOSE_MINIMUM};
            *pnResult = RESULTS[i];
            const int nAllowed = s_pEngine->pDesign->exe.nInstallType;
            return !(nAllowed == 1 && i == INSTALL_MINIMUM) && !(nAllowed == 2 && i == INSTALL_CUSTOM);
        }
    }
    if (STRINGS_CompareNoCase(szAnswer, "Exit") == 0 || STRINGS_CompareNoCase(szAnswer, "Back") == 0) {
        *pnResult = STRINGS_CompareNoCase(szAnswer, "Exit") == 0 ? IDC_EXIT : IDC_GOBACK;
        return true;
    }
    return false;
}

std::string AnsweredChoose(void*, INT_PTR nResult) {
    switch (nResult) {
        case IDC_CHOOSE_COMPLETE:
            return "Complete";
        case IDC_CHOOSE_CUSTOM:
            return "Custom";
        case IDC_CHOOSE_MINIMUM:
            return "Minimum";
        case IDC_GOBACK:
            return "Back";
        default:
            return "Exit";
    }
}

std::string DefaultChoose(void*) {
    return "Complete";
}

const SETUPDLG CHOOSE = {"SETUP_CHOOSE", 1200, DLGBOX_CHOOSE, 2, AnswerChoose, AnsweredChoose, DefaultChoose};

INT_PTR CALLBACK ChooseProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
    switch (uMsg) {
        case WM_INITDIALOG: {
            SETUPDLG_Opened(hDlg, CHOOSE, 0);
            const int nAllowed = s_pEngine->pDesign->exe.nInstallType;
            EnableWindow(GetDlgItem(hDlg, IDC_CHOOSE_MINIMUM), nAllowed != 1);
            EnableWindow(GetDlgItem(hDlg, IDC_CHOOSE_CUSTOM), nAllowed != 2);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CHOOSE_COMPLETE:
                case IDC_CHOOSE_CUSTOM:
                case IDC_CHOOSE_MINIMUM:
                case IDC_GOBACK:
                case IDC_EXIT:
                    SETUPDLG_End(hDlg, CHOOSE, LOWORD(wParam));
                    return TRUE;
                case IDC_CHOOSE_HELP: {
                    PATHNAME szHelp;
                    if (s_pEngine->pDesign->exe.szHelpFile[0] &&
                        PATHNAME_Construct(szHelp, s_pEngine->place.szWorkDir, s_pEngine->pDesign->exe.szHelpFile))
                        SYSCHANGE_Platform().pfnHelp(szHelp, hDlg);
                    return TRUE;
                }
            }
            break;
    }
    return FALSE;
}

// ---- SETUP_RESOLVE ----

struct RESOLVE {
    int nSlot;
    std::string chosen;
};

// The directories offered for a target: what was found for it, its default and its current directory.
std::vector<std::string> Choices(int nSlot) {
    std::vector<std::string> choices = s_pEngine->candidates[nSlot];
    const TARGET* pTarget = Target(nSlot);
    for (const char* szDir : {pTarget->defaultpath, pTarget->runtimepath}) {
        bool fListed = !szDir[0];
        for (const std::string& choice : choices)
            fListed = fListed || STRINGS_CompareNoCase(choice.c_str(), szDir) == 0;
        if (!fListed)
            choices.push_back(szDir);
    }
    return choices;
}

bool ApplyResolve(HWND hWnd, int nSlot, const char* szPath) {
    TARGET* pTarget = Target(nSlot);
    if (!TARGETS_IsValidPath(szPath)) {
        SETUPMSG_Show(hWnd, IDS_PATHINVALID, MB_OK | MB_ICONSTOP);
        return false;
    }
    TARGET trial = *pTarget;
    STRINGS_CopyN(trial.runtimepath, szPath, sizeof(trial.runtimepath));
    if (!WIZARD_TargetPasses(&trial)) {
        SETUPMSG_Show(hWnd, IDS_TARGET_VALID_RUNTIME, MB_OK | MB_ICONSTOP);
        return false;
    }
    PATHNAME_Assign(pTarget->runtimepath, szPath);
    TARGETS_RecomputeBasedOn(&s_pEngine->pDesign->targets, nSlot);
    return true;
}

bool AnswerResolve(void* pContext, const char* szAnswer, INT_PTR* pnResult) {
    RESOLVE* pResolve = static_cast<RESOLVE*>(pContext);
    if (STRINGS_CompareNoCase(szAnswer, "Exit") == 0 || STRINGS_CompareNoCase(szAnswer, "Back") == 0) {
        *pnResult = STRINGS_CompareNoCase(szAnswer, "Exit") == 0 ? IDC_EXIT : IDC_RESOLVE_GOBACK;
        return true;
    }
    *pnResult = IDC_RESOLVE_CONTINUE;
    return ApplyResolve(SETUPDLG_Parent(), pResolve->nSlot, szAnswer);
}

std::string AnsweredResolve(void* pContext, INT_PTR nResult) {
    const RESOLVE* pResolve = static_cast<const RESOLVE*>(pContext);
    if (nResult == IDC_RESOLVE_CONTINUE)
        return Target(pResolve->nSlot)->runtimepath;
    return nResult == IDC_RESOLVE_GOBACK ? "Back" : "Exit";
}

std::string DefaultResolve(void* pContext) {
    return Target(static_cast<const RESOLVE*>(pContext)->nSlot)->runtimepath;
}

const SETUPDLG RESOLVE_DLG = {"SETUP_RESOLVE", 400, -1, 4, AnswerResolve, AnsweredResolve, DefaultResolve};

void SelectChoice(HWND hDlg, const char* szDir) {
    HWND hList = GetDlgItem(hDlg, IDC_RESOLVE_LIST);
    LRESULT nIndex = SendMessageA(hList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(szDir));
    if (nIndex == LB_ERR)
        nIndex = SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szDir));
    SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

std::string SelectedChoice(HWND hDlg) {
    HWND hList = GetDlgItem(hDlg, IDC_RESOLVE_LIST);
    const LRESULT nIndex = SendMessageA(hList, LB_GETCURSEL, 0, 0);
    char szDir[MAX_PATHNAME + 1] = "";
    if (nIndex != LB_ERR && SendMessageA(hList, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0) <= MAX_PATHNAME)
        SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(szDir));
    return szDir;
}

INT_PTR CALLBACK ResolveProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_INITDIALOG: {
            SETUPDLG_Opened(hDlg, RESOLVE_DLG, lParam);
            const RESOLVE* pResolve = reinterpret_cast<const RESOLVE*>(lParam);
            const TARGET* pTarget = Target(pResolve->nSlot);
            const std::string prompt =
                SETUPMSG_GetText(IDS_LOOKFOR1) + pTarget->szName + SETUPMSG_GetText(IDS_LOOKFOR2);
            SetDlgItemTextA(hDlg, IDC_RESOLVE_PROMPT, prompt.c_str());
            SetDlgItemTextA(hDlg, IDC_TIPS, TARGET_GetMessage(pTarget));
            for (const std::string& choice : Choices(pResolve->nSlot))
                SendDlgItemMessageA(hDlg, IDC_RESOLVE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
            SelectChoice(hDlg, pTarget->runtimepath);
            EnableWindow(GetDlgItem(hDlg, IDC_RESOLVE_SEARCH), FALSE);
            return TRUE;
        }
        case WM_COMMAND: {
            RESOLVE* pResolve = static_cast<RESOLVE*>(SETUPDLG_Context(hDlg));
            switch (LOWORD(wParam)) {
                case IDC_RESOLVE_CONTINUE:
                case IDOK:
                    if (ApplyResolve(hDlg, pResolve->nSlot, SelectedChoice(hDlg).c_str()))
                        SETUPDLG_End(hDlg, RESOLVE_DLG, IDC_RESOLVE_CONTINUE);
                    return TRUE;
                case IDC_RESOLVE_BROWSE: {
                    PATHNAME szFolder;
                    PATHNAME_Assign(szFolder, SelectedChoice(hDlg).c_str());
                    if (Browse(hDlg, szFolder))
                        SelectChoice(hDlg, szFolder);
                    return TRUE;
                }
                case IDC_RESOLVE_GOBACK:
                case IDC_GOBACK:
                    SETUPDLG_End(hDlg, RESOLVE_DLG, IDC_RESOLVE_GOBACK);
                    return TRUE;
                case IDC_EXIT:
                    SETUPDLG_End(hDlg, RESOLVE_DLG, IDC_EXIT);
                    return TRUE;
            }
            break;
        }
    }
    return FALSE;
}

// ---- The directory step's defaults ----

std::string EnvironmentEntry(const char* szVariable) {
    char szList[4096] = "";
    const DWORD cch = GetEnvironmentVariableA(szVariable, szList, sizeof(szList));
    if (cch == 0 || cch >= sizeof(szList))
        return "";
    PATHNAME szFirst;
    TARGETS_FirstEntry(szList, szFirst);
    return szFirst;
}

void GiveDefault(TARGET* pTarget) {
    std::string dir;
    switch (pTarget->nType) {
        case TARGET_PATH:
            dir = EnvironmentEntry("PATH");
            break;
        case TARGET_INCLUDE:
            dir = EnvironmentEntry("INCLUDE");
            break;
        case TARGET_LIB:
            dir = EnvironmentEntry("LIB");
            break;
        case TARGET_WINDOWS:
        case TARGET_SYSTEM: {
            char szDir[MAX_PATH] = "";
            const UINT cch = pTarget->nType == TARGET_WINDOWS ? GetWindowsDirectoryA(szDir, sizeof(szDir))
                                                              : GetSystemDirectoryA(szDir, sizeof(szDir));
            if (cch > 0 && cch < sizeof(szDir))
                dir = szDir;
            break;
        }
        default:
            return;
    }
    if (dir.empty())
        return;
    STRINGS_CopyN(pTarget->runtimepath, dir.c_str(), sizeof(pTarget->runtimepath));
    if (pTarget->nType <= TARGET_LIB)
        STRINGS_CopyN(pTarget->defaultpath, dir.c_str(), sizeof(pTarget->defaultpath));
}

void DefaultTargets() {
    for (int i = 2; i < MAX_TARGETS; ++i) {
        TARGET* pTarget = Target(i);
        if (pTarget && !pTarget->bPrompt)
            GiveDefault(pTarget);
    }
    for (int i = 1; i < MAX_TARGETS; ++i) {
        if (TARGET* pTarget = Target(i))
            HOOK_DefaultTarget(s_pEngine->hMain, pTarget, s_pEngine->candidates[i]);
    }
}

}  // namespace

bool WIZARD_TargetPasses(const TARGET* pTarget) {
    if (!pTarget || !TARGETS_IsValidPath(pTarget->runtimepath))
        return false;
    return !pTarget->fMustExist || PATHNAME_FolderExists(pTarget->runtimepath);
}

int WIZARD_InstallTo(SETUPENGINE* pEngine) {
    s_pEngine = pEngine;
    const INT_PTR nResult = SETUPDLG_Run(INSTALL_TO, InstallToProc, nullptr);
    if (nResult == -1)
        return -1;
    return nResult == IDC_INSTALL_CONTINUE ? WIZARD_SCREEN1 : WIZARD_LEAVE;
}

int WIZARD_Choose(SETUPENGINE* pEngine) {
    s_pEngine = pEngine;
    if (pEngine->pDesign->exe.nInstallType == 0) {
        pEngine->nInstallType = INSTALL_COMPLETE;
        return WIZARD_SCREEN2;
    }
    switch (SETUPDLG_Run(CHOOSE, ChooseProc, nullptr)) {
        case IDC_CHOOSE_COMPLETE:
            pEngine->nInstallType = ChooseType(SETUPDLG_Parent(), INSTALL_COMPLETE);
            return WIZARD_SCREEN2;
        case IDC_CHOOSE_CUSTOM:
            pEngine->nInstallType = INSTALL_CUSTOM;
            return WIZARD_SCREEN2;
        case IDC_CHOOSE_MINIMUM:
            pEngine->nInstallType = INSTALL_MINIMUM;
            return WIZARD_SCREEN2;
        case IDC_GOBACK:
            return WIZARD_SCREEN1;
        case IDC_EXIT:
            return WIZARD_LEAVE;
        default:
            return -1;
    }
}

int WIZARD_Directories(SETUPENGINE* pEngine, bool fForward) {
    s_pEngine = pEngine;
    pEngine->candidates.resize(MAX_TARGETS);
    if (!pEngine->fTargetsDefaulted) {
        pEngine->fTargetsDefaulted = true;
        DefaultTargets();
    }
    std::vector<int> asked;
    for (int i = 2; i < MAX_TARGETS; ++i) {
        const TARGET* pTarget = Target(i);
        if (pTarget && (pTarget->bPrompt || !WIZARD_TargetPasses(pTarget)))
            asked.push_back(i);
    }
    int nAt = fForward ? 0 : static_cast<int>(asked.size()) - 1;
    while (nAt >= 0 && nAt < static_cast<int>(asked.size())) {
        RESOLVE resolve = {asked[nAt], ""};
        if (!HOOK_Resolve(Target(resolve.nSlot)->szName)) {
            nAt += fForward ? 1 : -1;
            continue;
        }
        switch (SETUPDLG_Run(RESOLVE_DLG, ResolveProc, &resolve)) {
            case IDC_RESOLVE_CONTINUE:
                ++nAt;
                fForward = true;
                break;
            case IDC_RESOLVE_GOBACK:
                --nAt;
                fForward = false;
                break;
            case IDC_EXIT:
                return WIZARD_LEAVE;
            default:
                return -1;
        }
    }
    return nAt < 0 ? WIZARD_SCREEN2 : WIZARD_SCREEN3;
}

namespace {

bool FreeSpace(char cDrive, uint64_t* pqwFree, void*) {
    const char szRoot[] = {cDrive, ':', '\\', '\0'};
    return PATHNAME_GetFreeSpace64(szRoot, pqwFree) != 0;
}

}  // namespace

bool WIZARD_CheckSpace(SETUPENGINE* pEngine, const SELECTION& selection, HWND hWnd) {
    MFX_PRE(pEngine);
    // A drive without a disk must not stop the run with the platform's box.
    const UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const char cShort = SELECT_ShortDrive(pEngine->pDesign, selection, FreeSpace, nullptr);
    SetErrorMode(uOldMode);
    if (!cShort)
        return true;
    const std::string text = SETUPMSG_GetText(IDS_NOSPACE1) + cShort + ":" + SETUPMSG_GetText(IDS_NOSPACE2);
    SETUPMSG_Box(hWnd, IDS_NOSPACE1, text, MB_OK | MB_ICONSTOP);
    return false;
}
