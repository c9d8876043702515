// The engine's side of the backdrop plug-in.
#include "setup/bdbind_win.h"

#include "setup/filecopy_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("BDBIND");

namespace {

typedef HWND(WINAPI* CREATE)(BACKDROP*, BACKDROP_PAINTPROC);
typedef int(WINAPI* BAGGAGEFILES)(BACKDROP*, char*, int);
typedef LONG(WINAPI* NOTIFYEVENT)(BACKDROP*, HWND, int, int, LPARAM);

template <typename FN>
FN Export(const BACKDROP* pSelf, const char* szName) {
    if (!pSelf->hLibrary)
        return nullptr;
    HMODULE hLibrary = static_cast<HMODULE>(pSelf->hLibrary);
    return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(hLibrary, szName)));
}

}  // namespace

bool BACKDROP_LoadLibrary(BACKDROP* pSelf) {
    // The name is a fixed field of the design file: it need not end inside it.
    char szName[sizeof(pSelf->Name) + 1] = "";
    lstrcpynA(szName, pSelf->Name, sizeof(szName));
    pSelf->hLibrary = LoadLibraryA(szName);
    return MFX_VERIFY(pSelf->hLibrary);
}

HWND BACKDROP_CallCreate(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint) {
    CREATE pfn = Export<CREATE>(pSelf, "BACKDROP_Create");
    HWND hWnd = pfn ? pfn(pSelf, pfnPaint) : nullptr;
    if (!IsWindow(hWnd))
        return nullptr;
    EnableWindow(hWnd, TRUE);
    return hWnd;
}

int BACKDROP_CallBaggageFiles(BACKDROP* pSelf, char* szName, int nIndex) {
    BAGGAGEFILES pfn = Export<BAGGAGEFILES>(pSelf, "BACKDROP_BaggageFiles");
    return pfn ? pfn(pSelf, szName, nIndex) : 0;
}

bool BACKDROP_CopyBaggage(BACKDROP* pSelf, const char* szDistribDir, const char* szWorkDir) {
    return FILE_CopyBaggage([pSelf](char* szName, int nIndex) { return BACKDROP_CallBaggageFiles(pSelf, szName, nIndex); },
                            szDistribDir, szWorkDir);
}

LONG BACKDROP_CallNotifyEvent(BACKDROP* pSelf, HWND hWnd, int nEvent, int nCode, LPARAM lParam) {
    NOTIFYEVENT pfn = Export<NOTIFYEVENT>(pSelf, "BACKDROP_NotifyEvent");
    return pfn ? pfn(pSelf, hWnd, nEvent, nCode, lParam) : 0;
}

bool BACKDROP_NotifyCopying(BACKDROP* pSelf, HWND hWnd, COPYREC* pCopy) {
    BACKDROP_CallNotifyEvent(pSelf, hWnd, BACKDROP_COPYING, 0, reinterpret_cast<LPARAM>(pCopy));
    return pCopy->fCopy != 0;
}

void BACKDROP_Release(BACKDROP* pSelf) {
    if (pSelf->hLibrary)
        FreeLibrary(static_cast<HMODULE>(pSelf->hLibrary));
    delete[] pSelf->lpPrivateData;
    *pSelf = BACKDROP{};
}
