// TIFF reading and writing through libtiff; its warnings and errors are
// reported as image library warnings. 8-bit contiguous RGB, grey and palette
// pictures (strips or tiles) are read into our own buffers; every other layout
// (planes, 16 bits, CMYK, YCbCr ...) goes through libtiff's RGBA reader in
// bands of rows.
#ifndef SPAB_IMAGELIB_TIFFCODEC_H
#define SPAB_IMAGELIB_TIFFCODEC_H

#include <cstdint>
#include <string>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

class TiffDecoder : public ImageDecoder {
public:
    explicit TiffDecoder(ByteSource& source) : source_(source) {}
    ~TiffDecoder() override;
    TiffDecoder(const TiffDecoder&) = delete;
    TiffDecoder& operator=(const TiffDecoder&) = delete;

    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;
    // libtiff's errors or warnings while the pixels were read (those of the
    // header, such as tags it does not know, say nothing of the pixels).
    bool Complained() const override { return complained_; }

    // libtiff's client callbacks reach the source through this.
    ByteSource& Source() { return source_; }
    uint64_t position = 0;

private:
    bool DecodeContiguous(class RowReducer& reducer);
    void ConvertSamples(const uint8_t* line, uint8_t* bgra) const;
    bool DecodeThroughRgba(class RowReducer& reducer);

    ByteSource& source_;
    void* tiff_ = nullptr;  // TIFF*
    ImageInfo info_;
    uint16_t photometric_ = 0;
    uint16_t samples_ = 0;
    uint16_t alphaKind_ = 0;  // EXTRASAMPLE_* of the fourth (or second) sample
    bool contiguousLayout_ = false;
    bool complained_ = false;
    uint16_t* mapR_ = nullptr;  // palette, owned by libtiff
    uint16_t* mapG_ = nullptr;
    uint16_t* mapB_ = nullptr;
};

// Writes 8-bit RGB, or RGBA with unassociated alpha when the raster has four
// channels, LZW compressed.
bool EncodeTiff(const Raster& source, const std::string& path);

}  // namespace img

#endif
