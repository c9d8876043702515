// The platform classes told from version numbers.
#include <gtest/gtest.h>

#include "toolkit/system.h"

namespace {

TEST(System, ClassOfVersionAndProductType) {
    const struct {
        uint32_t dwVersion;
        const char* szProductType;
        SYSTEM_CLASS nClass;
        bool fNT;
        bool f95;
    } cases[] = {
        {0x80000A03u, nullptr, SYSTEM_CLASS_WIN32S, false, false},  // Win32s on Windows 3.10
        {0xC0000004u, nullptr, SYSTEM_CLASS_WIN95, false, true},    // Windows 95 (4.0)
        {0xC0000A04u, "WinNT", SYSTEM_CLASS_WIN95, false, true},    // Windows 98: the product type is not asked
        {0x05650004u, "WinNT", SYSTEM_CLASS_NTWORK, true, false},   // NT 4.0 workstation
        {0x05650004u, "WINNT", SYSTEM_CLASS_NTWORK, true, false},
        {0x05650004u, "ServerNT", SYSTEM_CLASS_NTSERVER, true, false},
        {0x05650004u, "LanmanNT", SYSTEM_CLASS_NTSERVER, true, false},
        {0x05650004u, "", SYSTEM_CLASS_NTSERVER, true, false},
        {0x23F00206u, nullptr, SYSTEM_CLASS_NTSERVER, true, false},  // a later NT without the value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwVersion);
        EXPECT_EQ(c.nClass, SYSTEM_ClassOf(c.dwVersion, c.szProductType));
        EXPECT_EQ(c.fNT, SYSTEM_IsNTVersion(c.dwVersion));
        EXPECT_EQ(c.f95, SYSTEM_IsWindows95Version(c.dwVersion));
    }
}

}  // namespace
