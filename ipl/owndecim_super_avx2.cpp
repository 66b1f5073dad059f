// The halving of four-channel 8u rows in super-sampling decimation for
// processors with AVX2 (chosen at run time): the same 16-bit sums and the
// same multiply as the SSE2 steps, eight destination pixels a step.
#include "ipl/own_super.h"

#pragma GCC target("avx2")
#include <immintrin.h>

int32_t ownSuperPairsFromRowsAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* drow, int32_t W, uint16_t add,
                                  uint16_t mul)
{
    const __m256i z = _mm256_setzero_si256();
    const __m256i a = _mm256_set1_epi16(static_cast<short>(add)), m = _mm256_set1_epi16(static_cast<short>(mul));
    int32_t k = 0;
    for (; k + 8 <= W; k += 8) {
        const __m256i u0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper + 8 * k));
        const __m256i l0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower + 8 * k));
        const __m256i u1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper + 8 * k + 32));
        const __m256i l1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower + 8 * k + 32));
        // Within each 128-bit lane as in the SSE2 steps: lane 0 makes
        // destination pixels 0, 1 (and 4, 5), lane 1 pixels 2, 3 (and 6, 7).
        const __m256i a0 = _mm256_add_epi16(_mm256_unpacklo_epi8(u0, z), _mm256_unpacklo_epi8(l0, z));
        const __m256i a1 = _mm256_add_epi16(_mm256_unpackhi_epi8(u0, z), _mm256_unpackhi_epi8(l0, z));
        const __m256i b0 = _mm256_add_epi16(_mm256_unpacklo_epi8(u1, z), _mm256_unpacklo_epi8(l1, z));
        const __m256i b1 = _mm256_add_epi16(_mm256_unpackhi_epi8(u1, z), _mm256_unpackhi_epi8(l1, z));
        const __m256i sa = _mm256_add_epi16(_mm256_unpacklo_epi64(a0, a1), _mm256_unpackhi_epi64(a0, a1));
        const __m256i sb = _mm256_add_epi16(_mm256_unpacklo_epi64(b0, b1), _mm256_unpackhi_epi64(b0, b1));
        const __m256i qa = _mm256_mulhi_epu16(_mm256_add_epi16(sa, a), m);
        const __m256i qb = _mm256_mulhi_epu16(_mm256_add_epi16(sb, a), m);
        // Packed: pixels 0 1 | 4 5 | 2 3 | 6 7, put in order.
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(qa, qb), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(drow + 4 * k), packed);
    }
    return k;
}
