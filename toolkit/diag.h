// Diagnostics record: turns failed checks and traces into messages for developers.
//
// One record per process. Its flags send each report to an information box, the debugger output and a log
// file; a hidden win.ini switch turns the debugger output on without rebuilding.
#pragma once

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

enum DIAG_TYPE { DIAG_TYPE_ASSERT = 1, DIAG_TYPE_PRECONDITION = 2 };

enum DIAG_FLAG : unsigned short {
    DIAG_FLAG_OKBOX = 1,        // information box with OK
    DIAG_FLAG_OKCANCELBOX = 2,  // information box with OK and Cancel; Cancel ends the process
    DIAG_FLAG_DEBUGGER = 4,     // debugger output
    DIAG_FLAG_LOGFILE = 8,      // appended to the log file
};

const int DIAG_TEXTSIZE = 255;

struct DIAG {
    char szMessage[2048];
    unsigned short wFlags;
    PATHNAME szLogFile;
    char szCaption[DIAG_TEXTSIZE];
    char szPreCondition[DIAG_TEXTSIZE];
    char szAssertion[DIAG_TEXTSIZE];
    PATHNAME szModuleName;
};

// The hidden switch: this entry of win.ini's "windows" section holding exactly this word.
extern const char DIAG_SWITCH_ENTRY[];
extern const char DIAG_SWITCH_WORD[];

// A new record; each non-zero id loads its text from the module's string table. Null when memory is short.
DIAG* DIAG_Construct(MFX_HMODULE hModule, unsigned idCaption, unsigned idPreCondition, unsigned idAssertion);
void DIAG_Destroy(DIAG* pDiag);

// Constructs a record with the default texts and installs it as the process's record.
bool DIAG_Initialize(MFX_HMODULE hModule);
// Removes and frees the process's record; later reports are dropped.
void DIAG_Terminate();
DIAG* DIAG_GetRecord();

bool DIAG_SetFlags(unsigned short wFlags);
bool DIAG_SetLogFile(const char* szLogFile);
const char* DIAG_GetTypeText(int nType);
bool DIAG_IsSwitchOn();

void DIAG_Report(const char* szText, const char* szSourceModule, int nLine, int nType);
void DIAG_Assert(const char* szText, const char* szSourceModule, int nLine);
void DIAG_PreCondition(const char* szText, const char* szSourceModule, int nLine);

void DIAG_TraceNumber(const char* szLabel, const char* szName, unsigned long dwNumber);
void DIAG_TraceString(const char* szLabel, const char* szName, const char* szText);

// The debugger output channel. Everything the diagnostics write goes through one replaceable sink, so a test
// can capture the exact lines; the default sink is the platform's debug-string channel.
typedef void (*DIAG_OUTPUTSINK)(const char* szText);
DIAG_OUTPUTSINK DIAG_SetOutputSink(DIAG_OUTPUTSINK pfnSink);  // null restores the default; returns the previous
void DIAG_Output(const char* szText);
