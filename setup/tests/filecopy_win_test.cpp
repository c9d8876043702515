// The engine's file copying under Wine, through the platform's real LZ library (lz32) and version library: our
// compressed files expand byte for byte to their original names, installs, staging, chunks and progress,
// backups, trees with their dates, damaged files, files in use and version numbers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

#include "setup/design.h"
#include "setup/filecopy_win.h"
#include "setup/szdd.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

namespace {

std::string Contents(const std::string& path) {
    std::string bytes;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return "<missing>";
    for (int ch; (ch = fgetc(pFile)) != EOF;)
        bytes += static_cast<char>(ch);
    fclose(pFile);
    return bytes;
}

void Write(const std::string& path, const std::string& bytes) {
    FILE* pFile = fopen(path.c_str(), "wb");
    ASSERT_TRUE(pFile) << path;
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The compressed file as szdd writes it, beside nothing: name and bytes.
std::string WriteCompressed(const std::string& folder, const std::string& name, const std::string& bytes) {
    char chLast = 0;
    const std::string compressed = SZDD_CompressedName(name, &chLast);
    Write(folder + compressed, SZDD_Compress(bytes, chLast));
    return compressed;
}

std::string Bytes(size_t cb, unsigned nSeed) {
    std::mt19937 random(nSeed);
    std::string bytes(cb, '\0');
    for (size_t i = 0; i < cb; ++i)
        bytes[i] = static_cast<char>(nSeed % 2 ? random() : (i % 300 < 200 ? 'a' + i % 7 : random() % 4));
    return bytes;
}

std::vector<uint32_t> s_chunks;
void RecordChunk(uint32_t cb) {
    s_chunks.push_back(cb);
}

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        s_chunks.clear();
        FILE_SetProgress(RecordChunk);
        FILE_SetWorkingDirectory("");
    }
    void TearDown() override {
        FILE_SetProgress(nullptr);
        FILE_SetWorkingDirectory("");
    }
    CTempFolder m_folder{"filecopy"};
    CDiagCapture m_capture;
};

TEST_F(FileCopyTest, Lz32ExpandsOurCompressedFilesByteForByteToTheirNames) {
    const std::string source = m_folder / "", target = m_folder / "out\\";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    for (size_t cb : {0, 1, 18, 4096, 4097, 16384, 200000, 3 * 1024 * 1024 + 5}) {
        for (unsigned nSeed : {1u, 2u}) {
            const std::string name = "F" + std::to_string(cb) + "_" + std::to_string(nSeed) + ".EXE";
            SCOPED_TRACE(name);
            const std::string bytes = Bytes(cb, nSeed);
            const std::string compressed = WriteCompressed(source, name, bytes);
            PATHNAME szDestination = "";
            PATHNAME_Construct(szDestination, target.c_str(), compressed.c_str());
            ASSERT_EQ(1, FILE_ExpandedName((source + compressed).c_str(), szDestination));
            EXPECT_EQ(target + name, szDestination);
            ASSERT_EQ(1, FILE_Copy((source + compressed).c_str(), szDestination));
            EXPECT_TRUE(Contents(szDestination) == bytes);
        }
    }
}

TEST_F(FileCopyTest, ACompressedSetupIsInstalledAsSetupExeAndPlainFilesAsTheyAre) {
    const std::string program = Bytes(50000, 2), text = "plain text\r\n";
    WriteCompressed(m_folder / "", "SETUP.EXE", program);
    Write(m_folder / "README.TXT", text);
    FILETYPE setup = {};
    strcpy(setup.szName, "SETUP.EX_");
    FILETYPE readme = {};
    strcpy(readme.szName, "README.TXT");
    const std::string app = m_folder / "APP\\BIN";
    ASSERT_EQ(1, FILE_Install(&setup, m_folder.Path().c_str(), app.c_str(), false));
    ASSERT_EQ(1, FILE_Install(&readme, m_folder.Path().c_str(), app.c_str(), false));
    EXPECT_STREQ("setup.exe", setup.szName);
    EXPECT_STREQ("README.TXT", readme.szName);
    EXPECT_TRUE(Contents(app + "\\setup.exe") == program);
    EXPECT_EQ(text, Contents(app + "\\README.TXT"));
}

TEST_F(FileCopyTest, ByteCopiesGoIn16KChunksAndReportEachOne) {
    const struct {
        size_t cb;
        std::vector<uint32_t> chunks;
    } cases[] = {
        {16384, {16384}},
        {16385, {16384, 1}},
        {100, {100}},
        {5 * 16384 + 7, {16384, 16384, 16384, 16384, 16384, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cb);
        const std::string bytes = Bytes(c.cb, 3);
        Write(m_folder / "big.bin", bytes);
        s_chunks.clear();
        ASSERT_EQ(1, FILE_Copyola((m_folder / "big.bin").c_str(), (m_folder / "copy.bin").c_str()));
        EXPECT_EQ(c.chunks, s_chunks);
        EXPECT_TRUE(Contents(m_folder / "copy.bin") == bytes);
    }
    Write(m_folder / "empty.bin", "");
    EXPECT_EQ(0, FILE_Copyola((m_folder / "empty.bin").c_str(), (m_folder / "copy.bin").c_str()));
}

TEST_F(FileCopyTest, StagingGoesThroughBubbaTmpInTheWorkingDirectoryAndRemovesIt) {
    const std::string work = m_folder / "work";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    FILE_SetWorkingDirectory(work.c_str());
    const std::string bytes = Bytes(40000, 1);
    const std::string compressed = WriteCompressed(m_folder / "", "LIB.DLL", bytes);
    const size_t cbCompressed = Contents(m_folder / compressed).size();
    ASSERT_EQ(1, FILE_Copy((m_folder / compressed).c_str(), (m_folder / "lib.dll").c_str()));
    EXPECT_TRUE(Contents(m_folder / "lib.dll") == bytes);
    EXPECT_FALSE(Exists(work + "\\bubba.tmp"));
    uint32_t cbReported = 0;
    for (uint32_t cb : s_chunks)
        cbReported += cb;
    EXPECT_EQ(cbCompressed, cbReported);
}

TEST_F(FileCopyTest, ADamagedCompressedFileFailsAndLeavesTheDestinationAsItWas) {
    const std::string compressed = WriteCompressed(m_folder / "", "DATA.BIN", Bytes(30000, 2));
    const std::string whole = Contents(m_folder / compressed);
    Write(m_folder / compressed, whole.substr(0, whole.size() / 2));
    EXPECT_EQ(0, FILE_Copy((m_folder / compressed).c_str(), (m_folder / "data.bin").c_str()));
    EXPECT_FALSE(Exists(m_folder / "data.bin"));
    EXPECT_FALSE(Exists(m_folder / "data.bin~"));
    Write(m_folder / "data.bin", "the old version");
    EXPECT_EQ(0, FILE_Copy((m_folder / compressed).c_str(), (m_folder / "data.bin").c_str()));
    EXPECT_EQ("the old version", Contents(m_folder / "data.bin"));
}

TEST_F(FileCopyTest, BackupsRenameToTheBackupNameAfterRemovingAnOlderOne) {
    const std::string app = m_folder / "APP";
    ASSERT_TRUE(CreateDirectoryA(app.c_str(), nullptr));
    Write(app + "\\MAIN.EXE", "new main");
    Write(app + "\\MAIN.EX!", "older backup");
    Write(app + "\\README", "read me");
    EXPECT_EQ(FILE_BACKUP_DONE, FILE_Backup("MAIN.EXE", app.c_str()));
    EXPECT_EQ(FILE_BACKUP_DONE, FILE_Backup("README", app.c_str()));
    EXPECT_EQ("new main", Contents(app + "\\MAIN.EX!"));
    EXPECT_EQ("read me", Contents(app + "\\README.!"));
    EXPECT_FALSE(Exists(app + "\\MAIN.EXE"));
    EXPECT_EQ(FILE_BACKUP_NONE, FILE_Backup("MAIN.EXE", app.c_str()));

    // An older backup that cannot be removed (held open without sharing) keeps the file where it is.
    Write(app + "\\MAIN.EXE", "newest");
    const HANDLE hHeld = CreateFileA((app + "\\MAIN.EX!").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    EXPECT_EQ(FILE_BACKUP_OLDNOTREMOVED, FILE_Backup("MAIN.EXE", app.c_str()));
    CloseHandle(hHeld);
    EXPECT_EQ("newest", Contents(app + "\\MAIN.EXE"));
}

TEST_F(FileCopyTest, ADirectoryThingRecreatesItsTreeWithEveryDateKept) {
    const std::string source = m_folder / "SRC\\";
    const std::string tree = source + "SAMPLES\\";
    ASSERT_EQ(1, PATHNAME_CreateAllFoldersForPath((tree + "MOVIES\\SHORT").c_str()));
    const struct {
        const char* szName;
        uint32_t dwDate;  // DOS date and time
    } files[] = {
        {"INDEX.TXT", 0x2A3C6000},
        {"MOVIES\\CLIP.MOV", 0x1E215A10},
        {"MOVIES\\SHORT\\A.MOV", 0x30210842},
    };
    for (const auto& file : files) {
        Write(tree + file.szName, std::string("bytes of ") + file.szName);
        ASSERT_EQ(1, PATHNAME_SetDateTime((tree + file.szName).c_str(), file.dwDate));
    }
    WriteCompressed(tree + "MOVIES\\", "PACKED.DAT", "packed contents");
    THING thing = {};
    thing.nType = THING_DIR;
    DIR dir = {};
    strcpy(dir.szName, "SAMPLES");
    thing.pDir = &dir;
    const std::string dest = m_folder / "DEST";
    EXPECT_EQ(1, THING_Copy(&thing, source.c_str(), dest.c_str(), false));
    EXPECT_EQ(1, thing.fCopied);
    thing.pDir = nullptr;
    for (const auto& file : files) {
        SCOPED_TRACE(file.szName);
        const std::string copied = dest + "\\SAMPLES\\" + file.szName;
        EXPECT_EQ(std::string("bytes of ") + file.szName, Contents(copied));
        uint32_t dwDate = 0;
        ASSERT_EQ(1, PATHNAME_GetDateTime(copied.c_str(), &dwDate));
        EXPECT_EQ(file.dwDate, dwDate);
    }
    EXPECT_EQ("packed contents", Contents(dest + "\\SAMPLES\\MOVIES\\PACKED.DAT"));
}

TEST_F(FileCopyTest, AFileThingGetsItsSourcesDate) {
    Write(m_folder / "NOTE.TXT", "note");
    ASSERT_EQ(1, PATHNAME_SetDateTime((m_folder / "NOTE.TXT").c_str(), 0x2A3C6000));
    FILETYPE file = {};
    strcpy(file.szName, "NOTE.TXT");
    THING thing = {};
    thing.pFile = &file;
    ASSERT_EQ(1, THING_Copy(&thing, m_folder.Path().c_str(), (m_folder / "OUT").c_str(), false));
    thing.pFile = nullptr;
    uint32_t dwDate = 0;
    ASSERT_EQ(1, PATHNAME_GetDateTime((m_folder / "OUT\\NOTE.TXT").c_str(), &dwDate));
    EXPECT_EQ(0x2A3C6000u, dwDate);
}

TEST_F(FileCopyTest, AFileHeldOpenIsInUse) {
    const std::string folder = m_folder.Path();
    Write(folder + "SHARED.DLL", "code");
    EXPECT_FALSE(FILE_IsInUse(folder.c_str(), "SHARED.DLL"));
    const HANDLE hHeld = CreateFileA((folder + "SHARED.DLL").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const bool fInUse = FILE_IsInUse(folder.c_str(), "SHARED.DLL");
    CloseHandle(hHeld);
    // Wine's version library never sets the in-use bit in VerFindFile's answer; Windows does.
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        EXPECT_FALSE(fInUse) << "Wine now reports files in use: this case can expect true";
    else
        EXPECT_TRUE(fInUse);
}

TEST_F(FileCopyTest, VersionNumbersComeFromTheFixedFileInfo) {
    char szSystem[MAX_PATH] = "";
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    uint32_t dwMS = 0, dwLS = 0;
    EXPECT_TRUE(FILE_GetVersion((std::string(szSystem) + "\\version.dll").c_str(), &dwMS, &dwLS));
    EXPECT_NE(0u, dwMS);
    Write(m_folder / "plain.dll", "no resources");
    EXPECT_FALSE(FILE_GetVersion((m_folder / "plain.dll").c_str(), &dwMS, &dwLS));
}

}  // namespace
