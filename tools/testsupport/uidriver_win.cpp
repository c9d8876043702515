#include "tools/testsupport/uidriver_win.h"

namespace {

const int IDC_MESSAGEBOX_TEXT = 0xFFFF;  // the static control that holds a message box's text
const DWORD POLL_MS = 10;

struct DIALOGSEARCH {
    const char* szCaption;
    HWND hFound;
};

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<DIALOGSEARCH*>(lParam);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (dwProcess != GetCurrentProcessId() || !IsWindowVisible(hWnd) || lstrcmpA(szClass, "#32770") != 0)
        return TRUE;
    if (pSearch->szCaption) {
        char szText[256] = "";
        GetWindowTextA(hWnd, szText, sizeof(szText));
        if (lstrcmpA(szText, pSearch->szCaption) != 0)
            return TRUE;
    }
    pSearch->hFound = hWnd;
    return FALSE;
}

std::string WindowText(HWND hWnd) {
    char szText[2048] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    return szText;
}

}  // namespace

HWND UIDRIVER_WaitForDialog(const char* szCaption, DWORD msTimeout) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        DIALOGSEARCH search = {szCaption, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.hFound)
            return search.hFound;
        if (GetTickCount() - dwStart >= msTimeout)
            return nullptr;
        Sleep(POLL_MS);
    }
}

std::string UIDRIVER_GetItemText(HWND hDlg, int idItem) {
    return WindowText(GetDlgItem(hDlg, idItem));
}

void UIDRIVER_PressButton(HWND hDlg, int idButton) {
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(idButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, idButton)));
}

CBoxAnswer::CBoxAnswer(int idButton, DWORD msTimeout) : m_thread(&CBoxAnswer::Run, this, idButton, msTimeout) {}

CBoxAnswer::~CBoxAnswer() {
    Wait();
}

bool CBoxAnswer::Wait() {
    if (m_thread.joinable())
        m_thread.join();
    return m_fAnswered;
}

void CBoxAnswer::Run(int idButton, DWORD msTimeout) {
    HWND hBox = UIDRIVER_WaitForDialog(nullptr, msTimeout);
    if (!hBox)
        return;
    m_caption = WindowText(hBox);
    m_text = UIDRIVER_GetItemText(hBox, IDC_MESSAGEBOX_TEXT);
    UIDRIVER_PressButton(hBox, idButton);
    m_fAnswered = true;
}
