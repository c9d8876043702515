#include "vroonopts.h"

#include <cstring>

namespace {

const char s_szHelp[] =
    "Usage: vroon [options] MOVIE...\n"
    "       vroon [options] SOURCE -o DEST\n"
    "\n"
    "Rewrites QuickTime and MP4 movies into fast-start form: the movie header (moov) before the media data\n"
    "(mdat), so that playback can begin while the file downloads. Each MOVIE is converted in place; with -o\n"
    "the fast-start form of SOURCE is written to the new file DEST and SOURCE is left as it is.\n"
    "\n"
    "In place, where the file system can insert a range into a file (ext4, XFS), the new moov is inserted at\n"
    "the front of the movie and no media data is read or written: the conversion costs a write of moov,\n"
    "whatever the size of the movie (\"in place, no data moved\"). Elsewhere (tmpfs, FAT, network file\n"
    "systems, Windows), or for a movie whose front atoms are too large, the movie is copied (\"by copy\").\n"
    "With -o, where the file system also shares blocks between files (XFS with reflink), SOURCE is cloned\n"
    "into the new file and the head inserted there, moving no data either (\"by clone\").\n"
    "\n"
    "Options:\n"
    "  -o DEST        write the result to DEST (which must not exist) instead of converting in place\n"
    "  --copy         convert in place by copying to a temporary file and renaming it over the movie\n"
    "  --recover      only complete or undo the interrupted conversion of each MOVIE (see Safety)\n"
    "  --check        only report whether each movie is in fast-start form; change nothing\n"
    "  --layout       only print each movie's top-level atoms with their offsets and sizes\n"
    "  --tree         with --layout: print the atom tree (the containers' children) as well\n"
    "  --classic      convert by the classic rules: only a movie whose mdat is its first atom, written as\n"
    "                 moov and that mdat alone (every other atom is dropped)\n"
    "  --keep-free    keep top-level free and skip atoms (the default)\n"
    "  --drop-free    leave top-level free and skip atoms out of the result (converts by copy)\n"
    "  -q, --quiet    print nothing but errors\n"
    "  -h, --help     print this text\n"
    "  --version      print the version\n"
    "\n"
    "Atoms in front of the first mdat (ftyp, wide, free, ...) stay in front; moov follows them; every other\n"
    "atom keeps its order. Only chunk offsets change, and 32-bit offsets that no longer fit become 64-bit\n"
    "tables. A movie already in fast-start form is left alone. Fragmented movies and compressed movie\n"
    "headers are refused.\n"
    "\n"
    "Safety: by insertion, the result is checked before the movie is touched, and a journal beside it\n"
    "(MOVIE.vroon-journal) records what is needed to finish or undo the conversion; it is removed once the\n"
    "movie is converted and flushed to the disk. A run killed or cut off by a power failure leaves the\n"
    "journal: the next vroon run on the movie, or vroon --recover MOVIE, first completes or undoes that\n"
    "conversion and says which. A damaged journal, or one of another movie, is refused and the movie left\n"
    "alone. While the insertion runs (milliseconds), another program reading the movie may see it change;\n"
    "--copy avoids that: the movie is replaced by its converted form in one rename.\n"
    "By copy, the result is written to MOVIE.vroon-tmp (DEST.vroon-tmp with -o) beside it, flushed to the\n"
    "disk, read back and checked, and only then renamed over the movie in one step. The movie is never\n"
    "changed before that rename; on an error or an interrupt the temporary file is removed. A temporary\n"
    "file left by a killed run can be deleted: the movie under its own name is complete.\n"
    "\n"
    "Exit status:\n"
    "  0  every movie ends in fast-start form (converted, or already fast-start and left alone);\n"
    "     with --check every movie is in fast-start form; with --layout every movie was listed;\n"
    "     with --recover no journal was refused and none could not be finished\n"
    "  1  at least one movie could not be converted, checked, listed or recovered (the reason is printed)\n"
    "  2  the command line is wrong\n"
    "  3  with --check: at least one movie is not in fast-start form (and none failed)\n";

bool IsOption(const char* szArg, const char* szShort, const char* szLong) {
    return (szShort && strcmp(szArg, szShort) == 0) || strcmp(szArg, szLong) == 0;
}

}  // namespace

bool VROONOPTS_Parse(int argc, const char* const* argv, VROON_OPTIONS* pOptions, std::string* pError) {
    VROON_OPTIONS options;
    bool fFreeChosen = false, fOutput = false, fOnlyMovies = false;
    int nModes = 0;
    auto Fail = [pError](const std::string& error) {
        *pError = error;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const char* szArg = argv[i];
        if (fOnlyMovies || szArg[0] != '-' || szArg[1] == '\0') {
            options.movies.push_back(szArg);
        } else if (strcmp(szArg, "--") == 0) {
            fOnlyMovies = true;
        } else if (IsOption(szArg, "-h", "--help")) {
            options.mode = VROON_MODE_HELP;
        } else if (IsOption(szArg, nullptr, "--version")) {
            options.mode = VROON_MODE_VERSION;
        } else if (IsOption(szArg, nullptr, "--check")) {
            options.mode = VROON_MODE_CHECK;
            ++nModes;
        } else if (IsOption(szArg, nullptr, "--layout")) {
            options.mode = VROON_MODE_LAYOUT;
            ++nModes;
        } else if (IsOption(szArg, nullptr, "--recover")) {
            options.mode = VROON_MODE_RECOVER;
            ++nModes;
        } else if (IsOption(szArg, nullptr, "--copy")) {
            options.fCopy = true;
        } else if (IsOption(szArg, nullptr, "--tree")) {
            options.fTree = true;
        } else if (IsOption(szArg, nullptr, "--classic")) {
            options.fClassic = true;
        } else if (IsOption(szArg, nullptr, "--keep-free") || IsOption(szArg, nullptr, "--drop-free")) {
            const bool fDrop = strcmp(szArg, "--drop-free") == 0;
            if (fFreeChosen && options.fDropFree != fDrop)
                return Fail("--keep-free and --drop-free exclude each other");
            options.fDropFree = fDrop;
            fFreeChosen = true;
        } else if (IsOption(szArg, "-q", "--quiet")) {
            options.fQuiet = true;
        } else if (IsOption(szArg, "-o", "--output")) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return Fail("-o needs the name of the file to write");
            if (fOutput)
                return Fail("-o may be given once");
            options.output = argv[++i];
            fOutput = true;
        } else {
            return Fail(std::string("unknown option ") + szArg);
        }
    }
    if (options.mode == VROON_MODE_HELP || options.mode == VROON_MODE_VERSION) {
        *pOptions = options;
        return true;
    }
    if (nModes > 1)
        return Fail("--check, --layout and --recover exclude each other");
    if (options.fTree && options.mode != VROON_MODE_LAYOUT)
        return Fail("--tree goes with --layout");
    if (options.movies.empty())
        return Fail("no movie given");
    if (fOutput && options.movies.size() != 1)
        return Fail("-o takes exactly one SOURCE");
    if (fOutput && options.mode != VROON_MODE_CONVERT)
        return Fail("-o goes with a conversion, not with --check, --layout or --recover");
    if (options.fCopy && (fOutput || options.mode != VROON_MODE_CONVERT || options.fClassic))
        return Fail("--copy goes with a conversion in place (-o and --classic always write a new file)");
    if (options.fClassic && fFreeChosen)
        return Fail("--classic drops every atom but moov and mdat; --keep-free and --drop-free do not apply");
    *pOptions = options;
    return true;
}

const char* VROONOPTS_HelpText() {
    return s_szHelp;
}

const char* VROONOPTS_VersionText() {
    return "vroon 1.0\n";
}
