// Device-independent bitmaps as bytes: the checks that make a bitmap from a file or a resource safe to hand to
// the platform. A packed DIB is a BITMAPINFOHEADER (40 bytes or more), its colour table and its pixel rows; a
// bitmap file puts a 14-byte file header in front and may leave a gap before the rows. Portable code.
#pragma once

#include <cstddef>
#include <cstdint>

struct DIB_INFO {
    int32_t cx, cy;  // cy positive whichever way up the rows are stored
    uint16_t nBitCount;
    uint32_t nColours;  // entries of the colour table (or the three masks of bit fields)
    size_t cbTable;     // header and colour table: where a packed DIB's rows start
    size_t cbBits;      // the pixel rows
};

// Checks a packed DIB of cb bytes: a known header size, one plane, 1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed (or bit fields at 16 and 32), a positive size, a colour table of at most 256 entries, and every
// row inside the bytes. Fills pInfo on success.
bool DIB_Check(const uint8_t* pDib, size_t cb, DIB_INFO* pInfo);
// Checks a bitmap file of cb bytes ("BM", the header and table from byte 14, the rows from the offset the file
// header gives) and tells where its rows start.
bool DIB_CheckFile(const uint8_t* pFile, size_t cb, size_t* pcbBitsAt, DIB_INFO* pInfo);
// Where the rows of a checked packed DIB start.
size_t DIB_BitsOffset(const uint8_t* pDib);
