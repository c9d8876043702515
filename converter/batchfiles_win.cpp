#include <windows.h>

#include "converter/batchfiles.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

bool BATCHFILES_Exists(const char* szPath) {
    return PATHNAME_Exists(szPath) != 0;
}

// The ANSI code page's own comparison, so double-byte names compare as the file system sees them.
bool BATCHFILES_IsSameName(const char* szName1, const char* szName2) {
    return lstrcmpiA(szName1, szName2) == 0;
}
