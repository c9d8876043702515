#include "toolkit/docframe/mdiframe_win.h"

#include <commctrl.h>
#include <dde.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "toolkit/docframe/docapp_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("MDIFRAME");

namespace {

const UINT IDM_FIRSTCHILD = 0xFF00;  // the MDI client's window list items
const char READY[] = "Ready";
const char DDE_TOPIC[] = "system";

// The submenu whose title is "&Window", where the MDI client lists its children; null when there is none.
HMENU FindWindowMenu(HMENU hMenu) {
    const int cItems = hMenu ? GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < cItems; ++i) {
        char szText[32] = "";
        GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        if (lstrcmpA(szText, "&Window") == 0)
            return GetSubMenu(hMenu, i);
    }
    return nullptr;
}

// A text of the string table up to its first line feed (the status prompt of a command); empty when none.
std::string LoadPrompt(HINSTANCE hInstance, UINT id) {
    char szText[256] = "";
    if (!LoadStringA(hInstance, id, szText, sizeof(szText)))
        return "";
    std::string text = szText;
    return text.substr(0, text.find('\n'));
}

}  // namespace

// ---- CMDIChild

DWORD CMDIChild::GetStyle() const {
    return WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

void CMDIChild::SetClientSize(int cx, int cy) {
    RECT rc = {0, 0, cx, cy};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every message the child does not take goes on to the MDI child default processing, which the MDI client
// relies on for activation, sizing and the system menu.
bool CMDIChild::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_SIZE:
            if (m_pView && m_pView->GetHandle()) {
                RECT rc;
                GetClientRect(m_hWnd, &rc);
                MoveWindow(m_pView->GetHandle(), 0, 0, rc.right, rc.bottom, TRUE);
            }
            break;
        case WM_SETFOCUS:
            if (m_pView && m_pView->GetHandle())
                SetFocus(m_pView->GetHandle());
            break;
        case WM_ERASEBKGND:
            if (OnEraseBackground()) {
                lResult = 1;
                return true;
            }
            break;
        case WM_CLOSE:
            // The close box, the system menu and Ctrl+F4: the last window of a modified document asks first.
            if (m_pView && m_pView->GetDocument() && m_pView->GetDocument()->GetViews().size() == 1 &&
                !m_pView->GetDocument()->SaveModified()) {
                lResult = 0;
                return true;
            }
            break;
        case WM_MDIACTIVATE:
            if (CDocApp::Get() && CDocApp::Get()->GetMainFrame())
                PostMessageA(CDocApp::Get()->GetMainFrame()->GetHandle(), MDIFRAME_WM_UPDATEMENU, 0, 0);
            break;
        default:
            if (CWindow::OnMessage(uMsg, wParam, lParam, lResult))
                return true;
            break;
    }
    lResult = DefMDIChildProcA(m_hWnd, uMsg, wParam, lParam);
    return true;
}

void CMDIChild::OnFinalMessage() {
    delete this;
}

// ---- CMDIFrame

CMDIChild* CMDIFrame::GetActiveChild() const {
    if (!m_hClient)
        return nullptr;
    const HWND hChild = reinterpret_cast<HWND>(SendMessageA(m_hClient, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<CMDIChild*>(CWindow::FromHandle(hChild));
}

void CMDIFrame::UpdateMenu() {
    if (!m_hClient)
        return;
    CDocument* pDocument = m_pApp->GetActiveDocument();
    HMENU hMenu = pDocument && pDocument->GetTemplate() ? pDocument->GetTemplate()->GetMenu() : m_hFrameMenu;
    if (hMenu && GetMenu(m_hWnd) != hMenu) {
        SendMessageA(m_hClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu),
                     reinterpret_cast<LPARAM>(FindWindowMenu(hMenu)));
        DrawMenuBar(m_hWnd);
    }
    std::string title = m_pApp->GetTitle();
    if (pDocument)
        title += " - " + pDocument->GetTitle();
    SetWindowTextA(m_hWnd, title.c_str());
    UpdateToolBar();
}

void CMDIFrame::UpdateToolBar() {
    for (int idCommand : m_toolCommands) {
        if (idCommand)
            SendMessageA(m_hToolBar, TB_ENABLEBUTTON, idCommand, MAKELPARAM(m_pApp->IsCommandEnabled(idCommand), 0));
    }
}

void CMDIFrame::SetStatusText(const char* szText) {
    if (m_hStatusBar)
        SendMessageA(m_hStatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(szText));
}

bool CMDIFrame::CreateToolBar(int idBitmap, const int* pCommands, int cCommands) {
    m_hToolBar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0,
                                 0, 0, 0, m_hWnd, nullptr, m_pApp->GetInstance(), nullptr);
    MFX_PRE(m_hToolBar);
    SendMessageA(m_hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> buttons;
    int cImages = 0;
    for (int i = 0; i < cCommands; ++i) {
        TBBUTTON button = {};
        button.idCommand = pCommands[i];
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = pCommands[i] ? BTNS_BUTTON : BTNS_SEP;
        button.iBitmap = pCommands[i] ? cImages++ : 0;
        buttons.push_back(button);
        m_toolCommands.push_back(pCommands[i]);
    }
    TBADDBITMAP bitmap = {m_pApp->GetInstance(), static_cast<UINT_PTR>(idBitmap)};
    MFX_VERIFY(SendMessageA(m_hToolBar, TB_ADDBITMAP, cImages, reinterpret_cast<LPARAM>(&bitmap)) != -1);
    SendMessageA(m_hToolBar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(m_hToolBar, TB_AUTOSIZE, 0, 0);
    Layout();
    UpdateToolBar();
    return true;
}

void CMDIFrame::Layout() {
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    int yTop = 0, yBottom = rc.bottom;
    if (m_hToolBar) {
        SendMessageA(m_hToolBar, TB_AUTOSIZE, 0, 0);
        RECT rcBar;
        GetWindowRect(m_hToolBar, &rcBar);
        yTop = rcBar.bottom - rcBar.top;
    }
    if (m_hStatusBar) {
        SendMessageA(m_hStatusBar, WM_SIZE, 0, 0);
        RECT rcBar;
        GetWindowRect(m_hStatusBar, &rcBar);
        yBottom -= rcBar.bottom - rcBar.top;
    }
    if (m_hClient)
        MoveWindow(m_hClient, 0, yTop, rc.right, std::max(0, yBottom - yTop), TRUE);
}

// Everything the frame does not take goes on to the MDI frame default processing.
bool CMDIFrame::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_CREATE: {
            m_hFrameMenu = GetMenu(m_hWnd);
            CLIENTCREATESTRUCT ccs = {FindWindowMenu(m_hFrameMenu), IDM_FIRSTCHILD};
            // Every child states its own styles, so a child may go without a maximise box.
            m_hClient =
                CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE | MDIS_ALLCHILDSTYLES,
                                0, 0, 0, 0, m_hWnd, nullptr, m_pApp->GetInstance(), &ccs);
            m_hStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, READY, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                                           0, m_hWnd, nullptr, m_pApp->GetInstance(), nullptr);
            int nRight = -1;
            SendMessageA(m_hStatusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&nRight));
            lResult = m_hClient ? 0 : -1;
            return true;
        }
        case WM_SIZE:
            Layout();
            lResult = 0;
            return true;
        case WM_INITMENUPOPUP: {
            HMENU hMenu = reinterpret_cast<HMENU>(wParam);
            if (HIWORD(lParam))
                break;
            m_pApp->UpdateRecentMenu(hMenu);
            for (int i = 0, cItems = GetMenuItemCount(hMenu); i < cItems; ++i) {
                const UINT id = GetMenuItemID(hMenu, i);
                if (id == 0 || id == static_cast<UINT>(-1) || id >= IDM_FIRSTCHILD)
                    continue;
                EnableMenuItem(hMenu, i, MF_BYPOSITION | (m_pApp->IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
            }
            lResult = 0;
            return true;
        }
        case WM_MENUSELECT: {
            const UINT id = LOWORD(wParam), uFlags = HIWORD(wParam);
            std::string prompt;
            if (!(uFlags == 0xFFFF && !lParam) && !(uFlags & (MF_POPUP | MF_SEPARATOR)))
                prompt = LoadPrompt(m_pApp->GetInstance(), id);
            SetStatusText(prompt.empty() ? READY : prompt.c_str());
            break;
        }
        case WM_DROPFILES: {
            HDROP hDrop = reinterpret_cast<HDROP>(wParam);
            const UINT cFiles = DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < cFiles; ++i) {
                PATHNAME szFile = "";
                if (DragQueryFileA(hDrop, i, szFile, sizeof(szFile)))
                    m_pApp->OpenDocumentFile(szFile);
            }
            DragFinish(hDrop);
            lResult = 0;
            return true;
        }
        case WM_DDE_INITIATE:
        case WM_DDE_EXECUTE:
        case WM_DDE_TERMINATE:
            OnDde(uMsg, wParam, lParam);
            lResult = 0;
            return true;
        case MDIFRAME_WM_UPDATEMENU:
            UpdateMenu();
            lResult = 0;
            return true;
        case WM_CLOSE:
            // The close box and File Exit: every modified document is asked about first; one that stays open
            // keeps the program running.
            if (!m_pApp->SaveAllModified()) {
                lResult = 0;
                return true;
            }
            m_pApp->CloseAllDocuments();
            break;
        case WM_QUERYENDSESSION:
            lResult = m_pApp->SaveAllModified();
            return true;
        case WM_DESTROY:
            // The templates own their menus; the window must not destroy the one it shows.
            SetMenu(m_hWnd, m_hFrameMenu);
            if (m_pApp->m_pFrame == this && m_pApp->m_fRunning)
                PostQuitMessage(0);
            break;
        default:
            break;
    }
    if (CWindow::OnMessage(uMsg, wParam, lParam, lResult))
        return true;
    lResult = DefFrameProcA(m_hWnd, m_hClient, uMsg, wParam, lParam);
    return true;
}

bool CMDIFrame::OnCommand(int idItem, int nCode, HWND hControl) {
    if (static_cast<UINT>(idItem) >= IDM_FIRSTCHILD)
        return false;
    m_pApp->RouteCommand(idItem, nullptr);
    if (m_hWnd)
        UpdateToolBar();
    return true;
}

// The shell opens documents through DDE with the service named after the program and the topic "system".
void CMDIFrame::OnDde(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const HWND hClient = reinterpret_cast<HWND>(wParam);
    switch (uMsg) {
        case WM_DDE_INITIATE: {
            char szService[64] = "", szTopic[64] = "";
            const ATOM aService = LOWORD(lParam), aTopic = HIWORD(lParam);
            if (aService)
                GlobalGetAtomNameA(aService, szService, sizeof(szService));
            if (aTopic)
                GlobalGetAtomNameA(aTopic, szTopic, sizeof(szTopic));
            if ((aService && lstrcmpiA(szService, m_pApp->GetAppName().c_str()) != 0) ||
                (aTopic && lstrcmpiA(szTopic, DDE_TOPIC) != 0))
                return;
            SendMessageA(hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                         MAKELPARAM(GlobalAddAtomA(m_pApp->GetAppName().c_str()), GlobalAddAtomA(DDE_TOPIC)));
            return;
        }
        case WM_DDE_EXECUTE: {
            const HGLOBAL hCommands = reinterpret_cast<HGLOBAL>(lParam);
            bool fOk = false;
            if (const char* szCommands = static_cast<const char*>(GlobalLock(hCommands))) {
                const std::string commands(szCommands, strnlen(szCommands, GlobalSize(hCommands)));
                GlobalUnlock(hCommands);
                fOk = m_pApp->OnDdeCommand(commands.c_str());
            }
            const WORD wAck = fOk ? 0x8000 : 0;  // the acknowledgement's positive bit
            if (!PostMessageA(hClient, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd),
                              ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, wAck, lParam)))
                FreeDDElParam(WM_DDE_ACK, lParam);
            return;
        }
        default:
            PostMessageA(hClient, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
            return;
    }
}
