#include "testing/moviefixture/moviefixture.h"

#include <cstdio>

namespace {

const size_t MVHD_TIMESCALE = 8 + 12;  // from the start of the movie header atom
const size_t TKHD_WIDTH = 8 + 76;      // from the start of the track header atom

}  // namespace

std::string MOVIEFIXTURE_DWORD(uint32_t dw) {
    return {char(dw >> 24), char(dw >> 16), char(dw >> 8), char(dw)};
}

std::string MOVIEFIXTURE_QWORD(uint64_t qw) {
    return MOVIEFIXTURE_DWORD(uint32_t(qw >> 32)) + MOVIEFIXTURE_DWORD(uint32_t(qw));
}

uint32_t MOVIEFIXTURE_GetDWORD(const std::string& bytes, size_t nOffset) {
    uint32_t dw = 0;
    for (size_t i = 0; i < 4; ++i)
        dw = dw << 8 | uint8_t(bytes.at(nOffset + i));
    return dw;
}

uint64_t MOVIEFIXTURE_GetQWORD(const std::string& bytes, size_t nOffset) {
    return uint64_t(MOVIEFIXTURE_GetDWORD(bytes, nOffset)) << 32 | MOVIEFIXTURE_GetDWORD(bytes, nOffset + 4);
}

std::string MOVIEFIXTURE_Atom(uint32_t dwType, const std::string& content) {
    return MOVIEFIXTURE_DWORD(uint32_t(8 + content.size())) + MOVIEFIXTURE_DWORD(dwType) + content;
}

std::string MOVIEFIXTURE_Atom64(uint32_t dwType, const std::string& content) {
    return MOVIEFIXTURE_DWORD(1) + MOVIEFIXTURE_DWORD(dwType) + MOVIEFIXTURE_QWORD(16 + content.size()) + content;
}

std::string MOVIEFIXTURE_ChunkOffsets(uint32_t dwType, const std::vector<uint64_t>& offsets) {
    std::string content = MOVIEFIXTURE_DWORD(0) + MOVIEFIXTURE_DWORD(uint32_t(offsets.size()));
    for (uint64_t qwOffset : offsets)
        content += dwType == QTATOM_CO64 ? MOVIEFIXTURE_QWORD(qwOffset) : MOVIEFIXTURE_DWORD(uint32_t(qwOffset));
    return MOVIEFIXTURE_Atom(dwType, content);
}

std::string MOVIEFIXTURE_Track(const std::string& stblContent) {
    const std::string stbl = MOVIEFIXTURE_Atom(QTATOM_Type('s', 't', 's', 'd'), std::string(8, '\0')) + stblContent;
    const std::string minf = MOVIEFIXTURE_Atom(QTATOM_Type('v', 'm', 'h', 'd'), std::string(12, '\0')) +
                             MOVIEFIXTURE_Atom(QTATOM_STBL, stbl);
    const std::string mdia = MOVIEFIXTURE_Atom(QTATOM_Type('m', 'd', 'h', 'd'), std::string(24, '\0')) +
                             MOVIEFIXTURE_Atom(QTATOM_Type('h', 'd', 'l', 'r'), std::string(25, '\0')) +
                             MOVIEFIXTURE_Atom(QTATOM_MINF, minf);
    return MOVIEFIXTURE_Atom(QTATOM_TRAK, MOVIEFIXTURE_Atom(QTATOM_Type('t', 'k', 'h', 'd'), std::string(84, '\0')) +
                                              MOVIEFIXTURE_Atom(QTATOM_MDIA, mdia));
}

std::string MOVIEFIXTURE_Movie(const std::vector<std::string>& tracks) {
    std::string content = MOVIEFIXTURE_Atom(QTATOM_Type('m', 'v', 'h', 'd'), std::string(100, '\0'));
    for (const std::string& track : tracks)
        content += track;
    return MOVIEFIXTURE_Atom(QTATOM_MOOV, content);
}


// Four chunks of media data, two seconds at a time scale of 600; the track header carries the picture size in
// 16.16 fixed point.
std::string MOVIEFIXTURE_PictureMovie(int nWidth, int nHeight) {
    const std::string mdat = MOVIEFIXTURE_Atom(QTATOM_MDAT, std::string(4096, '\x5a'));
    const std::vector<uint64_t> offsets = {8, 1032, 2056, 3080};
    std::string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, offsets))});
    moov.replace(moov.find("mvhd") - 4 + MVHD_TIMESCALE, 8, MOVIEFIXTURE_DWORD(600) + MOVIEFIXTURE_DWORD(1200));
    const size_t nTkhd = moov.find("tkhd") - 4;
    moov.replace(nTkhd + TKHD_WIDTH, 8,
                 MOVIEFIXTURE_DWORD(static_cast<uint32_t>(nWidth) << 16) +
                     MOVIEFIXTURE_DWORD(static_cast<uint32_t>(nHeight) << 16));
    return mdat + moov;
}

size_t MOVIEFIXTURE_WriteLargeMovie(const std::string& path, uint64_t cbMedia, uint32_t nChunks) {
    std::vector<uint64_t> offsets;
    for (uint32_t i = 0; i < nChunks; ++i)
        offsets.push_back(8 + cbMedia / nChunks * i);
    const std::string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, offsets))});
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return 0;
    const std::string header = MOVIEFIXTURE_DWORD(static_cast<uint32_t>(8 + cbMedia)) + "mdat";
    bool fOk = fwrite(header.data(), header.size(), 1, pFile) == 1;
    std::string block(1 << 20, '\0');
    uint32_t dwSeed = 12345;
    for (uint64_t qwDone = 0; fOk && qwDone < cbMedia; qwDone += block.size()) {
        for (char& ch : block)
            ch = static_cast<char>((dwSeed = dwSeed * 1103515245 + 12345) >> 16);
        const uint64_t cbLeft = cbMedia - qwDone;
        fOk = fwrite(block.data(), cbLeft < block.size() ? static_cast<size_t>(cbLeft) : block.size(), 1, pFile) == 1;
    }
    fOk = fOk && fwrite(moov.data(), moov.size(), 1, pFile) == 1;
    return fclose(pFile) == 0 && fOk ? moov.size() : 0;
}


