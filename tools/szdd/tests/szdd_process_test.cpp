// The szdd command on real files: compressed beside the file or into a folder under the name the LZ library
// expands, and expanded back to the original name and bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "testing/testsupport/tempfolder.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() : "<missing>";
}

int RunSzdd(const std::string& arguments) {
    return system((std::string(SZDD_PATH) + " " + arguments + " >/dev/null 2>&1").c_str());
}

TEST(SzddProcessTest, CompressesUnderTheLzNameAndExpandsBack) {
    const std::string folder = TEMPFOLDER_Program().Path();
    ASSERT_EQ(0, system(("mkdir -p " + folder + "out " + folder + "back").c_str()));
    const std::string bytes = std::string(5000, 'x') + "setup engine" + std::string(3000, '\0');
    std::ofstream(folder + "SETUP.EXE", std::ios::binary) << bytes;
    std::ofstream(folder + "README", std::ios::binary) << "read me";

    ASSERT_EQ(0, RunSzdd(folder + "SETUP.EXE " + folder + "README"));
    EXPECT_EQ(0, Read(folder + "SETUP.EX_").compare(0, 4, "SZDD"));
    EXPECT_EQ('E', Read(folder + "SETUP.EX_")[9]);
    EXPECT_NE("<missing>", Read(folder + "README._"));

    ASSERT_EQ(0, RunSzdd("-o " + folder + "out " + folder + "SETUP.EXE"));
    ASSERT_EQ(0, RunSzdd("-d -o " + folder + "back " + folder + "out/SETUP.EX_"));
    EXPECT_TRUE(Read(folder + "back/SETUP.EXE") == bytes);

    EXPECT_EQ(1, WEXITSTATUS(system((std::string(SZDD_PATH) + " -d " + folder + "README >/dev/null 2>&1").c_str())));
    EXPECT_EQ(2, WEXITSTATUS(system((std::string(SZDD_PATH) + " >/dev/null 2>&1").c_str())));
    system(("rm -rf " + folder).c_str());
}

}  // namespace
