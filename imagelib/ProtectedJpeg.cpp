#include "imagelib/ProtectedJpeg.h"

#include <cstring>

#include "imagelib/JpegCodec.h"

namespace img {

namespace {

constexpr char kMagic[8] = {'S', 'P', 'A', 'B', 'J', 'P', 'G', 'P'};
// Any seed works; a fixed one keeps saved files identical from run to run.
constexpr uint32_t kSeed = 0x5EA1ED01u;

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

ProtectedJpegDecoder::~ProtectedJpegDecoder() = default;

bool ProtectedJpegDecoder::Probe(ByteSource& source) {
    uint8_t head[kProtectedJpegHeaderSize];
    return source.ReadAt(0, head, sizeof head) == sizeof head && std::memcmp(head, kMagic, 8) == 0 &&
           Le32(head + 8) == kProtectedJpegVersion;
}

bool ProtectedJpegDecoder::ReadInfo(ImageInfo& info) {
    uint8_t head[kProtectedJpegHeaderSize];
    if (source_.ReadAt(0, head, sizeof head) != sizeof head || std::memcmp(head, kMagic, 8) != 0 ||
        Le32(head + 8) != kProtectedJpegVersion)
        return false;
    KeyStream key(Le32(head + 12));
    jpeg_.reset(new JpegDecoder(source_, kProtectedJpegHeaderSize, &key));
    return jpeg_->ReadInfo(info);
}

bool ProtectedJpegDecoder::Decode(const Raster& target, int32_t reduction) {
    return jpeg_ && jpeg_->Decode(target, reduction);
}

bool EncodeProtectedJpeg(const Raster& source, int32_t quality, ByteSink& sink) {
    uint8_t head[kProtectedJpegHeaderSize];
    std::memcpy(head, kMagic, 8);
    PutLe32(head + 8, kProtectedJpegVersion);
    PutLe32(head + 12, kSeed);
    if (!sink.Write(head, sizeof head)) return false;
    ScramblingSink scrambled(sink, kSeed);
    return EncodeJpeg(source, JpegContent::Colour, quality, scrambled);
}

}  // namespace img
