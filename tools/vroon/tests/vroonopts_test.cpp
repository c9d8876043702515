#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/vroon/vroonopts.h"

namespace {

bool Parse(std::vector<const char*> args, VROON_OPTIONS* pOptions, std::string* pError) {
    args.insert(args.begin(), "vroon");
    return VROONOPTS_Parse(static_cast<int>(args.size()), args.data(), pOptions, pError);
}

TEST(VroonOptsTest, AcceptsEveryModeAndOptionMixedWithMoviesAndADoubleDashBeforeADashedName) {
    VROON_OPTIONS options;
    std::string error;
    ASSERT_TRUE(Parse({"a.mov", "--drop-free", "-q", "b.mp4"}, &options, &error));
    EXPECT_EQ(VROON_MODE_CONVERT, options.mode);
    EXPECT_EQ((std::vector<std::string>{"a.mov", "b.mp4"}), options.movies);
    EXPECT_TRUE(options.fDropFree);
    EXPECT_TRUE(options.fQuiet);
    EXPECT_TRUE(options.output.empty());

    ASSERT_TRUE(Parse({"-o", "out.mp4", "in.mp4"}, &options, &error));
    EXPECT_EQ("out.mp4", options.output);
    EXPECT_EQ(std::vector<std::string>{"in.mp4"}, options.movies);
    EXPECT_FALSE(options.fDropFree);  // keeping free atoms is the default

    ASSERT_TRUE(Parse({"--layout", "--tree", "--", "-odd name.mov"}, &options, &error));
    EXPECT_EQ(VROON_MODE_LAYOUT, options.mode);
    EXPECT_TRUE(options.fTree);
    EXPECT_EQ(std::vector<std::string>{"-odd name.mov"}, options.movies);

    ASSERT_TRUE(Parse({"--check", "--classic", "x.mov"}, &options, &error));
    EXPECT_EQ(VROON_MODE_CHECK, options.mode);
    EXPECT_TRUE(options.fClassic);

    ASSERT_TRUE(Parse({"--copy", "a.mov"}, &options, &error));
    EXPECT_TRUE(options.fCopy);
    ASSERT_TRUE(Parse({"--recover", "a.mov", "b.mov"}, &options, &error));
    EXPECT_EQ(VROON_MODE_RECOVER, options.mode);
    EXPECT_FALSE(options.fCopy);

    ASSERT_TRUE(Parse({"--help"}, &options, &error));
    EXPECT_EQ(VROON_MODE_HELP, options.mode);
    ASSERT_TRUE(Parse({"--version"}, &options, &error));
    EXPECT_EQ(VROON_MODE_VERSION, options.mode);
}

TEST(VroonOptsTest, RefusesWrongCommandLinesWithAReason) {
    const struct {
        std::vector<const char*> args;
        const char* szError;
    } cases[] = {
        {{}, "no movie given"},
        {{"--frobnicate", "a.mov"}, "unknown option --frobnicate"},
        {{"a.mov", "-o"}, "-o needs the name of the file to write"},
        {{"a.mov", "b.mov", "-o", "c.mov"}, "-o takes exactly one SOURCE"},
        {{"-o", "x", "-o", "y", "a.mov"}, "-o may be given once"},
        {{"--check", "-o", "x", "a.mov"}, "-o goes with a conversion, not with --check, --layout or --recover"},
        {{"--check", "--layout", "a.mov"}, "--check, --layout and --recover exclude each other"},
        {{"--recover", "--check", "a.mov"}, "--check, --layout and --recover exclude each other"},
        {{"--copy", "a.mov", "-o", "b.mov"},
         "--copy goes with a conversion in place (-o and --classic always write a new file)"},
        {{"--copy", "--check", "a.mov"},
         "--copy goes with a conversion in place (-o and --classic always write a new file)"},
        {{"--tree", "a.mov"}, "--tree goes with --layout"},
        {{"--keep-free", "--drop-free", "a.mov"}, "--keep-free and --drop-free exclude each other"},
        {{"--classic", "--drop-free", "a.mov"},
         "--classic drops every atom but moov and mdat; --keep-free and --drop-free do not apply"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szError);
        VROON_OPTIONS options;
        std::string error;
        EXPECT_FALSE(Parse(c.args, &options, &error));
        EXPECT_EQ(c.szError, error);
    }
}

TEST(VroonOptsTest, HelpDocumentsEveryOptionAndExitCode) {
    const std::string help = VROONOPTS_HelpText();
    for (const char* szWord : {"-o DEST", "--check", "--layout", "--tree", "--classic", "--keep-free", "--drop-free",
                               "--quiet", "--help", "--version", "(the default)", ".vroon-tmp", "Exit status:",
                               "  0  ", "  1  ", "  2  ", "  3  "}) {
        SCOPED_TRACE(szWord);
        EXPECT_NE(std::string::npos, help.find(szWord));
    }
}

}  // namespace
