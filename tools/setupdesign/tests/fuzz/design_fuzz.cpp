// Fuzz target over the design file reader: any bytes must be refused cleanly or load a design that the compiler
// writes back to bytes that load again and write back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "setup/design.h"
#include "toolkit/diag.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designwrite.h"

namespace {

void Check(bool fCondition) {
    if (!fCondition)
        abort();
}

const std::string& ScratchFile() {
    static const std::string path = [] {
        const char* szTemp = getenv("TMPDIR");
        return std::string(szTemp ? szTemp : "/tmp") + "/design_fuzz." + std::to_string(getpid()) + ".ini";
    }();
    return path;
}

int Load(DESIGN* pDesign, const uint8_t* pData, size_t cbData) {
    FILE* pFile = fopen(ScratchFile().c_str(), "wb");
    Check(pFile != nullptr);
    Check(fwrite(pData, 1, cbData, pFile) == cbData);
    Check(fclose(pFile) == 0);
    return DESIGN_Open(pDesign, ScratchFile().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    // The reports of refused files are expected by the thousand.
    DIAG_SetOutputSink([](const char*) {});
    DESIGN* pDesign = DESIGN_Construct();
    if (Load(pDesign, pData, cbData) == DESIGN_LOADED) {
        Check(!DESIGNTEXT_Format(*pDesign, true).empty());
        const std::string bytes = DESIGNWRITE_Bytes(*pDesign);
        DESIGN* pAgain = DESIGN_Construct();
        Check(Load(pAgain, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) == DESIGN_LOADED);
        Check(DESIGNWRITE_Bytes(*pAgain) == bytes);
        DESIGN_Destroy(pAgain);
    }
    DESIGN_Destroy(pDesign);
    return 0;
}
