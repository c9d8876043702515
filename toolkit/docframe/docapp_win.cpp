#include "toolkit/docframe/docapp_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "toolkit/filedlg_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("DOCAPP");

namespace {

const char FRAME_CLASS[] = "MfxMDIFrame";
const char CHILD_CLASS[] = "MfxMDIChild";
const char VIEW_CLASS[] = "MfxView";
const UINT IDW_PANE_FIRST = 0xE900;

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

bool SetRegistryText(const std::string& key, const std::string& value) {
    return MFX_VERIFY(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                                   static_cast<DWORD>(value.size())) == ERROR_SUCCESS);
}

std::string RecentKey(int i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

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
        PostMessageA(m_pFrame->GetHandle(), MDIFRAME_WM_UPDATEMENU, 0, 0);
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
    if (nRecent >= 0 && nRecent < DOCAPP_MRU_SIZE) {
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
    FILEDLG dialog;
    dialog.hOwner = m_pFrame->GetHandle();
    dialog.szFilter = filter.c_str();
    dialog.dwFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    std::string path;
    if (FILEDLG_GetFileName(dialog, false, path))
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
    for (int i = 0; i < DOCAPP_MRU_SIZE; ++i) {
        PATHNAME szPath = "";
        GetPrivateProfileStringA(DOCAPP_MRU_SECTION, RecentKey(i).c_str(), "", szPath, sizeof(szPath),
                                 profile.c_str());
        if (szPath[0])
            m_recent.push_back(szPath);
    }
}

void CDocApp::SaveRecentFileList() const {
    const std::string profile = m_appName + ".INI";
    for (int i = 0; i < DOCAPP_MRU_SIZE; ++i) {
        WritePrivateProfileStringA(DOCAPP_MRU_SECTION, RecentKey(i).c_str(),
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
    if (m_recent.size() > DOCAPP_MRU_SIZE)
        m_recent.resize(DOCAPP_MRU_SIZE);
    SaveRecentFileList();
}

// The recent files take the place of the first recent-file item of a menu that has one: "&1 name" and so on,
// or the grey "Recent File" while the list is empty.
void CDocApp::UpdateRecentMenu(HMENU hMenu) const {
    int nFirst = -1;
    for (int i = GetMenuItemCount(hMenu) - 1; i >= 0; --i) {
        const UINT id = GetMenuItemID(hMenu, i);
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + DOCAPP_MRU_SIZE) {
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
