// The mirror's dispatcher and kernels (internal).
#ifndef IPL_OWN_MIRROR_H
#define IPL_OWN_MIRROR_H

#include <cstddef>
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

// AVX2 kernels (the caller checks the processor), used only where both
// sides reach 32-byte boundaries together. ownSwapRowsAvx2 exchanges the
// first bytes of two rows and answers how many (0: none). ownSwapReversed4Avx2
// exchanges two rows of four-byte pixels reversed (or reverses one row in
// place when A == B) from both ends, answering how many pixels of each end
// are done (0: none).
size_t ownSwapRowsAvx2(unsigned char* a, unsigned char* b, size_t n);
int32_t ownSwapReversed4Avx2(unsigned char* A, unsigned char* B, int32_t w);

#endif
