#include "boolengine/scanbeam.h"

#include <algorithm>
#include <functional>
#include <climits>
#include <utility>

#include "boolengine/booleng.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/keyorder.h"
#include "boolengine/link.h"

namespace {

long double MidY(const BoolLink* l)
{
    return (static_cast<long double>(l->GetBeginNode()->GetY()) + static_cast<long double>(l->GetEndNode()->GetY())) / 2;
}

long double YAt(const IScanBeam::Record* r, long double x)
{
    if (x == static_cast<long double>(r->x0)) return static_cast<long double>(r->y0);
    if (x == static_cast<long double>(r->x1)) return static_cast<long double>(r->y1);
    const long double t = (x - static_cast<long double>(r->x0)) /
                          (static_cast<long double>(r->x1) - static_cast<long double>(r->x0));
    return static_cast<long double>(r->y0) +
           t * (static_cast<long double>(r->y1) - static_cast<long double>(r->y0));
}

// Sign of slope(p) - slope(q), both links running to larger x.
int CompareSlopes(const IScanBeam::Record* p, const IScanBeam::Record* q)
{
    return exactmath::SignOfDifference(p->y1 - p->y0, q->x1 - q->x0, q->y1 - q->y0, p->x1 - p->x0);
}

}  // namespace

bool IScanBeam::Order::operator()(const Record* p, const Record* q) const
{
    if (p == q) return false;
    const long double yp = YAt(p, *sweepX), yq = YAt(q, *sweepX);
    if (yp != yq) return yp > yq;
    // Equal at the probe only where the links meet: decide by slope, seen
    // from the meeting point.
    const int slope = CompareSlopes(p, q);
    if (slope != 0) {
        const bool sameLeft = p->x0 == q->x0 && p->y0 == q->y0;
        return sameLeft ? slope > 0 : slope < 0;
    }
    return p < q;  // records lie in one array, in the graph's order
}

bool IScanBeam::Order::operator()(const Record* p, const Probe& probe) const
{
    return YAt(p, probe.x) > probe.y;
}

bool IScanBeam::Order::operator()(const Probe& probe, const Record* p) const
{
    return probe.y > YAt(p, probe.x);
}

IScanBeam::IScanBeam(Bool_Engine* engine, std::vector<BoolLink*> links)
    : m_engine(engine), m_links(std::move(links)), m_winding(engine->GetWindingRule())
{
}

bool IScanBeam::Inside(int count) const { return m_winding ? count != 0 : (count % 2) != 0; }

IScanBeam::Counts IScanBeam::CountsAt(const Beam& beam, int64_t x, long double y) const
{
    // The records strictly above the point form a prefix of the beam.
    auto below = beam.lower_bound(Probe{static_cast<long double>(x), y});
    Counts c;
    if (below == beam.begin()) return c;
    --below;
    c.a = (*below)->cA;
    c.b = (*below)->cB;
    return c;
}

void IScanBeam::FlagLink(BoolLink* link, Counts above, Counts below, bool aboveIsLeft)
{
    const Counts& left = aboveIsLeft ? above : below;
    const Counts& right = aboveIsLeft ? below : above;
    link->leftA = Inside(left.a);
    link->rightA = Inside(right.a);
    link->leftB = Inside(left.b);
    link->rightB = Inside(right.b);
}

void Graph::SetGroupFlags()
{
    IScanBeam beam(m_engine, LinkVector());
    beam.SetGroupFlags();
}

void IScanBeam::SetGroupFlags()
{
    // Bundle the links that join the same two nodes: one record stands for
    // all, kept by the first of them in the graph's order. The others meet
    // it in the lists of its begin node.
    for (BoolLink* l : m_links) l->mark = false;
    std::vector<Record> records;
    std::vector<BoolLink*> verticals;
    records.reserve(m_links.size());
    for (BoolLink* keep : m_links) {
        if (keep->mark) continue;
        const Node* b = keep->GetBeginNode();
        const Node* e = keep->GetEndNode();
        const bool vertical = b->GetX() == e->GetX();
        Record r{};
        r.link = keep;
        for (BoolLink* m : b->Links()) {
            if (m != keep && (m->GetOther(b) != e || m->mark)) continue;
            if (m != keep) m->mark = true;
            if (vertical) continue;
            // Crossing a clockwise polygon's top link downwards enters it.
            const bool runsRight = m->GetEndNode()->GetX() > m->GetBeginNode()->GetX();
            m->direction = runsRight;
            const int step = m_winding ? (runsRight ? 1 : -1) : 1;
            (m->GetGroup() == GROUP_A ? r.dA : r.dB) += step;
        }
        if (vertical) {
            verticals.push_back(keep);
            continue;
        }
        const bool toRight = e->GetX() > b->GetX();
        const Node* left = toRight ? b : e;
        const Node* right = toRight ? e : b;
        r.x0 = left->GetX();
        r.y0 = left->GetY();
        r.x1 = right->GetX();
        r.y1 = right->GetY();
        records.push_back(r);
    }

    // Records start at their left end and stop at their right; verticals
    // are looked at where they stand. Each list holds indexes in x order,
    // beside it the x of each (and one past the last that never comes).
    const int64_t kNoX = INT64_MAX;
    std::vector<int64_t> keys(records.size());
    auto inOrder = [&](auto key, size_t n, std::vector<int64_t>& xs) {
        keys.resize(n);
        for (size_t i = 0; i < n; ++i) keys[i] = key(i);
        std::vector<uint32_t> order = keyorder::ByKey(keys);
        xs.resize(n + 1);
        for (size_t i = 0; i < n; ++i) xs[i] = keys[order[i]];
        xs[n] = kNoX;
        return order;
    };
    std::vector<int64_t> startXs, endXs, uprightXs;
    const std::vector<uint32_t> starts = inOrder([&](size_t i) { return records[i].x0; }, records.size(), startXs);
    const std::vector<uint32_t> ends = inOrder([&](size_t i) { return records[i].x1; }, records.size(), endXs);
    const std::vector<uint32_t> upright =
        inOrder([&](size_t i) { return verticals[i]->GetBeginNode()->GetX(); }, verticals.size(), uprightXs);
    std::vector<int64_t>().swap(keys);
    auto nextEvent = [&](size_t s, size_t e, size_t u) {
        return std::min(startXs[s], std::min(endXs[e], uprightXs[u]));
    };

    long double sweepX = 0.0L;
    ChunkArena arena;
    Beam beam(Order{&sweepX}, ArenaAllocator<Record*>(&arena));
    std::vector<Beam::iterator> where(records.size());
    size_t nextStart = 0, nextEnd = 0, nextVertical = 0;
    std::vector<Counts> leftOfVertical;
    std::vector<Record*> starting;
    for (;;) {
        const int64_t x = nextEvent(nextStart, nextEnd, nextVertical);
        if (x == kNoX) break;
        const size_t firstVertical = nextVertical;
        while (uprightXs[nextVertical] == x) ++nextVertical;
        leftOfVertical.clear();
        for (size_t v = firstVertical; v < nextVertical; ++v)
            leftOfVertical.push_back(CountsAt(beam, x, MidY(verticals[upright[v]])));
        for (; endXs[nextEnd] == x; ++nextEnd) beam.erase(where[ends[nextEnd]]);
        starting.clear();
        for (; startXs[nextStart] == x; ++nextStart)
            starting.push_back(&records[starts[nextStart]]);
        const int64_t nextX = nextEvent(nextStart, nextEnd, nextVertical);
        if (nextX != kNoX) {
            sweepX = (static_cast<long double>(x) + static_cast<long double>(nextX)) / 2;
            // From the top down, so the record above a new one always holds
            // final counts (the count just below a link is the same all along it).
            std::sort(starting.begin(), starting.end(), Order{&sweepX});
            Beam::iterator placed = beam.end();
            for (Record* r : starting) {
                // Records starting together often lie together: the place
                // after the one just made is tried first.
                placed = placed == beam.end() ? beam.insert(r).first : beam.insert(std::next(placed), r);
                where[static_cast<size_t>(r - records.data())] = placed;
                Counts above;
                if (placed != beam.begin()) {
                    auto up = std::prev(placed);
                    above.a = (*up)->cA;
                    above.b = (*up)->cB;
                }
                Counts below{above.a + r->dA, above.b + r->dB};
                r->cA = below.a;
                r->cB = below.b;
                const bool runsRight = r->link->GetEndNode()->GetX() > r->link->GetBeginNode()->GetX();
                FlagLink(r->link, above, below, runsRight);
            }
        }
        for (size_t v = firstVertical; v < nextVertical; ++v) {
            BoolLink* l = verticals[upright[v]];
            const Counts right = CountsAt(beam, x, MidY(l));
            const Counts& left = leftOfVertical[v - firstVertical];
            // Looking up along the link, its left side is the smaller x.
            const bool up = l->GetEndNode()->GetY() > l->GetBeginNode()->GetY();
            l->direction = !up;
            FlagLink(l, up ? left : right, up ? right : left, true);
        }
    }
}
