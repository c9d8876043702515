#include "setup/design.h"

#include <cstring>
#include <new>

#include "toolkit/diag.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DESIGN");

namespace {

const EXEOBJ s_exeNeutral = {};
const DLGBOX s_boxCentred = {50, 50, 50, 50, {}};

template <typename PRESENT>
int CountPresent(int nSlots, PRESENT fPresent) {
    int n = 0;
    for (int i = 0; i < nSlots; ++i)
        n += fPresent(i) ? 1 : 0;
    return n;
}

void ReleaseRecords(DESIGN* pDesign) {
    for (TARGET*& pTarget : pDesign->targets.targets) {
        TARGET_Destroy(pTarget);
        pTarget = nullptr;
    }
    for (THING*& pThing : pDesign->things.things) {
        THING_Destroy(pThing);
        pThing = nullptr;
    }
    delete[] pDesign->backdrop.lpPrivateData;
    pDesign->backdrop.lpPrivateData = nullptr;
}

void SetDefaults(DESIGN* pDesign) {
    *pDesign = DESIGN{};
    LOGFONT_SetDefault(&pDesign->exe.fontText);
    pDesign->targets.nAddToPATH = -1;
    pDesign->things.nReadMe = -1;
    pDesign->things.nRegDataFile = -1;
    pDesign->things.nWININI = -1;
    DLGBOXES_SetDefault(&pDesign->boxes);
}

// Every section up to the dialog placement; the first that fails ends the load.
int ReadSections(HFILE hFile, DESIGN* pDesign) {
    MFX_PRE(EXE_ReadFromDisk(hFile, &pDesign->exe));
    MFX_PRE(HFILE_ReadString(hFile, pDesign->szHookName, sizeof(pDesign->szHookName)));
    MFX_PRE(PATHARR_ReadFromDisk(hFile, &pDesign->paths));
    MFX_PRE(TARGCOLL_ReadFromDisk(hFile, &pDesign->targets));
    MFX_PRE(COLLECT_ReadFromDisk(hFile, &pDesign->collect));
    MFX_PRE(DISK_ReadFromDisk(hFile, &pDesign->disks));
    MFX_PRE(THINGCOL_ReadFromDisk(hFile, &pDesign->things));
    // A damaged backdrop only costs the backdrop.
    if (pDesign->exe.bBackDrop)
        MFX_VERIFY(BACKDROP_ConstructFile(hFile, &pDesign->backdrop));
    MFX_PRE(DLGBOXES_ReadFromFile(hFile, &pDesign->boxes));
    return 1;
}

// The helper libraries come in with the engine's bindings; the reader says which ones this design asks for.
void TraceHelperLibraries(const DESIGN* pDesign) {
    DIAG_TraceString("DESIGN_Open", "Load", "PARVEL.DLL");
    if (pDesign->exe.bDLLHook)
        DIAG_TraceString("DESIGN_Open", "Load", "TAVLET.DLL");
}

}  // namespace

DESIGN* DESIGN_Construct() {
    DESIGN* pDesign = new (std::nothrow) DESIGN;
    MFX_PRE(pDesign);
    SetDefaults(pDesign);
    return pDesign;
}

void DESIGN_Destroy(DESIGN* pDesign) {
    if (!pDesign)
        return;
    ReleaseRecords(pDesign);
    delete pDesign;
}

void DESIGN_Reset(DESIGN* pDesign) {
    ReleaseRecords(pDesign);
    SetDefaults(pDesign);
}

int DESIGN_Open(DESIGN* pDesign, const char* szPath) {
    return DESIGN_OpenWith(pDesign, szPath, nullptr, nullptr);
}

int DESIGN_OpenWith(DESIGN* pDesign, const char* szPath, DESIGN_LOADEDFN pfnLoaded, void* pUser) {
    if (!MFX_VERIFY(pDesign && szPath))
        return DESIGN_FAILED;
    MFX_DebugPrintf("DESIGN_Open DesignName:%s\n", szPath);
    const HFILE hFile = HFILE_OpenReadBuffered(szPath);
    if (!MFX_VERIFY(HFILE_IsOpen(hFile)))
        return DESIGN_FAILED;
    char szSignature[sizeof(pDesign->szSignature)];
    if (!EXE_CheckVersion(hFile, szSignature)) {
        MFX_VERIFY(HFILE_Close(hFile));
        return DESIGN_BADVERSION;
    }
    DESIGN_Reset(pDesign);
    memcpy(pDesign->szSignature, szSignature, sizeof(szSignature));
    // The file is closed on the failure path too: a failed load must not keep the design file open.
    const int fOk = ReadSections(hFile, pDesign);
    if (fOk)
        TraceHelperLibraries(pDesign);
    // The reads were served from the read-ahead block: a seek puts the file where they ended.
    if (fOk && pfnLoaded && MFX_VERIFY(HFILE_Seek(hFile, 0, HFILE_FROM_CURRENT) >= 0))
        pfnLoaded(hFile, pUser);
    MFX_VERIFY(HFILE_Close(hFile));
    return fOk ? DESIGN_LOADED : DESIGN_FAILED;
}

const EXEOBJ* DESIGN_GetOptions(const DESIGN* pDesign) {
    return MFX_VERIFY(pDesign) ? &pDesign->exe : &s_exeNeutral;
}

const char* DESIGN_GetHookName(const DESIGN* pDesign) {
    return MFX_VERIFY(pDesign) ? pDesign->szHookName : "";
}

const char* PATHARR_GetPath(const PATHARRAY* pSelf, int nIndex) {
    return MFX_VERIFY(pSelf && nIndex >= 0 && nIndex < MAX_PATHS) ? pSelf->paths[nIndex].szPath : "";
}

TARGET* TARGCOLL_GetTarget(const TARGCOLL* pSelf, int nIndex) {
    return MFX_VERIFY(pSelf && nIndex >= 0 && nIndex < MAX_TARGETS) ? pSelf->targets[nIndex] : nullptr;
}

const COLLOBJ* COLLECT_GetCollection(const COLLECT* pSelf, int nIndex) {
    if (!MFX_VERIFY(pSelf && nIndex >= 0 && nIndex < MAX_COLLECTIONS))
        return nullptr;
    return pSelf->fPresent[nIndex] ? &pSelf->collection[nIndex] : nullptr;
}

const DISKOBJ* DISK_GetDisk(const DISK* pSelf, int nIndex) {
    if (!MFX_VERIFY(pSelf && nIndex >= 0 && nIndex < MAX_DISKS))
        return nullptr;
    return pSelf->fPresent[nIndex] ? &pSelf->diskarr[nIndex] : nullptr;
}

THING* THINGCOL_GetThing(const THINGCOL* pSelf, int nPosition) {
    return MFX_VERIFY(pSelf && nPosition >= 0 && nPosition < MAX_THINGS) ? pSelf->things[nPosition] : nullptr;
}

int THINGCOL_GetReadMe(const THINGCOL* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nReadMe : -1;
}

int THINGCOL_GetRegDataFile(const THINGCOL* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nRegDataFile : -1;
}

int THINGCOL_GetWinIni(const THINGCOL* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nWININI : -1;
}

int THINGCOL_GetCollectionSize(const THINGCOL* pSelf, int nCollection) {
    return MFX_VERIFY(pSelf && nCollection >= 0 && nCollection < MAX_COLLECTIONS) ? pSelf->lCollectionSize[nCollection]
                                                                                  : 0;
}

int THING_GetType(const THING* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nType : -1;
}

int THING_GetDistribDir(const THING* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->distribdir : 0;
}

int THING_GetTarget(const THING* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->target : 0;
}

int THING_GetCollection(const THING* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nCollection : 0;
}

int THING_GetDisk(const THING* pSelf) {
    return MFX_VERIFY(pSelf) ? pSelf->nDisk : 0;
}

int32_t THING_GetSize(const THING* pSelf) {
    if (!MFX_VERIFY(pSelf))
        return 0;
    return pSelf->pFile ? pSelf->pFile->lSize : pSelf->pDir ? pSelf->pDir->lSize : 0;
}

const char* THING_GetName(const THING* pSelf) {
    if (!MFX_VERIFY(pSelf))
        return "";
    return pSelf->pFile ? pSelf->pFile->szName : pSelf->pDir ? pSelf->pDir->szName : "";
}

const char* TARGET_GetMessage(const TARGET* pSelf) {
    return MFX_VERIFY(pSelf) && pSelf->message ? pSelf->message : "";
}

const DLGBOX* DLGBOXES_GetBox(const DLGBOXES* pSelf, int nIndex) {
    return MFX_VERIFY(pSelf && nIndex >= 0 && nIndex < DLGBOXES_COUNT) ? &pSelf->Boxes[nIndex] : &s_boxCentred;
}

int PATHARR_CountPresent(const PATHARRAY* pSelf) {
    return MFX_VERIFY(pSelf) ? CountPresent(MAX_PATHS, [=](int i) { return pSelf->paths[i].fPresent; }) : 0;
}

int TARGCOLL_CountPresent(const TARGCOLL* pSelf) {
    return MFX_VERIFY(pSelf) ? CountPresent(MAX_TARGETS, [=](int i) { return pSelf->targets[i] != nullptr; }) : 0;
}

int COLLECT_CountPresent(const COLLECT* pSelf) {
    return MFX_VERIFY(pSelf) ? CountPresent(MAX_COLLECTIONS, [=](int i) { return pSelf->fPresent[i]; }) : 0;
}

int DISK_CountPresent(const DISK* pSelf) {
    return MFX_VERIFY(pSelf) ? CountPresent(MAX_DISKS, [=](int i) { return pSelf->fPresent[i]; }) : 0;
}

int THINGCOL_CountPresent(const THINGCOL* pSelf) {
    return MFX_VERIFY(pSelf) ? CountPresent(MAX_THINGS, [=](int i) { return pSelf->things[i] != nullptr; }) : 0;
}
