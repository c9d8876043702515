// The hook library's questions.
#include "setupext/tavlet/tavletask_win.h"

#include "setup/answerhook.h"

const char TAVLET_NONETSCAPE[] = "TAVLET_NONETSCAPE";
const char TAVLET_OLDQUICKTIME[] = "TAVLET_OLDQUICKTIME";
const char TAVLET_NETSCAPEFOLDER[] = "TAVLET_NETSCAPEFOLDER";
const char TAVLET_INSTALLPLUGIN[] = "TAVLET_INSTALLPLUGIN";
const char TAVLET_DISABLEAPPLE[] = "TAVLET_DISABLEAPPLE";

namespace {

// The program's export; null in a program without the answer hook.
template <typename FN>
FN HostExport(const char* szName) {
    return reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), szName)));
}

}  // namespace

int TAVLETASK_Answer(const char* szId, UINT uType, char* szAnswer, int cchAnswer) {
    ANSWERHOOK_ANSWER pfn = HostExport<ANSWERHOOK_ANSWER>(ANSWERHOOK_ANSWEREXPORT);
    return pfn ? pfn(szId, uType, szAnswer, cchAnswer) : 0;
}

void TAVLETASK_Answered(const char* szId, int nButton, const char* szAnswer) {
    if (ANSWERHOOK_ANSWERED pfn = HostExport<ANSWERHOOK_ANSWERED>(ANSWERHOOK_ANSWEREDEXPORT))
        pfn(szId, nButton, szAnswer);
}

int TAVLETASK_MessageBox(const char* szId, HWND hWnd, const char* szText, const char* szCaption, UINT uType) {
    if (int nButton = TAVLETASK_Answer(szId, uType, nullptr, 0))
        return nButton;
    int nButton = MessageBoxA(hWnd, szText, szCaption, uType);
    TAVLETASK_Answered(szId, nButton, nullptr);
    return nButton;
}
