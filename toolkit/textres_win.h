// Custom resources of a module, found, loaded and locked by type and name. Windows code (textres_win.cpp).
#pragma once

#include <windows.h>

struct TEXTRES {
    HRSRC hResInfo;
    HGLOBAL hGlobal;
    const void* pData;
    DWORD dwSize;
};

// The module used when a load names no instance; set once at start.
void TEXTRES_SetInstance(HINSTANCE hInstance);
// Records the resource's handles, address and size; 0 (reported) when it is missing or empty.
int TEXTRES_Load(TEXTRES* pRes, HINSTANCE hInstance, LPCSTR szType, LPCSTR szName);
