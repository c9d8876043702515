#include "converter/reelapp_win.h"

#include <cstring>
#include <string>

#include "converter/batchdoc_win.h"
#include "converter/movview_win.h"
#include "converter/reeldoc_win.h"
#include "converter/reelpro_ids.h"
#include "converter/splash_win.h"
#include "toolkit/ctrllist_win.h"
#include "toolkit/dlgcolor_win.h"
#include "toolkit/helpfile_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("REELPRO");

const char REELPRO_VERSION[] =
    "1.00.00"
    " Win32";

namespace {

const char APP_NAME[] = "REELPRO";   // the DDE service and the profile file's name
const char APP_TITLE[] = "Flarion";  // the caption of the program's message boxes
const int MRU_ENTRIES = 4;

const int TOOLBAR_COMMANDS[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                                0,           ID_APP_ABOUT};

const WORD ABOUT_CONTROLS[] = {IDC_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_LINE1, IDC_ABOUT_RULE,
                               IDC_ABOUT_LINE2, IDC_ABOUT_LINE3,   IDC_ABOUT_FRAME, CTRLLIST_END};

// The first argument of the command line, without the quotes around it.
std::string FirstArgument(const char* szCommandLine) {
    std::string line = szCommandLine ? szCommandLine : "";
    const size_t nStart = line.find_first_not_of(" \t");
    if (nStart == std::string::npos)
        return "";
    if (line[nStart] == '"') {
        const size_t nEnd = line.find('"', nStart + 1);
        return line.substr(nStart + 1, nEnd == std::string::npos ? std::string::npos : nEnd - nStart - 1);
    }
    const size_t nEnd = line.find_last_not_of(" \t");
    return line.substr(nStart, nEnd - nStart + 1);
}

bool IsSwitch(const std::string& argument, const char* szSwitch) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
           lstrcmpiA(argument.c_str() + 1, szSwitch) == 0;
}

}  // namespace

CReelApp::CReelApp(HINSTANCE hInstance) : CDocApp(hInstance, APP_NAME) {}

CReelApp::~CReelApp() {
    CloseAllDocuments();
    CMOVView::ClassTerm();
    HELPFILE_Release();
    DLGCOLOR_Reset();
}

bool CReelApp::InitInstance(const char* szCommandLine, int nCmdShow) {
    MFX_VERIFY(HELPFILE_Register(GetInstance()));
    WINDOW_SetAppTitle(APP_TITLE);
    DLGCOLOR_Set(RGB(192, 192, 192), RGB(0, 0, 0));
    static_assert(MRU_ENTRIES == DOCAPP_MRU_SIZE, "the recent-file list holds 4 entries");
    LoadRecentFileList();

    AddTemplate(new CDocTemplate(GetInstance(), IDR_MOVIETYPE, DOCVIEW_Factory<CReelDoc, CZMDIChildWnd, CMOVView>()));
    AddTemplate(new CDocTemplate(GetInstance(), IDR_BATCHTYPE, BATCHDOC_FACTORY));

    char szTitle[128] = "";
    LoadStringA(GetInstance(), IDR_MAINFRAME, szTitle, sizeof(szTitle));
    MFX_PRE(CreateMainFrame(IDR_MAINFRAME, szTitle));
    GetMainFrame()->CreateToolBar(IDR_MAINFRAME, TOOLBAR_COMMANDS, sizeof(TOOLBAR_COMMANDS) / sizeof(int));
    HELPFILE_SetDefaultWindow(GetMainFrame()->GetHandle());
    MFX_VERIFY(RegisterShellFileTypes());

    const std::string argument = FirstArgument(szCommandLine);
    if (IsSwitch(argument, "Embedding") || IsSwitch(argument, "Automation")) {
        m_fEmbedded = true;
        return true;
    }
    // Started by the shell for a DDE open ("/dde"): the documents come by the open command that follows, and
    // the window shows and takes dropped files as after any other start.
    if (!argument.empty() && !IsSwitch(argument, "dde"))
        OpenDocumentFile(argument.c_str());

    DragAcceptFiles();
    ShowWindow(GetMainFrame()->GetHandle(), nCmdShow);
    UpdateWindow(GetMainFrame()->GetHandle());
    m_fShown = true;
    return true;
}

bool CReelApp::OnCmdMsg(int idCommand, CCommandState* pState) {
    switch (idCommand) {
        case ID_APP_ABOUT:
            if (pState)
                pState->fEnabled = true;
            else
                ShowAbout();
            return true;
        case ID_HELP_CONTENTS:
            if (pState)
                pState->fEnabled = true;
            else
                HELPFILE_Contents(nullptr, nullptr, nullptr);
            return true;
        default:
            return CDocApp::OnCmdMsg(idCommand, pState);
    }
}

void CReelApp::ShowAbout() {
    CAboutDlg about(GetInstance(), GetMainFrame()->GetHandle());
    about.DoModal();
}

CAboutDlg::CAboutDlg(HINSTANCE hInstance, HWND hParent)
    : CDialog(hInstance, IDD_ABOUTBOX, hParent), m_hInstance(hInstance) {}

bool CAboutDlg::OnInitDialog() {
    CenterOver(GetParent(m_hWnd));
    m_font.Reset(CTRLLIST_CreateFont());
    MFX_VERIFY(CTRLLIST_SetFont(ABOUT_CONTROLS, m_hWnd, m_font.Get()));
    CSplashWnd splash(m_hInstance, m_hWnd);
    splash.DoModal();
    SetItemText(IDC_ABOUT_VERSION, REELPRO_VERSION);
    return true;
}
