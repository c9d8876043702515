#include "tools/testsupport/showpose_win.h"

#include "tools/moviefixture/moviefixture.h"
#include "tools/testsupport/uidriver_win.h"

void SHOWPOSE_Pose(const std::string& folder, const char* szName) {
    const std::string ready = folder + szName + ".ready", taken = folder + szName + ".taken";
    MOVIEFIXTURE_WriteFile(ready, "");
    UIDRIVER_WaitUntil([&] { return MOVIEFIXTURE_FileExists(taken); }, SHOWPOSE_TIMEOUT);
}
