// The hook library as the engine loads and calls it: "TAVLET.DLL" from the working directory, through the
// engine's own binding, with Netscape installations and associations faked in the test prefix's registry and
// folders, and the QuickTime stand-in in reach.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "setup/answerhook_win.h"
#include "setup/hookbind_win.h"
#include "testing/testsupport/buildpath_win.h"
#include "testing/testsupport/qtstandin_win.h"
#include "testing/testsupport/tempfolder.h"
#include "testing/testsupport/testfile.h"
#include "testing/testsupport/uidriver_win.h"

namespace {

using Strings = std::vector<std::string>;

// A registry key of the test's own with text values, removed (from removeFrom down) when the object goes.
class CFakeKey {
public:
    CFakeKey(HKEY hRoot, const std::string& path, const std::string& removeFrom = std::string())
        : m_hRoot(hRoot), m_removeFrom(removeFrom.empty() ? path : removeFrom) {
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(hRoot, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &m_hKey, nullptr))
            << path;
    }
    ~CFakeKey() {
        RegCloseKey(m_hKey);
        RegDeleteTreeA(m_hRoot, m_removeFrom.c_str());
        RegDeleteKeyA(m_hRoot, m_removeFrom.c_str());
    }
    CFakeKey(const CFakeKey&) = delete;
    CFakeKey& operator=(const CFakeKey&) = delete;

    // szName null: the key's default value.
    void Set(const char* szName, const std::string& value) {
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(m_hKey, szName, 0, REG_SZ,
                                                reinterpret_cast<const BYTE*>(value.c_str()), value.size() + 1));
    }

private:
    HKEY m_hRoot;
    std::string m_removeFrom;
    HKEY m_hKey = nullptr;
};

const char UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char CLSID_NAVIGATOR[] = "{61B0F0C4-7A22-4C1D-9E11-0F0F1A2B3C4D}";

// The association of Netscape's markup documents with a program in folder\Program, whose PLUGINS folder holds
// the given files.
class CFakeAssociation {
public:
    CFakeAssociation(const std::string& folder, const Strings& files)
        : m_markup(HKEY_CLASSES_ROOT, "NetscapeMarkup\\CLSID", "NetscapeMarkup"),
          m_server(HKEY_CLASSES_ROOT, std::string("CLSID\\") + CLSID_NAVIGATOR + "\\LocalServer32",
                   std::string("CLSID\\") + CLSID_NAVIGATOR),
          m_plugins(folder + "Program\\PLUGINS") {
        m_markup.Set(nullptr, CLSID_NAVIGATOR);
        m_server.Set(nullptr, "\"" + folder + "Program\\netscape.exe\" -h \"%1\"");
        EXPECT_TRUE(CreateDirectoryA((folder + "Program").c_str(), nullptr));
        EXPECT_TRUE(CreateDirectoryA(m_plugins.c_str(), nullptr));
        for (const std::string& file : files)
            EXPECT_TRUE(TESTFILE_Write(m_plugins + "\\" + file, "MZ"));
    }
    std::string PlugIns(const char* szFile) const { return m_plugins + "\\" + szFile; }

private:
    CFakeKey m_markup;
    CFakeKey m_server;
    std::string m_plugins;
};

class TavletTest : public testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(sizeof(m_szWasCurrent), m_szWasCurrent);
        ASSERT_TRUE(SetCurrentDirectoryA(m_work.Path().c_str()));
        const std::string source = BUILDPATH_SubsystemFile("tavlet.dll");
        ASSERT_TRUE(CopyFileA(source.c_str(), (m_work / HOOK_LIBRARY).c_str(), FALSE)) << source;
        ASSERT_TRUE(HOOK_LoadLibrary());
    }
    void TearDown() override {
        HOOK_FreeLibrary();
        ANSWERHOOK_Set(nullptr, nullptr);
        SetCurrentDirectoryA(m_szWasCurrent);
    }
    // Event 432 for a target: its directory, default directory and candidates afterwards.
    Strings DefaultTarget(const char* szName, const char* szDir, Strings& candidates) {
        TARGET target = {};
        lstrcpynA(target.szName, szName, sizeof(target.szName));
        lstrcpynA(target.defaultpath, szDir, sizeof(target.defaultpath));
        HOOK_DefaultTarget(nullptr, &target, candidates);
        return {target.runtimepath, target.defaultpath};
    }
    std::string Read(const std::string& file, const char* szSection, const char* szKey) const {
        char szValue[MAX_PATH] = "";
        GetPrivateProfileStringA(szSection, szKey, "", szValue, sizeof(szValue), file.c_str());
        return szValue;
    }

    CTempFolder m_work{"tavwork"};
    char m_szWasCurrent[MAX_PATH] = "";
};

const char NONETSCAPE[] = "Setup was not able to automagically locate Netscape 2.0.\n\nYou will need to specify the "
                          "location of the Netscape plug-in directory.";
const char OLDQUICKTIME[] = "Flarion requires QuickTime Version 2.11.57 (or higher).\n\nYou can continue with setup; "
                            "however, QuickTime movies may not play correctly.";

UINT Shown(const CBoxAnswer& answer) {
    return answer.Style() & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
}

TEST_F(TavletTest, WithoutNetscapeTheUserIsToldAndOkGoesOn) {
    CQtStandin qt("full");
    for (int nAnswer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(nAnswer == IDOK ? "OK" : "Cancel");
        CBoxAnswer answer(nAnswer);
        EXPECT_EQ(nAnswer == IDOK, HOOK_Loaded(nullptr));
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ(NONETSCAPE, answer.Text());
        EXPECT_EQ("Flarion Setup", answer.Caption());
        EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP), Shown(answer));
    }
    // Nothing to offer: no dialog, and the target keeps the design's directory.
    CModalTimeout guard(UIDRIVER_TIMEOUT);
    Strings candidates = {"D:\\FOUND"};
    EXPECT_EQ((Strings{"C:\\DEMO\\PLUGINS", "C:\\DEMO\\PLUGINS"}),
              DefaultTarget("Netscape PlugIns", "C:\\DEMO\\PLUGINS", candidates));
    EXPECT_EQ(Strings{"D:\\FOUND"}, candidates);
    EXPECT_FALSE(guard.Expired());
}

TEST_F(TavletTest, QuickTimeMustBeNewerThan2_1_1_56) {
    CTempFolder netscape("tavns");
    CFakeAssociation association(netscape.Path(), {});
    const struct {
        const char* szVariant;
        bool fWarned;
    } cases[] = {{"full", false}, {"old", true}, {"missing", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szVariant);
        CQtStandin qt(c.szVariant);
        if (!c.fWarned) {
            CModalTimeout guard(UIDRIVER_TIMEOUT);
            EXPECT_TRUE(HOOK_Loaded(nullptr));
            EXPECT_FALSE(guard.Expired());
            continue;
        }
        for (int nAnswer : {IDOK, IDCANCEL}) {
            CBoxAnswer answer(nAnswer);
            EXPECT_EQ(nAnswer == IDOK, HOOK_Loaded(nullptr));
            ASSERT_TRUE(answer.Wait());
            EXPECT_EQ(OLDQUICKTIME, answer.Text());
            EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP), Shown(answer));
        }
    }
}

// The items of a list box of another thread's dialog.
Strings ListItems(HWND hList) {
    Strings items;
    DWORD_PTR nCount = 0;
    SendMessageTimeoutA(hList, LB_GETCOUNT, 0, 0, SMTO_BLOCK, UIDRIVER_TIMEOUT, &nCount);
    for (DWORD_PTR i = 0; i < nCount; ++i) {
        char szItem[MAX_PATH] = "";
        DWORD_PTR nResult = 0;
        SendMessageTimeoutA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem), SMTO_BLOCK, UIDRIVER_TIMEOUT,
                            &nResult);
        items.push_back(szItem);
    }
    return items;
}

struct FOLDERANSWER {
    int nButton;
    std::string preset;
    std::string answer;
};
FOLDERANSWER s_folder;
int AnswerFolder(const char* szId, unsigned, char* szAnswer, int cchAnswer) {
    if (std::string(szId) != "TAVLET_NETSCAPEFOLDER" || !szAnswer)
        return 0;
    s_folder.preset = szAnswer;
    lstrcpynA(szAnswer, s_folder.answer.c_str(), cchAnswer);
    return s_folder.nButton;
}

TEST_F(TavletTest, TwoNetscapeInstallationsOneOfThemGoldAreOffered) {
    // Gold, by its uninstall entry, with the plug-in file under Program\PlugIns; the standard one by Navigator's
    // own key (with a trailing separator) and by an uninstall entry whose file has it beside.
    CTempFolder gold("tavgold"), standard("tavstd");
    ASSERT_TRUE(CreateDirectoryA((gold / "Program").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((gold / "Program\\PlugIns").c_str(), nullptr));
    ASSERT_TRUE(TESTFILE_Write(gold / "Program\\PlugIns\\npnul32.dll", "MZ"));
    ASSERT_TRUE(TESTFILE_Write(gold / "gold.unx", "x"));
    ASSERT_TRUE(TESTFILE_Write(standard / "npnul32.dll", "MZ"));
    ASSERT_TRUE(TESTFILE_Write(standard / "nav.unx", "x"));
    const std::string goldPlugIns = gold / "Program\\PlugIns", standardPlugIns = standard.Path().substr(0, standard.Path().size() - 1);
    const std::string tag = std::to_string(GetCurrentProcessId());
    CFakeKey goldEntry(HKEY_LOCAL_MACHINE, UNINSTALL + ("Netscape Navigator Gold " + tag));
    goldEntry.Set("DisplayName", "Netscape Navigator Gold 3.01");
    goldEntry.Set("UninstallString", "C:\\WINDOWS\\nsuninst.exe -f\"" + gold / "gold.unx" + "\" -c\"Netscape\"");
    CFakeKey standardEntry(HKEY_LOCAL_MACHINE, UNINSTALL + ("Netscape Navigator " + tag));
    standardEntry.Set("DisplayName", "Netscape Navigator 3.01");
    standardEntry.Set("UninstallString", "nsuninst.exe -f\"" + standard / "nav.unx" + "\"");
    CFakeKey other(HKEY_LOCAL_MACHINE, UNINSTALL + ("Other Browser " + tag));
    other.Set("DisplayName", "Other Browser Gold");
    CFakeKey navigator(HKEY_LOCAL_MACHINE, "Software\\Netscape\\Netscape Navigator\\3.01 (en)\\Main", "Software\\Netscape");
    navigator.Set("Plugins Directory", standard.Path());

    Strings listed, candidates;
    std::string preselected;
    {
        CModalTimeout guard(UIDRIVER_TIMEOUT * 3);
        CUserThread user([&] {
            HWND hDlg = UIDRIVER_WaitForDialog("Netscape PlugIns Folder", UIDRIVER_TIMEOUT * 2);
            ASSERT_TRUE(hDlg);
            EXPECT_EQ("Install PlugIn into which copy of Netscape Navigator?", UIDRIVER_GetItemText(hDlg, 1001));
            EXPECT_EQ("Next &>", UIDRIVER_GetItemText(hDlg, IDOK));
            EXPECT_EQ("&< Back", UIDRIVER_GetItemText(hDlg, 3));
            EXPECT_EQ("E&xit", UIDRIVER_GetItemText(hDlg, IDCANCEL));
            HWND hList = GetDlgItem(hDlg, 1000);
            listed = ListItems(hList);
            DWORD_PTR nSelected = 0;
            SendMessageTimeoutA(hList, LB_GETCURSEL, 0, 0, SMTO_BLOCK, UIDRIVER_TIMEOUT, &nSelected);
            if (nSelected < listed.size())
                preselected = listed[nSelected];
            UIDRIVER_Pose("tavlet-netscape-folder", false);
            WPARAM nStandard = 0;
            while (nStandard < listed.size() && lstrcmpiA(listed[nStandard].c_str(), standardPlugIns.c_str()) != 0)
                ++nStandard;
            DWORD_PTR nResult = 0;
            SendMessageTimeoutA(hList, LB_SETCURSEL, nStandard, 0, SMTO_BLOCK, UIDRIVER_TIMEOUT, &nResult);
            UIDRIVER_PressButton(hDlg, IDOK);
        });
        EXPECT_EQ((Strings{standardPlugIns, standardPlugIns}),
                  DefaultTarget("Netscape PlugIns", (gold / "Program\\PlugIns").c_str(), candidates));
        EXPECT_FALSE(guard.Expired());
    }
    // Listed in the order the registry gives the entries.
    ASSERT_EQ(2u, listed.size());
    const bool fGoldFirst = lstrcmpiA(listed[0].c_str(), goldPlugIns.c_str()) == 0;
    EXPECT_STRCASEEQ(goldPlugIns.c_str(), listed[fGoldFirst ? 0 : 1].c_str());
    EXPECT_STRCASEEQ(standardPlugIns.c_str(), listed[fGoldFirst ? 1 : 0].c_str());
    EXPECT_STRCASEEQ(goldPlugIns.c_str(), preselected.c_str());  // the target's directory
    EXPECT_EQ(listed, candidates);

    // The Gold target is offered the Gold installation alone; answered without a window, and Exit keeps the
    // design's directory.
    ANSWERHOOK_Set(AnswerFolder, nullptr);
    s_folder = {IDOK, "", goldPlugIns};
    candidates.clear();
    EXPECT_EQ((Strings{goldPlugIns, goldPlugIns}), DefaultTarget("Netscape Gold PlugIns", "C:\\DEMO", candidates));
    EXPECT_EQ("C:\\DEMO", s_folder.preset);
    EXPECT_EQ(1u, candidates.size());
    s_folder = {IDCANCEL, "", ""};
    EXPECT_EQ((Strings{"C:\\DEMO", "C:\\DEMO"}), DefaultTarget("Netscape PlugIns", "C:\\DEMO", candidates));
    EXPECT_EQ(2u, candidates.size());
}

TEST_F(TavletTest, ThePlugInComponentIsAskedFor) {
    for (int nAnswer : {IDYES, IDNO}) {
        SCOPED_TRACE(nAnswer == IDYES ? "Yes" : "No");
        std::vector<bool> afSelected = {true, !(nAnswer == IDYES), false};
        CBoxAnswer answer(nAnswer);
        EXPECT_TRUE(HOOK_Selection({"Player", "flarion plugin", "Flarion PlugIn"}, afSelected));
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ("Would you like to install the Flarion PlugIn for Netscape Navigator Gold?\n\nThe PlugIn also "
                  "works with standard Navigator.",
                  answer.Text());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), Shown(answer));
        EXPECT_EQ((std::vector<bool>{true, nAnswer == IDYES, false}), afSelected);  // only the first is asked for
    }
}

typedef BOOL(WINAPI* OVSETUP_EVENTS)(UINT, HWND, LPCSTR, LPARAM);

// Our plug-in installed into the folder that Netscape's association names, beside the given files.
class ApplePlugInTest : public TavletTest {
protected:
    void Install(const Strings& files) {
        m_pAssociation.reset(new CFakeAssociation(m_netscape.Path(), files));
        ASSERT_TRUE(HOOK_Loaded(nullptr));
    }
    std::string PlugIns(const char* szFile) const { return m_pAssociation->PlugIns(szFile); }

    CQtStandin m_qt{"full"};
    CTempFolder m_netscape{"tavns"};
    std::unique_ptr<CFakeAssociation> m_pAssociation;
    const std::string m_log = m_work / "FLARION.LOG";
};

// Apple's plug-in is renamed on Yes and recorded in the log; the uninstaller's call puts it back.
TEST_F(ApplePlugInTest, IsDisabledOnYesAndRestoredAtRemoval) {
    Install({"NPVROON.DLL", "NPQTW32.DLL"});
    ASSERT_TRUE(TESTFILE_Write(m_log, "[FilesRenamed]\r\nC:\\STALE.OLD=C:\\STALE.DLL\r\n"));
    const std::string apple = PlugIns("NPQTW32.DLL"), renamed = PlugIns("NPQTW32.OLD");
    {
        CBoxAnswer answer(IDYES);
        HOOK_Installed(nullptr, m_log.c_str());
        ASSERT_TRUE(answer.Wait());
        EXPECT_EQ("Flarion works best if you disable Apple's QuickTime plugin.\nWould you like Setup to disable the "
                  "Apple plugin?",
                  answer.Text());
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), Shown(answer));
    }
    EXPECT_FALSE(TESTFILE_Exists(apple));
    EXPECT_TRUE(TESTFILE_Exists(renamed));
    EXPECT_STRCASEEQ(apple.c_str(), Read(m_log, "FilesRenamed", renamed.c_str()).c_str());
    EXPECT_EQ("", Read(m_log, "FilesRenamed", "C:\\STALE.OLD"));  // the section is replaced whole

    // The uninstaller loads the library's copy anew and calls its events function at removal.
    HOOK_FreeLibrary();
    HMODULE hCopy = LoadLibraryA((m_work / HOOK_LIBRARY).c_str());
    ASSERT_TRUE(hCopy);
    auto pfnEvents =
        reinterpret_cast<OVSETUP_EVENTS>(reinterpret_cast<void*>(GetProcAddress(hCopy, "OVSETUP_Events")));
    ASSERT_TRUE(pfnEvents);
    EXPECT_TRUE(pfnEvents(5, nullptr, m_log.c_str(), 0));
    FreeLibrary(hCopy);
    EXPECT_TRUE(TESTFILE_Exists(apple));
    EXPECT_FALSE(TESTFILE_Exists(renamed));
}

TEST_F(ApplePlugInTest, IsKeptOnNo) {
    Install({"NPVROON.DLL", "NPQTW32.DLL"});
    CBoxAnswer answer(IDNO);
    HOOK_Installed(nullptr, m_log.c_str());
    ASSERT_TRUE(answer.Wait());
    EXPECT_TRUE(TESTFILE_Exists(PlugIns("NPQTW32.DLL")));
    EXPECT_EQ("", Read(m_log, "FilesRenamed", PlugIns("NPQTW32.OLD").c_str()));
}

// Renamed by an earlier installation: recorded again without a question, so this removal restores it too.
TEST_F(ApplePlugInTest, AlreadyRenamedIsRecordedAgain) {
    Install({"NPVROON.DLL", "NPQTW32.OLD"});
    {
        CModalTimeout guard(UIDRIVER_TIMEOUT);
        HOOK_Installed(nullptr, m_log.c_str());
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_STRCASEEQ(PlugIns("NPQTW32.DLL").c_str(), Read(m_log, "FilesRenamed", PlugIns("NPQTW32.OLD").c_str()).c_str());
    EXPECT_TRUE(TESTFILE_Exists(PlugIns("NPQTW32.OLD")));
}

TEST_F(TavletTest, StandardTargetsAreTheSystemsDirectories) {
    char szWindows[MAX_PATH] = "", szSystem[MAX_PATH] = "";
    GetWindowsDirectoryA(szWindows, sizeof(szWindows));
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    Strings candidates;
    EXPECT_EQ((Strings{szWindows, szWindows}), DefaultTarget("Windows", "C:\\DEMO", candidates));
    EXPECT_EQ((Strings{szSystem, szSystem}), DefaultTarget("system", "C:\\DEMO", candidates));
    // Wine reports the NT family.
    const std::string system32 = std::string(szWindows) + "\\SYSTEM32";
    EXPECT_EQ((Strings{system32, system32}), DefaultTarget("System32", "C:\\DEMO", candidates));
    EXPECT_EQ((Strings{"C:\\DEMO", "C:\\DEMO"}), DefaultTarget("Program", "C:\\DEMO", candidates));
}

typedef LONG(WINAPI* GETSIZE)();

TEST_F(TavletTest, TheLibraryKnowsItsOwnSize) {
    HMODULE hLibrary = GetModuleHandleA((m_work / HOOK_LIBRARY).c_str());
    auto pfnGetSize = reinterpret_cast<GETSIZE>(reinterpret_cast<void*>(GetProcAddress(hLibrary, "TAVLET_GetSize")));
    ASSERT_TRUE(pfnGetSize);
    EXPECT_EQ(static_cast<LONG>(TESTFILE_Read(m_work / HOOK_LIBRARY).size()), pfnGetSize());
    char szName[MAX_PATH + 1] = "";
    EXPECT_EQ(0, HOOK_CallBaggageFiles(szName, 0));  // no baggage
}

}  // namespace
