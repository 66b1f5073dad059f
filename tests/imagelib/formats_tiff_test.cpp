// TIFF: our own writer round trips, and files laid out by libtiff in the ways
// other programs write them decode to the same pixels.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <functional>

#include "TestPictures.h"
#include "imagelib/TiffCodec.h"

using namespace imgtest;

namespace {

// Writes a picture with libtiff in a given layout.
struct Layout {
    const char* name;
    uint16_t photometric;
    uint16_t samples;
    uint16_t extra;  // EXTRASAMPLE_* or 0xFFFF for none
    bool tiled;
    uint16_t planar;
    bool premultiplied;
};

Bytes WriteWithLibtiff(const Layout& l, Picture& p) {
    const char* path = "layout.tif";
    TIFF* t = TIFFOpen(path, "w");
    EXPECT_NE(t, nullptr);
    if (!t) return {};
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(p.width));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(p.height));
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, l.samples);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, l.photometric);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, l.planar);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    if (l.extra != 0xFFFF) {
        uint16_t kinds[1] = {l.extra};
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, kinds);
    }
    std::vector<uint16_t> r(256), g(256), b(256);
    if (l.photometric == PHOTOMETRIC_PALETTE) {
        for (int i = 0; i < 256; ++i) {
            r[i] = static_cast<uint16_t>(i * 257);
            g[i] = static_cast<uint16_t>((255 - i) * 257);
            b[i] = static_cast<uint16_t>((i * 7 % 256) * 257);
        }
        TIFFSetField(t, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    }
    // The samples of pixel (x, y), and the expected picture made to match.
    auto samplesAt = [&](int32_t x, int32_t y, uint8_t* out) {
        uint8_t* q = p.At(x, y);
        if (l.photometric == PHOTOMETRIC_PALETTE) {
            uint8_t i = q[1];
            out[0] = i;
            q[0] = static_cast<uint8_t>(b[i] >> 8);
            q[1] = static_cast<uint8_t>(g[i] >> 8);
            q[2] = static_cast<uint8_t>(r[i] >> 8);
            return;
        }
        if (l.photometric == PHOTOMETRIC_MINISBLACK) {
            out[0] = q[1];
            q[0] = q[2] = q[1];
            if (l.samples == 2) out[1] = q[3];
            return;
        }
        if (l.premultiplied) {
            // Premultiplied colours that divide back exactly: 255 alpha or 0 colour.
            q[3] = (x % 2) ? 255 : q[3];
            if (q[3] != 255) q[0] = q[1] = q[2] = 0;
        }
        out[0] = q[2];
        out[1] = q[1];
        out[2] = q[0];
        if (l.samples == 4) out[3] = q[3];
    };
    const int spp = l.samples;
    if (l.tiled) {
        TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
        std::vector<uint8_t> tile(16 * 16 * spp);
        for (int32_t ty = 0; ty < p.height; ty += 16)
            for (int32_t tx = 0; tx < p.width; tx += 16) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int32_t y = 0; y < 16 && ty + y < p.height; ++y)
                    for (int32_t x = 0; x < 16 && tx + x < p.width; ++x)
                        samplesAt(tx + x, ty + y, &tile[(y * 16 + x) * spp]);
                TIFFWriteTile(t, tile.data(), static_cast<uint32_t>(tx), static_cast<uint32_t>(ty), 0, 0);
            }
    } else if (l.planar == PLANARCONFIG_SEPARATE) {
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);
        std::vector<uint8_t> px(spp), line(p.width);
        for (int s = 0; s < spp; ++s)
            for (int32_t y = 0; y < p.height; ++y) {
                for (int32_t x = 0; x < p.width; ++x) {
                    samplesAt(x, y, px.data());
                    line[x] = px[s];
                }
                TIFFWriteScanline(t, line.data(), static_cast<uint32_t>(y), static_cast<uint16_t>(s));
            }
    } else {
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 4);
        std::vector<uint8_t> line(static_cast<size_t>(p.width) * spp);
        for (int32_t y = 0; y < p.height; ++y) {
            for (int32_t x = 0; x < p.width; ++x) samplesAt(x, y, &line[x * spp]);
            TIFFWriteScanline(t, line.data(), static_cast<uint32_t>(y), 0);
        }
    }
    TIFFClose(t);
    return ReadFile(path);
}

}  // namespace

TEST(TiffFormat, OwnWriterRoundTripsWithAndWithoutAlpha) {
    for (bool alpha : {false, true}) {
        Picture p = Pattern(45, 19, alpha);
        ASSERT_TRUE(img::EncodeTiff(ToRaster(p, alpha ? 4 : 3).View(), "own.tif"));
        Bytes file = ReadFile("own.tif");
        for (int32_t reduction : {1, 2, 4, 8}) {
            Picture got;
            img::ImageInfo info;
            ASSERT_TRUE(DecodeBytes(file, reduction, 4, got, &info));
            EXPECT_EQ(info.hasAlpha, alpha);
            EXPECT_EQ(MaxDifference(got, Reduce(p, reduction)), 0);
        }
    }
}

TEST(TiffFormat, LayoutsOfOtherWritersDecodeToTheSamePixels) {
    const Layout layouts[] = {
        {"rgb strips", PHOTOMETRIC_RGB, 3, 0xFFFF, false, PLANARCONFIG_CONTIG, false},
        {"rgba unassociated", PHOTOMETRIC_RGB, 4, EXTRASAMPLE_UNASSALPHA, false, PLANARCONFIG_CONTIG, false},
        {"rgba associated", PHOTOMETRIC_RGB, 4, EXTRASAMPLE_ASSOCALPHA, false, PLANARCONFIG_CONTIG, true},
        {"rgb plus an extra sample of no stated meaning", PHOTOMETRIC_RGB, 4, 0, false, PLANARCONFIG_CONTIG, false},
        {"grey", PHOTOMETRIC_MINISBLACK, 1, 0xFFFF, false, PLANARCONFIG_CONTIG, false},
        {"grey alpha", PHOTOMETRIC_MINISBLACK, 2, EXTRASAMPLE_UNASSALPHA, false, PLANARCONFIG_CONTIG, false},
        {"palette", PHOTOMETRIC_PALETTE, 1, 0xFFFF, false, PLANARCONFIG_CONTIG, false},
        {"rgb tiles", PHOTOMETRIC_RGB, 3, 0xFFFF, true, PLANARCONFIG_CONTIG, false},
        {"rgba associated tiles", PHOTOMETRIC_RGB, 4, EXTRASAMPLE_ASSOCALPHA, true, PLANARCONFIG_CONTIG, true},
        {"rgb planes", PHOTOMETRIC_RGB, 3, 0xFFFF, false, PLANARCONFIG_SEPARATE, false},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.name);
        bool alpha = l.extra == EXTRASAMPLE_ASSOCALPHA || l.extra == EXTRASAMPLE_UNASSALPHA;
        Picture expected = Pattern(37, 21, alpha || l.samples == 4);
        Bytes file = WriteWithLibtiff(l, expected);
        ASSERT_FALSE(file.empty());
        if (!alpha) {
            for (size_t i = 3; i < expected.bgra.size(); i += 4) expected.bgra[i] = 255;
        }
        expected.hasAlpha = alpha;
        for (int32_t reduction : {1, 2, 4, 8}) {
            Picture got;
            img::ImageInfo info;
            ASSERT_TRUE(DecodeBytes(file, reduction, 4, got, &info));
            EXPECT_EQ(info.hasAlpha, alpha);
            EXPECT_LE(MaxDifference(got, Reduce(expected, reduction)), reduction == 1 ? 0 : 1);
        }
    }
}
