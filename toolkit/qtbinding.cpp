#include "toolkit/qtbinding.h"

const char QTIM_LIBRARY[] = "QTIM32.DLL";
const char CMGR_LIBRARY[] = "CMGR32.DLL";
const char QT_ENTRYPOINT[] = "_EntryPoint";
const char QT_CMGRINITIALIZE[] = "_CMgrInitialize";
const char QT_CMGRTERMINATE[] = "_CMgrTerminate";

// The product version a.b.c.d as one comparable number: the release a.b.c in the high part, the build d in the
// low byte, so 2.1.1.57 gives 11065.
unsigned long QTBINDING_VersionNumber(unsigned a, unsigned b, unsigned c, unsigned d) {
    return (static_cast<unsigned long>(a) * 16 + b * 10 + c) * 256 + d;
}
