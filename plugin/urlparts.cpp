#include "plugin/urlparts.h"

#include <cstring>
#include <strings.h>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("URLPARTS");

namespace {

bool BeginsWithNoCase(const char* szText, const char* szPrefix) {
    return strncasecmp(szText, szPrefix, strlen(szPrefix)) == 0;
}

bool IsFigure(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

bool CURLParts::Construct(const char* szURL) {
    m_Scheme.clear();
    m_Host.clear();
    m_Port.clear();
    m_Path.clear();
    m_Name.clear();
    m_Anchor.clear();
    MFX_PRE(szURL);
    if (szURL[0] == '#') {
        m_Anchor = szURL;
        return true;
    }
    if (!strstr(szURL, "//")) {
        m_Name = szURL;
        return true;
    }
    if (!BeginsWithNoCase(szURL, "FILE") && !BeginsWithNoCase(szURL, "HTTP") && !BeginsWithNoCase(szURL, "FTP"))
        return false;
    Split(szURL);
    bool fOk;
    MFX_VERIFY(fOk = ((m_Name.GetLength()>0) || (m_Path.GetLength()>0)));
    return fOk;
}

// One pass over the characters. The accumulator collects the part being read; "//" ends the scheme, ":" or
// "/" the host, anything but a figure the port, and "#", "?" or the last character the path, which the last
// "/" read before that character divides into path and name.
void CURLParts::Split(const char* szURL) {
    enum { SCHEME, HOST, PORT, PATH, DONE } state = SCHEME;
    const size_t cch = strlen(szURL);
    std::string acc;
    size_t iSlash = std::string::npos;
    for (size_t i = 0; i < cch && state != DONE;) {
        const char ch = szURL[i];
        switch (state) {
            case SCHEME:
                if (strncmp(szURL + i, "//", 2) == 0) {
                    m_Scheme = acc;
                    acc.clear();
                    state = HOST;
                    // file:///C|/... : the third slash starts the host, which marks it local.
                    if (szURL[i + 2] == '/') {
                        acc = "/";
                        i += 3;
                    } else {
                        i += 2;
                    }
                    continue;
                }
                acc += ch;
                break;
            case HOST:
                if (ch == ':' || ch == '/') {
                    m_Host = acc;
                    acc.clear();
                    state = ch == ':' ? PORT : PATH;
                } else {
                    acc += ch;
                }
                break;
            case PORT:
                if (IsFigure(ch)) {
                    acc += ch;
                } else {
                    m_Port = acc;
                    acc.clear();
                    state = PATH;
                }
                break;
            case PATH: {
                const bool fAnchor = ch == '#' || ch == '?';
                if (!fAnchor && i + 1 < cch) {
                    if (ch == '/')
                        iSlash = acc.size();
                    acc += ch;
                    break;
                }
                if (!fAnchor)
                    acc += ch;
                if (iSlash != std::string::npos && iSlash >= 1 && iSlash + 1 < acc.size()) {
                    m_Path = acc.substr(0, iSlash);
                    m_Name = acc.substr(iSlash + 1);
                } else if (!acc.empty() && acc.back() == '/') {
                    m_Path = acc;
                } else {
                    m_Name = acc;
                }
                // The anchor runs from its "#" or "?" to the end of the text.
                if (fAnchor)
                    m_Anchor = szURL + i;
                state = DONE;
                break;
            }
            case DONE:
                break;
        }
        ++i;
    }
}

bool CURLParts::IsLocal() const {
    return !m_Host.empty() && m_Host[0] == '/';
}

// The drive letter is the host's second character; a host of "/" alone names no drive and gives no path.
bool CURLParts::GetLocalPath(std::string& sPath) const {
    sPath.clear();
    if (!IsLocal() || m_Host.size() < 2)
        return false;
    sPath = m_Host.substr(1, 1) + ":/";
    if (!m_Path.empty())
        sPath += m_Path + "/";
    sPath += m_Name;
    for (char& ch : sPath) {
        if (ch == '/')
            ch = '\\';
    }
    return true;
}

// A path that ends in "/" (a URL that ended in a folder) gets no second slash.
void CURLParts::Compose(std::string& sURL) const {
    sURL.clear();
    if (!m_Scheme.empty()) {
        sURL = m_Scheme + "//" + m_Host;
        if (!m_Port.empty())
            sURL += ":" + m_Port;
        sURL += "/";
    }
    if (!m_Path.empty()) {
        sURL += m_Path;
        if (m_Path.back() != '/')
            sURL += "/";
    }
    sURL += m_Name + m_Anchor;
}

bool CURLParts::ApplyRelative(const char* szReference) {
    MFX_PRE(szReference);
    if (szReference[0] == '/') {
        m_Path.clear();
        m_Name = szReference + 1;
    } else if (strncmp(szReference, "./", 2) == 0 && strlen(szReference) > 2) {
        m_Name = szReference + 2;
    } else {
        m_Name = szReference;
    }
    m_Anchor.clear();
    return true;
}
