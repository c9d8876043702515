// Real movies that nobody here wrote: ffmpeg makes them, qtflatten lays them out the classic way, the engine
// converts them, and ffmpeg checks that every decoded frame and every packet is still the same and that the
// movie atom now comes first.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "movie/qtfast.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"

namespace {

using std::string;

string Scratch(const string& name) {
    return TEMPFOLDER_Program() / name;
}

// The command's standard output; fails the test when it does not exit with 0.
string RunCommand(const string& command) {
    string output;
    FILE* pPipe = popen(command.c_str(), "r");
    if (!pPipe) {
        ADD_FAILURE() << "cannot start: " << command;
        return output;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pPipe)) > 0)
        output.append(buffer, n);
    EXPECT_EQ(0, pclose(pPipe)) << command;
    return output;
}

string Framemd5(const string& movie, const string& codecOptions) {
    return RunCommand("ffmpeg -nostdin -v error -i '" + movie + "' -map 0 " + codecOptions + " -f framemd5 -");
}

// The first atom ffprobe meets at the top level of the file.
string FirstTopLevelAtom(const string& movie) {
    const string trace = RunCommand("ffprobe -v trace '" + movie + "' 2>&1 >/dev/null");
    const size_t nRoot = trace.find("parent:'root'");
    const size_t nType = trace.rfind("type:'", nRoot);
    if (nRoot == string::npos || nType == string::npos)
        return "";
    return trace.substr(nType + 6, 4);
}

struct MovieCase {
    const char* szName;
    const char* szCodecs;   // ffmpeg's encoding options for one video and two audio tracks
    const char* szFlatten;  // qtflatten's options
};

void PrintTo(const MovieCase& c, std::ostream* os) {
    *os << c.szName;
}

class FfmpegMovie : public ::testing::TestWithParam<MovieCase> {};

TEST_P(FfmpegMovie, ConvertsWithEveryFrameAndPacketIntact) {
    const MovieCase& c = GetParam();
    const string made = Scratch(string(c.szName) + "_made.mov");
    const string flat = Scratch(string(c.szName) + "_flat.mov");
    const string fast = Scratch(string(c.szName) + "_fast.mov");
    RunCommand(string("ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=176x144:rate=25:duration=2 ") +
               "-f lavfi -i sine=frequency=440:duration=2 -f lavfi -i sine=frequency=660:duration=2 " +
               "-map 0 -map 1 -map 2 " + c.szCodecs + " '" + made + "'");
    RunCommand(string(QTFLATTEN_PATH) + " " + c.szFlatten + " '" + made + "' '" + flat + "'");
    ASSERT_EQ("mdat", FirstTopLevelAtom(flat));

    const string flatBytes = TESTFILE_Read(flat);
    CQTFast engine;
    ASSERT_TRUE(engine.VroonSourceMovieToDestination(flat.c_str(), fast.c_str()));
    EXPECT_EQ(flatBytes, TESTFILE_Read(flat));
    EXPECT_EQ(flatBytes.size(), TESTFILE_Read(fast).size());
    EXPECT_EQ("moov", FirstTopLevelAtom(fast));

    const string decoded = Framemd5(made, "");
    const string packets = Framemd5(made, "-c copy");
    EXPECT_NE(string::npos, decoded.find("\n2,")) << "three streams expected";
    EXPECT_EQ(decoded, Framemd5(fast, ""));
    EXPECT_EQ(packets, Framemd5(fast, "-c copy"));
}

INSTANTIATE_TEST_SUITE_P(
    Codecs,
    FfmpegMovie,
    ::testing::Values(MovieCase{"h264_aac", "-c:v libx264 -preset ultrafast -c:a aac", ""},
                      MovieCase{"mpeg4_pcm", "-c:v mpeg4 -c:a pcm_s16le", ""},
                      MovieCase{"h264_aac_co64", "-c:v libx264 -preset ultrafast -c:a aac", "--co64"},
                      MovieCase{"mpeg4_pcm_co64_mdat64", "-c:v mpeg4 -c:a pcm_s16le", "--co64 --mdat64"}),
    [](const ::testing::TestParamInfo<MovieCase>& info) { return string(info.param.szName); });

}  // namespace
