// The movie document's file rules: types, counterparts, filters, the preview's movie name and the Save As
// matrix.
#include <gtest/gtest.h>

#include <string>

#include "converter/reelfile.h"
#include "testing/testsupport/diagcapture.h"
#include "toolkit/diag.h"
#include "toolkit/pathname.h"

namespace {

class ReelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        DIAG_Initialize(nullptr);
        DIAG_SetFlags(DIAG_FLAG_DEBUGGER);
    }
    void TearDown() override { DIAG_Terminate(); }
    CDiagCapture m_capture;
};

TEST_F(ReelFileTest, TypesComeFromTheLastExtensionWithoutRegardToCase) {
    const struct {
        const char* szName;
        REELTYPE nType;
    } cases[] = {
        {"clip.QT", REELTYPE_MOV},           {"C:\\m\\clip.mov", REELTYPE_MOV}, {"clip.Mov", REELTYPE_MOV},
        {"clip.qtx", REELTYPE_QTX},          {"clip.avi", REELTYPE_AVI},        {"clip.AVX", REELTYPE_AVX},
        {"anim.gif", REELTYPE_GIF},          {"clip.mov.bak", REELTYPE_NONE},   {"clip.qt.mov", REELTYPE_MOV},
        {"C:\\my.dir\\clip", REELTYPE_NONE}, {"clip.movie", REELTYPE_NONE},     {"", REELTYPE_NONE},
        {"list.bag", REELTYPE_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        EXPECT_EQ(c.nType, REELFILE_GetType(c.szName));
    }
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(ReelFileTest, EachTypeHasItsCounterpartExtensionAndFilters) {
    const struct {
        REELTYPE nType;
        REELTYPE nCounterpart;
        const char* szText;
        const char* szFilter;
    } cases[] = {
        {REELTYPE_AVI, REELTYPE_AVX, "AVI",
         "Video Streams (*.avx)|*.avx|Video Files (*.avi)|*.avi|Videos (*.avi,*.avx)|*.avi;*.avx|"},
        {REELTYPE_AVX, REELTYPE_AVI, "AVX",
         "Video Files (*.avi)|*.avi|Video Streams (*.avx)|*.avx|Videos (*.avi,*.avx)|*.avi;*.avx|"},
        {REELTYPE_MOV, REELTYPE_QTX, "MOV",
         "Movie Streams (*.qtx)|*.qtx|Movie Files (*.mov,*.qt)|*.mov;*.qt|Movies (*.mov,*.qt,*.qtx)|*.mov;*.qt;*.qtx|"},
        {REELTYPE_QTX, REELTYPE_MOV, "QTX",
         "Movie Files (*.mov,*.qt)|*.mov;*.qt|Movie Streams (*.qtx)|*.qtx|Movies (*.mov,*.qt,*.qtx)|*.mov;*.qt;*.qtx|"},
        {REELTYPE_GIF, REELTYPE_GIF, "GIF", "GIF Animations (*.gif)|*.gif|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szText);
        EXPECT_EQ(c.nCounterpart, REELFILE_GetCounterpart(c.nType));
        EXPECT_STREQ(c.szText, REELFILE_GetExtensionText(c.nType));
        EXPECT_STREQ(c.szFilter, REELFILE_GetSaveFilter(c.nType));
    }
    EXPECT_EQ("", m_capture.Text());
}

TEST_F(ReelFileTest, AnUnrecognisedTypeIsReportedAndGivesEmptyAnswers) {
    EXPECT_EQ(REELTYPE_NONE, REELFILE_GetCounterpart(REELTYPE_NONE));
    EXPECT_STREQ("", REELFILE_GetExtensionText(REELTYPE_NONE));
    EXPECT_STREQ("All Files (*.*)|*.*|", REELFILE_GetSaveFilter(REELTYPE_NONE));
    int cReports = 0;
    for (const std::string& line : m_capture.Lines()) {
        if (line.find("MFX_VERIFY failed: in REELDOC (#:") != std::string::npos &&
            line.find(") FALSE\n") != std::string::npos)
            ++cReports;
    }
    EXPECT_EQ(3, cReports);
}

TEST_F(ReelFileTest, ThePreviewGetsTheFileOrTheCompositeStreamName) {
    const struct {
        const char* szPath;
        const char* szMovie;
        int nResult;
    } cases[] = {
        {"C:\\m\\clip.qtx", "C:\\m\\clip.qtx+clip.MOV", 1},
        {"C:\\m\\clip.avx", "C:\\m\\clip.avx+clip.AVI", 1},
        {"C:\\m\\clip.mov", "C:\\m\\clip.mov", 1},
        {"C:\\m\\clip.QT", "C:\\m\\clip.QT", 1},
        {"C:\\m\\clip.avi", "C:\\m\\clip.avi", 1},
        {"C:\\m\\anim.gif", "", 0},
        {"C:\\m\\notes.txt", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szPath);
        PATHNAME szMovie = "x";
        EXPECT_EQ(c.nResult, REELFILE_GetMovieName(c.szPath, szMovie));
        EXPECT_STREQ(c.szMovie, szMovie);
    }
    EXPECT_NE(std::string::npos, m_capture.Text().find("0 in file: REELDOC"));
}

TEST_F(ReelFileTest, ACompositeNameThatDoesNotFitIsRefused) {
    std::string path = "C:\\" + std::string(240, 'd') + "\\clip.qtx";  // 252 characters, 261 with the suffix
    PATHNAME szMovie = "x";
    EXPECT_EQ(0, REELFILE_GetMovieName(path.c_str(), szMovie));
    EXPECT_STREQ("", szMovie);
}

TEST_F(ReelFileTest, SaveAsOffersTheNamePartWithTheCounterpartExtension) {
    PATHNAME szName = "";
    EXPECT_EQ(1, REELFILE_GetSaveAsName("C:\\m\\clip.mov", szName));
    EXPECT_STREQ("clip.QTX", szName);
    EXPECT_EQ(1, REELFILE_GetSaveAsName("C:\\m\\clip.qtx", szName));
    EXPECT_STREQ("clip.MOV", szName);
}

TEST_F(ReelFileTest, TheSaveMatrix) {
    const struct {
        const char* szFrom;
        const char* szTo;
        REELSAVE nAction;
        const char* szMessage;
    } cases[] = {
        {"C:\\m\\clip.mov", "C:\\m\\CLIP.MOV", REELSAVE_SAMENAME,
         "Cannot save a copy of the file under the same name."},
        {"C:\\m\\clip.mov", "C:\\m\\copy.mov", REELSAVE_COPY, nullptr},
        {"C:\\m\\clip.mov", "C:\\m\\copy.qt", REELSAVE_COPY, nullptr},
        {"C:\\m\\anim.gif", "C:\\n\\anim.gif", REELSAVE_COPY, nullptr},
        {"C:\\m\\clip.mov", "C:\\m\\clip.qtx", REELSAVE_NOCONVERSION, nullptr},
        {"C:\\m\\clip.avi", "C:\\m\\clip.avx", REELSAVE_NOCONVERSION, nullptr},
        {"C:\\m\\clip.qtx", "C:\\m\\clip.mov", REELSAVE_NOTIMPLEMENTED, "Not Implemented Yet"},
        {"C:\\m\\clip.avx", "C:\\m\\clip.avi", REELSAVE_NOTIMPLEMENTED, "Not Implemented Yet"},
        {"C:\\m\\clip.mov", "C:\\m\\clip.avi", REELSAVE_UNSUPPORTED,
         "Reelway Pro cannot save the movie in this format!"},
        {"C:\\m\\clip.mov", "C:\\m\\clip.txt", REELSAVE_UNSUPPORTED,
         "Reelway Pro cannot save the movie in this format!"},
        {"C:\\m\\clip.gif", "C:\\m\\clip.mov", REELSAVE_UNSUPPORTED,
         "Reelway Pro cannot save the movie in this format!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szFrom) + " -> " + c.szTo);
        EXPECT_EQ(c.nAction, REELFILE_GetSaveAction(c.szFrom, c.szTo));
        const char* szMessage = REELFILE_GetSaveMessage(c.nAction);
        if (c.szMessage)
            EXPECT_STREQ(c.szMessage, szMessage);
        else
            EXPECT_EQ(nullptr, szMessage);
    }
}

}  // namespace
