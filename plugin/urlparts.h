// A URL split into six parts: scheme (with its colon), host, port, path (folders without leading or trailing
// slash), name (the last segment) and anchor (from "#" or "?" to the end). A local file URL keeps its drive in
// the host: file:///C|/dir/clip.mov has the host /C|, the path dir and the name clip.mov.
#pragma once

#include <string>

#include "plugin/npstring.h"

class CURLParts {
public:
    // Empties every part first. "#..." is an anchor alone, a text without "//" a name alone; a FILE, HTTP or
    // FTP URL is split and must yield a path or a name; any other text fails.
    bool Construct(const char* szURL);
    bool Construct(const std::string& sURL) { return Construct(sURL.c_str()); }

    // A file URL with a drive: its host begins with "/".
    bool IsLocal() const;
    // drive:\path\name of a local URL; false for any other.
    bool GetLocalPath(std::string& sPath) const;
    // The parts joined again into a URL.
    void Compose(std::string& sURL) const;
    // Resolves a relative reference against this URL: "/x" replaces path and name, "./x" and "x" the name.
    bool ApplyRelative(const char* szReference);

    const std::string& GetScheme() const { return m_Scheme; }
    const std::string& GetHost() const { return m_Host; }
    const std::string& GetPort() const { return m_Port; }
    const std::string& GetPath() const { return m_Path; }
    const std::string& GetName() const { return m_Name; }
    const std::string& GetAnchor() const { return m_Anchor; }

private:
    void Split(const char* szURL);
    CNPString m_Scheme;
    CNPString m_Host;
    CNPString m_Port;
    CNPString m_Path;
    CNPString m_Name;
    CNPString m_Anchor;
};
