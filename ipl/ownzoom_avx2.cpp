// Steps of the zoom's row passes for processors with AVX2 (chosen at run
// time): the same 16-bit products and sums as the SSE2 steps, twice as wide.
#include "ipl/own_zoom_sse.h"

#pragma GCC target("avx2")
#include <immintrin.h>

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
