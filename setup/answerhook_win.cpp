// The engine's end of the answer hook.
#include "setup/answerhook_win.h"

#include "setup/dlgint_win.h"

namespace {

ANSWERHOOK_ANSWER s_pfnAnswer = nullptr;
ANSWERHOOK_ANSWERED s_pfnAnswered = nullptr;

}  // namespace

void ANSWERHOOK_Set(ANSWERHOOK_ANSWER pfnAnswer, ANSWERHOOK_ANSWERED pfnAnswered) {
    s_pfnAnswer = pfnAnswer;
    s_pfnAnswered = pfnAnswered;
}

int SETUP_Answer(const char* szId, unsigned uType, char* szAnswer, int cchAnswer) {
    return s_pfnAnswer ? s_pfnAnswer(szId, uType, szAnswer, cchAnswer) : 0;
}

void SETUP_Answered(const char* szId, int nButton, const char* szAnswer) {
    if (s_pfnAnswered)
        s_pfnAnswered(szId, nButton, szAnswer);
}

int ANSWERHOOK_MessageBox(const char* szId, HWND hWnd, LPCSTR szText, LPCSTR szCaption, UINT uType) {
    if (int nButton = SETUP_Answer(szId, uType, nullptr, 0))
        return nButton;
    int nButton = DLGINT_MessageBox(hWnd, szText, szCaption, uType);
    SETUP_Answered(szId, nButton, nullptr);
    return nButton;
}
