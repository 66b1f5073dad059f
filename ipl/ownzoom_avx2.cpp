// Steps of the zoom's row passes for processors with AVX2 (chosen at run
// time): the same 16-bit products and sums as the SSE2 steps, twice as wide.
#include "ipl/own_zoom_sse.h"

#include <cstring>

#pragma GCC target("avx2")
#include <immintrin.h>

int32_t ownZoomLinearHorizontal8uC4Avx2(const uint8_t* p, uint16_t* h, const int32_t* colTab, const uint16_t* wx,
                                        int32_t W)
{
    const __m256i zero = _mm256_setzero_si256();
    // The left and right samples of each pixel (eight bytes from its column),
    // interleaved channel by channel as the SSE2 steps interleave them.
    const __m256i interleave = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15, 0, 4, 1, 5, 2,
                                                6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m256i evenPixels = _mm256_setr_epi32(0, 0, 0, 0, 2, 2, 2, 2);
    const __m256i oddPixels = _mm256_setr_epi32(1, 1, 1, 1, 3, 3, 3, 3);
    int32_t i = 0;
    for (; i + 4 <= W; i += 4) {
        int64_t s[4];
        for (int k = 0; k < 4; ++k)
            std::memcpy(&s[k], p + colTab[i + k], 8);
        const __m256i q = _mm256_shuffle_epi8(_mm256_setr_epi64x(s[0], s[1], s[2], s[3]), interleave);
        // Lane 0 holds pixels i and i + 1, lane 1 pixels i + 2 and i + 3.
        const __m256i even = _mm256_unpacklo_epi8(q, zero), odd = _mm256_unpackhi_epi8(q, zero);
        // Each pixel's weight pair (wx[2i] low, wx[2i + 1] high) on its four channels.
        const __m256i w4 = _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(wx + 2 * i)));
        const __m256i v0 = _mm256_srli_epi32(_mm256_madd_epi16(even, _mm256_permutevar8x32_epi32(w4, evenPixels)), 8);
        const __m256i v1 = _mm256_srli_epi32(_mm256_madd_epi16(odd, _mm256_permutevar8x32_epi32(w4, oddPixels)), 8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(h + 4 * i), _mm256_packs_epi32(v0, v1));
    }
    return i;
}

int32_t ownZoomLinearVertical8uStore3of4Avx2(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t W,
                                              uint32_t wy)
{
    const __m256i weights = _mm256_set1_epi32(static_cast<int32_t>((wy << 16) | (16384u - wy)));
    const __m256i keep = _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u));
    // Sixteen values of both rows: the weighted pairs, shifted and narrowed
    // to 16 bits in order (each 128-bit lane holds eight of them).
    auto sixteen = [&](int32_t e) {
        const __m256i vu = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper + e));
        const __m256i vl = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower + e));
        const __m256i lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(vu, vl), weights);
        const __m256i hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(vu, vl), weights);
        return _mm256_packs_epi32(_mm256_srli_epi32(lo, 20), _mm256_srli_epi32(hi, 20));
    };
    int32_t i = 0;
    for (; i + 8 <= W; i += 8) {
        // Bytes 0-7 | 16-23 | 8-15 | 24-31 after the narrowing, put in order.
        const __m256i v = _mm256_permute4x64_epi64(_mm256_packus_epi16(sixteen(4 * i), sixteen(4 * i + 16)), 0xD8);
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + 4 * i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * i),
                            _mm256_or_si256(_mm256_andnot_si256(keep, v), _mm256_and_si256(keep, d)));
    }
    return i;
}
