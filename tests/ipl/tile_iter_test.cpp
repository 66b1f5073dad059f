// Tile iterator.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using namespace ipltest;

TEST(TileIterator, NullAndSlotlessIteratorsAreRefused) {
    EXPECT_EQ(ownTileIterStatus(nullptr), -4);
    EXPECT_EQ(ownTileIterAddImage(nullptr, nullptr, 1), -1);
    EXPECT_EQ(ownTileIterGetTile(nullptr, 1), nullptr);
    ownTileIterSetRect(nullptr, 0, 0, 1, 1);
    ownTileIterRelease(nullptr);
    ownTileIterFree(nullptr);
    OwnTileIterPtr empty(ownTileIterCreate(0, 8, 8));
    ASSERT_TRUE(empty);
    EXPECT_EQ(ownTileIterStatus(empty.get()), -4);
    EXPECT_EQ(ownTileIterAddImage(empty.get(), nullptr, 1), -1);
}

TEST(TileIterator, SameImageTwiceGetsTheSameSlotAndExtraImagesAreRefused) {
    ImagePtr a = makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    ImagePtr b = makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    ImagePtr c = makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    OwnTileIterPtr it(ownTileIterCreate(2, 8, 8));
    EXPECT_EQ(ownTileIterAddImage(it.get(), a.get(), 2), 1);
    EXPECT_EQ(ownTileIterAddImage(it.get(), b.get(), 1), 2);
    EXPECT_EQ(ownTileIterAddImage(it.get(), a.get(), 1), 1);
    EXPECT_EQ(ownTileIterAddImage(it.get(), nullptr, 1), 0);
    EXPECT_EQ(ownTileIterAddImage(it.get(), c.get(), 1), -1);
    EXPECT_EQ(ownTileIterStatus(it.get()), 0);
}

TEST(TileIterator, UntiledImageIsHandedOutOverItsOwnPixelsAndRowStep) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 3, 0, 0, 10, 6);
    // A caller-built header with a wider row than the rule gives.
    const int32_t step = image->widthStep + 8;
    std::vector<unsigned char> pixels(static_cast<size_t>(step * 6));
    unsigned char* own = image->imageData;
    image->imageData = pixels.data();
    image->widthStep = step;
    image->imageSize = step * 6;
    IplROI roi{2, 1, 1, 8, 4};
    image->roi = &roi;
    OwnTileIterPtr it(ownTileIterCreate(1, 4, 4));
    ASSERT_EQ(ownTileIterAddImage(it.get(), image.get(), 1), 1);
    ownTileIterSetRect(it.get(), 2, 1, 3, 2);
    IplImage* h = ownTileIterGetTile(it.get(), 1);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->imageData, pixels.data());
    EXPECT_EQ(h->widthStep, step);
    EXPECT_EQ(h->roi->coi, 2);
    EXPECT_EQ(h->roi->xOffset, 3);
    EXPECT_EQ(h->roi->yOffset, 2);
    EXPECT_EQ(h->roi->width, 3);
    EXPECT_EQ(h->roi->height, 2);
    ownTileIterRelease(it.get());
    image->imageData = own;
    image->roi = nullptr;
}

TEST(TileIterator, RectangleInsideOneTileIsTheTileItself) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 64, 64);
    TiledImage tiled(plain.get(), 32, 32);
    OwnTileIterPtr it(ownTileIterCreate(1, 32, 32));
    ASSERT_EQ(ownTileIterAddImage(it.get(), tiled.image(), IPL_GET_TILE_TO_WRITE), 1);
    ownTileIterSetRect(it.get(), 35, 3, 10, 20);
    IplImage* h = ownTileIterGetTile(it.get(), 1);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(ownTileIterGetTile(it.get(), 1), h);
    EXPECT_EQ(h->roi->xOffset, 3);
    EXPECT_EQ(h->roi->yOffset, 3);
    ownTileIterRelease(it.get());
    const std::vector<TileCall> expected = {{1, 0, 2}, {1, 0, 4}};
    EXPECT_EQ(tiled.log, expected);
    EXPECT_EQ(tiled.badReleases, 0);
}

TEST(TileIterator, SpanningRectangleIsAssembledAndWrittenBack) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 4, 4, 0, 256, 128);
    std::mt19937 rng(10);
    fillRandom(plain.get(), rng);
    TiledImage source(plain.get(), 64, 64);
    TiledImage target(plain.get(), 64, 64);
    OwnTileIterPtr it(ownTileIterCreate(2, 96, 40));
    ASSERT_EQ(ownTileIterAddImage(it.get(), target.image(), IPL_GET_TILE_TO_WRITE), 1);
    ASSERT_EQ(ownTileIterAddImage(it.get(), source.image(), IPL_GET_TILE_TO_READ), 2);
    ownTileIterSetRect(it.get(), 100, 30, 96, 40);
    IplImage* dst = ownTileIterGetTile(it.get(), 1);
    IplImage* src = ownTileIterGetTile(it.get(), 2);
    ASSERT_NE(dst, nullptr);
    ASSERT_NE(src, nullptr);
    ASSERT_EQ(ownTileIterStatus(it.get()), 0);
    // Every channel of the assembled rectangle, alpha included, is the image's.
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 96; ++x)
            for (int32_t k = 0; k < 4; ++k)
                ASSERT_EQ(getValue(src, x, y, k), getValue(plain.get(), 100 + x, 30 + y, k));
    // Write a pattern into the destination's rectangle; it reaches the tiles.
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 96; ++x)
            for (int32_t k = 0; k < 4; ++k) setValue(dst, x, y, k, static_cast<uint32_t>(x + y + k));
    ownTileIterRelease(it.get());
    std::vector<TileCall> expected;
    for (int32_t row = 0; row <= 1; ++row)
        for (int32_t col = 1; col <= 3; ++col) expected.push_back({col, row, 2});
    for (int32_t row = 0; row <= 1; ++row)
        for (int32_t col = 1; col <= 3; ++col) expected.push_back({col, row, 4});
    EXPECT_EQ(target.log, expected);
    EXPECT_EQ(target.held(), 0);
    EXPECT_EQ(source.held(), 0);
    ImagePtr result = clonePixels(plain.get());
    target.copyTo(result.get());
    for (int32_t y = 0; y < 128; ++y)
        for (int32_t x = 0; x < 256; ++x)
            for (int32_t k = 0; k < 4; ++k) {
                const bool inside = x >= 100 && x < 196 && y >= 30 && y < 70;
                ASSERT_EQ(getValue(result.get(), x, y, k),
                          inside ? static_cast<uint32_t>(x - 100 + y - 30 + k) : getValue(plain.get(), x, y, k));
            }
}

TEST(TileIterator, MissingTileSetsTheStatusAndHeldTilesAreReleased) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 64, 64);
    TiledImage tiled(plain.get(), 16, 16);
    tiled.missing.push_back({2, 0});
    OwnTileIter* it = ownTileIterCreate(1, 40, 16);
    ASSERT_EQ(ownTileIterAddImage(it, tiled.image(), IPL_GET_TILE_TO_READ), 1);
    ownTileIterSetRect(it, 0, 0, 40, 16);
    EXPECT_EQ(ownTileIterGetTile(it, 1), nullptr);
    EXPECT_EQ(ownTileIterStatus(it), -2);
    EXPECT_EQ(ownTileIterAddImage(it, plain.get(), 1), -1);
    ownTileIterFree(it);
    EXPECT_EQ(tiled.held(), 0);
    EXPECT_EQ(tiled.badReleases, 0);
}

TEST(TileIterator, RectanglesLargerThanAnnouncedAreRefused) {
    ImagePtr plain = makeImage(IPL_DEPTH_8U, 1, 0, 0, 64, 64);
    TiledImage tiled(plain.get(), 16, 16);
    OwnTileIterPtr it(ownTileIterCreate(1, 16, 16));
    ASSERT_EQ(ownTileIterAddImage(it.get(), tiled.image(), IPL_GET_TILE_TO_READ), 1);
    ownTileIterSetRect(it.get(), 8, 8, 32, 32);
    EXPECT_EQ(ownTileIterGetTile(it.get(), 1), nullptr);
    EXPECT_NE(ownTileIterStatus(it.get()), 0);
    EXPECT_TRUE(tiled.log.empty());
}

}  // namespace
