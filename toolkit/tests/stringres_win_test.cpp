// String and text resources of the test program itself (stringres_test.rc), under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/uidriver_win.h"
#include "toolkit/stringid_win.h"
#include "toolkit/tests/stringres_test.h"
#include "toolkit/textres_win.h"

namespace {

class StringResTest : public ::testing::Test {
protected:
    void SetUp() override {
        STRINGID_SetInstance(GetModuleHandleA(nullptr));
        TEXTRES_SetInstance(GetModuleHandleA(nullptr));
    }
    bool Reported(const char* szModule) const {
        return m_capture.Text().find(std::string("MFX_PRE failed: in ") + szModule) != std::string::npos;
    }
    CDiagCapture m_capture;
};

TEST_F(StringResTest, GetStringLoadsAtMost255Characters) {
    EXPECT_STREQ("Setup is complete.", STRINGID_GetString(IDS_TEXT));
    EXPECT_EQ(std::string(255, 'L'), STRINGID_GetString(IDS_LONG));
    EXPECT_EQ("", m_capture.Text());
    EXPECT_STREQ("", STRINGID_GetString(IDS_MISSING));
    EXPECT_TRUE(Reported("STRINGID"));
}

TEST_F(StringResTest, FilterBarsBecomeTerminators) {
    const char* szFilter = STRINGID_GetFilter(IDS_FILTER);
    EXPECT_EQ(std::string("Movies (*.mov)\0*.mov\0\0", 22), std::string(szFilter, 22));
    szFilter = STRINGID_GetFilter(IDS_FILTERS);
    EXPECT_EQ(std::string("Movies\0*.mov;*.moov\0Batch lists\0*.bag\0\0", 39), std::string(szFilter, 39));
    szFilter = STRINGID_GetFilter(IDS_MISSING);
    EXPECT_EQ(std::string("\0\0", 2), std::string(szFilter, 2));
}

TEST_F(StringResTest, SetWindowTextTakesTheString) {
    HWND hWnd = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(1, STRINGID_SetWindowText(hWnd, IDS_CAPTION));
    char szText[64] = "";
    GetWindowTextA(hWnd, szText, sizeof(szText));
    EXPECT_STREQ("Flarion Setup", szText);
    DestroyWindow(hWnd);
}

TEST_F(StringResTest, MessageBoxShowsBothStrings) {
    CBoxAnswer answer(IDOK);
    EXPECT_EQ(IDOK, STRINGID_MessageBox(nullptr, IDS_TEXT, IDS_CAPTION, MB_OK | MB_ICONINFORMATION));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Flarion Setup", answer.Caption());
    EXPECT_EQ("Setup is complete.", answer.Text());
    EXPECT_EQ(0, STRINGID_MessageBox(nullptr, IDS_TEXT, IDS_MISSING, MB_OK));
}

TEST_F(StringResTest, TextResourcesAreFoundLoadedAndSized) {
    TEXTRES res = {};
    ASSERT_EQ(1, TEXTRES_Load(&res, nullptr, "TEXT", MAKEINTRESOURCEA(IDR_NOTES)));
    EXPECT_NE(nullptr, res.hResInfo);
    EXPECT_NE(nullptr, res.hGlobal);
    ASSERT_EQ(13u, res.dwSize);
    EXPECT_EQ("Release notes", std::string(static_cast<const char*>(res.pData), res.dwSize));
    EXPECT_EQ("", m_capture.Text());

    for (UINT id : {UINT{IDR_EMPTY}, UINT{299}}) {
        SCOPED_TRACE(id);
        m_capture.Clear();
        EXPECT_EQ(0, TEXTRES_Load(&res, GetModuleHandleA(nullptr), "TEXT", MAKEINTRESOURCEA(id)));
        EXPECT_TRUE(Reported("TEXTRES"));
    }
}

}  // namespace
