// The platform families, told from the platform's 32-bit version number.
//
// The version number holds the major version in its lowest byte and the minor in the next; its top bit is
// set on the systems that are not of the NT family.
#pragma once

#include <cstdint>

enum SYSTEM_CLASS {
    SYSTEM_CLASS_WIN32S = 8,   // Win32s on a 16-bit system
    SYSTEM_CLASS_WIN95 = 16,   // the Windows 95 family
    SYSTEM_CLASS_NTWORK = 32,  // an NT workstation
    SYSTEM_CLASS_NTSERVER = 64,
};

bool SYSTEM_IsNTVersion(uint32_t dwVersion);
bool SYSTEM_IsWindows95Version(uint32_t dwVersion);
// The class of a version; on the NT family the product type decides ("WinNT" in any letter case is a
// workstation, anything else or none a server).
SYSTEM_CLASS SYSTEM_ClassOf(uint32_t dwVersion, const char* szProductType);
