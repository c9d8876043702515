// The rules on the targets' directories that the run's dialogs apply: what a valid directory is, moving the
// targets that lie under a changed directory, the directories of targets based on another, and the first entry
// of a PATH-like list. Portable code; whether a directory exists is asked by the Windows side.
#pragma once

#include "setup/design.h"

// A drive letter, a colon, a backslash and at least one directory, with no character a file name cannot hold.
bool TARGETS_IsValidPath(const char* szPath);
// szPath is szFolder or lies inside it (ignoring letter case, at a backslash).
bool TARGETS_IsUnder(const char* szPath, const char* szFolder);
// Every target of slots 0 to 49 whose directory lies in szOld gets that part replaced by szNew; false when one
// would not fit (that one is left as it was).
bool TARGETS_MoveUnder(TARGCOLL* pTargets, const char* szOld, const char* szNew);
// The targets based on nBase (type 7) get its directory followed by their extension, and so on for the targets
// based on them.
void TARGETS_RecomputeBasedOn(TARGCOLL* pTargets, int nBase);
// A type-7 target's directory: its base target's followed by its extension; false when that would not fit or
// it has no base.
bool TARGETS_BasedPath(const TARGCOLL* pTargets, const TARGET* pTarget, char* szOut);
// The text of a list like PATH up to its first ";", blanks at the ends removed.
void TARGETS_FirstEntry(const char* szList, char* szOut);
