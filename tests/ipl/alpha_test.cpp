// iplMultiplyScale and iplPreMultiplyAlpha against value-by-value products.
#include "ipl/ipl.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

using namespace ipltest;

namespace {

double scaled(double a, double b, uint32_t depth)
{
    const double m = depth == IPL_DEPTH_8U ? 255.0 : 65535.0;
    return std::floor(a * b / m);
}

} // namespace

TEST(MultiplyScale, PlainAndPlaneOrdersMultiplyEveryColourValue)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1})
            for (int32_t dstAlpha : {0, 4}) {
                Image a = makeImage(depth, dstAlpha ? 3 : 4, 0, order, 10, 8);
                Image b = makeImage(depth, dstAlpha ? 3 : 4, 0, order, 9, 12);
                Image d = makeImage(depth, 4, dstAlpha, order, 11, 9);
                fillRandom(a.get(), 1);
                fillRandom(b.get(), 2);
                fillRandom(d.get(), 3);
                Image before = clonePixels(d.get());
                iplMultiplyScale(a.get(), b.get(), d.get());
                ASSERT_EQ(iplGetErrStatus(), 0);
                for (int y = 0; y < 9; ++y)
                    for (int x = 0; x < 11; ++x)
                        for (int k = 0; k < 4; ++k) {
                            const bool inside = x < 9 && y < 8 && (k < 3 || !dstAlpha);
                            const double want = inside ? scaled(valueOf(a.get(), x, y, k), valueOf(b.get(), x, y, k), depth)
                                                       : valueOf(before.get(), x, y, k);
                            ASSERT_EQ(valueOf(d.get(), x, y, k), want) << x << "," << y << "," << k;
                        }
            }
}

TEST(MultiplyScale, ChannelsOfInterestRegionsAndInPlace)
{
    // Channel 4 of all three, srcImageB = dstImage: the crop tool's use.
    Image a = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 12, 10);
    Image d = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 12, 10);
    fillRandom(a.get(), 4);
    fillRandom(d.get(), 5);
    a->roi = iplCreateROI(4, 0, 0, 12, 10);
    d->roi = iplCreateROI(4, 0, 0, 12, 10);
    Image before = clonePixels(d.get());
    iplMultiplyScale(a.get(), d.get(), d.get());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            for (int k = 0; k < 4; ++k) {
                const double want = k == 3 ? scaled(valueOf(a.get(), x, y, 3), valueOf(before.get(), x, y, 3), 8)
                                           : valueOf(before.get(), x, y, k);
                ASSERT_EQ(valueOf(d.get(), x, y, k), want);
            }
    // Regions of 10 x 8 and 6 x 12 process 6 x 8 from each region's origin.
    Image p = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 20), q = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 20);
    Image r = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 20);
    fillRandom(p.get(), 6);
    fillRandom(q.get(), 7);
    p->roi = iplCreateROI(0, 2, 3, 10, 8);
    q->roi = iplCreateROI(0, 5, 1, 6, 12);
    Image rBefore = clonePixels(r.get());
    iplMultiplyScale(p.get(), q.get(), r.get());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const double want = x < 6 && y < 8 ? scaled(valueOf(p.get(), 2 + x, 3 + y, 0), valueOf(q.get(), 5 + x, 1 + y, 0), 8)
                                               : valueOf(rBefore.get(), x, y, 0);
            ASSERT_EQ(valueOf(r.get(), x, y, 0), want);
        }
}

TEST(MultiplyScale, MasksOnTwoImagesAreCombined)
{
    Image a = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 14, 9), b = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 14, 9);
    Image d = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 14, 9);
    fillRandom(a.get(), 8);
    fillRandom(b.get(), 9);
    fillRandom(d.get(), 10);
    Image m1 = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 20), m2 = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 14, 9);
    fillRandom(m1.get(), 11);
    fillRandom(m2.get(), 12);
    m1->roi = iplCreateROI(0, 3, 4, 14, 9);
    Image before = clonePixels(d.get());
    d->maskROI = m1.get();
    a->maskROI = m2.get();
    iplMultiplyScale(a.get(), b.get(), d.get());
    d->maskROI = nullptr;
    a->maskROI = nullptr;
    ASSERT_EQ(iplGetErrStatus(), 0);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 14; ++x)
            for (int k = 0; k < 3; ++k) {
                const bool set = valueOf(m1.get(), 3 + x, 4 + y, 0) && valueOf(m2.get(), x, y, 0);
                const double want = set ? scaled(valueOf(a.get(), x, y, k), valueOf(b.get(), x, y, k), 16)
                                        : valueOf(before.get(), x, y, k);
                ASSERT_EQ(valueOf(d.get(), x, y, k), want);
            }
}

TEST(MultiplyScale, RefusedArguments)
{
    ErrorCapture log;
    Image a3 = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4), d3a = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image s16 = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4), d8s = makeImage(IPL_DEPTH_8S, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image alphaOnly = makeImage(IPL_DEPTH_8U, 1, 1, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image three = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplMultiplyScale(a3.get(), a3.get(), alphaOnly.get());
    EXPECT_TRUE(log.has(-5, "dstImage->alphaChannel == 1 && dstImage->roi == 0"));
    iplMultiplyScale(s16.get(), s16.get(), three.get());
    EXPECT_TRUE(log.has(-5, "srcImageA->depth != dstImage->depth"));
    iplMultiplyScale(d8s.get(), d8s.get(), d8s.get());
    EXPECT_TRUE(log.has(-5, "dstImage->depth != 8 && dstImage->depth != 16"));
    Image four = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image threeAlpha = makeImage(IPL_DEPTH_8U, 4, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    iplMultiplyScale(threeAlpha.get(), threeAlpha.get(), four.get());
    EXPECT_TRUE(log.has(-5, "(srcImageA->nChannels - (srcImageA->alphaChannel != 0)) != (dstImage->nChannels - "
                            "(dstImage->alphaChannel != 0))"));
    (void)d3a;
}

TEST(PreMultiplyAlpha, WorkedPixels)
{
    struct Case {
        int32_t alphaValue;
        double want[4];
    };
    const Case cases[] = {{-1, {100, 50, 25, 128}}, {300, {100, 50, 25, 128}}, {64, {50, 25, 12, 64}},
                          {0, {0, 0, 0, 0}}, {255, {200, 100, 50, 255}}};
    for (int32_t order : {0, 1})
        for (const Case& c : cases) {
            Image im = makeImage(IPL_DEPTH_8U, 4, 4, order, 19, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 19; ++x) {
                    setValueOf(im.get(), x, y, 0, 200);
                    setValueOf(im.get(), x, y, 1, 100);
                    setValueOf(im.get(), x, y, 2, 50);
                    setValueOf(im.get(), x, y, 3, 128);
                }
            iplPreMultiplyAlpha(im.get(), c.alphaValue);
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(valueOf(im.get(), 18, 2, k), c.want[k]) << c.alphaValue << " order " << order;
        }
}

TEST(PreMultiplyAlpha, ChannelOfInterestMaskAndSixteenBits)
{
    Image im = makeImage(IPL_DEPTH_16U, 4, 4, IPL_DATA_ORDER_PIXEL, 9, 7);
    fillRandom(im.get(), 20);
    Image before = clonePixels(im.get());
    im->roi = iplCreateROI(1, 1, 1, 6, 5);
    iplPreMultiplyAlpha(im.get(), 40000);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool in = x >= 1 && x < 7 && y >= 1 && y < 6;
            EXPECT_EQ(valueOf(im.get(), x, y, 0), in ? scaled(valueOf(before.get(), x, y, 0), 40000, 16) : valueOf(before.get(), x, y, 0));
            EXPECT_EQ(valueOf(im.get(), x, y, 1), valueOf(before.get(), x, y, 1));
            EXPECT_EQ(valueOf(im.get(), x, y, 3), in ? 40000 : valueOf(before.get(), x, y, 3));
        }
    Image m = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 10, 6);
    fillRandom(m.get(), 21);
    Image mb = clonePixels(m.get());
    Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 10, 6);
    fillRandom(mask.get(), 22);
    m->maskROI = mask.get();
    iplPreMultiplyAlpha(m.get(), -1);
    m->maskROI = nullptr;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            for (int k = 0; k < 4; ++k) {
                const bool set = valueOf(mask.get(), x, y, 0) && k < 3;
                EXPECT_EQ(valueOf(m.get(), x, y, k),
                          set ? scaled(valueOf(mb.get(), x, y, k), valueOf(mb.get(), x, y, 3), 8) : valueOf(mb.get(), x, y, k));
            }
}

TEST(PreMultiplyAlpha, RefusalsIncludeAConstantAboveTheMaximumWithoutAlpha)
{
    ErrorCapture log;
    Image noAlpha = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    fillRandom(noAlpha.get(), 1);
    const auto before = bytesOf(noAlpha.get());
    iplPreMultiplyAlpha(noAlpha.get(), -1);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel < 1"));
    log.clear();
    iplPreMultiplyAlpha(noAlpha.get(), 300);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel < 1"));
    EXPECT_EQ(bytesOf(noAlpha.get()), before);
    Image withAlpha = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 4, 4);
    withAlpha->roi = iplCreateROI(4, 0, 0, 4, 4);
    iplPreMultiplyAlpha(withAlpha.get(), 10);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel > 0 && image->roi->coi == image->alphaChannel"));
    Image alphaOnly = makeImage(IPL_DEPTH_8U, 1, 1, IPL_DATA_ORDER_PIXEL, 4, 4);
    fillRandom(alphaOnly.get(), 2);
    const auto ao = bytesOf(alphaOnly.get());
    iplPreMultiplyAlpha(alphaOnly.get(), -1);
    EXPECT_EQ(bytesOf(alphaOnly.get()), ao);
    iplPreMultiplyAlpha(alphaOnly.get(), 77);
    EXPECT_EQ(valueOf(alphaOnly.get(), 3, 3, 0), 77);
}

TEST(PreMultiplyAlpha, ByOwnAlphaMatchesEveryValueInBothOrdersAndDepths)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1})
            for (int32_t ch : {2, 4}) {
                Image im = makeImage(depth, ch, ch, order, 37, 5);
                fillRandom(im.get(), 40 + ch);
                Image before = clonePixels(im.get());
                iplPreMultiplyAlpha(im.get(), -1);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 37; ++x)
                        for (int k = 0; k < ch; ++k) {
                            const double a = valueOf(before.get(), x, y, ch - 1);
                            const double want = k == ch - 1 ? a : scaled(valueOf(before.get(), x, y, k), a, depth);
                            ASSERT_EQ(valueOf(im.get(), x, y, k), want) << x << "," << y << "," << k;
                        }
            }
}
