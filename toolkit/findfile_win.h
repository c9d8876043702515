// A search of the file system by FindFirstFile, closed with its owner.
#pragma once

#include <windows.h>

class CFindFile {
public:
    // Starts the search; Found() holds the first entry when IsOpen().
    explicit CFindFile(const char* szPattern) : m_hFind(FindFirstFileA(szPattern, &m_found)) {}
    ~CFindFile() { Close(); }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;

    bool IsOpen() const { return m_hFind != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Found() const { return m_found; }
    // The next entry into Found(); false at the end.
    bool Next() { return IsOpen() && FindNextFileA(m_hFind, &m_found); }
    // Ends the search at once; false when the platform refused, so a caller can report it.
    bool Close() {
        const bool fClosed = !IsOpen() || FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
        return fClosed;
    }

private:
    WIN32_FIND_DATAA m_found;
    HANDLE m_hFind;
};
