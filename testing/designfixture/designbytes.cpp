#include "testing/designfixture/designbytes.h"

#include <sstream>

namespace {

std::string Zeros(size_t cb) {
    return std::string(cb, '\0');
}

std::string Options(const DESIGNBYTES_SPEC& spec) {
    std::string b = "exe0";
    for (int n : {1, 2, 3, 0, 1, 0, 1, 0})  // nWinMode to bSmallDialogs
        b += DESIGNBYTES_Short(n);
    b += DESIGNBYTES_String("flarion.bmp") + DESIGNBYTES_Short(1);  // szBitMapName, nBitMapPos
    b += DESIGNBYTES_String("Flarion") + DESIGNBYTES_String("Flarion Setup") + DESIGNBYTES_String("Install");
    b += DESIGNBYTES_String("") + DESIGNBYTES_String("setup.hlp");            // szMessageBox, szHelpFile
    b += std::string("abcde") + Zeros(20);                                    // szWININILine
    b += DESIGNBYTES_Short(1) + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(0);  // bDLLHook, bUninstall, bNetwork
    b += DESIGNBYTES_Short(spec.bBackDrop);
    b += DESIGNBYTES_Short(1) + DESIGNBYTES_Short(2) + DESIGNBYTES_Short(3) + DESIGNBYTES_Short('a');
    b += DESIGNBYTES_String("Movies for the web") + DESIGNBYTES_Short(4);  // szText, nTextPos
    b += DESIGNBYTES_String("Flarion Software") + DESIGNBYTES_String("Springfield");
    b += DESIGNBYTES_Long(0x00FFFFFF);                                                   // rgbText
    b += DESIGNBYTES_String("Arial") + DESIGNBYTES_Short(-24) + DESIGNBYTES_Short(700);  // font face, height, weight
    b += DESIGNBYTES_Short(1) + DESIGNBYTES_Short(0);                                    // italic, underline
    b += DESIGNBYTES_Long(0x00800000);                                                   // rgbGGColor
    b += DESIGNBYTES_String("SETUP.EXE") + DESIGNBYTES_String(spec.product) + DESIGNBYTES_Short(1);
    b += DESIGNBYTES_String("FLARION.LOG") + DESIGNBYTES_String("Uninstall Flarion") + DESIGNBYTES_Short(1);
    return b + Zeros(256);
}

std::string Target(const DESIGNBYTES_SPEC& spec) {
    std::string b = "targ";
    b += DESIGNBYTES_String("C:\\FLARION") + DESIGNBYTES_String("C:\\FLARION") + DESIGNBYTES_String("Flarion");
    b += DESIGNBYTES_String("") + DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(1);
    b += DESIGNBYTES_Short(0) + DESIGNBYTES_Long(77) + DESIGNBYTES_String(spec.targetMessage);
    return b + DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1) + Zeros(62);
}

std::string Thing(const DESIGNBYTES_THING& thing) {
    std::string b = DESIGNBYTES_Short(thing.nPosition) + "thng" + DESIGNBYTES_Short(thing.nType);
    b += DESIGNBYTES_Short(0) + DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1);  // develdir, distribdir, target
    b += DESIGNBYTES_Short(0) + DESIGNBYTES_Short(0) + Zeros(32);             // nCollection, nDisk, unused
    if (thing.nType == 0) {
        b += "file" + DESIGNBYTES_String(thing.name) + DESIGNBYTES_Short(thing.fIcon ? 1 : 0);
        b += DESIGNBYTES_Short(0) + DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1);  // bAddToLoad, bSpawned, bBackup
        b += DESIGNBYTES_Long(static_cast<uint32_t>(thing.lSize));
        b += DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(0) + Zeros(32);
        if (thing.fIcon) {
            b += "icon" + DESIGNBYTES_Short(2) + DESIGNBYTES_String("Read Me") + DESIGNBYTES_String("/s");
            b += DESIGNBYTES_String("NOTEPAD.EXE") + DESIGNBYTES_String("") + Zeros(32);
        }
    } else if (thing.nType == 1) {
        b += "dir0" + DESIGNBYTES_String(thing.name) + DESIGNBYTES_Long(static_cast<uint32_t>(thing.lSize));
    }
    return b;
}

std::string Letters(size_t cch, int nSeed) {
    std::string text;
    for (size_t i = 0; i < cch; ++i)
        text += static_cast<char>('a' + (i + nSeed) % 26);
    return text;
}

}  // namespace

std::string DESIGNBYTES_MaximumText() {
    std::ostringstream text;
    text << "[Setup]\nProduct = Largest\n";
    for (int i = 0; i < 50; ++i)
        text << "[Path " << i << "]\nPath = a:\\disk" << i << "\n";
    for (int i = 0; i < 50; ++i)
        text << "[Target " << i << "]\nDefaultPath = C:\\T" << i << "\nMessage = " << Letters(2047, i) << "\n";
    for (int i = 0; i < 32; ++i)
        text << "[Collection " << i << "]\nName = Part " << i << "\n";
    for (int i = 0; i < 32; ++i)
        text << "[Disk " << i << "]\nName = Disk " << i << "\n";
    for (int i = 0; i < 1000; ++i) {
        text << "[Thing " << i << "]\nTarget = " << i % 50 << "\nCollection = " << i % 32 << "\nDisk = " << i % 32
             << "\nDistribDir = " << i % 50 << "\nSize = " << 1000 + i << "\n";
        if (i % 10 == 9)
            text << "Type = dir\nName = FOLDER" << i << "\n";
        else
            text << "Name = F" << i << ".TXT\nIconName = File " << i << "\n";
    }
    return text.str();
}

std::string DESIGNBYTES_Short(int nValue) {
    return {static_cast<char>(nValue & 0xFF), static_cast<char>((nValue >> 8) & 0xFF)};
}

std::string DESIGNBYTES_Long(uint32_t dwValue) {
    return DESIGNBYTES_Short(static_cast<int>(dwValue & 0xFFFF)) + DESIGNBYTES_Short(static_cast<int>(dwValue >> 16));
}

std::string DESIGNBYTES_String(const std::string& text) {
    return DESIGNBYTES_Short(static_cast<int>(text.size())) + text;
}

std::string DESIGNBYTES_Make(const DESIGNBYTES_SPEC& spec) {
    std::string b = spec.signature;
    b.resize(18, '\0');
    b += Options(spec) + DESIGNBYTES_String(spec.hookName);
    b += "path" + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(spec.nPathIndex) + DESIGNBYTES_Short(2) +
         DESIGNBYTES_String("a:\\disk1");
    b += spec.targetsTag + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(-1);  // nNumber, nAddToPATH
    b += DESIGNBYTES_Short(spec.nTargetIndex) + DESIGNBYTES_Short(2) + Target(spec);
    b += "coll" + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(spec.nCollectionIndex) + "colo" +
         DESIGNBYTES_Long(spec.dwCOLLOBJ);
    b += DESIGNBYTES_Long(5330) + DESIGNBYTES_Short(2) + DESIGNBYTES_Short(1) + DESIGNBYTES_Short(1);
    b += DESIGNBYTES_String("Program files") + Zeros(32);
    b += "disk" + DESIGNBYTES_Short(1) + DESIGNBYTES_Long(1457664) + DESIGNBYTES_Short(spec.nDiskIndex) +
         DESIGNBYTES_Long(spec.dwDISKOBJ);
    b += DESIGNBYTES_Long(5330) + DESIGNBYTES_Short(2) + DESIGNBYTES_String("Disk 1") + Zeros(16);
    int nFiles = 0, nDirs = 0;
    for (const DESIGNBYTES_THING& thing : spec.things)
        (thing.nType == 1 ? nDirs : nFiles)++;
    b += "thgc" + DESIGNBYTES_Short(spec.nNumFiles >= 0 ? spec.nNumFiles : nFiles);
    b += DESIGNBYTES_Short(spec.nNumDirs >= 0 ? spec.nNumDirs : nDirs);
    b += DESIGNBYTES_Short(0) + DESIGNBYTES_Short(-1) + DESIGNBYTES_Short(7) + DESIGNBYTES_Short(-1) + Zeros(64);
    for (const DESIGNBYTES_THING& thing : spec.things)
        b += Thing(thing);
    if (spec.bBackDrop || spec.fBackdropSection) {
        b += "dir0" + DESIGNBYTES_String(spec.backdropName) +
             DESIGNBYTES_Long(static_cast<uint32_t>(spec.backdropData.size())) + spec.backdropData;
    }
    b += "dlg4" + DESIGNBYTES_Short(0) + DESIGNBYTES_Short(1) + Zeros(64);
    for (int i = 0; i < 24; ++i)
        b += DESIGNBYTES_Short(10 + i) + DESIGNBYTES_Short(20) + DESIGNBYTES_Short(30) + DESIGNBYTES_Short(40) +
             Zeros(8);
    return b;
}
