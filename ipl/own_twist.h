// Arithmetic of the colour twist (internal).
#ifndef IPL_OWN_TWIST_H
#define IPL_OWN_TWIST_H

#include <cstdint>

#include "ipl/ipl.h"

// A twist made ready for one call: the coefficients, the exponent, the
// offset and the depth's maximum.
struct OwnTwistCoeffs {
    int64_t c[12];  // rows 0..2: three weights and the constant
    int32_t shift;
    int32_t offset;
    int32_t maxValue;
    // All sums fit 32 bits.
    bool fits32;
    // 8u: each row's products per channel value, so that a sum is three
    // look-ups; and the final mapping of a floored sum in -1..256.
    bool tables;
    int64_t product[3][3][256];
    uint8_t finish8[258];
};

void ownTwistPrepare(const IplColorTwist* twist, int32_t offset, bool depth16, OwnTwistCoeffs* out);

// out_r = sat(sat(floor(S_r)) + offset), S_r the exact row sum / 2^shift.
template <class T>
void ownTwistPixel(const T* x, T* out, const OwnTwistCoeffs& k);

// A run of n pixel-order pixels, srcStep and dstStep values apart.
// Whether rows of 8u pixels so many bytes apart go four pixels a step.
inline bool ownTwistTakesQuads(int32_t srcStep, int32_t dstStep, const OwnTwistCoeffs& k)
{
    return srcStep == 4 && dstStep == 4 && k.maxValue == 255;
}

void ownTwistRowPixel(const uint8_t* src, uint8_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                      const OwnTwistCoeffs& k);
// Four-byte 8u pixels four at a time with AVX; returns the pixels done.
int32_t ownTwistRowQuadsAvx(const uint8_t* src, uint8_t* dst, int32_t n, const OwnTwistCoeffs& k);

// The same one pixel at a time: the reference for the four-pixel steps.
void ownTwistRowPixelScalar(const uint8_t* src, uint8_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                            const OwnTwistCoeffs& k);
void ownTwistRowPixel(const uint16_t* src, uint16_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                      const OwnTwistCoeffs& k);

#endif
