#include "tools/vroon/vroonfile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("VROONFILE");

namespace {

// The copy moves this much between progress reports.
const uint64_t COPY_STEP = 256ull << 20;
const size_t COPY_BUFFER = 1u << 20;
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

}  // namespace

CVroonFile::~CVroonFile() {
    Close();
}

bool CVroonFile::Fail(VROONFILE_ERROR error) {
    m_error = error;
    return false;
}

bool CVroonFile::OpenRead(const char* szPath) {
    Close();
    const int fd = open(szPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail(ErrorOf(errno, VROONFILE_OTHER));
    m_hFile = fd;
    struct stat st;
    if (fstat(fd, &st) != 0)
        return Fail(VROONFILE_READ);
    if (S_ISDIR(st.st_mode))
        return Fail(VROONFILE_DIRECTORY);
    m_qwSize = static_cast<uint64_t>(st.st_size);
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);  // a hint for read-ahead; its failure changes nothing
    return true;
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
// cannot (another file system, an old kernel, data that changes its place within a page), a buffer does.
// Holes of a sparse source stay holes.
bool CVroonFile::CopyFrom(CVroonFile& source, uint64_t qwStart, uint64_t qwSize, CVroonProgress* pProgress) {
    std::vector<char> buffer;
    while (qwSize > 0) {
        const uint64_t qwStep = qwSize < COPY_STEP ? qwSize : COPY_STEP;
        for (uint64_t qwDone = 0; qwDone < qwStep;) {
            const uint64_t qwHole = HoleAt(Fd(source.m_hFile), qwStart + qwDone, qwStep - qwDone);
            if (qwHole > 0) {
                if (lseek(Fd(m_hFile), static_cast<off_t>(qwHole), SEEK_CUR) < 0)
                    return Fail(ErrorOf(errno, VROONFILE_WRITE));
                m_qwSize += qwHole;
                qwDone += qwHole;
                continue;
            }
            const uint64_t cbData = DataAt(Fd(source.m_hFile), qwStart + qwDone, qwStep - qwDone);
            if (!CopyData(source, qwStart + qwDone, cbData, &buffer))
                return false;
            qwDone += cbData;
        }
        qwStart += qwStep;
        qwSize -= qwStep;
        if (pProgress)
            pProgress->Advance(qwStep);
    }
    return true;
}

// The kernel's copy moves whole pages; where the data lands at another offset within a page than it had (moov
// is rarely a whole number of pages), copying through a buffer of our own is faster.
bool CVroonFile::CopyData(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>* pBuffer) {
    if ((qwAt - m_qwSize) % PAGE_ALIGNMENT != 0 && pBuffer->empty())
        pBuffer->resize(COPY_BUFFER);
    while (cb > 0 && pBuffer->empty()) {
        off_t offIn = static_cast<off_t>(qwAt);
        const ssize_t n = copy_file_range(Fd(source.m_hFile), &offIn, Fd(m_hFile), nullptr, static_cast<size_t>(cb), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            pBuffer->resize(COPY_BUFFER);
            break;
        }
        if (n < 0)
            return Fail(ErrorOf(errno, VROONFILE_WRITE));
        if (n == 0)
            return Fail(VROONFILE_READ);  // the source ended early
        qwAt += static_cast<uint64_t>(n);
        cb -= static_cast<uint64_t>(n);
        m_qwSize += static_cast<uint64_t>(n);
    }
    return CopyThroughBuffer(source, qwAt, cb, *pBuffer);
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

bool VROONFILE_Exists(const char* szPath) {
    struct stat st;
    return lstat(szPath, &st) == 0;
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
    std::string folder(szTarget);
    const size_t iSlash = folder.rfind('/');
    folder = iSlash == std::string::npos ? "." : iSlash == 0 ? "/" : folder.substr(0, iSlash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        MFX_VERIFY(fsync(fd) == 0);
        close(fd);
    }
    *pError = VROONFILE_OK;
    return true;
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
