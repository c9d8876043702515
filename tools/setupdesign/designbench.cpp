// designbench: times the engine's loading of the largest design the format holds against one plain read of the
// same file's bytes, in one run. Usage: designbench FOLDER [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "setup/design.h"
#include "testing/designfixture/designbytes.h"
#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designwrite.h"

MFX_DEFINE_STARTUP()

namespace {

typedef std::chrono::steady_clock CLOCK;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(CLOCK::time_point start) {
    return std::chrono::duration<double, std::milli>(CLOCK::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: designbench FOLDER [ROUNDS]\n");
        return 2;
    }
    const int nRounds = argc > 2 ? atoi(argv[2]) : 20;
    const std::string path = std::string(argv[1]) + "/largest.ini";
    DESIGN* pDesign = DESIGN_Construct();
    std::string error;
    if (!DESIGNTEXT_Parse(DESIGNBYTES_MaximumText(), pDesign, &error)) {
        fprintf(stderr, "designbench: %s\n", error.c_str());
        return 1;
    }
    const std::string bytes = DESIGNWRITE_Bytes(*pDesign);
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile || fwrite(bytes.data(), 1, bytes.size(), pFile) != bytes.size() || fclose(pFile) != 0) {
        fprintf(stderr, "designbench: cannot write %s\n", path.c_str());
        return 1;
    }
    DIAG_SetOutputSink([](const char*) {});
    std::vector<double> load, read;
    std::vector<char> buffer(bytes.size());
    for (int i = 0; i < nRounds; ++i) {
        CLOCK::time_point start = CLOCK::now();
        if (DESIGN_Open(pDesign, path.c_str()) != DESIGN_LOADED) {
            fprintf(stderr, "designbench: the largest design does not load\n");
            return 1;
        }
        load.push_back(Milliseconds(start));
        start = CLOCK::now();
        pFile = fopen(path.c_str(), "rb");
        const size_t cbRead = pFile ? fread(buffer.data(), 1, buffer.size(), pFile) : 0;
        if (pFile)
            fclose(pFile);
        read.push_back(Milliseconds(start));
        if (cbRead != bytes.size())
            return 1;
    }
    DESIGN_Destroy(pDesign);
    const double dLoad = Median(load), dRead = Median(read);
    printf("largest design: %zu bytes, 1000 things, 50 targets with 2047-character messages; median of %d rounds\n",
           bytes.size(), nRounds);
    printf("  DESIGN_Open         %8.3f ms\n", dLoad);
    printf("  one read of it all  %8.3f ms\n", dRead);
    printf("  ratio               %8.1f x\n", dLoad / dRead);
    return 0;
}
