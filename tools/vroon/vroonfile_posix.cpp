#include "tools/vroon/vroonfile.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <vector>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("VROONFILE");

namespace {

const uint64_t PAGE_ALIGNMENT = 4096;

VROONFILE_ERROR ErrorOf(int nErrno, VROONFILE_ERROR fallback) {
    switch (nErrno) {
        case ENOENT:
        case ENOTDIR: return VROONFILE_NOT_FOUND;
        case EISDIR: return VROONFILE_DIRECTORY;
        case EACCES:
        case EPERM:
        case EROFS: return VROONFILE_ACCESS;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return VROONFILE_NO_SPACE;
        case EEXIST: return VROONFILE_EXISTS;
        default: return fallback;
    }
}

int Fd(intptr_t h) {
    return static_cast<int>(h);
}

// The temporary file the signal handler removes; written before the file is created, cleared after it is
// renamed or removed.
char s_szGuarded[PATH_MAX + 1];
volatile sig_atomic_t s_fGuarded = 0;

void OnInterrupt(int nSignal) {
    if (s_fGuarded)
        unlink(s_szGuarded);
    signal(nSignal, SIG_DFL);
    raise(nSignal);
}

// The length of the hole at qwAt (0 when data is there), at most cbMax.
uint64_t HoleAt(int fd, uint64_t qwAt, uint64_t cbMax) {
    const off_t offData = lseek(fd, static_cast<off_t>(qwAt), SEEK_DATA);
    if (offData < 0)
        return errno == ENXIO ? cbMax : 0;  // no data up to the end, or no hole support: all data
    const uint64_t cbHole = static_cast<uint64_t>(offData) - qwAt;
    return cbHole < cbMax ? cbHole : cbMax;
}

// The length of the data at qwAt up to the next hole, at most cbMax.
uint64_t DataAt(int fd, uint64_t qwAt, uint64_t cbMax) {
    const off_t offHole = lseek(fd, static_cast<off_t>(qwAt), SEEK_HOLE);
    if (offHole < 0 || static_cast<uint64_t>(offHole) <= qwAt)
        return cbMax;
    const uint64_t cbData = static_cast<uint64_t>(offHole) - qwAt;
    return cbData < cbMax ? cbData : cbMax;
}

enum KERNELCOPY { KERNELCOPY_DONE, KERNELCOPY_UNABLE, KERNELCOPY_FAILED };

// Appends *pcb bytes from *pqwAt of fdIn at fdOut's position through the kernel, advancing both. UNABLE when
// the kernel cannot copy between these files (the rest is the caller's); FAILED with errno set, or 0 when the
// source ended early.
KERNELCOPY KernelCopy(int fdIn, int fdOut, uint64_t* pqwAt, uint64_t* pcb) {
    while (*pcb > 0) {
        off_t offIn = static_cast<off_t>(*pqwAt);
        const ssize_t n = copy_file_range(fdIn, &offIn, fdOut, nullptr, static_cast<size_t>(*pcb), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            return KERNELCOPY_UNABLE;
        if (n <= 0) {
            if (n == 0)
                errno = 0;
            return KERNELCOPY_FAILED;
        }
        *pqwAt += static_cast<uint64_t>(n);
        *pcb -= static_cast<uint64_t>(n);
    }
    return KERNELCOPY_DONE;
}

}  // namespace

CVroonFile::~CVroonFile() {
    Close();
}

bool CVroonFile::Fail(VROONFILE_ERROR error) {
    m_error = error;
    return false;
}

bool CVroonFile::OpenExisting(const char* szPath, bool fWrite) {
    Close();
    const int fd = open(szPath, (fWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return Fail(ErrorOf(errno, VROONFILE_OTHER));
    m_hFile = fd;
    struct stat st;
    if (fstat(fd, &st) != 0)
        return Fail(VROONFILE_READ);
    if (S_ISDIR(st.st_mode))
        return Fail(VROONFILE_DIRECTORY);
    m_qwSize = static_cast<uint64_t>(st.st_size);
    return true;
}

bool CVroonFile::OpenRead(const char* szPath) {
    if (!OpenExisting(szPath, false))
        return false;
    posix_fadvise(Fd(m_hFile), 0, 0, POSIX_FADV_SEQUENTIAL);  // a hint for read-ahead; its failure changes nothing
    return true;
}

bool CVroonFile::OpenUpdate(const char* szPath) {
    return OpenExisting(szPath, true);
}

bool CVroonFile::Create(const char* szPath) {
    Close();
    const int fd = open(szPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail(ErrorOf(errno, VROONFILE_WRITE));
    m_hFile = fd;
    m_qwSize = 0;
    return true;
}

bool CVroonFile::Close() {
    if (m_hFile < 0)
        return true;
    const bool fOk = close(Fd(m_hFile)) == 0;
    m_hFile = -1;
    return fOk || Fail(ErrorOf(errno, VROONFILE_WRITE));
}

bool CVroonFile::ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) {
    char* p = static_cast<char*>(pBuffer);
    while (cb > 0) {
        const ssize_t n = pread(Fd(m_hFile), p, cb, static_cast<off_t>(qwOffset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(VROONFILE_READ);
        p += n;
        cb -= static_cast<size_t>(n);
        qwOffset += static_cast<uint64_t>(n);
    }
    return true;
}

bool CVroonFile::Write(const void* pBuffer, size_t cb) {
    const char* p = static_cast<const char*>(pBuffer);
    while (cb > 0) {
        const ssize_t n = write(Fd(m_hFile), p, cb);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n == 0 ? VROONFILE_NO_SPACE : ErrorOf(errno, VROONFILE_WRITE));
        p += n;
        cb -= static_cast<size_t>(n);
        m_qwSize += static_cast<uint64_t>(n);
    }
    return true;
}

// The kernel copies between the files without passing the data through this process where it can; where it
// cannot (another file system, an old kernel, data that changes its place within a page), the buffer does.
// Holes of a sparse source stay holes.
bool CVroonFile::CopyData(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>* pBuffer) {
    while (cb > 0) {
        const uint64_t cbHole = HoleAt(Fd(source.m_hFile), qwAt, cb);
        if (cbHole > 0) {
            if (lseek(Fd(m_hFile), static_cast<off_t>(cbHole), SEEK_CUR) < 0)
                return Fail(ErrorOf(errno, VROONFILE_WRITE));
            m_qwSize += cbHole;
            qwAt += cbHole;
            cb -= cbHole;
            continue;
        }
        uint64_t cbData = DataAt(Fd(source.m_hFile), qwAt, cb);
        cb -= cbData;
        // The kernel's copy moves whole pages; where the data lands at another offset within a page than it had
        // (moov is rarely a whole number of pages), copying through a buffer of our own is faster.
        if ((qwAt - m_qwSize) % PAGE_ALIGNMENT != 0 && pBuffer->empty())
            pBuffer->resize(VROONFILE_COPY_BUFFER);
        if (pBuffer->empty()) {
            const uint64_t qwFrom = qwAt;
            const KERNELCOPY result = KernelCopy(Fd(source.m_hFile), Fd(m_hFile), &qwAt, &cbData);
            m_qwSize += qwAt - qwFrom;
            if (result == KERNELCOPY_FAILED)
                return Fail(errno ? ErrorOf(errno, VROONFILE_WRITE) : VROONFILE_READ);
            if (result == KERNELCOPY_UNABLE)
                pBuffer->resize(VROONFILE_COPY_BUFFER);
        }
        if (!CopyThroughBuffer(source, qwAt, cbData, *pBuffer))
            return false;
        qwAt += cbData;
    }
    return true;
}

bool CVroonFile::WriteAt(uint64_t qwAt, const void* pBuffer, size_t cb) {
    const char* p = static_cast<const char*>(pBuffer);
    while (cb > 0) {
        const ssize_t n = pwrite(Fd(m_hFile), p, cb, static_cast<off_t>(qwAt));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(n == 0 ? VROONFILE_NO_SPACE : ErrorOf(errno, VROONFILE_WRITE));
        p += n;
        cb -= static_cast<size_t>(n);
        qwAt += static_cast<uint64_t>(n);
        m_qwSize = qwAt > m_qwSize ? qwAt : m_qwSize;
    }
    return true;
}

bool CVroonFile::Truncate(uint64_t qwSize) {
    if (ftruncate(Fd(m_hFile), static_cast<off_t>(qwSize)) != 0)
        return Fail(ErrorOf(errno, VROONFILE_WRITE));
    m_qwSize = qwSize;
    return true;
}

// The insertion works in whole blocks of the file system.
uint32_t CVroonFile::BlockSize() {
    struct statfs fs;
    if (fstatfs(Fd(m_hFile), &fs) != 0 || fs.f_bsize <= 0)
        return 0;
    return static_cast<uint32_t>(fs.f_bsize);
}

// The file systems that insert (ext4, XFS) answer the others' EOPNOTSUPP; EINVAL means a range they will not
// take, such as one out of step with their blocks. Either way nothing has changed.
bool CVroonFile::InsertFront(uint64_t cb) {
    if (fallocate(Fd(m_hFile), FALLOC_FL_INSERT_RANGE, 0, static_cast<off_t>(cb)) != 0)
        return Fail(errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS ? VROONFILE_UNSUPPORTED
                                                                              : ErrorOf(errno, VROONFILE_WRITE));
    m_qwSize += cb;
    return true;
}

bool CVroonFile::RemoveFront(uint64_t cb) {
    if (fallocate(Fd(m_hFile), FALLOC_FL_COLLAPSE_RANGE, 0, static_cast<off_t>(cb)) != 0)
        return Fail(errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS ? VROONFILE_UNSUPPORTED
                                                                              : ErrorOf(errno, VROONFILE_WRITE));
    m_qwSize -= cb;
    return true;
}

bool CVroonFile::CloneFrom(CVroonFile& source) {
    if (ioctl(Fd(m_hFile), FICLONE, Fd(source.m_hFile)) != 0)
        return Fail(errno == EOPNOTSUPP || errno == EXDEV || errno == EINVAL || errno == ENOTTY
                        ? VROONFILE_UNSUPPORTED
                        : ErrorOf(errno, VROONFILE_WRITE));
    m_qwSize = source.m_qwSize;
    return true;
}

// A copy that ended in a hole has only moved the file position: the length is set here.
bool CVroonFile::Sync() {
    if (ftruncate(Fd(m_hFile), static_cast<off_t>(m_qwSize)) != 0)
        return Fail(ErrorOf(errno, VROONFILE_WRITE));
    return fsync(Fd(m_hFile)) == 0 || Fail(ErrorOf(errno, VROONFILE_WRITE));
}

bool CVroonFile::CopyPermissions(CVroonFile& other) {
    struct stat st;
    if (fstat(Fd(other.m_hFile), &st) != 0)
        return Fail(VROONFILE_READ);
    return fchmod(Fd(m_hFile), st.st_mode & 07777) == 0 || Fail(ErrorOf(errno, VROONFILE_ACCESS));
}

bool VROONFILE_Remove(const char* szPath) {
    return unlink(szPath) == 0;
}

// rename() replaces the target atomically. The folder is flushed afterwards so that the new name survives a
// power failure too.
bool VROONFILE_Replace(const char* szTemp, const char* szTarget, VROONFILE_ERROR* pError) {
    if (rename(szTemp, szTarget) != 0) {
        *pError = ErrorOf(errno, VROONFILE_WRITE);
        return false;
    }
    VROONFILE_SyncFolder(szTarget);
    *pError = VROONFILE_OK;
    return true;
}

void VROONFILE_SyncFolder(const char* szPath) {
    std::string folder(szPath);
    const size_t iSlash = folder.rfind('/');
    folder = iSlash == std::string::npos ? "." : iSlash == 0 ? "/" : folder.substr(0, iSlash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        MFX_VERIFY(fsync(fd) == 0);
        close(fd);
    }
}

void VROONFILE_HoldInterrupts(bool fHold) {
    sigset_t set;
    sigemptyset(&set);
    for (int nSignal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&set, nSignal);
    MFX_VERIFY(sigprocmask(fHold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr) == 0);
}

std::string VROONFILE_Resolve(const char* szPath) {
    char* szReal = realpath(szPath, nullptr);
    if (!szReal)
        return szPath;
    std::string real(szReal);
    free(szReal);
    return real;
}

bool VROONFILE_IsTerminal(FILE* pStream) {
    return isatty(fileno(pStream)) != 0;
}

void VROONFILE_GuardTemporary(const char* szTemp) {
    static bool s_fInstalled = false;
    if (!s_fInstalled) {
        struct sigaction action = {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (int nSignal : {SIGINT, SIGTERM, SIGHUP})
            sigaction(nSignal, &action, nullptr);
        s_fInstalled = true;
    }
    s_fGuarded = 0;
    if (szTemp && strlen(szTemp) < sizeof(s_szGuarded)) {
        strcpy(s_szGuarded, szTemp);
        s_fGuarded = 1;
    }
}
