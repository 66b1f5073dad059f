#include "document/nodes/ImgColor.h"

namespace {
constexpr float kNeutralFactor = 1.0f;
// Contrast 0.5 is the unchanged picture, so it acts as the neutral factor.
constexpr float kNeutralContrast = 0.5f;

void MultiplyFactor(float& value, float other)
{
    if (other != kNeutralFactor)
        value *= other;
}
} // namespace

CImgColor::CImgColor()
{
    Reset();
}

void CImgColor::Reset()
{
    red = green = blue = brightness = saturation = alpha = kNeutralFactor;
    contrast = kNeutralContrast;
}

void CImgColor::Multiply(const CImgColor& other)
{
    MultiplyFactor(red, other.red);
    MultiplyFactor(green, other.green);
    MultiplyFactor(blue, other.blue);
    MultiplyFactor(brightness, other.brightness);
    MultiplyFactor(saturation, other.saturation);
    MultiplyFactor(alpha, other.alpha);
    if (other.contrast != kNeutralContrast)
        contrast = 2.0f * contrast * other.contrast;
}
