// Copy and fill: iplCopy and iplSet over the region of interest, honouring
// the channel of interest, the alpha channel, mask images and tiles.
#include <cstring>

#include "ipl/ownipl.h"
#include "ipl/ownscewalk.h"
#include "ipl/ownvalues.h"

namespace {

constexpr const char* kUnit = "iplsce";

// Value by value, for channel strides, alpha channels and masks; the value
// size is fixed per instance so each move is a single load and store.
template <int Bytes>
void copyRow(const OwnValues& s, const OwnValues& d, unsigned char* sr, unsigned char* dr,
             const unsigned char* mr, const OwnMaskBits* mask, int32_t width) {
    for (int32_t i = 0; i < width; ++i) {
        if (mr != nullptr && !ownGetBit(mr, mask->bitOffset + static_cast<int64_t>(i))) continue;
        for (int32_t k = 0; k < s.channels; ++k) std::memcpy(d.value(dr, i, k), s.value(sr, i, k), Bytes);
    }
}

template <int Bytes>
void fillRow(const OwnValues& d, unsigned char* dr, const unsigned char* mr, const OwnMaskBits* mask,
             int32_t width, const unsigned char* value) {
    if (mr == nullptr && d.runs() && !d.planeOrder) {
        const int64_t count = static_cast<int64_t>(width) * d.channels;
        for (int64_t e = 0; e < count; ++e) std::memcpy(dr + e * Bytes, value, Bytes);
        return;
    }
    for (int32_t i = 0; i < width; ++i) {
        if (mr != nullptr && !ownGetBit(mr, mask->bitOffset + static_cast<int64_t>(i))) continue;
        for (int32_t k = 0; k < d.channels; ++k) std::memcpy(d.value(dr, i, k), value, Bytes);
    }
}

void copyValues(const OwnValues& s, const OwnValues& d, const OwnMaskBits* mask, int32_t width,
                int32_t height) {
    const bool oneBit = s.bytes == 0;
    const int32_t runPlanes = d.planeOrder ? d.channels : 1;
    const bool runs = mask == nullptr && s.runs() && d.runs() && s.planeOrder == d.planeOrder;
    for (int32_t j = 0; j < height; ++j) {
        unsigned char* sr = s.row(j);
        unsigned char* dr = d.row(j);
        if (oneBit) {
            if (mask == nullptr) {
                ownCopyBitRun(sr, s.bitOffset, dr, d.bitOffset, width);
                continue;
            }
            const unsigned char* mr = mask->row(j);
            for (int32_t i = 0; i < width; ++i)
                if (ownGetBit(mr, mask->bitOffset + static_cast<int64_t>(i)))
                    ownPutBit(dr, d.bitOffset + static_cast<int64_t>(i),
                              ownGetBit(sr, s.bitOffset + static_cast<int64_t>(i)));
            continue;
        }
        if (runs) {
            const size_t perPixel = s.planeOrder ? 1 : static_cast<size_t>(s.channels);
            for (int32_t p = 0; p < runPlanes; ++p)
                std::memmove(d.value(dr, 0, p), s.value(sr, 0, p),
                             static_cast<size_t>(width) * perPixel * static_cast<size_t>(s.bytes));
            continue;
        }
        const unsigned char* mr = mask ? mask->row(j) : nullptr;
        switch (s.bytes) {
        case 1: copyRow<1>(s, d, sr, dr, mr, mask, width); break;
        case 2: copyRow<2>(s, d, sr, dr, mr, mask, width); break;
        default: copyRow<4>(s, d, sr, dr, mr, mask, width); break;
        }
    }
}

void fillValues(const OwnValues& d, const OwnMaskBits* mask, int32_t width, int32_t height,
                const unsigned char* value) {
    for (int32_t j = 0; j < height; ++j) {
        unsigned char* dr = d.row(j);
        const unsigned char* mr = mask ? mask->row(j) : nullptr;
        if (d.bytes == 0) {
            if (mr == nullptr) {
                ownFillBitRun(dr, d.bitOffset, width, value[0] & 1);
                continue;
            }
            for (int32_t i = 0; i < width; ++i)
                if (ownGetBit(mr, mask->bitOffset + static_cast<int64_t>(i)))
                    ownPutBit(dr, d.bitOffset + static_cast<int64_t>(i), value[0] & 1);
            continue;
        }
        switch (d.bytes) {
        case 1: fillRow<1>(d, dr, mr, mask, width, value); break;
        case 2: fillRow<2>(d, dr, mr, mask, width, value); break;
        default: fillRow<4>(d, dr, mr, mask, width, value); break;
        }
    }
}

// The saturated value in the depth's width, as stored in memory.
void valueBytes(uint32_t depth, int32_t v, unsigned char* out) {
    switch (ownDepthBits(depth)) {
    case 1: out[0] = static_cast<unsigned char>(v & 1); break;
    case 8: out[0] = static_cast<unsigned char>(v & 0xff); break;
    case 16: {
        const uint16_t u = static_cast<uint16_t>(v & 0xffff);
        std::memcpy(out, &u, 2);
        break;
    }
    default: std::memcpy(out, &v, 4); break;
    }
}

bool isTiled(const IplImage* image) { return image->tileInfo != nullptr; }

bool setImage(IplImage* image, int32_t fillValue) {
    constexpr const char* kName = "iplSet";
    if (ownImagesFail(kName, kUnit, image))
        return false;
    if (image->depth == IPL_DEPTH_32F) {
        OWN_ERROR(-17, kName, "You should use iplSetFP for this image", kUnit);
        return false;
    }
    const int32_t value = ownClampToDepth(image->depth, fillValue);
    IplImage* mask = image->maskROI;
    int32_t height = 0;
    int32_t width = 0;
    if (!ownRoiSize2(image, mask, &height, &width, 1)) return true;
    if (isTiled(image))
        return ownSceTileWalk(nullptr, image, mask, width, height, false, kName, kUnit,
                              [value](IplImage*, IplImage* local) { return setImage(local, value); });
    OwnValues d;
    if (!d.init(image)) return true;
    OwnMaskBits bits;
    if (mask != nullptr && !bits.init(mask)) return true;
    unsigned char stored[4] = {};
    valueBytes(image->depth, value, stored);
    fillValues(d, mask ? &bits : nullptr, width, height, stored);
    return true;
}

}  // namespace

bool ownCopyImage(IplImage* srcImage, IplImage* dstImage) {
    constexpr const char* kName = "iplCopy";
    if (ownImagesFail(kName, kUnit, srcImage, dstImage))
        return false;
    // All three checks report; any failure ends the call whatever the
    // handler did with the status.
    OwnCheckRun check(kName, kUnit);
    ownCheckSameLayout(check, srcImage, dstImage);
    if (check.failed()) return false;
    if (srcImage == dstImage) return true;

    return ownMoveValues(srcImage, dstImage, kName, kUnit,
                         [](IplImage* s, IplImage* d) { return ownCopyImage(s, d); }, copyValues);
}

bool ownSetImage(IplImage* image, int32_t fillValue) { return setImage(image, fillValue); }

void iplCopy(IplImage* srcImage, IplImage* dstImage) { ownCopyImage(srcImage, dstImage); }

void iplSet(IplImage* image, int32_t fillValue) { setImage(image, fillValue); }
