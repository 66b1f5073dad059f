#include "boolengine/fixedtext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The exact error of the product p = a * b (p + error == a * b), by
// splitting both factors into halves whose products are exact.
double ProductError(double a, double b, double p)
{
    const double split = 134217729.0;  // 2^27 + 1
    const double ca = split * a, cb = split * b;
    const double ah = ca - (ca - a), al = a - ah;
    const double bh = cb - (cb - b), bl = b - bh;
    return ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

}  // namespace

char* FormatFixedSix(char* out, double v)
{
    const double a = std::fabs(v);
    if (!(a < 2147483648.0)) {
        // Beyond internal coordinates (and infinities, NaN): the general path.
        return std::to_chars(out, out + kFixedSixRoom, v, std::chars_format::fixed, 6).ptr;
    }
    // a * 10^6 exactly is p + e; p is below 2^51, so its whole part (taken by
    // truncation) and fraction are exact and e is smaller than half the last
    // place of p. e only matters near a tie.
    const double p = a * 1e6;
    const uint64_t whole6 = static_cast<uint64_t>(p);
    const double f = p - static_cast<double>(whole6);
    bool up;
    if (f < 0.25) {
        up = false;
    } else if (f > 0.75) {
        up = true;
    } else {
        // d is a multiple of p's last place, e less than half of one.
        const double d = f - 0.5;
        const double e = ProductError(a, 1e6, p);
        up = d > 0 || (d == 0 && (e > 0 || (e == 0 && (whole6 & 1) != 0)));
    }
    const uint64_t n = whole6 + (up ? 1 : 0);
    // Digits from the back, two at a time, into a scratch area.
    static const char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char buf[32];
    char* end = buf + sizeof buf;
    char* s = end;
    uint32_t frac = static_cast<uint32_t>(n % 1000000);
    uint64_t whole = n / 1000000;
    for (int i = 0; i < 3; ++i, frac /= 100) {
        s -= 2;
        std::memcpy(s, kPairs + 2 * (frac % 100), 2);
    }
    *--s = '.';
    while (whole >= 100) {
        s -= 2;
        std::memcpy(s, kPairs + 2 * (whole % 100), 2);
        whole /= 100;
    }
    if (whole >= 10) {
        s -= 2;
        std::memcpy(s, kPairs + 2 * whole, 2);
    } else {
        *--s = static_cast<char>('0' + whole);
    }
    if (std::signbit(v)) *--s = '-';
    const std::size_t length = static_cast<std::size_t>(end - s);
    std::memcpy(out, s, length);
    return out + length;
}

void AppendFixedSix(std::string& out, double v)
{
    char buf[kFixedSixRoom];
    out.append(buf, static_cast<std::size_t>(FormatFixedSix(buf, v) - buf));
}
