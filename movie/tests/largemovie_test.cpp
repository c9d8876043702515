// A movie of more than 4 GB: media data in the extended size form, written as a sparse file with a marker at
// each chunk, and a "co64" table pointing beyond 4 GB. The conversion must copy the media data whole and move
// every offset to its marker.
#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <cstdio>
#include <string>
#include <vector>

#include "movie/qtfast.h"
#include "testing/moviefixture/moviefixture.h"
#include "testing/testsupport/tempfolder.h"

namespace {

using std::string;

const uint64_t CBPAYLOAD = (uint64_t(1) << 32) + 3 * 4096 + 123;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

string Marker(uint64_t qwOffset) {
    return "chunk@" + std::to_string(qwOffset);
}

// The sparse source: mdat (16-byte header) with markers at the given payload offsets, then the movie atom.
bool WriteSource(const string& path, const std::vector<uint64_t>& chunks, const string& moov) {
    FILE* pFile = fopen(path.c_str(), "wb");
    if (!pFile)
        return false;
    bool fOk = fwrite((MOVIEFIXTURE_DWORD(1) + "mdat" + MOVIEFIXTURE_QWORD(16 + CBPAYLOAD)).data(), 16, 1, pFile) == 1;
    for (uint64_t qwChunk : chunks) {
        const string marker = Marker(qwChunk);
        fOk =
            fOk && fseeko(pFile, off_t(qwChunk), SEEK_SET) == 0 && fwrite(marker.data(), marker.size(), 1, pFile) == 1;
    }
    fOk = fOk && fseeko(pFile, off_t(16 + CBPAYLOAD), SEEK_SET) == 0 && fwrite(moov.data(), moov.size(), 1, pFile) == 1;
    return fclose(pFile) == 0 && fOk;
}

string ReadAt(const string& path, uint64_t qwOffset, size_t cb) {
    string bytes(cb, '\0');
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return "";
    const bool fOk = fseeko(pFile, off_t(qwOffset), SEEK_SET) == 0 && fread(&bytes[0], cb, 1, pFile) == 1;
    fclose(pFile);
    return fOk ? bytes : "";
}

class CProgress : public CQTFast {
public:
    void UI_SetRange(uint32_t dwTotal) override { m_ranges.push_back(dwTotal); }
    void UI_SetPosition(uint32_t dwDone) override { m_dwLast = dwDone; }
    std::vector<uint32_t> m_ranges;
    uint32_t m_dwLast = 0;
};

TEST(LargeMovie, MediaDataBeyond4GBIsCopiedWholeAndEveryOffsetFollows) {
    struct statvfs fs;
    const uint64_t cbNeeded = 2 * CBPAYLOAD + (uint64_t(256) << 20);
    if (statvfs(TEMPFOLDER_Program().Path().c_str(), &fs) != 0 || uint64_t(fs.f_bavail) * fs.f_frsize < cbNeeded)
        GTEST_SKIP() << "the temporary folder cannot hold two movies of more than 4 GB";

    const std::vector<uint64_t> low = {16, 16 + 4096};
    const std::vector<uint64_t> high = {(uint64_t(1) << 32) - 3, (uint64_t(1) << 32) + 4096, 16 + CBPAYLOAD - 20};
    const string moov = MOVIEFIXTURE_Movie({MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_STCO, low)),
                                            MOVIEFIXTURE_Track(MOVIEFIXTURE_ChunkOffsets(QTATOM_CO64, high))});
    const string source = Scratch("source.mov"), destination = Scratch("destination.mov");
    std::vector<uint64_t> chunks = low;
    chunks.insert(chunks.end(), high.begin(), high.end());
    if (!WriteSource(source, chunks, moov)) {
        std::remove(source.c_str());
        GTEST_SKIP() << "the file system cannot hold a sparse file of more than 4 GB";
    }

    CProgress fast;
    const bool fConverted = fast.VroonSourceMovieToDestination(source.c_str(), destination.c_str());
    std::remove(source.c_str());
    ASSERT_TRUE(fConverted);
    // The media data's range does not fit 32 bits: it is reported in a unit that does, and runs to the end.
    ASSERT_EQ(2u, fast.m_ranges.size());
    EXPECT_EQ(uint32_t(moov.size()), fast.m_ranges[0]);
    EXPECT_EQ(uint32_t((16 + CBPAYLOAD) >> 1), fast.m_ranges[1]);
    EXPECT_EQ(fast.m_ranges[1], fast.m_dwLast);

    EXPECT_EQ(moov.substr(0, 8), ReadAt(destination, 0, 8));
    EXPECT_EQ(MOVIEFIXTURE_DWORD(1) + "mdat" + MOVIEFIXTURE_QWORD(16 + CBPAYLOAD),
              ReadAt(destination, moov.size(), 16));
    EXPECT_EQ("", ReadAt(destination, moov.size() + 16 + CBPAYLOAD, 1)) << "nothing after the media data";
    CQTFile output;
    ASSERT_TRUE(output.OpenRead(destination.c_str()));
    CQTAtom outMoov, trak, mdia, minf, stbl;
    ASSERT_TRUE(FindAtom(&outMoov, QTATOM_MOOV, &output));
    size_t nChunk = 0;
    for (bool f = outMoov.FindChild(&output, &trak, QTATOM_TRAK); f;
         f = outMoov.FindNextSibling(&output, &trak, QTATOM_TRAK)) {
        CQTChunkOffsetAtom table;
        ASSERT_TRUE(trak.FindChild(&output, &mdia, QTATOM_MDIA) && mdia.FindChild(&output, &minf, QTATOM_MINF) &&
                    minf.FindChild(&output, &stbl, QTATOM_STBL));
        ASSERT_TRUE(stbl.FindChild(&output, &table, QTATOM_STCO) || stbl.FindChild(&output, &table, QTATOM_CO64));
        for (uint32_t i = 0; i < table.m_dwEntries; ++i, ++nChunk) {
            SCOPED_TRACE(nChunk);
            EXPECT_EQ(chunks[nChunk] + moov.size(), table.m_pdwOffsets[i]);
            const string marker = Marker(chunks[nChunk]);
            EXPECT_EQ(marker, ReadAt(destination, table.m_pdwOffsets[i], marker.size()));
        }
    }
    EXPECT_EQ(chunks.size(), nChunk);
    output.Close();
    std::remove(destination.c_str());
}

}  // namespace
