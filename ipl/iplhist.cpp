// Look-up mapping: iplContrastStretch expands one piecewise record per
// channel into a full table and maps the region through the internal iplMap.
#include <cstring>
#include <string>

#include "ipl/ownipl.h"
#include "ipl/ownscewalk.h"
#include "ipl/ownvalues.h"

namespace {

constexpr const char* kUnit = "iplhist";
constexpr const char* kChannelsText =
    "Number of processed channels of srcImage != Number of processed channels of dstImage";

// Table of size entries from one record; entries are the low bits of the
// 32-bit result (unsigned arithmetic: a product that leaves the signed range
// keeps the same low bits without overflowing).
template <class Entry>
void buildTable(const IplLUT& lut, Entry* table, int32_t size) {
    int32_t x = 0;
    for (; x < lut.key[0] && x < size; ++x) table[x] = static_cast<Entry>(x);
    int32_t j = -1;
    uint32_t v = 0;
    int32_t s = 0;
    for (; x < size; ++x) {
        if (x == lut.key[j + 1]) {
            if (j + 1 == lut.num - 1) break;  // the last key and above map to themselves
            ++j;
            v = static_cast<uint32_t>(lut.value[j]);
            s = x;
        }
        uint32_t out = v;
        if (lut.interpolateType != 0)
            out = static_cast<uint32_t>(x - s) * static_cast<uint32_t>(lut.factor[j]) + v;
        table[x] = static_cast<Entry>(out);
    }
    for (; x < size; ++x) table[x] = static_cast<Entry>(x);
}

// Record checks in the order of their reports; the context names the failed
// condition. Empty when the record passes.
const char* recordFailure(const IplLUT* lut, int32_t histSize) {
    if (lut == nullptr) return "lut[k]==0";
    if (lut->key == nullptr) return "lut[k]->key==0";
    if (lut->value == nullptr) return "lut[k]->value==0";
    if (lut->num < 2) return "lut[k]->num < 2";
    if (lut->key[0] < 0) return "lut[k]->key[0] < 0";
    if (lut->key[lut->num - 1] > histSize) return "lut[k]->key[lut[k]->num-1] > histSize";
    for (int32_t i = 0; i + 1 < lut->num; ++i)
        if (lut->key[i + 1] < lut->key[i]) return "lut[k]->key[i] > lut[k]->key[i+1]";
    // A linear record needs its slopes.
    if (lut->interpolateType != 0 && lut->factor == nullptr) return "lut[k]->factor==0";
    return nullptr;
}

// Unmasked pixel-order bytes: straight table look-ups, the channel loop
// unrolled for the usual counts.
template <int32_t N>
void mapPixelBytes(const unsigned char* sr, unsigned char* dr, int32_t width, int32_t sStep, int32_t dStep,
                   int32_t channels, const uint8_t* tables) {
    const int32_t n = N > 0 ? N : channels;
    for (int32_t i = 0; i < width; ++i, sr += sStep, dr += dStep)
        for (int32_t k = 0; k < n; ++k) dr[k] = tables[k * 256 + sr[k]];
}

bool mapBytesFast(const OwnValues& s, const OwnValues& d, const OwnMaskBits* mask, int32_t width,
                  int32_t height, const uint8_t* tables) {
    if (mask != nullptr || s.planeOrder || d.planeOrder || s.bytes != 1 || d.bytes != 1) return false;
    for (int32_t j = 0; j < height; ++j) {
        const unsigned char* sr = s.value(s.row(j), 0, 0);
        unsigned char* dr = d.value(d.row(j), 0, 0);
        switch (s.channels) {
        case 1: mapPixelBytes<1>(sr, dr, width, s.nChannels, d.nChannels, 1, tables); break;
        case 3: mapPixelBytes<3>(sr, dr, width, s.nChannels, d.nChannels, 3, tables); break;
        case 4: mapPixelBytes<4>(sr, dr, width, s.nChannels, d.nChannels, 4, tables); break;
        default: mapPixelBytes<0>(sr, dr, width, s.nChannels, d.nChannels, s.channels, tables); break;
        }
    }
    return true;
}

template <class T>
void mapValues(const OwnValues& s, const OwnValues& d, const OwnMaskBits* mask, int32_t width,
               int32_t height, const T* tables, int32_t tableSize) {
    if constexpr (sizeof(T) == 1) {
        if (mapBytesFast(s, d, mask, width, height, tables)) return;
    }
    for (int32_t j = 0; j < height; ++j) {
        unsigned char* sr = s.row(j);
        unsigned char* dr = d.row(j);
        const unsigned char* mr = mask ? mask->row(j) : nullptr;
        for (int32_t i = 0; i < width; ++i) {
            if (mr != nullptr && !ownGetBit(mr, mask->bitOffset + static_cast<int64_t>(i))) continue;
            for (int32_t k = 0; k < s.channels; ++k) {
                T in;
                std::memcpy(&in, s.value(sr, i, k), sizeof in);
                const T out = tables[static_cast<ptrdiff_t>(k) * tableSize + in];
                std::memcpy(d.value(dr, i, k), &out, sizeof out);
            }
        }
    }
}

bool mapImage(IplImage* srcImage, IplImage* dstImage, const void* tables) {
    constexpr const char* kName = "iplMap";
    auto again = [tables](IplImage* s, IplImage* d) { return mapImage(s, d, tables); };
    const bool bytes = srcImage->depth == IPL_DEPTH_8U;
    return ownMoveValues(srcImage, dstImage, kName, kUnit, again,
                         [tables, bytes](const OwnValues& s, const OwnValues& d, const OwnMaskBits* bits,
                                         int32_t width, int32_t height) {
                             if (bytes)
                                 mapValues(s, d, bits, width, height, static_cast<const uint8_t*>(tables), 256);
                             else
                                 mapValues(s, d, bits, width, height, static_cast<const uint16_t*>(tables), 65536);
                         });
}

}  // namespace

void iplMap(IplImage* srcImage, IplImage* dstImage, const void* tables) {
    mapImage(srcImage, dstImage, tables);
}

void iplContrastStretch(IplImage* srcImage, IplImage* dstImage, IplLUT** lut) {
    constexpr const char* kName = "iplContrastStretch";
    if (ownImagesFail(kName, kUnit, srcImage, dstImage))
        return;
    OwnCheckRun check(kName, kUnit);
    ownCheckSameLayout(check, srcImage, dstImage);
    check(srcImage->depth != IPL_DEPTH_8U && srcImage->depth != IPL_DEPTH_16U, -5,
          "srcImage->depth != IPL_DEPTH_8U && srcImage->depth != IPL_DEPTH_16U");
    check(lut == nullptr, -5, "lut==0");
    if (check.failed()) return;

    int32_t n = 0;
    int32_t nDst = 0;
    if (!ownRoiChannels(srcImage, &n) || !ownRoiChannels(dstImage, &nDst)) return;
    if (n != nDst) {
        OWN_ERROR(-5, kName, kChannelsText, kUnit);
        return;
    }
    const int32_t first = (srcImage->roi != nullptr && srcImage->roi->coi != 0) ? srcImage->roi->coi - 1 : 0;
    const bool bytes = srcImage->depth == IPL_DEPTH_8U;
    const int32_t histSize = bytes ? 256 : 65536;
    for (int32_t k = first; k < first + n; ++k) {
        if (const char* context = recordFailure(lut[k], histSize)) {
            OWN_ERROR(-5, kName, context, kUnit);
            return;
        }
    }
    const int64_t tableBytes = static_cast<int64_t>(n) * (bytes ? 256 : 131072);
    OwnBlockPtr<unsigned char> tables(
        tableBytes <= INT32_MAX ? static_cast<unsigned char*>(iplMalloc(static_cast<int32_t>(tableBytes)))
                                : nullptr);
    if (!tables) {
        OWN_ERROR(-4, kName, "", kUnit);
        return;
    }
    for (int32_t k = 0; k < n; ++k) {
        if (bytes)
            buildTable(*lut[first + k], tables.get() + static_cast<ptrdiff_t>(k) * 256, 256);
        else
            buildTable(*lut[first + k],
                       reinterpret_cast<uint16_t*>(tables.get()) + static_cast<ptrdiff_t>(k) * 65536,
                       65536);
    }
    if (!mapImage(srcImage, dstImage, tables.get())) OWN_ERROR(-1, kName, "", kUnit);
}
