// A window's position, size and state kept in a profile file under keys formed from a prefix of at most 63
// characters: prefix_left, prefix_top, prefix_width, prefix_height, prefix_IsIconic and prefix_IsZoomed.
#pragma once

#include <windows.h>

// Writes the state (0 or 1 each); the position, and with fSize the size, only of a window that is neither
// minimised nor maximised, so a maximised window keeps the position it will be restored to. A child window's
// rectangle is taken in its parent's client coordinates.
bool WINDOW_SavePlacement(HWND hWnd, const char* szFile, const char* szSection, const char* szPrefix, bool fSize);
// Moves the window to the stored position (and with fSize resizes it to the stored size) without activating
// or restacking it, then minimises or maximises it as stored. The result is that of the move: false when no
// position is stored.
bool WINDOW_RestorePlacement(HWND hWnd, const char* szFile, const char* szSection, const char* szPrefix, bool fSize);
