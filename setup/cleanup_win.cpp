#include "setup/cleanup_win.h"

#include <cstdio>

#include "setup/answerhook_win.h"
#include "setup/bdbind_win.h"
#include "setup/bdpaint_win.h"
#include "setup/dlgint_win.h"
#include "setup/hookbind_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("CLEANUP");

const char CLEANUP_HELPERRESOURCE[] = "DELME";
const char CLEANUP_ENGINEFILE[] = "HAULIX.EXE";

namespace {

const char* const LIBRARY_COPIES[] = {"parvel.dll", "LZEXPAND.DLL", "VER.DLL"};

// The exit action the design asks for, when the user agrees to it. No is the default: ending the session is
// never what an unanswered question does.
bool AskExitAction(const SETUPENGINE* pEngine) {
    switch (pEngine->pDesign ? pEngine->pDesign->exe.nExitAction : 0) {
        case CLEANUP_RESTART:
            return SETUPMSG_Show(nullptr, IDS_RESTART, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
        case CLEANUP_REBOOT: {
            if (SETUPMSG_Show(nullptr, IDS_REBOOT, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
                return false;
            OSVERSIONINFOA version = {};
            version.dwOSVersionInfoSize = sizeof(version);
            return GetVersionExA(&version) && version.dwMinorVersion >= 10;
        }
        default:
            return false;
    }
}

void RemoveFile(const char* szFolder, const char* szName) {
    PATHNAME szPath;
    if (PATHNAME_Construct(szPath, szFolder, szName) && PATHNAME_Exists(szPath))
        PATHNAME_Remove(szPath);
}

void RemoveHelpers(SETUPENGINE* pEngine) {
    const UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (const std::string& file : pEngine->tempFiles)
        if (PATHNAME_Exists(file.c_str()))
            MFX_VERIFY(PATHNAME_Remove(file.c_str()));
    for (const char* szName : LIBRARY_COPIES)
        RemoveFile(pEngine->place.szWorkDir, szName);
    CLEANUP_StartHelper(pEngine->hInstance, pEngine->place.szWorkDir);
    // Both fail while the engine runs from the folder; the helper does them once it has ended.
    RemoveFile(pEngine->place.szWorkDir, CLEANUP_ENGINEFILE);
    PATHNAME_RemoveFolder(pEngine->place.szWorkDir);
    SetErrorMode(uOldMode);
}

void Cleanup(SETUPENGINE* pEngine) {
    const bool fExitAction = AskExitAction(pEngine);
    if (pEngine->hCustomize && IsWindow(pEngine->hCustomize))
        DestroyWindow(pEngine->hCustomize);
    if (pEngine->hMain && IsWindow(pEngine->hMain))
        DestroyWindow(pEngine->hMain);
    pEngine->hMain = nullptr;
    BDPAINT_Release();
    if (pEngine->pDesign) {
        BACKDROP_Release(&pEngine->pDesign->backdrop);
        DESIGN_Destroy(pEngine->pDesign);
        pEngine->pDesign = nullptr;
    }
    HOOK_FreeLibrary();
    DLGINT_FreeLibrary();
    if (!pEngine->place.fInPlace && pEngine->place.szWorkDir[0])
        RemoveHelpers(pEngine);
    if (fExitAction) {
        if (pEngine->pfnLogOff)
            pEngine->pfnLogOff();
        else
            ExitWindowsEx(EWX_LOGOFF, 0);
    }
}

}  // namespace

bool CLEANUP_StartHelper(HINSTANCE hEngine, const char* szFolder) {
    HRSRC hResource = FindResourceA(hEngine, CLEANUP_HELPERRESOURCE, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL hData = hResource ? LoadResource(hEngine, hResource) : nullptr;
    const void* pData = hData ? LockResource(hData) : nullptr;
    if (!pData)
        return false;
    char szTemp[MAX_PATH];
    char szHelper[MAX_PATH];
    MFX_PRE(GetTempPathA(sizeof(szTemp), szTemp) && GetTempFileNameA(szTemp, "DLM", 0, szHelper));
    // The helper must not lie in the folder it removes.
    PATHNAME szExe;
    PATHNAME_Assign(szExe, szHelper);
    MFX_PRE(PATHNAME_ReplaceExtension(szExe, "EXE"));
    MoveFileA(szHelper, szExe);
    FILE* pFile = fopen(szExe, "wb");
    MFX_PRE(pFile);
    const DWORD cb = SizeofResource(hEngine, hResource);
    const bool fWritten = fwrite(pData, 1, cb, pFile) == cb;
    MFX_PRE(fclose(pFile) == 0 && fWritten);
    char szCommand[2 * MAX_PATH + 40];
    snprintf(szCommand, sizeof(szCommand), "\"%s\" %lu \"%s\"", szExe, GetCurrentProcessId(), szFolder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    MFX_PRE(CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, szTemp, &startup,
                           &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void CLEANUP_Run(SETUPENGINE* pEngine) {
    try {
        Cleanup(pEngine);
    } catch (...) {
        ANSWERHOOK_MessageBox("HAULIX_CLEANUPERROR", nullptr, "An unknown error was detected during cleanup.",
                              SETUPMSG_GetCaption().c_str(), MB_OK | MB_ICONSTOP);
    }
}
