#include "plugin/movwnd_win.h"

#include "plugin/mcistream_win.h"
#include "plugin/urlparts.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("MOVWND");

// A clip on a local disk is opened where it lies; any other is downloaded by the browser into a file.
CNetStream* CMOVWndL::CreateStream(const char* szMimeType, const char* szURL, bool fSeekable, uint16_t* pwStreamType) {
    CURLParts url;
    const bool fLocal = url.Construct(szURL ? szURL : "") && url.IsLocal();
    CMCIStream* pStream = nullptr;
    // clang-format off
    if (fLocal)
        MFX_VERIFY(pStream = new CLocalStream(szMimeType, this, fSeekable));
    else
        MFX_VERIFY(pStream = new CAsFileStream(szMimeType,this));
    // clang-format on
    if (pStream && pwStreamType)
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
