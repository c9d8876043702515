// The dissolve grid: a picture cut into cells that are revealed (or blacked out) one by one in a scattered
// order that is the same on every run and every platform. Portable code.
#pragma once

#include <cstdint>

struct DISSOLVE {
    int32_t cxImage, cyImage;
    int32_t cxCell, cyCell;
    int32_t nColumns, nRows;
    int32_t cxRemainder, cyRemainder;  // what the last column and row have of the image
    uint32_t nNext;                    // the next index into the order
    uint32_t maxOrder;                 // the cell count
    uint32_t* pOrder;                  // cell numbers, row by row from the top left
};

struct DISSOLVE_RECT {
    int32_t left, top, right, bottom;
};

// A grid over an image cx by cy with cells cxCell by cyCell, the cells in their natural order. Null for a cell
// size below 1, or when the grid cannot be allocated. A negative image size counts as 0.
DISSOLVE* DISSOLVE_Construct(int32_t cx, int32_t cy, int32_t cxCell, int32_t cyCell);
void DISSOLVE_Destroy(DISSOLVE* pSelf);
// Scatters the order with the C run-time's generator seeded with 1 and starts again from the first cell.
void DISSOLVE_Shuffle(DISSOLVE* pSelf);
// The next cell's rectangle, always a full cell (the last column and row reach past the image); false after
// the last cell.
bool DISSOLVE_Next(DISSOLVE* pSelf, DISSOLVE_RECT* pCell);

// The C run-time library's pseudo-random generator as the Microsoft run-time defines it, kept here so that the
// order is the same on every platform: the next number from 0 to 32,767.
int DISSOLVE_Rand(uint32_t* pSeed);

// The four cell sizes of a screen cxScreen wide: 2, 3, 4 and 3 pixels, the last three doubled above 640.
void DISSOLVE_CellSizes(int32_t cxScreen, int32_t anSizes[4]);
