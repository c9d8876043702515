// The dissolve grid.
#include "setupext/orvadrop/dissolve.h"

#include <new>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DISSOLVE");

namespace {
// Far more than a screen holds at the smallest cell size; bounds the order's allocation.
const int64_t MAX_CELLS = 1 << 24;
const int DISSOLVE_RAND_MAX = 32767;

int32_t CellsAcross(int32_t cx, int32_t cxCell) {
    return cx / cxCell + (cx % cxCell ? 1 : 0);
}
}  // namespace

DISSOLVE* DISSOLVE_Construct(int32_t cx, int32_t cy, int32_t cxCell, int32_t cyCell) {
    if (cxCell < 1 || cyCell < 1)
        return nullptr;
    cx = cx < 0 ? 0 : cx;
    cy = cy < 0 ? 0 : cy;
    const int32_t nColumns = CellsAcross(cx, cxCell), nRows = CellsAcross(cy, cyCell);
    const int64_t nCells = static_cast<int64_t>(nColumns) * nRows;
    // A grid beyond the bound counts as one that cannot be allocated.
    DISSOLVE* pSelf = nCells <= MAX_CELLS ? new (std::nothrow) DISSOLVE{} : nullptr;
    if (pSelf) {
        pSelf->pOrder = new (std::nothrow) uint32_t[nCells ? nCells : 1];
        if (!pSelf->pOrder) {
            delete pSelf;
            pSelf = nullptr;
        }
    }
    MFX_VERIFY(pSelf);
    if (!pSelf)
        return nullptr;
    pSelf->cxImage = cx;
    pSelf->cyImage = cy;
    pSelf->cxCell = cxCell;
    pSelf->cyCell = cyCell;
    pSelf->nColumns = nColumns;
    pSelf->nRows = nRows;
    pSelf->cxRemainder = cx % cxCell;
    pSelf->cyRemainder = cy % cyCell;
    pSelf->maxOrder = static_cast<uint32_t>(nCells);
    for (uint32_t i = 0; i < pSelf->maxOrder; ++i)
        pSelf->pOrder[i] = i;
    return pSelf;
}

void DISSOLVE_Destroy(DISSOLVE* pSelf) {
    if (pSelf)
        delete[] pSelf->pOrder;
    delete pSelf;
}

int DISSOLVE_Rand(uint32_t* pSeed) {
    *pSeed = *pSeed * 214013u + 2531011u;
    return static_cast<int>((*pSeed >> 16) & 0x7FFF);
}

// The index is scaled in 64 bits: in 32 bits the product of a random number and a large cell count wraps and
// would point outside the order.
void DISSOLVE_Shuffle(DISSOLVE* pSelf) {
    uint32_t nSeed = 1;
    for (uint32_t i = 0; i < pSelf->maxOrder; ++i) {
        const uint64_t Index = static_cast<uint64_t>(DISSOLVE_Rand(&nSeed)) * pSelf->maxOrder / DISSOLVE_RAND_MAX;
        // The largest random number gives the count itself, which names no cell.
        if (MFX_VERIFY(Index < pSelf->maxOrder)) {
            const uint32_t nCell = pSelf->pOrder[i];
            pSelf->pOrder[i] = pSelf->pOrder[Index];
            pSelf->pOrder[Index] = nCell;
        }
    }
    pSelf->nNext = 0;
}

bool DISSOLVE_Next(DISSOLVE* pSelf, DISSOLVE_RECT* pCell) {
    if (pSelf->nNext >= pSelf->maxOrder)
        return false;
    const uint32_t nCell = pSelf->pOrder[pSelf->nNext++];
    const int32_t x = static_cast<int32_t>(nCell % pSelf->nColumns) * pSelf->cxCell;
    const int32_t y = static_cast<int32_t>(nCell / pSelf->nColumns) * pSelf->cyCell;
    *pCell = {x, y, x + pSelf->cxCell, y + pSelf->cyCell};
    return true;
}

void DISSOLVE_CellSizes(int32_t cxScreen, int32_t anSizes[4]) {
    const int32_t nScale = cxScreen > 640 ? 2 : 1;
    anSizes[0] = 2;
    anSizes[1] = 3 * nScale;
    anSizes[2] = 4 * nScale;
    anSizes[3] = 3 * nScale;
}
