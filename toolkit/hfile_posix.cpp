// The handle calls outside Windows: POSIX file descriptors, so the record readers run and are tested natively.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "toolkit/hfile.h"
#include "toolkit/hfilesys.h"

HFILE HFILE_OpenRead(const char* szName) {
    return szName ? open(szName, O_RDONLY) : HFILE_NONE;
}

HFILE HFILE_Create(const char* szName) {
    return szName ? open(szName, O_WRONLY | O_CREAT | O_TRUNC, 0644) : HFILE_NONE;
}

int HFILESYS_Close(HFILE hFile) {
    return hFile != HFILE_NONE && close(hFile) == 0;
}

namespace {

// A descriptor may deliver a transfer in parts; only the end of the file or an error makes it short.
template <typename CHAR, typename TRANSFER>
int TransferAll(CHAR* pAt, uint32_t cb, TRANSFER transfer) {
    while (cb > 0) {
        const ssize_t cbDone = transfer(pAt, cb);
        if (cbDone < 0 && errno == EINTR)
            continue;
        if (cbDone <= 0)
            return 0;
        pAt += cbDone;
        cb -= static_cast<uint32_t>(cbDone);
    }
    return 1;
}

}  // namespace

int HFILESYS_Read(HFILE hFile, void* pBuffer, uint32_t cb) {
    return TransferAll(static_cast<char*>(pBuffer), cb, [hFile](char* p, uint32_t n) { return read(hFile, p, n); });
}

int HFILE_Write(HFILE hFile, const void* pBuffer, uint32_t cb) {
    return TransferAll(static_cast<const char*>(pBuffer), cb,
                       [hFile](const char* p, uint32_t n) { return write(hFile, p, n); });
}

// Positions beyond the signed 32-bit range cannot be answered in a LONG and count as failures.
int32_t HFILESYS_Seek(HFILE hFile, int32_t lOffset, HFILE_ORIGIN origin) {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t position = lseek(hFile, lOffset, whence[origin]);
    return position < 0 || position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}
