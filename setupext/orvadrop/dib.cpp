// Device-independent bitmaps as bytes.
#include "setupext/orvadrop/dib.h"

namespace {

const size_t CB_FILEHEADER = 14;
const size_t CB_INFOHEADER = 40;
const uint32_t DIB_BI_RGB = 0;
const uint32_t DIB_BI_BITFIELDS = 3;
// Beyond any screen: bounds the rows' arithmetic.
const int32_t MAX_SIDE = 32768;

uint32_t Dword(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Word(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The colour table's entries for a header, or -1 for a format that is not accepted.
int32_t TableEntries(const uint8_t* pDib) {
    const uint32_t cbHeader = Dword(pDib);
    const uint16_t nBitCount = Word(pDib + 14);
    const uint32_t nCompression = Dword(pDib + 16), nUsed = Dword(pDib + 32);
    if (nUsed > 256)
        return -1;
    switch (nBitCount) {
        case 1:
        case 4:
        case 8:
            if (nCompression != DIB_BI_RGB || nUsed > (1u << nBitCount))
                return -1;
            return static_cast<int32_t>(nUsed ? nUsed : (1u << nBitCount));
        case 16:
        case 32:
            if (nCompression != DIB_BI_RGB && nCompression != DIB_BI_BITFIELDS)
                return -1;
            // Bit fields follow a plain 40-byte header as three masks.
            return static_cast<int32_t>(nUsed) +
                   (nCompression == DIB_BI_BITFIELDS && cbHeader == CB_INFOHEADER ? 3 : 0);
        case 24:
            return nCompression == DIB_BI_RGB ? static_cast<int32_t>(nUsed) : -1;
        default:
            return -1;
    }
}

}  // namespace

bool DIB_Check(const uint8_t* pDib, size_t cb, DIB_INFO* pInfo) {
    if (!pDib || cb < CB_INFOHEADER)
        return false;
    const uint32_t cbHeader = Dword(pDib);
    const int32_t cx = static_cast<int32_t>(Dword(pDib + 4));
    const int32_t cyStored = static_cast<int32_t>(Dword(pDib + 8));
    const uint16_t nPlanes = Word(pDib + 12), nBitCount = Word(pDib + 14);
    if (cbHeader < CB_INFOHEADER || cbHeader > cb || nPlanes != 1)
        return false;
    if (cx <= 0 || cx > MAX_SIDE || cyStored == 0 || cyStored < -MAX_SIDE || cyStored > MAX_SIDE)
        return false;
    const int32_t nColours = TableEntries(pDib);
    if (nColours < 0)
        return false;
    const int32_t cy = cyStored < 0 ? -cyStored : cyStored;
    const size_t cbRow = ((static_cast<size_t>(cx) * nBitCount + 31) / 32) * 4;
    const size_t cbTable = static_cast<size_t>(nColours) * 4;
    const size_t cbBits = cbRow * static_cast<size_t>(cy);
    if (cbTable > cb - cbHeader || cbBits > cb - cbHeader - cbTable)
        return false;
    if (pInfo)
        *pInfo = {cx, cy, nBitCount, static_cast<uint32_t>(nColours), cbHeader + cbTable, cbBits};
    return true;
}

bool DIB_CheckFile(const uint8_t* pFile, size_t cb, size_t* pcbBitsAt, DIB_INFO* pInfo) {
    if (!pFile || cb < CB_FILEHEADER || pFile[0] != 'B' || pFile[1] != 'M')
        return false;
    DIB_INFO info;
    if (!DIB_Check(pFile + CB_FILEHEADER, cb - CB_FILEHEADER, &info))
        return false;
    // An offset of 0 means the rows follow the colour table.
    size_t cbBitsAt = Dword(pFile + 10);
    if (cbBitsAt == 0)
        cbBitsAt = CB_FILEHEADER + info.cbTable;
    if (cbBitsAt < CB_FILEHEADER + info.cbTable || cbBitsAt > cb || info.cbBits > cb - cbBitsAt)
        return false;
    *pcbBitsAt = cbBitsAt;
    if (pInfo)
        *pInfo = info;
    return true;
}

size_t DIB_BitsOffset(const uint8_t* pDib) {
    return Dword(pDib) + static_cast<size_t>(TableEntries(pDib)) * 4;
}
