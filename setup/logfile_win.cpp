#include "setup/logfile_win.h"

#include <windows.h>

#include <string>

#include "toolkit/diag.h"
#include "toolkit/inifile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/regkey_win.h"

MFX_SOURCE_MODULE("LOGFILE");

const char LOGFILE_SECTION[] = "SETUP LOG";
const char LOGFILE_SHAREDDLLS[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char LOGFILE_UNINSTALLKEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

namespace {

// The log's texts and lists in the order they are written and read.
struct LOGFILE_TEXT {
    const char* szKey;
    std::string CLogFile::*pText;
};
const LOGFILE_TEXT LEADING_TEXTS[] = {{"Product", &CLogFile::m_Product}};
const LOGFILE_TEXT TRAILING_TEXTS[] = {
    {"UnInstallApp", &CLogFile::m_UnInstallApp},
    {"UnInstallProduct", &CLogFile::m_UnInstallProduct},
    {"UnInstallCmdLine", &CLogFile::m_UnInstallCmdLine},
    {"UnInstallDll", &CLogFile::m_UnInstallDll},
};
struct LOGFILE_LIST {
    const char* szSection;
    CTextList CLogFile::*pList;
};
// IconGroups, a map, is written between the shared files and the created groups.
const LOGFILE_LIST LEADING_LISTS[] = {
    {"Folders", &CLogFile::m_Folders},
    {"Files", &CLogFile::m_Files},
    {"SharedFiles", &CLogFile::m_SharedFiles},
};
const LOGFILE_LIST TRAILING_LISTS[] = {
    {"GroupsCreated", &CLogFile::m_GroupsCreated},
    {"RegKeys", &CLogFile::m_RegKeys},
    {"RegValues", &CLogFile::m_RegValues},
};
const char ICONGROUPS[] = "IconGroups";

template <size_t N>
void WriteTexts(CIniFile& ini, const CLogFile& log, const LOGFILE_TEXT (&texts)[N]) {
    for (const LOGFILE_TEXT& text : texts)
        MFX_VERIFY(ini.Write(LOGFILE_SECTION, text.szKey, log.*text.pText));
}

template <size_t N>
void WriteLists(CIniFile& ini, const CLogFile& log, const LOGFILE_LIST (&lists)[N]) {
    for (const LOGFILE_LIST& list : lists)
        ini.WriteList(list.szSection, list.szSection, log.*list.pList);
}

template <size_t N>
void ReadTexts(CIniFile& ini, CLogFile& log, const LOGFILE_TEXT (&texts)[N]) {
    for (const LOGFILE_TEXT& text : texts)
        ini.Read(LOGFILE_SECTION, text.szKey, log.*text.pText);
}

template <size_t N>
void ReadLists(CIniFile& ini, CLogFile& log, const LOGFILE_LIST (&lists)[N]) {
    for (const LOGFILE_LIST& list : lists)
        ini.ReadList(list.szSection, list.szSection, log.*list.pList);
}

// A text recorded in memory wins over the file's; a list gets the file's entries first.
template <size_t N>
void ExtendTexts(CLogFile* pLog, const CLogFile& file, const LOGFILE_TEXT (&texts)[N]) {
    for (const LOGFILE_TEXT& text : texts) {
        if ((pLog->*text.pText).empty())
            pLog->*text.pText = file.*text.pText;
    }
}

template <size_t N>
void ExtendLists(CLogFile* pLog, const CLogFile& file, const LOGFILE_LIST (&lists)[N]) {
    for (const LOGFILE_LIST& list : lists) {
        CTextList merged = file.*list.pList;
        for (const std::string& entry : pLog->*list.pList)
            merged.Add(entry);
        pLog->*list.pList = merged;
    }
}

// The records made in memory before the log had its path come after the file's.
void Extend(CLogFile* pLog, const CLogFile& file) {
    ExtendTexts(pLog, file, LEADING_TEXTS);
    ExtendTexts(pLog, file, TRAILING_TEXTS);
    ExtendLists(pLog, file, LEADING_LISTS);
    ExtendLists(pLog, file, TRAILING_LISTS);
    CTextMap groups = file.m_IconGroups;
    for (const auto& entry : pLog->m_IconGroups)
        groups[entry.first] = entry.second;
    pLog->m_IconGroups = groups;
}

// A missing SharedDLLs key costs only the count: the file is listed as shared either way.
void RaiseSharedCount(const char* szPath) {
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.Open(LOGFILE_SHAREDDLLS))
        key.Close();
    if (!MFX_VERIFY(key.IsOpen()))
        return;
    DWORD dwCount = 0;
    key.QueryDWORD(szPath, dwCount);
    key.SetDWORD(szPath, dwCount + 1);
}

// An entry without a name is not made: creating the empty sub-key would open the uninstall list itself and
// give it the product's values.
void RegisterUninstall(CLogFile* pLog) {
    const char* szApp = pLog->m_UnInstallApp.c_str();
    if (!szApp[0])
        return;
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.Open(LOGFILE_UNINSTALLKEY) || !key.CreateSubKey(szApp))
        return;
    const std::string recorded =
        std::string(CRegistryKey::RootKeyName(HKEY_LOCAL_MACHINE)) + "\\" + LOGFILE_UNINSTALLKEY + "\\" + szApp;
    // A second close, or a second installation into the same log, names the key once.
    if (!pLog->m_RegKeys.Contains(recorded))
        pLog->m_RegKeys.Add(recorded);
    if (!key.Open(szApp))
        return;
    key.SetString("DisplayName", pLog->m_UnInstallProduct.c_str());
    key.SetString("UninstallString", pLog->m_UnInstallCmdLine.c_str());
}

}  // namespace

int LOGFILE_Create(CLogFile* pLog, const char* szDirectory, const char* szFileName) {
    MFX_PRE(pLog && szDirectory && szFileName);
    DIAG_TraceString("LOGFILE_Create ", "szFileName", szFileName);
    PATHNAME szPath = "";
    MFX_PRE(PATHNAME_Construct(szPath, szDirectory, szFileName));
    PATHNAME_Assign(pLog->m_PathName, szPath);
    if (PATHNAME_Exists(szPath)) {
        CLogFile file;
        LOGFILE_Read(&file, szPath);
        Extend(pLog, file);
    }
    return 1;
}

int LOGFILE_Read(CLogFile* pLog, const char* szPath) {
    MFX_PRE(pLog && szPath && szPath[0]);
    CIniFile ini;
    MFX_PRE(ini.SetFileName(szPath));
    ReadTexts(ini, *pLog, LEADING_TEXTS);
    ReadLists(ini, *pLog, LEADING_LISTS);
    ini.ReadMap(ICONGROUPS, ICONGROUPS, pLog->m_IconGroups);
    ReadLists(ini, *pLog, TRAILING_LISTS);
    ReadTexts(ini, *pLog, TRAILING_TEXTS);
    return 1;
}

int LOGFILE_CopiedFile(CLogFile* pLog,
                       const char* szSourceDir,
                       const char* szDestDir,
                       const char* szName,
                       bool fExpanded,
                       bool fShared) {
    MFX_PRE(pLog && szDestDir && szName);
    DIAG_TraceString("LOGFILE_CopiedFile ", "szName", szName);
    PATHNAME szPath = "";
    MFX_PRE(PATHNAME_Construct(szPath, szDestDir, szName));
    if (fShared) {
        RaiseSharedCount(szPath);
        pLog->m_SharedFiles.Add(szPath);
    } else {
        pLog->m_Files.Add(szPath);
    }
    return 1;
}

// Without a path nothing is written: the profile calls would otherwise put the log of an installation that
// never reached its folder into a file of that name in the Windows folder or beside the engine.
int LOGFILE_Close(CLogFile* pLog) {
    MFX_PRE(pLog);
    DIAG_TraceString("LOGFILE_Close ", "m_PathName", pLog->m_PathName);
    RegisterUninstall(pLog);
    if (!pLog->m_PathName[0])
        return 0;
    CIniFile ini;
    MFX_PRE(ini.SetFileName(pLog->m_PathName));
    WriteTexts(ini, *pLog, LEADING_TEXTS);
    WriteLists(ini, *pLog, LEADING_LISTS);
    MFX_VERIFY(ini.WriteMap(ICONGROUPS, ICONGROUPS, pLog->m_IconGroups));
    WriteLists(ini, *pLog, TRAILING_LISTS);
    WriteTexts(ini, *pLog, TRAILING_TEXTS);
    return 1;
}
