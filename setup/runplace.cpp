#include "setup/runplace.h"

#include <cctype>
#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("RUNPLACE");

namespace {

bool HasDrive(const char* szPath) {
    return isalpha(static_cast<unsigned char>(szPath[0])) && szPath[1] == ':';
}

}  // namespace

int PLACE_SetDrive(char* szPath, char cDrive) {
    MFX_PRE(szPath);
    if (HasDrive(szPath))
        szPath[0] = cDrive;
    return 1;
}

int PLACE_Locate(SETUPPLACE* pSelf, const char* szEnginePath, char cDrive) {
    MFX_PRE(pSelf);
    MFX_PRE(szEnginePath);
    *pSelf = SETUPPLACE{};
    pSelf->cDrive = cDrive;
    pSelf->fInPlace =
        szEnginePath[0] == '\\' || (HasDrive(szEnginePath) && tolower(static_cast<unsigned char>(szEnginePath[0])) ==
                                                                  tolower(static_cast<unsigned char>(cDrive)));
    MFX_PRE(PATHNAME_GetJustPathNoSlash(szEnginePath, pSelf->szWorkDir));
    if (pSelf->fInPlace) {
        PATHNAME_Assign(pSelf->szDistribDir, pSelf->szWorkDir);
        MFX_PRE(PATHNAME_GetJustPathNoSlash(pSelf->szWorkDir, pSelf->szSourceRoot));
    } else {
        PATHNAME_Assign(pSelf->szDistribDir, "a:\\bin");
        PATHNAME_Assign(pSelf->szSourceRoot, "a:\\");
        PLACE_SetDrive(pSelf->szDistribDir, cDrive);
        PLACE_SetDrive(pSelf->szSourceRoot, cDrive);
    }
    MFX_PRE(PATHNAME_Construct(pSelf->szDesignFile, pSelf->szDistribDir, PLACE_DESIGNFILE));
    return 1;
}

int PLACE_SourceDir(const SETUPPLACE* pSelf, const char* szDistribPath, char* szOut) {
    MFX_PRE(pSelf);
    MFX_PRE(szDistribPath);
    MFX_PRE(szOut);
    const char* pRest = HasDrive(szDistribPath) ? szDistribPath + 2 : szDistribPath;
    if (pRest[0] == '\0')
        return PATHNAME_Assign(szOut, pSelf->szSourceRoot);
    return PATHNAME_Construct(szOut, pSelf->szSourceRoot, pRest);
}

int PLACE_DiskMarker(int nDisk, char* szOut) {
    MFX_PRE(szOut);
    MFX_PRE(nDisk >= 0 && nDisk < 26);
    strcpy(szOut, "disk.a");
    szOut[5] = static_cast<char>('a' + nDisk);
    return 1;
}
