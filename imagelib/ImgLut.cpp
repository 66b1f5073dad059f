#include "imagelib/ImgLut.h"

#include <algorithm>
#include <cmath>

namespace {

double Bias(double x, double bias) {
    if (x <= 0.0) return 0.0;
    return std::pow(x, std::log(bias) / std::log(0.5));
}

}  // namespace

CImgLut::CImgLut() {
    for (int32_t i = 0; i < 257; ++i) keys_[i] = i;
    for (int32_t i = 0; i < 256; ++i) {
        values_[i] = i;
        factors_[i] = 0;
    }
    lut_.num = 257;
    lut_.key = keys_;
    lut_.value = values_;
    lut_.factor = factors_;
    lut_.interpolateType = 0;  // plain look-up, no interpolation
}

double ImgGainCurve(double x, double gain) {
    gain = std::clamp(gain, 0.001, 0.999);
    x = std::clamp(x, 0.0, 1.0);
    if (x < 0.5) return Bias(2.0 * x, 1.0 - gain) / 2.0;
    return 1.0 - Bias(2.0 - 2.0 * x, 1.0 - gain) / 2.0;
}

void ImgBuildGainCurve(float gain, IplLUT* lut) {
    if (!lut || !lut->value) return;
    // A gain that is no number has no curve: the table maps every value to itself.
    if (std::isnan(gain)) gain = 0.5f;
    for (int32_t i = 0; i < 256; ++i) {
        double y = 255.0 * ImgGainCurve(i / 255.0, gain);
        lut->value[i] = static_cast<int32_t>(std::lround(y));
    }
}

void ImgBuildGainCurve(float gain, CImgLut& lut) { ImgBuildGainCurve(gain, lut.GetIplLut()); }
