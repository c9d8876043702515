#include "toolkit/pathname.h"

// Outside Windows there is no ANSI code page to consult: every byte is a character of its own.
const char* PATHNAME_PlatformNextChar(const char* p) {
    return *p ? p + 1 : p;
}
