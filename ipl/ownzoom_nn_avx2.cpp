// Nearest-neighbour rows of four-byte pixels for processors with AVX2
// (chosen at run time): each group of four destination pixels is one byte
// shuffle of the sixteen source bytes it starts from, two groups a step.
// The same bytes as the pixel copy.
#include "ipl/own_zoom_sse.h"

#include <cstring>

#pragma GCC target("avx2")
#include <immintrin.h>

namespace {

template <bool KeepFourth>
inline void copyPixel(const uint8_t* s, uint8_t* d)
{
    if (!KeepFourth) {
        std::memcpy(d, s, 4);
        return;
    }
    uint32_t sv, dv;
    std::memcpy(&sv, s, 4);
    std::memcpy(&dv, d, 4);
    dv = (sv & 0x00FFFFFFu) | (dv & 0xFF000000u);
    std::memcpy(d, &dv, 4);
}

template <bool KeepFourth>
void shuffleRow(const uint8_t* sRow, uint8_t* dRow, const int32_t* colTab, int32_t W, const OwnNNShuffles& plan)
{
    const __m256i keep = _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u));
    const int32_t pairs = W / 8;
    for (int32_t q = 0; q < pairs; ++q) {
        const int32_t a = plan.start[2 * q], b = plan.start[2 * q + 1];
        uint8_t* d = dRow + 32 * static_cast<int64_t>(q);
        if (a < 0 || b < 0) {
            for (int32_t k = 0; k < 8; ++k)
                copyPixel<KeepFourth>(sRow + colTab[8 * q + k], d + 4 * k);
            continue;
        }
        const __m256i s = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sRow + a))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sRow + b)), 1);
        __m256i v = _mm256_shuffle_epi8(s, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(plan.control + 32 * q)));
        if (KeepFourth)
            v = _mm256_blendv_epi8(v, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d)), keep);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v);
    }
    for (int32_t i = 8 * pairs; i < W; ++i)
        copyPixel<KeepFourth>(sRow + colTab[i], dRow + 4 * static_cast<int64_t>(i));
}

} // namespace

void ownZoomNNRowShufflesAvx2(const uint8_t* sRow, uint8_t* dRow, const int32_t* colTab, int32_t W,
                              const OwnNNShuffles& plan, bool keepFourth)
{
    if (keepFourth)
        shuffleRow<true>(sRow, dRow, colTab, W, plan);
    else
        shuffleRow<false>(sRow, dRow, colTab, W, plan);
}

int32_t ownZoomStore3of4Avx2(const uint8_t* run, uint8_t* dst, int32_t W)
{
    const __m256i keep = _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u));
    int32_t i = 0;
    for (; i + 8 <= W; i += 8) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(run + 4 * i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + 4 * i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * i), _mm256_blendv_epi8(v, d, keep));
    }
    return i;
}
