#include "tools/vroon/vroonfile.h"

#include "tools/vroon/vroonstop.h"

namespace {

// The copy tells its progress after each step of this many bytes. The step is what a disk moves in a few
// hundredths of a second, so a progress bar moves smoothly, and large enough that the system's copy call,
// made once a step at least, costs nothing measurable.
const uint64_t COPY_STEP = 64ull << 20;

}  // namespace

const char* VROONFILE_Describe(VROONFILE_ERROR error) {
    switch (error) {
        case VROONFILE_OK: return "no error";
        case VROONFILE_NOT_FOUND: return "not found";
        case VROONFILE_DIRECTORY: return "is a folder, not a movie";
        case VROONFILE_ACCESS: return "permission denied";
        case VROONFILE_NO_SPACE: return "no space left on the disk";
        case VROONFILE_READ: return "read error";
        case VROONFILE_WRITE: return "write error";
        case VROONFILE_EXISTS: return "already exists";
        case VROONFILE_UNSUPPORTED:
            return "not supported by the file system";
        case VROONFILE_OTHER: break;
    }
    return "cannot be opened";
}

// Moves cb bytes from offset qwAt of source to this file's end through the caller's buffer.
bool CVroonFile::CopyThroughBuffer(CVroonFile& source, uint64_t qwAt, uint64_t cb, std::vector<char>& buffer) {
    while (cb > 0) {
        const size_t cbChunk = static_cast<size_t>(cb < buffer.size() ? cb : buffer.size());
        if (!source.ReadAt(qwAt, buffer.data(), cbChunk))
            return Fail(VROONFILE_READ);
        if (!Write(buffer.data(), cbChunk))
            return false;
        qwAt += cbChunk;
        cb -= cbChunk;
    }
    return true;
}

// The buffer is allocated by the platform's copy when it first needs one, and serves every step.
bool CVroonFile::CopyFrom(CVroonFile& source, uint64_t qwStart, uint64_t qwSize, CVroonProgress* pProgress) {
    std::vector<char> buffer;
    while (qwSize > 0) {
        const uint64_t qwStep = qwSize < COPY_STEP ? qwSize : COPY_STEP;
        if (!CopyData(source, qwStart, qwStep, &buffer))
            return false;
        qwStart += qwStep;
        qwSize -= qwStep;
        if (pProgress)
            pProgress->Advance(qwStep);
        VROONSTOP_At("copy-step");
    }
    return true;
}

bool VROONFILE_ReadAll(const char* szPath, uint64_t cbMax, std::vector<uint8_t>* pBytes, VROONFILE_ERROR* pError) {
    CVroonFile file;
    *pError = VROONFILE_OK;
    if (!file.OpenRead(szPath)) {
        *pError = file.Error();
        return false;
    }
    if (file.Size() > cbMax) {
        *pError = VROONFILE_READ;
        return false;
    }
    pBytes->resize(static_cast<size_t>(file.Size()));
    if (!pBytes->empty() && !file.ReadAt(0, pBytes->data(), pBytes->size())) {
        *pError = file.Error();
        return false;
    }
    return true;
}
