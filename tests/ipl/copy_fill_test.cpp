// Copy and fill: worked examples, and random images compared with a
// per-pixel model across depth, order, channel of interest, alpha, masks and
// tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "ipl/ipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using namespace ipltest;

// Mask bit of area pixel (i, j), or true without a mask; limits W, H.
struct ModelMask {
    std::vector<const IplImage*> masks;
    void limit(int32_t* w, int32_t* h) const {
        for (const IplImage* m : masks) {
            const Region r = clippedRegion(m);
            *w = std::min(*w, r.width);
            *h = std::min(*h, r.height);
        }
    }
    bool on(int32_t i, int32_t j) const {
        for (const IplImage* m : masks) {
            const Region r = clippedRegion(m);
            if (getValue(m, r.x + i, r.y + j, 0) == 0) return false;
        }
        return true;
    }
};

ModelMask maskOf(const IplImage* src, const IplImage* dst) {
    ModelMask m;
    if (src && src->maskROI) m.masks.push_back(src->maskROI);
    if (dst->maskROI && (src == nullptr || dst->maskROI != src->maskROI)) m.masks.push_back(dst->maskROI);
    return m;
}

ImagePtr copyModel(const IplImage* src, const IplImage* dst) {
    ImagePtr out = clonePixels(dst);
    const ModelMask mask = maskOf(src, dst);
    const Region rs = clippedRegion(src), rd = clippedRegion(dst);
    int32_t W = std::min(rs.width, rd.width), H = std::min(rs.height, rd.height);
    mask.limit(&W, &H);
    if (src->alphaChannel && src->nChannels == 1 && !src->roi) return out;
    if (dst->alphaChannel && dst->nChannels == 1 && !dst->roi) return out;
    const std::vector<int32_t> cs = processedChannels(src), cd = processedChannels(dst);
    for (int32_t j = 0; j < H; ++j)
        for (int32_t i = 0; i < W; ++i)
            if (mask.on(i, j))
                for (size_t k = 0; k < cs.size(); ++k)
                    setValue(out.get(), rd.x + i, rd.y + j, cd[k], getValue(src, rs.x + i, rs.y + j, cs[k]));
    return out;
}

uint32_t storedFill(uint32_t depth, int32_t v) {
    auto clamp = [v](int32_t lo, int32_t hi) { return std::max(lo, std::min(hi, v)); };
    switch (depth) {
    case IPL_DEPTH_1U: return static_cast<uint32_t>(clamp(0, 1));
    case IPL_DEPTH_8U: return static_cast<uint32_t>(clamp(0, 255));
    case IPL_DEPTH_8S: return static_cast<uint32_t>(clamp(-128, 127)) & 0xffu;
    case IPL_DEPTH_16U: return static_cast<uint32_t>(clamp(0, 65535));
    case IPL_DEPTH_16S: return static_cast<uint32_t>(clamp(-32768, 32767)) & 0xffffu;
    default: return static_cast<uint32_t>(v);
    }
}

ImagePtr setModel(const IplImage* image, int32_t value) {
    ImagePtr out = clonePixels(image);
    const ModelMask mask = maskOf(nullptr, image);
    const Region r = clippedRegion(image);
    int32_t W = r.width, H = r.height;
    mask.limit(&W, &H);
    if (image->alphaChannel && image->nChannels == 1 && !image->roi) return out;
    for (int32_t j = 0; j < H; ++j)
        for (int32_t i = 0; i < W; ++i)
            if (mask.on(i, j))
                for (int32_t k : processedChannels(image)) setValue(out.get(), r.x + i, r.y + j, k, storedFill(image->depth, value));
    return out;
}

// ---- examples ---------------------------------------------------------------------

TEST(Copy, SameHeaderChangesNothingAndReportsNothing) {
    ImagePtr image = makeImage(IPL_DEPTH_16U, 3, 0, 0, 7, 5);
    std::mt19937 rng(2);
    fillRandom(image.get(), rng);
    ImagePtr before = clonePixels(image.get());
    ErrorCapture capture;
    iplCopy(image.get(), image.get());
    EXPECT_TRUE(capture.empty());
    EXPECT_EQ(bytesOf(image.get()), bytesOf(before.get()));
}

TEST(Copy, AlphaChannelIsKeptUnlessItIsTheChannelOfInterest) {
    ImagePtr src = makeImage(IPL_DEPTH_8U, 4, 4, 0, 5, 2);
    ImagePtr dst = makeImage(IPL_DEPTH_8U, 4, 4, 0, 5, 2);
    std::mt19937 rng(3);
    fillRandom(src.get(), rng);
    fillRandom(dst.get(), rng);
    ImagePtr before = clonePixels(dst.get());
    iplCopy(src.get(), dst.get());
    for (int32_t x = 0; x < 5; ++x) {
        for (int32_t k = 0; k < 3; ++k) EXPECT_EQ(getValue(dst.get(), x, 1, k), getValue(src.get(), x, 1, k));
        EXPECT_EQ(getValue(dst.get(), x, 1, 3), getValue(before.get(), x, 1, 3));
    }
    IplROI alpha{4, 0, 0, 5, 2};
    src->roi = dst->roi = &alpha;
    iplCopy(src.get(), dst.get());
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(getValue(dst.get(), x, 1, 3), getValue(src.get(), x, 1, 3));
    src->roi = dst->roi = nullptr;

    ImagePtr rgb = makeImage(IPL_DEPTH_8U, 3, 0, 0, 5, 2);
    ImagePtr rgbx = makeImage(IPL_DEPTH_8U, 4, 0, 0, 5, 2);
    ErrorCapture capture;
    iplCopy(rgb.get(), rgbx.get());
    ASSERT_FALSE(capture.empty());
    EXPECT_EQ(capture.last().status, -5);
    EXPECT_EQ(capture.last().context,
              "Number of processed channels of srcImage != Number of processed channels of dstImage");
    EXPECT_EQ(capture.last().func, "iplCopy");
    EXPECT_EQ(capture.last().file, "iplsce");
    capture.clear();
    iplCopy(rgb.get(), dst.get());
    EXPECT_TRUE(capture.empty());
}

TEST(Copy, FloatBitsAreCopiedExactly) {
    ImagePtr src = makeImage(IPL_DEPTH_32F, 1, 0, 0, 2, 1);
    ImagePtr dst = makeImage(IPL_DEPTH_32F, 1, 0, 0, 2, 1);
    const uint32_t nan = 0x7fc01234u, negativeZero = 0x80000000u;
    setValue(src.get(), 0, 0, 0, nan);
    setValue(src.get(), 1, 0, 0, negativeZero);
    IplROI roi{1, 0, 0, 2, 1};
    src->roi = &roi;
    iplCopy(src.get(), dst.get());
    EXPECT_EQ(getValue(dst.get(), 0, 0, 0), nan);
    EXPECT_EQ(getValue(dst.get(), 1, 0, 0), negativeZero);
    src->roi = nullptr;
}

TEST(Copy, MismatchesAreAllReportedAndStopTheCallEvenWhenTheStatusIsReset) {
    ImagePtr src = makeImage(IPL_DEPTH_8U, 3, 0, 0, 4, 4);
    ImagePtr dst = makeImage(IPL_DEPTH_16U, 3, 0, 1, 4, 4);
    dst->origin = IPL_ORIGIN_BL;
    ImagePtr before = clonePixels(dst.get());
    ErrorCapture capture(true);
    iplCopy(src.get(), dst.get());
    ASSERT_EQ(capture.calls.size(), 3u);
    EXPECT_EQ(capture.calls[0].context, "srcImage->depth != dstImage->depth");
    EXPECT_EQ(capture.calls[1].context, "srcImage->origin != dstImage->origin");
    EXPECT_EQ(capture.calls[2].context, "srcImage->dataOrder != dstImage->dataOrder");
    EXPECT_EQ(bytesOf(dst.get()), bytesOf(before.get()));
}

TEST(Copy, TiledDestinationIsVisitedTileByTile) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 24, 16);
    ImagePtr src = makeImage(IPL_DEPTH_8U, 1, 0, 0, 24, 16);
    TiledImage tiled(plain.get(), 8, 8);
    IplROI roi{0, 5, 3, 10, 6};
    tiled.image()->roi = &roi;
    ErrorCapture capture;
    iplCopy(src.get(), tiled.image());
    EXPECT_TRUE(capture.empty());
    const std::vector<TileCall> expected = {{0, 0, 2}, {0, 0, 4}, {1, 0, 2}, {1, 0, 4},
                                            {0, 1, 2}, {0, 1, 4}, {1, 1, 2}, {1, 1, 4}};
    EXPECT_EQ(tiled.log, expected);
}

TEST(Copy, RegionPastTheRightEdgeChangesNothing) {
    ImagePtr src = makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    ImagePtr dst = makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    std::mt19937 rng(5);
    fillRandom(dst.get(), rng);
    ImagePtr before = clonePixels(dst.get());
    IplROI roi{0, 8, 0, 4, 4};
    dst->roi = &roi;
    ErrorCapture capture;
    iplCopy(src.get(), dst.get());
    iplSet(dst.get(), 3);
    EXPECT_TRUE(capture.empty());
    EXPECT_EQ(bytesOf(dst.get()), bytesOf(before.get()));
    dst->roi = nullptr;
}

struct SetCase {
    uint32_t depth;
    int32_t value;
    uint32_t stored;
};

TEST(Set, SaturatesTheValueToTheDepth) {
    const SetCase cases[] = {
        {IPL_DEPTH_8U, 300, 255},      {IPL_DEPTH_8U, -5, 0},          {IPL_DEPTH_8S, 200, 0x7f},
        {IPL_DEPTH_8S, -200, 0x80},    {IPL_DEPTH_16U, 70000, 65535},  {IPL_DEPTH_16S, 40000, 32767},
        {IPL_DEPTH_1U, 5, 1},          {IPL_DEPTH_1U, -1, 0},          {IPL_DEPTH_32S, -7, 0xfffffff9u},
    };
    for (const SetCase& c : cases) {
        ImagePtr image = makeImage(c.depth, 1, 0, 0, 9, 2);
        std::memset(image->imageData, c.stored ? 0 : 0xff, static_cast<size_t>(image->imageSize));
        iplSet(image.get(), c.value);
        for (int32_t x = 0; x < 9; ++x) EXPECT_EQ(getValue(image.get(), x, 1, 0), c.stored) << c.value;
    }
    ImagePtr f = makeImage(IPL_DEPTH_32F, 1, 0, 0, 2, 2);
    std::memset(f->imageData, 0, static_cast<size_t>(f->imageSize));
    ErrorCapture capture;
    iplSet(f.get(), 1);
    EXPECT_EQ(capture.last().status, -17);
    EXPECT_EQ(capture.last().context, "You should use iplSetFP for this image");
    EXPECT_EQ(getValue(f.get(), 1, 1, 0), 0u);
}

TEST(Set, LeavesTheCallersMaskImageUntouched) {
    ImagePtr image = makeImage(IPL_DEPTH_1U, 1, 0, 0, 16, 2);
    ImagePtr mask = makeImage(IPL_DEPTH_1U, 1, 0, 0, 16, 2);
    std::mt19937 rng(6);
    fillRandom(image.get(), rng);
    fillRandom(mask.get(), rng);
    ImagePtr maskBefore = clonePixels(mask.get());
    ImagePtr before = clonePixels(image.get());
    image->maskROI = mask.get();
    iplSet(image.get(), 0);
    EXPECT_EQ(bytesOf(mask.get()), bytesOf(maskBefore.get()));
    for (int32_t x = 0; x < 16; ++x)
        EXPECT_EQ(getValue(image.get(), x, 1, 0), getValue(mask.get(), x, 1, 0) ? 0u : getValue(before.get(), x, 1, 0));
    image->maskROI = nullptr;
}

// ---- randomised comparison with the model -----------------------------------------

void buildImage(SceneImage* out, std::mt19937& rng, uint32_t depth, bool coiMode, int32_t order,
                int32_t base) {
    const bool withMask = rng() % 4 == 0;
    if (depth == IPL_DEPTH_1U) {
        makeSceneImage(out, rng, depth, 1, 0, static_cast<int32_t>(rng() % 2), rng() % 3 == 0 ? 1 : 0, withMask);
        return;
    }
    if (coiMode) {
        const int32_t n = randomIn(rng, 1, 4);
        const int32_t alpha = (n > 1 && rng() % 2) ? n : 0;
        makeSceneImage(out, rng, depth, n, alpha, order, randomIn(rng, 1, n), withMask);
        return;
    }
    const bool alpha = rng() % 3 == 0;
    makeSceneImage(out, rng, depth, alpha ? base + 1 : base, alpha ? base + 1 : 0, order, -1, withMask);
    if (out->image->roi) out->roi.coi = 0;
}

TEST(CopyAndSet, MatchTheModelAcrossLayoutsAndMasks) {
    const uint32_t depths[] = {IPL_DEPTH_1U, IPL_DEPTH_8U, IPL_DEPTH_8S, IPL_DEPTH_16U,
                               IPL_DEPTH_16S, IPL_DEPTH_32S, IPL_DEPTH_32F};
    std::mt19937 rng(777);
    for (uint32_t depth : depths) {
        for (int trial = 0; trial < 150; ++trial) {
            const bool coiMode = rng() % 3 == 0;
            const int32_t order = static_cast<int32_t>(rng() % 2);
            const int32_t base = randomIn(rng, 1, 3);
            SceneImage S, D;
            buildImage(&S, rng, depth, coiMode, order, base);
            buildImage(&D, rng, depth, coiMode, order, base);
            ImagePtr original = clonePixels(D.get());
            ImagePtr expected = copyModel(S.get(), D.get());
            {
                ErrorCapture capture;
                iplCopy(S.get(), D.get());
                ASSERT_TRUE(capture.empty()) << capture.last().context;
            }
            ASSERT_EQ(bytesOf(D.get()), bytesOf(expected.get())) << "copy depth " << depth << " trial " << trial;

            if (depth == IPL_DEPTH_32F) continue;
            std::memcpy(D.get()->imageData, original->imageData, static_cast<size_t>(original->imageSize));
            const int32_t value = static_cast<int32_t>(rng() % 2 ? rng() : rng() % 300);
            ImagePtr filled = setModel(D.get(), value);
            iplSet(D.get(), value);
            ASSERT_EQ(bytesOf(D.get()), bytesOf(filled.get())) << "set depth " << depth << " trial " << trial;
        }
    }
}

}  // namespace
