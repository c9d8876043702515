// What the media streams decide on their own: status names, the open test, progress steps and save types.
#include <gtest/gtest.h>

#include <string>

#include "plugin/mcistream.h"
#include "plugin/movieoptions.h"

namespace {

TEST(MCIStream, StatusNamesDependOnTheStreamKind) {
    const struct {
        int32_t nStatus;
        const char* szBase;
        const char* szAsFile;
    } cases[] = {
        {0, "None", "None"},
        {1, "Stream_Entirely_In_Cache", "Stream_Entirely_In_Cache"},
        {2, "Stream_Read_Cancelled", "Stream_Read_Cancelled"},
        {3, "UKNOWN", "Waiting_For_AsFileStream_Open"},
        {4, "UKNOWN", "Waiting_For_AsFileStream_Data"},
        {5, "UKNOWN", "UKNOWN"},
        {-1, "UKNOWN", "UKNOWN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nStatus);
        EXPECT_STREQ(c.szBase, MCISTREAM_StatusName(c.nStatus, false));
        EXPECT_STREQ(c.szAsFile, MCISTREAM_StatusName(c.nStatus, true));
    }
}

TEST(MCIStream, AClipOpensAboveTheStartPercentOrWhenWhole) {
    const struct {
        uint32_t dwTotal, dwReceived;
        int32_t nPercent;
        bool fReady;
    } cases[] = {
        {0, 0, 15, false},       {0, 500, 15, false},     {1000, 0, 15, false},     {1000, 150, 15, false},
        {1000, 159, 15, false},  {1000, 160, 15, true},   {1000, 999, 99, false},   {100000, 99999, 99, false},
        {1000, 999, 100, false}, {1000, 1000, 100, true}, {20000, 20000, 15, true}, {0xFFFFFFFF, 0xFFFFFFFE, 99, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dwReceived) + " of " + std::to_string(c.dwTotal) + " at " +
                     std::to_string(c.nPercent));
        EXPECT_EQ(c.fReady, MCISTREAM_IsReady(c.dwTotal, c.dwReceived, c.nPercent));
    }
}

TEST(MCIStream, ProgressIsPostedInStepsOfMoreThanFourPercent) {
    const struct {
        uint32_t dwTotal, dwPosted, dwReceived;
        bool fPost;
    } cases[] = {
        {0, 0, 5000, false},    {1000, 0, 40, false},    {1000, 0, 41, true},       {1000, 500, 540, false},
        {1000, 500, 541, true}, {1000, 990, 1000, true}, {1000, 1000, 1000, false}, {0xFFFFFFFF, 0, 0xFFFFFFFF, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dwPosted) + " to " + std::to_string(c.dwReceived));
        EXPECT_EQ(c.fPost, MCISTREAM_IsProgressWorthPosting(c.dwTotal, c.dwPosted, c.dwReceived));
    }
}

TEST(MCIStream, SaveTypesFollowTheMimeTypeInAnyCase) {
    const struct {
        const char* szMimeType;
        const char* szExtension;
        const char* szFilter;
    } cases[] = {
        {"video/quicktime", "MOV", "Movie Files (*.mov,*.qt)|*.mov;*.qt|"},
        {"VIDEO/X-QuickTime", "MOV", "Movie Files (*.mov,*.qt)|*.mov;*.qt|"},
        {"video/quicktime-stream", "MOV", "Movie Files (*.mov,*.qt)|*.mov;*.qt|"},
        {"video/x-msvideo-stream", "AVI", "Video Files (*.avi)|*.avi|"},
        {"audio/wav", "WAV", "Sound (*.wav)|*.wav|"},
        {"video/fli", "FLC", "FLIC (*.flc,*.fli)|*.flc;*.fli|"},
        {"video/mpeg", "MPG", "MPEG Movies (*.MPG)|*.MPG|"},
        {"audio/x-mpeg", "MP2", "MPEG Songs (*.MP2)|*.MP2|"},
        {"application/x-midi", "MID", "MIDI Songs (*.mid,*.rmi)|*.mid;*.rmi|"},
        {"audio/mpeg", nullptr, nullptr},
        {"text/html", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szMimeType);
        const MCISTREAM_SAVETYPE* pType = MCISTREAM_FindSaveType(c.szMimeType);
        ASSERT_EQ(c.szExtension != nullptr, pType != nullptr);
        if (pType) {
            EXPECT_STREQ(c.szExtension, pType->szExtension);
            EXPECT_STREQ(c.szFilter, pType->szFilter);
        }
    }
    EXPECT_EQ(nullptr, MCISTREAM_FindSaveType(nullptr));
}

TEST(MovieOptions, TheDefaultsOfEveryLoad) {
    const CMovieOptions options;
    EXPECT_EQ(15, options.m_nStartPercent);
    EXPECT_EQ(10, options.m_nCacheSize);
    EXPECT_EQ(1, options.m_fShowProgress);
    EXPECT_EQ(0x00C0C0C0u, options.m_crBackground);
    EXPECT_STREQ("C:\\REELWAY\\CACHE", options.m_szCacheFolder);
    EXPECT_STREQ("C:\\REELWAY\\MEDIA", options.m_szMediaFolder);
    EXPECT_STREQ("", options.m_szBackgroundPicture);
}

}  // namespace
