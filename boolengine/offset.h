#pragma once
// The band of a given half width around the boundary of a ring, as pieces
// whose union is the band: a rectangle along every link and a disc polygon
// at every vertex, so outer corners come out rounded and inner ones sharp.
#include <cstdint>
#include <vector>

#include "boolengine/lpoint.h"

namespace offset {
// Links per full circle for the given radius, arc accuracy and round factor.
int CircleSteps(double radius, double accuracy, double roundFactor);
std::vector<std::vector<LPoint>> BandPieces(const std::vector<LPoint>& ring, double halfWidth, int circleSteps);
}  // namespace offset
