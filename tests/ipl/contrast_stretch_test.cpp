// Look-up mapping and contrast stretch.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "ipl/ipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using namespace ipltest;

// A record over vectors the test keeps alive.
struct Record {
    std::vector<int32_t> keys;
    std::vector<int32_t> values;
    std::vector<int32_t> factors;
    int32_t interpolate = 0;
    IplLUT lut{};

    IplLUT* get() {
        lut = IplLUT{static_cast<int32_t>(keys.size()), keys.data(), values.data(),
                     factors.empty() ? nullptr : factors.data(), interpolate};
        return &lut;
    }
};

// Maps every 8U value 0..255 through one record.
std::vector<uint32_t> mapAll8u(Record& record) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 256, 1);
    for (int32_t x = 0; x < 256; ++x) image->imageData[x] = static_cast<unsigned char>(x);
    IplLUT* lut[1] = {record.get()};
    iplContrastStretch(image.get(), image.get(), lut);
    std::vector<uint32_t> out;
    for (int32_t x = 0; x < 256; ++x) out.push_back(image->imageData[x]);
    return out;
}

struct TableCase {
    const char* what;
    std::vector<int32_t> keys;
    std::vector<int32_t> values;
    std::vector<int32_t> factors;
    int32_t interpolate;
    uint32_t (*expected)(int32_t x);
};

TEST(ContrastStretch, TablesFollowTheRecordsIntervals) {
    std::vector<int32_t> keys257, invert;
    for (int32_t k = 0; k <= 256; ++k) keys257.push_back(k);
    for (int32_t k = 0; k < 256; ++k) invert.push_back(255 - k);
    const TableCase cases[] = {
        {"inverting record", keys257, invert, {}, 0, [](int32_t x) { return static_cast<uint32_t>(255 - x); }},
        {"one interval", {50, 100}, {10}, {}, 0,
         [](int32_t x) { return static_cast<uint32_t>(x >= 50 && x < 100 ? 10 : x); }},
        {"threshold", {0, 128, 256}, {0, 255}, {}, 0, [](int32_t x) { return x < 128 ? 0u : 255u; }},
        {"linear wraps", {0, 256}, {0}, {2}, 1, [](int32_t x) { return static_cast<uint32_t>((2 * x) & 0xff); }},
        {"value wraps", {0, 256}, {300}, {}, 0, [](int32_t) { return 44u; }},
        {"negative value", {0, 256}, {-1}, {}, 0, [](int32_t) { return 255u; }},
        {"repeated first keys", {0, 0, 255}, {7, 9}, {}, 0, [](int32_t) { return 7u; }},
        {"repeated last keys", {0, 100, 100}, {1, 2}, {}, 0, [](int32_t x) { return x < 100 ? 1u : 2u; }},
        {"identity above the last key", {0, 10}, {5}, {}, 0, [](int32_t x) { return x < 10 ? 5u : static_cast<uint32_t>(x); }},
        {"first key at the end", {256, 256}, {1}, {}, 0, [](int32_t x) { return static_cast<uint32_t>(x); }},
        {"large slope", {0, 256}, {0}, {0x7fffffff}, 1,
         [](int32_t x) { return static_cast<uint32_t>(x) * 0x7fffffffu & 0xffu; }},
    };
    for (const TableCase& c : cases) {
        Record r{c.keys, c.values, c.factors, c.interpolate};
        const std::vector<uint32_t> mapped = mapAll8u(r);
        for (int32_t x = 0; x < 256; ++x) ASSERT_EQ(mapped[static_cast<size_t>(x)], c.expected(x)) << c.what << " x=" << x;
    }
    Record r{{0, 256}, {0}, {}, 0};
    EXPECT_EQ(mapAll8u(r)[200], 0u);
}

TEST(ContrastStretch, SixteenBitTablesCoverEveryValue) {
    ImagePtr image = makeImage(IPL_DEPTH_16U, 1, 0, 0, 5, 1);
    const uint16_t in[5] = {0, 999, 1000, 40000, 65535};
    std::memcpy(image->imageData, in, sizeof in);
    Record r{{1000, 50000}, {7}, {3}, 1};
    IplLUT* lut[1] = {r.get()};
    iplContrastStretch(image.get(), image.get(), lut);
    EXPECT_EQ(getValue(image.get(), 0, 0, 0), 0u);
    EXPECT_EQ(getValue(image.get(), 1, 0, 0), 999u);
    EXPECT_EQ(getValue(image.get(), 2, 0, 0), 7u);
    EXPECT_EQ(getValue(image.get(), 3, 0, 0), (39000u * 3u + 7u) & 0xffffu);
    EXPECT_EQ(getValue(image.get(), 4, 0, 0), 65535u);
}

struct RecordRefusal {
    const char* context;
    Record record;
};

TEST(ContrastStretch, BadRecordsAreRefusedAndNothingChanges) {
    RecordRefusal cases[] = {
        {"lut[k]->num < 2", {{0}, {0}, {}, 0}},
        {"lut[k]->key[0] < 0", {{-1, 10}, {0}, {}, 0}},
        {"lut[k]->key[lut[k]->num-1] > histSize", {{0, 257}, {0}, {}, 0}},
        {"lut[k]->key[i] > lut[k]->key[i+1]", {{0, 20, 10}, {0, 0}, {}, 0}},
        {"lut[k]->factor==0", {{0, 20}, {0}, {}, 1}},
    };
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 4, 4);
    std::mt19937 rng(8);
    fillRandom(image.get(), rng);
    ImagePtr before = clonePixels(image.get());
    for (RecordRefusal& c : cases) {
        IplLUT* lut[1] = {c.record.get()};
        ErrorCapture capture;
        iplContrastStretch(image.get(), image.get(), lut);
        ASSERT_EQ(capture.calls.size(), 1u) << c.context;
        EXPECT_EQ(capture.last().status, -5);
        EXPECT_EQ(capture.last().context, c.context);
        EXPECT_EQ(capture.last().func, "iplContrastStretch");
        EXPECT_EQ(capture.last().file, "iplhist");
        EXPECT_EQ(bytesOf(image.get()), bytesOf(before.get()));
    }
    ErrorCapture capture;
    IplLUT* none[1] = {nullptr};
    iplContrastStretch(image.get(), image.get(), none);
    EXPECT_EQ(capture.last().context, "lut[k]==0");
    Record good{{0, 256}, {0}, {}, 0};
    IplLUT* lut[1] = {good.get()};
    good.lut.key = nullptr;
    iplContrastStretch(image.get(), image.get(), lut);
    EXPECT_EQ(capture.last().context, "lut[k]->key==0");
    good.get()->value = nullptr;
    iplContrastStretch(image.get(), image.get(), lut);
    EXPECT_EQ(capture.last().context, "lut[k]->value==0");
    iplContrastStretch(image.get(), image.get(), nullptr);
    EXPECT_EQ(capture.last().context, "lut==0");
    EXPECT_EQ(bytesOf(image.get()), bytesOf(before.get()));
}

TEST(ContrastStretch, UnsupportedDepthsAreRefusedEvenWhenTheStatusIsReset) {
    for (uint32_t depth : {IPL_DEPTH_8S, IPL_DEPTH_32F}) {
        ImagePtr image = makeImage(depth, 1, 0, 0, 4, 4);
        std::memset(image->imageData, 3, static_cast<size_t>(image->imageSize));
        ImagePtr before = clonePixels(image.get());
        Record r{{0, 256}, {0}, {}, 0};
        IplLUT* lut[1] = {r.get()};
        ErrorCapture capture(true);
        iplContrastStretch(image.get(), image.get(), lut);
        ASSERT_EQ(capture.calls.size(), 1u);
        EXPECT_EQ(capture.last().context, "srcImage->depth != IPL_DEPTH_8U && srcImage->depth != IPL_DEPTH_16U");
        EXPECT_EQ(bytesOf(image.get()), bytesOf(before.get()));
    }
}

TEST(ContrastStretch, ChannelOfInterestAndAlphaChooseTheRecords) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 3, 0, 0, 4, 2);
    std::memset(image->imageData, 10, static_cast<size_t>(image->imageSize));
    Record second{{0, 256}, {99}, {}, 0};
    IplLUT* lut[3] = {nullptr, second.get(), nullptr};
    IplROI roi{2, 0, 0, 4, 2};
    image->roi = &roi;
    ErrorCapture capture;
    iplContrastStretch(image.get(), image.get(), lut);
    EXPECT_TRUE(capture.empty());
    EXPECT_EQ(getValue(image.get(), 3, 1, 0), 10u);
    EXPECT_EQ(getValue(image.get(), 3, 1, 1), 99u);
    EXPECT_EQ(getValue(image.get(), 3, 1, 2), 10u);
    image->roi = nullptr;

    ImagePtr src = makeImage(IPL_DEPTH_8U, 4, 4, 0, 4, 2);
    ImagePtr dst = makeImage(IPL_DEPTH_8U, 4, 4, 0, 4, 2);
    std::memset(src->imageData, 10, static_cast<size_t>(src->imageSize));
    std::memset(dst->imageData, 1, static_cast<size_t>(dst->imageSize));
    Record a{{0, 256}, {20}, {}, 0}, b{{0, 256}, {30}, {}, 0}, c{{0, 256}, {40}, {}, 0};
    IplLUT* three[3] = {a.get(), b.get(), c.get()};
    iplContrastStretch(src.get(), dst.get(), three);
    EXPECT_TRUE(capture.empty());
    for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(getValue(dst.get(), x, 1, 0), 20u);
        EXPECT_EQ(getValue(dst.get(), x, 1, 1), 30u);
        EXPECT_EQ(getValue(dst.get(), x, 1, 2), 40u);
        EXPECT_EQ(getValue(dst.get(), x, 1, 3), 1u);
    }
}

TEST(ContrastStretch, InPlaceMappingAgreesWithThePlainOne) {
    std::mt19937 rng(9);
    std::vector<int32_t> keys, values;
    for (int32_t k = 0; k <= 256; ++k) keys.push_back(k);
    for (int32_t k = 0; k < 256; ++k) values.push_back(static_cast<int32_t>(rng() % 256));
    Record r{keys, values, {}, 0};
    IplLUT* lut[4] = {r.get(), r.get(), r.get(), r.get()};
    for (int32_t order : {0, 1}) {
        SceneImage scene;
        makeSceneImage(&scene, rng, IPL_DEPTH_8U, 4, 4, order, -1, true);
        // The plain mapping, out of place.
        ImagePtr dst = clonePixels(scene.get());
        dst->roi = scene.get()->roi;
        dst->maskROI = scene.get()->maskROI;
        iplContrastStretch(scene.get(), dst.get(), lut);
        // In place gives the same pixels.
        iplContrastStretch(scene.get(), scene.get(), lut);
        EXPECT_EQ(bytesOf(scene.get()), bytesOf(dst.get()));
        dst->roi = nullptr;
        dst->maskROI = nullptr;
    }
}

}  // namespace
