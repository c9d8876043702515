// The file-system operations of the path names, on the real file system of the test's Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "toolkit/diag.h"
#include "toolkit/pathname.h"
#include "toolkit/pathname_win.h"

namespace {

class PathNameWinTest : public ::testing::Test {
protected:
    bool Reported(const char* szCheck) const { return m_capture.Text().find(szCheck) != std::string::npos; }
    std::string Name(const std::string& name) const { return m_folder / name; }
    CTempFolder m_folder{"pathname_win_test"};
    CDiagCapture m_capture;
};

bool IsFolder(const std::string& name) {
    const DWORD dwAttributes = GetFileAttributesA(name.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(PathNameWinTest, ExistsSeesFilesAndFolderExistsSeesBoth) {
    ASSERT_TRUE(TESTFILE_Write(Name("FILE.TXT"), "x"));
    ASSERT_TRUE(PATHNAME_CreateFolder(Name("DIR").c_str()));
    EXPECT_EQ(1, PATHNAME_Exists(Name("FILE.TXT").c_str()));
    EXPECT_EQ(1, PATHNAME_FolderExists(Name("FILE.TXT").c_str()));
    EXPECT_EQ(0, PATHNAME_Exists(Name("DIR").c_str()));
    EXPECT_EQ(1, PATHNAME_FolderExists(Name("DIR").c_str()));
    EXPECT_EQ(0, PATHNAME_Exists(Name("NONE").c_str()));
    EXPECT_EQ(0, PATHNAME_FolderExists(Name("NONE").c_str()));

    EXPECT_EQ(0, PATHNAME_CreateFolder(Name("NONE\\SUB").c_str()));
    EXPECT_EQ(0, PATHNAME_RemoveFolder(Name("NONE").c_str()));
    EXPECT_EQ(1, PATHNAME_RemoveFolder(Name("DIR").c_str()));
    EXPECT_FALSE(IsFolder(Name("DIR")));
    EXPECT_EQ(1, PATHNAME_Remove(Name("FILE.TXT").c_str()));
    EXPECT_EQ(0, PATHNAME_Remove(Name("FILE.TXT").c_str()));
}

TEST_F(PathNameWinTest, RenameMovesAndRefusesAnExistingTarget) {
    ASSERT_TRUE(TESTFILE_Write(Name("A.TXT"), "a"));
    ASSERT_TRUE(TESTFILE_Write(Name("B.TXT"), "b"));
    EXPECT_EQ(0, PATHNAME_Rename(Name("A.TXT").c_str(), Name("B.TXT").c_str()));
    EXPECT_EQ(1, PATHNAME_Rename(Name("A.TXT").c_str(), Name("C.TXT").c_str()));
    EXPECT_EQ("a", TESTFILE_Read(Name("C.TXT")));
    EXPECT_EQ(0, PATHNAME_Exists(Name("A.TXT").c_str()));

    EXPECT_EQ(1, PATHNAME_RenameExtension(Name("C.TXT").c_str(), "BAK"));
    EXPECT_EQ("a", TESTFILE_Read(Name("C.BAK")));
    ASSERT_TRUE(TESTFILE_Write(Name("NOEXT"), "n"));
    EXPECT_EQ(0, PATHNAME_RenameExtension(Name("NOEXT").c_str(), "BAK"));
    EXPECT_EQ(1, PATHNAME_Exists(Name("NOEXT").c_str()));
}

// Renaming through the OEM character set would turn the e-acute of the ANSI code page into another letter.
TEST_F(PathNameWinTest, RenameJustNameKeepsAccentedLetters) {
    const std::string accented = "caf\xE9.TXT";
    char szOem[16] = "";
    CharToOemA(accented.c_str(), szOem);
    ASSERT_NE(accented, szOem) << "the code pages must differ for this case to show anything";

    ASSERT_TRUE(TESTFILE_Write(Name("OLD.TXT"), "old"));
    EXPECT_EQ(1, PATHNAME_RenameJustName(Name("OLD.TXT").c_str(), accented.c_str()));
    EXPECT_EQ("old", TESTFILE_Read(Name(accented)));
    EXPECT_EQ(0, PATHNAME_Exists(Name(szOem).c_str()));
}

TEST_F(PathNameWinTest, CreateAllFoldersMakesTheChainOnceAndOutermostFirst) {
    const std::string chain = Name("A\\B\\C");
    EXPECT_EQ(1, PATHNAME_CreateAllFoldersForPath(chain.c_str()));
    EXPECT_TRUE(IsFolder(chain));
    EXPECT_EQ("", m_capture.Text());
    // Every level exists and nothing is reported a second time; a chain made inner-first could not exist.
    EXPECT_EQ(1, PATHNAME_CreateAllFoldersForPath((chain + "\\").c_str()));
    EXPECT_EQ("", m_capture.Text());

    EXPECT_EQ(1, PATHNAME_CreateAllFoldersForFile(Name("X\\Y\\FILE.TXT").c_str()));
    EXPECT_TRUE(IsFolder(Name("X\\Y")));
    EXPECT_FALSE(IsFolder(Name("X\\Y\\FILE.TXT")));
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(PathNameWinTest, CreateAllFoldersReportsALevelThatCannotBeMade) {
    ASSERT_TRUE(TESTFILE_Write(Name("FILE"), "f"));
    EXPECT_EQ(0, PATHNAME_CreateAllFoldersForPath(Name("FILE\\SUB").c_str()));
    EXPECT_TRUE(Reported("MFX_VERIFY failed: in PATHNAME"));
    EXPECT_TRUE(Reported("PATHNAME_CreateFolder(szLevel)"));
    EXPECT_TRUE(Reported("PATHNAME_FolderExists(szFolder)"));
    m_capture.Clear();
    EXPECT_EQ(0, PATHNAME_CreateAllFoldersForPath("RELATIVE\\DIR"));
    EXPECT_TRUE(Reported("MFX_PRE failed: in PATHNAME"));
}

TEST_F(PathNameWinTest, CopyTransfersWholeBlocksAndTheRest) {
    for (size_t cb : {0u, 1u, 16383u, 16384u, 16385u, 40000u}) {
        SCOPED_TRACE(cb);
        std::string bytes(cb, '\0');
        for (size_t i = 0; i < cb; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        ASSERT_TRUE(TESTFILE_Write(Name("SOURCE"), bytes));
        ASSERT_TRUE(TESTFILE_Write(Name("DEST"), "stale contents"));
        EXPECT_EQ(1, PATHNAME_Copy(Name("SOURCE").c_str(), Name("DEST").c_str()));
        EXPECT_EQ(1, PATHNAME_Exists(Name("DEST").c_str()));
        EXPECT_TRUE(bytes == TESTFILE_Read(Name("DEST")));
        EXPECT_EQ(static_cast<int32_t>(cb), PATHNAME_GetSize(Name("DEST").c_str()));
    }
    EXPECT_EQ(0, PATHNAME_Copy(Name("MISSING").c_str(), Name("NEW").c_str()));
    EXPECT_EQ(0, PATHNAME_Exists(Name("NEW").c_str()));
    EXPECT_EQ(0, PATHNAME_GetSize(Name("MISSING").c_str()));
}

uint32_t DosDateTime(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond) {
    const uint32_t wDate = (nYear - 1980) << 9 | nMonth << 5 | nDay;
    const uint32_t wTime = nHour << 11 | nMinute << 5 | nSecond / 2;
    return wDate << 16 | wTime;
}

TEST_F(PathNameWinTest, DatesRoundTripThroughTheDosFormat) {
    const std::string file = Name("DATED.TXT");
    ASSERT_TRUE(TESTFILE_Write(file, "d"));
    for (uint32_t dwDateTime : {DosDateTime(1996, 7, 15, 13, 45, 30), DosDateTime(1980, 1, 1, 0, 0, 0),
                                DosDateTime(2037, 12, 31, 23, 59, 58)}) {
        SCOPED_TRACE(dwDateTime);
        EXPECT_EQ(1, PATHNAME_SetDateTime(file.c_str(), dwDateTime));
        uint32_t dwRead = 0;
        EXPECT_EQ(1, PATHNAME_GetDateTime(file.c_str(), &dwRead));
        EXPECT_EQ(dwDateTime, dwRead);
    }
    // The system itself sees the local time that was set. (That the other times stay untouched cannot be seen
    // here: Wine keeps no creation time of its own and derives it from the file's Unix times.)
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
    FILETIME ftLocal;
    SYSTEMTIME st;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &ftLocal);
    FileTimeToSystemTime(&ftLocal, &st);
    EXPECT_EQ(2037, st.wYear);
    EXPECT_EQ(59, st.wMinute);
    EXPECT_EQ(58, st.wSecond);

    uint32_t dwUntouched = 7;
    EXPECT_EQ(0, PATHNAME_GetDateTime(Name("MISSING").c_str(), &dwUntouched));
    EXPECT_EQ(7u, dwUntouched);
    EXPECT_EQ(0, PATHNAME_SetDateTime(Name("MISSING").c_str(), dwUntouched));
}

TEST_F(PathNameWinTest, FreeSpaceNeedsTheDriveFormAndHas64BitVariant) {
    const struct {
        const char* szName;
        int nResult;
    } cases[] = {{"C:", 0}, {"C:X", 0}, {"TEMP\\", 0}, {"\\\\SERVER\\SHARE\\", 0}, {"C:\\", 1}, {"c:/windows", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        m_capture.Clear();
        uint32_t dwFree = 99;
        uint64_t qwFree = 99;
        EXPECT_EQ(c.nResult, PATHNAME_GetFreeSpace(c.szName, &dwFree));
        EXPECT_EQ(c.nResult, PATHNAME_GetFreeSpace64(c.szName, &qwFree));
        EXPECT_EQ(!c.nResult, Reported("MFX_PRE failed: in PATHNAME"));
        if (!c.nResult) {
            EXPECT_EQ(0u, dwFree);
            EXPECT_EQ(0u, qwFree);
        }
    }
    // Checked against the system's own 64-bit figure; space taken by others meanwhile is allowed for.
    ULARGE_INTEGER available;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, nullptr, nullptr));
    uint64_t qwFree = 0;
    ASSERT_EQ(1, PATHNAME_GetFreeSpace64(Name("").c_str(), &qwFree));
    const uint64_t qwMargin = 512ull << 20;
    EXPECT_LT(qwFree > available.QuadPart ? qwFree - available.QuadPart : available.QuadPart - qwFree, qwMargin);
}

TEST_F(PathNameWinTest, FreeSpaceTraceCarriesTheCount) {
    ASSERT_TRUE(DIAG_Initialize(nullptr));
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    uint32_t dwFree = 0;
    ASSERT_EQ(1, PATHNAME_GetFreeSpace("C:\\", &dwFree));
    char szExpected[64];
    snprintf(szExpected, sizeof(szExpected), "PATHNAME_GetFreeSpace  *pdwDiskFree : %lx\n",
             static_cast<unsigned long>(dwFree));
    EXPECT_EQ(szExpected, m_capture.Text());
    DIAG_Terminate();
}

class CCurrentFolderKeeper {
public:
    CCurrentFolderKeeper() { GetCurrentDirectoryA(sizeof(m_szFolder), m_szFolder); }
    ~CCurrentFolderKeeper() { SetCurrentDirectoryA(m_szFolder); }

private:
    char m_szFolder[MAX_PATH];
};

TEST_F(PathNameWinTest, ChangeDirToTakesEitherCaseOfDriveLetter) {
    CCurrentFolderKeeper keeper;
    ASSERT_TRUE(PATHNAME_CreateFolder(Name("SUB").c_str()));
    std::string lower = Name("SUB\\");
    lower[0] = static_cast<char>(tolower(lower[0]));
    for (const std::string& folder : {Name("SUB\\"), Name("SUB"), lower}) {
        SCOPED_TRACE(folder);
        ASSERT_TRUE(SetCurrentDirectoryA(m_folder.Path().c_str()));
        EXPECT_EQ(1, PATHNAME_ChangeDirTo(folder.c_str()));
        PATHNAME szCurrent = "";
        EXPECT_EQ(1, PATHNAME_ConstructCurDir(szCurrent));
        EXPECT_EQ(0, lstrcmpiA(Name("SUB\\").c_str(), szCurrent)) << szCurrent;
    }
    EXPECT_EQ(0, PATHNAME_ChangeDirTo(Name("NONE").c_str()));
}

std::string WaitForFile(const std::string& name) {
    for (int i = 0; i < 200 && GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    return TESTFILE_Read(name);
}

TEST_F(PathNameWinTest, ExecuteStartsTheProgramFromTheWorkingFolder) {
    CCurrentFolderKeeper keeper;
    PATHNAME szProbe = "";
    ASSERT_EQ(1, PATHNAME_ConstructModuleFile(szProbe, GetModuleHandleA(nullptr), "toolkit_execute_probe.exe"));
    ASSERT_EQ(1, PATHNAME_CreateFolder(Name("WORK").c_str()));
    std::string lowerWork = Name("WORK\\");
    lowerWork[0] = static_cast<char>(tolower(lowerWork[0]));

    EXPECT_EQ(1, PATHNAME_Execute(szProbe, lowerWork.c_str(), "OUT1.TXT first second", SW_HIDE));
    EXPECT_EQ(0, lstrcmpiA((Name("WORK") + "\nfirst\nsecond\n").c_str(), WaitForFile(Name("WORK\\OUT1.TXT")).c_str()));
    PATHNAME szCurrent = "";
    PATHNAME_ConstructCurDir(szCurrent);
    EXPECT_EQ(0, lstrcmpiA(Name("WORK\\").c_str(), szCurrent)) << szCurrent;

    // Without a working folder the program starts from its own folder.
    const std::string out = Name("OUT2.TXT");
    EXPECT_EQ(1, PATHNAME_Execute(szProbe, nullptr, out.c_str(), SW_HIDE));
    PATHNAME szProbeFolder = "";
    PATHNAME_GetJustPathNoSlash(szProbe, szProbeFolder);
    EXPECT_EQ(0, lstrcmpiA((std::string(szProbeFolder) + "\n").c_str(), WaitForFile(out).c_str()));

    EXPECT_EQ(0, PATHNAME_Execute(Name("MISSING.EXE").c_str(), nullptr, nullptr, SW_HIDE));
    EXPECT_EQ(0, PATHNAME_Execute("NOFOLDER.EXE", nullptr, nullptr, SW_HIDE));
}

int CollectName(const char* szFullName, void* pUser) {
    auto* pNames = static_cast<std::vector<std::string>*>(pUser);
    pNames->push_back(szFullName);
    return pNames->size() < 2;
}

TEST_F(PathNameWinTest, ForEachFileCallsBackForFilesOnly) {
    ASSERT_TRUE(TESTFILE_Write(Name("ONE.TXT"), "1"));
    ASSERT_TRUE(TESTFILE_Write(Name("TWO.DAT"), "2"));
    ASSERT_TRUE(PATHNAME_CreateFolder(Name("SUB.TXT").c_str()));
    std::vector<std::string> names;
    EXPECT_EQ(1, PATHNAME_ForEachFile(Name("*.TXT").c_str(), &CollectName, &names));
    EXPECT_EQ(std::vector<std::string>{Name("ONE.TXT")}, names);

    names.clear();
    ASSERT_TRUE(TESTFILE_Write(Name("THREE.TXT"), "3"));
    EXPECT_EQ(0, PATHNAME_ForEachFile(Name("*").c_str(), &CollectName, &names));
    EXPECT_EQ(2u, names.size());

    names.clear();
    EXPECT_EQ(1, PATHNAME_ForEachFile(Name("*.NONE").c_str(), &CollectName, &names));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(PathNameWinTest, MakeLongNameReplacesShortComponents) {
    const std::string longFile = Name("Long Folder Name\\Long File Name.text");
    ASSERT_EQ(1, PATHNAME_CreateAllFoldersForFile(longFile.c_str()));
    ASSERT_TRUE(TESTFILE_Write(longFile, "l"));
    char szShort[MAX_PATH] = "";
    ASSERT_GT(GetShortPathNameA(longFile.c_str(), szShort, sizeof(szShort)), 0u);
    EXPECT_EQ(std::string::npos, std::string(szShort).find(' ')) << "Wine gives short names to long ones";

    PATHNAME szName = "";
    strcpy(szName, szShort);
    EXPECT_EQ(1, PATHNAME_MakeLongName(szName));
    char szExpected[MAX_PATH] = "";
    GetLongPathNameA(longFile.c_str(), szExpected, sizeof(szExpected));
    EXPECT_STREQ(szExpected, szName);

    PATHNAME szJustName = "";
    EXPECT_EQ(1, PATHNAME_GetLongJustName(szShort, szJustName));
    EXPECT_STREQ("Long File Name.text", szJustName);

    strcpy(szName, Name("Long Folder Name\\MISSING").c_str());
    EXPECT_EQ(0, PATHNAME_MakeLongName(szName));
    EXPECT_EQ(Name("Long Folder Name\\MISSING"), szName);
    EXPECT_EQ(0, PATHNAME_MakeLongName(strcpy(szName, "RELATIVE\\NAME")));
}

// A short name whose long form is over 260 characters: the folder's long name fits, the file's does not.
TEST_F(PathNameWinTest, MakeLongNameLeavesANameWhoseLongFormWouldNotFit) {
    const std::string folder = Name("Long Folder " + std::string(200 - Name("").size(), 'f'));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string longName = "Long File " + std::string(90, 'n') + ".text";
    const std::string longFile = folder + "\\" + longName;
    ASSERT_GT(longFile.size(), static_cast<size_t>(MAX_PATHNAME));
    // Only the wide calls, with the \\?\ prefix, reach a name that long.
    const std::wstring wideFile = L"\\\\?\\" + std::wstring(longFile.begin(), longFile.end());
    const HANDLE hFile = CreateFileW(wideFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    CloseHandle(hFile);
    WIN32_FIND_DATAW found;
    const HANDLE hFind = FindFirstFileW(wideFile.c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
    FindClose(hFind);
    const std::wstring wideShort = found.cAlternateFileName;
    ASSERT_FALSE(wideShort.empty()) << "Wine gives short names to long ones";
    char szShortFolder[MAX_PATH] = "";
    ASSERT_GT(GetShortPathNameA(folder.c_str(), szShortFolder, sizeof(szShortFolder)), 0u);
    const std::string shortName = std::string(szShortFolder) + "\\" + std::string(wideShort.begin(), wideShort.end());

    PATHNAME szName = "";
    strcpy(szName, shortName.c_str());
    EXPECT_EQ(0, PATHNAME_MakeLongName(szName));
    EXPECT_EQ(shortName, szName);
    EXPECT_TRUE(DeleteFileW(wideFile.c_str()));
}

TEST_F(PathNameWinTest, ModulePathsNameTheProgramsFolder) {
    char szModule[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szModule, sizeof(szModule));
    std::string folder = szModule;
    folder.erase(folder.find_last_of('\\') + 1);

    PATHNAME szOut = "";
    EXPECT_EQ(1, PATHNAME_ConstructModulePath(szOut, nullptr));
    EXPECT_EQ(folder, szOut);
    EXPECT_EQ(1, PATHNAME_GetModulePathNoSlash(szOut, nullptr));
    EXPECT_EQ(folder.substr(0, folder.size() - 1), szOut);
    EXPECT_EQ(1, PATHNAME_ConstructModuleFile(szOut, GetModuleHandleA(nullptr), "\\SETUP.INI"));
    EXPECT_EQ(folder + "SETUP.INI", szOut);
    EXPECT_EQ(0, PATHNAME_ConstructModuleFile(szOut, nullptr, "SETUP.INI"));
    EXPECT_STREQ("", szOut);
    EXPECT_TRUE(Reported("MFX_PRE failed: in PATHNAME"));
}

}  // namespace
