// Header check, region services and the tile grid.
#include <gtest/gtest.h>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using ipltest::ImagePtr;
using ipltest::makeImage;

void noTiles(const IplImage*, int32_t, int32_t, int32_t) {}

TEST(HeaderCheck, ValidHeaderPassesAndLeavesTheStatus) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 3, 0, 0, 10, 10);
    iplSetErrStatus(-7);
    EXPECT_EQ(ownCheckImage(image.get()), 0);
    EXPECT_EQ(iplGetErrStatus(), -7);
    iplSetErrStatus(0);
}

TEST(HeaderCheck, EachBrokenFieldGivesItsStatus) {
    struct Case {
        const char* what;
        void (*breakIt)(IplImage*);
        int32_t status;
    };
    static IplTileInfo tile{};
    static IplROI roi{};
    const Case cases[] = {
        {"data and tiles", [](IplImage* im) { tile = IplTileInfo{&noTiles, nullptr, nullptr, 8, 8}; im->tileInfo = &tile; }, -12},
        {"image size", [](IplImage* im) { im->imageSize = 0; }, -10},
        {"width step", [](IplImage* im) { im->widthStep = 0; }, -13},
        {"height", [](IplImage* im) { im->height = 0; }, -10},
        {"channels", [](IplImage* im) { im->nChannels = 0; }, -15},
        {"1U channels", [](IplImage* im) { im->depth = IPL_DEPTH_1U; }, -16},
        {"depth", [](IplImage* im) { im->depth = 24; }, -17},
        {"alpha", [](IplImage* im) { im->alphaChannel = 2; }, -18},
        {"order", [](IplImage* im) { im->dataOrder = 3; }, -19},
        {"origin", [](IplImage* im) { im->origin = -1; }, -20},
        {"align", [](IplImage* im) { im->align = 12; }, -21},
        {"coi", [](IplImage* im) { roi = IplROI{4, 0, 0, 1, 1}; im->roi = &roi; }, -24},
        {"roi height", [](IplImage* im) { roi = IplROI{0, 0, 0, 1, 0}; im->roi = &roi; }, -25},
        {"roi width", [](IplImage* im) { roi = IplROI{0, 0, 0, 0, 1}; im->roi = &roi; }, -25},
        {"roi x", [](IplImage* im) { roi = IplROI{0, -1, 0, 1, 1}; im->roi = &roi; }, -11},
        {"roi y", [](IplImage* im) { roi = IplROI{0, 0, -1, 1, 1}; im->roi = &roi; }, -11},
    };
    for (const Case& c : cases) {
        ImagePtr image = makeImage(IPL_DEPTH_8U, 3, 0, 0, 10, 10);
        c.breakIt(image.get());
        EXPECT_EQ(ownCheckImage(image.get()), c.status) << c.what;
        EXPECT_EQ(iplGetErrStatus(), c.status) << c.what;
        image->roi = nullptr;
        image->tileInfo = nullptr;
        image->depth = IPL_DEPTH_8U;
    }
    EXPECT_EQ(ownCheckImage(nullptr), -9);
    iplSetErrStatus(0);
}

TEST(HeaderCheck, TileSizesMustBePositiveMultiplesOfEight) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 10, 10);
    unsigned char* data = image->imageData;
    image->imageData = nullptr;
    IplTileInfo tile{&noTiles, nullptr, nullptr, 12, 8};
    image->tileInfo = &tile;
    EXPECT_EQ(ownCheckImage(image.get()), -23);
    tile.width = 0;
    EXPECT_EQ(ownCheckImage(image.get()), -23);
    tile = IplTileInfo{nullptr, nullptr, nullptr, 8, 8};
    EXPECT_EQ(ownCheckImage(image.get()), -22);
    tile.callBack = &noTiles;
    EXPECT_EQ(ownCheckImage(image.get()), 0);
    EXPECT_EQ(ownTileWidthStep(image.get()), 8);
    image->tileInfo = nullptr;
    image->imageData = data;
    EXPECT_EQ(ownTileWidthStep(image.get()), 0);
    iplSetErrStatus(0);
}

TEST(HeaderCheck, BrokenMaskGivesTheMaskCode) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 10, 10);
    ImagePtr mask = makeImage(IPL_DEPTH_1U, 1, 0, 0, 10, 10);
    image->maskROI = mask.get();
    EXPECT_EQ(ownCheckImage(image.get()), 0);
    mask->nChannels = 2;
    EXPECT_EQ(ownCheckImage(image.get()), -116);
    image->maskROI = nullptr;
    iplSetErrStatus(0);
}

TEST(RegionSize, IsClippedToTheImage) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 100, 100);
    IplROI roi{0, 90, 0, 20, 10};
    image->roi = &roi;
    int32_t h = 0;
    int32_t w = 0;
    ASSERT_EQ(ownRoiSize(image.get(), &h, &w, 1), 1);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 10);
    roi.xOffset = 100;
    EXPECT_EQ(ownRoiSize(image.get(), &h, &w, 1), 0);

    ImagePtr other = makeImage(IPL_DEPTH_8U, 1, 0, 0, 30, 5);
    roi.xOffset = 0;
    ASSERT_EQ(ownRoiSize2(image.get(), other.get(), &h, &w, 1), 1);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 5);
    image->roi = nullptr;
}

TEST(RegionStart, SkipsTheAlphaChannelOrSelectsTheChannelOfInterest) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 4, 4, IPL_DATA_ORDER_PIXEL, 8, 4);
    unsigned char* data = nullptr;
    int32_t step = 0, channels = 0, planeStep = 0, bit = 0;
    ASSERT_EQ(ownRoiStart(image.get(), &data, &step, &channels, &planeStep, &bit), 1);
    EXPECT_EQ(data, image->imageData);
    EXPECT_EQ(channels, 3);
    IplROI roi{2, 0, 0, 8, 4};
    image->roi = &roi;
    ASSERT_EQ(ownRoiStart(image.get(), &data, &step, &channels, &planeStep, &bit), 1);
    EXPECT_EQ(data, image->imageData + 1);
    EXPECT_EQ(channels, 1);
    ASSERT_EQ(ownRoiChannels(image.get(), &channels), 1);
    EXPECT_EQ(channels, 1);
    image->roi = nullptr;

    ImagePtr alphaOnly = makeImage(IPL_DEPTH_8U, 1, 1, IPL_DATA_ORDER_PIXEL, 8, 4);
    EXPECT_EQ(ownRoiStart(alphaOnly.get(), &data, &step, &channels, &planeStep, &bit), 0);
    EXPECT_EQ(ownRoiChannels(alphaOnly.get(), &channels), 0);

    ImagePtr planes = makeImage(IPL_DEPTH_16U, 3, 0, IPL_DATA_ORDER_PLANE, 8, 4);
    IplROI third{3, 2, 1, 2, 2};
    planes->roi = &third;
    ASSERT_EQ(ownRoiStart(planes.get(), &data, &step, &channels, &planeStep, &bit), 1);
    EXPECT_EQ(data, planes->imageData + 2 * 4 * planes->widthStep + planes->widthStep + 4);
    EXPECT_EQ(planeStep, 4 * planes->widthStep);
    planes->roi = nullptr;

    ImagePtr bits = makeImage(IPL_DEPTH_1U, 1, 0, 0, 40, 4);
    IplROI at{0, 13, 2, 5, 1};
    bits->roi = &at;
    ASSERT_EQ(ownRoiStart(bits.get(), &data, &step, &channels, &planeStep, &bit), 1);
    EXPECT_EQ(data, bits->imageData + 2 * bits->widthStep);
    EXPECT_EQ(bit, 13);
    ASSERT_EQ(ownMaskRoiStart(bits.get(), &data, &step, &bit), 1);
    EXPECT_EQ(data, bits->imageData + 2 * bits->widthStep + 1);
    EXPECT_EQ(bit, 5);
    bits->roi = nullptr;
}

TEST(TileGrid, CoversTheRegionWithBlocksOf128WhenUntiled) {
    ImagePtr image = makeImage(IPL_DEPTH_8U, 1, 0, 0, 400, 20);
    IplROI roi{0, 130, 5, 200, 10};
    image->roi = &roi;
    int32_t xIn, yIn, th, tw, c0, r0, cols, rows;
    ownTileGrid(image.get(), 10, 200, &xIn, &yIn, &th, &tw, &c0, &r0, &cols, &rows);
    EXPECT_EQ(tw, 128);
    EXPECT_EQ(th, 128);
    EXPECT_EQ(c0, 1);
    EXPECT_EQ(r0, 0);
    EXPECT_EQ(xIn, 2);
    EXPECT_EQ(yIn, 5);
    EXPECT_EQ(cols, 2);
    EXPECT_EQ(rows, 1);
    image->roi = nullptr;
}

}  // namespace

namespace {

TEST(HeaderCheck, MaskThatIsItsOwnMaskIsRefusedInsteadOfLooping) {
    ipltest::ImagePtr mask = ipltest::makeImage(IPL_DEPTH_1U, 1, 0, 0, 8, 8);
    mask->maskROI = mask.get();
    EXPECT_LT(ownCheckImage(mask.get()), 0);
    mask->maskROI = nullptr;
    iplSetErrStatus(0);
}

}  // namespace
