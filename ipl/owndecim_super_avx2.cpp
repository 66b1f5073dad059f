// The halving of four-channel 8u rows in super-sampling decimation for
// processors with AVX2 (chosen at run time): the same 16-bit sums (of the
// same four samples) and the same multiply as the SSE2 steps, eight
// destination pixels a step.
#include "ipl/own_super.h"

#pragma GCC target("avx2")
#include <immintrin.h>

int32_t ownSuperPairsFromRowsAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* drow, int32_t W, uint16_t add,
                                  uint16_t mul)
{
    const __m256i a = _mm256_set1_epi16(static_cast<short>(add)), m = _mm256_set1_epi16(static_cast<short>(mul));
    // Each channel of two neighbouring pixels side by side, then summed in
    // pairs by a multiply-add with ones: one shuffle where unpacking took
    // four, as shuffles have one execution unit on many processors.
    const __m256i neighbours = _mm256_broadcastsi128_si256(
        _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15));
    const __m256i ones = _mm256_set1_epi8(1);
    auto sums = [&](const uint8_t* u, const uint8_t* l) {
        const __m256i su = _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(u)), neighbours);
        const __m256i sl = _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(l)), neighbours);
        return _mm256_add_epi16(_mm256_maddubs_epi16(su, ones), _mm256_maddubs_epi16(sl, ones));
    };
    int32_t k = 0;
    for (; k + 8 <= W; k += 8) {
        // Lane 0 makes destination pixels 0, 1 (and 4, 5), lane 1 pixels 2, 3
        // (and 6, 7), as in the SSE2 steps.
        const __m256i qa = _mm256_mulhi_epu16(_mm256_add_epi16(sums(upper + 8 * k, lower + 8 * k), a), m);
        const __m256i qb = _mm256_mulhi_epu16(_mm256_add_epi16(sums(upper + 8 * k + 32, lower + 8 * k + 32), a), m);
        // Packed: pixels 0 1 | 4 5 | 2 3 | 6 7, put in order.
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(qa, qb), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(drow + 4 * k), packed);
    }
    return k;
}
