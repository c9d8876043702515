// Run-time checks of the house style and the developer's debug print.
//
// Every check runs in every build. A failed check is reported on the debugger output (and through the
// diagnostics record, see diag.h) and never stops the program: MFX_VERIFY carries on, MFX_PRE makes the
// enclosing function return failure at once. The report quotes the checked expression, so the call itself
// is what goes inside: MFX_VERIFY(fOk = stco.Write(this)).
#pragma once

#include <cstddef>

// Names the source module in this file's reports: MFX_SOURCE_MODULE("QTFILE");
#define MFX_SOURCE_MODULE(name) [[maybe_unused]] static const char s_szMfxSourceModule[] = name

enum MFX_CHECK { MFX_CHECK_VERIFY, MFX_CHECK_PRE };

// Reports a failed check on the debugger output and to the diagnostics record; returns false.
bool MFX_ReportFailure(MFX_CHECK check, const char* szModule, int nLine, const char* szExpression);

#define MFX_VERIFY(expr) \
    (static_cast<bool>(expr) ? true : MFX_ReportFailure(MFX_CHECK_VERIFY, s_szMfxSourceModule, __LINE__, #expr))

#define MFX_PRE(expr)                                                                   \
    do {                                                                                \
        if (!static_cast<bool>(expr)) {                                                 \
            MFX_ReportFailure(MFX_CHECK_PRE, s_szMfxSourceModule, __LINE__, #expr);         \
            return {};                                                                  \
        }                                                                               \
    } while (0)

// One line to the debugger output: "<prefix>[<thread id>]:" and the formatted text, cut to 512 bytes.
void MFX_DebugPrintf(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

// The prefix of every debug print: the name part of the deliverable's file name followed by ": ".
void MFX_SetPrefix(const char* szDeliverableFile);
const char* MFX_GetPrefix();

// The start-up of every deliverable: installs the diagnostics record for the module with flags 0 and sets
// the debug-print prefix from the module's file name. MFX_DEFINE_STARTUP() in one source file of a
// deliverable runs it before the deliverable's own code.
typedef void* MFX_HMODULE;  // the platform's module handle (HINSTANCE on Windows)
void MFX_Startup(MFX_HMODULE hModule);
MFX_HMODULE MFX_GetModuleOf(const void* pAddress);
#define MFX_DEFINE_STARTUP()                                                     \
    namespace {                                                                  \
    const bool s_fMfxStarted = (MFX_Startup(MFX_GetModuleOf(&s_fMfxStarted)), true); \
    }

// True when nBytes of memory at p can be read (a probe, never a crash).
bool MFX_IsReadable(const void* p, size_t nBytes);
#define OBJECT_IsValid(p, TYPE) MFX_IsReadable((p), sizeof(TYPE))
