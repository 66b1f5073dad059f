// iplDecimate and its kernels against the formulas they are fixed by.
#include "ipl/ipl.h"
#include "ipl/own_ops.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace ipltest;

namespace {

double clampTo(double v, uint32_t depth)
{
    if (depth == IPL_DEPTH_8U) return v < 0 ? 0 : v > 255 ? 255 : v;
    if (depth == IPL_DEPTH_16U) return v < 0 ? 0 : v > 65535 ? 65535 : v;
    return v;
}

double cubic(double a, double b, double c, double d, double t)
{
    const double k6 = static_cast<double>(1.0f / 6.0f);
    const double t2 = t * t, t3 = t2 * t;
    return (6 * b + t * (-2 * a - 3 * b + 6 * c - d) + t2 * (3 * a - 6 * b + 3 * c) + t3 * (-a + 3 * b - 3 * c + d)) * k6;
}

// The decimation of a whole untiled image (no regions), written from the
// formulas: positions by repeated addition, position-0 edges, far-edge rule.
Image referenceDecimate(const IplImage* src, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc, int32_t mode)
{
    const int32_t W = static_cast<int32_t>(int64_t(xDst) * src->width / xSrc);
    const int32_t H = static_cast<int32_t>(int64_t(yDst) * src->height / ySrc);
    Image out = makeImage(src->depth, src->nChannels, src->alphaChannel, src->dataOrder, W, H);
    const bool xExact = xSrc % xDst == 0, yExact = ySrc % yDst == 0;
    if (src->width < 4 || src->height < 4 || (xExact && yExact && mode != IPL_INTER_SUPER))
        mode = IPL_INTER_NN;
    const float xs = static_cast<float>(double(xSrc) / xDst), ys = static_cast<float>(double(ySrc) / yDst);
    const bool interpX = !xExact || !yExact ? !xExact && !(yExact && false) : false;
    (void)interpX;
    for (int32_t k = 0; k < src->nChannels; ++k) {
        double y = mode == IPL_INTER_NN && !yExact ? 0.5 : 0.0;
        for (int32_t m = 0; m < H; ++m) {
            double x = mode == IPL_INTER_NN && !xExact ? 0.5 : 0.0;
            for (int32_t c = 0; c < W; ++c) {
                double v;
                const int32_t i = static_cast<int32_t>(x), j = static_cast<int32_t>(y);
                double fx = x - i, fy = y - j;
                auto P = [&](int32_t a, int32_t b) { return valueOf(src, a, b, k); };
                // Which axes interpolate: x-only when y is exact, y-only when x is.
                const bool ix = !xExact || (xExact && yExact);
                const bool iy = !yExact;
                const bool doX = (mode == IPL_INTER_LINEAR || mode == IPL_INTER_CUBIC) && (yExact ? true : !xExact);
                const bool doY = (mode == IPL_INTER_LINEAR || mode == IPL_INTER_CUBIC) && (xExact ? true : !yExact) && !yExact;
                (void)ix; (void)iy;
                if (mode == IPL_INTER_NN) {
                    v = P(i, j);
                } else {
                    const bool xEdge = doX && x <= 0.0, yEdge = doY && y <= 0.0;
                    int32_t ii = i, jj = j;
                    if (mode == IPL_INTER_CUBIC) {
                        if (doX && !xEdge && ii >= src->width - 2) { ii -= 1; fx += 1; }
                        if (doY && !yEdge && jj >= src->height - 2) { jj -= 1; fy += 1; }
                    }
                    auto rowValue = [&](int32_t row) {
                        if (!doX || xEdge) return P(ii, row);
                        if (mode == IPL_INTER_LINEAR) return P(ii + 1, row) * fx + P(ii, row) * (1 - fx);
                        return cubic(P(ii - 1, row), P(ii, row), P(ii + 1, row), P(ii + 2, row), fx);
                    };
                    if (!doY || yEdge)
                        v = rowValue(jj);
                    else if (mode == IPL_INTER_LINEAR)
                        v = rowValue(jj + 1) * fy + rowValue(jj) * (1 - fy);
                    else
                        v = cubic(rowValue(jj - 1), rowValue(jj), rowValue(jj + 1), rowValue(jj + 2), fy);
                    if (src->depth != IPL_DEPTH_32F)
                        v = std::trunc(clampTo(v, src->depth));
                }
                setValueOf(out.get(), c, m, k, v);
                x += xs;
            }
            y += ys;
        }
    }
    return out;
}

} // namespace

TEST(Decimate, PointLinearAndCubicFollowTheirFormulas)
{
    struct Factor { int32_t xd, xs, yd, ys; };
    const Factor factors[] = {{2, 3, 1, 2}, {1, 2, 2, 3}, {2, 3, 3, 5}, {1, 2, 1, 4}, {3, 7, 3, 7}, {1, 1, 2, 3}};
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U, IPL_DEPTH_32F})
        for (int32_t order : {0, 1})
            for (int32_t mode : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC})
                for (const Factor& f : factors) {
                    Image src = makeImage(depth, 3, 0, order, 31, 23);
                    fillRandom(src.get(), 17);
                    Image want = referenceDecimate(src.get(), f.xd, f.xs, f.yd, f.ys, mode);
                    Image dst = makeImage(depth, 3, 0, order, want->width, want->height);
                    iplDecimate(src.get(), dst.get(), f.xd, f.xs, f.yd, f.ys, mode);
                    ASSERT_EQ(iplGetErrStatus(), 0);
                    for (int32_t k = 0; k < 3; ++k)
                        for (int32_t y = 0; y < want->height; ++y)
                            for (int32_t x = 0; x < want->width; ++x)
                                ASSERT_EQ(valueOf(dst.get(), x, y, k), valueOf(want.get(), x, y, k))
                                    << "depth " << depth << " order " << order << " mode " << mode << " f " << f.xd
                                    << "/" << f.xs << " " << f.yd << "/" << f.ys << " at " << x << "," << y << "," << k;
                }
}

TEST(Decimate, CubicKernelWorkedValues)
{
    EXPECT_NEAR(ownDecimCubicValue(10, 10, 250, 10, 0.5), 145.0000043, 1e-6);
    // Taps at the right edge: seven pixels to the edge, position 5.4.
    std::vector<uint8_t> row = {0, 10, 20, 30, 45, 70, 100};
    uint8_t out[2] = {0, 0};
    double xPos = 5.4f, yPos = 0.0f;
    // One destination pixel from one source row: x-only kernel.
    ownDecimCubicX_8u(row.data(), out, 1, 1, 1, 1, 8, 8, 1, 1, 7, 8, 8, 2.0f, 1.0f, &xPos, &yPos);
    const double t = static_cast<double>(5.4f) - 5 + 1;
    EXPECT_EQ(out[0], static_cast<int>(cubic(30, 45, 70, 100, t)));
}

TEST(Decimate, SuperSamplingWorkedValues)
{
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    const int v[4][4] = {{1, 2, 0, 0}, {2, 2, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            setValueOf(src.get(), x, y, 0, v[y][x]);
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 2, 2);
    iplDecimate(src.get(), dst.get(), 1, 2, 1, 2, IPL_INTER_SUPER);
    EXPECT_EQ(valueOf(dst.get(), 0, 0, 0), 2);  // mean 1.75
    EXPECT_EQ(valueOf(dst.get(), 1, 0, 0), 1);  // mean 0.5 goes up

    Image row = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 6, 4);
    const int r[6] = {0, 30, 90, 0, 0, 0};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            setValueOf(row.get(), x, y, 0, r[x]);
    Image out = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplDecimate(row.get(), out.get(), 2, 3, 1, 1, IPL_INTER_SUPER);
    EXPECT_EQ(valueOf(out.get(), 0, 0, 0), 10);
    EXPECT_EQ(valueOf(out.get(), 1, 0, 0), 70);

    Image f = makeImage(IPL_DEPTH_32F, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            setValueOf(f.get(), x, y, 0, v[y][x]);
    Image fo = makeImage(IPL_DEPTH_32F, 1, 0, IPL_DATA_ORDER_PIXEL, 2, 2);
    iplDecimate(f.get(), fo.get(), 1, 2, 1, 2, IPL_INTER_SUPER);
    EXPECT_FLOAT_EQ(static_cast<float>(valueOf(fo.get(), 0, 0, 0)), 1.75f);
    EXPECT_FLOAT_EQ(static_cast<float>(valueOf(fo.get(), 1, 0, 0)), 0.5f);
}

TEST(Decimate, SuperSamplingIsTheAreaMeanWithinOne)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1}) {
            Image src = makeImage(depth, 2, 0, order, 41, 37);
            fillRandom(src.get(), 3);
            const int32_t xd = 2, xs = 5, yd = 3, ys = 7;
            const int32_t W = 41 * xd / xs, H = 37 * yd / ys;
            Image dst = makeImage(depth, 2, 0, order, W, H);
            iplDecimate(src.get(), dst.get(), xd, xs, yd, ys, IPL_INTER_SUPER);
            const double bx = double(xs) / xd, by = double(ys) / yd;
            for (int32_t k = 0; k < 2; ++k)
                for (int32_t m = 0; m < H; ++m)
                    for (int32_t c = 0; c < W; ++c) {
                        double sum = 0;
                        for (int32_t j = 0; j < 37; ++j) {
                            const double wy = std::max(0.0, std::min(j + 1.0, (m + 1) * by) - std::max(double(j), m * by));
                            if (wy <= 0) continue;
                            for (int32_t i = 0; i < 41; ++i) {
                                const double wx = std::max(0.0, std::min(i + 1.0, (c + 1) * bx) - std::max(double(i), c * bx));
                                sum += wx * wy * valueOf(src.get(), i, j, k);
                            }
                        }
                        ASSERT_NEAR(valueOf(dst.get(), c, m, k), sum / (bx * by), 1.0) << c << "," << m;
                    }
        }
}

TEST(Decimate, OneBitImagesArePointSampledOrAveraged)
{
    Image src = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 16, 4);
    fillRandom(src.get(), 5);
    Image dst = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 2);
    iplDecimate(src.get(), dst.get(), 1, 2, 1, 2, IPL_INTER_CUBIC);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(valueOf(dst.get(), x, y, 0), valueOf(src.get(), 2 * x, 2 * y, 0));
    Image box = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    std::memset(box->imageData, 0, static_cast<size_t>(box->imageSize));
    setValueOf(box.get(), 0, 0, 0, 1);
    setValueOf(box.get(), 1, 1, 0, 1);  // two of four: 1
    setValueOf(box.get(), 2, 0, 0, 1);  // one of four: 0
    Image out = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 2, 2);
    iplDecimate(box.get(), out.get(), 1, 2, 1, 2, IPL_INTER_SUPER);
    EXPECT_EQ(valueOf(out.get(), 0, 0, 0), 1);
    EXPECT_EQ(valueOf(out.get(), 1, 0, 0), 0);
}

TEST(Decimate, RegionsLimitTheWrittenRectangle)
{
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 120, 90);
    fillRandom(src.get(), 8);
    src->roi = iplCreateROI(0, 4, 2, 100, 80);
    Image small = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 30, 30);
    fillRandom(small.get(), 1);
    small->roi = iplCreateROI(0, 3, 3, 20, 20);
    Image before = clonePixels(small.get());
    iplDecimate(src.get(), small.get(), 1, 3, 1, 3, IPL_INTER_NN);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 3 && x < 23 && y >= 3 && y < 23;
            const double want = inside ? valueOf(src.get(), 4 + 3 * (x - 3), 2 + 3 * (y - 3), 0)
                                       : valueOf(before.get(), x, y, 0);
            EXPECT_EQ(valueOf(small.get(), x, y, 0), want);
        }
    Image big = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 50, 50);
    fillRandom(big.get(), 2);
    Image bigBefore = clonePixels(big.get());
    iplDecimate(src.get(), big.get(), 1, 3, 1, 3, IPL_INTER_NN);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            if (x >= 33 || y >= 26) {
                EXPECT_EQ(valueOf(big.get(), x, y, 0), valueOf(bigBefore.get(), x, y, 0));
            }
        }
}

TEST(Decimate, EveryFailedCheckIsReportedAndNothingWritten)
{
    ErrorCapture log;
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 8);
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 8);
    fillRandom(dst.get(), 4);
    const auto before = bytesOf(dst.get());
    iplDecimate(src.get(), dst.get(), 0, 1, 3, 2, IPL_INTER_NN);
    EXPECT_TRUE(log.has(-5, "xDst <= 0"));
    EXPECT_TRUE(log.has(-5, "yDst > ySrc"));
    EXPECT_EQ(bytesOf(dst.get()), before);
    // A handler that clears the status does not let a zero divisor through.
    iplSetErrStatus(0);
    iplRedirectError([](int32_t, const char*, const char*, const char*, int32_t) {
        iplSetErrStatus(0);
        return 0;
    });
    iplDecimate(src.get(), dst.get(), 1, 0, 1, 1, IPL_INTER_NN);
    EXPECT_EQ(bytesOf(dst.get()), before);
    Image s16 = makeImage(IPL_DEPTH_16U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 8);
    iplDecimate(s16.get(), dst.get(), 1, 2, 1, 2, IPL_INTER_NN);
    EXPECT_EQ(bytesOf(dst.get()), before);
}

TEST(Decimate, AlphaSourceIntoColourDestinationProcessesColours)
{
    Image src = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 8, 8);
    fillRandom(src.get(), 2);
    Image dst = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplDecimate(src.get(), dst.get(), 1, 2, 1, 2, IPL_INTER_NN);
    EXPECT_EQ(iplGetErrStatus(), 0);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(valueOf(dst.get(), 1, 1, k), valueOf(src.get(), 2, 2, k));
}

TEST(Decimate, ScaledSizeOfWideImagesDoesNotOverflow)
{
    // 30000 x 70000 exceeds 32 bits: the product is taken in 64.
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 70000, 2);
    fillRandom(src.get(), 80);
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 30000, 2);
    iplDecimate(src.get(), dst.get(), 30000, 70000, 1, 1, IPL_INTER_NN);
    EXPECT_EQ(iplGetErrStatus(), 0);
    EXPECT_EQ(valueOf(dst.get(), 29999, 1, 0),
              valueOf(src.get(), static_cast<int32_t>(0.5 + 29999 * double(70000.0f / 30000.0f)), 1, 0));
}

// Whole-pixel boxes: the area mean is the box sum times 1 / (box area),
// rounded half up, exactly.
TEST(Decimate, SuperSamplingOfWholePixelBoxesIsTheExactRoundedMean)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1})
            for (int32_t xs : {1, 2, 3, 5})
                for (int32_t ys : {1, 2, 4}) {
                    Image src = makeImage(depth, 3, 0, order, 43, 29);
                    fillRandom(src.get(), static_cast<uint32_t>(xs * 10 + ys));
                    const int32_t W = 43 / xs, H = 29 / ys;
                    Image dst = makeImage(depth, 3, 0, order, W, H);
                    iplDecimate(src.get(), dst.get(), 1, xs, 1, ys, IPL_INTER_SUPER);
                    ASSERT_EQ(iplGetErrStatus(), 0);
                    const double norm = 1.0 / (double(float(xs)) * double(float(ys)));
                    for (int32_t k = 0; k < 3; ++k)
                        for (int32_t m = 0; m < H; ++m)
                            for (int32_t c = 0; c < W; ++c) {
                                double sum = 0;
                                for (int32_t j = m * ys; j < (m + 1) * ys; ++j)
                                    for (int32_t i = c * xs; i < (c + 1) * xs; ++i)
                                        sum += valueOf(src.get(), i, j, k);
                                ASSERT_EQ(valueOf(dst.get(), c, m, k), double(int32_t(sum * norm + 0.5)))
                                    << "depth " << depth << " order " << order << " box " << xs << "x" << ys << " at "
                                    << c << "," << m << "," << k;
                            }
                }
}
