#include "toolkit/docview_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dde.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "toolkit/gdiobject_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("DOCVIEW");

namespace {

const char FRAME_CLASS[] = "MfxMDIFrame";
const char CHILD_CLASS[] = "MfxMDIChild";
const char VIEW_CLASS[] = "MfxView";
const UINT IDW_PANE_FIRST = 0xE900;
const UINT IDM_FIRSTCHILD = 0xFF00;  // the MDI client's window list items
const UINT WM_DOCVIEW_UPDATEMENU = WM_APP + 0x100;
const char READY[] = "Ready";
const char DDE_TOPIC[] = "system";

void RegisterClasses(HINSTANCE hInstance) {
    static bool s_fRegistered = false;
    if (s_fRegistered)
        return;
    WNDCLASSEXA wc = {};
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = FRAME_CLASS;
    CWindow::RegisterWindowClass(wc);
    wc.lpszClassName = CHILD_CLASS;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    CWindow::RegisterWindowClass(wc);
    wc.lpszClassName = VIEW_CLASS;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    CWindow::RegisterWindowClass(wc);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    s_fRegistered = true;
}

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

bool SetRegistryText(const std::string& key, const std::string& value) {
    return MFX_VERIFY(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                                   static_cast<DWORD>(value.size())) == ERROR_SUCCESS);
}

std::string RecentKey(int i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

// ---- CDocTemplate

CDocTemplate::CDocTemplate(HINSTANCE hInstance, int idResource, const DOCTEMPLATE_FACTORY& factory)
    : m_idResource(idResource), m_hMenu(LoadMenuA(hInstance, MAKEINTRESOURCEA(idResource))), m_factory(factory) {
    char szStrings[512] = "";
    MFX_VERIFY(LoadStringA(hInstance, idResource, szStrings, sizeof(szStrings)) > 0);
    m_strings = szStrings;
    MFX_VERIFY(m_hMenu);
}

CDocTemplate::~CDocTemplate() {
    if (m_hMenu)
        DestroyMenu(m_hMenu);
}

std::string CDocTemplate::GetField(FIELD nField) const {
    size_t nStart = 0;
    for (int i = 0; i < nField; ++i) {
        nStart = m_strings.find('\n', nStart);
        if (nStart == std::string::npos)
            return "";
        ++nStart;
    }
    return m_strings.substr(nStart, m_strings.find('\n', nStart) - nStart);
}

bool CDocTemplate::MatchesFile(const char* szName) const {
    const std::string extension = GetField(FILTEREXT);
    const size_t cchName = strlen(szName);
    return !extension.empty() && cchName >= extension.size() &&
           lstrcmpiA(szName + cchName - extension.size(), extension.c_str()) == 0;
}

// ---- CDocument

bool CDocument::OnOpenDocument(const char* szPath) {
    m_path = szPath;
    m_fModified = false;
    return true;
}

bool CDocument::OnNewDocument() {
    m_path.clear();
    m_fModified = false;
    return true;
}

std::string CDocument::GetTitle() const {
    if (m_path.empty())
        return m_pTemplate ? m_pTemplate->GetField(CDocTemplate::DOCNAME) : "";
    PATHNAME szTitle = "";
    PATHNAME_GetJustName(m_path.c_str(), szTitle);
    return szTitle;
}

void CDocument::SetPathName(const char* szPath, bool fAddToRecent) {
    m_path = szPath;
    if (fAddToRecent && CDocApp::Get())
        CDocApp::Get()->AddToRecentFileList(szPath);
    UpdateFrameTitles();
}

// The question names the file, or the document's title while it has none; it is the platform's document
// question, with the application's title as its caption.
bool CDocument::SaveModified() {
    if (!m_fModified)
        return true;
    const std::string text = "Save changes to " + (m_path.empty() ? GetTitle() : m_path) + "?";
    CDocApp* pApp = CDocApp::Get();
    const HWND hOwner = pApp && pApp->GetMainFrame() ? pApp->GetMainFrame()->GetHandle() : nullptr;
    switch (MessageBoxA(hOwner, text.c_str(), WINDOW_GetAppTitle(), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            return DoFileSave();
        case IDNO:
            return true;
        default:
            return false;
    }
}

void CDocument::UpdateAllViews(CView* pSender) {
    // A view may close its movie and the document may gain or lose views meanwhile; walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* pView : views) {
        if (pView != pSender)
            pView->OnUpdate(pSender);
    }
}

void CDocument::UpdateFrameTitles() {
    const std::string title = GetTitle();
    for (CView* pView : m_views) {
        if (CMDIChild* pFrame = pView->GetFrame())
            SetWindowTextA(pFrame->GetHandle(), title.c_str());
    }
    if (CDocApp* pApp = CDocApp::Get()) {
        if (pApp->GetMainFrame())
            pApp->GetMainFrame()->UpdateMenu();
    }
}

void CDocument::Close() {
    std::vector<HWND> frames;
    for (CView* pView : m_views) {
        if (CMDIChild* pFrame = pView->GetFrame())
            frames.push_back(pFrame->GetHandle());
    }
    for (HWND hFrame : frames) {
        SendMessageA(GetParent(hFrame), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hFrame), 0);
    }
}

void CDocument::AddView(CView* pView) {
    m_views.push_back(pView);
}

// The last view to go takes the document with it.
void CDocument::RemoveView(CView* pView) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    if (m_views.empty() && CDocApp::Get())
        CDocApp::Get()->RemoveDocument(this);
}

// ---- CView

CMDIChild* CView::GetFrame() const {
    return m_hWnd ? dynamic_cast<CMDIChild*>(CWindow::FromHandle(GetParent(m_hWnd))) : nullptr;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr);
}

void CView::OnUpdate(CView* pSender) {
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CView::OnDraw(HDC hdc) {}

bool CView::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(m_hWnd, &ps);
            OnDraw(hdc);
            EndPaint(m_hWnd, &ps);
            lResult = 0;
            return true;
        }
        case WM_DESTROY:
            if (m_pDocument) {
                CDocument* pDocument = m_pDocument;
                m_pDocument = nullptr;
                pDocument->RemoveView(this);
            }
            return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
        default:
            return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
    }
}

void CView::OnFinalMessage() {
    delete this;
}

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
                PostMessageA(CDocApp::Get()->GetMainFrame()->GetHandle(), WM_DOCVIEW_UPDATEMENU, 0, 0);
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
        case WM_DOCVIEW_UPDATEMENU:
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

// ---- CDocApp

CDocApp* CDocApp::s_pApp = nullptr;

CDocApp::CDocApp(HINSTANCE hInstance, const char* szAppName) : m_hInstance(hInstance), m_appName(szAppName) {
    MFX_VERIFY(!s_pApp);
    s_pApp = this;
    RegisterClasses(hInstance);
}

CDocApp::~CDocApp() {
    if (m_pFrame) {
        CloseAllDocuments();
        delete m_pFrame;
    }
    for (CDocument* pDocument : m_documents)
        delete pDocument;
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    if (m_hAccel)
        DestroyAcceleratorTable(m_hAccel);
    s_pApp = nullptr;
}

void CDocApp::AddTemplate(CDocTemplate* pTemplate) {
    m_templates.push_back(pTemplate);
}

bool CDocApp::CreateMainFrame(int idResource, const char* szTitle) {
    MFX_PRE(!m_pFrame);
    m_title = szTitle;
    m_hAccel = LoadAcceleratorsA(m_hInstance, MAKEINTRESOURCEA(idResource));
    m_pFrame = new CMDIFrame(this);
    const RECT rc = {40, 30, 40 + 760, 30 + 560};
    if (!m_pFrame->Create(0, FRAME_CLASS, szTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rc, nullptr,
                          LoadMenuA(m_hInstance, MAKEINTRESOURCEA(idResource)), m_hInstance)) {
        delete m_pFrame;
        m_pFrame = nullptr;
        return false;
    }
    const HICON hIcon = LoadIconA(m_hInstance, MAKEINTRESOURCEA(idResource));
    SendMessageA(m_pFrame->GetHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessageA(m_pFrame->GetHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    return true;
}

CDocument* CDocApp::OpenDocumentFile(const char* szPath) {
    PATHNAME szFull = "";
    const DWORD cch = GetFullPathNameA(szPath, sizeof(szFull), szFull, nullptr);
    MFX_PRE(cch > 0 && cch < sizeof(szFull));
    for (CDocument* pDocument : m_documents) {
        if (PATHNAME_IsSameName(pDocument->GetPathName().c_str(), szFull)) {
            if (!pDocument->GetViews().empty() && pDocument->GetViews()[0]->GetFrame())
                SendMessageA(m_pFrame->GetClient(), WM_MDIACTIVATE,
                             reinterpret_cast<WPARAM>(pDocument->GetViews()[0]->GetFrame()->GetHandle()), 0);
            return pDocument;
        }
    }
    MFX_PRE(!m_templates.empty());
    CDocTemplate* pTemplate = m_templates[0];
    for (CDocTemplate* pCandidate : m_templates) {
        if (pCandidate->MatchesFile(szFull)) {
            pTemplate = pCandidate;
            break;
        }
    }
    CDocument* pDocument = pTemplate->GetFactory().pfnNewDocument();
    pDocument->m_pTemplate = pTemplate;
    if (!pDocument->OnOpenDocument(szFull)) {
        delete pDocument;
        return nullptr;
    }
    pDocument->SetPathName(szFull, true);
    return CreateDocumentWindow(pTemplate, pDocument);
}

CDocument* CDocApp::NewDocument() {
    for (CDocTemplate* pTemplate : m_templates) {
        if (pTemplate->GetField(CDocTemplate::FILENEWNAME).empty())
            continue;
        CDocument* pDocument = pTemplate->GetFactory().pfnNewDocument();
        pDocument->m_pTemplate = pTemplate;
        if (!pDocument->OnNewDocument()) {
            delete pDocument;
            return nullptr;
        }
        return CreateDocumentWindow(pTemplate, pDocument);
    }
    return nullptr;
}

// The document joins the open documents before its view exists, since the view's creation may already ask
// for it; a window that cannot be made takes the document with it.
CDocument* CDocApp::CreateDocumentWindow(CDocTemplate* pTemplate, CDocument* pDocument) {
    m_documents.push_back(pDocument);
    CMDIChild* pFrame = pTemplate->GetFactory().pfnNewFrame();
    const int nOffset = 24 * static_cast<int>(m_documents.size() % 8);
    const RECT rcFrame = {nOffset, nOffset, nOffset + 420, nOffset + 320};
    if (!pFrame->Create(WS_EX_MDICHILD, CHILD_CLASS, pDocument->GetTitle().c_str(), pFrame->GetStyle(), rcFrame,
                        m_pFrame->GetClient(), nullptr, m_hInstance)) {
        delete pFrame;
        RemoveDocument(pDocument);
        return nullptr;
    }
    CView* pView = pTemplate->GetFactory().pfnNewView();
    pView->m_pDocument = pDocument;
    pDocument->AddView(pView);
    pFrame->m_pView = pView;
    RECT rcClient;
    GetClientRect(pFrame->GetHandle(), &rcClient);
    if (!pView->Create(WS_EX_CLIENTEDGE, VIEW_CLASS, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rcClient,
                       pFrame->GetHandle(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDW_PANE_FIRST)),
                       m_hInstance)) {
        pFrame->m_pView = nullptr;
        delete pView;
        pDocument->RemoveView(pView);
        SendMessageA(m_pFrame->GetClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(pFrame->GetHandle()), 0);
        return nullptr;
    }
    pView->OnInitialUpdate();
    SendMessageA(m_pFrame->GetClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pFrame->GetHandle()), 0);
    m_pFrame->UpdateMenu();
    return pDocument;
}

void CDocApp::RemoveDocument(CDocument* pDocument) {
    const auto it = std::find(m_documents.begin(), m_documents.end(), pDocument);
    if (it == m_documents.end())
        return;
    m_documents.erase(it);
    delete pDocument;
    if (m_pFrame && m_pFrame->GetHandle())
        PostMessageA(m_pFrame->GetHandle(), WM_DOCVIEW_UPDATEMENU, 0, 0);
}

CDocument* CDocApp::GetActiveDocument() const {
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

CView* CDocApp::GetActiveView() const {
    CMDIChild* pChild = m_pFrame ? m_pFrame->GetActiveChild() : nullptr;
    return pChild ? pChild->GetView() : nullptr;
}

bool CDocApp::RouteCommand(int idCommand, CCommandState* pState) {
    if (CView* pView = GetActiveView()) {
        if (pView->OnCmdMsg(idCommand, pState))
            return true;
        if (pView->GetDocument() && pView->GetDocument()->OnCmdMsg(idCommand, pState))
            return true;
    }
    return OnCmdMsg(idCommand, pState);
}

bool CDocApp::IsCommandEnabled(int idCommand) {
    CCommandState state;
    return RouteCommand(idCommand, &state) && state.fEnabled;
}

bool CDocApp::OnCmdMsg(int idCommand, CCommandState* pState) {
    const bool fHasDocument = GetActiveDocument() != nullptr;
    switch (idCommand) {
        case ID_FILE_NEW:
            if (pState)
                pState->fEnabled = true;
            else
                NewDocument();
            return true;
        case ID_FILE_OPEN:
            if (pState)
                pState->fEnabled = true;
            else
                OnFileOpen();
            return true;
        case ID_FILE_CLOSE:
            if (pState) {
                pState->fEnabled = fHasDocument;
            } else if (CDocument* pDocument = GetActiveDocument()) {
                if (pDocument->SaveModified())
                    pDocument->Close();
            }
            return true;
        case ID_WINDOW_CASCADE:
        case ID_WINDOW_TILE_HORZ:
        case ID_WINDOW_ARRANGE:
            if (pState) {
                pState->fEnabled = fHasDocument;
            } else {
                const UINT uMsg = idCommand == ID_WINDOW_CASCADE   ? WM_MDICASCADE
                                  : idCommand == ID_WINDOW_ARRANGE ? WM_MDIICONARRANGE
                                                                   : WM_MDITILE;
                SendMessageA(m_pFrame->GetClient(), uMsg, idCommand == ID_WINDOW_TILE_HORZ ? MDITILE_HORIZONTAL : 0, 0);
            }
            return true;
        case ID_APP_EXIT:
            if (pState)
                pState->fEnabled = true;
            else
                PostMessageA(m_pFrame->GetHandle(), WM_CLOSE, 0, 0);
            return true;
        default:
            break;
    }
    const int nRecent = idCommand - ID_FILE_MRU_FILE1;
    if (nRecent >= 0 && nRecent < DOCVIEW_MRU_SIZE) {
        const bool fListed = nRecent < static_cast<int>(m_recent.size());
        if (pState) {
            pState->fEnabled = fListed;
        } else if (fListed) {
            // A file that no longer opens leaves the list.
            const std::string path = m_recent[nRecent];
            if (!OpenDocumentFile(path.c_str())) {
                m_recent.erase(m_recent.begin() + nRecent);
                SaveRecentFileList();
            }
        }
        return true;
    }
    return false;
}

void CDocApp::OnFileOpen() {
    const std::string filter = GetOpenFilter();
    DOCVIEW_FILEDIALOG dialog;
    dialog.hOwner = m_pFrame->GetHandle();
    dialog.szFilter = filter.c_str();
    dialog.dwFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    std::string path;
    if (DOCVIEW_GetFileName(dialog, false, path))
        OpenDocumentFile(path.c_str());
}

std::string CDocApp::GetOpenFilter() const {
    std::string filter;
    for (CDocTemplate* pTemplate : m_templates) {
        const std::string name = pTemplate->GetField(CDocTemplate::FILTERNAME);
        const std::string extension = pTemplate->GetField(CDocTemplate::FILTEREXT);
        if (!name.empty() && !extension.empty())
            filter += name + "|*" + extension + "|";
    }
    return filter + "All Files (*.*)|*.*|";
}

void CDocApp::LoadRecentFileList() {
    const std::string profile = m_appName + ".INI";
    m_recent.clear();
    for (int i = 0; i < DOCVIEW_MRU_SIZE; ++i) {
        PATHNAME szPath = "";
        GetPrivateProfileStringA(DOCVIEW_MRU_SECTION, RecentKey(i).c_str(), "", szPath, sizeof(szPath),
                                 profile.c_str());
        if (szPath[0])
            m_recent.push_back(szPath);
    }
}

void CDocApp::SaveRecentFileList() const {
    const std::string profile = m_appName + ".INI";
    for (int i = 0; i < DOCVIEW_MRU_SIZE; ++i) {
        WritePrivateProfileStringA(DOCVIEW_MRU_SECTION, RecentKey(i).c_str(),
                                   i < static_cast<int>(m_recent.size()) ? m_recent[i].c_str() : nullptr,
                                   profile.c_str());
    }
}

void CDocApp::AddToRecentFileList(const char* szPath) {
    m_recent.erase(
        std::remove_if(m_recent.begin(), m_recent.end(),
                       [szPath](const std::string& path) { return PATHNAME_IsSameName(path.c_str(), szPath); }),
        m_recent.end());
    m_recent.insert(m_recent.begin(), szPath);
    if (m_recent.size() > DOCVIEW_MRU_SIZE)
        m_recent.resize(DOCVIEW_MRU_SIZE);
    SaveRecentFileList();
}

// The recent files take the place of the first recent-file item of a menu that has one: "&1 name" and so on,
// or the grey "Recent File" while the list is empty.
void CDocApp::UpdateRecentMenu(HMENU hMenu) const {
    int nFirst = -1;
    for (int i = GetMenuItemCount(hMenu) - 1; i >= 0; --i) {
        const UINT id = GetMenuItemID(hMenu, i);
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + DOCVIEW_MRU_SIZE) {
            DeleteMenu(hMenu, i, MF_BYPOSITION);
            nFirst = i;
        }
    }
    if (nFirst < 0)
        return;
    if (m_recent.empty()) {
        InsertMenuA(hMenu, nFirst, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Recent File");
        return;
    }
    for (size_t i = 0; i < m_recent.size(); ++i) {
        const std::string text = "&" + std::to_string(i + 1) + " " + m_recent[i];
        InsertMenuA(hMenu, nFirst + static_cast<int>(i), MF_BYPOSITION | MF_STRING,
                    ID_FILE_MRU_FILE1 + static_cast<UINT>(i), text.c_str());
    }
}

bool CDocApp::RegisterShellFileTypes() {
    PATHNAME szModule = "";
    MFX_PRE(GetModuleFileNameA(m_hInstance, szModule, sizeof(szModule)) > 0);
    const std::string program = szModule;
    bool fOk = true;
    for (CDocTemplate* pTemplate : m_templates) {
        const std::string id = pTemplate->GetField(CDocTemplate::REGFILETYPEID);
        const std::string extension = pTemplate->GetField(CDocTemplate::FILTEREXT);
        if (id.empty())
            continue;
        fOk = SetRegistryText(id, pTemplate->GetField(CDocTemplate::REGFILETYPENAME)) && fOk;
        fOk = SetRegistryText(id + "\\DefaultIcon", program + ",0") && fOk;
        fOk = SetRegistryText(id + "\\shell\\open\\command", "\"" + program + "\" /dde") && fOk;
        fOk = SetRegistryText(id + "\\shell\\open\\ddeexec", "[open(\"%1\")]") && fOk;
        if (!extension.empty())
            fOk = SetRegistryText(extension, id) && fOk;
    }
    return fOk;
}

void CDocApp::DragAcceptFiles() {
    ::DragAcceptFiles(m_pFrame->GetHandle(), TRUE);
}

// Commands in brackets, one after the other; each open("name") opens its document.
bool CDocApp::OnDdeCommand(const char* szCommand) {
    const std::string commands = szCommand;
    const std::string open = "[open(\"";
    bool fAny = false, fOk = true;
    for (size_t nAt = 0; (nAt = commands.find('[', nAt)) != std::string::npos;) {
        const size_t nEnd = commands.find("\")]", nAt);
        if (nEnd == std::string::npos || lstrcmpiA(commands.substr(nAt, open.size()).c_str(), open.c_str()) != 0)
            return false;
        const std::string path = commands.substr(nAt + open.size(), nEnd - nAt - open.size());
        fOk = OpenDocumentFile(path.c_str()) != nullptr && fOk;
        fAny = true;
        nAt = nEnd + 3;
    }
    if (fAny && m_pFrame && !IsWindowVisible(m_pFrame->GetHandle()))
        ShowWindow(m_pFrame->GetHandle(), SW_SHOW);
    return fAny && fOk;
}

int CDocApp::Run() {
    m_fRunning = true;
    MSG msg;
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && m_pFrame)
            m_pFrame->UpdateToolBar();
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
            break;
        if (m_pFrame && m_pFrame->GetClient() && TranslateMDISysAccel(m_pFrame->GetClient(), &msg))
            continue;
        if (m_pFrame && m_hAccel && TranslateAcceleratorA(m_pFrame->GetHandle(), m_hAccel, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_fRunning = false;
    return static_cast<int>(msg.wParam);
}

bool CDocApp::SaveAllModified() {
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* pDocument : documents) {
        if (std::find(m_documents.begin(), m_documents.end(), pDocument) != m_documents.end() &&
            !pDocument->SaveModified())
            return false;
    }
    return true;
}

void CDocApp::CloseAllDocuments() {
    const std::vector<CDocument*> documents = m_documents;
    for (CDocument* pDocument : documents) {
        if (std::find(m_documents.begin(), m_documents.end(), pDocument) != m_documents.end())
            pDocument->Close();
    }
}

bool DOCVIEW_GetFileName(const DOCVIEW_FILEDIALOG& dialog, bool fSave, std::string& path) {
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

// ---- Dialog colours: every dialog-class window made on the thread is subclassed as it is created, so its
// own background, static texts and buttons take the colours.

namespace {

HHOOK s_hColourHook = nullptr;
COLORREF s_crBackground = 0;
COLORREF s_crText = 0;
CBrush s_background;
const char COLOUR_PROP[] = "DocviewColourProc";
const ATOM DIALOG_CLASS_ATOM = 32770;

LRESULT CALLBACK ColourProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto pfnOriginal = reinterpret_cast<WNDPROC>(GetPropA(hWnd, COLOUR_PROP));
    if (!pfnOriginal)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOriginal));
        RemovePropA(hWnd, COLOUR_PROP);
        return CallWindowProcA(pfnOriginal, hWnd, uMsg, wParam, lParam);
    }
    const LRESULT lResult = CallWindowProcA(pfnOriginal, hWnd, uMsg, wParam, lParam);
    switch (uMsg) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Only where the dialog left the system's choice.
            if (s_background &&
                (lResult == 0 || reinterpret_cast<HBRUSH>(lResult) == GetSysColorBrush(COLOR_BTNFACE))) {
                SetTextColor(reinterpret_cast<HDC>(wParam), s_crText);
                SetBkColor(reinterpret_cast<HDC>(wParam), s_crBackground);
                return reinterpret_cast<LRESULT>(s_background.Get());
            }
            return lResult;
        default:
            return lResult;
    }
}

LRESULT CALLBACK ColourHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        const auto* pCreate = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const bool fDialog = IS_INTRESOURCE(pCreate->lpszClass)
                                 ? LOWORD(reinterpret_cast<UINT_PTR>(pCreate->lpszClass)) == DIALOG_CLASS_ATOM
                                 : lstrcmpA(pCreate->lpszClass, "#32770") == 0;
        if (fDialog && !GetPropA(hWnd, COLOUR_PROP)) {
            const LONG_PTR pfnOriginal = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
            SetPropA(hWnd, COLOUR_PROP, reinterpret_cast<HANDLE>(pfnOriginal));
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColourProc));
        }
    }
    return CallNextHookEx(s_hColourHook, nCode, wParam, lParam);
}

}  // namespace

void DOCVIEW_SetDialogColors(COLORREF crBackground, COLORREF crText) {
    DOCVIEW_ResetDialogColors();
    s_crBackground = crBackground;
    s_crText = crText;
    s_background.Reset(CreateSolidBrush(crBackground));
    s_hColourHook = SetWindowsHookExA(WH_CBT, ColourHook, nullptr, GetCurrentThreadId());
    MFX_VERIFY(s_hColourHook);
}

// The brush stays while windows made under the hook may still ask for it; it is freed with the next setting.
void DOCVIEW_ResetDialogColors() {
    if (s_hColourHook)
        UnhookWindowsHookEx(s_hColourHook);
    s_hColourHook = nullptr;
}
