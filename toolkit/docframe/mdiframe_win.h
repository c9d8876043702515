// The multiple-document main window (MDI client, toolbar, status bar, menus, dropped files and the shell's DDE
// open command) and the MDI child frames that hold the views.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/docframe/docview_win.h"
#include "toolkit/window_win.h"

// Posted to the main frame: the menu follows the active document's template.
const UINT MDIFRAME_WM_UPDATEMENU = WM_APP + 0x100;

// An MDI child frame holding one view.
class CMDIChild : public CWindow {
public:
    CView* GetView() const { return m_pView; }
    // Sizes the frame so that its client area has this size.
    void SetClientSize(int cx, int cy);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    void OnFinalMessage() override;
    // The frame's window style; the default is a normal overlapped MDI child.
    virtual DWORD GetStyle() const;
    // Background erasing; the default lets the system erase.
    virtual bool OnEraseBackground() { return false; }

private:
    friend class CDocApp;
    CView* m_pView = nullptr;
};

// The main window: MDI client, toolbar and status bar.
class CMDIFrame : public CWindow {
public:
    explicit CMDIFrame(CDocApp* pApp) : m_pApp(pApp) {}
    HWND GetClient() const { return m_hClient; }
    HWND GetToolBar() const { return m_hToolBar; }
    HWND GetStatusBar() const { return m_hStatusBar; }
    CMDIChild* GetActiveChild() const;
    // Shows the menu of the active document's template, or the frame's own without one.
    void UpdateMenu();
    // Enables the toolbar buttons by the command routing.
    void UpdateToolBar();
    void SetStatusText(const char* szText);
    // Toolbar buttons: command ids in order, 0 for a separator; the bitmap holds one 16 x 15 image per button.
    bool CreateToolBar(int idBitmap, const int* pCommands, int cCommands);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;

private:
    void Layout();
    void OnDde(UINT uMsg, WPARAM wParam, LPARAM lParam);
    CDocApp* m_pApp;
    HWND m_hClient = nullptr;
    HWND m_hToolBar = nullptr;
    HWND m_hStatusBar = nullptr;
    HMENU m_hFrameMenu = nullptr;
    std::vector<int> m_toolCommands;
};
