// Region addressing and 1U bit runs for the copy, fill and mapping kernels.
#include "ipl/ownvalues.h"

#include <cstring>

#include "ipl/ownipl.h"

bool OwnValues::init(const IplImage* image) {
    if (!ownRoiStart(image, &data, &step, &channels, &planeStep, &bitOffset)) return false;
    bytes = ownDepthBytes(image->depth);
    nChannels = image->nChannels;
    planeOrder = image->dataOrder == IPL_DATA_ORDER_PLANE;
    if (image->depth != IPL_DEPTH_1U) bitOffset = 0;
    return true;
}

bool OwnMaskBits::init(const IplImage* mask) {
    unsigned char* start = nullptr;
    if (!ownMaskRoiStart(mask, &start, &step, &bitOffset)) return false;
    data = start;
    return true;
}

void ownCopyBitRun(const unsigned char* src, int64_t sbit, unsigned char* dst, int64_t dbit,
                   int32_t n) {
    if (n <= 0) return;
    if ((sbit & 7) != (dbit & 7)) {
        for (int32_t i = 0; i < n; ++i) ownPutBit(dst, dbit + i, ownGetBit(src, sbit + i));
        return;
    }
    // Same position within the byte: merge the end bytes, move the middle.
    const unsigned char* s = src + (sbit >> 3);
    unsigned char* d = dst + (dbit >> 3);
    const int32_t off = static_cast<int32_t>(dbit & 7);
    const int64_t last = (off + static_cast<int64_t>(n) - 1) >> 3;
    const unsigned firstMask = 0xffu >> off;
    const unsigned lastMask = (0xffu << (7 - ((off + n - 1) & 7))) & 0xffu;
    if (last == 0) {
        const unsigned m = firstMask & lastMask;
        d[0] = static_cast<unsigned char>((d[0] & ~m) | (s[0] & m));
        return;
    }
    d[0] = static_cast<unsigned char>((d[0] & ~firstMask) | (s[0] & firstMask));
    if (last > 1) std::memmove(d + 1, s + 1, static_cast<size_t>(last - 1));
    d[last] = static_cast<unsigned char>((d[last] & ~lastMask) | (s[last] & lastMask));
}

void ownFillBitRun(unsigned char* dst, int64_t dbit, int32_t n, int32_t value) {
    if (n <= 0) return;
    unsigned char* d = dst + (dbit >> 3);
    const int32_t off = static_cast<int32_t>(dbit & 7);
    const int64_t last = (off + static_cast<int64_t>(n) - 1) >> 3;
    const unsigned fill = value ? 0xffu : 0u;
    auto merge = [&](int64_t k, unsigned m) {
        d[k] = static_cast<unsigned char>((d[k] & ~m) | (fill & m));
    };
    const unsigned firstMask = 0xffu >> off;
    const unsigned lastMask = (0xffu << (7 - ((off + n - 1) & 7))) & 0xffu;
    if (last == 0) {
        merge(0, firstMask & lastMask);
        return;
    }
    merge(0, firstMask);
    if (last > 1) std::memset(d + 1, static_cast<int>(fill), static_cast<size_t>(last - 1));
    merge(last, lastMask);
}
