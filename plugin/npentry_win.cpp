// The library's three exports and the plug-in functions the browser calls through the table they hand out.
// Each plug-in function checks its arguments, forwards to the application object and never lets an exception
// reach the browser: the call then ends with the error code it had reached.
#include "plugin/npentry_win.h"

#include "plugin/npapp_win.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("NPENTRY");

NPNetscapeFuncs* g_pNavigatorFuncs = nullptr;

namespace {

// One plug-in call that answers an error code: the instance (and stream) given, an application object to
// take it, and no exception past this point.
template <typename FCALL>
NPError Guarded(bool fArguments, FCALL fnCall) {
    NPError err = NPERR_INVALID_INSTANCE_ERROR;
    try {
        if (fArguments) {
            err = NPERR_GENERIC_ERROR;
            if (CNPApp* pApp = NPAPP_Get())
                err = fnCall(pApp);
        }
    } catch (...) {
    }
    MFX_VERIFY(err==NPERR_NO_ERROR);
    return err;
}

NPError NPP_New(NPMIMEType pluginType, NPP instance, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                NPSavedData* saved) {
    return Guarded(instance != nullptr,
                   [&](CNPApp* pApp) { return pApp->NPP_New(pluginType, instance, mode, argc, argn, argv, saved); });
}

NPError NPP_Destroy(NPP instance, NPSavedData** save) {
    return Guarded(instance != nullptr, [&](CNPApp* pApp) { return pApp->NPP_Destroy(instance, save); });
}

NPError NPP_SetWindow(NPP instance, NPWindow* window) {
    return Guarded(instance != nullptr, [&](CNPApp* pApp) { return pApp->NPP_SetWindow(instance, window); });
}

NPError NPP_NewStream(NPP instance, NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* stype) {
    return Guarded(instance && stream,
                   [&](CNPApp* pApp) { return pApp->NPP_NewStream(instance, type, stream, seekable, stype); });
}

NPError NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason) {
    return Guarded(instance && stream,
                   [&](CNPApp* pApp) { return pApp->NPP_DestroyStream(instance, stream, reason); });
}

int32_t NPP_WriteReady(NPP instance, NPStream* stream) {
    int32_t lReady = 0;
    try {
        CNPApp* pApp = NPAPP_Get();
        if (MFX_VERIFY(instance && stream) && pApp)
            lReady = pApp->NPP_WriteReady(instance, stream);
    } catch (...) {
    }
    return lReady;
}

int32_t NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer) {
    int32_t lWritten = 0;
    try {
        CNPApp* pApp = NPAPP_Get();
        if (MFX_VERIFY(instance && stream) && pApp)
            lWritten = pApp->NPP_Write(instance, stream, offset, len, buffer);
    } catch (...) {
        lWritten = -1;
    }
    return lWritten;
}

void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname) {
    try {
        CNPApp* pApp = NPAPP_Get();
        if (MFX_VERIFY(instance && stream) && pApp)
            pApp->NPP_StreamAsFile(instance, stream, fname);
    } catch (...) {
    }
}

void NPP_Print(NPP instance, NPPrint* platformPrint) {
    try {
        CNPApp* pApp = NPAPP_Get();
        if (MFX_VERIFY(instance && platformPrint) && pApp)
            pApp->NPP_Print(instance, platformPrint);
    } catch (...) {
    }
}

}  // namespace

// The table is filled only when it is long enough for every entry; a short one is left as it was.
NPError WINAPI NP_GetEntryPoints(NPPluginFuncs* pFuncs) {
    if (!pFuncs || pFuncs->size < NP_PLUGINFUNCS_MINSIZE)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    pFuncs->version = (NP_VERSION_MAJOR << 8) | NP_VERSION_MINOR;
    pFuncs->newp = NPP_New;
    pFuncs->destroy = NPP_Destroy;
    pFuncs->setwindow = NPP_SetWindow;
    pFuncs->newstream = NPP_NewStream;
    pFuncs->destroystream = NPP_DestroyStream;
    pFuncs->asfile = NPP_StreamAsFile;
    pFuncs->writeready = NPP_WriteReady;
    pFuncs->write = NPP_Write;
    pFuncs->print = NPP_Print;
    pFuncs->event = nullptr;
    return NPERR_NO_ERROR;
}

// The table is kept before it is checked, so a refused browser still finds it cleared by NP_Shutdown.
NPError WINAPI NP_Initialize(NPNetscapeFuncs* pFuncs) {
    if (!pFuncs)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    g_pNavigatorFuncs = pFuncs;
    if ((pFuncs->version >> 8) > NP_VERSION_MAJOR)
        return NPERR_INCOMPATIBLE_VERSION_ERROR;
    if (pFuncs->size < NP_NETSCAPEFUNCS_MINSIZE)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    CNPApp* pApp = NPAPP_Get();
    return pApp ? pApp->NPP_Initialize() : NPERR_GENERIC_ERROR;
}

NPError WINAPI NP_Shutdown() {
    if (CNPApp* pApp = NPAPP_Get())
        pApp->NPP_Shutdown();
    g_pNavigatorFuncs = nullptr;
    return NPERR_NO_ERROR;
}

NPError NPN_GetURL(NPP instance, const char* szURL, const char* szTarget) {
    if (!MFX_VERIFY(g_pNavigatorFuncs) || !g_pNavigatorFuncs->geturl)
        return NPERR_GENERIC_ERROR;
    return g_pNavigatorFuncs->geturl(instance, szURL, szTarget);
}
