// JPEG reading and writing through libjpeg. Errors never end the process: the
// library's error exit jumps back here and the call fails. Reductions use the
// library's scaled decoding (1/2, 1/4, 1/8); larger powers of two average the
// 1/8 result further.
#ifndef SPAB_IMAGELIB_JPEGCODEC_H
#define SPAB_IMAGELIB_JPEGCODEC_H

#include <cstdint>
#include <memory>

#include "imagelib/ByteSink.h"
#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"
#include "imagelib/KeyStream.h"

namespace img {

class JpegDecoder : public ImageDecoder {
public:
    // Reads the stream from `offset` of the source to its end; with a key
    // stream, every byte is XORed with it first (the protected format).
    JpegDecoder(ByteSource& source, uint64_t offset = 0, const KeyStream* key = nullptr);
    ~JpegDecoder() override;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    static bool Probe(ByteSource& source);

    bool ReadInfo(ImageInfo& info) override;
    bool Decode(const Raster& target, int32_t reduction) override;
    // Any warning of libjpeg since the header was read.
    bool Complained() const override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

enum class JpegContent {
    Colour,  // three components from the B, G, R channels
    Alpha,   // one grey component from the fourth channel
};

// quality 1..100. Answers false when the sink fails or the raster does not
// have the channel asked for.
bool EncodeJpeg(const Raster& source, JpegContent content, int32_t quality, ByteSink& sink);

}  // namespace img

#endif
