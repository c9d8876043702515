// The file-system half of the path names: Win32 calls behind the PATHNAME operations.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/diag.h"
#include "toolkit/findfile_win.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("PATHNAME");

namespace {

const DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const DWORD COPY_BLOCK = 16384;

// An open file handle, closed when the object goes.
class CWin32File {
public:
    CWin32File(const char* szName, DWORD dwAccess, DWORD dwCreation)
        : m_hFile(CreateFileA(szName, dwAccess, SHARE_ALL, nullptr, dwCreation, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~CWin32File() {
        if (IsOpen())
            CloseHandle(m_hFile);
    }
    CWin32File(const CWin32File&) = delete;
    CWin32File& operator=(const CWin32File&) = delete;
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_hFile; }

private:
    HANDLE m_hFile;
};

// Shows the wait cursor while the object lives.
class CWaitCursor {
public:
    CWaitCursor() : m_hPrevious(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(m_hPrevious); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};

// Drive numbers count from A = 1, and only A to Z exist. The letter is taken in upper case, so c:\ names
// drive 3 as C:\ does. Making "X:" current moves to that drive's own current folder.
bool SetCurrentDrive(char chLetter) {
    if (chLetter >= 'a' && chLetter <= 'z')
        chLetter = static_cast<char>(chLetter - 'a' + 'A');
    const int nDrive = chLetter - 64;
    if (nDrive < 1 || nDrive > 26)
        return false;
    const char szDrive[] = {static_cast<char>('A' + nDrive - 1), ':', '\0'};
    return SetCurrentDirectoryA(szDrive) != 0;
}

// Moves count bytes; a piece that does not arrive whole marks the copy failed.
bool CopyBytes(HANDLE hSource, HANDLE hDestination, char* pBlock, DWORD cb) {
    DWORD cbRead = 0, cbWritten = 0;
    return ReadFile(hSource, pBlock, cb, &cbRead, nullptr) && cbRead == cb &&
           WriteFile(hDestination, pBlock, cb, &cbWritten, nullptr) && cbWritten == cb;
}

// The platform's free-space figures for the root of a drive-form name.
bool QueryFreeClusters(const char* szName, ULONGLONG* pqwFree) {
    const char szRoot[] = {szName[0], szName[1], szName[2], '\0'};
    DWORD dwSectorsPerCluster = 0, dwBytesPerSector = 0, dwFreeClusters = 0, dwClusters = 0;
    bool fOk = true;
    MFX_VERIFY(fOk = GetDiskFreeSpaceA(szRoot, &dwSectorsPerCluster, &dwBytesPerSector, &dwFreeClusters, &dwClusters));
    *pqwFree = fOk ? static_cast<ULONGLONG>(dwFreeClusters) * dwSectorsPerCluster * dwBytesPerSector : 0;
    return fOk;
}

}  // namespace

const char* PATHNAME_PlatformNextChar(const char* p) {
    return CharNextA(p);
}

bool PATHNAME_PlatformIsSameText(const char* sz1, const char* sz2) {
    return lstrcmpiA(sz1, sz2) == 0;
}

int PATHNAME_ConstructCurDir(char* szOut) {
    MFX_PRE(szOut);
    PATHNAME szWork = "";
    const DWORD cch = GetCurrentDirectoryA(sizeof(szWork), szWork);
    if (cch == 0 || cch >= sizeof(szWork))
        return 0;
    PATHNAME_Assign(szOut, szWork);
    return PATHNAME_AddSlash(szOut);
}

int PATHNAME_ChangeDirTo(const char* szFolder) {
    MFX_PRE(szFolder);
    MFX_PRE(strlen(szFolder) <= MAX_PATHNAME);
    PATHNAME szWork = "";
    PATHNAME_Assign(szWork, szFolder);
    PATHNAME_TrimLastSlash(szWork);
    const bool fChanged = SetCurrentDirectoryA(szWork);
    if (szWork[1] != ':')
        return fChanged;
    return fChanged && SetCurrentDrive(szWork[0]);
}

int PATHNAME_Exists(const char* szName) {
    MFX_PRE(szName);
    return CWin32File(szName, 0, OPEN_EXISTING).IsOpen();
}

int PATHNAME_FolderExists(const char* szName) {
    MFX_PRE(szName);
    return GetFileAttributesA(szName) != INVALID_FILE_ATTRIBUTES;
}

int PATHNAME_CreateFolder(const char* szName) {
    MFX_PRE(szName);
    return CreateDirectoryA(szName, nullptr) != 0;
}

int PATHNAME_RemoveFolder(const char* szName) {
    MFX_PRE(szName);
    return RemoveDirectoryA(szName) != 0;
}

int PATHNAME_Remove(const char* szName) {
    MFX_PRE(szName);
    return DeleteFileA(szName) != 0;
}

int PATHNAME_Rename(const char* szOld, const char* szNew) {
    MFX_PRE(szOld);
    MFX_PRE(szNew);
    return rename(szOld, szNew) == 0;
}

// The Win32 run-time library takes ANSI names, so both names go to it unconverted: converting them to the OEM
// set first would rename any file whose name has accented letters to a different name.
int PATHNAME_RenameJustName(const char* szName, const char* szNewName) {
    MFX_PRE(szName);
    MFX_PRE(szNewName);
    PATHNAME szNew = "";
    if (!PATHNAME_ConstructSibling(szName, szNew, szNewName))
        return 0;
    return PATHNAME_Rename(szName, szNew);
}

// A name without an extension gets none, so there is nothing to rename.
int PATHNAME_RenameExtension(const char* szName, const char* szNewExt) {
    MFX_PRE(szName);
    MFX_PRE(szNewExt);
    PATHNAME szJustName = "";
    PATHNAME_GetJustName(szName, szJustName);
    if (!PATHNAME_ReplaceExtension(szJustName, szNewExt))
        return 0;
    return PATHNAME_RenameJustName(szName, szJustName);
}

int PATHNAME_GetDateTime(const char* szName, uint32_t* pdwDateTime) {
    MFX_PRE(szName);
    MFX_PRE(pdwDateTime);
    CWin32File file(szName, GENERIC_READ, OPEN_EXISTING);
    if (!file.IsOpen())
        return 0;
    FILETIME ftWrite, ftLocal;
    bool fOk = true;
    MFX_VERIFY(fOk = GetFileTime(file.Get(), nullptr, nullptr, &ftWrite));
    if (!fOk)
        return 0;
    WORD wDate = 0, wTime = 0;
    if (!FileTimeToLocalFileTime(&ftWrite, &ftLocal) || !FileTimeToDosDateTime(&ftLocal, &wDate, &wTime))
        return 0;
    *pdwDateTime = static_cast<uint32_t>(wDate) << 16 | wTime;
    return 1;
}

int PATHNAME_SetDateTime(const char* szName, uint32_t dwDateTime) {
    MFX_PRE(szName);
    CWin32File file(szName, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    if (!file.IsOpen())
        return 0;
    FILETIME ftLocal, ftWrite;
    if (!DosDateTimeToFileTime(HIWORD(dwDateTime), LOWORD(dwDateTime), &ftLocal) ||
        !LocalFileTimeToFileTime(&ftLocal, &ftWrite))
        return 0;
    return SetFileTime(file.Get(), nullptr, nullptr, &ftWrite) != 0;
}

// Sizes beyond the signed 32-bit range are clamped rather than wrapped into negative numbers.
int32_t PATHNAME_GetSize(const char* szName) {
    MFX_PRE(szName);
    CWin32File file(szName, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size;
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size))
        return 0;
    return size.QuadPart > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size.QuadPart);
}

// The 32-bit count multiplies in 32 bits, as its callers expect; it wraps on drives with 4 GB or more free,
// which is what PATHNAME_GetFreeSpace64 is for.
int PATHNAME_GetFreeSpace(const char* szName, uint32_t* pdwDiskFree) {
    MFX_PRE(szName);
    MFX_PRE(pdwDiskFree);
    *pdwDiskFree = 0;
    MFX_PRE(PATHNAME_IsDriveForm(szName));
    ULONGLONG qwFree = 0;
    const bool fOk = QueryFreeClusters(szName, &qwFree);
    *pdwDiskFree = static_cast<uint32_t>(qwFree);
    DIAG_TraceNumber("PATHNAME_GetFreeSpace ", "*pdwDiskFree", *pdwDiskFree);
    return fOk;
}

// The bytes available to this user as the system reports them for large drives.
int PATHNAME_GetFreeSpace64(const char* szName, uint64_t* pqwDiskFree) {
    MFX_PRE(szName);
    MFX_PRE(pqwDiskFree);
    *pqwDiskFree = 0;
    MFX_PRE(PATHNAME_IsDriveForm(szName));
    const char szRoot[] = {szName[0], szName[1], szName[2], '\0'};
    ULARGE_INTEGER available;
    bool fOk = true;
    MFX_VERIFY(fOk = GetDiskFreeSpaceExA(szRoot, &available, nullptr, nullptr));
    if (fOk)
        *pqwDiskFree = available.QuadPart;
    return fOk;
}

int PATHNAME_ConstructModulePath(char* szOut, MFX_HMODULE hModule) {
    MFX_PRE(szOut);
    PATHNAME szModule = "";
    const DWORD cch = GetModuleFileNameA(static_cast<HMODULE>(hModule), szModule, sizeof(szModule));
    if (cch == 0 || cch >= sizeof(szModule))
        return 0;
    return PATHNAME_GetJustPath(szModule, szOut);
}

int PATHNAME_ConstructModuleFile(char* szOut, MFX_HMODULE hModule, const char* szName) {
    MFX_PRE(szOut);
    MFX_PRE(szName);
    szOut[0] = '\0';
    MFX_PRE(hModule);
    PATHNAME szFolder = "";
    return PATHNAME_ConstructModulePath(szFolder, hModule) && PATHNAME_Construct(szOut, szFolder, szName);
}

int PATHNAME_GetModulePathNoSlash(char* szOut, MFX_HMODULE hModule) {
    if (!PATHNAME_ConstructModulePath(szOut, hModule))
        return 0;
    PATHNAME_TrimLastSlash(szOut);
    return 1;
}

// Whole blocks first, then the rest; an empty rest is not a transfer at all.
int PATHNAME_Copy(const char* szSource, const char* szDestination) {
    MFX_PRE(szSource);
    MFX_PRE(szDestination);
    CWaitCursor wait;
    CWin32File source(szSource, GENERIC_READ, OPEN_EXISTING);
    if (!source.IsOpen())
        return 0;
    CWin32File destination(szDestination, GENERIC_WRITE, CREATE_ALWAYS);
    if (!destination.IsOpen())
        return 0;
    LARGE_INTEGER zero = {}, size;
    if (!SetFilePointerEx(source.Get(), zero, &size, FILE_END) ||
        !SetFilePointerEx(source.Get(), zero, nullptr, FILE_BEGIN))
        return 0;
    std::vector<char> block(COPY_BLOCK);
    bool fOk = true;
    for (LONGLONG cBlocks = size.QuadPart / COPY_BLOCK; fOk && cBlocks > 0; --cBlocks)
        fOk = CopyBytes(source.Get(), destination.Get(), block.data(), COPY_BLOCK);
    const DWORD cbRest = static_cast<DWORD>(size.QuadPart % COPY_BLOCK);
    if (fOk && cbRest > 0)
        fOk = CopyBytes(source.Get(), destination.Get(), block.data(), cbRest);
    return fOk;
}

int PATHNAME_Execute(const char* szProgram, const char* szWorkingFolder, const char* szParameters, int nShow) {
    MFX_PRE(szProgram);
    PATHNAME szFolder = "";
    const char* szFrom = szWorkingFolder && *szWorkingFolder ? szWorkingFolder : szProgram;
    if (!PATHNAME_GetJustPath(szFrom, szFolder))
        return 0;
    if (strlen(szFolder) > 3)
        PATHNAME_TrimLastSlash(szFolder);
    SetCurrentDirectoryA(szFolder);
    if (szFolder[1] == ':')
        SetCurrentDrive(szFolder[0]);
    std::string commandLine = szProgram;
    if (szParameters)
        commandLine += std::string(" ") + szParameters;
    return WinExec(commandLine.c_str(), nShow) >= 32;
}

// Levels run from the root outwards, so each folder's parent exists by the time it is made; a folder that
// cannot be made is reported and the chain goes on, since a later level may still exist.
int PATHNAME_CreateAllFoldersForPath(const char* szFolder) {
    MFX_PRE(szFolder);
    PATHNAME szSlashed = "";
    MFX_PRE(strlen(szFolder) <= MAX_PATHNAME);
    PATHNAME_Assign(szSlashed, szFolder);
    MFX_PRE(PATHNAME_AddSlash(szSlashed));
    if (!PATHNAME_FolderExists(szFolder)) {
        const int nLevels = PATHNAME_CountFolders(szSlashed);
        for (int nLevel = 0; nLevel <= nLevels; ++nLevel) {
            PATHNAME szLevel = "";
            if (PATHNAME_GetFolderAtLevel(szSlashed, szLevel, nLevel) && !PATHNAME_FolderExists(szLevel))
                MFX_VERIFY(PATHNAME_CreateFolder(szLevel));
        }
    }
    return MFX_VERIFY(PATHNAME_FolderExists(szFolder));
}

int PATHNAME_CreateAllFoldersForFile(const char* szFileName) {
    MFX_PRE(szFileName);
    PATHNAME szDestPath = "";
    if (!PATHNAME_GetJustPathNoSlash(szFileName, szDestPath))
        return 0;
    return MFX_VERIFY(PATHNAME_CreateAllFoldersForPath(szDestPath));
}

// A pattern without a folder part matches in the current folder, so its entries are named alone.
int PATHNAME_ForEachFile(const char* szPattern, PATHNAME_FILECALLBACK pfnCallback, void* pUser) {
    MFX_PRE(szPattern);
    MFX_PRE(pfnCallback);
    CFindFile find(szPattern);
    if (!find.IsOpen())
        return 1;
    const WIN32_FIND_DATAA& found = find.Found();
    PATHNAME szFolder = "";
    bool fOk = true;
    MFX_VERIFY(fOk = PATHNAME_GetJustPath(szPattern, szFolder));
    if (!fOk)
        szFolder[0] = '\0';
    int nResult = 1;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        PATHNAME szFullName = "";
        if (szFolder[0])
            MFX_VERIFY(fOk = PATHNAME_Construct(szFullName, szFolder, found.cFileName));
        else
            PATHNAME_Assign(szFullName, found.cFileName);
        if (!pfnCallback(szFullName, pUser))
            nResult = 0;
    } while (nResult && find.Next());
    MFX_VERIFY(fOk = find.Close());
    return nResult;
}

int PATHNAME_GetLongJustName(const char* szName, char* szOut) {
    MFX_PRE(szName);
    MFX_PRE(szOut);
    const CFindFile find(szName);
    if (!find.IsOpen())
        return 0;
    return PATHNAME_Assign(szOut, find.Found().cFileName);
}

// Each level's prefix is looked up in turn and its long name joined to the long names before it; the name is
// only replaced once every level was found.
int PATHNAME_MakeLongName(char* szName) {
    MFX_PRE(szName);
    MFX_PRE(PATHNAME_IsDriveForm(szName));
    const int nLevels = PATHNAME_CountFolders(szName);
    PATHNAME szCurrent = "", szPrefix = "", szLong = "";
    if (!PATHNAME_GetFolderAtLevel(szName, szCurrent, 0))
        return 0;
    for (int nLevel = 1; nLevel <= nLevels; ++nLevel) {
        if (!PATHNAME_GetFolderAtLevel(szName, szPrefix, nLevel) || !PATHNAME_GetLongJustName(szPrefix, szLong) ||
            !PATHNAME_Construct(szCurrent, szCurrent, szLong))
            return 0;
    }
    // Built aside: a long form that would not fit leaves the caller's name as it was.
    PATHNAME szResult = "";
    if (!PATHNAME_GetLongJustName(szName, szLong) || !PATHNAME_Construct(szResult, szCurrent, szLong))
        return 0;
    return PATHNAME_Assign(szName, szResult);
}
