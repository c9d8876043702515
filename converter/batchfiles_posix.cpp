#include <strings.h>
#include <sys/stat.h>

#include "converter/batchfiles.h"

bool BATCHFILES_Exists(const char* szPath) {
    struct stat st;
    return stat(szPath, &st) == 0 && S_ISREG(st.st_mode);
}

bool BATCHFILES_IsSameName(const char* szName1, const char* szName2) {
    return strcasecmp(szName1, szName2) == 0;
}
