// The engine's side of the hook library.
#include "setup/hookbind_win.h"

#include <cstring>

#include "setup/filecopy_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("HOOKBIND");

const char HOOK_LIBRARY[] = "TAVLET.DLL";
const char HOOK_HOOKEXPORT[] = "TAVLET_Hook";
const char HOOK_BAGGAGEEXPORT[] = "TAVLET_BaggageFiles";

namespace {

HMODULE s_hLibrary = nullptr;

typedef LONG(WINAPI* HOOKFN)(UINT, WPARAM, LPARAM);
typedef int(WINAPI* BAGGAGEFILES)(char*, int);

template <typename FN>
FN Export(const char* szName) {
    if (!s_hLibrary)
        return nullptr;
    return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(s_hLibrary, szName)));
}

// A text the hook filled ends inside its capacity whether or not the hook kept to it.
void Terminate(char* szText, int cchText) {
    szText[cchText - 1] = '\0';
}

}  // namespace

bool HOOK_LoadLibrary() {
    MFX_PRE(!s_hLibrary);
    // By its full name, so that only the working directory's copy is loaded, never one the library search
    // finds elsewhere first.
    char szCurrent[MAX_PATH] = "";
    PATHNAME szPath = "";
    MFX_PRE(GetCurrentDirectoryA(sizeof(szCurrent), szCurrent));
    MFX_PRE(PATHNAME_Construct(szPath, szCurrent, HOOK_LIBRARY));
    HMODULE hLibrary = LoadLibraryA(szPath);
    // A result below 33 is an error number, as the 16-bit loader gave it.
    if (reinterpret_cast<UINT_PTR>(hLibrary) < 33)
        return false;
    s_hLibrary = hLibrary;
    return true;
}

void HOOK_FreeLibrary() {
    if (s_hLibrary)
        FreeLibrary(s_hLibrary);
    s_hLibrary = nullptr;
}

bool HOOK_IsLoaded() {
    return s_hLibrary != nullptr;
}

LONG HOOK_Call(UINT nEvent, WPARAM wParam, LPARAM lParam) {
    HOOKFN pfn = Export<HOOKFN>(HOOK_HOOKEXPORT);
    return pfn ? pfn(nEvent, wParam, lParam) : 0;
}

int HOOK_CallBaggageFiles(char* szName, int nIndex) {
    BAGGAGEFILES pfn = Export<BAGGAGEFILES>(HOOK_BAGGAGEEXPORT);
    if (!pfn)
        return 0;
    int nResult = pfn(szName, nIndex);
    Terminate(szName, sizeof(PATHNAME));
    return nResult;
}

bool HOOK_CopyBaggage(const char* szDistribDir, const char* szWorkDir) {
    return FILE_CopyBaggage(HOOK_CallBaggageFiles, szDistribDir, szWorkDir);
}

bool HOOK_Loaded(HWND hWndFocus) {
    int32_t nGoOn = 1;
    HOOK_Call(HOOK_LOADED, reinterpret_cast<WPARAM>(hWndFocus), reinterpret_cast<LPARAM>(&nGoOn));
    return nGoOn != 0;
}

int HOOK_Screen(int nScreen, HWND hWndParent, bool fForward) {
    HOOKSCREEN screen = {fForward ? HOOK_SCREEN_ON : HOOK_SCREEN_BACK, nScreen, hWndParent};
    HOOK_Call(HOOK_SCREEN, 0, reinterpret_cast<LPARAM>(&screen));
    return screen.nResult;
}

bool HOOK_Copying(COPYREC* pCopy) {
    HOOK_Call(HOOK_COPYING, 0, reinterpret_cast<LPARAM>(pCopy));
    Terminate(pCopy->szSourceDir, COPYREC_DIRSIZE);
    Terminate(pCopy->szDestDir, COPYREC_DIRSIZE);
    Terminate(pCopy->szFileName, COPYREC_NAMESIZE);
    return pCopy->fCopy != 0;
}

void HOOK_DefaultTarget(HWND hWndMain, TARGET* pTarget, std::vector<std::string>& candidates) {
    if (!HOOK_IsLoaded())
        return;
    char szDir[HOOKLIST_DIRSIZE] = "";
    char szDefault[HOOKLIST_DIRSIZE] = "";
    lstrcpynA(szDefault, pTarget->defaultpath, sizeof(szDefault));
    lstrcpynA(szDir, pTarget->runtimepath[0] ? pTarget->runtimepath : szDefault, sizeof(szDir));
    HOOKLIST list = {};
    for (const std::string& candidate : candidates) {
        if (list.nCount == HOOKLIST_MAX)
            break;
        lstrcpynA(list.aszDir[list.nCount++], candidate.c_str(), HOOKLIST_DIRSIZE);
    }
    HOOKTARGET target = {pTarget->szName, szDir, HOOKLIST_DIRSIZE, szDefault, HOOKLIST_DIRSIZE, &list};
    HOOK_Call(HOOK_DEFAULTTARGET, reinterpret_cast<WPARAM>(hWndMain), reinterpret_cast<LPARAM>(&target));

    Terminate(szDir, sizeof(szDir));
    Terminate(szDefault, sizeof(szDefault));
    MFX_VERIFY(list.nCount >= 0 && list.nCount <= HOOKLIST_MAX);
    candidates.clear();
    for (int i = 0; i < list.nCount && i < HOOKLIST_MAX; ++i) {
        Terminate(list.aszDir[i], HOOKLIST_DIRSIZE);
        candidates.push_back(list.aszDir[i]);
    }
    // A directory one character too long for the target would be stored cut short, naming another folder:
    // the target keeps its own instead.
    if (MFX_VERIFY(strlen(szDir) < sizeof(pTarget->runtimepath)))
        lstrcpynA(pTarget->runtimepath, szDir, sizeof(pTarget->runtimepath));
    if (MFX_VERIFY(strlen(szDefault) < sizeof(pTarget->defaultpath)))
        lstrcpynA(pTarget->defaultpath, szDefault, sizeof(pTarget->defaultpath));
}

bool HOOK_Resolve(const char* szTarget) {
    HOOKRESOLVE resolve = {szTarget, 1};
    HOOK_Call(HOOK_RESOLVE, 0, reinterpret_cast<LPARAM>(&resolve));
    return resolve.fShow != 0;
}

bool HOOK_Selection(const std::vector<std::string>& names, std::vector<bool>& afSelected) {
    MFX_PRE(names.size() == afSelected.size());
    std::vector<HOOKSELECT> items;
    for (size_t i = 0; i < names.size(); ++i)
        items.push_back(HOOKSELECT{names[i].c_str(), afSelected[i] ? 1 : 0});
    if (!HOOK_Call(HOOK_SELECTION, items.size(), reinterpret_cast<LPARAM>(items.data())))
        return false;
    for (size_t i = 0; i < items.size(); ++i)
        afSelected[i] = items[i].fSelected != 0;
    return true;
}

void HOOK_DesignRead(HFILE hFile) {
    HOOK_Call(HOOK_DESIGNREAD, static_cast<WPARAM>(hFile), 0);
}

void HOOK_DirectoryCreated(const char* szDirectory) {
    HOOK_Call(HOOK_DIRCREATED, 0, reinterpret_cast<LPARAM>(szDirectory));
}

void HOOK_MakingGroup(const char* szGroup) {
    HOOK_Call(HOOK_MAKINGGROUP, 0, reinterpret_cast<LPARAM>(szGroup));
}

void HOOK_Installed(HWND hWndProgress, const char* szLog) {
    HOOK_Call(HOOK_INSTALLED, reinterpret_cast<WPARAM>(hWndProgress), reinterpret_cast<LPARAM>(szLog));
}

void HOOK_Finished(bool fSuccess) {
    HOOK_Call(HOOK_FINISHED, fSuccess ? 1 : 0, 0);
}

void HOOK_Left() {
    HOOK_Call(HOOK_LEFT, 0, 0);
}

void HOOK_DialogOpened(int nDialog, HWND hDlg) {
    HOOK_Call(HOOK_DIALOGOPENED, nDialog, reinterpret_cast<LPARAM>(hDlg));
}
