#include "toolkit/docframe/docview_win.h"

#include <algorithm>
#include <cstring>

#include "toolkit/docframe/docapp_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("DOCVIEW");

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
