// Four-character atom types of the movie file format.
//
// A type is held as a 32-bit value whose most significant byte is the first character in the file, so the
// constants read as their names and compare exactly as the bytes are stored.
#pragma once

#include <cstdint>

constexpr uint32_t QTATOM_Type(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) << 24 | uint32_t(uint8_t(b)) << 16 | uint32_t(uint8_t(c)) << 8 | uint8_t(d);
}

const uint32_t QTATOM_MOOV = QTATOM_Type('m', 'o', 'o', 'v');  // movie atom: the description of the tracks
const uint32_t QTATOM_MDAT = QTATOM_Type('m', 'd', 'a', 't');  // media data
const uint32_t QTATOM_MVHD = QTATOM_Type('m', 'v', 'h', 'd');  // movie header: time scale and duration
const uint32_t QTATOM_TRAK = QTATOM_Type('t', 'r', 'a', 'k');
const uint32_t QTATOM_TKHD = QTATOM_Type('t', 'k', 'h', 'd');  // track header: the track's picture size
const uint32_t QTATOM_MDIA = QTATOM_Type('m', 'd', 'i', 'a');
const uint32_t QTATOM_MINF = QTATOM_Type('m', 'i', 'n', 'f');
const uint32_t QTATOM_STBL = QTATOM_Type('s', 't', 'b', 'l');
const uint32_t QTATOM_STCO = QTATOM_Type('s', 't', 'c', 'o');  // chunk offsets, 32-bit entries
const uint32_t QTATOM_CO64 = QTATOM_Type('c', 'o', '6', '4');  // chunk offsets, 64-bit entries
const uint32_t QTATOM_FREE = QTATOM_Type('f', 'r', 'e', 'e');
const uint32_t QTATOM_SKIP = QTATOM_Type('s', 'k', 'i', 'p');
const uint32_t QTATOM_WIDE = QTATOM_Type('w', 'i', 'd', 'e');
const uint32_t QTATOM_FTYP = QTATOM_Type('f', 't', 'y', 'p');
const uint32_t QTATOM_CMOV = QTATOM_Type('c', 'm', 'o', 'v');  // compressed movie atom
const uint32_t QTATOM_MVEX = QTATOM_Type('m', 'v', 'e', 'x');  // movie extends: the movie continues in fragments
const uint32_t QTATOM_MOOF = QTATOM_Type('m', 'o', 'o', 'f');  // movie fragment

// The four characters of a type and a terminator; bytes outside printable ASCII become '?'.
inline void QTATOM_TypeToText(uint32_t dwType, char szText[5]) {
    for (int i = 0; i < 4; ++i) {
        const char ch = char(dwType >> (24 - 8 * i));
        szText[i] = ch >= 0x20 && ch < 0x7f ? ch : '?';
    }
    szText[4] = '\0';
}
