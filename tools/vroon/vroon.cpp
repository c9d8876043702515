// vroon: converts movies to fast-start form from the command line. Run vroon --help for its use.
#include <cstdio>
#include <string>

#include "toolkit/mfx.h"
#include "tools/vroon/vroonfile.h"
#include "tools/vroon/vroonopts.h"
#include "tools/vroon/vroonrun.h"

MFX_DEFINE_STARTUP()

int main(int argc, char** argv) {
    VROON_OPTIONS options;
    std::string error;
    if (!VROONOPTS_Parse(argc, argv, &options, &error)) {
        fprintf(stderr, "vroon: %s (vroon --help shows the usage)\n", error.c_str());
        return VROON_EXIT_USAGE;
    }
    return VROONRUN_Run(options, stdout, stderr, VROONFILE_IsTerminal(stderr));
}
