// The mirror's dispatcher and kernels (internal).
#ifndef IPL_OWN_MIRROR_H
#define IPL_OWN_MIRROR_H

#include <cstdint>

#include "ipl/ipl.h"

// Mirrors the width x height area of src into dst; nChannels channels (or
// planes) move, from channel coiSrc - 1 into coiDst - 1 (channel 0 for a coi
// of 0). Each image is addressed from its own region and its own mask region.
void ownMirror(IplImage* src, IplImage* dst, int32_t nChannels, int32_t coiSrc, int32_t coiDst, int32_t width,
               int32_t height, int32_t flipAxis);

// Bit-row copies: n bits from bit a of A into bit d of D, forward or reversed;
// the other bits of D's bytes keep their values.
void ownCopyBits(const unsigned char* A, int32_t a, unsigned char* D, int32_t d, int32_t n);
void ownCopyBitsReversed(const unsigned char* A, int32_t a, unsigned char* D, int32_t d, int32_t n);

#endif
