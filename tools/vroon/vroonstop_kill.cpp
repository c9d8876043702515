#include "vroonstop.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

void VROONSTOP_At(const char* szPoint) {
    const char* szStop = getenv("VROON_TEST_STOP");
    if (szStop && strcmp(szStop, szPoint) == 0)
        raise(SIGKILL);
}

bool VROONSTOP_Fails(const char* szPoint) {
    const char* szFail = getenv("VROON_TEST_FAIL");
    return szFail && strcmp(szFail, szPoint) == 0;
}
