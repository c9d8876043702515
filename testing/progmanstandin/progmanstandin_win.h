// A Program Manager of ours for tests: a DDE server for service and topic "PROGMAN" on a thread of its own that
// records every execute string and request it receives and keeps a list of groups, so that tests can assert the
// exact commands.
//
// It answers as Windows' Program Manager does: CreateGroup adds a group (and shows it), ShowGroup accepts a known
// group, AddItem and DeleteItem need a group made active by CreateGroup or ShowGroup, DeleteGroup removes one;
// a request for a group's name answers with its items, the request "Groups" with every group's name, one per
// line. Modes make it behave as other shells do (no answer to a group's name, no items) or hang (no answer at all, so
// every transaction runs into its time-out).
//
// Wine's desktop process serves "PROGMAN" as well. A client's connect asks the top-level windows in their
// stacking order and takes the first server that answers; the stand-in's server window is newer and so comes
// first, and the shell's own server never sees a test's commands.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CProgManStandIn {
public:
    enum MODE {
        MODE_PROGMAN,      // as Windows' Program Manager
        MODE_NOGROUPDATA,  // a request for a group's name returns no data, "Groups" still answers
        MODE_HUNG,         // accepts conversations and never answers a transaction
        MODE_NOITEMS,      // refuses every AddItem, as a shell does for a program it cannot find
    };

    // Starts the server with the groups that exist already; Started() tells whether it runs.
    explicit CProgManStandIn(MODE mode = MODE_PROGMAN, std::vector<std::string> groups = {});
    ~CProgManStandIn();
    CProgManStandIn(const CProgManStandIn&) = delete;
    CProgManStandIn& operator=(const CProgManStandIn&) = delete;

    bool Started() const { return m_fStarted; }
    // Every execute string received, in order, and every request's item name.
    std::vector<std::string> Commands() const;
    std::vector<std::string> Requests() const;
    // The groups as they stand, and the items of one ("title=command line").
    std::vector<std::string> Groups() const;
    std::vector<std::string> Items(const std::string& group) const;
    // Conversations that were opened.
    int Connections() const;

private:
    struct GROUP {
        std::string name;
        std::vector<std::string> items;
    };
    void Run(HANDLE hReady);
    HDDEDATA OnTransaction(UINT uType, HCONV hConv, HSZ hsz1, HSZ hsz2, HDDEDATA hData);
    bool Execute(const std::string& command);
    GROUP* FindGroup(const std::string& name);
    static HDDEDATA CALLBACK Callback(UINT uType,
                                      UINT uFmt,
                                      HCONV hConv,
                                      HSZ hsz1,
                                      HSZ hsz2,
                                      HDDEDATA hData,
                                      ULONG_PTR dwData1,
                                      ULONG_PTR dwData2);

    MODE m_mode;
    mutable std::mutex m_mutex;
    std::vector<GROUP> m_groups;
    std::string m_active;  // the group that AddItem and DeleteItem work on
    std::vector<std::string> m_commands;
    std::vector<std::string> m_requests;
    int m_nConnections = 0;
    DWORD m_idInst = 0;
    HSZ m_hszProgMan = nullptr;
    DWORD m_idThread = 0;
    bool m_fStarted = false;
    std::thread m_thread;
};
