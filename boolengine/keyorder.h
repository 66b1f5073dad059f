#pragma once
// Orders of items by 64-bit keys for the sweeps: a stable radix sort of
// item numbers, so equal keys keep the order the numbers had. That is the
// order a sort of (key, number) pairs gives, or a stable sort by the key,
// in a few linear passes instead of n log n comparisons.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace keyorder {

// Sorts 'order' (item numbers) stably by keys[item], ascending.
inline void StableByKey(std::vector<uint32_t>& order, const std::vector<int64_t>& keys)
{
    const size_t n = order.size();
    if (n < 2) return;
    int64_t lo = keys[order[0]], hi = lo;
    for (uint32_t i : order) {
        lo = std::min(lo, keys[i]);
        hi = std::max(hi, keys[i]);
    }
    // Keys relative to the smallest, taken unsigned, cannot overflow.
    uint64_t range = static_cast<uint64_t>(hi) - static_cast<uint64_t>(lo);
    if (range == 0) return;
    if (n < 48) {
        std::stable_sort(order.begin(), order.end(), [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        return;
    }
    int bits = 0;
    while (bits < 64 && (range >> bits) != 0) ++bits;
    // Digits of up to 11 bits: counts stay in the first-level cache. One
    // walk counts the digits of every pass; a pass whose digit is the same
    // for all items is skipped.
    const int passes = (bits + 10) / 11;
    const int width = (bits + passes - 1) / passes;
    const uint64_t mask = (uint64_t(1) << width) - 1;
    const size_t buckets = size_t(mask) + 1;
    // Only the numbers move; their keys are looked up, which costs less
    // than moving keys beside them and needs a tenth of the memory.
    std::vector<uint32_t> other(n);
    std::vector<uint32_t> count(buckets * static_cast<size_t>(passes), 0u);
    const uint64_t base = static_cast<uint64_t>(lo);
    for (uint32_t i : order) {
        const uint64_t key = static_cast<uint64_t>(keys[i]) - base;
        for (int p = 0; p < passes; ++p) ++count[size_t(p) * buckets + ((key >> (p * width)) & mask)];
    }
    for (int p = 0; p < passes; ++p) {
        uint32_t* c = &count[size_t(p) * buckets];
        const int shift = p * width;
        if (c[((static_cast<uint64_t>(keys[order[0]]) - base) >> shift) & mask] == n) continue;
        uint32_t sum = 0;
        for (size_t d = 0; d < buckets; ++d) {
            const uint32_t here = c[d];
            c[d] = sum;
            sum += here;
        }
        for (uint32_t i : order) other[c[((static_cast<uint64_t>(keys[i]) - base) >> shift) & mask]++] = i;
        order.swap(other);
    }
}

// The numbers 0..keys.size()-1 by key, equal keys by number.
inline std::vector<uint32_t> ByKey(const std::vector<int64_t>& keys)
{
    std::vector<uint32_t> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    StableByKey(order, keys);
    return order;
}

}  // namespace keyorder
