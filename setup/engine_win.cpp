#include "setup/engine_win.h"

#include "setup/answerhook_win.h"
#include "setup/bdbind_win.h"
#include "setup/bdpaint_win.h"
#include "setup/cleanup_win.h"
#include "setup/customize_win.h"
#include "setup/dlgint_win.h"
#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "setup/startup_win.h"
#include "setup/unattend_win.h"
#include "setup/wizard_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("ENGINE");

namespace {

const int CURSOR_FRAMES = 6;
HINSTANCE s_hCursors = nullptr;
int s_nCursorFrame = 1;

}  // namespace

void ENGINE_SetCursorFrame(HINSTANCE hInstance, int nFrame) {
    s_hCursors = hInstance;
    s_nCursorFrame = nFrame;
}

void ENGINE_StepCursor() {
    s_nCursorFrame = s_nCursorFrame % CURSOR_FRAMES + 1;
    HCURSOR hCursor = s_hCursors ? LoadCursorA(s_hCursors, MAKEINTRESOURCEA(s_nCursorFrame)) : nullptr;
    SetCursor(hCursor ? hCursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
}

bool ENGINE_PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!SETUPDLG_IsDialogMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

bool ENGINE_CopyTempFile(SETUPENGINE* pEngine, const char* szName, const char* szAs) {
    MFX_PRE(pEngine);
    MFX_PRE(szName);
    PATHNAME szSource;
    PATHNAME szDestination;
    MFX_PRE(PATHNAME_Construct(szSource, pEngine->place.szDistribDir, szName));
    MFX_PRE(PATHNAME_Construct(szDestination, pEngine->place.szWorkDir, szAs ? szAs : szName));
    MFX_PRE(PATHNAME_Exists(szSource));
    bool fOk = true;
    if (!MFX_VERIFY(fOk = FILE_Copy(szSource, szDestination) != 0))
        return false;
    // Past the list's capacity the file is copied but left for the working directory's removal.
    if (pEngine->tempFiles.size() < static_cast<size_t>(ENGINE_MAXTEMPFILES))
        pEngine->tempFiles.push_back(szDestination);
    return true;
}

int ENGINE_Run(HINSTANCE hInstance, const char* szEnginePath, const char* szCmdLine, ENGINE_LOGOFF pfnLogOff) {
    SETUPENGINE engine;
    engine.hInstance = hInstance;
    engine.pfnLogOff = pfnLogOff;
    const bool fLineOk = CMDLINE_Parse(&engine.cmdline, szCmdLine) != 0;
    SETUPDLG_SetRun(&engine);
    int nStatus = ENGINE_EXIT_NOTINSTALLED;
    if (!UNATTEND_Begin(&engine)) {
        // An unreadable response file: nothing may wait for a person, so nothing is shown.
    } else if (!engine.cmdline.fKelpy || !fLineOk) {
        ANSWERHOOK_MessageBox("HAULIX_RUNSETUP", nullptr, "Please run SETUP.EXE", "Haulix", MB_OK | MB_ICONSTOP);
    } else {
        ENGINE_SetCursorFrame(hInstance, engine.cmdline.nCursorFrame);
        if (STARTUP_Run(&engine, szEnginePath)) {
            const int nWizard = WIZARD_Run(&engine, WIZARD_SCREEN0, true);
            if (nWizard == WIZARD_DOINSTALL && CUSTOMIZE_Create(&engine))
                CUSTOMIZE_RunLoop(&engine);
        }
        nStatus = engine.fInstalled ? ENGINE_EXIT_INSTALLED : ENGINE_EXIT_NOTINSTALLED;
        CLEANUP_Run(&engine);
    }
    UNATTEND_End(&engine, nStatus);
    SETUPDLG_SetRun(nullptr);
    return nStatus;
}
