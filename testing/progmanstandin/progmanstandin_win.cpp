#include "testing/progmanstandin/progmanstandin_win.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The DDE library's callback has no user value; one stand-in runs at a time.
CProgManStandIn* s_pRunning = nullptr;

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toupper(static_cast<unsigned char>(x)) == toupper(static_cast<unsigned char>(y));
           });
}

// "[Name(a,b)]" split into the name and its arguments; commas inside double quotes belong to the argument.
bool ParseCommand(const std::string& command, std::string* pName, std::vector<std::string>* pArgs) {
    const size_t open = command.find('(');
    if (command.size() < 4 || command[0] != '[' || command.compare(command.size() - 2, 2, ")]") != 0 ||
        open == std::string::npos)
        return false;
    *pName = command.substr(1, open - 1);
    pArgs->assign(1, std::string());
    bool fQuoted = false;
    for (size_t i = open + 1; i < command.size() - 2; ++i) {
        const char ch = command[i];
        if (ch == '"')
            fQuoted = !fQuoted;
        if (ch == ',' && !fQuoted)
            pArgs->emplace_back();
        else
            pArgs->back() += ch;
    }
    return true;
}

std::string QueryString(DWORD idInst, HSZ hsz) {
    char szText[1024] = "";
    DdeQueryStringA(idInst, hsz, szText, sizeof(szText), CP_WINANSI);
    return szText;
}

}  // namespace

CProgManStandIn::CProgManStandIn(MODE mode, std::vector<std::string> groups) : m_mode(mode) {
    for (std::string& name : groups)
        m_groups.push_back(GROUP{std::move(name), {}});
    const HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    s_pRunning = this;
    m_thread = std::thread(&CProgManStandIn::Run, this, hReady);
    WaitForSingleObject(hReady, 5000);
    CloseHandle(hReady);
}

CProgManStandIn::~CProgManStandIn() {
    if (m_thread.joinable()) {
        while (!m_idThread)
            Sleep(1);
        PostThreadMessageA(m_idThread, WM_QUIT, 0, 0);
        m_thread.join();
    }
    s_pRunning = nullptr;
}

void CProgManStandIn::Run(HANDLE hReady) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
    m_idThread = GetCurrentThreadId();
    if (DdeInitializeA(&m_idInst, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0) ==
        DMLERR_NO_ERROR) {
        m_hszProgMan = DdeCreateStringHandleA(m_idInst, "PROGMAN", CP_WINANSI);
        m_fStarted = m_hszProgMan && DdeNameService(m_idInst, m_hszProgMan, nullptr, DNS_REGISTER);
    }
    SetEvent(hReady);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (m_idInst) {
        if (m_fStarted)
            DdeNameService(m_idInst, m_hszProgMan, nullptr, DNS_UNREGISTER);
        if (m_hszProgMan)
            DdeFreeStringHandle(m_idInst, m_hszProgMan);
        DdeUninitialize(m_idInst);
    }
}

HDDEDATA CALLBACK
CProgManStandIn::Callback(UINT uType, UINT, HCONV hConv, HSZ hsz1, HSZ hsz2, HDDEDATA hData, ULONG_PTR, ULONG_PTR) {
    return s_pRunning ? s_pRunning->OnTransaction(uType, hConv, hsz1, hsz2, hData) : nullptr;
}

HDDEDATA CProgManStandIn::OnTransaction(UINT uType, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA hData) {
    switch (uType) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(DdeCmpStringHandles(hsz1, m_hszProgMan) == 0));
        case XTYP_CONNECT_CONFIRM: {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_nConnections;
            return nullptr;
        }
        case XTYP_EXECUTE: {
            const DWORD cb = DdeGetData(hData, nullptr, 0, 0);
            std::string command(cb, '\0');
            if (cb)
                DdeGetData(hData, reinterpret_cast<BYTE*>(&command[0]), cb, 0);
            command.resize(strnlen(command.c_str(), command.size()));
            std::lock_guard<std::mutex> lock(m_mutex);
            m_commands.push_back(command);
            if (m_mode == MODE_HUNG)
                return CBR_BLOCK;
            return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(Execute(command) ? DDE_FACK : DDE_FNOTPROCESSED));
        }
        case XTYP_REQUEST: {
            const std::string item = QueryString(m_idInst, hsz2);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(item);
            if (m_mode == MODE_HUNG)
                return CBR_BLOCK;
            std::string answer;
            if (EqualIgnoringCase(item, "Groups")) {
                for (const GROUP& group : m_groups)
                    answer += group.name + "\r\n";
            } else if (const GROUP* pGroup = FindGroup(item)) {
                if (m_mode == MODE_NOGROUPDATA)
                    return nullptr;
                answer = pGroup->name + "\r\n";
                for (const std::string& entry : pGroup->items)
                    answer += entry + "\r\n";
            } else {
                return nullptr;
            }
            return DdeCreateDataHandle(m_idInst, reinterpret_cast<BYTE*>(&answer[0]),
                                       static_cast<DWORD>(answer.size() + 1), 0, hsz2, CF_TEXT, 0);
        }
        default:
            return nullptr;
    }
}

// The Program Manager's rules: CreateGroup makes a group or activates the one of that name, ShowGroup activates
// an existing one, items go to and come from the active group.
bool CProgManStandIn::Execute(const std::string& command) {
    std::string name;
    std::vector<std::string> args;
    if (!ParseCommand(command, &name, &args))
        return false;
    if (name == "CreateGroup") {
        if (!FindGroup(args[0]))
            m_groups.push_back(GROUP{args[0], {}});
        m_active = args[0];
        return true;
    }
    if (name == "ShowGroup") {
        if (!FindGroup(args[0]))
            return false;
        m_active = args[0];
        return true;
    }
    GROUP* pActive = FindGroup(m_active);
    if (name == "AddItem" && args.size() >= 2 && pActive && m_mode != MODE_NOITEMS) {
        pActive->items.push_back(args[1] + "=" + args[0]);
        return true;
    }
    if (name == "DeleteItem" && pActive) {
        auto& items = pActive->items;
        auto it = std::find_if(items.begin(), items.end(), [&](const std::string& entry) {
            return entry.compare(0, args[0].size() + 1, args[0] + "=") == 0;
        });
        if (it == items.end())
            return false;
        items.erase(it);
        return true;
    }
    if (name == "DeleteGroup") {
        auto it = std::find_if(m_groups.begin(), m_groups.end(),
                               [&](const GROUP& group) { return EqualIgnoringCase(group.name, args[0]); });
        if (it == m_groups.end())
            return false;
        m_groups.erase(it);
        return true;
    }
    return false;
}

CProgManStandIn::GROUP* CProgManStandIn::FindGroup(const std::string& name) {
    for (GROUP& group : m_groups)
        if (EqualIgnoringCase(group.name, name))
            return &group;
    return nullptr;
}

std::vector<std::string> CProgManStandIn::Commands() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

std::vector<std::string> CProgManStandIn::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::vector<std::string> CProgManStandIn::Groups() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> names;
    for (const GROUP& group : m_groups)
        names.push_back(group.name);
    return names;
}

std::vector<std::string> CProgManStandIn::Items(const std::string& group) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const GROUP& entry : m_groups)
        if (EqualIgnoringCase(entry.name, group))
            return entry.items;
    return {};
}

int CProgManStandIn::Connections() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nConnections;
}
