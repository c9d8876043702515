// The QuickTime player's attribute table: synonyms, value sets, defaults and the lines read only when
// embedded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/movprops.h"

namespace {

MOVPROPS Read(std::vector<const char*> names, std::vector<const char*> values, bool fFullPage = false) {
    const CNPProps props(!fFullPage, static_cast<int>(names.size()), names.data(), values.data());
    MOVPROPS m;
    m.nVolume = -7;  // whatever the record held before is replaced
    MOVPROPS_Read(&m, props, fFullPage);
    return m;
}

TEST(MovProps, NoAttributesGiveTheDefaults) {
    const MOVPROPS m = Read({}, {});
    EXPECT_EQ(MOVPROPS_LOOP_ONCE, m.nLoop);
    EXPECT_EQ(0, m.fAutoStart);
    EXPECT_EQ(MOVPROPS_CONTROLLER_BAR, m.nController);
    EXPECT_EQ(1, m.fKeepAspect);
    EXPECT_EQ(MOVPROPS_POSITION_TOPLEFT, m.nPosition);
    EXPECT_EQ(0, m.fHidden);
    EXPECT_EQ(0, m.fPlayEveryFrame);
    EXPECT_EQ(0, m.fUseWindowsPalette);
    EXPECT_EQ(1, m.fStepButtons);
    EXPECT_EQ(1, m.fSpeakerButtons);
    EXPECT_EQ(100, m.nVolume);
    EXPECT_EQ("", m.sHref);
    EXPECT_EQ("", m.sTarget);
    EXPECT_EQ(0, m.fIsMap);
}

// One attribute at a time, each read through one of its synonyms.
TEST(MovProps, EachAttributeAndItsSynonyms) {
    const struct {
        const char* szName;
        const char* szValue;
        int16_t MOVPROPS::*pnField;
        int16_t nResult;
    } cases[] = {
        {"LOOP", "p", &MOVPROPS::nLoop, 2},
        {"LOOP", "2", &MOVPROPS::nLoop, 0},
        {"loop", nullptr, &MOVPROPS::nLoop, 1},
        {"Repeat", "L", &MOVPROPS::nLoop, 1},
        {"AUTOPLAY", "yes", &MOVPROPS::fAutoStart, 1},
        {"CONTROLLER", "badge", &MOVPROPS::nController, 2},
        {"CONTROLS", "no", &MOVPROPS::nController, 0},
        {"CONTROL", "odd", &MOVPROPS::nController, 1},
        {"STRETCHTOFIT", "t", &MOVPROPS::fKeepAspect, 0},
        {"STRETCH", "false", &MOVPROPS::fKeepAspect, 1},
        {"KEEPASPECTRATIO", "no", &MOVPROPS::fKeepAspect, 0},
        {"KEEPASPECTRATIO", "maybe", &MOVPROPS::fKeepAspect, 1},
        {"POS", "c", &MOVPROPS::nPosition, 1},
        {"POSITION", "topleft", &MOVPROPS::nPosition, 0},
        {"HIDDEN", nullptr, &MOVPROPS::fHidden, 1},
        {"PLAYEVERYFRAME", "true", &MOVPROPS::fPlayEveryFrame, 1},
        {"UWP", "y", &MOVPROPS::fUseWindowsPalette, 1},
        {"STEPBTN", "false", &MOVPROPS::fStepButtons, 0},
        {"STEP", "no", &MOVPROPS::fStepButtons, 0},
        {"SPKR", "f", &MOVPROPS::fSpeakerButtons, 0},
        {"SPEAKER", "junk", &MOVPROPS::fSpeakerButtons, 1},
        {"VOLUME", "  75", &MOVPROPS::nVolume, 75},
        {"VOL", "loud", &MOVPROPS::nVolume, 100},
        {"V", "70000", &MOVPROPS::nVolume, 4464},
        {"ISMAP", nullptr, &MOVPROPS::fIsMap, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szName) + "=" + (c.szValue ? c.szValue : "(no value)"));
        EXPECT_EQ(c.nResult, Read({c.szName}, {c.szValue}).*c.pnField);
    }
}

TEST(MovProps, AutoStartDecidesBeforeAutoPlay) {
    EXPECT_EQ(0, Read({"AUTOPLAY", "AUTOSTART"}, {"true", "false"}).fAutoStart);
    EXPECT_EQ(1, Read({"AUTOPLAY", "AUTOSTART"}, {"false", "true"}).fAutoStart);
}

TEST(MovProps, KeepAspectRatioOverridesStretchOnlyWhenPresent) {
    EXPECT_EQ(0, Read({"STRETCH"}, {"true"}).fKeepAspect);
    EXPECT_EQ(1, Read({"STRETCH", "KEEPASPECTRATIO"}, {"true", "true"}).fKeepAspect);
    EXPECT_EQ(1, Read({"STRETCH", "KEEPASPECTRATIO"}, {"true", "maybe"}).fKeepAspect);
    EXPECT_EQ(0, Read({"STRETCH", "KEEPASPECTRATIO"}, {"false", "false"}).fKeepAspect);
}

TEST(MovProps, LinksKeepTheirCase) {
    const MOVPROPS m = Read({"HREFABS", "TARGET"}, {"http://Example.org/Next.HTML", "_Top"});
    EXPECT_EQ("http://Example.org/Next.HTML", m.sHref);
    EXPECT_EQ("_Top", m.sTarget);
    const MOVPROPS both = Read({"HREF", "HREFABS", "HREFTARGET", "TARGET"}, {"a.html", "b.html", "f1", "f2"});
    EXPECT_EQ("a.html", both.sHref);
    EXPECT_EQ("f1", both.sTarget);
}

// A full-page instance stores no attribute, and keeps the aspect ratio at the top left even when told
// otherwise by the attributes that an embedded instance would read.
TEST(MovProps, FullPageReadsNoEmbeddedOnlyLine) {
    const MOVPROPS m = Read({"LOOP", "STRETCH", "POSITION", "VOLUME"}, {"p", "true", "center", "5"}, true);
    EXPECT_EQ(0, m.nLoop);
    EXPECT_EQ(1, m.fKeepAspect);
    EXPECT_EQ(0, m.nPosition);
    EXPECT_EQ(100, m.nVolume);

    CNPProps added;
    added.Add("STRETCH", "true");
    added.Add("POSITION", "center");
    MOVPROPS fromAdded;
    MOVPROPS_Read(&fromAdded, added, true);
    EXPECT_EQ(1, fromAdded.fKeepAspect);
    EXPECT_EQ(0, fromAdded.nPosition);
    MOVPROPS_Read(&fromAdded, added, false);
    EXPECT_EQ(0, fromAdded.fKeepAspect);
    EXPECT_EQ(1, fromAdded.nPosition);
}

}  // namespace
