// The page description that the browser stand-in shows: a text file of our own format.
//
//   # a comment
//   PAGE http://www.example.com/movies/index.html
//   EMBED SRC=trailer.mov WIDTH=320 HEIGHT=256 AUTOPLAY=TRUE < clips\trailer.mov 65536
//   EMBED SRC=file:///C|/clips/intro.mov WIDTH=160 HEIGHT=136 LOOP
//   FULL SRC=big.mov < big.mov
//   BACKGROUND SRC=sound.mov HIDDEN < sound.mov
//
// PAGE gives the page's address. Each EMBED, FULL or BACKGROUND line is one instance in that mode, with its
// EMBED attributes (NAME, NAME=value or NAME="quoted value"), all handed to the plug-in. After "<" comes the
// local file that serves a remote clip and, optionally, the rate in bytes per second at which it arrives
// (all at once without one); a clip whose SRC is a file: URL is read from that file itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct NPPAGE_ATTRIBUTE {
    std::string name;
    std::string value;
    bool fHasValue = false;
};

struct NPPAGE_INSTANCE {
    uint16_t wMode = 1;  // NP_EMBED, NP_FULL or the background mode 3
    std::vector<NPPAGE_ATTRIBUTE> attributes;
    std::string serveFile;  // the local file behind a remote SRC; empty for none
    uint32_t dwRate = 0;    // bytes per second; 0 for all at once
};

struct NPPAGE {
    std::string url;
    std::vector<NPPAGE_INSTANCE> instances;
};

// Reads a page description; false with a message naming the line for a malformed one.
bool NPPAGE_Parse(NPPAGE* pPage, const std::string& text, std::string& error);
// The value of an attribute (names in any case); szDefault when the instance has none.
std::string NPPAGE_GetAttribute(const NPPAGE_INSTANCE& instance, const char* szName, const char* szDefault);
// SRC made absolute against the page address: a URL holding "//" stays, anything else replaces the last
// segment of the page's address.
std::string NPPAGE_ClipURL(const NPPAGE& page, const NPPAGE_INSTANCE& instance);
