// Tiled images decimate to the very bytes of their plain twins: sources,
// destinations or both tiled, every depth, data order and interpolation,
// random regions, channels of interest, factors and tile sizes.
#include "ipl/ipl.h"
#include "ops_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

using namespace opstest;

namespace {

struct Layout {
    uint32_t depth;
    int32_t order, channels;
};

const Layout kLayouts[] = {
    {IPL_DEPTH_1U, IPL_DATA_ORDER_PIXEL, 1}, {IPL_DEPTH_8U, IPL_DATA_ORDER_PIXEL, 3},
    {IPL_DEPTH_8U, IPL_DATA_ORDER_PIXEL, 4}, {IPL_DEPTH_8U, IPL_DATA_ORDER_PLANE, 3},
    {IPL_DEPTH_16U, IPL_DATA_ORDER_PIXEL, 2}, {IPL_DEPTH_16U, IPL_DATA_ORDER_PLANE, 1},
    {IPL_DEPTH_32F, IPL_DATA_ORDER_PIXEL, 3}, {IPL_DEPTH_32F, IPL_DATA_ORDER_PLANE, 2},
};

int32_t pick(std::mt19937& rng, int32_t lo, int32_t hi)
{
    return lo + static_cast<int32_t>(rng() % static_cast<uint32_t>(hi - lo + 1));
}

// A region somewhere inside a w x h image, at least 1 x 1.
IplROI* randomRoi(std::mt19937& rng, int32_t w, int32_t h, int32_t coi)
{
    const int32_t x = pick(rng, 0, w / 3), y = pick(rng, 0, h / 3);
    return iplCreateROI(coi, x, y, pick(rng, 1, w - x), pick(rng, 1, h - y));
}

struct Trial {
    Layout layout;
    int32_t mode, xDst, xSrc, yDst, ySrc, which;
    std::string describe() const
    {
        std::ostringstream o;
        o << "depth " << layout.depth << " order " << layout.order << " channels " << layout.channels << " mode "
          << mode << " factors " << xDst << "/" << xSrc << " " << yDst << "/" << ySrc << " tiled "
          << (which & 1 ? "source " : "") << (which & 2 ? "destination" : "");
        return o.str();
    }
};

void expectTiledEqualsPlain(const Trial& t, std::mt19937& rng)
{
    const Layout& l = t.layout;
    const int32_t sw = pick(rng, 4, 150), sh = pick(rng, 4, 120);
    Image src = makeImage(l.channels, 0, l.depth, sw, sh, l.order);
    fillRandom(src.get(), rng());
    Image plain = makeImage(l.channels, 0, l.depth, pick(rng, 1, 110), pick(rng, 1, 90), l.order);
    fillRandom(plain.get(), rng());
    Image tiledBacking = cloneImage(plain.get());

    const bool coi = l.channels > 1 && rng() % 3 == 0;
    const int32_t coiIndex = coi ? pick(rng, 1, l.channels) : 0;
    plain->roi = randomRoi(rng, plain->width, plain->height, coiIndex);
    src->roi = randomRoi(rng, sw, sh, coi ? pick(rng, 1, l.channels) : 0);
    iplDecimate(src.get(), plain.get(), t.xDst, t.xSrc, t.yDst, t.ySrc, t.mode);
    ASSERT_EQ(ErrorLog::entries().size(), 0u)
        << t.describe() << ": " << ErrorLog::entries().front().func << " " << ErrorLog::entries().front().context;

    // Tile sides are multiples of 8, as the image checks ask.
    TiledView srcView(src.get(), 8 * pick(rng, 1, 3), 8 * pick(rng, 1, 3));
    TiledView dstView(tiledBacking.get(), 8 * pick(rng, 1, 3), 8 * pick(rng, 1, 3));
    IplImage* s = src.get();
    IplImage* d = tiledBacking.get();
    if (t.which & 1) {
        s = srcView.get();
        s->roi = iplCreateROI(src->roi->coi, src->roi->xOffset, src->roi->yOffset, src->roi->width, src->roi->height);
    }
    if (t.which & 2) {
        d = dstView.get();
    }
    IplROI* dRoi = plain->roi;
    d->roi = iplCreateROI(dRoi->coi, dRoi->xOffset, dRoi->yOffset, dRoi->width, dRoi->height);
    iplDecimate(s, d, t.xDst, t.xSrc, t.yDst, t.ySrc, t.mode);
    ASSERT_EQ(ErrorLog::entries().size(), 0u)
        << t.describe() << ": " << ErrorLog::entries().front().func << " " << ErrorLog::entries().front().context;
    EXPECT_EQ(srcView.openTiles(), 0);
    EXPECT_EQ(dstView.openTiles(), 0);
    const auto got = bytesOf(tiledBacking.get()), want = bytesOf(plain.get());
    size_t first = 0;
    while (first < got.size() && got[first] == want[first])
        ++first;
    EXPECT_EQ(first, got.size()) << t.describe() << ": first differing byte " << first << " of row "
                                 << first / static_cast<size_t>(plain->widthStep);
}

} // namespace

TEST(DecimateTiled, EveryLayoutModeAndFactorGivesThePlainBytes)
{
    ErrorLog log;
    std::mt19937 rng(20261206);
    for (const Layout& layout : kLayouts)
        for (int32_t mode : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC, IPL_INTER_SUPER})
            for (int32_t which = 1; which <= 3; ++which)
                for (int trial = 0; trial < 6; ++trial) {
                    Trial t{layout, mode, 0, 0, 0, 0, which};
                    t.xSrc = pick(rng, 1, 9);
                    t.xDst = pick(rng, 1, t.xSrc);
                    t.ySrc = pick(rng, 1, 9);
                    t.yDst = pick(rng, 1, t.ySrc);
                    expectTiledEqualsPlain(t, rng);
                    if (HasFatalFailure())
                        return;
                }
}

// Factors whose single-precision scale lies just below the true ratio put
// box edges a hair below whole source pixels at tile borders.
TEST(DecimateTiled, ScalesRoundedDownGiveThePlainBytes)
{
    ErrorLog log;
    std::mt19937 rng(7);
    const int32_t factors[][2] = {{3, 5}, {3, 7}, {6, 7}, {7, 10}, {5, 9}, {2, 3}, {3, 4}};
    for (const Layout& layout : kLayouts)
        for (const auto& f : factors)
            for (int32_t mode : {IPL_INTER_LINEAR, IPL_INTER_CUBIC, IPL_INTER_SUPER}) {
                Trial t{layout, mode, f[0], f[1], f[0], f[1], 3};
                expectTiledEqualsPlain(t, rng);
                if (HasFatalFailure())
                    return;
            }
}

// A tall tiled source is read in bands of rows: every band boundary must
// continue the plain image's sampling exactly.
TEST(DecimateTiled, TallTiledSourcesReadInBandsGiveThePlainBytes)
{
    ErrorLog log;
    const int32_t factors[][2] = {{2, 5}, {1, 3}, {3, 4}};
    for (const Layout& l : kLayouts)
        for (int32_t mode : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC, IPL_INTER_SUPER})
            for (const auto& f : factors) {
                Image src = makeImage(l.channels, 0, l.depth, 37, 700, l.order);
                fillRandom(src.get(), 5);
                src->roi = iplCreateROI(0, 3, 9, 30, 680);
                Image plain = makeImage(l.channels, 0, l.depth, 40, 600, l.order);
                fillRandom(plain.get(), 6);
                Image tiled = cloneImage(plain.get());
                iplDecimate(src.get(), plain.get(), f[0], f[1], f[0], f[1], mode);
                {
                    TiledView view(src.get(), 16, 8);
                    view.get()->roi = iplCreateROI(0, 3, 9, 30, 680);
                    iplDecimate(view.get(), tiled.get(), f[0], f[1], f[0], f[1], mode);
                    EXPECT_EQ(view.openTiles(), 0);
                }
                ASSERT_EQ(ErrorLog::entries().size(), 0u);
                EXPECT_EQ(bytesOf(tiled.get()), bytesOf(plain.get()))
                    << "depth " << l.depth << " order " << l.order << " mode " << mode << " factor " << f[0] << "/"
                    << f[1];
            }
}
