#include "toolkit/window_win.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("WINDOW");

namespace {

// The one lookup from a window to its object. A map of our own rather than the window's user data or a
// property: it clobbers nothing that the window class or other code may use, and costs no call into the
// window system.
std::mutex s_mapLock;
std::unordered_map<HWND, CWindow*> s_map;

// The object whose window is being created on this thread; the window's first message binds it.
thread_local CWindow* s_pPending = nullptr;

PATHNAME s_szAppTitle = "";

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT uMsg) {
    switch (uMsg) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

// n moved into first..last; first wins when the range is empty (a window larger than the work area).
int Within(int n, int nFirst, int nLast) {
    if (n > nLast)
        n = nLast;
    return n < nFirst ? nFirst : n;
}

}  // namespace

CWindow::~CWindow() {
    if (!m_hWnd)
        return;
    // Unbound first, so that the messages of the destruction no longer reach an object that is half gone.
    const HWND hWnd = m_hWnd;
    const bool fBorrowed = m_pfnSuper != nullptr;
    Unbind();
    if (!fBorrowed)
        DestroyWindow(hWnd);
}

CWindow* CWindow::FromHandle(HWND hWnd) {
    std::lock_guard<std::mutex> lock(s_mapLock);
    const auto it = s_map.find(hWnd);
    return it == s_map.end() ? nullptr : it->second;
}

CWindow* CWindow::ObjectOf(HWND hWnd) {
    if (CWindow* pWindow = FromHandle(hWnd))
        return pWindow;
    CWindow* pPending = s_pPending;
    if (!pPending)
        return nullptr;
    s_pPending = nullptr;
    pPending->Bind(hWnd);
    return pPending;
}

void CWindow::SetPending(CWindow* pWindow) {
    s_pPending = pWindow;
}

void CWindow::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    std::lock_guard<std::mutex> lock(s_mapLock);
    s_map[hWnd] = this;
}

void CWindow::Unbind() {
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == WindowProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    {
        std::lock_guard<std::mutex> lock(s_mapLock);
        s_map.erase(m_hWnd);
    }
    m_hWnd = nullptr;
}

bool CWindow::RegisterWindowClass(WNDCLASSEXA wc) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    return MFX_VERIFY(RegisterClassExA(&wc) != 0);
}

bool CWindow::Create(DWORD dwExStyle, const char* szClass, const char* szTitle, DWORD dwStyle, const RECT& rc,
                     HWND hParent, HMENU hMenuOrId, HINSTANCE hInstance) {
    MFX_PRE(!m_hWnd);
    SetPending(this);
    const HWND hWnd = CreateWindowExA(dwExStyle, szClass, szTitle, dwStyle, rc.left, rc.top, rc.right - rc.left,
                                      rc.bottom - rc.top, hParent, hMenuOrId, hInstance, nullptr);
    SetPending(nullptr);
    // A class not registered through this layer never binds; its window is not ours to keep.
    if (hWnd && m_hWnd != hWnd) {
        DestroyWindow(hWnd);
        return MFX_VERIFY(m_hWnd == hWnd);
    }
    return MFX_VERIFY(hWnd != nullptr);
}

bool CWindow::Subclass(HWND hWnd) {
    MFX_PRE(!m_hWnd && IsWindow(hWnd) && !FromHandle(hWnd));
    Bind(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    return true;
}

bool CWindow::Unsubclass() {
    MFX_PRE(m_hWnd && m_pfnSuper);
    const bool fOurs = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == WindowProc;
    Unbind();
    m_pfnSuper = nullptr;
    return fOurs;
}

void CWindow::Destroy() {
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWindow = ObjectOf(hWnd);
    if (!pWindow)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    LRESULT lResult = 0;
    if (!pWindow->OnMessage(uMsg, wParam, lParam, lResult))
        lResult = pWindow->DefaultProc(uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        pWindow->m_pfnSuper = nullptr;
        pWindow->Unbind();
        pWindow->OnFinalMessage();
    }
    return lResult;
}

LRESULT CWindow::DefaultProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, uMsg, wParam, lParam);
    return DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
}

bool CWindow::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            OnTimer(wParam);
            return true;
        case WM_DESTROY:
            OnDestroy();
            return false;
        default:
            return false;
    }
}

bool CWindow::OnCommand(int idItem, int nCode, HWND hControl) {
    return false;
}

void CWindow::OnTimer(UINT_PTR idTimer) {}

void CWindow::OnDestroy() {}

void CWindow::OnFinalMessage() {}

HWND CWindow::GetItem(int idItem) const {
    return GetDlgItem(m_hWnd, idItem);
}

std::string CWindow::GetItemText(int idItem) const {
    const HWND hItem = GetItem(idItem);
    std::vector<char> text(GetWindowTextLengthA(hItem) + 1);
    GetWindowTextA(hItem, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool CWindow::SetItemText(int idItem, const char* szText) {
    return SetDlgItemTextA(m_hWnd, idItem, szText) != 0;
}

void CWindow::EnableItem(int idItem, bool fEnable) {
    EnableWindow(GetItem(idItem), fEnable);
}

bool CWindow::IsItemEnabled(int idItem) const {
    const HWND hItem = GetItem(idItem);
    return hItem && IsWindowEnabled(hItem);
}

LRESULT CWindow::SendItemMessage(int idItem, UINT uMsg, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageA(m_hWnd, idItem, uMsg, wParam, lParam);
}

bool CWindow::SetTimer(UINT_PTR idTimer, UINT msElapse) {
    return ::SetTimer(m_hWnd, idTimer, msElapse, nullptr) != 0;
}

void CWindow::KillTimer(UINT_PTR idTimer) {
    ::KillTimer(m_hWnd, idTimer);
}

int CWindow::MessageBox(const char* szText, const char* szCaption, UINT uType) {
    return ::MessageBoxA(m_hWnd, szText, szCaption, uType);
}

void CWindow::CenterOver(HWND hOther) {
    WINDOW_CenterOver(m_hWnd, hOther);
}

void WINDOW_CenterOver(HWND hWnd, HWND hOther) {
    RECT rcOther;
    if (hOther && GetWindowRect(hOther, &rcOther)) {
        WINDOW_CenterAt(hWnd, (rcOther.left + rcOther.right) / 2, (rcOther.top + rcOther.bottom) / 2);
        return;
    }
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoA(MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    WINDOW_CenterAt(hWnd, (mi.rcWork.left + mi.rcWork.right) / 2, (mi.rcWork.top + mi.rcWork.bottom) / 2);
}

void WINDOW_CenterAt(HWND hWnd, int x, int y) {
    RECT rcWindow;
    GetWindowRect(hWnd, &rcWindow);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    const POINT pt = {x, y};
    GetMonitorInfoA(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT& rcWork = mi.rcWork;
    const int cx = rcWindow.right - rcWindow.left, cy = rcWindow.bottom - rcWindow.top;
    SetWindowPos(hWnd, nullptr, Within(x - cx / 2, rcWork.left, rcWork.right - cx),
                 Within(y - cy / 2, rcWork.top, rcWork.bottom - cy), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDialog::CDialog(HINSTANCE hInstance, int idTemplate, HWND hParent)
    : m_hInstance(hInstance), m_idTemplate(idTemplate), m_hParent(hParent) {}

INT_PTR CDialog::DoModal() {
    MFX_PRE(!m_hWnd);
    m_fModal = true;
    SetPending(this);
    const INT_PTR nResult = DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(m_idTemplate), m_hParent, DialogProc, 0);
    SetPending(nullptr);
    m_fModal = false;
    MFX_VERIFY(nResult != -1);
    return nResult;
}

bool CDialog::Create() {
    MFX_PRE(!m_hWnd);
    SetPending(this);
    const HWND hWnd = CreateDialogParamA(m_hInstance, MAKEINTRESOURCEA(m_idTemplate), m_hParent, DialogProc, 0);
    SetPending(nullptr);
    return MFX_VERIFY(hWnd != nullptr);
}

void CDialog::EndDialog(INT_PTR nResult) {
    if (!m_hWnd)
        return;
    if (m_fModal)
        ::EndDialog(m_hWnd, nResult);
    else
        DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWindow = ObjectOf(hWnd);
    if (!pWindow)
        return FALSE;
    LRESULT lResult = 0;
    const bool fHandled = pWindow->OnMessage(uMsg, wParam, lParam, lResult);
    if (uMsg == WM_NCDESTROY) {
        pWindow->Unbind();
        pWindow->OnFinalMessage();
        return FALSE;
    }
    if (!fHandled)
        return FALSE;
    if (ReturnsDirectly(uMsg))
        return lResult;
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}

bool CDialog::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    if (uMsg == WM_INITDIALOG) {
        lResult = OnInitDialog();
        return true;
    }
    return CWindow::OnMessage(uMsg, wParam, lParam, lResult);
}

bool CDialog::OnCommand(int idItem, int nCode, HWND hControl) {
    switch (idItem) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

bool CDialog::OnInitDialog() {
    return true;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

HINSTANCE WINDOW_GetInstance() {
    return static_cast<HINSTANCE>(MFX_GetModuleOf(reinterpret_cast<const void*>(&WINDOW_GetInstance)));
}

void WINDOW_SetAppTitle(const char* szTitle) {
    lstrcpynA(s_szAppTitle, szTitle, sizeof(s_szAppTitle));
}

const char* WINDOW_GetAppTitle() {
    if (!s_szAppTitle[0]) {
        PATHNAME szModule = "";
        GetModuleFileNameA(WINDOW_GetInstance(), szModule, sizeof(szModule));
        PATHNAME_GetJustName(szModule, s_szAppTitle);
        PATHNAME_RemoveExtension(s_szAppTitle);
    }
    return s_szAppTitle;
}

bool WINDOW_PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

bool WINDOW_TranslateDialogMessage(MSG* pMsg) {
    const HWND hRoot = GetAncestor(pMsg->hwnd, GA_ROOT);
    auto* pDialog = dynamic_cast<CDialog*>(CWindow::FromHandle(hRoot));
    return pDialog && IsDialogMessageA(hRoot, pMsg);
}
