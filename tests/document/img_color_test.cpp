#include <gtest/gtest.h>

#include "document/nodes/ImgColor.h"

// Colour settings combine when a group or frame is recoloured: factors
// multiply, contrast combines around its neutral 0.5, defaults change nothing.
TEST(ImgColorTest, CombiningMultipliesFactorsAndContrastAroundItsNeutralHalf)
{
    const struct {
        float own, other, contrast, alpha;  // own and other for contrast and alpha alike
    } cases[] = {{0.5f, 0.75f, 0.75f, 0.375f}, {0.75f, 0.75f, 1.125f, 0.5625f}, {0.75f, 0.5f, 0.75f, 0.375f},
                 {0.3f, 1.0f, 0.6f, 0.3f}};
    for (const auto& c : cases) {
        CImgColor colour, other;
        colour.contrast = colour.alpha = c.own;
        other.contrast = other.alpha = c.other;
        colour.Multiply(other);
        EXPECT_FLOAT_EQ(c.contrast, colour.contrast) << c.own << " x " << c.other;
        EXPECT_FLOAT_EQ(c.alpha, colour.alpha) << c.own << " x " << c.other;
    }
    CImgColor colour;
    colour.red = 0.3f;
    colour.Multiply(CImgColor());
    EXPECT_EQ(0.3f, colour.red) << "the defaults leave a picture unchanged";
    colour.Reset();
    EXPECT_EQ(1.0f, colour.red);
    EXPECT_EQ(0.5f, colour.contrast);
}
