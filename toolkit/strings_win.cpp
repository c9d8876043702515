#include "toolkit/strings.h"

#include <windows.h>

char* STRINGS_UpperCase(char* szString) {
    if (szString)
        CharUpperA(szString);
    return szString;
}
