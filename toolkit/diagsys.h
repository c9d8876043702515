// What the diagnostics need from the platform; diagsys_win.cpp and diagsys_posix.cpp provide it.
#pragma once

#include <cstddef>

#include "toolkit/diag.h"

void DIAGSYS_DebugString(const char* szText);
// The text of an entry of the user's system profile (win.ini); false where there is none.
bool DIAGSYS_GetSystemProfileString(const char* szSection, const char* szEntry, char* szOut, size_t cbOut);
// An information box; returns false when the user chose Cancel.
bool DIAGSYS_InformationBox(const char* szText, const char* szCaption, bool fOkCancel);
[[noreturn]] void DIAGSYS_FatalExit(const char* szText);
bool DIAGSYS_GetModuleFileName(MFX_HMODULE hModule, char* szOut, size_t cbOut);
MFX_HMODULE DIAGSYS_GetModuleOf(const void* pAddress);
bool DIAGSYS_LoadString(MFX_HMODULE hModule, unsigned id, char* szOut, size_t cbOut);
unsigned long DIAGSYS_GetThreadId();
bool DIAGSYS_IsReadable(const void* p, size_t nBytes);
