#include "uninstall/unrun_win.h"

#include <vector>

#include "setup/logfile_win.h"
#include "setup/progman_win.h"
#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/regkey_win.h"
#include "uninstall/unevents_win.h"
#include "uninstall/unstart.h"

MFX_SOURCE_MODULE("UNINSTALL");

namespace {

struct BUTTON {
    int id;
    const char* szAnswer;
};

// The buttons of a message box in their order, with the words a response file answers them by.
std::vector<BUTTON> Buttons(UINT uType) {
    switch (uType & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        case MB_YESNO:
            return {{IDYES, "Yes"}, {IDNO, "No"}};
        default:
            return {{IDOK, "OK"}};
    }
}

// Opens the key path of every registry entry of the list, from its last entry to its first, and gives the key
// and the entry's last part to fnRemove; entries of another form are skipped.
template <class REMOVE>
void ForEachEntryFromEnd(const CTextList& entries, bool fKeys, REMOVE fnRemove) {
    for (int n = entries.GetCount() - 1; n >= 0; --n) {
        UNRECORD_REGENTRY entry;
        if (!UNRECORD_SplitRegEntry(entries.GetAt(n), fKeys, &entry))
            continue;
        CRegistryKey key(CRegistryKey::RootKeyFromName(entry.root.c_str()));
        if (key.Open(entry.path.c_str()))
            fnRemove(key, entry.last.c_str());
    }
}

}  // namespace

CUnInstall::CUnInstall(HINSTANCE hInstance, const char* szProgram) : m_hInstance(hInstance) {
    PATHNAME_Assign(m_Program, szProgram);
}

int CUnInstall::Ask(HWND hOwner, const std::string& id, const std::string& text, UINT uType, int idDefault) {
    const std::vector<BUTTON> buttons = Buttons(uType);
    if (!m_Answers.m_fUnattended) {
        const int idButton = MessageBoxA(hOwner, text.c_str(), UNSTART_APPTITLE, uType);
        for (const BUTTON& button : buttons) {
            if (button.id == idButton)
                ANSWERS_Record(&m_Answers, id.c_str(), button.szAnswer);
        }
        return idButton;
    }
    int nDefault = 0;
    for (size_t n = 0; n < buttons.size(); ++n) {
        if (buttons[n].id == idDefault)
            nDefault = static_cast<int>(n);
    }
    const int nChoice = buttons.size() == 2 ? ANSWERS_Choose(&m_Answers, id.c_str(),
                                                             {buttons[0].szAnswer, buttons[1].szAnswer}, nDefault)
                                            : ANSWERS_Choose(&m_Answers, id.c_str(), {buttons[0].szAnswer}, 0);
    return buttons[static_cast<size_t>(nChoice)].id;
}

// The profile calls look for a name without a folder in the Windows folder, so the log is read by its full name.
bool CUnInstall::Read(const char* szLog) {
    PATHNAME szFull = "";
    const DWORD cch = GetFullPathNameA(szLog, sizeof(szFull), szFull, nullptr);
    MFX_PRE(cch > 0 && cch < sizeof(szFull));
    PATHNAME_Assign(m_LogFile, szFull);
    return LOGFILE_Read(this, m_LogFile);
}

int CUnInstall::Run(const char* szCommandLine) {
    MFX_PRE(szCommandLine);
    DIAG_TraceString("CUnInstall::Run ", "szCommandLine", szCommandLine);
    WINDOW_SetAppTitle(UNSTART_APPTITLE);
    UNSTART_COMMANDLINE line;
    const bool fLine = UNSTART_ParseCommandLine(szCommandLine, &line);
    if (!line.answers.empty() && !ANSWERS_Load(&m_Answers, line.answers.c_str())) {
        MFX_DebugPrintf("UNINSTALL: cannot read the answers of \"%s\"\n", line.answers.c_str());
        return UNRUN_NOTREMOVED;
    }
    if (!line.answerLog.empty() && !ANSWERS_SetLogFile(&m_Answers, line.answerLog.c_str()))
        return UNRUN_NOTREMOVED;
    if (!fLine || line.fHelp) {
        if (!m_Answers.m_fUnattended)
            MessageBoxA(nullptr, UNSTART_USAGE, UNSTART_APPTITLE, MB_OK | (fLine ? MB_ICONINFORMATION : MB_ICONERROR));
        return UNRUN_NOTREMOVED;
    }

    PATHNAME szLog = "";
    bool fAsk = false;
    UNSTART_ChooseLog(line.log.c_str(), m_Program, szLog, &fAsk);
    if (!szLog[0] || !PATHNAME_Exists(szLog)) {
        Ask(nullptr, UNSTART_ID_NOLOG, UNSTART_NOLOG, MB_OK | MB_ICONERROR, IDOK);
        return UNRUN_NOTREMOVED;
    }
    MFX_VERIFY(Read(szLog));
    if (fAsk &&
        Ask(nullptr, UNSTART_ID_CONFIRM, UNSTART_ConfirmText(m_Product), MB_OKCANCEL | MB_ICONQUESTION, IDOK) != IDOK)
        return UNRUN_NOTREMOVED;

    CUnProgress progress(m_hInstance);
    if (!MFX_VERIFY(progress.Create()))
        return UNRUN_NOTREMOVED;
    const HWND hWnd = progress.GetHandle();
    ShowWindow(hWnd, SW_SHOW);
    progress.SetStep(0);
    RemoveFiles(hWnd);
    progress.SetStep(1);
    RemoveFolders();
    progress.SetStep(2);
    RemoveShortcuts(hWnd);
    progress.SetStep(3);
    RestoreSystemSettings();
    Ask(hWnd, UNSTART_ID_REMOVED, UNSTART_RemovedText(m_Product), MB_OK | MB_ICONINFORMATION, IDOK);
    return UNRUN_REMOVED;
}

void CUnInstall::RemoveFiles(HWND hWnd) {
    if (!m_UnInstallDll.empty())
        CallEventsLibrary(hWnd);
    for (const std::string& file : m_Files) {
        const char* sFile = file.c_str();
        MFX_VERIFY(PATHNAME_Remove(sFile));
        WINDOW_PumpMessages();
    }
    MFX_VERIFY(PATHNAME_Remove(m_LogFile));
    RemoveSharedFiles(hWnd);
}

void CUnInstall::CallEventsLibrary(HWND hWnd) {
    PATHNAME szFolder = "";
    PATHNAME_GetJustPath(m_Program, szFolder);
    CEventsDll events_dll;
    bool fOk;
    if (!MFX_VERIFY(fOk = events_dll.Load(m_UnInstallDll.c_str(), szFolder))) {
        Ask(hWnd, UNSTART_ID_CUSTOMITEMS, UNSTART_CUSTOMITEMS, MB_OK | MB_ICONEXCLAMATION, IDOK);
        return;
    }
    // The report quotes the call as written, spacing included.
    // clang-format off
    MFX_VERIFY(events_dll.UnInstallTime(hWnd,m_LogFile));
    // clang-format on
}

// A count of 0 or 1 means no other product uses the file any more; whether it goes is the user's choice.
void CUnInstall::RemoveSharedFiles(HWND hWnd) {
    for (const std::string& file : m_SharedFiles) {
        const char* sFile = file.c_str();
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        DWORD dwCount = 0;
        if (!key.Open(LOGFILE_SHAREDDLLS) || !key.QueryDWORD(sFile, dwCount))
            continue;
        if (dwCount >= 2) {
            MFX_VERIFY(key.SetDWORD(sFile, dwCount - 1));
            continue;
        }
        const std::string perFile = UNSTART_SharedFileId(file);
        const bool fPerFile = m_Answers.m_Answers.find(perFile) != m_Answers.m_Answers.end();
        const std::string id = fPerFile ? perFile : std::string(UNSTART_ID_SHAREDFILE);
        if (Ask(hWnd, id, UNSTART_SharedFileText(file), MB_YESNO | MB_ICONQUESTION, IDNO) != IDYES)
            continue;
        if (MFX_VERIFY(PATHNAME_Remove(sFile)))
            MFX_VERIFY(key.RemoveValue(sFile));
        WINDOW_PumpMessages();
    }
}

void CUnInstall::RemoveFolders() {
    UNRECORD_RemoveFolders(m_Folders, [](const char* szFolder) {
        WINDOW_PumpMessages();
        return PATHNAME_RemoveFolder(szFolder) != 0;
    });
}

// An item is deleted from the group that the show made active, so a failed show leaves the item alone.
void CUnInstall::RemoveShortcuts(HWND hWnd) {
    CProgMan progman;
    if (!MFX_VERIFY(progman.Initialize(hWnd)))
        return;
    for (const auto& entry : m_IconGroups) {
        const char* sItem = entry.first.c_str();
        if (progman.ShowGroup(entry.second.c_str()))
            MFX_VERIFY(progman.DeleteItem(sItem));
        WINDOW_PumpMessages();
    }
    for (const std::string& group : m_GroupsCreated) {
        const char* sGroup = group.c_str();
        MFX_VERIFY(progman.DeleteGroup(sGroup));
        WINDOW_PumpMessages();
    }
}

// Both lists are walked from the end, so a value set below a key the installation created goes before its key.
void CUnInstall::RestoreSystemSettings() {
    ForEachEntryFromEnd(m_RegValues, false,
                        [](CRegistryKey& key, const char* sSubKey) { MFX_VERIFY(key.RemoveValue(sSubKey)); });
    ForEachEntryFromEnd(m_RegKeys, true,
                        [](CRegistryKey& key, const char* sSubKey) { MFX_VERIFY(key.RemoveSubKey(sSubKey)); });
}
