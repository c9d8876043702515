// Plain numeric file handles and the binary records read through them.
//
// Numbers are little-endian and unpadded; a counted string is a 16-bit length and its bytes without a
// terminator. Every read delivers exactly what was asked or fails, and never retries. The handle calls are
// the platform's simple file calls (_lopen and its family on Windows, file descriptors elsewhere); the record
// reads on top of them are portable.
#pragma once

#include <cstdint>

typedef int HFILE;
const HFILE HFILE_NONE = -1;

enum HFILE_ORIGIN { HFILE_FROM_START = 0, HFILE_FROM_CURRENT = 1, HFILE_FROM_END = 2 };

// Opens read-only with sharing allowed to all; HFILE_NONE when the file cannot be opened.
HFILE HFILE_OpenRead(const char* szName);
// Creates the file, or empties an existing one, for writing.
HFILE HFILE_Create(const char* szName);
// Opens like HFILE_OpenRead, and serves reads from a read-ahead block, so a run of small field reads costs few
// calls of the platform. Seeks move the real file position, so a handle positioned by HFILE_Seek can be handed to
// code that reads it with the platform's own calls.
HFILE HFILE_OpenReadBuffered(const char* szName);
int HFILE_Close(HFILE hFile);
// Reads or writes cb bytes; true only when all of them were transferred.
int HFILE_Read(HFILE hFile, void* pBuffer, uint32_t cb);
int HFILE_Write(HFILE hFile, const void* pBuffer, uint32_t cb);
// The new position, or -1 when the seek failed.
int32_t HFILE_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin);

inline int HFILE_IsOpen(HFILE hFile) {
    return hFile != HFILE_NONE;
}

inline int HFILE_ReadShort(HFILE hFile, int16_t* pValue) {
    uint8_t b[2];
    if (!HFILE_Read(hFile, b, sizeof(b)))
        return 0;
    *pValue = static_cast<int16_t>(b[0] | b[1] << 8);
    return 1;
}

inline int HFILE_ReadDWORD(HFILE hFile, uint32_t* pValue) {
    uint8_t b[4];
    if (!HFILE_Read(hFile, b, sizeof(b)))
        return 0;
    *pValue = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
              static_cast<uint32_t>(b[3]) << 24;
    return 1;
}

inline int HFILE_ReadLONG(HFILE hFile, int32_t* pValue) {
    uint32_t dwValue = 0;
    if (!HFILE_ReadDWORD(hFile, &dwValue))
        return 0;
    *pValue = static_cast<int32_t>(dwValue);
    return 1;
}

// A counted string into a buffer of cbBuffer bytes (at least 2): a longer string is cut to cbBuffer - 1 bytes
// and the rest skipped, so the file stays positioned at the next field.
int HFILE_ReadString(HFILE hFile, char* szBuffer, uint32_t cbBuffer);
// Reads a block of any size in pieces; cb on success, 0 on failure.
int32_t HFILE_ReadLarge(HFILE hFile, void* pBuffer, int32_t cb);
// The file's size; the position stays where it was.
int32_t HFILE_GetSize(HFILE hFile);

inline int HFILE_WriteShort(HFILE hFile, int16_t nValue) {
    const uint8_t b[2] = {static_cast<uint8_t>(nValue), static_cast<uint8_t>(static_cast<uint16_t>(nValue) >> 8)};
    return HFILE_Write(hFile, b, sizeof(b));
}

inline int HFILE_WriteDWORD(HFILE hFile, uint32_t dwValue) {
    const uint8_t b[4] = {static_cast<uint8_t>(dwValue), static_cast<uint8_t>(dwValue >> 8),
                          static_cast<uint8_t>(dwValue >> 16), static_cast<uint8_t>(dwValue >> 24)};
    return HFILE_Write(hFile, b, sizeof(b));
}

// A counted string: its 16-bit length and its bytes. A text of 65,536 bytes or more is refused.
int HFILE_WriteString(HFILE hFile, const char* szText);
