// The hook library's standard destination directories ("Windows", "System", "System16", "System32") by the
// platform family it runs on. Portable code.
#pragma once

#include <string>

#include "toolkit/textlist.h"

enum TAVLET_PLATFORM { TAVLET_WINDOWS_NT, TAVLET_WINDOWS_31, TAVLET_WINDOWS_95, TAVLET_OTHER };

// The family of a SYSTEM_CLASS (toolkit/system.h).
TAVLET_PLATFORM STDTARGETS_PlatformOf(int nSystemClass);
// The trace name of a family ("WINDOWS_NT", "WINDOWS_31", "WINDOWS_95"; empty for another).
const char* STDTARGETS_TraceName(TAVLET_PLATFORM platform);
// Fills the map for the family; fSystem16 says whether the Windows directory holds a folder "SYSTEM" (the
// 16-bit system directory of the NT family).
void STDTARGETS_Fill(CTextMap& targets,
                     TAVLET_PLATFORM platform,
                     const std::string& windowsDir,
                     const std::string& systemDir,
                     bool fSystem16);
