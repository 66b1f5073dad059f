#include "boolengine/smoothing.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>

#include "boolengine/exactmath.h"

namespace smoothing {
namespace {

double Length(const LPoint& a, const LPoint& b)
{
    const double dx = static_cast<double>(b.GetX() - a.GetX());
    const double dy = static_cast<double>(b.GetY() - a.GetY());
    return std::sqrt(dx * dx + dy * dy);
}

double LineDistance(const LPoint& p, const LPoint& a, const LPoint& b)
{
    const double len = Length(a, b);
    if (len == 0.0) return Length(p, a);
    const double dx = static_cast<double>(b.GetX() - a.GetX());
    const double dy = static_cast<double>(b.GetY() - a.GetY());
    const double px = static_cast<double>(p.GetX() - a.GetX());
    const double py = static_cast<double>(p.GetY() - a.GetY());
    return std::fabs(dx * py - dy * px) / len;
}

bool InBox(const LPoint& p, const LPoint& a, const LPoint& b, double widen)
{
    const double x = static_cast<double>(p.GetX()), y = static_cast<double>(p.GetY());
    return x >= static_cast<double>(std::min(a.GetX(), b.GetX())) - widen &&
           x <= static_cast<double>(std::max(a.GetX(), b.GetX())) + widen &&
           y >= static_cast<double>(std::min(a.GetY(), b.GetY())) - widen &&
           y <= static_cast<double>(std::max(a.GetY(), b.GetY())) + widen;
}

// On the line a->b exactly, but outside the segment.
bool OnLineOutside(const LPoint& p, const LPoint& a, const LPoint& b)
{
    if (a.SamePlace(b)) return false;
    if (exactmath::Orientation(a.GetX(), a.GetY(), b.GetX(), b.GetY(), p.GetX(), p.GetY()) != 0) return false;
    return !InBox(p, a, b, 0.0);
}

// Within d of the segment a->b (the line within d, the box widened by d).
bool OnSegment(const LPoint& p, const LPoint& a, const LPoint& b, double d)
{
    if (p.SamePlace(a) || p.SamePlace(b)) return true;
    if (a.SamePlace(b)) return false;
    return LineDistance(p, a, b) <= d && InBox(p, a, b, d);
}

// Crossing of the lines p1->p2 and p3->p4; false when parallel or degenerate.
bool LineCross(const LPoint& p1, const LPoint& p2, const LPoint& p3, const LPoint& p4, LPoint& out)
{
    const long double a1 = p2.GetY() - p1.GetY(), b1 = p1.GetX() - p2.GetX();
    const long double a2 = p4.GetY() - p3.GetY(), b2 = p3.GetX() - p4.GetX();
    const long double c1 = a1 * p1.GetX() + b1 * p1.GetY();
    const long double c2 = a2 * p3.GetX() + b2 * p3.GetY();
    const long double det = a1 * b2 - a2 * b1;
    if (det == 0.0L) return false;
    const long double x = (c1 * b2 - c2 * b1) / det;
    const long double y = (a1 * c2 - a2 * c1) / det;
    if (!std::isfinite(static_cast<double>(x)) || !std::isfinite(static_cast<double>(y))) return false;
    if (std::fabs(static_cast<double>(x)) > 4.5e15 || std::fabs(static_cast<double>(y)) > 4.5e15) return false;
    out = LPoint(static_cast<int64_t>(x), static_cast<int64_t>(y));
    return true;
}

struct Ring {
    std::vector<LPoint>& p;
    size_t Size() const { return p.size(); }
    size_t At(size_t i, long offset) const
    {
        const long n = static_cast<long>(p.size());
        return static_cast<size_t>(((static_cast<long>(i) + offset) % n + n) % n);
    }
    void Remove(size_t i) { p.erase(p.begin() + static_cast<std::ptrdiff_t>(i)); }
};

// Step 1: one pass over the links, removing short links and vertices whose
// neighbour continues their link backwards.
bool FirstPass(Ring r, double d)
{
    bool changed = false;
    const size_t passes = r.Size();
    size_t i = 0;
    for (size_t step = 0; step < passes && r.Size() > 3 && i < r.Size(); ++step) {
        const size_t ib = r.At(i, 1);
        const LPoint a = r.p[i], b = r.p[ib];
        if (a.SamePlace(b) || b.ShorterThan(a, d)) {
            r.Remove(ib);
            if (ib < i) --i;
            changed = true;
            continue;
        }
        const LPoint prev = r.p[r.At(i, -1)], next = r.p[r.At(i, 2)];
        if (OnLineOutside(prev, a, b)) {
            r.Remove(i);
            changed = true;
        } else if (OnLineOutside(next, a, b)) {
            r.Remove(ib);
            if (ib < i) --i;
            changed = true;
        } else {
            ++i;
        }
    }
    return changed;
}

// Applies the rules of step 2 to link i; true when the ring changed.
bool SmoothLink(Ring r, size_t i, double d, double maxLine)
{
    const size_t ia = i, ib = r.At(i, 1), ip = r.At(i, -1), iq = r.At(i, 2);
    const LPoint a = r.p[ia], b = r.p[ib], p = r.p[ip], q = r.p[iq];
    auto removeA = [&] { r.Remove(ia); };
    auto removeB = [&] { r.Remove(ib); };
    if (b.ShorterThan(a, 1.0)) return removeB(), true;
    if (b.ShorterThan(p, d)) return removeA(), true;
    if (a.ShorterThan(q, d)) return removeB(), true;
    const bool mergeA = OnSegment(a, p, b, d) && Length(p, b) <= maxLine;
    const bool mergeB = OnSegment(b, a, q, d) && Length(a, q) <= maxLine;
    if (mergeA && mergeB) {
        if (LineDistance(a, p, b) <= LineDistance(b, a, q))
            removeA();
        else
            removeB();
        return true;
    }
    if (mergeA) return removeA(), true;
    if (mergeB) return removeB(), true;
    if (OnLineOutside(p, a, b)) return removeA(), true;
    if (OnLineOutside(q, a, b)) return removeB(), true;
    LPoint cross;
    if (OnSegment(a, b, q, d)) {
        if (LineCross(p, a, b, q, cross) && OnSegment(cross, b, q, d)) {
            r.p[ib] = cross;
            removeA();
        } else {
            removeB();
        }
        return true;
    }
    if (OnSegment(b, p, a, d)) {
        if (LineCross(p, a, b, q, cross) && OnSegment(cross, p, a, d)) {
            r.p[ia] = cross;
            removeB();
        } else {
            removeA();
        }
        return true;
    }
    return false;
}

bool SecondPass(Ring r, double d, double maxLine)
{
    bool changed = false;
    while (r.Size() > 3) {
        std::vector<size_t> order(r.Size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::vector<double> length(r.Size());
        for (size_t i = 0; i < r.Size(); ++i) length[i] = Length(r.p[i], r.p[r.At(i, 1)]);
        std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return length[x] < length[y]; });
        bool any = false;
        for (size_t i : order) {
            const size_t before = r.Size();
            if (SmoothLink(r, i, d, maxLine)) {
                assert(r.Size() < before);  // every change removes a vertex
                (void)before;
                any = changed = true;
                break;
            }
        }
        if (!any) break;
    }
    return changed;
}

}  // namespace

bool SmoothRing(std::vector<LPoint>& ring, int64_t distance, int64_t maxLineMerge)
{
    if (ring.size() <= 3) return false;
    const double d = static_cast<double>(distance);
    const bool first = FirstPass(Ring{ring}, d);
    const bool second = ring.size() > 3 && SecondPass(Ring{ring}, d, static_cast<double>(maxLineMerge));
    return first || second;
}

}  // namespace smoothing
