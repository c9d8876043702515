#include "plugin/cachename.h"

#include <cstdio>
#include <cstring>

#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("CACHENAME");

uint16_t CACHENAME_Hash(const char* szURL) {
    MFX_PRE(szURL);
    const auto* p = reinterpret_cast<const unsigned char*>(szURL);
    const size_t cb = strlen(szURL);
    uint16_t wHash = 0;
    for (size_t i = 0; i < cb; i += 2)
        wHash ^= static_cast<uint16_t>(p[i] | (i + 1 < cb ? p[i + 1] << 8 : 0));
    return wHash;
}

int CACHENAME_Construct(char* szOut, const char* szFolder, const char* szURL, const char* szExtension) {
    MFX_PRE(szOut);
    szOut[0] = '\0';
    MFX_PRE(szFolder && szURL && szExtension);
    PATHNAME szName = "";
    const int cch = snprintf(szName, sizeof(szName), "REEL%04lX%s", static_cast<unsigned long>(CACHENAME_Hash(szURL)),
                             szExtension);
    MFX_PRE(cch > 0 && static_cast<size_t>(cch) < sizeof(szName));
    return PATHNAME_Construct(szOut, szFolder, szName);
}
