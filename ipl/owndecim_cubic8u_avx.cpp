// The integer-tap cubic row kernel with four double lanes: one row's
// channels per vector. Compiled for processors with AVX and chosen at run
// time; the same products and sums in the same order as the scalar kernel.
#include "ipl/own_decim_cubic.h"

#include <cstring>

#pragma GCC target("avx")
#include <immintrin.h>

namespace {

// The first channels bytes of v, lowest first, with fixed-size stores.
inline void storeChannels(uint8_t* d, uint32_t v, int32_t channels)
{
    if (channels == 4) {
        std::memcpy(d, &v, 4);
        return;
    }
    if (channels >= 2) {
        const uint16_t two = static_cast<uint16_t>(v);
        std::memcpy(d, &two, 2);
    }
    if (channels == 3)
        d[2] = static_cast<uint8_t>(v >> 16);
    else if (channels == 1)
        d[0] = static_cast<uint8_t>(v);
}

struct RowCombos {
    __m128i p1, p2, p3, b6;  // lanes 0-3: channels of the upper row, 4-7 of the lower
};

inline __m128i loadTapsAvx(const uint8_t* p, int64_t readable, int32_t bytes)
{
    if (readable >= 16)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    alignas(16) uint8_t tmp[16] = {};
    std::memcpy(tmp, p, static_cast<size_t>(bytes));
    return _mm_load_si128(reinterpret_cast<const __m128i*>(tmp));
}

// The four taps of each channel side by side: a0 b0 c0 d0 a1 b1 c1 d1 ...
template <int P>
inline __m128i tapsByChannel(__m128i row)
{
    return _mm_shuffle_epi8(row, _mm_setr_epi8(0, P, 2 * P, 3 * P, 1, P + 1, 2 * P + 1, 3 * P + 1, 2, P + 2,
                                               2 * P + 2, 3 * P + 2, 3, P + 3, 2 * P + 3, 3 * P + 3));
}

// Weights (w0, w1, w2, w3) on each channel's taps of both rows: the
// pairwise products summed in 16 bits, then the pairs (all exact).
inline __m128i weighTaps(__m128i upper, __m128i lower, __m128i w)
{
    return _mm_hadd_epi16(_mm_maddubs_epi16(upper, w), _mm_maddubs_epi16(lower, w));
}

template <int P>
inline RowCombos rowCombos(__m128i upper, __m128i lower)
{
    const __m128i u = tapsByChannel<P>(upper), l = tapsByChannel<P>(lower);
    RowCombos r;
    r.p1 = weighTaps(u, l, _mm_set1_epi32(static_cast<int32_t>(0xFF06FDFEu)));  // -2, -3, 6, -1
    r.p2 = weighTaps(u, l, _mm_set1_epi32(0x0003FA03));                           // 3, -6, 3, 0
    r.p3 = weighTaps(u, l, _mm_set1_epi32(0x01FD03FF));                           // -1, 3, -3, 1
    r.b6 = weighTaps(u, l, _mm_set1_epi32(0x00000600));                           // 0, 6, 0, 0
    return r;
}

// Lanes 0-3 (Upper) or 4-7 of signed 16-bit values as four doubles.
template <bool Upper>
inline __m256d quad(__m128i v)
{
    return _mm256_cvtepi32_pd(_mm_cvtepi16_epi32(Upper ? v : _mm_unpackhi_epi64(v, v)));
}

template <bool Upper>
inline __m256d rowValue(const RowCombos& k, __m256d t, __m256d t2, __m256d t3)
{
    __m256d s = _mm256_add_pd(quad<Upper>(k.b6), _mm256_mul_pd(t, quad<Upper>(k.p1)));
    s = _mm256_add_pd(s, _mm256_mul_pd(t2, quad<Upper>(k.p2)));
    s = _mm256_add_pd(s, _mm256_mul_pd(t3, quad<Upper>(k.p3)));
    return _mm256_mul_pd(s, _mm256_set1_pd(static_cast<double>(1.0f / 6.0f)));
}

inline __m256d cubicQuad(__m256d a, __m256d b, __m256d c, __m256d d, __m256d t, __m256d t2, __m256d t3)
{
    const __m256d three = _mm256_set1_pd(3.0), six = _mm256_set1_pd(6.0);
    const __m256d p1 = _mm256_sub_pd(
        _mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(_mm256_set1_pd(-2.0), a), _mm256_mul_pd(three, b)),
                      _mm256_mul_pd(six, c)),
        d);
    const __m256d p2 =
        _mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(three, a), _mm256_mul_pd(six, b)), _mm256_mul_pd(three, c));
    const __m256d p3 = _mm256_add_pd(
        _mm256_sub_pd(_mm256_add_pd(_mm256_xor_pd(a, _mm256_set1_pd(-0.0)), _mm256_mul_pd(three, b)),
                      _mm256_mul_pd(three, c)),
        d);
    const __m256d s = _mm256_add_pd(
        _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(six, b), _mm256_mul_pd(t, p1)), _mm256_mul_pd(t2, p2)),
        _mm256_mul_pd(t3, p3));
    return _mm256_mul_pd(s, _mm256_set1_pd(static_cast<double>(1.0f / 6.0f)));
}

template <int P>
void cubicRowAvx(const uint8_t* sRow, int64_t sLine, int64_t readable, const OwnCubicColumn* cols, int32_t W,
                 int32_t channels, const OwnCubicFraction& fy, uint8_t* dRow, int32_t dPix)
{
    const __m256d yt = _mm256_set1_pd(fy.t), yt2 = _mm256_set1_pd(fy.t2), yt3 = _mm256_set1_pd(fy.t3);
    const int32_t bytes = 3 * P + channels;
    const uint8_t* top = sRow - sLine;
    for (int32_t k = 0; k < W; ++k) {
        const OwnCubicColumn& col = cols[k];
        const int64_t at = col.offset - P;
        const uint8_t* p = top + at;
        const RowCombos k01 = rowCombos<P>(loadTapsAvx(p, readable - at, bytes),
                                           loadTapsAvx(p + sLine, readable - at - sLine, bytes));
        const RowCombos k23 = rowCombos<P>(loadTapsAvx(p + 2 * sLine, readable - at - 2 * sLine, bytes),
                                           loadTapsAvx(p + 3 * sLine, readable - at - 3 * sLine, bytes));
        const __m256d xt = _mm256_set1_pd(col.f.t), xt2 = _mm256_set1_pd(col.f.t2), xt3 = _mm256_set1_pd(col.f.t3);
        const __m256d v = cubicQuad(rowValue<true>(k01, xt, xt2, xt3), rowValue<false>(k01, xt, xt2, xt3),
                                    rowValue<true>(k23, xt, xt2, xt3), rowValue<false>(k23, xt, xt2, xt3), yt, yt2, yt3);
        const __m128i words = _mm_packs_epi32(_mm256_cvttpd_epi32(v), _mm_setzero_si128());
        const uint32_t out = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
        storeChannels(dRow + int64_t(k) * dPix, out, channels);
    }
}

} // namespace

bool ownDecimCubicRow8uAvx(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                           const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                           uint8_t* dRow, int32_t dPix)
{
    switch (sPix) {
    case 1: cubicRowAvx<1>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 2: cubicRowAvx<2>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 3: cubicRowAvx<3>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 4: cubicRowAvx<4>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    default: return false;
    }
}
