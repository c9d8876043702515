// What the setup engine and a backdrop plug-in agree on besides the record: the engine's paint function and the
// events the engine sends. Windows code.
#pragma once

#include <windows.h>

// The engine's paint function: the window and the paint record (whose first member is the drawing context);
// returns 0.
typedef LONG(CALLBACK* BACKDROP_PAINTPROC)(HWND hWnd, HDC* pPaint);

enum BACKDROP_EVENT {
    BACKDROP_PROGRESSREADY = 1,  // code 0
    BACKDROP_DIALOGOPENED = 2,   // code: the dialog's, below
    BACKDROP_DIALOGCLOSING = 3,  // code: the dialog's
    BACKDROP_COPYING = 4,        // code 0, lParam the copy record (copyrec.h)
};

// The dialogs' codes in the opened and closing events.
enum BACKDROP_DIALOG {
    BACKDROP_INSTALL_TO = 1,
    BACKDROP_CHOOSE = 2,
    BACKDROP_SEARCHING = 3,
    BACKDROP_RESOLVE = 4,
    BACKDROP_DEFINE_SEARCH = 5,
    BACKDROP_CUSTOMIZE = 6,  // also when setup is left from the customize window and once the log is started
    BACKDROP_PATHS = 7,
    BACKDROP_INSTALLED = 9,  // the progress dialog; also after a successful installation
    BACKDROP_OVERWRITE = 16,
    BACKDROP_DISK_PROMPT = 17,
};
