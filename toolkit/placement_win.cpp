#include "toolkit/placement_win.h"

#include <cstring>

#include "toolkit/inifile.h"
#include "toolkit/inifile_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PLACEMENT");

namespace {

bool WriteKey(CIniFile& ini, const char* szSection, const char* szPrefix, INIFILE_PLACEMENTKEY key, int nValue) {
    return ini.Write(szSection, INIFILE_PlacementKey(szPrefix, key).c_str(), nValue);
}

bool ReadKey(CIniFile& ini, const char* szSection, const char* szPrefix, INIFILE_PLACEMENTKEY key, int& nValue) {
    return ini.Read(szSection, INIFILE_PlacementKey(szPrefix, key).c_str(), nValue) != 0;
}

}  // namespace

bool WINDOW_SavePlacement(HWND hWnd, const char* szFile, const char* szSection, const char* szPrefix, bool fSize) {
    MFX_PRE(szPrefix && strlen(szPrefix) <= INIFILE_MAXPREFIX);
    MFX_PRE(IsWindow(hWnd) && szSection);
    CIniFile ini;
    MFX_PRE(ini.SetFileName(szFile));
    const bool fIconic = IsIconic(hWnd) != FALSE;
    const bool fZoomed = IsZoomed(hWnd) != FALSE;
    if (!fIconic && !fZoomed) {
        RECT rc;
        GetWindowRect(hWnd, &rc);
        if (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(nullptr, GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        WriteKey(ini, szSection, szPrefix, INIFILE_LEFT, rc.left);
        WriteKey(ini, szSection, szPrefix, INIFILE_TOP, rc.top);
        if (fSize) {
            WriteKey(ini, szSection, szPrefix, INIFILE_WIDTH, rc.right - rc.left);
            WriteKey(ini, szSection, szPrefix, INIFILE_HEIGHT, rc.bottom - rc.top);
        }
    }
    WriteKey(ini, szSection, szPrefix, INIFILE_ISICONIC, fIconic);
    WriteKey(ini, szSection, szPrefix, INIFILE_ISZOOMED, fZoomed);
    return true;
}

bool WINDOW_RestorePlacement(HWND hWnd, const char* szFile, const char* szSection, const char* szPrefix, bool fSize) {
    MFX_PRE(szPrefix && strlen(szPrefix) <= INIFILE_MAXPREFIX);
    MFX_PRE(IsWindow(hWnd) && szSection);
    CIniFile ini;
    MFX_PRE(ini.SetFileName(szFile));
    int nIconic = 0, nZoomed = 0;
    ReadKey(ini, szSection, szPrefix, INIFILE_ISICONIC, nIconic);
    ReadKey(ini, szSection, szPrefix, INIFILE_ISZOOMED, nZoomed);
    const UINT uKeep = SWP_NOACTIVATE | SWP_NOZORDER;
    bool fMoved = false;
    int nLeft = 0, nTop = 0;
    if (ReadKey(ini, szSection, szPrefix, INIFILE_LEFT, nLeft) && ReadKey(ini, szSection, szPrefix, INIFILE_TOP, nTop))
        fMoved = SetWindowPos(hWnd, nullptr, nLeft, nTop, 0, 0, uKeep | SWP_NOSIZE) != FALSE;
    int nWidth = 0, nHeight = 0;
    if (fSize && ReadKey(ini, szSection, szPrefix, INIFILE_WIDTH, nWidth) &&
        ReadKey(ini, szSection, szPrefix, INIFILE_HEIGHT, nHeight))
        SetWindowPos(hWnd, nullptr, 0, 0, nWidth, nHeight, uKeep | SWP_NOMOVE);
    if (nIconic == 1)
        ShowWindow(hWnd, SW_MINIMIZE);
    if (nZoomed == 1)
        ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    return fMoved;
}
