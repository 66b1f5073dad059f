// The shared algorithm of the logical operations (iplAnd, iplOr, iplXorS):
// checks, mask combination, drivers and the tiled walk.
#ifndef SPAB_IPL_OWNLOGIC_H
#define SPAB_IPL_OWNLOGIC_H

#include <cstdint>

#include "ipl/ipl.h"

enum class OwnLogicKind { And, Or, XorS };

// Runs one logical operation with its checks; srcImageB is null for XorS.
// False when it failed (whatever the error handler did with the status), so
// that the library's own callers need not read the shared status.
bool ownLogicOperation(OwnLogicKind kind, IplImage* srcImageA, IplImage* srcImageB,
                       IplImage* dstImage, uint32_t value);

// The 32-bit pattern of iplXorS for a destination depth.
uint32_t ownXorPattern(uint32_t depth, uint32_t value);

#endif  // SPAB_IPL_OWNLOGIC_H
