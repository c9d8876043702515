// What the setup engine and its hook library agree on: the events sent to the library's hook function and the
// records passed with them, by pointer and valid only during the call. Texts are ANSI and zero-terminated; a
// capacity counts the terminator. Portable code.
#pragma once

#include <cstdint>

enum HOOK_EVENT {
    HOOK_DESIGNREAD = 48,       // wParam the open design file, positioned after its last section
    HOOK_DIRCREATED = 80,       // lParam the directory
    HOOK_COPYING = 96,          // lParam the copy record (copyrec.h); its copy flag and texts are the answer
    HOOK_MAKINGGROUP = 112,     // lParam the Program Manager group's name
    HOOK_ADDINGTOLOAD = 128,    // lParam the file going on the WIN.INI "load" line
    HOOK_ADDINGEXTENSION = 144, // lParam the extension being associated
    HOOK_SPAWNING = 256,        // lParam the program about to be started
    HOOK_SHOWINGREADME = 272,   // wParam 0 text editor, 1 help viewer; lParam the read-me
    HOOK_INSTALLED = 288,       // wParam the progress window, lParam the setup log
    HOOK_FINISHED = 304,        // wParam 1 success, 0 failure
    HOOK_LEFT = 336,            // the user left setup
    HOOK_ADDINGTOPATH = 352,    // lParam the directory going on the AUTOEXEC.BAT PATH line
    HOOK_LOADED = 368,          // wParam the focus window, lParam an int32_t preset to 1; 0 ends the run
    HOOK_UNINSTALLING = 384,    // wParam a window, lParam the setup log (the library's own, from the uninstaller)
    HOOK_DIALOGOPENED = 400,    // wParam a HOOK_DIALOG, lParam the dialog
    HOOK_SCREEN = 416,          // lParam a HOOKSCREEN
    HOOK_DEFAULTTARGET = 432,   // wParam the main window, lParam a HOOKTARGET
    HOOK_RESOLVE = 433,         // lParam a HOOKRESOLVE
    HOOK_SELECTION = 434,       // wParam the number of items, lParam the HOOKSELECT array; non-zero: apply it
};

enum HOOK_DIALOG { HOOK_INSTALL_TO = 1, HOOK_CUSTOMIZE = 2, HOOK_PATHS = 3, HOOK_PROGRESS = 4 };

enum HOOK_SCREENRESULT { HOOK_SCREEN_BACK = 0, HOOK_SCREEN_ON = 1, HOOK_SCREEN_LEAVE = 2 };

// A hook screen between the engine's dialogs.
struct HOOKSCREEN {
    int32_t nResult;    // in: 1 moving forward, 0 moving back; out: a HOOK_SCREENRESULT
    int32_t nScreen;    // 0 to 3
    void* hWndParent;
};

const int HOOKLIST_MAX = 32;
const int HOOKLIST_DIRSIZE = 261;

// A target's candidate directories, owned by the engine; the hook rewrites it in place.
struct HOOKLIST {
    int32_t nCount;  // 0 to HOOKLIST_MAX
    char aszDir[HOOKLIST_MAX][HOOKLIST_DIRSIZE];
};

// A destination directory the hook may supply.
struct HOOKTARGET {
    const char* szName;
    char* szDir;
    int32_t cchDir;  // HOOKLIST_DIRSIZE
    char* szDefault;
    int32_t cchDefault;  // HOOKLIST_DIRSIZE
    HOOKLIST* pCandidates;  // null: none
};

// A target about to be asked for.
struct HOOKRESOLVE {
    const char* szName;
    int32_t fShow;  // 1 show the directory dialog, 0 skip it
};

// One item of the customize list, indexed by collection slot.
struct HOOKSELECT {
    const char* szName;
    int32_t fSelected;
};

// The hook library's exports, found by these names.
extern const char HOOK_HOOKEXPORT[];     // "TAVLET_Hook": LONG (event, WPARAM, LPARAM)
extern const char HOOK_BAGGAGEEXPORT[];  // "TAVLET_BaggageFiles": int (261-byte buffer, index)
