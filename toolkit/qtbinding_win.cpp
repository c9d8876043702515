#include <windows.h>

#include <initializer_list>

#include "toolkit/mfx.h"
#include "toolkit/qtbinding.h"
#include "toolkit/qtbinding_win.h"

MFX_SOURCE_MODULE("QTBIND");

namespace {

// One loaded library of QuickTime for Windows. The use count counts successful starts not yet stopped; the
// module handle may outlive a count of 0 on Windows versions where the movie toolbox stays loaded.
struct QTLIBRARY {
    HMODULE hModule;
    QTENTRYPOINT pfnEntry;
    int cUse;
};

QTLIBRARY s_qtim = {};
QTLIBRARY s_cmgr = {};

// A missing library must fail the start quietly instead of raising the system's "file not found" box.
class CQuietLoad {
public:
    CQuietLoad() : m_uPrevious(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~CQuietLoad() { SetErrorMode(m_uPrevious); }
    CQuietLoad(const CQuietLoad&) = delete;
    CQuietLoad& operator=(const CQuietLoad&) = delete;

private:
    UINT m_uPrevious;
};

template <typename PFN>
PFN GetEntry(HMODULE hModule, const char* szName) {
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(GetProcAddress(hModule, szName)));
}

bool IsWindowsNT() {
    return (GetVersion() & 0x80000000) == 0;
}

// Loads the library unless it is loaded already and takes its entry point: 0, or the start's failure code.
int LoadLibraryEntry(QTLIBRARY& lib, const char* szLibrary) {
    if (!lib.hModule) {
        lib.hModule = LoadLibraryA(szLibrary);
        if (!lib.hModule)
            return 1;
    }
    lib.pfnEntry = GetEntry<QTENTRYPOINT>(lib.hModule, QT_ENTRYPOINT);
    return lib.pfnEntry ? 0 : 2;
}

// Frees a library that no start holds.
void FreeUnused(QTLIBRARY& lib) {
    if (lib.cUse == 0 && lib.hModule) {
        FreeLibrary(lib.hModule);
        lib = {};
    }
}

std::intptr_t Call(QTLIBRARY& lib,
                   unsigned short wSet,
                   unsigned short wSelector,
                   std::initializer_list<std::intptr_t> args) {
    return lib.pfnEntry(wSelector, wSet, args.begin(), static_cast<int>(args.size()));
}

// A movie toolbox call; a call before any start first tries to start and answers failure when it cannot.
std::intptr_t CallMovies(unsigned short wSelector, std::intptr_t failure, std::initializer_list<std::intptr_t> args) {
    if (s_qtim.cUse == 0 && QTBINDING_Start(nullptr) != 0)
        return failure;
    return Call(s_qtim, QT_COMPONENTSET_MOVIES, wSelector, args);
}

std::intptr_t CallController(unsigned short wSelector,
                             std::intptr_t failure,
                             std::initializer_list<std::intptr_t> args) {
    if (s_cmgr.cUse == 0 && QTBINDING_Start(nullptr) != 0)
        return failure;
    return Call(s_cmgr, QT_COMPONENTSET_CONTROLLER, wSelector, args);
}

template <typename T>
std::intptr_t Arg(T* p) {
    return reinterpret_cast<std::intptr_t>(p);
}

// The product version of the loaded movie toolbox, read through the version library loaded for the purpose.
bool ReadProductVersion(HMODULE hModule, unsigned long* pdwVersion) {
    typedef DWORD(WINAPI * PFNSIZE)(LPCSTR, LPDWORD);
    typedef BOOL(WINAPI * PFNINFO)(LPCSTR, DWORD, DWORD, LPVOID);
    typedef BOOL(WINAPI * PFNQUERY)(LPCVOID, LPCSTR, LPVOID*, PUINT);
    char szFile[MAX_PATH] = "";
    const DWORD cchFile = GetModuleFileNameA(hModule, szFile, sizeof(szFile));
    MFX_PRE(cchFile > 0 && cchFile < sizeof(szFile));
    HMODULE hVersion = LoadLibraryA("version.dll");
    MFX_PRE(hVersion);
    bool fOk = false;
    auto pfnSize = GetEntry<PFNSIZE>(hVersion, "GetFileVersionInfoSizeA");
    auto pfnInfo = GetEntry<PFNINFO>(hVersion, "GetFileVersionInfoA");
    auto pfnQuery = GetEntry<PFNQUERY>(hVersion, "VerQueryValueA");
    DWORD dwHandle = 0;
    const DWORD cbInfo = pfnSize && pfnInfo && pfnQuery ? pfnSize(szFile, &dwHandle) : 0;
    if (cbInfo) {
        BYTE* pInfo = new BYTE[cbInfo];
        VS_FIXEDFILEINFO* pFixed = nullptr;
        UINT cbFixed = 0;
        if (pfnInfo(szFile, 0, cbInfo, pInfo) && pfnQuery(pInfo, "\\", reinterpret_cast<LPVOID*>(&pFixed), &cbFixed) &&
            cbFixed >= sizeof(*pFixed)) {
            *pdwVersion =
                QTBINDING_VersionNumber(HIWORD(pFixed->dwProductVersionMS), LOWORD(pFixed->dwProductVersionMS),
                                        HIWORD(pFixed->dwProductVersionLS), LOWORD(pFixed->dwProductVersionLS));
            fOk = true;
        }
        delete[] pInfo;
    }
    FreeLibrary(hVersion);
    return fOk;
}

}  // namespace

// Both libraries are loaded, or neither: a failure with the component manager releases the movie toolbox
// again. The component manager is initialised when it is first loaded and terminated when its last start is
// undone, so its own initialisation and termination pair up.
int QTBINDING_Start(unsigned long* pdwVersion) {
    CQuietLoad quiet;
    int nResult = LoadLibraryEntry(s_qtim, QTIM_LIBRARY);
    if (nResult == 0) {
        const bool fFirst = s_cmgr.cUse == 0;
        nResult = LoadLibraryEntry(s_cmgr, CMGR_LIBRARY);
        if (nResult == 0 && fFirst) {
            auto pfnInitialize = GetEntry<QTCMGRINITIALIZE>(s_cmgr.hModule, QT_CMGRINITIALIZE);
            if (!pfnInitialize || pfnInitialize() != 0)
                nResult = 2;
        }
        if (nResult != 0)
            FreeUnused(s_cmgr);
    }
    if (nResult != 0) {
        FreeUnused(s_qtim);
        return nResult;
    }
    ++s_cmgr.cUse;
    if (++s_qtim.cUse == 1)
        Call(s_qtim, QT_COMPONENTSET_MOVIES, QTSEL_INITIALIZE, {});
    if (pdwVersion && !ReadProductVersion(s_qtim.hModule, pdwVersion))
        *pdwVersion = 0;
    return 0;
}

// The movie toolbox stays loaded on the Windows 95 family, where freeing it is not safe; Windows NT frees it.
void QTBINDING_Stop() {
    if (!MFX_VERIFY(s_qtim.cUse > 0 && s_cmgr.cUse > 0))
        return;
    if (--s_cmgr.cUse == 0) {
        if (auto pfnTerminate = GetEntry<QTCMGRTERMINATE>(s_cmgr.hModule, QT_CMGRTERMINATE))
            pfnTerminate();
        FreeUnused(s_cmgr);
    }
    if (--s_qtim.cUse == 0) {
        Call(s_qtim, QT_COMPONENTSET_MOVIES, QTSEL_TERMINATE, {});
        if (IsWindowsNT())
            FreeUnused(s_qtim);
    }
}

bool CQTMovies::Enter() {
    if (m_fTried)
        return m_fEntered;
    m_fTried = true;
    if (QTBINDING_Start(nullptr) != 0)
        return false;
    m_fStarted = true;
    bool fOk;
    // clang-format off
    // The report quotes the call as written here.
    MFX_VERIFY(fOk = (EnterMovies()==noErr));
    // clang-format on
    m_fEntered = fOk;
    return fOk;
}

void CQTMovies::Leave() {
    if (m_fEntered)
        ExitMovies();
    if (m_fStarted)
        QTBINDING_Stop();
    m_fTried = m_fStarted = m_fEntered = false;
}

short EnterMovies() {
    return static_cast<short>(CallMovies(QTSEL_ENTERMOVIES, qtErrNotStarted, {}));
}

void ExitMovies() {
    CallMovies(QTSEL_EXITMOVIES, 0, {});
}

short OpenMovieFile(const char* szName, short* pnRefNum, int nPermission) {
    return static_cast<short>(
        CallMovies(QTSEL_OPENMOVIEFILE, qtErrNotStarted, {Arg(szName), Arg(pnRefNum), nPermission}));
}

short NewMovieFromFile(Movie* pMovie, short nRefNum) {
    return static_cast<short>(CallMovies(QTSEL_NEWMOVIEFROMFILE, qtErrNotStarted, {Arg(pMovie), nRefNum, 0, 0, 0, 0}));
}

short CloseMovieFile(short nRefNum) {
    return static_cast<short>(CallMovies(QTSEL_CLOSEMOVIEFILE, qtErrNotStarted, {nRefNum}));
}

void GetMovieBox(Movie movie, QTRECT* pRect) {
    CallMovies(QTSEL_GETMOVIEBOX, 0, {Arg(movie), Arg(pRect)});
}

MovieController NewMovieController(Movie movie, const QTRECT* pRect, long lFlags, void* hWnd) {
    return reinterpret_cast<MovieController>(
        CallMovies(QTSEL_NEWMOVIECONTROLLER, 0, {Arg(movie), Arg(pRect), lFlags, Arg(hWnd)}));
}

void SetMovieActive(Movie movie, int fActive) {
    CallMovies(QTSEL_SETMOVIEACTIVE, 0, {Arg(movie), fActive});
}

void DisposeMovieController(MovieController mc) {
    CallMovies(QTSEL_DISPOSEMOVIECONTROLLER, 0, {Arg(mc)});
}

void DisposeMovie(Movie movie) {
    CallMovies(QTSEL_DISPOSEMOVIE, 0, {Arg(movie)});
}

long GetMovieTime(Movie movie) {
    return static_cast<long>(CallMovies(QTSEL_GETMOVIETIME, 0, {Arg(movie), 0}));
}

long GetMovieDuration(Movie movie) {
    return static_cast<long>(CallMovies(QTSEL_GETMOVIEDURATION, 0, {Arg(movie)}));
}

long GetMoviePreferredRate(Movie movie) {
    return static_cast<long>(CallMovies(QTSEL_GETMOVIEPREFERREDRATE, 0, {Arg(movie)}));
}

long GetMovieTimeScale(Movie movie) {
    return static_cast<long>(CallMovies(QTSEL_GETMOVIETIMESCALE, 0, {Arg(movie)}));
}

PicHandle GetMoviePict(Movie movie, long lTime) {
    return reinterpret_cast<PicHandle>(CallMovies(QTSEL_GETMOVIEPICT, 0, {Arg(movie), lTime}));
}

void* PictureToDIB(PicHandle pict) {
    return reinterpret_cast<void*>(CallMovies(QTSEL_PICTURETODIB, 0, {Arg(pict)}));
}

void KillPicture(PicHandle pict) {
    CallMovies(QTSEL_KILLPICTURE, 0, {Arg(pict)});
}

short MCDoAction(MovieController mc, short nAction, void* pParam) {
    return static_cast<short>(CallController(QTMC_DOACTION, qtErrNotStarted, {Arg(mc), nAction, Arg(pParam)}));
}

void MCGetControllerBoundsRect(MovieController mc, QTRECT* pRect) {
    CallController(QTMC_GETCONTROLLERBOUNDSRECT, 0, {Arg(mc), Arg(pRect)});
}

long MCIsPlayerMessage(MovieController mc, void* hWnd, unsigned uMsg, std::uintptr_t wParam, std::intptr_t lParam) {
    return static_cast<long>(CallController(
        QTMC_ISPLAYERMESSAGE, 0,
        {Arg(mc), Arg(hWnd), static_cast<std::intptr_t>(uMsg), static_cast<std::intptr_t>(wParam), lParam}));
}

short MCSetControllerBoundsRect(MovieController mc, const QTRECT* pRect) {
    return static_cast<short>(CallController(QTMC_SETCONTROLLERBOUNDSRECT, qtErrNotStarted, {Arg(mc), Arg(pRect)}));
}

short MCSetMovie(MovieController mc, Movie movie, void* hWnd, int x, int y) {
    return static_cast<short>(CallController(QTMC_SETMOVIE, qtErrNotStarted, {Arg(mc), Arg(movie), Arg(hWnd), x, y}));
}

void MCSetActive(MovieController mc, int fActive) {
    CallController(QTMC_SETACTIVE, 0, {Arg(mc), fActive});
}
