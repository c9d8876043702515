// The dialog class of the library's templates.
//
// Opening a dialog gives it the control-list font as its window property "Font" and enables every control that
// its template marks disabled; this happens before the dialog procedure sees WM_INITDIALOG, so a procedure
// that disables a control there has the last word. Closing removes the property and deletes the font.
//
// Older shells (before the Windows 95 shell) had no three-dimensional controls of their own and the library
// once switched an add-on look on for its dialogs and message boxes. Every platform this suite runs on has the
// new shell, so the platform's own look is used and no such add-on is provided.
#include "setupext/parvel/orvanta_win.h"

#include "setupext/parvel/parvel_ids.h"
#include "setupext/parvel/pushbmp_win.h"
#include "toolkit/ctrllist_win.h"
#include "toolkit/gasgauge.h"
#include "toolkit/mfx.h"
#include "toolkit/window_win.h"

MFX_SOURCE_MODULE("ORVANTA");

namespace {

const char FONT_PROPERTY[] = "Font";

BOOL CALLBACK EnableDisabledChild(HWND hChild, LPARAM lParam) {
    // Only the dialog's own controls, not those of a child dialog inside it.
    if (GetParent(hChild) == reinterpret_cast<HWND>(lParam) && !IsWindowEnabled(hChild))
        EnableWindow(hChild, TRUE);
    return TRUE;
}

void OnOpen(HWND hDlg) {
    HFONT hFont = CTRLLIST_CreateFont();
    MFX_VERIFY(hFont);
    if (hFont)
        SetPropA(hDlg, FONT_PROPERTY, hFont);
    EnumChildWindows(hDlg, EnableDisabledChild, reinterpret_cast<LPARAM>(hDlg));
}

void OnClose(HWND hDlg) {
    HFONT hFont = static_cast<HFONT>(RemovePropA(hDlg, FONT_PROPERTY));
    if (hFont)
        DeleteObject(hFont);
}

LRESULT CALLBACK OrvantaDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_INITDIALOG)
        OnOpen(hDlg);
    else if (uMsg == WM_DESTROY)
        OnClose(hDlg);
    return DefDlgProcA(hDlg, uMsg, wParam, lParam);
}

}  // namespace

bool ORVANTA_RegisterClass(const char* szClassName) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = OrvantaDlgProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = WINDOW_GetInstance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = szClassName;
    return RegisterClassExA(&wc) != 0;
}

// A class registered by a library outlives the library's unloading, with a window procedure that points into
// code no longer there, and would make the next load's registration fail: the classes are removed both when a
// later registration fails and when the library goes.
// The reports quote the calls as the library has always written them.
// clang-format off
bool ORVANTA_Init(HINSTANCE hInst) {
    bool fOk = false;
    MFX_VERIFY(fOk=GASGAUGE_Initialize(hInst,GAS_CLASS,TRUE));
    if (fOk)
        MFX_VERIFY(fOk=PUSHBMP_ClassInitGlobal(hInst,PUSH_CLASS));
    if (fOk)
        MFX_VERIFY(fOk=ORVANTA_RegisterClass( DLG_CLASS ));
    // clang-format on
    if (!fOk)
        ORVANTA_Term(hInst);
    return fOk;
}

void ORVANTA_Term(HINSTANCE hInst) {
    UnregisterClassA(DLG_CLASS, hInst);
    UnregisterClassA(PUSH_CLASS, hInst);
    UnregisterClassA(GAS_CLASS, hInst);
}
