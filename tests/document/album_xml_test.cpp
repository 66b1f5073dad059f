#include <gtest/gtest.h>

#include <clocale>

#include <tinyxml.h>

#include "document/albumfile/AlbumXml.h"

using treeNode::FormatAlbumDouble;
using treeNode::NumberKind;
using treeNode::ParseAlbumDouble;

TEST(AlbumXmlTest, DoublesHaveSixDecimalsAndAPoint)
{
    EXPECT_EQ("0.500000", FormatAlbumDouble(0.5));
    EXPECT_EQ("-1.250000", FormatAlbumDouble(-1.25));
    EXPECT_EQ("0.000000", FormatAlbumDouble(0.0));
    EXPECT_EQ("3.141593", FormatAlbumDouble(3.14159265));
}

TEST(AlbumXmlTest, RegionalSettingsWithADecimalCommaDoNotChangeTheFile)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "Italian_Italy.1252") && !std::setlocale(LC_NUMERIC, "it_IT"))
        GTEST_SKIP() << "no Italian locale";
    EXPECT_EQ("0.500000", FormatAlbumDouble(0.5));
    double value = 0.0;
    EXPECT_EQ(NumberKind::kFinite, ParseAlbumDouble("0.25", value));
    EXPECT_EQ(0.25, value);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(AlbumXmlTest, ParsingTellsNumbersJunkAndInfinitiesApart)
{
    struct Case {
        const char* text;
        NumberKind kind;
        double value;
    };
    const Case cases[] = {
        {"1.5", NumberKind::kFinite, 1.5},     {" -2 ", NumberKind::kFinite, -2.0},
        {"abc", NumberKind::kNotNumber, 7.0},  {"1.5x", NumberKind::kNotNumber, 7.0},
        {"", NumberKind::kNotNumber, 7.0},     {"inf", NumberKind::kNotFinite, 7.0},
        {"-INF", NumberKind::kNotFinite, 7.0}, {"nan", NumberKind::kNotFinite, 7.0},
        {"1e999", NumberKind::kNotFinite, 7.0},
    };
    for (const Case& c : cases) {
        double value = 7.0;
        EXPECT_EQ(c.kind, ParseAlbumDouble(c.text, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
}

TEST(AlbumXmlTest, ReadersKeepTheDefaultForMissingOrBadValues)
{
    TiXmlElement element("x");
    element.SetAttribute("n", "12");
    element.SetAttribute("bad", "zz");
    element.SetAttribute("d", "0.75");
    element.SetAttribute("big", "1e300");
    int n = -1, bad = -1, missing = -1;
    treeNode::ReadIntAttribute(element, "n", n);
    treeNode::ReadIntAttribute(element, "bad", bad);
    treeNode::ReadIntAttribute(element, "missing", missing);
    EXPECT_EQ(12, n);
    EXPECT_EQ(-1, bad);
    EXPECT_EQ(-1, missing);
    float d = 0.0f, big = 3.0f;
    treeNode::ReadDoubleAttribute(element, "d", d);
    treeNode::ReadDoubleAttribute(element, "big", big);
    EXPECT_EQ(0.75f, d);
    EXPECT_EQ(3.0f, big) << "a value beyond float stays the default";
}
