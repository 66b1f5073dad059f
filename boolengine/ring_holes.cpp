// Joining every hole of the result to the ring straight above it, so that
// each result polygon can be handed out as one closed walk.
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "boolengine/exactmath.h"
#include "boolengine/ring.h"

namespace ringops {

namespace {

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

// All ring vertices in one pool, linked, so a hole is spliced in at once.
struct Vertex {
    LPoint p;
    int next, prev;
    unsigned char kind;  // of the link to next
};

struct Edge {
    int start;  // pool vertex the link leaves from
    int64_t x0, y0, x1, y1;  // left and right end
};

long double YAt(const Edge& e, long double x)
{
    if (x == static_cast<long double>(e.x0)) return static_cast<long double>(e.y0);
    if (x == static_cast<long double>(e.x1)) return static_cast<long double>(e.y1);
    return static_cast<long double>(e.y0) + (x - static_cast<long double>(e.x0)) *
                                                static_cast<long double>(e.y1 - e.y0) /
                                                static_cast<long double>(e.x1 - e.x0);
}

struct Probe {
    long double x, y;
};

// Result boundaries do not cross, so the order by height at the sweep
// position stays valid while the sweep moves on.
struct EdgeOrder {
    using is_transparent = void;
    const std::vector<Edge>* edges;
    const long double* sweepX;
    bool operator()(int a, int b) const
    {
        if (a == b) return false;
        const long double ya = YAt((*edges)[static_cast<size_t>(a)], *sweepX);
        const long double yb = YAt((*edges)[static_cast<size_t>(b)], *sweepX);
        if (ya != yb) return ya > yb;
        return a < b;
    }
    bool operator()(int a, const Probe& q) const { return YAt((*edges)[static_cast<size_t>(a)], q.x) > q.y; }
    bool operator()(const Probe& q, int a) const { return q.y > YAt((*edges)[static_cast<size_t>(a)], q.x); }
};

struct Hit {
    int edge = -1;  // edge index, or -1 for a vertex hit
    LPoint vertex;  // the vertex hit
    long double y = std::numeric_limits<long double>::max();
    bool found = false;
};

// For every query point, the nearest ring edge or vertex straight above it.
std::vector<Hit> FindAbove(const std::vector<Vertex>& pool, const std::vector<Edge>& edges,
                           const std::vector<LPoint>& queries)
{
    std::vector<Hit> hits(queries.size());
    std::vector<int64_t> xs;
    for (const Edge& e : edges) {
        xs.push_back(e.x0);
        xs.push_back(e.x1);
    }
    for (const LPoint& q : queries) xs.push_back(q.GetX());
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    std::vector<int> byStart(edges.size()), byEnd(edges.size()), byQuery(queries.size());
    for (size_t i = 0; i < edges.size(); ++i) byStart[i] = byEnd[i] = static_cast<int>(i);
    for (size_t i = 0; i < queries.size(); ++i) byQuery[i] = static_cast<int>(i);
    std::sort(byStart.begin(), byStart.end(), [&](int a, int b) { return edges[size_t(a)].x0 < edges[size_t(b)].x0; });
    std::sort(byEnd.begin(), byEnd.end(), [&](int a, int b) { return edges[size_t(a)].x1 < edges[size_t(b)].x1; });
    std::sort(byQuery.begin(), byQuery.end(),
              [&](int a, int b) { return queries[size_t(a)].GetX() < queries[size_t(b)].GetX(); });

    // Vertices by x, for rays that meet a vertex exactly.
    std::vector<LPoint> vertices;
    for (const Vertex& v : pool) vertices.push_back(v.p);
    std::sort(vertices.begin(), vertices.end(), [](const LPoint& a, const LPoint& b) {
        return a.GetX() != b.GetX() ? a.GetX() < b.GetX() : a.GetY() < b.GetY();
    });

    long double sweepX = 0.0L;
    std::set<int, EdgeOrder> beam(EdgeOrder{&edges, &sweepX});
    std::vector<std::set<int, EdgeOrder>::iterator> where(edges.size());
    size_t nextStart = 0, nextEnd = 0, nextQuery = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
        const int64_t x = xs[i];
        while (nextEnd < byEnd.size() && edges[size_t(byEnd[nextEnd])].x1 == x) beam.erase(where[size_t(byEnd[nextEnd++])]);
        while (nextQuery < byQuery.size() && queries[size_t(byQuery[nextQuery])].GetX() == x) {
            const LPoint& t = queries[size_t(byQuery[nextQuery])];
            Hit& hit = hits[size_t(byQuery[nextQuery++])];
            auto below = beam.lower_bound(Probe{static_cast<long double>(x), static_cast<long double>(t.GetY())});
            if (below != beam.begin()) {
                const int e = *std::prev(below);
                hit = Hit{e, LPoint(), YAt(edges[size_t(e)], static_cast<long double>(x)), true};
            }
            auto v = std::upper_bound(vertices.begin(), vertices.end(), t, [](const LPoint& a, const LPoint& b) {
                return a.GetX() != b.GetX() ? a.GetX() < b.GetX() : a.GetY() < b.GetY();
            });
            if (v != vertices.end() && v->GetX() == x && static_cast<long double>(v->GetY()) <= hit.y)
                hit = Hit{-1, *v, static_cast<long double>(v->GetY()), true};
        }
        if (i + 1 < xs.size()) {
            sweepX = (static_cast<long double>(x) + static_cast<long double>(xs[i + 1])) / 2;
            while (nextStart < byStart.size() && edges[size_t(byStart[nextStart])].x0 == x) {
                const int e = byStart[nextStart++];
                where[size_t(e)] = beam.insert(e).first;
            }
        }
    }
    return hits;
}

// The result lies right of every ring link: at a vertex it fills the turn
// from the outgoing link clockwise to the incoming one. A bridge from below
// must arrive inside it.
bool OpensDownwards(const std::vector<Vertex>& pool, int i)
{
    const LPoint& v = pool[size_t(i)].p;
    const LPoint& prev = pool[size_t(pool[size_t(i)].prev)].p;
    const LPoint& next = pool[size_t(pool[size_t(i)].next)].p;
    const int64_t bx = prev.GetX() - v.GetX(), by = prev.GetY() - v.GetY();
    const int64_t ox = next.GetX() - v.GetX(), oy = next.GetY() - v.GetY();
    return AngleLess(bx, by, 0, -1, ox, oy);
}

int AddVertex(std::vector<Vertex>& pool, const LPoint& p, unsigned char kind)
{
    pool.push_back(Vertex{p, -1, -1, kind});
    return static_cast<int>(pool.size()) - 1;
}

// Splices the hole whose top vertex is t in after vertex s, through the
// bridge vertex a (a == s for a vertex hit: then s is entered twice).
void Splice(std::vector<Vertex>& pool, int s, int a, int t)
{
    const int oldNext = pool[size_t(s)].next;
    const unsigned char oldKind = pool[size_t(s)].kind;
    const int holeLast = pool[size_t(t)].prev;
    const int tCopy = AddVertex(pool, pool[size_t(t)].p, RING_HOLELINK);
    const int aCopy = AddVertex(pool, pool[size_t(a)].p, oldKind);
    if (a != s) {
        pool[size_t(s)].next = a;
        pool[size_t(a)].prev = s;
    }
    pool[size_t(a)].kind = RING_HOLELINK;
    pool[size_t(a)].next = t;
    pool[size_t(t)].prev = a;
    pool[size_t(holeLast)].next = tCopy;
    pool[size_t(tCopy)].prev = holeLast;
    pool[size_t(tCopy)].next = aCopy;
    pool[size_t(aCopy)].prev = tCopy;
    pool[size_t(aCopy)].next = oldNext;
    pool[size_t(oldNext)].prev = aCopy;
}

// A vertex of another boundary at the place of the hole's top vertex t
// whose result turn holds the hole; -1 when there is none.
int TouchingVertex(const std::vector<Vertex>& pool, const std::multimap<std::pair<int64_t, int64_t>, int>& byPlace,
                   int t)
{
    const LPoint& p = pool[size_t(t)].p;
    auto range = byPlace.equal_range(std::make_pair(p.GetX(), p.GetY()));
    std::set<int> own;
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == t || !OpensDownwards(pool, it->second)) continue;
        if (own.empty()) {
            // Holes spliced in before belong to this hole's walk now.
            int v = t;
            do {
                own.insert(v);
                v = pool[size_t(v)].next;
            } while (v != t);
        }
        if (!own.count(it->second)) return it->second;
    }
    return -1;
}

}  // namespace

void LinkHoles(std::vector<Ring>& rings)
{
    std::vector<Vertex> pool;
    std::vector<int> first(rings.size(), -1);
    std::vector<Edge> edges;
    for (size_t r = 0; r < rings.size(); ++r) {
        if (!rings[r].alive) continue;
        const int n = static_cast<int>(rings[r].points.size());
        const int base = static_cast<int>(pool.size());
        first[r] = base;
        for (int i = 0; i < n; ++i)
            pool.push_back(Vertex{rings[r].points[size_t(i)], base + (i + 1) % n, base + (i + n - 1) % n,
                                  rings[r].kinds[size_t(i)]});
        for (int i = 0; i < n; ++i) {
            const LPoint& p = pool[size_t(base + i)].p;
            const LPoint& q = pool[size_t(base + (i + 1) % n)].p;
            if (p.GetX() == q.GetX()) continue;  // an upward ray meets it in a vertex
            const bool right = q.GetX() > p.GetX();
            const LPoint& l = right ? p : q;
            const LPoint& h = right ? q : p;
            edges.push_back(Edge{base + i, l.GetX(), l.GetY(), h.GetX(), h.GetY()});
        }
    }
    std::vector<size_t> holes;
    std::vector<LPoint> tops;
    std::vector<int> topVertex;
    for (size_t r = 0; r < rings.size(); ++r) {
        if (!rings[r].alive || !rings[r].hole) continue;
        const size_t top = TopVertex(rings[r].points);
        holes.push_back(r);
        tops.push_back(rings[r].points[top]);
        topVertex.push_back(first[r] + static_cast<int>(top));
    }
    if (holes.empty()) return;
    const std::vector<Hit> hits = FindAbove(pool, edges, tops);

    // Vertices by place, for bridges that end in a vertex.
    std::multimap<std::pair<int64_t, int64_t>, int> byPlace;
    for (size_t i = 0; i < pool.size(); ++i) byPlace.emplace(std::make_pair(pool[i].p.GetX(), pool[i].p.GetY()), int(i));
    // Splits made so far on each edge: (x of the split, vertex after the bridge).
    std::map<int, std::vector<std::pair<int64_t, int>>> splits;

    for (size_t h = 0; h < holes.size(); ++h) {
        const LPoint& t = tops[h];
        // A hole touching another boundary at its top vertex is entered
        // right there: no bridge is needed, and the ray above may meet
        // nothing at all.
        const int touching = TouchingVertex(pool, byPlace, topVertex[h]);
        if (touching >= 0) {
            Splice(pool, touching, touching, topVertex[h]);
            byPlace.emplace(std::make_pair(t.GetX(), t.GetY()), int(pool.size()) - 1);
            rings[holes[h]].alive = false;
            continue;
        }
        const Hit& hit = hits[h];
        if (!hit.found) continue;  // nothing above: left as a separate polygon
        if (hit.edge < 0) {
            int s = -1;
            auto range = byPlace.equal_range(std::make_pair(hit.vertex.GetX(), hit.vertex.GetY()));
            for (auto it = range.first; it != range.second && s < 0; ++it)
                if (OpensDownwards(pool, it->second)) s = it->second;
            if (s < 0) continue;
            Splice(pool, s, s, topVertex[h]);
            byPlace.emplace(std::make_pair(hit.vertex.GetX(), hit.vertex.GetY()), int(pool.size()) - 1);
        } else {
            const Edge& e = edges[size_t(hit.edge)];
            // The piece of the edge that now holds x: after the nearest split
            // made before x, walking from the edge's start.
            const int64_t startX = pool[size_t(e.start)].p.GetX();
            const bool ascending = startX == e.x0;
            int s = e.start;
            int64_t best = startX;
            for (const auto& split : splits[hit.edge]) {
                const bool before = ascending ? split.first < t.GetX() : split.first > t.GetX();
                const bool nearer = ascending ? split.first > best : split.first < best;
                if (before && nearer) {
                    best = split.first;
                    s = split.second;
                }
            }
            const int a = AddVertex(pool, LPoint(t.GetX(), static_cast<int64_t>(std::llround(hit.y))), RING_HOLELINK);
            Splice(pool, s, a, topVertex[h]);
            splits[hit.edge].emplace_back(t.GetX(), int(pool.size()) - 1);
        }
        rings[holes[h]].alive = false;
    }

    for (size_t r = 0; r < rings.size(); ++r) {
        if (!rings[r].alive) continue;
        Ring& ring = rings[r];
        ring.points.clear();
        ring.kinds.clear();
        int v = first[r];
        do {
            ring.points.push_back(pool[size_t(v)].p);
            ring.kinds.push_back(pool[size_t(v)].kind);
            v = pool[size_t(v)].next;
        } while (v != first[r]);
    }
}

}  // namespace ringops
