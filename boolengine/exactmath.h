#pragma once
// Exact sign tests on 64-bit coordinates. Products of coordinate differences
// need up to 108 bits, so they are formed as 128-bit values from 32-bit limbs
// (the i686 build has no native 128-bit integer).
#include <cstdint>

namespace exactmath {

// Sign (-1, 0, 1) of a*b - c*d; |a|, |b|, |c|, |d| must stay below 2^63.
int SignOfDifference(int64_t a, int64_t b, int64_t c, int64_t d);

// Sign of the cross product (b - o) x (c - o): 1 when c lies left of o->b.
int Orientation(int64_t ox, int64_t oy, int64_t bx, int64_t by, int64_t cx, int64_t cy);

// Sign of the cross product of two direction vectors.
int CrossSign(int64_t ax, int64_t ay, int64_t bx, int64_t by);

// Sign of the dot product of two direction vectors.
int DotSign(int64_t ax, int64_t ay, int64_t bx, int64_t by);

}  // namespace exactmath
