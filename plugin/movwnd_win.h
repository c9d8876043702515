// The movie instance windows: CMOVWndL picks the stream class for each URL, CMOVWnd is the player window
// that every instance is made as.
#pragma once

#include "plugin/movprops.h"
#include "plugin/npwnd_win.h"

class CMOVWndL : public CNPWndL {
public:
    using CNPWndL::CNPWndL;

    CNetStream* CreateStream(const char* szMimeType, const char* szURL, bool fSeekable,
                             uint16_t* pwStreamType) override;
};

class CMOVWnd : public CMOVWndL {
public:
    using CMOVWndL::CMOVWndL;

    bool ReadProperties(const CNPProps& props) override;
    // A hidden movie plays in an invisible window of its own.
    bool WantsOwnWindow() override;
    RECT GetOwnWindowRect() override;

    const MOVPROPS& GetMovProps() const { return m_MovProps; }

private:
    MOVPROPS m_MovProps;
};
