#include "toolkit/stringid_win.h"

#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("STRINGID");

namespace {

const int STRINGID_MAXTEXT = 255;

HINSTANCE s_hInstance = nullptr;
// Room for the longest string, its terminator and the extra terminator that ends a filter list.
char s_szString[STRINGID_MAXTEXT + 2];
char s_szFilter[STRINGID_MAXTEXT + 2];

bool Load(UINT id, char* szOut) {
    memset(szOut, 0, STRINGID_MAXTEXT + 2);
    return LoadStringA(s_hInstance, id, szOut, STRINGID_MAXTEXT + 1) > 0;
}

// Loads the string; a missing one is a precondition report and leaves the buffer empty.
bool LoadReported(UINT id, char* szOut) {
    MFX_PRE(Load(id, szOut));
    return true;
}

}  // namespace

void STRINGID_SetInstance(HINSTANCE hInstance) {
    s_hInstance = hInstance;
}

int STRINGID_MessageBox(HWND hWnd, UINT idText, UINT idCaption, UINT uType) {
    char szText[STRINGID_MAXTEXT + 2], szCaption[STRINGID_MAXTEXT + 2];
    if (!Load(idText, szText) || !Load(idCaption, szCaption))
        return 0;
    return MessageBoxA(hWnd, szText, szCaption, uType);
}

const char* STRINGID_GetString(UINT id) {
    LoadReported(id, s_szString);
    return s_szString;
}

int STRINGID_SetWindowText(HWND hWnd, UINT id) {
    MFX_PRE(hWnd);
    return SetWindowTextA(hWnd, STRINGID_GetString(id)) != 0;
}

// Bars are found character by character, so a second byte that looks like a bar stays part of its character.
const char* STRINGID_GetFilter(UINT id) {
    LoadReported(id, s_szFilter);
    for (char* p = s_szFilter; *p;) {
        if (*p == '|')
            *p++ = '\0';
        else
            p = CharNextA(p);
    }
    return s_szFilter;
}
