// The picture object under Wine: creation, loading every format from disk with
// each alpha mode and reduction, saving, regions of interest.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "TestPictures.h"
#include "WinPictures.h"
#include "imagelib/ImgBitmap.h"

using namespace imgtest;


TEST(ImgBitmapCreate, SizesOutsideOneTo16384AreRefused) {
    CImgBitmap image;
    EXPECT_EQ(image.Create(0, 10, false), 0);
    EXPECT_EQ(image.Create(10, 16385, false), 0);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
}

TEST(ImgBitmapCreate, RowsArePaddedToFourBytesAndFilled) {
    const struct {
        int width;
        bool alpha;
        int step;
    } cases[] = {{5, false, 16}, {5, true, 20}, {4, false, 12}, {1, false, 4}};
    for (const auto& c : cases) {
        CImgBitmap image;
        ASSERT_EQ(image.Create(c.width, 3, c.alpha, true, 77), 1);
        IplImage* h = image.GetIplImage();
        EXPECT_EQ(h->widthStep, c.step);
        EXPECT_EQ(h->nChannels, c.alpha ? 4 : 3);
        EXPECT_EQ(image.GetAlphaChannel(), c.alpha ? 4 : 0);
        EXPECT_EQ(h->origin, IPL_ORIGIN_BL);
        EXPECT_EQ(h->depth, IPL_DEPTH_8U);
        for (int i = 0; i < h->imageSize; ++i) ASSERT_EQ(h->imageData[i], 77);
        image.Destroy();
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(image.GetIplImage(), nullptr);
    }
}

TEST(ImgBitmapCreate, ExternalPixelsAreUsedAndLeftToTheirOwner) {
    std::vector<unsigned char> pixels(8 * 4 * 4, 1);
    {
        CImgBitmap image;
        ASSERT_EQ(image.Create(8, 4, true, true, 9, pixels.data()), 1);
        EXPECT_EQ(image.GetIplImage()->imageData, pixels.data());
        EXPECT_EQ(image.GetDC(), nullptr);  // no DIB section to select
    }
    EXPECT_EQ(pixels[0], 9);
    EXPECT_EQ(pixels.back(), 9);
}

TEST(ImgBitmapLoad, EveryFormatLoadsWithEachAlphaModeAndReduction) {
    struct FileCase {
        const char* path;
        Bytes bytes;
        Picture expected;
    };
    std::vector<FileCase> files(5);
    files[0].path = "load.bmp";
    files[0].bytes = MakeBmp(BmpKind::Alpha32V5, 41, 27, files[0].expected);
    files[1].path = "load.pcx";
    files[1].bytes = MakePcx(PcxKind::Pal8, 41, 27, files[1].expected);
    files[2].path = "load.tga";
    files[2].bytes = MakeTga({10, 32, false, true}, 41, 27, files[2].expected);
    files[3].path = "load.tga2";
    files[3].bytes = MakeTga({2, 24, true, false}, 41, 27, files[3].expected);
    files[4].path = "load.pcd";
    files[4].bytes = MakePhotoCd(files[4].expected);
    for (FileCase& f : files) {
        WriteFile(f.path, f.bytes);
        for (int reduction : {1, 2, 4, 8}) {
            Picture want = Reduce(f.expected, reduction);
            for (int alphaMode : {0, 1, 2}) {
                SCOPED_TRACE(std::string(f.path) + " reduction " + std::to_string(reduction) + " alpha mode " +
                             std::to_string(alphaMode));
                CImgBitmap image;
                ASSERT_EQ(image.Load(f.path, alphaMode, reduction), 1);
                bool four = alphaMode == 2 || (alphaMode == 1 && f.expected.hasAlpha);
                EXPECT_EQ(image.GetAlphaChannel(), four ? 4 : 0);
                EXPECT_EQ(image.GetWidth(), want.width);
                EXPECT_EQ(image.GetHeight(), want.height);
                EXPECT_LE(MaxDifference(PictureOf(image), want, four), f.path == std::string("load.pcd") ? 1 : 0);
            }
        }
    }
}

TEST(ImgBitmapLoad, MissingFilesUnknownDataAndBadArgumentsFail) {
    WriteFile("text.jpg", Bytes(500, 'a'));
    Picture p;
    WriteFile("ok.bmp", MakeBmp(BmpKind::Rgb24, 5, 5, p));
    const struct {
        const char* path;
        int alphaMode, reduction;
    } cases[] = {{"missing.bmp", 0, 1}, {"text.jpg", 0, 1}, {"ok.bmp", 3, 1}, {"ok.bmp", 0, 3}, {"ok.bmp", -1, 1}};
    for (const auto& c : cases) {
        CImgBitmap image;
        ASSERT_EQ(image.Create(2, 2, false), 1);
        EXPECT_EQ(image.Load(c.path, c.alphaMode, c.reduction), 0) << c.path;
        EXPECT_FALSE(image.IsValid());
    }
    CImgBitmap image;
    EXPECT_EQ(image.Load(nullptr, 0, 1), 0);
}

TEST(ImgBitmapSave, JpegTiffAndProtectedJpegRoundTrip) {
    Picture p = Pattern(50, 30, true);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 50; ++x) p.At(x, y)[2] = static_cast<uint8_t>(x * 3 + y);  // smooth for JPEG
    CImgBitmap image;
    ASSERT_EQ(image.Create(50, 30, true), 1);
    img::Raster r = image.GetRaster();
    for (int32_t y = 0; y < 30; ++y) std::memcpy(r.Row(y), p.At(0, y), 50 * 4);

    const struct {
        const char* path;
        int format;
        bool keepsAlpha;
        int tolerance;
    } cases[] = {{"saved.jpg", IMG_FORMAT_JPEG, false, 12},
                 {"saved.tif", IMG_FORMAT_TIFF, true, 0},
                 {"saved.sbj", IMG_FORMAT_PROTECTED_JPEG, false, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_EQ(image.Save(c.path, c.format, 1, 90), 1);
        CImgBitmap back;
        ASSERT_EQ(back.Load(c.path, 1, 1), 1);
        EXPECT_EQ(back.GetAlphaChannel(), c.keepsAlpha ? 4 : 0);
        Picture got = PictureOf(back);
        EXPECT_LE(MeanDifference(got, p), c.tolerance == 0 ? 0.0 : 3.0);
        if (c.keepsAlpha) {
            EXPECT_EQ(MaxDifference(got, p, true), 0);
        }
    }
    EXPECT_EQ(image.Save("saved.bmp", 1, 1, 90), 0);
    EXPECT_EQ(image.Save("saved.jpg", IMG_FORMAT_JPEG, 1, 0), 0);
    EXPECT_EQ(image.Save("no such folder\\saved.jpg", IMG_FORMAT_JPEG, 1, 90), 0);
    CImgBitmap empty;
    EXPECT_EQ(empty.Save("empty.jpg", IMG_FORMAT_JPEG, 1, 90), 0);
}

TEST(ImgBitmapSave, AFailedSaveLeavesTheExistingFileAsItWas) {
    const char* path = "kept.jpg";
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("the user's picture", f);
    std::fclose(f);
    // The new file is written beside the old one first: make that impossible.
    ASSERT_TRUE(CreateDirectoryA("kept.jpg.new", nullptr));

    CImgBitmap image;
    ASSERT_EQ(image.Create(8, 8, false), 1);
    EXPECT_EQ(image.Save(path, IMG_FORMAT_JPEG, 1, 90), 0);
    EXPECT_EQ(image.Save(path, IMG_FORMAT_TIFF, 1, 90), 0);

    char text[32] = {};
    f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_NE(std::fgets(text, sizeof text, f), nullptr);
    std::fclose(f);
    EXPECT_STREQ(text, "the user's picture");
    RemoveDirectoryA("kept.jpg.new");
    std::remove(path);
}

TEST(ImgBitmapRegion, RegionsAreClampedToTheImage) {
    CImgBitmap image;
    EXPECT_EQ(image.SetROI(0, 0, 0, 1, 1), 0);
    ASSERT_EQ(image.Create(100, 50, true), 1);
    ASSERT_EQ(image.SetROI(2, 90, 40, 64, 64), 1);
    IplROI* roi = image.GetIplImage()->roi;
    ASSERT_NE(roi, nullptr);
    EXPECT_EQ(roi->coi, 2);
    EXPECT_EQ(roi->xOffset, 90);
    EXPECT_EQ(roi->yOffset, 40);
    EXPECT_EQ(roi->width, 10);
    EXPECT_EQ(roi->height, 10);
    ASSERT_EQ(image.SetROI(0, -5, -5, 10, 10), 1);
    EXPECT_EQ(roi->xOffset, 0);
    EXPECT_EQ(roi->width, 5);
    EXPECT_EQ(image.SetROI(0, 100, 0, 10, 10), 0);
    EXPECT_EQ(image.SetROI(5, 0, 0, 10, 10), 0);
    image.SelectChannel(4);
    EXPECT_EQ(roi->coi, 4);
    EXPECT_EQ(roi->xOffset, 0);
    EXPECT_EQ(roi->width, 100);
    EXPECT_EQ(roi->height, 50);
}
