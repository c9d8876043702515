#include <cstring>
#include <vector>
// setupdesign's commands on files: compile, decompile and check with their exit status and what they print, over
// a design file written byte by byte from the format. Runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "testing/designfixture/designbytes.h"
#include "testing/testsupport/tempfolder.h"
#include "tools/setupdesign/designcmd.h"

namespace {

class DesignCmdTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* szName : {"a.ini", "b.ini", "a.txt", "bad.txt"})
            std::remove(Path(szName).c_str());
    }
    static std::string Path(const char* szName) { return TEMPFOLDER_Program() / szName; }
    static void Write(const char* szName, const std::string& bytes) {
        std::ofstream(Path(szName), std::ios::binary) << bytes;
    }
    static std::string Read(const char* szName) {
        std::ifstream in(Path(szName), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Runs the command with the names made into paths; stdout and stderr collected.
    int Run(std::initializer_list<const char*> args) {
        std::vector<std::string> words = {"setupdesign"};
        for (const char* szArg : args)
            words.push_back(strchr(szArg, '.') ? Path(szArg) : szArg);
        std::vector<const char*> argv;
        for (const std::string& word : words)
            argv.push_back(word.c_str());
        FILE* pOut = tmpfile();
        FILE* pErr = tmpfile();
        const int nExit = DESIGNCMD_Run(static_cast<int>(argv.size()), argv.data(), pOut, pErr);
        m_out = Contents(pOut);
        m_err = Contents(pErr);
        return nExit;
    }
    static std::string Contents(FILE* pFile) {
        std::string text;
        rewind(pFile);
        for (int ch; (ch = fgetc(pFile)) != EOF;)
            text += static_cast<char>(ch);
        fclose(pFile);
        return text;
    }
    bool Printed(const char* szText) const { return m_out.find(szText) != std::string::npos; }

    std::string m_out, m_err;
};

TEST_F(DesignCmdTest, CheckReportsTheCountsAndFieldsOfAHandWrittenDesign) {
    DESIGNBYTES_SPEC spec;
    spec.nNumFiles = 2;
    spec.things.push_back({2, 0, "EXTRA.DLL", false, 99});
    Write("a.ini", DESIGNBYTES_Make(spec));
    EXPECT_EQ(DESIGNCMD_EXIT_OK, Run({"check", "a.ini"}));
    EXPECT_TRUE(Printed(": loaded (result 2)")) << m_out;
    EXPECT_TRUE(Printed("Targets: 1 (the file counts 1), tag \"tgtc\"")) << m_out;
    EXPECT_TRUE(Printed("Things: 2 files and 1 directories (the file counts 2 and 1), 3 in all")) << m_out;
    EXPECT_TRUE(Printed("Product = Flarion 1.0\n")) << m_out;
    EXPECT_TRUE(Printed("[Thing 2]\nType = file\n")) << m_out;
    EXPECT_TRUE(Printed("Name = EXTRA.DLL\n")) << m_out;
    EXPECT_TRUE(Printed("Message = Choose a folder.\n")) << m_out;
}

TEST_F(DesignCmdTest, CheckRefusesWhatTheEngineRefuses) {
    const struct {
        const char* szCase;
        DESIGNBYTES_SPEC spec;
        const char* szResult;
        const char* szReport;
    } cases[] = {
        {"signature",
         [] {
             DESIGNBYTES_SPEC s;
             s.signature = "TAMBERLO-Ver 0.04";
             return s;
         }(),
         "(result 0)", ""},
        {"record size",
         [] {
             DESIGNBYTES_SPEC s;
             s.dwCOLLOBJ = 112;
             return s;
         }(),
         "(result 1)", "MFX_PRE failed: in DESIGN"},
        {"no things",
         [] {
             DESIGNBYTES_SPEC s;
             s.things.clear();
             return s;
         }(),
         "(result 1)", "nThings>0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szCase);
        Write("a.ini", DESIGNBYTES_Make(c.spec));
        EXPECT_EQ(DESIGNCMD_EXIT_FAILED, Run({"check", "a.ini"}));
        EXPECT_TRUE(Printed(c.szResult)) << m_out;
        EXPECT_TRUE(Printed(c.szReport)) << m_out;
        EXPECT_EQ(DESIGNCMD_EXIT_FAILED, Run({"decompile", "a.ini", "a.txt"}));
        EXPECT_NE(std::string::npos, m_err.find("refuses")) << m_err;
    }
}

TEST_F(DesignCmdTest, AHandWrittenDesignDecompilesAndCompilesToTheSameBytes) {
    const std::string bytes = DESIGNBYTES_Make(DESIGNBYTES_SPEC{});
    Write("a.ini", bytes);
    ASSERT_EQ(DESIGNCMD_EXIT_OK, Run({"decompile", "a.ini", "a.txt"})) << m_err;
    ASSERT_EQ(DESIGNCMD_EXIT_OK, Run({"compile", "a.txt", "b.ini"})) << m_err;
    EXPECT_EQ(bytes, Read("b.ini"));
}

TEST_F(DesignCmdTest, ErrorsAndUsage) {
    Write("bad.txt", "[Setup]\nMouse = lots\n");
    EXPECT_EQ(DESIGNCMD_EXIT_FAILED, Run({"compile", "bad.txt", "b.ini"}));
    EXPECT_NE(std::string::npos, m_err.find("bad.txt:2: Mouse: value out of range")) << m_err;
    EXPECT_EQ(DESIGNCMD_EXIT_FAILED, Run({"compile", "a.txt", "b.ini"}));
    EXPECT_NE(std::string::npos, m_err.find("cannot read")) << m_err;
    EXPECT_EQ(DESIGNCMD_EXIT_USAGE, Run({"compile", "a.txt"}));
    EXPECT_EQ(DESIGNCMD_EXIT_USAGE, Run({"frobnicate"}));
    EXPECT_EQ(DESIGNCMD_EXIT_OK, Run({"--help"}));
    EXPECT_TRUE(Printed("setupdesign check setup.ini"));
}

}  // namespace
