// Fast kernels against the scalar kernels they replace, byte for byte, on
// random images and geometries.
#include "ipl/ipl.h"
#include "ipl/own_decim_cubic.h"
#include "ipl/own_ops.h"
#include "ipl/own_super.h"
#include "ipl/own_twist.h"
#include "ipl/own_zoom_sse.h"
#include "ipl/owncpu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Every vector level the processor has, then back to the highest.
template <class F>
void forEachLevel(F body)
{
    const OwnVectorLevel top = ownVectorLevel();
    for (OwnVectorLevel level : {OwnVectorLevel::kSse2, OwnVectorLevel::kAvx, OwnVectorLevel::kAvx2}) {
        if (static_cast<int>(level) > static_cast<int>(top))
            break;
        ownCapVectorLevel(level);
        body(level);
    }
    ownCapVectorLevel(OwnVectorLevel::kAvx2);
}

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
        {4, 40, 300, 2, 260, 1, 1, 0.0, 0.0}, {4, 33, 17, 2, 2, 1, 1, 0.0, 0.0},  {4, 30, 12, 2, 2, 1, 1, 0.0, 0.0},
    };
    int exactRuns = 0;
    forEachLevel([&](OwnVectorLevel) {
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
    });
    // The shapes with whole-pixel boxes and 16-bit row sums, at every level.
    EXPECT_EQ(exactRuns % 32, 0);
    EXPECT_GE(exactRuns, 32);
}

// Two-axis cubic decimation of 8u pixels (1-4 channels of pixels of up to
// four values, regions anywhere in the image, the far edges included; rows
// of three-byte pixels of every length, taken four pixels at a time).
TEST(FastKernelOracle, CubicIntegerTapRowsEqualThePlainKernel)
{
    ::testing::Test::RecordProperty("vector_level", static_cast<int>(ownVectorLevel()));
    std::mt19937 rng(11);
    const float scales[] = {1.5f, 3.90625f, 2.0f / 1.3f, 4.0f, 7.25f};
    int rows = 0;
    forEachLevel([&](OwnVectorLevel level) {
        // The row kernel takes pixel-order rows of every width up to four.
        const std::vector<uint8_t> taps(64, 100);
        const OwnCubicColumn col{4, {0.5, 0.25, 0.125}};
        uint8_t px[4] = {};
        for (int pix = 1; pix <= 4; ++pix)
            EXPECT_TRUE(ownDecimCubicRow8u(taps.data() + 16, 16, 48, pix, &col, 1, pix, col.f, px, pix));
        for (int rep = 0; rep < 120; ++rep) {
            const int pix = 1 + int(rng() % 4), channels = 1 + int(rng() % pix);
            const int width = 8 + int(rng() % 40), height = 8 + int(rng() % 30);
            const int line = width * pix + int(rng() % 3);
            std::vector<uint8_t> src(size_t(line) * height);
            for (uint8_t& v : src)
                v = static_cast<uint8_t>(rep % 7 == 0 ? (rng() % 2) * 255 : rng());
            const int x = int(rng() % 3), y = int(rng() % 3);
            const float xs = scales[rng() % 5], ys = scales[rng() % 5];
            // Starts at 0 or past the first tap; positions stay before the last pixel.
            const double x0 = (rng() % 2) ? 0.0 : 1.25, y0 = (rng() % 2) ? 0.0 : 1.5;
            const int W = std::max(1, int((width - x - 1 - x0) / xs)), H = std::max(1, int((height - y - 1 - y0) / ys));
            const int dPix = channels + int(rng() % 2), dLine = W * dPix + 1;
            std::vector<uint8_t> fast(size_t(dLine) * H, 9), plain(fast);
            double fx = x0, fy = y0, px = x0, py = y0;
            const uint8_t* s = src.data() + size_t(y) * line + size_t(x) * pix;
            auto run = [&](uint8_t* d, double* xp, double* yp, auto kernel) {
                kernel(s, d, 1, channels, dPix, W * dPix, dLine, H * dLine, 1, pix, (width - x) * pix, line,
                       (height - y) * line, xs, ys, xp, yp);
            };
            run(fast.data(), &fx, &fy, ownDecimCubic_8u);
            run(plain.data(), &px, &py, ownDecimCubicPlain_8u);
            ASSERT_EQ(fast, plain) << "level " << int(level) << ": " << channels << " of " << pix << " channels, "
                                   << width << "x" << height << " at " << x << "," << y << " by " << xs << "x" << ys;
            EXPECT_EQ(fx, px);
            EXPECT_EQ(fy, py);
            rows += H;
        }
    });
    EXPECT_GT(rows, 0);
}

// The colour twist of four-byte 8u pixels four at a time against the pixel
// kernels: random weights from small to the extremes of 32 bits, every
// exponent, offsets beyond the range, rows of every length up to 19.
TEST(FastKernelOracle, TwistOfFourBytePixelsEqualsThePixelKernels)
{
    std::mt19937 rng(3);
    const int32_t extremes[] = {INT32_MIN, INT32_MAX, -1, 0, 1, 1 << 24, -(1 << 24)};
    forEachLevel([&](OwnVectorLevel) {
        for (int rep = 0; rep < 400; ++rep) {
            int32_t data[16] = {};
            for (int i = 0; i < 12; ++i) {
                const uint32_t pick = rng() % 4;
                data[i] = pick == 0 ? extremes[rng() % 7]
                                    : static_cast<int32_t>(rng()) >> (pick == 1 ? 0 : 8 + int(rng() % 20));
            }
            IplColorTwist* twist = iplCreateColorTwist(data, int32_t(rng() % 32));
            ASSERT_NE(twist, nullptr);
            OwnTwistCoeffs k;
            ownTwistPrepare(twist, int32_t(rng() % 601) - 300, false, &k);
            iplDeleteColorTwist(twist);
            const int n = 1 + rep % 19;
            std::vector<uint8_t> src(size_t(4) * n), fast(src.size()), slow(src.size());
            for (size_t i = 0; i < src.size(); ++i) {
                src[i] = static_cast<uint8_t>(rng());
                fast[i] = slow[i] = static_cast<uint8_t>(rng());
            }
            ownTwistRowPixel(src.data(), fast.data(), n, 4, 4, k);
            ownTwistRowPixelScalar(src.data(), slow.data(), n, 4, 4, k);
            ASSERT_EQ(fast, slow) << "case " << rep;
            std::vector<uint8_t> inPlace = src;
            ownTwistRowPixel(inPlace.data(), inPlace.data(), n, 4, 4, k);
            for (size_t i = 0; i < src.size(); ++i) {
                if (i % 4 != 3) {
                    ASSERT_EQ(inPlace[i], slow[i]) << "in place, case " << rep;
                }
            }
        }
    });
}

// In-place mirrors of four-byte pixels (pairs of vectors swapped from both
// ends) against the out-of-place copy, over widths around the vector sizes
// and regions starting at every pixel offset from the vectors' boundaries.
TEST(FastKernelOracle, InPlaceMirrorOfWidePixelsEqualsTheCopy)
{
    std::mt19937 rng(5);
    forEachLevel([&](OwnVectorLevel level) {
        for (int width = 1; width <= 90; width += width < 40 ? 1 : 7)
            for (int flip : {0, 1, -1}) {
                const int height = 1 + int(rng() % 5), skip = width > 8 ? int(rng() % 8) : 0;
                auto make = [&] {
                    IplImage* im = iplCreateImageHeader(4, 0, IPL_DEPTH_8U, "RGBA", "BGRA", IPL_DATA_ORDER_PIXEL,
                                                        IPL_ORIGIN_TL, 4, width, height, nullptr, nullptr, nullptr,
                                                        nullptr);
                    iplAllocateImage(im, 0, 0);
                    im->roi = iplCreateROI(0, skip, 0, width - skip, height);
                    return im;
                };
                IplImage* im = make();
                IplImage* out = make();
                for (int i = 0; i < im->imageSize; ++i)
                    im->imageData[i] = out->imageData[i] = static_cast<char>(rng());
                iplMirror(im, out, flip);
                iplMirror(im, im, flip);
                EXPECT_EQ(std::memcmp(im->imageData, out->imageData, size_t(im->imageSize)), 0)
                    << width << "x" << height << " from " << skip << " flip " << flip << " level " << int(level);
                iplDeallocate(im, IPL_IMAGE_ALL);  // the region goes with the image
                iplDeallocate(out, IPL_IMAGE_ALL);
            }
    });
}

// The linear zoom's passes over four-byte pixels against their fixed-point
// formulas, at every vector level, over rows of every length up to 40: the
// horizontal pass from random columns and weights into four buffered values
// a pixel, the vertical pass into pixels (three values stored, the fourth
// byte kept).
TEST(FastKernelOracle, LinearZoomRowsOfFourBytePixelsFollowTheFormulas)
{
    std::mt19937 rng(40);
    forEachLevel([&](OwnVectorLevel level) {
        for (int rep = 0; rep < 200; ++rep) {
            const int W = 1 + rep % 40, sourceWidth = 30;
            std::vector<uint8_t> row(size_t(4) * sourceWidth);
            for (uint8_t& v : row)
                v = static_cast<uint8_t>(rng());
            std::vector<int32_t> colTab(static_cast<size_t>(W));
            std::vector<uint16_t> wx(size_t(2) * W), h(size_t(4) * W + 1);
            for (int i = 0; i < W; ++i) {
                colTab[i] = 4 * int32_t(rng() % (sourceWidth - 1));
                wx[2 * i] = static_cast<uint16_t>(rng() % 16385);  // weight pairs add up to 16384
                wx[2 * i + 1] = static_cast<uint16_t>(16384 - wx[2 * i]);
            }
            const int32_t done = ownZoomLinearHorizontal8uC4(row.data(), h.data(), colTab.data(), wx.data(), W, 4);
            for (int32_t e = 0; e < 4 * done; ++e) {
                const int i = e / 4, c = e % 4;
                const uint32_t left = row[colTab[i] + c], right = row[colTab[i] + c + 4];
                const uint32_t want = (uint32_t(wx[2 * i]) * left + uint32_t(wx[2 * i + 1]) * right) >> 8;
                ASSERT_EQ(h[e], want) << "level " << int(level) << ", " << W << " pixels, value " << e;
            }
        }
        for (int rep = 0; rep < 200; ++rep) {
            const int W = 1 + rep % 40;
            const uint32_t wy = rep % 9 == 0 ? 16384u * (rep % 2) : uint32_t(rng() % 16385);
            std::vector<uint16_t> upper(size_t(4) * W), lower(upper.size());
            for (size_t e = 0; e < upper.size(); ++e) {
                upper[e] = static_cast<uint16_t>(rng() % (255 * 64 + 1));
                lower[e] = static_cast<uint16_t>(rng() % (255 * 64 + 1));
            }
            std::vector<uint8_t> dst(size_t(4) * W);
            for (uint8_t& v : dst)
                v = static_cast<uint8_t>(rng());
            const std::vector<uint8_t> before = dst;
            const int32_t done = ownZoomLinearVertical8uStore3of4(upper.data(), lower.data(), dst.data(), W, wy);
            ASSERT_EQ(done % 4, 0);
            for (int32_t e = 0; e < 4 * done; ++e) {
                const uint32_t want = e % 4 == 3 ? before[e] : ((16384u - wy) * upper[e] + wy * lower[e]) >> 20;
                ASSERT_EQ(dst[e], want) << "level " << int(level) << ", " << W << " pixels, value " << e;
            }
        }
    });
}

// The nearest-neighbour zoom of four-byte pixels (three values and the
// fourth byte kept, or all four) at every vector level against the pixel
// copy: enlarging, shrinking and near-identity factors, widths around the
// vector steps, source regions ending at the image's last column.
TEST(FastKernelOracle, NearestZoomOfFourBytePixelsEqualsThePixelCopy)
{
    std::mt19937 rng(41);
    const int factors[][2] = {{4, 1}, {3, 1}, {5, 2}, {1, 1}, {7, 8}, {2, 3}, {1, 2}, {1, 5}, {13, 4}};
    for (int rep = 0; rep < 120; ++rep) {
        const int* f = factors[rep % 9];
        const int alpha = rep % 2 ? 4 : 0, sw = 1 + int(rng() % 40), sh = 1 + int(rng() % 6);
        const int skip = sw > 2 ? int(rng() % 3) : 0;
        auto make = [&](int w, int h) {
            IplImage* im = iplCreateImageHeader(4, alpha, IPL_DEPTH_8U, "RGBA", "BGRA", IPL_DATA_ORDER_PIXEL,
                                                IPL_ORIGIN_TL, 4, w, h, nullptr, nullptr, nullptr, nullptr);
            iplAllocateImage(im, 0, 0);
            for (int i = 0; i < im->imageSize; ++i)
                im->imageData[i] = static_cast<char>(rng());
            return im;
        };
        IplImage* src = make(sw, sh);
        src->roi = iplCreateROI(0, skip, 0, sw - skip, sh);
        IplImage* dst = make(1 + (sw - skip) * f[0] / f[1] + int(rng() % 3), 1 + sh * f[0] / f[1]);
        const std::vector<char> before(dst->imageData, dst->imageData + dst->imageSize);
        std::vector<char> plain;
        forEachLevel([&](OwnVectorLevel level) {
            std::copy(before.begin(), before.end(), dst->imageData);
            iplResize(src, dst, f[0], f[1], f[0], f[1], IPL_INTER_NN);
            const std::vector<char> out(dst->imageData, dst->imageData + dst->imageSize);
            if (level == OwnVectorLevel::kSse2)
                plain = out;
            else
                EXPECT_EQ(out, plain) << "level " << int(level) << ", " << sw << "x" << sh << " from " << skip
                                      << " by " << f[0] << "/" << f[1] << ", alpha " << alpha;
        });
        iplDeallocate(src, IPL_IMAGE_ALL);
        iplDeallocate(dst, IPL_IMAGE_ALL);
    }
}

// Point sampling of four-byte pixels at every other source pixel thins out
// whole vectors; the oracle is the pixel copy, taken when the destination's
// pixels are five bytes apart. Widths around the vector steps, starts at
// whole and half pixels.
TEST(FastKernelOracle, HalvingPointSamplesEqualThePixelCopy)
{
    std::mt19937 rng(12);
    for (int width = 2; width <= 40; ++width)
        for (double x0 : {0.0, 0.5, 1.0}) {
            const int height = 4, line = width * 4 + 3;
            std::vector<uint8_t> src(size_t(line) * height);
            for (uint8_t& v : src)
                v = static_cast<uint8_t>(rng());
            const int W = int((width - x0) / 2.0), H = 2;
            if (W <= 0)
                continue;
            std::vector<uint8_t> fast(size_t(W) * 4 * H), slow(size_t(W) * 5 * H);
            double fx = x0, fy = 0.0, sx = x0, sy = 0.0;
            auto sample = [&](uint8_t* d, int dPix, double* xp, double* yp) {
                ownDecimNN_8u(src.data(), d, 1, 4, dPix, W * dPix, W * dPix, W * dPix * H, 1, 4, line, line,
                              line * height, 2.0f, 2.0f, xp, yp);
            };
            sample(fast.data(), 4, &fx, &fy);
            sample(slow.data(), 5, &sx, &sy);
            for (int m = 0; m < H; ++m)
                for (int k = 0; k < W; ++k) {
                    const uint8_t* f = &fast[(size_t(m) * W + size_t(k)) * 4];
                    const uint8_t* e = &slow[(size_t(m) * W + size_t(k)) * 5];
                    ASSERT_EQ(std::memcmp(f, e, 4), 0) << width << " wide from " << x0 << ", pixel " << k << " of row " << m;
                }
            EXPECT_EQ(fx, sx);
            EXPECT_EQ(fy, sy);
        }
}

// The operations take the vector paths of the processor they run on: every
// path the level allows is counted by one call of its operation. Run under
// Wine by the Windows build, this shows the i686 program takes them too.
TEST(FastKernelOracle, OperationsTakeTheVectorPathsOfTheProcessor)
{
    auto make = [](int channels, int width, int height) {
        IplImage* im = iplCreateImageHeader(channels, 0, IPL_DEPTH_8U, "RGB", channels == 4 ? "BGRA" : "BGR",
                                            IPL_DATA_ORDER_PIXEL, IPL_ORIGIN_TL, 32, width, height, nullptr, nullptr,
                                            nullptr, nullptr);
        iplAllocateImage(im, 1, 77);
        return im;
    };
    IplImage* bgra = make(4, 64, 32);
    IplImage* half = make(4, 32, 16);
    IplImage* bgr = make(3, 250, 188);
    IplImage* small = make(3, 64, 48);
    int32_t data[16] = {1 << 23, 1 << 22, 0, 0, 0, 1 << 24, 0, 0, 1 << 21, 0, 1 << 23, 0};
    IplColorTwist* twist = iplCreateColorTwist(data, 24);
    const struct {
        OwnFastPath path;
        OwnVectorLevel needs;
    } paths[] = {
        {OwnFastPath::kMirrorVectors, OwnVectorLevel::kSse2},
        {OwnFastPath::kMirrorAvx2, OwnVectorLevel::kAvx2},
        {OwnFastPath::kSuperIntegers, OwnVectorLevel::kSse2},
        {OwnFastPath::kSuperHalvingPairs, OwnVectorLevel::kSse2},
        {OwnFastPath::kSuperHalvingAvx2, OwnVectorLevel::kAvx2},
        {OwnFastPath::kCubicIntegerTaps, OwnVectorLevel::kSse2},
        {OwnFastPath::kCubicIntegerTapsAvx, OwnVectorLevel::kAvx},
        {OwnFastPath::kCubicIntegerTapsAvx2, OwnVectorLevel::kAvx2},
        {OwnFastPath::kTwistQuads, OwnVectorLevel::kSse2},
        {OwnFastPath::kTwistQuadsAvx, OwnVectorLevel::kAvx},
        {OwnFastPath::kNearestShufflesAvx2, OwnVectorLevel::kAvx2},
        {OwnFastPath::kZoomLinearAvx2, OwnVectorLevel::kAvx2},
    };
    std::string taken;
    const OwnVectorLevel top = ownVectorLevel();
    forEachLevel([&](OwnVectorLevel level) {
        unsigned before[static_cast<int>(OwnFastPath::kCount)];
        for (const auto& p : paths)
            before[static_cast<int>(p.path)] = ownFastPathCount(p.path);
        iplMirror(bgra, bgra, 0);
        iplMirror(bgra, bgra, 1);
        iplDecimate(bgra, half, 1, 2, 1, 2, IPL_INTER_SUPER);
        iplDecimate(bgr, small, 32, 125, 32, 125, IPL_INTER_CUBIC);
        iplApplyColorTwist(bgra, bgra, twist, 0);
        iplResize(half, bgra, 2, 1, 2, 1, IPL_INTER_NN);
        iplResize(half, bgra, 2, 1, 2, 1, IPL_INTER_LINEAR);
        for (const auto& p : paths) {
            const bool counted = ownFastPathCount(p.path) > before[static_cast<int>(p.path)];
            EXPECT_EQ(counted, static_cast<int>(level) >= static_cast<int>(p.needs))
                << ownFastPathName(p.path) << " at level " << ownVectorLevelName(level);
            if (counted && level == top)
                taken += std::string(taken.empty() ? "" : ", ") + ownFastPathName(p.path);
        }
    });
    // The paths of the highest level, in the test's output and its report.
    std::printf("vector level %s: %s\n", ownVectorLevelName(top), taken.c_str());
    ::testing::Test::RecordProperty("fast_paths", taken);
    iplDeleteColorTwist(twist);
    for (IplImage* im : {bgra, half, bgr, small})
        iplDeallocate(im, IPL_IMAGE_ALL);
}

} // namespace
