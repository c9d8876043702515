#include "plugin/npbrowser.h"

#include <cstdio>

#include "plugin/urlparts.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NPBROWSER");

bool NPBROWSER_MakeAbsolute(const std::string& sBaseURL, std::string& sURL) {
    if (sURL.find("//") != std::string::npos)
        return true;
    CURLParts url;
    bool fOk;
    if (!MFX_VERIFY(fOk = url.Construct(sBaseURL)))
        return false;
    url.ApplyRelative(sURL.c_str());
    url.Compose(sURL);
    return true;
}

std::string NPBROWSER_ClickURL(const char* szURL, int x, int y, bool fUseMap) {
    std::string sURL = szURL ? szURL : "";
    if (fUseMap && !sURL.empty()) {
        char szPosition[32];
        snprintf(szPosition, sizeof(szPosition), "?%d,%d", x, y);
        sURL += szPosition;
    }
    return sURL;
}

const char* NPBROWSER_ClickTarget(const char* szTarget) {
    return szTarget && szTarget[0] ? szTarget : "_self";
}
