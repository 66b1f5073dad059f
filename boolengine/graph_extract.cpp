// Collecting the result polygons of one operation from a prepared graph.
#include <algorithm>
#include <cstdio>

#include "boolengine/booleng.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/graphlist.h"
#include "boolengine/keyorder.h"
#include "boolengine/linktests.h"
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

// The next link of a walk that keeps the result on its right. An outer
// boundary takes the leftmost turn and a hole the rightmost, so that a
// polygon touching itself or a hole in one point is walked on through that
// point as one outline, while outer boundaries and holes never mix. Mirroring
// x turns the search for the rightmost turn into one for the leftmost.
BoolLink* NextOfWalk(const BoolLink* arriving, const std::vector<BoolLink*>& leaving, uint32_t from, uint32_t to,
                     bool hole)
{
    const int64_t mirror = hole ? 1 : -1;
    const Node* at = arriving->GetEndNode();
    const int64_t bx = mirror * (arriving->GetBeginNode()->GetX() - at->GetX());
    const int64_t by = arriving->GetBeginNode()->GetY() - at->GetY();
    BoolLink* best = nullptr;
    int bestHalf = 3;
    int64_t bestX = 0, bestY = 0;
    for (uint32_t i = from; i < to; ++i) {
        BoolLink* l = leaving[i];
        if (l->bin) continue;
        const int64_t vx = mirror * (l->GetEndNode()->GetX() - at->GetX());
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

// Whether the region below a link (its right side when it runs to larger x,
// else its left side) lies outside the result: then the link tops a hole.
bool IsHole(const BoolLink* l, int op)
{
    const bool toRight = l->GetEndNode()->GetX() > l->GetBeginNode()->GetX();
    const bool a = toRight ? l->rightA : l->leftA;
    const bool b = toRight ? l->rightB : l->leftB;
    switch (op) {
    case BOOL_OR: return !(a || b);
    case BOOL_AND: return !(a && b);
    case BOOL_EXOR: return a == b;
    case BOOL_A_SUB_B: return !(a && !b);
    case BOOL_B_SUB_A: return !(b && !a);
    default: return false;
    }
}

// The start of a polygon: the higher node of the link (its begin node when
// both are equally high).
Node* HigherNode(const BoolLink* l)
{
    return l->GetEndNode()->GetY() > l->GetBeginNode()->GetY() ? l->GetEndNode() : l->GetBeginNode();
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

    // Sorted before any link is turned, so that the higher node of a link
    // is taken as the links came out of preparation.
    std::vector<BoolLink*> links = LinkVector();
    {
        // A stable sort by the highest y descending, then by the lowest x
        // descending: the second key first, then the first, each stable.
        std::vector<uint32_t> order(links.size());
        std::vector<int64_t> key(links.size());
        for (size_t i = 0; i < links.size(); ++i) {
            order[i] = static_cast<uint32_t>(i);
            key[i] = -std::min(links[i]->GetBeginNode()->GetX(), links[i]->GetEndNode()->GetX());
        }
        keyorder::StableByKey(order, key);
        for (size_t i = 0; i < links.size(); ++i)
            key[i] = -std::max(links[i]->GetBeginNode()->GetY(), links[i]->GetEndNode()->GetY());
        keyorder::StableByKey(order, key);
        std::vector<BoolLink*> sorted(links.size());
        for (size_t i = 0; i < links.size(); ++i) sorted[i] = links[order[i]];
        links.swap(sorted);
    }
    std::vector<Node*> starts;
    starts.reserve(links.size());
    for (BoolLink* l : links) starts.push_back(HigherNode(l));

    // Every link is turned so that the result lies on its right: outer
    // boundaries then run clockwise and holes counter-clockwise. A walk may
    // only go on over a link that leaves its node this way.
    // The links leaving each node sit in one table, node after node, each
    // node's in the links' order: leaving[offset[n]] up to leaving[offset[n + 1]].
    std::vector<BoolLink*> inOrder = LinkVector();
    std::vector<uint32_t> offset;
    {
        const std::vector<Node*> nodes = linktests::DistinctNodes(inOrder);
        for (size_t i = 0; i < nodes.size(); ++i) nodes[i]->slot = static_cast<uint32_t>(i);
        offset.assign(nodes.size() + 1, 0);
    }
    for (BoolLink* l : inOrder) {
        if (l->LeftInResult(op)) l->Redirect(l->GetEndNode());
        ++offset[l->GetBeginNode()->slot + 1];
    }
    for (size_t i = 1; i < offset.size(); ++i) offset[i] += offset[i - 1];
    std::vector<BoolLink*> leaving(inOrder.size());
    {
        std::vector<uint32_t> fill(offset.begin(), offset.end() - 1);
        for (BoolLink* l : inOrder) leaving[fill[l->GetBeginNode()->slot]++] = l;
    }

    std::vector<Ring> rings;
    for (size_t s = 0; s < links.size(); ++s) {
        if (links[s]->bin) continue;
        Node* top = starts[s];
        BoolLink* first = top->GetFlattestUnvisitedLink();
        if (!first) {
            char msg[128];
            std::snprintf(msg, sizeof msg, "no NON flat link Collectgraph for operation at %15.3lf , %15.3lf",
                          static_cast<double>(top->GetX()), static_cast<double>(top->GetY()));
            throw Bool_Engine_Error(msg, "Error", 9, 0);
        }
        const bool hole = IsHole(first, op);
        Ring ring;
        ring.hole = hole;
        Node* origin = first->GetBeginNode();
        BoolLink* current = first;
        first->bin = true;
        ring.points.push_back(*origin);
        for (;;) {
            const uint32_t at = current->GetEndNode()->slot;
            BoolLink* next = NextOfWalk(current, leaving, offset[at], offset[at + 1], hole);
            if (!next) break;
            next->bin = true;
            ring.points.push_back(*next->GetBeginNode());
            current = next;
        }
        if (current->GetEndNode() != origin)
            throw Bool_Engine_Error("no next (endpoint != beginpoint)", "Error", 9, 0);
        ring.kinds.assign(ring.points.size(), hole ? RING_HOLE : RING_PLAIN);
        ringops::RemoveRepeats(ring);
        if (ring.points.size() < 3 || ringops::DoubleArea(ring.points) == 0.0L)
            continue;  // no area: nothing to hand out
        // Links of equal slope at the top leave the walk's start open; the
        // ring then starts where a lone polygon's walk would.
        ringops::RotateToStart(ring);
        rings.push_back(std::move(ring));
    }
    // The walks are done: their indexes go before the result is built.
    std::vector<BoolLink*>().swap(leaving);
    std::vector<BoolLink*>().swap(inOrder);
    std::vector<uint32_t>().swap(offset);
    std::vector<BoolLink*>().swap(links);
    std::vector<Node*>().swap(starts);
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
    // The merged graph goes before the result graphs are made of the rings.
    DeleteLinks([](BoolLink*) { return true; });
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
}
