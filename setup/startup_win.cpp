#include "setup/startup_win.h"

#include "setup/answerhook_win.h"
#include "setup/bdbind_win.h"
#include "setup/bdpaint_win.h"
#include "setup/dlgint_win.h"
#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("STARTUP");

namespace {

const char PARVEL_FILE[] = "PARVEL.DLL";
const char OVERRIDE_FILE[] = "SETUP.TXT";

// Every chunk a byte copy moves turns the busy cursor on.
void OnChunk(uint32_t) {
    ENGINE_StepCursor();
}

void OnDesignRead(HFILE hFile, void*) {
    HOOK_DesignRead(hFile);
}

// The hook library under its fixed name in the working directory: the design's hook library copied to
// "TAVLET.DLL" when it is called otherwise. False when it cannot be put there.
bool PlaceHookLibrary(SETUPENGINE* pEngine) {
    const char* szHookName = DESIGN_GetHookName(pEngine->pDesign);
    PATHNAME szJustName;
    MFX_PRE(PATHNAME_GetJustName(szHookName, szJustName));
    if (!pEngine->place.fInPlace)
        return ENGINE_CopyTempFile(pEngine, szJustName, HOOK_LIBRARY);
    if (PATHNAME_IsSameName(szJustName, HOOK_LIBRARY))
        return true;
    PATHNAME szSource;
    PATHNAME szLibrary;
    MFX_PRE(PATHNAME_Construct(szSource, pEngine->place.szWorkDir, szJustName));
    MFX_PRE(PATHNAME_Construct(szLibrary, pEngine->place.szWorkDir, HOOK_LIBRARY));
    return FILE_Copy(szSource, szLibrary) != 0;
}

// Loads the design with the dialog library and, when the design calls one, the hook library.
bool LoadDesign(SETUPENGINE* pEngine) {
    pEngine->pDesign = DESIGN_Construct();
    MFX_PRE(pEngine->pDesign);
    // The design's own failures are told by the caller; the libraries come once it has loaded.
    const int nResult = DESIGN_OpenWith(pEngine->pDesign, pEngine->place.szDesignFile, nullptr, nullptr);
    if (nResult != DESIGN_LOADED) {
        ANSWERHOOK_MessageBox(
            "HAULIX_DESIGNFAILED", nullptr,
            nResult == DESIGN_BADVERSION ? "Could not open setup.ini: BAD VERSION" : "Could not open setup.ini",
            "File Failure", MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!pEngine->place.fInPlace)
        MFX_VERIFY(ENGINE_CopyTempFile(pEngine, PARVEL_FILE));
    MFX_VERIFY(DLGINT_LoadLibrary());
    const EXEOBJ& exe = pEngine->pDesign->exe;
    if (exe.bDLLHook && DESIGN_GetHookName(pEngine->pDesign)[0] && MFX_VERIFY(PlaceHookLibrary(pEngine)) &&
        HOOK_LoadLibrary()) {
        // The hook reads its own data behind the design's sections: the file is opened again for it.
        DESIGN* pScratch = DESIGN_Construct();
        if (MFX_VERIFY(pScratch)) {
            DESIGN_OpenWith(pScratch, pEngine->place.szDesignFile, OnDesignRead, nullptr);
            DESIGN_Destroy(pScratch);
        }
        if (!pEngine->place.fInPlace)
            MFX_VERIFY(HOOK_CopyBaggage(pEngine->place.szDistribDir, pEngine->place.szWorkDir));
    }
    return true;
}

// The remaining helper files: the backdrop plug-in and its files, the string override file and the help file.
void CopyHelpers(SETUPENGINE* pEngine) {
    DESIGN* pDesign = pEngine->pDesign;
    const bool fCopy = !pEngine->place.fInPlace;
    if (pDesign->exe.bBackDrop && pDesign->backdrop.fPresent) {
        char szName[sizeof(pDesign->backdrop.Name) + 1] = "";
        lstrcpynA(szName, pDesign->backdrop.Name, sizeof(szName));
        if ((!fCopy || MFX_VERIFY(ENGINE_CopyTempFile(pEngine, szName))) && BACKDROP_LoadLibrary(&pDesign->backdrop) &&
            fCopy)
            MFX_VERIFY(BACKDROP_CopyBaggage(&pDesign->backdrop, pEngine->place.szDistribDir, pEngine->place.szWorkDir));
    }
    if (fCopy && pDesign->exe.bSETUPTXT)
        MFX_VERIFY(ENGINE_CopyTempFile(pEngine, OVERRIDE_FILE));
    if (fCopy && pDesign->exe.szHelpFile[0]) {
        PATHNAME szHelp;
        MFX_VERIFY(PATHNAME_GetJustName(pDesign->exe.szHelpFile, szHelp) && ENGINE_CopyTempFile(pEngine, szHelp));
    }
}

}  // namespace

bool STARTUP_Run(SETUPENGINE* pEngine, const char* szEnginePath) {
    MFX_PRE(pEngine);
    MFX_PRE(szEnginePath);
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    FILE_SetProgress(OnChunk);
    MFX_PRE(PLACE_Locate(&pEngine->place, szEnginePath, pEngine->cmdline.cDrive));
    FILE_SetWorkingDirectory(pEngine->place.fInPlace ? "" : pEngine->place.szWorkDir);
    MFX_PRE(PATHNAME_ChangeDirTo(pEngine->place.szWorkDir));
    if (!LoadDesign(pEngine))
        return false;

    DESIGN* pDesign = pEngine->pDesign;
    pDesign->exe.cDriveLetter = pEngine->place.cDrive;
    for (PATHENTRY& entry : pDesign->paths.paths)
        PLACE_SetDrive(entry.szPath, pEngine->place.cDrive);
    CopyHelpers(pEngine);
    PATHNAME szOverride = "";
    if (pDesign->exe.bSETUPTXT)
        PATHNAME_Construct(szOverride, pEngine->place.szWorkDir, "setup.txt");
    SETUPMSG_SetOverrideFile(szOverride);
    SETUPMSG_SetCaption(pDesign->exe.szCaption);

    if (pDesign->exe.szMessageBox[0])
        ANSWERHOOK_MessageBox("HAULIX_DESIGNMESSAGE", nullptr, pDesign->exe.szMessageBox, "Setup",
                              MB_OK | MB_ICONINFORMATION);
    if (!HOOK_Loaded(GetFocus()))
        return false;

    BDPAINT_Load(&pDesign->exe, pEngine->place.szDistribDir);
    pEngine->hMain = BACKDROP_CallCreate(&pDesign->backdrop, BDPAINT_Paint);
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));

    if (pDesign->exe.bMouse == 1 && !GetSystemMetrics(SM_MOUSEPRESENT) &&
        SETUPMSG_Show(pEngine->hMain, IDS_MOUSE, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    pEngine->selection = SELECT_Usable(pDesign, pEngine->nInstallType);
    return true;
}
