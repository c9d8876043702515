// The instance windows: one object per plug-in instance, of the last class of this tree.
//
//   CNPBaseWnd  instance, mode, browser request object, first stream, own-window flag
//   CNPWnd      stream-list events
//   CNPWndL     attaching to the browser's window, the EMBED attributes
//   CMOVWndL    the stream class per URL (movwnd_win.h)
//   CMOVWnd     the player window (movwnd_win.h)
//
// Windows. An instance either borrows the browser's window (subclassed while attached, given its own
// procedure back on detach) or makes its own pop-up, for hidden and background instances, and destroys that
// one itself. The object is made by NPP_New and deleted by NPP_Destroy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "plugin/npapi.h"
#include "plugin/npbrowser_win.h"
#include "plugin/npprops.h"
#include "toolkit/window_win.h"

class CNetStream;

// The instance modes: NP_EMBED, NP_FULL (the browser's full page) and NP_BACKGROUND.
enum NPWND_MODE : int16_t { NPWND_EMBEDDED = 1, NPWND_MAXIMIZED = 2, NPWND_BACKGROUND = 3 };

extern const char NPWND_CREATE_TITLE[];  // "NPXBackground"

class CNPBaseWnd : public CWindow {
public:
    CNPBaseWnd(int16_t nMode, const char* szMimeType);
    ~CNPBaseWnd() override;

    // The live instance window that instance->pdata names; null for anything else.
    static CNPBaseWnd* FromInstance(NPP instance);
    // True when a live instance window keeps the stream as its first one.
    static bool KeepsStream(const CNetStream* pStream);

    // Called just before the object is deleted.
    virtual void OnRelease();
    virtual void SetInstance(NPP instance);
    virtual bool ReadProperties(const CNPProps& props);
    virtual bool RestoreSavedData(NPSavedData* pSaved);
    virtual bool SaveData(NPSavedData** ppSave);
    virtual bool OnWndAttach(HWND hWnd);
    virtual bool OnWndDetach();
    virtual bool OnWndCreate(HWND hParent = nullptr);
    virtual void DestroyOwnWindow();
    virtual bool WantsOwnWindow();
    virtual DWORD GetOwnWindowStyle();
    virtual RECT GetOwnWindowRect();
    virtual void Invalidate();
    // This object when it has a window, else null.
    virtual CNPBaseWnd* GetWindowObject();
    // The stream object for a new browser stream, and the stream type to ask for; null to refuse it.
    virtual CNetStream* CreateStream(const char* szMimeType, const char* szURL, bool fSeekable,
                                     uint16_t* pwStreamType);
    // Keeps the stream as the first one unless there is one already.
    virtual void SetStream(CNetStream* pStream);
    virtual void OnStreamData(CNetStream* pStream, int32_t lOffset, int32_t lCount, void* pBuffer);
    virtual void OnStreamFile(CNetStream* pStream, const char* szFileName, const char* szURL);
    virtual void OnStreamRemoved(CNetStream* pStream);
    virtual LRESULT QueryState();
    virtual LRESULT Query();
    virtual HWND GetWindowHandle();

    int16_t GetMode() const { return m_nMode; }
    bool IsPlugInBackground() const { return m_nMode == NPWND_BACKGROUND; }
    bool IsFullPage() const { return m_nMode == NPWND_MAXIMIZED; }
    bool IsOwnWindow() const { return m_fOwnWindow; }
    const std::string& GetMimeType() const { return m_sMimeType; }
    NPP GetInstance() const { return m_instance; }
    CNetStream* GetStream() const { return m_pStream; }
    CNPBrowser& GetBrowser() { return m_Browser; }

protected:
    int16_t m_nMode;
    std::string m_sMimeType;
    CNPBrowser m_Browser;
    NPP m_instance = nullptr;
    CNetStream* m_pStream = nullptr;
    bool m_fOwnWindow = false;

private:
    void ReleaseStream();
};

class CNPWnd : public CNPBaseWnd {
public:
    using CNPBaseWnd::CNPBaseWnd;

    void OnRelease() override;
    void OnStreamFile(CNetStream* pStream, const char* szFileName, const char* szURL) override;
    void OnStreamRemoved(CNetStream* pStream) override;

    // A plain stream of the base class, for windows that take every stream as it comes.
    virtual CNetStream* MakeFileStream(const char* szMimeType, bool fSeekable);
    // The first stream's file can be opened; true when the window took it.
    virtual bool OnFileReady(const char* szFileName, const char* szURL, int nFlag);
    virtual void OnStreamGone();
    virtual void OnOpenResult(int16_t nResult);
};

class CNPWndL : public CNPWnd {
public:
    using CNPWnd::CNPWnd;

    bool ReadProperties(const CNPProps& props) override;
    bool OnWndAttach(HWND hWnd) override;
    bool OnWndDetach() override;
    void OnOpenResult(int16_t nResult) override;
    // The poll timer of the first stream.
    void OnTimer(UINT_PTR idTimer) override;

    virtual void Play();
    virtual void Stop();
    virtual void Rewind();
    virtual void OnProgress(WPARAM wParam1, WPARAM wParam2, LPARAM lParam);
    virtual int16_t GetMovieOpen();

    // The EMBED attributes as the instance received them.
    const CNPProps::CMap& GetProperties() const { return m_Properties; }

protected:
    CNPProps::CMap m_Properties;
    int16_t m_nMovieOpen = 0;
};
