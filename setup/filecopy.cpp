#include "setup/filecopy.h"

#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("FILE");

// The extension is looked for in the file name only: a dot in a folder name (C:\APP.V2\README) does not make the
// backup replace the name's last character.
int FILE_MakeBackupName(const char* szPath, char* szOut) {
    MFX_PRE(szPath && szOut && szPath[0]);
    PATHNAME szJustName = "";
    PATHNAME_GetJustName(szPath, szJustName);
    const size_t cch = strlen(szPath);
    if (strchr(szJustName, '.') && szJustName[1]) {
        PATHNAME_Assign(szOut, szPath);
        szOut[cch - 1] = '!';
        return 1;
    }
    MFX_PRE(cch + 2 <= MAX_PATHNAME);
    PATHNAME_Assign(szOut, szPath);
    strcat(szOut, ".!");
    return 1;
}
