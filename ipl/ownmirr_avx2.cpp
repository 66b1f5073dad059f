// The mirror's wide moves for processors with AVX2 (chosen at run time):
// the same exchanges as the SSE2 kernels, thirty-two bytes at a time. Only
// where both sides can be brought to 32-byte boundaries together: vectors
// that straddle cache lines make it slower than the narrow kernels.
#include "ipl/own_mirror.h"

#include <cstring>

#pragma GCC target("avx2")
#include <immintrin.h>

namespace {

inline bool aligned32(const unsigned char* p) { return reinterpret_cast<uintptr_t>(p) % 32 == 0; }

} // namespace

size_t ownSwapRowsAvx2(unsigned char* a, unsigned char* b, size_t n)
{
    size_t k = (32 - reinterpret_cast<uintptr_t>(a) % 32) % 32;
    if (k > n || !aligned32(b + k))
        return 0;
    for (size_t i = 0; i < k; ++i) {
        const unsigned char t = a[i];
        a[i] = b[i];
        b[i] = t;
    }
    for (; k + 64 <= n; k += 64) {
        const __m256i a0 = _mm256_load_si256(reinterpret_cast<const __m256i*>(a + k));
        const __m256i a1 = _mm256_load_si256(reinterpret_cast<const __m256i*>(a + k + 32));
        const __m256i b0 = _mm256_load_si256(reinterpret_cast<const __m256i*>(b + k));
        const __m256i b1 = _mm256_load_si256(reinterpret_cast<const __m256i*>(b + k + 32));
        _mm256_store_si256(reinterpret_cast<__m256i*>(a + k), b0);
        _mm256_store_si256(reinterpret_cast<__m256i*>(a + k + 32), b1);
        _mm256_store_si256(reinterpret_cast<__m256i*>(b + k), a0);
        _mm256_store_si256(reinterpret_cast<__m256i*>(b + k + 32), a1);
    }
    for (; k + 32 <= n; k += 32) {
        const __m256i va = _mm256_load_si256(reinterpret_cast<const __m256i*>(a + k));
        const __m256i vb = _mm256_load_si256(reinterpret_cast<const __m256i*>(b + k));
        _mm256_store_si256(reinterpret_cast<__m256i*>(a + k), vb);
        _mm256_store_si256(reinterpret_cast<__m256i*>(b + k), va);
    }
    return k;
}

int32_t ownSwapReversed4Avx2(unsigned char* A, unsigned char* B, int32_t w)
{
    if (reinterpret_cast<uintptr_t>(A) % 4 != 0)
        return 0;
    // The first few pixel pairs one by one, so that A's side starts on a
    // boundary; B's side must then be on one too.
    const int32_t peel = static_cast<int32_t>((32 - reinterpret_cast<uintptr_t>(A) % 32) % 32 / 4);
    const bool same = A == B;
    const int32_t end = same ? w / 2 : w;
    if (peel + 16 > end || (same && 2 * (peel + 16) > w) || !aligned32(B + int64_t(w - peel - 16) * 4))
        return 0;
    int32_t lo = 0, hi = w;
    for (; lo < peel; ++lo, --hi) {
        uint32_t a, b;
        std::memcpy(&a, A + int64_t(lo) * 4, 4);
        std::memcpy(&b, B + int64_t(hi - 1) * 4, 4);
        std::memcpy(A + int64_t(lo) * 4, &b, 4);
        std::memcpy(B + int64_t(hi - 1) * 4, &a, 4);
    }
    const __m256i reverse = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
    while (lo + 16 <= end && (!same || lo + 16 <= hi - 16)) {
        unsigned char* a = A + int64_t(lo) * 4;
        unsigned char* b = B + int64_t(hi - 16) * 4;
        const __m256i a0 = _mm256_load_si256(reinterpret_cast<const __m256i*>(a));
        const __m256i a1 = _mm256_load_si256(reinterpret_cast<const __m256i*>(a + 32));
        const __m256i b0 = _mm256_load_si256(reinterpret_cast<const __m256i*>(b));
        const __m256i b1 = _mm256_load_si256(reinterpret_cast<const __m256i*>(b + 32));
        _mm256_store_si256(reinterpret_cast<__m256i*>(a), _mm256_permutevar8x32_epi32(b1, reverse));
        _mm256_store_si256(reinterpret_cast<__m256i*>(a + 32), _mm256_permutevar8x32_epi32(b0, reverse));
        _mm256_store_si256(reinterpret_cast<__m256i*>(b), _mm256_permutevar8x32_epi32(a1, reverse));
        _mm256_store_si256(reinterpret_cast<__m256i*>(b + 32), _mm256_permutevar8x32_epi32(a0, reverse));
        lo += 16;
        hi -= 16;
    }
    return lo;
}
