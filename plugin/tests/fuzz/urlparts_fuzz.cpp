// Fuzz target over the URL splitter: any text must split, compose, resolve and give a local path without
// leaving its buffers, and a split never invents characters. Built as a libFuzzer program with clang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugin/npbrowser.h"
#include "plugin/urlparts.h"

namespace {

void Check(bool fCondition) {
    if (!fCondition)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    // The text ends at its first zero byte, as a browser's would; what follows is the relative reference.
    const std::string input(reinterpret_cast<const char*>(pData), cbData);
    const std::string text = input.c_str();
    const std::string reference = text.size() < input.size() ? input.substr(text.size() + 1).c_str() : "c.mov";

    CURLParts url;
    const bool fOk = url.Construct(text.c_str());
    const size_t cchParts = url.GetScheme().size() + url.GetHost().size() + url.GetPort().size() +
                            url.GetPath().size() + url.GetName().size() + url.GetAnchor().size();
    Check(cchParts <= text.size());
    std::string sLocal;
    if (url.GetLocalPath(sLocal))
        Check(url.IsLocal() && sLocal.size() >= 3 && sLocal[1] == ':' && sLocal.find('/') == std::string::npos);
    if (fOk) {
        std::string sComposed;
        url.Compose(sComposed);
        url.ApplyRelative(reference.c_str());
        Check(url.GetAnchor().empty());
        url.Compose(sComposed);
    }

    std::string sURL = reference;
    if (NPBROWSER_MakeAbsolute(text, sURL) && reference.find("//") != std::string::npos)
        Check(sURL == reference);
    NPBROWSER_ClickURL(text.c_str(), -1, 65536, true);
    return 0;
}
