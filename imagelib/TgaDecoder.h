// TGA pictures of types 1, 2, 3 and their run-length forms 9, 10, 11; 8, 15,
// 16, 24 and 32 bits; either row order and direction; alpha from the
// descriptor's attribute bits unless the footer's extension area says none.
#ifndef SPAB_IMAGELIB_TGADECODER_H
#define SPAB_IMAGELIB_TGADECODER_H

#include <cstdint>
#include <vector>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

class TgaDecoder : public ImageDecoder {
public:
    explicit TgaDecoder(ByteSource& source) : source_(source) {}
    // TGA has no magic number: the probe checks that the header is consistent.
    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;

private:
    void ToBgra(const uint8_t* stored, uint8_t* bgra) const;
    bool FooterDeniesAlpha() const;

    ByteSource& source_;
    ImageInfo info_;
    int32_t type_ = 0;
    int32_t bytesPerPixel_ = 0;
    int32_t depth_ = 0;
    bool topDown_ = false;
    bool rightToLeft_ = false;
    uint64_t pixelOffset_ = 0;
    std::vector<uint32_t> colorMap_;  // 0xAARRGGBB
    int32_t colorMapFirst_ = 0;
};

}  // namespace img

#endif
