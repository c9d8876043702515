#include "vroonfile.h"

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
