// URLs split into scheme, host, port, path, name and anchor; local file paths; composing and relative
// references.
#include <gtest/gtest.h>

#include <string>

#include "plugin/urlparts.h"
#include "testing/testsupport/diagcapture.h"

namespace {

std::string Parts(const CURLParts& url) {
    return "[" + url.GetScheme() + "][" + url.GetHost() + "][" + url.GetPort() + "][" + url.GetPath() + "][" +
           url.GetName() + "][" + url.GetAnchor() + "]";
}

TEST(URLParts, ConstructSplitsIntoSixParts) {
    const struct {
        const char* szURL;
        const char* szParts;
    } cases[] = {
        {"http://www.example.com:8080/dir/sub/clip.mov#t", "[http:][www.example.com][8080][dir/sub][clip.mov][#t]"},
        {"http://www.example.com/clip.mov", "[http:][www.example.com][][][clip.mov][]"},
        {"http://www.example.com/dir/", "[http:][www.example.com][][dir/][][]"},
        {"http://www.example.com:80/a/b.mov", "[http:][www.example.com][80][a][b.mov][]"},
        {"http://www.example.com:/a/b.mov", "[http:][www.example.com][][a][b.mov][]"},
        {"http://h/clip.mov?x=1", "[http:][h][][][clip.mov][?x=1]"},
        {"http://h/d/p.html#sec?q", "[http:][h][][d][p.html][#sec?q]"},
        {"http://h/d/#", "[http:][h][][d/][][#]"},
        {"HTTPS://Host/Movies/Clip.MOV", "[HTTPS:][Host][][Movies][Clip.MOV][]"},
        {"ftp://ftp.example.com/pub/qt/a.qt", "[ftp:][ftp.example.com][][pub/qt][a.qt][]"},
        {"file:///C|/dir/clip.mov", "[file:][/C|][][dir][clip.mov][]"},
        {"FILE:///D|/clip.mov", "[FILE:][/D|][][][clip.mov][]"},
        {"file:///C:/dir/clip.mov", "[file:][/C][][dir][clip.mov][]"},
        {"http://h//x", "[http:][h][][][/x][]"},
        {"http://h/a/b/", "[http:][h][][a][b/][]"},
        {"http://h/x", "[http:][h][][][x][]"},
        {"#anchor", "[][][][][][#anchor]"},
        {"sub/c.mov", "[][][][][sub/c.mov][]"},
        {"", "[][][][][][]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szURL);
        CURLParts url;
        EXPECT_TRUE(url.Construct(c.szURL));
        EXPECT_EQ(c.szParts, Parts(url));
    }
}

TEST(URLParts, ConstructFailsWithoutAPathOrAName) {
    const char* cases[] = {"http://www.example.com", "http://www.example.com/", "http://h:8080", "http://h:80/",
                           "gopher://h/a.mov", "mailto://x/y", "//h/a.mov", "file://"};
    for (const char* szURL : cases) {
        SCOPED_TRACE(szURL);
        CURLParts url;
        url.Construct("http://old/d/old.mov");
        CDiagCapture capture;
        EXPECT_FALSE(url.Construct(szURL));
        EXPECT_EQ("", url.GetPath() + url.GetName() + url.GetAnchor());
        if (szURL[0] == 'h') {
            EXPECT_NE(std::string::npos,
                      capture.Text().find("fOk = ((m_Name.GetLength()>0) || (m_Path.GetLength()>0))"))
                << capture.Text();
        }
    }
}

// A server name with nothing after it never ends the host.
TEST(URLParts, AHostLeftOpenStaysEmpty) {
    CDiagCapture quiet;
    CURLParts url;
    EXPECT_FALSE(url.Construct("http://www.example.com"));
    EXPECT_EQ("http:", url.GetScheme());
    EXPECT_EQ("", url.GetHost());
}

TEST(URLParts, LocalPathsTakeTheDriveFromTheHost) {
    const struct {
        const char* szURL;
        bool fLocal;
        const char* szPath;
    } cases[] = {
        {"file:///C|/dir/clip.mov", true, "C:\\dir\\clip.mov"},
        {"file:///C|/clip.mov", true, "C:\\clip.mov"},
        {"file:///e|/a/b/c/m.qt", true, "e:\\a\\b\\c\\m.qt"},
        {"file:////x.mov", true, nullptr},
        {"http://h/dir/clip.mov", false, nullptr},
        {"clip.mov", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szURL);
        CURLParts url;
        ASSERT_TRUE(url.Construct(c.szURL));
        EXPECT_EQ(c.fLocal, url.IsLocal());
        std::string sPath = "old";
        EXPECT_EQ(c.szPath != nullptr, url.GetLocalPath(sPath));
        EXPECT_EQ(c.szPath ? c.szPath : "", sPath);
    }
}

TEST(URLParts, ComposeJoinsThePartsAgain) {
    const char* cases[] = {"http://www.example.com:8080/dir/sub/clip.mov#t", "http://h/clip.mov?x=1",
                           "ftp://h/pub/a.qt", "file:///C|/dir/clip.mov", "http://h/dir/", "#top", "c.mov"};
    for (const char* szURL : cases) {
        SCOPED_TRACE(szURL);
        CURLParts url;
        ASSERT_TRUE(url.Construct(szURL));
        std::string sURL = "old";
        url.Compose(sURL);
        EXPECT_EQ(szURL, sURL);
    }
}

TEST(URLParts, RelativeReferencesAgainstABasePage) {
    const struct {
        const char* szReference;
        const char* szPath;
        const char* szName;
        const char* szURL;
    } cases[] = {
        {"sub/c.mov", "d", "sub/c.mov", "http://h:81/d/sub/c.mov"},
        {"/r/c.mov", "", "r/c.mov", "http://h:81/r/c.mov"},
        {"./c.mov", "d", "c.mov", "http://h:81/d/c.mov"},
        {"./", "d", "./", "http://h:81/d/./"},
        {"../c.mov", "d", "../c.mov", "http://h:81/d/../c.mov"},
        {"", "d", "", "http://h:81/d/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szReference);
        CURLParts url;
        ASSERT_TRUE(url.Construct("http://h:81/d/p.html#here"));
        url.ApplyRelative(c.szReference);
        EXPECT_EQ(c.szPath, url.GetPath());
        EXPECT_EQ(c.szName, url.GetName());
        EXPECT_EQ("", url.GetAnchor());
        std::string sURL;
        url.Compose(sURL);
        EXPECT_EQ(c.szURL, sURL);
    }
}

}  // namespace
