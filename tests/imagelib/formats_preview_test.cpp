// The preview steps with a plain picture in memory (natively under the
// sanitizers as well): trailer written once and reused, renewed when the
// picture changed, alpha kept in it, reductions and fitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "TestPictures.h"
#include "imagelib/PreviewLoader.h"

using namespace imgtest;

namespace {

struct Result {
    img::OwnedRaster raster;
    int allocations = 0;
    int resizes = 0;
};

bool Preview(const std::string& path, int alphaMode, bool useThumbnail, int32_t maxSize, bool fit, Result& result) {
    img::PreviewRequest request;
    request.path = path;
    request.alphaMode = alphaMode;
    request.useThumbnail = useThumbnail;
    request.maxSize = maxSize;
    request.fit = fit;
    auto allocate = [&](int32_t w, int32_t h, bool alpha, img::Raster& raster) {
        ++result.allocations;
        result.raster.Reset(w, h, alpha ? 4 : 3);
        raster = result.raster.View();
        return true;
    };
    // Nearest neighbour stands in for the program's cubic decimation.
    auto resize = [&](const img::Raster& from, const img::Raster& to) {
        ++result.resizes;
        for (int32_t y = 0; y < to.height; ++y)
            for (int32_t x = 0; x < to.width; ++x)
                for (int32_t c = 0; c < to.channels; ++c)
                    to.Row(y)[x * to.channels + c] =
                        from.Row(y * from.height / to.height)[(x * from.width / to.width) * from.channels + c];
        return true;
    };
    return img::LoadPreviewPicture(request, allocate, resize);
}

size_t FileSize(const std::string& path) { return ReadFile(path).size(); }

}  // namespace

TEST(PreviewLoader, TrailerIsWrittenOnceThenReadAtTheRequestedSizeAndRenewedWhenThePictureChanged) {
    Picture expected;
    const Bytes original = MakeBmp(BmpKind::Rgb24, 2100, 1400, expected);
    WriteFile("native-large.bmp", original);
    Result first;
    ASSERT_TRUE(Preview("native-large.bmp", 1, true, 256, false, first));
    // 2100 / 4 = 525 wide in the trailer, read back at 1/4.
    EXPECT_EQ(first.raster.View().width, 132);
    EXPECT_EQ(first.raster.View().height, 88);
    EXPECT_EQ(first.raster.View().channels, 3);
    const Bytes withTrailer = ReadFile("native-large.bmp");
    ASSERT_GT(withTrailer.size(), original.size());
    EXPECT_TRUE(std::equal(original.begin(), original.end(), withTrailer.begin()));

    Result second;
    ASSERT_TRUE(Preview("native-large.bmp", 2, true, 1024, false, second));
    EXPECT_EQ(second.raster.View().width, 525);
    EXPECT_EQ(second.raster.View().channels, 4);
    EXPECT_EQ(second.allocations, 1);
    EXPECT_EQ(FileSize("native-large.bmp"), withTrailer.size());

    // Another program paints the bottom-left corner white in place (rows are
    // stored bottom-up, 6300 bytes each): a new trailer shows it.
    Bytes changed = withTrailer;
    for (size_t row = 0; row < 8; ++row) std::memset(&changed[54 + row * 6300], 255, 3 * 64);
    WriteFile("native-large.bmp", changed);
    Result third;
    ASSERT_TRUE(Preview("native-large.bmp", 0, true, 1024, false, third));
    EXPECT_GT(FileSize("native-large.bmp"), changed.size());
    const img::Raster& r = third.raster.View();
    const uint8_t* bottomLeft = r.Row(r.height - 1);
    EXPECT_GT(bottomLeft[0] + bottomLeft[1] + bottomLeft[2], 3 * 150);
}

TEST(PreviewLoader, AlphaGoesIntoTheTrailerAndComesBackOnRequest) {
    Picture expected;
    WriteFile("native-alpha.tga", MakeTga({2, 32, false, true}, 1200, 800, expected));
    const size_t size = FileSize("native-alpha.tga");
    for (int alphaMode : {0, 1}) {
        Result r;
        ASSERT_TRUE(Preview("native-alpha.tga", alphaMode, true, 256, false, r));
        EXPECT_EQ(r.raster.View().width, 150);
        EXPECT_EQ(r.raster.View().channels, alphaMode ? 4 : 3);
    }
    EXPECT_GT(FileSize("native-alpha.tga"), size);
}

TEST(PreviewLoader, APictureNoLargerThanAThumbnailGetsNoTrailerAndIsReadAtTheSizeAsked) {
    Picture expected;
    WriteFile("native-working.tga", MakeTga({2, 32, false, true}, 1024, 600, expected));
    const size_t size = FileSize("native-working.tga");
    const struct {
        int alphaMode;
        int32_t maxSize;
        int32_t width;
        int32_t channels;
    } cases[] = {{1, 256, 256, 4}, {0, 1024, 1024, 3}, {2, 128, 128, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxSize);
        Result r;
        ASSERT_TRUE(Preview("native-working.tga", c.alphaMode, true, c.maxSize, false, r));
        EXPECT_EQ(r.raster.View().width, c.width);
        EXPECT_EQ(r.raster.View().channels, c.channels);
        EXPECT_EQ(r.allocations, 1);
    }
    EXPECT_EQ(FileSize("native-working.tga"), size);
}

TEST(PreviewLoader, WithoutThumbnailFollowsMaxSizeAndFitResizesToTheTarget) {
    Picture expected;
    WriteFile("native-plain.tga", MakeTga({2, 32, false, true}, 2100, 1400, expected));
    const size_t size = FileSize("native-plain.tga");
    const struct {
        int32_t maxSize;
        bool fit;
        int32_t width, height;
        int resizes;
    } cases[] = {{256, false, 263, 175, 0}, {1024, false, 525, 350, 0}, {1024, true, 1024, 683, 1},
                 {600, true, 600, 400, 1}, {4096, true, 2100, 1400, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxSize);
        Result r;
        ASSERT_TRUE(Preview("native-plain.tga", 1, false, c.maxSize, c.fit, r));
        EXPECT_EQ(r.raster.View().width, c.width);
        EXPECT_EQ(r.raster.View().height, c.height);
        EXPECT_EQ(r.raster.View().channels, 4);
        EXPECT_EQ(r.resizes, c.resizes);
    }
    Result exact;
    ASSERT_TRUE(Preview("native-plain.tga", 2, false, 4096, false, exact));
    Picture got;
    got.width = 2100;
    got.height = 1400;
    got.bgra.assign(size_t{2100} * 1400 * 4, 0);
    for (int32_t y = 0; y < 1400; ++y) std::memcpy(got.At(0, y), exact.raster.View().Row(y), 2100 * 4);
    EXPECT_EQ(MaxDifference(got, expected), 0);
    EXPECT_EQ(FileSize("native-plain.tga"), size);
}

TEST(PreviewLoader, BadRequestsAndMissingFilesFail) {
    Result r;
    EXPECT_FALSE(Preview("native-missing.bmp", 0, true, 256, false, r));
    Picture p;
    WriteFile("native-small.bmp", MakeBmp(BmpKind::Rgb24, 8, 8, p));
    EXPECT_FALSE(Preview("native-small.bmp", 0, false, 0, false, r));
    EXPECT_FALSE(Preview("native-small.bmp", 3, false, 256, false, r));
    EXPECT_EQ(r.allocations, 0);
}
