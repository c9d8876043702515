// The gas gauge's window class (Windows).
#pragma once

#include "toolkit/gasgauge.h"

// Registers the window class: redraw on size change, arrow cursor, white background, one
// pointer of window data; fGlobal makes it usable by every module of the process. True on success.
bool GASGAUGE_Initialize(MFX_HMODULE hInstance, const char* szClassName, bool fGlobal);
