// vroon as a user runs it: the program on real movies made by ffmpeg, checked by ffmpeg; a movie of more than
// 4 GB; and the safety of the in-place conversion when the process is killed, interrupted or runs out of space.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/falloc.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "movie/qtmodern.h"
#include "movie/tests/qtmodernfixture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "tools/vroon/vroonrun.h"

extern char** environ;

namespace {

using std::string;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

struct OUTPUT {
    int nStatus;
    string text;
};

// Runs a shell command; its standard output and its exit status.
OUTPUT Shell(const string& command) {
    OUTPUT output = {-1, ""};
    FILE* pPipe = popen(command.c_str(), "r");
    if (!pPipe)
        return output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pPipe)) > 0)
        output.text.append(buffer, n);
    const int nWait = pclose(pPipe);
    output.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    return output;
}

OUTPUT Vroon(const string& args) {
    return Shell(string(VROON_PATH) + " " + args + " 2>&1");
}

string Quoted(const string& path) {
    return "'" + path + "'";
}

ino_t Inode(const string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Whether the file system of a file inserts ranges, tried on a scratch file beside it.
bool CanInsert(const string& beside) {
    const string probe = beside + ".insert-probe";
    const int fd = open(probe.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    bool fInserts = false;
    if (fd >= 0) {
        struct statfs fs;
        const std::vector<char> block(fstatfs(fd, &fs) == 0 ? static_cast<size_t>(fs.f_bsize) * 2 : 0, 'p');
        fInserts = !block.empty() && write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size()) &&
                   fallocate(fd, FALLOC_FL_INSERT_RANGE, 0, static_cast<off_t>(fs.f_bsize)) == 0;
        close(fd);
    }
    remove(probe.c_str());
    return fInserts;
}

string Framemd5(const string& movie, const string& codecOptions) {
    const OUTPUT output = Shell("ffmpeg -nostdin -v error -i " + Quoted(movie) + " -map 0 " + codecOptions +
                                " -f framemd5 - 2>/dev/null");
    EXPECT_EQ(0, output.nStatus) << movie;
    return output.text;
}

// The top-level atoms as ffprobe sees them, in file order.
string TopLevelByFfprobe(const string& movie) {
    const string trace = Shell("ffprobe -v trace " + Quoted(movie) + " 2>&1 >/dev/null").text;
    string types;
    for (size_t nRoot = trace.find("parent:'root'"); nRoot != string::npos;
         nRoot = trace.find("parent:'root'", nRoot + 1)) {
        const size_t nType = trace.rfind("type:'", nRoot);
        if (nType != string::npos)
            types += trace.substr(nType + 6, 4) + " ";
    }
    return types;
}

// Rewrites a movie whose moov follows its one mdat so that the media data lies in two mdat atoms, split at the
// chunk nearest the middle; the chunks behind the split move by the second atom's header.
string SplitMedia(const string& bytes) {
    CQTMemorySource source(bytes.data(), bytes.size());
    std::vector<QTM_ATOM> atoms;
    uint64_t qwWhere = 0;
    EXPECT_EQ(QTM_OK, QTMODERN_ReadLayout(source, true, &atoms, &qwWhere));
    const QTM_ATOM* pMdat = nullptr;
    std::vector<uint64_t> chunks;
    for (const QTM_ATOM& atom : atoms) {
        if (atom.nDepth == 0 && atom.dwType == QTATOM_MDAT)
            pMdat = &atom;
        if (atom.dwType == QTATOM_STCO) {
            for (uint32_t i = 0; i < MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 12); ++i)
                chunks.push_back(MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 16 + 4 * i));
        }
    }
    if (!pMdat || pMdat->cbHeader != 8 || chunks.size() < 2) {
        ADD_FAILURE() << "not a movie with one mdat and stco tables";
        return "";
    }
    std::sort(chunks.begin(), chunks.end());
    const uint64_t qwSplit = chunks[chunks.size() / 2];
    const uint64_t qwMdatEnd = pMdat->qwStart + pMdat->qwSize;
    string split = bytes.substr(0, pMdat->qwStart) +
                   MOVIEFIXTURE_DWORD(static_cast<uint32_t>(qwSplit - pMdat->qwStart)) + "mdat" +
                   bytes.substr(pMdat->qwStart + 8, qwSplit - pMdat->qwStart - 8) +
                   MOVIEFIXTURE_DWORD(static_cast<uint32_t>(qwMdatEnd - qwSplit + 8)) + "mdat" +
                   bytes.substr(qwSplit);
    for (const QTM_ATOM& atom : atoms) {
        if (atom.dwType != QTATOM_STCO)
            continue;
        const uint64_t qwTable = atom.qwStart + 8;  // everything behind the split moved by 8
        for (uint32_t i = 0; i < MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 12); ++i) {
            const uint32_t dwChunk = MOVIEFIXTURE_GetDWORD(bytes, atom.qwStart + 16 + 4 * i);
            split.replace(qwTable + 16 + 4 * i, 4, MOVIEFIXTURE_DWORD(dwChunk >= qwSplit ? dwChunk + 8 : dwChunk));
        }
    }
    return split;
}

struct MovieCase {
    const char* szName;
    const char* szMake;     // ffmpeg's output options for one video and two audio tracks, and the file's extension
    const char* szExt;
    const char* szFlatten;  // qtflatten's options, or null to keep ffmpeg's layout
    bool fSplit;            // split the media data into two mdat atoms
};

void PrintTo(const MovieCase& c, std::ostream* os) {
    *os << c.szName;
}

class VroonFfmpegTest : public ::testing::TestWithParam<MovieCase> {};

TEST_P(VroonFfmpegTest, ConvertsInPlaceWithEveryFrameAndPacketIntactAndMoovFirst) {
    const MovieCase& c = GetParam();
    const string made = Scratch(string(c.szName) + "_made" + c.szExt);
    const string movie = Scratch(string(c.szName) + c.szExt);
    ASSERT_EQ(0, Shell(string("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=176x144:rate=25:duration=2 ") +
                       "-f lavfi -i sine=frequency=440:duration=2 -f lavfi -i sine=frequency=660:duration=2 " +
                       "-map 0 -map 1 -map 2 " + c.szMake + " " + Quoted(made))
                     .nStatus);
    if (c.szFlatten) {
        ASSERT_EQ(0, Shell(string(QTFLATTEN_PATH) + " " + c.szFlatten + " " + Quoted(made) + " " + Quoted(movie)).nStatus);
    } else {
        ASSERT_TRUE(TESTFILE_Write(movie, TESTFILE_Read(made)));
    }
    if (c.fSplit) {
        ASSERT_TRUE(TESTFILE_Write(movie, SplitMedia(TESTFILE_Read(movie))));
    }
    const string source = TopLevelByFfprobe(movie);
    ASSERT_LT(source.find("mdat"), source.find("moov")) << source;

    const string decoded = Framemd5(made, "");
    const string packets = Framemd5(made, "-c copy");
    ASSERT_NE(string::npos, decoded.find("\n2,")) << "three streams expected";
    ASSERT_EQ(packets, Framemd5(movie, "-c copy")) << "the source as laid out for the test already differs";

    // By insertion where the file system can (the same file, no data moved), and by copy.
    const string copied = Scratch(string(c.szName) + "_copied" + c.szExt);
    ASSERT_TRUE(TESTFILE_Write(copied, TESTFILE_Read(movie)));
    const bool fInserts = CanInsert(movie);
    const ino_t inode = Inode(movie);
    const OUTPUT converted = Vroon(Quoted(movie));
    EXPECT_EQ(0, converted.nStatus);
    EXPECT_EQ(movie + (fInserts ? ": converted in place, no data moved (moov moved to the front)\n"
                                : ": converted by copy (moov moved to the front)\n"),
              converted.text);
    EXPECT_EQ(fInserts, inode == Inode(movie));
    const OUTPUT byCopy = Vroon("--copy " + Quoted(copied));
    EXPECT_EQ(copied + ": converted by copy (moov moved to the front)\n", byCopy.text);
    for (const string& result : {movie, copied}) {
        SCOPED_TRACE(result);
        EXPECT_FALSE(TESTFILE_Exists(result + VROONRUN_TEMP_SUFFIX));
        EXPECT_FALSE(TESTFILE_Exists(result + ".vroon-journal"));
        const string layout = TopLevelByFfprobe(result);
        EXPECT_LT(layout.find("moov"), layout.find("mdat")) << layout;
        EXPECT_EQ(decoded, Framemd5(result, ""));
        EXPECT_EQ(packets, Framemd5(result, "-c copy"));
        EXPECT_EQ(0, Vroon("--check " + Quoted(result)).nStatus);
    }
    EXPECT_EQ(source.size(), TopLevelByFfprobe(copied).size()) << source;
    remove(copied.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Movies,
    VroonFfmpegTest,
    ::testing::Values(
        MovieCase{"h264_aac_mp4", "-c:v libx264 -preset ultrafast -c:a aac", ".mp4", nullptr, false},
        MovieCase{"h264_aac_mov", "-c:v libx264 -preset ultrafast -c:a aac", ".mov", nullptr, false},
        MovieCase{"h264_aac_two_mdat", "-c:v libx264 -preset ultrafast -c:a aac", ".mp4", nullptr, true},
        MovieCase{"mpeg4_pcm_co64_mdat64", "-c:v mpeg4 -c:a pcm_s16le", ".mov", "--co64 --mdat64", false}),
    [](const ::testing::TestParamInfo<MovieCase>& info) { return string(info.param.szName); });

TEST(VroonProcessTest, LeavesAnAlreadyFastStartMovieByteForByte) {
    const string movie = Scratch("faststart.mp4");
    ASSERT_EQ(0, Shell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=176x144:rate=25:duration=1 "
                       "-f lavfi -i sine=duration=1 -c:v libx264 -preset ultrafast -c:a aac -movflags +faststart " +
                       Quoted(movie))
                     .nStatus);
    const string bytes = TESTFILE_Read(movie);
    struct stat before;
    ASSERT_EQ(0, stat(movie.c_str(), &before));
    const OUTPUT output = Vroon(Quoted(movie));
    EXPECT_EQ(0, output.nStatus);
    EXPECT_EQ(movie + ": already fast-start, left alone\n", output.text);
    EXPECT_EQ(bytes, TESTFILE_Read(movie));
    struct stat after;
    ASSERT_EQ(0, stat(movie.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino);  // not even replaced by a copy
}

TEST(VroonProcessTest, MissingMoviesAndFoldersExitOneUsageErrorsTwoVersionZero) {
    const string folder = Scratch("folder");
    mkdir(folder.c_str(), 0755);
    const struct {
        string args;
        int nStatus;
        string text;
    } cases[] = {
        {Quoted(Scratch("missing.mov")), 1, Scratch("missing.mov") + ": not found\n"},
        {Quoted(folder), 1, folder + ": is a folder, not a movie\n"},
        {"--bogus x.mov", 2, "vroon: unknown option --bogus (vroon --help shows the usage)\n"},
        {"", 2, "vroon: no movie given (vroon --help shows the usage)\n"},
        {"--version", 0, "vroon 1.0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const OUTPUT output = Vroon(c.args);
        EXPECT_EQ(c.nStatus, output.nStatus);
        EXPECT_EQ(c.text, output.text);
    }
    EXPECT_EQ(0, Vroon("--help").text.find("Usage: vroon [options] MOVIE...\n"));
}

// The converted movie keeps what the user set on the file: its permissions, and a symbolic link to it stays a
// link (the movie it points at is converted, by insertion or by copy, and its journal is beside it).
TEST(VroonProcessTest, KeepsPermissionsAndSymbolicLinks) {
    const string movie = Scratch("linked.mov"), link = Scratch("link.mov");
    const std::vector<string> parts = {MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(3000, 'p')), QTMFIXTURE_MOOV};
    for (const string way : {"", "--copy "}) {
        SCOPED_TRACE(way);
        ASSERT_TRUE(TESTFILE_Write(movie, QTMFIXTURE_Layout(parts, {0, 1}, {{0, 10}}, QTATOM_STCO)));
        ASSERT_EQ(0, chmod(movie.c_str(), 0640));
        remove(link.c_str());
        ASSERT_EQ(0, symlink(movie.c_str(), link.c_str()));
        const OUTPUT output = Vroon(way + Quoted(link));
        EXPECT_EQ(0, output.nStatus) << output.text;
        struct stat st;
        ASSERT_EQ(0, lstat(link.c_str(), &st));
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        ASSERT_EQ(0, stat(movie.c_str(), &st));
        EXPECT_EQ(0640u, st.st_mode & 07777);
        if (way.empty()) {
            EXPECT_NE(string::npos, Vroon("--layout " + Quoted(movie)).text.find(":\n  moov  at 0  "));
            EXPECT_EQ(0, Vroon("--check " + Quoted(movie)).nStatus);
        } else {
            EXPECT_EQ(QTMFIXTURE_Layout(parts, {1, 0}, {{0, 10}}, QTATOM_STCO), TESTFILE_Read(movie));
        }
        EXPECT_FALSE(TESTFILE_Exists(link + ".vroon-journal"));
    }
    remove(link.c_str());
    remove(movie.c_str());
}

// A movie whose media data straddles 4 GB after moov moves in front: the stco table must become co64, by
// insertion and by copy. The bulk of the file is a hole, so it costs no disk space where the file system keeps
// holes.
TEST(VroonProcessTest, MovieOfMoreThan4GBGetsItsOffsetsWidened) {
    const string movie = Scratch("large.mov");
    const string ftyp = MOVIEFIXTURE_Atom(QTATOM_FTYP, "qt  \0\0\0\0qt  ");
    const uint64_t qwSecond = 0xFFFFFE00ull;  // the second mdat and its chunks lie below 4 GB, but not by much
    std::vector<uint64_t> chunks;
    string media;
    for (int i = 0; i < 8; ++i) {
        chunks.push_back(qwSecond + 8 + media.size());
        media += "chunk#" + std::to_string(i) + string(50, '.');
    }
    const string moov = QTMFIXTURE_Moov(chunks, QTATOM_STCO);
    const uint64_t cbWidened = moov.size() + 4 * chunks.size();
    auto WriteMovie = [&]() {
        FILE* pFile = fopen(movie.c_str(), "wb");
        const string first = ftyp + MOVIEFIXTURE_DWORD(static_cast<uint32_t>(qwSecond - ftyp.size())) + "mdat";
        const string second = MOVIEFIXTURE_Atom(QTATOM_MDAT, media) + moov;
        const bool fOk = pFile && fwrite(first.data(), first.size(), 1, pFile) == 1 &&
                         fseeko(pFile, static_cast<off_t>(qwSecond), SEEK_SET) == 0 &&
                         fwrite(second.data(), second.size(), 1, pFile) == 1;
        return pFile && fclose(pFile) == 0 && fOk;
    };
    ASSERT_TRUE(WriteMovie());
    struct stat st;
    ASSERT_EQ(0, stat(movie.c_str(), &st));
    struct statvfs fs;
    if (static_cast<uint64_t>(st.st_blocks) * 512 > (64u << 20) || statvfs(movie.c_str(), &fs) != 0 ||
        static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize < (1ull << 30)) {
        remove(movie.c_str());
        GTEST_SKIP() << "this file system does not keep the 4 GB sparse movie as a hole";
    }
    const bool fInserts = CanInsert(movie);
    const uint64_t cbBlock = fs.f_bsize;
    const struct {
        const char* szArgs;
        bool fTried;  // the way is open on this file system
        const char* szWay;
        uint64_t qwShift;  // how far every chunk moves
    } ways[] = {
        {"", fInserts, "in place, no data moved", (ftyp.size() + cbWidened + 8 + cbBlock - 1) / cbBlock * cbBlock},
        {"--copy ", true, "by copy", cbWidened},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.szWay);
        if (!way.fTried) {
            ADD_FAILURE() << "the file system of " << movie << " inserts no ranges: the insertion is not tested";
            continue;
        }
        ASSERT_TRUE(WriteMovie());
        const OUTPUT output = Vroon(way.szArgs + Quoted(movie));
        EXPECT_EQ(0, output.nStatus);
        EXPECT_EQ(movie + ": converted " + way.szWay +
                      " (moov moved to the front, 1 chunk offset table(s) widened to co64)\n",
                  output.text);

        // The result: ftyp, moov with a co64 table, then both mdat atoms; every offset lands on its marker.
        FILE* pFile = fopen(movie.c_str(), "rb");
        ASSERT_TRUE(pFile);
        string head(4096, '\0');
        head.resize(fread(&head[0], 1, head.size(), pFile));
        const size_t nCo64 = head.find("co64");
        ASSERT_NE(string::npos, nCo64);
        EXPECT_EQ("moov", head.substr(ftyp.size() + 4, 4));
        EXPECT_EQ(chunks.size(), MOVIEFIXTURE_GetDWORD(head, nCo64 + 8));
        for (size_t i = 0; i < chunks.size(); ++i) {
            const uint64_t qwChunk = MOVIEFIXTURE_GetQWORD(head, nCo64 + 12 + 8 * i);
            EXPECT_EQ(chunks[i] + way.qwShift, qwChunk);
            char szMarker[16] = {};
            ASSERT_EQ(0, fseeko(pFile, static_cast<off_t>(qwChunk), SEEK_SET));
            ASSERT_EQ(1u, fread(szMarker, 7, 1, pFile));
            EXPECT_EQ("chunk#" + std::to_string(i), string(szMarker));
        }
        EXPECT_GT(MOVIEFIXTURE_GetQWORD(head, nCo64 + 12 + 8 * (chunks.size() - 1)), 0xFFFFFFFFull);
        fclose(pFile);
    }
    remove(movie.c_str());
}

// A movie big enough that a conversion takes a while, with data in every byte.
struct KILLFIXTURE {
    string movie, source, converted;
};

KILLFIXTURE MakeKillFixture(const string& name) {
    KILLFIXTURE fixture;
    fixture.movie = Scratch(name);
    const std::vector<string> parts = {MOVIEFIXTURE_Atom(QTATOM_FTYP, "isom\0\0\0\0isom"),
                                       MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(12u << 20, 'k')),
                                       QTMFIXTURE_MOOV};
    const std::vector<QTMFIXTURE_CHUNK> chunks = {{1, 0}, {1, 6u << 20}};
    fixture.source = QTMFIXTURE_Layout(parts, {0, 1, 2}, chunks, QTATOM_STCO);
    fixture.converted = QTMFIXTURE_Layout(parts, {0, 2, 1}, chunks, QTATOM_STCO);
    return fixture;
}

// Starts vroon on the movie, by copy or the default way, with VROON_TEST_STOP set to szStop (null: not set).
pid_t Start(const string& movie, bool fCopy, const char* szStop = nullptr) {
    std::vector<const char*> argv = {VROON_PATH, "--quiet"};
    if (fCopy)
        argv.push_back("--copy");
    argv.push_back(movie.c_str());
    argv.push_back(nullptr);
    std::vector<string> environment;
    for (char** p = environ; *p; ++p)
        environment.push_back(*p);
    if (szStop)
        environment.push_back(string("VROON_TEST_STOP=") + szStop);
    std::vector<char*> envp;
    for (string& variable : environment)
        envp.push_back(&variable[0]);
    envp.push_back(nullptr);
    pid_t pid = -1;
    posix_spawn(&pid, VROON_PATH, nullptr, nullptr, const_cast<char**>(argv.data()), envp.data());
    return pid;
}

// Kills the conversion at spread-out moments, from before it opens the movie to after it has finished: the
// movie's name must always hold either the whole original or the whole converted movie, by copy at once, by
// insertion once a recovery has settled what the killed run left.
void KillAtRandomMoments(int nSignal, bool fCopy) {
    const KILLFIXTURE fixture = MakeKillFixture(nSignal == SIGKILL ? "kill.mov" : "interrupt.mov");
    ASSERT_TRUE(TESTFILE_Write(fixture.movie, fixture.source));
    const auto start = std::chrono::steady_clock::now();
    const pid_t pidTimed = Start(fixture.movie, fCopy);
    int nWait = 0;
    ASSERT_EQ(pidTimed, waitpid(pidTimed, &nWait, 0));
    ASSERT_EQ(0, WEXITSTATUS(nWait));
    const long nMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    const string converted = TESTFILE_Read(fixture.movie);
    if (fCopy) {
        ASSERT_EQ(fixture.converted, converted);
    }

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> moment(0, nMicros + nMicros / 4);
    int anSeen[2] = {0, 0};
    for (int nRound = 0; nRound < 20; ++nRound) {
        SCOPED_TRACE(nRound);
        ASSERT_TRUE(TESTFILE_Write(fixture.movie, fixture.source));
        const pid_t pid = Start(fixture.movie, fCopy);
        ASSERT_GT(pid, 0);
        usleep(static_cast<useconds_t>(moment(random)));
        kill(pid, nSignal);
        ASSERT_EQ(pid, waitpid(pid, &nWait, 0));
        const string temp = fixture.movie + VROONRUN_TEMP_SUFFIX;
        if (nSignal != SIGKILL) {
            EXPECT_FALSE(TESTFILE_Exists(temp));
        }
        if (!fCopy) {
            EXPECT_EQ(0, Vroon("--recover " + Quoted(fixture.movie)).nStatus);
        }
        const string bytes = TESTFILE_Read(fixture.movie);
        const bool fOriginal = bytes == fixture.source;
        EXPECT_TRUE(fOriginal || bytes == converted) << "the movie holds " << bytes.size() << " other bytes";
        ++anSeen[fOriginal ? 0 : 1];
        remove(temp.c_str());
    }
    printf("of 20 conversions stopped at random: %d left the original, %d had finished\n", anSeen[0], anSeen[1]);

    // The random moments may all miss the copy; its stop point does not: killed with a part of the movie written,
    // the conversion by copy leaves that part in its temporary file and the original whole under its name.
    if (nSignal == SIGKILL && fCopy) {
        ASSERT_TRUE(TESTFILE_Write(fixture.movie, fixture.source));
        const pid_t pid = Start(fixture.movie, true, "copy-step");
        ASSERT_EQ(pid, waitpid(pid, &nWait, 0));
        EXPECT_TRUE(WIFSIGNALED(nWait) && WTERMSIG(nWait) == SIGKILL);
        const string temp = fixture.movie + VROONRUN_TEMP_SUFFIX;
        const string written = TESTFILE_Read(temp);
        EXPECT_LT(0u, written.size());
        EXPECT_GT(converted.size(), written.size());
        EXPECT_EQ(fixture.source, TESTFILE_Read(fixture.movie));
        remove(temp.c_str());
    }
    remove(fixture.movie.c_str());
}

TEST(VroonProcessTest, KilledAtAnyMomentTheMovieIsWholeUnderItsName) {
    KillAtRandomMoments(SIGKILL, true);
    KillAtRandomMoments(SIGKILL, false);
}

TEST(VroonProcessTest, InterruptedTheMovieIsWholeAndTheTemporaryFileRemoved) {
    KillAtRandomMoments(SIGINT, true);
    KillAtRandomMoments(SIGINT, false);
}

// The conversion by insertion killed at each of its stop points, between its steps and inside its writes: the
// next run (a recovery, or a conversion, which recovers first) leaves the original movie or the converted one,
// and no journal. Up to the journal under its own name nothing has changed; after it, the conversion completes.
void KillAtEveryStep(const string& movie) {
    const string journal = movie + ".vroon-journal";
    const std::vector<string> parts = {MOVIEFIXTURE_Atom(QTATOM_FTYP, "qt  \0\0\0\0qt  "),
                                       MOVIEFIXTURE_Atom(QTATOM_WIDE, ""),
                                       MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(100000, 's')), QTMFIXTURE_MOOV,
                                       MOVIEFIXTURE_Atom(QTATOM_MDAT, QTMFIXTURE_Media(50000, 't'))};
    const std::vector<QTMFIXTURE_CHUNK> chunks = {{2, 0}, {2, 99999}, {4, 10}};
    const struct {
        const char* szLayout;
        string source;
    } layouts[] = {
        {"moov last", QTMFIXTURE_Layout(parts, {0, 1, 2, 4, 3}, chunks, QTATOM_STCO)},
        {"moov between two mdat", QTMFIXTURE_Layout(parts, {0, 1, 2, 3, 4}, chunks, QTATOM_STCO)},
    };
    const struct {
        const char* szStop;
        bool fJournal;    // the stopped run leaves the journal
        bool fConverted;  // and the recovery completes the conversion
    } stops[] = {
        {"journal-half", false, false}, {"journal-written", false, false}, {"journal-placed", true, false},
        {"inserted", true, true},       {"head-half", true, true},         {"head-written", true, true},
        {"patch-1", true, true},        {"patch-2", true, true},           {"cut", true, true},
        {"flushed", true, true},        {"journal-removed", false, true},
    };
    for (const auto& layout : layouts) {
        ASSERT_TRUE(TESTFILE_Write(movie, layout.source));
        ASSERT_EQ(0, Vroon("--quiet " + Quoted(movie)).nStatus);
        const string converted = TESTFILE_Read(movie);
        ASSERT_NE(layout.source, converted);
        for (const auto& stop : stops) {
            for (const string next : {"--recover", "--quiet", "--check"}) {
                SCOPED_TRACE(string(layout.szLayout) + ", stopped at " + stop.szStop + ", then " + next);
                ASSERT_TRUE(TESTFILE_Write(movie, layout.source));
                const pid_t pid = Start(movie, false, stop.szStop);
                int nWait = 0;
                ASSERT_EQ(pid, waitpid(pid, &nWait, 0));
                // The layout with moov last has one patch less: there the conversion runs to its end.
                const bool fPassed = string(stop.szStop) != "patch-2" || &layout != &layouts[0];
                EXPECT_EQ(fPassed, WIFSIGNALED(nWait) && WTERMSIG(nWait) == SIGKILL);
                EXPECT_EQ(fPassed && stop.fJournal, TESTFILE_Exists(journal));
                const OUTPUT after = Vroon(next + " " + Quoted(movie));
                const bool fConverted = stop.fConverted || next == "--quiet";
                EXPECT_EQ(next == "--check" && !fConverted ? 3 : 0, after.nStatus) << after.text;
                EXPECT_EQ(fConverted ? converted : layout.source, TESTFILE_Read(movie));
                EXPECT_FALSE(TESTFILE_Exists(journal));
                remove((movie + VROONRUN_TEMP_SUFFIX).c_str());
            }
        }
    }
    remove(movie.c_str());
}

TEST(VroonProcessTest, KilledAtEveryStepOfAnInsertionTheMovieIsWholeAfterRecovery) {
    const string movie = Scratch("stops.mov");
    if (!CanInsert(movie))
        GTEST_SKIP() << "the file system of " << movie << " inserts no ranges: the insertion is not tested here";
    KillAtEveryStep(movie);
}

// A write that fails after the insertion: while only the inserted head was written, the blocks are taken out
// again and the movie is as it was; once the original was written over, the journal stays and a recovery
// completes the conversion. Neither is reported as a success.
TEST(VroonProcessTest, AFailedWriteAfterTheInsertionUndoesItOrLeavesItToTheRecovery) {
    const string movie = Scratch("failing.mov"), journal = movie + ".vroon-journal";
    if (!CanInsert(movie))
        GTEST_SKIP() << "the file system of " << movie << " inserts no ranges: the insertion is not tested here";
    const KILLFIXTURE fixture = MakeKillFixture("failing.mov");
    ASSERT_TRUE(TESTFILE_Write(movie, fixture.source));
    ASSERT_EQ(0, Vroon("--quiet " + Quoted(movie)).nStatus);
    const string converted = TESTFILE_Read(movie);

    ASSERT_TRUE(TESTFILE_Write(movie, fixture.source));
    OUTPUT output = Shell("VROON_TEST_FAIL=head " + string(VROON_PATH) + " " + Quoted(movie) + " 2>&1");
    EXPECT_EQ(1, output.nStatus);
    EXPECT_EQ(movie + ": not converted: write error writing the movie; the movie is unchanged\n", output.text);
    EXPECT_EQ(fixture.source, TESTFILE_Read(movie));
    EXPECT_FALSE(TESTFILE_Exists(journal));

    output = Shell("VROON_TEST_FAIL=patch " + string(VROON_PATH) + " " + Quoted(movie) + " 2>&1");
    EXPECT_EQ(1, output.nStatus);
    EXPECT_EQ(movie + ": not converted: write error writing the movie; the conversion is unfinished: vroon --recover " +
                  movie + " completes it\n",
              output.text);
    EXPECT_TRUE(TESTFILE_Exists(journal));
    output = Vroon("--recover " + Quoted(movie));
    EXPECT_EQ(0, output.nStatus);
    EXPECT_EQ(movie + ": completed an interrupted conversion (in place, no data moved)\n", output.text);
    EXPECT_EQ(converted, TESTFILE_Read(movie));
    EXPECT_FALSE(TESTFILE_Exists(journal));
    remove(movie.c_str());
}

// Where the file system inserts nothing (tmpfs here), the same conversion takes the copying way, with the result
// the copy gives anywhere.
TEST(VroonProcessTest, WhereTheFileSystemCannotInsertTheMovieIsCopied) {
    const string movie = "/dev/shm/vroonproc_fallback_" + std::to_string(getpid()) + ".mov";
    struct statfs fs;
    if (statfs("/dev/shm", &fs) != 0 || fs.f_type != 0x01021994 /* TMPFS_MAGIC */)
        GTEST_SKIP() << "no tmpfs at /dev/shm to try the fallback on";
    const KILLFIXTURE fixture = MakeKillFixture("fallback.mov");
    ASSERT_TRUE(TESTFILE_Write(movie, fixture.source));
    ASSERT_FALSE(CanInsert(movie));
    const OUTPUT output = Vroon(Quoted(movie));
    EXPECT_EQ(0, output.nStatus);
    EXPECT_EQ(movie + ": converted by copy (moov moved to the front)\n", output.text);
    EXPECT_EQ(fixture.converted, TESTFILE_Read(movie));
    EXPECT_FALSE(TESTFILE_Exists(movie + ".vroon-journal"));
    EXPECT_FALSE(TESTFILE_Exists(movie + VROONRUN_TEMP_SUFFIX));
    remove(movie.c_str());
}

// A small file system of a kind in an image file, mounted through a loop device for one test; unmounted and
// removed again by the destructor. Reason() says why it could not be mounted (not root, no loop device, no
// mkfs for the kind).
class CLoopMount {
public:
    explicit CLoopMount(const string& type) : m_image(Scratch(type + ".img")), m_folder(Scratch(type + "_mount")) {
        if (geteuid() != 0) {
            m_reason = "not root";
            return;
        }
        const string mkfs = type == "xfs" ? "mkfs.xfs -q -f -m reflink=1 " : "mkfs.btrfs -q -f ";
        mkdir(m_folder.c_str(), 0755);
        // XFS takes nothing under 300 MB; the image is sparse and costs what is written into it.
        const OUTPUT made = Shell("truncate -s 320M " + Quoted(m_image) + " && " + mkfs + Quoted(m_image) + " 2>&1");
        if (made.nStatus != 0) {
            m_reason = "cannot make the " + type + " image: " + made.text;
            return;
        }
        const OUTPUT mounted = Shell("mount -o loop " + Quoted(m_image) + " " + Quoted(m_folder) + " 2>&1");
        if (mounted.nStatus != 0) {
            m_reason = "cannot mount the " + type + " image: " + mounted.text;
            return;
        }
        m_fMounted = true;
    }
    ~CLoopMount() {
        if (m_fMounted)
            Shell("umount " + Quoted(m_folder));
        rmdir(m_folder.c_str());
        remove(m_image.c_str());
    }
    CLoopMount(const CLoopMount&) = delete;
    CLoopMount& operator=(const CLoopMount&) = delete;
    bool Mounted() const { return m_fMounted; }
    const string& Reason() const { return m_reason; }
    string Path(const string& name) const { return m_folder + "/" + name; }

private:
    string m_image, m_folder, m_reason;
    bool m_fMounted = false;
};

uint64_t FreeSpace(const string& path) {
    struct statvfs fs;
    return statvfs(path.c_str(), &fs) == 0 ? static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize : 0;
}

struct FileSystemCase {
    const char* szType;
    bool fInserts;  // converts in place by insertion
    bool fClones;   // converts -o by cloning and inserting
};

void PrintTo(const FileSystemCase& c, std::ostream* os) {
    *os << c.szType;
}

class VroonFileSystemTest : public ::testing::TestWithParam<FileSystemCase> {};

// The same conversions on other file systems: XFS inserts and shares blocks, so in place and -o move no data;
// btrfs shares blocks but inserts nothing, so both take the copying way. The result is the same movie.
TEST_P(VroonFileSystemTest, ConvertsTheWayTheFileSystemAllowsWithTheSameResult) {
    const FileSystemCase& c = GetParam();
    CLoopMount mount(c.szType);
    if (!mount.Mounted())
        GTEST_SKIP() << "no " << c.szType << " file system to test on: " << mount.Reason();
    EXPECT_EQ(c.fInserts, CanInsert(mount.Path("probe")));

    // A real movie: every frame and packet intact, the same file when converted in place by insertion.
    const string made = Scratch(string(c.szType) + "_made.mp4"), movie = mount.Path("movie.mp4");
    ASSERT_EQ(0, Shell("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=176x144:rate=25:duration=2 "
                       "-f lavfi -i sine=frequency=440:duration=2 -c:v libx264 -preset ultrafast -c:a aac " +
                       Quoted(made))
                     .nStatus);
    const string decoded = Framemd5(made, "");
    ASSERT_TRUE(TESTFILE_Write(movie, TESTFILE_Read(made)));
    const ino_t inode = Inode(movie);
    const OUTPUT inPlace = Vroon(Quoted(movie));
    EXPECT_EQ(
        movie + ": converted " + (c.fInserts ? "in place, no data moved" : "by copy") + " (moov moved to the front)\n",
        inPlace.text);
    EXPECT_EQ(c.fInserts, inode == Inode(movie));
    EXPECT_EQ(decoded, Framemd5(movie, ""));
    EXPECT_EQ(0, Vroon("--check " + Quoted(movie)).nStatus);

    // -o of a 12 MB movie: by clone it takes a few blocks of the disk, by copy the movie's size.
    const KILLFIXTURE fixture = MakeKillFixture("fs.mov");
    const string source = mount.Path("source.mov"), dest = mount.Path("dest.mov");
    ASSERT_TRUE(TESTFILE_Write(source, fixture.source));
    Shell("sync -f " + Quoted(source));
    const uint64_t qwFree = FreeSpace(source);
    const OUTPUT output = Vroon(Quoted(source) + " -o " + Quoted(dest));
    EXPECT_EQ(source + ": converted " + (c.fClones ? "by clone, no data moved" : "by copy") +
                  " (moov moved to the front) to " + dest + "\n",
              output.text);
    Shell("sync -f " + Quoted(source));
    const uint64_t cbTaken = qwFree - FreeSpace(source);
    if (c.fClones) {
        EXPECT_LT(cbTaken, 1u << 20);
    }
    EXPECT_EQ(fixture.source, TESTFILE_Read(source));
    EXPECT_FALSE(TESTFILE_Exists(dest + VROONRUN_TEMP_SUFFIX));
    EXPECT_EQ(0, Vroon("--check " + Quoted(dest)).nStatus);
    // The same movie, whichever way it was written: in place here, and by copy elsewhere.
    const string bytes = TESTFILE_Read(dest);
    ASSERT_EQ(0, Vroon("--quiet " + Quoted(source)).nStatus);
    EXPECT_EQ(c.fInserts ? TESTFILE_Read(source) : fixture.converted, bytes);

    if (c.fInserts)
        KillAtEveryStep(mount.Path("stops.mov"));
    remove(made.c_str());
}

INSTANTIATE_TEST_SUITE_P(LoopMounted,
                         VroonFileSystemTest,
                         ::testing::Values(FileSystemCase{"xfs", true, true}, FileSystemCase{"btrfs", false, false}),
                         [](const ::testing::TestParamInfo<FileSystemCase>& info) {
                             return string(info.param.szType);
                         });

TEST(VroonProcessTest, AFullDiskLeavesTheMovieAndNoTemporaryFile) {
    const KILLFIXTURE fixture = MakeKillFixture("full.mov");
    ASSERT_TRUE(TESTFILE_Write(fixture.movie, fixture.source));
    // The file size limit makes every write past 2 MB fail as a full disk would.
    const OUTPUT output = Shell("trap '' XFSZ; ulimit -f 2048; exec " + string(VROON_PATH) + " --copy " +
                                Quoted(fixture.movie) + " 2>&1");
    EXPECT_EQ(1, output.nStatus);
    EXPECT_EQ(fixture.movie + ": not converted: no space left on the disk writing " + fixture.movie +
                  VROONRUN_TEMP_SUFFIX + "; the movie is unchanged\n",
              output.text);
    EXPECT_EQ(fixture.source, TESTFILE_Read(fixture.movie));
    EXPECT_FALSE(TESTFILE_Exists(fixture.movie + VROONRUN_TEMP_SUFFIX));
    remove(fixture.movie.c_str());
}

}  // namespace
