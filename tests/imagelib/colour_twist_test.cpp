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

void Apply(const float m[16], const float in[4], float out[4]) {
    for (int r = 0; r < 4; ++r) {
        out[r] = 0;
        for (int c = 0; c < 4; ++c) out[r] += m[4 * r + c] * in[c];
    }
}

// Pixel-space effect of a twist built in luma / colour-difference space.
void InPixelSpace(const float twist[16], float out[16]) {
    float t[16];
    ImgMul4x4(kY2C, twist, t);
    ImgMul4x4(t, kC2Y, out);
}

}  // namespace

TEST(ColourTwists, EveryTwistIsTheIdentityAtOne) {
    using Builder = void (*)(float, float*);
    const Builder builders[] = {ImgRedGainTwist, ImgGreenGainTwist, ImgBlueGainTwist, ImgSaturationTwist,
                                ImgScaleTwist};
    for (Builder build : builders) {
        float m[16];
        build(1.0f, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);
    }
}

TEST(ColourTwists, PrimaryGainsScaleTheirPrimaryInPixelSpace) {
    const struct {
        void (*build)(float, float*);
        int channel;  // 0 blue, 1 green, 2 red
    } gains[] = {{ImgBlueGainTwist, 0}, {ImgGreenGainTwist, 1}, {ImgRedGainTwist, 2}};
    for (const auto& g : gains) {
        float twist[16], m[16];
        g.build(1.5f, twist);
        InPixelSpace(twist, m);
        const float in[4] = {0.2f, 0.4f, 0.6f, 1.0f};
        float out[4];
        Apply(m, in, out);
        for (int c = 0; c < 3; ++c) {
            float want = c == g.channel ? in[c] * 1.5f : in[c];
            EXPECT_NEAR(out[c], want, 0.01f) << "channel " << c;
        }
    }
}

TEST(ColourTwists, SaturationZeroGivesGreyAndScaleMultipliesBrightness) {
    float twist[16], m[16], out[4];
    const float in[4] = {0.1f, 0.5f, 0.9f, 1.0f};
    ImgSaturationTwist(0.0f, twist);
    InPixelSpace(twist, m);
    Apply(m, in, out);
    const float luma = 0.114f * 0.1f + 0.587f * 0.5f + 0.299f * 0.9f;
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(out[c], luma, 0.002f);
    ImgScaleTwist(0.5f, twist);
    InPixelSpace(twist, m);
    Apply(m, in, out);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(out[c], in[c] * 0.5f, 0.002f);
    EXPECT_FLOAT_EQ(out[3], 1.0f);
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
    float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ImgMul4x4InPlace(a, identity);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], static_cast<float>(i + 1));
    ImgMul4x4InPlace(a, b);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a[i], out[i]);
}

TEST(GainCurve, HalfGainIsTheIdentityAndTheTableStartsAsIdentity) {
    CImgLut lut;
    IplLUT* record = lut.GetIplLut();
    EXPECT_EQ(record->num, 257);
    EXPECT_EQ(record->key[0], 0);
    EXPECT_EQ(record->key[256], 256);
    EXPECT_EQ(record->interpolateType, 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(record->value[i], i);
    ImgBuildGainCurve(0.5f, lut);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(record->value[i], i);
}

TEST(GainCurve, AGainThatIsNotANumberLeavesValuesUnchanged) {
    // Such a gain has no curve; rounding what it gives is unspecified.
    CImgLut lut;
    ImgBuildGainCurve(std::nanf(""), lut);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(lut.GetIplLut()->value[i], i);
}

TEST(GainCurve, HigherGainSteepensTheMiddleSymmetrically) {
    for (float gain : {0.2f, 0.7f, 0.9f, 0.0f, 1.0f}) {
        CImgLut lut;
        ImgBuildGainCurve(gain, lut);
        const int32_t* v = lut.GetIplLut()->value;
        EXPECT_EQ(v[0], 0);
        EXPECT_EQ(v[255], 255);
        for (int i = 1; i < 256; ++i) EXPECT_GE(v[i], v[i - 1]) << "gain " << gain;
        for (int i = 0; i < 256; ++i) EXPECT_NEAR(v[255 - i], 255 - v[i], 1) << "gain " << gain;
        if (gain > 0.5f) {
            EXPECT_LT(v[64], 64);
            EXPECT_GT(v[192], 192);
        } else {
            EXPECT_GT(v[64], 64);
            EXPECT_LT(v[192], 192);
        }
    }
}
