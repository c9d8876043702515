// The push-bitmap button's window class: a superclass of the platform button that paints the caption format
// of pushbmp.h.
#pragma once

#include <windows.h>

// Registers the button class under szClassName, usable by every module of the process; hInstance is the
// library whose icons back up a button's own. True on success.
bool PUSHBMP_ClassInitGlobal(HINSTANCE hInstance, const char* szClassName);
