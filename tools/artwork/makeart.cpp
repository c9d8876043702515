// Draws the batch list's icons and cursors and writes them as ".ico" and ".cur" files, so the artwork is
// made by this program rather than kept only as binaries. Each picture is a 32 x 32 grid of letters: the
// icons use the 16 standard colours, the cursors are black and white with a hot spot.
//
//   makeart DIR           writes every file into DIR
//   makeart --check DIR   exits 1 unless every file in DIR has exactly the bytes this program makes
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const int SIZE = 32;

// Rows from the top; rows left out at the bottom are transparent.
struct PICTURE {
    const char* szFile;
    bool fCursor;
    int xHotSpot, yHotSpot;
    std::vector<const char*> rows;
};

// "." transparent; K black, W white, R red, G green, C grey, B teal (the standard palette's entries).
int ColourIndex(char ch) {
    switch (ch) {
        case 'K':
            return 0;
        case 'G':
            return 2;
        case 'B':
            return 6;
        case 'C':
            return 8;
        case 'R':
            return 9;
        case 'W':
            return 15;
        default:
            return -1;
    }
}

const uint8_t PALETTE16[16][3] = {
    // red, green, blue
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

const std::vector<PICTURE> PICTURES = {
    // 111: a movie not yet in fast-start form: its description (red) trails the frames.
    {"notfast.ico",
     false,
     0,
     0,
     {
         "................................",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KWWKKWWKKWWKKWWKKWWKKWWK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KCCCCCKCCCCCKCCCCCKRRRRK........",
         "KCBBBCKCBBBCKCBBBCKRRRRK........",
         "KCBBBCKCBBBCKCBBBCKRWWRK........",
         "KCBBBCKCBBBCKCBBBCKRRRRK........",
         "KCBBBCKCBBBCKCBBBCKRWWRK........",
         "KCBBBCKCBBBCKCBBBCKRRRRK........",
         "KCBBBCKCBBBCKCBBBCKRWWRK........",
         "KCBBBCKCBBBCKCBBBCKRRRRK........",
         "KCCCCCKCCCCCKCCCCCKRRRRK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KWWKKWWKKWWKKWWKKWWKKWWK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
     }},
    // 112: a fast-start movie: its description (green) leads the frames.
    {"fast.ico",
     false,
     0,
     0,
     {
         "................................",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KWWKKWWKKWWKKWWKKWWKKWWK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KGGGGKCCCCCKCCCCCKCCCCCK........",
         "KGGGGKCBBBCKCBBBCKCBBBCK........",
         "KGWWGKCBBBCKCBBBCKCBBBCK........",
         "KGGGGKCBBBCKCBBBCKCBBBCK........",
         "KGWWGKCBBBCKCBBBCKCBBBCK........",
         "KGGGGKCBBBCKCBBBCKCBBBCK........",
         "KGWWGKCBBBCKCBBBCKCBBBCK........",
         "KGGGGKCBBBCKCBBBCKCBBBCK........",
         "KGGGGKCCCCCKCCCCCKCCCCCK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
         "KWWKKWWKKWWKKWWKKWWKKWWK........",
         "KKKKKKKKKKKKKKKKKKKKKKKK........",
     }},
    // 4: the insertion marker; its window shows the left half, the arrow tip on the insertion line.
    {"marker.ico",
     false,
     0,
     0,
     {
         "................................", "................................", "................................",
         "................................", "................................", "................................",
         "................................", "................................", "................................",
         "........K.......................", "........KK......................", "........KRK.....................",
         "........KRRK....................", "........KRRRK...................", "........KRRRRK..................",
         ".KKKKKKKRRRRRRK.................", ".KRRRRRRRRRRRRRK................", ".KKKKKKKRRRRRRK.................",
         "........KRRRRK..................", "........KRRRK...................", "........KRRK....................",
         "........KRK.....................", "........KK......................", "........K.......................",
     }},
    // 134: the pointer over a valid insertion point.
    {"insert.cur",
     true,
     0,
     0,
     {
         "K...............................", "KK..............................", "KWK.............................",
         "KWWK............................", "KWWWK...........................", "KWWWWK..........................",
         "KWWWWWK.........................", "KWWWWWWK........................", "KWWWWWWWK.......................",
         "KWWWWWWWWK......................", "KWWWWWKKKKK.....................", "KWWKWWK.........................",
         "KWK.KWWK........................", "KK..KWWK........................", "K....KWWK.......................",
         ".....KWWK.......................", "......KK........................", ".........KK.....................",
         ".........KWK....................", ".........KWWKKKKKKKKKKKKK.......", ".........KWWWWWWWWWWWWWWK.......",
         ".........KWWKKKKKKKKKKKKK.......", ".........KWK....................", ".........KK.....................",
     }},
    // 135: the pointer where nothing can be inserted.
    {"noinsert.cur",
     true,
     0,
     0,
     {
         "K...............................", "KK..............................", "KWK.............................",
         "KWWK............................", "KWWWK...........................", "KWWWWK..........................",
         "KWWWWWK.........................", "KWWWWWWK........................", "KWWWWWWWK.......................",
         "KWWWWWWWWK......................", "KWWWWWKKKKK.....................", "KWWKWWK.........................",
         "KWK.KWWK........................", "KK..KWWK........................", "K....KWWK........WWWWWW.........",
         ".....KWWK......WWKKKKKKWW.......", "......KK......WWKKKKKKKKWW......", ".............WWKKKWWWWKKKWW.....",
         ".............WKKKKW..WWKKKW.....", "............WKKKKKKW...WKKKW....", "............WKKWWKKKW..WWKKW....",
         "............WKKW.WKKKW..WKKW....", "............WKKW..WKKKW.WKKW....", "............WKKWW..WKKKWWKKW....",
         "............WKKKW...WKKKKKKW....", ".............WKKKWW..WKKKKW.....", ".............WWKKKWWWWKKKWW.....",
         "..............WWKKKKKKKKWW......", "...............WWKKKKKKWW.......", ".................WWWWWW.........",
     }},
};

class CBytes {
public:
    void Byte(unsigned n) { m_bytes.push_back(static_cast<uint8_t>(n)); }
    void Word(unsigned n) { Byte(n & 0xFF), Byte(n >> 8 & 0xFF); }
    void Dword(unsigned n) { Word(n & 0xFFFF), Word(n >> 16); }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

char At(const PICTURE& picture, int x, int y) {
    return static_cast<size_t>(y) < picture.rows.size() ? picture.rows[y][x] : '.';
}

// One image of an icon or cursor file: a bitmap header of twice the height, the palette, the colour
// bitmap and the transparency mask, both bottom-up with rows padded to four bytes.
std::vector<uint8_t> MakeFile(const PICTURE& picture) {
    const int nBits = picture.fCursor ? 1 : 4;
    const int nColours = 1 << nBits;
    const int cbColourRow = (SIZE * nBits + 31) / 32 * 4;
    const int cbMaskRow = (SIZE + 31) / 32 * 4;
    const int cbImage = 40 + nColours * 4 + SIZE * (cbColourRow + cbMaskRow);

    CBytes out;
    out.Word(0);
    out.Word(picture.fCursor ? 2 : 1);
    out.Word(1);
    out.Byte(SIZE), out.Byte(SIZE), out.Byte(picture.fCursor ? 0 : nColours), out.Byte(0);
    out.Word(picture.fCursor ? picture.xHotSpot : 1);
    out.Word(picture.fCursor ? picture.yHotSpot : nBits);
    out.Dword(cbImage);
    out.Dword(22);

    out.Dword(40), out.Dword(SIZE), out.Dword(2 * SIZE), out.Word(1), out.Word(nBits);
    out.Dword(0), out.Dword(SIZE * (cbColourRow + cbMaskRow)), out.Dword(0), out.Dword(0), out.Dword(0);
    out.Dword(0);
    for (int i = 0; i < nColours; ++i) {
        const uint8_t* rgb = picture.fCursor ? PALETTE16[i ? 15 : 0] : PALETTE16[i];
        out.Byte(rgb[2]), out.Byte(rgb[1]), out.Byte(rgb[0]), out.Byte(0);
    }
    for (int y = SIZE - 1; y >= 0; --y) {
        std::vector<uint8_t> row(cbColourRow, 0);
        for (int x = 0; x < SIZE; ++x) {
            const int nIndex = ColourIndex(At(picture, x, y));
            const int nValue = nIndex < 0 ? 0 : picture.fCursor ? (nIndex == 15) : nIndex;
            const int nBit = x * nBits;
            row[nBit / 8] |= static_cast<uint8_t>(nValue << (8 - nBits - nBit % 8));
        }
        for (uint8_t b : row)
            out.Byte(b);
    }
    for (int y = SIZE - 1; y >= 0; --y) {
        std::vector<uint8_t> row(cbMaskRow, 0);
        for (int x = 0; x < SIZE; ++x) {
            if (ColourIndex(At(picture, x, y)) < 0)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> x % 8);
        }
        for (uint8_t b : row)
            out.Byte(b);
    }
    return out.Get();
}

}  // namespace

int main(int argc, char** argv) {
    const bool fCheck = argc == 3 && strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !fCheck) {
        fprintf(stderr, "usage: makeart [--check] DIR\n");
        return 2;
    }
    const std::string sDir = argv[argc - 1];
    int nStatus = 0;
    for (const PICTURE& picture : PICTURES) {
        for (const char* szRow : picture.rows) {
            if (strlen(szRow) != SIZE) {
                fprintf(stderr, "makeart: %s has a row of %zu letters\n", picture.szFile, strlen(szRow));
                return 2;
            }
        }
        const std::vector<uint8_t> bytes = MakeFile(picture);
        const std::string sPath = sDir + "/" + picture.szFile;
        if (fCheck) {
            std::ifstream in(sPath, std::ios::binary);
            const std::vector<uint8_t> stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (stored != bytes) {
                fprintf(stderr, "makeart: %s differs from what this program draws\n", sPath.c_str());
                nStatus = 1;
            }
        } else {
            std::ofstream out(sPath, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                fprintf(stderr, "makeart: cannot write %s\n", sPath.c_str());
                nStatus = 1;
            }
        }
    }
    return nStatus;
}
