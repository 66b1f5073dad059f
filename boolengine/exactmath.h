#pragma once
// Exact sign tests on 64-bit coordinates. Products of coordinate differences
// need up to 108 bits, so they are formed as 128-bit values from 32-bit limbs
// (the i686 build has no native 128-bit integer).
#include <cmath>
#include <cstdint>

namespace exactmath {

// The sign of a*b - c*d from the 128-bit products.
int SignOfDifferenceExact(int64_t a, int64_t b, int64_t c, int64_t d);

// Sign (-1, 0, 1) of a*b - c*d; |a|, |b|, |c|, |d| must stay below 2^63.
// Most answers come from doubles: each product is off by less than 3 units
// in its last place (two conversions, one rounding), so a difference beyond
// 8 units in the last place of |p| + |q| has the exact sign. Only close calls
// take the exact products.
inline int SignOfDifference(int64_t a, int64_t b, int64_t c, int64_t d)
{
    const double p = static_cast<double>(a) * static_cast<double>(b);
    const double q = static_cast<double>(c) * static_cast<double>(d);
    const double difference = p - q;
    const double bound = (std::fabs(p) + std::fabs(q)) * 0x1p-50;
    if (difference > bound) return 1;
    if (difference < -bound) return -1;
    return SignOfDifferenceExact(a, b, c, d);
}

// Sign of the cross product (b - o) x (c - o): 1 when c lies left of o->b.
inline int Orientation(int64_t ox, int64_t oy, int64_t bx, int64_t by, int64_t cx, int64_t cy)
{
    return SignOfDifference(bx - ox, cy - oy, by - oy, cx - ox);
}

// Sign of the cross product of two direction vectors.
inline int CrossSign(int64_t ax, int64_t ay, int64_t bx, int64_t by) { return SignOfDifference(ax, by, ay, bx); }

// Sign of the dot product of two direction vectors.
inline int DotSign(int64_t ax, int64_t ay, int64_t bx, int64_t by) { return SignOfDifference(ax, bx, -ay, by); }

}  // namespace exactmath
