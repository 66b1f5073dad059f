// A look-up table for iplContrastStretch: 257 keys 0..256 and 256 values, so
// that value i is the image of input i. Starts as the identity.
#ifndef SPAB_IMAGELIB_IMGLUT_H
#define SPAB_IMAGELIB_IMGLUT_H

#include <cstdint>

#include "ipl/ipl.h"

class CImgLut {
public:
    CImgLut();
    CImgLut(const CImgLut&) = delete;
    CImgLut& operator=(const CImgLut&) = delete;

    // The record to fill and to hand to iplContrastStretch; it points into
    // this object.
    IplLUT* GetIplLut() { return &lut_; }

private:
    IplLUT lut_;
    int32_t keys_[257];
    int32_t values_[256];
    int32_t factors_[256];
};

// Fills the 256 values with round(255 x g(i / 255, gain)), the bias/gain
// contrast curve: 0.5 leaves values unchanged, larger gains steepen the middle
// tones, smaller ones flatten them. Gains are clamped into (0, 1).
void ImgBuildGainCurve(float gain, CImgLut& lut);
void ImgBuildGainCurve(float gain, IplLUT* lut);

// The gain curve itself, for x in [0, 1].
double ImgGainCurve(double x, double gain);

#endif
