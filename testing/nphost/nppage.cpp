#include "testing/nphost/nppage.h"

#include <cstdlib>
#include <sstream>
#include <strings.h>

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r';
}

// The next word of the line from i: blanks skipped; a quoted part keeps its blanks, without its quotes.
bool NextWord(const std::string& line, size_t& i, std::string& word, bool& fQuotedValue) {
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    word.clear();
    fQuotedValue = false;
    if (i >= line.size())
        return false;
    while (i < line.size() && !IsBlank(line[i])) {
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                return false;
            word += line.substr(i + 1, end - i - 1);
            fQuotedValue = true;
            i = end + 1;
        } else {
            word += line[i++];
        }
    }
    return true;
}

bool ParseInstance(const std::string& line, size_t i, NPPAGE_INSTANCE& instance, std::string& why) {
    std::string word;
    bool fQuoted = false;
    while (NextWord(line, i, word, fQuoted)) {
        if (word == "<" && !fQuoted) {
            if (!NextWord(line, i, instance.serveFile, fQuoted)) {
                why = "no file after \"<\"";
                return false;
            }
            if (NextWord(line, i, word, fQuoted)) {
                char* pEnd = nullptr;
                const unsigned long ulRate = strtoul(word.c_str(), &pEnd, 10);
                if (word.empty() || *pEnd || ulRate == 0 || ulRate > 0xFFFFFFFFul) {
                    why = "the rate \"" + word + "\" is not a number of bytes per second";
                    return false;
                }
                instance.dwRate = static_cast<uint32_t>(ulRate);
            }
            if (NextWord(line, i, word, fQuoted)) {
                why = "\"" + word + "\" after the served file";
                return false;
            }
            return true;
        }
        NPPAGE_ATTRIBUTE attribute;
        const size_t at = word.find('=');
        if (at == 0) {
            why = "an attribute without a name";
            return false;
        }
        attribute.name = word.substr(0, at);
        if (at != std::string::npos) {
            attribute.value = word.substr(at + 1);
            attribute.fHasValue = true;
        }
        instance.attributes.push_back(attribute);
    }
    if (i < line.size()) {
        why = "an unclosed quote";
        return false;
    }
    return true;
}

}  // namespace

bool NPPAGE_Parse(NPPAGE* pPage, const std::string& text, std::string& error) {
    *pPage = NPPAGE();
    error.clear();
    std::istringstream lines(text);
    std::string line;
    for (int nLine = 1; std::getline(lines, line); ++nLine) {
        size_t i = 0;
        std::string keyword;
        bool fQuoted = false;
        if (!NextWord(line, i, keyword, fQuoted) || keyword[0] == '#')
            continue;
        std::string why;
        if (strcasecmp(keyword.c_str(), "PAGE") == 0) {
            if (!NextWord(line, i, pPage->url, fQuoted) || pPage->url.empty())
                why = "PAGE without an address";
        } else {
            NPPAGE_INSTANCE instance;
            if (strcasecmp(keyword.c_str(), "EMBED") == 0)
                instance.wMode = 1;
            else if (strcasecmp(keyword.c_str(), "FULL") == 0)
                instance.wMode = 2;
            else if (strcasecmp(keyword.c_str(), "BACKGROUND") == 0)
                instance.wMode = 3;
            else
                why = "unknown line \"" + keyword + "\"";
            if (why.empty() && ParseInstance(line, i, instance, why))
                pPage->instances.push_back(instance);
        }
        if (!why.empty()) {
            error = "line " + std::to_string(nLine) + ": " + why;
            return false;
        }
    }
    if (pPage->url.empty()) {
        error = "no PAGE line";
        return false;
    }
    return true;
}

std::string NPPAGE_GetAttribute(const NPPAGE_INSTANCE& instance, const char* szName, const char* szDefault) {
    for (const NPPAGE_ATTRIBUTE& attribute : instance.attributes) {
        if (strcasecmp(attribute.name.c_str(), szName) == 0)
            return attribute.fHasValue ? attribute.value : "TRUE";
    }
    return szDefault;
}

std::string NPPAGE_ClipURL(const NPPAGE& page, const NPPAGE_INSTANCE& instance) {
    const std::string src = NPPAGE_GetAttribute(instance, "SRC", "");
    if (src.find("//") != std::string::npos)
        return src;
    const size_t slash = page.url.rfind('/');
    return (slash == std::string::npos ? std::string() : page.url.substr(0, slash + 1)) + src;
}
