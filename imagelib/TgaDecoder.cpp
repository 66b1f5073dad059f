#include "imagelib/TgaDecoder.h"

#include <algorithm>
#include <cstring>

#include "imagelib/RowReducer.h"

namespace img {

namespace {

constexpr uint32_t kHeaderSize = 18;
constexpr uint32_t kFooterSize = 26;
constexpr char kFooterSignature[] = "TRUEVISION-XFILE.";
constexpr uint32_t kExtensionAlphaTypeOffset = 494;

bool IsColorMapped(int32_t type) { return type == 1 || type == 9; }
bool IsGrey(int32_t type) { return type == 3 || type == 11; }
bool IsRle(int32_t type) { return type >= 9; }

uint8_t Expand5(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }

uint32_t Decode16(uint32_t p, bool withAlpha) {
    uint32_t a = withAlpha ? ((p & 0x8000) ? 255u : 0u) : 255u;
    return (a << 24) | (uint32_t{Expand5((p >> 10) & 31)} << 16) | (uint32_t{Expand5((p >> 5) & 31)} << 8) |
           Expand5(p & 31);
}

bool HeaderConsistent(const uint8_t* h) {
    int32_t mapType = h[1];
    int32_t type = h[2];
    int32_t mapEntryBits = h[7];
    int32_t depth = h[16];
    if (mapType > 1) return false;
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11) return false;
    if (mapType == 1 && mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 && mapEntryBits != 32)
        return false;
    if (IsColorMapped(type)) return mapType == 1 && depth == 8 && Le16(h + 5) > 0;
    if (IsGrey(type)) return depth == 8 || depth == 16;
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

}  // namespace

bool TgaDecoder::Probe(ByteSource& source) {
    uint8_t h[kHeaderSize];
    return source.ReadAt(0, h, kHeaderSize) == kHeaderSize && HeaderConsistent(h) && Le16(h + 12) > 0 &&
           Le16(h + 14) > 0;
}

bool TgaDecoder::FooterDeniesAlpha() const {
    uint64_t size = source_.Size();
    uint8_t footer[kFooterSize];
    if (size < kHeaderSize + kFooterSize || source_.ReadAt(size - kFooterSize, footer, kFooterSize) != kFooterSize)
        return false;
    if (std::memcmp(footer + 8, kFooterSignature, sizeof kFooterSignature) != 0) return false;
    uint32_t extension = Le32(footer);
    if (extension == 0 || uint64_t{extension} + kExtensionAlphaTypeOffset >= size) return false;
    uint8_t alphaType = 0;
    if (source_.ReadAt(extension + kExtensionAlphaTypeOffset, &alphaType, 1) != 1) return false;
    return alphaType < 3;
}

bool TgaDecoder::ReadInfo(ImageInfo& info) {
    uint8_t h[kHeaderSize];
    if (source_.ReadAt(0, h, kHeaderSize) != kHeaderSize || !HeaderConsistent(h)) return false;
    type_ = h[2];
    depth_ = h[16];
    bytesPerPixel_ = (depth_ + 7) / 8;
    int32_t width = Le16(h + 12);
    int32_t height = Le16(h + 14);
    if (!IsValidSide(width) || !IsValidSide(height)) return false;
    int32_t attributeBits = h[17] & 15;
    rightToLeft_ = (h[17] & 0x10) != 0;
    topDown_ = (h[17] & 0x20) != 0;

    uint64_t offset = kHeaderSize + uint64_t{h[0]};
    colorMap_.clear();
    if (h[1] == 1) {
        colorMapFirst_ = Le16(h + 3);
        uint32_t count = Le16(h + 5);
        uint32_t entryBytes = (h[7] + 7u) / 8u;
        std::vector<uint8_t> raw(static_cast<size_t>(count) * entryBytes);
        if (source_.ReadAt(offset, raw.data(), raw.size()) != raw.size()) return false;
        offset += raw.size();
        if (IsColorMapped(type_)) {
            colorMap_.resize(count);
            for (uint32_t i = 0; i < count; ++i) {
                const uint8_t* e = &raw[i * entryBytes];
                if (entryBytes == 2) {
                    colorMap_[i] = Decode16(Le16(e), attributeBits > 0);
                } else {
                    uint32_t a = entryBytes == 4 && attributeBits > 0 ? e[3] : 255u;
                    colorMap_[i] = (a << 24) | (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
                }
            }
        }
    }
    pixelOffset_ = offset;
    uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    uint64_t minimum = IsRle(type_) ? (pixels + 127) / 128 * (1 + uint64_t(bytesPerPixel_))
                                    : pixels * static_cast<uint64_t>(bytesPerPixel_);
    if (offset + minimum > source_.Size()) return false;

    bool storesAlpha = attributeBits > 0 &&
                       (depth_ == 32 || depth_ == 16 || (IsColorMapped(type_) && (h[7] == 32 || h[7] == 16)));
    info_.width = width;
    info_.height = height;
    info_.hasAlpha = storesAlpha && !FooterDeniesAlpha();
    info = info_;
    return true;
}

void TgaDecoder::ToBgra(const uint8_t* p, uint8_t* bgra) const {
    uint32_t argb;
    if (IsColorMapped(type_)) {
        int32_t index = p[0] - colorMapFirst_;
        argb = index >= 0 && index < static_cast<int32_t>(colorMap_.size()) ? colorMap_[static_cast<size_t>(index)]
                                                                             : 0xFF000000u;
    } else if (IsGrey(type_)) {
        uint32_t a = depth_ == 16 && info_.hasAlpha ? p[1] : 255u;
        argb = (a << 24) | p[0] * 0x010101u;
    } else if (bytesPerPixel_ == 2) {
        argb = Decode16(Le16(p), info_.hasAlpha);
    } else {
        uint32_t a = bytesPerPixel_ == 4 && info_.hasAlpha ? p[3] : 255u;
        argb = (a << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    }
    if (!info_.hasAlpha) argb |= 0xFF000000u;
    bgra[0] = static_cast<uint8_t>(argb);
    bgra[1] = static_cast<uint8_t>(argb >> 8);
    bgra[2] = static_cast<uint8_t>(argb >> 16);
    bgra[3] = static_cast<uint8_t>(argb >> 24);
}

bool TgaDecoder::Decode(const Raster& target, int32_t reduction) {
    RowReducer reducer(target, info_.width, info_.height, reduction);
    Reader reader(source_, pixelOffset_);
    const int32_t w = info_.width;
    const size_t bpp = static_cast<size_t>(bytesPerPixel_);
    std::vector<uint8_t> stored(static_cast<size_t>(w) * bpp);
    std::vector<uint8_t> bgra(static_cast<size_t>(w) * 4);
    // Run-length packets may continue across rows.
    int packetLeft = 0;
    bool packetRepeats = false;
    uint8_t repeated[4] = {};
    bool ok = true;
    for (int32_t i = 0; i < info_.height && ok; ++i) {
        if (!IsRle(type_)) {
            ok = reader.Read(stored.data(), stored.size());
        } else {
            for (int32_t x = 0; x < w && ok; ++x) {
                if (packetLeft == 0) {
                    int head = reader.Byte();
                    if (head < 0) {
                        ok = false;
                        break;
                    }
                    packetLeft = (head & 0x7F) + 1;
                    packetRepeats = (head & 0x80) != 0;
                    if (packetRepeats) ok = reader.Read(repeated, bpp);
                }
                uint8_t* dst = &stored[static_cast<size_t>(x) * bpp];
                if (packetRepeats) {
                    std::memcpy(dst, repeated, bpp);
                } else {
                    ok = ok && reader.Read(dst, bpp);
                }
                --packetLeft;
            }
        }
        if (!ok) break;
        for (int32_t x = 0; x < w; ++x) {
            int32_t from = rightToLeft_ ? w - 1 - x : x;
            ToBgra(&stored[static_cast<size_t>(from) * bpp], &bgra[static_cast<size_t>(x) * 4]);
        }
        reducer.PutRow(topDown_ ? i : info_.height - 1 - i, bgra.data());
    }
    reducer.Finish();
    return ok;
}

}  // namespace img
