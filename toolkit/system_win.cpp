#include "toolkit/system_win.h"

#include <string>

#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/regkey_win.h"

MFX_SOURCE_MODULE("SYSTEM");

bool SYSTEM_IsWindows95() {
    static const bool s_fWindows95 = [] {
        const DWORD dwVersion = GetVersion();
        DIAG_TraceNumber("WINDOWS_CHECK95 ", "WinVersion", LOWORD(dwVersion));
        return SYSTEM_IsWindows95Version(dwVersion);
    }();
    return s_fWindows95;
}

bool SYSTEM_IsWindowsNT() {
    static const bool s_fWindowsNT = SYSTEM_IsNTVersion(GetVersion());
    return s_fWindowsNT;
}

bool SYSTEM_GetPlatform(int* pnClass, DWORD* pdwVersion) {
    MFX_PRE(pnClass && pdwVersion);
    const DWORD dwVersion = GetVersion();
    std::string productType;
    if (SYSTEM_IsNTVersion(dwVersion)) {
        HKEY hKey = nullptr;
        if (REG_OK(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0,
                                 KEY_QUERY_VALUE, &hKey))) {
            char szType[64] = "";
            DWORD dwType = 0, cbType = sizeof(szType) - 1;
            if (REG_OK(RegQueryValueExA(hKey, "ProductType", nullptr, &dwType, reinterpret_cast<BYTE*>(szType),
                                        &cbType)) &&
                dwType == REG_SZ)
                productType = szType;
            RegCloseKey(hKey);
        }
    }
    *pnClass = SYSTEM_ClassOf(dwVersion, productType.c_str());
    *pdwVersion = dwVersion;
    return true;
}
