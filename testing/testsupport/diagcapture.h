// Captures everything the diagnostics write to the debugger output while the object lives.
#pragma once

#include <string>
#include <vector>

class CDiagCapture {
public:
    CDiagCapture();
    ~CDiagCapture();
    CDiagCapture(const CDiagCapture&) = delete;
    CDiagCapture& operator=(const CDiagCapture&) = delete;

    // The captured text, each write appended as it came.
    const std::string& Text() const { return m_text; }
    // The captured text split after each line feed.
    std::vector<std::string> Lines() const;
    void Clear() { m_text.clear(); }

private:
    static void Sink(const char* szText);
    std::string m_text;
};
