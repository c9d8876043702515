#include "plugin/movwnd_win.h"

#include "plugin/netstream_win.h"

// Every clip arrives as a stream of the base class until the media streams take local and remote clips
// apart.
CNetStream* CMOVWndL::CreateStream(const char* szMimeType, const char* szURL, bool fSeekable,
                                   uint16_t* pwStreamType) {
    CNetStream* pStream = new CNetStream(this, szMimeType, fSeekable);
    if (pwStreamType)
        *pwStreamType = pStream->GetWantedStreamType();
    return pStream;
}

bool CMOVWnd::ReadProperties(const CNPProps& props) {
    CMOVWndL::ReadProperties(props);
    return MOVPROPS_Read(&m_MovProps, props, IsFullPage());
}

bool CMOVWnd::WantsOwnWindow() {
    return m_MovProps.fHidden != 0;
}

RECT CMOVWnd::GetOwnWindowRect() {
    return RECT{0, 0, 1, 1};
}
