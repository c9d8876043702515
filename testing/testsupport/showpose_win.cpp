#include "testing/testsupport/showpose_win.h"

#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

void SHOWPOSE_Pose(const std::string& folder, const char* szName) {
    const std::string ready = folder + szName + ".ready", taken = folder + szName + ".taken";
    TESTFILE_Write(ready, "");
    UIDRIVER_WaitUntil([&] { return TESTFILE_Exists(taken); }, SHOWPOSE_TIMEOUT);
}
