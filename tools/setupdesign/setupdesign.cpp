// setupdesign: compiles text designs into setup design files, and back. Run setupdesign --help for its use.
#include <cstdio>

#include "toolkit/mfx.h"
#include "tools/setupdesign/designcmd.h"

MFX_DEFINE_STARTUP()

int main(int argc, char** argv) {
    return DESIGNCMD_Run(argc, argv, stdout, stderr);
}
