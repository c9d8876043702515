// The hook library's binding: our stand-in hook library loaded as "TAVLET.DLL" from the working directory, and
// no library; each event with its arguments and the engine's use of the answer.
#include "setup/hookbind_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/hookstandin/hookstandinlog.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"

namespace {

using Strings = std::vector<std::string>;

class HookbindTest : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof(m_szWasCurrent), m_szWasCurrent);
        ASSERT_TRUE(SetCurrentDirectoryA(m_work.Path().c_str()));
    }
    void TearDown() override {
        HOOK_FreeLibrary();
        SetCurrentDirectoryA(m_szWasCurrent);
    }
    // The stand-in in the working directory, answering as the profile text says.
    void Provide(const std::string& answers) {
        const std::string source = BUILDPATH_SubsystemFile("..\\testing\\hookstandin\\hookstandin.dll");
        ASSERT_TRUE(CopyFileA(source.c_str(), (m_work / HOOK_LIBRARY).c_str(), FALSE)) << source;
        ASSERT_TRUE(TESTFILE_Write(m_work / "hookstandin.ini", answers));
        ASSERT_TRUE(HOOK_LoadLibrary());
    }
    Strings Events() const { return HOOKSTANDIN_Events(m_work.Path()); }

    CTempFolder m_work{"hookwork"};
    char m_szWasCurrent[MAX_PATH] = "";
};

TARGET MakeTarget(const char* szName, const char* szDefault, const char* szRuntime) {
    TARGET target = {};
    lstrcpynA(target.szName, szName, sizeof(target.szName));
    lstrcpynA(target.defaultpath, szDefault, sizeof(target.defaultpath));
    lstrcpynA(target.runtimepath, szRuntime, sizeof(target.runtimepath));
    return target;
}

// Without the library every answer is the one the hook would give by leaving everything as it came.
TEST_F(HookbindTest, WithoutTheLibraryEveryAnswerIsTheDefault) {
    EXPECT_FALSE(HOOK_LoadLibrary());
    EXPECT_FALSE(HOOK_IsLoaded());
    EXPECT_TRUE(HOOK_Loaded(nullptr));
    EXPECT_EQ(HOOK_SCREEN_ON, HOOK_Screen(0, nullptr, true));
    EXPECT_EQ(HOOK_SCREEN_BACK, HOOK_Screen(2, nullptr, false));
    EXPECT_TRUE(HOOK_Resolve("Program"));
    std::vector<bool> afSelected = {true, false};
    EXPECT_FALSE(HOOK_Selection({"Player", "Samples"}, afSelected));
    EXPECT_EQ((std::vector<bool>{true, false}), afSelected);
    TARGET target = MakeTarget("Program", "C:\\DEMO", "");
    Strings candidates = {"D:\\DEMO"};
    HOOK_DefaultTarget(nullptr, &target, candidates);
    EXPECT_STREQ("", target.runtimepath);
    EXPECT_EQ(Strings{"D:\\DEMO"}, candidates);
    EXPECT_EQ(0, HOOK_Call(HOOK_INSTALLED, 0, 0));
}

TEST_F(HookbindTest, LoadsOnceFromTheWorkingDirectory) {
    Provide("");
    HMODULE hLoaded = GetModuleHandleA((m_work / HOOK_LIBRARY).c_str());
    EXPECT_TRUE(hLoaded);
    CDiagCapture capture;
    EXPECT_FALSE(HOOK_LoadLibrary());
    EXPECT_NE(std::string::npos, capture.Text().find("!s_hLibrary")) << capture.Text();
    EXPECT_TRUE(HOOK_IsLoaded());
    HOOK_FreeLibrary();
    EXPECT_FALSE(GetModuleHandleA((m_work / HOOK_LIBRARY).c_str()));
}

TEST_F(HookbindTest, TheEngineUsesTheHooksAnswers) {
    Provide("[Loaded]\r\nGoOn=0\r\n[Screen]\r\n0=2\r\n3=0\r\n[Copy]\r\nSKIP.TXT=0\r\n[Resolve]\r\nFonts=0\r\n"
            "[Selection]\r\nApply=1\r\nSamples=1\r\nPlayer=0\r\n");
    EXPECT_FALSE(HOOK_Loaded(nullptr));
    EXPECT_EQ(HOOK_SCREEN_LEAVE, HOOK_Screen(0, nullptr, true));
    EXPECT_EQ(HOOK_SCREEN_ON, HOOK_Screen(1, nullptr, true));  // left as it came
    EXPECT_EQ(HOOK_SCREEN_BACK, HOOK_Screen(3, nullptr, true));
    EXPECT_FALSE(HOOK_Resolve("Fonts"));
    EXPECT_TRUE(HOOK_Resolve("Program"));
    std::vector<bool> afSelected = {true, false, true};
    EXPECT_TRUE(HOOK_Selection({"Player", "Samples", "Help"}, afSelected));
    EXPECT_EQ((std::vector<bool>{false, true, true}), afSelected);

    for (const char* szFile : {"skip.txt", "keep.txt"}) {
        SCOPED_TRACE(szFile);
        char szSource[COPYREC_DIRSIZE] = "A:\\DISK1", szDest[COPYREC_DIRSIZE] = "C:\\DEMO";
        char szName[COPYREC_NAMESIZE] = "";
        lstrcpynA(szName, szFile, sizeof(szName));
        COPYREC copy = {szSource, szDest, szName, 1};
        EXPECT_EQ(szFile[0] == 'k', HOOK_Copying(&copy));
    }
    EXPECT_EQ((Strings{"368", "416 screen 0 forward", "416 screen 1 forward", "416 screen 3 forward", "433 Fonts",
                       "433 Program", "434 3 Player=1 Samples=0 Help=1", "96 skip.txt A:\\DISK1 C:\\DEMO",
                       "96 keep.txt A:\\DISK1 C:\\DEMO"}),
              Events());
}

// Before the call an empty directory is the default one; after it the hook's directories and candidates are
// the target's.
TEST_F(HookbindTest, TargetsTakeTheDirectoriesTheHookSupplies) {
    const std::string tooLong(MAX_PATH_SIZE, 'x');
    Provide("[Target]\r\nPlugIns=C:\\NS\\PLUGINS|C:\\NS\\PLUGINS|C:\\NS\\PLUGINS|D:\\GOLD\\PLUGINS\r\nLong=" + tooLong +
            "|C:\\LONG\r\n");
    TARGET plugins = MakeTarget("PlugIns", "C:\\DEFAULT", "");
    Strings candidates = {"E:\\FOUND"};
    HOOK_DefaultTarget(nullptr, &plugins, candidates);
    EXPECT_STREQ("C:\\NS\\PLUGINS", plugins.runtimepath);
    EXPECT_STREQ("C:\\NS\\PLUGINS", plugins.defaultpath);
    EXPECT_EQ((Strings{"C:\\NS\\PLUGINS", "D:\\GOLD\\PLUGINS"}), candidates);

    TARGET untouched = MakeTarget("Program", "C:\\DEMO", "C:\\CHOSEN");
    candidates = {};
    HOOK_DefaultTarget(nullptr, &untouched, candidates);
    EXPECT_STREQ("C:\\CHOSEN", untouched.runtimepath);
    EXPECT_STREQ("C:\\DEMO", untouched.defaultpath);

    // A directory that does not fit the target is not stored cut short.
    TARGET longer = MakeTarget("Long", "C:\\DEMO", "C:\\KEEP");
    CDiagCapture capture;
    HOOK_DefaultTarget(nullptr, &longer, candidates);
    EXPECT_STREQ("C:\\KEEP", longer.runtimepath);
    EXPECT_STREQ("C:\\LONG", longer.defaultpath);
    EXPECT_NE(std::string::npos, capture.Text().find("strlen(szDir)")) << capture.Text();

    EXPECT_EQ((Strings{"432 PlugIns C:\\DEFAULT|C:\\DEFAULT|1", "432 Program C:\\CHOSEN|C:\\DEMO|0",
                       "432 Long C:\\KEEP|C:\\DEMO|0"}),
              Events());
}

TEST_F(HookbindTest, NoticesCarryTheirArguments) {
    Provide("");
    HOOK_DirectoryCreated("C:\\DEMO");
    HOOK_MakingGroup("Demo");
    HOOK_DialogOpened(HOOK_PROGRESS, nullptr);
    HOOK_Finished(true);
    HOOK_Installed(nullptr, "C:\\DEMO\\DEMO.LOG");
    HOOK_Left();
    EXPECT_EQ((Strings{"80 C:\\DEMO", "112 Demo", "400 4", "304 1", "288 0 C:\\DEMO\\DEMO.LOG", "336 0"}), Events());
}

TEST_F(HookbindTest, TheLibrarysBaggageIsCopiedIntoTheWorkingDirectory) {
    Provide("[Baggage]\r\n0=one.txt\r\n1=two.txt\r\n");
    CTempFolder distrib("hookdist");
    ASSERT_TRUE(TESTFILE_Write(distrib / "one.txt", "1"));
    ASSERT_TRUE(TESTFILE_Write(distrib / "two.txt", "22"));
    EXPECT_TRUE(HOOK_CopyBaggage(distrib.Path().c_str(), m_work.Path().c_str()));
    EXPECT_EQ("1", TESTFILE_Read(m_work / "one.txt"));
    EXPECT_EQ("22", TESTFILE_Read(m_work / "two.txt"));
    DeleteFileA((distrib / "two.txt").c_str());
    CDiagCapture capture;
    EXPECT_FALSE(HOOK_CopyBaggage(distrib.Path().c_str(), m_work.Path().c_str()));
}

}  // namespace
