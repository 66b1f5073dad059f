// The processor's vector features, as the kernels choose their paths
// (internal). SSE2 is the floor every build is compiled for.
#ifndef IPL_OWNCPU_H
#define IPL_OWNCPU_H

enum class OwnVectorLevel { kSse2 = 1, kAvx = 2, kAvx2 = 3 };

// The highest level the processor and the system support, unless lowered.
OwnVectorLevel ownVectorLevel();

// Caps the level (tests run every path on one machine); returns the old cap.
OwnVectorLevel ownCapVectorLevel(OwnVectorLevel cap);

// The vector paths of the kernels, each counted once per operation that
// took it, so that a test shows which paths a build runs on its processor.
enum class OwnFastPath {
    kMirrorVectors,       // four-byte pixels or whole rows exchanged in vectors
    kMirrorAvx2,          // ... and 32 bytes at a time
    kSuperIntegers,       // super-sampling summed in integers
    kSuperHalvingPairs,   // ... halving four-channel rows two pixels a step
    kSuperHalvingAvx2,    // ... eight pixels a step
    kCubicIntegerTaps,    // two-axis 8u cubic decimation in 16-bit tap sums
    kCubicIntegerTapsAvx, // ... and four double lanes
    kCubicIntegerTapsAvx2,// ... two rows' taps per integer vector, three-byte pixels four at a time
    kTwistQuads,          // colour twist of four-byte pixels four at a time
    kTwistQuadsAvx,       // ... in four double lanes
    kNearestShufflesAvx2, // nearest-neighbour zoom of four-byte pixels by byte shuffles
    kZoomLinearAvx2,      // linear zoom of four-byte pixels, eight values a step
    kCount
};
void ownCountFastPath(OwnFastPath path);
unsigned ownFastPathCount(OwnFastPath path);

// Names for reports (tests, benchmarks): "SSE2", "AVX", "AVX2"; the paths
// as "cubic integer taps AVX2" and the like.
const char* ownVectorLevelName(OwnVectorLevel level);
const char* ownFastPathName(OwnFastPath path);

#endif
