// iplZoom and iplResize: tables, row kernels, masks, regions and tiles.
#include "ipl/ipl.h"
#include "ipl/own_ops.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace ipltest;

namespace {

int R(double v) { return ownZoomRound(v); }

// Linear 8u of one destination pixel straight from the formulas: the same
// positions and weights, without buffers or row reuse.
struct Axis {
    std::vector<int> index;
    std::vector<double> frac;
};

Axis linearAxis(int n, double step, int last)
{
    Axis a;
    double pos = 0;
    for (int i = 0; i < n; ++i, pos += step) {
        int ix = R(pos);
        double f = pos - ix;
        if (ix >= last) {
            ix = last - 1;
            f = 1.0;
        }
        a.index.push_back(ix);
        a.frac.push_back(f);
    }
    return a;
}

uint32_t w16(double f) { return f >= 1.0 ? 16384u : static_cast<uint32_t>(std::min(16384, std::max(0, R(f * 16384)))); }

} // namespace

TEST(Zoom, LinearEightBitFollowsTheFixedPointFormula)
{
    for (int32_t order : {0, 1})
        for (int32_t chans : {1, 3, 4, 5}) {
            const int32_t alpha = chans == 5 ? 4 : 0;
            const int32_t ch = chans == 5 ? 3 : chans;
            Image src = makeImage(IPL_DEPTH_8U, alpha ? 4 : ch, alpha, order, 13, 9);
            fillRandom(src.get(), 3);
            const int32_t xd = 5, xs = 3, yd = 7, ys = 4;
            const int W = R(13.0 / (double(xs) / xd)), H = R(9.0 / (double(ys) / yd));
            Image dst = makeImage(IPL_DEPTH_8U, alpha ? 4 : ch, alpha, order, W, H);
            iplZoom(src.get(), dst.get(), xd, xs, yd, ys, IPL_INTER_LINEAR);
            ASSERT_EQ(iplGetErrStatus(), 0);
            const double dW = (13.0 / xs) * xd, dH = (9.0 / ys) * yd;
            const Axis ax = linearAxis(W, 12.0 / (dW - 1), 12), ay = linearAxis(H, 8.0 / (dH - 1), 8);
            for (int k = 0; k < ch; ++k)
                for (int j = 0; j < H; ++j)
                    for (int i = 0; i < W; ++i) {
                        const uint32_t b = w16(ax.frac[i]), a = 16384 - b, wy = w16(ay.frac[j]);
                        auto h = [&](int row) {
                            return (a * uint32_t(valueOf(src.get(), ax.index[i], row, k)) +
                                    b * uint32_t(valueOf(src.get(), ax.index[i] + 1, row, k))) >> 8;
                        };
                        const uint32_t want = ((16384 - wy) * h(ay.index[j]) + wy * h(ay.index[j] + 1)) >> 20;
                        ASSERT_EQ(valueOf(dst.get(), i, j, k), want) << i << "," << j << "," << k << " order " << order;
                    }
        }
}

TEST(Zoom, LinearCornersOfATwoByTwoRegionAreExact)
{
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 6, 6);
    fillRandom(src.get(), 4);
    src->roi = iplCreateROI(0, 2, 2, 2, 2);
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 6, 6);
    iplZoom(src.get(), dst.get(), 3, 1, 3, 1, IPL_INTER_LINEAR);
    EXPECT_EQ(valueOf(dst.get(), 0, 0, 0), valueOf(src.get(), 2, 2, 0));
    EXPECT_EQ(valueOf(dst.get(), 5, 0, 0), valueOf(src.get(), 3, 2, 0));
    EXPECT_EQ(valueOf(dst.get(), 0, 5, 0), valueOf(src.get(), 2, 3, 0));
    EXPECT_EQ(valueOf(dst.get(), 5, 5, 0), valueOf(src.get(), 3, 3, 0));
}

TEST(Zoom, LinearExactPositionsKeepEveryValue)
{
    // Pair (16384, 0): h = 64 p, out = p for every 8u value; 16u loses its lowest bit.
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 256, 2);
    for (int x = 0; x < 256; ++x) {
        setValueOf(src.get(), x, 0, 0, x);
        setValueOf(src.get(), x, 1, 0, x);
    }
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 256, 2);
    iplZoom(src.get(), dst.get(), 1, 1, 1, 1, IPL_INTER_LINEAR);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(valueOf(dst.get(), x, 0, 0), x);
    Image s16 = makeImage(IPL_DEPTH_16U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            setValueOf(s16.get(), x, y, 0, 65535);
    Image d16 = makeImage(IPL_DEPTH_16U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplZoom(s16.get(), d16.get(), 1, 1, 1, 1, IPL_INTER_LINEAR);
    EXPECT_EQ(valueOf(d16.get(), 1, 1, 0), 65534);
}

TEST(Zoom, NearestNeighbourRepeatsOrSpansTheEndsAndLeavesTheAlphaChannel)
{
    Image src = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 7, 5);
    Image dst = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 14, 10);
    fillRandom(src.get(), 50);
    fillRandom(dst.get(), 51);
    Image before = clonePixels(dst.get());
    iplZoom(src.get(), dst.get(), 2, 1, 2, 1, IPL_INTER_NN);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 14; ++x) {
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(valueOf(dst.get(), x, y, k), valueOf(src.get(), x / 2, y / 2, k));
            ASSERT_EQ(valueOf(dst.get(), x, y, 3), valueOf(before.get(), x, y, 3));
        }
    // By 3/2 the ends of the row land on the ends of the source.
    Image src4 = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 1);
    for (int x = 0; x < 4; ++x)
        setValueOf(src4.get(), x, 0, 0, 10 * x);
    Image three = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 6, 1);
    iplZoom(src4.get(), three.get(), 3, 2, 1, 1, IPL_INTER_NN);
    EXPECT_EQ(valueOf(three.get(), 0, 0, 0), 0);
    EXPECT_EQ(valueOf(three.get(), 5, 0, 0), 30);
}

TEST(Zoom, OneBitZoomByEightSpreadsEachBit)
{
    Image src = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 1);
    src->imageData[0] = 0xB0;  // 1 0 1 1 0 0 0 0
    Image dst = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 80, 1);
    std::memset(dst->imageData, 0x5A, static_cast<size_t>(dst->imageSize));
    dst->roi = iplCreateROI(0, 4, 0, 64, 1);
    iplZoom(src.get(), dst.get(), 8, 1, 1, 1, IPL_INTER_CUBIC);
    for (int x = 0; x < 64; ++x)
        EXPECT_EQ(valueOf(dst.get(), 4 + x, 0, 0), (0xB0 >> (7 - x / 8)) & 1) << x;
    for (int x : {0, 1, 2, 3, 68, 69, 70, 71})
        EXPECT_EQ(valueOf(dst.get(), x, 0, 0), (0x5A >> (7 - x % 8)) & 1) << x;
}

TEST(Zoom, CubicFormulaPassesThroughItsSamples)
{
    for (float t : {-1.0f, 0.0f, 1.0f}) {
        const float want = t < 0 ? 3.0f : t == 0 ? 7.0f : 11.0f;
        EXPECT_EQ(ownZoomCubicH(3, 7, 11, 2, t), want);
        EXPECT_EQ(ownZoomCubicV(3, 7, 11, 2, t), want);
    }
    EXPECT_NEAR(ownZoomCubicV(3, 7, 11, 2, 2.0f), 2.0f, 1e-5);
    EXPECT_NEAR(ownZoomCubicV(0, 255, 255, 255, 0.5f), 270.9375f, 1e-3);
}

TEST(Zoom, CubicRoundsFourWideToNearestAndTheTailDown)
{
    // Four constant rows 100, 100, 101, 101 sampled at t = 0.7 of the second.
    std::vector<uint8_t> src(4 * 16);
    const uint8_t rowValue[4] = {100, 100, 101, 101};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 16; ++c)
            src[r * 16 + c] = rowValue[r];
    std::vector<uint8_t> dst(6, 0);
    std::vector<int32_t> rowTab = {16}, colTab = {1, 2, 3, 4, 5, 6};
    std::vector<float> wy = {0.7f}, wx(6, 0.0f);
    std::vector<float> b0(32), b1(32), b2(32), b3(32);
    OwnZoomJob job;
    job.src = src.data();
    job.dst = dst.data();
    job.srcStep = 16;
    job.dstStep = 6;
    job.W = 6;
    job.H = 1;
    job.nch = 1;
    job.srcPlane = 64;
    job.dstPlane = 6;
    job.rowTab = rowTab.data();
    job.colTab = colTab.data();
    job.wy = wy.data();
    job.wx = wx.data();
    job.buf[0] = b0.data();
    job.buf[1] = b1.data();
    job.buf[2] = b2.data();
    job.buf[3] = b3.data();
    ownZoomCubic8uPlane(job);
    const float v = ownZoomCubicV(100, 100, 101, 101, 0.7f);
    ASSERT_GT(v - 100.0f, 0.5f);
    EXPECT_EQ(dst, (std::vector<uint8_t>{101, 101, 101, 101, 100, 100}));
}

TEST(Zoom, MaskBitZeroLeavesEveryChannelAndRowsStillAdvance)
{
    for (int32_t interp : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC})
        for (int32_t order : {0, 1}) {
            Image src = makeImage(IPL_DEPTH_8U, 3, 0, order, 11, 9);
            fillRandom(src.get(), 5);
            Image plain = makeImage(IPL_DEPTH_8U, 3, 0, order, 25, 20);
            fillRandom(plain.get(), 6);
            Image masked = clonePixels(plain.get());
            Image before = clonePixels(plain.get());
            Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 25, 20);
            fillRandom(mask.get(), 7);
            iplZoom(src.get(), plain.get(), 9, 4, 2, 1, interp);
            masked->maskROI = mask.get();
            iplZoom(src.get(), masked.get(), 9, 4, 2, 1, interp);
            masked->maskROI = nullptr;
            for (int k = 0; k < 3; ++k)
                for (int y = 0; y < 18; ++y)
                    for (int x = 0; x < 24; ++x) {
                        const double want = valueOf(mask.get(), x, y, 0) ? valueOf(plain.get(), x, y, k)
                                                                           : valueOf(before.get(), x, y, k);
                        // The masked vertical pass rounds the cubic down.
                        const double tol = interp == IPL_INTER_CUBIC ? 1.0 : 0.0;
                        ASSERT_NEAR(valueOf(masked.get(), x, y, k), want, tol) << x << "," << y;
                    }
        }
}

TEST(Zoom, PixelAndPlaneOrderAgreeForEveryDepth)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U, IPL_DEPTH_32F})
        for (int32_t interp : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC}) {
            Image pix = makeImage(depth, 1, 0, 0, 17, 13);
            fillRandom(pix.get(), 9);
            Image pla = makeImage(depth, 1, 0, 1, 17, 13);
            std::memcpy(pla->imageData, pix->imageData, static_cast<size_t>(pix->imageSize));
            Image d1 = makeImage(depth, 1, 0, 0, 40, 31), d2 = makeImage(depth, 1, 0, 1, 40, 31);
            iplZoom(pix.get(), d1.get(), 7, 3, 12, 5, interp);
            iplZoom(pla.get(), d2.get(), 7, 3, 12, 5, interp);
            if (depth != IPL_DEPTH_32F) {
                EXPECT_EQ(bytesOf(d1.get()), bytesOf(d2.get())) << depth << " " << interp;
                continue;
            }
            // Float results may differ in the last bit between the four-wide
            // and one-at-a-time evaluations.
            for (int y = 0; y < 31; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_NEAR(valueOf(d1.get(), x, y, 0), valueOf(d2.get(), x, y, 0), 1e-3) << interp;
        }
}

TEST(Zoom, RefusalsAndResizeRouting)
{
    ErrorCapture log;
    Image src = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 8, 8);
    fillRandom(src.get(), 1);
    Image dst = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 8, 8);
    const auto before = bytesOf(dst.get());
    iplResize(src.get(), dst.get(), 3, 2, 1, 2, IPL_INTER_SUPER);
    EXPECT_TRUE(log.has(-5, "(xDst > xSrc || yDst > ySrc)"));
    EXPECT_EQ(bytesOf(dst.get()), before);
    iplZoom(src.get(), src.get(), 2, 1, 2, 1, IPL_INTER_LINEAR);
    EXPECT_TRUE(log.has(-5, "This function isn`t in-plase function"));
    src->roi = iplCreateROI(2, 0, 0, 8, 8);
    iplZoom(src.get(), dst.get(), 1, 1, 1, 1, IPL_INTER_NN);
    EXPECT_TRUE(log.has(-2, "srcImage COI != dstImage COI"));
    EXPECT_EQ(bytesOf(dst.get()), before);
    iplSetROI(src->roi, 0, 0, 0, 8, 8);
    // A handler that clears the status does not let a zero factor through.
    iplRedirectError([](int32_t, const char*, const char*, const char*, int32_t) {
        iplSetErrStatus(0);
        return 0;
    });
    iplZoom(src.get(), dst.get(), 0, 1, 1, 1, IPL_INTER_NN);
    EXPECT_EQ(bytesOf(dst.get()), before);

    // Super-sampling by 1/2 goes to the decimation: 2x2 means.
    Image half = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplResize(src.get(), half.get(), 1, 2, 1, 2, IPL_INTER_SUPER);
    const double mean = (valueOf(src.get(), 0, 0, 0) + valueOf(src.get(), 1, 0, 0) + valueOf(src.get(), 0, 1, 0) +
                         valueOf(src.get(), 1, 1, 0)) / 4.0;
    EXPECT_EQ(valueOf(half.get(), 0, 0, 0), std::trunc(mean + 0.5));
}

namespace {

struct CubicAxis {
    std::vector<int> index;
    std::vector<float> t;
};

CubicAxis cubicAxis(int n, double step, int size)
{
    CubicAxis a;
    double pos = 0;
    for (int i = 0; i < n; ++i, pos += step) {
        int ix = R(pos);
        float t;
        if (ix >= size - 1) {
            ix = size - 3;
            t = 2.0f;
        } else {
            if (ix == 0)
                ix = 1;
            else if (ix == size - 2)
                ix -= 1;
            t = static_cast<float>(pos - ix);
        }
        a.index.push_back(ix);
        a.t.push_back(t);
    }
    return a;
}

} // namespace

TEST(Zoom, CubicMatchesTheFormulaWithItsRoundingRules)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U, IPL_DEPTH_32F})
        for (int32_t order : {0, 1})
            for (int32_t chans : {1, 3, 4, 5}) {
                // 5 stands for four channels with alpha: three are processed.
                const int32_t alpha = chans == 5 ? 4 : 0;
                const int32_t ch = chans == 5 ? 3 : chans;
                Image src = makeImage(depth, alpha ? 4 : ch, alpha, order, 11, 8);
                fillRandom(src.get(), 31);
                const int32_t xd = 13, xs = 6, yd = 5, ys = 3;
                const int W = R(11.0 / (double(xs) / xd)), H = R(8.0 / (double(ys) / yd));
                Image dst = makeImage(depth, alpha ? 4 : ch, alpha, order, W, H);
                iplZoom(src.get(), dst.get(), xd, xs, yd, ys, IPL_INTER_CUBIC);
                ASSERT_EQ(iplGetErrStatus(), 0);
                const double dW = (11.0 / xs) * xd, dH = (8.0 / ys) * yd;
                const CubicAxis ax = cubicAxis(W, 10.0 / (dW - 1), 11), ay = cubicAxis(H, 7.0 / (dH - 1), 8);
                const int runLength = order == 0 ? W * ch : W;
                // The 16u strided pass rounds every value down.
                const int wide = alpha && order == 0 && depth == IPL_DEPTH_16U ? 0 : (runLength / 4) * 4;
                for (int k = 0; k < ch; ++k)
                    for (int j = 0; j < H; ++j)
                        for (int i = 0; i < W; ++i) {
                            float rows[4];
                            for (int q = 0; q < 4; ++q) {
                                const int row = ay.index[j] - 1 + q;
                                auto P = [&](int col) { return static_cast<float>(valueOf(src.get(), col, row, k)); };
                                const int c = ax.index[i];
                                rows[q] = ownZoomCubicH(P(c - 1), P(c), P(c + 1), P(c + 2), ax.t[i]);
                            }
                            const float v = ownZoomCubicV(rows[0], rows[1], rows[2], rows[3], ay.t[j]);
                            double want = v;
                            if (depth != IPL_DEPTH_32F) {
                                const double hi = depth == IPL_DEPTH_8U ? 255 : 65535;
                                const int e = order == 0 ? i * ch + k : i;
                                double r = e < wide ? std::nearbyint(static_cast<double>(v + 0.00001f))
                                                    : std::nearbyint(static_cast<double>(v) + 0.00001 - 0.5);
                                want = r < 0 ? 0 : r > hi ? hi : r;
                            }
                            ASSERT_EQ(valueOf(dst.get(), i, j, k), want)
                                << "depth " << depth << " order " << order << " ch " << ch << " at " << i << "," << j << "," << k;
                        }
            }
}

TEST(Zoom, SourceMaskIsBroughtToTheDestinationSize)
{
    Image src = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 8, 6);
    Image dst = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 16, 12);
    Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 6);
    fillRandom(src.get(), 60);
    fillRandom(dst.get(), 61);
    fillRandom(mask.get(), 62);
    Image before = clonePixels(dst.get());
    src->maskROI = mask.get();
    iplZoom(src.get(), dst.get(), 2, 1, 2, 1, IPL_INTER_NN);
    src->maskROI = nullptr;
    EXPECT_EQ(iplGetErrStatus(), 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            for (int k = 0; k < 3; ++k) {
                const double want = valueOf(mask.get(), x / 2, y / 2, 0) ? valueOf(src.get(), x / 2, y / 2, k)
                                                                           : valueOf(before.get(), x, y, k);
                ASSERT_EQ(valueOf(dst.get(), x, y, k), want) << x << "," << y;
            }
}

TEST(Zoom, MaskSmallerThanTheRegionKeepsSamplesInsideTheImage)
{
    // Run under the address checker: no tap may leave the source pixels.
    for (int32_t interp : {IPL_INTER_LINEAR, IPL_INTER_CUBIC}) {
        Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 10, 10);
        fillRandom(src.get(), 70);
        Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 6, 6);
        std::memset(mask->imageData, 0xFF, static_cast<size_t>(mask->imageSize));
        Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 40, 40);
        src->maskROI = mask.get();
        iplZoom(src.get(), dst.get(), 3, 1, 3, 1, interp);
        src->maskROI = nullptr;
        EXPECT_EQ(iplGetErrStatus(), 0);
    }
}
