// Movies for the tests of the modern conversion: top-level parts laid out in a chosen order, with a moov whose
// chunk offsets point at chosen bytes of chosen parts, so a source and its expected fast-start form are
// written by the same rule.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "testing/moviefixture/moviefixture.h"

// A chunk at byte nAt of the content of part nPart.
struct QTMFIXTURE_CHUNK {
    size_t nPart;
    uint64_t nAt;
};

// Where the moov goes among the parts: the part holding exactly this text.
const char QTMFIXTURE_MOOV[] = "<moov>";

inline std::string QTMFIXTURE_Moov(const std::vector<uint64_t>& offsets, uint32_t dwTableType) {
    return MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(dwTableType, offsets))});
}

// The parts in the given order; the moov has one track whose table (stco or co64) lists the chunks.
inline std::string QTMFIXTURE_Layout(const std::vector<std::string>& parts, const std::vector<size_t>& order,
                                     const std::vector<QTMFIXTURE_CHUNK>& chunks, uint32_t dwTableType) {
    const size_t cbMoov = QTMFIXTURE_Moov(std::vector<uint64_t>(chunks.size()), dwTableType).size();
    std::vector<uint64_t> starts(parts.size());
    uint64_t nAt = 0;
    for (size_t i : order) {
        starts[i] = nAt;
        nAt += parts[i] == QTMFIXTURE_MOOV ? cbMoov : parts[i].size();
    }
    std::vector<uint64_t> offsets;
    for (const QTMFIXTURE_CHUNK& chunk : chunks) {
        const std::string& part = parts[chunk.nPart];
        const uint64_t cbHeader = MOVIEFIXTURE_GetDWORD(part, 0) == 1 ? 16 : 8;
        offsets.push_back(starts[chunk.nPart] + cbHeader + chunk.nAt);
    }
    std::string bytes;
    for (size_t i : order)
        bytes += parts[i] == QTMFIXTURE_MOOV ? QTMFIXTURE_Moov(offsets, dwTableType) : parts[i];
    return bytes;
}

// Media data whose bytes differ from position to position.
inline std::string QTMFIXTURE_Media(size_t cb, char chSeed) {
    std::string media(cb, '\0');
    for (size_t i = 0; i < cb; ++i)
        media[i] = static_cast<char>(chSeed + i * 7);
    return media;
}
