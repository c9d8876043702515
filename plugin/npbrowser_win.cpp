#include "plugin/npbrowser_win.h"

#include <vector>

#include "plugin/npbrowser.h"
#include "plugin/npentry_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NPBROWSER");

namespace {

struct CFind {
    int idItem;
    HWND hFound;
};

BOOL CALLBACK FindById(HWND hWnd, LPARAM lParam) {
    auto* pFind = reinterpret_cast<CFind*>(lParam);
    if (GetDlgCtrlID(hWnd) != pFind->idItem)
        return TRUE;
    pFind->hFound = hWnd;
    return FALSE;
}

// The first window with that control id anywhere below hParent: the browser's toolbars nest their controls.
HWND FindDescendant(HWND hParent, int idItem) {
    CFind find = {idItem, nullptr};
    EnumChildWindows(hParent, FindById, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

}  // namespace

bool CNPBrowser::SetWindow(HWND hWnd) {
    return MFX_VERIFY(m_hWnd = hWnd);
}

bool CNPBrowser::QueryBaseURL(std::string& sBaseURL) {
    sBaseURL.clear();
    MFX_PRE(IsWindow(m_hWnd));
    const HWND hFrame = GetAncestor(m_hWnd, GA_ROOT);
    MFX_PRE(IsWindow(hFrame));
    for (int idLocation : NPBROWSER_LOCATION_IDS) {
        const HWND hLocation = FindDescendant(hFrame, idLocation);
        const HWND hEdit = hLocation ? FindDescendant(hLocation, NPBROWSER_LOCATION_EDIT_ID) : nullptr;
        if (!hEdit)
            continue;
        std::vector<char> text(NPBROWSER_MAXURL + 1);
        GetWindowTextA(hEdit, text.data(), static_cast<int>(text.size()));
        if (text[0]) {
            sBaseURL = text.data();
            return true;
        }
    }
    return false;
}

bool CNPBrowser::MakeAbsolute(std::string& sURL) {
    if (sURL.find("//") != std::string::npos)
        return true;
    std::string sBaseURL;
    bool fOk;
    if (!MFX_VERIFY(fOk = QueryBaseURL(sBaseURL)))
        return false;
    return NPBROWSER_MakeAbsolute(sBaseURL, sURL);
}

bool CNPBrowser::GetURL(const char* szURL, const char* szTarget) {
    MFX_PRE(szURL);
    std::string sURL = szURL;
    if (!MakeAbsolute(sURL))
        return false;
    bool fOk;
    MFX_VERIFY(fOk = (NP_NOERR==NPN_GetURL(m_instance, sURL, szTarget )));
    return fOk;
}

bool CNPBrowser::LinkClick(const char* szURL, const char* szTarget, int x, int y, bool fUseMap) {
    if (!szURL || !szURL[0])
        return false;
    const std::string sURL = NPBROWSER_ClickURL(szURL, x, y, fUseMap);
    return GetURL(sURL.c_str(), NPBROWSER_ClickTarget(szTarget));
}
