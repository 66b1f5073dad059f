#include "boolengine/ring.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

struct Hit {
    Ring* ring = nullptr;
    size_t index = 0;        // edge index, or vertex index when atVertex
    bool atVertex = false;
    long double y = std::numeric_limits<long double>::max();
};

// Angle order around a vertex, counter-clockwise from 'from'; 'from' itself last.
int Half(int64_t fx, int64_t fy, int64_t vx, int64_t vy)
{
    const int c = exactmath::CrossSign(fx, fy, vx, vy);
    if (c > 0) return 0;
    if (c < 0) return 1;
    return exactmath::DotSign(fx, fy, vx, vy) < 0 ? 1 : 2;
}

bool AngleLess(int64_t fx, int64_t fy, int64_t ax, int64_t ay, int64_t bx, int64_t by)
{
    const int ha = Half(fx, fy, ax, ay), hb = Half(fx, fy, bx, by);
    if (ha != hb) return ha < hb;
    return exactmath::CrossSign(ax, ay, bx, by) > 0;
}

// The result lies right of every ring link: at vertex i it fills the turn
// from the outgoing link clockwise to the incoming one. The downward
// direction must lie in it for a bridge from below.
bool OpensDownwards(const std::vector<LPoint>& pts, size_t i)
{
    const size_t n = pts.size();
    const LPoint& v = pts[i];
    const LPoint& prev = pts[(i + n - 1) % n];
    const LPoint& next = pts[(i + 1) % n];
    const int64_t bx = prev.GetX() - v.GetX(), by = prev.GetY() - v.GetY();
    const int64_t ox = next.GetX() - v.GetX(), oy = next.GetY() - v.GetY();
    return AngleLess(bx, by, 0, -1, ox, oy);
}

Hit FindAbove(std::vector<Ring>& rings, const Ring* self, const LPoint& t)
{
    Hit best;
    const long double tx = static_cast<long double>(t.GetX());
    const long double ty = static_cast<long double>(t.GetY());
    for (Ring& r : rings) {
        if (!r.alive || &r == self) continue;
        const size_t n = r.points.size();
        for (size_t i = 0; i < n; ++i) {
            const LPoint& p = r.points[i];
            const LPoint& q = r.points[(i + 1) % n];
            if (p.GetX() == t.GetX() && p.GetY() > t.GetY()) {
                const long double y = static_cast<long double>(p.GetY());
                if (y < best.y) best = Hit{&r, i, true, y};
            }
            const int64_t lo = std::min(p.GetX(), q.GetX()), hi = std::max(p.GetX(), q.GetX());
            if (!(lo < t.GetX() && t.GetX() < hi)) continue;
            const long double y = static_cast<long double>(p.GetY()) +
                                  (tx - p.GetX()) * static_cast<long double>(q.GetY() - p.GetY()) /
                                      static_cast<long double>(q.GetX() - p.GetX());
            if (y > ty && y < best.y) best = Hit{&r, i, false, y};
        }
    }
    return best;
}

// Rings may visit a vertex more than once (or touch there): a bridge from
// below joins the visit that opens downwards.
void UseDownwardVisit(std::vector<Ring>& rings, const Ring* self, Hit& hit)
{
    const LPoint v = hit.ring->points[hit.index];
    for (Ring& r : rings) {
        if (!r.alive || &r == self) continue;
        for (size_t i = 0; i < r.points.size(); ++i) {
            if (r.points[i].SamePlace(v) && OpensDownwards(r.points, i)) {
                hit.ring = &r;
                hit.index = i;
                return;
            }
        }
    }
}

}  // namespace

void LinkHoles(std::vector<Ring>& rings)
{
    std::vector<size_t> holes;
    for (size_t i = 0; i < rings.size(); ++i)
        if (rings[i].alive && rings[i].hole) holes.push_back(i);
    // From the top down: whatever lies above a hole is then already whole.
    std::stable_sort(holes.begin(), holes.end(), [&rings](size_t a, size_t b) {
        const LPoint& ta = rings[a].points[TopVertex(rings[a].points)];
        const LPoint& tb = rings[b].points[TopVertex(rings[b].points)];
        return ta.GetY() > tb.GetY();
    });
    for (size_t h : holes) {
        Ring& hole = rings[h];
        const size_t top = TopVertex(hole.points);
        const LPoint t = hole.points[top];
        Hit hit = FindAbove(rings, &hole, t);
        if (!hit.ring) continue;  // nothing above: left as a separate polygon
        if (hit.atVertex) UseDownwardVisit(rings, &hole, hit);
        Ring& target = *hit.ring;
        LPoint anchor = target.points[hit.index];
        if (!hit.atVertex) anchor = LPoint(t.GetX(), static_cast<int64_t>(std::llround(hit.y)));
        std::vector<LPoint> pts;
        std::vector<unsigned char> kinds;
        const size_t n = target.points.size();
        for (size_t i = 0; i <= hit.index; ++i) {
            pts.push_back(target.points[i]);
            kinds.push_back(target.kinds[i]);
        }
        if (!hit.atVertex) {
            pts.push_back(anchor);  // splits the edge: its first part keeps its kind
            kinds.push_back(target.kinds[hit.index]);
        }
        kinds.back() = RING_HOLELINK;
        const size_t hn = hole.points.size();
        for (size_t k = 0; k < hn; ++k) {
            pts.push_back(hole.points[(top + k) % hn]);
            kinds.push_back(RING_HOLE);
        }
        pts.push_back(t);
        kinds.push_back(RING_HOLELINK);
        pts.push_back(anchor);
        kinds.push_back(target.kinds[hit.index]);
        for (size_t i = hit.index + 1; i < n; ++i) {
            pts.push_back(target.points[i]);
            kinds.push_back(target.kinds[i]);
        }
        target.points.swap(pts);
        target.kinds.swap(kinds);
        hole.alive = false;
    }
}

}  // namespace ringops
