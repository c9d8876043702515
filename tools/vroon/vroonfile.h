// Files as vroon needs them: large-file reads at any offset, fast copies of long ranges, flushing to the
// disk, and the replace of a movie by its converted form in one rename.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "movie/qtmodern.h"

enum VROONFILE_ERROR {
    VROONFILE_OK,
    VROONFILE_NOT_FOUND,
    VROONFILE_DIRECTORY,
    VROONFILE_ACCESS,
    VROONFILE_NO_SPACE,
    VROONFILE_READ,
    VROONFILE_WRITE,
    VROONFILE_EXISTS,
    VROONFILE_UNSUPPORTED,
    VROONFILE_OTHER,
};

// Told how many bytes each step of a copy moved.
class CVroonProgress {
public:
    virtual ~CVroonProgress() = default;
    virtual void Advance(uint64_t cb) = 0;
};

// One open file. Owns its descriptor or handle and closes it on destruction.
class CVroonFile : public CQTModernSource {
public:
    CVroonFile() = default;
    ~CVroonFile() override;
    CVroonFile(const CVroonFile&) = delete;
    CVroonFile& operator=(const CVroonFile&) = delete;

    bool OpenRead(const char* szPath);
    // A file for writing; an existing file of the name is emptied.
    bool Create(const char* szPath);
    // An existing file for reading and writing in place.
    bool OpenUpdate(const char* szPath);
    // Closes; false when the system reports that written data could not be stored.
    bool Close();

    uint64_t Size() const override { return m_qwSize; }
    bool ReadAt(uint64_t qwOffset, void* pBuffer, size_t cb) override;
    // Appends at the end of what was written.
    bool Write(const void* pBuffer, size_t cb);
    // Appends qwSize bytes of source from qwStart, telling pProgress after each step.
    bool CopyFrom(CVroonFile& source, uint64_t qwStart, uint64_t qwSize, CVroonProgress* pProgress);
    // Writes over the file at qwAt (OpenUpdate).
    bool WriteAt(uint64_t qwAt, const void* pBuffer, size_t cb);
    // Cuts the file to qwSize bytes.
    bool Truncate(uint64_t qwSize);
    // The unit of InsertFront; 0 where the file system inserts nothing.
    uint32_t BlockSize();
    // Inserts cb bytes (a multiple of BlockSize) of zeros at the front of the file without moving its data;
    // VROONFILE_UNSUPPORTED where the file system cannot. RemoveFront takes them out again.
    bool InsertFront(uint64_t cb);
    bool RemoveFront(uint64_t cb);
    // Makes this file (just created) share the blocks of source, where the file system can; otherwise
    // VROONFILE_UNSUPPORTED.
    bool CloneFrom(CVroonFile& source);
    // Flushes what was written to the disk.
    bool Sync();
    // Gives this file the access permissions of another.
    bool CopyPermissions(CVroonFile& other);

    VROONFILE_ERROR Error() const { return m_error; }

private:
    bool Fail(VROONFILE_ERROR error);
    bool OpenExisting(const char* szPath, bool fWrite);
    // Appends cb bytes of source from qwAt, through *pBuffer (sized on first use) where the system cannot copy
    // by itself. One per platform.
    bool CopyData(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>* pBuffer);
    bool CopyThroughBuffer(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>& buffer);
    intptr_t m_hFile = -1;  // descriptor or HANDLE
    uint64_t m_qwSize = 0;
    VROONFILE_ERROR m_error = VROONFILE_OK;
};

// The buffer of a copy that passes through this process.
const size_t VROONFILE_COPY_BUFFER = 1u << 20;

// The error in words for the user.
const char* VROONFILE_Describe(VROONFILE_ERROR error);

bool VROONFILE_Remove(const char* szPath);
// Renames szTemp to szTarget, replacing szTarget in one step: at every instant szTarget names either its old
// or its new content. The rename is flushed to the disk.
bool VROONFILE_Replace(const char* szTemp, const char* szTarget, VROONFILE_ERROR* pError);
// The file a name finally refers to (symbolic links followed), so a replace keeps the link.
std::string VROONFILE_Resolve(const char* szPath);
// Flushes the folder of a file, so that a name just made, renamed or removed in it survives a power failure.
void VROONFILE_SyncFolder(const char* szPath);
// Reads a whole file of at most cbMax bytes.
bool VROONFILE_ReadAll(const char* szPath, uint64_t cbMax, std::vector<uint8_t>* pBytes, VROONFILE_ERROR* pError);
bool VROONFILE_IsTerminal(FILE* pStream);
// Holds back Ctrl-C and termination requests while fHold (a few milliseconds that must not be cut short); one
// that came in meanwhile takes effect when they are let through again.
void VROONFILE_HoldInterrupts(bool fHold);
// The temporary file to remove when the process is interrupted (Ctrl-C, a termination request); null when
// there is none. Only one conversion runs at a time.
void VROONFILE_GuardTemporary(const char* szTemp);
