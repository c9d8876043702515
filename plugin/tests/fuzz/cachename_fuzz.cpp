// Fuzz target over the cache names: the hash of any URL, and any folder joined with a name, stay within
// their bounds. Built as a libFuzzer program with clang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "plugin/cachename.h"
#include "toolkit/pathname.h"

namespace {

void Check(bool fCondition) {
    if (!fCondition)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    const std::string text = std::string(reinterpret_cast<const char*>(pData), cbData).c_str();
    uint16_t wHash = 0;
    for (size_t i = 0; i < text.size(); i += 2)
        wHash ^= static_cast<uint8_t>(text[i]) | (i + 1 < text.size() ? static_cast<uint8_t>(text[i + 1]) << 8 : 0);
    Check(CACHENAME_Hash(text.c_str()) == wHash);

    for (const char* szExtension : {".DSK", ""}) {
        PATHNAME szName = "";
        if (CACHENAME_Construct(szName, "C:\\CACHE", text.c_str(), szExtension))
            Check(strncmp(szName, "C:\\CACHE\\REEL", 13) == 0 && strlen(szName) == 17 + strlen(szExtension));
        else
            Check(false);
        if (CACHENAME_Construct(szName, text.c_str(), "abc", szExtension))
            Check(strlen(szName) <= MAX_PATHNAME && strstr(szName, "REEL6202") != nullptr);
        else
            Check(szName[0] == '\0');
    }
    return 0;
}
