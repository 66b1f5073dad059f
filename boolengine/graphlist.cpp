#include "boolengine/graphlist.h"

#include <cassert>
#include <memory>

#include "boolengine/booleng.h"
#include "boolengine/graph.h"

GraphList::~GraphList() { DeleteAll(); }

GraphListRings GraphList::Rings() const
{
    GraphListRings out;
    foreach_item([&out](Graph* g) {
        const BoolLink* first = g->GetFirstLink();
        if (first)
            out.rings.push_back({g->RingPoints(), first->GetGroup(), first->GetGraphNum()});
        else
            out.rings.push_back({{}, GROUP_A, 0});
    });
    return out;
}

void GraphList::AppendRingCopies(const GraphListRings& rings)
{
    for (const GraphListRings::Ring& r : rings.rings) {
        auto graph = std::make_unique<Graph>(m_engine);
        if (!r.points.empty()) graph->AddRing(r.points, r.group, r.graphnum);
        insend(graph.release());
    }
}

void GraphList::DeleteAll() { remove_all(true); }

void GraphList::TakeOver(GraphList& other)
{
    DL_Iter<Graph*> it(this);
    it.takeover(&other);
}

void GraphList::Simplify(int64_t marge)
{
    foreach_item([](Graph* g) { g->ResetBinMark(); });
    std::vector<Graph*> keep;
    for (Graph* g : items()) {
        // Each round removes vertices, so the loop ends.
        int before = g->GetNumberOfLinks();
        while (g->Simplify(marge)) {
            const int after = g->GetNumberOfLinks();
            assert(after < before);
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

void GraphList::MergeInto(Graph& result)
{
    m_engine->WriteLog("Simplify");
    Simplify(m_engine->GetGrid());
    const bool keep = m_engine->GetKeepOrientation();
    if (!keep) foreach_item([](Graph* g) { g->MakeClockWise(); });
    int number = 1;
    foreach_item([&](Graph* g) {
        if (keep) {
            const BoolLink* first = g->GetFirstLink();
            g->SetNumber(first && first->GetGroup() == GROUP_B ? 2 : 1);
        } else {
            g->SetNumber(number++);
        }
    });
    for (Graph* g : items()) result.TakeLinksFrom(*g);
    DeleteAll();
}

void GraphList::Boolean(int op, int attempts, bool linkHoles)
{
    m_engine->WriteLog("Performing Boolean Operation");
    if (empty()) return;
    Graph result(m_engine);
    m_engine->WriteLog("Simplify");
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        GraphListRings input;
        if (attempt < attempts) input = Rings();
        try {
            MergeInto(result);
            if (result.GetNumberOfLinks() > 0) {
                m_engine->WriteLog("prepare");
                result.Prepare(attempt);
                result.Extract(op, this, linkHoles);
            }
            return;
        } catch (const Bool_Engine_Error& error) {
            result.WriteKeyGraph();
            if (attempt == attempts) {
                // The last attempt failed: the operation fails too, so that
                // the caller gets its input back instead of a partial result.
                m_engine->Info(error.GetErrorMessage(), "error");
                throw;
            }
            result.DeleteLinks([](BoolLink*) { return true; });
            DeleteAll();
            AppendRingCopies(input);
        }
    }
}
