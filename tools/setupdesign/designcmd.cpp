#include "tools/setupdesign/designcmd.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "setup/design.h"
#include "toolkit/diag.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designwrite.h"

namespace {

const char USAGE[] =
    "Usage: setupdesign compile DESIGN.txt setup.ini\n"
    "       setupdesign decompile setup.ini DESIGN.txt\n"
    "       setupdesign check setup.ini\n"
    "\n"
    "compile    writes the binary design file that the setup engine reads from a text design\n"
    "decompile  writes the text design of a binary design file\n"
    "check      loads a design file as the engine does and prints what it found, section by section\n"
    "\n"
    "The text design is INI-style: [Setup], [Path N], [Targets], [Target N], [Collection N], [Disks],\n"
    "[Disk N], [Things], [Thing N], [Backdrop] and [Dialogs], with key = value lines and whole-line\n"
    "comments beginning with ; or #. Keys left out take their defaults. README.md describes every key.\n"
    "\n"
    "Exit status: 0 done (check: the engine loads the file), 1 failed (bad text, a file that cannot be\n"
    "read or written, check: the engine refuses the file), 2 wrong usage.\n";

typedef std::unique_ptr<DESIGN, void (*)(DESIGN*)> CDesignPtr;

CDesignPtr NewDesign() {
    return CDesignPtr(DESIGN_Construct(), DESIGN_Destroy);
}

// The diagnostics reports of one load, collected for the check's listing.
std::string s_reports;
void CollectReport(const char* szText) {
    s_reports += szText;
}

int Load(DESIGN* pDesign, const char* szPath) {
    s_reports.clear();
    const DIAG_OUTPUTSINK pfnPrevious = DIAG_SetOutputSink(CollectReport);
    const int nResult = DESIGN_Open(pDesign, szPath);
    DIAG_SetOutputSink(pfnPrevious);
    return nResult;
}

int Compile(const char* szText, const char* szDesign, FILE* err) {
    std::string text, error;
    if (!DESIGNCMD_ReadFile(szText, &text)) {
        fprintf(err, "setupdesign: cannot read %s\n", szText);
        return DESIGNCMD_EXIT_FAILED;
    }
    CDesignPtr pDesign = NewDesign();
    if (!DESIGNTEXT_Parse(text, pDesign.get(), &error)) {
        fprintf(err, "%s:%s\n", szText, error.c_str());
        return DESIGNCMD_EXIT_FAILED;
    }
    if (!DESIGNCMD_WriteFile(szDesign, DESIGNWRITE_Bytes(*pDesign))) {
        fprintf(err, "setupdesign: cannot write %s\n", szDesign);
        return DESIGNCMD_EXIT_FAILED;
    }
    return DESIGNCMD_EXIT_OK;
}

int Decompile(const char* szDesign, const char* szText, FILE* err) {
    CDesignPtr pDesign = NewDesign();
    const int nResult = Load(pDesign.get(), szDesign);
    if (nResult != DESIGN_LOADED) {
        fprintf(err,
                "setupdesign: %s: the engine refuses this design file (result %d); setupdesign check %s "
                "shows why\n",
                szDesign, nResult, szDesign);
        return DESIGNCMD_EXIT_FAILED;
    }
    const std::string dangling = DESIGNTEXT_Dangling(*pDesign);
    if (!dangling.empty())
        fprintf(err, "setupdesign: warning: the text will not compile until these are defined:\n%s", dangling.c_str());
    if (!DESIGNCMD_WriteFile(szText, DESIGNTEXT_Format(*pDesign, false))) {
        fprintf(err, "setupdesign: cannot write %s\n", szText);
        return DESIGNCMD_EXIT_FAILED;
    }
    return DESIGNCMD_EXIT_OK;
}

void PrintSummary(const DESIGN& design, FILE* out) {
    const uint32_t dwTag = design.targets.dwTag;
    fprintf(out, "Signature: %s\n", design.szSignature);
    fprintf(out, "Hook library: %s\n", design.szHookName[0] ? design.szHookName : "(none)");
    fprintf(out, "Paths: %d (the file counts %d)\n", PATHARR_CountPresent(&design.paths), design.paths.nNumber);
    fprintf(out, "Targets: %d (the file counts %d), tag \"%c%c%c%c\"\n", TARGCOLL_CountPresent(&design.targets),
            design.targets.nNumber, static_cast<char>(dwTag), static_cast<char>(dwTag >> 8),
            static_cast<char>(dwTag >> 16), static_cast<char>(dwTag >> 24));
    fprintf(out, "Collections: %d (the file counts %d)\n", COLLECT_CountPresent(&design.collect),
            design.collect.nNumber);
    fprintf(out, "Disks: %d (the file counts %d), media of %ld bytes\n", DISK_CountPresent(&design.disks),
            design.disks.nNumber, static_cast<long>(design.disks.lMedia));
    fprintf(out, "Things: %d files and %d directories (the file counts %d and %d), %d in all\n",
            design.things.nFilesCounted, design.things.nDirsCounted, design.things.nNumFiles, design.things.nNumDirs,
            THINGCOL_CountPresent(&design.things));
    if (design.backdrop.fPresent)
        fprintf(out, "Backdrop: %s with %lu bytes of data\n", design.backdrop.Name,
                static_cast<unsigned long>(design.backdrop.PrivateDataSize));
    else
        fprintf(out, "Backdrop: %s\n", design.exe.bBackDrop ? "(not read)" : "(none)");
}

int Check(const char* szDesign, FILE* out) {
    CDesignPtr pDesign = NewDesign();
    const int nResult = Load(pDesign.get(), szDesign);
    static const char* const s_results[] = {"refused: the signature does not match",
                                            "refused: the file cannot be opened or a section fails", "loaded"};
    fprintf(out, "%s: %s (result %d)\n", szDesign, s_results[nResult], nResult);
    if (!s_reports.empty())
        fprintf(out, "Reports:\n%s", s_reports.c_str());
    if (nResult == DESIGN_BADVERSION)
        return DESIGNCMD_EXIT_FAILED;
    PrintSummary(*pDesign, out);
    fprintf(out, "\n%s", DESIGNTEXT_Format(*pDesign, true).c_str());
    return nResult == DESIGN_LOADED ? DESIGNCMD_EXIT_OK : DESIGNCMD_EXIT_FAILED;
}

}  // namespace

bool DESIGNCMD_ReadFile(const char* szPath, std::string* pBytes) {
    std::ifstream in(szPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *pBytes = bytes.str();
    return !in.bad();
}

bool DESIGNCMD_WriteFile(const char* szPath, const std::string& bytes) {
    FILE* pFile = fopen(szPath, "wb");
    if (!pFile)
        return false;
    const bool fOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && fOk;
}

int DESIGNCMD_Run(int argc, const char* const* argv, FILE* out, FILE* err) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        fputs(USAGE, out);
        return DESIGNCMD_EXIT_OK;
    }
    if (command == "compile" && argc == 4)
        return Compile(argv[2], argv[3], err);
    if (command == "decompile" && argc == 4)
        return Decompile(argv[2], argv[3], err);
    if (command == "check" && argc == 3)
        return Check(argv[2], out);
    fputs(USAGE, err);
    return DESIGNCMD_EXIT_USAGE;
}
