#include "imagelib/PcxDecoder.h"

#include <vector>

#include "imagelib/RowReducer.h"

namespace img {

namespace {

constexpr uint32_t kHeaderSize = 128;
constexpr uint32_t kTrailingPaletteSize = 769;  // marker 12 and 256 RGB triples

bool HeaderLooksValid(const uint8_t* h) {
    return h[0] == 0x0A && (h[1] == 0 || h[1] == 2 || h[1] == 3 || h[1] == 4 || h[1] == 5) && h[2] == 1;
}

}  // namespace

bool PcxDecoder::Probe(ByteSource& source) {
    uint8_t h[3];
    return source.ReadAt(0, h, 3) == 3 && HeaderLooksValid(h);
}

bool PcxDecoder::ReadInfo(ImageInfo& info) {
    uint8_t h[kHeaderSize];
    if (source_.ReadAt(0, h, kHeaderSize) != kHeaderSize || !HeaderLooksValid(h)) return false;
    bits_ = h[3];
    planes_ = h[65];
    bytesPerLine_ = Le16(h + 66);
    int64_t width = int64_t{Le16(h + 8)} - Le16(h + 4) + 1;
    int64_t height = int64_t{Le16(h + 10)} - Le16(h + 6) + 1;
    if (!IsValidSide(width) || !IsValidSide(height)) return false;

    bool indexed = (bits_ == 1 || bits_ == 2 || bits_ == 4) && planes_ >= 1 && bits_ * planes_ <= 4;
    bool eightBit = bits_ == 8 && (planes_ == 1 || planes_ == 3 || planes_ == 4);
    if (!indexed && !eightBit) return false;
    if (int64_t{bytesPerLine_} * 8 < width * bits_) return false;
    // Every row needs at least one encoded byte per plane line.
    if (kHeaderSize + static_cast<uint64_t>(height) * planes_ > source_.Size()) return false;

    if (indexed) {
        for (int i = 0; i < 16; ++i) {
            const uint8_t* e = h + 16 + 3 * i;
            palette_[i] = (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2];
        }
        if (bits_ * planes_ == 1) {
            // Monochrome pictures are black and white whatever the header holds.
            palette_[0] = 0;
            palette_[1] = 0xFFFFFF;
        }
    } else if (planes_ == 1) {
        uint8_t tail[kTrailingPaletteSize];
        uint64_t size = source_.Size();
        bool found = size >= kHeaderSize + kTrailingPaletteSize &&
                     source_.ReadAt(size - kTrailingPaletteSize, tail, kTrailingPaletteSize) ==
                         kTrailingPaletteSize &&
                     tail[0] == 12;
        for (uint32_t i = 0; i < 256; ++i) {
            const uint8_t* e = tail + 1 + 3 * i;
            palette_[i] = found ? (uint32_t{e[0]} << 16) | (uint32_t{e[1]} << 8) | e[2] : i * 0x010101u;
        }
    }
    info_.width = static_cast<int32_t>(width);
    info_.height = static_cast<int32_t>(height);
    info_.hasAlpha = bits_ == 8 && planes_ == 4;
    info = info_;
    return true;
}

void PcxDecoder::ConvertRow(const uint8_t* line, uint8_t* bgra) const {
    const int32_t w = info_.width;
    if (bits_ == 8 && planes_ >= 3) {
        for (int32_t x = 0; x < w; ++x, bgra += 4) {
            bgra[2] = line[x];
            bgra[1] = line[bytesPerLine_ + x];
            bgra[0] = line[2 * bytesPerLine_ + x];
            bgra[3] = planes_ == 4 ? line[3 * bytesPerLine_ + x] : 255;
        }
        return;
    }
    const uint32_t valueMask = (1u << bits_) - 1;
    const uint32_t perByte = 8 / static_cast<uint32_t>(bits_);
    for (int32_t x = 0; x < w; ++x, bgra += 4) {
        uint32_t index = 0;
        for (int32_t p = 0; p < planes_; ++p) {
            const uint8_t* plane = line + static_cast<size_t>(p) * bytesPerLine_;
            uint32_t shift = 8 - static_cast<uint32_t>(bits_) * (1 + static_cast<uint32_t>(x) % perByte);
            uint32_t value = (plane[static_cast<uint32_t>(x) / perByte] >> shift) & valueMask;
            index |= value << (p * bits_);
        }
        uint32_t rgb = palette_[index];
        bgra[0] = static_cast<uint8_t>(rgb);
        bgra[1] = static_cast<uint8_t>(rgb >> 8);
        bgra[2] = static_cast<uint8_t>(rgb >> 16);
        bgra[3] = 255;
    }
}

bool PcxDecoder::Decode(const Raster& target, int32_t reduction) {
    RowReducer reducer(target, info_.width, info_.height, reduction);
    Reader reader(source_, kHeaderSize);
    const size_t lineBytes = static_cast<size_t>(bytesPerLine_) * planes_;
    std::vector<uint8_t> line(lineBytes);
    std::vector<uint8_t> bgra(static_cast<size_t>(info_.width) * 4);
    // Runs may cross line ends (some writers do that), so the run state lives
    // across rows.
    int runLeft = 0;
    uint8_t runValue = 0;
    bool ok = true;
    for (int32_t y = 0; y < info_.height && ok; ++y) {
        for (size_t i = 0; i < lineBytes; ++i) {
            if (runLeft == 0) {
                int b = reader.Byte();
                if (b < 0) {
                    ok = false;
                    break;
                }
                if ((b & 0xC0) == 0xC0) {
                    runLeft = b & 0x3F;
                    int v = reader.Byte();
                    if (v < 0) {
                        ok = false;
                        break;
                    }
                    runValue = static_cast<uint8_t>(v);
                } else {
                    runLeft = 1;
                    runValue = static_cast<uint8_t>(b);
                }
                if (runLeft == 0) {
                    --i;  // an empty run produces nothing
                    continue;
                }
            }
            line[i] = runValue;
            --runLeft;
        }
        if (ok) {
            ConvertRow(line.data(), bgra.data());
            reducer.PutRow(y, bgra.data());
        }
    }
    reducer.Finish();
    return ok;
}

}  // namespace img
