// Two-axis cubic decimation of 8u pixel-order rows. For samples a, b, c, d
// the scalar kernel forms -2a - 3b + 6c - d, 3a - 6b + 3c, -a + 3b - 3c + d
// and 6b in double precision: with integer samples every step of those is
// an exact integer, so 16-bit lanes give the same values. The rest of the
// formula follows the scalar order, two lanes at a time.
#include "ipl/own_decim_cubic.h"
#include "ipl/owncpu.h"

#include <cstring>

#include <emmintrin.h>

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

// The tap combinations of one source row: lanes 0-3 of each hold the
// channels of the upper row, lanes 4-7 those of the lower one.
struct Combos {
    __m128i p1, p2, p3, b6;
};

template <int P>
inline __m128i shiftPixels(__m128i v) { return _mm_srli_si128(v, P); }

// Sixteen bytes from p, or fewer from a padded copy near the end.
inline __m128i loadTaps(const uint8_t* p, int64_t readable, int32_t bytes)
{
    if (readable >= 16)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    alignas(16) uint8_t tmp[16] = {};
    std::memcpy(tmp, p, static_cast<size_t>(bytes));
    return _mm_load_si128(reinterpret_cast<const __m128i*>(tmp));
}

template <int P>
inline Combos combos(__m128i upper, __m128i lower)
{
    const __m128i z = _mm_setzero_si128();
    // Taps a, b, c, d of both rows as 16-bit lanes: four values per row.
    const __m128i a = _mm_unpacklo_epi8(_mm_unpacklo_epi32(upper, lower), z);
    const __m128i b =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(shiftPixels<P>(upper), shiftPixels<P>(lower)), z);
    const __m128i c =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(shiftPixels<2 * P>(upper), shiftPixels<2 * P>(lower)), z);
    const __m128i d =
        _mm_unpacklo_epi8(_mm_unpacklo_epi32(shiftPixels<3 * P>(upper), shiftPixels<3 * P>(lower)), z);
    const __m128i a2 = _mm_add_epi16(a, a), b3 = _mm_add_epi16(_mm_add_epi16(b, b), b),
                  c3 = _mm_add_epi16(_mm_add_epi16(c, c), c);
    const __m128i a3 = _mm_add_epi16(a2, a), b6 = _mm_add_epi16(b3, b3), c6 = _mm_add_epi16(c3, c3);
    Combos r;
    r.p1 = _mm_sub_epi16(_mm_sub_epi16(c6, _mm_add_epi16(a2, b3)), d);
    r.p2 = _mm_sub_epi16(_mm_add_epi16(a3, c3), b6);
    r.p3 = _mm_sub_epi16(_mm_add_epi16(b3, d), _mm_add_epi16(a, c3));
    r.b6 = b6;
    return r;
}

// Lanes q, q+1 of signed 16-bit values as doubles.
template <int Q>
inline __m128d lanes(__m128i v)
{
    const __m128i w = Q < 4 ? _mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16) : _mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16);
    return _mm_cvtepi32_pd((Q % 4) == 0 ? w : _mm_srli_si128(w, 8));
}

// (6b + t·p1 + t²·p2 + t³·p3) × k6 on lanes Q, Q+1.
template <int Q>
inline __m128d rowValue(const Combos& k, __m128d t, __m128d t2, __m128d t3)
{
    const __m128d k6 = _mm_set1_pd(static_cast<double>(1.0f / 6.0f));
    __m128d s = _mm_add_pd(lanes<Q>(k.b6), _mm_mul_pd(t, lanes<Q>(k.p1)));
    s = _mm_add_pd(s, _mm_mul_pd(t2, lanes<Q>(k.p2)));
    s = _mm_add_pd(s, _mm_mul_pd(t3, lanes<Q>(k.p3)));
    return _mm_mul_pd(s, k6);
}

// The full formula on double lanes, as the scalar kernel orders it.
inline __m128d cubicLanes(__m128d a, __m128d b, __m128d c, __m128d d, __m128d t, __m128d t2, __m128d t3)
{
    const __m128d k6 = _mm_set1_pd(static_cast<double>(1.0f / 6.0f));
    const __m128d three = _mm_set1_pd(3.0), six = _mm_set1_pd(6.0);
    const __m128d p1 = _mm_sub_pd(
        _mm_add_pd(_mm_sub_pd(_mm_mul_pd(_mm_set1_pd(-2.0), a), _mm_mul_pd(three, b)), _mm_mul_pd(six, c)), d);
    const __m128d p2 = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(three, a), _mm_mul_pd(six, b)), _mm_mul_pd(three, c));
    const __m128d p3 =
        _mm_add_pd(_mm_sub_pd(_mm_add_pd(_mm_xor_pd(a, _mm_set1_pd(-0.0)), _mm_mul_pd(three, b)), _mm_mul_pd(three, c)), d);
    const __m128d s = _mm_add_pd(
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(six, b), _mm_mul_pd(t, p1)), _mm_mul_pd(t2, p2)), _mm_mul_pd(t3, p3));
    return _mm_mul_pd(s, k6);
}

template <int P>
void cubicRow(const uint8_t* sRow, int64_t sLine, int64_t readable, const OwnCubicColumn* cols, int32_t W,
              int32_t channels, const OwnCubicFraction& fy, uint8_t* dRow, int32_t dPix)
{
    const __m128d yt = _mm_set1_pd(fy.t), yt2 = _mm_set1_pd(fy.t2), yt3 = _mm_set1_pd(fy.t3);
    const int32_t bytes = 3 * P + channels;
    const uint8_t* top = sRow - sLine;  // tap j - 1
    for (int32_t k = 0; k < W; ++k) {
        const OwnCubicColumn& col = cols[k];
        const int64_t at = col.offset - P;  // tap i - 1 of row j - 1, from top
        const uint8_t* p = top + at;
        const __m128i r0 = loadTaps(p, readable - at, bytes);
        const __m128i r1 = loadTaps(p + sLine, readable - at - sLine, bytes);
        const __m128i r2 = loadTaps(p + 2 * sLine, readable - at - 2 * sLine, bytes);
        const __m128i r3 = loadTaps(p + 3 * sLine, readable - at - 3 * sLine, bytes);
        const Combos k01 = combos<P>(r0, r1), k23 = combos<P>(r2, r3);
        const __m128d xt = _mm_set1_pd(col.f.t), xt2 = _mm_set1_pd(col.f.t2), xt3 = _mm_set1_pd(col.f.t3);
        // Channels 0-1 and 2-3 of the four rows, then the formula down them.
        const __m128d lo = cubicLanes(rowValue<0>(k01, xt, xt2, xt3), rowValue<4>(k01, xt, xt2, xt3),
                                      rowValue<0>(k23, xt, xt2, xt3), rowValue<4>(k23, xt, xt2, xt3), yt, yt2, yt3);
        __m128i out = _mm_cvttpd_epi32(lo);
        if (channels > 2) {
            const __m128d hi = cubicLanes(rowValue<2>(k01, xt, xt2, xt3), rowValue<6>(k01, xt, xt2, xt3),
                                          rowValue<2>(k23, xt, xt2, xt3), rowValue<6>(k23, xt, xt2, xt3), yt, yt2, yt3);
            out = _mm_unpacklo_epi64(out, _mm_cvttpd_epi32(hi));
        }
        // Truncated, then clamped to 0..255 (the saturating packs clamp).
        const __m128i words = _mm_packs_epi32(out, out);
        out = _mm_packus_epi16(words, words);
        const uint32_t v = static_cast<uint32_t>(_mm_cvtsi128_si32(out));
        storeChannels(dRow + int64_t(k) * dPix, v, channels);
    }
}

} // namespace

bool ownDecimCubicRow8u(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                        const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                        uint8_t* dRow, int32_t dPix)
{
    if (channels < 1 || channels > 4 || dPix < channels || sPix < channels)
        return false;
    if (ownVectorLevel() >= OwnVectorLevel::kAvx2)
        return ownDecimCubicRow8uAvx2(sRow, sLine, readable, sPix, cols, W, channels, fy, dRow, dPix);
    if (ownVectorLevel() >= OwnVectorLevel::kAvx)
        return ownDecimCubicRow8uAvx(sRow, sLine, readable, sPix, cols, W, channels, fy, dRow, dPix);
    switch (sPix) {
    case 1: cubicRow<1>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); break;
    case 2: cubicRow<2>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); break;
    case 3: cubicRow<3>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); break;
    case 4: cubicRow<4>(sRow, sLine, readable, cols, W, channels, fy, dRow, dPix); break;
    default: return false;
    }
    return true;
}
