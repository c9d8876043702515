// The window classes of the dialog library: registered when the library is loaded, removed when it goes.
#pragma once

#include <windows.h>

// The dialog class of every template: double-click aware, standard dialog window bytes, arrow cursor, light
// grey background, usable by every module of the process. True on success.
bool ORVANTA_RegisterClass(const char* szClassName);
// Registers the gauge, push-button and dialog classes in that order; when one fails, those already registered
// are removed again and the result is false.
bool ORVANTA_Init(HINSTANCE hInst);
// Removes the three classes.
void ORVANTA_Term(HINSTANCE hInst);
