// The name under which a clip is shown in the plug-in's cache folder: "REEL" and a 16-bit hash of its URL.
#pragma once

#include <cstdint>

// The exclusive-or of the URL's bytes taken as 16-bit little-endian words; a final odd byte is a word of its
// own with a zero high byte.
uint16_t CACHENAME_Hash(const char* szURL);

// out = folder joined with REELhhhh (four upper-case hexadecimal figures) and the extension (".DSK", or ""
// for none). 0 when the folder is empty or the name would not fit a PATHNAME.
int CACHENAME_Construct(char* szOut, const char* szFolder, const char* szURL, const char* szExtension);
