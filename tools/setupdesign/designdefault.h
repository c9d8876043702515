// The sections of the text design, and the defaults of keys left out, some of which follow from the things.
#pragma once

#include <cstdint>

#include "setup/design.h"

enum DESIGNSECTION_KIND {
    DESIGNSECTION_SETUP,
    DESIGNSECTION_PATH,
    DESIGNSECTION_TARGETS,
    DESIGNSECTION_TARGET,
    DESIGNSECTION_COLLECTION,
    DESIGNSECTION_DISKS,
    DESIGNSECTION_DISK,
    DESIGNSECTION_THINGS,
    DESIGNSECTION_THING,
    DESIGNSECTION_BACKDROP,
    DESIGNSECTION_DIALOGS,
    DESIGNSECTION_COUNT
};

struct DESIGNSECTION_KIND_INFO {
    const char* szName;
    int nSlots;  // 0: a section without a number
};
extern const DESIGNSECTION_KIND_INFO DESIGNSECTION_KINDS[DESIGNSECTION_COUNT];

// The defaults of the text form before any key: the signature, drive letter "a", the targets tag, centred boxes.
void DESIGNDEFAULT_SetText(DESIGN* pDesign);
// What the things imply: users of a path, target, collection and disk, sizes, the counts of files and
// directories; a target's run-time path is its default path.
int16_t DESIGNDEFAULT_PathUsers(const DESIGN& design, int i);
void DESIGNDEFAULT_Target(const DESIGN& design, int i, const TARGET& target, TARGET* pDefault);
void DESIGNDEFAULT_Collection(const DESIGN& design, int i, COLLOBJ* pDefault);
void DESIGNDEFAULT_Disk(const DESIGN& design, int i, DISKOBJ* pDefault);
void DESIGNDEFAULT_Things(const DESIGN& design, THINGCOL* pDefault);
