// Movies written atom by atom for tests, so that each case states its own layout. Byte strings are
// std::string; every integer is written big-endian as in a movie file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "movie/qtatoms.h"

std::string MOVIEFIXTURE_DWORD(uint32_t dw);
std::string MOVIEFIXTURE_QWORD(uint64_t qw);
uint32_t MOVIEFIXTURE_GetDWORD(const std::string& bytes, size_t nOffset);
uint64_t MOVIEFIXTURE_GetQWORD(const std::string& bytes, size_t nOffset);

// An atom with a 32-bit size, and one in the extended form (size field 1, then a 64-bit size).
std::string MOVIEFIXTURE_Atom(uint32_t dwType, const std::string& content);
std::string MOVIEFIXTURE_Atom64(uint32_t dwType, const std::string& content);
// A chunk offset atom of type "stco" or "co64" holding the given entries (version and flags 0).
std::string MOVIEFIXTURE_ChunkOffsets(uint32_t dwType, const std::vector<uint64_t>& offsets);
// A track whose sample table holds stblContent, with a few header atoms beside each container on the way down
// (trak, mdia, minf, stbl), as a real movie has them.
std::string MOVIEFIXTURE_Track(const std::string& stblContent);
// A movie atom: a movie header and the given tracks.
std::string MOVIEFIXTURE_Movie(const std::vector<std::string>& tracks);
// A flattened movie (media data first) with one track of the given picture size, as the QuickTime stand-in
// shows it: four chunks, two seconds at a time scale of 600.
std::string MOVIEFIXTURE_PictureMovie(int nWidth, int nHeight);

// A large flattened movie written straight to a file: "mdat" at 0 with cbMedia bytes of varied content (below
// 4 GB), then a movie atom whose one track has nChunks chunk offsets spread over the media. Returns the movie
// atom's size; 0 when the file cannot be written.
size_t MOVIEFIXTURE_WriteLargeMovie(const std::string& path, uint64_t cbMedia, uint32_t nChunks);
