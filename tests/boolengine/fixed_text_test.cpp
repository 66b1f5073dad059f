// The key files' number form against the C library's "%f".
#include "boolengine/fixedtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Printf(double v)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%f", v);
    return buf;
}

TEST(FixedText, WritesWhatPrintfWrites)
{
    // Exact ties (k / 2^7 has a 5 in the seventh decimal), signs, zeros, the
    // general path's range, and grid coordinates as the key files scale them.
    std::vector<double> values = {0.0, -0.0, 0.0078125, 0.0234375, -0.0390625, 2.5e-7, -4e-7, 1.0, 999999.9999995,
                                  2147483647.9999998, 2147483648.0, -1e300, 123456.7890125, 1e-320};
    std::mt19937_64 rng(9);
    for (int i = 0; i < 20000; ++i) {
        const int64_t x = static_cast<int64_t>(rng() >> (2 + i % 40)) - static_cast<int64_t>(rng() >> (2 + i % 40));
        values.push_back(static_cast<double>(x) * (1.0 / 10000.0 / 10000.0));
        values.push_back(static_cast<double>(x % 100000000) / 128.0);
    }
    for (double v : values) {
        std::string text;
        AppendFixedSix(text, v);
        ASSERT_EQ(text, Printf(v)) << v;
    }
}

}  // namespace
