#include "setup/cmdline.h"

#include <cctype>
#include <cstring>
#include <string>

#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("CMDLINE");

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool StartsNoCase(const std::string& text, size_t nAt, const char* szWord) {
    const size_t cch = strlen(szWord);
    if (text.size() - nAt < cch)
        return false;
    for (size_t i = 0; i < cch; ++i)
        if (tolower(static_cast<unsigned char>(text[nAt + i])) != tolower(static_cast<unsigned char>(szWord[i])))
            return false;
    return true;
}

// Takes every "SWITCH=FILE" word out of the line into szFile (the last one wins); false when one has no file
// or one that does not fit.
bool TakeSwitch(std::string* pLine, const char* szSwitch, char* szFile) {
    bool fOk = true;
    size_t nAt = 0;
    while (nAt < pLine->size()) {
        const bool fWordStart = nAt == 0 || IsBlank((*pLine)[nAt - 1]);
        if (!fWordStart || !StartsNoCase(*pLine, nAt, szSwitch)) {
            ++nAt;
            continue;
        }
        size_t nEnd = nAt + strlen(szSwitch);
        std::string file;
        if (nEnd < pLine->size() && (*pLine)[nEnd] == '"') {
            const size_t nClose = pLine->find('"', nEnd + 1);
            const size_t nStop = nClose == std::string::npos ? pLine->size() : nClose;
            file = pLine->substr(nEnd + 1, nStop - nEnd - 1);
            nEnd = nClose == std::string::npos ? nStop : nClose + 1;
        } else {
            while (nEnd < pLine->size() && !IsBlank((*pLine)[nEnd]))
                file += (*pLine)[nEnd++];
        }
        if (file.empty() || file.size() > MAX_PATHNAME)
            fOk = false;
        else
            PATHNAME_Assign(szFile, file.c_str());
        pLine->erase(nAt, nEnd - nAt);
    }
    return fOk;
}

}  // namespace

int CMDLINE_Parse(SETUPCMDLINE* pSelf, const char* szCmdLine) {
    MFX_PRE(pSelf);
    MFX_PRE(szCmdLine);
    *pSelf = SETUPCMDLINE{};
    std::string line = szCmdLine;
    bool fOk = TakeSwitch(&line, "/ANSWERS=", pSelf->szAnswers);
    fOk = TakeSwitch(&line, "/RECORD=", pSelf->szRecord) && fOk;
    if (line.size() != strlen(szCmdLine)) {
        // Only the switches' own blanks go, so a line without them keeps its last character.
        while (!line.empty() && IsBlank(line.back()))
            line.pop_back();
    }

    pSelf->fKelpy = line.find("KELPY") != std::string::npos;
    pSelf->fDebug = line.find("DEBUG") != std::string::npos;
    // The second argument's first character is the setup drive letter.
    size_t nAt = 0;
    for (int nArgument = 0; nAt < line.size(); ++nArgument) {
        while (nAt < line.size() && IsBlank(line[nAt]))
            ++nAt;
        if (nAt == line.size())
            break;
        if (nArgument == 1) {
            pSelf->cDrive = line[nAt];
            break;
        }
        while (nAt < line.size() && !IsBlank(line[nAt]))
            ++nAt;
    }
    const char chLast = line.empty() ? '\0' : line.back();
    pSelf->nCursorFrame = chLast >= '1' && chLast <= '6' ? chLast - '0' : 1;
    return fOk ? 1 : 0;
}
