// Small QuickTime movie files for tests, written atom by atom: one video track of the given size whose
// samples lie in the media data atom, in flattened order (media data first) or in fast-start order.
#pragma once

#include <cstddef>
#include <string>

struct MOVIEFIXTURE {
    int nWidth = 160;
    int nHeight = 120;
    size_t cbMedia = 4000;    // bytes of sample data, in four samples
    bool fFastStart = false;  // movie atom first
};

std::string MOVIEFIXTURE_Bytes(const MOVIEFIXTURE& fixture);
// Writes the movie to the file; false when it cannot be written.
bool MOVIEFIXTURE_Write(const char* szPath, const MOVIEFIXTURE& fixture);
