// The engine's Program Manager step after a successful copy: the dialog "SETUP_PROGMANGROUP" that puts an item
// for every installed program (and the uninstaller) into the design's group and records each item in the
// setup log. Windows code.
#pragma once

#include <windows.h>

#include "setup/design.h"
#include "setup/logfile.h"
#include "setup/progman_win.h"

// The dialog's template name, and the control holding its text.
extern const char PROGMANGROUP_TEMPLATE[];
const int IDC_PROGMANGROUP_TEXT = 900;
// The title of the uninstaller's item: this, followed by the design's UnInstallText.
extern const char PROGMANGROUP_UNINSTALLPREFIX[];

// Shows the group when it exists (then *pfCreated is false), creates it otherwise (*pfCreated tells whether that
// worked). Items added afterwards go to this group.
void PROGMAN_EnsureGroup(CProgMan* pProgMan, const char* szGroup, bool* pfCreated);
// The work of the dialog: an item for every installed file whose icon flag is set, in slot order, then the
// uninstaller's item when the design asks for it; every item added is recorded in the log. Returns the number
// of items added.
int PROGMAN_AddItems(CProgMan* pProgMan, const DESIGN* pDesign, CLogFile* pLog);

// How the engine runs a modal dialog from a template of its dialog library: the library's xDialogBoxParam, or
// DialogBoxParamA on a module holding the template.
typedef INT_PTR(WINAPI* SETUP_DIALOGBOX)(HINSTANCE hInstance,
                                         const char* szTemplate,
                                         HWND hParent,
                                         DLGPROC pfnDialog,
                                         LPARAM lParam);
// Runs the dialog: it is placed by its placement box, starts the DDE client, waits 500 ms so that it is painted,
// does the work and closes itself. Returns the number of items added, -1 when the dialog could not start.
int PROGMAN_RunGroupDialog(SETUP_DIALOGBOX pfnDialogBox,
                           HINSTANCE hInstance,
                           HWND hParent,
                           const DESIGN* pDesign,
                           CLogFile* pLog);
