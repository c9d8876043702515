#include "toolkit/filedlg_win.h"

#include <algorithm>

#include "toolkit/pathname.h"

bool FILEDLG_GetFileName(const FILEDLG& dialog, bool fSave, std::string& path) {
    std::string filter = dialog.szFilter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter += '\0';
    PATHNAME szFile = "";
    PATHNAME_Assign(szFile, path.c_str());
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialog.hOwner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = sizeof(szFile);
    ofn.lpstrInitialDir = dialog.szInitialFolder;
    ofn.lpstrDefExt = dialog.szDefaultExtension;
    ofn.Flags = dialog.dwFlags | (dialog.pfnHook ? OFN_ENABLEHOOK | OFN_EXPLORER : 0);
    ofn.lpfnHook = dialog.pfnHook;
    const BOOL fOk = fSave ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (fOk)
        path = szFile;
    return fOk != FALSE;
}
