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
    if (!Probe(source_)) return false;
    info.width = kBaseWidth;
    info.height = kBaseHeight;
    info.hasAlpha = false;
    return true;
}

bool PhotoCdDecoder::Decode(const Raster& target, int32_t reduction) {
    static const YccTables tables;
    int32_t levelFactor = std::min(reduction, 4);
    uint64_t offset = levelFactor == 1 ? kBaseOffset : levelFactor == 2 ? kBase4Offset : kBase16Offset;
    const int32_t w = kBaseWidth / levelFactor;
    const int32_t h = kBaseHeight / levelFactor;
    RowReducer reducer(target, w, h, reduction / levelFactor);
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
            reducer.PutRow(y + r, bgra.data());
        }
    }
    reducer.Finish();
    return true;
}

}  // namespace img
