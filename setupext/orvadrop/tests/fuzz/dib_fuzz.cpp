// Bitmap files as a backdrop's LOGO.BMP may hold them: whatever the bytes, the check never reads outside them
// and a file it accepts has its rows inside it.
#include <cstdint>
#include <cstdlib>

#include "setupext/orvadrop/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cb) {
    size_t cbBitsAt = 0;
    DIB_INFO info;
    if (DIB_CheckFile(pData, cb, &cbBitsAt, &info)) {
        if (cbBitsAt > cb || info.cbBits > cb - cbBitsAt || 14 + info.cbTable > cbBitsAt)
            abort();
        if (DIB_BitsOffset(pData + 14) != info.cbTable)
            abort();
    }
    return 0;
}
