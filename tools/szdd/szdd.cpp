// szdd: writes SZDD compressed files that the LZ library expands to their original names, and expands them.
// Run szdd --help for its use.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "setup/szdd.h"
#include "toolkit/mfx.h"

MFX_DEFINE_STARTUP()

namespace {

const char USAGE[] =
    "Usage: szdd [-d] [-o DIR] FILE...\n"
    "\n"
    "Without -d, writes each FILE compressed beside it (or into DIR), the last character of its name replaced\n"
    "by \"_\" and stored in the file, so the LZ library expands it to its original name: SETUP.EXE becomes\n"
    "SETUP.EX_; a shorter extension gets \"_\" appended (A.TX_), a name without one \"._\" (README._).\n"
    "With -d, expands each compressed FILE to the name it stands for: SETUP.EX_ to SETUP.EXE.\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read, written or expanded, 2 wrong usage.\n";

bool ReadWhole(const std::string& path, std::string* pBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *pBytes = bytes.str();
    return !in.bad();
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    const bool fOk = fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    return fclose(pFile) == 0 && fOk;
}

std::string JustName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Folder(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

int One(const std::string& path, bool fExpand, const std::string& folder) {
    std::string bytes, out;
    if (!ReadWhole(path, &bytes)) {
        fprintf(stderr, "szdd: cannot read %s\n", path.c_str());
        return 1;
    }
    char chLast = '\0';
    std::string name;
    if (fExpand) {
        if (!SZDD_Expand(bytes, &out, &chLast)) {
            fprintf(stderr, "szdd: %s is not a whole SZDD compressed file\n", path.c_str());
            return 1;
        }
        name = SZDD_ExpandedName(JustName(path), chLast);
    } else {
        name = SZDD_CompressedName(JustName(path), &chLast);
        out = SZDD_Compress(bytes, chLast);
    }
    const std::string target = (folder.empty() ? Folder(path) : folder) + name;
    if (!WriteWhole(target, out)) {
        fprintf(stderr, "szdd: cannot write %s\n", target.c_str());
        return 1;
    }
    printf("%s -> %s\n", path.c_str(), target.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool fExpand = false;
    std::string folder;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            fputs(USAGE, stdout);
            return 0;
        }
        if (strcmp(argv[i], "-d") == 0) {
            fExpand = true;
        } else if (strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            folder = argv[++i];
            if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
                folder += '/';
        } else if (argv[i][0] == '-' && argv[i][1]) {
            fputs(USAGE, stderr);
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        fputs(USAGE, stderr);
        return 2;
    }
    int nExit = 0;
    for (const std::string& file : files)
        nExit |= One(file, fExpand, folder);
    return nExit;
}
