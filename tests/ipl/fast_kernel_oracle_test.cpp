// Fast kernels against the scalar kernels they replace, byte for byte, on
// random images and geometries.
#include "ipl/own_super.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// A random 8u pixel-order source and a decimation geometry: scale factors
// from whole numbers (the exact path) and fractions (the float path), start
// positions at 0, whole or fractional.
struct SuperCase {
    int channels, sw, sh, xs, ys, xd, yd;
    double x0, y0;
};

TEST(FastKernelOracle, SuperSamplingExactPathEqualsTheFloatKernel)
{
    std::mt19937 rng(24);
    const SuperCase shapes[] = {
        {4, 64, 48, 2, 2, 1, 1, 0.0, 0.0},   {3, 61, 37, 3, 2, 1, 1, 0.0, 0.0},  {1, 70, 33, 4, 4, 1, 1, 0.0, 0.0},
        {4, 67, 41, 2, 3, 1, 1, 2.0, 1.0},   {2, 50, 50, 5, 1, 1, 1, 0.0, 3.0},  {4, 80, 60, 3, 2, 2, 1, 0.0, 0.0},
        {4, 64, 48, 2, 2, 1, 1, 0.5, 0.0},   {3, 45, 45, 7, 5, 2, 3, 0.25, 0.75}, {4, 600, 20, 300, 2, 1, 1, 0.0, 0.0},
        {4, 40, 300, 2, 260, 1, 1, 0.0, 0.0}, {4, 33, 17, 2, 2, 1, 1, 0.0, 0.0},
    };
    int exactRuns = 0;
    for (const SuperCase& c : shapes)
        for (int rep = 0; rep < 4; ++rep) {
            std::vector<uint8_t> src(size_t(c.sw) * c.sh * c.channels);
            for (uint8_t& v : src)
                v = static_cast<uint8_t>(rep == 0 ? 255 : rng());
            const float xScale = float(double(c.xs) / c.xd), yScale = float(double(c.ys) / c.yd);
            const int W = int((c.sw - c.x0) / xScale), H = int((c.sh - c.y0) / yScale);
            const int line = c.sw * c.channels, dLine = W * c.channels + 3;
            std::vector<uint8_t> fast(size_t(dLine) * H + 1, 7), slow(fast);
            double fx = c.x0, fy = c.y0, sx = c.x0, sy = c.y0;
            auto args = [&](uint8_t* d, double* xp, double* yp, auto kernel) {
                return kernel(src.data(), d, 1, c.channels, c.channels, W * c.channels, dLine, H * dLine, 1,
                              c.channels, line, line, line * c.sh, xScale, yScale, xp, yp);
            };
            const int r = args(fast.data(), &fx, &fy, ownDecimSuperExact_8u);
            if (r < 0)
                continue;
            ++exactRuns;
            EXPECT_EQ(args(slow.data(), &sx, &sy, ownDecimSuperFloat_8u), r);
            EXPECT_EQ(fast, slow) << c.channels << " channels, " << c.sw << "x" << c.sh << " by " << xScale << "x"
                                  << yScale << " from " << c.x0 << "," << c.y0;
            EXPECT_EQ(fx, sx);
            EXPECT_EQ(fy, sy);
        }
    EXPECT_EQ(exactRuns, 28);  // the shapes with whole-pixel boxes and 16-bit row sums
}

} // namespace
