// Image headers, pixel blocks, regions of interest, border modes, memory blocks.
#include <gtest/gtest.h>

#include <cstring>

#include "ipl/ipl.h"
#include "ipl/ownipl.h"
#include "ipl/ipl_test_support.h"

namespace {

using ipltest::ErrorCapture;

struct HeaderDeleter {
    void operator()(IplImage* image) const { iplDeallocate(image, IPL_IMAGE_HEADER | IPL_IMAGE_DATA); }
};
using Header = std::unique_ptr<IplImage, HeaderDeleter>;

Header header(int32_t nChannels, uint32_t depth, int32_t order, int32_t align, int32_t width,
              int32_t height, int32_t alpha = 0) {
    return Header(iplCreateImageHeader(nChannels, alpha, depth, "RGB", "BGR", order, IPL_ORIGIN_TL,
                                       align, width, height, nullptr, nullptr, nullptr, nullptr));
}

TEST(LibraryBlocks, RefuseNonPositiveLengthsAndAlignTo32) {
    EXPECT_EQ(iplMalloc(0), nullptr);
    EXPECT_EQ(iplMalloc(-1), nullptr);
    EXPECT_EQ(iplwMalloc(0), nullptr);
    for (int32_t length : {1, 31, 32, 33, 1000}) {
        void* block = iplMalloc(length);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 32, 0u);
        std::memset(block, 0xab, static_cast<size_t>(length));
        iplFree(block);
        int16_t* words = iplwMalloc(length);
        ASSERT_NE(words, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(words) % 32, 0u);
        std::memset(words, 0xcd, static_cast<size_t>(length) * 2);
        iplFree(words);
    }
    iplFree(nullptr);
}

struct StepCase {
    uint32_t depth;
    int32_t nChannels;
    int32_t order;
    int32_t align;
    int32_t width;
    int32_t height;
    int32_t widthStep;
    int32_t imageSize;
};

TEST(ImageHeader, RowSizesFollowDepthChannelsOrderAndAlignment) {
    const StepCase cases[] = {
        {IPL_DEPTH_8U, 3, IPL_DATA_ORDER_PIXEL, 4, 3, 1, 12, 12},
        {IPL_DEPTH_8U, 3, IPL_DATA_ORDER_PIXEL, 4, 5, 1, 16, 16},
        {IPL_DEPTH_1U, 1, IPL_DATA_ORDER_PIXEL, 4, 10, 1, 4, 4},
        {IPL_DEPTH_1U, 1, IPL_DATA_ORDER_PIXEL, 4, 33, 1, 8, 8},
        {IPL_DEPTH_8U, 3, IPL_DATA_ORDER_PLANE, 8, 5, 2, 8, 48},
        {IPL_DEPTH_16S, 1, IPL_DATA_ORDER_PIXEL, 32, 1, 1, 32, 32},
        {IPL_DEPTH_32F, 2, IPL_DATA_ORDER_PIXEL, 4, 3, 2, 24, 48},
    };
    for (const StepCase& c : cases) {
        Header h = header(c.nChannels, c.depth, c.order, c.align, c.width, c.height);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->widthStep, c.widthStep) << c.width;
        EXPECT_EQ(h->imageSize, c.imageSize) << c.width;
        EXPECT_EQ(ownWidthStep(c.order, c.depth, c.align, c.nChannels, c.width), c.widthStep);
    }
}

TEST(ImageHeader, StoresItsFieldsAndZeroConstantBorders) {
    int marker = 0;
    IplROI roi{0, 1, 2, 3, 4};
    IplImage* h = iplCreateImageHeader(4, 4, IPL_DEPTH_8U, "RGBA", "BGRA", IPL_DATA_ORDER_PIXEL,
                                       IPL_ORIGIN_BL, 4, 7, 5, &roi, nullptr, &marker, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->nSize, static_cast<int32_t>(sizeof(IplImage)));
    EXPECT_EQ(h->ID, 0);
    EXPECT_EQ(h->alphaChannel, 4);
    EXPECT_EQ(std::memcmp(h->colorModel, "RGBA", 4), 0);
    EXPECT_EQ(std::memcmp(h->channelSeq, "BGRA", 4), 0);
    EXPECT_EQ(h->origin, IPL_ORIGIN_BL);
    EXPECT_EQ(h->roi, &roi);
    EXPECT_EQ(h->imageId, &marker);
    EXPECT_EQ(h->imageData, nullptr);
    EXPECT_EQ(h->imageDataOrigin, nullptr);
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(h->BorderMode[side], IPL_BORDER_CONSTANT);
        EXPECT_EQ(h->BorderConst[side], 0);
    }
    iplDeallocateHeader(h);
}

TEST(ImageHeader, ShortNamesAreCopiedUpToTheirEndAndPadded) {
    IplImage* h = iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "GRAY", "G", IPL_DATA_ORDER_PLANE,
                                       IPL_ORIGIN_TL, 4, 8, 8, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::memcmp(h->channelSeq, "G\0\0\0", 4), 0);
    iplDeallocateHeader(h);
}

struct RefusalCase {
    int32_t nChannels;
    int32_t alpha;
    uint32_t depth;
    int32_t order;
    int32_t origin;
    int32_t align;
    int32_t width;
    int32_t status;
};

TEST(ImageHeader, BadArgumentsAreRefusedWithTheFirstFailedTest) {
    const RefusalCase cases[] = {
        {3, 0, IPL_DEPTH_1U, 0, 0, 4, 8, -16},
        {4, 3, IPL_DEPTH_8U, 0, 0, 4, 8, -18},
        {1, 0, IPL_DEPTH_8U, 0, 0, 2, 8, -21},
        {1, 0, 12u, 0, 0, 4, 0, -10},
        {0, 0, IPL_DEPTH_8U, 0, 0, 4, 8, -15},
        {1, 0, 12u, 0, 0, 4, 8, -17},
        {1, 0, IPL_DEPTH_8U, 2, 0, 4, 8, -19},
        {1, 0, IPL_DEPTH_8U, 0, 2, 4, 8, -20},
        // Sizes beyond 32 bits would give a short pixel block.
        {4, 0, IPL_DEPTH_32S, 0, 0, 4, 0x10000000, -10},
    };
    for (const RefusalCase& c : cases) {
        ErrorCapture capture;
        IplImage* h = iplCreateImageHeader(c.nChannels, c.alpha, c.depth, "RGB", "RGB", c.order,
                                           c.origin, c.align, c.width, 4, nullptr, nullptr,
                                           nullptr, nullptr);
        EXPECT_EQ(h, nullptr);
        ASSERT_EQ(capture.calls.size(), 1u) << c.status;
        EXPECT_EQ(capture.last().status, c.status);
        EXPECT_EQ(capture.last().func, "iplCreateImageHeader");
        EXPECT_EQ(capture.last().context, "Incorrect data-ins");
        EXPECT_EQ(capture.last().file, "iplalloc");
        EXPECT_EQ(iplGetErrStatus(), c.status);
    }
    ErrorCapture capture;
    EXPECT_EQ(iplCreateImageHeader(1, 0, IPL_DEPTH_8U, nullptr, "G", 0, 0, 4, 4, 4, nullptr,
                                   nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(capture.last().status, -14);
}

TEST(ImageHeader, BadMaskImagesAreRefusedWithMaskCodes) {
    ipltest::ImagePtr mask8u = ipltest::makeImage(IPL_DEPTH_8U, 1, 0, 0, 8, 8);
    ipltest::ImagePtr mask = ipltest::makeImage(IPL_DEPTH_1U, 1, 0, 0, 8, 8);
    IplTileInfo tile{};
    ErrorCapture capture;
    auto create = [](IplImage* m) {
        return iplCreateImageHeader(1, 0, IPL_DEPTH_8U, "G", "G", 0, 0, 4, 8, 8, nullptr, m,
                                    nullptr, nullptr);
    };
    EXPECT_EQ(create(mask8u.get()), nullptr);
    EXPECT_EQ(capture.last().status, -117);
    mask->width = 0;
    EXPECT_EQ(create(mask.get()), nullptr);
    EXPECT_EQ(capture.last().status, -110);
    mask->width = 8;
    unsigned char* data = mask->imageData;
    mask->imageData = nullptr;
    mask->tileInfo = &tile;
    EXPECT_EQ(create(mask.get()), nullptr);
    EXPECT_EQ(capture.last().status, -26);
    mask->tileInfo = nullptr;
    mask->imageData = data;
}

TEST(AllocateImage, FillsTheWholeBlockByDepth) {
    ErrorCapture capture;
    Header s32 = header(1, IPL_DEPTH_32S, 0, 4, 3, 2);
    iplAllocateImage(s32.get(), 1, -1);
    ASSERT_NE(s32->imageData, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(s32->imageData) % 4, 0u);
    for (int32_t k = 0; k < s32->imageSize; ++k) EXPECT_EQ(s32->imageData[k], 0xff);

    Header u8 = header(3, IPL_DEPTH_8U, 0, 32, 5, 3);
    iplAllocateImage(u8.get(), 1, 0x1234);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(u8->imageData) % 32, 0u);
    for (int32_t k = 0; k < u8->imageSize; ++k) EXPECT_EQ(u8->imageData[k], 0x34);

    Header u16 = header(1, IPL_DEPTH_16U, 0, 4, 5, 3);
    iplAllocateImage(u16.get(), 1, 0x12345);
    for (int32_t k = 0; k < u16->imageSize; k += 2) {
        EXPECT_EQ(u16->imageData[k], 0x45);
        EXPECT_EQ(u16->imageData[k + 1], 0x23);
    }

    Header bits = header(1, IPL_DEPTH_1U, 0, 4, 20, 3);
    iplAllocateImage(bits.get(), 1, 2);
    for (int32_t k = 0; k < bits->imageSize; ++k) EXPECT_EQ(bits->imageData[k], 0);
    Header ones = header(1, IPL_DEPTH_1U, 0, 4, 20, 3);
    iplAllocateImage(ones.get(), 1, 3);
    for (int32_t k = 0; k < ones->imageSize; ++k) EXPECT_EQ(ones->imageData[k], 0xff);
    EXPECT_TRUE(capture.empty());
}

TEST(AllocateImage, RefusesWhatItCannotAllocate) {
    ErrorCapture capture;
    iplAllocateImage(nullptr, 0, 0);
    EXPECT_EQ(capture.last().status, -5);
    EXPECT_EQ(capture.last().context, "( image == ((void *)0) )");

    Header f32 = header(1, IPL_DEPTH_32F, 0, 4, 3, 2);
    iplAllocateImage(f32.get(), 1, 0);
    EXPECT_EQ(capture.last().context, "( image->depth == 32 )");
    EXPECT_EQ(f32->imageData, nullptr);

    Header u8 = header(1, IPL_DEPTH_8U, 0, 4, 3, 2);
    iplAllocateImage(u8.get(), 0, 0);
    unsigned char* first = u8->imageData;
    iplAllocateImage(u8.get(), 0, 0);
    EXPECT_EQ(capture.last().context, "( image->imageData != ((void *)0) )");
    EXPECT_EQ(u8->imageData, first);

    Header tiled = header(1, IPL_DEPTH_8U, 0, 4, 3, 2);
    IplTileInfo info{};
    tiled->tileInfo = &info;
    iplAllocateImage(tiled.get(), 0, 0);
    EXPECT_EQ(capture.last().context, "( image->tileInfo != ((void *)0) )");
    tiled->tileInfo = nullptr;

    Header bad = header(1, IPL_DEPTH_8U, 0, 4, 3, 2);
    bad->align = 2;
    iplAllocateImage(bad.get(), 0, 0);
    EXPECT_EQ(capture.last().status, -21);
    EXPECT_EQ(capture.last().context, "Incorrect data-ins");
    EXPECT_EQ(capture.last().func, "iplAllocateImage");
}

TEST(Deallocate, FreesOnlyWhatTheFlagsSelectAndNeverCallerPixels) {
    unsigned char pixels[64] = {};
    IplImage* h = iplCreateImageHeader(1, 0, IPL_DEPTH_8U, "G", "G", 0, 0, 4, 8, 8,
                                       iplCreateROI(0, 0, 0, 8, 8), nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    h->imageData = pixels;
    iplDeallocate(h, IPL_IMAGE_DATA);
    EXPECT_EQ(h->imageData, pixels);
    iplDeallocate(h, IPL_IMAGE_ROI);
    EXPECT_EQ(h->roi, nullptr);
    h->maskROI = iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "G", "G", 0, 0, 4, 8, 8,
                                      iplCreateROI(0, 0, 0, 8, 8), nullptr, nullptr, nullptr);
    iplAllocateImage(h->maskROI, 0, 0);
    iplDeallocate(h, IPL_IMAGE_MASK);
    EXPECT_EQ(h->maskROI, nullptr);
    iplDeallocate(nullptr, IPL_IMAGE_ALL);
    iplDeallocate(h, IPL_IMAGE_ALL);

    IplImage* owned = iplCreateImageHeader(1, 0, IPL_DEPTH_8U, "G", "G", 0, 0, 4, 8, 8, nullptr,
                                           nullptr, nullptr, nullptr);
    iplAllocateImage(owned, 0, 0);
    iplDeallocateImage(owned);
    EXPECT_EQ(owned->imageData, nullptr);
    EXPECT_EQ(owned->imageDataOrigin, nullptr);
    iplDeallocateHeader(owned);
}

TEST(RegionRecords, HoldTheirFiveValuesUntested) {
    IplROI* roi = iplCreateROI(2, -1, 3, 0, 5);
    ASSERT_NE(roi, nullptr);
    EXPECT_EQ(roi->coi, 2);
    EXPECT_EQ(roi->xOffset, -1);
    iplSetROI(roi, 1, 2, 3, 4, 5);
    EXPECT_EQ(roi->width, 4);
    iplSetROI(nullptr, 1, 2, 3, 4, 5);
    iplFree(roi);
}

struct BorderCase {
    uint32_t depth;
    int32_t constant;
    int32_t stored;
};

TEST(BorderMode, ConstantsAreClampedToTheDepthAndOnlySelectedSidesChange) {
    const BorderCase cases[] = {
        {IPL_DEPTH_8U, 300, 255}, {IPL_DEPTH_16U, -5, 0},     {IPL_DEPTH_8S, -200, -128},
        {IPL_DEPTH_32S, 70000, 70000}, {IPL_DEPTH_1U, 5, 1}, {IPL_DEPTH_16S, 40000, 32767},
        {IPL_DEPTH_32F, -70000, -70000},
    };
    for (const BorderCase& c : cases) {
        Header h = header(1, c.depth, 0, 4, 4, 4);
        iplSetBorderMode(h.get(), IPL_BORDER_WRAP, IPL_SIDE_TOP | IPL_SIDE_LEFT, c.constant);
        EXPECT_EQ(h->BorderConst[IPL_SIDE_TOP_INDEX], c.stored);
        EXPECT_EQ(h->BorderConst[IPL_SIDE_LEFT_INDEX], c.stored);
        EXPECT_EQ(h->BorderMode[IPL_SIDE_TOP_INDEX], IPL_BORDER_WRAP);
        EXPECT_EQ(h->BorderMode[IPL_SIDE_LEFT_INDEX], IPL_BORDER_WRAP);
        EXPECT_EQ(h->BorderConst[IPL_SIDE_BOTTOM_INDEX], 0);
        EXPECT_EQ(h->BorderMode[IPL_SIDE_RIGHT_INDEX], IPL_BORDER_CONSTANT);
    }
}

#if defined(__i386__) || defined(_M_IX86)
TEST(ImageHeader, IsOneHundredAndTwelveBytesOnThirtyTwoBitBuilds) { EXPECT_EQ(sizeof(IplImage), 112u); }
#endif

}  // namespace
