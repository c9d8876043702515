#include "toolkit/blocks.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("BLOCKS");

// A segment is one ordinary heap block of the segment size (shared or not, the process's heap serves both):
// its first 8 bytes link it to the next segment, and its items follow from there. A free item holds the link
// to the next free item in its first bytes, so an item is at least a pointer wide.
struct SEGNODE {
    SEGNODE* pNext;
};

namespace {

const size_t ITEMS_OFFSET = 8;
static_assert(sizeof(SEGNODE) <= ITEMS_OFFSET, "the segment link fits before the items");

void* NextFree(const void* pItem) {
    void* pNext;
    memcpy(&pNext, pItem, sizeof(pNext));
    return pNext;
}

void SetNextFree(void* pItem, void* pNext) {
    memcpy(pItem, &pNext, sizeof(pNext));
}

char* ItemsOf(SEGNODE* pSegment) {
    return reinterpret_cast<char*>(pSegment) + ITEMS_OFFSET;
}

bool AddSegment(BLOCKS* pPool) {
    char* pBlock = new (std::nothrow) char[pPool->cbSegment];
    if (!pBlock)
        return false;
    SEGNODE* pSegment = new (pBlock) SEGNODE{pPool->pSegments};
    pPool->pSegments = pSegment;
    for (size_t i = pPool->nItemsPerSegment; i-- > 0;) {
        char* pItem = ItemsOf(pSegment) + i * pPool->cbItem;
        SetNextFree(pItem, pPool->pFree);
        pPool->pFree = pItem;
    }
    return true;
}

// One of the pool's item slots: inside a segment and on an item boundary.
bool IsPoolItem(const BLOCKS* pPool, const void* pItem) {
    const uintptr_t uItem = reinterpret_cast<uintptr_t>(pItem);
    for (SEGNODE* pSegment = pPool->pSegments; pSegment; pSegment = pSegment->pNext) {
        const uintptr_t uFirst = reinterpret_cast<uintptr_t>(ItemsOf(pSegment));
        if (uItem >= uFirst && uItem < uFirst + pPool->nItemsPerSegment * pPool->cbItem)
            return (uItem - uFirst) % pPool->cbItem == 0;
    }
    return false;
}

// Already on the free list: a second release would hand the item out twice.
bool IsFree(const BLOCKS* pPool, const void* pItem) {
    for (const void* pFree = pPool->pFree; pFree; pFree = NextFree(pFree)) {
        if (pFree == pItem)
            return true;
    }
    return false;
}

}  // namespace

BLOCKS* BLOCKS_Construct(size_t cbItem, size_t cbSegment, bool fShared) {
    MFX_PRE(cbItem >= sizeof(void*));
    MFX_PRE(cbSegment > BLOCKS_SEGMENTOVERHEAD);
    const size_t cbUsable = cbSegment - BLOCKS_SEGMENTOVERHEAD;
    MFX_PRE(cbUsable < BLOCKS_MAXUSABLE && cbUsable > cbItem);
    BLOCKS* pPool = new (std::nothrow) BLOCKS{cbItem, cbUsable / cbItem, cbSegment, true, nullptr, nullptr, fShared};
    MFX_PRE(pPool);
    const bool fFirstSegment = AddSegment(pPool);
    if (!fFirstSegment)
        delete pPool;
    MFX_PRE(fFirstSegment);
    return pPool;
}

void* BLOCKS_Alloc(BLOCKS* pPool) {
    MFX_PRE(OBJECT_IsValid(pPool, BLOCKS));
    if (!pPool->pFree)
        MFX_PRE(AddSegment(pPool));
    void* pItem = pPool->pFree;
    pPool->pFree = NextFree(pItem);
    return pItem;
}

int BLOCKS_Free(BLOCKS* pPool, void* pItem) {
    MFX_PRE(OBJECT_IsValid(pPool, BLOCKS));
    if (pPool->fCheck) {
        MFX_PRE(MFX_IsReadable(pItem, sizeof(void*)));
        MFX_PRE(IsPoolItem(pPool, pItem));
        MFX_PRE(MFX_IsReadable(pItem, pPool->cbItem));
        MFX_PRE(!IsFree(pPool, pItem));
    }
    SetNextFree(pItem, pPool->pFree);
    pPool->pFree = pItem;
    return 1;
}

int BLOCKS_Destructor(BLOCKS* pPool) {
    MFX_PRE(OBJECT_IsValid(pPool, BLOCKS));
    while (pPool->pSegments) {
        SEGNODE* pSegment = pPool->pSegments;
        MFX_PRE(MFX_IsReadable(pSegment, pPool->cbSegment));
        pPool->pSegments = pSegment->pNext;
        delete[] reinterpret_cast<char*>(pSegment);
    }
    delete pPool;
    return 1;
}
