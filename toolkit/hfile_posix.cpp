// The handle calls outside Windows: POSIX file descriptors, so the record readers run and are tested natively.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "hfile.h"

HFILE HFILE_OpenRead(const char* szName) {
    return szName ? open(szName, O_RDONLY) : HFILE_NONE;
}

HFILE HFILE_Create(const char* szName) {
    return szName ? open(szName, O_WRONLY | O_CREAT | O_TRUNC, 0644) : HFILE_NONE;
}

int HFILE_Close(HFILE hFile) {
    return hFile != HFILE_NONE && close(hFile) == 0;
}

// A descriptor may deliver a transfer in parts; only the end of the file or an error makes it short.
int HFILE_Read(HFILE hFile, void* pBuffer, uint32_t cb) {
    char* pAt = static_cast<char*>(pBuffer);
    while (cb > 0) {
        const ssize_t cbRead = read(hFile, pAt, cb);
        if (cbRead < 0 && errno == EINTR)
            continue;
        if (cbRead <= 0)
            return 0;
        pAt += cbRead;
        cb -= static_cast<uint32_t>(cbRead);
    }
    return 1;
}

int HFILE_Write(HFILE hFile, const void* pBuffer, uint32_t cb) {
    const char* pAt = static_cast<const char*>(pBuffer);
    while (cb > 0) {
        const ssize_t cbWritten = write(hFile, pAt, cb);
        if (cbWritten < 0 && errno == EINTR)
            continue;
        if (cbWritten <= 0)
            return 0;
        pAt += cbWritten;
        cb -= static_cast<uint32_t>(cbWritten);
    }
    return 1;
}

// Positions beyond the signed 32-bit range cannot be answered in a LONG and count as failures.
int32_t HFILE_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin) {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t position = lseek(hFile, lOffset, whence[origin]);
    return position < 0 || position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}
