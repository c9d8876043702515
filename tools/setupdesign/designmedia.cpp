#include "tools/setupdesign/designmedia.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "setup/szdd.h"
#include "toolkit/diag.h"
#include "tools/setupdesign/designcmd.h"
#include "tools/setupdesign/designvalue.h"
#include "tools/setupdesign/designwrite.h"

namespace {

const char DESIGN_FILE[] = "bin\\SETUP.INI";
const char DIALOG_LIBRARY[] = "PARVEL.DLL";
const char UNINSTALLER[] = "UNNSTALL.EXE";
const char OVERRIDE_FILE[] = "SETUP.TXT";

// Media paths ignore letter case, as the engine's file system does.
std::string Folded(const std::string& path) {
    return DESIGNVALUE_Lower(path);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A media path as a host path below the media's root.
std::filesystem::path HostPath(const std::string& root, const std::string& mediaPath) {
    std::string relative = mediaPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return std::filesystem::path(root) / relative;
}

std::filesystem::path SourcePath(const MEDIAFILE& file, const MEDIAROOTS& roots) {
    return std::filesystem::path(file.fBuilt ? roots.build : roots.repository) / file.source;
}

bool ReadWhole(const std::filesystem::path& path, std::string* pBytes) {
    return DESIGNCMD_ReadFile(path.string().c_str(), pBytes);
}

bool WriteWhole(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return DESIGNCMD_WriteFile(path.string().c_str(), bytes);
}

// The contents by media path, ignoring letter case as the engine's file system does.
std::map<std::string, const MEDIAFILE*> ByPath(const std::vector<MEDIAFILE>& files) {
    std::map<std::string, const MEDIAFILE*> byPath;
    for (const MEDIAFILE& file : files)
        byPath[Folded(file.mediaPath)] = &file;
    return byPath;
}

// A distribution path without its drive, as a media path prefix ("a:\program" gives "program\").
std::string MediaFolder(const char* szPath) {
    std::string path = szPath;
    if (path.size() >= 2 && path[1] == ':')
        path.erase(0, 2);
    path.erase(0, path.find_first_not_of('\\'));
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

std::string JustName(const char* szPath) {
    const std::string path = szPath;
    const size_t nSlash = path.find_last_of("\\/:");
    return nSlash == std::string::npos ? path : path.substr(nSlash + 1);
}

std::string ThingPath(const DESIGN& design, const THING& thing) {
    const PATHENTRY* pEntry =
        thing.distribdir >= 0 && thing.distribdir < MAX_PATHS ? &design.paths.paths[thing.distribdir] : nullptr;
    const std::string folder = pEntry && pEntry->fPresent ? MediaFolder(pEntry->szPath) : "";
    return folder + (thing.pFile ? thing.pFile->szName : thing.pDir->szName);
}

int32_t Clamped(int64_t llSize) {
    return static_cast<int32_t>(std::min<int64_t>(llSize, INT32_MAX));
}

// The size a thing installs: its file expanded, or everything below its folder.
bool ThingSize(const DESIGN& design,
               const THING& thing,
               const std::vector<MEDIAFILE>& files,
               const MEDIAROOTS& roots,
               int64_t* pllSize) {
    const std::string path = Folded(ThingPath(design, thing));
    *pllSize = 0;
    bool fFound = false;
    std::error_code error;
    for (const MEDIAFILE& file : files) {
        const std::string mediaPath = Folded(file.mediaPath);
        const bool fMatch = thing.pFile ? mediaPath == path : mediaPath.compare(0, path.size() + 1, path + "\\") == 0;
        if (!fMatch)
            continue;
        const uintmax_t nSize = std::filesystem::file_size(SourcePath(file, roots), error);
        if (!error) {
            *pllSize += static_cast<int64_t>(nSize);
            fFound = true;
        }
    }
    return fFound;
}

bool Produce(const MEDIAFILE& file, const MEDIAROOTS& roots, std::string* pReport) {
    std::string bytes;
    if (!ReadWhole(SourcePath(file, roots), &bytes)) {
        *pReport += "not built: " + file.mediaPath + " from " + SourcePath(file, roots).string() + "\n";
        return false;
    }
    if (file.fCompressed) {
        char chLast = 0;
        // The stored character is the source's own, so the file expands to the source's name.
        SZDD_CompressedName(JustName(file.source.c_str()), &chLast);
        bytes = SZDD_Compress(bytes, chLast);
    }
    if (!WriteWhole(HostPath(roots.media, file.mediaPath), bytes)) {
        *pReport += "cannot write " + HostPath(roots.media, file.mediaPath).string() + "\n";
        return false;
    }
    return true;
}

void SetSizes(DESIGN* pDesign, const std::vector<MEDIAFILE>& files, const MEDIAROOTS& roots) {
    int64_t llCollections[MAX_COLLECTIONS] = {};
    int64_t llDisks[MAX_DISKS] = {};
    for (THING* pThing : pDesign->things.things) {
        int64_t llSize = 0;
        if (!pThing || (!pThing->pFile && !pThing->pDir) || !ThingSize(*pDesign, *pThing, files, roots, &llSize))
            continue;
        if (pThing->pFile)
            pThing->pFile->lSize = Clamped(llSize);
        else
            pThing->pDir->lSize = Clamped(llSize);
        if (pThing->nCollection >= 0 && pThing->nCollection < MAX_COLLECTIONS)
            llCollections[pThing->nCollection] += llSize;
        if (pThing->nDisk >= 0 && pThing->nDisk < MAX_DISKS)
            llDisks[pThing->nDisk] += llSize;
    }
    for (int i = 0; i < MAX_COLLECTIONS; ++i)
        pDesign->collect.collection[i].lSize = Clamped(llCollections[i]);
    for (int i = 0; i < MAX_DISKS; ++i)
        pDesign->disks.diskarr[i].lSize = Clamped(llDisks[i]);
}

// The diagnostics reports of the check's load of the design file.
std::string s_loadReports;
void CollectReport(const char* szText) {
    s_loadReports += szText;
}

std::string Marker(int nDisk) {
    return std::string("disk.") + static_cast<char>('a' + nDisk);
}

}  // namespace

bool MEDIA_ParseContents(const std::string& text, std::vector<MEDIAFILE>* pFiles, std::string* pError) {
    std::istringstream in(text);
    int nLine = 0;
    for (std::string line; std::getline(in, line);) {
        ++nLine;
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        line = DESIGNVALUE_Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        const size_t nEquals = line.find('=');
        const std::vector<std::string> words = Words(nEquals == std::string::npos ? "" : line.substr(nEquals + 1));
        MEDIAFILE file = {DESIGNVALUE_Trim(line.substr(0, nEquals == std::string::npos ? 0 : nEquals)), false, false,
                          ""};
        if (file.mediaPath.empty() || words.size() != 3 || (words[0] != "compressed" && words[0] != "plain") ||
            (words[1] != "build" && words[1] != "source")) {
            *pError = std::to_string(nLine) + ": expected MEDIA\\PATH = compressed|plain build|source PATH";
            return false;
        }
        if (file.mediaPath.find('/') != std::string::npos || file.mediaPath[0] == '\\') {
            *pError = std::to_string(nLine) + ": a media path is relative and uses backslashes";
            return false;
        }
        file.fCompressed = words[0] == "compressed";
        file.fBuilt = words[1] == "build";
        file.source = words[2];
        pFiles->push_back(file);
    }
    return true;
}

std::vector<std::string> MEDIA_Named(const DESIGN& design) {
    std::vector<std::string> named = {DESIGN_FILE, std::string("bin\\") + DIALOG_LIBRARY};
    const EXEOBJ& exe = design.exe;
    if (exe.bDLLHook && design.szHookName[0])
        named.push_back("bin\\" + JustName(design.szHookName));
    if (exe.bBackDrop && design.backdrop.Name[0])
        named.push_back("bin\\" + JustName(design.backdrop.Name));
    if (exe.bSETUPTXT)
        named.push_back(std::string("bin\\") + OVERRIDE_FILE);
    if (exe.szHelpFile[0])
        named.push_back("bin\\" + JustName(exe.szHelpFile));
    if (exe.szBitMapName[0])
        named.push_back("bin\\" + JustName(exe.szBitMapName));
    if (exe.bUninstall)
        named.push_back(std::string("bin\\") + UNINSTALLER);
    for (const THING* pThing : design.things.things)
        if (pThing && (pThing->pFile || pThing->pDir))
            named.push_back(ThingPath(design, *pThing));
    for (int i = 0; i < MAX_DISKS; ++i)
        if (design.disks.fPresent[i])
            named.push_back(Marker(i));
    return named;
}

bool MEDIA_Build(DESIGN* pDesign, const std::vector<MEDIAFILE>& files, const MEDIAROOTS& roots, std::string* pReport) {
    bool fOk = true;
    const std::map<std::string, const MEDIAFILE*> byPath = ByPath(files);
    for (const std::string& named : MEDIA_Named(*pDesign)) {
        const bool fWritten = named == DESIGN_FILE || named.compare(0, 5, "disk.") == 0;
        const THING* pDir = nullptr;
        for (const THING* pThing : pDesign->things.things)
            if (pThing && pThing->pDir && Folded(ThingPath(*pDesign, *pThing)) == Folded(named))
                pDir = pThing;
        int64_t llSize = 0;
        const bool fListed = byPath.count(Folded(named)) || (pDir && ThingSize(*pDesign, *pDir, files, roots, &llSize));
        if (!fWritten && !fListed) {
            *pReport += "not in the contents: " + named + ", which the design names\n";
            fOk = false;
        }
    }
    for (const MEDIAFILE& file : files)
        fOk = Produce(file, roots, pReport) && fOk;
    SetSizes(pDesign, files, roots);
    for (int i = 0; i < MAX_DISKS; ++i) {
        if (pDesign->disks.fPresent[i] &&
            !WriteWhole(HostPath(roots.media, Marker(i)), std::string(pDesign->disks.diskarr[i].szName) + "\r\n")) {
            *pReport += "cannot write " + HostPath(roots.media, Marker(i)).string() + "\n";
            fOk = false;
        }
    }
    if (!WriteWhole(HostPath(roots.media, DESIGN_FILE), DESIGNWRITE_Bytes(*pDesign))) {
        *pReport += "cannot write " + HostPath(roots.media, DESIGN_FILE).string() + "\n";
        fOk = false;
    }
    return fOk;
}

bool MEDIA_Check(const std::vector<MEDIAFILE>& files, const MEDIAROOTS& roots, std::string* pReport) {
    std::unique_ptr<DESIGN, void (*)(DESIGN*)> pDesign(DESIGN_Construct(), DESIGN_Destroy);
    if (!pDesign)
        return false;
    const std::string designFile = HostPath(roots.media, DESIGN_FILE).string();
    s_loadReports.clear();
    const DIAG_OUTPUTSINK pfnPrevious = DIAG_SetOutputSink(CollectReport);
    const int nResult = DESIGN_Open(pDesign.get(), designFile.c_str());
    DIAG_SetOutputSink(pfnPrevious);
    if (nResult != DESIGN_LOADED) {
        *pReport += "the engine refuses the design file " + designFile + ":\n" + s_loadReports;
        return false;
    }
    std::set<std::string> faulty;
    const auto Fault = [&](const std::string& path, const std::string& text) {
        if (faulty.insert(Folded(path)).second)
            *pReport += text + "\n";
    };
    std::error_code error;
    for (const std::string& named : MEDIA_Named(*pDesign))
        if (!std::filesystem::exists(HostPath(roots.media, named), error))
            Fault(named, "missing: " + named + ", which the design names");
    for (const THING* pThing : pDesign->things.things) {
        int64_t llSize = 0;
        if (pThing && pThing->pFile && ThingSize(*pDesign, *pThing, files, roots, &llSize) &&
            llSize != pThing->pFile->lSize)
            Fault(ThingPath(*pDesign, *pThing), "the design gives " + ThingPath(*pDesign, *pThing) + " " +
                                                    std::to_string(pThing->pFile->lSize) + " bytes, its file holds " +
                                                    std::to_string(llSize));
    }
    for (const MEDIAFILE& file : files) {
        std::string source, written, expanded;
        char chLast = 0;
        if (!ReadWhole(HostPath(roots.media, file.mediaPath), &written))
            Fault(file.mediaPath, "missing: " + file.mediaPath);
        else if (!ReadWhole(SourcePath(file, roots), &source))
            Fault(file.mediaPath, "no source to compare: " + SourcePath(file, roots).string());
        else if (file.fCompressed && !SZDD_Expand(written, &expanded, &chLast))
            Fault(file.mediaPath, "not compressed: " + file.mediaPath);
        else if ((file.fCompressed ? expanded : written) != source)
            Fault(file.mediaPath,
                  "differs from its source: " + file.mediaPath + " (" + SourcePath(file, roots).string() + ")");
    }
    return faulty.empty();
}
