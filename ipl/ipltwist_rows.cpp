// Row kernels of the colour twist. Each output is the exact row sum floored
// by an arithmetic shift: 32-bit sums where the coefficients keep them in
// range, 64-bit sums otherwise.
#include "ipl/own_twist.h"

#include <algorithm>
#include <cstdlib>

namespace {

inline int32_t finish(int64_t floorS, const OwnTwistCoeffs& k)
{
    int64_t v = floorS < 0 ? 0 : floorS > k.maxValue ? k.maxValue : floorS;
    v += k.offset;
    return static_cast<int32_t>(v < 0 ? 0 : v > k.maxValue ? k.maxValue : v);
}

// floor(s / 2^shift) for any sign.
inline int64_t floorShift(int64_t s, int32_t shift)
{
    return s >= 0 ? s >> shift : -((-s + ((int64_t(1) << shift) - 1)) >> shift);
}

inline int32_t floorShift32(int32_t s, int32_t shift)
{
    return s >= 0 ? s >> shift : -static_cast<int32_t>((static_cast<uint32_t>(-s) + ((1u << shift) - 1)) >> shift);
}

template <class T>
inline void twist3(uint32_t x0, uint32_t x1, uint32_t x2, T* o0, T* o1, T* o2, const OwnTwistCoeffs& k)
{
    if (k.fits32) {
        int32_t s[3];
        for (int r = 0; r < 3; ++r)
            s[r] = static_cast<int32_t>(k.c[4 * r]) * int32_t(x0) + static_cast<int32_t>(k.c[4 * r + 1]) * int32_t(x1) +
                   static_cast<int32_t>(k.c[4 * r + 2]) * int32_t(x2) + static_cast<int32_t>(k.c[4 * r + 3]);
        *o0 = static_cast<T>(finish(floorShift32(s[0], k.shift), k));
        *o1 = static_cast<T>(finish(floorShift32(s[1], k.shift), k));
        *o2 = static_cast<T>(finish(floorShift32(s[2], k.shift), k));
        return;
    }
    const int64_t s0 = k.c[0] * x0 + k.c[1] * x1 + k.c[2] * x2 + k.c[3];
    const int64_t s1 = k.c[4] * x0 + k.c[5] * x1 + k.c[6] * x2 + k.c[7];
    const int64_t s2 = k.c[8] * x0 + k.c[9] * x1 + k.c[10] * x2 + k.c[11];
    *o0 = static_cast<T>(finish(floorShift(s0, k.shift), k));
    *o1 = static_cast<T>(finish(floorShift(s1, k.shift), k));
    *o2 = static_cast<T>(finish(floorShift(s2, k.shift), k));
}

// The exact floored sum of one row, limited to -1..256 (beyond which the
// saturation gives the same output), through the product tables.
inline int32_t floorLimited8(const OwnTwistCoeffs& k, int r, uint32_t x0, uint32_t x1, uint32_t x2)
{
    const int64_t s = k.product[r][0][x0] + k.product[r][1][x1] + k.product[r][2][x2] + k.c[4 * r + 3];
    // The compiler's right shift of a negative value is arithmetic, which
    // is the floor of the quotient.
    const int64_t f = s >> k.shift;
    return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(f, -1), 256));
}

void rowPixel8Tables(const uint8_t* src, uint8_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                     const OwnTwistCoeffs& k)
{
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* s = src + int64_t(i) * srcStep;
        uint8_t* d = dst + int64_t(i) * dstStep;
        const uint32_t x0 = s[0], x1 = s[1], x2 = s[2];
        d[0] = k.finish8[floorLimited8(k, 0, x0, x1, x2) + 1];
        d[1] = k.finish8[floorLimited8(k, 1, x0, x1, x2) + 1];
        d[2] = k.finish8[floorLimited8(k, 2, x0, x1, x2) + 1];
    }
}

template <class T>
void rowPixel(const T* src, T* dst, int32_t n, int32_t srcStep, int32_t dstStep, const OwnTwistCoeffs& k)
{
    for (int32_t i = 0; i < n; ++i) {
        const T* s = src + int64_t(i) * srcStep;
        T* d = dst + int64_t(i) * dstStep;
        const uint32_t x0 = s[0], x1 = s[1], x2 = s[2];  // read all before writing: in place is allowed
        twist3<T>(x0, x1, x2, d, d + 1, d + 2, k);
    }
}

} // namespace

void ownTwistPrepare(const IplColorTwist* twist, int32_t offset, bool depth16, OwnTwistCoeffs* out)
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            out->c[4 * r + c] = twist->data[4 * r + c];
    out->shift = twist->scalingValue;
    out->maxValue = depth16 ? 65535 : 255;
    // Offsets at or beyond the range saturate every output the same way.
    out->offset = offset >= out->maxValue ? out->maxValue : offset <= -out->maxValue ? -out->maxValue : offset;
    const int64_t maxX = out->maxValue;
    bool fits = true;
    for (int r = 0; r < 3; ++r) {
        // Every partial sum, with or without the constant, must fit.
        int64_t neg = 0, pos = 0;
        for (int c = 0; c < 3; ++c) {
            const int64_t v = out->c[4 * r + c] * maxX;
            (v < 0 ? neg : pos) += v;
        }
        const int64_t k3 = out->c[4 * r + 3];
        const int64_t lo = neg + (k3 < 0 ? k3 : 0), hi = pos + (k3 > 0 ? k3 : 0);
        fits = fits && lo >= INT32_MIN + 1 && hi <= INT32_MAX;
        for (int c = 0; c < 4; ++c)
            fits = fits && out->c[4 * r + c] >= INT32_MIN + 1 && out->c[4 * r + c] <= INT32_MAX;
    }
    out->fits32 = fits;
    out->tables = !depth16;
    if (out->tables) {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                for (int x = 0; x < 256; ++x)
                    out->product[r][c][x] = out->c[4 * r + c] * x;
        for (int f = -1; f <= 256; ++f)
            out->finish8[f + 1] = static_cast<uint8_t>(finish(f, *out));
    }
}

template <class T>
void ownTwistPixel(const T* x, T* out, const OwnTwistCoeffs& k)
{
    twist3<T>(x[0], x[1], x[2], &out[0], &out[1], &out[2], k);
}
template void ownTwistPixel<uint8_t>(const uint8_t*, uint8_t*, const OwnTwistCoeffs&);
template void ownTwistPixel<uint16_t>(const uint16_t*, uint16_t*, const OwnTwistCoeffs&);

void ownTwistRowPixel(const uint8_t* src, uint8_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                      const OwnTwistCoeffs& k)
{
    if (k.tables && !k.fits32)
        rowPixel8Tables(src, dst, n, srcStep, dstStep, k);
    else
        rowPixel(src, dst, n, srcStep, dstStep, k);
}

void ownTwistRowPixel(const uint16_t* src, uint16_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
                      const OwnTwistCoeffs& k)
{
    rowPixel(src, dst, n, srcStep, dstStep, k);
}
