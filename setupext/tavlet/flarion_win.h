// The suite's own hook: it finds Netscape Navigator's plug-in folder, checks that QuickTime for Windows is
// recent enough, asks whether to install the plug-in, and disables Apple's QuickTime plug-in once the suite's
// is installed. Windows code.
#pragma once

#include "setupext/tavlet/tavletdll_win.h"

extern const char FLARION_PLUGINS[];       // "Netscape PlugIns"
extern const char FLARION_GOLDPLUGINS[];   // "Netscape Gold PlugIns"
extern const char FLARION_COLLECTION[];    // "Flarion PlugIn"
// The QuickTime version number of 2.1.1.56, the last that is too old.
const unsigned long FLARION_TOOOLDQUICKTIME = 11064;

class CFlarionDLL : public CTavletDLL {
public:
    explicit CFlarionDLL(HINSTANCE hInst);

    bool OnLoaded(HWND hWndFocus) override;
    void Selection(HOOKSELECT* aItems, int nItems) override;
    LONG Installed(HWND hWnd, const char* szLog) override;

protected:
    bool ResolveSpecialTarget(HWND hWnd, const char* szName, char* szDir, std::vector<std::string>& candidates) override;

private:
    std::string Text(UINT id) const;
    HINSTANCE m_hInst;
};
