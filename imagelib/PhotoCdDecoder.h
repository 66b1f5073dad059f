// PhotoCD image packs: the base picture (768 x 512) and the two smaller ones
// stored before it (384 x 256 and 192 x 128), which serve reductions 2 and 4
// directly, turned upright by the pack's orientation. The larger resolutions
// (Huffman coded) are not read.
#ifndef SPAB_IMAGELIB_PHOTOCDDECODER_H
#define SPAB_IMAGELIB_PHOTOCDDECODER_H

#include <cstdint>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

class PhotoCdDecoder : public ImageDecoder {
public:
    static constexpr int32_t kBaseWidth = 768;
    static constexpr int32_t kBaseHeight = 512;
    static constexpr uint64_t kBaseOffset = 0x30000;
    static constexpr uint64_t kBase4Offset = 0xB800;   // 384 x 256
    static constexpr uint64_t kBase16Offset = 0x2000;  // 192 x 128
    static constexpr uint64_t kSignatureOffset = 0x800;
    // Low two bits: quarter turns the picture needs, 1 counter-clockwise, 2
    // half a turn, 3 clockwise (portrait pictures are stored lying down).
    static constexpr uint64_t kOrientationOffset = 0xE02;
    // The whole base picture must be there.
    static constexpr uint64_t kMinimumSize = kBaseOffset + kBaseWidth * kBaseHeight * 3 / 2;

    explicit PhotoCdDecoder(ByteSource& source) : source_(source) {}
    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;

private:
    ByteSource& source_;
    int rotation_ = 0;
};

}  // namespace img

#endif
