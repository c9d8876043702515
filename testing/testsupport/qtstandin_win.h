// Puts the QuickTime for Windows stand-in (testing/qtstandin) in reach of the code under test for the life of
// the object: one of its variant folders joins the library search path, and its call record starts empty.
#pragma once

#include <string>
#include <vector>

#include "testing/testsupport/tempfolder.h"

class CQtStandin {
public:
    // variant: "full", "noentry", "refuse", "nocmgr", "old", or a folder name that holds no library ("missing").
    explicit CQtStandin(const char* szVariant);
    ~CQtStandin();
    CQtStandin(const CQtStandin&) = delete;
    CQtStandin& operator=(const CQtStandin&) = delete;

    // The calls recorded since construction or the last Clear, one line each without the line feed.
    std::vector<std::string> Calls() const;
    void Clear() const;
    // Lists the calls to fail from now on (see the stand-in), or none with an empty text.
    static void Fail(const char* szCalls);

private:
    // The call record lives in a folder of this object's own, so test programs running side by side, each
    // with its stand-in, never write one record.
    CTempFolder m_folder{"qtstandin"};
    std::string m_log;
};
