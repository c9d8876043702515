#include "testing/testsupport/uidriver_win.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

const int IDC_MESSAGEBOX_TEXT = 0xFFFF;  // the static control that holds a message box's text
const DWORD POLL_MS = 10;
const DWORD EXPIRED_REPEAT_MS = 500;

struct DIALOGSEARCH {
    const char* szCaption;
    const char* szText;
    HWND hFound;
};

std::mutex s_classesLock;
std::vector<std::string> s_dialogClasses = {"#32770"};

bool IsDialogClass(HWND hWnd) {
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    std::lock_guard<std::mutex> lock(s_classesLock);
    for (const std::string& dialogClass : s_dialogClasses) {
        if (lstrcmpiA(szClass, dialogClass.c_str()) == 0)
            return true;
    }
    return false;
}

DWORD s_dwDriven = 0;  // the process whose windows the waits look at; 0 for this one

bool IsDialogOfThisProcess(HWND hWnd) {
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    return dwProcess == (s_dwDriven ? s_dwDriven : GetCurrentProcessId()) && IsWindowVisible(hWnd) &&
           IsDialogClass(hWnd);
}

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<DIALOGSEARCH*>(lParam);
    if (!IsDialogOfThisProcess(hWnd))
        return TRUE;
    if (pSearch->szCaption && UIDRIVER_GetText(hWnd) != pSearch->szCaption)
        return TRUE;
    if (pSearch->szText && UIDRIVER_GetItemText(hWnd, IDC_MESSAGEBOX_TEXT) != pSearch->szText)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

HWND WaitForMatch(const char* szCaption, const char* szText, DWORD msTimeout) {
    HWND hFound = nullptr;
    UIDRIVER_WaitUntil(
        [&] {
            DIALOGSEARCH search = {szCaption, szText, nullptr};
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            hFound = search.hFound;
            return hFound != nullptr;
        },
        msTimeout);
    return hFound;
}

// The message box's icon: the one static control of the icon style among its children.
BOOL CALLBACK FindIcon(HWND hWnd, LPARAM lParam) {
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Static") != 0 || (GetWindowLongPtrA(hWnd, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    DWORD_PTR dwIcon = 0;
    SendMessageTimeoutA(hWnd, STM_GETICON, 0, 0, SMTO_NORMAL, UIDRIVER_TIMEOUT, &dwIcon);
    *reinterpret_cast<HICON*>(lParam) = reinterpret_cast<HICON>(dwIcon);
    return FALSE;
}

// The style a message box was shown with, read back from its buttons, its icon and its default button.
UINT StyleOf(HWND hBox) {
    static const struct {
        UINT uType;
        int aidButtons[3];
    } types[] = {
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO, 0}},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL, 0}},
        {MB_OKCANCEL, {IDOK, IDCANCEL, 0}},
        {MB_OK, {IDOK, 0, 0}},
    };
    static const struct {
        UINT uIcon;
        LPCSTR szIcon;
    } icons[] = {
        {MB_ICONHAND, IDI_HAND},
        {MB_ICONQUESTION, IDI_QUESTION},
        {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
        {MB_ICONASTERISK, IDI_ASTERISK},
    };
    UINT uStyle = 0;
    for (const auto& type : types) {
        if (!GetDlgItem(hBox, type.aidButtons[0]) || (type.aidButtons[1] && !GetDlgItem(hBox, type.aidButtons[1])) ||
            (type.aidButtons[2] && !GetDlgItem(hBox, type.aidButtons[2])))
            continue;
        uStyle |= type.uType;
        // The default button is the one drawn as the default push button.
        for (int i = 0; i < 3; i++) {
            const HWND hButton = type.aidButtons[i] ? GetDlgItem(hBox, type.aidButtons[i]) : nullptr;
            if (hButton && (GetWindowLongPtrA(hButton, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                uStyle |= i * MB_DEFBUTTON2;
        }
        break;
    }
    HICON hIcon = nullptr;
    EnumChildWindows(hBox, FindIcon, reinterpret_cast<LPARAM>(&hIcon));
    for (const auto& icon : icons)
        if (hIcon && hIcon == LoadIconA(nullptr, icon.szIcon))
            uStyle |= icon.uIcon;
    return uStyle;
}

}  // namespace

void UIDRIVER_DriveProcess(DWORD dwProcessId) {
    s_dwDriven = dwProcessId;
}

HWND UIDRIVER_WaitForDialog(const char* szCaption, DWORD msTimeout) {
    return WaitForMatch(szCaption, nullptr, msTimeout);
}

HWND UIDRIVER_WaitForMessageBox(const char* szText, DWORD msTimeout) {
    return WaitForMatch(nullptr, szText, msTimeout);
}

HWND UIDRIVER_FindOwnWindow(const char* szClass, const char* szTitle, HWND hAfter) {
    HWND hWnd = hAfter;
    while ((hWnd = FindWindowExA(nullptr, hWnd, szClass, szTitle)) != nullptr) {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hWnd, &dwProcess);
        if (dwProcess == GetCurrentProcessId())
            return hWnd;
    }
    return nullptr;
}

std::string UIDRIVER_GetText(HWND hWnd) {
    // A window of another thread answers WM_GETTEXT only while its thread takes messages: bounded.
    DWORD_PTR cchText = 0;
    if (!hWnd || !SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, UIDRIVER_TIMEOUT, &cchText))
        return "";
    std::vector<char> text(cchText + 1);
    DWORD_PTR cchCopied = 0;
    SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        UIDRIVER_TIMEOUT, &cchCopied);
    return std::string(text.data(), cchCopied < text.size() ? cchCopied : 0);
}

std::string UIDRIVER_GetItemText(HWND hDlg, int idItem) {
    return UIDRIVER_GetText(GetDlgItem(hDlg, idItem));
}

bool UIDRIVER_IsItemEnabled(HWND hDlg, int idItem) {
    const HWND hItem = GetDlgItem(hDlg, idItem);
    return hItem && IsWindowEnabled(hItem);
}

bool UIDRIVER_PressButton(HWND hDlg, int idButton) {
    const HWND hButton = GetDlgItem(hDlg, idButton);
    if (!hButton || !IsWindowEnabled(hButton) || !IsWindowVisible(hButton))
        return false;
    return PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(idButton, BN_CLICKED), reinterpret_cast<LPARAM>(hButton)) != 0;
}

bool UIDRIVER_WaitUntil(const std::function<bool()>& fnDone, DWORD msTimeout) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        if (fnDone())
            return true;
        if (GetTickCount() - dwStart >= msTimeout)
            return false;
        Sleep(POLL_MS);
    }
}

bool UIDRIVER_PumpUntil(const std::function<bool()>& fnDone, DWORD msTimeout) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (fnDone())
            return true;
        const DWORD msPassed = GetTickCount() - dwStart;
        if (msPassed >= msTimeout)
            return false;
        const DWORD msLeft = msTimeout - msPassed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, msLeft < POLL_MS ? msLeft : POLL_MS, QS_ALLINPUT);
    }
}

bool UIDRIVER_WaitForItemText(HWND hDlg, int idItem, const std::string& text, DWORD msTimeout) {
    return UIDRIVER_WaitUntil([&] { return UIDRIVER_GetItemText(hDlg, idItem) == text; }, msTimeout);
}

bool UIDRIVER_WaitForItemEnabled(HWND hDlg, int idItem, bool fEnabled, DWORD msTimeout) {
    return UIDRIVER_WaitUntil([&] { return UIDRIVER_IsItemEnabled(hDlg, idItem) == fEnabled; }, msTimeout);
}

CBoxAnswer::CBoxAnswer(int idButton, DWORD msTimeout, const char* szText)
    : m_thread(&CBoxAnswer::Run, this, idButton, msTimeout, std::string(szText ? szText : ""), szText == nullptr) {}

CBoxAnswer::~CBoxAnswer() {
    Wait();
}

bool CBoxAnswer::Wait() {
    if (m_thread.joinable())
        m_thread.join();
    return m_fAnswered;
}

void CBoxAnswer::Run(int idButton, DWORD msTimeout, std::string text, bool fAnyText) {
    const HWND hBox =
        fAnyText ? UIDRIVER_WaitForDialog(nullptr, msTimeout) : UIDRIVER_WaitForMessageBox(text.c_str(), msTimeout);
    if (!hBox)
        return;
    m_caption = UIDRIVER_GetText(hBox);
    m_text = UIDRIVER_GetItemText(hBox, IDC_MESSAGEBOX_TEXT);
    m_uStyle = StyleOf(hBox);
    m_fAnswered = UIDRIVER_PressButton(hBox, idButton);
}

namespace {

CModalTimeout* s_pTimeout = nullptr;  // the one guard of the process; its timer has no window to carry it

BOOL CALLBACK EndDialogOfThread(HWND hWnd, LPARAM lParam) {
    if (IsDialogClass(hWnd))
        EndDialog(hWnd, IDCANCEL);
    return TRUE;
}

}  // namespace

CModalTimeout::CModalTimeout(DWORD msTimeout) : m_idTimer(SetTimer(nullptr, 0, msTimeout, OnTimer)) {
    s_pTimeout = this;
}

CModalTimeout::~CModalTimeout() {
    KillTimer(nullptr, m_idTimer);
    s_pTimeout = nullptr;
}

void CALLBACK CModalTimeout::OnTimer(HWND hWnd, UINT uMsg, UINT_PTR idTimer, DWORD dwTime) {
    if (!s_pTimeout || s_pTimeout->m_idTimer != idTimer)
        return;
    s_pTimeout->m_fExpired = true;
    SetTimer(nullptr, idTimer, EXPIRED_REPEAT_MS, OnTimer);
    EnumThreadWindows(GetCurrentThreadId(), EndDialogOfThread, 0);
}

void UIDRIVER_Pose(const char* szName, bool fPump) {
    char szFolder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("MFX_SCREENSHOTS", szFolder, sizeof(szFolder)))
        return;
    const std::string base = std::string(szFolder) + "\\" + szName;
    HANDLE hReady = CreateFileA((base + ".ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hReady != INVALID_HANDLE_VALUE)
        CloseHandle(hReady);
    const std::string taken = base + ".taken";
    const auto fnTaken = [&] { return GetFileAttributesA(taken.c_str()) != INVALID_FILE_ATTRIBUTES; };
    const DWORD msPose = 60000;
    if (fPump)
        UIDRIVER_PumpUntil(fnTaken, msPose);
    else
        UIDRIVER_WaitUntil(fnTaken, msPose);
}

void UIDRIVER_AddDialogClass(const char* szClass) {
    std::lock_guard<std::mutex> lock(s_classesLock);
    s_dialogClasses.emplace_back(szClass);
}
