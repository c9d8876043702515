// The hook library's standard targets by platform family.
#include "setupext/tavlet/stdtargets.h"

#include <gtest/gtest.h>

#include "toolkit/system.h"

namespace {

TEST(StdTargets, EachFamilyHasItsSystemDirectories) {
    const struct {
        TAVLET_PLATFORM platform;
        bool fSystem16;
        CTextMap expected;
    } cases[] = {
        {TAVLET_WINDOWS_NT,
         true,
         {{"Windows", "C:\\WINNT"},
          {"System", "C:\\WINNT\\system32"},
          {"System16", "C:\\WINNT\\SYSTEM"},
          {"System32", "C:\\WINNT\\SYSTEM32"}}},
        {TAVLET_WINDOWS_NT,
         false,
         {{"Windows", "C:\\WINNT"}, {"System", "C:\\WINNT\\system32"}, {"System32", "C:\\WINNT\\SYSTEM32"}}},
        {TAVLET_WINDOWS_31,
         true,
         {{"Windows", "C:\\WINNT"}, {"System", "C:\\WINNT\\system32"}, {"System16", "C:\\WINNT\\system32"}}},
        {TAVLET_WINDOWS_95,
         true,
         {{"Windows", "C:\\WINNT"}, {"System", "C:\\WINNT\\system32"}, {"System32", "C:\\WINNT\\system32"}}},
        {TAVLET_OTHER, true, {{"Windows", "C:\\WINNT"}, {"System", "C:\\WINNT\\system32"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(STDTARGETS_TraceName(c.platform)) + (c.fSystem16 ? " with SYSTEM" : ""));
        CTextMap targets;
        STDTARGETS_Fill(targets, c.platform, "C:\\WINNT", "C:\\WINNT\\system32", c.fSystem16);
        EXPECT_EQ(c.expected, targets);
    }
}

TEST(StdTargets, FamiliesComeFromTheSystemClasses) {
    EXPECT_EQ(TAVLET_WINDOWS_NT, STDTARGETS_PlatformOf(SYSTEM_CLASS_NTWORK));
    EXPECT_EQ(TAVLET_WINDOWS_NT, STDTARGETS_PlatformOf(SYSTEM_CLASS_NTSERVER));
    EXPECT_EQ(TAVLET_WINDOWS_31, STDTARGETS_PlatformOf(SYSTEM_CLASS_WIN32S));
    EXPECT_EQ(TAVLET_WINDOWS_95, STDTARGETS_PlatformOf(SYSTEM_CLASS_WIN95));
    EXPECT_EQ(TAVLET_OTHER, STDTARGETS_PlatformOf(0));
    EXPECT_STREQ("WINDOWS_31", STDTARGETS_TraceName(TAVLET_WINDOWS_31));
    EXPECT_STREQ("", STDTARGETS_TraceName(TAVLET_OTHER));
}

}  // namespace
