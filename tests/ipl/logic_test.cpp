// Logical operations: worked examples, and random images compared with a
// per-pixel model across depth, order, channel of interest, alpha, masks,
// in-place calls and tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using namespace ipltest;

enum class Op { And, Or, Xor };

uint32_t apply(Op op, uint32_t a, uint32_t b) {
    switch (op) {
    case Op::And: return a & b;
    case Op::Or: return a | b;
    default: return a ^ b;
    }
}

void run(Op op, IplImage* a, IplImage* b, IplImage* d, uint32_t value) {
    switch (op) {
    case Op::And: iplAnd(a, b, d); break;
    case Op::Or: iplOr(a, b, d); break;
    default: iplXorS(a, d, value); break;
    }
}

struct ModelRect {
    int32_t x, y, w, h;
};

ModelRect logicRect(const IplImage* im) {
    if (im->roi == nullptr) return {0, 0, im->width, im->height};
    const IplROI& r = *im->roi;
    return {r.xOffset, r.yOffset, std::max(0, r.width + std::min(0, im->width - r.xOffset - r.width)),
            std::max(0, r.height + std::min(0, im->height - r.yOffset - r.height))};
}

void working(const IplImage* im, int32_t* index, int32_t* count) {
    if (im->roi && im->roi->coi >= 1) {
        *index = im->roi->coi - 1;
        *count = 1;
    } else {
        *index = 0;
        *count = im->alphaChannel > 0 ? im->nChannels - 1 : im->nChannels;
    }
}

bool wholeBlock(const std::vector<const IplImage*>& images, bool anyAlpha) {
    if (anyAlpha) return false;
    for (const IplImage* im : images) {
        if (im->width != images[0]->width || im->height != images[0]->height ||
            im->align != images[0]->align || im->imageSize != images[0]->imageSize)
            return false;
        if (im->roi && (im->roi->xOffset != 0 || im->roi->yOffset != 0 || im->roi->width < im->width ||
                        im->roi->height < im->height || im->nChannels != 1 || im->roi->coi < 1))
            return false;
    }
    return true;
}

uint32_t patternOf(uint32_t depth, uint32_t value) {
    switch (depth & 0x7fffffffu) {
    case 1: return value & 1u;
    case 8: return value & 0xffu;
    case 16: return value & 0xffffu;
    default: return value;
    }
}

uint32_t patternWord(uint32_t depth, uint32_t value) {
    switch (depth & 0x7fffffffu) {
    case 1: return value & 1u ? 0xffffffffu : 0u;
    case 8: return (value & 0xffu) * 0x01010101u;
    case 16: return (value & 0xffffu) * 0x00010001u;
    default: return value;
    }
}

// The destination the operation must leave, from pristine copies of the
// sources (a, b) and of the destination (d), described by the call's headers.
ImagePtr model(Op op, const IplImage* hA, const IplImage* hB, const IplImage* hD, const IplImage* a,
               const IplImage* b, const IplImage* d, uint32_t value) {
    ImagePtr out = clonePixels(d);
    std::vector<const IplImage*> images{hA};
    if (hB) images.push_back(hB);
    images.push_back(hD);
    std::vector<const IplImage*> masks;
    for (const IplImage* im : images)
        if (im->maskROI) masks.push_back(im->maskROI);
    bool anyAlpha = false;
    for (const IplImage* im : images) anyAlpha = anyAlpha || im->alphaChannel > 0;
    if (masks.empty() && wholeBlock(images, anyAlpha)) {
        for (int32_t k = 0; k < hA->imageSize; ++k) {
            const uint32_t x = a->imageData[k];
            const uint32_t y = b ? b->imageData[k] : (patternWord(hD->depth, value) >> (8 * (k & 3))) & 0xffu;
            out->imageData[k] = static_cast<unsigned char>(apply(op, x, y));
        }
        return out;
    }
    int32_t W = INT32_MAX, H = INT32_MAX;
    for (const IplImage* im : images) {
        W = std::min(W, logicRect(im).w);
        H = std::min(H, logicRect(im).h);
    }
    for (const IplImage* m : masks) {
        W = std::min(W, logicRect(m).w);
        H = std::min(H, logicRect(m).h);
    }
    int32_t ia, na, ib = 0, nb, id, nd;
    working(hA, &ia, &na);
    if (hB) working(hB, &ib, &nb);
    working(hD, &id, &nd);
    const ModelRect ra = logicRect(hA), rd = logicRect(hD);
    const ModelRect rb = hB ? logicRect(hB) : ModelRect{};
    const uint32_t pat = patternOf(hD->depth, value);
    for (int32_t j = 0; j < H; ++j)
        for (int32_t i = 0; i < W; ++i) {
            bool on = true;
            for (const IplImage* m : masks) {
                const ModelRect rm = logicRect(m);
                on = on && getValue(m, rm.x + i, rm.y + j, 0) == 1;
            }
            if (!on) continue;
            for (int32_t e = 0; e < na; ++e) {
                const uint32_t x = getValue(a, ra.x + i, ra.y + j, ia + e);
                const uint32_t y = b ? getValue(b, rb.x + i, rb.y + j, ib + e) : pat;
                setValue(out.get(), rd.x + i, rd.y + j, id + e, apply(op, x, y));
            }
        }
    return out;
}

// ---- examples ----------------------------------------------------------------

TEST(LogicalOperations, IdenticalLayoutsAreCombinedAsOneBlockRowTailsIncluded) {
    ImagePtr a = makeImage(IPL_DEPTH_8U, 3, 0, 0, 5, 3);
    ImagePtr b = makeImage(IPL_DEPTH_8U, 3, 0, 0, 5, 3);
    ImagePtr d = makeImage(IPL_DEPTH_8U, 3, 0, 0, 5, 3);
    std::mt19937 rng(12);
    fillRandom(a.get(), rng);
    fillRandom(b.get(), rng);
    fillRandom(d.get(), rng);
    iplAnd(a.get(), b.get(), d.get());
    ASSERT_GT(d->widthStep, 15);  // the row tail exists
    for (int32_t k = 0; k < d->imageSize; ++k) EXPECT_EQ(d->imageData[k], a->imageData[k] & b->imageData[k]);
}

struct RefusalCase {
    const char* context;
    uint32_t depthA;
    int32_t channelsA;
    int32_t orderA;
    uint32_t depthD;
    int32_t channelsD;
};

TEST(LogicalOperations, MismatchedImagesAreRefusedBeforeAnyPixel) {
    const RefusalCase cases[] = {
        {"(srcImageA->depth != dstImage->depth)", IPL_DEPTH_8U, 1, 0, IPL_DEPTH_16U, 1},
        {"(srcImageA->dataOrder != dstImage->dataOrder)", IPL_DEPTH_8U, 3, 1, IPL_DEPTH_8U, 3},
        {"(nChSrcA != nChDst)", IPL_DEPTH_8U, 3, 0, IPL_DEPTH_8U, 4},
        {"This function does not support depth 32F", IPL_DEPTH_32F, 1, 0, IPL_DEPTH_32F, 1},
    };
    for (const RefusalCase& c : cases) {
        ImagePtr a = makeImage(c.depthA, c.channelsA, 0, c.orderA, 4, 4);
        ImagePtr d = makeImage(c.depthD, c.channelsD, 0, 0, 4, 4);
        std::memset(d->imageData, 0x5a, static_cast<size_t>(d->imageSize));
        ImagePtr before = clonePixels(d.get());
        ErrorCapture capture;
        iplAnd(a.get(), d.get(), d.get());
        ASSERT_FALSE(capture.empty()) << c.context;
        EXPECT_EQ(capture.calls[0].status, -5);
        EXPECT_EQ(capture.calls[0].context, c.context);
        EXPECT_EQ(capture.calls[0].func, "iplAnd");
        EXPECT_EQ(capture.calls[0].file, "ipland");
        EXPECT_EQ(bytesOf(d.get()), bytesOf(before.get()));
    }
    ImagePtr bad = makeImage(IPL_DEPTH_8U, 1, 0, 0, 4, 4);
    ImagePtr good = makeImage(IPL_DEPTH_8U, 1, 0, 0, 4, 4);
    bad->align = 3;
    ErrorCapture capture;
    iplXorS(good.get(), bad.get(), 1);
    EXPECT_EQ(capture.last().status, -21);
    EXPECT_EQ(capture.last().context, "Incorrect Image");
    EXPECT_EQ(capture.last().file, "iplxors");
}

TEST(LogicalOperations, XorPatternFollowsTheDepth) {
    struct Case {
        uint32_t depth;
        uint32_t expected;
    };
    for (const Case& c : {Case{IPL_DEPTH_8U, 0x34}, Case{IPL_DEPTH_16U, 0x1234}, Case{IPL_DEPTH_32S, 0x1234}}) {
        ImagePtr s = makeImage(c.depth, 1, 0, 0, 3, 2);
        std::memset(s->imageData, 0, static_cast<size_t>(s->imageSize));
        IplROI roi{0, 0, 0, 3, 2};
        s->roi = &roi;  // not the whole-block path
        iplXorS(s.get(), s.get(), 0x1234);
        EXPECT_EQ(getValue(s.get(), 2, 1, 0), c.expected);
        s->roi = nullptr;
    }
    ImagePtr m = makeImage(IPL_DEPTH_1U, 1, 0, 0, 13, 3);
    std::mt19937 rng(5);
    fillRandom(m.get(), rng);
    ImagePtr before = clonePixels(m.get());
    iplXorS(m.get(), m.get(), 2);
    EXPECT_EQ(bytesOf(m.get()), bytesOf(before.get()));
    iplXorS(m.get(), m.get(), 1);
    iplXorS(m.get(), m.get(), 1);
    EXPECT_EQ(bytesOf(m.get()), bytesOf(before.get()));
    iplXorS(m.get(), m.get(), 3);
    for (int32_t x = 0; x < 13; ++x) EXPECT_NE(getValue(m.get(), x, 1, 0), getValue(before.get(), x, 1, 0));
}

TEST(LogicalOperations, TiledDestinationIsWalkedInBandsAndBlocks) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 32, 32);
    ImagePtr a = makeImage(IPL_DEPTH_8U, 1, 0, 0, 40, 40);
    ImagePtr b = makeImage(IPL_DEPTH_8U, 1, 0, 0, 40, 40);
    TiledImage tiled(plain.get(), 16, 16);
    IplROI roi{0, 5, 5, 20, 20};
    tiled.image()->roi = &roi;
    ErrorCapture capture;
    iplAnd(a.get(), b.get(), tiled.image());
    EXPECT_TRUE(capture.empty());
    const std::vector<TileCall> expected = {{0, 0, 2}, {0, 0, 4}, {1, 0, 2}, {1, 0, 4},
                                            {0, 1, 2}, {0, 1, 4}, {1, 1, 2}, {1, 1, 4}};
    EXPECT_EQ(tiled.log, expected);
}

TEST(LogicalOperations, MissingTileIsReportedAndHeldTilesReturned) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 32, 32);
    ImagePtr src = makeImage(IPL_DEPTH_8U, 1, 0, 0, 32, 32);
    TiledImage tiledSrc(src.get(), 16, 16);
    TiledImage tiledDst(plain.get(), 16, 16);
    tiledDst.missing.push_back({1, 0});
    ErrorCapture capture;
    iplXorS(tiledSrc.image(), tiledDst.image(), 1);
    ASSERT_FALSE(capture.empty());
    EXPECT_EQ(capture.last().status, -5);
    EXPECT_EQ(capture.last().context, "(dstImage->tileInfo->tileData == 0)");
    EXPECT_EQ(tiledSrc.held(), 0);
    EXPECT_EQ(tiledDst.held(), 0);
}

// ---- randomised comparison with the model ------------------------------------------

struct Scenario {
    uint32_t depth;
    bool coiMode;
};

void buildImage(SceneImage* out, std::mt19937& rng, const Scenario& s, int32_t order, int32_t base) {
    const bool oneBit = s.depth == IPL_DEPTH_1U;
    const bool withMask = rng() % 4 == 0;
    if (oneBit) {
        makeSceneImage(out, rng, s.depth, 1, 0, static_cast<int32_t>(rng() % 2), rng() % 3 == 0 ? 1 : 0, withMask);
        return;
    }
    if (s.coiMode) {
        const int32_t n = randomIn(rng, 1, 4);
        const int32_t alpha = (n > 1 && rng() % 2) ? n : 0;
        makeSceneImage(out, rng, s.depth, n, alpha, order, randomIn(rng, 1, n), withMask);
        return;
    }
    const bool alpha = rng() % 3 == 0;
    makeSceneImage(out, rng, s.depth, alpha ? base + 1 : base, alpha ? base + 1 : 0, order, -1, withMask);
    if (out->image->roi) out->roi.coi = 0;
}

TEST(LogicalOperations, MatchTheModelAcrossLayoutsMasksAndInPlaceCalls) {
    const uint32_t depths[] = {IPL_DEPTH_1U, IPL_DEPTH_8U, IPL_DEPTH_8S, IPL_DEPTH_16U, IPL_DEPTH_16S, IPL_DEPTH_32S};
    std::mt19937 rng(20261206);
    for (uint32_t depth : depths) {
        for (int trial = 0; trial < 150; ++trial) {
            const Scenario s{depth, rng() % 3 == 0};
            const Op op = static_cast<Op>(rng() % 3);
            const int32_t order = static_cast<int32_t>(rng() % 2);
            const int32_t base = randomIn(rng, 1, 3);
            SceneImage A, B, D;
            buildImage(&A, rng, s, order, base);
            buildImage(&B, rng, s, order, base);
            buildImage(&D, rng, s, order, base);
            // In-place calls: the destination is one of the sources.
            const int inPlace = static_cast<int>(rng() % 4);
            IplImage* a = A.get();
            IplImage* b = op == Op::Xor ? nullptr : B.get();
            IplImage* d = inPlace == 1 ? a : (inPlace == 2 && b ? b : D.get());
            const uint32_t value = static_cast<uint32_t>(rng());

            ImagePtr pa = clonePixels(a), pd = clonePixels(d);
            ImagePtr pb = b ? clonePixels(b) : nullptr;
            ImagePtr expected = model(op, a, b, d, pa.get(), pb.get(), pd.get(), value);
            {
                ErrorCapture capture;
                run(op, a, b, d, value);
                ASSERT_TRUE(capture.empty()) << capture.last().context;
            }
            ASSERT_EQ(bytesOf(d), bytesOf(expected.get()))
                << "depth " << depth << " op " << static_cast<int>(op) << " trial " << trial;

        }
    }
}

}  // namespace
