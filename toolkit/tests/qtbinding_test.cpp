// The QuickTime version number made from a library's product version.
#include <gtest/gtest.h>

#include "toolkit/qtbinding.h"

namespace {

TEST(QtBindingVersion, CombinesTheFourPartsOfTheProductVersion) {
    const struct {
        unsigned a, b, c, d;
        unsigned long dwVersion;
    } cases[] = {
        {2, 1, 1, 57, 11065},  // the stand-in's version, just above the setup's minimum 11064
        {2, 1, 1, 56, 11064}, {0, 0, 0, 0, 0},   {1, 0, 0, 0, 4096},
        {0, 1, 0, 0, 2560},   {0, 0, 1, 0, 256}, {3, 0, 2, 255, (48 + 2) * 256 + 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "." << c.b << "." << c.c << "." << c.d);
        EXPECT_EQ(c.dwVersion, QTBINDING_VersionNumber(c.a, c.b, c.c, c.d));
    }
}

}  // namespace
