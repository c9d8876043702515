// A browser of our own for the plug-in: it loads a plug-in library and calls it as a Navigator 3.x host would
// (exports, plug-in table, instances, windows and streams), and records every call the plug-in makes back
// through the browser table.
//
// Windows. The host's top-level window carries the page address where a Navigator window keeps it: in the
// edit control 25000 inside the location bar 112. Each instance that shows gets a child window of the host
// window (the whole client area below the location bar in full page); the plug-in may take it over.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "plugin/npapi.h"

const int NPHOST_LOCATION_BAR_ID = 112;
const int NPHOST_LOCATION_EDIT_ID = 25000;
const int NPHOST_LOCATION_HEIGHT = 28;
extern const char NPHOST_USERAGENT[];

class CNPHost;

class CNPHostInstance {
public:
    CNPHostInstance(CNPHost& host, const char* szType, uint16_t wMode);
    ~CNPHostInstance();
    CNPHostInstance(const CNPHostInstance&) = delete;
    CNPHostInstance& operator=(const CNPHostInstance&) = delete;

    // An EMBED attribute for NPP_New; a null value is an attribute written without one.
    void AddAttribute(const char* szName, const char* szValue);
    NPError New(NPSavedData* pSaved = nullptr);
    // Gives the instance its window at rc in the host window (made on the first call, moved on later ones).
    NPError SetWindow(const RECT& rc);
    // NPP_SetWindow with a window record of the given handle (null allowed), or with no record at all.
    NPError SetWindowHandle(HWND hWnd);
    NPError SetNullWindow();
    NPError Destroy(NPSavedData** ppSave);
    NPError Destroy();
    void Print(NPPrint* pPrint);

    NPP GetNPP() { return &m_npp; }
    HWND GetWindow() const { return m_hWnd; }
    CNPHost& GetHost() { return m_host; }
    uint16_t GetMode() const { return m_wMode; }
    const std::string& GetType() const { return m_type; }
    // What the host paints in the instance's window.
    std::string m_status;

private:
    CNPHost& m_host;
    std::string m_type;
    uint16_t m_wMode;
    NPP_t m_npp = {};
    NPWindow m_window = {};
    HWND m_hWnd = nullptr;
    bool m_fAlive = false;
    std::vector<std::string> m_names, m_values;
    std::vector<bool> m_hasValue;
};

// One stream as the browser delivers it: new stream, then writes in pieces as the plug-in is ready for
// them, the file for the as-file types, and destroy stream with a reason.
class CNPHostStream {
public:
    CNPHostStream(CNPHostInstance& instance, const char* szURL, const char* szType, uint32_t dwEnd, bool fSeekable);
    ~CNPHostStream();
    CNPHostStream(const CNPHostStream&) = delete;
    CNPHostStream& operator=(const CNPHostStream&) = delete;

    NPError New();
    int32_t WriteReady();
    int32_t Write(int32_t lOffset, const void* pData, int32_t cb);
    void AsFile(const char* szFileName);
    NPError Destroy(NPReason reason);

    // Serves a local file: Step delivers up to cbMax bytes (what write-ready allows, in pieces of at most
    // cbPiece), the file name once the data is through for the as-file types, and destroys the stream with
    // NPRES_DONE at the end, or NPRES_USER_BREAK when the plug-in ended it (a write answered -1). False once it is done.
    bool Serve(const char* szFile, uint32_t cbPiece);
    bool Step(uint32_t cbMax);

    NPStream& GetStream() { return m_stream; }
    uint16_t GetType() const { return m_wType; }
    uint32_t GetDelivered() const { return m_dwDelivered; }
    bool IsAlive() const { return m_fAlive; }

private:
    CNPHostInstance& m_instance;
    std::string m_url;
    std::string m_mimeType;
    NPStream m_stream = {};
    bool m_fSeekable;
    uint16_t m_wType = NP_NORMAL;
    bool m_fAlive = false;
    std::string m_file;
    std::vector<char> m_data;
    uint32_t m_cbPiece = 0;
    uint32_t m_dwDelivered = 0;
};

class CNPHost {
public:
    CNPHost();
    ~CNPHost();
    CNPHost(const CNPHost&) = delete;
    CNPHost& operator=(const CNPHost&) = delete;

    typedef NPError(WINAPI* NP_GETENTRYPOINTS)(NPPluginFuncs* pFuncs);
    typedef NPError(WINAPI* NP_INITIALIZE)(NPNetscapeFuncs* pFuncs);
    typedef NPError(WINAPI* NP_SHUTDOWN)();

    // Loads the plug-in library and finds its exports by name; false when it cannot be loaded.
    bool Load(const char* szLibrary);
    // Takes the exports of plug-in code linked into this program instead.
    void Attach(NP_GETENTRYPOINTS pfnGetEntryPoints, NP_INITIALIZE pfnInitialize, NP_SHUTDOWN pfnShutdown);
    // The exports, with the table sizes and version the host claims.
    NPError GetEntryPoints(uint16_t wSize = sizeof(NPPluginFuncs));
    NPError Initialize(uint16_t wSize = sizeof(NPNetscapeFuncs), uint16_t wVersion = NP_VERSION_MINOR);
    NPError Shutdown();
    void Unload();

    // The host's top-level window with the page address; idLocationBar as a Navigator window of another
    // layout would have it (0 for none).
    bool CreateFrame(const char* szPageURL, int idLocationBar = NPHOST_LOCATION_BAR_ID);
    HWND GetFrame() const { return m_hFrame; }

    NPPluginFuncs& PluginFuncs() { return m_pluginFuncs; }
    NPNetscapeFuncs& BrowserFuncs() { return m_browserFuncs; }
    HMODULE GetLibrary() const { return m_hLibrary; }

    // Every call of the plug-in through the browser table, one line each: "geturl url target".
    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    void Record(const std::string& call) { m_calls.push_back(call); }
    // What geturl answers.
    NPError m_errGetURL = NPERR_NO_ERROR;

private:
    HMODULE m_hLibrary = nullptr;
    NP_GETENTRYPOINTS m_pfnGetEntryPoints = nullptr;
    NP_INITIALIZE m_pfnInitialize = nullptr;
    NP_SHUTDOWN m_pfnShutdown = nullptr;
    NPPluginFuncs m_pluginFuncs = {};
    NPNetscapeFuncs m_browserFuncs = {};
    HWND m_hFrame = nullptr;
    std::vector<std::string> m_calls;
};
