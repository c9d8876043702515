// Resources of the program that the reorder tracker shows; shared by resource scripts and code.
#pragma once

#define LSTORDER_IDI_MARKER 4      // icon; its left half is the marker
#define LSTORDER_IDC_INSERT 134    // cursor over a valid insertion point
#define LSTORDER_IDC_NOINSERT 135  // cursor elsewhere
