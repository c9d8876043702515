// A fresh folder under the system's temporary folder (inside the test's Wine prefix on Windows), removed with
// all its contents when the object goes. Its name holds the process id and a count, so test programs running
// side by side, even the same program from two checkouts, never share one.
#pragma once

#include <string>

class CTempFolder {
public:
    // Creates <temp>\<tag>.<process id>.<n> (with slashes natively).
    explicit CTempFolder(const char* szTag);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The folder with its trailing separator, and a name inside it.
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// A scratch folder for the whole test program, made on first use and removed when the program ends.
const CTempFolder& TEMPFOLDER_Program();
