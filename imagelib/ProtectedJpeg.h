// The protected JPEG format: a JPEG stream that ordinary viewers cannot show.
//
//   offset  size  content
//   0       8     magic "SPABJPGP"
//   8       4     format version, little-endian, 1
//   12      4     key seed, little-endian
//   16      ...   the JPEG stream (from its FF D8 to its FF D9), every byte
//                 XORed with the KeyStream started from the seed
//
// Anything after the stream is ignored, as for plain JPEG files.
#ifndef SPAB_IMAGELIB_PROTECTEDJPEG_H
#define SPAB_IMAGELIB_PROTECTEDJPEG_H

#include <cstdint>
#include <memory>

#include "imagelib/ByteSink.h"
#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

constexpr uint32_t kProtectedJpegHeaderSize = 16;
constexpr uint32_t kProtectedJpegVersion = 1;

class ProtectedJpegDecoder : public ImageDecoder {
public:
    explicit ProtectedJpegDecoder(ByteSource& source) : source_(source) {}
    ~ProtectedJpegDecoder() override;
    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;
    bool Complained() const override { return jpeg_ && jpeg_->Complained(); }

private:
    ByteSource& source_;
    std::unique_ptr<ImageDecoder> jpeg_;
};

// Writes the header and the scrambled colour JPEG of the raster.
bool EncodeProtectedJpeg(const Raster& source, int32_t quality, ByteSink& sink);

}  // namespace img

#endif
