#include "tools/vroon/vroonfile.h"

#include <windows.h>

#include <io.h>

#include <cstring>
#include <vector>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("VROONFILE");

namespace {

// The most one read or write call moves.
const DWORD MAX_TRANSFER = VROONFILE_COPY_BUFFER;

VROONFILE_ERROR ErrorOf(DWORD dwError, VROONFILE_ERROR fallback) {
    switch (dwError) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME: return VROONFILE_NOT_FOUND;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_WRITE_PROTECT: return VROONFILE_ACCESS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return VROONFILE_NO_SPACE;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return VROONFILE_EXISTS;
        default: return fallback;
    }
}

HANDLE Handle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

// The part of the cb bytes left to move that one call moves.
DWORD Ask(size_t cb) {
    return cb > MAX_TRANSFER ? MAX_TRANSFER : static_cast<DWORD>(cb);
}

// A read or write at an offset of the file.
OVERLAPPED At(uint64_t qwOffset) {
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(qwOffset);
    at.OffsetHigh = static_cast<DWORD>(qwOffset >> 32);
    return at;
}

// The temporary file the console handler removes; the file is opened with delete sharing so that it can be.
char s_szGuarded[MAX_PATH + 1];
volatile LONG s_fGuarded = 0;

BOOL WINAPI OnConsoleEvent(DWORD dwEvent) {
    if (InterlockedCompareExchange(&s_fGuarded, 0, 0))
        DeleteFileA(s_szGuarded);
    return FALSE;  // the default handler ends the process
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
    const DWORD dwAttributes = GetFileAttributesA(szPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(VROONFILE_DIRECTORY);
    const HANDLE hFile =
        CreateFileA(szPath, GENERIC_READ | (fWrite ? GENERIC_WRITE : 0), FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, fWrite ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return Fail(ErrorOf(GetLastError(), VROONFILE_OTHER));
    m_hFile = reinterpret_cast<intptr_t>(hFile);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(hFile, &size))
        return Fail(VROONFILE_READ);
    m_qwSize = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool CVroonFile::OpenRead(const char* szPath) {
    return OpenExisting(szPath, false);
}

bool CVroonFile::OpenUpdate(const char* szPath) {
    return OpenExisting(szPath, true);
}

bool CVroonFile::Create(const char* szPath) {
    Close();
    const HANDLE hFile = CreateFileA(szPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return Fail(ErrorOf(GetLastError(), VROONFILE_WRITE));
    m_hFile = reinterpret_cast<intptr_t>(hFile);
    m_qwSize = 0;
    return true;
}

bool CVroonFile::Close() {
    if (m_hFile == -1)
        return true;
    const bool fOk = CloseHandle(Handle(m_hFile)) != 0;
    m_hFile = -1;
    return fOk || Fail(VROONFILE_WRITE);
}

bool CVroonFile::ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) {
    char* p = static_cast<char*>(pBuffer);
    while (cb > 0) {
        OVERLAPPED at = At(qwOffset);
        DWORD cbRead = 0;
        if (!ReadFile(Handle(m_hFile), p, Ask(cb), &cbRead, &at) || cbRead == 0)
            return Fail(VROONFILE_READ);
        p += cbRead;
        cb -= cbRead;
        qwOffset += cbRead;
    }
    return true;
}

bool CVroonFile::Write(const void* pBuffer, size_t cb) {
    const char* p = static_cast<const char*>(pBuffer);
    while (cb > 0) {
        DWORD cbWritten = 0;
        if (!WriteFile(Handle(m_hFile), p, Ask(cb), &cbWritten, nullptr))
            return Fail(ErrorOf(GetLastError(), VROONFILE_WRITE));
        if (cbWritten == 0)
            return Fail(VROONFILE_NO_SPACE);
        p += cbWritten;
        cb -= cbWritten;
        m_qwSize += cbWritten;
    }
    return true;
}

bool CVroonFile::WriteAt(uint64_t qwAt, const void* pBuffer, size_t cb) {
    const char* p = static_cast<const char*>(pBuffer);
    while (cb > 0) {
        OVERLAPPED at = At(qwAt);
        DWORD cbWritten = 0;
        if (!WriteFile(Handle(m_hFile), p, Ask(cb), &cbWritten, &at))
            return Fail(ErrorOf(GetLastError(), VROONFILE_WRITE));
        if (cbWritten == 0)
            return Fail(VROONFILE_NO_SPACE);
        p += cbWritten;
        cb -= cbWritten;
        qwAt += cbWritten;
        m_qwSize = qwAt > m_qwSize ? qwAt : m_qwSize;
    }
    return true;
}

bool CVroonFile::Truncate(uint64_t qwSize) {
    FILE_END_OF_FILE_INFO end = {};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(qwSize);
    if (!SetFileInformationByHandle(Handle(m_hFile), FileEndOfFileInfo, &end, sizeof(end)))
        return Fail(ErrorOf(GetLastError(), VROONFILE_WRITE));
    m_qwSize = qwSize;
    return true;
}

// No Windows file system inserts a range into a file: in-place conversions copy.
uint32_t CVroonFile::BlockSize() {
    return 0;
}

bool CVroonFile::InsertFront(uint64_t) {
    return Fail(VROONFILE_UNSUPPORTED);
}

bool CVroonFile::RemoveFront(uint64_t) {
    return Fail(VROONFILE_UNSUPPORTED);
}

// The file systems that movies live on under Windows share no blocks between files: -o copies.
bool CVroonFile::CloneFrom(CVroonFile&) {
    return Fail(VROONFILE_UNSUPPORTED);
}

bool CVroonFile::CopyData(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>* pBuffer) {
    if (pBuffer->empty())
        pBuffer->resize(VROONFILE_COPY_BUFFER);
    return CopyThroughBuffer(source, qwAt, cb, *pBuffer);
}

bool CVroonFile::Sync() {
    return FlushFileBuffers(Handle(m_hFile)) || Fail(ErrorOf(GetLastError(), VROONFILE_WRITE));
}

// A new file gets normal attributes, which is what a converted movie needs; nothing to copy.
bool CVroonFile::CopyPermissions(CVroonFile&) {
    return true;
}

bool VROONFILE_Remove(const char* szPath) {
    return DeleteFileA(szPath) != 0;
}

// MoveFileEx with replace renames the file over the target in one step on the same volume; write-through
// returns only when the rename is on the disk.
bool VROONFILE_Replace(const char* szTemp, const char* szTarget, VROONFILE_ERROR* pError) {
    if (!MoveFileExA(szTemp, szTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        *pError = ErrorOf(GetLastError(), VROONFILE_WRITE);
        return false;
    }
    *pError = VROONFILE_OK;
    return true;
}

std::string VROONFILE_Resolve(const char* szPath) {
    return szPath;
}

// Programs cannot flush a folder through the file calls of Windows; its file systems log their folders
// themselves.
void VROONFILE_SyncFolder(const char*) {}

// Nothing on Windows needs the interrupts held: it converts by copying alone.
void VROONFILE_HoldInterrupts(bool) {}

bool VROONFILE_IsTerminal(FILE* pStream) {
    return _isatty(_fileno(pStream)) != 0;
}

void VROONFILE_GuardTemporary(const char* szTemp) {
    static bool s_fInstalled = false;
    if (!s_fInstalled)
        s_fInstalled = MFX_VERIFY(SetConsoleCtrlHandler(OnConsoleEvent, TRUE));
    InterlockedExchange(&s_fGuarded, 0);
    if (szTemp && strlen(szTemp) < sizeof(s_szGuarded)) {
        strcpy(s_szGuarded, szTemp);
        InterlockedExchange(&s_fGuarded, 1);
    }
}
