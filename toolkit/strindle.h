// A packed array of strings in one growing memory block: a 16-byte header, then one entry per string (a
// 32-bit size, the string length plus one rounded up to a multiple of 4, and the string padded to that size),
// then a size of 0.
#pragma once

#include <cstdint>

struct STRINGLIST;

const uint32_t STRINDLE_SIGNATURE = 16;
const uint32_t STRINDLE_INITIALSIZE = 16400;
const uint32_t STRINDLE_GROWBY = 16384;

// The block's header; the entries follow it in the same block.
struct STRINDLE {
    uint32_t dwSignature;  // STRINDLE_SIGNATURE
    uint32_t dwCount;      // entries
    uint32_t dwCapacity;   // bytes in the block
    uint32_t dwUsed;       // bytes of header and entries, without the closing 0 size
};

STRINDLE* STRINDLE_Create();
// A block holding every string of the list in order.
STRINDLE* STRINDLE_FromStringList(const STRINGLIST* pList);
// Appends the string and returns the block, which may have moved: continue with the returned block. Null when
// the block cannot grow; the block passed in is then unchanged and still the caller's.
STRINDLE* STRINDLE_Append(STRINDLE* pBlock, const char* szString);
// The first string and the one after a given string; null at the end.
const char* STRINDLE_First(const STRINDLE* pBlock);
const char* STRINDLE_Next(const STRINDLE* pBlock, const char* szEntry);
int STRINDLE_Free(STRINDLE* pBlock);
