#include "boolengine/ring.h"

#include <algorithm>
#include <cmath>

#include "boolengine/exactmath.h"

namespace ringops {

long double DoubleArea(const std::vector<LPoint>& pts)
{
    if (pts.size() < 3) return 0.0L;
    // Relative to the first vertex, which keeps the products small.
    const long double ox = static_cast<long double>(pts[0].GetX());
    const long double oy = static_cast<long double>(pts[0].GetY());
    long double sum = 0.0L;
    for (size_t i = 1; i + 1 < pts.size(); ++i) {
        const long double ax = pts[i].GetX() - ox, ay = pts[i].GetY() - oy;
        const long double bx = pts[i + 1].GetX() - ox, by = pts[i + 1].GetY() - oy;
        sum += ax * by - ay * bx;
    }
    return sum;
}

size_t TopVertex(const std::vector<LPoint>& pts)
{
    size_t best = 0;
    for (size_t i = 1; i < pts.size(); ++i) {
        const LPoint& p = pts[i];
        const LPoint& b = pts[best];
        if (p.GetY() > b.GetY() || (p.GetY() == b.GetY() && p.GetX() > b.GetX())) best = i;
    }
    return best;
}

namespace {

uint64_t Abs(int64_t v) { return v < 0 ? uint64_t(0) - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

// True when link p->q is strictly flatter than link r->s.
bool Flatter(const LPoint& p, const LPoint& q, const LPoint& r, const LPoint& s)
{
    const int64_t dx1 = static_cast<int64_t>(Abs(q.GetX() - p.GetX()));
    const int64_t dy1 = static_cast<int64_t>(Abs(q.GetY() - p.GetY()));
    const int64_t dx2 = static_cast<int64_t>(Abs(s.GetX() - r.GetX()));
    const int64_t dy2 = static_cast<int64_t>(Abs(s.GetY() - r.GetY()));
    return exactmath::SignOfDifference(dy1, dx2, dy2, dx1) < 0;
}

template <typename T> void RotateLeft(std::vector<T>& v, size_t first)
{
    std::rotate(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(first), v.end());
}

}  // namespace

void RotateToStart(Ring& ring)
{
    const size_t n = ring.points.size();
    if (n < 2) return;
    const size_t top = TopVertex(ring.points);
    const size_t prev = (top + n - 1) % n;
    const size_t next = (top + 1) % n;
    // The incoming link wins a tie: an outer polygon then starts at its top
    // left corner and runs to larger x.
    const bool outgoingFlatter = Flatter(ring.points[top], ring.points[next], ring.points[prev], ring.points[top]);
    const size_t start = outgoingFlatter ? top : prev;
    RotateLeft(ring.points, start);
    RotateLeft(ring.kinds, start);
}

void RemoveRepeats(Ring& ring)
{
    std::vector<LPoint> pts;
    std::vector<unsigned char> kinds;
    const size_t n = ring.points.size();
    for (size_t i = 0; i < n; ++i) {
        const LPoint& p = ring.points[i];
        if (!pts.empty() && pts.back().SamePlace(p)) {
            // The zero-length link before p goes; p's own link stays.
            kinds.back() = ring.kinds[i];
            continue;
        }
        pts.push_back(p);
        kinds.push_back(ring.kinds[i]);
    }
    while (pts.size() > 1 && pts.back().SamePlace(pts.front())) {
        pts.pop_back();
        kinds.pop_back();
    }
    ring.points.swap(pts);
    ring.kinds.swap(kinds);
}

}  // namespace ringops
