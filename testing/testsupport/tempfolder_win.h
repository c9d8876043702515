// A fresh folder under the system's temporary folder (inside the test's Wine prefix), removed with all its
// contents when the object goes.
#pragma once

#include <string>

class CTempFolder {
public:
    // Creates <temp>\<tag>.<process id>.<n>.
    explicit CTempFolder(const char* szTag);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The folder with its trailing backslash, and a name inside it.
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};
