// The About Media dialog: a clip's stream information and, for an embedded clip, its EMBED attributes.
#pragma once

#include <windows.h>

#include "plugin/npprops.h"
#include "toolkit/window_win.h"

class CMCIStream;

class CAboutMediaDlg : public CDialog {
public:
    // The stream may be null (no lines of its own); the attributes are listed unless fFullPage.
    CAboutMediaDlg(CMCIStream* pStream, HWND hParent, const CNPProps::CMap& properties, bool fFullPage);

protected:
    bool OnInitDialog() override;

private:
    CMCIStream* m_pStream;
    HWND m_hParent;
    const CNPProps::CMap& m_Properties;
    bool m_fFullPage;
};
