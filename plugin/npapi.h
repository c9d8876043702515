// The Netscape plug-in API as Navigator 2.x and 3.x implement it on 32-bit Windows: the records the browser
// and a plug-in exchange, the plug-in's function table and the browser's. Written from the API's public
// documentation; the plug-in and our browser stand-in both include it.
#pragma once

#include <cstddef>
#include <cstdint>

typedef unsigned char NPBool;
typedef int16_t NPError;
typedef int16_t NPReason;
typedef char* NPMIMEType;

// The version of the API this plug-in implements: major 0, minor 6.
const uint16_t NP_VERSION_MAJOR = 0;
const uint16_t NP_VERSION_MINOR = 6;

// Instance modes. Full page is the browser's NP_FULL; the background mode is ours: an instance that the page
// shows nothing of.
const uint16_t NP_EMBED = 1;
const uint16_t NP_FULL = 2;
const uint16_t NP_BACKGROUND = 3;

// Stream types a plug-in asks for in NPP_NewStream.
const uint16_t NP_NORMAL = 1;
const uint16_t NP_SEEK = 2;
const uint16_t NP_ASFILE = 3;
const uint16_t NP_ASFILEONLY = 4;

const NPError NPERR_NO_ERROR = 0;
const NPError NPERR_GENERIC_ERROR = 1;
const NPError NPERR_INVALID_INSTANCE_ERROR = 2;
const NPError NPERR_INVALID_FUNCTABLE_ERROR = 3;
const NPError NPERR_MODULE_LOAD_FAILED_ERROR = 4;
const NPError NPERR_OUT_OF_MEMORY_ERROR = 5;
const NPError NPERR_INVALID_PLUGIN_ERROR = 6;
const NPError NPERR_INVALID_PLUGIN_DIR_ERROR = 7;
const NPError NPERR_INCOMPATIBLE_VERSION_ERROR = 8;
const NPError NPERR_INVALID_PARAM = 9;
const NPError NPERR_INVALID_URL = 10;
const NPError NPERR_FILE_NOT_FOUND = 11;
const NPError NPERR_NO_DATA = 12;
const NPError NPERR_STREAM_NOT_SEEKABLE = 13;

const NPReason NPRES_DONE = 0;
const NPReason NPRES_NETWORK_ERR = 1;
const NPReason NPRES_USER_BREAK = 2;

// One instance: pdata is the plug-in's, ndata the browser's.
typedef struct _NPP {
    void* pdata;
    void* ndata;
} NPP_t, *NPP;

typedef struct _NPStream {
    void* pdata;
    void* ndata;
    const char* url;
    uint32_t end;           // length in bytes, 0 when unknown
    uint32_t lastmodified;  // seconds since 1 January 1970, 0 when unknown
    void* notifyData;
} NPStream;

typedef struct _NPByteRange {
    int32_t offset;
    uint32_t length;
    struct _NPByteRange* next;
} NPByteRange;

typedef struct _NPSavedData {
    int32_t len;
    void* buf;
} NPSavedData;

typedef struct _NPRect {
    uint16_t top;
    uint16_t left;
    uint16_t bottom;
    uint16_t right;
} NPRect;

// window is the HWND of the instance's window in the browser's page.
typedef struct _NPWindow {
    void* window;
    int32_t x;
    int32_t y;
    uint32_t width;
    uint32_t height;
    NPRect clipRect;
} NPWindow;

typedef struct _NPFullPrint {
    NPBool pluginPrinted;  // false: the browser prints the page itself
    NPBool printOne;
    void* platformPrint;
} NPFullPrint;

typedef struct _NPEmbedPrint {
    NPWindow window;
    void* platformPrint;
} NPEmbedPrint;

typedef struct _NPPrint {
    uint16_t mode;  // NP_FULL or NP_EMBED
    union {
        NPFullPrint fullPrint;
        NPEmbedPrint embedPrint;
    } print;
} NPPrint;

// The plug-in's functions, called by the browser.
typedef NPError (*NPP_NewUPP)(NPMIMEType pluginType, NPP instance, uint16_t mode, int16_t argc, char* argn[],
                              char* argv[], NPSavedData* saved);
typedef NPError (*NPP_DestroyUPP)(NPP instance, NPSavedData** save);
typedef NPError (*NPP_SetWindowUPP)(NPP instance, NPWindow* window);
typedef NPError (*NPP_NewStreamUPP)(NPP instance, NPMIMEType type, NPStream* stream, NPBool seekable,
                                    uint16_t* stype);
typedef NPError (*NPP_DestroyStreamUPP)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPP_StreamAsFileUPP)(NPP instance, NPStream* stream, const char* fname);
typedef int32_t (*NPP_WriteReadyUPP)(NPP instance, NPStream* stream);
typedef int32_t (*NPP_WriteUPP)(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer);
typedef void (*NPP_PrintUPP)(NPP instance, NPPrint* platformPrint);
typedef int16_t (*NPP_HandleEventUPP)(NPP instance, void* event);

typedef struct _NPPluginFuncs {
    uint16_t size;
    uint16_t version;
    NPP_NewUPP newp;
    NPP_DestroyUPP destroy;
    NPP_SetWindowUPP setwindow;
    NPP_NewStreamUPP newstream;
    NPP_DestroyStreamUPP destroystream;
    NPP_StreamAsFileUPP asfile;
    NPP_WriteReadyUPP writeready;
    NPP_WriteUPP write;
    NPP_PrintUPP print;
    NPP_HandleEventUPP event;
} NPPluginFuncs;

// The browser's functions, called by the plug-in.
typedef NPError (*NPN_GetURLUPP)(NPP instance, const char* url, const char* window);
typedef NPError (*NPN_PostURLUPP)(NPP instance, const char* url, const char* window, uint32_t len, const char* buf,
                                  NPBool file);
typedef NPError (*NPN_RequestReadUPP)(NPStream* stream, NPByteRange* rangeList);
typedef NPError (*NPN_NewStreamUPP)(NPP instance, NPMIMEType type, const char* window, NPStream** stream);
typedef int32_t (*NPN_WriteUPP)(NPP instance, NPStream* stream, int32_t len, void* buffer);
typedef NPError (*NPN_DestroyStreamUPP)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPN_StatusUPP)(NPP instance, const char* message);
typedef const char* (*NPN_UserAgentUPP)(NPP instance);
typedef void* (*NPN_MemAllocUPP)(uint32_t size);
typedef void (*NPN_MemFreeUPP)(void* ptr);
typedef uint32_t (*NPN_MemFlushUPP)(uint32_t size);
typedef void (*NPN_ReloadPluginsUPP)(NPBool reloadPages);
typedef void* (*NPN_GetJavaEnvUPP)();
typedef void* (*NPN_GetJavaPeerUPP)(NPP instance);
typedef NPError (*NPN_GetURLNotifyUPP)(NPP instance, const char* url, const char* window, void* notifyData);
typedef NPError (*NPN_PostURLNotifyUPP)(NPP instance, const char* url, const char* window, uint32_t len,
                                        const char* buf, NPBool file, void* notifyData);

typedef struct _NPNetscapeFuncs {
    uint16_t size;
    uint16_t version;
    NPN_GetURLUPP geturl;
    NPN_PostURLUPP posturl;
    NPN_RequestReadUPP requestread;
    NPN_NewStreamUPP newstream;
    NPN_WriteUPP write;
    NPN_DestroyStreamUPP destroystream;
    NPN_StatusUPP status;
    NPN_UserAgentUPP uagent;
    NPN_MemAllocUPP memalloc;
    NPN_MemFreeUPP memfree;
    NPN_MemFlushUPP memflush;
    NPN_ReloadPluginsUPP reloadplugins;
    NPN_GetJavaEnvUPP getJavaEnv;
    NPN_GetJavaPeerUPP getJavaPeer;
    NPN_GetURLNotifyUPP geturlnotify;
    NPN_PostURLNotifyUPP posturlnotify;
} NPNetscapeFuncs;

// The least sizes the plug-in accepts: each table must reach the last field of the Navigator 2.x set, the
// plug-in's through event and the browser's through reloadplugins (44 and 52 bytes on 32-bit Windows).
const uint16_t NP_PLUGINFUNCS_MINSIZE = offsetof(NPPluginFuncs, event) + sizeof(NPP_HandleEventUPP);
const uint16_t NP_NETSCAPEFUNCS_MINSIZE = offsetof(NPNetscapeFuncs, reloadplugins) + sizeof(NPN_ReloadPluginsUPP);
