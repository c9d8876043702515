#include "setup/answers.h"

#include <fstream>
#include <sstream>

#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/strings.h"

MFX_SOURCE_MODULE("ANSWERS");

const char ANSWERS_SECTION[] = "Answers";

namespace {

const char WHITE[] = " \t";

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(WHITE);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(WHITE) - first + 1);
}

bool HasLineEnd(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// An identifier must read back as the same key: no "=", no line end, no white space at its ends, and nothing
// that would make its line a section or a comment.
bool IsWritableId(const std::string& id) {
    return !id.empty() && id.find('=') == std::string::npos && !HasLineEnd(id) && Trim(id) == id && id[0] != '[' &&
           id[0] != ';';
}

// A value keeps the blanks at its ends, and a quote of its own at its start, only inside double quotes.
std::string QuotedValue(const std::string& value) {
    const bool fQuote = !value.empty() && (Trim(value) != value || value[0] == '"');
    return fQuote ? '"' + value + '"' : value;
}

std::string UnquotedValue(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

const char* SourceText(ANSWERS_SOURCE source) {
    switch (source) {
        case ANSWERS_FROMFILE:
            return "from the file";
        case ANSWERS_DEFAULT:
            return "default";
        case ANSWERS_PERSON:
            return "a person";
    }
    return "";
}

// The answer log is appended line by line, so a run that ends early still shows what it was answered.
void Give(CAnswers* pAnswers, const ANSWERS_GIVEN& given) {
    MFX_VERIFY(IsWritableId(given.id) && !HasLineEnd(given.answer));
    pAnswers->m_Given.push_back(given);
    DIAG_TraceString("ANSWERS ", given.id.c_str(), given.answer.c_str());
    if (pAnswers->m_LogFile.empty())
        return;
    std::ofstream log(pAnswers->m_LogFile, std::ios::binary | std::ios::app);
    log << ANSWERS_LogLine(given) << "\r\n";
    MFX_VERIFY(log.good());
}

}  // namespace

int ANSWERS_Load(CAnswers* pAnswers, const char* szFile) {
    MFX_PRE(pAnswers && szFile);
    DIAG_TraceString("ANSWERS_Load ", "szFile", szFile);
    std::ifstream file(szFile, std::ios::binary);
    if (!file)
        return 0;
    std::string text;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(file.gcount()));
        if (text.size() > ANSWERS_MAXFILE)
            return 0;
    }
    return ANSWERS_Parse(pAnswers, text);
}

int ANSWERS_Parse(CAnswers* pAnswers, const std::string& text) {
    MFX_PRE(pAnswers);
    CTextMap answers;
    bool fSection = false;
    bool fInSection = false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t end = line.find(']');
            const std::string name = Trim(line.substr(1, end == std::string::npos ? std::string::npos : end - 1));
            fInSection = STRINGS_CompareNoCase(name.c_str(), ANSWERS_SECTION) == 0;
            fSection = fSection || fInSection;
            continue;
        }
        const size_t equals = line.find('=');
        if (!fInSection || equals == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, equals));
        if (!key.empty())
            answers.emplace(key, UnquotedValue(Trim(line.substr(equals + 1))));
    }
    if (!fSection)
        return 0;
    pAnswers->m_Answers = answers;
    pAnswers->m_fUnattended = true;
    return 1;
}

int ANSWERS_SetLogFile(CAnswers* pAnswers, const char* szFile) {
    MFX_PRE(pAnswers && szFile && szFile[0]);
    std::ofstream log(szFile, std::ios::binary | std::ios::trunc);
    if (!MFX_VERIFY(log.good()))
        return 0;
    pAnswers->m_LogFile = szFile;
    return 1;
}

std::string ANSWERS_Text(CAnswers* pAnswers, const char* szId, const char* szDefault) {
    MFX_PRE(pAnswers && szId && szDefault);
    const auto found = pAnswers->m_Answers.find(szId);
    const bool fFromFile = found != pAnswers->m_Answers.end();
    const ANSWERS_GIVEN given = {szId, fFromFile ? found->second : szDefault,
                                 fFromFile ? ANSWERS_FROMFILE : ANSWERS_DEFAULT, std::string()};
    Give(pAnswers, given);
    return given.answer;
}

int ANSWERS_Choose(CAnswers* pAnswers, const char* szId, std::initializer_list<const char*> choices, int nDefault) {
    MFX_PRE(pAnswers && szId && nDefault >= 0 && static_cast<size_t>(nDefault) < choices.size());
    const std::vector<const char*> list(choices);
    ANSWERS_GIVEN given = {szId, list[static_cast<size_t>(nDefault)], ANSWERS_DEFAULT, std::string()};
    int nChoice = nDefault;
    const auto found = pAnswers->m_Answers.find(szId);
    if (found != pAnswers->m_Answers.end()) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (STRINGS_CompareNoCase(found->second.c_str(), list[i]) == 0) {
                nChoice = static_cast<int>(i);
                given = {szId, list[i], ANSWERS_FROMFILE, std::string()};
            }
        }
        if (given.source == ANSWERS_DEFAULT) {
            std::string names;
            for (const char* szChoice : list)
                names += (names.empty() ? "" : ", ") + std::string(szChoice);
            given.refused = "\"" + found->second + "\" is none of " + names;
        }
    }
    Give(pAnswers, given);
    return nChoice;
}

int ANSWERS_Record(CAnswers* pAnswers, const char* szId, const char* szAnswer) {
    MFX_PRE(pAnswers && szId && szAnswer);
    MFX_PRE(IsWritableId(szId) && !HasLineEnd(szAnswer));
    Give(pAnswers, {szId, szAnswer, ANSWERS_PERSON, std::string()});
    return 1;
}

std::string ANSWERS_Format(const CAnswers* pAnswers) {
    MFX_PRE(pAnswers);
    std::vector<std::string> order;
    CTextMap last;
    for (const ANSWERS_GIVEN& given : pAnswers->m_Given) {
        if (!IsWritableId(given.id) || HasLineEnd(given.answer))
            continue;
        if (last.find(given.id) == last.end())
            order.push_back(given.id);
        last[given.id] = given.answer;
    }
    std::string text = std::string("[") + ANSWERS_SECTION + "]\r\n";
    for (const std::string& id : order)
        text += id + "=" + QuotedValue(last[id]) + "\r\n";
    return text;
}

int ANSWERS_Write(const CAnswers* pAnswers, const char* szFile) {
    MFX_PRE(pAnswers && szFile && szFile[0]);
    DIAG_TraceString("ANSWERS_Write ", "szFile", szFile);
    std::ofstream file(szFile, std::ios::binary | std::ios::trunc);
    file << ANSWERS_Format(pAnswers);
    file.close();
    return MFX_VERIFY(!file.fail());
}

std::string ANSWERS_LogLine(const ANSWERS_GIVEN& given) {
    std::string line = given.id + "=" + given.answer + " (" + SourceText(given.source);
    if (!given.refused.empty())
        line += "; the file's answer " + given.refused;
    return line + ")";
}

bool ANSWERS_MatchSwitch(const char* szArgument, const char* szName, std::string* pValue) {
    MFX_PRE(szArgument && szName && pValue);
    if (szArgument[0] != '/' && szArgument[0] != '-')
        return false;
    const std::string argument = szArgument + 1;
    const size_t equals = argument.find('=');
    if (equals == std::string::npos || STRINGS_CompareNoCase(argument.substr(0, equals).c_str(), szName) != 0)
        return false;
    *pValue = UnquotedValue(argument.substr(equals + 1));
    return true;
}
