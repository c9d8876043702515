#include "tools/testsupport/moviefixture.h"

#include <cstdint>
#include <fstream>

namespace {

const int SAMPLES = 4;

void Be32(std::string& out, uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void Be16(std::string& out, uint16_t v) {
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

std::string Atom(const char* szType, const std::string& body) {
    std::string atom;
    Be32(atom, static_cast<uint32_t>(body.size() + 8));
    atom.append(szType, 4);
    return atom + body;
}

// Version and flags, then the creation and modification dates.
std::string FullHeader() {
    return std::string(12, '\0');
}

std::string Matrix() {
    std::string m;
    const uint32_t values[] = {0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000};
    for (uint32_t v : values)
        Be32(m, v);
    return m;
}

std::string MovieAtom(const MOVIEFIXTURE& f, uint32_t dwMediaOffset) {
    std::string mvhd = FullHeader();
    Be32(mvhd, 600);   // time scale
    Be32(mvhd, 1200);  // duration
    Be32(mvhd, 0x10000);
    Be16(mvhd, 0x100);
    mvhd += std::string(10, '\0');
    mvhd += Matrix();
    mvhd += std::string(24, '\0');
    Be32(mvhd, 2);  // next track id

    std::string tkhd = FullHeader();
    tkhd[3] = 0x0f;
    Be32(tkhd, 1);  // track id
    Be32(tkhd, 0);
    Be32(tkhd, 1200);
    tkhd += std::string(8, '\0');
    Be16(tkhd, 0);
    Be16(tkhd, 0);
    Be16(tkhd, 0);
    Be16(tkhd, 0);
    tkhd += Matrix();
    Be32(tkhd, static_cast<uint32_t>(f.nWidth) << 16);
    Be32(tkhd, static_cast<uint32_t>(f.nHeight) << 16);

    std::string mdhd = FullHeader();
    Be32(mdhd, 600);
    Be32(mdhd, 1200);
    Be32(mdhd, 0);
    std::string hdlr(4, '\0');
    hdlr += "mhlrvideappl";
    hdlr += std::string(9, '\0');

    const uint32_t cbSample = static_cast<uint32_t>(f.cbMedia / SAMPLES);
    std::string stsd(4, '\0');
    Be32(stsd, 0);
    std::string stts(4, '\0');
    Be32(stts, 1);
    Be32(stts, SAMPLES);
    Be32(stts, 300);
    std::string stsc(4, '\0');
    Be32(stsc, 1);
    Be32(stsc, 1);
    Be32(stsc, 1);
    Be32(stsc, 1);
    std::string stsz(4, '\0');
    Be32(stsz, cbSample);
    Be32(stsz, SAMPLES);
    std::string stco(4, '\0');
    Be32(stco, SAMPLES);
    for (int i = 0; i < SAMPLES; ++i)
        Be32(stco, dwMediaOffset + i * cbSample);
    const std::string stbl = Atom(
        "stbl", Atom("stsd", stsd) + Atom("stts", stts) + Atom("stsc", stsc) + Atom("stsz", stsz) + Atom("stco", stco));
    const std::string mdia = Atom("mdia", Atom("mdhd", mdhd) + Atom("hdlr", hdlr) + Atom("minf", stbl));
    return Atom("moov", Atom("mvhd", mvhd) + Atom("trak", Atom("tkhd", tkhd) + mdia));
}

std::string MediaBody(const MOVIEFIXTURE& f) {
    std::string media(f.cbMedia, '\0');
    for (size_t i = 0; i < media.size(); ++i)
        media[i] = static_cast<char>(i * 7 + 3);
    return media;
}

}  // namespace

// The chunk offsets depend on where the media data lands, which depends on the movie atom's size in fast-start
// order; the size does not depend on the offsets, so a first pass measures it.
std::string MOVIEFIXTURE_Bytes(const MOVIEFIXTURE& fixture) {
    const std::string mdat = Atom("mdat", MediaBody(fixture));
    if (!fixture.fFastStart)
        return mdat + MovieAtom(fixture, 8);
    const uint32_t cbMoov = static_cast<uint32_t>(MovieAtom(fixture, 0).size());
    return MovieAtom(fixture, cbMoov + 8) + mdat;
}

bool MOVIEFIXTURE_Write(const char* szPath, const MOVIEFIXTURE& fixture) {
    std::ofstream file(szPath, std::ios::binary | std::ios::trunc);
    const std::string bytes = MOVIEFIXTURE_Bytes(fixture);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
