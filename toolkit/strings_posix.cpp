#include "toolkit/strings.h"

// Outside Windows there is no ANSI code page to consult: only the letters a to z have an upper case.
char* STRINGS_UpperCase(char* szString) {
    if (!szString)
        return szString;
    for (char* p = szString; *p; ++p) {
        if (*p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - 'a' + 'A');
    }
    return szString;
}
