// Rectangle transfer with borders, checked against the border rules applied
// pixel by pixel, for plain and tiled images.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ownrect.h"
#include "ipl/ipl_test_support.h"

namespace {

using ipltest::getValue;
using ipltest::ImagePtr;
using ipltest::makeImage;
using ipltest::TiledImage;

struct RectDeleter {
    void operator()(unsigned char* p) const { ownFreeRect(p); }
};
using Rect = std::unique_ptr<unsigned char, RectDeleter>;

int32_t modelCoordinate(int32_t c, int32_t n, int32_t mode) {
    if (c >= 0 && c < n) return c;
    switch (mode) {
    case IPL_BORDER_REPLICATE: return c < 0 ? 0 : n - 1;
    case IPL_BORDER_WRAP: return ((c % n) + n) % n;
    default: {
        const int32_t m = ((c % (2 * n)) + 2 * n) % (2 * n);
        return m < n ? m : 2 * n - 1 - m;
    }
    }
}

uint32_t constantValue(const IplImage* im, int32_t side) {
    const int32_t c = im->BorderConst[side];
    switch (im->depth) {
    case IPL_DEPTH_1U: return static_cast<uint32_t>(c) & 1u;
    case IPL_DEPTH_8U:
    case IPL_DEPTH_8S: return static_cast<uint32_t>(c) & 0xffu;
    case IPL_DEPTH_16U:
    case IPL_DEPTH_16S: return static_cast<uint32_t>(c) & 0xffffu;
    case IPL_DEPTH_32F: {
        const float f = static_cast<float>(c);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return bits;
    }
    default: return static_cast<uint32_t>(c);
    }
}

uint32_t expectedValue(const IplImage* im, int32_t X, int32_t Y, int32_t k) {
    int32_t side = -1;
    if (Y < 0) side = 0;
    else if (Y >= im->height) side = 1;
    else if (X < 0) side = 2;
    else if (X >= im->width) side = 3;
    if (side < 0) return getValue(im, X, Y, k);
    const int32_t mode = im->BorderMode[side] & 3;
    if (mode == IPL_BORDER_CONSTANT) return constantValue(im, side);
    const int32_t x = modelCoordinate(X, im->width, mode);
    const int32_t y = side <= 1 ? modelCoordinate(Y, im->height, mode) : Y;
    return getValue(im, x, y, k);
}

// Value k of pixel (i, j) of a rectangle buffer.
uint32_t bufferValue(const IplImage* im, const unsigned char* buf, int32_t step, int32_t height,
                     int32_t i, int32_t j, int32_t k) {
    IplImage view = *im;
    view.imageData = const_cast<unsigned char*>(buf);
    view.widthStep = step;
    view.height = height;
    view.tileInfo = nullptr;
    return getValue(&view, i, j, k);
}

TEST(RectangleTransfer, ReflectWrapAndReplicateOnTheLeftOfARow) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 4, 1);
    for (int32_t x = 0; x < 4; ++x) image->imageData[x] = static_cast<unsigned char>(10 + x);
    struct Case {
        int32_t mode;
        int32_t x;
        int32_t width;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {IPL_BORDER_REFLECT, -3, 3, {2, 1, 0}},
        {IPL_BORDER_WRAP, -3, 3, {1, 2, 3}},
        {IPL_BORDER_REPLICATE, -3, 3, {0, 0, 0}},
        {IPL_BORDER_REFLECT, 2, 6, {2, 3, 3, 2, 1, 0}},
        {IPL_BORDER_WRAP, 2, 6, {2, 3, 0, 1, 2, 3}},
        {IPL_BORDER_REFLECT, -9, 9, {0, 0, 1, 2, 3, 3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        iplSetBorderMode(image.get(), c.mode, IPL_SIDE_ALL, 0);
        int32_t step = 0;
        Rect rect(ownReadRectWithBorder(image.get(), c.x, 0, c.width, 1, &step));
        ASSERT_TRUE(rect);
        for (int32_t i = 0; i < c.width; ++i)
            EXPECT_EQ(rect.get()[i], 10 + c.columns[static_cast<size_t>(i)]) << c.mode << " " << i;
    }
}

TEST(RectangleTransfer, ConstantTopRowsFillWholeRowsTailsIncluded) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 3, 0, 0, 5, 5);
    image->BorderConst[IPL_SIDE_TOP_INDEX] = 0x1FF;
    int32_t step = 0;
    Rect rect(ownReadRectWithBorder(image.get(), 1, -4, 3, 2, &step));
    ASSERT_TRUE(rect);
    EXPECT_EQ(step, 12);
    for (int32_t k = 0; k < 2 * step; ++k) EXPECT_EQ(rect.get()[k], 0xff);
}

TEST(RectangleTransfer, OneBitConstantUsesBitZero) {
    ImagePtr image = makeImage(IPL_DEPTH_1U, 1, 0, 0, 16, 2);
    std::memset(image->imageData, 0, static_cast<size_t>(image->imageSize));
    for (int32_t constant : {2, 3}) {
        iplSetBorderMode(image.get(), IPL_BORDER_CONSTANT, IPL_SIDE_LEFT, constant);
        image->BorderConst[IPL_SIDE_LEFT_INDEX] = constant;
        int32_t step = 0;
        Rect rect(ownReadRectWithBorder(image.get(), -4, 0, 8, 2, &step));
        ASSERT_TRUE(rect);
        EXPECT_EQ(rect.get()[0], constant & 1 ? 0xf0 : 0x00);
    }
}

TEST(RectangleTransfer, RefusesBadHeadersAndMissingTiles) {
    int32_t step = 0;
    EXPECT_EQ(ownReadRectWithBorder(nullptr, 0, 0, 1, 1, &step), nullptr);
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 16, 16);
    image->align = 3;
    EXPECT_EQ(ownReadRectWithBorder(image.get(), 0, 0, 1, 1, &step), nullptr);
    image->align = 4;
    TiledImage tiled(image.get(), 8, 8);
    tiled.missing.push_back({1, 0});
    EXPECT_EQ(ownReadRectWithBorder(tiled.image(), 0, 0, 16, 4, &step), nullptr);
    // The tile that was handed over is given back.
    EXPECT_EQ(tiled.held(), 0);
    EXPECT_EQ(tiled.badReleases, 0);
}

TEST(RectangleTransfer, TiledImagesAreReadOneTileRowAtATime) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 24, 24);
    TiledImage tiled(image.get(), 8, 8);
    int32_t step = 0;
    Rect rect(ownReadRectWithBorder(tiled.image(), 4, 4, 12, 8, &step));
    ASSERT_TRUE(rect);
    const std::vector<ipltest::TileCall> expected = {
        {0, 0, 1}, {1, 0, 1}, {1, 0, 4}, {0, 0, 4}, {0, 1, 1}, {1, 1, 1}, {1, 1, 4}, {0, 1, 4}};
    EXPECT_EQ(tiled.log, expected);
}

struct Layout {
    uint32_t depth;
    int32_t nChannels;
    int32_t order;
};

TEST(RectangleTransfer, MatchesTheBorderRulesForEveryDepthLayoutAndMode) {
    const Layout layouts[] = {
        {IPL_DEPTH_1U, 1, 0},  {IPL_DEPTH_8U, 3, 0},  {IPL_DEPTH_8S, 2, 1},  {IPL_DEPTH_16U, 3, 1},
        {IPL_DEPTH_16S, 1, 0}, {IPL_DEPTH_32S, 2, 0}, {IPL_DEPTH_32F, 3, 1}, {IPL_DEPTH_8U, 4, 0},
    };
    std::mt19937 rng(1234);
    for (const Layout& l : layouts) {
        for (int trial = 0; trial < 40; ++trial) {
            const int32_t W = 1 + static_cast<int32_t>(rng() % 21);
            const int32_t H = 1 + static_cast<int32_t>(rng() % 13);
            const int32_t align = 4 << (rng() % 4);
            ImagePtr image = makeImage(l.depth, l.nChannels, 0, l.order, W, H, align);
            ASSERT_TRUE(image);
            ipltest::fillRandom(image.get(), rng);
            for (int side = 0; side < 4; ++side) {
                image->BorderMode[side] = static_cast<int32_t>(rng() % 4);
                image->BorderConst[side] = static_cast<int32_t>(rng());
            }
            const int32_t x = static_cast<int32_t>(rng() % 60) - 30;
            const int32_t y = static_cast<int32_t>(rng() % 40) - 20;
            const int32_t w = 1 + static_cast<int32_t>(rng() % 40);
            const int32_t h = 1 + static_cast<int32_t>(rng() % 30);
            int32_t step = 0;
            Rect rect(ownReadRectWithBorder(image.get(), x, y, w, h, &step));
            ASSERT_TRUE(rect);
            for (int32_t j = 0; j < h; ++j)
                for (int32_t i = 0; i < w; ++i)
                    for (int32_t k = 0; k < l.nChannels; ++k)
                        ASSERT_EQ(bufferValue(image.get(), rect.get(), step, h, i, j, k),
                                  expectedValue(image.get(), x + i, y + j, k))
                            << "depth " << l.depth << " rect " << x << "," << y << " " << w << "x" << h
                            << " image " << W << "x" << H << " at " << i << "," << j << "," << k;

            TiledImage tiled(image.get(), 8, 16);
            std::memcpy(tiled.image()->BorderMode, image->BorderMode, sizeof image->BorderMode);
            std::memcpy(tiled.image()->BorderConst, image->BorderConst, sizeof image->BorderConst);
            int32_t tiledStep = 0;
            Rect fromTiles(ownReadRectWithBorder(tiled.image(), x, y, w, h, &tiledStep));
            ASSERT_TRUE(fromTiles);
            ASSERT_EQ(tiledStep, step);
            const int32_t planes = l.order == IPL_DATA_ORDER_PLANE ? l.nChannels : 1;
            EXPECT_EQ(std::memcmp(fromTiles.get(), rect.get(), static_cast<size_t>(planes * h * step)), 0);
            EXPECT_EQ(tiled.held(), 0);
            EXPECT_EQ(tiled.badReleases, 0);
        }
    }
}

}  // namespace
