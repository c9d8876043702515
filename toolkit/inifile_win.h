// Profile (INI) files: an object bound to one file that reads and writes strings, numbers, maps and counted
// lists, and plain functions for single numbers.
//
// Every truth result is nonzero for success; failures are reported on the diagnostics channel, quoting the
// failed call, and never shown to the user. A file named without a folder lies in the system's Windows
// folder, where the platform's profile calls put it.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/inifile.h"
#include "toolkit/textlist.h"

const size_t INIFILE_TEXTSIZE = 4096;       // a value is read with this buffer, so at most 4095 characters
const size_t INIFILE_KEYNAMESSIZE = 32767;  // the first buffer for a section's key names

// The default profile file of a module: its own file name with the extension ".INI".
bool INIFILE_GetDefaultFileName(HINSTANCE hModule, std::string& name);

class CIniFile {
public:
    // Bound to the default profile file of the module this code is linked into, or of hModule.
    CIniFile();
    explicit CIniFile(HINSTANCE hModule);

    // False (and the name kept) for a missing or empty name.
    bool SetFileName(const char* szName);
    const char* GetFileName() const { return m_FileName.c_str(); }

    bool RemoveSection(const char* szSection);
    bool Write(const char* szSection, const char* szKey, const char* szText);
    bool Write(const char* szSection, const char* szKey, const std::string& text);
    // The number in signed decimal.
    bool Write(const char* szSection, const char* szKey, int nValue);
    // Replaces the text only by a value that is not empty; the number of characters read (0 for a missing
    // or empty value).
    int Read(const char* szSection, const char* szKey, std::string& text);
    // Changes the number only when the value is a decimal number; the parse result.
    int Read(const char* szSection, const char* szKey, int& nValue);

    // The title is not used. Writing removes the whole section first, so no stale key survives.
    bool WriteMap(const char* szTitle, const char* Key, const CTextMap& theMap);
    bool ReadMap(const char* szTitle, const char* Key, CTextMap& theMap);
    // Writing stops at the first failed write and gives false. Reading skips elements whose keys are
    // missing or empty, so the list read back may be shorter than "Count".
    bool WriteList(const char* szTitle, const char* Key, const CTextList& theArray);
    bool ReadList(const char* szTitle, const char* Key, CTextList& theArray);

    std::string m_FileName;

private:
    // Every key name of the section, in file order.
    bool ReadKeyNames(const char* szSection, std::vector<std::string>& names);
};

bool INIFILE_WriteInt(const char* szFile, const char* szSection, const char* szKey, int nValue);
// Reads with the number's current value as the default; true, and the number stored, only when the value read
// is a decimal number other than the current one.
bool INIFILE_ReadInt(const char* szFile, const char* szSection, const char* szKey, int* pnValue);
