// The SZDD format and the copying's name rules: our compressor's output expands to the original bytes (by our
// expander and, natively, by Debian's msexpand), is no larger than mscompress's, and the names come and go.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "setup/filecopy.h"
#include "setup/szdd.h"
#include "testing/testsupport/tempfolder.h"
#include "toolkit/pathname.h"

namespace {

// Text, binary-like and random bytes of every size that matters to the window and the control bytes.
std::vector<std::pair<std::string, std::string>> Samples() {
    std::vector<std::pair<std::string, std::string>> samples;
    std::mt19937 random(11);
    for (size_t cb : {0, 1, 2, 3, 17, 18, 19, 4095, 4096, 4097, 16384, 100000, 1024 * 1024 + 7}) {
        std::string text, binary, noise;
        for (size_t i = 0; text.size() < cb; ++i)
            text += "line " + std::to_string(i % 97) + " of the read-me file, with a few words.\r\n";
        for (size_t i = 0; i < cb; ++i)
            binary += static_cast<char>(i % 512 < 300 ? 0 : (i * 7) % 256);
        for (size_t i = 0; i < cb; ++i)
            noise += static_cast<char>(random());
        text.resize(cb);
        samples.push_back({"text " + std::to_string(cb), text});
        samples.push_back({"binary " + std::to_string(cb), binary});
        samples.push_back({"random " + std::to_string(cb), noise});
    }
    return samples;
}

TEST(SzddTest, CompressedBytesExpandToTheOriginal) {
    for (const auto& sample : Samples()) {
        SCOPED_TRACE(sample.first);
        const std::string compressed = SZDD_Compress(sample.second, 'E');
        std::string expanded;
        char chLast = 0;
        ASSERT_TRUE(SZDD_Expand(compressed, &expanded, &chLast));
        EXPECT_EQ('E', chLast);
        EXPECT_TRUE(expanded == sample.second);
        // Cut anywhere after the header, the data no longer expands.
        if (compressed.size() > SZDD_HEADERSIZE + 1) {
            EXPECT_FALSE(SZDD_Expand(compressed.substr(0, compressed.size() - 1), &expanded, &chLast));
        }
    }
    std::string expanded;
    char chLast = 0;
    EXPECT_FALSE(SZDD_Expand("SZDD", &expanded, &chLast));
}

#ifndef _WIN32
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Debian's mscompress package is the outside reference: msexpand must read our files, and mscompress must not
// write smaller ones.
TEST(SzddTest, MsexpandExpandsOurFilesAndMscompressIsNoSmaller) {
    const std::string folder = TEMPFOLDER_Program().Path();
    for (const auto& sample : Samples()) {
        SCOPED_TRACE(sample.first);
        const std::string plain = folder + "szdd_test.bin", ours = folder + "szdd_test.bi_";
        WriteFile(plain, sample.second);
        WriteFile(ours, SZDD_Compress(sample.second, 'n'));
        ASSERT_EQ(0, system(("msexpand < " + ours + " > " + plain + ".out 2>/dev/null").c_str()));
        EXPECT_TRUE(ReadFile(plain + ".out") == sample.second);
        ASSERT_EQ(0, system(("mscompress " + plain).c_str()));
        EXPECT_LE(ReadFile(ours).size(), ReadFile(plain + "_").size());
        for (const std::string& path : {plain, ours, plain + ".out", plain + "_"})
            std::remove(path.c_str());
    }
}
#endif

TEST(SzddTest, NamesComeAndGo) {
    const struct {
        const char* szName;
        const char* szCompressed;
        char chLast;
        const char* szExpanded;
    } cases[] = {
        {"SETUP.EXE", "SETUP.EX_", 'E', "SETUP.EXE"},
        {"setup.exe", "setup.ex_", 'e', "setup.exe"},
        {"C:\\DISK1\\README.TXT", "C:\\DISK1\\README.TX_", 'T', "C:\\DISK1\\README.TXT"},
        {"A.TX", "A.TX_", 0, "A.TX"},
        {"README", "README._", 0, "README."},
        {"C:\\A.B\\README", "C:\\A.B\\README._", 0, "C:\\A.B\\README."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        char chLast = 'x';
        EXPECT_EQ(c.szCompressed, SZDD_CompressedName(c.szName, &chLast));
        EXPECT_EQ(c.chLast, chLast);
        EXPECT_EQ(c.szExpanded, SZDD_ExpandedName(c.szCompressed, chLast));
    }
    // The stored character takes the case of the name's last letter; a name stored without one loses the "_".
    EXPECT_EQ("setup.exe", SZDD_ExpandedName("setup.ex_", 'E'));
    EXPECT_EQ("SETUP.EX", SZDD_ExpandedName("SETUP.EX_", 0));
    EXPECT_EQ("PLAIN.TXT", SZDD_ExpandedName("PLAIN.TXT", 'Q'));
}

TEST(SzddTest, BackupNamesReplaceTheLastCharacterOnlyForANameWithAnExtension) {
    const struct {
        const char* szPath;
        const char* szBackup;
    } cases[] = {
        {"C:\\APP\\MAIN.EXE", "C:\\APP\\MAIN.EX!"},
        {"C:\\APP\\README", "C:\\APP\\README.!"},
        {"C:\\APP.V2\\README", "C:\\APP.V2\\README.!"},
        {"C:\\APP\\.PROFILE", "C:\\APP\\.PROFIL!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szPath);
        PATHNAME szBackup = "";
        EXPECT_EQ(1, FILE_MakeBackupName(c.szPath, szBackup));
        EXPECT_STREQ(c.szBackup, szBackup);
    }
    PATHNAME szBackup = "";
    EXPECT_EQ(0, FILE_MakeBackupName(("C:\\" + std::string(257, 'A')).c_str(), szBackup));
}

}  // namespace
