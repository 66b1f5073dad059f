// The colour twist of four-byte 8u pixels with four double lanes, for
// processors with AVX (chosen at run time): the same exact sums as the
// two-lane steps, four pixels per vector.
#include "ipl/own_twist.h"

#include <cmath>

#pragma GCC target("avx")
#include <immintrin.h>

int32_t ownTwistRowQuadsAvx(const uint8_t* src, uint8_t* dst, int32_t n, const OwnTwistCoeffs& k)
{
    __m256d w[3][4];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            w[r][c] = _mm256_set1_pd(std::ldexp(static_cast<double>(k.c[4 * r + c]), -k.shift));
    const __m256d lo = _mm256_setzero_pd(), hi = _mm256_set1_pd(255.0);
    const __m128i byte = _mm_set1_epi32(0xFF), keep = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
    const __m128i offset = _mm_set1_epi16(static_cast<short>(k.offset)), top = _mm_set1_epi16(255);
    const __m128i zero = _mm_setzero_si128();
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * i));
        __m256d x[3];
        for (int c = 0; c < 3; ++c)
            x[c] = _mm256_cvtepi32_pd(_mm_and_si128(_mm_srli_epi32(px, 8 * c), byte));
        __m128i out = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 4 * i)), keep);
        for (int r = 0; r < 3; ++r) {
            __m256d s = _mm256_add_pd(_mm256_mul_pd(w[r][0], x[0]), _mm256_mul_pd(w[r][1], x[1]));
            s = _mm256_add_pd(_mm256_add_pd(s, _mm256_mul_pd(w[r][2], x[2])), w[r][3]);
            const __m128i g = _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(s, lo), hi));
            __m128i v = _mm_packs_epi32(g, zero);
            v = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(v, offset), zero), top);
            out = _mm_or_si128(out, _mm_slli_epi32(_mm_unpacklo_epi16(v, zero), 8 * r));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * i), out);
    }
    return i;
}
