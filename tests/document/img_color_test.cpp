#include <gtest/gtest.h>

#include "document/nodes/ImgColor.h"
#include "document/SposalboException.h"

TEST(ImgColorTest, StartsAndResetsAtTheValuesThatLeaveAPictureUnchanged)
{
    CImgColor colour;
    colour.red = 0.2f;
    colour.contrast = 0.9f;
    colour.Reset();
    EXPECT_EQ(1.0f, colour.red);
    EXPECT_EQ(1.0f, colour.green);
    EXPECT_EQ(1.0f, colour.blue);
    EXPECT_EQ(1.0f, colour.brightness);
    EXPECT_EQ(0.5f, colour.contrast);
    EXPECT_EQ(1.0f, colour.saturation);
    EXPECT_EQ(1.0f, colour.alpha);
}

TEST(ImgColorTest, MultiplyingByDefaultsChangesNothing)
{
    CImgColor colour;
    colour.red = 0.3f;
    colour.contrast = 0.8f;
    colour.alpha = 0.4f;
    colour.Multiply(CImgColor());
    EXPECT_EQ(0.3f, colour.red);
    EXPECT_EQ(0.8f, colour.contrast);
    EXPECT_EQ(0.4f, colour.alpha);
}

TEST(ImgColorTest, ContrastCombinesAroundItsNeutralHalf)
{
    struct Case {
        float own, other, expected;
    };
    const Case cases[] = {{0.5f, 0.75f, 0.75f}, {0.75f, 0.75f, 1.125f}, {0.75f, 0.5f, 0.75f}};
    for (const Case& c : cases) {
        CImgColor colour, other;
        colour.contrast = c.own;
        other.contrast = c.other;
        colour.Multiply(other);
        EXPECT_FLOAT_EQ(c.expected, colour.contrast) << c.own << " x " << c.other;
    }
}

TEST(ImgColorTest, FactorsMultiply)
{
    CImgColor colour, other;
    colour.alpha = 0.5f;
    other.alpha = 0.5f;
    colour.brightness = 0.8f;
    other.brightness = 0.5f;
    colour.Multiply(other);
    EXPECT_FLOAT_EQ(0.25f, colour.alpha);
    EXPECT_FLOAT_EQ(0.4f, colour.brightness);
}

TEST(SposalboExceptionTest, CarriesCodeAndMessageThroughCopies)
{
    try {
        throw CSposalboException(2, "Impossibile aprire il sposalbo.");
    } catch (const CSposalboException& e) {
        CSposalboException copy(e);
        EXPECT_EQ(2, copy.code);
        EXPECT_EQ("Impossibile aprire il sposalbo.", copy.message);
    }
}
