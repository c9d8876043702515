// The SZDD compressed file format that the platform's LZ library expands, and its file name rules. Portable code.
//
// A file is a 14-byte header ("SZDD" 88 F0 27 33, the mode 'A', the replaced last character of the file's name,
// the expanded size as a 32-bit little-endian number) and LZSS data: a control byte whose bits, lowest first,
// announce a literal byte (1) or a match of two bytes (0) that copies 3 to 18 bytes from a 4096-byte window,
// which starts filled with blanks and is written from position 4080.
#pragma once

#include <cstdint>
#include <string>

const size_t SZDD_HEADERSIZE = 14;

// The compressed form of the bytes; chLast is stored as the replaced character of the name.
std::string SZDD_Compress(const std::string& bytes, char chLast);
// The expanded bytes and the stored character; false for bytes that are not a whole SZDD file.
bool SZDD_Expand(const std::string& compressed, std::string* pBytes, char* pchLast);
bool SZDD_IsCompressed(const std::string& bytes);

// The name of the compressed file: a three-letter extension loses its last character to "_", which is returned
// in *pchLast; a shorter one gets "_" appended, a name without one "._" (*pchLast 0 for both).
std::string SZDD_CompressedName(const std::string& name, char* pchLast);
// The name the LZ library expands a compressed file to: the "_" at the end of the extension becomes the stored
// character, in the letter case of the name's last letter; a stored 0 removes it (and a dot left alone).
std::string SZDD_ExpandedName(const std::string& name, char chLast);
