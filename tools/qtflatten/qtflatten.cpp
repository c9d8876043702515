// qtflatten: rewrites a movie as today's writers make it (leading "ftyp"/"wide"/"free", "mdat", "moov" last)
// into the classic flattened layout that the fast-start engine converts: "mdat" at offset 0, then "moov",
// nothing else, every chunk offset moved with the media data.
//
//   qtflatten [--co64] [--mdat64] SOURCE DESTINATION
//
// --co64 writes every chunk offset table as "co64"; --mdat64 writes the media data header in the extended
// size form. A test tool: it reads the whole movie into memory, and it walks the atoms on its own so that the
// tests do not check the engine with the engine.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Options {
    bool fCo64 = false;
    bool fMdat64 = false;
};

uint64_t GetBE(const std::string& bytes, size_t nOffset, int cb) {
    uint64_t qw = 0;
    for (int i = 0; i < cb; ++i)
        qw = qw << 8 | uint8_t(bytes.at(nOffset + i));
    return qw;
}

std::string PutBE(uint64_t qw, int cb) {
    std::string bytes(cb, '\0');
    for (int i = cb - 1; i >= 0; --i, qw >>= 8)
        bytes[i] = char(qw & 0xff);
    return bytes;
}

struct Atom {
    std::string type;
    size_t nStart, cbHeader, cbSize;  // cbSize includes the header
};

// The atom at nOffset inside [.., nEnd); false when there is none or it does not fit.
bool ReadAtom(const std::string& bytes, size_t nOffset, size_t nEnd, Atom* atom) {
    if (nEnd - nOffset < 8)
        return false;
    uint64_t qwSize = GetBE(bytes, nOffset, 4);
    atom->type = bytes.substr(nOffset + 4, 4);
    atom->nStart = nOffset;
    atom->cbHeader = 8;
    if (qwSize == 1) {
        if (nEnd - nOffset < 16)
            return false;
        qwSize = GetBE(bytes, nOffset + 8, 8);
        atom->cbHeader = 16;
    } else if (qwSize == 0) {
        qwSize = nEnd - nOffset;
    }
    if (qwSize < atom->cbHeader || qwSize > nEnd - nOffset)
        return false;
    atom->cbSize = size_t(qwSize);
    return true;
}

std::string MakeAtom(const std::string& type, const std::string& content) {
    return PutBE(8 + content.size(), 4) + type + content;
}

bool IsContainer(const std::string& type) {
    return type == "moov" || type == "trak" || type == "mdia" || type == "minf" || type == "stbl";
}

// The atom rebuilt with every chunk offset moved by nShift; containers on the way are resized.
bool Rebuild(const std::string& bytes, const Atom& atom, int64_t nShift, const Options& options, std::string* out) {
    const size_t nContent = atom.nStart + atom.cbHeader, nEnd = atom.nStart + atom.cbSize;
    if (atom.type == "stco" || atom.type == "co64") {
        const int cbEntry = atom.type == "co64" ? 8 : 4;
        if (nEnd - nContent < 8)
            return false;
        const uint64_t qwCount = GetBE(bytes, nContent + 4, 4);
        if (qwCount > (nEnd - nContent - 8) / cbEntry)
            return false;
        const int cbOut = options.fCo64 ? 8 : cbEntry;
        std::string content = bytes.substr(nContent, 8);
        for (uint64_t i = 0; i < qwCount; ++i)
            content += PutBE(GetBE(bytes, nContent + 8 + i * cbEntry, cbEntry) + nShift, cbOut);
        *out = MakeAtom(cbOut == 8 ? "co64" : "stco", content);
        return true;
    }
    if (!IsContainer(atom.type)) {
        *out = bytes.substr(atom.nStart, atom.cbSize);
        return true;
    }
    std::string content;
    for (size_t nOffset = nContent; nOffset < nEnd;) {
        Atom child;
        std::string rebuilt;
        if (!ReadAtom(bytes, nOffset, nEnd, &child) || !Rebuild(bytes, child, nShift, options, &rebuilt))
            return false;
        content += rebuilt;
        nOffset += child.cbSize;
    }
    *out = MakeAtom(atom.type, content);
    return true;
}

bool ReadFile(const char* szPath, std::string* bytes) {
    FILE* pFile = fopen(szPath, "rb");
    if (!pFile)
        return false;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes->append(buffer, n);
    fclose(pFile);
    return true;
}

bool WriteFile(const char* szPath, const std::string& bytes) {
    FILE* pFile = fopen(szPath, "wb");
    if (!pFile)
        return false;
    const bool fWritten = fwrite(bytes.data(), bytes.size(), 1, pFile) == 1;
    return fclose(pFile) == 0 && fWritten;
}

int Fail(const char* szWhat, const char* szPath) {
    fprintf(stderr, "qtflatten: %s: %s\n", szPath, szWhat);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    int nArg = 1;
    for (; nArg < argc && argv[nArg][0] == '-'; ++nArg) {
        if (strcmp(argv[nArg], "--co64") == 0)
            options.fCo64 = true;
        else if (strcmp(argv[nArg], "--mdat64") == 0)
            options.fMdat64 = true;
        else
            break;
    }
    if (argc - nArg != 2) {
        fprintf(stderr, "usage: qtflatten [--co64] [--mdat64] SOURCE DESTINATION\n");
        return 2;
    }
    const char* szSource = argv[nArg];
    const char* szDestination = argv[nArg + 1];
    std::string bytes;
    if (!ReadFile(szSource, &bytes))
        return Fail("cannot be read", szSource);
    Atom atom, mdat, moov;
    int nMdat = 0, nMoov = 0;
    for (size_t nOffset = 0; nOffset < bytes.size(); nOffset += atom.cbSize) {
        if (!ReadAtom(bytes, nOffset, bytes.size(), &atom))
            return Fail("damaged atom", szSource);
        if (atom.type == "mdat")
            mdat = atom, ++nMdat;
        else if (atom.type == "moov")
            moov = atom, ++nMoov;
    }
    if (nMdat != 1 || nMoov != 1)
        return Fail("needs exactly one mdat and one moov", szSource);

    const size_t cbPayload = mdat.cbSize - mdat.cbHeader;
    const std::string header =
        options.fMdat64 ? PutBE(1, 4) + "mdat" + PutBE(16 + cbPayload, 8) : PutBE(8 + cbPayload, 4) + "mdat";
    const int64_t nShift = int64_t(header.size()) - int64_t(mdat.nStart + mdat.cbHeader);
    std::string rebuiltMoov;
    if (!Rebuild(bytes, moov, nShift, options, &rebuiltMoov))
        return Fail("damaged movie atom", szSource);
    if (!WriteFile(szDestination, header + bytes.substr(mdat.nStart + mdat.cbHeader, cbPayload) + rebuiltMoov))
        return Fail("cannot be written", szDestination);
    return 0;
}
