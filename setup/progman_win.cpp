#include "setup/progman_win.h"

#include <commctrl.h>

#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PROGMAN");

namespace {

const UINT_PTR PROGMAN_SUBCLASS = 0x5047;  // "PG"

// One conversation with the Program Manager: the service's string handle, the connection, and both released at
// the end of the scope.
class CConversation {
public:
    explicit CConversation(DWORD idInst) : m_idInst(idInst) {
        m_hszProgMan = DdeCreateStringHandleA(idInst, PROGMAN_SERVICE, CP_WINANSI);
        if (m_hszProgMan)
            m_hConv = DdeConnect(idInst, m_hszProgMan, m_hszProgMan, nullptr);
    }
    ~CConversation() {
        if (m_hConv)
            DdeDisconnect(m_hConv);
        if (m_hszProgMan)
            DdeFreeStringHandle(m_idInst, m_hszProgMan);
    }
    CConversation(const CConversation&) = delete;
    CConversation& operator=(const CConversation&) = delete;
    HCONV Handle() const { return m_hConv; }

private:
    DWORD m_idInst;
    HSZ m_hszProgMan = nullptr;
    HCONV m_hConv = nullptr;
};

}  // namespace

CProgMan::~CProgMan() {
    Release();
}

// A client only: the library then never calls back with server transactions, and the callback answers nothing.
bool CProgMan::Initialize(HWND hWnd) {
    MFX_PRE(!m_idInst && IsWindow(hWnd));
    DWORD idInst = 0;
    if (DdeInitializeA(&idInst, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    bool fOk;
    MFX_VERIFY(fOk = SetWindowSubclass(hWnd, WindowSubclass, PROGMAN_SUBCLASS, reinterpret_cast<DWORD_PTR>(this)));
    if (!fOk) {
        DdeUninitialize(idInst);
        return false;
    }
    m_idInst = idInst;
    m_hWnd = hWnd;
    return true;
}

void CProgMan::Release() {
    if (m_hWnd)
        RemoveWindowSubclass(m_hWnd, WindowSubclass, PROGMAN_SUBCLASS);
    m_hWnd = nullptr;
    if (m_idInst)
        DdeUninitialize(m_idInst);
    m_idInst = 0;
}

HDDEDATA CALLBACK CProgMan::DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

LRESULT CALLBACK
CProgMan::WindowSubclass(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR dwRefData) {
    if (uMsg == WM_CLOSE || uMsg == WM_DESTROY)
        reinterpret_cast<CProgMan*>(dwRefData)->Release();
    return DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

// The length sent includes the terminating zero, as the Program Manager reads the command as one string.
bool CProgMan::SendShellCommand(const char* szCommand) {
    MFX_PRE(szCommand);
    if (!m_idInst)
        return false;
    CConversation conversation(m_idInst);
    if (!conversation.Handle())
        return false;
    const DWORD cb = static_cast<DWORD>(strlen(szCommand) + 1);
    return DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(szCommand)), cb, conversation.Handle(),
                                nullptr, CF_TEXT, XTYP_EXECUTE, PROGMAN_TIMEOUT, nullptr) != nullptr;
}

bool CProgMan::Request(DWORD idInst, HCONV hConv, const char* szItem, std::string* pText, bool* pfTimedOut) {
    *pfTimedOut = false;
    const HSZ hszItem = DdeCreateStringHandleA(idInst, szItem, CP_WINANSI);
    if (!hszItem)
        return false;
    const HDDEDATA hData =
        DdeClientTransaction(nullptr, 0, hConv, hszItem, CF_TEXT, XTYP_REQUEST, PROGMAN_TIMEOUT, nullptr);
    if (!hData)
        *pfTimedOut = DdeGetLastError(idInst) == DMLERR_DATAACKTIMEOUT;
    DdeFreeStringHandle(idInst, hszItem);
    if (!hData)
        return false;
    if (pText) {
        const DWORD cb = DdeGetData(hData, nullptr, 0, 0);
        std::string text(cb, '\0');
        if (cb)
            DdeGetData(hData, reinterpret_cast<BYTE*>(&text[0]), cb, 0);
        text.resize(strnlen(text.c_str(), text.size()));
        *pText = text;
    }
    DdeFreeDataHandle(hData);
    return true;
}

// Windows' Program Manager answers a request for a group with the group's contents, and the request "Groups"
// with every group's name. Some shells answer only the second (Wine's returns no data for a group), so a group
// that the first request does not find is also looked up in the list: a group the user already had must never
// be taken for one that setup created, or the uninstaller would delete it with all its items.
bool CProgMan::GroupExists(const char* szGroup) {
    MFX_PRE(szGroup);
    if (!m_idInst || !szGroup[0] || strlen(szGroup) >= static_cast<size_t>(PROGMAN_MAXNAME))
        return false;
    CConversation conversation(m_idInst);
    if (!conversation.Handle())
        return false;
    bool fTimedOut = false;
    if (Request(m_idInst, conversation.Handle(), szGroup, nullptr, &fTimedOut))
        return true;
    if (fTimedOut)
        return false;
    std::string groups;
    return Request(m_idInst, conversation.Handle(), PROGMAN_GROUPS_ITEM, &groups, &fTimedOut) &&
           PROGMAN_GroupsListHolds(groups.c_str(), szGroup);
}

bool CProgMan::Command(PROGMAN_COMMAND command, const char* szFirst, const char* szSecond) {
    std::string text;
    if (!PROGMAN_FormatCommand(command, szFirst, szSecond, &text))
        return false;
    const char* szCommand = text.c_str();
    bool fOk;
    MFX_VERIFY(fOk = SendShellCommand(szCommand));
    return fOk;
}

bool CProgMan::CreateGroup(const char* szGroup) {
    return Command(PROGMAN_CREATEGROUP, szGroup, nullptr);
}

bool CProgMan::ShowGroup(const char* szGroup) {
    return Command(PROGMAN_SHOWGROUP, szGroup, nullptr);
}

bool CProgMan::AddItem(const char* szCmdLine, const char* szTitle) {
    return Command(PROGMAN_ADDITEM, szCmdLine, szTitle);
}

bool CProgMan::DeleteItem(const char* szTitle) {
    return Command(PROGMAN_DELETEITEM, szTitle, nullptr);
}

bool CProgMan::DeleteGroup(const char* szGroup) {
    return Command(PROGMAN_DELETEGROUP, szGroup, nullptr);
}
