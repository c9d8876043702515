// Setup design files written byte by byte as the format lays them out, for the reader's and the compiler's
// tests: a small design that loads, with knobs for the cases that must not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DESIGNBYTES_THING {
    int nPosition;
    int nType;  // 0 file, 1 directory, other: no record follows
    std::string name;
    bool fIcon;
    int32_t lSize;
};

struct DESIGNBYTES_SPEC {
    std::string signature = "TAMBERLO-Ver 0.05";
    std::string product = "Flarion 1.0";
    int bBackDrop = 0;
    bool fBackdropSection = false;  // written whatever bBackDrop says
    std::string hookName = "tavlet.dll";
    int nPathIndex = 0;
    std::string targetsTag = "tgtc";
    int nTargetIndex = 1;
    std::string targetMessage = "Choose a folder.";
    int nCollectionIndex = 0;
    uint32_t dwCOLLOBJ = 110;
    int nDiskIndex = 0;
    uint32_t dwDISKOBJ = 58;
    int nNumFiles = -1;  // -1: counted from the things
    int nNumDirs = -1;
    std::vector<DESIGNBYTES_THING> things = {{0, 0, "README.TXT", true, 1234}, {1, 1, "SAMPLES", false, 4096}};
    std::string backdropName = "ORVADROP.BDX";
    std::string backdropData = std::string("\x01\x02\x00\x03", 4);
};

std::string DESIGNBYTES_Make(const DESIGNBYTES_SPEC& spec);

// The largest design the format holds, as text: 50 paths, 50 targets with 2047-character messages, 32
// collections, 32 disks, 1000 things (every tenth a directory, the files with icons).
std::string DESIGNBYTES_MaximumText();

// The little-endian pieces, for tests that write a section of their own.
std::string DESIGNBYTES_Short(int nValue);
std::string DESIGNBYTES_Long(uint32_t dwValue);
std::string DESIGNBYTES_String(const std::string& text);
