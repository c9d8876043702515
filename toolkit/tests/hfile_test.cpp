// File handles and binary records: the counted string, the widths and byte order, sizes and large reads. Runs
// natively on file descriptors and under Wine on the platform's simple file calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "toolkit/diag.h"
#include "toolkit/hfile.h"
#include "toolkit/hfilesys.h"

namespace {

class HFileTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (HFILE_IsOpen(m_hFile))
            HFILE_Close(m_hFile);
        std::remove(m_name.c_str());
    }
    // Writes the bytes as the file and opens it for reading.
    HFILE Open(const std::string& bytes) {
        if (HFILE_IsOpen(m_hFile))
            HFILE_Close(m_hFile);
        const HFILE hWrite = HFILE_Create(m_name.c_str());
        EXPECT_TRUE(HFILE_IsOpen(hWrite));
        EXPECT_EQ(1, HFILE_Write(hWrite, bytes.data(), static_cast<uint32_t>(bytes.size())));
        EXPECT_EQ(1, HFILE_Close(hWrite));
        m_hFile = HFILE_OpenRead(m_name.c_str());
        EXPECT_TRUE(HFILE_IsOpen(m_hFile));
        return m_hFile;
    }
    std::string ReadBack() {
        const HFILE hFile = HFILE_OpenRead(m_name.c_str());
        std::string bytes(static_cast<size_t>(HFILE_GetSize(hFile)), '\0');
        EXPECT_EQ(static_cast<int32_t>(bytes.size()), HFILE_ReadLarge(hFile, &bytes[0], bytes.size()));
        HFILE_Close(hFile);
        return bytes;
    }
    static std::string Counted(uint16_t cbLength, const std::string& text) {
        return std::string{static_cast<char>(cbLength & 0xFF), static_cast<char>(cbLength >> 8)} + text;
    }
    bool Reported() const { return m_capture.Text().find("MFX_PRE failed: in HFILE") != std::string::npos; }

    const std::string m_name = TEMPFOLDER_Program() / "hfile_test.bin";
    HFILE m_hFile = HFILE_NONE;
    CDiagCapture m_capture;
};

TEST_F(HFileTest, CountedStringsAreCutToTheBufferAndSkipped) {
    const struct {
        uint16_t cbLength;
        uint32_t cbBuffer;
        size_t cbDelivered;
    } cases[] = {
        {0, 261, 0},     {3, 261, 3}, {259, 261, 259}, {260, 261, 260}, {261, 261, 260},
        {300, 261, 260}, {5, 2, 1},   {1, 2, 1},       {65535, 13, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.cbLength) + " into " + std::to_string(c.cbBuffer));
        std::string text(c.cbLength, '\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('A' + i % 26);
        const HFILE hFile = Open(Counted(c.cbLength, text) + "thgc");
        std::vector<char> buffer(c.cbBuffer, '\x7F');
        ASSERT_EQ(1, HFILE_ReadString(hFile, buffer.data(), c.cbBuffer));
        EXPECT_EQ(text.substr(0, c.cbDelivered), std::string(buffer.data()));
        EXPECT_EQ(static_cast<int32_t>(2 + c.cbLength), HFILE_Seek(hFile, 0, HFILE_FROM_CURRENT));
        uint32_t dwTag = 0;
        EXPECT_EQ(1, HFILE_ReadDWORD(hFile, &dwTag));
        EXPECT_EQ(0x63676874u, dwTag);
    }
    EXPECT_FALSE(Reported());
}

TEST_F(HFileTest, ATruncatedCountedStringFailsWithAReport) {
    for (const std::string& bytes : {Counted(10, "ABCD"), Counted(300, std::string(100, 'x')), std::string("\x05")}) {
        SCOPED_TRACE(bytes.size());
        m_capture.Clear();
        char szBuffer[261] = "stale";
        EXPECT_EQ(0, HFILE_ReadString(Open(bytes), szBuffer, sizeof(szBuffer)));
        EXPECT_TRUE(Reported());
        EXPECT_STREQ("", szBuffer);
    }
    char szTiny[1];
    EXPECT_EQ(0, HFILE_ReadString(Open(Counted(0, "")), szTiny, sizeof(szTiny)));
}

TEST_F(HFileTest, ReadStringTracesTheTextAndItsLength) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    char szBuffer[8];
    ASSERT_EQ(1, HFILE_ReadString(Open(Counted(11, "hello world")), szBuffer, sizeof(szBuffer)));
    EXPECT_EQ("HFILE_ReadString  String : hello w\nHFILE_ReadString  Length : 7\n", m_capture.Text());
    DIAG_Terminate();
}

TEST_F(HFileTest, NumbersAreLittleEndianAndUnpadded) {
    const HFILE hFile = Open(std::string("\x74\x68\x67\x63\xFE\xFF\xFF\xFF\xFF\xFF\x01\x80\x34\x12", 14));
    uint32_t dwTag = 0;
    int32_t lValue = 0;
    int16_t nShort = 0, nNegative = 0, nPositive = 0;
    EXPECT_EQ(1, HFILE_ReadDWORD(hFile, &dwTag));
    EXPECT_EQ(0x63676874u, dwTag);
    EXPECT_EQ(1, HFILE_ReadShort(hFile, &nShort));
    EXPECT_EQ(-2, nShort);
    EXPECT_EQ(1, HFILE_ReadLONG(hFile, &lValue));
    EXPECT_EQ(-1, lValue);
    EXPECT_EQ(1, HFILE_ReadShort(hFile, &nNegative));
    EXPECT_EQ(-32767, nNegative);
    EXPECT_EQ(1, HFILE_ReadShort(hFile, &nPositive));
    EXPECT_EQ(0x1234, nPositive);
    EXPECT_EQ(0, HFILE_ReadShort(hFile, &nPositive));
    EXPECT_EQ(0x1234, nPositive);
}

TEST_F(HFileTest, WritesTheLayoutsThatTheReadsTake) {
    const HFILE hWrite = HFILE_Create(m_name.c_str());
    ASSERT_TRUE(HFILE_IsOpen(hWrite));
    EXPECT_EQ(1, HFILE_WriteDWORD(hWrite, 0x63676874u));
    EXPECT_EQ(1, HFILE_WriteShort(hWrite, -2));
    EXPECT_EQ(1, HFILE_WriteString(hWrite, "setup.ini"));
    EXPECT_EQ(1, HFILE_WriteString(hWrite, ""));
    EXPECT_EQ(0, HFILE_WriteString(hWrite, std::string(65536, 'x').c_str()));
    EXPECT_EQ(1, HFILE_Close(hWrite));
    EXPECT_EQ(std::string("thgc\xFE\xFF\x09\x00setup.ini\x00\x00", 19), ReadBack());
}

TEST_F(HFileTest, GetSizeKeepsThePosition) {
    std::string bytes(1000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i);
    const HFILE hFile = Open(bytes);
    ASSERT_EQ(100, HFILE_Seek(hFile, 100, HFILE_FROM_START));
    EXPECT_EQ(1000, HFILE_GetSize(hFile));
    EXPECT_EQ(100, HFILE_Seek(hFile, 0, HFILE_FROM_CURRENT));
    char ch = 0;
    ASSERT_EQ(1, HFILE_Read(hFile, &ch, 1));
    EXPECT_EQ(100, ch);
}

TEST_F(HFileTest, ReadLargeReadsInPiecesAndFailsShort) {
    std::string bytes(100000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251);
    for (int32_t cb : {0, 1, 32768, 32769, 65536, 100000}) {
        SCOPED_TRACE(cb);
        std::vector<char> buffer(cb + 1);
        EXPECT_EQ(cb, HFILE_ReadLarge(Open(bytes), buffer.data(), cb));
        EXPECT_EQ(bytes.substr(0, cb), std::string(buffer.data(), cb));
    }
    std::vector<char> buffer(100001);
    EXPECT_EQ(0, HFILE_ReadLarge(Open(bytes), buffer.data(), 100001));
    EXPECT_EQ(0, HFILE_ReadLarge(Open(bytes.substr(0, 40000)), buffer.data(), 40001));
}

// A buffered handle delivers what a plain one does, read for read, across its read-ahead blocks, around seeks
// and large reads; and a seek leaves the platform's own position where the reads had got to.
TEST_F(HFileTest, ABufferedHandleReadsAndSeeksLikeAPlainOne) {
    std::string bytes(40000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 253);
    Open(bytes);
    const HFILE hPlain = HFILE_OpenRead(m_name.c_str());
    const HFILE hBuffered = HFILE_OpenReadBuffered(m_name.c_str());
    ASSERT_TRUE(HFILE_IsOpen(hPlain) && HFILE_IsOpen(hBuffered));
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        SCOPED_TRACE(i);
        const int nStep = static_cast<int>(random() % 10);
        if (nStep == 0) {
            const int32_t lTo = static_cast<int32_t>(random() % 41000);
            EXPECT_EQ(HFILE_Seek(hPlain, lTo, HFILE_FROM_START), HFILE_Seek(hBuffered, lTo, HFILE_FROM_START));
        } else if (nStep == 1) {
            EXPECT_EQ(HFILE_Seek(hPlain, 3, HFILE_FROM_CURRENT), HFILE_Seek(hBuffered, 3, HFILE_FROM_CURRENT));
        } else if (nStep == 2) {
            EXPECT_EQ(HFILE_GetSize(hPlain), HFILE_GetSize(hBuffered));
        } else {
            const uint32_t cb = nStep == 3 ? 20000 : static_cast<uint32_t>(random() % 300);
            std::string plain(cb, '\0'), buffered(cb, '\0');
            const int fPlain = HFILE_Read(hPlain, &plain[0], cb);
            EXPECT_EQ(fPlain, HFILE_Read(hBuffered, &buffered[0], cb));
            if (fPlain)
                EXPECT_EQ(plain, buffered);
            else  // both at a place again after a short read
                EXPECT_EQ(HFILE_Seek(hPlain, 0, HFILE_FROM_START), HFILE_Seek(hBuffered, 0, HFILE_FROM_START));
        }
    }
    // After a seek, the platform's own reads go on from where the buffered reads had got to.
    char sz[10];
    ASSERT_EQ(5, HFILE_Seek(hBuffered, 5, HFILE_FROM_START));
    ASSERT_EQ(1, HFILE_Read(hBuffered, sz, 10));
    ASSERT_EQ(15, HFILE_Seek(hBuffered, 0, HFILE_FROM_CURRENT));
    ASSERT_EQ(1, HFILESYS_Read(hBuffered, sz, 4));
    EXPECT_EQ(bytes.substr(15, 4), std::string(sz, 4));
    EXPECT_EQ(1, HFILE_Close(hBuffered));
    EXPECT_EQ(1, HFILE_Close(hPlain));
}

TEST_F(HFileTest, NoFileMeansMinusOne) {
    EXPECT_EQ(HFILE_NONE, HFILE_OpenRead((TEMPFOLDER_Program() / "hfile_test.missing").c_str()));
    EXPECT_FALSE(HFILE_IsOpen(HFILE_NONE));
    EXPECT_EQ(0, HFILE_Close(HFILE_NONE));
    char ch;
    EXPECT_EQ(0, HFILE_Read(HFILE_NONE, &ch, 1));
}

// Random bytes read as a run of counted strings into buffers of every small size: a read either fails or
// leaves a terminated text inside the buffer (AddressSanitizer watches the natively built run).
TEST_F(HFileTest, RandomRecordsNeverOverrunTheBuffer) {
    std::mt19937 random(4);
    for (int nFile = 0; nFile < 200; ++nFile) {
        std::string bytes(random() % 600, '\0');
        for (char& ch : bytes)
            ch = static_cast<char>(random() % 4 == 0 ? random() % 8 : random());
        const HFILE hFile = Open(bytes);
        for (int nRead = 0; nRead < 50; ++nRead) {
            const uint32_t cbBuffer = 2 + random() % 300;
            std::vector<char> buffer(cbBuffer);
            if (!HFILE_ReadString(hFile, buffer.data(), cbBuffer))
                break;
            ASSERT_NE(buffer.end(), std::find(buffer.begin(), buffer.end(), '\0'));
        }
        m_capture.Clear();
    }
}

}  // namespace
