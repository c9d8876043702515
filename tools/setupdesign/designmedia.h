// Distribution media laid out from a text design and a contents list: the design file compiled into "\bin",
// every file of the contents copied or compressed from the build or the repository, the disk marker files, and
// the sizes the design gives its files, collections and disks taken from what was built. README.md ("The
// suite's media") describes the contents list.
#pragma once

#include <string>
#include <vector>

#include "setup/design.h"

// One line of the contents: a file of the media and where it comes from.
struct MEDIAFILE {
    std::string mediaPath;  // below the media's root, with backslashes ("bin\HAULIX.EXE")
    bool fCompressed;       // written in the SZDD format, expanded by the engine
    bool fBuilt;            // the source lies below the build folder, else below the repository
    std::string source;     // relative to that folder, with slashes
};

// The folders the media are made from and written to.
struct MEDIAROOTS {
    std::string build;
    std::string repository;
    std::string media;
};

// Reads the contents: "MEDIA\PATH = compressed|plain build|source PATH" lines, ';' or '#' comments. False with
// "LINE: message" in *pError at the first bad line.
bool MEDIA_ParseContents(const std::string& text, std::vector<MEDIAFILE>* pFiles, std::string* pError);

// The files a design names on its media, below the media's root: the design file, the dialog library, the hook
// library, the backdrop plug-in, the string override file, the help file, the backdrop picture, the uninstaller,
// each file thing and each disk's marker file.
std::vector<std::string> MEDIA_Named(const DESIGN& design);

// Writes the media into roots.media: every file of the contents, the sizes set in the design (file things: the
// expanded size; collections and disks: their things' sums), the design file "bin\SETUP.INI" and a marker file
// per disk. False when a file the design names is not in the contents, a source is missing or a write fails:
// *pReport then names each, one line each; everything else is written all the same.
bool MEDIA_Build(DESIGN* pDesign, const std::vector<MEDIAFILE>& files, const MEDIAROOTS& roots, std::string* pReport);

// Checks written media against the design and its sources: the design file loads as the engine reads it, every
// file the design names is on the media, and every file of the contents holds its source (a compressed one once
// expanded). False with one line per fault in *pReport.
bool MEDIA_Check(const std::vector<MEDIAFILE>& files, const MEDIAROOTS& roots, std::string* pReport);
