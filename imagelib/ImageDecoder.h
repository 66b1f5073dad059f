// The common face of every file format reader: first the header (format check,
// size, alpha), then the pixels at a reduced size into a caller's raster.
#ifndef SPAB_IMAGELIB_IMAGEDECODER_H
#define SPAB_IMAGELIB_IMAGEDECODER_H

#include <cstdint>

#include "imagelib/Raster.h"

namespace img {

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // False when the data is not of this format or its header is unusable
    // (sizes beyond kMaxSide or beyond the data included).
    virtual bool ReadInfo(ImageInfo& info) = 0;
    // Decodes at 1/reduction (1, 2, 4 or 8; the JPEG reader takes any power of
    // two) into target, which is ReducedSide(width) x ReducedSide(height) with
    // 3 or 4 channels. Pictures without alpha get 255 in a fourth channel.
    // ReadInfo must have succeeded. False on corrupt or truncated data.
    virtual bool Decode(const Raster& target, int32_t reduction) = 0;
    // Whether reading went on past damage the decoder found in the data (a
    // JPEG's corrupt entropy data, a TIFF strip or tile that could not be read
    // as stored): the picture came out, though not as the file was meant to
    // hold it. Readings that must know a file is whole fail on it.
    virtual bool Complained() const { return false; }
};

inline bool IsValidReduction(int32_t reduction) {
    return reduction == 1 || reduction == 2 || reduction == 4 || reduction == 8;
}

}  // namespace img

#endif
