// Installing one thing: what the hook library and the backdrop say of it, the overwrite question, the in-use
// test, the backup and the copy, and the log's record of it.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "setup/bdbind_win.h"
#include "setup/copy_win.h"
#include "setup/copyrec.h"
#include "setup/filecopy.h"
#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/install_win.h"
#include "setup/logfile_win.h"
#include "setup/setupdlg_ids.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("THING");

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char ch) { return static_cast<char>(tolower(static_cast<unsigned char>(ch))); });
    return text;
}

// ---- SETUP_OVERWRITE ----

struct OVERWRITE {
    std::string path;
};

enum OVERWRITE_ANSWER { OVERWRITE_YES, OVERWRITE_YESALL, OVERWRITE_NO, OVERWRITE_CANCEL };
const char* const OVERWRITE_WORDS[] = {"Yes", "YesToAll", "No", "Cancel"};
const INT_PTR OVERWRITE_RESULTS[] = {IDC_OVERWRITE_YES, IDC_OVERWRITE_YESALL, IDC_OVERWRITE_NO, IDCANCEL};

bool AnswerOverwrite(void*, const char* szAnswer, INT_PTR* pnResult) {
    for (int i = 0; i < 4; ++i) {
        if (STRINGS_CompareNoCase(szAnswer, OVERWRITE_WORDS[i]) == 0) {
            *pnResult = OVERWRITE_RESULTS[i];
            return true;
        }
    }
    return false;
}

std::string AnsweredOverwrite(void*, INT_PTR nResult) {
    for (int i = 0; i < 4; ++i)
        if (OVERWRITE_RESULTS[i] == nResult)
            return OVERWRITE_WORDS[i];
    return "Cancel";
}

std::string DefaultOverwrite(void*) {
    return "Yes";
}

const SETUPDLG OVERWRITE_DLG = {"SETUP_OVERWRITE", 800, DLGBOX_OVERWRITE, 16, AnswerOverwrite, AnsweredOverwrite,
                                DefaultOverwrite};

INT_PTR CALLBACK OverwriteProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_INITDIALOG: {
            SETUPDLG_Opened(hDlg, OVERWRITE_DLG, 0);
            const OVERWRITE* pOverwrite = reinterpret_cast<const OVERWRITE*>(lParam);
            const std::string text = SETUPMSG_GetText(IDS_OVERWRITE) + Lower(pOverwrite->path) + "?";
            SetDlgItemTextA(hDlg, IDC_OVERWRITE_TEXT, text.c_str());
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_OVERWRITE_YES:
                case IDC_OVERWRITE_YESALL:
                case IDC_OVERWRITE_NO:
                    SETUPDLG_End(hDlg, OVERWRITE_DLG, LOWORD(wParam));
                    return TRUE;
                case IDCANCEL:
                    // Only a confirmed Cancel ends the dialog; No keeps the question open.
                    if (SETUPMSG_Show(hDlg, IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION) == IDYES)
                        SETUPDLG_End(hDlg, OVERWRITE_DLG, IDCANCEL);
                    return TRUE;
            }
            break;
    }
    return FALSE;
}

// The overwrite question for a destination that exists; true when the copy goes ahead.
bool MayOverwrite(COPYSTATE* pState, const char* szPath) {
    SETUPENGINE* pEngine = pState->pEngine;
    if (!pEngine->fPromptOverwrite)
        return true;
    OVERWRITE overwrite = {szPath};
    switch (SETUPDLG_Run(OVERWRITE_DLG, OverwriteProc, &overwrite)) {
        case IDC_OVERWRITE_YES:
            return true;
        case IDC_OVERWRITE_YESALL:
            pEngine->fPromptOverwrite = false;
            return true;
        case IDC_OVERWRITE_NO:
            return false;
        default:
            SETUPMSG_Show(pState->hDlg, IDS_BADSETUP, MB_OK | MB_ICONINFORMATION);
            HOOK_Left();
            pState->fContinue = false;
            pState->nEndCode = INSTALL_STOPPED;
            return false;
    }
}

void ShowTexts(COPYSTATE* pState, const char* szName, const char* szFrom, const char* szTo) {
    if (!pState->hDlg)
        return;
    SetDlgItemTextA(pState->hDlg, IDC_PROGRESS_FILE, Lower(szName).c_str());
    SetDlgItemTextA(pState->hDlg, IDC_PROGRESS_FROM, Lower(szFrom).c_str());
    SetDlgItemTextA(pState->hDlg, IDC_PROGRESS_TO, Lower(szTo).c_str());
}

// Cancel in one of the failure questions.
bool Abandon(COPYSTATE* pState) {
    pState->fContinue = false;
    pState->nEndCode = INSTALL_ABANDONED;
    return false;
}

}  // namespace

bool THING_Install(COPYSTATE* pState, int nPosition) {
    SETUPENGINE* pEngine = pState->pEngine;
    DESIGN* pDesign = pEngine->pDesign;
    THING* pThing = THINGCOL_GetThing(&pDesign->things, nPosition);
    const TARGET* pTarget = pThing ? TARGCOLL_GetTarget(&pDesign->targets, pThing->target) : nullptr;
    MFX_PRE(pThing && pTarget && (pThing->pFile || pThing->pDir));

    char szSourceDir[COPYREC_DIRSIZE] = "";
    char szDestDir[COPYREC_DIRSIZE] = "";
    char szName[COPYREC_NAMESIZE] = "";
    PATHNAME szSource;
    MFX_PRE(PLACE_SourceDir(&pEngine->place, PATHARR_GetPath(&pDesign->paths, pThing->distribdir), szSource));
    STRINGS_CopyN(szSourceDir, szSource, sizeof(szSourceDir));
    STRINGS_CopyN(szDestDir, pTarget->runtimepath, sizeof(szDestDir));
    STRINGS_CopyN(szName, THING_GetName(pThing), sizeof(szName));

    COPYREC copy = {szSourceDir, szDestDir, szName, 1};
    if (!HOOK_Copying(&copy) || !BACKDROP_NotifyCopying(&pDesign->backdrop, pState->hDlg, &copy))
        return true;
    if (pThing->pFile)
        STRINGS_CopyN(pThing->pFile->szName, szName, sizeof(pThing->pFile->szName));
    else
        STRINGS_CopyN(pThing->pDir->szName, szName, sizeof(pThing->pDir->szName));

    // What the copy will write: a compressed file arrives under its expanded name.
    PATHNAME szDestination;
    PATHNAME szFrom;
    MFX_PRE(PATHNAME_Construct(szFrom, szSourceDir, szName));
    MFX_PRE(PATHNAME_Construct(szDestination, szDestDir, szName));
    if (pThing->pFile)
        FILE_ExpandedName(szFrom, szDestination);
    PATHNAME szDestName;
    PATHNAME_GetJustName(szDestination, szDestName);
    const bool fShared = pThing->pFile && pThing->pFile->fSharedFile;

    if (PATHNAME_Exists(szDestination)) {
        if (!MayOverwrite(pState, szDestination))
            return pState->fContinue;
        if (pThing->pFile && FILE_IsInUse(szDestDir, szDestName)) {
            const std::string text =
                SETUPMSG_GetText(SETUPMSG_INUSE1) + szDestName + SETUPMSG_GetText(SETUPMSG_INUSE2) + szDestDir + ".";
            SETUPMSG_Box(pState->hDlg, SETUPMSG_INUSE1, text, MB_OK | MB_ICONEXCLAMATION);
            if (fShared && pEngine->fLogCreated)
                LOGFILE_CopiedFile(&pEngine->log, szSourceDir, szDestDir, szDestName, false, true);
            return true;
        }
    }
    ShowTexts(pState, szName, szSourceDir, szDestDir);

    if (pThing->pFile && pThing->pFile->bBackup && PATHNAME_Exists(szDestination)) {
        const int nBackup = FILE_Backup(szDestName, szDestDir);
        if (nBackup != FILE_BACKUP_DONE) {
            const std::string text = SETUPMSG_Format(SETUPMSG_GetText(IDS_INSTALL_NOBACKUP), {szDestName, szDestDir});
            if (SETUPMSG_Box(pState->hDlg, IDS_INSTALL_NOBACKUP, text,
                             MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK)
                return Abandon(pState);
            return true;
        }
    }

    if (!PATHNAME_FolderExists(szDestDir) && PATHNAME_CreateAllFoldersForPath(szDestDir) && pEngine->fLogCreated)
        LOGFILE_CreatedDir(&pEngine->log, szDestDir);
    pState->cbReported = 0;
    if (THING_Copy(pThing, szSourceDir, szDestDir, false)) {
        if (pEngine->fLogCreated) {
            if (pThing->pFile)
                LOGFILE_CopiedFile(&pEngine->log, szSourceDir, szDestDir, pThing->pFile->szName, false, fShared);
            else
                LOGFILE_CopiedDir(&pEngine->log, szDestDir, pThing->pDir->szName);
        }
        const int64_t cbLeft = THING_GetSize(pThing) - pState->cbReported;
        COPY_Progress(pState, cbLeft > 0 ? cbLeft : 0, false);
        return true;
    }
    const std::string text = SETUPMSG_Format(SETUPMSG_GetText(IDS_COPYFAILED), {szName, szSourceDir, szDestDir});
    if (SETUPMSG_Box(pState->hDlg, IDS_COPYFAILED, text, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK)
        return Abandon(pState);
    return true;
}
