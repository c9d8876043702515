#include <windows.h>

#include "pathname.h"

// The ANSI code page's own rule, so double-byte characters are stepped over whole.
const char* PATHNAME_PlatformNextChar(const char* p) {
    return CharNextA(p);
}
