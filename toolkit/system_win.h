// The platform family this program runs on.
#pragma once

#include <windows.h>

#include "toolkit/system.h"

// Each answers from the platform's version at the first call and keeps that answer.
bool SYSTEM_IsWindows95();
bool SYSTEM_IsWindowsNT();
// The class (a SYSTEM_CLASS value) and the platform's raw 32-bit version number. On the NT family the class
// comes from the product type that the registry records.
bool SYSTEM_GetPlatform(int* pnClass, DWORD* pdwVersion);
