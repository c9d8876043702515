// A hook library of ours. Every event is appended to "hookstandin.log" beside the library as one line, the event
// number and what came with it ("416 screen 0 forward", "80 C:\DEMO"). The answers come from "hookstandin.ini"
// beside it, each section for one event:
//   [Loaded] GoOn=0                       event 368 ends the run
//   [Screen] 0=2                          event 416: the result for screen 0 (absent: left as it came)
//   [Copy] SKIP.TXT=0                     event 96: the copy flag of that file
//   [Target] Name=dir|default|a|b         event 432: the directory, the default and the candidates
//   [Resolve] Name=0                      event 433: the show flag
//   [Selection] Apply=1, Name=1           event 434: select (1) or clear (0) the named items, and apply
//   [Baggage] 0=one.txt, 1=two.txt        the baggage files by index
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "setup/copyrec.h"
#include "setup/hookrec.h"
#include "toolkit/pathname_win.h"

namespace {

HINSTANCE s_hInst = nullptr;

std::string Beside(const char* szName) {
    PATHNAME szPath = "";
    PATHNAME_ConstructModuleFile(szPath, s_hInst, szName);
    return szPath;
}

// Absent keys read as the default.
std::string Answer(const char* szSection, const std::string& key, const char* szDefault) {
    char szValue[1024] = "";
    GetPrivateProfileStringA(szSection, key.c_str(), szDefault, szValue, sizeof(szValue),
                             Beside("hookstandin.ini").c_str());
    return szValue;
}

void Log(UINT nEvent, const std::string& what) {
    if (FILE* pFile = fopen(Beside("hookstandin.log").c_str(), "a")) {
        fprintf(pFile, "%u%s%s\n", nEvent, what.empty() ? "" : " ", what.c_str());
        fclose(pFile);
    }
}

void Copy(char* szOut, int cchOut, const std::string& text) {
    lstrcpynA(szOut, text.c_str(), cchOut);
}

// The parts of a "|"-separated answer.
std::string Part(const std::string& text, int nPart) {
    size_t nStart = 0;
    for (int i = 0; i < nPart; ++i) {
        nStart = text.find('|', nStart);
        if (nStart == std::string::npos)
            return std::string();
        ++nStart;
    }
    return text.substr(nStart, text.find('|', nStart) - nStart);
}

LONG Target(HOOKTARGET* pTarget) {
    Log(HOOK_DEFAULTTARGET, std::string(pTarget->szName) + " " + pTarget->szDir + "|" + pTarget->szDefault + "|" +
                                std::to_string(pTarget->pCandidates ? pTarget->pCandidates->nCount : -1));
    const std::string answer = Answer("Target", pTarget->szName, "");
    if (answer.empty())
        return 1;
    Copy(pTarget->szDir, pTarget->cchDir, Part(answer, 0));
    Copy(pTarget->szDefault, pTarget->cchDefault, Part(answer, 1));
    if (HOOKLIST* pList = pTarget->pCandidates) {
        pList->nCount = 0;
        for (int nPart = 2; pList->nCount < HOOKLIST_MAX && !Part(answer, nPart).empty(); ++nPart)
            Copy(pList->aszDir[pList->nCount++], HOOKLIST_DIRSIZE, Part(answer, nPart));
    }
    return 1;
}

LONG Selection(int nItems, HOOKSELECT* aItems) {
    std::string what = std::to_string(nItems);
    for (int i = 0; i < nItems; ++i) {
        what += std::string(" ") + aItems[i].szName + "=" + std::to_string(aItems[i].fSelected);
        const std::string answer = Answer("Selection", aItems[i].szName, "");
        if (!answer.empty())
            aItems[i].fSelected = answer == "1";
    }
    Log(HOOK_SELECTION, what);
    return Answer("Selection", "Apply", "0") == "1";
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH)
        s_hInst = hInst;
    return TRUE;
}

extern "C" LONG WINAPI TAVLET_Hook(UINT nEvent, WPARAM wParam, LPARAM lParam) {
    const char* szText = reinterpret_cast<const char*>(lParam);
    switch (nEvent) {
    case HOOK_LOADED: {
        Log(nEvent, "");
        *reinterpret_cast<int32_t*>(lParam) = atoi(Answer("Loaded", "GoOn", "1").c_str());
        return 1;
    }
    case HOOK_SCREEN: {
        HOOKSCREEN* pScreen = reinterpret_cast<HOOKSCREEN*>(lParam);
        Log(nEvent, "screen " + std::to_string(pScreen->nScreen) + (pScreen->nResult ? " forward" : " back"));
        const std::string answer = Answer("Screen", std::to_string(pScreen->nScreen), "");
        if (!answer.empty())
            pScreen->nResult = atoi(answer.c_str());
        return 0;
    }
    case HOOK_COPYING: {
        COPYREC* pCopy = reinterpret_cast<COPYREC*>(lParam);
        Log(nEvent, std::string(pCopy->szFileName) + " " + pCopy->szSourceDir + " " + pCopy->szDestDir);
        pCopy->fCopy = atoi(Answer("Copy", pCopy->szFileName, "1").c_str());
        return 1;
    }
    case HOOK_DEFAULTTARGET:
        return Target(reinterpret_cast<HOOKTARGET*>(lParam));
    case HOOK_RESOLVE: {
        HOOKRESOLVE* pResolve = reinterpret_cast<HOOKRESOLVE*>(lParam);
        Log(nEvent, pResolve->szName);
        pResolve->fShow = atoi(Answer("Resolve", pResolve->szName, "1").c_str());
        return 1;
    }
    case HOOK_SELECTION:
        return Selection(static_cast<int>(wParam), reinterpret_cast<HOOKSELECT*>(lParam));
    case HOOK_DIRCREATED:
    case HOOK_MAKINGGROUP:
    case HOOK_ADDINGTOLOAD:
    case HOOK_ADDINGEXTENSION:
    case HOOK_SPAWNING:
    case HOOK_ADDINGTOPATH:
        Log(nEvent, szText);
        return 1;
    case HOOK_SHOWINGREADME:
    case HOOK_INSTALLED:
        Log(nEvent, std::to_string(wParam != 0) + " " + szText);
        return 1;
    default:
        Log(nEvent, std::to_string(static_cast<long long>(wParam)));
        return 1;
    }
}

extern "C" int WINAPI TAVLET_BaggageFiles(char* szName, int nIndex) {
    const std::string name = Answer("Baggage", std::to_string(nIndex), "");
    if (name.empty())
        return 0;
    Copy(szName, MAX_PATH + 1, name);
    return 1;
}
