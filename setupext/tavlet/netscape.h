// The Netscape Navigator installations the hook library offers as plug-in folders, gathered from two sources of
// the registry into two lists: every installation, and the Gold ones. Portable code.
#pragma once

#include <string>
#include <vector>

struct NETSCAPE_FOLDERS {
    std::vector<std::string> all;
    std::vector<std::string> gold;
};

// Adds a plug-in folder once (folders that differ only in letter case are one), and to the Gold list too when
// fGold.
void NETSCAPE_Add(NETSCAPE_FOLDERS* pFolders, const std::string& folder, bool fGold);

// The file an uninstall command names: the path after "-f" (and an opening double quote) up to the next
// double quote or the end, at most 260 characters; empty when there is no "-f".
std::string NETSCAPE_UninstallPath(const std::string& uninstall);

// The program a class's server command starts: the quoted path, else the text up to and including its ".exe",
// else the whole command.
std::string NETSCAPE_ProgramOf(const std::string& command);
