#include "toolkit/strindle.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/stringlist.h"

MFX_SOURCE_MODULE("Strindle");

// The block is one malloc'd allocation grown with realloc: like a movable memory block it keeps its layout
// while it may move as it grows, which is why Append hands the block back.
namespace {

const uint32_t SIZEFIELD = sizeof(uint32_t);
// Entries are never allowed to take the block near the 32-bit limit of its size fields.
const uint32_t MAX_CAPACITY = 0x7FFF0000;

char* BytesOf(STRINDLE* pBlock) {
    return reinterpret_cast<char*>(pBlock);
}

const char* BytesOf(const STRINDLE* pBlock) {
    return reinterpret_cast<const char*>(pBlock);
}

uint32_t ReadSize(const char* p) {
    uint32_t dwSize;
    memcpy(&dwSize, p, sizeof(dwSize));
    return dwSize;
}

void WriteSize(char* p, uint32_t dwSize) {
    memcpy(p, &dwSize, sizeof(dwSize));
}

bool IsStrindle(const STRINDLE* pBlock) {
    return OBJECT_IsValid(pBlock, STRINDLE) && pBlock->dwSignature == STRINDLE_SIGNATURE;
}

int AppendToBlock(const char* szString, void* ppBlock) {
    STRINDLE** ppStrindle = static_cast<STRINDLE**>(ppBlock);
    STRINDLE* pGrown = STRINDLE_Append(*ppStrindle, szString);
    if (!pGrown)
        return 0;
    *ppStrindle = pGrown;
    return 1;
}

}  // namespace

STRINDLE* STRINDLE_Create() {
    STRINDLE* pBlock = static_cast<STRINDLE*>(calloc(1, STRINDLE_INITIALSIZE));
    MFX_PRE(pBlock);
    pBlock->dwSignature = STRINDLE_SIGNATURE;
    pBlock->dwCapacity = STRINDLE_INITIALSIZE;
    pBlock->dwUsed = sizeof(STRINDLE);
    return pBlock;
}

STRINDLE* STRINDLE_FromStringList(const STRINGLIST* pList) {
    STRINDLE* pBlock = STRINDLE_Create();
    if (pBlock && !STRINGLIST_ForEach(pList, &AppendToBlock, &pBlock)) {
        STRINDLE_Free(pBlock);
        return nullptr;
    }
    return pBlock;
}

STRINDLE* STRINDLE_Append(STRINDLE* pBlock, const char* szString) {
    MFX_PRE(IsStrindle(pBlock));
    MFX_PRE(szString);
    const size_t cch = strlen(szString);
    MFX_PRE(cch < MAX_CAPACITY);
    const uint32_t dwSize = static_cast<uint32_t>((cch + 1 + 3) & ~size_t{3});
    const uint32_t dwNeeded = SIZEFIELD + dwSize + SIZEFIELD;  // the entry and the closing 0 size behind it
    MFX_PRE(dwNeeded <= MAX_CAPACITY - pBlock->dwUsed);
    if (pBlock->dwUsed + dwNeeded > pBlock->dwCapacity) {
        const uint32_t dwGrowBy = dwNeeded > STRINDLE_GROWBY ? dwNeeded : STRINDLE_GROWBY;
        MFX_PRE(dwGrowBy <= MAX_CAPACITY - pBlock->dwCapacity);
        STRINDLE* pGrown = static_cast<STRINDLE*>(realloc(pBlock, pBlock->dwCapacity + dwGrowBy));
        MFX_PRE(pGrown);
        pBlock = pGrown;
        pBlock->dwCapacity += dwGrowBy;
    }
    char* pEntry = BytesOf(pBlock) + pBlock->dwUsed;
    WriteSize(pEntry, dwSize);
    memset(pEntry + SIZEFIELD, 0, dwSize);
    memcpy(pEntry + SIZEFIELD, szString, cch);
    pBlock->dwUsed += SIZEFIELD + dwSize;
    pBlock->dwCount += 1;
    WriteSize(BytesOf(pBlock) + pBlock->dwUsed, 0);
    return pBlock;
}

const char* STRINDLE_First(const STRINDLE* pBlock) {
    MFX_PRE(IsStrindle(pBlock));
    if (pBlock->dwCount == 0)
        return nullptr;
    return BytesOf(pBlock) + sizeof(STRINDLE) + SIZEFIELD;
}

// The entry must be one of this block's, which its position inside the used part checks.
const char* STRINDLE_Next(const STRINDLE* pBlock, const char* szEntry) {
    MFX_PRE(IsStrindle(pBlock));
    MFX_PRE(szEntry);
    const char* pStart = BytesOf(pBlock);
    MFX_PRE(szEntry >= pStart + sizeof(STRINDLE) + SIZEFIELD && szEntry < pStart + pBlock->dwUsed);
    const char* pNextField = szEntry + ReadSize(szEntry - SIZEFIELD);
    MFX_PRE(pNextField <= pStart + pBlock->dwUsed);
    return ReadSize(pNextField) == 0 ? nullptr : pNextField + SIZEFIELD;
}

int STRINDLE_Free(STRINDLE* pBlock) {
    MFX_PRE(IsStrindle(pBlock));
    pBlock->dwSignature = 0;
    free(pBlock);
    return 1;
}
