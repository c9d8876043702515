// The section readers of the design file. Each checks its tag and every read, and at the first failure reports
// the check as written here and fails; the partly filled record stays as it is. A slot index is checked against
// its slot count before it is used, so no index of the file reaches outside a table.
//
// The checks are written without spaces on purpose: their reports quote them, and the quotes are what
// developers search the diagnostics for.
// The report quotes the check as written here, spacing included.
// clang-format off
#include <cstring>
#include <new>

#include "setup/design.h"
#include "setup/designfield.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DESIGN");

const char EXE_VERSION[18] = "TAMBERLO-Ver 0.05";

namespace {

bool SameTextIgnoringCase(const char* szA, const char* szB) {
    for (; *szA && *szB; ++szA, ++szB) {
        const char chA = *szA >= 'a' && *szA <= 'z' ? static_cast<char>(*szA - 'a' + 'A') : *szA;
        const char chB = *szB >= 'a' && *szB <= 'z' ? static_cast<char>(*szB - 'a' + 'A') : *szB;
        if (chA != chB)
            return false;
    }
    return *szA == *szB;
}

// A record size that differs from the format's, reported in the words of the format's own check: the size of the
// packed record, which ours (aligned for safe access) is not.
int ReportSize(const char* szCheck) {
    MFX_ReportFailure(MFX_CHECK_PRE, s_szMfxSourceModule, __LINE__, szCheck);
    return 0;
}

// A new record of the type, its fields read; null (and nothing left allocated) when memory is short or a read
// fails.
template <typename RECORD>
RECORD* NewRecord(HFILE hFile, const DESIGNFIELDS& fields) {
    RECORD* pSelf = new (std::nothrow) RECORD{};
    MFX_PRE(pSelf);
    if (!DESIGNFIELD_Read(hFile, pSelf, fields)) {
        delete pSelf;
        return nullptr;
    }
    return pSelf;
}

void ReleaseFile(FILETYPE* pFile) {
    if (pFile)
        delete pFile->pIcon;
    delete pFile;
}

ICONSTRUCT* ICON_ReadFromDisk(HFILE hFile) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==ICON4);
    return NewRecord<ICONSTRUCT>(hFile, ICONSTRUCT_FIELDS);
}

int TARGCOLL_Insert(TARGCOLL* pSelf, int index, TARGET* pTarget) {
    MFX_PRE(index>=0&&index<MAX_TARGETS);
    TARGET_Destroy(pSelf->targets[index]);
    pSelf->targets[index] = pTarget;
    return 1;
}

}  // namespace

int EXE_CheckVersion(HFILE hFile, char* szSignature) {
    szSignature[0] = '\0';
    MFX_PRE(HFILE_Read(hFile,szSignature,sizeof(EXE_VERSION)));
    // Without its terminating zero in the 18 bytes, the text is longer than the signature.
    const bool fTerminated = memchr(szSignature, '\0', sizeof(EXE_VERSION)) != nullptr;
    szSignature[sizeof(EXE_VERSION) - 1] = '\0';
    return fTerminated && SameTextIgnoringCase(szSignature, EXE_VERSION) ? 1 : 0;
}

void LOGFONT_SetDefault(DESIGNFONT* pSelf) {
    *pSelf = DESIGNFONT{};
    pSelf->lfHeight = -10;
    pSelf->lfWeight = 400;
    pSelf->lfQuality = DESIGNFONT_PROOF_QUALITY;
    pSelf->lfPitchAndFamily = DESIGNFONT_FF_SWISS;
    strcpy(pSelf->lfFaceName, "MS Sans Serif");
}

int LOGFONT_ReadFromFile(HFILE hFile, DESIGNFONT* pSelf) {
    LOGFONT_SetDefault(pSelf);
    int16_t nHeight=0, nWeight=0, nItalic=0, nUnderline=0;
    MFX_PRE(HFILE_ReadString(hFile,pSelf->lfFaceName,sizeof(pSelf->lfFaceName)));
    MFX_PRE(HFILE_ReadShort(hFile,&nHeight));
    MFX_PRE(HFILE_ReadShort(hFile,&nWeight));
    MFX_PRE(HFILE_ReadShort(hFile,&nItalic));
    MFX_PRE(HFILE_ReadShort(hFile,&nUnderline));
    pSelf->lfHeight = nHeight;
    pSelf->lfWeight = static_cast<uint16_t>(nWeight);
    pSelf->lfItalic = static_cast<uint8_t>(nItalic);
    pSelf->lfUnderline = static_cast<uint8_t>(nUnderline);
    return 1;
}

int EXE_ReadFromDisk(HFILE hFile, EXEOBJ* pSelf) {
    *pSelf = EXEOBJ{};
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==EXE4);
    return DESIGNFIELD_Read(hFile, pSelf, EXEOBJ_FIELDS);
}

int PATHARR_ReadFromDisk(HFILE hFile, PATHARRAY* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==PATH4);
    MFX_PRE(HFILE_ReadShort(hFile,&pSelf->nNumber));
    for (int i = 0; i < pSelf->nNumber; ++i) {
        int16_t index=0, nNumUsers=0;
        MFX_PRE(HFILE_ReadShort(hFile,&index));
        MFX_PRE(index>=0&&index<MAX_PATHS);
        MFX_PRE(HFILE_ReadShort(hFile,&nNumUsers));
        PATHENTRY* pEntry = &pSelf->paths[index];
        pEntry->fPresent = true;
        pEntry->nNumUsers = nNumUsers;
        MFX_PRE(HFILE_ReadString(hFile,pEntry->szPath,sizeof(pEntry->szPath)));
    }
    return 1;
}

TARGET* TARGET_ReadFromDisk(HFILE hFile) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==TARGET4);
    TARGET* pSelf = new (std::nothrow) TARGET{};
    MFX_PRE(pSelf);
    if (!DESIGNFIELD_Read(hFile, pSelf, TARGET_FIELDS)) {
        TARGET_Destroy(pSelf);
        return nullptr;
    }
    return pSelf;
}

void TARGET_Destroy(TARGET* pTarget) {
    if (pTarget)
        delete[] pTarget->message;
    delete pTarget;
}

int TARGCOLL_ReadFromDisk(HFILE hFile, TARGCOLL* pSelf) {
    MFX_PRE(HFILE_ReadDWORD(hFile,&pSelf->dwTag));
    MFX_PRE(HFILE_ReadShort(hFile,&pSelf->nNumber));
    MFX_PRE(HFILE_ReadShort(hFile,&pSelf->nAddToPATH));
    for (int i = 0; i < pSelf->nNumber; ++i) {
        int16_t index=0, nNumUsers=0;
        MFX_PRE(HFILE_ReadShort(hFile,&index));
        MFX_PRE(index>=0);
        MFX_PRE(HFILE_ReadShort(hFile,&nNumUsers));
        TARGET* pTarget = TARGET_ReadFromDisk(hFile);
        MFX_PRE(pTarget);
        pTarget->nNumUsers = nNumUsers;
        if (!TARGCOLL_Insert(pSelf, index, pTarget)) {
            TARGET_Destroy(pTarget);
            return 0;
        }
    }
    return 1;
}

int COLLOBJ_ReadFromDisk(HFILE hFile, COLLOBJ* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==COLLOBJ4);
    uint32_t dwCOLLOBJ=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&dwCOLLOBJ));
    pSelf->dwCOLLOBJ = dwCOLLOBJ;
    return DESIGNFIELD_Read(hFile, pSelf, COLLOBJ_FIELDS);
}

int COLLECT_ReadFromDisk(HFILE hFile, COLLECT* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==COLLECT4);
    MFX_PRE(HFILE_ReadShort(hFile,&pSelf->nNumber));
    for (int i = 0; i < pSelf->nNumber; ++i) {
        int16_t ii=0;
        MFX_PRE(HFILE_ReadShort(hFile,&ii));
        MFX_PRE(ii>=0);
        MFX_PRE(ii<MAX_COLLECTIONS);
        const int index = ii;
        pSelf->fPresent[index] = true;
        MFX_PRE(COLLOBJ_ReadFromDisk(hFile,&pSelf->collection[index]));
        if (pSelf->collection[index].dwCOLLOBJ != COLLOBJ_RECORDSIZE)
            return ReportSize("pSelf->collection[index].dwCOLLOBJ == sizeof(COLLOBJ)");
    }
    return 1;
}

int DISK_ReadFromDisk(HFILE hFile, DISK* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==DISK4);
    MFX_PRE(HFILE_ReadShort(hFile,&pSelf->nNumber));
    MFX_PRE(HFILE_ReadLONG(hFile,&pSelf->lMedia));
    for (int i = 0; i < pSelf->nNumber; ++i) {
        int16_t ii=0;
        MFX_PRE(HFILE_ReadShort(hFile,&ii));
        MFX_PRE(ii>=0&&ii<MAX_DISKS);
        pSelf->fPresent[ii] = true;
        uint32_t dwDISKOBJ=0;
        MFX_PRE(HFILE_ReadDWORD(hFile,&dwDISKOBJ));
        pSelf->diskarr[ii].dwDISKOBJ = dwDISKOBJ;
        if (pSelf->diskarr[ii].dwDISKOBJ != DISKOBJ_RECORDSIZE)
            return ReportSize("pSelf->diskarr[ii].dwDISKOBJ==sizeof(DISKOBJ)");
        MFX_PRE(DESIGNFIELD_Read(hFile,&pSelf->diskarr[ii],DISKOBJ_FIELDS));
    }
    return 1;
}

FILETYPE* FILE_ReadFromDisk(HFILE hFile) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==FILE4);
    FILETYPE* pSelf = new (std::nothrow) FILETYPE{};
    MFX_PRE(pSelf);
    if (!DESIGNFIELD_Read(hFile, pSelf, FILETYPE_FIELDS) || (pSelf->bIconflag && !(pSelf->pIcon = ICON_ReadFromDisk(hFile)))) {
        ReleaseFile(pSelf);
        return nullptr;
    }
    return pSelf;
}

DIR* DIR_ReadFromDisk(HFILE hFile) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==DIR4);
    return NewRecord<DIR>(hFile, DIR_FIELDS);
}

THING* THING_ReadFromDisk(HFILE hFile) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==THING4);
    THING* pSelf = new (std::nothrow) THING{};
    MFX_PRE(pSelf);
    bool fOk = DESIGNFIELD_Read(hFile, pSelf, THING_FIELDS);
    if (fOk && pSelf->nType == THING_FILE)
        MFX_VERIFY(fOk = (pSelf->pFile = FILE_ReadFromDisk(hFile)) != nullptr);
    else if (fOk && pSelf->nType == THING_DIR)
        MFX_VERIFY(fOk = (pSelf->pDir = DIR_ReadFromDisk(hFile)) != nullptr);
    else if (fOk)
        MFX_VERIFY(pSelf->nType==THING_FILE||pSelf->nType==THING_DIR);
    if (!fOk) {
        THING_Destroy(pSelf);
        return nullptr;
    }
    return pSelf;
}

void THING_Destroy(THING* pThing) {
    if (!pThing)
        return;
    ReleaseFile(pThing->pFile);
    delete pThing->pDir;
    delete pThing;
}

int THINGCOL_Insert(THINGCOL* pSelf, int nPosition, THING* pThing) {
    if (!MFX_VERIFY(nPosition>=0&&nPosition<MAX_THINGS) || !MFX_VERIFY(pSelf->things[nPosition]!=pThing)) {
        THING_Destroy(pThing);
        return 0;
    }
    THING_Destroy(pSelf->things[nPosition]);
    pSelf->things[nPosition] = pThing;
    // Sizes come from the file: the total stays within what a LONG holds, whatever they say.
    if (pThing->nCollection >= 0 && pThing->nCollection < MAX_COLLECTIONS) {
        int32_t& lTotal = pSelf->lCollectionSize[pThing->nCollection];
        const int64_t llTotal = static_cast<int64_t>(lTotal) + THING_GetSize(pThing);
        lTotal = static_cast<int32_t>(llTotal > INT32_MAX ? INT32_MAX : llTotal < INT32_MIN ? INT32_MIN : llTotal);
    }
    if (pThing->pFile)
        ++pSelf->nFilesCounted;
    else if (pThing->pDir)
        ++pSelf->nDirsCounted;
    return 1;
}

int THINGCOL_ReadFromDisk(HFILE hFile, THINGCOL* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==THINGCOL4);
    MFX_PRE(DESIGNFIELD_Read(hFile,pSelf,THINGCOL_FIELDS));
    const int nThings = pSelf->nNumFiles + pSelf->nNumDirs;
    MFX_PRE(nThings>0);
    int fInserted = 0;
    for (int i = 0; i < nThings; ++i) {
        int16_t nPosition=0;
        MFX_PRE(HFILE_ReadShort(hFile,&nPosition));
        THING* pThing = THING_ReadFromDisk(hFile);
        MFX_PRE(pThing);
        fInserted = THINGCOL_Insert(pSelf, nPosition, pThing);
    }
    MFX_PRE(fInserted);
    MFX_VERIFY(pSelf->nFilesCounted==pSelf->nNumFiles);
    MFX_VERIFY(pSelf->nDirsCounted==pSelf->nNumDirs);
    return 1;
}

int BACKDROP_ConstructFile(HFILE hFile, BACKDROP* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==BACKDROP4);
    MFX_PRE(HFILE_ReadString(hFile,pSelf->Name,sizeof(pSelf->Name)));
    MFX_PRE(HFILE_ReadDWORD(hFile,&pSelf->PrivateDataSize));
    // The private data cannot be larger than what is left of the file.
    const int32_t lPosition = HFILE_Seek(hFile, 0, HFILE_FROM_CURRENT);
    const int32_t lSize = HFILE_GetSize(hFile);
    MFX_PRE(lPosition>=0&&lSize>=lPosition&&pSelf->PrivateDataSize<=static_cast<uint32_t>(lSize-lPosition));
    delete[] pSelf->lpPrivateData;
    pSelf->lpPrivateData = new (std::nothrow) uint8_t[pSelf->PrivateDataSize + 1];
    MFX_PRE(pSelf->lpPrivateData);
    MFX_PRE(HFILE_ReadLarge(hFile,pSelf->lpPrivateData,static_cast<int32_t>(pSelf->PrivateDataSize))==static_cast<int32_t>(pSelf->PrivateDataSize));
    pSelf->fPresent = true;
    return 1;
}

void DLGBOXES_SetDefault(DLGBOXES* pSelf) {
    *pSelf = DLGBOXES{};
    for (int i = 0; i < DLGBOXES_CENTRED; ++i)
        pSelf->Boxes[i] = DLGBOX{50, 50, 50, 50, {}};
}

int DLGBOXES_ReadFromFile(HFILE hFile, DLGBOXES* pSelf) {
    uint32_t fcc=0;
    MFX_PRE(HFILE_ReadDWORD(hFile,&fcc));
    MFX_PRE(fcc==DLGBOXES4);
    MFX_PRE(DESIGNFIELD_Read(hFile,pSelf,DLGBOXES_FIELDS));
    for (DLGBOX& box : pSelf->Boxes)
        MFX_PRE(DESIGNFIELD_Read(hFile,&box,DLGBOX_FIELDS));
    return 1;
}
