// The converter program: its start-up, its commands beyond the documents' own, the about box, and exit.
#pragma once

#include "toolkit/docframe/docapp_win.h"
#include "toolkit/gdiobject_win.h"
#include "toolkit/window_win.h"

class CReelApp : public CDocApp {
public:
    explicit CReelApp(HINSTANCE hInstance);
    // Exit: QuickTime is shut down when the previews started it, and the help file is released.
    ~CReelApp() override;

    // The start-up; false when the main window could not be made. An embedded or automation start stops early
    // with true and shows nothing (IsShown() false).
    bool InitInstance(const char* szCommandLine, int nCmdShow);
    bool IsShown() const { return m_fShown; }
    bool IsEmbedded() const { return m_fEmbedded; }
    bool OnCmdMsg(int idCommand, CCommandState* pState) override;
    void ShowAbout();

private:
    bool m_fShown = false;
    bool m_fEmbedded = false;
};

// The about box: the program's name, version and purpose; the splash window comes first.
class CAboutDlg : public CDialog {
public:
    CAboutDlg(HINSTANCE hInstance, HWND hParent);

protected:
    bool OnInitDialog() override;

private:
    HINSTANCE m_hInstance;
    CFont m_font;
};

extern const char REELPRO_VERSION[];  // the version line: "1.00.00 Win32"
