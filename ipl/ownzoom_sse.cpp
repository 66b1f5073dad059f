// Four-wide and eight-wide steps of the zoom's row passes. They give the
// values of the one-at-a-time formulas bit for bit: the same single-precision
// operations in the same order, or the same integer arithmetic.
#include "ipl/own_zoom_sse.h"
#include "ipl/owncpu.h"

#include <emmintrin.h>

namespace {

const float kThirdBelow = 0x1.555554p-2f;

struct CubicRow {
    float s, c2, c3;
    explicit CubicRow(float t)
    {
        s = t + 1.0f;
        c2 = (t * 0.5f) * s;
        c3 = ((t - 1.0f) * kThirdBelow) * c2;
    }
};

inline __m128 cubicV(__m128 a, __m128 b, __m128 c, __m128 d, const CubicRow& k)
{
    const __m128 d1 = _mm_sub_ps(b, a);
    const __m128 d2 = _mm_sub_ps(_mm_sub_ps(c, b), d1);
    const __m128 d3 = _mm_add_ps(_mm_sub_ps(d, d2), _mm_sub_ps(_mm_sub_ps(b, c), c));
    const __m128 lhs = _mm_add_ps(a, _mm_mul_ps(d1, _mm_set1_ps(k.s)));
    const __m128 rhs = _mm_add_ps(_mm_mul_ps(d2, _mm_set1_ps(k.c2)), _mm_mul_ps(d3, _mm_set1_ps(k.c3)));
    return _mm_add_ps(lhs, rhs);
}

// Nearest integer (ties to even: the caller holds rounding to nearest) of
// v + 0.00001, limited to 0..hi.
inline __m128i roundClamp(__m128 v, float hi)
{
    __m128 f = _mm_add_ps(v, _mm_set1_ps(0.00001f));
    f = _mm_min_ps(_mm_max_ps(f, _mm_setzero_ps()), _mm_set1_ps(hi));
    return _mm_cvtps_epi32(f);
}

} // namespace

int32_t ownZoomCubicVertical8u(const float* const* r, uint8_t* dst, int32_t n, float t)
{
    const CubicRow k(t);
    const int32_t wide = (n / 4) * 4;
    int32_t e = 0;
    for (; e + 8 <= wide; e += 8) {
        const __m128i lo = roundClamp(cubicV(_mm_loadu_ps(r[0] + e), _mm_loadu_ps(r[1] + e), _mm_loadu_ps(r[2] + e),
                                             _mm_loadu_ps(r[3] + e), k), 255.0f);
        const __m128i hi = roundClamp(cubicV(_mm_loadu_ps(r[0] + e + 4), _mm_loadu_ps(r[1] + e + 4),
                                             _mm_loadu_ps(r[2] + e + 4), _mm_loadu_ps(r[3] + e + 4), k), 255.0f);
        const __m128i w16 = _mm_packs_epi32(lo, hi);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + e), _mm_packus_epi16(w16, w16));
    }
    for (; e < wide; e += 4) {
        const __m128i v = roundClamp(cubicV(_mm_loadu_ps(r[0] + e), _mm_loadu_ps(r[1] + e), _mm_loadu_ps(r[2] + e),
                                            _mm_loadu_ps(r[3] + e), k), 255.0f);
        const __m128i w16 = _mm_packs_epi32(v, v);
        const int32_t four = _mm_cvtsi128_si32(_mm_packus_epi16(w16, w16));
        __builtin_memcpy(dst + e, &four, 4);
    }
    return wide;
}

int32_t ownZoomCubicVertical16u(const float* const* r, uint16_t* dst, int32_t n, float t)
{
    const CubicRow k(t);
    const int32_t wide = (n / 4) * 4;
    const __m128i bias32 = _mm_set1_epi32(32768);
    const __m128i bias16 = _mm_set1_epi16(-32768);
    for (int32_t e = 0; e < wide; e += 4) {
        const __m128i v = roundClamp(cubicV(_mm_loadu_ps(r[0] + e), _mm_loadu_ps(r[1] + e), _mm_loadu_ps(r[2] + e),
                                            _mm_loadu_ps(r[3] + e), k), 65535.0f);
        // 0..65535 packed as unsigned 16 bits through the signed pack.
        const __m128i p = _mm_xor_si128(_mm_packs_epi32(_mm_sub_epi32(v, bias32), _mm_sub_epi32(v, bias32)), bias16);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + e), p);
    }
    return wide;
}

int32_t ownZoomCubicVertical32f(const float* const* r, float* dst, int32_t n, float t)
{
    const CubicRow k(t);
    const int32_t wide = (n / 4) * 4;
    for (int32_t e = 0; e < wide; e += 4)
        _mm_storeu_ps(dst + e, cubicV(_mm_loadu_ps(r[0] + e), _mm_loadu_ps(r[1] + e), _mm_loadu_ps(r[2] + e),
                                      _mm_loadu_ps(r[3] + e), k));
    return wide;
}

namespace {

// ((16384 - wy) * upper + wy * lower) on eight 16-bit values: the pairs are
// interleaved and multiplied-and-added with the weight pair.
inline void linearPairs(const uint16_t* u, const uint16_t* l, int32_t e, __m128i weights, __m128i* lo, __m128i* hi)
{
    const __m128i vu = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + e));
    const __m128i vl = _mm_loadu_si128(reinterpret_cast<const __m128i*>(l + e));
    *lo = _mm_madd_epi16(_mm_unpacklo_epi16(vu, vl), weights);
    *hi = _mm_madd_epi16(_mm_unpackhi_epi16(vu, vl), weights);
}

inline __m128i weightPair(uint32_t wy)
{
    return _mm_set1_epi32(static_cast<int32_t>((wy << 16) | (16384u - wy)));
}

} // namespace

int32_t ownZoomLinearVertical8u(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t n, uint32_t wy)
{
    const __m128i weights = weightPair(wy);
    int32_t e = 0;
    for (; e + 8 <= n; e += 8) {
        __m128i lo, hi;
        linearPairs(upper, lower, e, weights, &lo, &hi);
        const __m128i w16 = _mm_packs_epi32(_mm_srli_epi32(lo, 20), _mm_srli_epi32(hi, 20));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + e), _mm_packus_epi16(w16, w16));
    }
    return e;
}

int32_t ownZoomLinearVertical8uStore3of4(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t W,
                                          uint32_t wy)
{
    const __m128i weights = weightPair(wy);
    const __m128i keep = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    int32_t i =
        ownVectorLevel() >= OwnVectorLevel::kAvx2 ? ownZoomLinearVertical8uStore3of4Avx2(upper, lower, dst, W, wy) : 0;
    for (; i + 4 <= W; i += 4) {
        __m128i lo0, hi0, lo1, hi1;
        linearPairs(upper, lower, 4 * i, weights, &lo0, &hi0);
        linearPairs(upper, lower, 4 * i + 8, weights, &lo1, &hi1);
        const __m128i v = _mm_packus_epi16(_mm_packs_epi32(_mm_srli_epi32(lo0, 20), _mm_srli_epi32(hi0, 20)),
                                           _mm_packs_epi32(_mm_srli_epi32(lo1, 20), _mm_srli_epi32(hi1, 20)));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i),
                         _mm_or_si128(_mm_andnot_si128(keep, v), _mm_and_si128(keep, d)));
    }
    return i;
}

int32_t ownZoomLinearVertical16u(const uint16_t* upper, const uint16_t* lower, uint16_t* dst, int32_t n, uint32_t wy)
{
    const __m128i weights = weightPair(wy);
    const __m128i bias32 = _mm_set1_epi32(32768);
    const __m128i bias16 = _mm_set1_epi16(-32768);
    int32_t e = 0;
    for (; e + 8 <= n; e += 8) {
        __m128i lo, hi;
        linearPairs(upper, lower, e, weights, &lo, &hi);
        lo = _mm_sub_epi32(_mm_srli_epi32(lo, 13), bias32);
        hi = _mm_sub_epi32(_mm_srli_epi32(hi, 13), bias32);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + e), _mm_xor_si128(_mm_packs_epi32(lo, hi), bias16));
    }
    return e;
}

int32_t ownZoomLinearVertical32f(const float* upper, const float* lower, float* dst, int32_t n, float wy)
{
    const int32_t wide = (n / 4) * 4;
    const __m128 w = _mm_set1_ps(wy), w1 = _mm_set1_ps(1.0f - wy);
    for (int32_t e = 0; e < wide; e += 4)
        _mm_storeu_ps(dst + e, _mm_add_ps(_mm_mul_ps(_mm_loadu_ps(upper + e), w1), _mm_mul_ps(_mm_loadu_ps(lower + e), w)));
    return wide;
}

int32_t ownZoomLinearHorizontal8uC4(const uint8_t* p, uint16_t* h, const int32_t* colTab, const uint16_t* wx,
                                     int32_t W, int32_t chans)
{
    if (chans != 4) {
        // Three of four channels: all four computed, three kept; the extra
        // value lands where the next pixel's first one goes (the buffers
        // have room past the end).
        const __m128i zero = _mm_setzero_si128();
        for (int32_t i = 0; i < W; ++i) {
            int32_t l, r;
            __builtin_memcpy(&l, p + colTab[i], 4);
            __builtin_memcpy(&r, p + colTab[i] + 4, 4);
            const __m128i s = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(l), _mm_cvtsi32_si128(r)), zero);
            const __m128i w = _mm_set1_epi32(static_cast<int32_t>(uint32_t(wx[2 * i]) | (uint32_t(wx[2 * i + 1]) << 16)));
            const __m128i v = _mm_srli_epi32(_mm_madd_epi16(s, w), 8);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(h + int64_t(chans) * i), _mm_packs_epi32(v, v));
        }
        return W;
    }
    // Four channels of one pixel: the left and right samples interleaved and
    // multiplied-and-added with the column's weight pair.
    const __m128i zero = _mm_setzero_si128();
    int32_t i = ownVectorLevel() >= OwnVectorLevel::kAvx2 ? ownZoomLinearHorizontal8uC4Avx2(p, h, colTab, wx, W) : 0;
    for (; i + 2 <= W; i += 2) {
        int32_t l0, r0, l1, r1;
        __builtin_memcpy(&l0, p + colTab[i], 4);
        __builtin_memcpy(&r0, p + colTab[i] + 4, 4);
        __builtin_memcpy(&l1, p + colTab[i + 1], 4);
        __builtin_memcpy(&r1, p + colTab[i + 1] + 4, 4);
        const __m128i s0 = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(l0), _mm_cvtsi32_si128(r0)), zero);
        const __m128i s1 = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(l1), _mm_cvtsi32_si128(r1)), zero);
        const __m128i w0 = _mm_set1_epi32(static_cast<int32_t>(uint32_t(wx[2 * i]) | (uint32_t(wx[2 * i + 1]) << 16)));
        const __m128i w1 =
            _mm_set1_epi32(static_cast<int32_t>(uint32_t(wx[2 * i + 2]) | (uint32_t(wx[2 * i + 3]) << 16)));
        const __m128i v0 = _mm_srli_epi32(_mm_madd_epi16(s0, w0), 8);
        const __m128i v1 = _mm_srli_epi32(_mm_madd_epi16(s1, w1), 8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(h + 4 * i), _mm_packs_epi32(v0, v1));
    }
    return i;
}

int32_t ownZoomCubicHorizontal8uC4(const uint8_t* p, float* h, const int32_t* colTab, const float* wx, int32_t W,
                                   int32_t chans)
{
    const __m128i zero = _mm_setzero_si128();
    auto load4 = [&](const uint8_t* q) {
        int32_t v;
        __builtin_memcpy(&v, q, 4);
        return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero), zero));
    };
    for (int32_t i = 0; i < W; ++i) {
        const uint8_t* q = p + colTab[i];
        const float t = wx[i];
        const float s = t + 1.0f;
        const float c2 = (t * 0.5f) * s;
        const float c3 = (t - 1.0f) * (c2 * kThirdBelow);
        const __m128 a = load4(q - 4), b = load4(q), c = load4(q + 4), d = load4(q + 8);
        const __m128 d1 = _mm_sub_ps(b, a);
        const __m128 d2 = _mm_sub_ps(_mm_sub_ps(c, b), d1);
        const __m128 d3 = _mm_add_ps(_mm_sub_ps(_mm_sub_ps(d, c), c), _mm_sub_ps(b, d2));
        const __m128 v = _mm_add_ps(_mm_add_ps(a, _mm_mul_ps(d1, _mm_set1_ps(s))),
                                    _mm_add_ps(_mm_mul_ps(d2, _mm_set1_ps(c2)), _mm_mul_ps(d3, _mm_set1_ps(c3))));
        _mm_storeu_ps(h + int64_t(chans) * i, v);
    }
    return W;
}

void ownZoomStore3of4(const uint8_t* run, uint8_t* dst, int32_t W)
{
    const __m128i keep = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    int32_t i = ownVectorLevel() >= OwnVectorLevel::kAvx2 ? ownZoomStore3of4Avx2(run, dst, W) : 0;
    for (; i + 4 <= W; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + 4 * i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i),
                         _mm_or_si128(_mm_andnot_si128(keep, v), _mm_and_si128(keep, d)));
    }
    for (; i < W; ++i) {
        dst[4 * i] = run[4 * i];
        dst[4 * i + 1] = run[4 * i + 1];
        dst[4 * i + 2] = run[4 * i + 2];
    }
}

int32_t ownZoomNNPlanShuffles(const int32_t* colTab, int32_t W, const OwnNNShuffles& plan)
{
    // Every byte from a column to the end of the furthest one lies in the row.
    int32_t end = 0;
    for (int32_t i = 0; i < W; ++i)
        end = colTab[i] + 4 > end ? colTab[i] + 4 : end;
    int32_t shuffled = 0;
    for (int32_t g = 0; g < W / 4; ++g) {
        const int32_t first = colTab[4 * g];
        bool fits = first >= 0 && end - first >= 16;
        for (int32_t k = 0; k < 4 && fits; ++k) {
            const int32_t at = colTab[4 * g + k] - first;
            fits = at >= 0 && at <= 12;
            for (int32_t c = 0; c < 4; ++c)
                plan.control[16 * g + 4 * k + c] = static_cast<uint8_t>(at + c);
        }
        plan.start[g] = fits ? first : -1;
        shuffled += fits ? 1 : 0;
    }
    return shuffled;
}
