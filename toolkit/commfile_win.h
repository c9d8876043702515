// The directory chooser: a modal dialog in which the user picks a folder, and can create a new one, built on
// the platform's save-file dialog with a template of its own that shows the folder and drive lists and
// hides the file controls, and a hook that turns the folder list's selection into a folder name.
//
// The chooser follows the selection into the caller's folder while it is open, also when the user then
// cancels: callers take the folder only when the chooser returns 1.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "toolkit/commfile_ids.h"

// The platform's save-file dialog, or a binding that stands in for it.
typedef BOOL(WINAPI* COMMFILE_GETSAVEFILENAME)(OPENFILENAMEA* pOfn);
// Places the chooser when it opens; null centres it over its owner.
typedef void (*COMMFILE_PLACE)(HWND hDlg);

// One kind of chooser: its templates and the numbers of the controls it adds to the file dialog's.
struct COMMFILE_VARIANT {
    HINSTANCE hInstance;  // holds both templates
    LPCSTR szChooser;
    const char* szCaption;  // the chooser's caption when the caller gives no title
    int idSelected;         // the selected-folder line
    int idCreate;           // the create button
    LPCSTR szNewFolder;
    int idNewName;
    const char* szPresetName;
    DWORD dwExtraFlags;  // file dialog options beyond the ones every chooser has
};

// The folder that the folder list's selection stands for, without a trailing backslash. PathName: a
// PATHNAME.
int COMMFILE_GetSelectedDir(HWND hDlg, char* PathName);

// Runs a chooser of the variant over the owner. szFolder (a PATHNAME) holds the start folder and, on 1, the
// chosen one without its trailing backslash. 0 when the user cancelled or the chooser could not start.
int COMMFILE_Choose(const COMMFILE_VARIANT* pVariant,
                    char* szFolder,
                    HWND hOwner,
                    const char* szTitle,
                    COMMFILE_GETSAVEFILENAME pfnGetSaveFileName,
                    COMMFILE_PLACE pfnPlace);
// The plug-in's form: the template (COMMFILE_IDD_CHOOSEDIR or COMMFILE_IDD_CHOOSEDIRPROMPT) from the
// deliverable's own resources (commfile.rc), the new-folder template COMMFILE_IDD_NEWDIR with an empty name.
int COMMFILE_ChooseDir(char* szFolder, HWND hOwner, const char* szTitle, int idTemplate);
// The setup engine's form: the templates "SETUP_OPENPATH" and "SETUP_NEWDIR" (name preset to "folder") from
// the dialog library, run through the engine's binding of the save-file dialog (the platform's when null)
// and placed by the engine. An empty folder starts from the current folder.
int COMMFILE_ChooseSetupDir(char* szFolder,
                            HWND hOwner,
                            HINSTANCE hDialogLibrary,
                            COMMFILE_GETSAVEFILENAME pfnGetSaveFileName,
                            COMMFILE_PLACE pfnPlace);
