// The integer-tap cubic row kernels with four double lanes: one row's
// channels per vector. Compiled for processors with AVX (and AVX2) and
// chosen at run time; the same products and sums in the same order as the
// scalar kernel.
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

// The shuffle that puts the four taps of each channel side by side:
// a0 b0 c0 d0 a1 b1 c1 d1 ...
template <int P>
inline __m128i channelOrder()
{
    return _mm_setr_epi8(0, P, 2 * P, 3 * P, 1, P + 1, 2 * P + 1, 3 * P + 1, 2, P + 2, 2 * P + 2, 3 * P + 2, 3, P + 3,
                         2 * P + 3, 3 * P + 3);
}

template <int P>
inline __m128i tapsByChannel(__m128i row)
{
    return _mm_shuffle_epi8(row, channelOrder<P>());
}

// Tap weights of the formula's combinations, four signed bytes each.
const int32_t kWeightsP1 = static_cast<int32_t>(0xFF06FDFEu); // -2, -3, 6, -1
const int32_t kWeightsP2 = 0x0003FA03;                          // 3, -6, 3, 0
const int32_t kWeightsP3 = 0x01FD03FF;                          // -1, 3, -3, 1
const int32_t kWeightsB6 = 0x00000600;                          // 0, 6, 0, 0

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
    r.p1 = weighTaps(u, l, _mm_set1_epi32(kWeightsP1));
    r.p2 = weighTaps(u, l, _mm_set1_epi32(kWeightsP2));
    r.p3 = weighTaps(u, l, _mm_set1_epi32(kWeightsP3));
    r.b6 = weighTaps(u, l, _mm_set1_epi32(kWeightsB6));
    return r;
}

// Lanes 0-3 (Upper) or 4-7 of signed 16-bit values as four doubles.
template <bool Upper>
inline __m256d quad(__m128i v)
{
    return _mm256_cvtepi32_pd(_mm_cvtepi16_epi32(Upper ? v : _mm_unpackhi_epi64(v, v)));
}

// (6b + t·p1 + t²·p2 + t³·p3) × k6 on the four channels of one row.
inline __m256d rowSum(__m256d b6, __m256d p1, __m256d p2, __m256d p3, __m256d t, __m256d t2, __m256d t3)
{
    __m256d s = _mm256_add_pd(b6, _mm256_mul_pd(t, p1));
    s = _mm256_add_pd(s, _mm256_mul_pd(t2, p2));
    s = _mm256_add_pd(s, _mm256_mul_pd(t3, p3));
    return _mm256_mul_pd(s, _mm256_set1_pd(static_cast<double>(1.0f / 6.0f)));
}

template <bool Upper>
inline __m256d rowValue(const RowCombos& k, __m256d t, __m256d t2, __m256d t3)
{
    return rowSum(quad<Upper>(k.b6), quad<Upper>(k.p1), quad<Upper>(k.p2), quad<Upper>(k.p3), t, t2, t3);
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

// Truncated, then clamped to 0..255 (the saturating packs clamp).
inline uint32_t clampedBytes(__m256d v)
{
    const __m128i words = _mm_packs_epi32(_mm256_cvttpd_epi32(v), _mm_setzero_si128());
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
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
        storeChannels(dRow + int64_t(k) * dPix, clampedBytes(v), channels);
    }
}

// ---- AVX2: two rows per integer vector --------------------------------------
//
// The taps of rows 0 and 1 (and 2 and 3) share a vector; each combination is
// summed to 32 bits by a multiply-add with ones instead of the horizontal
// adds and widenings, which all compete for the one shuffle unit of many
// processors.

#define OWN_AVX2 __attribute__((target("avx2")))

struct PairCombos {
    __m256i p1, p2, p3, b6;  // 32-bit lanes 0-3: channels of the upper row, 4-7 of the lower
};

OWN_AVX2 inline __m256i weighPair(__m256i taps, int32_t weights)
{
    return _mm256_madd_epi16(_mm256_maddubs_epi16(taps, _mm256_set1_epi32(weights)), _mm256_set1_epi16(1));
}

template <int P>
OWN_AVX2 inline PairCombos pairCombos(__m256i rows)
{
    const __m256i taps = _mm256_shuffle_epi8(rows, _mm256_broadcastsi128_si256(channelOrder<P>()));
    return PairCombos{weighPair(taps, kWeightsP1), weighPair(taps, kWeightsP2), weighPair(taps, kWeightsP3),
                      weighPair(taps, kWeightsB6)};
}

template <bool Upper>
OWN_AVX2 inline __m256d doubles(__m256i v)
{
    return _mm256_cvtepi32_pd(Upper ? _mm256_castsi256_si128(v) : _mm256_extracti128_si256(v, 1));
}

template <bool Upper>
OWN_AVX2 inline __m256d pairValue(const PairCombos& k, __m256d t, __m256d t2, __m256d t3)
{
    return rowSum(doubles<Upper>(k.b6), doubles<Upper>(k.p1), doubles<Upper>(k.p2), doubles<Upper>(k.p3), t, t2, t3);
}

// Rows r and r + 1 from p, straight from memory when the lower one has
// sixteen bytes to read.
OWN_AVX2 inline __m256i loadPair(const uint8_t* p, int64_t sLine, int64_t readable, int32_t bytes)
{
    if (readable - sLine >= 16)
        return _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + sLine)), 1);
    return _mm256_inserti128_si256(_mm256_castsi128_si256(loadTapsAvx(p, readable, bytes)),
                                   loadTapsAvx(p + sLine, readable - sLine, bytes), 1);
}

template <int P>
OWN_AVX2 void cubicRowAvx2(const uint8_t* sRow, int64_t sLine, int64_t readable, const OwnCubicColumn* cols,
                           int32_t W, int32_t channels, const OwnCubicFraction& fy, uint8_t* dRow, int32_t dPix)
{
    const __m256d yt = _mm256_set1_pd(fy.t), yt2 = _mm256_set1_pd(fy.t2), yt3 = _mm256_set1_pd(fy.t3);
    const int32_t bytes = 3 * P + channels;
    const uint8_t* top = sRow - sLine;
    for (int32_t k = 0; k < W; ++k) {
        const OwnCubicColumn& col = cols[k];
        const int64_t at = col.offset - P;
        const uint8_t* p = top + at;
        const PairCombos k01 = pairCombos<P>(loadPair(p, sLine, readable - at, bytes));
        const PairCombos k23 = pairCombos<P>(loadPair(p + 2 * sLine, sLine, readable - at - 2 * sLine, bytes));
        const __m256d xt = _mm256_set1_pd(col.f.t), xt2 = _mm256_set1_pd(col.f.t2), xt3 = _mm256_set1_pd(col.f.t3);
        const __m256d v = cubicQuad(pairValue<true>(k01, xt, xt2, xt3), pairValue<false>(k01, xt, xt2, xt3),
                                    pairValue<true>(k23, xt, xt2, xt3), pairValue<false>(k23, xt, xt2, xt3), yt, yt2,
                                    yt3);
        storeChannels(dRow + int64_t(k) * dPix, clampedBytes(v), channels);
    }
}

} // namespace

bool ownDecimCubicRow8uAvx2(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                            const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                            uint8_t* dRow, int32_t dPix)
{
    switch (sPix) {
    case 1: cubicRowAvx2<1>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 2: cubicRowAvx2<2>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 3: cubicRowAvx2<3>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 4: cubicRowAvx2<4>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    default: return false;
    }
}

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
