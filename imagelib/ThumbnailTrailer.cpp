#include "imagelib/ThumbnailTrailer.h"

#include <algorithm>
#include <cstring>

#include "imagelib/ByteSink.h"
#include "imagelib/JpegCodec.h"

namespace img {

namespace {

constexpr char kMagic[8] = {'S', 'P', 'A', 'B', 'T', 'H', 'M', 'B'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kFlagAlpha = 1;
constexpr uint64_t kChecksumSpan = 65536;

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutLe64(uint8_t* p, uint64_t v) {
    PutLe32(p, static_cast<uint32_t>(v));
    PutLe32(p + 4, static_cast<uint32_t>(v >> 32));
}

struct Fnv1a {
    uint32_t hash = 2166136261u;
    void Add(const uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i) hash = (hash ^ p[i]) * 16777619u;
    }
};

bool AddRange(Fnv1a& fnv, ByteSource& source, uint64_t offset, uint64_t length) {
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (source.ReadAt(offset, bytes.data(), bytes.size()) != bytes.size()) return false;
    fnv.Add(bytes.data(), bytes.size());
    return true;
}

}  // namespace

bool ReadTrailerFooter(ByteSource& source, TrailerFooter& footer) {
    uint64_t size = source.Size();
    uint8_t f[kTrailerFooterSize];
    if (size < kTrailerFooterSize || source.ReadAt(size - kTrailerFooterSize, f, sizeof f) != sizeof f) return false;
    if (std::memcmp(f + 40, kMagic, 8) != 0 || Le32(f + 32) != kVersion) return false;
    footer.originalLength = Le64(f);
    footer.colourLength = Le32(f + 8);
    footer.alphaLength = Le32(f + 12);
    footer.width = static_cast<int32_t>(Le32(f + 16));
    footer.height = static_cast<int32_t>(Le32(f + 20));
    uint32_t flags = Le32(f + 24);
    footer.checksum = Le32(f + 28);
    if (footer.colourLength == 0 || ((flags & kFlagAlpha) != 0) != (footer.alphaLength != 0)) return false;
    if (!IsValidSide(footer.width) || !IsValidSide(footer.height)) return false;
    // Added up in 64 bits: the parts are at most 2^32 each, the original far less than 2^62.
    if (footer.originalLength > size) return false;
    return footer.originalLength + footer.colourLength + footer.alphaLength + kTrailerFooterSize == size;
}

uint32_t OriginalChecksum(ByteSource& source, uint64_t originalLength) {
    Fnv1a fnv;
    uint8_t length[8];
    PutLe64(length, originalLength);
    fnv.Add(length, 8);
    uint64_t head = std::min(originalLength, kChecksumSpan);
    uint64_t tail = std::min(originalLength, kChecksumSpan);
    if (!AddRange(fnv, source, 0, head) || !AddRange(fnv, source, originalLength - tail, tail)) return ~fnv.hash;
    return fnv.hash;
}

bool FindValidTrailer(ByteSource& source, TrailerFooter& footer) {
    return ReadTrailerFooter(source, footer) && OriginalChecksum(source, footer.originalLength) == footer.checksum;
}

uint64_t OriginalLength(ByteSource& source) {
    uint64_t length = source.Size();
    TrailerFooter footer;
    // Stale trailers can pile up when a changed picture gets a new one.
    for (;;) {
        SubSource part(source, 0, length);
        if (!ReadTrailerFooter(part, footer)) return length;
        length = footer.originalLength;
    }
}

bool BuildTrailer(const Raster& preview, ByteSource& file, std::vector<uint8_t>& trailer) {
    VectorSink colour, alpha;
    if (!EncodeJpeg(preview, JpegContent::Colour, kTrailerQuality, colour)) return false;
    if (preview.channels == 4 && !EncodeJpeg(preview, JpegContent::Alpha, kTrailerQuality, alpha)) return false;
    if (colour.bytes.size() > UINT32_MAX || alpha.bytes.size() > UINT32_MAX) return false;
    uint64_t originalLength = file.Size();
    uint8_t f[kTrailerFooterSize] = {};
    PutLe64(f, originalLength);
    PutLe32(f + 8, static_cast<uint32_t>(colour.bytes.size()));
    PutLe32(f + 12, static_cast<uint32_t>(alpha.bytes.size()));
    PutLe32(f + 16, static_cast<uint32_t>(preview.width));
    PutLe32(f + 20, static_cast<uint32_t>(preview.height));
    PutLe32(f + 24, alpha.bytes.empty() ? 0 : kFlagAlpha);
    PutLe32(f + 28, OriginalChecksum(file, originalLength));
    PutLe32(f + 32, kVersion);
    std::memcpy(f + 40, kMagic, 8);
    trailer = std::move(colour.bytes);
    trailer.insert(trailer.end(), alpha.bytes.begin(), alpha.bytes.end());
    trailer.insert(trailer.end(), f, f + sizeof f);
    return true;
}

bool DecodeTrailer(ByteSource& trailerFile, const TrailerFooter& footer, const Raster& target, int32_t reduction) {
    SubSource colourStream(trailerFile, footer.originalLength, footer.colourLength);
    JpegDecoder colour(colourStream);
    ImageInfo info;
    if (!colour.ReadInfo(info) || info.width != footer.width || info.height != footer.height) return false;
    if (!colour.Decode(target, reduction)) return false;
    if (target.channels != 4) return true;
    if (footer.alphaLength == 0) {
        for (int32_t y = 0; y < target.height; ++y) {
            uint8_t* p = target.Row(y);
            for (int32_t x = 0; x < target.width; ++x) p[4 * x + 3] = 255;
        }
        return true;
    }
    SubSource alphaStream(trailerFile, footer.originalLength + footer.colourLength, footer.alphaLength);
    JpegDecoder alpha(alphaStream);
    ImageInfo alphaInfo;
    if (!alpha.ReadInfo(alphaInfo) || alphaInfo.width != info.width || alphaInfo.height != info.height) return false;
    OwnedRaster grey(target.width, target.height, 3);
    if (!alpha.Decode(grey.View(), reduction)) return false;
    for (int32_t y = 0; y < target.height; ++y) {
        uint8_t* p = target.Row(y);
        const uint8_t* g = grey.View().Row(y);
        for (int32_t x = 0; x < target.width; ++x) p[4 * x + 3] = g[3 * x];
    }
    return true;
}

bool AppendToFile(const std::string& path, const std::vector<uint8_t>& bytes, uint64_t expectedLength) {
    FileSink sink;
    if (!sink.Open(path, true)) return false;
    // Two loaders previewing the same file at once must not both append.
    if (sink.Length() != static_cast<int64_t>(expectedLength)) return false;
    bool written = sink.Write(bytes.data(), bytes.size());
    return sink.Close() && written;
}

}  // namespace img
