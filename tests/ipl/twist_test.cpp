// iplApplyColorTwist against the exact formula sat(sat(floor(S)) + offset).
#include "ipl/ipl.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace ipltest;

namespace {

struct Twist {
    IplColorTwist* p;
    Twist(const int32_t* data, int32_t e) : p(iplCreateColorTwist(data, e)) {}
    ~Twist() { iplDeleteColorTwist(p); }
    Twist(const Twist&) = delete;
    Twist& operator=(const Twist&) = delete;
};

double expectedOut(const int32_t* data, int32_t e, int r, double x0, double x1, double x2, int32_t offset, double maxV)
{
    const double num = double(data[4 * r]) * x0 + double(data[4 * r + 1]) * x1 + double(data[4 * r + 2]) * x2 +
                       double(data[4 * r + 3]);
    double f = std::floor(num / std::ldexp(1.0, e));
    f = f < 0 ? 0 : f > maxV ? maxV : f;
    f += offset;
    return f < 0 ? 0 : f > maxV ? maxV : f;
}

// Expected destination after the twist over the common rectangle.
Image expectedTwist(const IplImage* src, const IplImage* dstBefore, const int32_t* data, int32_t e, int32_t offset,
                    const IplImage* mask = nullptr)
{
    Image out = clonePixels(dstBefore);
    auto rect = [](const IplImage* im, int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
        *x = im->roi ? im->roi->xOffset : 0;
        *y = im->roi ? im->roi->yOffset : 0;
        *w = im->roi ? std::min(im->roi->width, im->width - *x) : im->width;
        *h = im->roi ? std::min(im->roi->height, im->height - *y) : im->height;
    };
    int32_t sx, sy, sw, sh, dx, dy, dw, dh, mx = 0, my = 0, mw = 1 << 30, mh = 1 << 30;
    rect(src, &sx, &sy, &sw, &sh);
    rect(dstBefore, &dx, &dy, &dw, &dh);
    if (mask)
        rect(mask, &mx, &my, &mw, &mh);
    const int32_t W = std::min({sw, dw, mw}), H = std::min({sh, dh, mh});
    const double maxV = src->depth == IPL_DEPTH_8U ? 255 : 65535;
    for (int32_t j = 0; j < H; ++j)
        for (int32_t i = 0; i < W; ++i) {
            if (mask && !valueOf(mask, mx + i, my + j, 0))
                continue;
            const double x0 = valueOf(src, sx + i, sy + j, 0), x1 = valueOf(src, sx + i, sy + j, 1),
                         x2 = valueOf(src, sx + i, sy + j, 2);
            for (int r = 0; r < 3; ++r)
                setValueOf(out.get(), dx + i, dy + j, r, expectedOut(data, e, r, x0, x1, x2, offset, maxV));
        }
    return out;
}

} // namespace

TEST(ColorTwist, RandomTwistsMatchTheExactFormulaInEveryBand)
{
    std::mt19937 rng(42);
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1})
            for (int32_t e : {0, 3, 15, 24, 31})
                for (int32_t offset : {-70000, -300, -10, 0, 10, 200, 70000}) {
                    int32_t data[16];
                    for (int i = 0; i < 16; ++i) {
                        // Mix small and full-width coefficients.
                        const int32_t wide = static_cast<int32_t>(rng());
                        data[i] = e >= 15 && (i % 4) != 3 ? wide / 4 : (i % 4 == 3 ? wide : wide % (1 << 12));
                    }
                    data[0] = 1 << std::min(e, 30);
                    Twist t(data, e);
                    Image src = makeImage(depth, 3, 0, order, 9, 7);
                    Image dst = makeImage(depth, 4, 4, order, 11, 6);
                    fillRandom(src.get(), 1);
                    fillRandom(dst.get(), 2);
                    dst->roi = iplCreateROI(0, 1, 1, 20, 20);
                    Image want = expectedTwist(src.get(), dst.get(), data, e, offset);
                    iplApplyColorTwist(src.get(), dst.get(), t.p, offset);
                    ASSERT_EQ(iplGetErrStatus(), 0);
                    ASSERT_EQ(bytesOf(dst.get()), bytesOf(want.get()))
                        << "depth " << depth << " order " << order << " e " << e << " offset " << offset;
                }
}

TEST(ColorTwist, WorkedValues)
{
    struct Case {
        int32_t constant;  // S = constant / 2 (exponent 1)
        int32_t offset;
        double want;
    };
    const Case cases[] = {{600, -10, 245}, {10, -10, 0}, {-6, 10, 10}, {500, 10, 255}, {-1, 0, 0}, {511, 0, 255}};
    for (const Case& c : cases) {
        int32_t data[16] = {0, 0, 0, c.constant, 0, 0, 0, c.constant, 0, 0, 0, c.constant, 0, 0, 0, 0};
        Twist t(data, 1);
        Image im = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 2, 2);
        iplApplyColorTwist(im.get(), im.get(), t.p, c.offset);
        EXPECT_EQ(valueOf(im.get(), 1, 1, 2), c.want) << c.constant << " " << c.offset;
    }
}

TEST(ColorTwist, IdentityKeepsColoursAndTheFourthChannel)
{
    for (int32_t e : {0, 8, 24}) {
        int32_t data[16] = {};
        data[0] = data[5] = data[10] = 1 << e;
        Twist t(data, e);
        Image src = makeImage(IPL_DEPTH_16U, 4, 4, IPL_DATA_ORDER_PIXEL, 6, 5);
        Image dst = makeImage(IPL_DEPTH_16U, 4, 4, IPL_DATA_ORDER_PIXEL, 6, 5);
        fillRandom(src.get(), 3);
        fillRandom(dst.get(), 4);
        Image before = clonePixels(dst.get());
        iplApplyColorTwist(src.get(), dst.get(), t.p, 0);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                for (int k = 0; k < 3; ++k)
                    EXPECT_EQ(valueOf(dst.get(), x, y, k), valueOf(src.get(), x, y, k));
                EXPECT_EQ(valueOf(dst.get(), x, y, 3), valueOf(before.get(), x, y, 3));
            }
    }
}

TEST(ColorTwist, LowerBoundJustBelowTheOffsetIsClampedExactly)
{
    // S = 10 - 2^-24 everywhere: floor 9, minus 10 saturates to 0. A clamp
    // decision made in single precision would store the low bits of -1.
    int32_t data[16] = {0, 0, 0, (10 << 24) - 1, 0, 0, 0, (10 << 24) - 1, 0, 0, 0, (10 << 24) - 1, 0, 0, 0, 0};
    Twist t(data, 24);
    Image im = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 3, 3);
    fillRandom(im.get(), 5);
    iplApplyColorTwist(im.get(), im.get(), t.p, -10);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(valueOf(im.get(), 2, 2, k), 0);
}

TEST(ColorTwist, MasksAndInPlace)
{
    int32_t data[16] = {3000, -200, 100, 5000, 100, 2000, -50, 0, -10, 40, 2500, 99999, 0, 0, 0, 0};
    Twist t(data, 11);
    for (int32_t order : {0, 1}) {
        Image src = makeImage(IPL_DEPTH_8U, 3, 0, order, 20, 17);
        Image dst = makeImage(IPL_DEPTH_8U, 3, 0, order, 20, 17);
        fillRandom(src.get(), 6);
        fillRandom(dst.get(), 7);
        Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 30, 30);
        fillRandom(mask.get(), 8);
        mask->roi = iplCreateROI(0, 3, 2, 18, 12);
        Image want = expectedTwist(src.get(), dst.get(), data, 11, 7, mask.get());
        dst->maskROI = mask.get();
        iplApplyColorTwist(src.get(), dst.get(), t.p, 7);
        dst->maskROI = nullptr;
        EXPECT_EQ(bytesOf(dst.get()), bytesOf(want.get())) << "masked, order " << order;

        Image same = clonePixels(src.get());
        Image wantSame = expectedTwist(src.get(), src.get(), data, 11, -3);
        iplApplyColorTwist(same.get(), same.get(), t.p, -3);
        EXPECT_EQ(bytesOf(same.get()), bytesOf(wantSame.get())) << "in place, order " << order;
    }
}

TEST(ColorTwist, RefusedArgumentsAreReported)
{
    ErrorCapture log;
    int32_t data[16] = {};
    EXPECT_EQ(iplCreateColorTwist(data, 32), nullptr);
    EXPECT_EQ(iplCreateColorTwist(data, -1), nullptr);
    EXPECT_EQ(iplCreateColorTwist(nullptr, 3), nullptr);
    EXPECT_TRUE(log.has(-5, "bad_argument"));
    Twist ok(data, 31);
    EXPECT_NE(ok.p, nullptr);
    Image a = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image two = makeImage(IPL_DEPTH_8U, 2, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image sixteen = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image signedImg = makeImage(IPL_DEPTH_8S, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplApplyColorTwist(a.get(), a.get(), nullptr, 0);
    EXPECT_TRUE(log.has(-5, "cTwist==0"));
    iplApplyColorTwist(two.get(), a.get(), ok.p, 0);
    EXPECT_TRUE(log.has(-5, "(srcImage->nChannels < 3)"));
    iplApplyColorTwist(a.get(), sixteen.get(), ok.p, 0);
    EXPECT_TRUE(log.has(-5, "(srcImage->depth != dstImage->depth)"));
    iplApplyColorTwist(signedImg.get(), signedImg.get(), ok.p, 0);
    EXPECT_TRUE(log.has(-5, "((srcImage->depth != 8) && (srcImage->depth != 16))"));
}
