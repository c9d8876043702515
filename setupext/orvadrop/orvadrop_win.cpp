// orvadrop.bdx: the backdrop plug-in. One application object holds the plug-in's operations; the entry
// points forward to it.
#include "setupext/orvadrop/orvadrop_win.h"

#include <commdlg.h>

#include <new>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

MFX_SOURCE_MODULE("ORVADROP");
MFX_DEFINE_STARTUP()

namespace {

const uint32_t PRIVATE_DATA_SIZE = 100;

// The plug-in's operations, in the order a plug-in of this kind overrides them.
class CBackDropApp {
public:
    virtual ~CBackDropApp() = default;

    virtual HWND Create(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint) { return BACKDROP_CreateWindow(pSelf, pfnPaint); }

    // This backdrop has nothing to configure in its private data.
    virtual int Setup(BACKDROP*, HWND) { return 1; }

    virtual LONG GetSize(BACKDROP*) {
        PATHNAME szFile = "";
        GetModuleFileNameA(WINDOW_GetInstance(), szFile, sizeof(szFile));
        const LONG lSize = PATHNAME_GetSize(szFile);
        MFX_PRE(lSize > 0L);
        return lSize;
    }

    // The one baggage file is a picture the designer chooses (the slide show's logo). The filter gives the
    // bitmap pattern, which the description alone would not apply.
    virtual int BaggageFiles(BACKDROP*, char* szName, int nIndex) {
        if (nIndex != 0)
            return 0;
        PATHNAME szFile = "LOGO.BMP";
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof(ofn);
        ofn.lpstrFilter = "Bitmap Files (*.bmp)\0*.bmp\0";
        ofn.lpstrFile = szFile;
        ofn.nMaxFile = sizeof(szFile);
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameA(&ofn))
            return 0;
        lstrcpynA(szName, szFile, sizeof(PATHNAME));
        return 1;
    }

    virtual LONG NotifyEvent(BACKDROP*, HWND, int, int, LPARAM) { return 1; }
};

CBackDropApp s_app;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID) {
    // A window class outlives the library that registered it: it goes with the library.
    if (dwReason == DLL_PROCESS_DETACH)
        CBackDrop::RemoveWindowClass();
    return TRUE;
}

HWND WINAPI BACKDROP_Create(BACKDROP* pSelf, BACKDROP_PAINTPROC pfnPaint) {
    MFX_PRE(pSelf);
    return s_app.Create(pSelf, pfnPaint);
}

int WINAPI BACKDROP_Setup(BACKDROP* pSelf, HWND hWndOwner) {
    MFX_PRE(pSelf);
    if (pSelf->lpPrivateData) {
        MessageBoxA(hWndOwner, "Hey", "CBackDrop", MB_OK);
        return 0;
    }
    pSelf->lpPrivateData = new (std::nothrow) uint8_t[PRIVATE_DATA_SIZE]();
    MFX_PRE(pSelf->lpPrivateData);
    pSelf->PrivateDataSize = PRIVATE_DATA_SIZE;
    return s_app.Setup(pSelf, hWndOwner);
}

LONG WINAPI BACKDROP_GetSize(BACKDROP* pSelf) {
    return s_app.GetSize(pSelf);
}

int WINAPI BACKDROP_BaggageFiles(BACKDROP* pSelf, char* szName, int nIndex) {
    MFX_PRE(szName);
    return s_app.BaggageFiles(pSelf, szName, nIndex);
}

LONG WINAPI BACKDROP_NotifyEvent(BACKDROP* pSelf, HWND hWnd, int nEvent, int nCode, LPARAM lParam) {
    return s_app.NotifyEvent(pSelf, hWnd, nEvent, nCode, lParam);
}
