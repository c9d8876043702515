#include "setup/filecopy_win.h"

#include <windows.h>

#include <lzexpand.h>
#include <winver.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "setup/filecopy.h"
#include "setup/szdd.h"
#include "toolkit/hfile.h"
#include "toolkit/mfx.h"
#include "toolkit/pathfind_win.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("FILE");

namespace {

FILE_PROGRESS s_pfnProgress = nullptr;
PATHNAME s_szWorkingDirectory = "";

const char STAGING_NAME[] = "bubba.tmp";

// An LZ handle closed on every path.
class CLzFile {
public:
    CLzFile(const char* szName, WORD wStyle) {
        OFSTRUCT of = {};
        m_hFile = LZOpenFileA(const_cast<char*>(szName), &of, wStyle);
    }
    ~CLzFile() {
        if (m_hFile >= 0)
            LZClose(m_hFile);
    }
    CLzFile(const CLzFile&) = delete;
    CLzFile& operator=(const CLzFile&) = delete;
    INT Handle() const { return m_hFile; }

private:
    INT m_hFile;
};

// The size the source expands to: its SZDD header's, or its own size for a plain file; -1 when it cannot be read.
int64_t ExpectedSize(const char* szSource, bool* pfCompressed = nullptr) {
    if (pfCompressed)
        *pfCompressed = false;
    const HFILE hFile = HFILE_OpenRead(szSource);
    if (!HFILE_IsOpen(hFile))
        return -1;
    std::string header(SZDD_HEADERSIZE, '\0');
    const int32_t lSize = HFILE_GetSize(hFile);
    const bool fHeader = lSize >= static_cast<int32_t>(SZDD_HEADERSIZE) &&
                         HFILE_Read(hFile, &header[0], static_cast<uint32_t>(header.size()));
    HFILE_Close(hFile);
    if (fHeader && SZDD_IsCompressed(header)) {
        if (pfCompressed)
            *pfCompressed = true;
        uint32_t cb = 0;
        for (int i = 0; i < 4; ++i)
            cb |= static_cast<uint32_t>(static_cast<unsigned char>(header[10 + i])) << (8 * i);
        return cb;
    }
    return lSize;
}

// Expands (or copies) into a file beside the destination, and puts it in the destination's place only when
// the whole of it arrived: a damaged compressed file leaves neither a half-written destination nor the old one
// destroyed.
int Expand(const char* szSource, const char* szDestination) {
    const int64_t llExpected = ExpectedSize(szSource);
    MFX_PRE(llExpected >= 0);
    PATHNAME szPartial = "";
    MFX_PRE(strlen(szDestination) + 1 <= MAX_PATHNAME);
    strcpy(szPartial, szDestination);
    strcat(szPartial, "~");
    LONG lCopied = -1;
    {
        CLzFile in(szSource, OF_READ | OF_SHARE_DENY_NONE);
        CLzFile out(szPartial, OF_CREATE);
        if (in.Handle() >= 0 && out.Handle() >= 0)
            lCopied = LZCopy(in.Handle(), out.Handle());
    }
    bool fOk = false;
    MFX_VERIFY(fOk = lCopied >= 0 && lCopied == llExpected);
    if (fOk && PATHNAME_FolderExists(szDestination))
        MFX_VERIFY(fOk = DeleteFileA(szDestination) != 0);
    if (fOk)
        MFX_VERIFY(fOk = MoveFileA(szPartial, szDestination) != 0);
    if (!fOk)
        DeleteFileA(szPartial);
    return fOk ? 1 : 0;
}

// Asks whether to create a missing directory; the answer Yes creates all its folders.
int MakeDestination(const char* szDirectory, bool fPrompt) {
    if (PATHNAME_FolderExists(szDirectory))
        return 1;
    if (fPrompt) {
        const std::string question = std::string("The directory ") + szDirectory + " does not exist. Create?";
        if (MessageBoxA(nullptr, question.c_str(), "Setup", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return 0;
    }
    if (PATHNAME_CreateAllFoldersForPath(szDirectory))
        return 1;
    const std::string message = std::string("Unable to create the directory ") + " " + szDirectory + ".";
    MessageBoxA(nullptr, message.c_str(), "Setup", MB_OK | MB_ICONSTOP);
    return 0;
}

// The source's last-write time given to the destination, when both exist.
void KeepDate(const char* szSource, const char* szDestination) {
    uint32_t dwDateTime = 0;
    if (PATHNAME_FolderExists(szSource) && PATHNAME_FolderExists(szDestination) &&
        MFX_VERIFY(PATHNAME_GetDateTime(szSource, &dwDateTime)))
        MFX_VERIFY(PATHNAME_SetDateTime(szDestination, dwDateTime));
}

}  // namespace

void FILE_SetProgress(FILE_PROGRESS pfnProgress) {
    s_pfnProgress = pfnProgress;
}

void FILE_SetWorkingDirectory(const char* szFolder) {
    PATHNAME_Assign(s_szWorkingDirectory, szFolder ? szFolder : "");
}

int FILE_Copy(const char* szSource, const char* szDestination) {
    MFX_PRE(szSource && szDestination);
    PATHNAME szStaged = "";
    bool fStaged = false;
    if (s_szWorkingDirectory[0] && PATHNAME_Construct(szStaged, s_szWorkingDirectory, STAGING_NAME))
        MFX_VERIFY(fStaged = FILE_Copyola(szSource, szStaged) != 0);
    const int fOk = Expand(fStaged ? szStaged : szSource, szDestination);
    if (fStaged)
        MFX_VERIFY(PATHNAME_Remove(szStaged));
    return fOk;
}

// The chunk count is held in 32 bits: a 16-bit count would stop at 1 GB.
int FILE_Copyola(const char* szSource, const char* szDestination) {
    MFX_PRE(szSource && szDestination);
    const HFILE hIn = HFILE_OpenRead(szSource);
    const HFILE hOut = HFILE_IsOpen(hIn) ? HFILE_Create(szDestination) : HFILE_NONE;
    bool fOk = HFILE_IsOpen(hIn) && HFILE_IsOpen(hOut);
    const int32_t lLength = fOk ? HFILE_GetSize(hIn) : 0;
    MFX_VERIFY(fOk = fOk && lLength > 0);
    std::vector<char> chunk(fOk ? CHUNKSIZE : 0);
    const uint32_t nChunks = fOk ? static_cast<uint32_t>(lLength) / CHUNKSIZE : 0;
    const uint32_t cbRest = fOk ? static_cast<uint32_t>(lLength) % CHUNKSIZE : 0;
    for (uint32_t i = 0; fOk && i <= nChunks; ++i) {
        const uint32_t cb = i < nChunks ? CHUNKSIZE : cbRest;
        if (cb == 0)
            break;
        MFX_VERIFY(fOk = HFILE_Read(hIn, chunk.data(), cb) && HFILE_Write(hOut, chunk.data(), cb));
        if (fOk && s_pfnProgress)
            s_pfnProgress(cb);
    }
    if (HFILE_IsOpen(hIn))
        HFILE_Close(hIn);
    if (HFILE_IsOpen(hOut))
        HFILE_Close(hOut);
    return fOk ? 1 : 0;
}

int FILE_Backup(const char* szName, const char* szDirectory) {
    PATHNAME szPath = "", szBackup = "";
    if (!PATHNAME_Construct(szPath, szDirectory, szName) || !PATHNAME_FolderExists(szPath))
        return FILE_BACKUP_NONE;
    if (!FILE_MakeBackupName(szPath, szBackup))
        return FILE_BACKUP_RENAMEFAILED;
    if (PATHNAME_FolderExists(szBackup) && !PATHNAME_Remove(szBackup))
        return FILE_BACKUP_OLDNOTREMOVED;
    return PATHNAME_Rename(szPath, szBackup) ? FILE_BACKUP_DONE : FILE_BACKUP_RENAMEFAILED;
}

int FILE_ExpandedName(const char* szSource, char* szDestination) {
    MFX_PRE(szSource && szDestination);
    PATHNAME szExpanded = "", szJustName = "";
    MFX_PRE(GetExpandedNameA(const_cast<char*>(szSource), szExpanded) == 1);
    PATHNAME_GetJustName(szExpanded, szJustName);
    return PATHNAME_ReplaceJustName(szDestination, szJustName);
}

int FILE_Install(FILETYPE* pFile, const char* szSourceDir, const char* szDestDir, bool fPrompt) {
    MFX_PRE(pFile && szSourceDir && szDestDir);
    PATHNAME szSource = "", szDestination = "";
    MFX_PRE(PATHNAME_Construct(szSource, szSourceDir, pFile->szName));
    MFX_PRE(PATHNAME_Construct(szDestination, szDestDir, pFile->szName));
    MFX_PRE(MakeDestination(szDestDir, fPrompt));
    bool fCompressed = false;
    if (ExpectedSize(szSource, &fCompressed) >= 0 && fCompressed &&
        MFX_VERIFY(FILE_ExpandedName(szSource, szDestination))) {
        PATHNAME szJustName = "";
        PATHNAME_GetJustName(szDestination, szJustName);
        CharLowerA(szJustName);
        lstrcpynA(pFile->szName, szJustName, sizeof(pFile->szName));
    }
    return FILE_Copy(szSource, szDestination);
}

int DIR_CopyDir(const DIR* pDir, const char* szSourceDir, const char* szDestDir, bool fPrompt, bool fKeepDates) {
    MFX_PRE(pDir && szSourceDir && szDestDir);
    PATHNAME szDestination = "", szPattern = "", szSourceRoot = "";
    MFX_PRE(PATHNAME_Construct(szDestination, szDestDir, pDir->szName));
    MFX_PRE(PATHNAME_Construct2(szPattern, szSourceDir, pDir->szName, "*.*"));
    PATHNAME_Assign(szSourceRoot, szSourceDir);
    MFX_PRE(PATHNAME_AddSlash(szSourceRoot));
    if (fPrompt)
        MFX_PRE(MakeDestination(szDestination, true));
    PATHFIND find;
    for (bool fMore = PATHFIND_Construct(&find, szPattern); fMore; fMore = PATHFIND_Next(&find)) {
        while (PATHFIND_CanDescend(&find) && PATHFIND_DescendIfFolder(&find)) {
        }
        if (PATHFIND_IsFolder(&find))
            continue;
        PATHNAME szSourceFile = "", szRootless = "", szDestFile = "";
        MFX_PRE(PATHFIND_GetPath(&find, szSourceFile));
        PATHNAME_Assign(szRootless, szSourceFile);
        PATHNAME_RemoveRoot(szRootless, szSourceRoot);
        MFX_PRE(PATHNAME_Construct(szDestFile, szDestDir, szRootless));
        MFX_PRE(FILE_ExpandedName(szSourceFile, szDestFile));
        MFX_PRE(PATHNAME_CreateAllFoldersForFile(szDestFile));
        MFX_PRE(FILE_Copy(szSourceFile, szDestFile));
        if (fKeepDates)
            KeepDate(szSourceFile, szDestFile);
    }
    return 1;
}

int THING_Copy(THING* pThing, const char* szSourceDir, const char* szDestDir, bool fPrompt) {
    MFX_PRE(pThing && szSourceDir && szDestDir);
    if (pThing->pDir) {
        pThing->fCopied = DIR_CopyDir(pThing->pDir, szSourceDir, szDestDir, fPrompt, true);
    } else if (pThing->pFile) {
        PATHNAME szSource = "", szDestination = "";
        MFX_VERIFY(PATHNAME_Construct(szSource, szSourceDir, pThing->pFile->szName));
        pThing->fCopied = FILE_Install(pThing->pFile, szSourceDir, szDestDir, fPrompt);
        if (pThing->fCopied && PATHNAME_Construct(szDestination, szDestDir, pThing->pFile->szName))
            KeepDate(szSource, szDestination);
    } else {
        pThing->fCopied = 0;
    }
    return pThing->fCopied;
}

bool FILE_IsInUse(const char* szDestDir, const char* szName) {
    char szCurDir[MAX_PATH] = "", szDestOut[MAX_PATH] = "";
    UINT cchCur = sizeof(szCurDir), cchDest = sizeof(szDestOut);
    const DWORD dwResult = VerFindFileA(VFFF_ISSHAREDFILE, const_cast<char*>(szName), nullptr,
                                        const_cast<char*>(szDestDir), szCurDir, &cchCur, szDestOut, &cchDest);
    PATHNAME szCur = "", szDest = "";
    PATHNAME_Assign(szCur, szCurDir);
    PATHNAME_Assign(szDest, szDestDir);
    PATHNAME_TrimLastSlash(szCur);
    PATHNAME_TrimLastSlash(szDest);
    return (dwResult & VFF_FILEINUSE) && lstrcmpiA(szCur, szDest) == 0;
}

bool FILE_GetVersion(const char* szPath, uint32_t* pdwMS, uint32_t* pdwLS) {
    DWORD dwHandle = 0;
    const DWORD cb = GetFileVersionInfoSizeA(szPath, &dwHandle);
    if (cb == 0)
        return false;
    std::vector<char> info(cb);
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cbFixed = 0;
    if (!GetFileVersionInfoA(szPath, 0, cb, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &cbFixed) || !pFixed)
        return false;
    *pdwMS = pFixed->dwFileVersionMS;
    *pdwLS = pFixed->dwFileVersionLS;
    return true;
}

bool FILE_CopyBaggage(const std::function<int(char*, int)>& fnName, const char* szFromDir, const char* szToDir) {
    bool fAllOk = true;
    PATHNAME szName = "";
    for (int nIndex = 0; fnName(szName, nIndex); ++nIndex) {
        PATHNAME szSource = "", szDestination = "";
        bool fOk = false;
        MFX_VERIFY(fOk = PATHNAME_Construct(szSource, szFromDir, szName) &&
                         PATHNAME_Construct(szDestination, szToDir, szName) && FILE_Copy(szSource, szDestination));
        fAllOk = fAllOk && fOk;
        szName[0] = '\0';
    }
    return fAllOk;
}
