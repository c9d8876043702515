#include "toolkit/diag.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "toolkit/diagsys.h"

const char DIAG_SWITCH_ENTRY[] = "FlarionDiagnostics";
const char DIAG_SWITCH_WORD[] = "DebugOutputOn";

namespace {

// The process's record. The original design allocated it as a shared, moveable, zero-filled block; a
// value-initialised heap object keeps what callers observe (all fields zero before the texts are set).
DIAG* s_pDiag = nullptr;
DIAG_OUTPUTSINK s_pfnSink = nullptr;

void CopyText(char* szOut, size_t cbOut, const char* szText) {
    snprintf(szOut, cbOut, "%s", szText);
}

void LoadTextOrDefault(MFX_HMODULE hModule, unsigned id, char* szOut, const char* szDefault) {
    if (id == 0 || !DIAGSYS_LoadString(hModule, id, szOut, DIAG_TEXTSIZE))
        CopyText(szOut, DIAG_TEXTSIZE, szDefault);
}

bool IsDebuggerOutputOn(const DIAG* pDiag) {
    return (pDiag->wFlags & DIAG_FLAG_DEBUGGER) || DIAG_IsSwitchOn();
}

// Appends the parts and a carriage return with line feed to the log file; silent when it cannot be opened.
void AppendToLog(const DIAG* pDiag, const char* szFirst, const char* szSecond) {
    FILE* pLog = fopen(pDiag->szLogFile, "ab");
    if (!pLog)
        return;
    fprintf(pLog, "%s%s\r\n", szFirst, szSecond);
    fclose(pLog);
}

void Trace(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));
// A trace is written only while trace output is on (flag bit 2 or the hidden switch); the log file then takes
// a copy of it, but the log flag alone does not turn traces on.
void Trace(const char* szFormat, ...) {
    if (!s_pDiag || !IsDebuggerOutputOn(s_pDiag))
        return;
    va_list args;
    va_start(args, szFormat);
    vsnprintf(s_pDiag->szMessage, sizeof(s_pDiag->szMessage), szFormat, args);
    va_end(args);
    DIAG_Output(s_pDiag->szMessage);
    if (s_pDiag->wFlags & DIAG_FLAG_LOGFILE)
        AppendToLog(s_pDiag, "", s_pDiag->szMessage);
}

}  // namespace

DIAG* DIAG_Construct(MFX_HMODULE hModule, unsigned idCaption, unsigned idPreCondition, unsigned idAssertion) {
    DIAG* pDiag = new (std::nothrow) DIAG{};
    if (!pDiag)
        return nullptr;
    LoadTextOrDefault(hModule, idCaption, pDiag->szCaption, "Diagnostic Message");
    LoadTextOrDefault(hModule, idPreCondition, pDiag->szPreCondition, "Pre-condition determined.");
    LoadTextOrDefault(hModule, idAssertion, pDiag->szAssertion, "Assertion determined.");
    PATHNAME szModuleFile = "";
    if (DIAGSYS_GetModuleFileName(hModule, szModuleFile, sizeof(szModuleFile)))
        PATHNAME_GetJustName(szModuleFile, pDiag->szModuleName);
    return pDiag;
}

void DIAG_Destroy(DIAG* pDiag) {
    delete pDiag;
}

bool DIAG_Initialize(MFX_HMODULE hModule) {
    DIAG* pDiag = DIAG_Construct(hModule, 0, 0, 0);
    if (!pDiag)
        return false;
    DIAG_Destroy(s_pDiag);
    s_pDiag = pDiag;
    return true;
}

void DIAG_Terminate() {
    DIAG_Destroy(s_pDiag);
    s_pDiag = nullptr;
}

DIAG* DIAG_GetRecord() {
    return s_pDiag;
}

bool DIAG_SetFlags(unsigned short wFlags) {
    if (!s_pDiag)
        return false;
    if (DIAG_IsSwitchOn())
        wFlags |= DIAG_FLAG_DEBUGGER;
    s_pDiag->wFlags = wFlags;
    return true;
}

bool DIAG_SetLogFile(const char* szLogFile) {
    if (!s_pDiag || !szLogFile || strlen(szLogFile) > MAX_PATHNAME)
        return false;
    CopyText(s_pDiag->szLogFile, sizeof(s_pDiag->szLogFile), szLogFile);
    return true;
}

const char* DIAG_GetTypeText(int nType) {
    if (!s_pDiag) {
        switch (nType) {
            case DIAG_TYPE_ASSERT:
                return "Status A determined.";
            case DIAG_TYPE_PRECONDITION:
                return "Status P determined.";
            default:
                return "Bad ERR_TYPE";
        }
    }
    switch (nType) {
        case DIAG_TYPE_ASSERT:
            return s_pDiag->szAssertion;
        case DIAG_TYPE_PRECONDITION:
            return s_pDiag->szPreCondition;
        default:
            return "";
    }
}

bool DIAG_IsSwitchOn() {
    char szValue[64];
    return DIAGSYS_GetSystemProfileString("windows", DIAG_SWITCH_ENTRY, szValue, sizeof(szValue)) &&
           strcmp(szValue, DIAG_SWITCH_WORD) == 0;
}

void DIAG_Report(const char* szText, const char* szSourceModule, int nLine, int nType) {
    DIAG* pDiag = s_pDiag;
    if (!pDiag)
        return;
    const char* szShown = szText ? szText : DIAG_GetTypeText(nType);
    snprintf(pDiag->szMessage, sizeof(pDiag->szMessage), "%s in file: %s at line: %d (%s)", szShown,
             szSourceModule ? szSourceModule : "", nLine, pDiag->szModuleName);

    if (pDiag->wFlags & DIAG_FLAG_OKBOX) {
        DIAGSYS_InformationBox(pDiag->szMessage, pDiag->szCaption, false);
    } else if (pDiag->wFlags & DIAG_FLAG_OKCANCELBOX) {
        if (!DIAGSYS_InformationBox(pDiag->szMessage, szText, true))
            DIAGSYS_FatalExit(szText);
    }
    if (IsDebuggerOutputOn(pDiag)) {
        DIAG_Output(pDiag->szModuleName);
        DIAG_Output(pDiag->szMessage);
        DIAG_Output("\n");
    }
    if (pDiag->wFlags & DIAG_FLAG_LOGFILE)
        AppendToLog(pDiag, pDiag->szModuleName, pDiag->szMessage);
}

void DIAG_Assert(const char* szText, const char* szSourceModule, int nLine) {
    DIAG_Report(szText, szSourceModule, nLine, DIAG_TYPE_ASSERT);
}

void DIAG_PreCondition(const char* szText, const char* szSourceModule, int nLine) {
    DIAG_Report(szText, szSourceModule, nLine, DIAG_TYPE_PRECONDITION);
}

void DIAG_TraceNumber(const char* szLabel, const char* szName, unsigned long dwNumber) {
    Trace("%s %s : %lx\n", szLabel, szName, dwNumber);
}

void DIAG_TraceString(const char* szLabel, const char* szName, const char* szText) {
    Trace("%s %s : %s\n", szLabel, szName, szText);
}

DIAG_OUTPUTSINK DIAG_SetOutputSink(DIAG_OUTPUTSINK pfnSink) {
    DIAG_OUTPUTSINK pfnPrevious = s_pfnSink;
    s_pfnSink = pfnSink;
    return pfnPrevious;
}

void DIAG_Output(const char* szText) {
    if (s_pfnSink)
        s_pfnSink(szText);
    else
        DIAGSYS_DebugString(szText);
}
