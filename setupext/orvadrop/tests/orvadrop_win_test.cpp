// The backdrop plug-in as the setup engine and the design tool meet it: the real orvadrop.bdx loaded by file
// name, its five entry points called with the engine's record.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/design.h"
#include "toolkit/pathname.h"
#include "tools/testsupport/buildpath_win.h"
#include "tools/testsupport/uidriver_win.h"

namespace {

typedef HWND(WINAPI* CREATE)(BACKDROP*, LONG(CALLBACK*)(HWND, HDC*));
typedef int(WINAPI* SETUP)(BACKDROP*, HWND);
typedef LONG(WINAPI* GETSIZE)(BACKDROP*);
typedef int(WINAPI* BAGGAGEFILES)(BACKDROP*, char*, int);
typedef LONG(WINAPI* NOTIFYEVENT)(BACKDROP*, HWND, int, int, LPARAM);

std::string LibraryPath() {
    return BUILDPATH_SubsystemFile("orvadrop.bdx");
}

// The file list of an open-file dialog: the shell view's list control somewhere inside it.
BOOL CALLBACK FindListViewChild(HWND hWnd, LPARAM lParam) {
    char szClass[32] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, WC_LISTVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

HWND FindListView(HWND hDlg) {
    HWND hList = nullptr;
    EnumChildWindows(hDlg, FindListViewChild, reinterpret_cast<LPARAM>(&hList));
    return hList;
}

class OrvadropTest : public testing::Test {
protected:
    void SetUp() override {
        m_hLibrary = LoadLibraryA(LibraryPath().c_str());
        ASSERT_TRUE(m_hLibrary) << LibraryPath();
        m_record.hLibrary = m_hLibrary;
    }
    void TearDown() override {
        if (m_hLibrary)
            FreeLibrary(m_hLibrary);
    }

    template <typename FN>
    FN Export(const char* szName) {
        FN pfn = reinterpret_cast<FN>(reinterpret_cast<void*>(GetProcAddress(m_hLibrary, szName)));
        EXPECT_TRUE(pfn) << szName;
        return pfn;
    }

    HMODULE m_hLibrary = nullptr;
    BACKDROP m_record = {"ORVADROP.BDX", nullptr, 0, nullptr, true};
};

TEST_F(OrvadropTest, SetupGivesARecordWithoutDataAZeroedBlockOf100Bytes) {
    SETUP pfnSetup = Export<SETUP>("BACKDROP_Setup");
    ASSERT_TRUE(pfnSetup);
    EXPECT_EQ(1, pfnSetup(&m_record, nullptr));
    ASSERT_TRUE(m_record.lpPrivateData);
    EXPECT_EQ(100u, m_record.PrivateDataSize);
    EXPECT_EQ(std::vector<uint8_t>(100, 0), std::vector<uint8_t>(m_record.lpPrivateData, m_record.lpPrivateData + 100));
    delete[] m_record.lpPrivateData;
}

TEST_F(OrvadropTest, SetupOnARecordWithDataSaysHeyAndLeavesTheData) {
    SETUP pfnSetup = Export<SETUP>("BACKDROP_Setup");
    ASSERT_TRUE(pfnSetup);
    uint8_t data[4] = {1, 2, 3, 4};
    m_record.lpPrivateData = data;
    m_record.PrivateDataSize = sizeof(data);
    CBoxAnswer answer(IDOK, UIDRIVER_TIMEOUT, "Hey");
    EXPECT_EQ(0, pfnSetup(&m_record, nullptr));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("CBackDrop", answer.Caption());
    EXPECT_EQ(data, m_record.lpPrivateData);
    EXPECT_EQ(4u, m_record.PrivateDataSize);
    EXPECT_EQ(3, data[2]);
}

TEST_F(OrvadropTest, GetSizeIsTheSizeOfItsOwnFile) {
    GETSIZE pfnGetSize = Export<GETSIZE>("BACKDROP_GetSize");
    ASSERT_TRUE(pfnGetSize);
    EXPECT_EQ(PATHNAME_GetSize(LibraryPath().c_str()), pfnGetSize(&m_record));
    EXPECT_GT(pfnGetSize(&m_record), 0);
}

TEST_F(OrvadropTest, NotifyEventAnswers1) {
    NOTIFYEVENT pfnNotify = Export<NOTIFYEVENT>("BACKDROP_NotifyEvent");
    ASSERT_TRUE(pfnNotify);
    for (int nEvent : {1, 2, 3, 4})
        EXPECT_EQ(1, pfnNotify(&m_record, nullptr, nEvent, 9, 0)) << nEvent;
}

TEST_F(OrvadropTest, BaggageFilesNamesOnePictureTheDesignerChooses) {
    BAGGAGEFILES pfnBaggage = Export<BAGGAGEFILES>("BACKDROP_BaggageFiles");
    ASSERT_TRUE(pfnBaggage);
    char szName[261] = "untouched";
    // Past the first index there is nothing, and no dialog.
    EXPECT_EQ(0, pfnBaggage(&m_record, szName, 1));
    EXPECT_EQ(0, pfnBaggage(&m_record, szName, 7));
    EXPECT_STREQ("untouched", szName);

    // A folder of one picture and one text file; the dialog opens in the current folder.
    char szTemp[MAX_PATH] = "", szWasCurrent[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    const std::string folder = std::string(szTemp) + "orvadrop_baggage";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string picture = folder + "\\logo.bmp", text = folder + "\\readme.txt";
    for (const std::string& file : {picture, text}) {
        HANDLE hFile =
            CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
        CloseHandle(hFile);
    }
    GetCurrentDirectoryA(sizeof(szWasCurrent), szWasCurrent);
    SetCurrentDirectoryA(folder.c_str());

    // The designer picks the picture: its full name comes back. The filter lists bitmaps only.
    std::string filter;
    int nListed = -1;
    {
        CModalTimeout guard(UIDRIVER_TIMEOUT * 4);
        CUserThread user([&] {
            HWND hDlg = UIDRIVER_WaitForDialog(nullptr, UIDRIVER_TIMEOUT * 3);
            ASSERT_TRUE(hDlg);
            filter = UIDRIVER_GetItemText(hDlg, cmb1);
            HWND hList = FindListView(hDlg);
            // The list fills while the dialog settles (under load it may show the folder unfiltered for a
            // moment): wait for the filtered listing, which a missing pattern never reaches.
            UIDRIVER_WaitUntil([&] { return hList && SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) == 1; },
                               UIDRIVER_TIMEOUT);
            nListed = hList ? static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0)) : -1;
            SetDlgItemTextA(hDlg, edt1, picture.c_str());
            SetDlgItemTextA(hDlg, cmb13, picture.c_str());
            UIDRIVER_PressButton(hDlg, IDOK);
        });
        EXPECT_EQ(1, pfnBaggage(&m_record, szName, 0));
        EXPECT_FALSE(guard.Expired());
    }
    EXPECT_EQ("Bitmap Files (*.bmp)", filter);
    EXPECT_EQ(1, nListed);
    EXPECT_STRCASEEQ(picture.c_str(), szName);

    // Cancel names nothing.
    {
        CModalTimeout guard(UIDRIVER_TIMEOUT * 4);
        CUserThread user([&] {
            HWND hDlg = UIDRIVER_WaitForDialog(nullptr, UIDRIVER_TIMEOUT * 3);
            ASSERT_TRUE(hDlg);
            UIDRIVER_PressButton(hDlg, IDCANCEL);
        });
        EXPECT_EQ(0, pfnBaggage(&m_record, szName, 0));
        EXPECT_FALSE(guard.Expired());
    }
    SetCurrentDirectoryA(szWasCurrent);
    DeleteFileA(picture.c_str());
    DeleteFileA(text.c_str());
    RemoveDirectoryA(folder.c_str());
}

LONG CALLBACK NoPaint(HWND, HDC*) {
    return 0;
}

// The whole slide show runs at its own pace (some fifteen seconds) before the window is handed back.
TEST_F(OrvadropTest, CreateGivesTheFullScreenBackdropWindow) {
    CREATE pfnCreate = Export<CREATE>("BACKDROP_Create");
    ASSERT_TRUE(pfnCreate);
    uint8_t data[100] = {};
    m_record.lpPrivateData = data;
    m_record.PrivateDataSize = sizeof(data);
    HWND hWnd = pfnCreate(&m_record, NoPaint);
    ASSERT_TRUE(hWnd);
    UIDRIVER_Pose("backdrop-background", true);
    char szTitle[64] = "";
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Orvanta", szTitle);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rc.right - rc.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rc.bottom - rc.top);
    DestroyWindow(hWnd);
    EXPECT_FALSE(IsWindow(hWnd));
}

}  // namespace
