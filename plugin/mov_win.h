// The player of the instance windows: CVideo is the abstract player, CMOV plays a movie through QuickTime for
// Windows with its standard movie controller, steered by the EMBED attributes.
//
// Locking. Every QuickTime call on a CMOV is made under the object's critical section, and the busy count
// records how deeply calls are nested. The class starts QuickTime when its first object is made and leaves it
// at the library's shutdown (CMOV::ClassTerm).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "plugin/npprops.h"
#include "toolkit/qtbinding.h"
#include "toolkit/qtbinding_win.h"

class CVideo {
public:
    CVideo() = default;
    virtual ~CVideo() = default;
    CVideo(const CVideo&) = delete;
    CVideo& operator=(const CVideo&) = delete;

    // Opens the movie file into the window; true when the movie is open.
    virtual bool Open(const char* szFileName, HWND hWnd) = 0;
    virtual void Close() = 0;
    // Starts the movie (from its beginning when it stands at its end).
    virtual bool Play() = 0;
    virtual bool Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool ReadProperties(const CNPProps& props, bool fFullPage) = 0;
    virtual bool Rewind() = 0;
    // Every message of the instance window comes here first; true when the player consumed it.
    virtual bool FilterMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

    // After a successful open: starts the movie when the page asked for it.
    void MMIO_NotifyOpen(HWND hWnd);
    void SetDisplayName(const char* szName) { m_sDisplayName = szName ? szName : ""; }

    bool IsOpen() const { return m_fOpen; }
    int16_t GetControllerMode() const { return m_nController; }
    const std::string& GetHref() const { return m_sHref; }
    const std::string& GetTarget() const { return m_sTarget; }
    bool IsMap() const { return m_fIsMap; }
    const std::string& GetFileName() const { return m_sFileName; }
    const std::string& GetDisplayName() const { return m_sDisplayName; }
    int GetBusyCount() const { return m_nBusy; }
    bool IsMemoryFile() const { return m_fMemoryFile; }
    const QTRECT& GetMovieRect() const { return m_rcMovie; }

protected:
    bool m_fOpen = false;
    int16_t m_nController = 1;  // 0 none, 1 the controller's bar, 2 its badge
    int16_t m_Loop = 0;         // 0 once, 1 loop, 2 back and forth
    int16_t m_Volume = 100;
    bool m_fAutoStart = false;
    std::string m_sHref;
    std::string m_sTarget;
    bool m_fIsMap = false;
    std::string m_sFileName;
    std::string m_sDisplayName;
    int m_nBusy = 0;
    DWORD m_dwOwnerThread = 0;
    bool m_fMemoryFile = false;
    QTRECT m_rcMovie = {};
};

class CMOV : public CVideo {
public:
    CMOV();
    ~CMOV() override;

    // The library's end: leaves the movie toolbox when it was entered and stops the binding.
    static void ClassTerm();

    bool Open(const char* szFileName, HWND hWnd) override;
    void Close() override;
    bool Play() override;
    bool Stop() override;
    bool IsPlaying() override;
    bool ReadProperties(const CNPProps& props, bool fFullPage) override;
    bool Rewind() override;
    bool FilterMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    bool IsHidden() const { return m_fHidden; }
    MovieController GetController() const { return m_mcController; }
    Movie GetMovie() const { return m_mMovie; }
    // The movie's current time as a share of its duration, 0 to 1; 0 without a movie.
    double GetPlayedShare();
    // Full page: the controller centred across the window, its foot two caption heights above the window's.
    void PlaceController(HWND hWnd);

private:
    friend class CMOVCall;
    static bool ClassInit();
    bool OpenMovie(const char* szFileName, HWND hWnd);
    bool MakeController(HWND hWnd);
    bool SetUpController();

    bool m_fHidden = false;
    bool m_fKeepAspect = true;
    bool m_fPlayEveryFrame = false;
    bool m_fUseWindowPalette = false;
    bool m_fStepButtons = true;
    bool m_fSpeakerButton = true;
    int16_t m_nPosition = 0;  // 0 top left, 1 centred
    short m_nRefNum = 0;
    Movie m_mMovie = nullptr;
    MovieController m_mcController = nullptr;
    CRITICAL_SECTION m_lock;

    static CQTMovies s_movies;
    static int s_nInstances;
};
