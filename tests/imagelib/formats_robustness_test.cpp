// Damaged input: truncated, oversized or unknown data gives a clear failure,
// never an allocation beyond the limits (corrupted bytes: the fuzz targets).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "TestPictures.h"
#include "imagelib/ByteSink.h"
#include "imagelib/ImageFile.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/TiffCodec.h"

using namespace imgtest;

namespace {

std::vector<std::pair<std::string, Bytes>> SampleFiles() {
    std::vector<std::pair<std::string, Bytes>> files;
    Picture p;
    files.emplace_back("bmp", MakeBmp(BmpKind::Rgb24, 40, 30, p));
    files.emplace_back("bmp rle8", MakeBmp(BmpKind::Rle8, 40, 30, p));
    files.emplace_back("bmp rle4", MakeBmp(BmpKind::Rle4, 40, 30, p));
    files.emplace_back("pcx", MakePcx(PcxKind::Planes24, 40, 30, p));
    files.emplace_back("tga rle", MakeTga({10, 32, false, true}, 40, 30, p));
    files.emplace_back("tga", MakeTga({2, 24, false, false}, 40, 30, p));
    files.emplace_back("photocd", MakePhotoCd(p));
    Picture q = Pattern(40, 30, true);
    img::VectorSink jpeg, protectedJpeg;
    img::EncodeJpeg(RasterOf(q), img::JpegContent::Colour, 90, jpeg);
    img::EncodeProtectedJpeg(RasterOf(q), 90, protectedJpeg);
    files.emplace_back("jpeg", jpeg.bytes);
    files.emplace_back("protected jpeg", protectedJpeg.bytes);
    img::EncodeTiff(RasterOf(q), "robust.tif");
    files.emplace_back("tiff", ReadFile("robust.tif"));
    return files;
}

}  // namespace

TEST(Robustness, TruncatedFilesFailCleanly) {
    for (const auto& [name, file] : SampleFiles()) {
        for (size_t cut : {size_t{0}, size_t{2}, size_t{20}, file.size() / 2, file.size() * 3 / 4}) {
            SCOPED_TRACE(name + " cut at " + std::to_string(cut));
            Bytes truncated(file.begin(), file.begin() + static_cast<ptrdiff_t>(cut));
            Picture got;
            EXPECT_FALSE(DecodeBytes(truncated, 1, 4, got));
        }
    }
}

TEST(Robustness, SidesBeyondTheLimitAreRefusedBeforeDecoding) {
    Picture p;
    // BMP: 16385 wide in the header (the rows are not even there).
    Bytes bmp = MakeBmp(BmpKind::Rgb24, 4, 4, p);
    bmp[18] = 0x01;
    bmp[19] = 0x40;  // 16385
    Picture got;
    EXPECT_FALSE(DecodeBytes(bmp, 1, 3, got));
    // TGA: 16385 high.
    Bytes tga = MakeTga({2, 24, false, false}, 4, 4, p);
    tga[14] = 0x01;
    tga[15] = 0x40;
    EXPECT_FALSE(DecodeBytes(tga, 1, 3, got));
    // JPEG: the frame header says 16385 wide.
    Picture small = Pattern(8, 8, false);
    img::VectorSink jpeg;
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(small), img::JpegContent::Colour, 90, jpeg));
    for (size_t i = 0; i + 8 < jpeg.bytes.size(); ++i) {
        if (jpeg.bytes[i] == 0xFF && jpeg.bytes[i + 1] == 0xC0) {
            jpeg.bytes[i + 7] = 0x40;
            jpeg.bytes[i + 8] = 0x01;
            break;
        }
    }
    EXPECT_FALSE(DecodeBytes(jpeg.bytes, 1, 3, got));
    // PCX: 16385 wide.
    Bytes pcx = MakePcx(PcxKind::Planes24, 4, 4, p);
    pcx[8] = 0x00;
    pcx[9] = 0x40;
    EXPECT_FALSE(DecodeBytes(pcx, 1, 3, got));
}

TEST(Robustness, UnknownDataIsNotAcceptedByAnyFormat) {
    img::ImageInfo info;
    Bytes text(2000, 'x');
    img::MemorySource source(text);
    EXPECT_EQ(img::OpenDecoder(source, info), nullptr);
    Bytes empty;
    img::MemorySource none(empty);
    EXPECT_EQ(img::OpenDecoder(none, info), nullptr);
    img::ImageFile missing;
    EXPECT_FALSE(missing.Open("no such file.jpg"));
}

// A JPEG whose first half another JPEG's bytes overwrote (a program writing
// it in place, caught half way): libjpeg reads on past the splice with
// warnings, which the decoder reports; a whole one reports none.
TEST(Robustness, DamageReadPastInAJpegIsReported) {
    Picture first = Pattern(160, 120, false, 1), second = Blank(160, 120, false);
    // Another picture, of noise: its data runs out of step with the first's.
    uint32_t noise = 12345;
    for (int32_t y = 0; y < second.height; ++y)
        for (int32_t x = 0; x < second.width; ++x) {
            noise = noise * 1103515245u + 12345u;
            SetPixel(second, x, y, static_cast<uint8_t>(noise >> 8), static_cast<uint8_t>(noise >> 16),
                     static_cast<uint8_t>(noise >> 24), 255);
        }
    img::VectorSink old, written;
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(first), img::JpegContent::Colour, 90, old));
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(second), img::JpegContent::Colour, 90, written));
    Bytes spliced = old.bytes;
    std::copy_n(written.bytes.begin(), std::min(spliced.size(), written.bytes.size()) / 2, spliced.begin());
    // A later JFIF revision is a note on the format, not damage.
    Bytes newerRevision = old.bytes;
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(&newerRevision[6]), 4), "JFIF");
    newerRevision[11] = 2;
    const struct {
        const char* name;
        const Bytes& bytes;
        bool damaged;
    } cases[] = {{"whole", old.bytes, false}, {"spliced", spliced, true}, {"newer JFIF revision", newerRevision, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        img::MemorySource source(c.bytes);
        img::ImageInfo info;
        auto decoder = img::OpenDecoder(source, info);
        ASSERT_NE(decoder, nullptr);
        img::OwnedRaster raster(info.width, info.height, 3);
        const bool decoded = decoder->Decode(raster.View(), 1);
        EXPECT_EQ(decoded && !decoder->Complained(), !c.damaged);
    }
}

TEST(Robustness, EncodersRefuseBadArguments) {
    Picture p = Pattern(4, 4, false);
    img::VectorSink sink;
    EXPECT_FALSE(img::EncodeJpeg(RasterOf(p), img::JpegContent::Colour, 0, sink));
    EXPECT_FALSE(img::EncodeJpeg(RasterOf(p), img::JpegContent::Colour, 101, sink));
    img::OwnedRaster three(4, 4, 3);
    EXPECT_FALSE(img::EncodeJpeg(three.View(), img::JpegContent::Alpha, 90, sink));
    EXPECT_FALSE(img::EncodeTiff(RasterOf(p), "no such folder/x.tif"));
}

TEST(Robustness, EmptyColourMapOfATrueColourTgaIsHarmless) {
    Picture expected;
    Bytes tga = MakeTga({2, 24, false, false}, 9, 5, expected);
    tga[1] = 1;   // a colour map present...
    tga[5] = 0;   // ...with no entries
    tga[6] = 0;
    tga[7] = 24;
    Picture got;
    ASSERT_TRUE(DecodeBytes(tga, 1, 3, got));
    EXPECT_EQ(MaxDifference(got, expected, false), 0);
}
