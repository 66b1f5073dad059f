// Previews: the thumbnail trailer is written once and reused, ignored when the
// picture changed, and a file that cannot be written still gets its preview.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestPictures.h"
#include "WinPictures.h"
#include "imagelib/ImgBitmap.h"

using namespace imgtest;

namespace {

// A 2100 x 1400 BMP: too large for a 1024 preview at 1/2.
Bytes LargeBmp(Picture& expected) { return MakeBmp(BmpKind::Rgb24, 2100, 1400, expected); }

uint64_t FileSize(const char* path) { return ReadFile(path).size(); }

}  // namespace

TEST(ImgBitmapPreview, TrailerIsWrittenOnceAndReused) {
    Picture expected;
    const Bytes original = LargeBmp(expected);
    WriteFile("large.bmp", original);
    CImgBitmap image;
    ASSERT_EQ(image.LoadPreview("large.bmp", 1, true, 256, false), 1);
    // 2100 / 4 = 525 wide in the trailer, read back at 1/4: 132 x 88.
    EXPECT_EQ(image.GetWidth(), 132);
    EXPECT_EQ(image.GetHeight(), 88);
    EXPECT_EQ(image.GetAlphaChannel(), 0);
    const uint64_t withTrailer = FileSize("large.bmp");
    EXPECT_GT(withTrailer, original.size());
    // The picture itself is untouched.
    Bytes now = ReadFile("large.bmp");
    EXPECT_TRUE(std::equal(original.begin(), original.end(), now.begin()));

    CImgBitmap again;
    ASSERT_EQ(again.LoadPreview("large.bmp", 2, true, 1024, false), 1);
    EXPECT_EQ(again.GetWidth(), 525);
    EXPECT_EQ(again.GetHeight(), 350);
    EXPECT_EQ(again.GetAlphaChannel(), 4);
    EXPECT_EQ(FileSize("large.bmp"), withTrailer);
    // The pattern's red channel is noise, which JPEG keeps only roughly.
    EXPECT_LT(MeanDifference(PictureOf(again), Reduce(expected, 4)), 12.0);

    // The full picture still loads as it was.
    CImgBitmap full;
    ASSERT_EQ(full.Load("large.bmp", 0, 8), 1);
    EXPECT_EQ(full.GetWidth(), 263);
}

TEST(ImgBitmapPreview, ChangedPictureGetsANewTrailer) {
    Picture expected;
    Bytes original = LargeBmp(expected);
    WriteFile("changed.bmp", original);
    CImgBitmap image;
    ASSERT_EQ(image.LoadPreview("changed.bmp", 0, true, 256, false), 1);
    Bytes withTrailer = ReadFile("changed.bmp");
    // Another program paints the bottom-left corner white in place (rows are
    // stored bottom-up, 6300 bytes each).
    for (size_t row = 0; row < 8; ++row)
        for (size_t i = 0; i < 3 * 64; ++i) withTrailer[54 + row * 6300 + i] = 255;
    WriteFile("changed.bmp", withTrailer);
    CImgBitmap again;
    ASSERT_EQ(again.LoadPreview("changed.bmp", 0, true, 1024, false), 1);
    EXPECT_GT(FileSize("changed.bmp"), withTrailer.size());  // a new trailer after the stale one
    img::Raster r = again.GetRaster();
    const uint8_t* bottomLeft = r.Row(r.height - 1);
    EXPECT_GT(bottomLeft[0] + bottomLeft[1] + bottomLeft[2], 3 * 150);
    const uint64_t renewed = FileSize("changed.bmp");
    CImgBitmap third;
    ASSERT_EQ(third.LoadPreview("changed.bmp", 0, true, 1024, false), 1);
    EXPECT_EQ(FileSize("changed.bmp"), renewed);
}

TEST(ImgBitmapPreview, ReadOnlyFileStillGivesThePreview) {
    Picture expected;
    Bytes original = LargeBmp(expected);
    WriteFile("readonly.bmp", original);
    // Read-only, and held open by someone who lets others only read: the
    // attribute alone does not stop an administrator (nor Wine running as root).
    ASSERT_TRUE(SetFileAttributesA("readonly.bmp", FILE_ATTRIBUTE_READONLY));
    HANDLE reader = CreateFileA("readonly.bmp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    CImgBitmap image;
    EXPECT_EQ(image.LoadPreview("readonly.bmp", 1, true, 256, false), 1);
    EXPECT_EQ(image.GetWidth(), 132);
    EXPECT_EQ(image.GetHeight(), 88);
    CloseHandle(reader);
    EXPECT_EQ(FileSize("readonly.bmp"), original.size());
    SetFileAttributesA("readonly.bmp", FILE_ATTRIBUTE_NORMAL);
}

TEST(ImgBitmapPreview, WithoutThumbnailTheReductionFollowsMaxSizeAndFitDecimates) {
    Picture expected;
    WriteFile("plain.bmp", LargeBmp(expected));
    const uint64_t size = FileSize("plain.bmp");
    const struct {
        int maxSize;
        bool fit;
        int width, height;
    } cases[] = {{256, false, 263, 175},  // 1/8 at most
                 {1024, false, 525, 350}, {2100, false, 2100, 1400}, {1024, true, 1024, 683}, {600, true, 600, 400}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxSize);
        CImgBitmap image;
        ASSERT_EQ(image.LoadPreview("plain.bmp", 0, false, c.maxSize, c.fit), 1);
        EXPECT_EQ(image.GetWidth(), c.width);
        EXPECT_EQ(image.GetHeight(), c.height);
    }
    EXPECT_EQ(FileSize("plain.bmp"), size);
    CImgBitmap image;
    EXPECT_EQ(image.LoadPreview("plain.bmp", 0, false, 0, false), 0);
    EXPECT_EQ(image.LoadPreview("missing.bmp", 0, true, 256, false), 0);
}

TEST(ImgBitmapPreview, AlphaGoesIntoTheTrailerAndComesBackOnRequest) {
    Picture expected;
    WriteFile("alpha.tga", MakeTga({2, 32, false, true}, 300, 200, expected));
    CImgBitmap first;
    ASSERT_EQ(first.LoadPreview("alpha.tga", 0, true, 256, false), 1);
    EXPECT_EQ(first.GetAlphaChannel(), 0);
    CImgBitmap withAlpha;
    ASSERT_EQ(withAlpha.LoadPreview("alpha.tga", 1, true, 256, false), 1);
    EXPECT_EQ(withAlpha.GetAlphaChannel(), 4);
    EXPECT_EQ(withAlpha.GetWidth(), 150);
}

TEST(ImgBitmapPreview, FittedPictureIsTheWholePictureDecimated) {
    Picture expected;
    WriteFile("fit.bmp", LargeBmp(expected));
    CImgBitmap image;
    ASSERT_EQ(image.LoadPreview("fit.bmp", 0, false, 1024, true), 1);
    ASSERT_EQ(image.GetWidth(), 1024);
    ASSERT_EQ(image.GetHeight(), 683);
    // The pattern's blue rises left to right and its green top to bottom.
    Picture got = PictureOf(image);
    for (int x : {0, 300, 700, 1023})
        for (int y : {0, 200, 682}) {
            EXPECT_NEAR(got.At(x, y)[0], x * 255 / 1023, 6) << x << "," << y;
            EXPECT_NEAR(got.At(x, y)[1], y * 255 / 682, 6) << x << "," << y;
        }
}
