#include "imagelib/ColorTwist.h"

#include <cstring>

namespace {

// Column i of the blue, green, red to luma / colour-difference matrix and row
// i of its inverse (the constants of the picture quad): scaling primary i by v
// in pixel space is I + (v - 1) x column x row in the other space, which is
// exactly the identity for v = 1.
constexpr float kToYccColumn[3][3] = {
    {0.114f, 0.886f, -0.114f},   // blue
    {0.587f, -0.587f, -0.587f},  // green
    {0.299f, -0.299f, 0.701f},   // red
};
constexpr float kFromYccRow[3][3] = {
    {1.0f, 1.0f, 0.0f},        // blue = Y + (B-Y)
    {1.0f, -0.194f, -0.509f},  // green
    {1.0f, 0.0f, 1.0f},        // red = Y + (R-Y)
};

void Identity(float m[16]) {
    std::memset(m, 0, 16 * sizeof(float));
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void PrimaryGain(int primary, float value, float m[16]) {
    Identity(m);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            m[4 * r + c] += (value - 1.0f) * kToYccColumn[primary][r] * kFromYccRow[primary][c];
        }
    }
}

}  // namespace

void ImgMul4x4(const float a[16], const float b[16], float out[16]) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[4 * r + k] * b[4 * k + c];
            out[4 * r + c] = sum;
        }
    }
}

void ImgMul4x4InPlace(float a[16], const float b[16]) {
    float product[16];
    ImgMul4x4(a, b, product);
    std::memcpy(a, product, sizeof product);
}

void ImgBlueGainTwist(float value, float m[16]) { PrimaryGain(0, value, m); }
void ImgGreenGainTwist(float value, float m[16]) { PrimaryGain(1, value, m); }
void ImgRedGainTwist(float value, float m[16]) { PrimaryGain(2, value, m); }

void ImgSaturationTwist(float value, float m[16]) {
    Identity(m);
    m[5] = m[10] = value;
}

void ImgScaleTwist(float value, float m[16]) {
    Identity(m);
    m[0] = m[5] = m[10] = value;
}
