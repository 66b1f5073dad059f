// Collecting the result polygons of one operation from a prepared graph.
#include <algorithm>
#include <unordered_map>

#include "boolengine/booleng.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/graphlist.h"
#include "boolengine/ring.h"

namespace {

// Order of candidate directions counter-clockwise from 'back'; 'back' itself
// (a walk straight back) comes last.
int Half(int64_t bx, int64_t by, int64_t vx, int64_t vy)
{
    const int c = exactmath::CrossSign(bx, by, vx, vy);
    if (c > 0) return 0;
    if (c < 0) return 1;
    return exactmath::DotSign(bx, by, vx, vy) < 0 ? 1 : 2;
}

// The next link of a walk that keeps the result on its right: the sharpest
// right turn, so that polygons touching in a point are collected apart.
BoolLink* SharpestRight(const BoolLink* arriving, const std::vector<BoolLink*>& leaving)
{
    const Node* at = arriving->GetEndNode();
    const int64_t bx = arriving->GetBeginNode()->GetX() - at->GetX();
    const int64_t by = arriving->GetBeginNode()->GetY() - at->GetY();
    BoolLink* best = nullptr;
    int bestHalf = 3;
    int64_t bestX = 0, bestY = 0;
    for (BoolLink* l : leaving) {
        if (l->bin) continue;
        const int64_t vx = l->GetEndNode()->GetX() - at->GetX();
        const int64_t vy = l->GetEndNode()->GetY() - at->GetY();
        const int half = Half(bx, by, vx, vy);
        if (!best || half < bestHalf || (half == bestHalf && exactmath::CrossSign(vx, vy, bestX, bestY) > 0)) {
            best = l;
            bestHalf = half;
            bestX = vx;
            bestY = vy;
        }
    }
    return best;
}

bool ExtractionOrder(const BoolLink* a, const BoolLink* b)
{
    const int64_t ha = std::max(a->GetBeginNode()->GetY(), a->GetEndNode()->GetY());
    const int64_t hb = std::max(b->GetBeginNode()->GetY(), b->GetEndNode()->GetY());
    if (ha != hb) return ha > hb;
    const int64_t la = std::min(a->GetBeginNode()->GetX(), a->GetEndNode()->GetX());
    const int64_t lb = std::min(b->GetBeginNode()->GetX(), b->GetEndNode()->GetX());
    return la > lb;
}

}  // namespace

void Graph::Extract(int op, GraphList* result, bool linkHoles)
{
    m_engine->WriteLog("Performing Operation");
    m_engine->WriteLog("Extract simples first ");
    ResetBinMark();
    DeleteLinks([op](BoolLink* l) { return !l->IsInResult(op); });
    WriteKeyGraph();
    WriteToLog(false);

    // Every link is turned so that the result lies on its right: outer
    // boundaries then run clockwise and holes counter-clockwise.
    std::vector<BoolLink*> links = LinkVector();
    std::unordered_map<const Node*, std::vector<BoolLink*>> leaving;
    for (BoolLink* l : links) {
        if (l->LeftInResult(op)) l->Redirect(l->GetEndNode());
        leaving[l->GetBeginNode()].push_back(l);
    }
    std::stable_sort(links.begin(), links.end(), ExtractionOrder);

    std::vector<Ring> rings;
    for (BoolLink* start : links) {
        if (start->bin) continue;
        Ring ring;
        BoolLink* current = start;
        start->bin = true;
        ring.points.push_back(*start->GetBeginNode());
        while (current->GetEndNode() != start->GetBeginNode()) {
            BoolLink* next = SharpestRight(current, leaving[current->GetEndNode()]);
            if (!next) throw Bool_Engine_Error("no next (endpoint != beginpoint)", "Error", 9, 0);
            next->bin = true;
            ring.points.push_back(*next->GetBeginNode());
            current = next;
        }
        ring.kinds.assign(ring.points.size(), RING_PLAIN);
        ringops::RemoveRepeats(ring);
        const long double area = ringops::DoubleArea(ring.points);
        if (ring.points.size() < 3 || area == 0.0L) continue;  // no area: nothing to hand out
        ring.hole = area > 0.0L;
        if (ring.hole) ring.kinds.assign(ring.points.size(), RING_HOLE);
        ringops::RotateToStart(ring);
        rings.push_back(std::move(ring));
    }

    m_engine->WriteLog("Linking Holes");
    const bool anyHole = std::any_of(rings.begin(), rings.end(), [](const Ring& r) { return r.hole; });
    if (anyHole && linkHoles && m_engine->GetLinkHoles()) {
        m_engine->WriteLog("LINKHOLES\n");
        WriteToLog(false);
        LogScanPass(3);
        ringops::LinkHoles(rings);
        WriteKeyGraph();
        WriteToLog(false);
        m_engine->WriteLog("extract simples last");
        for (Ring& r : rings)
            if (r.alive) ringops::RemoveRepeats(r);
    }

    WriteToLog(false);
    int graphnum = 1;
    for (const Ring& r : rings) {
        if (!r.alive || r.points.size() < 3) continue;
        auto graph = std::make_unique<Graph>(m_engine);
        graph->AddRing(r.points, GROUP_A, graphnum);
        size_t i = 0;
        for (BoolLink* l : graph->LinkVector()) {
            const unsigned char kind = r.kinds[i++];
            l->hole = kind == RING_HOLE;
            l->holelink = kind == RING_HOLELINK;
        }
        graph->GetFirstLink()->top_hole = r.hole;
        result->Append(graph.release());
        ++graphnum;
    }
    DeleteLinks([](BoolLink*) { return true; });
}
