#include <cmath>

#include "boolengine/booleng.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"

namespace {

// Distance of p from the line through a and b (from a itself when a == b).
double DistanceToLine(const LPoint& p, const LPoint& a, const LPoint& b)
{
    const double dx = static_cast<double>(b.GetX() - a.GetX());
    const double dy = static_cast<double>(b.GetY() - a.GetY());
    const double px = static_cast<double>(p.GetX() - a.GetX());
    const double py = static_cast<double>(p.GetY() - a.GetY());
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return std::sqrt(px * px + py * py);
    return std::fabs(dx * py - dy * px) / length;
}

bool OnLine(const LPoint& p, const LPoint& a, const LPoint& b, int64_t marge)
{
    if (marge <= 0)
        return exactmath::Orientation(a.GetX(), a.GetY(), b.GetX(), b.GetY(), p.GetX(), p.GetY()) == 0;
    return DistanceToLine(p, a, b) <= static_cast<double>(marge);
}

}  // namespace

bool Graph::Simplify(int64_t marge)
{
    const BoolLink* first = GetFirstLink();
    if (!first) return false;
    const GroupType group = first->GetGroup();
    const int graphnum = first->GetGraphNum();
    std::vector<LPoint> pts = RingPoints();
    if (static_cast<int>(pts.size()) != GetNumberOfLinks()) return false;  // not a ring
    bool changed = false;
    bool again = true;
    while (again && pts.size() >= 3) {
        again = false;
        // One pass in place: the kept points gather at the front [0, w), the
        // points still to judge are [r, n). A point is judged between the last
        // kept point (or, before any, the last point of all) and the next one.
        const size_t n = pts.size();
        size_t w = 0, r = 0;
        while (r < n && w + (n - r) >= 3) {
            const LPoint& prev = w > 0 ? pts[w - 1] : pts[n - 1];
            const LPoint& next = r + 1 < n ? pts[r + 1] : pts[0];
            const LPoint& cur = pts[r];
            // A point close to its predecessor, or one that lies on the line
            // of its neighbours (a straight run or a spike), carries no shape.
            if (cur.Equal(prev, marge) || OnLine(cur, prev, next, marge)) {
                changed = again = true;
            } else {
                pts[w++] = cur;
            }
            ++r;
        }
        // Points not judged when fewer than three were left stay as they are.
        for (; r < n; ++r) pts[w++] = pts[r];
        pts.resize(w);
    }
    // Two points left: they are one and the same place or a spike.
    if (!changed) return false;
    DeleteLinks([](BoolLink*) { return true; });
    AddRing(pts, group, graphnum);
    return true;
}
