#include "setup/install_win.h"

#include "setup/backdrop_win.h"
#include "setup/bdbind_win.h"
#include "setup/copy_win.h"
#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/logfile_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/hfile.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("INSTALL");

namespace {

const TARGET* CollectionTarget(const SETUPENGINE* pEngine, int nCollection) {
    const COLLOBJ* pCollection = COLLECT_GetCollection(&pEngine->pDesign->collect, nCollection);
    return pCollection ? TARGCOLL_GetTarget(&pEngine->pDesign->targets, pCollection->nTarget) : nullptr;
}

// The log goes into the first chosen collection's directory, once per run.
void CreateLog(SETUPENGINE* pEngine) {
    if (pEngine->fLogCreated || !pEngine->pDesign->exe.bUninstall || pEngine->selection.empty())
        return;
    const TARGET* pTarget = CollectionTarget(pEngine, pEngine->selection.front());
    if (pTarget && MFX_VERIFY(LOGFILE_Create(&pEngine->log, pTarget->runtimepath,
                                             LOGFILE_FileName(pEngine->pDesign->exe.LogFile))))
        pEngine->fLogCreated = true;
}

int MakeDirectories(SETUPENGINE* pEngine, HWND hWnd) {
    CreateLog(pEngine);
    for (int nCollection : pEngine->selection) {
        const TARGET* pTarget = CollectionTarget(pEngine, nCollection);
        if (!pTarget || PATHNAME_FolderExists(pTarget->runtimepath))
            continue;
        const std::string path = pTarget->runtimepath;
        const std::string question = SETUPMSG_GetText(IDS_DIRNOTEXIST1) + path + SETUPMSG_GetText(IDS_DIRNOTEXIST2);
        if (SETUPMSG_Box(hWnd, IDS_DIRNOTEXIST1, question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return INSTALL_BACKTOWINDOW;
        if (!PATHNAME_CreateAllFoldersForPath(path.c_str())) {
            SETUPMSG_Box(hWnd, IDS_UNABLECREATE, SETUPMSG_GetText(IDS_UNABLECREATE) + path, MB_OK | MB_ICONSTOP);
            return INSTALL_BACKTOWINDOW;
        }
        HOOK_DirectoryCreated(path.c_str());
        if (pEngine->fLogCreated)
            LOGFILE_CreatedDir(&pEngine->log, path.c_str());
    }
    return INSTALL_DONE;
}

bool CanWrite(const char* szDirectory) {
    PATHNAME szProbe;
    if (!PATHNAME_Construct(szProbe, szDirectory, INSTALL_WRITETEST))
        return false;
    const HFILE hFile = HFILE_Create(szProbe);
    if (!HFILE_IsOpen(hFile))
        return false;
    HFILE_Close(hFile);
    return PATHNAME_Remove(szProbe) != 0;
}

int WriteTest(SETUPENGINE* pEngine, HWND hWnd) {
    for (int i = 0; i < MAX_TARGETS; ++i) {
        const TARGET* pTarget = pEngine->pDesign->targets.targets[i];
        if (!pTarget || !PATHNAME_FolderExists(pTarget->runtimepath) || CanWrite(pTarget->runtimepath))
            continue;
        const std::string text = SETUPMSG_Format(SETUPMSG_GetText(IDS_USERCODE_READONLY), {pTarget->szName});
        switch (SETUPMSG_Box(hWnd, IDS_USERCODE_READONLY, text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES:
                break;
            case IDNO:
                return INSTALL_BACKTOWINDOW;
            default:
                return INSTALL_STOPPED;
        }
    }
    return INSTALL_DONE;
}

// The uninstaller and the hook library beside the log, and the entry that starts the uninstaller on it.
void RecordUninstall(SETUPENGINE* pEngine) {
    PATHNAME szLogDir;
    if (!pEngine->fLogCreated || !MFX_VERIFY(PATHNAME_GetJustPathNoSlash(LOGFILE_GetPath(&pEngine->log), szLogDir)))
        return;
    PATHNAME szSource;
    PATHNAME szUninstaller;
    PATHNAME_Construct(szSource, pEngine->place.szDistribDir, INSTALL_UNINSTALLER);
    PATHNAME_Construct(szUninstaller, szLogDir, INSTALL_UNINSTALLER);
    if (PATHNAME_Exists(szSource))
        MFX_VERIFY(FILE_Copy(szSource, szUninstaller));
    PATHNAME szHookCopy = "";
    if (HOOK_IsLoaded()) {
        PATHNAME szHook;
        PATHNAME_Construct(szHook, pEngine->place.szWorkDir, HOOK_LIBRARY);
        PATHNAME_Construct(szHookCopy, szLogDir, HOOK_LIBRARY);
        if (!MFX_VERIFY(FILE_Copy(szHook, szHookCopy)))
            szHookCopy[0] = '\0';
    }
    const EXEOBJ& exe = pEngine->pDesign->exe;
    LOGFILE_SetUnInstall(&pEngine->log, exe.szProduct, exe.UnInstallText[0] ? exe.UnInstallText : exe.szProduct,
                         szUninstaller, szHookCopy);
}

}  // namespace

int INSTALL_Run(SETUPENGINE* pEngine, HWND hWnd) {
    MFX_PRE(pEngine);
    int nResult = MakeDirectories(pEngine, hWnd);
    if (nResult == INSTALL_DONE)
        nResult = WriteTest(pEngine, hWnd);
    if (nResult != INSTALL_DONE)
        return nResult;
    if (pEngine->fLogCreated)
        LOGFILE_SetProduct(&pEngine->log, pEngine->pDesign->exe.szProduct);
    BACKDROP_CallNotifyEvent(&pEngine->pDesign->backdrop, hWnd, BACKDROP_DIALOGCLOSING, BACKDROP_CUSTOMIZE, 0);
    if (pEngine->pDesign->exe.bUninstall)
        RecordUninstall(pEngine);

    nResult = COPY_Run(pEngine);
    if (nResult == INSTALL_ABANDONED) {
        HOOK_Finished(false);
        SETUPMSG_Show(hWnd, IDS_BADSETUP, MB_OK | MB_ICONINFORMATION);
    }
    if (pEngine->fLogCreated) {
        MFX_VERIFY(LOGFILE_Close(&pEngine->log));
        const std::string text = SETUPMSG_GetText(SETUPMSG_LOGCREATED) + LOGFILE_GetPath(&pEngine->log) + ".";
        SETUPMSG_Box(hWnd, SETUPMSG_LOGCREATED, text, MB_OK | MB_ICONINFORMATION);
    }
    pEngine->fInstalled = nResult == INSTALL_DONE;
    return nResult;
}
