// Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit
// field masks (with alpha when a mask gives one), bottom-up and top-down rows.
#ifndef SPAB_IMAGELIB_BMPDECODER_H
#define SPAB_IMAGELIB_BMPDECODER_H

#include <array>
#include <cstdint>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

class BmpDecoder : public ImageDecoder {
public:
    explicit BmpDecoder(ByteSource& source) : source_(source) {}
    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;

private:
    struct Mask {
        uint32_t mask = 0;
        int32_t shift = 0;
        uint32_t max = 0;
    };
    bool DecodeUncompressed(class RowReducer& reducer);
    bool DecodeRle(class RowReducer& reducer);
    void ConvertRow(const uint8_t* stored, uint8_t* bgra) const;
    void IndicesToBgra(const uint8_t* indices, uint8_t* bgra) const;
    static Mask MakeMask(uint32_t mask);
    static uint8_t Extract(uint32_t pixel, const Mask& m);

    ByteSource& source_;
    ImageInfo info_;
    int32_t bits_ = 0;
    uint32_t compression_ = 0;
    bool topDown_ = false;
    uint32_t pixelOffset_ = 0;
    uint32_t rowBytes_ = 0;
    Mask red_, green_, blue_, alpha_;
    std::array<uint32_t, 256> palette_{};  // 0xAARRGGBB
};

}  // namespace img

#endif
