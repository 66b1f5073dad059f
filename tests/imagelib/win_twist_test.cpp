// Colour twists applied by the picture object through the image processing
// library, with the alpha channel carried over.
#include <gtest/gtest.h>

#include <windows.h>

#include <limits>

#include "imagelib/ColorTwist.h"
#include "imagelib/ImgBitmap.h"

namespace {

void FillPattern(CImgBitmap& image) {
    IplImage* h = image.GetIplImage();
    for (int y = 0; y < h->height; ++y)
        for (int x = 0; x < h->width * h->nChannels; ++x)
            h->imageData[y * h->widthStep + x] = static_cast<unsigned char>(x * 20 + y * 50 + 7);
}

unsigned char At(const CImgBitmap& image, int x, int memoryRow, int channel) {
    const IplImage* h = image.GetIplImage();
    return h->imageData[memoryRow * h->widthStep + x * h->nChannels + channel];
}

}  // namespace

TEST(ImgBitmapTwist, ColoursAreTwistedAndAlphaIsCopied) {
    float half[16];
    ImgScaleTwist(0.5f, half);  // no colour-space change needed for a uniform scale
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (const float* twist : {identity, static_cast<const float*>(half)}) {
        const int divisor = twist == identity ? 1 : 2;
        CImgBitmap source, destination;
        ASSERT_EQ(source.Create(4, 3, true), 1);
        ASSERT_EQ(destination.Create(4, 3, true, true, 0), 1);
        FillPattern(source);
        ASSERT_EQ(source.ApplyColorTwist(twist, &destination), 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(At(destination, x, y, c), At(source, x, y, c) / divisor, divisor - 1);
                EXPECT_EQ(At(destination, x, y, 3), At(source, x, y, 3)) << x << "," << y;
            }
    }
}

TEST(ImgBitmapTwist, SourceRegionGoesIntoTheWholeDestination) {
    CImgBitmap source, tile;
    ASSERT_EQ(source.Create(6, 4, true), 1);
    ASSERT_EQ(tile.Create(2, 2, true, true, 0), 1);
    FillPattern(source);
    ASSERT_EQ(source.SetROI(0, 3, 1, 2, 2), 1);
    const float identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_EQ(source.ApplyColorTwist(identity, &tile), 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            for (int c = 0; c < 4; ++c) EXPECT_EQ(At(tile, x, y, c), At(source, x + 3, y + 1, c));
    CImgBitmap empty;
    EXPECT_EQ(source.ApplyColorTwist(identity, &empty), 0);
    EXPECT_EQ(source.ApplyColorTwist(identity, nullptr), 0);
}

TEST(ImgBitmapTwist, RefusesATwistThatIsNotANumberOrEndless) {
    // Such an entry has no fixed-point value: converting it is undefined and
    // used to blacken the picture while reporting success.
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (float value : bad) {
        CImgBitmap source, destination;
        ASSERT_EQ(source.Create(2, 2, false, true, 100), 1);
        ASSERT_EQ(destination.Create(2, 2, false, true, 7), 1);
        float twist[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        twist[3] = value;
        EXPECT_EQ(source.ApplyColorTwist(twist, &destination), 0) << value;
        EXPECT_EQ(At(destination, 0, 0, 0), 7) << value;
    }
}
