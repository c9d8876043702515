#include "setup/wizard_win.h"

#include "setup/hookbind_win.h"
#include "setup/hookrec.h"
#include "setup/setupdlg_win.h"
#include "setup/setupmsg_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("WIZARD");

namespace {

// A hook screen's state: where its three answers lead.
struct SCREENSTEP {
    int nScreen;
    int nBack;
    int nOn;
};

int Screen(SETUPENGINE* pEngine, const SCREENSTEP& step, bool fForward) {
    switch (HOOK_Screen(step.nScreen, SETUPDLG_Parent() ? SETUPDLG_Parent() : pEngine->hMain, fForward)) {
        case HOOK_SCREEN_BACK:
            return step.nBack;
        case HOOK_SCREEN_ON:
            return step.nOn;
        default:
            return WIZARD_LEAVE;
    }
}

}  // namespace

int WIZARD_Run(SETUPENGINE* pEngine, int nState, bool fForward) {
    MFX_PRE(pEngine);
    int nCameFrom = nState;
    for (;;) {
        int nNext = WIZARD_LEAVE;
        switch (nState) {
            case WIZARD_SCREEN0:
                // There is nothing before the first screen, so going back from it leaves too.
                nNext = Screen(pEngine, {0, WIZARD_LEAVE, WIZARD_INSTALL_TO}, fForward);
                break;
            case WIZARD_INSTALL_TO:
                nNext = WIZARD_InstallTo(pEngine);
                break;
            case WIZARD_SCREEN1:
                nNext = Screen(pEngine, {1, WIZARD_INSTALL_TO, WIZARD_CHOOSE}, fForward);
                break;
            case WIZARD_CHOOSE:
                nNext = WIZARD_Choose(pEngine);
                break;
            case WIZARD_SCREEN2:
                nNext = Screen(pEngine, {2, WIZARD_CHOOSE, WIZARD_DIRECTORIES}, fForward);
                break;
            case WIZARD_DIRECTORIES:
                nNext = WIZARD_Directories(pEngine, fForward);
                break;
            case WIZARD_SCREEN3:
                nNext = Screen(pEngine, {3, WIZARD_DIRECTORIES, WIZARD_INSTALL}, fForward);
                break;
            case WIZARD_INSTALL:
                return WIZARD_DOINSTALL;
            case WIZARD_LEAVE:
                if (SETUPMSG_Show(SETUPDLG_Parent(), IDS_EXITSETUP, MB_YESNO | MB_ICONQUESTION) == IDYES) {
                    HOOK_Left();
                    return WIZARD_LEFT;
                }
                // No: back to the state that led here, moving back.
                nState = nCameFrom;
                fForward = false;
                continue;
            default:
                return WIZARD_FAILED;
        }
        if (nNext < 0)
            return WIZARD_FAILED;
        nCameFrom = nState;
        fForward = nNext > nState;
        nState = nNext;
    }
}
