// The design compiler: every field through text, binary and back, the README's example and the largest design
// stable both ways, errors with their line numbers. Runs natively and under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "setup/design.h"
#include "setup/designfield.h"
#include "testing/designfixture/designbytes.h"
#include "testing/testsupport/tempfolder.h"
#include "tools/setupdesign/designtext.h"
#include "tools/setupdesign/designwrite.h"

namespace {

typedef std::unique_ptr<DESIGN, void (*)(DESIGN*)> CDesignPtr;

CDesignPtr NewDesign() {
    return CDesignPtr(DESIGN_Construct(), DESIGN_Destroy);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// text -> binary, or "" with a test failure.
std::string Compile(const std::string& text) {
    CDesignPtr pDesign = NewDesign();
    std::string error;
    EXPECT_TRUE(DESIGNTEXT_Parse(text, pDesign.get(), &error)) << error;
    return DESIGNWRITE_Bytes(*pDesign);
}

// binary -> the design as the engine loads it.
CDesignPtr Load(const std::string& bytes) {
    const std::string path = TEMPFOLDER_Program() / "designtext_test.ini";
    FILE* pFile = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
    CDesignPtr pDesign = NewDesign();
    EXPECT_EQ(DESIGN_LOADED, DESIGN_Open(pDesign.get(), path.c_str()));
    std::remove(path.c_str());
    return pDesign;
}

std::string Decompile(const std::string& bytes, bool fAll = false) {
    return DESIGNTEXT_Format(*Load(bytes), fAll);
}

// text -> binary -> text -> binary -> text: the binaries identical, the texts after the first round identical.
void ExpectStable(const std::string& text) {
    const std::string bytes = Compile(text);
    const std::string text1 = Decompile(bytes);
    const std::string bytes1 = Compile(text1);
    EXPECT_EQ(bytes, bytes1);
    EXPECT_EQ(text1, Decompile(bytes1));
}

std::string Letters(size_t cch, int nSeed) {
    std::string text;
    for (size_t i = 0; i < cch; ++i)
        text += static_cast<char>('a' + (i + nSeed) % 26);
    return text;
}

// A value for every field of the table that is not its default: the largest text that fits, every raw byte set.
void AddFields(const DESIGNFIELDS& fields,
               std::ostringstream* pText,
               int* pnSeed,
               std::initializer_list<const char*> skip) {
    for (size_t i = 0; i < fields.nFields; ++i) {
        const DESIGNFIELD& field = fields.pFields[i];
        bool fSkip = field.kind == DESIGNFIELD_FONT;
        for (const char* szKey : skip)
            fSkip = fSkip || strcmp(szKey, field.szKey) == 0;
        if (fSkip)
            continue;
        const int n = ++*pnSeed;
        *pText << field.szKey << " = ";
        switch (field.kind) {
            case DESIGNFIELD_SHORT:
                *pText << 100 + n;
                break;
            case DESIGNFIELD_LONG:
                *pText << -100000 - n;
                break;
            case DESIGNFIELD_DWORD:
                *pText << "0x8" << n << "ABCDE";
                break;
            case DESIGNFIELD_STRING:
            case DESIGNFIELD_MESSAGE:
                *pText << Letters(field.cb - 1, n);
                break;
            case DESIGNFIELD_RAW:
                for (uint32_t b = 0; b < field.cb; ++b) {
                    char sz[3];
                    snprintf(sz, sizeof(sz), "%02X", (n + b) % 255 + 1);
                    *pText << sz;
                }
                break;
            case DESIGNFIELD_FONT:
                break;
        }
        *pText << "\n";
    }
}

std::string EveryFieldText() {
    std::ostringstream text;
    int nSeed = 0;
    text << "[Setup]\nSignature = tamberlo-VER 0.05\nHookLibrary = " << Letters(260, 1) << "\nDriveLetter = q\n"
         << "BackDrop = 3\nFontFace = " << Letters(31, 2) << "\nFontHeight = -300\nFontWeight = 900\n"
         << "FontItalic = 255\nFontUnderline = 7\n";
    AddFields(EXEOBJ_FIELDS, &text, &nSeed, {"DriveLetter", "BackDrop"});
    text << "[Path 49]\nPath = " << Letters(259, 3) << "\nNumUsers = 9\n";
    text << "[Targets]\nTag = abcd\nAddToPATH = 1\n";
    text << "[Target 1]\nType = baseon\nNumUsers = 8\n";
    AddFields(TARGET_FIELDS, &text, &nSeed, {"Type"});
    text << "[Collection 31]\nTarget = 1\n";
    AddFields(COLLOBJ_FIELDS, &text, &nSeed, {"Target"});
    text << "[Disks]\nMedia = 1457664\n[Disk 31]\n";
    AddFields(DISKOBJ_FIELDS, &text, &nSeed, {});
    text << "[Things]\nNumFiles = 2\nNumDirs = 0\nReadMe = 999\nRegDataFile = 0\nWININI = 999\n";
    AddFields(THINGCOL_FIELDS, &text, &nSeed, {"NumFiles", "NumDirs", "ReadMe", "RegDataFile", "WININI"});
    text << "[Thing 999]\nTarget = 1\nCollection = 31\nDisk = 31\n";
    AddFields(THING_FIELDS, &text, &nSeed, {"Type", "Target", "Collection", "Disk"});
    AddFields(FILETYPE_FIELDS, &text, &nSeed, {});
    AddFields(ICONSTRUCT_FIELDS, &text, &nSeed, {});
    text << "[Thing 0]\nType = dir\nTarget = 1\nCollection = 31\nDisk = 31\n";
    AddFields(DIR_FIELDS, &text, &nSeed, {});
    text << "[Backdrop]\nName = " << Letters(15, 4) << "\nData = 00FF00FF00\n";
    text << "[Dialogs]\n";
    AddFields(DLGBOXES_FIELDS, &text, &nSeed, {});
    for (int i = 0; i < DLGBOXES_COUNT; ++i)
        text << "Box" << i << " = " << i << ", " << i - 30 << ", 100, 32767\nBox" << i << "Unused = 0102030405060708\n";
    return text.str();
}

TEST(DesignTextTest, EveryFieldSurvivesTheBinaryFile) {
    const std::string text = EveryFieldText();
    const std::string bytes = Compile(text);
    const std::string loaded = Decompile(bytes, true);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '[')
            continue;
        SCOPED_TRACE(line);
        EXPECT_NE(std::string::npos, ("\n" + loaded).find("\n" + line + "\n"));
    }
    ExpectStable(text);
}

TEST(DesignTextTest, TheReadmeExampleIsTheSampleFileAndStableBothWays) {
    const std::string example = ReadFile(SETUPDESIGN_EXAMPLE);
    ASSERT_FALSE(example.empty());
    ExpectStable(example);
    // The example in the docs is the sample file, word for word.
    const std::string docs = ReadFile(SETUPDESIGN_DOCS);
    const size_t start = docs.find("```ini\n");
    ASSERT_NE(std::string::npos, start);
    const size_t end = docs.find("```\n", start + 7);
    EXPECT_EQ(example, docs.substr(start + 7, end - start - 7));
}

TEST(DesignTextTest, TheLargestDesignLoadsAndIsStableBothWays) {
    const std::string text = DESIGNBYTES_MaximumText();
    const std::string bytes = Compile(text);
    CDesignPtr pDesign = Load(bytes);
    EXPECT_EQ(900, pDesign->things.nFilesCounted);
    EXPECT_EQ(100, pDesign->things.nDirsCounted);
    EXPECT_EQ(2047u, strlen(TARGET_GetMessage(TARGCOLL_GetTarget(&pDesign->targets, 49))));
    EXPECT_EQ(20, TARGCOLL_GetTarget(&pDesign->targets, 7)->nNumUsers);
    // Collection 3 holds things 3, 35, 67, ...: the computed size is theirs.
    int32_t lSize = 0;
    for (int i = 3; i < MAX_THINGS; i += MAX_COLLECTIONS)
        lSize += 1000 + i;
    EXPECT_EQ(lSize, COLLECT_GetCollection(&pDesign->collect, 3)->lSize);
    EXPECT_EQ(lSize, THINGCOL_GetCollectionSize(&pDesign->things, 3));
    ExpectStable(text);
}

TEST(DesignTextTest, BadTextIsRefusedWithItsLineNumber) {
    const char szThings[] = "[Target 1]\n[Collection 0]\n[Disk 0]\n[Thing 0]\nName = A.TXT\n";  // lines 1-5
    const struct {
        std::string text;
        const char* szError;
    } cases[] = {
        {std::string(szThings) + "Colour = red\n", "6: unknown key Colour in [Thing 0]"},
        {std::string(szThings) + "Size = 2147483648\n", "6: Size: value out of range"},
        {std::string(szThings) + "Backup = 40000\n", "6: Backup: value out of range (-32768 to 32767)"},
        {std::string(szThings) + "Name = ABCDEFGHI.TXT\n", "6: key Name given twice"},
        {"[Target 1]\n[Collection 0]\n[Disk 0]\n[Thing 0]\nName = ABCDEFGHI.TXT\n", "5: Name: text longer than 12"},
        {std::string(szThings) + "Target = 2\n", "6: [Thing 0] names target 2, which the design does not define"},
        {"[Target 1]\n[Collection 0]\n[Disk 0]\n[Thing 0]\nName = A\nCollection = 5\n",
         "6: [Thing 0] names collection 5"},
        {"[Target 1]\n[Collection 0]\n[Thing 0]\nName = A\n", "3: [Thing 0] names disk 0"},
        {std::string(szThings) + "[Target 3]\nType = 8\n", "7: Type: value out of range (0 to 7)"},
        {std::string(szThings) + "[Thing 1000]\n", "6: section [Thing N] needs N from 0 to 999"},
        {std::string(szThings) + "[Things]\nReadMe = 4\n", "7: [Things] names thing 4"},
        {std::string(szThings) + "[Backdrop]\n[Setup]\nBackDrop = 0\n", "8: BackDrop = 0 but the design has a"},
        {std::string(szThings) + "[Setup]\nBackDrop = 1\n", "7: BackDrop is set but the design has no [Backdrop]"},
        {std::string(szThings) + "[Things]\nNumFiles = 3\nNumDirs = 1\n", "6: NumFiles and NumDirs add up to 4"},
        {std::string(szThings) + "[Setup]\nSignature = TAMBERLO-Ver 0.06\n", "7: Signature: the engine reads only"},
        {std::string(szThings) + "Unused = 0102XY\n", "6: Unused: not a hexadecimal byte string"},
        {std::string(szThings) + "Name2 = \"open\n", "6: unknown key Name2"},
        {"[Target 1]\n[Collection 0]\n[Disk 0]\n[Thing 0]\nName = \"A.TXT\n", "5: Name: quoted text without"},
        {"Name = A\n", "1: key before the first [section]"},
        {"[Setup]\njust words\n", "2: expected a [section] or key = value"},
        {"[Target 1]\n[Collection 0]\n[Disk 0]\n", "0: the design has no [Thing N] sections"},
        {"[Gadgets]\n", "1: unknown section [Gadgets]"},
        {"[Thing 0]\n[Thing 0]\n", "2: section [Thing 0] given twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CDesignPtr pDesign = NewDesign();
        std::string error;
        EXPECT_FALSE(DESIGNTEXT_Parse(c.text, pDesign.get(), &error));
        EXPECT_EQ(0u, error.find(c.szError)) << error;
    }
}

TEST(DesignTextTest, TextsKeepTheirBlanksQuotesAndControlCharacters) {
    const char szText[] =
        "; a comment\r\n# another\r\n[Target 1]\r\nName = \"  two blanks  \"\r\n"
        "Message = \"line one\\nline \\\"two\\\"\\t\\x01 \\\\ end\"\r\n"
        "[Collection 0]\r\n[Disk 0]\r\n[Thing 0]\r\nName = \"A;B.TXT\"\r\n";
    const std::string bytes = Compile(szText);
    CDesignPtr pDesign = Load(bytes);
    const TARGET* pTarget = TARGCOLL_GetTarget(&pDesign->targets, 1);
    EXPECT_STREQ("  two blanks  ", pTarget->szName);
    EXPECT_STREQ("line one\nline \"two\"\t\x01 \\ end", TARGET_GetMessage(pTarget));
    EXPECT_STREQ("A;B.TXT", THING_GetName(THINGCOL_GetThing(&pDesign->things, 0)));
    ExpectStable(szText);
}

TEST(DesignTextTest, LeftOutKeysTakeWhatTheThingsImply) {
    const std::string bytes = Compile(
        "[Path 0]\n[Path 1]\n[Target 1]\nDefaultPath = C:\\APP\n[Target 2]\nRuntimePath = D:\\\n[Collection 0]\n"
        "[Disk 0]\n[Thing 0]\nName = A\nSize = 10\n[Thing 1]\nName = B\nSize = 20\nDistribDir = 1\n"
        "[Thing 2]\nType = dir\nName = D\nSize = 5\nTarget = 2\n");
    CDesignPtr pDesign = Load(bytes);
    const DESIGN& d = *pDesign;
    EXPECT_STREQ("C:\\APP", TARGCOLL_GetTarget(&d.targets, 1)->runtimepath);
    EXPECT_STREQ("D:\\", TARGCOLL_GetTarget(&d.targets, 2)->runtimepath);
    EXPECT_EQ(2, TARGCOLL_GetTarget(&d.targets, 1)->nNumUsers);
    EXPECT_EQ(2, d.paths.paths[0].nNumUsers);
    EXPECT_EQ(1, d.paths.paths[1].nNumUsers);
    EXPECT_EQ(35, COLLECT_GetCollection(&d.collect, 0)->lSize);
    EXPECT_EQ(3, DISK_GetDisk(&d.disks, 0)->nNumUsers);
    EXPECT_EQ(2, d.things.nNumFiles);
    EXPECT_EQ(1, d.things.nNumDirs);
    EXPECT_EQ(TARGCOLL4, d.targets.dwTag);
    EXPECT_EQ('a', d.exe.cDriveLetter);
    EXPECT_EQ(50, DLGBOXES_GetBox(&d.boxes, 23)->xAnchor);
}

}  // namespace
