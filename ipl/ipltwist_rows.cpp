// Row kernels of the colour twist. Each output is the exact row sum floored
// by an arithmetic shift: 32-bit sums where the coefficients keep them in
// range, 64-bit sums otherwise.
#include "ipl/own_twist.h"
#include "ipl/owncpu.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <emmintrin.h>

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

// Four-byte 8u pixels, four at a time. The row sums are exact in double
// precision (products below 2^40, sums below 2^42, all multiples of
// 2^-shift once the weights are scaled by that power of two), and
// sat(floor(S)) equals the truncation of S clamped to 0..255, so the
// outputs are those of the integer kernels. The fourth byte is kept.
int32_t rowPixel8Quads(const uint8_t* src, uint8_t* dst, int32_t n, const OwnTwistCoeffs& k)
{
    __m128d w[3][4];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            w[r][c] = _mm_set1_pd(std::ldexp(static_cast<double>(k.c[4 * r + c]), -k.shift));
    const __m128d lo = _mm_setzero_pd(), hi = _mm_set1_pd(255.0);
    const __m128i byte = _mm_set1_epi32(0xFF), keep = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    const __m128i offset = _mm_set1_epi16(static_cast<short>(k.offset)), top = _mm_set1_epi16(255);
    const __m128i zero = _mm_setzero_si128();
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * i));
        __m128d x[3][2];
        for (int c = 0; c < 3; ++c) {
            const __m128i v = _mm_and_si128(_mm_srli_epi32(px, 8 * c), byte);
            x[c][0] = _mm_cvtepi32_pd(v);
            x[c][1] = _mm_cvtepi32_pd(_mm_srli_si128(v, 8));
        }
        __m128i out = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i)), keep);
        for (int r = 0; r < 3; ++r) {
            __m128i g[2];
            for (int h = 0; h < 2; ++h) {
                __m128d s = _mm_add_pd(_mm_mul_pd(w[r][0], x[0][h]), _mm_mul_pd(w[r][1], x[1][h]));
                s = _mm_add_pd(_mm_add_pd(s, _mm_mul_pd(w[r][2], x[2][h])), w[r][3]);
                g[h] = _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(s, lo), hi));
            }
            // sat(g + offset) on 16-bit lanes, back to one byte per 32-bit lane.
            __m128i v = _mm_packs_epi32(_mm_unpacklo_epi64(g[0], g[1]), zero);
            v = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(v, offset), zero), top);
            out = _mm_or_si128(out, _mm_slli_epi32(_mm_unpacklo_epi16(v, zero), 8 * r));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i), out);
    }
    return i;
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
    int32_t done = 0;
    if (ownTwistTakesQuads(srcStep, dstStep, k))
        done = ownVectorLevel() >= OwnVectorLevel::kAvx ? ownTwistRowQuadsAvx(src, dst, n, k)
                                                        : rowPixel8Quads(src, dst, n, k);
    ownTwistRowPixelScalar(src + int64_t(done) * srcStep, dst + int64_t(done) * dstStep, n - done, srcStep, dstStep, k);
}

void ownTwistRowPixelScalar(const uint8_t* src, uint8_t* dst, int32_t n, int32_t srcStep, int32_t dstStep,
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
