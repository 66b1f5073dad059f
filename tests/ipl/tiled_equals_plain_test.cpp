// Every image operation gives a tiled image the very bytes it gives the same
// image plain: random layouts, regions, channels of interest, masks, tile
// sizes and in-place calls, with any of the images tiled.
#include "ipl/ipl.h"
#include "ipl_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace ipltest;

namespace {

struct Layout {
    uint32_t depth;
    int32_t order, channels, alpha;
};

const Layout k1u{IPL_DEPTH_1U, IPL_DATA_ORDER_PIXEL, 1, 0};
const Layout k8uRgb{IPL_DEPTH_8U, IPL_DATA_ORDER_PIXEL, 3, 0};
const Layout k8uRgba{IPL_DEPTH_8U, IPL_DATA_ORDER_PIXEL, 4, 4};
const Layout k8uPlanes{IPL_DEPTH_8U, IPL_DATA_ORDER_PLANE, 3, 0};
const Layout k16uRgba{IPL_DEPTH_16U, IPL_DATA_ORDER_PIXEL, 4, 4};
const Layout k16uPlanes{IPL_DEPTH_16U, IPL_DATA_ORDER_PLANE, 4, 4};
const Layout k16uGray{IPL_DEPTH_16U, IPL_DATA_ORDER_PIXEL, 1, 0};
const Layout k32fRgb{IPL_DEPTH_32F, IPL_DATA_ORDER_PIXEL, 3, 0};
const Layout k32fPlanes{IPL_DEPTH_32F, IPL_DATA_ORDER_PLANE, 2, 0};
const Layout k8sRgb{IPL_DEPTH_8S, IPL_DATA_ORDER_PIXEL, 3, 0};
const Layout k16sPlanes{IPL_DEPTH_16S, IPL_DATA_ORDER_PLANE, 2, 0};
const Layout k32sGray{IPL_DEPTH_32S, IPL_DATA_ORDER_PIXEL, 1, 0};

int32_t pick(std::mt19937& rng, int32_t lo, int32_t hi)
{
    return lo + static_cast<int32_t>(rng() % static_cast<uint32_t>(hi - lo + 1));
}

// The images of one call: im[0..count-1], the last one written. An in-place
// call passes the one image in every slot.
using Operation = std::function<void(IplImage* const* im)>;

struct OperationCase {
    const char* name;
    int32_t images;  // distinct images the operation takes
    bool inPlaceToo; // whether the first and last slots may be one image
    std::vector<Layout> layouts;
    std::function<Operation(std::mt19937&)> make;  // the call, with random arguments
};

IplROI* randomRoi(std::mt19937& rng, const IplImage* im, int32_t coi)
{
    const int32_t x = pick(rng, 0, im->width / 3), y = pick(rng, 0, im->height / 3);
    return iplCreateROI(coi, x, y, pick(rng, 1, im->width - x), pick(rng, 1, im->height - y));
}

// The first pixel byte where two images of one layout differ, or -1. Row
// padding is no pixel: a plain image may have it written where a tiled one
// has none.
int64_t firstDifference(const IplImage* a, const IplImage* b)
{
    const int32_t planes = a->dataOrder == IPL_DATA_ORDER_PLANE ? a->nChannels : 1;
    const int64_t bits = int64_t(a->width) * int32_t(a->depth & 0x7fffffffu) * (planes == 1 ? a->nChannels : 1);
    for (int32_t p = 0; p < planes; ++p)
        for (int32_t y = 0; y < a->height; ++y)
            for (int64_t x = 0; x < (bits + 7) / 8; ++x) {
                const int64_t at = (int64_t(p) * a->height + y) * a->widthStep + x;
                const int32_t tail = static_cast<int32_t>(bits - 8 * x);
                const unsigned keep = tail >= 8 ? 0xffu : (0xff00u >> tail) & 0xffu;
                if ((a->imageData[at] ^ b->imageData[at]) & keep)
                    return at;
            }
    return -1;
}

// Runs one random call plainly and on tiled twins; true when the plain call
// was accepted (so that the comparison was about pixels).
bool expectTiledEqualsPlain(const OperationCase& op, std::mt19937& rng, const std::string& where, ErrorCapture& log)
{
    const Layout l = op.layouts[rng() % op.layouts.size()];
    const bool inPlace = op.inPlaceToo && op.images > 1 && rng() % 3 == 0;
    const int32_t distinct = inPlace ? op.images - 1 : op.images;
    const bool withCoi = l.channels > 1 && rng() % 4 == 0;
    const int32_t coi = withCoi ? pick(rng, 1, l.channels) : 0;

    std::vector<Image> plain, backing;
    for (int32_t i = 0; i < distinct; ++i) {
        plain.push_back(makeImage(l.depth, l.channels, l.alpha, l.order, pick(rng, 4, 64), pick(rng, 4, 48)));
        fillRandom(plain.back().get(), rng());
        backing.push_back(clonePixels(plain.back().get()));
        plain.back()->roi = rng() % 5 == 0 && !withCoi ? nullptr : randomRoi(rng, plain.back().get(), coi);
    }
    Image mask;
    if (rng() % 4 == 0) {
        mask = makeImage(IPL_DEPTH_1U, 1, 0, IPL_DATA_ORDER_PIXEL, pick(rng, 8, 70), pick(rng, 8, 50));
        fillRandom(mask.get(), rng());
        mask->roi = randomRoi(rng, mask.get(), 0);
        plain.back()->maskROI = mask.get();
    }
    const Operation call = op.make(rng);
    auto slots = [&](const std::vector<IplImage*>& ims) {
        std::vector<IplImage*> s;
        for (int32_t i = 0; i < op.images; ++i)
            s.push_back(inPlace && i == op.images - 1 ? ims[0] : ims[static_cast<size_t>(i)]);
        return s;
    };

    std::vector<IplImage*> plainPtrs;
    for (auto& im : plain)
        plainPtrs.push_back(im.get());
    log.clear();
    call(slots(plainPtrs).data());
    const std::vector<int32_t> plainStatuses = log.statuses();

    // The twins: each image tiled or not, at least one tiled.
    std::vector<std::unique_ptr<TiledImage>> tiled(static_cast<size_t>(distinct));
    std::vector<IplROI> rois(static_cast<size_t>(distinct));
    std::vector<IplImage*> twinPtrs;
    const uint32_t tiledSet = 1 + rng() % ((1u << distinct) - 1);
    for (size_t i = 0; i < size_t(distinct); ++i) {
        IplImage* im = backing[i].get();
        if (tiledSet & (1u << i)) {
            tiled[i] = std::make_unique<TiledImage>(im, 8 * pick(rng, 1, 3), 8 * pick(rng, 1, 3));
            im = tiled[i]->image();
        }
        if (plain[i]->roi)
            rois[i] = *plain[i]->roi;
        im->roi = plain[i]->roi ? &rois[i] : nullptr;
        im->maskROI = plain[i]->maskROI;
        twinPtrs.push_back(im);
    }
    log.clear();
    call(slots(twinPtrs).data());
    const std::vector<int32_t> tiledStatuses = log.statuses();
    for (size_t i = 0; i < size_t(distinct); ++i) {
        twinPtrs[i]->roi = nullptr;
        twinPtrs[i]->maskROI = nullptr;
        plain[i]->maskROI = nullptr;
        if (!tiled[i])
            continue;
        EXPECT_EQ(tiled[i]->held(), 0) << where;
        EXPECT_EQ(tiled[i]->badReleases, 0) << where;
        tiled[i]->copyTo(backing[i].get());
    }

    std::ostringstream what;
    what << where << " depth " << l.depth << " order " << l.order << " channels " << l.channels << " coi " << coi
         << (inPlace ? " in place" : "") << (mask ? " masked" : "") << " tiled set " << tiledSet;
    EXPECT_EQ(tiledStatuses, plainStatuses) << what.str();
    for (int32_t i = 0; i < distinct; ++i) {
        const IplImage* want = plain[static_cast<size_t>(i)].get();
        const int64_t at = firstDifference(backing[static_cast<size_t>(i)].get(), want);
        EXPECT_EQ(at, -1) << what.str() << " image " << i << ": row " << at / want->widthStep << " byte "
                          << at % want->widthStep << " of " << want->width << " x " << want->height;
    }
    return plainStatuses.empty();
}

// A look-up record per channel over vectors kept alive by the call.
struct StretchTables {
    std::vector<int32_t> keys, values;
    IplLUT record{};
    IplLUT* perChannel[4] = {};
    explicit StretchTables(std::mt19937& rng)
    {
        const int32_t top = rng() % 2 ? 256 : 65536;
        keys = {0, pick(rng, 1, top - 1), top};
        values = {pick(rng, 0, 255), pick(rng, 0, 255)};
        record = IplLUT{3, keys.data(), values.data(), nullptr, 0};
        for (IplLUT*& p : perChannel)
            p = &record;
    }
};

std::vector<OperationCase> operations()
{
    const std::vector<Layout> every = {k1u, k8uRgb, k8uRgba, k8uPlanes, k16uRgba, k16uPlanes, k32fRgb, k32fPlanes};
    const std::vector<Layout> integers = {k1u, k8uRgb, k8uRgba, k8uPlanes, k16uRgba, k16uPlanes, k8sRgb, k16sPlanes, k32sGray};
    std::vector<Layout> everyAndSigned = every;
    everyAndSigned.insert(everyAndSigned.end(), {k8sRgb, k16sPlanes, k32sGray});
    const std::vector<Layout> bytesAndWords = {k8uRgb, k8uRgba, k8uPlanes, k16uRgba, k16uPlanes, k16uGray};
    const std::vector<Layout> colours = {k8uRgb, k8uRgba, k8uPlanes, k16uRgba, k16uPlanes};
    const std::vector<Layout> withAlpha = {k8uRgba, k16uRgba, k16uPlanes};
    auto factors = [](std::mt19937& rng, bool grow, int32_t* num, int32_t* den) {
        *num = pick(rng, 1, 7);
        *den = pick(rng, 1, 7);
        if (grow ? *num < *den : *num > *den)
            std::swap(*num, *den);
    };
    return {
        {"copy", 2, true, everyAndSigned,
         [](std::mt19937&) -> Operation { return [](IplImage* const* im) { iplCopy(im[0], im[1]); }; }},
        {"set", 1, false, everyAndSigned,
         [](std::mt19937& rng) -> Operation {
             const int32_t v = static_cast<int32_t>(rng());
             return [v](IplImage* const* im) { iplSet(im[0], v); };
         }},
        {"contrast stretch", 2, true, bytesAndWords,
         [](std::mt19937& rng) -> Operation {
             auto t = std::make_shared<StretchTables>(rng);
             return [t](IplImage* const* im) { iplContrastStretch(im[0], im[1], t->perChannel); };
         }},
        {"and", 3, true, integers,
         [](std::mt19937&) -> Operation { return [](IplImage* const* im) { iplAnd(im[0], im[1], im[2]); }; }},
        {"or", 3, true, integers,
         [](std::mt19937&) -> Operation { return [](IplImage* const* im) { iplOr(im[0], im[1], im[2]); }; }},
        {"xor with a value", 2, true, integers,
         [](std::mt19937& rng) -> Operation {
             const uint32_t v = rng();
             return [v](IplImage* const* im) { iplXorS(im[0], im[1], v); };
         }},
        {"mirror", 2, true, every,
         [](std::mt19937& rng) -> Operation {
             const int32_t axis = pick(rng, -1, 1);
             return [axis](IplImage* const* im) { iplMirror(im[0], im[1], axis); };
         }},
        {"zoom", 2, false, every,
         [factors](std::mt19937& rng) -> Operation {
             int32_t xd, xs, yd, ys;
             factors(rng, true, &xd, &xs);
             factors(rng, true, &yd, &ys);
             const int32_t mode = pick(rng, IPL_INTER_NN, IPL_INTER_CUBIC);
             return [=](IplImage* const* im) { iplZoom(im[0], im[1], xd, xs, yd, ys, mode); };
         }},
        {"resize", 2, false, every,
         [factors](std::mt19937& rng) -> Operation {
             int32_t xd, xs, yd, ys;
             const bool grow = rng() % 2;
             factors(rng, grow, &xd, &xs);
             factors(rng, grow, &yd, &ys);
             const int32_t mode = pick(rng, IPL_INTER_NN, IPL_INTER_SUPER);
             return [=](IplImage* const* im) { iplResize(im[0], im[1], xd, xs, yd, ys, mode); };
         }},
        {"decimate", 2, false, every,
         [factors](std::mt19937& rng) -> Operation {
             int32_t xd, xs, yd, ys;
             // Half the time factors whose single-precision scale lies just
             // below the ratio: box edges a hair below whole pixels at tile borders.
             const int32_t awkward[][2] = {{3, 5}, {3, 7}, {6, 7}, {7, 10}, {5, 9}, {2, 3}, {3, 4}};
             if (rng() % 2) {
                 const auto& f = awkward[rng() % 7];
                 xd = yd = f[0];
                 xs = ys = f[1];
             } else {
                 factors(rng, false, &xd, &xs);
                 factors(rng, false, &yd, &ys);
             }
             const int32_t mode = pick(rng, IPL_INTER_NN, IPL_INTER_SUPER);
             return [=](IplImage* const* im) { iplDecimate(im[0], im[1], xd, xs, yd, ys, mode); };
         }},
        {"colour twist", 2, true, colours,
         [](std::mt19937& rng) -> Operation {
             int32_t data[16];
             for (int32_t& d : data)
                 d = pick(rng, -3000, 3000);
             auto twist = std::shared_ptr<IplColorTwist>(iplCreateColorTwist(data, pick(rng, 8, 12)),
                                                         iplDeleteColorTwist);
             const int32_t offset = pick(rng, -20, 20);
             return [twist, offset](IplImage* const* im) { iplApplyColorTwist(im[0], im[1], twist.get(), offset); };
         }},
        {"multiply-scale", 3, true, bytesAndWords,
         [](std::mt19937&) -> Operation {
             return [](IplImage* const* im) { iplMultiplyScale(im[0], im[1], im[2]); };
         }},
        {"premultiply", 1, false, withAlpha,
         [](std::mt19937& rng) -> Operation {
             const int32_t alpha = rng() % 2 ? -1 : pick(rng, 0, 255);
             return [alpha](IplImage* const* im) { iplPreMultiplyAlpha(im[0], alpha); };
         }},
    };
}

} // namespace

TEST(TiledEqualsPlain, EveryOperationGivesTiledImagesThePlainBytes)
{
    ErrorCapture log;
    std::mt19937 rng(1206);
    for (const OperationCase& op : operations()) {
        int32_t accepted = 0;
        const int32_t trials = 60;
        for (int32_t t = 0; t < trials; ++t) {
            accepted += expectTiledEqualsPlain(op, rng, std::string(op.name) + " trial " + std::to_string(t), log) ? 1 : 0;
            if (HasFailure())
                return;
        }
        // Most random calls must be accepted, or the comparison says little.
        EXPECT_GT(accepted, trials / 3) << op.name;
    }
}

// A tall tiled source is read in bands of rows: every band boundary must
// continue the plain image's sampling exactly.
TEST(TiledEqualsPlain, TallTiledDecimationSourcesReadInBandsGiveThePlainBytes)
{
    ErrorCapture log;
    const int32_t factors[][2] = {{2, 5}, {1, 3}, {3, 4}};
    for (const Layout& l : {k1u, k8uRgb, k8uRgba, k8uPlanes, k16uGray, k16uPlanes, k32fRgb, k32fPlanes})
        for (int32_t mode : {IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC, IPL_INTER_SUPER})
            for (const auto& f : factors) {
                Image src = makeImage(l.depth, l.channels, l.alpha, l.order, 37, 700);
                fillRandom(src.get(), 5);
                src->roi = iplCreateROI(0, 3, 9, 30, 680);
                Image plain = makeImage(l.depth, l.channels, l.alpha, l.order, 40, 600);
                fillRandom(plain.get(), 6);
                Image tiled = clonePixels(plain.get());
                iplDecimate(src.get(), plain.get(), f[0], f[1], f[0], f[1], mode);
                TiledImage view(src.get(), 16, 8);
                IplROI roi{0, 3, 9, 30, 680};
                view.image()->roi = &roi;
                iplDecimate(view.image(), tiled.get(), f[0], f[1], f[0], f[1], mode);
                EXPECT_EQ(view.held(), 0);
                ASSERT_TRUE(log.empty());
                EXPECT_EQ(bytesOf(tiled.get()), bytesOf(plain.get()))
                    << "depth " << l.depth << " order " << l.order << " mode " << mode << " factor " << f[0] << "/"
                    << f[1];
            }
}
