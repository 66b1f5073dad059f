// iplMultiplyScale and iplPreMultiplyAlpha against value-by-value products.
#include "ipl/ipl.h"
#include "ops_test_support.h"

#include <gtest/gtest.h>

using namespace opstest;

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
                Image a = makeImage(dstAlpha ? 3 : 4, 0, depth, 10, 8, order);
                Image b = makeImage(dstAlpha ? 3 : 4, 0, depth, 9, 12, order);
                Image d = makeImage(4, dstAlpha, depth, 11, 9, order);
                fillRandom(a.get(), 1);
                fillRandom(b.get(), 2);
                fillRandom(d.get(), 3);
                Image before = cloneImage(d.get());
                iplMultiplyScale(a.get(), b.get(), d.get());
                ASSERT_EQ(iplGetErrStatus(), 0);
                for (int y = 0; y < 9; ++y)
                    for (int x = 0; x < 11; ++x)
                        for (int k = 0; k < 4; ++k) {
                            const bool inside = x < 9 && y < 8 && (k < 3 || !dstAlpha);
                            const double want = inside ? scaled(getValue(a.get(), x, y, k), getValue(b.get(), x, y, k), depth)
                                                       : getValue(before.get(), x, y, k);
                            ASSERT_EQ(getValue(d.get(), x, y, k), want) << x << "," << y << "," << k;
                        }
            }
}

TEST(MultiplyScale, ChannelsOfInterestRegionsAndInPlace)
{
    // Channel 4 of all three, srcImageB = dstImage: the crop tool's use.
    Image a = makeImage(4, 4, IPL_DEPTH_8U, 12, 10);
    Image d = makeImage(4, 4, IPL_DEPTH_8U, 12, 10);
    fillRandom(a.get(), 4);
    fillRandom(d.get(), 5);
    a->roi = iplCreateROI(4, 0, 0, 12, 10);
    d->roi = iplCreateROI(4, 0, 0, 12, 10);
    Image before = cloneImage(d.get());
    iplMultiplyScale(a.get(), d.get(), d.get());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            for (int k = 0; k < 4; ++k) {
                const double want = k == 3 ? scaled(getValue(a.get(), x, y, 3), getValue(before.get(), x, y, 3), 8)
                                           : getValue(before.get(), x, y, k);
                ASSERT_EQ(getValue(d.get(), x, y, k), want);
            }
    // Regions of 10 x 8 and 6 x 12 process 6 x 8 from each region's origin.
    Image p = makeImage(1, 0, IPL_DEPTH_8U, 20, 20), q = makeImage(1, 0, IPL_DEPTH_8U, 20, 20);
    Image r = makeImage(1, 0, IPL_DEPTH_8U, 20, 20);
    fillRandom(p.get(), 6);
    fillRandom(q.get(), 7);
    p->roi = iplCreateROI(0, 2, 3, 10, 8);
    q->roi = iplCreateROI(0, 5, 1, 6, 12);
    Image rBefore = cloneImage(r.get());
    iplMultiplyScale(p.get(), q.get(), r.get());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const double want = x < 6 && y < 8 ? scaled(getValue(p.get(), 2 + x, 3 + y, 0), getValue(q.get(), 5 + x, 1 + y, 0), 8)
                                               : getValue(rBefore.get(), x, y, 0);
            ASSERT_EQ(getValue(r.get(), x, y, 0), want);
        }
}

TEST(MultiplyScale, MasksOnTwoImagesAreCombined)
{
    Image a = makeImage(3, 0, IPL_DEPTH_16U, 14, 9), b = makeImage(3, 0, IPL_DEPTH_16U, 14, 9);
    Image d = makeImage(3, 0, IPL_DEPTH_16U, 14, 9);
    fillRandom(a.get(), 8);
    fillRandom(b.get(), 9);
    fillRandom(d.get(), 10);
    Image m1 = makeImage(1, 0, IPL_DEPTH_1U, 20, 20), m2 = makeImage(1, 0, IPL_DEPTH_1U, 14, 9);
    fillRandom(m1.get(), 11);
    fillRandom(m2.get(), 12);
    m1->roi = iplCreateROI(0, 3, 4, 14, 9);
    Image before = cloneImage(d.get());
    d->maskROI = m1.get();
    a->maskROI = m2.get();
    iplMultiplyScale(a.get(), b.get(), d.get());
    d->maskROI = nullptr;
    a->maskROI = nullptr;
    ASSERT_EQ(iplGetErrStatus(), 0);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 14; ++x)
            for (int k = 0; k < 3; ++k) {
                const bool set = getValue(m1.get(), 3 + x, 4 + y, 0) && getValue(m2.get(), x, y, 0);
                const double want = set ? scaled(getValue(a.get(), x, y, k), getValue(b.get(), x, y, k), 16)
                                        : getValue(before.get(), x, y, k);
                ASSERT_EQ(getValue(d.get(), x, y, k), want);
            }
}

TEST(MultiplyScale, RefusedArguments)
{
    ErrorLog log;
    Image a3 = makeImage(3, 0, IPL_DEPTH_8U, 4, 4), d3a = makeImage(4, 4, IPL_DEPTH_8U, 4, 4);
    Image s16 = makeImage(3, 0, IPL_DEPTH_16U, 4, 4), d8s = makeImage(3, 0, IPL_DEPTH_8S, 4, 4);
    Image alphaOnly = makeImage(1, 1, IPL_DEPTH_8U, 4, 4);
    Image three = makeImage(3, 0, IPL_DEPTH_8U, 4, 4);
    iplMultiplyScale(a3.get(), a3.get(), alphaOnly.get());
    EXPECT_TRUE(log.has(-5, "dstImage->alphaChannel == 1 && dstImage->roi == 0"));
    iplMultiplyScale(s16.get(), s16.get(), three.get());
    EXPECT_TRUE(log.has(-5, "srcImageA->depth != dstImage->depth"));
    iplMultiplyScale(d8s.get(), d8s.get(), d8s.get());
    EXPECT_TRUE(log.has(-5, "dstImage->depth != 8 && dstImage->depth != 16"));
    Image four = makeImage(4, 4, IPL_DEPTH_8U, 4, 4);
    Image threeAlpha = makeImage(4, 0, IPL_DEPTH_8U, 4, 4);
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
            Image im = makeImage(4, 4, IPL_DEPTH_8U, 19, 3, order);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 19; ++x) {
                    setValue(im.get(), x, y, 0, 200);
                    setValue(im.get(), x, y, 1, 100);
                    setValue(im.get(), x, y, 2, 50);
                    setValue(im.get(), x, y, 3, 128);
                }
            iplPreMultiplyAlpha(im.get(), c.alphaValue);
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(getValue(im.get(), 18, 2, k), c.want[k]) << c.alphaValue << " order " << order;
        }
}

TEST(PreMultiplyAlpha, ChannelOfInterestMaskAndSixteenBits)
{
    Image im = makeImage(4, 4, IPL_DEPTH_16U, 9, 7);
    fillRandom(im.get(), 20);
    Image before = cloneImage(im.get());
    im->roi = iplCreateROI(1, 1, 1, 6, 5);
    iplPreMultiplyAlpha(im.get(), 40000);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool in = x >= 1 && x < 7 && y >= 1 && y < 6;
            EXPECT_EQ(getValue(im.get(), x, y, 0), in ? scaled(getValue(before.get(), x, y, 0), 40000, 16) : getValue(before.get(), x, y, 0));
            EXPECT_EQ(getValue(im.get(), x, y, 1), getValue(before.get(), x, y, 1));
            EXPECT_EQ(getValue(im.get(), x, y, 3), in ? 40000 : getValue(before.get(), x, y, 3));
        }
    Image m = makeImage(4, 4, IPL_DEPTH_8U, 10, 6);
    fillRandom(m.get(), 21);
    Image mb = cloneImage(m.get());
    Image mask = makeImage(1, 0, IPL_DEPTH_1U, 10, 6);
    fillRandom(mask.get(), 22);
    m->maskROI = mask.get();
    iplPreMultiplyAlpha(m.get(), -1);
    m->maskROI = nullptr;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            for (int k = 0; k < 4; ++k) {
                const bool set = getValue(mask.get(), x, y, 0) && k < 3;
                EXPECT_EQ(getValue(m.get(), x, y, k),
                          set ? scaled(getValue(mb.get(), x, y, k), getValue(mb.get(), x, y, 3), 8) : getValue(mb.get(), x, y, k));
            }
}

TEST(PreMultiplyAlpha, RefusalsIncludeAConstantAboveTheMaximumWithoutAlpha)
{
    ErrorLog log;
    Image noAlpha = makeImage(3, 0, IPL_DEPTH_8U, 4, 4);
    fillRandom(noAlpha.get(), 1);
    const auto before = bytesOf(noAlpha.get());
    iplPreMultiplyAlpha(noAlpha.get(), -1);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel < 1"));
    log.entries().clear();
    iplPreMultiplyAlpha(noAlpha.get(), 300);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel < 1"));
    EXPECT_EQ(bytesOf(noAlpha.get()), before);
    Image withAlpha = makeImage(4, 4, IPL_DEPTH_8U, 4, 4);
    withAlpha->roi = iplCreateROI(4, 0, 0, 4, 4);
    iplPreMultiplyAlpha(withAlpha.get(), 10);
    EXPECT_TRUE(log.has(-5, "image->alphaChannel > 0 && image->roi->coi == image->alphaChannel"));
    Image alphaOnly = makeImage(1, 1, IPL_DEPTH_8U, 4, 4);
    fillRandom(alphaOnly.get(), 2);
    const auto ao = bytesOf(alphaOnly.get());
    iplPreMultiplyAlpha(alphaOnly.get(), -1);
    EXPECT_EQ(bytesOf(alphaOnly.get()), ao);
    iplPreMultiplyAlpha(alphaOnly.get(), 77);
    EXPECT_EQ(getValue(alphaOnly.get(), 3, 3, 0), 77);
}

TEST(PreMultiplyAlpha, ByOwnAlphaMatchesEveryValueInBothOrdersAndDepths)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U})
        for (int32_t order : {0, 1})
            for (int32_t ch : {2, 4}) {
                Image im = makeImage(ch, ch, depth, 37, 5, order);
                fillRandom(im.get(), 40 + ch);
                Image before = cloneImage(im.get());
                iplPreMultiplyAlpha(im.get(), -1);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 37; ++x)
                        for (int k = 0; k < ch; ++k) {
                            const double a = getValue(before.get(), x, y, ch - 1);
                            const double want = k == ch - 1 ? a : scaled(getValue(before.get(), x, y, k), a, depth);
                            ASSERT_EQ(getValue(im.get(), x, y, k), want) << x << "," << y << "," << k;
                        }
            }
}
