// Media laid out from a small text design and contents list in a scratch folder: what is written, the sizes the
// design file then gives, what is missing, and the faults the check finds in written media. Runs natively and
// under Wine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "setup/szdd.h"
#include "testing/testsupport/tempfolder.h"
#include "tools/setupdesign/designmedia.h"
#include "tools/setupdesign/designtext.h"

namespace {

const char DESIGN_TEXT[] = R"(
[Setup]
Uninstall = 1
[Path 0]
Path = a:\prog
[Target 1]
DefaultPath = C:\DEMO
Name = Demo
[Collection 0]
Name = Demo
[Collection 1]
Name = Extras
[Disk 0]
Name = Demo Disk
[Thing 0]
Name = DEMO.EX_
[Thing 1]
Name = README.TXT
Size = 99
[Thing 2]
Name = EXTRA.TXT
Collection = 1
)";

const char CONTENTS[] = R"(; the test's media
bin\PARVEL.DLL = plain build parvel.dll
bin\UNNSTALL.EXE = compressed build un/unnstall.exe
prog\DEMO.EX_ = compressed build demo.exe
prog\README.TXT = plain source docs/README.TXT
  prog\EXTRA.TXT   =   plain   source   docs/EXTRA.TXT
)";

typedef std::unique_ptr<DESIGN, void (*)(DESIGN*)> CDesignPtr;

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class DesignMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_root = std::filesystem::path(TEMPFOLDER_Program() / name);
        m_roots = {(m_root / "build").string(), (m_root / "repo").string(), (m_root / "media").string()};
        Write(m_root / "build/parvel.dll", "dialogs");
        Write(m_root / "build/un/unnstall.exe", std::string(3000, 'u'));
        Write(m_root / "build/demo.exe", "MZ" + std::string(5000, 'd'));
        Write(m_root / "repo/docs/README.TXT", "read me\r\n");
        Write(m_root / "repo/docs/EXTRA.TXT", "extra");
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    bool Build(const std::string& design, const std::string& contents, std::string* pReport) {
        CDesignPtr pDesign(DESIGN_Construct(), DESIGN_Destroy);
        std::string error;
        EXPECT_TRUE(DESIGNTEXT_Parse(design, pDesign.get(), &error)) << error;
        m_files.clear();
        EXPECT_TRUE(MEDIA_ParseContents(contents, &m_files, &error)) << error;
        return MEDIA_Build(pDesign.get(), m_files, m_roots, pReport);
    }
    std::filesystem::path Media(const char* szPath) const { return m_root / "media" / szPath; }

    std::filesystem::path m_root;
    MEDIAROOTS m_roots;
    std::vector<MEDIAFILE> m_files;
};

TEST(DesignMediaContentsTest, LinesAndTheirErrors) {
    struct {
        const char* szText;
        const char* szError;  // empty: parses
    } const cases[] = {
        {"bin\\A.DLL = plain build a.dll\n; note\n# note\n\n", ""},
        {"\n\nbin\\A.DLL = plain build\n", "3: expected MEDIA\\PATH = compressed|plain build|source PATH"},
        {"bin\\A.DLL = packed build a.dll", "1: expected MEDIA\\PATH = compressed|plain build|source PATH"},
        {"bin\\A.DLL = plain elsewhere a.dll", "1: expected MEDIA\\PATH = compressed|plain build|source PATH"},
        {" = plain build a.dll", "1: expected MEDIA\\PATH = compressed|plain build|source PATH"},
        {"bin\\A.DLL plain build a.dll", "1: expected MEDIA\\PATH = compressed|plain build|source PATH"},
        {"bin/A.DLL = plain build a.dll", "1: a media path is relative and uses backslashes"},
        {"\\bin\\A.DLL = plain build a.dll", "1: a media path is relative and uses backslashes"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.szText);
        std::vector<MEDIAFILE> files;
        std::string error;
        EXPECT_EQ(!*test.szError, MEDIA_ParseContents(test.szText, &files, &error));
        EXPECT_EQ(test.szError, error);
    }
    std::vector<MEDIAFILE> files;
    std::string error;
    ASSERT_TRUE(MEDIA_ParseContents(CONTENTS, &files, &error));
    ASSERT_EQ(5u, files.size());
    EXPECT_EQ("prog\\EXTRA.TXT", files[4].mediaPath);
    EXPECT_FALSE(files[4].fCompressed);
    EXPECT_FALSE(files[4].fBuilt);
    EXPECT_EQ("docs/EXTRA.TXT", files[4].source);
    EXPECT_TRUE(files[1].fCompressed);
    EXPECT_TRUE(files[1].fBuilt);
}

TEST_F(DesignMediaTest, WritesEveryFileTheMarkerAndADesignWithTheBuiltSizes) {
    std::string report;
    ASSERT_TRUE(Build(DESIGN_TEXT, CONTENTS, &report)) << report;
    EXPECT_EQ("", report);

    // A compressed file expands to its source under its source's name.
    std::string expanded;
    char chLast = 0;
    ASSERT_TRUE(SZDD_Expand(Read(Media("prog/DEMO.EX_")), &expanded, &chLast));
    EXPECT_EQ("MZ" + std::string(5000, 'd'), expanded);
    EXPECT_EQ("DEMO.EXE", SZDD_ExpandedName("DEMO.EX_", chLast));
    ASSERT_TRUE(SZDD_Expand(Read(Media("bin/UNNSTALL.EXE")), &expanded, &chLast));
    EXPECT_EQ(std::string(3000, 'u'), expanded);
    EXPECT_EQ("read me\r\n", Read(Media("prog/README.TXT")));
    EXPECT_EQ("Demo Disk\r\n", Read(Media("disk.a")));

    CDesignPtr pDesign(DESIGN_Construct(), DESIGN_Destroy);
    ASSERT_EQ(DESIGN_LOADED, DESIGN_Open(pDesign.get(), Media("bin/SETUP.INI").string().c_str()));
    EXPECT_EQ(5002, THINGCOL_GetThing(&pDesign->things, 0)->pFile->lSize);
    // The built size replaces one the text gives.
    EXPECT_EQ(9, THINGCOL_GetThing(&pDesign->things, 1)->pFile->lSize);
    EXPECT_EQ(5011, pDesign->collect.collection[0].lSize);
    EXPECT_EQ(5, pDesign->collect.collection[1].lSize);
    EXPECT_EQ(5016, pDesign->disks.diskarr[0].lSize);

    EXPECT_TRUE(MEDIA_Check(m_files, m_roots, &report)) << report;
}

TEST_F(DesignMediaTest, NamesWhatTheContentsLackAndWhatIsNotBuiltAndWritesTheRest) {
    std::filesystem::remove(m_root / "build/demo.exe");
    std::string contents = CONTENTS;
    contents.erase(contents.find("bin\\UNNSTALL.EXE"),
                   contents.find("prog\\DEMO.EX_") - contents.find("bin\\UNNSTALL.EXE"));
    std::string report;
    EXPECT_FALSE(Build(std::string(DESIGN_TEXT) + "[Thing 3]\nName = LATER.TXT\n", contents, &report));
    EXPECT_NE(std::string::npos, report.find("not in the contents: bin\\UNNSTALL.EXE, which the design names\n"))
        << report;
    EXPECT_NE(std::string::npos, report.find("not in the contents: prog\\LATER.TXT, which the design names\n"))
        << report;
    EXPECT_NE(std::string::npos, report.find("not built: prog\\DEMO.EX_ from ")) << report;
    EXPECT_EQ("read me\r\n", Read(Media("prog/README.TXT")));
    EXPECT_TRUE(std::filesystem::exists(Media("bin/SETUP.INI")));

    report.clear();
    EXPECT_FALSE(MEDIA_Check(m_files, m_roots, &report));
    EXPECT_NE(std::string::npos, report.find("missing: bin\\UNNSTALL.EXE, which the design names\n")) << report;
    EXPECT_NE(std::string::npos, report.find("missing: prog\\DEMO.EX_, which the design names\n")) << report;
}

TEST_F(DesignMediaTest, TheCheckFindsWhatIsWrongWithWrittenMedia) {
    typedef const std::filesystem::path& ROOT;
    struct {
        const char* szName;
        std::function<void(ROOT)> spoil;  // given the scratch folder
        const char* szFault;
    } const cases[] = {
        {"removed", [](ROOT root) { std::filesystem::remove(root / "media/prog/README.TXT"); },
         "missing: prog\\README.TXT, which the design names\n"},
        {"marker removed", [](ROOT root) { std::filesystem::remove(root / "media/disk.a"); },
         "missing: disk.a, which the design names\n"},
        {"stored plain", [](ROOT root) { Write(root / "media/prog/DEMO.EX_", "MZ" + std::string(5000, 'd')); },
         "not compressed: prog\\DEMO.EX_\n"},
        {"another build",
         [](ROOT root) { Write(root / "media/prog/DEMO.EX_", SZDD_Compress("MZ" + std::string(5000, 'x'), 'E')); },
         "differs from its source: prog\\DEMO.EX_"},
        {"rebuilt since", [](ROOT root) { Write(root / "repo/docs/EXTRA.TXT", "extra, longer"); },
         "the design gives prog\\EXTRA.TXT 5 bytes, its file holds 13\n"},
        {"design damaged", [](ROOT root) { Write(root / "media/bin/SETUP.INI", "TAMBERLO-Ver 0.05"); },
         "the engine refuses the design file "},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.szName);
        TearDown();
        SetUp();
        std::string report;
        ASSERT_TRUE(Build(DESIGN_TEXT, CONTENTS, &report)) << report;
        test.spoil(m_root);
        EXPECT_FALSE(MEDIA_Check(m_files, m_roots, &report));
        EXPECT_NE(std::string::npos, report.find(test.szFault)) << report;
    }
}

}  // namespace
