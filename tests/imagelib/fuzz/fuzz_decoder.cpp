// libFuzzer target for one reader, chosen at build time (FUZZ_FORMAT_*): the
// header, then the pixels at a reduction and channel count taken from the
// input's length.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "imagelib/BmpDecoder.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/PcxDecoder.h"
#include "imagelib/PhotoCdDecoder.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/TgaDecoder.h"
#include "imagelib/ThumbnailTrailer.h"
#include "imagelib/TiffCodec.h"

namespace {

#if defined(FUZZ_FORMAT_bmp)
using Decoder = img::BmpDecoder;
#elif defined(FUZZ_FORMAT_pcx)
using Decoder = img::PcxDecoder;
#elif defined(FUZZ_FORMAT_tga)
using Decoder = img::TgaDecoder;
#elif defined(FUZZ_FORMAT_photocd)
using Decoder = img::PhotoCdDecoder;
#elif defined(FUZZ_FORMAT_jpeg)
using Decoder = img::JpegDecoder;
#elif defined(FUZZ_FORMAT_protected)
using Decoder = img::ProtectedJpegDecoder;
#elif defined(FUZZ_FORMAT_tiff)
using Decoder = img::TiffDecoder;
#endif

// Keeps each run small: the readers accept 16384 x 16384, which takes 1 GiB.
constexpr int64_t kMaxPixels = int64_t{1} << 22;
// Run-length data can describe a huge picture in a few bytes; decoding one is
// sound but slow, and would starve the search.
[[maybe_unused]] constexpr int64_t kMaxSourcePixels = int64_t{1} << 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    img::MemorySource source(data, size);
    const int32_t channels = (size / 4) % 2 ? 4 : 3;
    int32_t reduction = 1 << (size % 4);
#if defined(FUZZ_FORMAT_trailer)
    img::TrailerFooter footer;
    img::OriginalLength(source);
    if (!img::ReadTrailerFooter(source, footer)) return 0;
    while (reduction < 8 && int64_t{img::ReducedSide(footer.width, reduction)} * img::ReducedSide(footer.height, reduction) > kMaxPixels)
        reduction *= 2;
    img::OwnedRaster out(img::ReducedSide(footer.width, reduction), img::ReducedSide(footer.height, reduction), channels);
    img::DecodeTrailer(source, footer, out.View(), reduction);
#else
    std::unique_ptr<img::ImageDecoder> decoder(new Decoder(source));
    img::ImageInfo info;
    if (!decoder->ReadInfo(info) || int64_t{info.width} * info.height > kMaxSourcePixels) return 0;
    while (reduction < 8 && int64_t{img::ReducedSide(info.width, reduction)} * img::ReducedSide(info.height, reduction) > kMaxPixels)
        reduction *= 2;
    const int32_t w = img::ReducedSide(info.width, reduction), h = img::ReducedSide(info.height, reduction);
    if (int64_t{w} * h > kMaxPixels) return 0;
    img::OwnedRaster out(w, h, channels);
    decoder->Decode(out.View(), reduction);
#endif
    return 0;
}
