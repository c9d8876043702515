// The address rules of the browser request object: making references absolute, and the link of a click.
#include <gtest/gtest.h>

#include <string>

#include "plugin/npbrowser.h"
#include "testing/testsupport/diagcapture.h"

namespace {

TEST(NPBrowser, MakeAbsoluteResolvesAgainstTheBasePage) {
    const struct {
        const char* szBase;
        const char* szReference;
        const char* szResult;
    } cases[] = {
        {"http://www.example.com/d/p.html", "sub/c.mov", "http://www.example.com/d/sub/c.mov"},
        {"http://www.example.com/d/p.html", "/r/c.mov", "http://www.example.com/r/c.mov"},
        {"http://www.example.com/d/p.html", "./c.mov", "http://www.example.com/d/c.mov"},
        {"http://www.example.com/p.html?q=1", "next.html", "http://www.example.com/next.html"},
        {"http://www.example.com/d/", "c.mov", "http://www.example.com/d/c.mov"},
        {"file:///C|/pages/index.html", "clip.mov", "file:///C|/pages/clip.mov"},
        {"http://base.example/x.html", "ftp://other.example/a.qt", "ftp://other.example/a.qt"},
        {"not a url", "http://other.example/a.html", "http://other.example/a.html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szBase) + " + " + c.szReference);
        std::string sURL = c.szReference;
        EXPECT_TRUE(NPBROWSER_MakeAbsolute(c.szBase, sURL));
        EXPECT_EQ(c.szResult, sURL);
    }
}

TEST(NPBrowser, MakeAbsoluteFailsOnABaseThatDoesNotSplit) {
    for (const char* szBase : {"http://www.example.com", "gopher://h/a.html"}) {
        SCOPED_TRACE(szBase);
        CDiagCapture capture;
        std::string sURL = "c.mov";
        EXPECT_FALSE(NPBROWSER_MakeAbsolute(szBase, sURL));
        EXPECT_EQ("c.mov", sURL);
        EXPECT_NE(std::string::npos, capture.Text().find("fOk = url.Construct(sBaseURL)\n")) << capture.Text();
    }
}

TEST(NPBrowser, AClickOnAnImageMapAppendsThePosition) {
    EXPECT_EQ("next.html?12,-3", NPBROWSER_ClickURL("next.html", 12, -3, true));
    EXPECT_EQ("next.html", NPBROWSER_ClickURL("next.html", 12, 3, false));
    EXPECT_EQ("", NPBROWSER_ClickURL("", 12, 3, true));
    EXPECT_STREQ("_self", NPBROWSER_ClickTarget(""));
    EXPECT_STREQ("_self", NPBROWSER_ClickTarget(nullptr));
    EXPECT_STREQ("_top", NPBROWSER_ClickTarget("_top"));
}

}  // namespace
