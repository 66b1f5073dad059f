// Colour matrices, twists and the gain curve.
#include <gtest/gtest.h>

#include <cmath>

#include "imagelib/ColorTwist.h"
#include "imagelib/ImgLut.h"

namespace {

// The picture quad's constant transforms (blue, green, red order).
const float kY2C[16] = {1, 1, 0, 0, 1, -0.194f, -0.509f, 0, 1, 0, 1, 0, 0, 0, 0, 1};
const float kC2Y[16] = {0.114f, 0.587f, 0.299f, 0, 0.886f, -0.587f, -0.299f, 0,
                        -0.114f, -0.587f, 0.701f, 0, 0, 0, 0, 1};

// A twist built in luma / colour-difference space, applied to a pixel.
void ApplyInPixelSpace(const float twist[16], const float in[4], float out[4]) {
    float t[16], m[16];
    ImgMul4x4(kY2C, twist, t);
    ImgMul4x4(t, kC2Y, m);
    for (int r = 0; r < 4; ++r) {
        out[r] = 0;
        for (int c = 0; c < 4; ++c) out[r] += m[4 * r + c] * in[c];
    }
}

}  // namespace

TEST(ColourTwists, EachTwistActsOnItsPixelsAndIsTheIdentityAtOne) {
    const float in[4] = {0.1f, 0.5f, 0.9f, 1.0f};  // blue, green, red
    const float luma = 0.114f * 0.1f + 0.587f * 0.5f + 0.299f * 0.9f;
    const struct {
        const char* name;
        void (*build)(float, float*);
        float value;
        float want[3];
    } cases[] = {
        {"blue gain", ImgBlueGainTwist, 1.5f, {0.15f, 0.5f, 0.9f}},
        {"green gain", ImgGreenGainTwist, 1.5f, {0.1f, 0.75f, 0.9f}},
        {"red gain", ImgRedGainTwist, 1.5f, {0.1f, 0.5f, 1.35f}},
        {"saturation", ImgSaturationTwist, 0.0f, {luma, luma, luma}},
        {"scale", ImgScaleTwist, 0.5f, {0.05f, 0.25f, 0.45f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        float m[16], out[4];
        c.build(1.0f, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);
        c.build(c.value, m);
        ApplyInPixelSpace(m, in, out);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(out[k], c.want[k], 0.01f) << "channel " << k;
        EXPECT_FLOAT_EQ(out[3], 1.0f);
    }
}

TEST(ColourTwists, MatrixProductsMultiplyRowsByColumns) {
    float a[16], b[16], out[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = static_cast<float>(i + 1);
        b[i] = static_cast<float>(16 - i);
    }
    ImgMul4x4(a, b, out);
    EXPECT_FLOAT_EQ(out[0], 1 * 16 + 2 * 12 + 3 * 8 + 4 * 4);
    EXPECT_FLOAT_EQ(out[7], 5 * 13 + 6 * 9 + 7 * 5 + 8 * 1);
    ImgMul4x4InPlace(a, b);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], out[i]);
}

TEST(GainCurve, TheTableStartsAsIdentityAndGainsSteepenOrFlattenTheMiddle) {
    CImgLut lut;
    IplLUT* record = lut.GetIplLut();
    EXPECT_EQ(record->num, 257);
    EXPECT_EQ(record->key[0], 0);
    EXPECT_EQ(record->key[256], 256);
    EXPECT_EQ(record->interpolateType, 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(record->value[i], i);
    // A gain of one half, and one that is no number, give every value back.
    for (float gain : {0.2f, std::nanf(""), 0.7f, 0.5f, 0.9f, 0.0f, 1.0f}) {
        SCOPED_TRACE(gain);
        ImgBuildGainCurve(gain, lut);
        const int32_t* v = record->value;
        if (gain == 0.5f || std::isnan(gain)) {
            for (int i = 0; i < 256; ++i) ASSERT_EQ(v[i], i);
            continue;
        }
        EXPECT_EQ(v[0], 0);
        EXPECT_EQ(v[255], 255);
        for (int i = 1; i < 256; ++i) EXPECT_GE(v[i], v[i - 1]);
        for (int i = 0; i < 256; ++i) EXPECT_NEAR(v[255 - i], 255 - v[i], 1);
        EXPECT_EQ(v[64] < 64, gain > 0.5f);
        EXPECT_EQ(v[192] > 192, gain > 0.5f);
    }
}
