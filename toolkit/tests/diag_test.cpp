#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "testing/testsupport/diagcapture.h"
#include "testing/testsupport/memprobe.h"
#include "testing/testsupport/tempfolder.h"
#include "toolkit/diag.h"
#include "toolkit/diagsys.h"
#include "toolkit/mfx.h"

MFX_SOURCE_MODULE("DIAGTEST");

namespace {

std::string ThreadTag() {
    char szTag[32];
    snprintf(szTag, sizeof(szTag), "[%08lx]:", DIAGSYS_GetThreadId());
    return szTag;
}

std::string ModuleName() {
    return DIAG_GetRecord()->szModuleName;
}

class DiagTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(DIAG_Initialize(nullptr));
        ASSERT_TRUE(DIAG_SetFlags(0));
        MFX_SetPrefix("C:\\APPS\\reelpro.exe");
    }
    void TearDown() override { DIAG_Terminate(); }
    CDiagCapture m_capture;
};

bool Refuses(int nValue) {
    MFX_PRE(nValue > 0);
    return true;
}

TEST_F(DiagTest, RecordStartsWithTheDefaultTextsAndTheModuleName) {
    const DIAG* pDiag = DIAG_GetRecord();
    EXPECT_STREQ("Diagnostic Message", pDiag->szCaption);
    EXPECT_STREQ("Pre-condition determined.", pDiag->szPreCondition);
    EXPECT_STREQ("Assertion determined.", pDiag->szAssertion);
    EXPECT_STREQ("", pDiag->szLogFile);
    EXPECT_EQ(0, pDiag->wFlags);
    EXPECT_NE(std::string::npos, ModuleName().find("toolkit_diag_test"));
    EXPECT_EQ(std::string::npos, ModuleName().find_first_of("/\\:"));
}

TEST_F(DiagTest, FlagsZeroKeepReportsAndTracesSilentButVerifyStillPrints) {
    DIAG_Report("text", "MOD", 1, DIAG_TYPE_ASSERT);
    DIAG_TraceNumber("label", "name", 31);
    DIAG_TraceString("label", "name", "value");
    EXPECT_EQ("", m_capture.Text());

    bool fOk = true;
    const int nLine = __LINE__ + 1;
    EXPECT_FALSE(MFX_VERIFY(fOk = Refuses(1) && false));
    EXPECT_EQ("reelpro.exe: " + ThreadTag() + "MFX_VERIFY failed: in DIAGTEST (#:" + std::to_string(nLine) +
                  ") fOk = Refuses(1) && false\n",
              m_capture.Text());
}

TEST_F(DiagTest, ReportFormatsTheGivenTextOrTheTypeText) {
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    const struct {
        const char* szText;
        int nType;
        const char* szExpected;
    } cases[] = {
        {nullptr, DIAG_TYPE_PRECONDITION, "Pre-condition determined. in file: PATHNAME at line: 42"},
        {nullptr, DIAG_TYPE_ASSERT, "Assertion determined. in file: PATHNAME at line: 42"},
        {nullptr, 7, " in file: PATHNAME at line: 42"},
        {"fOk = stco.Write(this)", DIAG_TYPE_ASSERT, "fOk = stco.Write(this) in file: PATHNAME at line: 42"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szExpected);
        m_capture.Clear();
        DIAG_Report(c.szText, "PATHNAME", 42, c.nType);
        EXPECT_EQ(ModuleName() + c.szExpected + " (" + ModuleName() + ")\n", m_capture.Text());
    }
}

TEST_F(DiagTest, AssertAndPreConditionAreReportsOfTheirType) {
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    DIAG_Assert(nullptr, "QTFILE", 5);
    DIAG_PreCondition(nullptr, "QTFILE", 6);
    const std::string m = ModuleName();
    EXPECT_EQ(m + "Assertion determined. in file: QTFILE at line: 5 (" + m + ")\n" + m +
                  "Pre-condition determined. in file: QTFILE at line: 6 (" + m + ")\n",
              m_capture.Text());
}

TEST_F(DiagTest, TracesFormatNumbersInLowerCaseHex) {
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    DIAG_TraceNumber("PATHNAME_GetFreeSpace ", "*pdwDiskFree", 0xABCDEFul);
    DIAG_TraceString("PATHFIND_Construct ", "FindPath", "C:\\SRC\\*.*");
    EXPECT_EQ("PATHNAME_GetFreeSpace  *pdwDiskFree : abcdef\nPATHFIND_Construct  FindPath : C:\\SRC\\*.*\n",
              m_capture.Text());
}

TEST_F(DiagTest, PreReturnsFailureAndReportsAsPrecondition) {
    DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    EXPECT_TRUE(Refuses(1));
    EXPECT_EQ("", m_capture.Text());
    EXPECT_FALSE(Refuses(0));
    const auto lines = m_capture.Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(ThreadTag() + "MFX_PRE failed: in DIAGTEST (#:"));
    EXPECT_NE(std::string::npos, lines[0].find(") nValue > 0\n"));
    EXPECT_EQ(0u, lines[1].find(ModuleName() + "nValue > 0 in file: DIAGTEST at line: "));
}

TEST_F(DiagTest, DebugPrintReportsTheCutThenPrintsTheCutLine) {
    const std::string longText(600, 'x');
    MFX_DebugPrintf("%s", longText.c_str());
    const std::string head = "reelpro.exe: " + ThreadTag();
    const std::string expectedCut = head + longText.substr(0, 511 - head.size());
    ASSERT_EQ(511u, expectedCut.size());
    const std::string text = m_capture.Text();
    ASSERT_GT(text.size(), expectedCut.size());
    const std::string report = text.substr(0, text.size() - expectedCut.size());
    EXPECT_EQ(0u, report.find(head + "MFX_VERIFY failed: in MFXDEBUG (#:"));
    EXPECT_EQ(report.size() - strlen(") nBuf < sizeof(szBuffer)\n"), report.find(") nBuf < sizeof(szBuffer)\n"));
    EXPECT_EQ(expectedCut, text.substr(report.size()));
}

TEST_F(DiagTest, DebugPrintOfExactlyFittingLineIsNotCut) {
    const std::string head = "reelpro.exe: " + ThreadTag();
    const std::string text(511 - head.size(), 'y');
    MFX_DebugPrintf("%s", text.c_str());
    EXPECT_EQ(head + text, m_capture.Text());
}

// The log flag alone takes reports but no traces; with trace output on, the log takes a copy of each trace.
TEST_F(DiagTest, LogFileReceivesReportsAndTracesOnlyWhileTraceOutputIsOn) {
    const std::string logName = TEMPFOLDER_Program() / "diag_test.log";
    const std::string m = ModuleName();
    const std::string report = m + "Pre-condition determined. in file: REGKEY at line: 9 (" + m + ")\r\n";
    const struct {
        unsigned short wFlags;
        std::string log, output;
    } cases[] = {
        {DIAG_FLAG_LOGFILE, report, ""},
        {DIAG_FLAG_LOGFILE | DIAG_FLAG_DEBUGGER, report + "label n : 10\n\r\n",
         m + "Pre-condition determined. in file: REGKEY at line: 9 (" + m + ")\nlabel n : 10\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wFlags);
        std::remove(logName.c_str());
        m_capture.Clear();
        ASSERT_TRUE(DIAG_SetLogFile(logName.c_str()));
        DIAG_SetFlags(c.wFlags);
        DIAG_Report(nullptr, "REGKEY", 9, DIAG_TYPE_PRECONDITION);
        DIAG_TraceNumber("label", "n", 16);
        EXPECT_EQ(c.output, m_capture.Text());

        std::ifstream log(logName, std::ios::binary);
        std::stringstream contents;
        contents << log.rdbuf();
        EXPECT_EQ(c.log, contents.str());
    }
    std::remove(logName.c_str());
}

TEST_F(DiagTest, UnopenableLogFileEndsTheReportSilently) {
    ASSERT_TRUE(DIAG_SetLogFile("/no/such/folder/diag.log"));
    DIAG_SetFlags(DIAG_FLAG_LOGFILE | DIAG_FLAG_DEBUGGER);
    DIAG_Report("x", "M", 1, DIAG_TYPE_ASSERT);
    EXPECT_EQ(ModuleName() + "x in file: M at line: 1 (" + ModuleName() + ")\n", m_capture.Text());
}

TEST(DiagWithoutRecord, ReportsAreDroppedAndTypeTextsAreTheFallbacks) {
    DIAG_Terminate();
    CDiagCapture capture;
    DIAG_Report("lost", "M", 1, DIAG_TYPE_ASSERT);
    DIAG_TraceString("a", "b", "c");
    EXPECT_FALSE(DIAG_SetFlags(DIAG_FLAG_DEBUGGER));
    EXPECT_EQ("", capture.Text());
    EXPECT_STREQ("Status A determined.", DIAG_GetTypeText(DIAG_TYPE_ASSERT));
    EXPECT_STREQ("Status P determined.", DIAG_GetTypeText(DIAG_TYPE_PRECONDITION));
    EXPECT_STREQ("Bad ERR_TYPE", DIAG_GetTypeText(0));
}

TEST(ObjectIsValid, ProbesReadabilityWithoutCrashing) {
    struct RECORD {
        char data[64];
    } record = {};
    EXPECT_TRUE(OBJECT_IsValid(&record, RECORD));
    EXPECT_FALSE(OBJECT_IsValid(static_cast<RECORD*>(nullptr), RECORD));

    const size_t cbRegion = 1 << 16;
    void* pUnreadable = MEMPROBE_ReserveUnreadable(cbRegion);
    ASSERT_NE(nullptr, pUnreadable);
    EXPECT_FALSE(OBJECT_IsValid(static_cast<RECORD*>(pUnreadable), RECORD));
    MEMPROBE_Release(pUnreadable, cbRegion);
}

}  // namespace
