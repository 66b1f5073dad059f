// Small generated pictures and files in every format the image library reads,
// with the pixels each should decode to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imagelib/ImageDecoder.h"
#include "imagelib/Raster.h"

namespace imgtest {

using Bytes = std::vector<uint8_t>;

// Expected pixels: BGRA, top row first.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    bool hasAlpha = false;
    std::vector<uint8_t> bgra;

    const uint8_t* At(int32_t x, int32_t y) const { return &bgra[(static_cast<size_t>(y) * width + x) * 4]; }
    uint8_t* At(int32_t x, int32_t y) { return &bgra[(static_cast<size_t>(y) * width + x) * 4]; }
};

// An opaque white picture, and one pixel of a picture set.
Picture Blank(int32_t width, int32_t height, bool alpha);
void SetPixel(Picture& p, int32_t x, int32_t y, uint8_t b, uint8_t g, uint8_t r, uint8_t a);

// A picture with a varied colour pattern (and alpha when asked).
Picture Pattern(int32_t width, int32_t height, bool alpha, uint32_t seed = 1);
// A picture whose pixels are entries of a palette; indices kept beside.
struct IndexedPicture {
    Picture picture;
    std::vector<uint8_t> indices;     // top row first
    std::vector<uint32_t> palette;    // 0x00RRGGBB
};
IndexedPicture IndexedPattern(int32_t width, int32_t height, int32_t colours);

// The box-averaged picture at 1/reduction, as the decoders reduce.
Picture Reduce(const Picture& p, int32_t reduction);

// A raster view over a picture's pixels (4 channels).
img::Raster RasterOf(Picture& p);
// A copy of the picture with 3 or 4 channels.
img::OwnedRaster ToRaster(const Picture& p, int32_t channels);

// Decodes bytes with the library's probing; false when nothing accepts them
// or decoding fails. channels 3 or 4.
bool DecodeBytes(const Bytes& bytes, int32_t reduction, int32_t channels, Picture& out, img::ImageInfo* info = nullptr);

// Largest difference of any channel (alpha only when both have it and
// compareAlpha).
int MaxDifference(const Picture& a, const Picture& b, bool compareAlpha = true);
// Mean absolute difference of the colour channels, for lossy formats.
double MeanDifference(const Picture& a, const Picture& b);

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);

// ---- file builders ----
enum class BmpKind { Rgb24, TopDown24, Core24, Rgb32, Alpha32V5, Bits565, Bits555, Pal8, Pal4, Pal1, Rle8, Rle4 };
Bytes MakeBmp(BmpKind kind, int32_t width, int32_t height, Picture& expected);
// A BMP with a palette (0x00RRGGBB) and the stored rows (bottom row first, or
// run-length data) as given.
Bytes MakeIndexedBmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                     const std::vector<uint32_t>& palette, const Bytes& rows);

enum class PcxKind { Pal8, Planes24, Planes32, Mono, Ega16, Nibbles16 };
Bytes MakePcx(PcxKind kind, int32_t width, int32_t height, Picture& expected);

struct TgaKind {
    int type;       // 1, 2, 3, 9, 10, 11
    int depth;      // 8, 15, 16, 24, 32
    bool topDown;
    bool alphaBits; // attribute bits set
    bool footerNoAlpha = false;  // extension area says "no alpha"
    bool rightToLeft = false;
    int mapBits = 24;  // colour map entries: 16, 24 or 32 bits
};
Bytes MakeTga(const TgaKind& kind, int32_t width, int32_t height, Picture& expected);

// A PhotoCD image pack with constant colour differences and varying luma;
// orientation 0 to 3 (the expected picture is turned upright accordingly).
Bytes MakePhotoCd(Picture& expected, int orientation = 0);
}  // namespace imgtest
