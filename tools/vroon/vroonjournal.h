// The journal of an in-place conversion by insertion, kept beside the movie while the conversion changes it:
// what is needed to recognise the movie and to finish the conversion from any point, under a checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "movie/qtmodern.h"

// The name of the journal beside a movie.
const char VROONJOURNAL_SUFFIX[] = ".vroon-journal";

struct VROON_JOURNAL {
    std::string name;     // the movie's file name, without its folder
    QTM_INSERT insert;    // the sizes, the patches and the probe range
    uint32_t dwProbeCrc;  // the checksum of the probe range of the source
};

enum VROONJOURNAL_ERROR {
    VROONJOURNAL_OK,
    VROONJOURNAL_NOT_JOURNAL,  // another kind of file, or another version of the journal
    VROONJOURNAL_DAMAGED,      // cut short, or its checksum does not match
};

// The journal as bytes: little-endian fields, the checksum last.
std::vector<uint8_t> VROONJOURNAL_Encode(const VROON_JOURNAL& journal);
VROONJOURNAL_ERROR VROONJOURNAL_Decode(const std::vector<uint8_t>& bytes, VROON_JOURNAL* pJournal);

// CRC-32 (the polynomial of zip and PNG) of cb bytes, continued from dwCrc (0 to begin).
uint32_t VROONJOURNAL_Crc32(const void* pData, size_t cb, uint32_t dwCrc = 0);
