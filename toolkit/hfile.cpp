#include "hfile.h"

#include <cstring>

#include "diag.h"
#include "mfx.h"

MFX_SOURCE_MODULE("HFILE");

namespace {

const int32_t LARGE_PIECE = 32768;

// Reads cb bytes of text; after a short read the buffer is left empty rather than holding part of it.
bool ReadText(HFILE hFile, char* szBuffer, uint32_t cb) {
    if (HFILE_Read(hFile, szBuffer, cb))
        return true;
    szBuffer[0] = '\0';
    return false;
}

}  // namespace

int HFILE_ReadString(HFILE hFile, char* szBuffer, uint32_t cbBuffer) {
    MFX_PRE(szBuffer);
    MFX_PRE(cbBuffer >= 2);
    szBuffer[0] = '\0';
    int16_t nLength = 0;
    MFX_PRE(HFILE_ReadShort(hFile, &nLength));
    const uint32_t cbLength = static_cast<uint16_t>(nLength);
    uint32_t cbDelivered = cbLength;
    if (cbLength >= cbBuffer - 1) {
        cbDelivered = cbBuffer - 1;
        MFX_PRE(ReadText(hFile, szBuffer, cbDelivered));
        MFX_PRE(HFILE_Seek(hFile, static_cast<int32_t>(cbLength - cbDelivered), HFILE_FROM_CURRENT) != -1);
    } else if (cbLength > 0) {
        MFX_PRE(ReadText(hFile, szBuffer, cbLength));
    }
    szBuffer[cbDelivered] = '\0';
    DIAG_TraceString("HFILE_ReadString ", "String", szBuffer);
    DIAG_TraceNumber("HFILE_ReadString ", "Length", cbDelivered);
    return 1;
}

int32_t HFILE_ReadLarge(HFILE hFile, void* pBuffer, int32_t cb) {
    MFX_PRE(pBuffer);
    MFX_PRE(cb >= 0);
    char* pAt = static_cast<char*>(pBuffer);
    int32_t cbLeft = cb;
    for (; cbLeft > LARGE_PIECE; cbLeft -= LARGE_PIECE, pAt += LARGE_PIECE) {
        if (!HFILE_Read(hFile, pAt, LARGE_PIECE))
            return 0;
    }
    return HFILE_Read(hFile, pAt, static_cast<uint32_t>(cbLeft)) ? cb : 0;
}

int32_t HFILE_GetSize(HFILE hFile) {
    const int32_t lPosition = HFILE_Seek(hFile, 0, HFILE_FROM_CURRENT);
    MFX_PRE(lPosition != -1);
    const int32_t lSize = HFILE_Seek(hFile, 0, HFILE_FROM_END);
    MFX_VERIFY(HFILE_Seek(hFile, lPosition, HFILE_FROM_START) == lPosition);
    return lSize;
}

int HFILE_WriteString(HFILE hFile, const char* szText) {
    MFX_PRE(szText);
    const size_t cch = strlen(szText);
    MFX_PRE(cch <= UINT16_MAX);
    return HFILE_WriteShort(hFile, static_cast<int16_t>(static_cast<uint16_t>(cch))) &&
           HFILE_Write(hFile, szText, static_cast<uint32_t>(cch));
}
