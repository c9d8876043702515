// A stand-in for QuickTime for Windows in tests: QTIM32.DLL (movie toolbox) and CMGR32.DLL (component manager
// and movie controller) built from this one source. It answers the selectors the binding uses with plausible
// values and appends one line per call to the file named by the environment variable QTSTANDIN_LOG, so tests
// can assert the exact calls. QTSTANDIN_FAIL lists calls to fail, separated by spaces: a selector ("44"), a
// controller selector ("C1") or one controller action ("C1:21"); QTSTANDIN_START=end opens movies at their end.
//
// It shows what a user would see of a playing movie: the movie's box at the size its track header gives, a
// picture that moves on with the movie time (which runs with the clock while the movie plays), and the
// controller's bar, or its badge, when the controller shows.
#include <windows.h>
// The platform's header spells its FindAtomA as FindAtom; the atom reader's FindAtom is meant here.
#undef FindAtom

#include <cstdio>
#include <cstring>
#include <string>

#include "movie/qtatoms.h"
#include "movie/qtfile.h"
#include "toolkit/qtbinding.h"

#ifndef QTSTANDIN_NAME
#error QTSTANDIN_NAME names the library being built
#endif
#ifndef QTSTANDIN_CMGR_ANSWER
#define QTSTANDIN_CMGR_ANSWER 0
#endif

namespace {

const int CONTROLLER_BAR = 16;  // height of the controller's bar below the movie
const int BADGE = 12;           // the badge's square at the movie's bottom left corner
const int FRAMES_PER_SECOND = 4;
const short fnfErr = -43;
const short noMovieFound = -2048;
const short badArgs = -50;
const short mcBadAction = -9994;

// A movie plays in real time: its time runs from lTime, taken at the tick count dwTick, at lRate (16.16 fixed
// point, negative while a palindrome runs backwards).
struct MOVIE {
    int nId;
    long lWidth, lHeight;
    long lTimeScale, lDuration;
    long lTime;
    long lRate;
    DWORD dwTick;
    bool fLoop, fPalindrome;
};
// The controller's bounds as it was given them; where the movie lies inside follows from its flags: stretched
// to the bounds, at their top left, or centred in the window.
struct CONTROLLER {
    int nId;
    MOVIE* pMovie;
    QTRECT rcBounds;
    HWND hWnd;
    long lFlags;
    long lCreateFlags;
    bool fVisible;
    bool fBadge;
    long lPaintedFrame;
};
struct PICTURE {
    int nId;
    long lWidth, lHeight;
    long lFrame, lMark;
};

int s_nNextMovie = 1, s_nNextController = 1, s_nNextPicture = 1;
const int MAX_FILES = 16;
struct OPENFILE {
    HANDLE hFile;
    std::string path;
};
OPENFILE s_files[MAX_FILES];

void Record(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* szFormat, ...) {
    char szLog[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("QTSTANDIN_LOG", szLog, sizeof(szLog)))
        return;
    char szLine[1024];
    int cch = snprintf(szLine, sizeof(szLine), "%s ", QTSTANDIN_NAME);
    va_list args;
    va_start(args, szFormat);
    cch += vsnprintf(szLine + cch, sizeof(szLine) - cch - 2, szFormat, args);
    va_end(args);
    if (cch > static_cast<int>(sizeof(szLine)) - 2)
        cch = sizeof(szLine) - 2;
    szLine[cch++] = '\n';
    HANDLE hLog = CreateFileA(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hLog == INVALID_HANDLE_VALUE)
        return;
    DWORD cbWritten = 0;
    WriteFile(hLog, szLine, cch, &cbWritten, nullptr);
    CloseHandle(hLog);
}

bool Fails(const std::string& token) {
    char szFail[256] = "";
    if (!GetEnvironmentVariableA("QTSTANDIN_FAIL", szFail, sizeof(szFail)))
        return false;
    const std::string list = std::string(" ") + szFail + " ";
    return list.find(" " + token + " ") != std::string::npos;
}

// QTSTANDIN_START=end opens every movie at its end, as if it had played through.
bool StartsAtEnd() {
    char szStart[16] = "";
    return GetEnvironmentVariableA("QTSTANDIN_START", szStart, sizeof(szStart)) && strcmp(szStart, "end") == 0;
}

std::string RectText(const QTRECT* pRect) {
    if (!pRect)
        return "null";
    char sz[80];
    snprintf(sz, sizeof(sz), "{%ld,%ld,%ld,%ld}", static_cast<long>(pRect->left), static_cast<long>(pRect->top),
             static_cast<long>(pRect->right), static_cast<long>(pRect->bottom));
    return sz;
}

int IdOf(const MOVIE* p) {
    return p ? p->nId : 0;
}

// ---- Reading the movie file with the suite's atom reader: the movie header and the first visual track header.

// The track header's width and height (16.16 fixed point) lie 76 bytes into a version 0 header, 12 bytes
// further in version 1, whose dates and duration are 64 bits wide.
bool ReadTrackSize(CQTFile* pFile, const CQTAtom& tkhd, long* plWidth, long* plHeight) {
    uint32_t dwVersion = 0, dwWidth = 0, dwHeight = 0;
    if (!tkhd.SeekToContent(pFile) || !pFile->ReadDWORD(&dwVersion))
        return false;
    const uint64_t qwAt = (dwVersion >> 24) == 1 ? 88 : 76;
    if (tkhd.ContentSize() < qwAt + 8 || pFile->Seek(static_cast<int64_t>(tkhd.ContentStart() + qwAt), SEEK_SET) != 0 ||
        !pFile->ReadDWORD(&dwWidth) || !pFile->ReadDWORD(&dwHeight) || dwWidth == 0)
        return false;
    *plWidth = static_cast<long>(dwWidth >> 16);
    *plHeight = static_cast<long>(dwHeight >> 16);
    return true;
}

bool ReadMovie(const std::string& path, MOVIE* pMovie) {
    CQTFile file;
    CQTAtom moov, mvhd, trak, tkhd;
    if (!file.OpenRead(path.c_str()) || !FindAtom(&moov, QTATOM_MOOV, &file))
        return false;
    uint32_t dwVersion = 0, dwScale = 0, dwDuration = 0;
    if (moov.FindChild(&file, &mvhd, QTATOM_MVHD) && file.ReadDWORD(&dwVersion) && (dwVersion >> 24) == 0 &&
        file.Seek(8, SEEK_CUR) == 0 && file.ReadDWORD(&dwScale) && file.ReadDWORD(&dwDuration)) {
        pMovie->lTimeScale = static_cast<long>(dwScale);
        pMovie->lDuration = static_cast<long>(dwDuration);
    }
    for (bool fTrak = moov.FindChild(&file, &trak, QTATOM_TRAK); fTrak;
         fTrak = moov.FindNextSibling(&file, &trak, QTATOM_TRAK)) {
        if (trak.FindChild(&file, &tkhd, QTATOM_TKHD) && ReadTrackSize(&file, tkhd, &pMovie->lWidth, &pMovie->lHeight))
            break;
    }
    return true;
}

// ---- Playing: the movie time runs with the clock while the rate is not 0.

long MovieTime(MOVIE* pMovie) {
    const DWORD dwNow = GetTickCount();
    if (pMovie->lRate == 0 || pMovie->lTimeScale <= 0) {
        pMovie->dwTick = dwNow;
        return pMovie->lTime;
    }
    const long long llStep =
        static_cast<long long>(dwNow - pMovie->dwTick) * pMovie->lTimeScale / 1000 * pMovie->lRate / 0x10000;
    if (llStep == 0)
        return pMovie->lTime;
    pMovie->dwTick = dwNow;
    long long llTime = pMovie->lTime + llStep;
    const long lEnd = pMovie->lDuration;
    if (lEnd <= 0) {
        llTime = 0;
    } else if (pMovie->fLoop && pMovie->fPalindrome) {
        while (llTime > lEnd || llTime < 0) {
            llTime = llTime > lEnd ? 2 * lEnd - llTime : -llTime;
            pMovie->lRate = -pMovie->lRate;
        }
    } else if (pMovie->fLoop) {
        llTime = ((llTime % lEnd) + lEnd) % lEnd;
    } else if (llTime >= lEnd || llTime <= 0) {
        llTime = llTime >= lEnd ? lEnd : 0;
        pMovie->lRate = 0;
    }
    pMovie->lTime = static_cast<long>(llTime);
    return pMovie->lTime;
}

long FrameOf(MOVIE* pMovie, long lTime) {
    return pMovie->lTimeScale > 0 ? lTime * FRAMES_PER_SECOND / pMovie->lTimeScale : 0;
}

// ---- The frame: colour bars over a ramp, the bars moving on with every frame of the movie time and a white
// mark on the ramp showing how far the movie has played, drawn into a 24-bit bottom-up DIB.

const COLORREF BARS[] = {RGB(192, 192, 192), RGB(192, 192, 0), RGB(0, 192, 192), RGB(0, 192, 0),
                         RGB(192, 0, 192),   RGB(192, 0, 0),   RGB(0, 0, 192)};

size_t DibBytes(long lWidth, long lHeight) {
    return sizeof(BITMAPINFOHEADER) + static_cast<size_t>((lWidth * 3 + 3) & ~3) * lHeight;
}

void DrawFrame(BITMAPINFOHEADER* pInfo, long lWidth, long lHeight, long lFrame, long lMark) {
    *pInfo = {};
    pInfo->biSize = sizeof(*pInfo);
    pInfo->biWidth = lWidth;
    pInfo->biHeight = lHeight;
    pInfo->biPlanes = 1;
    pInfo->biBitCount = 24;
    pInfo->biCompression = BI_RGB;
    const long cbRow = (lWidth * 3 + 3) & ~3;
    pInfo->biSizeImage = static_cast<DWORD>(cbRow * lHeight);
    auto* pBits = reinterpret_cast<unsigned char*>(pInfo + 1);
    const int nBars = sizeof(BARS) / sizeof(BARS[0]);
    for (long y = 0; y < lHeight; ++y) {
        unsigned char* pRow = pBits + (lHeight - 1 - y) * cbRow;
        for (long x = 0; x < lWidth; ++x) {
            COLORREF cr;
            if (y < lHeight * 2 / 3) {
                cr = BARS[(x * nBars / lWidth + lFrame) % nBars];
            } else if (lMark >= 0 && x >= lMark - 1 && x <= lMark + 1) {
                cr = RGB(255, 255, 255);
            } else {
                const int v = static_cast<int>(x * 255 / (lWidth > 1 ? lWidth - 1 : 1));
                cr = RGB(v / 2, v / 2, v / 2);
            }
            pRow[x * 3 + 0] = GetBValue(cr);
            pRow[x * 3 + 1] = GetGValue(cr);
            pRow[x * 3 + 2] = GetRValue(cr);
        }
    }
}

int BarHeight(const CONTROLLER* pMc) {
    return pMc->fVisible && !pMc->fBadge ? CONTROLLER_BAR : 0;
}

// Where the movie shows: stretched over the bounds above the bar, at their top left at its natural size, or
// at its natural size centred in the window.
QTRECT MovieRect(const CONTROLLER* pMc) {
    const QTRECT& b = pMc->rcBounds;
    const long lWidth = pMc->pMovie ? pMc->pMovie->lWidth : 0, lHeight = pMc->pMovie ? pMc->pMovie->lHeight : 0;
    if (pMc->lCreateFlags & mcScaleMovieToFit)
        return {b.left, b.top, b.right, b.bottom - BarHeight(pMc)};
    if ((pMc->lCreateFlags & mcTopLeftMovie) || !pMc->hWnd)
        return {b.left, b.top, b.left + lWidth, b.top + lHeight};
    RECT rcClient = {};
    GetClientRect(pMc->hWnd, &rcClient);
    const long x = (rcClient.right - lWidth) / 2, y = (rcClient.bottom - lHeight - BarHeight(pMc)) / 2;
    return {x, y, x + lWidth, y + lHeight};
}

QTRECT ControllerRect(const CONTROLLER* pMc) {
    QTRECT rc = MovieRect(pMc);
    rc.bottom += BarHeight(pMc);
    return rc;
}

// The bar: a raised grey strip with the play button (a pause sign while playing), the step buttons and the
// speaker unless the flags suppress them, and the time slider with its thumb.
void PaintBar(CONTROLLER* pMc, HDC hdc, const RECT& rcBar, long lTime) {
    FillRect(hdc, &rcBar, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawEdge(hdc, const_cast<RECT*>(&rcBar), EDGE_RAISED, BF_RECT);
    HGDIOBJ hOldBrush = SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    const int xPlay = rcBar.left + 5, yTop = rcBar.top + 3, yBottom = rcBar.bottom - 4;
    if (pMc->pMovie->lRate != 0) {
        const RECT bars[] = {{xPlay, yTop, xPlay + 2, yBottom}, {xPlay + 4, yTop, xPlay + 6, yBottom}};
        for (const RECT& r : bars)
            FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else {
        const POINT play[] = {{xPlay, yTop}, {xPlay, yBottom}, {xPlay + 6, rcBar.top + 8}};
        Polygon(hdc, play, 3);
    }
    int xRight = rcBar.right - 4;
    if (!(pMc->lFlags & mcFlagSuppressStepButtons)) {
        for (int nStep = 0; nStep < 2; ++nStep) {
            const int x = xRight - 8;
            // Step forward at the right end points right, step back beside it left.
            const POINT tri[] = {
                {nStep ? x + 6 : x, yTop}, {nStep ? x + 6 : x, yBottom}, {nStep ? x : x + 6, rcBar.top + 8}};
            Polygon(hdc, tri, 3);
            xRight -= 10;
        }
    }
    if (!(pMc->lFlags & mcFlagSuppressSpeakerButton)) {
        const int x = rcBar.left + 16;
        const RECT cone = {x, rcBar.top + 6, x + 3, rcBar.top + 11};
        FillRect(hdc, &cone, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        const POINT horn[] = {{x + 3, rcBar.top + 6}, {x + 7, yTop}, {x + 7, yBottom + 1}, {x + 3, rcBar.top + 11}};
        Polygon(hdc, horn, 4);
    }
    SelectObject(hdc, hOldBrush);
    const int xTrack = rcBar.left + (pMc->lFlags & mcFlagSuppressSpeakerButton ? 16 : 28);
    RECT rcTrack = {xTrack, rcBar.top + 6, xRight - 2, rcBar.top + 10};
    if (rcTrack.right <= rcTrack.left)
        return;
    DrawEdge(hdc, &rcTrack, EDGE_SUNKEN, BF_RECT);
    const long lEnd = pMc->pMovie->lDuration;
    const int xThumb =
        rcTrack.left + (lEnd > 0 ? static_cast<int>((rcTrack.right - rcTrack.left - 6) * lTime / lEnd) : 0);
    RECT rcThumb = {xThumb, rcBar.top + 3, xThumb + 6, rcBar.bottom - 3};
    FillRect(hdc, &rcThumb, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    DrawEdge(hdc, &rcThumb, EDGE_RAISED, BF_RECT);
}

void PaintController(CONTROLLER* pMc, HDC hdc) {
    MOVIE* pMovie = pMc->pMovie;
    const long lTime = MovieTime(pMovie);
    const QTRECT rcMovie = MovieRect(pMc);
    const long cx = rcMovie.right - rcMovie.left, cy = rcMovie.bottom - rcMovie.top;
    pMc->lPaintedFrame = FrameOf(pMovie, lTime);
    if (pMovie->lWidth > 0 && pMovie->lHeight > 0 && cx > 0 && cy > 0) {
        std::string dib(DibBytes(pMovie->lWidth, pMovie->lHeight), '\0');
        auto* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(&dib[0]);
        const long lMark = pMovie->lDuration > 0 ? (pMovie->lWidth - 1) * lTime / pMovie->lDuration : -1;
        DrawFrame(pInfo, pMovie->lWidth, pMovie->lHeight, pMc->lPaintedFrame, lMark);
        SetStretchBltMode(hdc, COLORONCOLOR);
        StretchDIBits(hdc, rcMovie.left, rcMovie.top, cx, cy, 0, 0, pMovie->lWidth, pMovie->lHeight, pInfo + 1,
                      reinterpret_cast<BITMAPINFO*>(pInfo), DIB_RGB_COLORS, SRCCOPY);
    }
    if (BarHeight(pMc)) {
        const RECT rcBar = {rcMovie.left, rcMovie.bottom, rcMovie.right, rcMovie.bottom + CONTROLLER_BAR};
        PaintBar(pMc, hdc, rcBar, lTime);
    } else if (pMc->fVisible && pMc->fBadge && pMovie->lRate == 0) {
        RECT rcBadge = {rcMovie.left + 2, rcMovie.bottom - 2 - BADGE, rcMovie.left + 2 + BADGE, rcMovie.bottom - 2};
        FillRect(hdc, &rcBadge, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        DrawEdge(hdc, &rcBadge, EDGE_RAISED, BF_RECT);
    }
}

// A message while the movie plays: the controller repaints once the picture has moved on.
void Idle(CONTROLLER* pMc) {
    if (!pMc->pMovie || !pMc->hWnd || pMc->pMovie->lRate == 0)
        return;
    const long lFrame = FrameOf(pMc->pMovie, MovieTime(pMc->pMovie));
    if (lFrame == pMc->lPaintedFrame)
        return;
    const QTRECT rc = ControllerRect(pMc);
    const RECT r = {rc.left, rc.top, rc.right, rc.bottom};
    InvalidateRect(pMc->hWnd, &r, FALSE);
}

// A click on the bar's play button starts or stops the movie; the controller takes no other click.
bool TakesClick(CONTROLLER* pMc, LPARAM lParam) {
    if (!pMc->pMovie || !BarHeight(pMc))
        return false;
    const QTRECT rcMovie = MovieRect(pMc);
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const RECT rcPlay = {rcMovie.left, rcMovie.bottom, rcMovie.left + 14, rcMovie.bottom + CONTROLLER_BAR};
    if (!PtInRect(&rcPlay, pt))
        return false;
    MovieTime(pMc->pMovie);
    pMc->pMovie->lRate = pMc->pMovie->lRate ? 0 : 0x10000;
    InvalidateRect(pMc->hWnd, &rcPlay, FALSE);
    return true;
}

// ---- Movie toolbox selectors.

std::intptr_t MovieCall(unsigned short wSelector, const std::intptr_t* a, int cArgs) {
    switch (wSelector) {
        case QTSEL_INITIALIZE:
        case QTSEL_TERMINATE:
        case QTSEL_EXITMOVIES:
            Record("%u", wSelector);
            return noErr;
        case QTSEL_ENTERMOVIES:
            Record("%u", wSelector);
            return Fails("11") ? badArgs : noErr;
        case QTSEL_OPENMOVIEFILE: {
            const char* szName = reinterpret_cast<const char*>(a[0]);
            Record("%u %s %d", wSelector, szName, static_cast<int>(a[2]));
            if (Fails("44"))
                return fnfErr;
            HANDLE hFile = CreateFileA(szName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (hFile == INVALID_HANDLE_VALUE)
                return fnfErr;
            for (int i = 0; i < MAX_FILES; ++i) {
                if (!s_files[i].hFile) {
                    s_files[i] = {hFile, szName};
                    *reinterpret_cast<short*>(a[1]) = static_cast<short>(i + 1);
                    return noErr;
                }
            }
            CloseHandle(hFile);
            return badArgs;
        }
        case QTSEL_NEWMOVIEFROMFILE: {
            const int nRef = static_cast<int>(a[1]);
            Record("%u %d %d %d %d %d", wSelector, nRef, static_cast<int>(a[2]), static_cast<int>(a[3]),
                   static_cast<int>(a[4]), static_cast<int>(a[5]));
            Movie* pOut = reinterpret_cast<Movie*>(a[0]);
            *pOut = nullptr;
            if (nRef < 1 || nRef > MAX_FILES || !s_files[nRef - 1].hFile)
                return badArgs;
            MOVIE movie = {};
            if (Fails("42") || !ReadMovie(s_files[nRef - 1].path, &movie))
                return noMovieFound;
            movie.nId = s_nNextMovie++;
            movie.dwTick = GetTickCount();
            if (StartsAtEnd())
                movie.lTime = movie.lDuration;
            *pOut = reinterpret_cast<Movie>(new MOVIE(movie));
            return noErr;
        }
        case QTSEL_CLOSEMOVIEFILE: {
            const int nRef = static_cast<int>(a[0]);
            Record("%u %d", wSelector, nRef);
            if (nRef < 1 || nRef > MAX_FILES || !s_files[nRef - 1].hFile)
                return badArgs;
            CloseHandle(s_files[nRef - 1].hFile);
            s_files[nRef - 1] = {};
            return noErr;
        }
        case QTSEL_GETMOVIEBOX: {
            const MOVIE* pMovie = reinterpret_cast<const MOVIE*>(a[0]);
            QTRECT* pRect = reinterpret_cast<QTRECT*>(a[1]);
            // The box sits away from the origin, as a movie's matrix may place it.
            *pRect = {10, 20, 10 + pMovie->lWidth, 20 + pMovie->lHeight};
            Record("%u movie%d", wSelector, IdOf(pMovie));
            return noErr;
        }
        case QTSEL_NEWMOVIECONTROLLER: {
            MOVIE* pMovie = reinterpret_cast<MOVIE*>(a[0]);
            const QTRECT* pRect = reinterpret_cast<const QTRECT*>(a[1]);
            Record("%u movie%d %s %ld %s", wSelector, IdOf(pMovie), RectText(pRect).c_str(), static_cast<long>(a[2]),
                   a[3] ? "window" : "null");
            if (Fails("56"))
                return 0;
            const long lFlags = static_cast<long>(a[2]);
            auto* pMc = new CONTROLLER{
                s_nNextController++, pMovie, *pRect, reinterpret_cast<HWND>(a[3]), lFlags, lFlags, true, false, -1};
            return reinterpret_cast<std::intptr_t>(pMc);
        }
        case QTSEL_SETMOVIEACTIVE:
            Record("%u movie%d %d", wSelector, IdOf(reinterpret_cast<const MOVIE*>(a[0])), static_cast<int>(a[1]));
            return noErr;
        case QTSEL_DISPOSEMOVIECONTROLLER: {
            auto* pMc = reinterpret_cast<CONTROLLER*>(a[0]);
            Record("%u mc%d", wSelector, pMc ? pMc->nId : 0);
            delete pMc;
            return noErr;
        }
        case QTSEL_DISPOSEMOVIE: {
            auto* pMovie = reinterpret_cast<MOVIE*>(a[0]);
            Record("%u movie%d", wSelector, IdOf(pMovie));
            delete pMovie;
            return noErr;
        }
        case QTSEL_GETMOVIETIME:
        case QTSEL_GETMOVIEDURATION:
        case QTSEL_GETMOVIETIMESCALE:
        case QTSEL_GETMOVIEPREFERREDRATE: {
            MOVIE* pMovie = reinterpret_cast<MOVIE*>(a[0]);
            Record("%u movie%d", wSelector, IdOf(pMovie));
            switch (wSelector) {
                case QTSEL_GETMOVIETIME:
                    return MovieTime(pMovie);
                case QTSEL_GETMOVIEDURATION:
                    return pMovie->lDuration;
                case QTSEL_GETMOVIETIMESCALE:
                    return pMovie->lTimeScale;
                default:
                    return 0x10000;
            }
        }
        case QTSEL_GETMOVIEPICT: {
            MOVIE* pMovie = reinterpret_cast<MOVIE*>(a[0]);
            const long lTime = static_cast<long>(a[1]);
            Record("%u movie%d %ld", wSelector, IdOf(pMovie), lTime);
            if (Fails("20") || pMovie->lWidth <= 0 || pMovie->lHeight <= 0)
                return 0;
            const long lMark = pMovie->lDuration > 0 ? (pMovie->lWidth - 1) * lTime / pMovie->lDuration : -1;
            return reinterpret_cast<std::intptr_t>(
                new PICTURE{s_nNextPicture++, pMovie->lWidth, pMovie->lHeight, FrameOf(pMovie, lTime), lMark});
        }
        case QTSEL_PICTURETODIB: {
            const PICTURE* pPict = reinterpret_cast<const PICTURE*>(a[0]);
            Record("%u pict%d", wSelector, pPict ? pPict->nId : 0);
            if (!pPict || Fails("46"))
                return 0;
            HGLOBAL hDib = GlobalAlloc(GMEM_MOVEABLE, DibBytes(pPict->lWidth, pPict->lHeight));
            if (!hDib)
                return 0;
            DrawFrame(static_cast<BITMAPINFOHEADER*>(GlobalLock(hDib)), pPict->lWidth, pPict->lHeight, pPict->lFrame,
                      pPict->lMark);
            GlobalUnlock(hDib);
            return reinterpret_cast<std::intptr_t>(hDib);
        }
        case QTSEL_KILLPICTURE: {
            auto* pPict = reinterpret_cast<PICTURE*>(a[0]);
            Record("%u pict%d", wSelector, pPict ? pPict->nId : 0);
            delete pPict;
            return noErr;
        }
        default:
            Record("%u unknown (%d arguments)", wSelector, cArgs);
            return badArgs;
    }
}

// ---- Movie controller selectors.

std::intptr_t ControllerCall(unsigned short wSelector, const std::intptr_t* a, int cArgs) {
    auto* pMc = reinterpret_cast<CONTROLLER*>(a[0]);
    const int nMc = pMc ? pMc->nId : 0;
    switch (wSelector) {
        case QTMC_DOACTION: {
            const int nAction = static_cast<int>(a[1]);
            const std::intptr_t param = a[2];
            if (nAction == mcActionGetFlags || nAction == mcActionGetPlayRate) {
                Record("C%u mc%d %d &", wSelector, nMc, nAction);
            } else if (nAction == mcActionGoToTime) {
                const auto* pTime = reinterpret_cast<const QTTIMERECORD*>(param);
                Record("C%u mc%d %d %lld/%ld", wSelector, nMc, nAction, static_cast<long long>(pTime->value),
                       static_cast<long>(pTime->scale));
            } else if (nAction == mcActionSetGrowBoxBounds) {
                Record("C%u mc%d %d %s", wSelector, nMc, nAction,
                       RectText(reinterpret_cast<const QTRECT*>(param)).c_str());
            } else {
                Record("C%u mc%d %d %ld", wSelector, nMc, nAction, static_cast<long>(param));
            }
            if (Fails("C1") || Fails("C1:" + std::to_string(nAction)))
                return mcBadAction;
            MOVIE* pMovie = pMc->pMovie;
            switch (nAction) {
                case mcActionGetFlags:
                    *reinterpret_cast<std::int32_t*>(param) = pMc->lFlags;
                    break;
                case mcActionSetFlags:
                    pMc->lFlags = static_cast<long>(param);
                    break;
                case mcActionSetUseBadge:
                    pMc->fBadge = param != 0;
                    break;
                case mcActionGetPlayRate:
                    *reinterpret_cast<std::int32_t*>(param) = pMovie ? (MovieTime(pMovie), pMovie->lRate) : 0;
                    break;
                case mcActionPlay:
                case mcActionGoToTime:
                case mcActionSetLooping:
                case mcActionSetLoopIsPalindrome:
                    if (!pMovie)
                        return mcBadAction;
                    MovieTime(pMovie);
                    if (nAction == mcActionPlay)
                        pMovie->lRate = static_cast<long>(param);
                    else if (nAction == mcActionGoToTime)
                        pMovie->lTime = static_cast<long>(reinterpret_cast<const QTTIMERECORD*>(param)->value);
                    else if (nAction == mcActionSetLooping)
                        pMovie->fLoop = param != 0;
                    else
                        pMovie->fPalindrome = param != 0;
                    if (pMc->hWnd)
                        InvalidateRect(pMc->hWnd, nullptr, FALSE);
                    break;
                default:
                    break;
            }
            return noErr;
        }
        case QTMC_GETCONTROLLERBOUNDSRECT: {
            QTRECT* pRect = reinterpret_cast<QTRECT*>(a[1]);
            *pRect = ControllerRect(pMc);
            Record("C%u mc%d", wSelector, nMc);
            return noErr;
        }
        case QTMC_SETCONTROLLERBOUNDSRECT: {
            const QTRECT* pRect = reinterpret_cast<const QTRECT*>(a[1]);
            Record("C%u mc%d %s", wSelector, nMc, RectText(pRect).c_str());
            pMc->rcBounds = *pRect;
            pMc->lCreateFlags |= mcTopLeftMovie;
            if (pMc->hWnd)
                InvalidateRect(pMc->hWnd, nullptr, TRUE);
            return noErr;
        }
        case QTMC_SETMOVIE: {
            Record("C%u mc%d movie%d %d %d", wSelector, nMc, IdOf(reinterpret_cast<const MOVIE*>(a[1])),
                   static_cast<int>(a[3]), static_cast<int>(a[4]));
            pMc->pMovie = reinterpret_cast<MOVIE*>(a[1]);
            pMc->hWnd = reinterpret_cast<HWND>(a[2]);
            const long x = static_cast<long>(a[3]), y = static_cast<long>(a[4]);
            pMc->rcBounds = {x, y, x, y};
            pMc->lCreateFlags = mcTopLeftMovie;
            return noErr;
        }
        case QTMC_SETACTIVE:
            Record("C%u mc%d %d", wSelector, nMc, static_cast<int>(a[1]));
            pMc->fVisible = a[1] != 0;
            return noErr;
        case QTMC_ISPLAYERMESSAGE: {
            const UINT uMsg = static_cast<UINT>(a[2]);
            HWND hWnd = reinterpret_cast<HWND>(a[1]);
            Record("C%u mc%d 0x%04x", wSelector, nMc, uMsg);
            if (uMsg == WM_LBUTTONDOWN)
                return TakesClick(pMc, static_cast<LPARAM>(a[4]));
            if (uMsg != WM_PAINT || !pMc->pMovie) {
                Idle(pMc);
                return 0;
            }
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hWnd, &ps);
            PaintController(pMc, hdc);
            EndPaint(hWnd, &ps);
            return 1;
        }
        default:
            Record("C%u unknown (%d arguments)", wSelector, cArgs);
            return badArgs;
    }
}

}  // namespace

extern "C" {

// Exported as "_EntryPoint" through the module definition file (the name carries its underscore on every
// target). The movie toolbox answers component set 0, the controller component set 1.
std::intptr_t StandinEntryPoint(unsigned short wSelector,
                                unsigned short wComponentSet,
                                const std::intptr_t* pArgs,
                                int cArgs) {
    if (wComponentSet == QT_COMPONENTSET_CONTROLLER)
        return ControllerCall(wSelector, pArgs, cArgs);
    return MovieCall(wSelector, pArgs, cArgs);
}

int StandinCMgrInitialize() {
    Record("initialize");
    return QTSTANDIN_CMGR_ANSWER;
}

void StandinCMgrTerminate() {
    Record("terminate");
}

BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH)
        Record("load");
    else if (dwReason == DLL_PROCESS_DETACH)
        Record("unload");
    return TRUE;
}

}  // extern "C"
