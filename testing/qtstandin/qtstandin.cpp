// A stand-in for QuickTime for Windows in tests: QTIM32.DLL (movie toolbox) and CMGR32.DLL (component manager
// and movie controller) built from this one source. It answers the selectors the binding uses with plausible
// values and appends one line per call to the file named by the environment variable QTSTANDIN_LOG, so tests
// can assert the exact calls. QTSTANDIN_FAIL lists calls to fail, separated by spaces: a selector ("44"), a
// controller selector ("C1") or one controller action ("C1:21").
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "toolkit/qtbinding.h"

#ifndef QTSTANDIN_NAME
#error QTSTANDIN_NAME names the library being built
#endif
#ifndef QTSTANDIN_CMGR_ANSWER
#define QTSTANDIN_CMGR_ANSWER 0
#endif

namespace {

const int CONTROLLER_BAR = 16;  // height of the controller's bar below the movie
const short fnfErr = -43;
const short noMovieFound = -2048;
const short badArgs = -50;
const short mcBadAction = -9994;

struct MOVIE {
    int nId;
    long lWidth, lHeight;
    long lTimeScale, lDuration;
    long lTime;
};
struct CONTROLLER {
    int nId;
    MOVIE* pMovie;
    QTRECT rcMovie;
    HWND hWnd;
    long lFlags;
};
struct PICTURE {
    int nId;
    long lWidth, lHeight;
    long lTime;
};

int s_nNextMovie = 1, s_nNextController = 1, s_nNextPicture = 1;
const int MAX_FILES = 16;
HANDLE s_hFiles[MAX_FILES];

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

// ---- Reading the movie file: big-endian atoms, the movie header and the first visual track header.

bool ReadAt(HANDLE hFile, unsigned long long qwAt, void* pOut, DWORD cb) {
    LARGE_INTEGER li;
    li.QuadPart = static_cast<LONGLONG>(qwAt);
    DWORD cbRead = 0;
    return SetFilePointerEx(hFile, li, nullptr, FILE_BEGIN) && ReadFile(hFile, pOut, cb, &cbRead, nullptr) &&
           cbRead == cb;
}

unsigned long Be32(const unsigned char* p) {
    return (static_cast<unsigned long>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// Finds the child atom of the given type in [pBegin, pEnd); returns its body and sets pBodyEnd.
const unsigned char* FindChild(const unsigned char* pBegin,
                               const unsigned char* pEnd,
                               const char* szType,
                               const unsigned char** ppBodyEnd) {
    const unsigned char* p = pBegin;
    while (pEnd - p >= 8) {
        const unsigned long cbAtom = Be32(p);
        if (cbAtom < 8 || cbAtom > static_cast<unsigned long>(pEnd - p))
            return nullptr;
        if (memcmp(p + 4, szType, 4) == 0) {
            *ppBodyEnd = p + cbAtom;
            return p + 8;
        }
        p += cbAtom;
    }
    return nullptr;
}

bool ReadMovie(HANDLE hFile, MOVIE* pMovie) {
    LARGE_INTEGER liSize;
    if (!GetFileSizeEx(hFile, &liSize))
        return false;
    const unsigned long long qwSize = liSize.QuadPart;
    unsigned long long qwAt = 0;
    while (qwAt + 8 <= qwSize) {
        unsigned char header[16];
        if (!ReadAt(hFile, qwAt, header, 8))
            return false;
        unsigned long long qwAtom = Be32(header);
        DWORD cbHeader = 8;
        if (qwAtom == 1) {
            if (!ReadAt(hFile, qwAt + 8, header + 8, 8))
                return false;
            qwAtom = (static_cast<unsigned long long>(Be32(header + 8)) << 32) | Be32(header + 12);
            cbHeader = 16;
        } else if (qwAtom == 0) {
            qwAtom = qwSize - qwAt;
        }
        if (qwAtom < cbHeader || qwAtom > qwSize - qwAt)
            return false;
        if (memcmp(header + 4, "moov", 4) == 0 && qwAtom <= (16u << 20)) {
            const DWORD cbBody = static_cast<DWORD>(qwAtom - cbHeader);
            std::string body(cbBody, '\0');
            if (!ReadAt(hFile, qwAt + cbHeader, &body[0], cbBody))
                return false;
            const auto* pBegin = reinterpret_cast<const unsigned char*>(body.data());
            const unsigned char* pEnd = pBegin + cbBody;
            const unsigned char* pBodyEnd = nullptr;
            if (const unsigned char* pMvhd = FindChild(pBegin, pEnd, "mvhd", &pBodyEnd)) {
                if (pBodyEnd - pMvhd >= 20) {
                    pMovie->lTimeScale = static_cast<long>(Be32(pMvhd + 12));
                    pMovie->lDuration = static_cast<long>(Be32(pMvhd + 16));
                }
            }
            for (const unsigned char* p = pBegin; p < pEnd;) {
                const unsigned char* pTrakEnd = nullptr;
                const unsigned char* pTrak = FindChild(p, pEnd, "trak", &pTrakEnd);
                if (!pTrak)
                    break;
                const unsigned char* pTkhdEnd = nullptr;
                const unsigned char* pTkhd = FindChild(pTrak, pTrakEnd, "tkhd", &pTkhdEnd);
                if (pTkhd && pTkhdEnd - pTkhd >= 84 && Be32(pTkhd + 76) != 0) {
                    pMovie->lWidth = static_cast<long>(Be32(pTkhd + 76) >> 16);
                    pMovie->lHeight = static_cast<long>(Be32(pTkhd + 80) >> 16);
                    break;
                }
                p = pTrakEnd;
            }
            return true;
        }
        qwAt += qwAtom;
    }
    return false;
}

// ---- The frame: colour bars over a ramp, shifted by the movie time, drawn into a 24-bit bottom-up DIB.

const COLORREF BARS[] = {RGB(192, 192, 192), RGB(192, 192, 0), RGB(0, 192, 192), RGB(0, 192, 0),
                         RGB(192, 0, 192),   RGB(192, 0, 0),   RGB(0, 0, 192)};

size_t DibBytes(long lWidth, long lHeight) {
    return sizeof(BITMAPINFOHEADER) + static_cast<size_t>((lWidth * 3 + 3) & ~3) * lHeight;
}

void DrawFrame(BITMAPINFOHEADER* pInfo, long lWidth, long lHeight, long lTime) {
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
                cr = BARS[(x * nBars / lWidth + lTime) % nBars];
            } else {
                const int v = static_cast<int>(x * 255 / (lWidth > 1 ? lWidth - 1 : 1));
                cr = RGB(v, v, v);
            }
            pRow[x * 3 + 0] = GetBValue(cr);
            pRow[x * 3 + 1] = GetGValue(cr);
            pRow[x * 3 + 2] = GetRValue(cr);
        }
    }
}

void PaintController(CONTROLLER* pMc, HDC hdc) {
    MOVIE* pMovie = pMc->pMovie;
    const long lWidth = pMovie->lWidth, lHeight = pMovie->lHeight;
    const int x0 = pMc->rcMovie.left, y0 = pMc->rcMovie.top;
    if (lWidth > 0 && lHeight > 0) {
        std::string dib(DibBytes(lWidth, lHeight), '\0');
        auto* pInfo = reinterpret_cast<BITMAPINFOHEADER*>(&dib[0]);
        DrawFrame(pInfo, lWidth, lHeight, pMovie->lTime);
        SetDIBitsToDevice(hdc, x0, y0, lWidth, lHeight, 0, 0, 0, lHeight, pInfo + 1,
                          reinterpret_cast<BITMAPINFO*>(pInfo), DIB_RGB_COLORS);
    }
    // The controller's bar: a raised grey strip with a play button and a slider track.
    RECT rcBar = {x0, y0 + static_cast<int>(lHeight), x0 + static_cast<int>(lWidth),
                  y0 + static_cast<int>(lHeight) + CONTROLLER_BAR};
    FillRect(hdc, &rcBar, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawEdge(hdc, &rcBar, EDGE_RAISED, BF_RECT);
    HGDIOBJ hOldBrush = SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    const POINT play[] = {
        {rcBar.left + 5, rcBar.top + 3}, {rcBar.left + 5, rcBar.bottom - 4}, {rcBar.left + 11, rcBar.top + 8}};
    Polygon(hdc, play, 3);
    SelectObject(hdc, hOldBrush);
    RECT rcTrack = {rcBar.left + 18, rcBar.top + 6, rcBar.right - 6, rcBar.top + 10};
    if (rcTrack.right > rcTrack.left)
        DrawEdge(hdc, &rcTrack, EDGE_SUNKEN, BF_RECT);
}

// The controller shows its movie at its natural size with the top left corner at x, y.
void PlaceMovie(CONTROLLER* pMc, long x, long y) {
    pMc->rcMovie = {x, y, x + pMc->pMovie->lWidth, y + pMc->pMovie->lHeight};
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
                if (!s_hFiles[i]) {
                    s_hFiles[i] = hFile;
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
            if (nRef < 1 || nRef > MAX_FILES || !s_hFiles[nRef - 1])
                return badArgs;
            MOVIE movie = {};
            if (Fails("42") || !ReadMovie(s_hFiles[nRef - 1], &movie))
                return noMovieFound;
            movie.nId = s_nNextMovie++;
            *pOut = reinterpret_cast<Movie>(new MOVIE(movie));
            return noErr;
        }
        case QTSEL_CLOSEMOVIEFILE: {
            const int nRef = static_cast<int>(a[0]);
            Record("%u %d", wSelector, nRef);
            if (nRef < 1 || nRef > MAX_FILES || !s_hFiles[nRef - 1])
                return badArgs;
            CloseHandle(s_hFiles[nRef - 1]);
            s_hFiles[nRef - 1] = nullptr;
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
            auto* pMc = new CONTROLLER{s_nNextController++, pMovie, *pRect, reinterpret_cast<HWND>(a[3]),
                                       static_cast<long>(a[2])};
            if (pMovie)
                PlaceMovie(pMc, pRect->left, pRect->top);
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
            const MOVIE* pMovie = reinterpret_cast<const MOVIE*>(a[0]);
            Record("%u movie%d", wSelector, IdOf(pMovie));
            switch (wSelector) {
                case QTSEL_GETMOVIETIME:
                    return pMovie->lTime;
                case QTSEL_GETMOVIEDURATION:
                    return pMovie->lDuration;
                case QTSEL_GETMOVIETIMESCALE:
                    return pMovie->lTimeScale;
                default:
                    return 0x10000;
            }
        }
        case QTSEL_GETMOVIEPICT: {
            const MOVIE* pMovie = reinterpret_cast<const MOVIE*>(a[0]);
            Record("%u movie%d %ld", wSelector, IdOf(pMovie), static_cast<long>(a[1]));
            if (Fails("20") || pMovie->lWidth <= 0 || pMovie->lHeight <= 0)
                return 0;
            return reinterpret_cast<std::intptr_t>(
                new PICTURE{s_nNextPicture++, pMovie->lWidth, pMovie->lHeight, static_cast<long>(a[1])});
        }
        case QTSEL_PICTURETODIB: {
            const PICTURE* pPict = reinterpret_cast<const PICTURE*>(a[0]);
            Record("%u pict%d", wSelector, pPict ? pPict->nId : 0);
            if (!pPict || Fails("46"))
                return 0;
            HGLOBAL hDib = GlobalAlloc(GMEM_MOVEABLE, DibBytes(pPict->lWidth, pPict->lHeight));
            if (!hDib)
                return 0;
            DrawFrame(static_cast<BITMAPINFOHEADER*>(GlobalLock(hDib)), pPict->lWidth, pPict->lHeight, pPict->lTime);
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
            if (nAction == mcActionGetFlags) {
                Record("C%u mc%d %d &", wSelector, nMc, nAction);
                *reinterpret_cast<std::int32_t*>(param) = pMc->lFlags;
            } else if (nAction == mcActionSetGrowBoxBounds || nAction == mcActionGoToTime) {
                Record("C%u mc%d %d %s", wSelector, nMc, nAction,
                       nAction == mcActionGoToTime ? "&" : RectText(reinterpret_cast<const QTRECT*>(param)).c_str());
            } else {
                Record("C%u mc%d %d %ld", wSelector, nMc, nAction, static_cast<long>(param));
                if (nAction == mcActionSetFlags)
                    pMc->lFlags = static_cast<long>(param);
            }
            if (Fails("C1") || Fails("C1:" + std::to_string(nAction)))
                return mcBadAction;
            return noErr;
        }
        case QTMC_GETCONTROLLERBOUNDSRECT: {
            QTRECT* pRect = reinterpret_cast<QTRECT*>(a[1]);
            *pRect = pMc->rcMovie;
            pRect->bottom += CONTROLLER_BAR;
            Record("C%u mc%d", wSelector, nMc);
            return noErr;
        }
        case QTMC_SETCONTROLLERBOUNDSRECT: {
            const QTRECT* pRect = reinterpret_cast<const QTRECT*>(a[1]);
            Record("C%u mc%d %s", wSelector, nMc, RectText(pRect).c_str());
            pMc->rcMovie = {pRect->left, pRect->top, pRect->right, pRect->bottom - CONTROLLER_BAR};
            return noErr;
        }
        case QTMC_SETMOVIE:
            Record("C%u mc%d movie%d %d %d", wSelector, nMc, IdOf(reinterpret_cast<const MOVIE*>(a[1])),
                   static_cast<int>(a[3]), static_cast<int>(a[4]));
            pMc->pMovie = reinterpret_cast<MOVIE*>(a[1]);
            pMc->hWnd = reinterpret_cast<HWND>(a[2]);
            if (pMc->pMovie)
                PlaceMovie(pMc, static_cast<long>(a[3]), static_cast<long>(a[4]));
            return noErr;
        case QTMC_SETACTIVE:
            Record("C%u mc%d %d", wSelector, nMc, static_cast<int>(a[1]));
            return noErr;
        case QTMC_ISPLAYERMESSAGE: {
            const UINT uMsg = static_cast<UINT>(a[2]);
            HWND hWnd = reinterpret_cast<HWND>(a[1]);
            Record("C%u mc%d 0x%04x", wSelector, nMc, uMsg);
            if (uMsg != WM_PAINT || !pMc->pMovie)
                return 0;
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
