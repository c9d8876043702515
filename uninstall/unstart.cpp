#include "uninstall/unstart.h"

#include "setup/answers.h"
#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("UNSTART");

const char UNSTART_APPTITLE[] = "Orvanta UnInstall";
const char UNSTART_NOLOG[] = "Unable to locate UnInstall Log File";
const char UNSTART_CUSTOMITEMS[] = "UnInstall was not able to remove some custom items.";
const char UNSTART_USAGE[] =
    "Usage: UNNSTALL [/ANSWERS=FILE] [/ANSWERLOG=FILE] [LOG]\n\n"
    "Removes what one installation put on this computer, as its setup log records it.\n\n"
    "LOG\tthe setup log; without it, the log named like this program with the extension .LOG is used after "
    "a confirmation.\n"
    "/ANSWERS=FILE\tanswers every question from the section [Answers] of FILE, so no question waits:\n"
    "\tUNINSTALL_CONFIRM=OK or Cancel (default OK)\n"
    "\tUNINSTALL_SHARED_FILE=Yes or No (default No: shared files stay)\n"
    "\tUNINSTALL_SHARED_FILE:<full file name>=Yes or No, for one shared file\n"
    "/ANSWERLOG=FILE\twrites each question's answer and where it came from to FILE.\n\n"
    "Exit status: 0 removed, 1 not removed.";
const char UNSTART_LOGEXTENSION[] = ".LOG";

const char UNSTART_ID_CONFIRM[] = "UNINSTALL_CONFIRM";
const char UNSTART_ID_SHAREDFILE[] = "UNINSTALL_SHARED_FILE";
const char UNSTART_ID_CUSTOMITEMS[] = "UNINSTALL_CUSTOM_ITEMS";
const char UNSTART_ID_NOLOG[] = "UNINSTALL_NO_LOG";
const char UNSTART_ID_REMOVED[] = "UNINSTALL_REMOVED";

namespace {

bool IsWhite(char ch) {
    return ch == ' ' || ch == '\t';
}

// A switch runs to the first blank outside double quotes.
std::string NextToken(const char*& p) {
    std::string token;
    bool fQuoted = false;
    for (; *p && (fQuoted || !IsWhite(*p)); ++p) {
        if (*p == '"')
            fQuoted = !fQuoted;
        token += *p;
    }
    return token;
}

std::string Unquoted(std::string text) {
    while (!text.empty() && IsWhite(text.back()))
        text.pop_back();
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

bool UNSTART_ParseCommandLine(const char* szCommandLine, UNSTART_COMMANDLINE* pLine) {
    MFX_PRE(szCommandLine && pLine);
    *pLine = UNSTART_COMMANDLINE();
    const char* p = STRINGS_SkipWhite(szCommandLine);
    while (*p == '/') {
        const std::string token = NextToken(p);
        std::string value;
        if (token == "/?") {
            pLine->fHelp = true;
        } else if (ANSWERS_MatchSwitch(token.c_str(), "ANSWERS", &value) && !value.empty()) {
            pLine->answers = value;
        } else if (ANSWERS_MatchSwitch(token.c_str(), "ANSWERLOG", &value) && !value.empty()) {
            pLine->answerLog = value;
        } else if (pLine->bad.empty()) {
            pLine->bad = token;
        }
        p = STRINGS_SkipWhite(p);
    }
    pLine->log = Unquoted(p);
    return pLine->bad.empty();
}

int UNSTART_ChooseLog(const char* szArgument, const char* szProgram, char* szLog, bool* pfAsk) {
    MFX_PRE(szArgument && szProgram && szLog && pfAsk);
    szLog[0] = '\0';
    *pfAsk = false;
    if (!szArgument[0]) {
        *pfAsk = true;
        return PATHNAME_ConstructWithExtension(szLog, szProgram, UNSTART_LOGEXTENSION);
    }
    if (!PATHNAME_Exists(szArgument))
        return 0;
    if (PATHNAME_HasPath(szArgument))
        return PATHNAME_Assign(szLog, szArgument);
    return PATHNAME_ConstructSibling(szProgram, szLog, szArgument);
}

std::string UNSTART_ConfirmText(const std::string& product) {
    return "This program will remove " + product + " from your computer";
}

std::string UNSTART_RemovedText(const std::string& product) {
    return product + " was successfully removed from your computer";
}

std::string UNSTART_SharedFileText(const std::string& file) {
    return "UnInstall has determined that a shared file is no longer needed:\n\n" + file +
           "\n\nWould you like UnInstall to remove this file?";
}

std::string UNSTART_SharedFileId(const std::string& file) {
    return std::string(UNSTART_ID_SHAREDFILE) + ":" + file;
}
