#include "setup/progman.h"

#include <cstring>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("PROGMAN");

const char PROGMAN_SERVICE[] = "PROGMAN";
const char PROGMAN_GROUPS_ITEM[] = "Groups";

namespace {

bool IsShorterThanLimit(const char* szText, size_t cchOther = 0) {
    return strlen(szText) + cchOther < static_cast<size_t>(PROGMAN_MAXNAME);
}

bool EqualIgnoringCase(const char* pFirst, size_t cchFirst, const char* szSecond) {
    if (cchFirst != strlen(szSecond))
        return false;
    for (size_t i = 0; i < cchFirst; ++i) {
        const unsigned char a = static_cast<unsigned char>(pFirst[i]), b = static_cast<unsigned char>(szSecond[i]);
        if ((a >= 'a' && a <= 'z' ? a - 32 : a) != (b >= 'a' && b <= 'z' ? b - 32 : b))
            return false;
    }
    return true;
}

}  // namespace

// The limits keep every command, with its fixed text around the names, within what the Program Manager of
// every Windows version accepts in one execute string.
bool PROGMAN_FormatCommand(PROGMAN_COMMAND command, const char* szFirst, const char* szSecond, std::string* pCommand) {
    MFX_PRE(pCommand);
    pCommand->clear();
    MFX_PRE(szFirst);
    const bool fItem = command == PROGMAN_ADDITEM;
    if (fItem) {
        MFX_PRE(szSecond);
        if (!szFirst[0] || !IsShorterThanLimit(szFirst, strlen(szSecond)))
            return false;
    } else if (!IsShorterThanLimit(szFirst)) {
        return false;
    }
    // Each command's name and what follows its names: the numbers the Program Manager wants after them.
    static const struct {
        const char* szName;
        const char* szTail;
    } COMMANDS[] = {
        {"CreateGroup", ",0)]"}, {"ShowGroup", ",5,0)]"}, {"AddItem", ")]"},
        {"DeleteItem", ")]"},    {"DeleteGroup", ",0)]"},
    };
    MFX_PRE(command >= PROGMAN_CREATEGROUP && command <= PROGMAN_DELETEGROUP);
    std::string text = std::string("[") + COMMANDS[command].szName + "(" + szFirst;
    if (fItem)
        text += std::string(",") + szSecond;
    text += COMMANDS[command].szTail;
    *pCommand = text;
    return true;
}

std::string PROGMAN_ItemCommandLine(const char* szDirectory, const char* szName, const char* szArguments) {
    std::string path = szDirectory ? szDirectory : "";
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += szName ? szName : "";
    std::string line = path.find(' ') == std::string::npos ? path : '"' + path + '"';
    if (szArguments && szArguments[0])
        line += std::string(" ") + szArguments;
    return line;
}

bool PROGMAN_GroupsListHolds(const char* szGroups, const char* szGroup) {
    if (!szGroups || !szGroup || !szGroup[0])
        return false;
    for (const char* p = szGroups; *p;) {
        const size_t cch = strcspn(p, "\r\n");
        if (EqualIgnoringCase(p, cch, szGroup))
            return true;
        p += cch;
        p += strspn(p, "\r\n");
    }
    return false;
}
