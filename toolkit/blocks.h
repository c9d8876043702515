// A pool of fixed-size memory items carved from segments: allocation and release are a step on a free list.
#pragma once

#include <cstddef>

struct SEGNODE;

struct BLOCKS {
    size_t cbItem;
    size_t nItemsPerSegment;  // (segment size - BLOCKS_SEGMENTOVERHEAD) / item size
    size_t cbSegment;
    bool fCheck;  // releases are checked against the pool's segments (set for every pool)
    SEGNODE* pSegments;
    void* pFree;
    bool fShared;
};

const size_t BLOCKS_SEGMENTOVERHEAD = 12;
const size_t BLOCKS_MAXUSABLE = 65520;  // a segment's usable part must stay below this

// A pool with its first segment; null for a segment size whose usable part is not larger than the item size
// or reaches BLOCKS_MAXUSABLE.
BLOCKS* BLOCKS_Construct(size_t cbItem, size_t cbSegment, bool fShared);
// An item, adding a segment when none is free; null when memory is short.
void* BLOCKS_Alloc(BLOCKS* pPool);
// Gives an item back; an item that is not one of the pool's, or is already free, is reported and refused.
int BLOCKS_Free(BLOCKS* pPool, void* pItem);
// Frees every segment and the pool.
int BLOCKS_Destructor(BLOCKS* pPool);
