// The checks that stand between a bitmap file or resource and the platform's bitmap calls.
#include "setupext/orvadrop/dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

void PutDword(std::vector<uint8_t>* p, size_t at, uint32_t n) {
    for (int i = 0; i < 4; ++i)
        (*p)[at + i] = static_cast<uint8_t>(n >> (8 * i));
}
void PutWord(std::vector<uint8_t>* p, size_t at, uint16_t n) {
    (*p)[at] = static_cast<uint8_t>(n);
    (*p)[at + 1] = static_cast<uint8_t>(n >> 8);
}

// A bitmap file: a 5 x 3 picture at nBits bits per pixel with nUsed colours (0: the full table).
std::vector<uint8_t> BitmapFile(uint16_t nBits, uint32_t nUsed = 0) {
    const uint32_t nColours = nBits <= 8 ? (nUsed ? nUsed : 1u << nBits) : nUsed;
    const uint32_t cbRow = ((5 * nBits + 31) / 32) * 4;
    std::vector<uint8_t> file(14 + 40 + nColours * 4 + cbRow * 3, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(&file, 2, static_cast<uint32_t>(file.size()));
    PutDword(&file, 10, 14 + 40 + nColours * 4);
    PutDword(&file, 14, 40);
    PutDword(&file, 18, 5);
    PutDword(&file, 22, 3);
    PutWord(&file, 26, 1);
    PutWord(&file, 28, nBits);
    PutDword(&file, 46, nUsed);
    return file;
}

TEST(Dib, SoundBitmapsAreAccepted) {
    struct CASE {
        uint16_t nBits;
        uint32_t nUsed;
        uint32_t nColours;
        size_t cbBits;
    } cases[] = {
        {1, 0, 2, 12}, {4, 0, 16, 12}, {8, 0, 256, 24}, {8, 16, 16, 24}, {24, 0, 0, 48}, {32, 0, 0, 60},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nBits << " bits, " << c.nUsed << " used");
        const std::vector<uint8_t> file = BitmapFile(c.nBits, c.nUsed);
        size_t cbBitsAt = 0;
        DIB_INFO info;
        ASSERT_TRUE(DIB_CheckFile(file.data(), file.size(), &cbBitsAt, &info));
        EXPECT_EQ(5, info.cx);
        EXPECT_EQ(3, info.cy);
        EXPECT_EQ(c.nColours, info.nColours);
        EXPECT_EQ(40 + 4 * c.nColours, info.cbTable);
        EXPECT_EQ(c.cbBits, info.cbBits);
        EXPECT_EQ(14 + info.cbTable, cbBitsAt);
        EXPECT_EQ(info.cbTable, DIB_BitsOffset(file.data() + 14));
        // The same bytes without the file header are a sound packed DIB.
        EXPECT_TRUE(DIB_Check(file.data() + 14, file.size() - 14, nullptr));
    }
}

TEST(Dib, TopDownRowsAndAGapBeforeThemAreAccepted) {
    std::vector<uint8_t> file = BitmapFile(24);
    PutDword(&file, 22, static_cast<uint32_t>(-3));
    file.insert(file.begin() + 54, 8, 0xEE);
    PutDword(&file, 10, 54 + 8);
    size_t cbBitsAt = 0;
    DIB_INFO info;
    ASSERT_TRUE(DIB_CheckFile(file.data(), file.size(), &cbBitsAt, &info));
    EXPECT_EQ(3, info.cy);
    EXPECT_EQ(62u, cbBitsAt);
}

TEST(Dib, UnsoundBitmapsAreRefused) {
    struct CASE {
        const char* szWhat;
        std::function<void(std::vector<uint8_t>*)> fnSpoil;
    } cases[] = {
        {"not BM", [](std::vector<uint8_t>* p) { (*p)[1] = 'A'; }},
        {"short header size", [](std::vector<uint8_t>* p) { PutDword(p, 14, 12); }},
        {"header larger than the file", [](std::vector<uint8_t>* p) { PutDword(p, 14, 100000); }},
        {"two planes", [](std::vector<uint8_t>* p) { PutWord(p, 26, 2); }},
        {"zero width", [](std::vector<uint8_t>* p) { PutDword(p, 18, 0); }},
        {"negative width", [](std::vector<uint8_t>* p) { PutDword(p, 18, static_cast<uint32_t>(-5)); }},
        {"zero height", [](std::vector<uint8_t>* p) { PutDword(p, 22, 0); }},
        {"huge height", [](std::vector<uint8_t>* p) { PutDword(p, 22, 0x7FFFFFFF); }},
        {"7 bits per pixel", [](std::vector<uint8_t>* p) { PutWord(p, 28, 7); }},
        {"run-length compressed", [](std::vector<uint8_t>* p) { PutDword(p, 30, 1); }},
        {"more colours than 8 bits hold", [](std::vector<uint8_t>* p) { PutDword(p, 46, 257); }},
        {"rows cut short", [](std::vector<uint8_t>* p) { p->resize(p->size() - 1); }},
        {"rows said to start past the end", [](std::vector<uint8_t>* p) { PutDword(p, 10, 0x10000); }},
        {"rows said to start inside the table", [](std::vector<uint8_t>* p) { PutDword(p, 10, 60); }},
        {"only a file header", [](std::vector<uint8_t>* p) { p->resize(14); }},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.szWhat);
        std::vector<uint8_t> file = BitmapFile(8);
        c.fnSpoil(&file);
        size_t cbBitsAt = 0;
        DIB_INFO info;
        EXPECT_FALSE(DIB_CheckFile(file.data(), file.size(), &cbBitsAt, &info));
    }
    EXPECT_FALSE(DIB_CheckFile(nullptr, 0, nullptr, nullptr));
    EXPECT_FALSE(DIB_Check(nullptr, 0, nullptr));
}

}  // namespace
