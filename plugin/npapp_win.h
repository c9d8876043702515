// The application object: one per loaded library, it receives every plug-in call and makes one instance
// window per clip.
#pragma once

#include <windows.h>

#include "plugin/npapi.h"

class CNPBaseWnd;

// The media type that exists only to be shown in the browser's list of plug-ins; an instance of it is never
// played.
extern const char NPAPP_SHOWONLY_TYPE[];
extern const char NPAPP_NAME[];  // "Flarion"

// The worker threads that must end before the library may go: a count under a critical section.
class CNPThreads {
public:
    CNPThreads();
    ~CNPThreads();
    CNPThreads(const CNPThreads&) = delete;
    CNPThreads& operator=(const CNPThreads&) = delete;

    void Add();
    void Remove();
    // True when no thread is left.
    bool AllGone();

private:
    CRITICAL_SECTION m_lock;
    int m_nCount = 0;
};

class CNPApp {
public:
    virtual ~CNPApp() = default;

    virtual NPError NPP_Initialize();
    // Waits, serving this thread's windows, until the worker threads are gone.
    virtual void NPP_Shutdown();
    virtual NPError NPP_New(NPMIMEType pluginType, NPP instance, uint16_t mode, int16_t argc, char* argn[],
                            char* argv[], NPSavedData* saved);
    virtual NPError NPP_Destroy(NPP instance, NPSavedData** save);
    virtual NPError NPP_SetWindow(NPP instance, NPWindow* window);
    virtual NPError NPP_NewStream(NPP instance, NPMIMEType type, NPStream* stream, NPBool seekable,
                                  uint16_t* stype);
    virtual int32_t NPP_WriteReady(NPP instance, NPStream* stream);
    virtual int32_t NPP_Write(NPP instance, NPStream* stream, int32_t offset, int32_t len, void* buffer);
    virtual NPError NPP_DestroyStream(NPP instance, NPStream* stream, NPReason reason);
    virtual void NPP_StreamAsFile(NPP instance, NPStream* stream, const char* fname);
    virtual void NPP_Print(NPP instance, NPPrint* platformPrint);

    // The window object for a new instance; null for the show-only type, after telling the user.
    virtual CNPBaseWnd* CreateInstanceWindow(const char* szMimeType, int16_t nMode);

    CNPThreads m_Threads;
};

// The library's application object; null before the library has started and after it has ended.
CNPApp* NPAPP_Get();
// How long NPP_Shutdown waits for the worker threads before it gives up.
const DWORD NPAPP_SHUTDOWN_TIMEOUT = 10000;
