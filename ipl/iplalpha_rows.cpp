// Row kernels of the multiply-scale family: eight 8u or 16u products per
// SSE2 step, the remainder one value at a time. Each value is loaded before
// its result is stored, so the destination may be one of the sources.
#include "ipl/own_ops.h"

#include <emmintrin.h>

namespace {

// floor(a*b/255) on eight 16-bit lanes holding 8-bit values: the product
// fits 16 bits and so does t + (t >> 8) + 1 (at most 65280).
inline __m128i scaled8(__m128i a, __m128i b)
{
    const __m128i t = _mm_mullo_epi16(a, b);
    const __m128i s = _mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(1));
    return _mm_srli_epi16(s, 8);
}

// floor(a*b/65535) on four 32-bit lanes.
inline __m128i scaled16Half(__m128i t)
{
    const __m128i s = _mm_add_epi32(_mm_add_epi32(t, _mm_srli_epi32(t, 16)), _mm_set1_epi32(1));
    return _mm_srli_epi32(s, 16);
}

// Packs the low 16 bits of each 32-bit lane (values below 65536) without
// the signed saturation of the SSE2 pack instruction.
inline __m128i packLow16(__m128i lo, __m128i hi)
{
    lo = _mm_srai_epi32(_mm_slli_epi32(lo, 16), 16);
    hi = _mm_srai_epi32(_mm_slli_epi32(hi, 16), 16);
    return _mm_packs_epi32(lo, hi);
}

inline __m128i scaled16(__m128i a, __m128i b)
{
    const __m128i lo = _mm_mullo_epi16(a, b);
    const __m128i hi = _mm_mulhi_epu16(a, b);
    const __m128i t0 = _mm_unpacklo_epi16(lo, hi);
    const __m128i t1 = _mm_unpackhi_epi16(lo, hi);
    return packLow16(scaled16Half(t0), scaled16Half(t1));
}

} // namespace

void ownMultiplyScaleRow8u(const uint8_t* a, const uint8_t* b, uint8_t* d, int n)
{
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i lo = scaled8(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero));
        const __m128i hi = scaled8(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
    }
    for (; i < n; ++i)
        d[i] = ownScaledProduct8u(a[i], b[i]);
}

void ownMultiplyScaleRowC8u(const uint8_t* s, uint8_t* d, int k, int n)
{
    int i = 0;
    const __m128i zero = _mm_setzero_si128();
    const __m128i vk = _mm_set1_epi16(static_cast<short>(k & 0xFF));
    for (; i + 16 <= n; i += 16) {
        const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i lo = scaled8(_mm_unpacklo_epi8(vs, zero), vk);
        const __m128i hi = scaled8(_mm_unpackhi_epi8(vs, zero), vk);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
    }
    for (; i < n; ++i)
        d[i] = ownScaledProduct8u(s[i], static_cast<uint32_t>(k) & 0xFF);
}

void ownMultiplyScaleRow16u(const uint16_t* a, const uint16_t* b, uint16_t* d, int n)
{
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), scaled16(va, vb));
    }
    for (; i < n; ++i)
        d[i] = ownScaledProduct16u(a[i], b[i]);
}

void ownMultiplyScaleRowC16u(const uint16_t* s, uint16_t* d, int k, int n)
{
    int i = 0;
    const __m128i vk = _mm_set1_epi16(static_cast<short>(k & 0xFFFF));
    for (; i + 8 <= n; i += 8) {
        const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), scaled16(vs, vk));
    }
    for (; i < n; ++i)
        d[i] = ownScaledProduct16u(s[i], static_cast<uint32_t>(k) & 0xFFFF);
}

namespace {

template <class T, class Product>
void preMultiplyScalar(T* row, int32_t w, int32_t nChannels, int32_t alphaIndex, Product product)
{
    for (int32_t x = 0; x < w; ++x) {
        T* p = row + int64_t(x) * nChannels;
        const uint32_t a = p[alphaIndex];
        for (int32_t c = 0; c < nChannels; ++c)
            if (c != alphaIndex)
                p[c] = product(p[c], a);
    }
}

} // namespace

void ownPreMultiplyRowPixel(uint8_t* row, int32_t w, int32_t nChannels, int32_t alphaIndex)
{
    int32_t x = 0;
    if (nChannels == 4 && alphaIndex == 3) {
        // Four pixels per step: the alpha of each pixel spread over its four
        // lanes, 255 in the alpha lane itself so that the alpha stays.
        const __m128i zero = _mm_setzero_si128();
        const __m128i alphaLane = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
        const __m128i colourMask = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
        for (; x + 4 <= w; x += 4) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 4 * x));
            __m128i lo = _mm_unpacklo_epi8(v, zero), hi = _mm_unpackhi_epi8(v, zero);
            __m128i alo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(lo, 0xFF), 0xFF);
            __m128i ahi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(hi, 0xFF), 0xFF);
            alo = _mm_or_si128(_mm_and_si128(alo, colourMask), alphaLane);
            ahi = _mm_or_si128(_mm_and_si128(ahi, colourMask), alphaLane);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 4 * x),
                             _mm_packus_epi16(scaled8(lo, alo), scaled8(hi, ahi)));
        }
    }
    preMultiplyScalar(row + int64_t(x) * nChannels, w - x, nChannels, alphaIndex,
                      [](uint32_t v, uint32_t a) { return ownScaledProduct8u(v, a); });
}

void ownPreMultiplyRowPixel(uint16_t* row, int32_t w, int32_t nChannels, int32_t alphaIndex)
{
    preMultiplyScalar(row, w, nChannels, alphaIndex, [](uint32_t v, uint32_t a) { return ownScaledProduct16u(v, a); });
}
