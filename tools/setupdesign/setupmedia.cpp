// setupmedia: lays out distribution media from a text design and a contents list, then checks them. Run
// setupmedia --help for its use.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "setup/design.h"
#include "toolkit/mfx.h"
#include "tools/setupdesign/designcmd.h"
#include "tools/setupdesign/designmedia.h"
#include "tools/setupdesign/designtext.h"

MFX_DEFINE_STARTUP()

namespace {

const char USAGE[] =
    "Usage: setupmedia DESIGN.txt CONTENTS.txt BUILD REPOSITORY MEDIA\n"
    "\n"
    "Writes the distribution media of the text design into the folder MEDIA: each file of the contents list\n"
    "(\"MEDIA\\PATH = compressed|plain build|source PATH\", the source below the folder BUILD or REPOSITORY),\n"
    "compressed ones in the SZDD format; the design compiled into bin\\SETUP.INI with the sizes of the files,\n"
    "collections and disks taken from the sources; a marker file disk.a, disk.b, ... per disk. Then checks\n"
    "the media: the design file loads, every file the design names is there, every file holds its source.\n"
    "\n"
    "Exit status: 0 done, 1 a file missing or wrong (each is named), 2 wrong usage or a bad text.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (argc != 6) {
        fputs(USAGE, stderr);
        return 2;
    }
    std::string designText, contentsText, error;
    if (!DESIGNCMD_ReadFile(argv[1], &designText) || !DESIGNCMD_ReadFile(argv[2], &contentsText)) {
        fprintf(stderr, "setupmedia: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }
    std::unique_ptr<DESIGN, void (*)(DESIGN*)> pDesign(DESIGN_Construct(), DESIGN_Destroy);
    if (!pDesign || !DESIGNTEXT_Parse(designText, pDesign.get(), &error)) {
        fprintf(stderr, "%s:%s\n", argv[1], error.c_str());
        return 2;
    }
    std::vector<MEDIAFILE> files;
    if (!MEDIA_ParseContents(contentsText, &files, &error)) {
        fprintf(stderr, "%s:%s\n", argv[2], error.c_str());
        return 2;
    }
    const MEDIAROOTS roots = {argv[3], argv[4], argv[5]};
    std::string report;
    const bool fBuilt = MEDIA_Build(pDesign.get(), files, roots, &report);
    const bool fChecked = MEDIA_Check(files, roots, &report);
    fputs(report.c_str(), stderr);
    if (!fBuilt || !fChecked) {
        fprintf(stderr, "setupmedia: the media in %s are incomplete\n", argv[5]);
        return 1;
    }
    std::error_code failure;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[5], failure))
        if (entry.is_regular_file())
            printf("%10ju  %s\n", static_cast<uintmax_t>(entry.file_size()),
                   std::filesystem::relative(entry.path(), argv[5]).string().c_str());
    printf("setupmedia: %s checked against %s\n", argv[5], argv[1]);
    return 0;
}
