#include "toolkit/pathname.h"

#include <strings.h>
#include <sys/stat.h>

MFX_SOURCE_MODULE("PATHNAME");

// Outside Windows there is no ANSI code page to consult: every byte is a character of its own.
const char* PATHNAME_PlatformNextChar(const char* p) {
    return *p ? p + 1 : p;
}

bool PATHNAME_PlatformIsSameText(const char* sz1, const char* sz2) {
    return strcasecmp(sz1, sz2) == 0;
}

int PATHNAME_Exists(const char* szName) {
    MFX_PRE(szName);
    struct stat st;
    return stat(szName, &st) == 0 && S_ISREG(st.st_mode);
}

int PATHNAME_FolderExists(const char* szName) {
    MFX_PRE(szName);
    struct stat st;
    return lstat(szName, &st) == 0;
}
