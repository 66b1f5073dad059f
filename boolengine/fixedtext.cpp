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
    // a * 10^6 exactly is p + e; p is below 2^51, so floor and fraction are exact
    // and e is smaller than half the last place of p.
    const double p = a * 1e6;
    const double e = ProductError(a, 1e6, p);
    const double m = std::floor(p);
    const double f = p - m;
    bool up;
    if (f < 0.25) {
        up = false;
    } else if (f > 0.75) {
        up = true;
    } else {
        // d is a multiple of p's last place, e less than half of one.
        const double d = f - 0.5;
        up = d > 0 || (d == 0 && (e > 0 || (e == 0 && std::fmod(m, 2.0) != 0)));
    }
    const uint64_t n = static_cast<uint64_t>(m) + (up ? 1 : 0);
    // Digits from the back into a scratch area, then moved to the front.
    char buf[32];
    char* end = buf + sizeof buf;
    char* s = end;
    uint64_t frac = n % 1000000, whole = n / 1000000;
    for (int i = 0; i < 6; ++i, frac /= 10) *--s = static_cast<char>('0' + frac % 10);
    *--s = '.';
    do {
        *--s = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
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
