// The browser stand-in's page descriptions: instances, attributes, served files and their errors.
#include <gtest/gtest.h>

#include "testing/nphost/nppage.h"

namespace {

TEST(NPPage, ReadsThePageAndItsInstances) {
    NPPAGE page;
    std::string error;
    ASSERT_TRUE(NPPAGE_Parse(&page,
                             "# two clips\r\n"
                             "PAGE http://www.example.com/movies/index.html\n"
                             "\n"
                             "EMBED SRC=trailer.mov WIDTH=320 TITLE=\"a b\" LOOP < clips\\trailer.mov 65536\n"
                             "full SRC=file:///C|/m/clip.mov\n"
                             "BACKGROUND SRC=http://other.example/s.mov HIDDEN < s.mov\n",
                             error))
        << error;
    EXPECT_EQ("http://www.example.com/movies/index.html", page.url);
    ASSERT_EQ(3u, page.instances.size());
    const NPPAGE_INSTANCE& embed = page.instances[0];
    EXPECT_EQ(1, embed.wMode);
    ASSERT_EQ(4u, embed.attributes.size());
    EXPECT_EQ("TITLE", embed.attributes[2].name);
    EXPECT_EQ("a b", embed.attributes[2].value);
    EXPECT_FALSE(embed.attributes[3].fHasValue);
    EXPECT_EQ("TRUE", NPPAGE_GetAttribute(embed, "loop", ""));
    EXPECT_EQ("none", NPPAGE_GetAttribute(embed, "HEIGHT", "none"));
    EXPECT_EQ("clips\\trailer.mov", embed.serveFile);
    EXPECT_EQ(65536u, embed.dwRate);
    EXPECT_EQ("http://www.example.com/movies/trailer.mov", NPPAGE_ClipURL(page, embed));
    EXPECT_EQ(2, page.instances[1].wMode);
    EXPECT_EQ("", page.instances[1].serveFile);
    EXPECT_EQ("file:///C|/m/clip.mov", NPPAGE_ClipURL(page, page.instances[1]));
    EXPECT_EQ(3, page.instances[2].wMode);
    EXPECT_EQ(0u, page.instances[2].dwRate);
}

TEST(NPPage, MalformedPagesNameTheirLine) {
    const struct {
        const char* szText;
        const char* szError;
    } cases[] = {
        {"EMBED SRC=a.mov\n", "no PAGE line"},
        {"PAGE\n", "line 1: PAGE without an address"},
        {"PAGE http://h/p.html\nOBJECT SRC=a.mov\n", "line 2: unknown line \"OBJECT\""},
        {"PAGE http://h/p.html\nEMBED SRC=a.mov <\n", "line 2: no file after \"<\""},
        {"PAGE http://h/p.html\nEMBED SRC=a.mov < a.mov fast\n", "line 2: the rate \"fast\" is not a number of bytes per second"},
        {"PAGE http://h/p.html\nEMBED SRC=a.mov < a.mov 10 more\n", "line 2: \"more\" after the served file"},
        {"PAGE http://h/p.html\nEMBED =a.mov\n", "line 2: an attribute without a name"},
        {"PAGE http://h/p.html\nEMBED SRC=\"a.mov\n", "line 2: an unclosed quote"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szText);
        NPPAGE page;
        std::string error;
        EXPECT_FALSE(NPPAGE_Parse(&page, c.szText, error));
        EXPECT_EQ(c.szError, error);
    }
}

}  // namespace
