// The attribute set of an EMBED tag: names in any case, valueless attributes, duplicates, the typed look-ups
// and their value sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/npprops.h"
#include "testing/testsupport/diagcapture.h"

namespace {

// An attribute set built as the browser passes one: parallel name and value arrays, null for no value.
CNPProps Embed(std::vector<const char*> names, std::vector<const char*> values, bool fEmbedded = true) {
    return CNPProps(fEmbedded, static_cast<int>(names.size()), names.data(), values.data());
}

TEST(NPProps, NamesAreUpperCasedAndValuesKeptAsPassed) {
    const CNPProps props = Embed({"src", "Href", "loop"}, {"Clip.MOV", "http://Example.org/Page.html", nullptr});
    const CNPProps::CMap expected = {
        {"HREF", "http://Example.org/Page.html"}, {"LOOP", "TRUE"}, {"SRC", "Clip.MOV"}};
    EXPECT_EQ(expected, props.GetAll());
    for (const char* szName : {"loop", "Loop", "LOOP"}) {
        SCOPED_TRACE(szName);
        EXPECT_TRUE(props.HasProp(szName));
        EXPECT_EQ("TRUE", props.GetStringValue(szName));
    }
    EXPECT_EQ("http://Example.org/Page.html", props.GetStringValue("hrefabs,HREF"));
}

TEST(NPProps, ALaterDuplicateWins) {
    const CNPProps props = Embed({"LOOP", "loop"}, {"true", "palindrome"});
    EXPECT_EQ(1u, props.GetAll().size());
    EXPECT_EQ("palindrome", props.GetStringValue("LOOP"));
}

TEST(NPProps, FullPageOrMissingArraysStoreNothing) {
    const char* names[] = {"LOOP"};
    const char* values[] = {"TRUE"};
    {
        CDiagCapture capture;
        EXPECT_TRUE(CNPProps(false, 1, names, values).GetAll().empty());
        EXPECT_EQ("", capture.Text());
    }
    for (bool fNames : {false, true}) {
        CDiagCapture capture;
        const CNPProps props(true, 1, fNames ? names : nullptr, fNames ? nullptr : values);
        EXPECT_TRUE(props.GetAll().empty());
        EXPECT_NE(std::string::npos, capture.Text().find("MFX_VERIFY failed: in NPPROPS")) << capture.Text();
        EXPECT_NE(std::string::npos, capture.Text().find("argn && argv\n"));
    }
}

TEST(NPProps, AddStoresAValuelessPseudoAttributeAsTrue) {
    CNPProps props(false, 0, nullptr, nullptr);
    props.Add("Maximized", nullptr);
    EXPECT_TRUE(props.HasProp("MAXIMIZED"));
    EXPECT_EQ(1, props.GetBoolValue("MAXIMIZED", 0));
    EXPECT_EQ(7, props.GetIntValue("LOOP", 7));
}

TEST(NPProps, ANameSetTakesTheFirstPresentNameAndStopsAtAnEmptyOne) {
    const CNPProps props = Embed({"AUTOPLAY", "AUTOSTART", "VOL"}, {"true", "false", "5"});
    const struct {
        const char* szNameSet;
        const char* szValue;
    } cases[] = {
        {"AUTOSTART,AUTOPLAY", "false"}, {"AUTOPLAY,AUTOSTART", "true"}, {"NOPE,AUTOPLAY", "true"},
        {"NOPE,,AUTOPLAY", ""},          {",AUTOPLAY", ""},              {"", ""},
        {"VOLUME,VOL,V", "5"},           {"AUTOPLAY,", "true"},          {"NOPE,", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szNameSet);
        EXPECT_EQ(c.szValue, props.GetStringValue(c.szNameSet));
        EXPECT_EQ(c.szValue[0] != '\0', props.HasProp(c.szNameSet));
    }
}

TEST(NPProps, ANullNameSetFindsNothingAndIsReported) {
    const CNPProps props = Embed({"LOOP"}, {"true"});
    CDiagCapture capture;
    EXPECT_FALSE(props.HasProp(nullptr));
    EXPECT_EQ("", props.GetStringValue(nullptr));
    EXPECT_EQ(3, props.GetIntValue(nullptr, 3));
    EXPECT_EQ(4, props.GetEnumValue(nullptr, "A|B", 4));
    EXPECT_EQ(4u, capture.Lines().size());
    for (const std::string& line : capture.Lines())
        EXPECT_NE(std::string::npos, line.find("szNameSet\n")) << line;
}

TEST(NPProps, IntValuesUseTheDecimalParserAndKeepTheLow16Bits) {
    const struct {
        const char* szValue;
        int16_t nResult;
    } cases[] = {
        {"  75", 75},   {"loud", 100}, {"70000", 4464},  {"50%", 50},     {"-20", -20},        {"", 100},
        {"32768", -32768}, {"65536", 0}, {"2147483647", -1}, {"2147483648", 100}, {" - 5", 100}, {"0x10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szValue);
        EXPECT_EQ(c.nResult, Embed({"VOLUME"}, {c.szValue}).GetIntValue("VOLUME,VOL,V", 100));
    }
    EXPECT_EQ(100, Embed({"SRC"}, {"1"}).GetIntValue("VOLUME,VOL,V", 100));
}

TEST(NPProps, EnumValuesNumberTheGroupsOfTheValueSet) {
    const char* szLoop = "FALSE,F,NONE,NO|TRUE,T,YES,Y,L|PALINDROME,P";
    const struct {
        const char* szValueSet;
        const char* szValue;
        int16_t nResult;
    } cases[] = {
        {szLoop, "p", 2},      {szLoop, "Palindrome", 2}, {szLoop, "no", 0},   {szLoop, "l", 1},
        {szLoop, "2", -1},     {szLoop, "", -1},          {szLoop, "FALSE,F", -1},
        {"A,,B|C", "C", -1},   {"A||C", "C", -1},          {"A|B|", "B", 1},    {"A,B|C,D", "d", 1},
        {"", "", -1},          {"TOPLEFT,TL|CENTER,C", "center", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.szValueSet) + " : " + c.szValue);
        EXPECT_EQ(c.nResult, Embed({"X"}, {c.szValue}).GetEnumValue("X", c.szValueSet, -1));
    }
    EXPECT_EQ(-1, Embed({"Y"}, {"P"}).GetEnumValue("X", szLoop, -1));
}

TEST(NPProps, BoolValuesKnowTheTrueAndFalseWords) {
    const struct {
        const char* szValue;
        int16_t nResult;
    } cases[] = {{"true", 1}, {"T", 1}, {"yes", 1}, {"y", 1}, {"False", 0}, {"f", 0}, {"none", 0}, {"NO", 0},
                 {"L", 9},    {"1", 9}, {"maybe", 9}, {nullptr, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szValue ? c.szValue : "(no value)");
        EXPECT_EQ(c.nResult, Embed({"HIDDEN"}, {c.szValue}).GetBoolValue("HIDDEN", 9));
    }
}

}  // namespace
