#pragma once
// A closed walk of result vertices with a kind per link, used while result
// polygons are collected and their holes joined to them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "boolengine/lpoint.h"

enum RingLinkKind : unsigned char { RING_PLAIN = 0, RING_HOLE = 1, RING_HOLELINK = 2 };

struct Ring {
    std::vector<LPoint> points;               // link i runs from points[i] to points[i + 1]
    std::vector<unsigned char> kinds;         // one RingLinkKind per link
    bool hole = false;
    bool alive = true;
};

namespace ringops {
// Twice the signed area (positive: counter-clockwise, y up).
long double DoubleArea(const std::vector<LPoint>& points);
// Index of the vertex with the largest y (then the largest x).
size_t TopVertex(const std::vector<LPoint>& points);
// Starts the ring at the flatter of the two links at its top vertex.
void RotateToStart(Ring& ring);
// Drops vertices equal to their predecessor.
void RemoveRepeats(Ring& ring);
// Joins every hole to the nearest ring edge straight above its top vertex.
void LinkHoles(std::vector<Ring>& rings);
}  // namespace ringops
