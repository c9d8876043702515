#include "setup/targets.h"

#include <cctype>
#include <cstring>
#include <string>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("TARGETS");

bool TARGETS_IsValidPath(const char* szPath) {
    if (!szPath || !isalpha(static_cast<unsigned char>(szPath[0])) || szPath[1] != ':' || szPath[2] != '\\')
        return false;
    const size_t cch = strlen(szPath);
    if (cch > MAX_PATHNAME)
        return false;
    bool fDirectory = false;
    for (size_t i = 3; i < cch; ++i) {
        const unsigned char ch = static_cast<unsigned char>(szPath[i]);
        if (ch < 32 || strchr("<>:\"/|?*", ch))
            return false;
        if (ch == '\\' && szPath[i - 1] == '\\')
            return false;
        if (ch != '\\' && ch != ' ')
            fDirectory = true;
    }
    return fDirectory;
}

bool TARGETS_IsUnder(const char* szPath, const char* szFolder) {
    if (!szPath || !szFolder || !szFolder[0])
        return false;
    std::string folder = szFolder;
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    const size_t cch = folder.size();
    if (strlen(szPath) < cch)
        return false;
    for (size_t i = 0; i < cch; ++i)
        if (tolower(static_cast<unsigned char>(szPath[i])) != tolower(static_cast<unsigned char>(folder[i])))
            return false;
    return szPath[cch] == '\0' || szPath[cch] == '\\' || folder.back() == '\\';
}

bool TARGETS_MoveUnder(TARGCOLL* pTargets, const char* szOld, const char* szNew) {
    MFX_PRE(pTargets);
    MFX_PRE(szOld);
    MFX_PRE(szNew);
    std::string oldFolder = szOld;
    while (oldFolder.size() > 3 && oldFolder.back() == '\\')
        oldFolder.pop_back();
    std::string newFolder = szNew;
    while (newFolder.size() > 3 && newFolder.back() == '\\')
        newFolder.pop_back();
    bool fAllFit = true;
    for (TARGET* pTarget : pTargets->targets) {
        if (!pTarget || !TARGETS_IsUnder(pTarget->runtimepath, oldFolder.c_str()))
            continue;
        std::string rest = pTarget->runtimepath + oldFolder.size();
        if (oldFolder.back() == '\\' && newFolder.back() != '\\' && !rest.empty())
            rest = "\\" + rest;
        if (newFolder.back() == '\\' && !rest.empty() && rest[0] == '\\')
            rest.erase(0, 1);
        const std::string moved = newFolder + rest;
        if (moved.size() > MAX_PATHNAME) {
            fAllFit = false;
            continue;
        }
        STRINGS_CopyN(pTarget->runtimepath, moved.c_str(), sizeof(pTarget->runtimepath));
    }
    return fAllFit;
}

bool TARGETS_BasedPath(const TARGCOLL* pTargets, const TARGET* pTarget, char* szOut) {
    MFX_PRE(pTargets);
    MFX_PRE(pTarget);
    MFX_PRE(szOut);
    const int nBase = pTarget->nBaseTarget;
    const TARGET* pBase = nBase >= 0 && nBase < MAX_TARGETS ? pTargets->targets[nBase] : nullptr;
    if (!pBase || pBase == pTarget)
        return false;
    if (!pTarget->szBaseExtension[0])
        return PATHNAME_Assign(szOut, pBase->runtimepath) != 0;
    return PATHNAME_Construct(szOut, pBase->runtimepath, pTarget->szBaseExtension) != 0;
}

namespace {

void Recompute(TARGCOLL* pTargets, int nBase, int nDepth) {
    // A chain of bases longer than the slots is a loop in the design.
    if (nDepth > MAX_TARGETS)
        return;
    for (int i = 0; i < MAX_TARGETS; ++i) {
        TARGET* pTarget = pTargets->targets[i];
        if (!pTarget || i == nBase || pTarget->nType != TARGET_BASEON || pTarget->nBaseTarget != nBase)
            continue;
        PATHNAME szPath;
        if (TARGETS_BasedPath(pTargets, pTarget, szPath))
            PATHNAME_Assign(pTarget->runtimepath, szPath);
        Recompute(pTargets, i, nDepth + 1);
    }
}

}  // namespace

void TARGETS_RecomputeBasedOn(TARGCOLL* pTargets, int nBase) {
    if (pTargets)
        Recompute(pTargets, nBase, 0);
}

void TARGETS_FirstEntry(const char* szList, char* szOut) {
    std::string entry = szList ? szList : "";
    entry = entry.substr(0, entry.find(';'));
    while (!entry.empty() && isspace(static_cast<unsigned char>(entry.back())))
        entry.pop_back();
    const size_t nStart = entry.find_first_not_of(" \t");
    entry = nStart == std::string::npos ? "" : entry.substr(nStart);
    STRINGS_CopyN(szOut, entry.c_str(), MAX_PATHNAME + 1);
}
