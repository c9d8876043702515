#include "testing/e2e/e2echeck_win.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "setup/logfile_win.h"
#include "toolkit/regkey_win.h"
#include "toolkit/strings.h"

namespace {

bool IsFile(const std::string& path) {
    const DWORD dwAttributes = GetFileAttributesA(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
    const DWORD dwAttributes = GetFileAttributesA(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string JustName(const std::string& path) {
    const size_t nSlash = path.find_last_of('\\');
    return nSlash == std::string::npos ? path : path.substr(nSlash + 1);
}

// "ROOT\PATH\LAST" opened down to PATH; *pLast is LAST. False when the root is unknown or a key is missing.
bool OpenParent(const std::string& entry, CRegistryKey* pKey, std::string* pLast) {
    const size_t nRoot = entry.find('\\');
    const size_t nLast = entry.rfind('\\');
    if (nRoot == std::string::npos || nLast == nRoot)
        return false;
    const HKEY hRoot = CRegistryKey::RootKeyFromName(entry.substr(0, nRoot).c_str());
    *pLast = entry.substr(nLast + 1);
    return hRoot && pKey->Open(hRoot) && pKey->Open(entry.substr(nRoot + 1, nLast - nRoot - 1).c_str());
}

bool KeyExists(const std::string& entry) {
    CRegistryKey key;
    std::string name;
    return OpenParent(entry, &key, &name) && key.Open(name.c_str());
}

bool ValueExists(const std::string& entry) {
    CRegistryKey key;
    std::string name;
    return OpenParent(entry, &key, &name) &&
           RegQueryValueExA(key.m_hKey, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string StringValue(HKEY hKey, const char* szName) {
    char szValue[1024] = "";
    DWORD cbValue = sizeof(szValue) - 1;
    DWORD dwType = 0;
    if (RegQueryValueExA(hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(szValue), &cbValue) != ERROR_SUCCESS ||
        dwType != REG_SZ)
        return "";
    return szValue;
}

DWORD SharedCount(const std::string& file) {
    CRegistryKey key;
    DWORD dwCount = 0;
    if (key.Open(HKEY_LOCAL_MACHINE) && key.Open(LOGFILE_SHAREDDLLS))
        key.QueryDWORD(file.c_str(), dwCount);
    return dwCount;
}

// The key = value lines of a section of the log that LOGFILE_Read does not keep.
std::vector<std::pair<std::string, std::string>> SectionLines(const char* szLogFile, const char* szSection) {
    std::vector<char> buffer(32768);
    const DWORD cch = GetPrivateProfileSectionA(szSection, buffer.data(), static_cast<DWORD>(buffer.size()), szLogFile);
    std::vector<std::pair<std::string, std::string>> lines;
    for (const char* pLine = buffer.data(); pLine < buffer.data() + cch && *pLine; pLine += strlen(pLine) + 1) {
        const std::string line = pLine;
        const size_t nEquals = line.find('=');
        if (nEquals != std::string::npos)
            lines.emplace_back(line.substr(0, nEquals), line.substr(nEquals + 1));
    }
    return lines;
}

void Add(std::vector<E2ECHECK>* pChecks, bool fOk, const std::string& what) {
    pChecks->push_back({fOk, what});
}

}  // namespace

bool E2ECHECK_Shortcut(const std::string& group,
                       const std::string& title,
                       std::string* pLink,
                       std::string* pTarget,
                       std::string* pFolder) {
    for (int nFolder : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        char szPrograms[MAX_PATH] = "";
        if (FAILED(SHGetFolderPathA(nullptr, nFolder, nullptr, SHGFP_TYPE_CURRENT, szPrograms)))
            continue;
        const std::string link = std::string(szPrograms) + "\\" + group + "\\" + title + ".lnk";
        if (!IsFile(link))
            continue;
        IShellLinkA* pShellLink = nullptr;
        IPersistFile* pFile = nullptr;
        bool fOk = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                              reinterpret_cast<void**>(&pShellLink))) &&
                   SUCCEEDED(pShellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)));
        std::vector<wchar_t> wide(link.size() + 1);
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
        char szTarget[MAX_PATH] = "";
        char szFolder[MAX_PATH] = "";
        fOk = fOk && SUCCEEDED(pFile->Load(wide.data(), STGM_READ)) &&
              SUCCEEDED(pShellLink->GetPath(szTarget, sizeof(szTarget), nullptr, 0)) &&
              SUCCEEDED(pShellLink->GetWorkingDirectory(szFolder, sizeof(szFolder)));
        if (pFile)
            pFile->Release();
        if (pShellLink)
            pShellLink->Release();
        *pLink = link;
        *pTarget = szTarget;
        *pFolder = szFolder;
        return fOk;
    }
    return false;
}

std::string E2ECHECK_LoggedFile(const CLogFile& log, const char* szName) {
    for (const CTextList* pList : {&log.m_Files, &log.m_SharedFiles})
        for (const std::string& file : *pList)
            if (STRINGS_CompareNoCase(JustName(file).c_str(), szName) == 0)
                return file;
    return "";
}

bool E2ECHECK_Installed(const char* szLogFile, std::vector<E2ECHECK>* pChecks) {
    CLogFile log;
    if (!IsFile(szLogFile) || !LOGFILE_Read(&log, szLogFile))
        return false;
    for (const std::string& folder : log.m_Folders)
        Add(pChecks, IsFolder(folder), "folder " + folder);
    for (const std::string& file : log.m_Files)
        Add(pChecks, IsFile(file), "file " + file);
    for (const std::string& file : log.m_SharedFiles)
        Add(pChecks, IsFile(file) && SharedCount(file) >= 1,
            "shared file " + file + " counted " + std::to_string(SharedCount(file)) + " under SharedDLLs");
    for (const auto& item : log.m_IconGroups) {
        std::string link, target, folder;
        const bool fLink = E2ECHECK_Shortcut(item.second, item.first, &link, &target, &folder);
        Add(pChecks, fLink && IsFile(target),
            "item " + item.first + " of group " + item.second + ": " + (fLink ? link + " starts " + target : "none"));
    }
    for (const std::string& group : log.m_GroupsCreated) {
        bool fFound = false;
        for (int nFolder : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
            char szPrograms[MAX_PATH] = "";
            fFound =
                fFound || (SUCCEEDED(SHGetFolderPathA(nullptr, nFolder, nullptr, SHGFP_TYPE_CURRENT, szPrograms)) &&
                           IsFolder(std::string(szPrograms) + "\\" + group));
        }
        Add(pChecks, fFound, "group " + group + " in the Start Menu");
    }
    for (const std::string& key : log.m_RegKeys)
        Add(pChecks, KeyExists(key), "registry key " + key);
    for (const std::string& value : log.m_RegValues)
        Add(pChecks, ValueExists(value), "registry value " + value);
    CRegistryKey entry;
    const bool fEntry =
        entry.Open(HKEY_LOCAL_MACHINE) && entry.Open(LOGFILE_UNINSTALLKEY) && entry.Open(log.m_UnInstallApp.c_str());
    Add(pChecks,
        fEntry && StringValue(entry.m_hKey, "UninstallString") == log.m_UnInstallCmdLine &&
            StringValue(entry.m_hKey, "DisplayName") == log.m_UnInstallProduct,
        "uninstall entry " + log.m_UnInstallApp + ": \"" + log.m_UnInstallProduct + "\", " + log.m_UnInstallCmdLine);
    if (!log.m_UnInstallDll.empty())
        Add(pChecks, IsFile(log.m_UnInstallDll), "events library " + log.m_UnInstallDll);
    for (const auto& renamed : SectionLines(szLogFile, "FilesRenamed"))
        Add(pChecks, IsFile(renamed.first) && !IsFile(renamed.second),
            "renamed " + renamed.second + " to " + renamed.first);
    return true;
}
