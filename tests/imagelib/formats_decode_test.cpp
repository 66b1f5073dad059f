// Every reader on generated files of every variant, at every reduction and
// with three and four channels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "TestPictures.h"
#include "imagelib/ByteSink.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/ProtectedJpeg.h"

using namespace imgtest;

namespace {

struct FormatCase {
    std::string name;
    std::function<Bytes(Picture&)> make;
    int maxDifference;  // per channel, for lossless formats
};

std::vector<FormatCase> LosslessCases() {
    std::vector<FormatCase> cases;
    const struct {
        const char* name;
        BmpKind kind;
    } bmps[] = {{"bmp rgb24", BmpKind::Rgb24},     {"bmp top-down", BmpKind::TopDown24},
                {"bmp os2 core", BmpKind::Core24}, {"bmp rgb32", BmpKind::Rgb32},
                {"bmp alpha v5", BmpKind::Alpha32V5}, {"bmp 565", BmpKind::Bits565},
                {"bmp 555", BmpKind::Bits555},     {"bmp pal8", BmpKind::Pal8},
                {"bmp pal4", BmpKind::Pal4},       {"bmp pal1", BmpKind::Pal1},
                {"bmp rle8", BmpKind::Rle8},       {"bmp rle4", BmpKind::Rle4}};
    for (const auto& b : bmps) {
        BmpKind kind = b.kind;
        cases.push_back({b.name, [kind](Picture& e) { return MakeBmp(kind, 37, 23, e); }, 0});
    }
    const struct {
        const char* name;
        PcxKind kind;
    } pcxs[] = {{"pcx pal8", PcxKind::Pal8},
                {"pcx 24-bit planes", PcxKind::Planes24},
                {"pcx 32-bit planes", PcxKind::Planes32},
                {"pcx mono", PcxKind::Mono},
                {"pcx ega16", PcxKind::Ega16},
                {"pcx 4-bit single plane", PcxKind::Nibbles16}};
    for (const auto& p : pcxs) {
        PcxKind kind = p.kind;
        cases.push_back({p.name, [kind](Picture& e) { return MakePcx(kind, 37, 23, e); }, 0});
    }
    const struct {
        const char* name;
        TgaKind kind;
    } tgas[] = {
        {"tga mapped", {1, 8, false, false}},
        {"tga mapped rle", {9, 8, true, false}},
        {"tga mapped 16-bit entries", {1, 8, false, false, false, false, 16}},
        {"tga mapped 16-bit entries with alpha", {1, 8, false, true, false, false, 16}},
        {"tga mapped 32-bit entries with alpha", {9, 8, false, true, false, false, 32}},
        {"tga mapped 32-bit entries without alpha bits", {1, 8, true, false, false, false, 32}},
        {"tga rgb24", {2, 24, false, false}},
        {"tga rgb24 top-down", {2, 24, true, false}},
        {"tga rgb24 right-to-left", {2, 24, false, false, false, true}},
        {"tga rgb32 alpha", {2, 32, false, true}},
        {"tga rgb32 without alpha bits", {2, 32, false, false}},
        {"tga rgb32 footer denies alpha", {2, 32, false, true, true}},
        {"tga rgb16 alpha bit", {2, 16, true, true}},
        {"tga rgb15", {2, 15, false, false}},
        {"tga rle24", {10, 24, false, false}},
        {"tga rle32 alpha", {10, 32, true, true}},
        {"tga grey", {3, 8, false, false}},
        {"tga grey alpha", {3, 16, false, true}},
        {"tga grey rle", {11, 8, true, false}},
    };
    for (const auto& t : tgas) {
        TgaKind kind = t.kind;
        cases.push_back({t.name, [kind](Picture& e) { return MakeTga(kind, 37, 23, e); }, 0});
    }
    for (int orientation = 0; orientation < 4; ++orientation) {
        cases.push_back({"photocd turned " + std::to_string(orientation),
                         [orientation](Picture& e) { return MakePhotoCd(e, orientation); }, 1});
    }
    return cases;
}

}  // namespace

TEST(FormatDecoding, LosslessFormatsDecodeExactlyAtEveryReductionAndChannelCount) {
    for (const FormatCase& c : LosslessCases()) {
        Picture expected;
        Bytes file = c.make(expected);
        for (int32_t reduction : {1, 2, 4, 8}) {
            Picture want = Reduce(expected, reduction);
            for (int32_t channels : {3, 4}) {
                SCOPED_TRACE(c.name + " reduction " + std::to_string(reduction) + " channels " +
                             std::to_string(channels));
                Picture got;
                img::ImageInfo info;
                ASSERT_TRUE(DecodeBytes(file, reduction, channels, got, &info));
                EXPECT_EQ(info.width, expected.width);
                EXPECT_EQ(info.height, expected.height);
                EXPECT_EQ(info.hasAlpha, expected.hasAlpha);
                EXPECT_LE(MaxDifference(got, want, channels == 4), c.maxDifference);
            }
        }
    }
}

TEST(FormatDecoding, RleBitmapDeltasAndEarlyLineEndsLeavePaletteEntryZero) {
    // 4 x 3, 8-bit RLE: the bottom row = 1 1 then end of line; in the middle
    // row a delta moves two right; then 2 and end of bitmap.
    const Bytes rle = {2, 1, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1};
    Picture got;
    ASSERT_TRUE(DecodeBytes(MakeIndexedBmp(4, 3, 8, 1, {0x000000, 0xFF0000, 0x0000FF}, rle), 1, 3, got));
    const uint8_t red = 2, blue = 0;
    // Bottom row red red black; the delta lands at x 2 of the middle row; the
    // top row was never given: entry 0.
    const struct {
        int x, y;
        uint8_t channel, value;
    } pixels[] = {{0, 2, red, 255},  {1, 2, red, 255}, {2, 2, red, 0}, {2, 1, blue, 255},
                  {1, 1, blue, 0},   {3, 1, blue, 0},  {0, 0, red, 0}, {0, 0, blue, 0}};
    for (const auto& p : pixels) EXPECT_EQ(got.At(p.x, p.y)[p.channel], p.value) << p.x << "," << p.y;
}

TEST(FormatDecoding, JpegDecodesCloseToThePictureAtEveryReduction) {
    Picture expected = Pattern(90, 61, false);
    // A smooth picture: the pattern's third channel is noisy, so flatten it.
    for (int32_t y = 0; y < expected.height; ++y)
        for (int32_t x = 0; x < expected.width; ++x) expected.At(x, y)[2] = static_cast<uint8_t>((x + y) * 2);
    img::VectorSink sink;
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(expected), img::JpegContent::Colour, 95, sink));
    for (int32_t reduction : {1, 2, 4, 8, 16}) {
        Picture want = Reduce(expected, reduction);
        for (int32_t channels : {3, 4}) {
            SCOPED_TRACE("reduction " + std::to_string(reduction));
            Picture got;
            img::ImageInfo info;
            if (reduction == 16) {
                // Beyond 1/8 only the JPEG reader itself goes.
                img::MemorySource source(sink.bytes);
                img::JpegDecoder decoder(source);
                ASSERT_TRUE(decoder.ReadInfo(info));
                img::OwnedRaster r(img::ReducedSide(90, 16), img::ReducedSide(61, 16), channels);
                ASSERT_TRUE(decoder.Decode(r.View(), 16));
                EXPECT_EQ(r.View().width, want.width);
                continue;
            }
            ASSERT_TRUE(DecodeBytes(sink.bytes, reduction, channels, got, &info));
            EXPECT_FALSE(info.hasAlpha);
            EXPECT_LT(MeanDifference(got, want), 4.0);
            if (channels == 4) {
                EXPECT_EQ(got.At(0, 0)[3], 255);
            }
        }
    }
}

// The codec lets libjpeg read and write the raster's channel order itself;
// the oracle is libjpeg's RGB (or grey) work with the channels turned round
// by hand: the bytes must be the same, for grey and colour files, every
// reduction, three and four channels.
std::vector<uint8_t> LibjpegBgr(const Bytes& file, int32_t scale, J_COLOR_SPACE space, int32_t& w, int32_t& h) {
    jpeg_decompress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&c, TRUE);
    c.scale_num = 1;
    c.scale_denom = static_cast<unsigned>(scale);
    c.out_color_space = space;
    jpeg_start_decompress(&c);
    w = static_cast<int32_t>(c.output_width);
    h = static_cast<int32_t>(c.output_height);
    const int n = c.output_components;
    std::vector<uint8_t> row(static_cast<size_t>(w) * n), bgr;
    while (c.output_scanline < c.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&c, rows, 1);
        for (int32_t x = 0; x < w; ++x)
            for (int k = 2; k >= 0; --k) bgr.push_back(row[static_cast<size_t>(x) * n + (n == 1 ? 0 : k)]);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    return bgr;
}

// A JPEG made by libjpeg itself from rows that 'fill' writes.
Bytes LibjpegCompress(int32_t width, int32_t height, int components, J_COLOR_SPACE space, int quality,
                      const std::function<void(int32_t y, uint8_t* row)>& fill) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * components);
    while (c.next_scanline < c.image_height) {
        fill(static_cast<int32_t>(c.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    Bytes bytes(out, out + size);
    std::free(out);
    jpeg_destroy_compress(&c);
    return bytes;
}

Bytes LibjpegFromRgb(const Picture& p, int quality) {
    return LibjpegCompress(p.width, p.height, 3, JCS_RGB, quality, [&p](int32_t y, uint8_t* row) {
        for (int32_t x = 0; x < p.width; ++x)
            for (int k = 0; k < 3; ++k) row[static_cast<size_t>(x) * 3 + k] = p.At(x, y)[2 - k];
    });
}

TEST(FormatDecoding, JpegCodecGivesLibjpegsOwnRgbBytesInTheRastersOrder) {
    for (bool alpha : {false, true}) {
        Picture picture = Pattern(83, 45, alpha);
        img::VectorSink colour, grey;
        ASSERT_TRUE(img::EncodeJpeg(RasterOf(picture), img::JpegContent::Colour, 90, colour));
        EXPECT_EQ(colour.bytes, LibjpegFromRgb(picture, 90)) << "alpha " << alpha;
        if (!alpha) continue;
        ASSERT_TRUE(img::EncodeJpeg(RasterOf(picture), img::JpegContent::Alpha, 90, grey));
        for (const Bytes* file : {&colour.bytes, &grey.bytes})
            for (int32_t reduction : {1, 2, 4, 8})
                for (int32_t channels : {3, 4}) {
                    SCOPED_TRACE("reduction " + std::to_string(reduction) + ", " + std::to_string(channels) +
                                 " channels, " + (file == &grey.bytes ? "grey" : "colour"));
                    int32_t w = 0, h = 0;
                    const std::vector<uint8_t> want =
                        LibjpegBgr(*file, reduction, file == &grey.bytes ? JCS_GRAYSCALE : JCS_RGB, w, h);
                    img::MemorySource source(*file);
                    img::JpegDecoder decoder(source);
                    img::ImageInfo info;
                    ASSERT_TRUE(decoder.ReadInfo(info));
                    img::OwnedRaster got(w, h, channels);
                    ASSERT_TRUE(decoder.Decode(got.View(), reduction));
                    for (int32_t y = 0; y < h; ++y)
                        for (int32_t x = 0; x < w; ++x) {
                            const uint8_t* g = got.View().Row(y) + static_cast<size_t>(x) * channels;
                            const uint8_t* e = &want[(static_cast<size_t>(y) * w + x) * 3];
                            ASSERT_TRUE(g[0] == e[0] && g[1] == e[1] && g[2] == e[2]) << x << "," << y;
                            if (channels == 4) {
                                ASSERT_EQ(g[3], 255);
                            }
                        }
                }
    }
}

TEST(FormatDecoding, ProtectedJpegRoundTripsAndIsNotAPlainJpeg) {
    Picture expected = Pattern(40, 30, false);
    img::VectorSink sink;
    ASSERT_TRUE(img::EncodeProtectedJpeg(RasterOf(expected), 90, sink));
    img::MemorySource source(sink.bytes);
    EXPECT_TRUE(img::ProtectedJpegDecoder::Probe(source));
    EXPECT_FALSE(img::JpegDecoder::Probe(source));
    // No JPEG start-of-image marker anywhere near the start.
    for (size_t i = 0; i + 1 < 64; ++i) EXPECT_FALSE(sink.bytes[i] == 0xFF && sink.bytes[i + 1] == 0xD8);
    img::VectorSink plain;
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(expected), img::JpegContent::Colour, 90, plain));
    Picture fromProtected, fromPlain;
    for (int32_t reduction : {1, 2, 4, 8}) {
        ASSERT_TRUE(DecodeBytes(sink.bytes, reduction, 3, fromProtected));
        ASSERT_TRUE(DecodeBytes(plain.bytes, reduction, 3, fromPlain));
        EXPECT_EQ(MaxDifference(fromProtected, fromPlain), 0);
    }
}

TEST(FormatDecoding, JpegOfAnAlphaPictureHasThreeComponentsAndAlphaStreamIsGrey) {
    Picture expected = Pattern(33, 17, true);
    img::VectorSink colour, alpha;
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(expected), img::JpegContent::Colour, 90, colour));
    ASSERT_TRUE(img::EncodeJpeg(RasterOf(expected), img::JpegContent::Alpha, 100, alpha));
    Picture grey;
    ASSERT_TRUE(DecodeBytes(alpha.bytes, 1, 3, grey));
    double sum = 0;
    for (int32_t y = 0; y < 17; ++y)
        for (int32_t x = 0; x < 33; ++x) {
            EXPECT_EQ(grey.At(x, y)[0], grey.At(x, y)[2]);
            sum += std::abs(grey.At(x, y)[0] - expected.At(x, y)[3]);
        }
    EXPECT_LT(sum / (33 * 17), 3.0);
}

TEST(FormatDecoding, CmykJpegsFromPrintProgramsBecomeRgb) {
    // Print programs store CMYK inverted (255 - ink) with an Adobe marker,
    // which the library writes for CMYK on its own.
    const struct {
        uint8_t c, m, y, k;  // ink
        uint8_t b, g, r;
    } colours[] = {{0, 0, 0, 0, 255, 255, 255}, {255, 0, 0, 0, 255, 255, 0}, {0, 0, 0, 255, 0, 0, 0},
                   {0, 255, 255, 0, 0, 0, 255}};
    for (const auto& colour : colours) {
        const Bytes bytes = LibjpegCompress(16, 16, 4, JCS_CMYK, 100, [&colour](int32_t, uint8_t* row) {
            for (int x = 0; x < 16; ++x) {
                row[4 * x] = static_cast<uint8_t>(255 - colour.c);
                row[4 * x + 1] = static_cast<uint8_t>(255 - colour.m);
                row[4 * x + 2] = static_cast<uint8_t>(255 - colour.y);
                row[4 * x + 3] = static_cast<uint8_t>(255 - colour.k);
            }
        });
        Picture got;
        ASSERT_TRUE(DecodeBytes(bytes, 1, 3, got));
        EXPECT_NEAR(got.At(8, 8)[0], colour.b, 3);
        EXPECT_NEAR(got.At(8, 8)[1], colour.g, 3);
        EXPECT_NEAR(got.At(8, 8)[2], colour.r, 3);
    }
}
