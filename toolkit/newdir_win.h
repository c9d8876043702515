// The new-folder dialog of the directory chooser: asks for a short name and makes that folder in the current
// folder, asking again until a folder is made or the user cancels.
#pragma once

#include <windows.h>

#include <cstddef>

struct NEWDIR_TEMPLATE {
    HINSTANCE hInstance;  // holds the template
    LPCSTR szTemplate;
    int idName;            // the name field
    const char* szPreset;  // the name field's first text
};

const size_t NEWDIR_NAMESIZE = 13;  // an 8.3 name and its terminator

// True when a folder was made; its name in szName (NEWDIR_NAMESIZE bytes). An invalid name keeps the dialog
// open; a folder that cannot be made (one of that name exists, say) shows the dialog again.
bool NEWDIR_Run(const NEWDIR_TEMPLATE* pTemplate, HWND hOwner, char* szName);
