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

// Combinations of taps already in channel order (four bytes a value).
OWN_AVX2 inline PairCombos combosOf(__m256i taps)
{
    return PairCombos{weighPair(taps, kWeightsP1), weighPair(taps, kWeightsP2), weighPair(taps, kWeightsP3),
                      weighPair(taps, kWeightsB6)};
}

template <int P>
OWN_AVX2 inline PairCombos pairCombos(__m256i rows)
{
    return combosOf(_mm256_shuffle_epi8(rows, _mm256_broadcastsi128_si256(channelOrder<P>())));
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

// The fractions of the values of a vector (a column's, or a mix of two).
struct GroupFractions {
    __m256d t, t2, t3;
};

// The four rows' values down the column with fractions x, then the
// formula down the rows.
OWN_AVX2 inline __m256d groupValues(const PairCombos& k01, const PairCombos& k23, const GroupFractions& x,
                                    __m256d yt, __m256d yt2, __m256d yt3)
{
    return cubicQuad(pairValue<true>(k01, x.t, x.t2, x.t3), pairValue<false>(k01, x.t, x.t2, x.t3),
                     pairValue<true>(k23, x.t, x.t2, x.t3), pairValue<false>(k23, x.t, x.t2, x.t3), yt, yt2, yt3);
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
        const GroupFractions x{_mm256_set1_pd(col.f.t), _mm256_set1_pd(col.f.t2), _mm256_set1_pd(col.f.t3)};
        storeChannels(dRow + int64_t(k) * dPix, clampedBytes(groupValues(k01, k23, x, yt, yt2, yt3)), channels);
    }
}

// Three-byte pixels four at a time: their twelve values fill three vectors
// of four (a channel each) instead of four vectors with a lane unused.
// Value groups: p0c0 p0c1 p0c2 p1c0 | p1c1 p1c2 p2c0 p2c1 | p2c2 p3c0 p3c1 p3c2.

// The taps of the values of a group, from the sixteen bytes at two pixels'
// first taps (one shuffle each, the other's places zeroed).
OWN_AVX2 inline __m256i groupTaps(__m256i first, __m256i second, __m128i fromFirst, __m128i fromSecond)
{
    return _mm256_or_si256(_mm256_shuffle_epi8(first, _mm256_broadcastsi128_si256(fromFirst)),
                           _mm256_shuffle_epi8(second, _mm256_broadcastsi128_si256(fromSecond)));
}

// A fraction of a group's values: the first pixel's in the lanes the mask
// Next leaves clear, the second's in those it sets.
template <int Next>
OWN_AVX2 inline __m256d groupFraction(double a, double b)
{
    return _mm256_blend_pd(_mm256_set1_pd(a), _mm256_set1_pd(b), Next);
}

template <int Next>
OWN_AVX2 inline GroupFractions groupFractions(const OwnCubicFraction& a, const OwnCubicFraction& b)
{
    return GroupFractions{groupFraction<Next>(a.t, b.t), groupFraction<Next>(a.t2, b.t2),
                          groupFraction<Next>(a.t3, b.t3)};
}

// Answers the pixels done (a multiple of four).
OWN_AVX2 int32_t cubicRowAvx2ThreeByThree(const uint8_t* sRow, int64_t sLine, int64_t readable,
                                         const OwnCubicColumn* cols, int32_t W, const OwnCubicFraction& fy,
                                         uint8_t* dRow, int32_t dPix)
{
    const __m256d yt = _mm256_set1_pd(fy.t), yt2 = _mm256_set1_pd(fy.t2), yt3 = _mm256_set1_pd(fy.t3);
    // Channel c of a pixel: its taps at bytes c, c + 3, c + 6, c + 9.
    const __m128i g0a = _mm_setr_epi8(0, 3, 6, 9, 1, 4, 7, 10, 2, 5, 8, 11, -1, -1, -1, -1);
    const __m128i g0b = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9);
    const __m128i g1a = _mm_setr_epi8(1, 4, 7, 10, 2, 5, 8, 11, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i g1b = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 1, 4, 7, 10);
    const __m128i g2a = _mm_setr_epi8(2, 5, 8, 11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i g2b = _mm_setr_epi8(-1, -1, -1, -1, 0, 3, 6, 9, 1, 4, 7, 10, 2, 5, 8, 11);
    const uint8_t* top = sRow - sLine;
    int32_t k = 0;
    for (; k + 4 <= W; k += 4) {
        __m256i upper[4], lower[4];  // rows 0-1 and 2-3 of each pixel's taps
        for (int j = 0; j < 4; ++j) {
            const int64_t at = cols[k + j].offset - 3;
            upper[j] = loadPair(top + at, sLine, readable - at, 12);
            lower[j] = loadPair(top + at + 2 * sLine, sLine, readable - at - 2 * sLine, 12);
        }
        const OwnCubicFraction& f0 = cols[k].f;
        const OwnCubicFraction& f1 = cols[k + 1].f;
        const OwnCubicFraction& f2 = cols[k + 2].f;
        const OwnCubicFraction& f3 = cols[k + 3].f;
        const __m256d v0 = groupValues(combosOf(groupTaps(upper[0], upper[1], g0a, g0b)),
                                       combosOf(groupTaps(lower[0], lower[1], g0a, g0b)),
                                       groupFractions<0x8>(f0, f1), yt, yt2, yt3);
        const __m256d v1 = groupValues(combosOf(groupTaps(upper[1], upper[2], g1a, g1b)),
                                       combosOf(groupTaps(lower[1], lower[2], g1a, g1b)),
                                       groupFractions<0xC>(f1, f2), yt, yt2, yt3);
        const __m256d v2 = groupValues(combosOf(groupTaps(upper[2], upper[3], g2a, g2b)),
                                       combosOf(groupTaps(lower[2], lower[3], g2a, g2b)),
                                       groupFractions<0xE>(f2, f3), yt, yt2, yt3);
        // Truncated, then clamped to 0..255 by the saturating packs.
        const __m128i words01 = _mm_packs_epi32(_mm256_cvttpd_epi32(v0), _mm256_cvttpd_epi32(v1));
        const __m128i words2 = _mm_packs_epi32(_mm256_cvttpd_epi32(v2), _mm_setzero_si128());
        alignas(16) uint8_t out[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words01, words2));
        uint8_t* d = dRow + int64_t(k) * dPix;
        if (dPix == 3)
            std::memcpy(d, out, 12);
        else
            for (int j = 0; j < 4; ++j)
                std::memcpy(d + int64_t(j) * dPix, out + 3 * j, 3);
    }
    return k;
}

} // namespace

bool ownDecimCubicRow8uAvx2(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                            const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                            uint8_t* dRow, int32_t dPix)
{
    switch (sPix) {
    case 1: cubicRowAvx2<1>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 2: cubicRowAvx2<2>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); return true;
    case 3: {
        const int32_t done =
            channels == 3 ? cubicRowAvx2ThreeByThree(sRow, sLine, readable, cols, W, fy, dRow, dPix) : 0;
        cubicRowAvx2<3>(sRow, sLine, readable, cols + done, W - done, channels, fy, dRow + int64_t(done) * dPix, dPix);
        return true;
    }
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
