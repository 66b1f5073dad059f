#include "boolengine/exactmath.h"

namespace exactmath {
namespace {

struct U128 {
    uint64_t hi;
    uint64_t lo;
};

U128 MulU64(uint64_t a, uint64_t b)
{
    const uint64_t aLo = a & 0xffffffffu, aHi = a >> 32;
    const uint64_t bLo = b & 0xffffffffu, bHi = b >> 32;
    const uint64_t ll = aLo * bLo;
    const uint64_t lh = aLo * bHi;
    const uint64_t hl = aHi * bLo;
    const uint64_t hh = aHi * bHi;
    const uint64_t mid = (ll >> 32) + (lh & 0xffffffffu) + (hl & 0xffffffffu);
    U128 r;
    r.lo = (ll & 0xffffffffu) | (mid << 32);
    r.hi = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
    return r;
}

int CompareU128(const U128& x, const U128& y)
{
    if (x.hi != y.hi) return x.hi < y.hi ? -1 : 1;
    if (x.lo != y.lo) return x.lo < y.lo ? -1 : 1;
    return 0;
}

uint64_t Magnitude(int64_t v)
{
    return v < 0 ? uint64_t(0) - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
}

int Sign(int64_t v) { return (v > 0) - (v < 0); }

}  // namespace

int SignOfDifferenceExact(int64_t a, int64_t b, int64_t c, int64_t d)
{
    const int s1 = Sign(a) * Sign(b);
    const int s2 = Sign(c) * Sign(d);
    if (s1 != s2) return s1 > s2 ? 1 : -1;
    if (s1 == 0) return 0;
    const int cmp = CompareU128(MulU64(Magnitude(a), Magnitude(b)), MulU64(Magnitude(c), Magnitude(d)));
    return s1 > 0 ? cmp : -cmp;
}

}  // namespace exactmath
