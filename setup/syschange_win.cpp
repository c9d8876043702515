// The engine's changes to the system once the files are copied.
#include "setup/syschange_win.h"

#include <cstring>

#include "setup/filecopy_win.h"
#include "setup/hookbind_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/helpfile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("SYSCHANGE");

namespace {

bool Execute(const char* szCommandLine, int nShow) {
    // Above 31 is a started program, as the 16-bit loader answered.
    return WinExec(szCommandLine, nShow) > 31;
}

bool Help(const char* szFile, HWND hWnd) {
    return HELPFILE_Contents(szFile, hWnd, nullptr);
}

const FILETYPE* FileOf(const DESIGN* pDesign, int nThing) {
    const THING* pThing = THINGCOL_GetThing(&pDesign->things, nThing);
    return pThing && THING_GetType(pThing) == THING_FILE ? pThing->pFile : nullptr;
}

// The installed file of the thing when it is there; empty otherwise.
std::string ExistingFile(const DESIGN* pDesign, int nThing) {
    std::string path = SYSCHANGE_InstalledPath(pDesign, nThing);
    return !path.empty() && PATHNAME_Exists(path.c_str()) ? path : std::string();
}

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str() + i, part.size(), part.c_str(),
                           part.size()) == CSTR_EQUAL)
            return true;
    }
    return false;
}

// What the profile calls give for a missing key.
const char NONE[] = "none";

std::string ReadProfile(const std::string& file, const char* szSection, const char* szKey, DWORD cchValue) {
    std::string value(cchValue, '\0');
    DWORD cch = GetPrivateProfileStringA(szSection, szKey, NONE, &value[0], cchValue, file.c_str());
    value.resize(cch);
    return value;
}

// The "load" value is read with room for far more than the 255 characters it may hold, so a longer line is
// never written back cut short: what does not fit is refused like a missing key.
const DWORD LOADSIZE = 4096;

void AddToLoad(const std::string& winIni, HWND hWnd, const std::string& path) {
    HOOK_Call(HOOK_ADDINGTOLOAD, 0, reinterpret_cast<LPARAM>(path.c_str()));
    std::string load = ReadProfile(winIni, "windows", "load", LOADSIZE);
    if (ContainsIgnoringCase(load, path))
        return;
    if (load == NONE || load.size() >= LOADSIZE - 2 ||
        !MFX_VERIFY(WritePrivateProfileStringA("windows", "load", (load + " " + path).c_str(), winIni.c_str()))) {
        SETUPMSG_Box(hWnd, SETUPMSG_NOLOAD1,
                     SETUPMSG_GetText(SETUPMSG_NOLOAD1) + path + SETUPMSG_GetText(SETUPMSG_NOLOAD2),
                     MB_OK | MB_ICONSTOP);
    }
}

void Associate(const std::string& winIni, HWND hWnd, const std::string& extension, const std::string& path) {
    HOOK_Call(HOOK_ADDINGEXTENSION, 0, reinterpret_cast<LPARAM>(extension.c_str()));
    const std::string value = path + " ^." + extension;
    const std::string line = extension + "=" + value;
    if (ReadProfile(winIni, "Extensions", extension.c_str(), 100) != NONE) {
        std::string question = SETUPMSG_GetText(SETUPMSG_ASSOC1) + extension + SETUPMSG_GetText(SETUPMSG_ASSOC2) +
                               line + "?";
        if (SETUPMSG_Box(hWnd, SETUPMSG_ASSOC1, question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    MFX_VERIFY(WritePrivateProfileStringA("Extensions", extension.c_str(), value.c_str(), winIni.c_str()));
}

}  // namespace

SYSCHANGE_PLATFORM& SYSCHANGE_Platform() {
    static SYSCHANGE_PLATFORM s_platform = [] {
        SYSCHANGE_PLATFORM platform = {"", Execute, Help};
        char szWindows[MAX_PATH] = "";
        PATHNAME szWinIni = "";
        if (MFX_VERIFY(GetWindowsDirectoryA(szWindows, sizeof(szWindows)) &&
                       PATHNAME_Construct(szWinIni, szWindows, "WIN.INI")))
            platform.winIni = szWinIni;
        return platform;
    }();
    return s_platform;
}

std::string SYSCHANGE_InstalledPath(const DESIGN* pDesign, int nThing) {
    const THING* pThing = THINGCOL_GetThing(&pDesign->things, nThing);
    const TARGET* pTarget = pThing ? TARGCOLL_GetTarget(&pDesign->targets, THING_GetTarget(pThing)) : nullptr;
    PATHNAME szPath = "";
    if (!FileOf(pDesign, nThing) || !pTarget || !PATHNAME_Construct(szPath, pTarget->runtimepath, THING_GetName(pThing)))
        return std::string();
    return szPath;
}

void SYSCHANGE_WinIni(const DESIGN* pDesign, HWND hWnd, bool fModifyWinIni) {
    if (!fModifyWinIni)
        return;
    const int nWinIni = THINGCOL_GetWinIni(&pDesign->things);
    bool fAnyChange = FileOf(pDesign, nWinIni) != nullptr;
    for (int i = 0; i < MAX_THINGS && !fAnyChange; ++i) {
        const FILETYPE* pFile = FileOf(pDesign, i);
        fAnyChange = pFile && pFile->bAddToLoad;
    }
    if (!fAnyChange)
        return;

    const std::string& winIni = SYSCHANGE_Platform().winIni;
    PATHNAME szBackup = "";
    if (!MFX_VERIFY(PATHNAME_ConstructSibling(winIni.c_str(), szBackup, "~in.bak")))
        return;
    // The message tells the user that a backup exists, so it is shown only when there is one.
    bool fOk = false;
    if (MFX_VERIFY(fOk = FILE_Copy(winIni.c_str(), szBackup)))
        SETUPMSG_Show(hWnd, SETUPMSG_WINIBACKUP, MB_OK | MB_ICONINFORMATION);

    for (int i = 0; i < MAX_THINGS; ++i) {
        const FILETYPE* pFile = FileOf(pDesign, i);
        if (!pFile || !pFile->bAddToLoad)
            continue;
        const std::string path = ExistingFile(pDesign, i);
        if (!path.empty())
            AddToLoad(winIni, hWnd, path);
    }

    const std::string path = ExistingFile(pDesign, nWinIni);
    if (path.empty())
        return;
    const size_t SLOTSIZE = 5;
    for (size_t nSlot = 0; nSlot < sizeof(pDesign->exe.szWININILine) / SLOTSIZE; ++nSlot) {
        const char* pSlot = reinterpret_cast<const char*>(pDesign->exe.szWININILine) + nSlot * SLOTSIZE;
        const std::string extension(pSlot, strnlen(pSlot, SLOTSIZE));
        if (!extension.empty())
            Associate(winIni, hWnd, extension, path);
    }
}

void SYSCHANGE_ReadMe(const DESIGN* pDesign, HWND hWnd) {
    const std::string path = ExistingFile(pDesign, THINGCOL_GetReadMe(&pDesign->things));
    if (path.empty())
        return;
    // A lower-case final "t" is a text file (".txt"); anything else, an upper-case "TXT" as well, is help.
    const bool fTextEditor = path.back() == 't';
    if (DESIGN_GetOptions(pDesign)->bDLLHook)
        HOOK_Call(HOOK_SHOWINGREADME, fTextEditor ? 0 : 1, reinterpret_cast<LPARAM>(path.c_str()));
    const SYSCHANGE_PLATFORM& platform = SYSCHANGE_Platform();
    bool fOk = false;
    if (fTextEditor)
        MFX_VERIFY(fOk = platform.pfnExecute(("notepad.exe " + path).c_str(), SW_SHOWNORMAL));
    else
        MFX_VERIFY(fOk = platform.pfnHelp(path.c_str(), hWnd));
}

void SYSCHANGE_Spawn(const DESIGN* pDesign) {
    for (int i = 0; i < MAX_THINGS; ++i) {
        const FILETYPE* pFile = FileOf(pDesign, i);
        if (!pFile || !pFile->bSpawned)
            continue;
        const std::string path = ExistingFile(pDesign, i);
        if (path.empty())
            continue;
        HOOK_Call(HOOK_SPAWNING, 0, reinterpret_cast<LPARAM>(path.c_str()));
        char szWasCurrent[MAX_PATH] = "";
        PATHNAME szFolder = "";
        bool fOk = false;
        MFX_VERIFY(fOk = GetCurrentDirectoryA(sizeof(szWasCurrent), szWasCurrent) != 0);
        MFX_VERIFY(fOk = PATHNAME_GetJustPathNoSlash(path.c_str(), szFolder) && SetCurrentDirectoryA(szFolder));
        // Quoted, so that a folder with a blank in its name still names the program.
        const std::string command = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
        MFX_VERIFY(fOk = SYSCHANGE_Platform().pfnExecute(command.c_str(), SW_SHOWNORMAL));
        MFX_VERIFY(fOk = SetCurrentDirectoryA(szWasCurrent));
    }
}

void SYSCHANGE_AutoexecPath(const DESIGN* pDesign, HWND hWnd) {
    const int nTarget = pDesign->targets.nAddToPATH;
    if (nTarget < 0)
        return;
    const TARGET* pTarget = TARGCOLL_GetTarget(&pDesign->targets, nTarget);
    if (!pTarget || !PATHNAME_FolderExists(pTarget->runtimepath))
        return;
    HOOK_Call(HOOK_ADDINGTOPATH, 0, reinterpret_cast<LPARAM>(pTarget->runtimepath));
    const std::string line = std::string("PATH %PATH%;") + pTarget->runtimepath;
    const std::string question =
        SETUPMSG_GetText(SETUPMSG_PATHLINE1) + line + SETUPMSG_GetText(SETUPMSG_PATHLINE2);
    if (SETUPMSG_Box(hWnd, SETUPMSG_PATHLINE1, question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The platform's search for the file: the current directory, the Windows and system directories, PATH.
    OFSTRUCT of = {};
    of.cBytes = sizeof(of);
    HFILE hFile = OpenFile("autoexec.bat", &of, OF_WRITE);
    bool fOk = hFile != HFILE_ERROR;
    if (fOk) {
        // As it is: a file that does not end with a line break runs on into the new line.
        MFX_VERIFY(fOk = _llseek(hFile, 0, FILE_END) != HFILE_ERROR &&
                         _lwrite(hFile, line.c_str(), line.size()) == line.size());
        _lclose(hFile);
    }
    if (!fOk)
        SETUPMSG_Show(hWnd, SETUPMSG_NOAUTOEXEC, MB_OK | MB_ICONSTOP);
}
