#include "boolengine/scanbeam.h"

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "boolengine/booleng.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/link.h"

namespace {

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
    return p->sequence < q->sequence;
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
    // Bundle the links that join the same two nodes: one record stands for all.
    // Sorted by their node pair, links of one pair in their own order.
    using Pair = std::pair<const Node*, const Node*>;
    std::vector<std::pair<Pair, BoolLink*>> byPair;
    byPair.reserve(m_links.size());
    for (BoolLink* l : m_links) {
        l->mark = false;
        const Node* b = l->GetBeginNode();
        const Node* e = l->GetEndNode();
        byPair.emplace_back(b < e ? Pair(b, e) : Pair(e, b), l);
    }
    std::stable_sort(byPair.begin(), byPair.end(),
                     [](const std::pair<Pair, BoolLink*>& p, const std::pair<Pair, BoolLink*>& q) {
                         return std::less<Pair>()(p.first, q.first);
                     });

    std::vector<Record> records;
    std::vector<BoolLink*> verticals;
    records.reserve(byPair.size());
    uint64_t sequence = 0;
    std::vector<BoolLink*> members;
    for (size_t first = 0; first < byPair.size();) {
        size_t last = first + 1;
        while (last < byPair.size() && byPair[last].first == byPair[first].first) ++last;
        members.clear();
        for (size_t i = first; i < last; ++i) members.push_back(byPair[i].second);
        first = last;
        BoolLink* keep = members.front();
        for (size_t i = 1; i < members.size(); ++i) members[i]->mark = true;
        const Node* b = keep->GetBeginNode();
        const Node* e = keep->GetEndNode();
        if (b->GetX() == e->GetX()) {
            verticals.push_back(keep);
            continue;
        }
        Record r{};
        r.link = keep;
        const bool toRight = e->GetX() > b->GetX();
        const Node* left = toRight ? b : e;
        const Node* right = toRight ? e : b;
        r.x0 = left->GetX();
        r.y0 = left->GetY();
        r.x1 = right->GetX();
        r.y1 = right->GetY();
        for (BoolLink* m : members) {
            // Crossing a clockwise polygon's top link downwards enters it.
            const bool runsRight = m->GetEndNode()->GetX() > m->GetBeginNode()->GetX();
            m->direction = runsRight;
            const int step = m_winding ? (runsRight ? 1 : -1) : 1;
            (m->GetGroup() == GROUP_A ? r.dA : r.dB) += step;
        }
        r.sequence = sequence++;
        records.push_back(r);
    }

    std::vector<std::pair<Pair, BoolLink*>>().swap(byPair);  // not needed in the sweep

    // Events per x: records start at their left end and stop at their right.
    std::vector<int64_t> xs;
    xs.reserve(records.size() * 2 + verticals.size());
    for (const Record& r : records) {
        xs.push_back(r.x0);
        xs.push_back(r.x1);
    }
    for (const BoolLink* v : verticals) xs.push_back(v->GetBeginNode()->GetX());
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

    std::vector<Record*> byStart, byEnd;
    for (Record& r : records) {
        byStart.push_back(&r);
        byEnd.push_back(&r);
    }
    std::sort(byStart.begin(), byStart.end(), [](const Record* p, const Record* q) { return p->x0 < q->x0; });
    std::sort(byEnd.begin(), byEnd.end(), [](const Record* p, const Record* q) { return p->x1 < q->x1; });
    std::sort(verticals.begin(), verticals.end(), [](const BoolLink* p, const BoolLink* q) {
        return p->GetBeginNode()->GetX() < q->GetBeginNode()->GetX();
    });

    long double sweepX = 0.0L;
    Beam beam(Order{&sweepX});
    std::vector<Beam::iterator> where(records.size());
    size_t nextStart = 0, nextEnd = 0, nextVertical = 0;
    std::vector<Counts> leftOfVertical;
    for (size_t i = 0; i < xs.size(); ++i) {
        const int64_t x = xs[i];
        const size_t firstVertical = nextVertical;
        while (nextVertical < verticals.size() && verticals[nextVertical]->GetBeginNode()->GetX() == x) ++nextVertical;
        leftOfVertical.clear();
        for (size_t v = firstVertical; v < nextVertical; ++v) {
            const BoolLink* l = verticals[v];
            const long double ymid = (static_cast<long double>(l->GetBeginNode()->GetY()) +
                                      static_cast<long double>(l->GetEndNode()->GetY())) / 2;
            leftOfVertical.push_back(CountsAt(beam, x, ymid));
        }
        while (nextEnd < byEnd.size() && byEnd[nextEnd]->x1 == x) {
            Record* r = byEnd[nextEnd++];
            beam.erase(where[static_cast<size_t>(r - records.data())]);
        }
        if (i + 1 < xs.size()) {
            sweepX = (static_cast<long double>(x) + static_cast<long double>(xs[i + 1])) / 2;
            // From the top down, so the record above a new one always holds
            // final counts (the count just below a link is the same all along it).
            std::vector<Record*> starting;
            while (nextStart < byStart.size() && byStart[nextStart]->x0 == x) starting.push_back(byStart[nextStart++]);
            std::sort(starting.begin(), starting.end(), Order{&sweepX});
            for (Record* r : starting) {
                auto placed = beam.insert(r).first;
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
            BoolLink* l = verticals[v];
            const long double ymid = (static_cast<long double>(l->GetBeginNode()->GetY()) +
                                      static_cast<long double>(l->GetEndNode()->GetY())) / 2;
            const Counts right = CountsAt(beam, x, ymid);
            const Counts& left = leftOfVertical[v - firstVertical];
            // Looking up along the link, its left side is the smaller x.
            const bool up = l->GetEndNode()->GetY() > l->GetBeginNode()->GetY();
            l->direction = !up;
            FlagLink(l, up ? left : right, up ? right : left, true);
        }
    }
}
