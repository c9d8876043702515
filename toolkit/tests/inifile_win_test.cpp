// Profile files through the system's own profile calls: strings, numbers, maps, counted lists and window
// placements, in files of the test's Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/testsupport/testfile.h"
#include "toolkit/inifile_win.h"
#include "toolkit/placement_win.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"

namespace {

class IniFileWinTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_ini.SetFileName(m_file.c_str())); }
    // Writes the file by hand, as a user with an editor would.
    void WriteByHand(const std::string& text) { ASSERT_TRUE(TESTFILE_Write(m_file, text)); }
    // The section's lines as the system reads them.
    std::vector<std::string> SectionLines(const char* szSection) const {
        std::vector<char> buffer(65536);
        const DWORD cb =
            GetPrivateProfileSectionA(szSection, buffer.data(), static_cast<DWORD>(buffer.size()), m_file.c_str());
        std::vector<std::string> lines;
        for (const char* p = buffer.data(); p < buffer.data() + cb && *p; p += strlen(p) + 1)
            lines.emplace_back(p);
        return lines;
    }
    std::string Value(const char* szSection, const char* szKey) const {
        char szValue[256] = "";
        GetPrivateProfileStringA(szSection, szKey, "(none)", szValue, sizeof(szValue), m_file.c_str());
        return szValue;
    }
    CTempFolder m_folder{"inifile_win_test"};
    std::string m_file = m_folder / "TEST.INI";
    CIniFile m_ini;
};

std::vector<std::string> Texts(const CTextList& list) {
    return std::vector<std::string>(list.begin(), list.end());
}

TEST_F(IniFileWinTest, DefaultFileIsTheModuleWithTheExtensionIni) {
    char szModule[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szModule, sizeof(szModule));
    std::string expected = szModule;
    expected = expected.substr(0, expected.rfind('.')) + ".INI";
    EXPECT_EQ(expected, CIniFile().GetFileName());
    EXPECT_EQ(expected, CIniFile(GetModuleHandleA(nullptr)).GetFileName());

    CDiagCapture capture;
    EXPECT_FALSE(m_ini.SetFileName(""));
    EXPECT_FALSE(m_ini.SetFileName(nullptr));
    EXPECT_EQ(m_file, m_ini.GetFileName());
}

TEST_F(IniFileWinTest, TextsReplaceOnlyByAValue) {
    EXPECT_TRUE(m_ini.Write("Movie Options", "Folder", "C:\\REELWAY\\CACHE"));
    std::string text = "old";
    EXPECT_EQ(16, m_ini.Read("Movie Options", "Folder", text));
    EXPECT_EQ("C:\\REELWAY\\CACHE", text);

    EXPECT_TRUE(m_ini.Write("Movie Options", "Empty", ""));
    text = "kept";
    EXPECT_EQ(0, m_ini.Read("Movie Options", "Empty", text));
    EXPECT_EQ(0, m_ini.Read("Movie Options", "Missing", text));
    EXPECT_EQ(0, m_ini.Read("No Section", "Folder", text));
    EXPECT_EQ("kept", text);

    // A value is read with a 4,096-byte buffer.
    EXPECT_TRUE(m_ini.Write("Long", "Text", std::string(5000, 'x')));
    EXPECT_EQ(4095, m_ini.Read("Long", "Text", text));
    EXPECT_EQ(std::string(4095, 'x'), text);
}

TEST_F(IniFileWinTest, NumbersAreSignedDecimalAndChangeOnlyOnAParse) {
    EXPECT_TRUE(m_ini.Write("N", "Minus", -17));
    EXPECT_EQ("-17", Value("N", "Minus"));
    WriteByHand("[N]\r\nMinus=-17\r\nLetters=abc\r\nEleven=12345678901\r\nUnit=12 MB\r\nEmpty=\r\n");
    const struct {
        const char* szKey;
        int nResult;
        int nValue;
    } cases[] = {
        {"Minus", 1, -17}, {"Letters", 0, 99}, {"Eleven", 0, 99}, {"Unit", 1, 12}, {"Empty", 0, 99}, {"None", 0, 99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szKey);
        int nValue = 99;
        EXPECT_EQ(c.nResult, m_ini.Read("N", c.szKey, nValue));
        EXPECT_EQ(c.nValue, nValue);
    }
}

TEST_F(IniFileWinTest, ReadIntTellsWhetherTheValueChanged) {
    ASSERT_TRUE(INIFILE_WriteInt(m_file.c_str(), "Movie Options", "MovieProgressMeter", 0));
    EXPECT_EQ("0", Value("Movie Options", "MovieProgressMeter"));
    int nValue = 1;
    EXPECT_TRUE(INIFILE_ReadInt(m_file.c_str(), "Movie Options", "MovieProgressMeter", &nValue));
    EXPECT_EQ(0, nValue);
    EXPECT_FALSE(INIFILE_ReadInt(m_file.c_str(), "Movie Options", "MovieProgressMeter", &nValue));
    nValue = 1;
    EXPECT_FALSE(INIFILE_ReadInt(m_file.c_str(), "Movie Options", "Missing", &nValue));
    EXPECT_EQ(1, nValue);
    WriteByHand("[Movie Options]\r\nMovieProgressMeter=off\r\n");
    EXPECT_FALSE(INIFILE_ReadInt(m_file.c_str(), "Movie Options", "MovieProgressMeter", &nValue));
    EXPECT_EQ(1, nValue);
}

TEST_F(IniFileWinTest, ListReplacesALongerSectionWholly) {
    WriteByHand(
        "[RegKeys]\r\nCount=5\r\nRegKeys0=old0\r\nRegKeys1=old1\r\nRegKeys2=old2\r\nRegKeys3=old3\r\n"
        "RegKeys4=old4\r\nStray=x\r\n[Other]\r\nKeep=1\r\n");
    CTextList list;
    for (const char* szText : {"A", "B", "C"})
        list.Add(szText);
    EXPECT_TRUE(m_ini.WriteList("Registry keys", "RegKeys", list));
    EXPECT_EQ((std::vector<std::string>{"Count=3", "RegKeys0=A", "RegKeys1=B", "RegKeys2=C"}), SectionLines("RegKeys"));
    EXPECT_EQ("1", Value("Other", "Keep"));

    CTextList back;
    back.Add("stale");
    EXPECT_TRUE(m_ini.ReadList("Registry keys", "RegKeys", back));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), Texts(back));
}

TEST_F(IniFileWinTest, ListSectionsOfMembersDropTheirPrefixAndEmptyListsKeepTheCount) {
    CTextList list;
    list.Add("C:\\DEMO");
    list.Add("C:\\DEMO");
    EXPECT_TRUE(m_ini.WriteList("", "m_Folders", list));
    EXPECT_EQ((std::vector<std::string>{"Count=2", "Folders0=C:\\DEMO", "Folders1=C:\\DEMO"}),
              SectionLines("m_Folders"));
    EXPECT_TRUE(m_ini.WriteList("", "Files", CTextList()));
    EXPECT_EQ((std::vector<std::string>{"Count=0"}), SectionLines("Files"));
}

TEST_F(IniFileWinTest, ListReadSkipsWhatIsMissingEmptyOrBeyondTheCount) {
    const struct {
        const char* szSection;
        std::vector<std::string> texts;
    } cases[] = {
        {"Deleted", {"A", "C"}}, {"Empty", {"A", "C"}}, {"Beyond", {"A", "B"}}, {"Unordered", {"A", "B", "C"}},
        {"NoCount", {}},         {"BadCount", {}},      {"Negative", {}},       {"Huge", {"A"}},
        {"Twice", {"A", "B"}},   {"Case", {"A", "B"}},  {"Missing", {}},
    };
    WriteByHand(
        "[Deleted]\r\nCount=3\r\nDeleted0=A\r\nDeleted2=C\r\n"
        "[Empty]\r\nCount=3\r\nEmpty0=A\r\nEmpty1=\r\nEmpty2=C\r\n"
        "[Beyond]\r\nCount=2\r\nBeyond0=A\r\nBeyond1=B\r\nBeyond2=C\r\n"
        "[Unordered]\r\nUnordered2=C\r\nCount=3\r\nUnordered0=A\r\nUnordered1=B\r\n"
        "[NoCount]\r\nNoCount0=A\r\n"
        "[BadCount]\r\nCount=many\r\nBadCount0=A\r\n"
        "[Negative]\r\nCount=-3\r\nNegative0=A\r\n"
        "[Huge]\r\nCount=2000000000\r\nHuge0=A\r\n"
        "[Twice]\r\nCount=2\r\nTwice0=A\r\nTwice1=B\r\nTwice1=X\r\n"
        "[Case]\r\nCount=2\r\ncase0=A\r\nCASE1=B\r\nCase01=X\r\n");
    CDiagCapture quiet;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szSection);
        CTextList list;
        list.Add("stale");
        EXPECT_TRUE(m_ini.ReadList("", c.szSection, list));
        EXPECT_EQ(c.texts, Texts(list));
    }
    EXPECT_NE(std::string::npos, quiet.Text().find("MFX_VERIFY failed: in INIFILE"));
    EXPECT_NE(std::string::npos, quiet.Text().find("Read(Key, key, value )"));  // the empty element
}

TEST_F(IniFileWinTest, MapsRoundTripAndReplaceTheirSection) {
    WriteByHand("[IconGroups]\r\nStale=Old\r\n");
    CTextMap map;
    map["Demo Player"] = "Demo";
    map["Read Me"] = "Demo";
    map["Empty"] = "";
    map["Equals"] = "a=b";
    EXPECT_TRUE(m_ini.WriteMap("Icons", "IconGroups", map));
    EXPECT_EQ("(none)", Value("IconGroups", "Stale"));
    CTextMap back;
    back["Stale"] = "x";
    EXPECT_TRUE(m_ini.ReadMap("Icons", "IconGroups", back));
    EXPECT_EQ(map, back);

    EXPECT_TRUE(m_ini.WriteMap("Icons", "IconGroups", CTextMap()));
    EXPECT_TRUE(SectionLines("IconGroups").empty());
    EXPECT_TRUE(m_ini.ReadMap("Icons", "NoSuchSection", back));
    EXPECT_TRUE(back.empty());
}

TEST_F(IniFileWinTest, MapLargerThanTheKeyNameBufferReadsWhole) {
    std::string text = "[Big]\r\n";
    const int nKeys = 3000;  // about 45,000 bytes of key names
    for (int n = 0; n < nKeys; n++)
        text += "IconTitle" + std::to_string(100000 + n) + "=" + std::to_string(n) + "\r\n";
    WriteByHand(text);
    CTextMap map;
    EXPECT_TRUE(m_ini.ReadMap("", "Big", map));
    ASSERT_EQ(static_cast<size_t>(nKeys), map.size());
    EXPECT_EQ("2999", map["IconTitle102999"]);
}

TEST_F(IniFileWinTest, RemoveSectionTakesEveryKey) {
    WriteByHand("[Gone]\r\nA=1\r\nB=2\r\n[Kept]\r\nC=3\r\n");
    EXPECT_TRUE(m_ini.RemoveSection("Gone"));
    EXPECT_TRUE(SectionLines("Gone").empty());
    EXPECT_EQ("3", Value("Kept", "C"));
}

class PlacementWinTest : public IniFileWinTest {
protected:
    void SetUp() override {
        IniFileWinTest::SetUp();
        m_hWnd = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 50, 300, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hWnd);
    }
    void TearDown() override { DestroyWindow(m_hWnd); }
    RECT WindowRect() const {
        RECT rc;
        GetWindowRect(m_hWnd, &rc);
        return rc;
    }
    HWND m_hWnd = nullptr;
};

TEST_F(PlacementWinTest, NormalWindowWritesItsPositionAndOnRequestItsSize) {
    EXPECT_TRUE(WINDOW_SavePlacement(m_hWnd, m_file.c_str(), "Window Location", "Main", false));
    EXPECT_EQ((std::vector<std::string>{"Main_left=40", "Main_top=50", "Main_IsIconic=0", "Main_IsZoomed=0"}),
              SectionLines("Window Location"));
    EXPECT_TRUE(WINDOW_SavePlacement(m_hWnd, m_file.c_str(), "Window Location", "Main", true));
    EXPECT_EQ("300", Value("Window Location", "Main_width"));
    EXPECT_EQ("200", Value("Window Location", "Main_height"));
}

TEST_F(PlacementWinTest, MaximisedWindowWritesOnlyItsState) {
    WriteByHand("[Window Location]\r\nMain_left=12\r\nMain_top=34\r\n");
    ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(IsZoomed(m_hWnd));
    EXPECT_TRUE(WINDOW_SavePlacement(m_hWnd, m_file.c_str(), "Window Location", "Main", true));
    EXPECT_EQ((std::vector<std::string>{"Main_left=12", "Main_top=34", "Main_IsIconic=0", "Main_IsZoomed=1"}),
              SectionLines("Window Location"));
}

TEST_F(PlacementWinTest, RestoreMovesResizesAndMaximisesAsStored) {
    WriteByHand("[W]\r\nMain_left=70\r\nMain_top=80\r\nMain_width=250\r\nMain_height=150\r\n");
    EXPECT_TRUE(WINDOW_RestorePlacement(m_hWnd, m_file.c_str(), "W", "Main", false));
    RECT rc = WindowRect();
    EXPECT_EQ(70, rc.left);
    EXPECT_EQ(80, rc.top);
    EXPECT_EQ(300, rc.right - rc.left);  // the size only with the size flag
    EXPECT_TRUE(WINDOW_RestorePlacement(m_hWnd, m_file.c_str(), "W", "Main", true));
    rc = WindowRect();
    EXPECT_EQ(250, rc.right - rc.left);
    EXPECT_EQ(150, rc.bottom - rc.top);
    EXPECT_FALSE(IsZoomed(m_hWnd));

    WriteByHand("[W]\r\nMain_left=70\r\nMain_IsZoomed=1\r\n");
    EXPECT_FALSE(WINDOW_RestorePlacement(m_hWnd, m_file.c_str(), "W", "Main", true));  // no top: no move
    EXPECT_TRUE(IsZoomed(m_hWnd));
}

TEST_F(PlacementWinTest, ChildWindowIsPlacedInItsParentsClientArea) {
    const HWND hChild = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 15, 25, 50, 40, m_hWnd, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hChild);
    EXPECT_TRUE(WINDOW_SavePlacement(hChild, m_file.c_str(), "W", "Child", true));
    EXPECT_EQ((std::vector<std::string>{"Child_left=15", "Child_top=25", "Child_width=50", "Child_height=40",
                                        "Child_IsIconic=0", "Child_IsZoomed=0"}),
              SectionLines("W"));
}

TEST_F(PlacementWinTest, PrefixLongerThan63IsRefused) {
    const std::string longest(63, 'p');
    EXPECT_TRUE(WINDOW_SavePlacement(m_hWnd, m_file.c_str(), "W", longest.c_str(), false));
    CDiagCapture capture;
    const std::string tooLong(64, 'p');
    EXPECT_FALSE(WINDOW_SavePlacement(m_hWnd, m_file.c_str(), "W", tooLong.c_str(), false));
    EXPECT_FALSE(WINDOW_RestorePlacement(m_hWnd, m_file.c_str(), "W", tooLong.c_str(), false));
    EXPECT_NE(std::string::npos, capture.Text().find("MFX_PRE failed: in PLACEMENT"));
    EXPECT_EQ(4u, SectionLines("W").size());
}

}  // namespace
