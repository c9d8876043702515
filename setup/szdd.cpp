#include "setup/szdd.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace {

const char MAGIC[] = "SZDD\x88\xF0\x27\x33";
const size_t WINDOW = 4096;
const size_t WINDOW_START = WINDOW - 16;
const size_t MIN_MATCH = 3;
const size_t MAX_MATCH = 18;
// A match never reaches back so far that the window has overwritten its bytes. It may overlap what it writes:
// the window is copied byte by byte, so a match one byte back repeats that byte.
const size_t MAX_DISTANCE = WINDOW - MAX_MATCH;
// What an item costs in bits, its control bit included.
const size_t LITERAL_BITS = 9;
const size_t MATCH_BITS = 17;
const int MAX_CANDIDATES = 512;
const size_t HASH_SIZE = 1 << 14;

size_t Hash(const unsigned char* p) {
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & (HASH_SIZE - 1);
}

size_t MatchLength(const std::string& bytes, size_t at, size_t from, size_t cbMax) {
    size_t cb = 0;
    while (cb < cbMax && bytes[from + cb] == bytes[at + cb])
        ++cb;
    return cb;
}

class CMatcher {
public:
    explicit CMatcher(const std::string& bytes) : m_bytes(bytes), m_head(HASH_SIZE, -1), m_prev(bytes.size(), -1) {}

    // The longest earlier match for the bytes at the position, among those the window still holds.
    size_t Longest(size_t at, size_t* pFrom) const {
        if (at + MIN_MATCH > m_bytes.size())
            return 0;
        size_t cbBest = 0;
        long from = m_head[Hash(Data(at))];
        for (int n = 0; from >= 0 && at - static_cast<size_t>(from) <= MAX_DISTANCE && n < MAX_CANDIDATES;
             ++n, from = m_prev[from]) {
            const size_t cbMax = std::min(MAX_MATCH, m_bytes.size() - at);
            const size_t cb = MatchLength(m_bytes, at, static_cast<size_t>(from), cbMax);
            if (cb > cbBest) {
                cbBest = cb;
                *pFrom = static_cast<size_t>(from);
                if (cb == MAX_MATCH)
                    break;
            }
        }
        return cbBest >= MIN_MATCH ? cbBest : 0;
    }

    void Insert(size_t at) {
        if (at + MIN_MATCH > m_bytes.size())
            return;
        const size_t hash = Hash(Data(at));
        m_prev[at] = m_head[hash];
        m_head[hash] = static_cast<long>(at);
    }

private:
    const unsigned char* Data(size_t at) const { return reinterpret_cast<const unsigned char*>(m_bytes.data()) + at; }

    const std::string& m_bytes;
    std::vector<long> m_head;
    std::vector<long> m_prev;
};

}  // namespace

std::string SZDD_Compress(const std::string& bytes, char chLast) {
    std::string out(MAGIC, 8);
    out += 'A';
    out += chLast;
    const uint32_t cb = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(cb >> (8 * i));

    // The longest match at every position, then the cheapest way through them from the end back (each match
    // also stands for its shorter prefixes).
    const size_t cbBytes = bytes.size();
    std::vector<uint8_t> matchLength(cbBytes, 0);
    std::vector<uint16_t> matchFrom(cbBytes, 0);
    CMatcher matcher(bytes);
    for (size_t at = 0; at < cbBytes; ++at) {
        size_t from = 0;
        matchLength[at] = static_cast<uint8_t>(matcher.Longest(at, &from));
        matchFrom[at] = static_cast<uint16_t>((WINDOW_START + from) & (WINDOW - 1));
        matcher.Insert(at);
    }
    std::vector<size_t> cost(cbBytes + 1, 0);
    std::vector<uint8_t> step(cbBytes, 1);
    for (size_t at = cbBytes; at-- > 0;) {
        cost[at] = LITERAL_BITS + cost[at + 1];
        for (size_t cb = MIN_MATCH; cb <= matchLength[at]; ++cb) {
            if (MATCH_BITS + cost[at + cb] < cost[at]) {
                cost[at] = MATCH_BITS + cost[at + cb];
                step[at] = static_cast<uint8_t>(cb);
            }
        }
    }
    size_t at = 0;
    while (at < cbBytes) {
        const size_t control = out.size();
        out += '\0';
        for (int bit = 0; bit < 8 && at < cbBytes; ++bit) {
            if (step[at] == 1) {
                out[control] = static_cast<char>(out[control] | 1 << bit);
                out += bytes[at++];
                continue;
            }
            const size_t position = matchFrom[at];
            out += static_cast<char>(position & 0xFF);
            out += static_cast<char>(((position >> 4) & 0xF0) | (step[at] - MIN_MATCH));
            at += step[at];
        }
    }
    return out;
}

bool SZDD_IsCompressed(const std::string& bytes) {
    return bytes.size() >= SZDD_HEADERSIZE && bytes.compare(0, 8, MAGIC, 8) == 0 && bytes[8] == 'A';
}

bool SZDD_Expand(const std::string& compressed, std::string* pBytes, char* pchLast) {
    if (!SZDD_IsCompressed(compressed))
        return false;
    uint32_t cbExpanded = 0;
    for (int i = 0; i < 4; ++i)
        cbExpanded |= static_cast<uint32_t>(static_cast<unsigned char>(compressed[10 + i])) << (8 * i);
    *pchLast = compressed[9];
    std::vector<char> window(WINDOW, ' ');
    size_t position = WINDOW_START;
    std::string bytes;
    size_t at = SZDD_HEADERSIZE;
    while (at < compressed.size() && bytes.size() < cbExpanded) {
        const unsigned control = static_cast<unsigned char>(compressed[at++]);
        for (int bit = 0; bit < 8 && at < compressed.size() && bytes.size() < cbExpanded; ++bit) {
            if (control & (1 << bit)) {
                bytes += window[position] = compressed[at++];
                position = (position + 1) & (WINDOW - 1);
                continue;
            }
            if (at + 1 >= compressed.size())
                return false;
            const unsigned b1 = static_cast<unsigned char>(compressed[at]);
            const unsigned b2 = static_cast<unsigned char>(compressed[at + 1]);
            at += 2;
            size_t from = b1 | ((b2 & 0xF0) << 4);
            for (size_t i = 0; i < (b2 & 0x0F) + MIN_MATCH; ++i) {
                bytes += window[position] = window[from];
                position = (position + 1) & (WINDOW - 1);
                from = (from + 1) & (WINDOW - 1);
            }
        }
    }
    if (bytes.size() < cbExpanded)
        return false;
    bytes.resize(cbExpanded);
    *pBytes = bytes;
    return true;
}

std::string SZDD_CompressedName(const std::string& name, char* pchLast) {
    const size_t slash = name.find_last_of("\\/:");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    *pchLast = '\0';
    if (dot == std::string::npos || dot < nameStart)
        return name + "._";
    if (name.size() - dot - 1 == 3) {
        *pchLast = name.back();
        return name.substr(0, name.size() - 1) + "_";
    }
    return name + "_";
}

std::string SZDD_ExpandedName(const std::string& name, char chLast) {
    const size_t slash = name.find_last_of("\\/:");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string expanded = name;
    bool fLower = true;
    for (size_t i = expanded.size(); i-- > 0;) {
        if (isalpha(static_cast<unsigned char>(expanded[i]))) {
            fLower = islower(static_cast<unsigned char>(expanded[i])) != 0;
            break;
        }
    }
    if (isalpha(static_cast<unsigned char>(chLast)))
        chLast = static_cast<char>(fLower ? tolower(chLast) : toupper(chLast));
    const size_t dot = expanded.find('.', nameStart);
    if (dot == std::string::npos)
        return expanded;
    if (dot + 1 == expanded.size())
        return expanded.substr(0, dot);
    if (expanded.back() == '_') {
        expanded.pop_back();
        if (chLast)
            expanded += chLast;
    }
    return expanded;
}
