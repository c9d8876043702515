// The address rules of the browser request object: relative references made absolute against the page
// that holds the instance, and the address that a click on a movie opens.
#pragma once

#include <string>

// A reference holding "//" is absolute already; any other is resolved against the base URL. False when the
// base URL does not split.
bool NPBROWSER_MakeAbsolute(const std::string& sBaseURL, std::string& sURL);

// The page that a click at x, y opens: the URL, with "?x,y" behind it for an image map.
std::string NPBROWSER_ClickURL(const char* szURL, int x, int y, bool fUseMap);
// The frame a link opens in: "_self" when the page names none.
const char* NPBROWSER_ClickTarget(const char* szTarget);
