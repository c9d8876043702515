// The movie instance windows: CMOVWndL picks the stream class for each URL, CMOVWnd is the player window
// that every instance is made as.
//
// A full page paints its background with the library's painter and shows the progress window as the clip
// arrives, while the show-progress setting is on; the user switches it from the context menu.
//
// The player window stays hidden from its creation until its movie is open, and a hidden movie's never
// shows. The movie opens one second after its stream reports the file ready (timer OPEN_TIMER_ID), on the
// browser's thread; it is closed when the window detaches, its stream goes or the window is destroyed.
#pragma once

#include <memory>
#include <string>

#include "plugin/mcistream_win.h"
#include "plugin/mov_win.h"
#include "plugin/npwnd_win.h"
#include "plugin/progressdlg_win.h"

class CMOVWndL : public CNPWndL {
public:
    using CNPWndL::CNPWndL;

    CNetStream* CreateStream(const char* szMimeType,
                             const char* szURL,
                             bool fSeekable,
                             uint16_t* pwStreamType) override;
};

// The save dialog of the fast-start command for a remote clip: the platform's, proposing the clip's name in
// the current folder.
class CVroonAs {
public:
    CVroonAs(HWND hOwner, const std::string& sName) : m_hOwner(hOwner), m_sFileName(sName) {}
    // True with the chosen name in GetFileName.
    bool DoModal();
    const std::string& GetFileName() const { return m_sFileName; }

private:
    HWND m_hOwner;
    std::string m_sFileName;
};

// The pages the menu opens.
extern const char MOVWND_HOME_URL[];
extern const char MOVWND_FAQ_URL[];
extern const char MOVWND_MAKER_URL[];

const UINT_PTR MOVWND_OPEN_TIMER_ID = 929;
const UINT MOVWND_OPEN_DELAY = 1000;  // milliseconds from the file's arrival to its opening

class CMOVWnd : public CMOVWndL {
public:
    using CMOVWndL::CMOVWndL;

    bool ReadProperties(const CNPProps& props) override;
    // A hidden movie plays in an invisible window of its own.
    bool WantsOwnWindow() override;
    RECT GetOwnWindowRect() override;
    bool OnWndDetach() override;
    bool OnFileReady(const char* szFileName, const char* szURL, int nFlag) override;
    void OnStreamGone() override;
    void Play() override;
    void Stop() override;
    void Rewind() override;
    // A progress report of the stream: wParam 1 brings the total, 0 the received count.
    void OnProgress(WPARAM wParam1, WPARAM wParam2, LPARAM lParam) override;

    CMOV& GetVideo() { return m_Video; }
    // The progress window; null while there is none.
    CProgressDlg* GetProgress() { return m_Progress.get(); }

    // The context menu as it is shown: the movie's pop-up of the menu resource, with the "About " item of
    // the clip when there is a stream. Owned by the caller (DestroyMenu).
    HMENU LoadContextMenu();
    // The menu's item states, as the menu is about to show.
    void UpdateMenu(HMENU hMenu);

protected:
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;
    bool OnCommand(int idItem, int nCode, HWND hControl) override;
    void OnTimer(UINT_PTR idTimer) override;
    void OnDestroy() override;

private:
    HWND GetSafeHwnd() const { return m_hWnd; }
    CMCIStream* GetMediaStream() const;
    void OpenOnTimer();
    bool OpenMovie();
    void OnLeftClick(int x, int y);
    void OnContextMenu();
    void CloseMovie();
    void MakeFastStart();
    void CreateProgress();
    std::string GetClipName() const;

    CMOV m_Video;
    std::string m_sOpenFile;
    std::string m_sURL;
    std::unique_ptr<CProgressDlg> m_Progress;
};
