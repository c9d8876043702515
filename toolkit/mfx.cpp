#include "toolkit/mfx.h"

#include <cstdarg>
#include <cstdio>

#include "toolkit/diag.h"
#include "toolkit/diagsys.h"

MFX_SOURCE_MODULE("MFXDEBUG");

namespace {

char s_szPrefix[MAX_PATHNAME + 1] = "";

}  // namespace

bool MFX_ReportFailure(MFX_CHECK check, const char* szModule, int nLine, const char* szExpression) {
    const bool fPre = check == MFX_CHECK_PRE;
    MFX_DebugPrintf("%s failed: in %s (#:%d) %s\n", fPre ? "MFX_PRE" : "MFX_VERIFY", szModule, nLine, szExpression);
    DIAG_Report(szExpression, szModule, nLine, fPre ? DIAG_TYPE_PRECONDITION : DIAG_TYPE_ASSERT);
    return false;
}

void MFX_DebugPrintf(const char* szFormat, ...) {
    char szBuffer[512];
    const int nPrefix = snprintf(szBuffer, sizeof(szBuffer), "%s[%08lx]:", s_szPrefix, DIAGSYS_GetThreadId());
    va_list args;
    va_start(args, szFormat);
    const int nText = vsnprintf(szBuffer + nPrefix, sizeof(szBuffer) - nPrefix, szFormat, args);
    va_end(args);
    // vsnprintf has already cut the text to the buffer; the report of the cut comes before the cut line.
    const size_t nBuf = static_cast<size_t>(nPrefix) + static_cast<size_t>(nText > 0 ? nText : 0);
    MFX_VERIFY(nBuf < sizeof(szBuffer));
    DIAG_Output(szBuffer);
}

void MFX_SetPrefix(const char* szDeliverableFile) {
    PATHNAME szJustName = "";
    PATHNAME_GetJustName(szDeliverableFile, szJustName);
    snprintf(s_szPrefix, sizeof(s_szPrefix), "%s: ", szJustName);
}

const char* MFX_GetPrefix() {
    return s_szPrefix;
}

void MFX_Startup(MFX_HMODULE hModule) {
    DIAG_Initialize(hModule);
    DIAG_SetFlags(0);
    PATHNAME szModuleFile = "";
    DIAGSYS_GetModuleFileName(hModule, szModuleFile, sizeof(szModuleFile));
    MFX_SetPrefix(szModuleFile);
}

MFX_HMODULE MFX_GetModuleOf(const void* pAddress) {
    return DIAGSYS_GetModuleOf(pAddress);
}

bool MFX_IsReadable(const void* p, size_t nBytes) {
    return p && DIAGSYS_IsReadable(p, nBytes);
}
