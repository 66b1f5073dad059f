// iplMirror against a direct mapping of every pixel.
#include "ipl/ipl.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ipltest;

namespace {

struct Roi {
    int32_t coi, x = 0, y = 0, w = 0, h = 0;
};

IplROI* makeRoi(const Roi& r) { return iplCreateROI(r.coi, r.x, r.y, r.w, r.h); }

int32_t moved(const IplImage* im)
{
    if (im->roi && im->roi->coi)
        return 1;
    return im->alphaChannel ? im->nChannels - 1 : im->nChannels;
}

// The expected destination: dst as it was, with the mirrored area written.
Image expectedMirror(const IplImage* src, const IplImage* dstBefore, const IplImage* srcMask,
                     const IplImage* dstMask, int32_t flip)
{
    Image out = clonePixels(dstBefore);
    auto area = [](const IplImage* im, int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
        *x = im->roi ? im->roi->xOffset : 0;
        *y = im->roi ? im->roi->yOffset : 0;
        *w = im->roi ? std::min(im->roi->width, im->width - *x) : im->width;
        *h = im->roi ? std::min(im->roi->height, im->height - *y) : im->height;
    };
    int32_t sx, sy, sw, sh, dx, dy, dw, dh;
    area(src, &sx, &sy, &sw, &sh);
    area(dstBefore, &dx, &dy, &dw, &dh);
    int32_t w = std::min(sw, dw), h = std::min(sh, dh);
    int32_t smx = 0, smy = 0, dmx = 0, dmy = 0, mw, mh;
    if (srcMask) {
        area(srcMask, &smx, &smy, &mw, &mh);
        w = std::min(w, mw);
        h = std::min(h, mh);
    }
    if (dstMask) {
        area(dstMask, &dmx, &dmy, &mw, &mh);
        w = std::min(w, mw);
        h = std::min(h, mh);
    }
    const int32_t n = moved(src);
    const int32_t s0 = src->roi && src->roi->coi ? src->roi->coi - 1 : 0;
    const int32_t d0 = dstBefore->roi && dstBefore->roi->coi ? dstBefore->roi->coi - 1 : 0;
    for (int32_t r = 0; r < h; ++r)
        for (int32_t c = 0; c < w; ++c) {
            const int32_t sc = flip == 0 ? c : w - 1 - c;
            const int32_t sr = flip == 1 ? r : h - 1 - r;
            if (srcMask && valueOf(srcMask, smx + sc, smy + sr, 0) == 0)
                continue;
            if (dstMask && valueOf(dstMask, dmx + c, dmy + r, 0) == 0)
                continue;
            for (int32_t k = 0; k < n; ++k)
                setValueOf(out.get(), dx + c, dy + r, d0 + k, valueOf(src, sx + sc, sy + sr, s0 + k));
        }
    return out;
}

struct Case {
    uint32_t depth;
    int32_t order, srcCh, srcAlpha, dstCh, dstAlpha;
    Roi srcRoi, dstRoi;  // coi -1: no region
};

const Case kCases[] = {
    {IPL_DEPTH_8U, 0, 3, 0, 3, 0, {-1}, {-1}},
    {IPL_DEPTH_8U, 0, 4, 0, 4, 0, {-1}, {0, 1, 1, 15, 9}},
    {IPL_DEPTH_16U, 0, 2, 0, 2, 0, {0, 1, 0, 12, 9}, {-1}},
    {IPL_DEPTH_8U, 0, 4, 4, 4, 4, {0, 1, 2, 9, 7}, {0, 3, 1, 8, 9}},
    {IPL_DEPTH_8U, 0, 4, 4, 3, 0, {0, 0, 0, 10, 6}, {-1}},
    {IPL_DEPTH_8U, 0, 4, 0, 1, 0, {2, 1, 1, 6, 5}, {-1}},
    {IPL_DEPTH_8S, 1, 3, 0, 3, 0, {0, 2, 3, 7, 6}, {-1}},
    {IPL_DEPTH_8U, 1, 4, 4, 4, 4, {3, 0, 0, 11, 9}, {2, 1, 1, 9, 7}},
    {IPL_DEPTH_16U, 0, 3, 0, 3, 0, {0, 1, 0, 10, 8}, {0, 0, 2, 9, 7}},
    {IPL_DEPTH_16S, 1, 2, 0, 2, 0, {-1}, {-1}},
    {IPL_DEPTH_32S, 0, 2, 0, 2, 0, {1, 0, 1, 5, 5}, {2, 1, 0, 9, 9}},
    {IPL_DEPTH_32F, 0, 4, 4, 4, 4, {-1}, {-1}},
    {IPL_DEPTH_32F, 1, 3, 0, 3, 0, {0, 2, 2, 5, 4}, {-1}},
    {IPL_DEPTH_1U, 0, 1, 0, 1, 0, {0, 5, 1, 17, 6}, {0, 2, 2, 20, 7}},
    {IPL_DEPTH_1U, 0, 1, 0, 1, 0, {-1}, {-1}},
};

Image makeCaseImage(int32_t ch, int32_t alpha, const Case& c, int32_t w, int32_t h, const Roi& roi, uint32_t seed)
{
    Image im = makeImage(c.depth, ch, alpha, c.order, w, h);
    fillRandom(im.get(), seed);
    if (roi.coi >= 0)
        im->roi = makeRoi(roi);
    return im;
}

} // namespace

TEST(Mirror, EveryDepthOrderRegionAndAxisMatchesTheMapping)
{
    for (const Case& c : kCases)
        for (int32_t flip : {0, 1, -1}) {
            Image src = makeCaseImage(c.srcCh, c.srcAlpha, c, 13, 11, c.srcRoi, 1);
            Image dst = makeCaseImage(c.dstCh, c.dstAlpha, c, 23, 10, c.dstRoi, 2);
            Image want = expectedMirror(src.get(), dst.get(), nullptr, nullptr, flip);
            iplMirror(src.get(), dst.get(), flip);
            ASSERT_EQ(iplGetErrStatus(), 0);
            EXPECT_EQ(bytesOf(dst.get()), bytesOf(want.get())) << "depth " << c.depth << " flip " << flip;
        }
}

TEST(Mirror, InPlaceEqualsOutOfPlace)
{
    for (const Case& c : kCases)
        for (int32_t flip : {0, 1, -1}) {
            Image im = makeCaseImage(c.srcCh, c.srcAlpha, c, 14, 9, c.srcRoi, 3);
            Image want = expectedMirror(im.get(), im.get(), nullptr, nullptr, flip);
            iplMirror(im.get(), im.get(), flip);
            EXPECT_EQ(bytesOf(im.get()), bytesOf(want.get())) << "depth " << c.depth << " flip " << flip;
        }
}

TEST(Mirror, MasksOnEitherSideLeaveUnsetPixelsAsTheyWere)
{
    for (uint32_t depth : {IPL_DEPTH_8U, IPL_DEPTH_16U, IPL_DEPTH_1U})
        for (int32_t flip : {0, 1, -1}) {
            const int32_t ch = depth == IPL_DEPTH_1U ? 1 : 3;
            Image src = makeImage(depth, ch, 0, IPL_DATA_ORDER_PIXEL, 19, 9);
            Image dst = makeImage(depth, ch, 0, IPL_DATA_ORDER_PIXEL, 21, 12);
            fillRandom(src.get(), 4);
            fillRandom(dst.get(), 5);
            Image sm = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 30, 12);
            Image dm = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 9);
            fillRandom(sm.get(), 6);
            fillRandom(dm.get(), 7);
            sm->roi = iplCreateROI(0, 3, 1, 40, 40);  // reaches past the mask image: clipped
            dst->roi = iplCreateROI(0, 2, 1, 18, 10);
            Image want = expectedMirror(src.get(), dst.get(), sm.get(), dm.get(), flip);
            src->maskROI = sm.get();
            dst->maskROI = dm.get();
            iplMirror(src.get(), dst.get(), flip);
            src->maskROI = nullptr;
            dst->maskROI = nullptr;
            EXPECT_EQ(bytesOf(dst.get()), bytesOf(want.get())) << "depth " << depth << " flip " << flip;
        }
}

TEST(Mirror, TiledDestinationVisitsTilesFromTheFarSide)
{
    Image src = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 20, 20);
    Image dst = makeImage(IPL_DEPTH_8U, 1, 0, IPL_DATA_ORDER_PIXEL, 32, 32);
    fillRandom(src.get(), 1);
    TiledImage tdst(dst.get(), 16, 16);
    IplROI roi{0, 5, 5, 20, 20};
    tdst.image()->roi = &roi;
    iplMirror(src.get(), tdst.image(), 1);
    const std::vector<TileCall> want = {{1, 0, 2}, {1, 0, 4}, {0, 0, 2}, {0, 0, 4},
                                        {1, 1, 2}, {1, 1, 4}, {0, 1, 2}, {0, 1, 4}};
    EXPECT_EQ(tdst.log, want);
}

TEST(Mirror, RefusedArgumentsAreReportedAndChangeNothing)
{
    ErrorCapture log;
    Image a = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image b = makeImage(IPL_DEPTH_8U, 4, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image c = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    Image p = makeImage(IPL_DEPTH_8U, 3, 0, IPL_DATA_ORDER_PLANE, 4, 4);
    Image bit = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 8, 4);
    fillRandom(a.get(), 1);
    const auto before = bytesOf(b.get());
    iplMirror(a.get(), a.get(), 2);
    EXPECT_TRUE(log.has(-5, "((flipAxis>1)||(flipAxis<-1))"));
    iplMirror(a.get(), a.get(), -2);
    iplMirror(a.get(), b.get(), 0);
    EXPECT_TRUE(log.has(-5, "(nChannelsSrc != nChannelsDst)"));
    iplMirror(a.get(), c.get(), 0);
    EXPECT_TRUE(log.has(-5, "(srcImage->depth!=dstImage->depth)"));
    iplMirror(a.get(), p.get(), 0);
    EXPECT_TRUE(log.has(-5, "(srcImage->dataOrder != dstImage->dataOrder)"));
    Image mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, 4, 4);
    a->maskROI = mask.get();
    iplMirror(a.get(), a.get(), 0);
    a->maskROI = nullptr;
    EXPECT_TRUE(log.has(-5, "(srcImage==dstImage && srcImage->maskROI != ((void *)0))"));
    EXPECT_EQ(bytesOf(b.get()), before);
    (void)bit;
}
