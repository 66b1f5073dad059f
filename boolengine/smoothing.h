#pragma once
// Smoothing of one closed ring of grid points: short links, nearly straight
// runs and small steps are removed. Every change removes a vertex.
#include <cstdint>
#include <vector>

#include "boolengine/lpoint.h"

namespace smoothing {
// One smoothing round; true when the ring changed. Rings of three links or
// fewer are left as they are.
bool SmoothRing(std::vector<LPoint>& ring, int64_t distance, int64_t maxLineMerge);
}  // namespace smoothing
