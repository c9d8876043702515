// The Netscape Navigator installations' plug-in folders.
#include "setupext/tavlet/netscape.h"

#include "toolkit/strings.h"

namespace {

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
    for (const std::string& known : folders) {
        if (STRINGS_CompareNoCase(known.c_str(), folder.c_str()) == 0)
            return;
    }
    folders.push_back(folder);
}

}  // namespace

void NETSCAPE_Add(NETSCAPE_FOLDERS* pFolders, const std::string& folder, bool fGold) {
    AddOnce(pFolders->all, folder);
    if (fGold)
        AddOnce(pFolders->gold, folder);
}

std::string NETSCAPE_UninstallPath(const std::string& uninstall) {
    size_t nStart = uninstall.find("-f");
    if (nStart == std::string::npos)
        return std::string();
    nStart += 2;
    if (nStart < uninstall.size() && uninstall[nStart] == '"')
        ++nStart;
    const size_t nEnd = uninstall.find('"', nStart);
    std::string folder = uninstall.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
    const size_t MAXFOLDER = 260;
    return folder.size() > MAXFOLDER ? folder.substr(0, MAXFOLDER) : folder;
}

std::string NETSCAPE_ProgramOf(const std::string& command) {
    if (!command.empty() && command[0] == '"')
        return command.substr(1, command.find('"', 1) - 1);
    std::string lower = command;
    for (char& ch : lower)
        ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    const size_t nExe = lower.find(".exe");
    return nExe == std::string::npos ? command : command.substr(0, nExe + 4);
}
