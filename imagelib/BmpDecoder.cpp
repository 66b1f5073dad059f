#include "imagelib/BmpDecoder.h"

#include <vector>

#include "imagelib/RowReducer.h"

namespace img {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

void PutPixel(uint8_t* bgra, uint32_t argb) {
    bgra[0] = static_cast<uint8_t>(argb);
    bgra[1] = static_cast<uint8_t>(argb >> 8);
    bgra[2] = static_cast<uint8_t>(argb >> 16);
    bgra[3] = static_cast<uint8_t>(argb >> 24);
}

}  // namespace

bool BmpDecoder::Probe(ByteSource& source) {
    uint8_t magic[2];
    return source.ReadAt(0, magic, 2) == 2 && magic[0] == 'B' && magic[1] == 'M';
}

BmpDecoder::Mask BmpDecoder::MakeMask(uint32_t mask) {
    Mask m;
    if (mask == 0) return m;
    m.mask = mask;
    while (!((mask >> m.shift) & 1u)) ++m.shift;
    m.max = mask >> m.shift;
    return m;
}

uint8_t BmpDecoder::Extract(uint32_t pixel, const Mask& m) {
    if (m.max == 0) return 0;
    uint64_t v = (pixel & m.mask) >> m.shift;
    return static_cast<uint8_t>((v * 255 + m.max / 2) / m.max);
}

bool BmpDecoder::ReadInfo(ImageInfo& info) {
    uint8_t head[kFileHeaderSize + 124] = {};
    size_t got = source_.ReadAt(0, head, sizeof head);
    if (got < kFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M') return false;
    pixelOffset_ = Le32(head + 10);
    uint32_t headerSize = Le32(head + 14);
    if (headerSize < kCoreHeaderSize || headerSize > 124 || got < kFileHeaderSize + headerSize) return false;
    const uint8_t* h = head + kFileHeaderSize;

    int64_t width = 0, height = 0;
    uint32_t paletteEntrySize = 4;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};
    bool masksGiven = false;
    uint64_t paletteOffset = kFileHeaderSize + headerSize;
    if (headerSize == kCoreHeaderSize) {
        width = Le16(h + 4);
        height = Le16(h + 6);
        bits_ = Le16(h + 10);
        compression_ = kRgb;
        paletteEntrySize = 3;
    } else {
        if (headerSize < 16) return false;
        width = static_cast<int32_t>(Le32(h + 4));
        height = static_cast<int32_t>(Le32(h + 8));
        bits_ = Le16(h + 14);
        compression_ = headerSize >= 20 ? Le32(h + 16) : kRgb;
        colorsUsed = headerSize >= 36 ? Le32(h + 32) : 0;
        if (headerSize >= 52) {
            masks[0] = Le32(h + 40);
            masks[1] = Le32(h + 44);
            masks[2] = Le32(h + 48);
            masks[3] = headerSize >= 56 ? Le32(h + 52) : 0;
            masksGiven = compression_ == kBitFields || compression_ == kAlphaBitFields;
        } else if (headerSize == 40 && (compression_ == kBitFields || compression_ == kAlphaBitFields)) {
            // The masks follow a plain header.
            uint32_t count = compression_ == kAlphaBitFields ? 4 : 3;
            uint8_t raw[16];
            if (source_.ReadAt(paletteOffset, raw, count * 4) != count * 4) return false;
            for (uint32_t i = 0; i < count; ++i) masks[i] = Le32(raw + 4 * i);
            paletteOffset += count * 4;
            masksGiven = true;
        }
        // An alpha mask of an extended header counts for plain 32-bit pixels too.
        if (!masksGiven && headerSize >= 56 && compression_ == kRgb) masks[3] = Le32(h + 52);
    }

    topDown_ = height < 0;
    if (topDown_) height = -height;
    if (!IsValidSide(width) || !IsValidSide(height)) return false;

    switch (compression_) {
        case kRgb:
            if (bits_ != 1 && bits_ != 2 && bits_ != 4 && bits_ != 8 && bits_ != 16 && bits_ != 24 && bits_ != 32)
                return false;
            break;
        case kRle8:
            if (bits_ != 8 || topDown_) return false;
            break;
        case kRle4:
            if (bits_ != 4 || topDown_) return false;
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (bits_ != 16 && bits_ != 32) return false;
            break;
        default:
            return false;
    }

    if (!masksGiven) {
        if (bits_ == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000;
            masks[1] = 0x00FF00;
            masks[2] = 0x0000FF;
        }
        if (bits_ != 32 && bits_ != 16) masks[3] = 0;
    }
    if (bits_ == 16) {
        for (uint32_t& m : masks) m &= 0xFFFF;
    }
    red_ = MakeMask(masks[0]);
    green_ = MakeMask(masks[1]);
    blue_ = MakeMask(masks[2]);
    alpha_ = MakeMask(masks[3]);

    palette_.fill(0xFF000000u);
    if (bits_ <= 8) {
        uint32_t count = colorsUsed != 0 && colorsUsed < (1u << bits_) ? colorsUsed : (1u << bits_);
        std::vector<uint8_t> raw(static_cast<size_t>(count) * paletteEntrySize);
        // Writers sometimes store fewer entries than they announce: keep what is there.
        size_t have = source_.ReadAt(paletteOffset, raw.data(), raw.size()) / paletteEntrySize;
        for (size_t i = 0; i < have; ++i) {
            const uint8_t* e = &raw[i * paletteEntrySize];
            palette_[i] = 0xFF000000u | (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
        }
    }

    rowBytes_ = static_cast<uint32_t>(((width * bits_ + 31) / 32) * 4);
    if (pixelOffset_ >= source_.Size()) return false;
    if (compression_ != kRle4 && compression_ != kRle8) {
        uint64_t needed = uint64_t{pixelOffset_} + uint64_t{rowBytes_} * static_cast<uint64_t>(height);
        if (needed > source_.Size()) return false;
    }

    info_.width = static_cast<int32_t>(width);
    info_.height = static_cast<int32_t>(height);
    info_.hasAlpha = bits_ >= 16 && alpha_.mask != 0;
    info = info_;
    return true;
}

void BmpDecoder::IndicesToBgra(const uint8_t* indices, uint8_t* bgra) const {
    for (int32_t x = 0; x < info_.width; ++x) PutPixel(bgra + 4 * x, palette_[indices[x]]);
}

void BmpDecoder::ConvertRow(const uint8_t* stored, uint8_t* bgra) const {
    const int32_t w = info_.width;
    if (bits_ <= 8) {
        const uint32_t perByte = 8 / bits_;
        const uint32_t valueMask = (1u << bits_) - 1;
        for (int32_t x = 0; x < w; ++x) {
            uint32_t shift = 8 - bits_ * (1 + static_cast<uint32_t>(x) % perByte);
            uint32_t index = (stored[static_cast<uint32_t>(x) / perByte] >> shift) & valueMask;
            PutPixel(bgra + 4 * x, palette_[index]);
        }
        return;
    }
    if (bits_ == 24) {
        for (int32_t x = 0; x < w; ++x, stored += 3, bgra += 4) {
            bgra[0] = stored[0];
            bgra[1] = stored[1];
            bgra[2] = stored[2];
            bgra[3] = 255;
        }
        return;
    }
    for (int32_t x = 0; x < w; ++x, bgra += 4) {
        uint32_t pixel = bits_ == 16 ? Le16(stored + 2 * x) : Le32(stored + 4 * x);
        bgra[0] = Extract(pixel, blue_);
        bgra[1] = Extract(pixel, green_);
        bgra[2] = Extract(pixel, red_);
        bgra[3] = alpha_.mask ? Extract(pixel, alpha_) : 255;
    }
}

bool BmpDecoder::Decode(const Raster& target, int32_t reduction) {
    RowReducer reducer(target, info_.width, info_.height, reduction);
    bool ok = compression_ == kRle4 || compression_ == kRle8 ? DecodeRle(reducer) : DecodeUncompressed(reducer);
    reducer.Finish();
    return ok;
}

bool BmpDecoder::DecodeUncompressed(RowReducer& reducer) {
    Reader reader(source_, pixelOffset_);
    std::vector<uint8_t> stored(rowBytes_);
    std::vector<uint8_t> bgra(static_cast<size_t>(info_.width) * 4);
    for (int32_t i = 0; i < info_.height; ++i) {
        if (!reader.Read(stored.data(), stored.size())) return false;
        ConvertRow(stored.data(), bgra.data());
        reducer.PutRow(topDown_ ? i : info_.height - 1 - i, bgra.data());
    }
    return true;
}

// Run-length rows come bottom-up; skipped pixels (deltas, early line ends)
// take palette entry 0.
bool BmpDecoder::DecodeRle(RowReducer& reducer) {
    Reader reader(source_, pixelOffset_);
    const int32_t w = info_.width;
    const int32_t h = info_.height;
    const bool four = compression_ == kRle4;
    std::vector<uint8_t> indices(static_cast<size_t>(w), 0);
    std::vector<uint8_t> bgra(static_cast<size_t>(w) * 4);
    int32_t x = 0;
    int32_t row = 0;  // counted from the bottom

    auto emitRow = [&]() {
        if (row < h) {
            IndicesToBgra(indices.data(), bgra.data());
            reducer.PutRow(h - 1 - row, bgra.data());
        }
        std::fill(indices.begin(), indices.end(), 0);
        ++row;
        x = 0;
    };
    auto put = [&](uint8_t index) {
        if (x < w) indices[static_cast<size_t>(x)] = index;
        ++x;
    };

    while (row < h) {
        int count = reader.Byte();
        int value = reader.Byte();
        if (count < 0 || value < 0) return false;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(four ? static_cast<uint8_t>(i % 2 == 0 ? value >> 4 : value & 15) : static_cast<uint8_t>(value));
            }
            continue;
        }
        if (value == 0) {
            emitRow();
        } else if (value == 1) {
            while (row < h) emitRow();
        } else if (value == 2) {
            int dx = reader.Byte();
            int dy = reader.Byte();
            if (dx < 0 || dy < 0) return false;
            int32_t keepX = x + dx;
            for (int i = 0; i < dy && row < h; ++i) emitRow();
            x = keepX;
        } else {
            int bytes = four ? (value + 1) / 2 : value;
            uint8_t literal[256];
            if (!reader.Read(literal, static_cast<size_t>(bytes))) return false;
            for (int i = 0; i < value; ++i) {
                put(four ? static_cast<uint8_t>(i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 15) : literal[i]);
            }
            if (bytes % 2 == 1 && reader.Byte() < 0) return false;
        }
    }
    return true;
}

}  // namespace img
