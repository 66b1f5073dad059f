// The multiply-scale row kernels against the exact quotient floor(a*b/max).
#include "ipl/own_ops.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

TEST(MultiplyScaleRows, ScaledProduct8uIsFloorOfQuotientForAllPairs)
{
    std::vector<uint8_t> a(256), b(256), d(256);
    for (uint32_t x = 0; x < 256; ++x) {
        for (uint32_t y = 0; y < 256; ++y) {
            a[y] = static_cast<uint8_t>(x);
            b[y] = static_cast<uint8_t>(y);
        }
        ownMultiplyScaleRow8u(a.data(), b.data(), d.data(), 256);
        for (uint32_t y = 0; y < 256; ++y) {
            ASSERT_EQ(d[y], x * y / 255) << x << " x " << y;
            ASSERT_EQ(ownScaledProduct8u(x, y), x * y / 255);
        }
        ownMultiplyScaleRowC8u(b.data(), d.data(), static_cast<int>(x), 256);
        for (uint32_t y = 0; y < 256; ++y)
            ASSERT_EQ(d[y], x * y / 255) << x << " x " << y;
    }
}

TEST(MultiplyScaleRows, WorkedExamplesGiveTheirValues)
{
    struct Case { uint32_t a, b, want; };
    const Case c8[] = {{255, 255, 255}, {128, 128, 64}, {1, 128, 0}, {1, 255, 1}, {254, 254, 253}, {200, 100, 78}};
    for (const Case& c : c8)
        EXPECT_EQ(ownScaledProduct8u(c.a, c.b), c.want);
    const Case c16[] = {{65535, 65535, 65535}, {32768, 32768, 16384}, {65535, 1, 1}, {1, 1, 0}, {40000, 30000, 18310}};
    for (const Case& c : c16) {
        EXPECT_EQ(ownScaledProduct16u(c.a, c.b), c.want);
        std::vector<uint16_t> a(19, static_cast<uint16_t>(c.a)), b(19, static_cast<uint16_t>(c.b)), d(19);
        ownMultiplyScaleRow16u(a.data(), b.data(), d.data(), 19);
        for (uint16_t v : d)
            EXPECT_EQ(v, c.want);
    }
}

TEST(MultiplyScaleRows, Product16uMatchesQuotientOnRandomPairsAndEdges)
{
    std::mt19937 rng(7);
    const int n = 4099;
    std::vector<uint16_t> a(n), b(n), d(n);
    for (int i = 0; i < n; ++i) {
        a[i] = static_cast<uint16_t>(i < 64 ? 65535 - i : rng());
        b[i] = static_cast<uint16_t>(i < 32 ? 65535 : rng());
    }
    ownMultiplyScaleRow16u(a.data(), b.data(), d.data(), n);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(d[i], uint64_t(a[i]) * b[i] / 65535) << i;
    ownMultiplyScaleRowC16u(a.data(), d.data(), 65535, n);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(d[i], a[i]);
}

TEST(MultiplyScaleRows, DestinationMayBeASource)
{
    std::vector<uint8_t> a(37), b(37);
    for (int i = 0; i < 37; ++i) {
        a[i] = static_cast<uint8_t>(i * 7);
        b[i] = static_cast<uint8_t>(255 - i);
    }
    std::vector<uint8_t> want(37);
    for (int i = 0; i < 37; ++i)
        want[i] = static_cast<uint8_t>(a[i] * b[i] / 255);
    ownMultiplyScaleRow8u(a.data(), b.data(), b.data(), 37);
    EXPECT_EQ(b, want);
}
