// The plug-in library's exports, the browser's function table kept for later calls, and the browser
// functions the plug-in calls through it.
#pragma once

#include <windows.h>

#include <string>

#include "plugin/npapi.h"

const NPError NP_NOERR = NPERR_NO_ERROR;

// The three exports, by name and with the Windows API calling convention.
extern "C" {
NPError WINAPI NP_GetEntryPoints(NPPluginFuncs* pFuncs);
NPError WINAPI NP_Initialize(NPNetscapeFuncs* pFuncs);
NPError WINAPI NP_Shutdown();
}
typedef NPError(WINAPI* NP_GETENTRYPOINTS)(NPPluginFuncs* pFuncs);
typedef NPError(WINAPI* NP_INITIALIZE)(NPNetscapeFuncs* pFuncs);
typedef NPError(WINAPI* NP_SHUTDOWN)();

// Set by NP_Initialize, cleared by NP_Shutdown.
extern NPNetscapeFuncs* g_pNavigatorFuncs;

// The browser's functions; NPERR_GENERIC_ERROR when there is no table.
NPError NPN_GetURL(NPP instance, const char* szURL, const char* szTarget);
inline NPError NPN_GetURL(NPP instance, const std::string& sURL, const char* szTarget) {
    return NPN_GetURL(instance, sURL.c_str(), szTarget);
}
