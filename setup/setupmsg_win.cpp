// The engine's messages as the user sees them.
#include "setup/setupmsg_win.h"

#include <cstring>

#include "setup/answerhook_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("SETUPMSG");

const char SETUPMSG_SECTION[] = "Tamberlo";

namespace {

std::string s_overrideFile;
std::string s_caption;

// What the profile call gives for a missing key: no real text equals it, so a key that is missing and a file
// that is empty or missing behave alike, while a key present with an empty value still replaces the text.
const char MISSING[] = "\x01\x02";

}  // namespace

void SETUPMSG_SetOverrideFile(const char* szPath) {
    s_overrideFile = szPath ? szPath : "";
}

void SETUPMSG_SetCaption(const char* szCaption) {
    s_caption = szCaption ? szCaption : "";
}

std::string SETUPMSG_GetText(int nId) {
    const char* szName = SETUPMSG_GetName(nId);
    MFX_PRE(szName);
    if (!s_overrideFile.empty()) {
        char szText[SETUPMSG_TEXTSIZE];
        GetPrivateProfileStringA(SETUPMSG_SECTION, szName, MISSING, szText, sizeof(szText), s_overrideFile.c_str());
        if (strcmp(szText, MISSING) != 0)
            return szText;
    }
    return SETUPMSG_GetBuiltin(nId);
}

std::string SETUPMSG_GetCaption() {
    return s_caption.empty() ? SETUPMSG_GetText(IDS_CAPTION) : s_caption;
}

int SETUPMSG_Box(HWND hWnd, int nId, const std::string& text, UINT uType) {
    const char* szName = SETUPMSG_GetName(nId);
    MFX_VERIFY(szName);
    return ANSWERHOOK_MessageBox(szName ? szName : "", hWnd, text.c_str(), SETUPMSG_GetCaption().c_str(), uType);
}

int SETUPMSG_Show(HWND hWnd, int nId, UINT uType) {
    return SETUPMSG_Box(hWnd, nId, SETUPMSG_GetText(nId), uType);
}
