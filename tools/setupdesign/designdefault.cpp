#include "tools/setupdesign/designdefault.h"

#include <cstring>
#include <functional>

const DESIGNSECTION_KIND_INFO DESIGNSECTION_KINDS[DESIGNSECTION_COUNT] = {
    {"Setup", 0},   {"Path", MAX_PATHS}, {"Targets", 0}, {"Target", MAX_TARGETS}, {"Collection", MAX_COLLECTIONS},
    {"Disks", 0},   {"Disk", MAX_DISKS}, {"Things", 0},  {"Thing", MAX_THINGS},   {"Backdrop", 0},
    {"Dialogs", 0},
};

namespace {

int CountThings(const DESIGN& design, const std::function<bool(const THING&)>& fTest) {
    int n = 0;
    for (const THING* pThing : design.things.things)
        n += pThing && fTest(*pThing) ? 1 : 0;
    return n;
}

int32_t SumSizes(const DESIGN& design, const std::function<bool(const THING&)>& fTest) {
    int64_t llSum = 0;
    for (const THING* pThing : design.things.things)
        llSum += pThing && fTest(*pThing) ? THING_GetSize(pThing) : 0;
    return static_cast<int32_t>(llSum > INT32_MAX ? INT32_MAX : llSum < INT32_MIN ? INT32_MIN : llSum);
}

}  // namespace

// The defaults of the text form, before any key.
void DESIGNDEFAULT_SetText(DESIGN* pDesign) {
    memcpy(pDesign->szSignature, EXE_VERSION, sizeof(EXE_VERSION));
    pDesign->exe.cDriveLetter = 'a';
    pDesign->targets.dwTag = TARGCOLL4;
    for (DLGBOX& box : pDesign->boxes.Boxes)
        box = DLGBOX{50, 50, 50, 50, {}};
}

void DESIGNDEFAULT_Target(const DESIGN& design, int i, const TARGET& target, TARGET* pDefault) {
    pDefault->nNumUsers = static_cast<int16_t>(CountThings(design, [i](const THING& t) { return t.target == i; }));
    memcpy(pDefault->runtimepath, target.defaultpath, sizeof(pDefault->runtimepath));
}

void DESIGNDEFAULT_Collection(const DESIGN& design, int i, COLLOBJ* pDefault) {
    auto fIn = [i](const THING& t) { return t.nCollection == i; };
    pDefault->nTarget = 1;
    pDefault->nNumUsers = static_cast<int16_t>(CountThings(design, fIn));
    pDefault->lSize = SumSizes(design, fIn);
}

void DESIGNDEFAULT_Disk(const DESIGN& design, int i, DISKOBJ* pDefault) {
    auto fOn = [i](const THING& t) { return t.nDisk == i; };
    pDefault->nNumUsers = static_cast<int16_t>(CountThings(design, fOn));
    pDefault->lSize = SumSizes(design, fOn);
}

int16_t DESIGNDEFAULT_PathUsers(const DESIGN& design, int i) {
    return static_cast<int16_t>(CountThings(design, [i](const THING& t) { return t.distribdir == i; }));
}

void DESIGNDEFAULT_Things(const DESIGN& design, THINGCOL* pDefault) {
    pDefault->nReadMe = pDefault->nRegDataFile = pDefault->nWININI = -1;
    const int nThings = CountThings(design, [](const THING&) { return true; });
    pDefault->nNumDirs = static_cast<int16_t>(CountThings(design, [](const THING& t) { return t.nType == THING_DIR; }));
    pDefault->nNumFiles = static_cast<int16_t>(nThings - pDefault->nNumDirs);
}
