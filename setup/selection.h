// Which collections a run installs and what that means in things and bytes: the installation types' usable
// collections, the copy order by disk, the total for the gauge and the space each drive needs. Portable code.
#pragma once

#include <cstdint>
#include <vector>

#include "setup/design.h"

enum INSTALL_TYPE { INSTALL_CUSTOM = 0, INSTALL_COMPLETE = 1, INSTALL_MINIMUM = 2 };

// The collection slots chosen, in list (slot) order.
typedef std::vector<int> SELECTION;

// Slot i holds a collection and, in the minimum type, is part of the minimum.
bool SELECT_IsUsable(const DESIGN* pDesign, int nCollection, int nInstallType);
// Every usable collection.
SELECTION SELECT_Usable(const DESIGN* pDesign, int nInstallType);
// The thing is installed for this selection: its target is not 0 and its collection is chosen or -1.
bool SELECT_IsInstalled(const DESIGN* pDesign, const SELECTION& selection, int nPosition);
// The things of one disk in the order they are installed: for each chosen collection, the thing positions whose
// collection is it or -1 (so a thing of collection -1 comes once per chosen collection).
std::vector<int> SELECT_CopyOrder(const DESIGN* pDesign, const SELECTION& selection, int nDisk);
// The gauge's total: every thing installed, counted once.
int64_t SELECT_TotalBytes(const DESIGN* pDesign, const SELECTION& selection);
// What the chosen collections (and the collection -1 things) need on drive cDrive (any letter case): the sizes
// of the things installed whose target directory lies on it.
int64_t SELECT_BytesOnDrive(const DESIGN* pDesign, const SELECTION& selection, char cDrive);

// Free space of a drive in bytes; false when it cannot be told.
typedef bool (*SELECT_FREESPACE)(char cDrive, uint64_t* pqwFree, void* pUser);
// The first drive (A to Z) whose need exceeds its free space; 0 when every drive has room.
char SELECT_ShortDrive(const DESIGN* pDesign, const SELECTION& selection, SELECT_FREESPACE pfnFree, void* pUser);
