// The guarded byte buffer: its layout, and the report when a write runs past its end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testing/testsupport/diagcapture.h"
#include "toolkit/bytebuff.h"

namespace {

TEST(ByteBuff, HoldsTheGuardWordBehindTheData) {
    CDiagCapture capture;
    CByteBuff buffer(10, true);
    EXPECT_TRUE(buffer.IsGuard());
    EXPECT_EQ(10u, buffer.GetSize());
    EXPECT_STREQ("", buffer.GetText());
    EXPECT_EQ(0, memcmp(buffer.m_pBuffer + 10, "0ZO0", 4));
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(0, buffer.GetAt(i));
    strcpy(buffer.GetData(), "123456789");
    EXPECT_EQ('9', buffer.GetAt(8));
    EXPECT_STREQ("123456789", buffer.GetText());
    buffer.Empty();
    EXPECT_STREQ("", buffer.GetText());
    EXPECT_EQ("", capture.Text());
}

TEST(ByteBuff, AWriteOnePastTheEndIsReportedByTheNextAccess) {
    CDiagCapture capture;
    {
        CByteBuff buffer(10);
        buffer.GetData()[10] = 'x';
        EXPECT_FALSE(buffer.IsGuard());
        EXPECT_EQ("", capture.Text());
        EXPECT_EQ(10u, buffer.GetSize());
        EXPECT_NE(std::string::npos, capture.Text().find("MFX_VERIFY failed: in BYTEBUFF"));
        EXPECT_NE(std::string::npos, capture.Text().find(") IsGuard()\n"));
        capture.Clear();
    }
    // Destruction checks the guard too.
    EXPECT_NE(std::string::npos, capture.Text().find(") IsGuard()\n"));
}

TEST(ByteBuff, AnIndexBeyondTheDataIsReportedAndReadsAsZero) {
    CDiagCapture capture;
    CByteBuff buffer(4);
    strcpy(buffer.GetData(), "abc");
    EXPECT_EQ('c', buffer.GetAt(2));
    EXPECT_EQ(0, buffer.GetAt(4));
    EXPECT_NE(std::string::npos, capture.Text().find("Index < m_sizeofBuffer"));
    EXPECT_TRUE(buffer.IsGuard());
}

TEST(ByteBuff, AnEmptyBufferStillHoldsTheEmptyString) {
    CDiagCapture capture;
    CByteBuff buffer(0);
    EXPECT_TRUE(buffer.IsGuard());
    EXPECT_STREQ("", buffer.GetText());
    EXPECT_EQ("", capture.Text());
}

}  // namespace
