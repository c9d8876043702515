// The handle calls on Windows: the platform's simple file calls.
#include <windows.h>

#include "toolkit/hfile.h"
#include "toolkit/hfilesys.h"

HFILE HFILE_OpenRead(const char* szName) {
    return szName ? _lopen(szName, OF_READ | OF_SHARE_DENY_NONE) : HFILE_NONE;
}

HFILE HFILE_Create(const char* szName) {
    return szName ? _lcreat(szName, 0) : HFILE_NONE;
}

int HFILESYS_Close(HFILE hFile) {
    return hFile != HFILE_NONE && _lclose(hFile) != HFILE_ERROR;
}

int HFILESYS_Read(HFILE hFile, void* pBuffer, uint32_t cb) {
    return _lread(hFile, pBuffer, cb) == cb;
}

int HFILE_Write(HFILE hFile, const void* pBuffer, uint32_t cb) {
    return _lwrite(hFile, static_cast<LPCCH>(pBuffer), cb) == cb;
}

int32_t HFILESYS_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin) {
    return _llseek(hFile, lOffset, origin);
}
