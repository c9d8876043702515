// parvel.dll: the setup engine's dialog library. Loading it registers the classes its templates need; its two
// exports show a message box and run a modal dialog from its own templates.
#include <windows.h>

#include "setupext/parvel/orvanta_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PARVEL");
MFX_DEFINE_STARTUP()

namespace {
HINSTANCE s_hInst = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID) {
    switch (dwReason) {
        case DLL_PROCESS_ATTACH: {
            s_hInst = hInst;
            bool fOk = false;
            MFX_VERIFY(fOk = ORVANTA_Init(hInst));
            return fOk;
        }
        case DLL_PROCESS_DETACH:
            ORVANTA_Term(hInst);
            return TRUE;
        default:
            return TRUE;
    }
}

// The platform's own message box: this library's dialogs look like the platform's, and so do its boxes.
extern "C" int WINAPI xMessageBox(HWND hWndOwner, LPCSTR szText, LPCSTR szCaption, UINT uType) {
    return MessageBoxA(hWndOwner, szText, szCaption, uType);
}

// The template always comes from this library, whatever module the caller names.
extern "C" INT_PTR WINAPI
xDialogBoxParam(HINSTANCE, LPCSTR szTemplate, HWND hWndOwner, DLGPROC pfnDialog, LPARAM lParamInit) {
    return DialogBoxParamA(s_hInst, szTemplate, hWndOwner, pfnDialog, lParamInit);
}
