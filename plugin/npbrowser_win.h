// The browser request object of an instance: finds the address of the page that holds the instance and asks
// the browser to open pages.
#pragma once

#include <windows.h>

#include <string>

#include "plugin/npapi.h"

// The controls of the browser's top-level window whose child 25000 shows the page address, tried in order.
const int NPBROWSER_LOCATION_IDS[] = {112, 146, 147};
const int NPBROWSER_LOCATION_EDIT_ID = 25000;
const int NPBROWSER_MAXURL = 2048;

class CNPBrowser {
public:
    void SetInstance(NPP instance) { m_instance = instance; }
    // The browser's window that the instance is attached to.
    bool SetWindow(HWND hWnd);
    HWND GetWindow() const { return m_hWnd; }

    // The address of the page, read from the browser's own window.
    bool QueryBaseURL(std::string& sBaseURL);
    // Resolves a relative reference against the page's address.
    bool MakeAbsolute(std::string& sURL);
    // Asks the browser to open url in the frame or window target; true when it answered NPERR_NO_ERROR.
    bool GetURL(const char* szURL, const char* szTarget);
    // A click on a movie that links to url: with the image-map flag the click position goes with it, and an
    // empty target opens the page in the instance's own frame.
    bool LinkClick(const char* szURL, const char* szTarget, int x, int y, bool fUseMap);

private:
    NPP m_instance = nullptr;
    HWND m_hWnd = nullptr;
};
