// The thumbnail trailer: found only when it belongs to the file, invisible to
// the format readers, and decoded at the requested scale with its alpha.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestPictures.h"
#include "imagelib/ByteSink.h"
#include "imagelib/ImageFile.h"
#include "imagelib/ThumbnailTrailer.h"

using namespace imgtest;

namespace {

Bytes WithTrailer(const Bytes& file, const Picture& preview, int32_t channels) {
    img::MemorySource source(file);
    std::vector<uint8_t> trailer;
    img::OwnedRaster raster = ToRaster(preview, channels);
    EXPECT_TRUE(img::BuildTrailer(raster.View(), source, trailer));
    Bytes whole = file;
    whole.insert(whole.end(), trailer.begin(), trailer.end());
    return whole;
}

}  // namespace

TEST(ThumbnailTrailer, IsFoundOnlyWhenLengthsAndChecksumMatch) {
    Picture p;
    Bytes bmp = MakeBmp(BmpKind::Rgb24, 30, 20, p);
    Bytes whole = WithTrailer(bmp, p, 3);
    img::TrailerFooter footer;
    {
        img::MemorySource source(whole);
        ASSERT_TRUE(img::FindValidTrailer(source, footer));
        EXPECT_EQ(footer.originalLength, bmp.size());
        EXPECT_EQ(footer.width, 30);
        EXPECT_EQ(footer.height, 20);
        EXPECT_EQ(footer.alphaLength, 0u);
    }
    {
        img::MemorySource plain(bmp);
        EXPECT_FALSE(img::FindValidTrailer(plain, footer));
    }
    {
        Bytes appended = whole;
        appended.push_back(0);  // something added after: the lengths no longer add up
        img::MemorySource source(appended);
        EXPECT_FALSE(img::FindValidTrailer(source, footer));
    }
    {
        Bytes edited = whole;
        edited[100] ^= 0x55;  // the picture changed in place
        img::MemorySource source(edited);
        EXPECT_FALSE(img::FindValidTrailer(source, footer));
        EXPECT_EQ(img::OriginalLength(source), bmp.size());  // stale, yet the readers still skip it
    }
}

TEST(ThumbnailTrailer, OnlyOneLoaderAppendsToAFileAtATime) {
    // Two previews of one file must not both pass the length check and both
    // append: neither trailer would then count, and formats that read from
    // the end of the file would read a trailer instead.
    Picture p;
    const Bytes bmp = MakeBmp(BmpKind::Rgb24, 8, 4, p);
    const std::string path = "append_once.bmp";
    WriteFile(path, bmp);
    const std::vector<uint8_t> trailer(16, 0xA5);
    {
        img::FileSink other;
        ASSERT_TRUE(other.Open(path, true));
        EXPECT_FALSE(img::AppendToFile(path, trailer, bmp.size()));
    }
    EXPECT_EQ(ReadFile(path).size(), bmp.size());
    EXPECT_TRUE(img::AppendToFile(path, trailer, bmp.size()));
    EXPECT_FALSE(img::AppendToFile(path, trailer, bmp.size()));  // another got there first
    EXPECT_EQ(ReadFile(path).size(), bmp.size() + trailer.size());
    std::remove(path.c_str());
}

TEST(ThumbnailTrailer, ReadersOfFormatsThatReadFromTheEndSeeTheOriginalLength) {
    Picture pcxPicture, tgaPicture;
    const Bytes files[] = {MakePcx(PcxKind::Pal8, 31, 17, pcxPicture),
                           MakeTga({2, 32, false, true, true}, 31, 17, tgaPicture)};
    const Picture* expected[] = {&pcxPicture, &tgaPicture};
    for (int i = 0; i < 2; ++i) {
        Bytes whole = WithTrailer(files[i], *expected[i], 3);
        // Twice: a stale trailer below a new one is skipped as well.
        Bytes twice = whole;
        twice[5] ^= 1;
        twice = WithTrailer(twice, *expected[i], 3);
        twice[5] ^= 1;
        for (const Bytes* file : {&whole, &twice}) {
            img::MemorySource source(*file);
            img::SubSource original(source, 0, img::OriginalLength(source));
            EXPECT_EQ(original.Size(), files[i].size());
            img::ImageInfo info;
            auto decoder = img::OpenDecoder(original, info);
            ASSERT_NE(decoder, nullptr);
            EXPECT_FALSE(info.hasAlpha);
            Picture got;
            ASSERT_TRUE(DecodeBytes(Bytes(file->begin(), file->begin() + static_cast<ptrdiff_t>(original.Size())), 1,
                                    4, got));
            EXPECT_EQ(MaxDifference(got, *expected[i]), 0);
        }
    }
}

TEST(ThumbnailTrailer, DecodesAtEveryScaleWithItsAlphaStream) {
    Picture preview = Pattern(64, 48, true);
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x) {
            uint8_t* p = preview.At(x, y);
            p[0] = static_cast<uint8_t>(x * 4);
            p[1] = static_cast<uint8_t>(y * 5);
            p[2] = 128;
            p[3] = x < 32 ? 255 : 0;  // a hard edge survives JPEG well enough away from it
        }
    Bytes whole = WithTrailer(Bytes(100, 7), preview, 4);
    img::MemorySource source(whole);
    img::TrailerFooter footer;
    ASSERT_TRUE(img::FindValidTrailer(source, footer));
    EXPECT_GT(footer.alphaLength, 0u);
    for (int32_t reduction : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(reduction);
        img::OwnedRaster out(img::ReducedSide(64, reduction), img::ReducedSide(48, reduction), 4);
        ASSERT_TRUE(img::DecodeTrailer(source, footer, out.View(), reduction));
        const img::Raster& v = out.View();
        EXPECT_GT(v.Row(0)[3], 240);                          // left: opaque
        EXPECT_LT(v.Row(v.height - 1)[(v.width - 1) * 4 + 3], 15);  // right: transparent
        img::OwnedRaster three(v.width, v.height, 3);
        ASSERT_TRUE(img::DecodeTrailer(source, footer, three.View(), reduction));
    }
}

TEST(PreviewArithmetic, ReductionsAndFittingFollowTheTargets) {
    struct {
        int32_t longer, target, reduction;
    } reductions[] = {{1000, 1024, 1}, {1024, 1024, 1}, {1025, 1024, 2}, {4000, 1024, 4},
                      {8192, 1024, 8}, {16384, 1024, 8}, {4000, 2048, 2}};
    for (const auto& r : reductions) EXPECT_EQ(img::ChooseReduction(r.longer, r.target), r.reduction) << r.longer;

    struct {
        int32_t w, h, max, reduction;
    } scales[] = {{1000, 750, 256, 4}, {1000, 750, 1024, 1}, {1025, 10, 256, 8}, {256, 256, 256, 1}, {10, 3000, 256, 16}};
    for (const auto& s : scales) EXPECT_EQ(img::ChooseTrailerReduction(s.w, s.h, s.max), s.reduction) << s.w;

    int32_t w = 0, h = 0;
    img::FitLongerSide(2000, 1500, 1024, w, h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    img::FitLongerSide(300, 1200, 1024, w, h);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 1024);
    img::FitLongerSide(5000, 1, 1024, w, h);
    EXPECT_EQ(h, 1);
}
