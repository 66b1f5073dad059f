// Operations that rework every polygon on its own: correction (grow or
// shrink), ring making and smoothing.
#include <cassert>
#include <cmath>

#include "boolengine/booleng.h"
#include "boolengine/graph.h"
#include "boolengine/graphlist.h"
#include "boolengine/offset.h"
#include "boolengine/smoothing.h"

namespace {

// Forces the winding rule for one scope: overlapping band pieces must add up.
class WindingRuleOn {
public:
    explicit WindingRuleOn(Bool_Engine* e) : m_engine(e), m_previous(e->GetWindingRule()) { e->SetWindingRule(true); }
    ~WindingRuleOn() { m_engine->SetWindingRule(m_previous); }
    WindingRuleOn(const WindingRuleOn&) = delete;
    WindingRuleOn& operator=(const WindingRuleOn&) = delete;

private:
    Bool_Engine* m_engine;
    bool m_previous;
};

// The simplified ring of a graph; empty when fewer than three links remain.
std::vector<LPoint> SimpleRing(Graph& g, int64_t grid)
{
    int before = g.GetNumberOfLinks();
    while (g.Simplify(grid)) {
        const int after = g.GetNumberOfLinks();
        assert(after < before);
        if (after >= before) break;
        before = after;
    }
    if (g.GetNumberOfLinks() < 3) return {};
    return g.RingPoints();
}

// The boundary rings of the area a ring encloses, holes as rings of their
// own: a self-overlapping outline or a hole joined by a pair of links would
// otherwise put bands across the inside.
std::vector<std::vector<LPoint>> BoundaryRings(Bool_Engine* e, const std::vector<LPoint>& ring)
{
    GraphList work(e);
    auto own = std::make_unique<Graph>(e);
    own->AddRing(ring, GROUP_A, 1);
    work.Append(own.release());
    work.Boolean(BOOL_OR, 1, false);
    std::vector<std::vector<LPoint>> rings;
    work.foreach_item([&rings](Graph* g) { rings.push_back(g->RingPoints()); });
    return rings;
}

using Boundaries = std::vector<std::vector<LPoint>>;

void AddBand(GraphList& list, Bool_Engine* e, const Boundaries& boundaries, double halfWidth, GroupType group)
{
    const int steps = offset::CircleSteps(halfWidth, e->GetInternalCorrectionAber(), e->GetRoundfactor());
    for (const auto& boundary : boundaries)
        for (const auto& piece : offset::BandPieces(boundary, halfWidth, steps)) {
            auto g = std::make_unique<Graph>(e);
            g->AddRing(piece, group, 0);
            list.Append(g.release());
        }
}

// True when every vertex of the graphs fits in a box narrower than 'limit'
// in both x and y.
bool SmallerThan(const GraphList& list, double limit)
{
    bool any = false;
    int64_t xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    list.foreach_item([&](Graph* g) {
        for (const LPoint& p : g->RingPoints()) {
            if (!any || p.GetX() < xmin) xmin = p.GetX();
            if (!any || p.GetX() > xmax) xmax = p.GetX();
            if (!any || p.GetY() < ymin) ymin = p.GetY();
            if (!any || p.GetY() > ymax) ymax = p.GetY();
            any = true;
        }
    });
    return any && static_cast<double>(xmax - xmin) < limit && static_cast<double>(ymax - ymin) < limit;
}

// One ring per boundary (outline or hole) of the area a ring encloses. A ring
// too small to leave an opening of its own is united with the ring before it,
// which takes its place; other rings are kept apart even where they overlap.
void AppendRings(GraphList& rings, Bool_Engine* e, const Boundaries& boundaries, double width)
{
    const int steps = offset::CircleSteps(width, e->GetInternalCorrectionAber(), e->GetRoundfactor());
    for (const auto& boundary : boundaries) {
        GraphList band(e);
        for (const auto& piece : offset::BandPieces(boundary, width, steps)) {
            auto g = std::make_unique<Graph>(e);
            g->AddRing(piece, GROUP_A, 0);
            band.Append(g.release());
        }
        band.Boolean(BOOL_OR, 1);
        if (band.empty()) continue;
        if (!rings.empty() && SmallerThan(band, 3.0 * width)) {
            Graph* last = rings.items().back();
            rings.removetail();
            last->SetGroup(GROUP_A);
            band.insbegin(last);
            band.foreach_item([](Graph* g) { g->SetGroup(GROUP_A); });
            band.Boolean(BOOL_OR, 1);
        }
        rings.TakeOver(band);
    }
}

}  // namespace

void GraphList::Correction()
{
    const double w = m_engine->GetInternalCorrectionFactor();
    GraphList produced(m_engine);
    for (Graph* g : items()) {
        m_engine->WriteLog("Extract simple graphs");
        std::vector<LPoint> ring = SimpleRing(*g, m_engine->GetGrid());
        if (ring.empty() || w == 0.0) {
            if (!ring.empty()) produced.Append(Graph::CopyRing(*g).release());
            continue;
        }
        const Boundaries boundaries = BoundaryRings(m_engine, ring);
        GraphList work(m_engine);
        auto own = std::make_unique<Graph>(m_engine);
        own->AddRing(ring, GROUP_A, 1);
        work.Append(own.release());
        {
            WindingRuleOn winding(m_engine);
            m_engine->WriteLog("Create rings");
            AddBand(work, m_engine, boundaries, std::fabs(w), GROUP_B);
            // A marge as wide as the band would swallow it.
            const double savedMarge = m_engine->GetMarge();
            const double limit = std::fabs(w) * 0.01;
            if (static_cast<double>(m_engine->GetInternalMarge()) > limit) {
                int64_t lowered = static_cast<int64_t>(limit);
                if (lowered < 1) lowered = 1;
                m_engine->SetInternalMarge(lowered);
            }
            m_engine->WriteLog("Add/Substract rings");
            try {
                work.Boolean(w > 0.0 ? BOOL_OR : BOOL_A_SUB_B, 1);
            } catch (...) {
                m_engine->SetMarge(savedMarge);
                throw;
            }
            m_engine->SetMarge(savedMarge);
        }
        produced.TakeOver(work);
    }
    DeleteAll();
    TakeOver(produced);
}

void GraphList::MakeRings()
{
    const double w = std::fabs(m_engine->GetInternalCorrectionFactor());
    GraphList produced(m_engine);
    WindingRuleOn winding(m_engine);
    for (Graph* g : items()) {
        m_engine->WriteLog("Extract simple graphs");
        std::vector<LPoint> ring = SimpleRing(*g, m_engine->GetGrid());
        if (ring.empty() || w == 0.0) continue;
        const Boundaries boundaries = BoundaryRings(m_engine, ring);
        m_engine->WriteLog("Create rings");
        GraphList rings(m_engine);
        AppendRings(rings, m_engine, boundaries, w);
        produced.TakeOver(rings);
    }
    DeleteAll();
    TakeOver(produced);
}

void GraphList::Smoothen(int64_t distance)
{
    foreach_item([](Graph* g) { g->ResetBinMark(); });
    std::vector<Graph*> keep;
    for (Graph* g : items()) {
        int before = g->GetNumberOfLinks();
        while (g->Smoothen(distance)) {
            const int after = g->GetNumberOfLinks();
            assert(after < before);  // each round removes links, so it ends
            if (after >= before) break;
            before = after;
        }
        if (g->GetNumberOfLinks() < 3)
            delete g;
        else
            keep.push_back(g);
    }
    remove_all(false);
    for (Graph* g : keep) insend(g);
}

bool Graph::Smoothen(int64_t distance)
{
    const BoolLink* first = GetFirstLink();
    if (!first || GetNumberOfLinks() <= 3) return false;
    std::vector<LPoint> ring = RingPoints();
    if (static_cast<int>(ring.size()) != GetNumberOfLinks()) return false;
    if (!smoothing::SmoothRing(ring, distance, m_engine->GetInternalMaxlinemerge())) return false;
    const GroupType group = first->GetGroup();
    const int graphnum = first->GetGraphNum();
    DeleteLinks([](BoolLink*) { return true; });
    AddRing(ring, group, graphnum);
    return true;
}
