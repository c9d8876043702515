#include "setup/selection.h"

#include <algorithm>
#include <cctype>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("SELECTION");

namespace {

bool IsChosen(const SELECTION& selection, int nCollection) {
    return std::find(selection.begin(), selection.end(), nCollection) != selection.end();
}

char DriveOf(const DESIGN* pDesign, int nTarget) {
    const TARGET* pTarget = nTarget >= 0 && nTarget < MAX_TARGETS ? pDesign->targets.targets[nTarget] : nullptr;
    if (!pTarget || !isalpha(static_cast<unsigned char>(pTarget->runtimepath[0])) || pTarget->runtimepath[1] != ':')
        return 0;
    return static_cast<char>(toupper(static_cast<unsigned char>(pTarget->runtimepath[0])));
}

}  // namespace

bool SELECT_IsUsable(const DESIGN* pDesign, int nCollection, int nInstallType) {
    if (!pDesign || nCollection < 0 || nCollection >= MAX_COLLECTIONS || !pDesign->collect.fPresent[nCollection])
        return false;
    return nInstallType != INSTALL_MINIMUM || pDesign->collect.collection[nCollection].bPartofMinimum != 0;
}

SELECTION SELECT_Usable(const DESIGN* pDesign, int nInstallType) {
    SELECTION usable;
    for (int i = 0; i < MAX_COLLECTIONS; ++i)
        if (SELECT_IsUsable(pDesign, i, nInstallType))
            usable.push_back(i);
    return usable;
}

bool SELECT_IsInstalled(const DESIGN* pDesign, const SELECTION& selection, int nPosition) {
    const THING* pThing =
        pDesign && nPosition >= 0 && nPosition < MAX_THINGS ? pDesign->things.things[nPosition] : nullptr;
    if (!pThing || pThing->target == 0)
        return false;
    return pThing->nCollection == -1 || IsChosen(selection, pThing->nCollection);
}

std::vector<int> SELECT_CopyOrder(const DESIGN* pDesign, const SELECTION& selection, int nDisk) {
    std::vector<int> order;
    if (!pDesign)
        return order;
    for (int nCollection : selection) {
        for (int i = 0; i < MAX_THINGS; ++i) {
            const THING* pThing = pDesign->things.things[i];
            if (pThing && pThing->nDisk == nDisk && pThing->target != 0 &&
                (pThing->nCollection == nCollection || pThing->nCollection == -1))
                order.push_back(i);
        }
    }
    return order;
}

int64_t SELECT_TotalBytes(const DESIGN* pDesign, const SELECTION& selection) {
    int64_t total = 0;
    for (int i = 0; i < MAX_THINGS; ++i)
        if (SELECT_IsInstalled(pDesign, selection, i))
            total += THING_GetSize(pDesign->things.things[i]);
    return total;
}

int64_t SELECT_BytesOnDrive(const DESIGN* pDesign, const SELECTION& selection, char cDrive) {
    int64_t total = 0;
    const char cWanted = static_cast<char>(toupper(static_cast<unsigned char>(cDrive)));
    for (int i = 0; i < MAX_THINGS; ++i) {
        if (SELECT_IsInstalled(pDesign, selection, i) && DriveOf(pDesign, pDesign->things.things[i]->target) == cWanted)
            total += THING_GetSize(pDesign->things.things[i]);
    }
    return total;
}

char SELECT_ShortDrive(const DESIGN* pDesign, const SELECTION& selection, SELECT_FREESPACE pfnFree, void* pUser) {
    MFX_PRE(pDesign);
    MFX_PRE(pfnFree);
    for (char cDrive = 'A'; cDrive <= 'Z'; ++cDrive) {
        const int64_t needed = SELECT_BytesOnDrive(pDesign, selection, cDrive);
        uint64_t qwFree = 0;
        if (needed > 0 && pfnFree(cDrive, &qwFree, pUser) && static_cast<uint64_t>(needed) > qwFree)
            return cDrive;
    }
    return 0;
}
