// Previews of the picture object: a file that cannot be written still gets its
// preview, and a fitted preview is the whole picture decimated. The trailer's
// steps themselves are tested natively (formats_preview_test.cpp).
#include <gtest/gtest.h>

#include <windows.h>

#include "TestPictures.h"
#include "WinPictures.h"
#include "imagelib/ImgBitmap.h"

using namespace imgtest;

TEST(ImgBitmapPreview, ReadOnlyFileStillGivesThePreview) {
    Picture expected;
    Bytes original = MakeBmp(BmpKind::Rgb24, 2100, 1400, expected);
    WriteFile("readonly.bmp", original);
    // Read-only, and held open by someone who lets others only read: the
    // attribute alone does not stop an administrator (nor Wine running as root).
    ASSERT_TRUE(SetFileAttributesA("readonly.bmp", FILE_ATTRIBUTE_READONLY));
    HANDLE reader = CreateFileA("readonly.bmp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    CImgBitmap image;
    EXPECT_EQ(image.LoadPreview("readonly.bmp", 2, true, 256, false), 1);
    EXPECT_EQ(image.GetWidth(), 132);
    EXPECT_EQ(image.GetHeight(), 88);
    EXPECT_EQ(image.GetAlphaChannel(), 4);
    CloseHandle(reader);
    EXPECT_EQ(ReadFile("readonly.bmp").size(), original.size());
    SetFileAttributesA("readonly.bmp", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(image.LoadPreview("missing.bmp", 0, true, 256, false), 0);
    EXPECT_FALSE(image.IsValid());
}

TEST(ImgBitmapPreview, FittedPictureIsTheWholePictureDecimated) {
    Picture expected;
    WriteFile("fit.bmp", MakeBmp(BmpKind::Rgb24, 2100, 1400, expected));
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
