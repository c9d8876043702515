#include "converter/addmovies.h"

#include <algorithm>
#include <cstring>

#include "toolkit/mfx.h"
#include "toolkit/pathname.h"

MFX_SOURCE_MODULE("ADDMOVIES");

namespace {

// The entries of the answer, never reading past its buffer even when the dialog left it unterminated.
std::vector<std::string> SplitEntries(const char* pBuffer, size_t cbBuffer, ADDMOVIES_FORM form) {
    std::vector<std::string> entries;
    if (form == ADDMOVIES_NULSEPARATED) {
        for (size_t nPos = 0; nPos < cbBuffer;) {
            const size_t cch = strnlen(pBuffer + nPos, cbBuffer - nPos);
            if (cch == 0)
                break;
            entries.emplace_back(pBuffer + nPos, cch);
            nPos += cch + 1;
        }
    } else {
        const std::string answer(pBuffer, strnlen(pBuffer, cbBuffer));
        for (size_t nPos = 0; nPos < answer.size();) {
            const size_t nEnd = std::min(answer.find(' ', nPos), answer.size());
            if (nEnd > nPos)
                entries.push_back(answer.substr(nPos, nEnd - nPos));
            nPos = nEnd + 1;
        }
    }
    return entries;
}

}  // namespace

// A name that would not fit a path name buffer cannot name a file that can be opened: it is left out (the
// join reports it) rather than cut into some other file's name.
std::vector<std::string> ADDMOVIES_SplitAnswer(const char* pBuffer, size_t cbBuffer, ADDMOVIES_FORM form) {
    std::vector<std::string> names;
    MFX_PRE(pBuffer);
    const std::vector<std::string> entries = SplitEntries(pBuffer, cbBuffer, form);
    if (entries.size() == 1 && MFX_VERIFY(entries[0].size() <= MAX_PATHNAME))
        names.push_back(entries[0]);
    for (size_t i = 1; i < entries.size(); ++i) {
        PATHNAME szName;
        if (PATHNAME_Construct(szName, entries[0].c_str(), entries[i].c_str()))
            names.push_back(szName);
    }
    return names;
}
