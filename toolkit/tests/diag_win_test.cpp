// The diagnostics' Windows side under Wine: the hidden win.ini switch, the information boxes and the
// module's own names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/diag.h"
#include "toolkit/mfx.h"
#include "toolkit/tests/stringres_test.h"
#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/uidriver_win.h"

MFX_SOURCE_MODULE("DIAGWIN");

namespace {

class DiagWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DIAG_Initialize(GetModuleHandleA(nullptr)));
        SetSwitch(nullptr);
    }
    void TearDown() override {
        SetSwitch(nullptr);
        DIAG_Terminate();
    }
    static void SetSwitch(const char* szWord) { WriteProfileStringA("windows", DIAG_SWITCH_ENTRY, szWord); }
    CDiagCapture m_capture;
};

TEST_F(DiagWinTest, HiddenSwitchNeedsTheExactWord) {
    const struct {
        const char* szWord;
        bool fOn;
    } cases[] = {{DIAG_SWITCH_WORD, true}, {"debugoutputon", false}, {"DebugOutputOnce", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szWord);
        SetSwitch(c.szWord);
        EXPECT_EQ(c.fOn, DIAG_IsSwitchOn());
    }
}

TEST_F(DiagWinTest, SwitchOnSendsReportsToTheDebuggerWithFlagsZero) {
    SetSwitch(DIAG_SWITCH_WORD);
    ASSERT_TRUE(DIAG_SetFlags(0));
    EXPECT_EQ(DIAG_FLAG_DEBUGGER, DIAG_GetRecord()->wFlags);
    DIAG_Report(nullptr, "QTFAST", 12, DIAG_TYPE_ASSERT);
    DIAG_TraceString("a", "b", "c");
    EXPECT_EQ(
        "toolkit_diag_win_test.exeAssertion determined. in file: QTFAST at line: 12 (toolkit_diag_win_test.exe)\n"
        "a b : c\n",
        m_capture.Text());
}

TEST_F(DiagWinTest, OkBoxShowsTheMessageUnderTheCaption) {
    DIAG_SetFlags(DIAG_FLAG_OKBOX);
    CBoxAnswer answer(IDOK);
    DIAG_Report("fOk = Call()", "PATHNAME", 7, DIAG_TYPE_ASSERT);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Diagnostic Message", answer.Caption());
    EXPECT_EQ("fOk = Call() in file: PATHNAME at line: 7 (toolkit_diag_win_test.exe)", answer.Text());
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(DiagWinTest, OkCancelBoxIsTitledByTheReportTextAndOkCarriesOn) {
    DIAG_SetFlags(DIAG_FLAG_OKCANCELBOX | DIAG_FLAG_DEBUGGER);
    CBoxAnswer answer(IDOK);
    DIAG_Report("fOk = Call()", "PATHNAME", 8, DIAG_TYPE_ASSERT);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("fOk = Call()", answer.Caption());
    EXPECT_NE(std::string::npos, m_capture.Text().find("fOk = Call() in file: PATHNAME at line: 8"));
}

TEST_F(DiagWinTest, StartupInstallsFlagsZeroAndThePrefix) {
    DIAG_Terminate();
    MFX_Startup(MFX_GetModuleOf(reinterpret_cast<const void*>(&MFX_Startup)));
    ASSERT_NE(nullptr, DIAG_GetRecord());
    EXPECT_EQ(0, DIAG_GetRecord()->wFlags);
    EXPECT_STREQ("toolkit_diag_win_test.exe", DIAG_GetRecord()->szModuleName);
    EXPECT_STREQ("toolkit_diag_win_test.exe: ", MFX_GetPrefix());
}

// The test program carries the string table of stringres_test.rc.
TEST(DiagWinStrings, ConstructLoadsNonZeroIdsFromTheStringTable) {
    const struct {
        unsigned idCaption, idPreCondition, idAssertion;
        std::string caption, precondition, assertion;
    } cases[] = {
        {IDS_CAPTION, IDS_TEXT, IDS_FILTER, "Flarion Setup", "Setup is complete.", "Movies (*.mov)|*.mov|"},
        {0, IDS_MISSING, IDS_LONG, "Diagnostic Message", "Pre-condition determined.",
         std::string(DIAG_TEXTSIZE - 1, 'L')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        DIAG* pDiag = DIAG_Construct(GetModuleHandleA(nullptr), c.idCaption, c.idPreCondition, c.idAssertion);
        ASSERT_NE(nullptr, pDiag);
        EXPECT_EQ(c.caption, pDiag->szCaption);
        EXPECT_EQ(c.precondition, pDiag->szPreCondition);
        EXPECT_EQ(c.assertion, pDiag->szAssertion);
        DIAG_Destroy(pDiag);
    }
}

}  // namespace
