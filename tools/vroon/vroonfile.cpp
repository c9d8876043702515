#include "tools/vroon/vroonfile.h"

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
