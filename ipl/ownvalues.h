// Addressing of the processed values of an image's region, as the copy, fill
// and mapping kernels walk them, and bit runs of 1U rows.
#ifndef SPAB_IPL_OWNVALUES_H
#define SPAB_IPL_OWNVALUES_H

#include <cstddef>
#include <cstdint>

#include "ipl/ipl.h"

// The processed values of one image's region (from ownRoiStart).
struct OwnValues {
    unsigned char* data = nullptr;
    int32_t step = 0;
    int32_t planeStep = 0;
    int32_t channels = 0;  // processed channels
    int32_t bitOffset = 0;
    int32_t bytes = 0;     // per value; 0 for 1U
    int32_t nChannels = 1;
    bool planeOrder = false;

    // 0 when the image has nothing to process.
    bool init(const IplImage* image);

    unsigned char* row(int32_t j) const { return data + static_cast<ptrdiff_t>(j) * step; }
    // Value k of pixel i in a row.
    unsigned char* value(unsigned char* rowStart, int32_t i, int32_t k) const {
        return planeOrder ? rowStart + static_cast<ptrdiff_t>(k) * planeStep + static_cast<ptrdiff_t>(i) * bytes
                          : rowStart + (static_cast<ptrdiff_t>(i) * nChannels + k) * bytes;
    }
    // The processed values of a row lie side by side (one run per plane).
    bool runs() const { return planeOrder || channels == nChannels; }
};

// The mask bits governing the processing area (from ownMaskRoiStart).
struct OwnMaskBits {
    const unsigned char* data = nullptr;
    int32_t step = 0;
    int32_t bitOffset = 0;

    bool init(const IplImage* mask);
    const unsigned char* row(int32_t j) const { return data + static_cast<ptrdiff_t>(j) * step; }
};

// Copies n bits from source bit sbit to destination bit dbit; the other bits
// of the destination bytes keep theirs.
void ownCopyBitRun(const unsigned char* src, int64_t sbit, unsigned char* dst, int64_t dbit,
                   int32_t n);
// Sets (value 1) or clears n bits from bit dbit.
void ownFillBitRun(unsigned char* dst, int64_t dbit, int32_t n, int32_t value);

#endif  // SPAB_IPL_OWNVALUES_H
