#include "toolkit/hfile.h"

#include <cstring>

#include "toolkit/diag.h"
#include "toolkit/hfilesys.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("HFILE");

namespace {

const int32_t LARGE_PIECE = 32768;

// The read-ahead of a buffered handle: the bytes of the file from lStart, of which the first at are consumed.
struct READAHEAD {
    HFILE hFile;
    int32_t lStart;
    uint32_t cb;
    uint32_t at;
    char data[16384];
};
const int MAX_READAHEAD = 4;
READAHEAD s_readahead[MAX_READAHEAD] = {{HFILE_NONE, 0, 0, 0, {}},
                                        {HFILE_NONE, 0, 0, 0, {}},
                                        {HFILE_NONE, 0, 0, 0, {}},
                                        {HFILE_NONE, 0, 0, 0, {}}};

READAHEAD* FindReadAhead(HFILE hFile) {
    for (READAHEAD& readahead : s_readahead) {
        if (hFile != HFILE_NONE && readahead.hFile == hFile)
            return &readahead;
    }
    return nullptr;
}

void Restart(READAHEAD* pAhead, HFILE hFile, int32_t lPosition) {
    pAhead->hFile = hFile;
    pAhead->lStart = lPosition;
    pAhead->cb = pAhead->at = 0;
}

int ReadAhead(READAHEAD* pAhead, char* pAt, uint32_t cb) {
    while (cb > 0) {
        if (pAhead->at == pAhead->cb) {
            pAhead->lStart += static_cast<int32_t>(pAhead->cb);
            pAhead->cb = pAhead->at = 0;
            // A large read goes straight to the file.
            if (cb >= sizeof(pAhead->data)) {
                if (!HFILESYS_Read(pAhead->hFile, pAt, cb))
                    return 0;
                pAhead->lStart += static_cast<int32_t>(cb);
                return 1;
            }
            const int32_t lEnd = HFILESYS_Seek(pAhead->hFile, 0, HFILE_FROM_END);
            if (lEnd < pAhead->lStart || HFILESYS_Seek(pAhead->hFile, pAhead->lStart, HFILE_FROM_START) == -1)
                return 0;
            const uint32_t cbFill = static_cast<uint32_t>(lEnd - pAhead->lStart) < sizeof(pAhead->data)
                                        ? static_cast<uint32_t>(lEnd - pAhead->lStart)
                                        : static_cast<uint32_t>(sizeof(pAhead->data));
            if (cbFill == 0 || !HFILESYS_Read(pAhead->hFile, pAhead->data, cbFill))
                return 0;
            pAhead->cb = cbFill;
        }
        const uint32_t cbNow = cb < pAhead->cb - pAhead->at ? cb : pAhead->cb - pAhead->at;
        memcpy(pAt, pAhead->data + pAhead->at, cbNow);
        pAhead->at += cbNow;
        pAt += cbNow;
        cb -= cbNow;
    }
    return 1;
}

// Reads cb bytes of text; after a short read the buffer is left empty rather than holding part of it.
bool ReadText(HFILE hFile, char* szBuffer, uint32_t cb) {
    if (HFILE_Read(hFile, szBuffer, cb))
        return true;
    szBuffer[0] = '\0';
    return false;
}

}  // namespace

HFILE HFILE_OpenReadBuffered(const char* szName) {
    const HFILE hFile = HFILE_OpenRead(szName);
    // Without a free block the handle still works, unbuffered.
    for (READAHEAD& readahead : s_readahead) {
        if (HFILE_IsOpen(hFile) && readahead.hFile == HFILE_NONE) {
            Restart(&readahead, hFile, 0);
            break;
        }
    }
    return hFile;
}

int HFILE_Close(HFILE hFile) {
    if (READAHEAD* pAhead = FindReadAhead(hFile))
        pAhead->hFile = HFILE_NONE;
    return HFILESYS_Close(hFile);
}

int HFILE_Read(HFILE hFile, void* pBuffer, uint32_t cb) {
    READAHEAD* pAhead = FindReadAhead(hFile);
    return pAhead ? ReadAhead(pAhead, static_cast<char*>(pBuffer), cb) : HFILESYS_Read(hFile, pBuffer, cb);
}

int32_t HFILE_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin) {
    READAHEAD* pAhead = FindReadAhead(hFile);
    if (!pAhead)
        return HFILESYS_Seek(hFile, lOffset, origin);
    if (origin == HFILE_FROM_CURRENT) {
        lOffset += pAhead->lStart + static_cast<int32_t>(pAhead->at);
        origin = HFILE_FROM_START;
    }
    const int32_t lPosition = HFILESYS_Seek(hFile, lOffset, origin);
    if (lPosition != -1)
        Restart(pAhead, hFile, lPosition);
    return lPosition;
}

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
