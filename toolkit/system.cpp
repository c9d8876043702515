#include "toolkit/system.h"

#include "toolkit/strings.h"

namespace {

int MajorOf(uint32_t dwVersion) {
    return static_cast<int>(dwVersion & 0xFF);
}

}  // namespace

bool SYSTEM_IsNTVersion(uint32_t dwVersion) {
    return (dwVersion & 0x80000000u) == 0;
}

bool SYSTEM_IsWindows95Version(uint32_t dwVersion) {
    return !SYSTEM_IsNTVersion(dwVersion) && MajorOf(dwVersion) >= 4;
}

SYSTEM_CLASS SYSTEM_ClassOf(uint32_t dwVersion, const char* szProductType) {
    if (!SYSTEM_IsNTVersion(dwVersion))
        return MajorOf(dwVersion) == 3 ? SYSTEM_CLASS_WIN32S : SYSTEM_CLASS_WIN95;
    if (szProductType && STRINGS_CompareNoCase(szProductType, "Winnt") == 0)
        return SYSTEM_CLASS_NTWORK;
    return SYSTEM_CLASS_NTSERVER;
}
