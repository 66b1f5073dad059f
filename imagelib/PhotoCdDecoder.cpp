#include "imagelib/PhotoCdDecoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "imagelib/RowReducer.h"

namespace img {

namespace {

constexpr char kSignature[] = "PCD_IPI";

// The luma and colour-difference scalings of the CD's colour encoding, as
// lookup tables in fixed point (16 fraction bits).
struct YccTables {
    std::array<int32_t, 256> luma, c1Blue, c1Green, c2Red, c2Green;
    YccTables() {
        for (int i = 0; i < 256; ++i) {
            double c1 = 2.2179 * (i - 156);
            double c2 = 1.8215 * (i - 137);
            luma[i] = static_cast<int32_t>(std::lround(1.3584 * i * 65536.0));
            c1Blue[i] = static_cast<int32_t>(std::lround(c1 * 65536.0));
            c1Green[i] = static_cast<int32_t>(std::lround(-0.194 * c1 * 65536.0));
            c2Red[i] = static_cast<int32_t>(std::lround(c2 * 65536.0));
            c2Green[i] = static_cast<int32_t>(std::lround(-0.509 * c2 * 65536.0));
        }
    }
};

uint8_t Clamp16(int32_t v) { return static_cast<uint8_t>(std::clamp((v + 32768) >> 16, 0, 255)); }

}  // namespace

bool PhotoCdDecoder::Probe(ByteSource& source) {
    char signature[7];
    return source.Size() >= kMinimumSize && source.ReadAt(kSignatureOffset, signature, 7) == 7 &&
           std::memcmp(signature, kSignature, 7) == 0;
}

bool PhotoCdDecoder::ReadInfo(ImageInfo& info) {
    uint8_t orientation = 0;
    if (!Probe(source_) || source_.ReadAt(kOrientationOffset, &orientation, 1) != 1) return false;
    rotation_ = orientation & 3;
    const bool quarter = rotation_ == 1 || rotation_ == 3;
    info.width = quarter ? kBaseHeight : kBaseWidth;
    info.height = quarter ? kBaseWidth : kBaseHeight;
    info.hasAlpha = false;
    return true;
}

bool PhotoCdDecoder::Decode(const Raster& target, int32_t reduction) {
    static const YccTables tables;
    int32_t levelFactor = std::min(reduction, 4);
    uint64_t offset = levelFactor == 1 ? kBaseOffset : levelFactor == 2 ? kBase4Offset : kBase16Offset;
    const int32_t w = kBaseWidth / levelFactor;
    const int32_t h = kBaseHeight / levelFactor;
    const bool quarter = rotation_ == 1 || rotation_ == 3;
    RowReducer reducer(target, quarter ? h : w, quarter ? w : h, reduction / levelFactor);
    // A turned picture is decoded whole first (1.5 MiB at most), then its
    // rows are taken out turned.
    std::vector<uint8_t> whole(rotation_ != 0 ? static_cast<size_t>(w) * h * 4 : 0);
    Reader reader(source_, offset);
    // Two luma rows share one row of each colour difference at half width.
    std::vector<uint8_t> pair(static_cast<size_t>(w) * 3);
    std::vector<uint8_t> bgra(static_cast<size_t>(w) * 4);
    for (int32_t y = 0; y < h; y += 2) {
        if (!reader.Read(pair.data(), pair.size())) return false;
        const uint8_t* c1 = pair.data() + 2 * w;
        const uint8_t* c2 = c1 + w / 2;
        for (int32_t r = 0; r < 2; ++r) {
            const uint8_t* luma = pair.data() + static_cast<size_t>(r) * w;
            for (int32_t x = 0; x < w; ++x) {
                int32_t l = tables.luma[luma[x]];
                uint8_t u = c1[x / 2], v = c2[x / 2];
                uint8_t* p = &bgra[static_cast<size_t>(x) * 4];
                p[0] = Clamp16(l + tables.c1Blue[u]);
                p[1] = Clamp16(l + tables.c1Green[u] + tables.c2Green[v]);
                p[2] = Clamp16(l + tables.c2Red[v]);
                p[3] = 255;
            }
            if (rotation_ == 0) {
                reducer.PutRow(y + r, bgra.data());
            } else {
                std::copy(bgra.begin(), bgra.end(), whole.begin() + static_cast<ptrdiff_t>(y + r) * w * 4);
            }
        }
    }
    if (rotation_ != 0) {
        const int32_t outW = quarter ? h : w, outH = quarter ? w : h;
        std::vector<uint8_t> row(static_cast<size_t>(outW) * 4);
        for (int32_t oy = 0; oy < outH; ++oy) {
            for (int32_t ox = 0; ox < outW; ++ox) {
                int32_t x = rotation_ == 1 ? w - 1 - oy : rotation_ == 3 ? oy : w - 1 - ox;
                int32_t y = rotation_ == 1 ? ox : rotation_ == 3 ? h - 1 - ox : h - 1 - oy;
                std::copy_n(&whole[(static_cast<size_t>(y) * w + x) * 4], 4, &row[static_cast<size_t>(ox) * 4]);
            }
            reducer.PutRow(oy, row.data());
        }
    }
    reducer.Finish();
    return true;
}

}  // namespace img
