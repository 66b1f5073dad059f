// PCX pictures: 1, 2 and 4 bits in 1 to 4 planes with the 16-colour header
// palette, 8 bits with the trailing 256-colour palette (grey without one),
// 24 bits in three planes and 32 bits in four (the fourth is alpha).
#ifndef SPAB_IMAGELIB_PCXDECODER_H
#define SPAB_IMAGELIB_PCXDECODER_H

#include <array>
#include <cstdint>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

class PcxDecoder : public ImageDecoder {
public:
    explicit PcxDecoder(ByteSource& source) : source_(source) {}
    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;

private:
    void ConvertRow(const uint8_t* planes, uint8_t* bgra) const;

    ByteSource& source_;
    ImageInfo info_;
    int32_t bits_ = 0;
    int32_t planes_ = 0;
    int32_t bytesPerLine_ = 0;
    std::array<uint32_t, 256> palette_{};  // 0x00RRGGBB
};

}  // namespace img

#endif
