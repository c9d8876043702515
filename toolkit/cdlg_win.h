// Generic dialogs ("GenDialog"): dialogs whose controls are bound to program data by small item objects.
//
// A dialog's code only lists its items (in the description's open callback): each item copies its value
// into its control when the dialog opens, copies it back when the user confirms, reacts to its control's
// notifications and may refuse a bad value. The module also places dialogs, remembers their placement in the
// default profile file (section "Window Location"), paints their background and keeps a heap per dialog for
// its items.
//
// The dialog's template names a window class registered with CDLG_Register; the dialog's record lives in
// that class's extra data, from WM_INITDIALOG until the window is destroyed, when the record, its heap (and
// so every item), its brush and its font are freed.
#pragma once

#include <windows.h>

const DWORD CDLG_OKENDS = 0x0001;      // OK validates and saves every item and ends the dialog with 1
const DWORD CDLG_CANCELENDS = 0x0002;  // Cancel ends the dialog with 2
const DWORD CDLG_COLORMASK = 0x0030;
const DWORD CDLG_WHITE = 0x0010;
const DWORD CDLG_LIGHTGREY = 0x0020;  // and static and button controls drawn transparent on it
const DWORD CDLG_BLACK = 0x0030;
const DWORD CDLG_PLACEMASK = 0x0F00;
const DWORD CDLG_CENTERSCREEN = 0x0100;
const DWORD CDLG_CENTEROWNER = 0x0200;  // on the screen when there is no owner
const DWORD CDLG_OWNER40 = 0x0300;      // the dialog's centre at 40 % of the owner's width, half its height
const DWORD CDLG_OWNER70 = 0x0400;      // the same at 70 %
const DWORD CDLG_REMEMBERPOS = 0x2000;  // under a key prefix of the title's first 31 characters
const DWORD CDLG_REMEMBERSIZE = 0x4000;

const size_t CDLG_HEAPSIZE = 512;  // the initial size of a dialog's heap
const size_t CDLG_PREFIXSIZE = 31;

struct CDLG_ITEM;

// The operations of a kind of item; each is optional. Message: true when it handled the message, its result
// in *pResult. Command: true when it handled the command. Validate: false refuses the value (the dialog stays).
struct CDLG_ITEMCLASS {
    bool (*pfnMessage)(HWND hDlg, CDLG_ITEM* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam, INT_PTR* pResult);
    bool (*pfnLoad)(HWND hDlg, CDLG_ITEM* pItem);
    bool (*pfnSave)(HWND hDlg, CDLG_ITEM* pItem);
    bool (*pfnCommand)(HWND hDlg, CDLG_ITEM* pItem, int idControl, int nCode);
    void (*pfnChanged)(HWND hDlg, CDLG_ITEM* pItem);
    bool (*pfnValidate)(HWND hDlg, CDLG_ITEM* pItem);
    // A required text's refusal: the message box of these string numbers (text and caption).
    UINT idRequiredText;
    UINT idRequiredCaption;
};

// Every item begins with this; the kind's own fields follow.
struct CDLG_ITEM {
    const CDLG_ITEMCLASS* pClass;
    CDLG_ITEM* pNext;
};

typedef void (*CDLG_CALLBACK)(HWND hDlg);
typedef void (*CDLG_ITEMSCALLBACK)(HWND hDlg, bool fSaved);

struct CDLG_STRINGITEM {
    CDLG_ITEM item;
    int idControl;
    int cbData;  // the field holds at most cbData - 1 characters
    char* pData;
};

struct CDLG_PUSHITEM {
    CDLG_ITEM item;
    int idControl;
    CDLG_CALLBACK pfnCallback;
};

struct CDLG_BROWSEITEM {
    CDLG_ITEM item;
    int idButton;
    int idTextField;
    UINT idFilter;  // 0: "All Files (*.*)"
    UINT idTitle;   // 0: the platform's title
    HINSTANCE hInstance;
    CDLG_CALLBACK pfnCallback;
};

struct CDLG_COLORITEM {
    CDLG_ITEM item;
    int idButton;
    int idSwatch;
    COLORREF crCurrent;
    HBRUSH hSwatchBrush;
    COLORREF* pData;
    LPCSTR szTitle;  // a text, a string number (MAKEINTRESOURCE) or null
    CDLG_CALLBACK pfnCallback;
};

// A group's map: one entry per radio button, ended by the control number CDLG_MAPEND.
struct CDLG_GROUPMAP {
    WORD idControl;
    WORD wPadding;
    LONG lValue;
};
const WORD CDLG_MAPEND = 0xFFFF;

struct CDLG_GROUPITEM {
    CDLG_ITEM item;
    LONG* plValue;
    const CDLG_GROUPMAP* pMap;
};

// The item classes of the kinds; a caller may make its own from them (say, with a changed operation).
extern const CDLG_ITEMCLASS WndStringClass;
extern const CDLG_ITEMCLASS PushItemClass;
extern const CDLG_ITEMCLASS GroupItemClass;
// A text class that refuses an empty field with a message box of two string numbers and an error icon, and
// puts the focus into the field.
CDLG_ITEMCLASS CDLG_RequiredStringClass(UINT idText, UINT idCaption);

// What a caller supplies for each kind of dialog. Only the instance is required.
struct CDLG_DESCRIPTION {
    HINSTANCE hInstance;    // holds the template; string numbers are read as STRINGID_GetString reads them
    DLGPROC pfnDialogProc;  // sees every message after the items; TRUE when it handled it
    DWORD dwFlags;
    CDLG_CALLBACK pfnOpen;        // adds the items
    CDLG_ITEMSCALLBACK pfnItems;  // after all items were loaded or saved
    CDLG_CALLBACK pfnClose;
};

// The dialog window class (double-click aware, for the whole process, arrow cursor, white background) under
// the caller's name, which the templates name as their class.
bool CDLG_Register(HINSTANCE hInstance, const char* szClass);
// Runs the dialog modally; true when it ended with OK (1).
bool CDLG_DoModal(const CDLG_DESCRIPTION* pDescription, void* pUserData, LPCSTR szTemplate, HWND hOwner);
// A process-wide callback that every dialog runs after its description's open callback; null for none.
void CDLG_SetOpenHook(CDLG_CALLBACK pfnHook);
void* CDLG_GetUserData(HWND hDlg);
DWORD CDLG_GetFlags(HWND hDlg);

// Zero-filled memory from the dialog's heap, freed with the dialog.
void* CDLG_Alloc(HWND hDlg, size_t cbSize);
bool CDLG_Free(HWND hDlg, void* pBlock);
// Links an item (allocated with CDLG_Alloc) into the dialog, in front of the others.
bool CDLG_AddItem(HWND hDlg, CDLG_ITEM* pItem);

bool CDLG_AddStringItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, int idControl, int cbData, char* pData);
bool CDLG_AddPushItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, int idControl, CDLG_CALLBACK pfnCallback);
// A button that lets the user pick an existing file for a text field; the callback runs after a pick.
bool CDLG_AddBrowseButton(HWND hDlg,
                          int idButton,
                          int idTextField,
                          UINT idFilter,
                          UINT idTitle,
                          CDLG_CALLBACK pfnCallback = nullptr);
// A button that opens the colour chooser for the colour, shown in the swatch control; the callback runs after
// a choice. The colour is changed only when the dialog is confirmed.
bool CDLG_AddColorItem(HWND hDlg,
                       int idButton,
                       int idSwatch,
                       COLORREF* pData,
                       LPCSTR szTitle,
                       CDLG_CALLBACK pfnCallback = nullptr);
bool CDLG_AddGroupItem(HWND hDlg, const CDLG_ITEMCLASS* pClass, const CDLG_GROUPMAP* pMap, LONG* plValue);

bool CDLG_LoadItems(HWND hDlg);
bool CDLG_SaveItems(HWND hDlg);
// Stops at the first item that refuses; false then.
bool CDLG_ValidateItems(HWND hDlg);
// Gives the dialog's control-list font (made at the first call) to the listed controls.
bool CDLG_SetFont(HWND hDlg, const WORD* pList);
