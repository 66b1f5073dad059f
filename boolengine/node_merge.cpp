#include "boolengine/node_merge.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "boolengine/graph.h"
#include "boolengine/keyorder.h"
#include "boolengine/linktests.h"

namespace nodemerge {

namespace {

// A node and where it stood when the nodes were ordered.
struct Place {
    int64_t x, y;
    Node* node;
};

bool Before(const Place& a, const Place& b)
{
    if (a.x != b.x) return a.x < b.x;
    return a.y > b.y;
}

bool SamePlace(const Place& a, const Place& b) { return a.x == b.x && a.y == b.y; }

// Places by x ascending, equal x by y descending. Nodes at one and the same
// place come in the order of the quicksort the merge has always used: while
// no two places are equal the order is unique and a radix sort finds it.
void SortPlaces(std::vector<Place>& places)
{
    if (places.size() < 64) {
        std::sort(places.begin(), places.end(), Before);
        return;
    }
    std::vector<int64_t> keys(places.size());
    std::vector<uint32_t> order(places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        order[i] = static_cast<uint32_t>(i);
        keys[i] = -places[i].y;  // coordinates stay far inside the 64-bit range
    }
    keyorder::StableByKey(order, keys);
    for (size_t i = 0; i < places.size(); ++i) keys[i] = places[i].x;
    keyorder::StableByKey(order, keys);
    std::vector<Place> sorted(places.size());
    for (size_t i = 0; i < places.size(); ++i) sorted[i] = places[order[i]];
    for (size_t i = 1; i < sorted.size(); ++i)
        if (SamePlace(sorted[i], sorted[i - 1])) {
            std::sort(places.begin(), places.end(), Before);
            return;
        }
    places.swap(sorted);
}

// The merge over sorted places: a node merged away leaves a null node in
// its place, which still bounds the search. 'takers' gets the places of the
// nodes that took others over.
int MergeSorted(std::vector<Place>& nodes, int64_t marge, std::vector<size_t>* takers)
{
    // Start of the next run of equal x for every node: within a run y only
    // falls, so a run is left as soon as y is out of reach.
    std::vector<size_t> nextColumn(nodes.size());
    for (size_t i = nodes.size(); i-- > 0;)
        nextColumn[i] = (i + 1 < nodes.size() && nodes[i + 1].x == nodes[i].x) ? nextColumn[i + 1] : i + 1;
    int merges = 0;
    const double m = static_cast<double>(marge);
    for (size_t i = 0; i < nodes.size(); ++i) {
        Node* keep = nodes[i].node;
        if (!keep) continue;
        const double kx = static_cast<double>(nodes[i].x), ky = static_cast<double>(nodes[i].y);
        bool took = false;
        for (size_t j = i + 1; j < nodes.size(); ++j) {
            if (static_cast<double>(nodes[j].x) - kx > m) break;
            if (ky - static_cast<double>(nodes[j].y) > m) {
                j = nextColumn[j] - 1;  // the rest of this column lies lower still
                continue;
            }
            if (!nodes[j].node) continue;
            if (std::fabs(static_cast<double>(nodes[j].y) - ky) > m) continue;
            keep->Merge(nodes[j].node);
            nodes[j].node = nullptr;
            ++merges;
            took = true;
        }
        if (took && takers) takers->push_back(i);
    }
    return merges;
}

// Links that join a node to itself (each sits twice in its node's list).
int SelfLinks(const Node* n)
{
    int twice = 0;
    for (const BoolLink* l : n->Links())
        if (l->IsZeroLength()) ++twice;
    return twice / 2;
}

int64_t Saturated(long double v)
{
    const long double top = static_cast<long double>(std::numeric_limits<int64_t>::max());
    if (v >= top) return std::numeric_limits<int64_t>::max();
    if (v <= -top) return -std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(v);
}

}  // namespace

int MergeAll(Graph* graph, int64_t marge, Survivors* survivors)
{
    graph->ResetBinMark();
    std::vector<Place> nodes;
    {
        const std::vector<Node*> distinct = linktests::DistinctNodes(graph->LinkVector());
        nodes.reserve(distinct.size());
        for (Node* n : distinct) nodes.push_back({n->GetX(), n->GetY(), n});
    }
    SortPlaces(nodes);
    std::vector<size_t> takers;
    const int merges = MergeSorted(nodes, marge, survivors ? &takers : nullptr);
    // Links joining a node to itself go; a node left with no other link
    // goes with them. Only the takers can have such links, unless the graph
    // came with some: then the survivors are not told.
    int selfLinks = 0;
    if (survivors) {
        for (size_t i : takers) {
            const int self = SelfLinks(nodes[i].node);
            selfLinks += self;
            if (self * 2 == nodes[i].node->GetNumberOfLinks()) nodes[i].node = nullptr;
        }
    }
    const int deleted = graph->DeleteZeroLines();
    if (survivors) {
        survivors->nodes.clear();
        survivors->known = deleted == selfLinks;
        survivors->columnsSpaced = true;
        if (survivors->known) {
            const long double gap = 3.0L * static_cast<long double>(marge);
            const Place* last = nullptr;
            for (const Place& p : nodes) {
                if (!p.node) continue;
                if (last && last->x == p.x && static_cast<long double>(last->y) - static_cast<long double>(p.y) < gap)
                    survivors->columnsSpaced = false;
                survivors->nodes.push_back(p.node);
                last = &p;
            }
        }
    }
    return merges;
}

int MergeAfterAdding(Graph* graph, int64_t marge, const Survivors& survivors, const std::vector<Node*>& added)
{
    graph->ResetBinMark();
    // The added nodes and the old ones within the marge of one (more is
    // harmless: a place with nothing near merges nothing). The old nodes
    // are searched column by column, each column by y.
    const std::vector<Node*>& old = survivors.nodes;
    std::vector<Place> near;
    std::vector<size_t> oldNear;
    const long double m = static_cast<long double>(marge);
    for (Node* n : added) {
        near.push_back({n->GetX(), n->GetY(), n});
        const int64_t left = Saturated(n->GetX() - m), right = Saturated(n->GetX() + m);
        const int64_t top = Saturated(n->GetY() + m), bottom = Saturated(n->GetY() - m);
        auto it =
            std::lower_bound(old.begin(), old.end(), left, [](const Node* p, int64_t x) { return p->GetX() < x; });
        while (it != old.end() && (*it)->GetX() <= right) {
            const int64_t x = (*it)->GetX();
            const auto end = std::upper_bound(it, old.end(), x, [](int64_t v, const Node* p) { return v < p->GetX(); });
            auto at = std::lower_bound(it, end, top, [](const Node* p, int64_t y) { return p->GetY() > y; });
            for (; at != end && (*at)->GetY() >= bottom; ++at) oldNear.push_back(static_cast<size_t>(at - old.begin()));
            it = end;
        }
    }
    std::sort(oldNear.begin(), oldNear.end());
    oldNear.erase(std::unique(oldNear.begin(), oldNear.end()), oldNear.end());
    for (size_t i : oldNear) near.push_back({old[i]->GetX(), old[i]->GetY(), old[i]});
    std::sort(near.begin(), near.end(), Before);
    for (size_t i = 1; i < near.size(); ++i)
        if (SamePlace(near[i], near[i - 1])) return -1;
    const int merges = MergeSorted(near, marge, nullptr);
    if (merges > 0) graph->DeleteZeroLines();
    return merges;
}

}  // namespace nodemerge
