#include "imagelib/ImageFile.h"

#include <algorithm>

#include "imagelib/BmpDecoder.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/PcxDecoder.h"
#include "imagelib/PhotoCdDecoder.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/TgaDecoder.h"
#include "imagelib/ThumbnailTrailer.h"
#include "imagelib/TiffCodec.h"

namespace img {

namespace {

template <class Decoder>
bool TryFormat(ByteSource& source, ImageInfo& info, std::unique_ptr<ImageDecoder>& out) {
    if (!Decoder::Probe(source)) return false;
    std::unique_ptr<ImageDecoder> decoder(new Decoder(source));
    if (!decoder->ReadInfo(info)) return false;
    out = std::move(decoder);
    return true;
}

}  // namespace

std::unique_ptr<ImageDecoder> OpenDecoder(ByteSource& source, ImageInfo& info) {
    std::unique_ptr<ImageDecoder> decoder;
    TryFormat<ProtectedJpegDecoder>(source, info, decoder) || TryFormat<JpegDecoder>(source, info, decoder) ||
        TryFormat<BmpDecoder>(source, info, decoder) || TryFormat<PcxDecoder>(source, info, decoder) ||
        TryFormat<TgaDecoder>(source, info, decoder) || TryFormat<PhotoCdDecoder>(source, info, decoder) ||
        TryFormat<TiffDecoder>(source, info, decoder);
    return decoder;
}

bool ImageFile::Open(const std::string& path) {
    decoder_.reset();
    original_.reset();
    if (!file_.Open(path)) return false;
    original_.reset(new SubSource(file_, 0, OriginalLength(file_)));
    decoder_ = OpenDecoder(*original_, info_);
    return decoder_ != nullptr;
}

int32_t ChooseReduction(int32_t longerSide, int32_t target) {
    for (int32_t r = 1; r < 8; r *= 2) {
        if (int64_t{longerSide} <= int64_t{target} * r) return r;
    }
    return 8;
}

int32_t ChooseTrailerReduction(int32_t width, int32_t height, int32_t maxSize) {
    int64_t limit = std::max(maxSize, 1);
    int32_t r = 1;
    while (r < kMaxSide && (width > limit * r || height > limit * r)) r *= 2;
    return r;
}

void FitLongerSide(int32_t width, int32_t height, int32_t target, int32_t& fitWidth, int32_t& fitHeight) {
    int32_t longer = std::max(width, height);
    auto scaled = [&](int32_t side) {
        return std::max<int32_t>(1, static_cast<int32_t>((int64_t{side} * target + longer / 2) / longer));
    };
    fitWidth = width >= height ? target : scaled(width);
    fitHeight = width >= height ? scaled(height) : target;
}

}  // namespace img
