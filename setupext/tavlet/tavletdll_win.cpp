// The hook framework.
#include "setupext/tavlet/tavletdll_win.h"

#include "setup/copyrec.h"
#include "setupext/tavlet/stdtargets.h"
#include "toolkit/diag.h"
#include "toolkit/inifile_win.h"
#include "toolkit/mfx.h"
#include "toolkit/pathname_win.h"
#include "toolkit/system_win.h"

MFX_SOURCE_MODULE("TAVLET");

const char TAVLET_FILESRENAMED[] = "FilesRenamed";

namespace {

void CopyInto(char* szOut, int cchOut, const std::string& text) {
    if (szOut && cchOut > 0)
        lstrcpynA(szOut, text.c_str(), cchOut);
}

}  // namespace

CTavletDLL::CTavletDLL(const char* szCaption) : m_Caption(szCaption) {
    Install_GetStdTargets();
}

LONG CTavletDLL::Hook(UINT nEvent, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    const char* szText = reinterpret_cast<const char*>(lParam);
    switch (nEvent) {
    case HOOK_COPYING: {
        const COPYREC* pCopy = reinterpret_cast<const COPYREC*>(lParam);
        MFX_PRE(pCopy);
        CopyingFile(pCopy->szDestDir, pCopy->szFileName);
        return 1;
    }
    case HOOK_INSTALLED:
        MFX_PRE(szText);
        return Installed(hWnd, szText);
    case HOOK_LOADED:
        MFX_PRE(lParam);
        *reinterpret_cast<int32_t*>(lParam) = OnLoaded(hWnd) ? 1 : 0;
        return 1;
    case HOOK_UNINSTALLING:
        MFX_PRE(szText);
        return Uninstalling(hWnd, szText);
    case HOOK_SCREEN:
        return 0;
    case HOOK_DEFAULTTARGET:
        MFX_PRE(lParam);
        return DefaultTarget(hWnd, reinterpret_cast<HOOKTARGET*>(lParam));
    case HOOK_SELECTION:
        MFX_PRE(lParam || wParam == 0);
        Selection(reinterpret_cast<HOOKSELECT*>(lParam), static_cast<int>(wParam));
        return 1;
    default:
        return 1;
    }
}

bool CTavletDLL::OnLoaded(HWND) {
    return true;
}

LONG CTavletDLL::DefaultTarget(HWND hWnd, HOOKTARGET* pTarget) {
    MFX_PRE(pTarget->szName && pTarget->szDir && pTarget->szDefault);
    auto found = m_StdTargets.find(pTarget->szName);
    if (found != m_StdTargets.end()) {
        CopyInto(pTarget->szDir, pTarget->cchDir, found->second);
        CopyInto(pTarget->szDefault, pTarget->cchDefault, found->second);
    }
    std::vector<std::string> candidates;
    HOOKLIST* pList = pTarget->pCandidates;
    if (pList) {
        for (int i = 0; i < pList->nCount && i < HOOKLIST_MAX; ++i)
            candidates.emplace_back(pList->aszDir[i], strnlen(pList->aszDir[i], HOOKLIST_DIRSIZE));
    }
    char szDir[HOOKLIST_DIRSIZE] = "";
    CopyInto(szDir, sizeof(szDir), std::string(pTarget->szDir, strnlen(pTarget->szDir, pTarget->cchDir)));
    if (ResolveSpecialTarget(hWnd, pTarget->szName, szDir, candidates)) {
        CopyInto(pTarget->szDir, pTarget->cchDir, szDir);
        CopyInto(pTarget->szDefault, pTarget->cchDefault, szDir);
    }
    if (pList) {
        pList->nCount = 0;
        for (const std::string& candidate : candidates) {
            if (pList->nCount == HOOKLIST_MAX)
                break;
            CopyInto(pList->aszDir[pList->nCount++], HOOKLIST_DIRSIZE, candidate);
        }
    }
    return 1;
}

bool CTavletDLL::ResolveSpecialTarget(HWND, const char* szName, char* szDir, std::vector<std::string>&) {
    // The 16- and 32-bit system directories have their standard directory wherever the platform has one.
    for (const char* szSpecial : {"System16", "System32"}) {
        if (lstrcmpiA(szName, szSpecial) != 0)
            continue;
        auto found = m_StdTargets.find(szSpecial);
        if (found == m_StdTargets.end())
            return false;
        CopyInto(szDir, HOOKLIST_DIRSIZE, found->second);
        return true;
    }
    return false;
}

void CTavletDLL::Selection(HOOKSELECT*, int) {}

void CTavletDLL::CopyingFile(const char*, const char*) {}

LONG CTavletDLL::Installed(HWND, const char* szLog) {
    CIniFile log;
    MFX_PRE(log.SetFileName(szLog));
    bool fOk = false;
    MFX_VERIFY(fOk = log.WriteMap(TAVLET_FILESRENAMED, TAVLET_FILESRENAMED, m_FilesRenamed));
    return fOk ? 1 : 0;
}

LONG CTavletDLL::Uninstalling(HWND, const char* szLog) {
    CIniFile log;
    MFX_PRE(log.SetFileName(szLog));
    MFX_PRE(log.ReadMap(TAVLET_FILESRENAMED, TAVLET_FILESRENAMED, m_FilesRenamed));
    bool fAllOk = true;
    for (const auto& entry : m_FilesRenamed) {
        const char* sOldName = entry.first.c_str();
        const char* sTruName = entry.second.c_str();
        bool fOk = false;
        // The report quotes the call as written.
        // clang-format off
        MFX_VERIFY(fOk = PATHNAME_Rename(sOldName,sTruName));
        // clang-format on
        fAllOk = fAllOk && fOk;
    }
    return fAllOk ? 1 : 0;
}

void CTavletDLL::Install_GetStdTargets() {
    char szWindows[HOOKLIST_DIRSIZE] = "";
    char szSystem[HOOKLIST_DIRSIZE] = "";
    MFX_VERIFY(GetWindowsDirectoryA(szWindows, sizeof(szWindows)));
    MFX_VERIFY(GetSystemDirectoryA(szSystem, sizeof(szSystem)));
    int nClass = 0;
    DWORD dwVersion = 0;
    MFX_VERIFY(SYSTEM_GetPlatform(&nClass, &dwVersion));
    const TAVLET_PLATFORM platform = STDTARGETS_PlatformOf(nClass);
    DIAG_TraceString("TAVLET_GetDirectories", "Platform", STDTARGETS_TraceName(platform));
    PATHNAME szSystem16 = "";
    const bool fSystem16 = PATHNAME_Construct(szSystem16, szWindows, "SYSTEM") && PATHNAME_FolderExists(szSystem16);
    STDTARGETS_Fill(m_StdTargets, platform, szWindows, szSystem, fSystem16);
}

void CTavletDLL::Install_SetTarget(const char* szTargetName, const char* szTargetPath) {
    DIAG_TraceString("CTavletDLL::Install_SetTarget", "szTargetName", szTargetName);
    DIAG_TraceString("CTavletDLL::Install_SetTarget", "szTargetPath", szTargetPath);
    m_SetTargets[szTargetName] = szTargetPath;
}

std::string CTavletDLL::GetTargetDir(const char* szTarget) const {
    for (const CTextMap* pMap : {&m_SetTargets, &m_StdTargets}) {
        auto found = pMap->find(szTarget);
        if (found != pMap->end() && !found->second.empty())
            return found->second;
    }
    return std::string();
}

bool CTavletDLL::FindFileInTarget(const char* szFile, char* szOut, const char* szTarget) const {
    const std::string dir = GetTargetDir(szTarget);
    PATHNAME szPath = "";
    if (dir.empty() || !PATHNAME_Construct(szPath, dir.c_str(), szFile) || !PATHNAME_Exists(szPath))
        return false;
    return PATHNAME_Assign(szOut, szPath) != 0;
}

bool CTavletDLL::RenameWithExtension(const char* szPath, const char* szExtension) {
    PATHNAME szNew = "";
    bool fOk = false;
    MFX_VERIFY(fOk = PATHNAME_Assign(szNew, szPath) && PATHNAME_ReplaceExtension(szNew, szExtension) &&
                     PATHNAME_Rename(szPath, szNew));
    if (fOk)
        m_FilesRenamed[szNew] = szPath;
    return fOk;
}
