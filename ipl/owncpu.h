// The processor's vector features, as the kernels choose their paths
// (internal). SSE2 is the floor every build is compiled for.
#ifndef IPL_OWNCPU_H
#define IPL_OWNCPU_H

enum class OwnVectorLevel { kSse2 = 1, kAvx = 2, kAvx2 = 3 };

// The highest level the processor and the system support, unless lowered.
OwnVectorLevel ownVectorLevel();

// Caps the level (tests run every path on one machine); returns the old cap.
OwnVectorLevel ownCapVectorLevel(OwnVectorLevel cap);

#endif
