// The progress window of a movie: a borderless child of the player window telling how much of the clip has
// arrived and how far it has played, on a meter painted off screen. The object lives with the player window;
// the player window makes it when the window is wanted and deletes it (and so its window) when it is not.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/window_win.h"

extern const char PROGRESSDLG_RECEIVING[];  // "Flarion is receiving media file..."

class CProgressDlg : public CDialog {
public:
    explicit CProgressDlg(HWND hParent);

    // Makes the window and shows it at its place over the parent; false when it cannot be made.
    bool Create();

    // The clip's length, which also rewrites the texts; what has arrived; where the movie stands.
    void SetTotal(uint32_t dwTotal);
    void SetReceived(uint32_t dwReceived);
    void SetPlayback(uint32_t dwPlayback);
    void SetClipName(const std::string& sName);
    // The window keeps its size with its top edge two caption heights below the top of rcParent and its right
    // edge one caption height left of its right edge.
    void PlaceBeside(const RECT& rcParent);

    uint32_t GetTotal() const { return m_dwTotal; }
    uint32_t GetReceived() const { return m_dwReceived; }
    uint32_t GetPlayback() const { return m_dwPlayback; }
    // The meter as it is painted, into a device context of its size.
    void PaintMeter(HDC hdc, const RECT& rc) const;

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

private:
    void UpdateTexts();
    void RepaintMeter();
    std::string m_sClipName;
    uint32_t m_dwTotal = 0;
    uint32_t m_dwReceived = 0;
    uint32_t m_dwPlayback = 0;
};
