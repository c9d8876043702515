// The portable name rules: joins, splits, extensions, slashes, levels and the double-byte walk.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/pathname.h"
#include "toolkit/tests/dbcs_rule.h"

namespace {

class PathNameTest : public ::testing::Test {
protected:
    bool Reported() const { return m_capture.Text().find("MFX_PRE failed: in PATHNAME") != std::string::npos; }
    CDiagCapture m_capture;
};

TEST_F(PathNameTest, ConstructJoinsWithOneSeparator) {
    const struct {
        const char* szFolder;
        const char* szName;
        int nResult;
        const char* szOut;
    } cases[] = {
        {"C:\\DIR", "\\FILE.TXT", 1, "C:\\DIR\\FILE.TXT"},
        {"C:\\DIR/", "FILE.TXT", 1, "C:\\DIR/FILE.TXT"},
        {"C:\\", "FILE.TXT", 1, "C:\\FILE.TXT"},
        {"C:\\DIR\\", "/FILE.TXT", 1, "C:\\DIR\\FILE.TXT"},
        {"C:\\DIR", "\\\\FILE.TXT", 1, "C:\\DIR\\\\FILE.TXT"},
        {"C:\\DIR", "", 1, "C:\\DIR\\"},
        {"DIR", "SUB\\FILE", 1, "DIR\\SUB\\FILE"},
        {"", "FILE.TXT", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szFolder) + " + " + c.szName);
        PATHNAME szOut = "stale";
        EXPECT_EQ(c.nResult, PATHNAME_Construct(szOut, c.szFolder, c.szName));
        EXPECT_STREQ(c.szOut, szOut);
    }
    EXPECT_FALSE(Reported());
}

TEST_F(PathNameTest, ConstructRefusesAResultOverTheLimitAndLeavesTheOutputEmpty) {
    const std::string folder = "C:\\" + std::string(250, 'D');  // 253 characters
    PATHNAME szOut = "stale";
    EXPECT_EQ(1, PATHNAME_Construct(szOut, folder.c_str(), "123456"));  // 253 + 1 + 6 = 260
    EXPECT_EQ(260u, strlen(szOut));
    EXPECT_FALSE(Reported());
    EXPECT_EQ(0, PATHNAME_Construct(szOut, folder.c_str(), "1234567"));
    EXPECT_STREQ("", szOut);
    EXPECT_TRUE(Reported());
}

TEST_F(PathNameTest, ConstructAcceptsTheFolderAsItsOwnOutput) {
    PATHNAME szName = "C:\\SRC";
    EXPECT_EQ(1, PATHNAME_Construct(szName, szName, "A.TXT"));
    EXPECT_STREQ("C:\\SRC\\A.TXT", szName);
    PATHNAME szTwice = "C:\\";
    EXPECT_EQ(1, PATHNAME_Construct2(szTwice, szTwice, "SUB", "B.TXT"));
    EXPECT_STREQ("C:\\SUB\\B.TXT", szTwice);
    EXPECT_EQ(0, PATHNAME_Construct2(szTwice, "", "SUB", "B.TXT"));
    EXPECT_STREQ("", szTwice);
}

TEST_F(PathNameTest, SplitsIntoFolderAndName) {
    const struct {
        const char* szName;
        int nPathResult;
        const char* szPath;
        const char* szPathNoSlash;
        const char* szJustName;
        int nHasPath;
    } cases[] = {
        {"C:\\FILE.TXT", 1, "C:\\", "C:\\", "FILE.TXT", 1},
        {"C:\\A\\FILE.TXT", 1, "C:\\A\\", "C:\\A", "FILE.TXT", 1},
        {"FILE.TXT", 0, "FILE.TXT", "FILE.TXT", "FILE.TXT", 0},
        {"C:FILE", 1, "C:", "C:", "FILE", 1},
        {"C:\\A\\", 1, "C:\\A\\", "C:\\A", "", 1},
        {"C:\\A/B", 1, "C:\\A/", "C:\\A/", "B", 1},
        {"\\\\SERVER\\SHARE\\X", 1, "\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE", "X", 1},
        {"", 0, "", "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        PATHNAME szPath = "stale", szPathNoSlash = "stale", szJustName = "stale";
        EXPECT_EQ(c.nPathResult, PATHNAME_GetJustPath(c.szName, szPath));
        EXPECT_STREQ(c.szPath, szPath);
        EXPECT_EQ(c.nPathResult, PATHNAME_GetJustPathNoSlash(c.szName, szPathNoSlash));
        if (c.nPathResult) {
            EXPECT_STREQ(c.szPathNoSlash, szPathNoSlash);
        }
        EXPECT_EQ(1, PATHNAME_GetJustName(c.szName, szJustName));
        EXPECT_STREQ(c.szJustName, szJustName);
        EXPECT_EQ(c.nHasPath, PATHNAME_HasPath(c.szName));
    }
}

TEST_F(PathNameTest, SiblingReplacesTheNamePart) {
    PATHNAME szOut = "stale";
    EXPECT_EQ(1, PATHNAME_ConstructSibling("C:\\A\\OLD.TXT", szOut, "NEW.TXT"));
    EXPECT_STREQ("C:\\A\\NEW.TXT", szOut);
    EXPECT_EQ(0, PATHNAME_ConstructSibling("OLD.TXT", szOut, "NEW.TXT"));
    EXPECT_STREQ("", szOut);

    PATHNAME szName = "C:\\A\\OLD.TXT";
    EXPECT_EQ(1, PATHNAME_ReplaceJustName(szName, "NEW.TXT"));
    EXPECT_STREQ("C:\\A\\NEW.TXT", szName);
    EXPECT_FALSE(Reported());

    const std::string tooLong(256, 'N');  // C:\A\ and 256 make 261
    EXPECT_EQ(0, PATHNAME_ReplaceJustName(szName, tooLong.c_str()));
    EXPECT_STREQ("C:\\A\\NEW.TXT", szName);
    EXPECT_TRUE(Reported());
}

TEST_F(PathNameTest, ExtensionsBelongToTheNamePartOnly) {
    const struct {
        const char* szName;
        const char* szExt;
        const char* szDotExt;
        const char* szWithout;
        const char* szReplacedByLog;
    } cases[] = {
        {"SETUP.EXE", "EXE", ".EXE", "SETUP", "SETUP.LOG"},
        {"C:\\A.B\\NAME", "", "", "C:\\A.B\\NAME", "C:\\A.B\\NAME"},
        {"C:\\A.B\\NAME.TAR.GZ", "GZ", ".GZ", "C:\\A.B\\NAME.TAR", "C:\\A.B\\NAME.TAR.LOG"},
        {"C:NAME.X", "X", ".X", "C:NAME", "C:NAME.LOG"},
        {"DIR/NAME", "", "", "DIR/NAME", "DIR/NAME"},
        {"NAME.", "", ".", "NAME", "NAME.LOG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        const int nHas = strcmp(c.szName, c.szWithout) != 0;
        PATHNAME szExt = "stale", szDotExt = "stale";
        EXPECT_EQ(nHas, PATHNAME_GetExtension(c.szName, szExt));
        EXPECT_STREQ(c.szExt, szExt);
        EXPECT_EQ(nHas, PATHNAME_GetDotExtension(c.szName, szDotExt));
        EXPECT_STREQ(c.szDotExt, szDotExt);

        PATHNAME szName;
        strcpy(szName, c.szName);
        EXPECT_EQ(nHas, PATHNAME_RemoveExtension(szName));
        EXPECT_STREQ(c.szWithout, szName);
        for (const char* szNewExt : {"LOG", ".LOG"}) {
            strcpy(szName, c.szName);
            EXPECT_EQ(nHas, PATHNAME_ReplaceExtension(szName, szNewExt));
            EXPECT_STREQ(c.szReplacedByLog, szName);
            PATHNAME szOut = "stale";
            EXPECT_EQ(1, PATHNAME_ConstructWithExtension(szOut, c.szName, szNewExt));
            EXPECT_STREQ(c.szReplacedByLog, szOut);
        }
    }
}

TEST_F(PathNameTest, ReplaceExtensionRefusesAResultOverTheLimit) {
    PATHNAME szName;
    const std::string name = std::string(255, 'N') + ".EXE";  // 259 characters
    strcpy(szName, name.c_str());
    EXPECT_EQ(1, PATHNAME_ReplaceExtension(szName, "LONG"));  // 260
    EXPECT_EQ(0, PATHNAME_ReplaceExtension(szName, "LONGER"));
    EXPECT_EQ(std::string(255, 'N') + ".LONG", szName);
    EXPECT_TRUE(Reported());
}

TEST_F(PathNameTest, TrailingSlashRules) {
    const struct {
        const char* szName;
        int nTrim;
        const char* szTrimmed;
        const char* szAdded;
    } cases[] = {
        {"C:\\", 0, "C:\\", "C:\\"},
        {"C:\\A\\", 1, "C:\\A", "C:\\A\\"},
        {"C:\\A", 0, "C:\\A", "C:\\A\\"},
        {"C:\\A/", 0, "C:\\A/", "C:\\A/"},
        {"A\\", 0, "A\\", "A\\"},
        {"AB\\", 0, "AB\\", "AB\\"},
        {"ABC\\", 1, "ABC", "ABC\\"},
        {"C:", 0, "C:", "C:\\"},
        {"", 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        PATHNAME szName;
        strcpy(szName, c.szName);
        EXPECT_EQ(c.nTrim, PATHNAME_TrimLastSlash(szName));
        EXPECT_STREQ(c.szTrimmed, szName);
        strcpy(szName, c.szName);
        EXPECT_EQ(1, PATHNAME_AddSlash(szName));
        EXPECT_STREQ(c.szAdded, szName);
    }
    EXPECT_FALSE(Reported());
}

TEST_F(PathNameTest, AddSlashRefusesANameOf260Characters) {
    PATHNAME szName;
    strcpy(szName, std::string(259, 'A').c_str());
    EXPECT_EQ(1, PATHNAME_AddSlash(szName));
    EXPECT_EQ(std::string(259, 'A') + "\\", szName);
    EXPECT_FALSE(Reported());
    strcpy(szName, std::string(260, 'A').c_str());
    EXPECT_EQ(0, PATHNAME_AddSlash(szName));
    EXPECT_EQ(std::string(260, 'A'), szName);
    EXPECT_TRUE(Reported());
}

TEST_F(PathNameTest, FolderLevelsOfDriveFormNames) {
    const struct {
        const char* szName;
        int nFolders;
        const char* szLevels[4];
    } cases[] = {
        {"C:\\", 0, {"C:\\", "C:\\", "C:\\", "C:\\"}},
        {"C:\\A\\B\\", 2, {"C:\\", "C:\\A", "C:\\A\\B", "C:\\"}},
        {"C:\\A\\B\\C", 2, {"C:\\", "C:\\A", "C:\\A\\B", "C:\\"}},
        {"C:\\A\\B\\C\\", 3, {"C:\\", "C:\\A", "C:\\A\\B", "C:\\A\\B\\C"}},
        {"D:/LONG NAME/X", 1, {"D:/", "D:/LONG NAME", "D:/", "D:/"}},
        {"C:\\\\A", 1, {"C:\\", "C:\\", "C:\\", "C:\\"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_EQ(c.nFolders, PATHNAME_CountFolders(c.szName));
        for (int nLevel = 0; nLevel < 4; ++nLevel) {
            PATHNAME szOut = "stale";
            EXPECT_EQ(1, PATHNAME_GetFolderAtLevel(c.szName, szOut, nLevel));
            EXPECT_STREQ(c.szLevels[nLevel], szOut) << "level " << nLevel;
        }
    }
    EXPECT_FALSE(Reported());
}

TEST_F(PathNameTest, FolderLevelsRefuseOtherForms) {
    for (const char* szName : {"\\\\SERVER\\SHARE", "DIR\\FILE", "C:", "C:FILE", ""}) {
        SCOPED_TRACE(szName);
        m_capture.Clear();
        EXPECT_EQ(0, PATHNAME_CountFolders(szName));
        EXPECT_TRUE(Reported());
        PATHNAME szOut = "untouched";
        m_capture.Clear();
        EXPECT_EQ(0, PATHNAME_GetFolderAtLevel(szName, szOut, 1));
        EXPECT_TRUE(Reported());
        EXPECT_STREQ("untouched", szOut);
    }
}

TEST_F(PathNameTest, RemoveRootComparesExactly) {
    const struct {
        const char* szName;
        const char* szRoot;
        const char* szOut;
    } cases[] = {
        {"C:\\SRC\\A.TXT", "C:\\SRC\\", "A.TXT"},
        {"C:\\SRC\\A.TXT", "D:\\", "C:\\SRC\\A.TXT"},
        {"C:\\SRC\\A.TXT", "c:\\src\\", "C:\\SRC\\A.TXT"},
        {"C:\\SRC", "C:\\SRC\\", "C:\\SRC"},
        {"C:\\SRC", "", "C:\\SRC"},
        {"C:\\SRC", "C:\\SRC", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szName) + " - " + c.szRoot);
        PATHNAME szName;
        strcpy(szName, c.szName);
        EXPECT_EQ(1, PATHNAME_RemoveRoot(szName, c.szRoot));
        EXPECT_STREQ(c.szOut, szName);
    }
}

TEST_F(PathNameTest, AssignCopiesAtMost260Bytes) {
    PATHNAME szOut;
    EXPECT_EQ(1, PATHNAME_Assign(szOut, "C:\\X"));
    EXPECT_STREQ("C:\\X", szOut);
    const std::string longName(300, 'L');
    EXPECT_EQ(1, PATHNAME_Assign(szOut, longName.c_str()));
    EXPECT_EQ(std::string(260, 'L'), szOut);
}

TEST_F(PathNameTest, MissingArgumentsAreRefusedAndLeaveTheOutputAlone) {
    PATHNAME szOut = "untouched";
    EXPECT_EQ(0, PATHNAME_Construct(szOut, nullptr, "X"));
    EXPECT_EQ(0, PATHNAME_GetJustName(nullptr, szOut));
    EXPECT_EQ(0, PATHNAME_GetExtension(nullptr, szOut));
    EXPECT_EQ(0, PATHNAME_ConstructSibling("C:\\A", szOut, nullptr));
    EXPECT_EQ(0, PATHNAME_RemoveRoot(szOut, nullptr));
    EXPECT_EQ(0, PATHNAME_ReplaceExtension(szOut, nullptr));
    EXPECT_STREQ("untouched", szOut);
    EXPECT_EQ(0, PATHNAME_AddSlash(nullptr));
    EXPECT_EQ(7u, m_capture.Lines().size());
    for (const std::string& line : m_capture.Lines())
        EXPECT_NE(std::string::npos, line.find("MFX_PRE failed: in PATHNAME")) << line;
}

// With a double-byte code page, a second byte equal to a backslash belongs to its character.
TEST_F(PathNameTest, DoubleByteCharactersAreSteppedOverWhole) {
    CDbcsRule dbcs;
    const std::string so = "\x83\x5C";  // one character whose second byte is a backslash
    const std::string name = "C:\\" + so + "\\" + so + ".TXT";
    PATHNAME szOut = "";
    ASSERT_EQ(1, PATHNAME_GetJustName(name.c_str(), szOut));
    EXPECT_EQ(so + ".TXT", szOut);
    ASSERT_EQ(1, PATHNAME_GetJustPath(name.c_str(), szOut));
    EXPECT_EQ("C:\\" + so + "\\", szOut);
    EXPECT_EQ(1, PATHNAME_CountFolders(name.c_str()));
    ASSERT_EQ(1, PATHNAME_GetFolderAtLevel(name.c_str(), szOut, 1));
    EXPECT_EQ("C:\\" + so, szOut);

    PATHNAME szFolder;
    strcpy(szFolder, ("C:\\A" + so).c_str());
    EXPECT_EQ(0, PATHNAME_TrimLastSlash(szFolder));
    EXPECT_EQ(1, PATHNAME_AddSlash(szFolder));
    EXPECT_EQ("C:\\A" + so + "\\", szFolder);
    EXPECT_EQ(1, PATHNAME_Construct(szOut, ("C:\\A" + so).c_str(), "B"));
    EXPECT_EQ("C:\\A" + so + "\\B", szOut);

    // A lead byte with nothing behind it ends the walk instead of stepping over the terminator.
    const std::string dangling = "C:\\A\\B\x83";
    EXPECT_EQ(1, PATHNAME_GetJustName(dangling.c_str(), szOut));
    EXPECT_EQ("B\x83", std::string(szOut));
    EXPECT_EQ(1, PATHNAME_CountFolders(dangling.c_str()));
}

// One rule for "the same file" everywhere: case as the platform folds it, slash equal to backslash, and the
// double-byte walk deciding what a slash is.
TEST_F(PathNameTest, SameNameIgnoresCaseAndTheKindOfSeparator) {
#ifdef _WIN32
    const bool fCodePage = true;  // the ANSI code page folds accented letters too
#else
    const bool fCodePage = false;
#endif
    const std::string so = "\x83\x5C";  // one double-byte character whose second byte is a backslash
    const struct {
        std::string name1, name2;
        bool fDoubleByte;
        bool fSame;
    } cases[] = {
        {"C:\\Movies\\Clip.mov", "c:/MOVIES/CLIP.MOV", false, true},
        {"C:\\Movies\\Clip.mov", "C:\\Movies\\Clip.mov", false, true},
        {"", "", false, true},
        {"C:\\A\\CLIP.MOV", "C:\\B\\CLIP.MOV", false, false},
        {"C:\\A\\CLIP", "C:\\A\\CLIP.MOV", false, false},
        {"C:\\A\\CLIP.MOV", "C:\\A\\CLIP.MOV ", false, false},
        {"C:\\A\\", "C:\\A", false, false},
        {"\xC9T\xC9.MOV", "\xE9t\xE9.mov", false, fCodePage},
        {"C:\\" + so + "/X.MOV", "C:\\" + so + "\\x.mov", true, true},
        {"C:\\" + so + "\\X.MOV", "C:\\" + so + "\\X.MOV", true, true},
        // The slash here is the second byte of a character, not a separator.
        {"C:\\\x83/X.MOV", "C:\\" + so + "X.MOV", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name1 + " | " + c.name2);
        std::optional<CDbcsRule> dbcs;
        if (c.fDoubleByte)
            dbcs.emplace();
        EXPECT_EQ(c.fSame ? 1 : 0, PATHNAME_IsSameName(c.name1.c_str(), c.name2.c_str()));
        EXPECT_EQ(c.fSame ? 1 : 0, PATHNAME_IsSameName(c.name2.c_str(), c.name1.c_str()));
    }
    EXPECT_FALSE(Reported());
    EXPECT_EQ(0, PATHNAME_IsSameName(nullptr, "A"));
    EXPECT_EQ(0, PATHNAME_IsSameName("A", nullptr));
    EXPECT_TRUE(Reported());
}

TEST(PathNameObject, OwnsItsBufferAndCopiesByValue) {
    CPathName empty;
    EXPECT_STREQ("", empty);
    EXPECT_STREQ("CPathName", empty.GetRuntimeClassName());

    CPathName name("C:\\A.TXT");
    CPathName copy(name);
    EXPECT_NE(name.m_PathName, copy.m_PathName);
    name = "C:\\B.TXT";
    EXPECT_STREQ("C:\\B.TXT", name);
    EXPECT_STREQ("C:\\A.TXT", copy);
    copy = name;
    EXPECT_STREQ("C:\\B.TXT", copy);
    copy = copy;
    EXPECT_STREQ("C:\\B.TXT", copy);
    copy.Empty();
    EXPECT_STREQ("", copy);
    EXPECT_STREQ("C:\\B.TXT", name);
}

}  // namespace
