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

void AddBand(GraphList& list, Bool_Engine* e, const std::vector<LPoint>& ring, double halfWidth, GroupType group)
{
    const int steps = offset::CircleSteps(halfWidth, e->GetInternalCorrectionAber(), e->GetRoundfactor());
    for (const auto& boundary : BoundaryRings(e, ring))
        for (const auto& piece : offset::BandPieces(boundary, halfWidth, steps)) {
            auto g = std::make_unique<Graph>(e);
            g->AddRing(piece, group, 0);
            list.Append(g.release());
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
        GraphList work(m_engine);
        auto own = std::make_unique<Graph>(m_engine);
        own->AddRing(ring, GROUP_A, 1);
        work.Append(own.release());
        {
            WindingRuleOn winding(m_engine);
            m_engine->WriteLog("Create rings");
            AddBand(work, m_engine, ring, std::fabs(w), GROUP_B);
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
        m_engine->WriteLog("Create rings");
        GraphList work(m_engine);
        AddBand(work, m_engine, ring, w, GROUP_A);
        work.Boolean(BOOL_OR, 1);
        produced.TakeOver(work);
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
