// The engine's side of the dialog library.
#include "setup/dlgint_win.h"

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DLGINT");

const char DLGINT_LIBRARY[] = "parvel.dll";

namespace {

HINSTANCE DLGINT_HINSTANCE = nullptr;

typedef int(WINAPI* XMESSAGEBOX)(HWND, LPCSTR, LPCSTR, UINT);
typedef INT_PTR(WINAPI* XDIALOGBOXPARAM)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
typedef HWND(WINAPI* XCREATEDIALOGPARAM)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
typedef BOOL(WINAPI* XGETSAVEFILENAME)(OPENFILENAMEA*);

// The export, looked up at each call: null without the library or the export.
template <typename FN>
FN Export(const char* szName) {
    if (!DLGINT_HINSTANCE)
        return nullptr;
    return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(DLGINT_HINSTANCE, szName)));
}

// The library's dialog template of that name, loaded: what a fallback runs from memory. Null without the
// library or the template.
HGLOBAL LoadDialogResource(LPCSTR szTemplate) {
    if (!DLGINT_HINSTANCE)
        return nullptr;
    HRSRC hResource = FindResourceA(DLGINT_HINSTANCE, szTemplate, MAKEINTRESOURCEA(5));  // a dialog
    return hResource ? LoadResource(DLGINT_HINSTANCE, hResource) : nullptr;
}

const DLGTEMPLATE* LoadDialogTemplate(LPCSTR szTemplate) {
    HGLOBAL hTemplate = LoadDialogResource(szTemplate);
    return hTemplate ? static_cast<const DLGTEMPLATE*>(LockResource(hTemplate)) : nullptr;
}

}  // namespace

bool DLGINT_LoadLibrary() {
    MFX_PRE(!DLGINT_HINSTANCE);
    HINSTANCE hLibrary = LoadLibraryA(DLGINT_LIBRARY);
    // A result below 32 is an error number, as the 16-bit loader gave it.
    if (reinterpret_cast<UINT_PTR>(hLibrary) < 32)
        return false;
    DLGINT_HINSTANCE = hLibrary;
    return true;
}

void DLGINT_FreeLibrary() {
    if (DLGINT_HINSTANCE)
        FreeLibrary(DLGINT_HINSTANCE);
    DLGINT_HINSTANCE = nullptr;
}

HINSTANCE DLGINT_GetLibrary() {
    return DLGINT_HINSTANCE;
}

int DLGINT_MessageBox(HWND hWndOwner, LPCSTR szText, LPCSTR szCaption, UINT uType) {
    if (XMESSAGEBOX pfn = Export<XMESSAGEBOX>("xMessageBox"))
        return pfn(hWndOwner, szText, szCaption, uType);
    return MessageBoxA(hWndOwner, szText, szCaption, uType);
}

INT_PTR DLGINT_DialogBoxParam(HINSTANCE hInst,
                              LPCSTR szTemplate,
                              HWND hWndOwner,
                              DLGPROC pfnDialog,
                              LPARAM lParamInit) {
    INT_PTR nResult = -1;
    if (XDIALOGBOXPARAM pfn = Export<XDIALOGBOXPARAM>("xDialogBoxParam")) {
        nResult = pfn(hInst, szTemplate, hWndOwner, pfnDialog, lParamInit);
    } else if (const DLGTEMPLATE* pTemplate = LoadDialogTemplate(szTemplate)) {
        nResult = DialogBoxIndirectParamA(hInst, pTemplate, hWndOwner, pfnDialog, lParamInit);
    }
    // The report quotes the check as written.
    // clang-format off
    MFX_VERIFY(nResult!=-1);
    // clang-format on
    return nResult;
}

HWND DLGINT_CreateDialogParam(HINSTANCE hInst,
                              LPCSTR szTemplate,
                              HWND hWndOwner,
                              DLGPROC pfnDialog,
                              LPARAM lParamInit) {
    HWND hWnd = nullptr;
    if (XCREATEDIALOGPARAM pfn = Export<XCREATEDIALOGPARAM>("xCreateDialogParam")) {
        hWnd = pfn(hInst, szTemplate, hWndOwner, pfnDialog, lParamInit);
    } else if (const DLGTEMPLATE* pTemplate = LoadDialogTemplate(szTemplate)) {
        hWnd = CreateDialogIndirectParamA(hInst, pTemplate, hWndOwner, pfnDialog, lParamInit);
    }
    MFX_VERIFY(IsWindow(hWnd));
    return IsWindow(hWnd) ? hWnd : nullptr;
}

BOOL WINAPI DLGINT_GetSaveFileName(OPENFILENAMEA* pOfn) {
    if (XGETSAVEFILENAME pfn = Export<XGETSAVEFILENAME>("xGetSaveFileName"))
        return pfn(pOfn);
    if (pOfn->Flags & OFN_ENABLETEMPLATE) {
        HGLOBAL hTemplate = LoadDialogResource(pOfn->lpTemplateName);
        // The dialog is still asked for without the template: the user can save, only without its extras.
        if (MFX_VERIFY(hTemplate)) {
            pOfn->Flags = (pOfn->Flags & ~OFN_ENABLETEMPLATE) | OFN_ENABLETEMPLATEHANDLE;
            pOfn->hInstance = static_cast<HINSTANCE>(hTemplate);
        } else {
            pOfn->Flags &= ~OFN_ENABLETEMPLATE;
        }
    }
    BOOL fOk = GetSaveFileNameA(pOfn);
    // Cancel is no failure; only an error of the dialog itself is reported.
    MFX_VERIFY(fOk || CommDlgExtendedError() == 0);
    return fOk;
}

HBITMAP DLGINT_LoadBitmap(HINSTANCE hEngine, LPCSTR szName) {
    HBITMAP hBitmap = DLGINT_HINSTANCE ? LoadBitmapA(DLGINT_HINSTANCE, szName) : nullptr;
    if (!hBitmap)
        hBitmap = LoadBitmapA(hEngine, szName);
    MFX_VERIFY(hBitmap);
    return hBitmap;
}
