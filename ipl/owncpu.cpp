#include "ipl/owncpu.h"

#include <atomic>
#include <cstddef>

namespace {

OwnVectorLevel detect()
{
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __builtin_cpu_init();
    // The compiler's checks of AVX and AVX2 include the system's saving of
    // their registers.
    if (__builtin_cpu_supports("avx2"))
        return OwnVectorLevel::kAvx2;
    if (__builtin_cpu_supports("avx"))
        return OwnVectorLevel::kAvx;
#endif
    return OwnVectorLevel::kSse2;
}

std::atomic<int> g_cap{static_cast<int>(OwnVectorLevel::kAvx2)};
std::atomic<unsigned> g_fastPaths[static_cast<int>(OwnFastPath::kCount)];

} // namespace

OwnVectorLevel ownVectorLevel()
{
    static const OwnVectorLevel found = detect();
    const int cap = g_cap.load(std::memory_order_relaxed);
    return static_cast<int>(found) < cap ? found : static_cast<OwnVectorLevel>(cap);
}

OwnVectorLevel ownCapVectorLevel(OwnVectorLevel cap)
{
    return static_cast<OwnVectorLevel>(g_cap.exchange(static_cast<int>(cap)));
}

void ownCountFastPath(OwnFastPath path)
{
    g_fastPaths[static_cast<int>(path)].fetch_add(1, std::memory_order_relaxed);
}

unsigned ownFastPathCount(OwnFastPath path)
{
    return g_fastPaths[static_cast<int>(path)].load(std::memory_order_relaxed);
}

const char* ownVectorLevelName(OwnVectorLevel level)
{
    switch (level) {
    case OwnVectorLevel::kSse2: return "SSE2";
    case OwnVectorLevel::kAvx: return "AVX";
    case OwnVectorLevel::kAvx2: return "AVX2";
    }
    return "?";
}

const char* ownFastPathName(OwnFastPath path)
{
    // In the order of OwnFastPath.
    static const char* const names[] = {
        "mirror vectors",
        "mirror AVX2",
        "super-sampling integers",
        "super-sampling halving pairs",
        "super-sampling halving AVX2",
        "cubic integer taps",
        "cubic integer taps AVX",
        "cubic integer taps AVX2",
        "twist quads",
        "twist quads AVX",
        "nearest shuffles AVX2",
        "linear zoom AVX2",
    };
    static_assert(sizeof names / sizeof names[0] == static_cast<size_t>(OwnFastPath::kCount), "a name per path");
    const int i = static_cast<int>(path);
    return i >= 0 && i < static_cast<int>(OwnFastPath::kCount) ? names[i] : "?";
}
