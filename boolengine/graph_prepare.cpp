// Crossing search and preparation of the merged graph: after these steps no
// two links cross or touch except in shared nodes, and every link knows which
// of its sides lies inside group A and group B.
#include <algorithm>
#include <cmath>
#include <memory>

#include "boolengine/booleng.h"
#include "boolengine/boolline.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/keyorder.h"
#include "boolengine/linktests.h"
#include "boolengine/sweepbands.h"

using namespace linktests;

namespace {

// Rounds of the crossing search before the flags are set: a crossing at a
// truncated grid point can create a new near crossing, and the side flags
// need a graph without any.
const int kMinCrossingRounds = 10;

// The links' spans by their left end, links with the same left end in their
// own order (small keys sorted, the spans moved once).
std::vector<Span> SpansByLeft(const std::vector<BoolLink*>& links)
{
    std::vector<Span> made;
    made.reserve(links.size());
    std::vector<int64_t> left(links.size());
    for (size_t i = 0; i < links.size(); ++i) {
        made.push_back(MakeSpan(links[i]));
        left[i] = made.back().xmin;
    }
    std::vector<Span> spans;
    spans.reserve(links.size());
    for (uint32_t i : keyorder::ByKey(left)) spans.push_back(made[i]);
    return spans;
}

}  // namespace

namespace {

// Places are kept beside the nodes: a node merged away is gone, while its
// place still bounds the search (a null node marks it).
struct Place {
    int64_t x, y;
    Node* node;
};

// Places by x ascending, equal x by y descending. Nodes at one and the same
// place come in the order of the quicksort the merge has always used: while
// no two places are equal the order is unique and a radix sort finds it.
void SortPlaces(std::vector<Place>& places)
{
    auto before = [](const Place& a, const Place& b) {
        if (a.x != b.x) return a.x < b.x;
        return a.y > b.y;
    };
    if (places.size() < 64) {
        std::sort(places.begin(), places.end(), before);
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
        if (sorted[i].x == sorted[i - 1].x && sorted[i].y == sorted[i - 1].y) {
            std::sort(places.begin(), places.end(), before);
            return;
        }
    places.swap(sorted);
}

}  // namespace

int Graph::MergeNodes(int64_t marge)
{
    ResetBinMark();
    std::vector<Place> nodes;
    {
        const std::vector<Node*> distinct = DistinctNodes(LinkVector());
        nodes.reserve(distinct.size());
        for (Node* n : distinct) nodes.push_back({n->GetX(), n->GetY(), n});
    }
    SortPlaces(nodes);
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
        }
    }
    DeleteZeroLines();
    return merges;
}

namespace {

// Splits every link that has crossings; answers how many links were split.
int SplitAll(Graph* graph, std::vector<std::unique_ptr<BoolLine>>& lines)
{
    int split = 0;
    for (auto& line : lines)
        if (line && line->ProcessCrossings(graph)) ++split;
    return split;
}

// Bands for the spans' y ranges widened by 'widen' on both sides.
SweepBands BandsFor(const std::vector<Span>& spans, int64_t widen)
{
    int64_t ylo = 0, yhi = 0;
    long double total = 0.0L;
    for (size_t i = 0; i < spans.size(); ++i) {
        ylo = i == 0 ? spans[i].ymin : std::min(ylo, spans[i].ymin);
        yhi = i == 0 ? spans[i].ymax : std::max(yhi, spans[i].ymax);
        total += static_cast<long double>(spans[i].ymax - spans[i].ymin) + 2.0L * static_cast<long double>(widen);
    }
    return SweepBands(ylo - widen, yhi + widen, spans.size(), total);
}

// Nodes lying within marge of a link (away from its ends) become its
// crossings. 'spans' are the links' spans by left end before the pass.
int NodeOnLinkPass(Graph* graph, Bool_Engine* engine, int64_t marge, std::vector<Span>& spans)
{
    std::vector<BoolLink*> links = graph->LinkVector();
    spans = SpansByLeft(links);
    // Sorted by x alone, by the same quicksort as ever (equal x stay in its
    // order), with the keys beside the nodes.
    std::vector<std::pair<int64_t, Node*>> byX;
    {
        const std::vector<Node*> distinct = DistinctNodes(links);
        byX.reserve(distinct.size());
        for (Node* n : distinct) byX.emplace_back(n->GetX(), n);
    }
    std::sort(byX.begin(), byX.end(),
              [](const std::pair<int64_t, Node*>& a, const std::pair<int64_t, Node*>& b) { return a.first < b.first; });
    std::vector<std::unique_ptr<BoolLine>> lines(spans.size());
    SweepBands bands = BandsFor(spans, marge);
    size_t next = 0;
    int added = 0;
    for (const auto& entry : byX) {
        Node* n = entry.second;
        const int64_t x = entry.first, y = n->GetY();
        for (; next < spans.size() && spans[next].xmin - marge <= x; ++next)
            bands.Insert(static_cast<uint32_t>(next), spans[next].ymin - marge, spans[next].ymax + marge);
        // A node goes on each link's list in the order of the nodes, so the
        // order in which one node meets its links does not matter.
        bands.AtPoint(
            y, [&](uint32_t k) { return spans[k].xmax + marge < x; },
            [&](uint32_t k) {
                const Span& s = spans[k];
                if (y < s.ymin - marge || y > s.ymax + marge) return;
                if (n == s.link->GetBeginNode() || n == s.link->GetEndNode()) return;
                if (!NodeNearLink(n, s.link, marge)) return;
                auto& line = lines[k];
                if (!line) line = std::make_unique<BoolLine>(s.link, engine);
                line->AddCrossing(n);
                ++added;
            });
    }
    SplitAll(graph, lines);
    return added;
}

// Every pair of properly crossing links gets a shared node at the crossing;
// 'spans' are the links' spans by left end.
int CrossingPass(Graph* graph, Bool_Engine* engine, const std::vector<Span>& spans)
{
    std::vector<std::unique_ptr<BoolLine>> lines(spans.size());
    SweepBands bands = BandsFor(spans, 0);
    std::vector<uint32_t> crossing;
    int found = 0;
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& s = spans[i];
        crossing.clear();
        bands.InRange(
            s.ymin, s.ymax, [&](uint32_t k) { return spans[k].xmax < s.xmin; },
            [&](uint32_t k) {
                const Span& o = spans[k];
                if (o.ymax < s.ymin || o.ymin > s.ymax) return;
                if (ProperCrossing(s.link, o.link)) crossing.push_back(k);
            });
        // Earlier links first: a link's crossings keep the order in which
        // they were found, which decides between crossings at one place.
        std::sort(crossing.begin(), crossing.end());
        for (uint32_t k : crossing) {
            auto& li = lines[i];
            auto& lo = lines[k];
            if (!li) li = std::make_unique<BoolLine>(s.link, engine);
            if (!lo) lo = std::make_unique<BoolLine>(spans[k].link, engine);
            li->Intersect(*lo);
            ++found;
        }
        bands.Insert(static_cast<uint32_t>(i), s.ymin, s.ymax);
    }
    // Crossing nodes are owned by the links made from them.
    SplitAll(graph, lines);
    return found;
}

}  // namespace

void Graph::Rotate(int degrees)
{
    for (Node* n : DistinctNodes(LinkVector())) {
        const int64_t x = n->GetX(), y = n->GetY();
        if (degrees < 0)
            n->Set(y, -x);
        else
            n->Set(-y, x);
    }
}

bool Graph::CrossingSearch(int64_t marge, bool nodesMerged)
{
    // A round after a round sees the graph that round left: unless the log
    // wants the round's trace, only what that round made or moved is looked at.
    if (nodesMerged && !m_engine->LogOpen() && !NewCrossingsPossible(LinkVector(), marge)) return false;
    m_engine->WriteLog("Node to Node");
    const int merged = nodesMerged ? 0 : MergeNodes(marge);
    if (GetNumberOfLinks() < 3) return merged > 0;
    m_links.foreach_item([](BoolLink* l) {
        l->touched = false;
        l->GetBeginNode()->touched = false;
        l->GetEndNode()->touched = false;
    });
    m_engine->WriteLog("Node to BoolLink 0");
    LogScanPass(0);
    // One pass finds nodes on links of every direction, vertical ones too; the
    // log still shows the turned search for them.
    std::vector<Span> spans;
    const int onLink = NodeOnLinkPass(this, m_engine, marge, spans);
    m_engine->WriteLog("Rotate -90");
    m_engine->WriteLog("Node to BoolLink -90");
    if (m_engine->LogOpen()) {
        Rotate(-90);
        LogScanPass(0);
        Rotate(90);
    }
    m_engine->WriteLog("Rotate +90");
    m_engine->WriteLog("intersect");
    LogScanPass(1);
    // Links split on nodes need their spans anew.
    if (onLink > 0) spans = SpansByLeft(LinkVector());
    const int crossings = CrossingPass(this, m_engine, spans);
    std::vector<Span>().swap(spans);
    WriteToLog(false);
    m_engine->WriteLog("Node to Node");
    m_engine->WriteLog("Node to Node");
    const int mergedAgain = MergeNodes(marge);
    return merged > 0 || onLink > 0 || crossings > 0 || mergedAgain > 0;
}

void Graph::Prepare(int passes)
{
    m_engine->WriteLog("Intersection");
    const int64_t marge = m_engine->GetInternalMarge();
    const int rounds = std::max(passes, kMinCrossingRounds);
    for (int i = 0; i < rounds; ++i)
        if (!CrossingSearch(marge, i > 0)) break;
    ResetBinMark();
    m_engine->WriteLog("Set group A/B Flags");
    if (m_engine->GetWindingRule()) LogScanPass(4);
    LogScanPass(2);
    SetGroupFlags();
    m_engine->WriteLog("Set operation Flags");
    for (BoolLink* l : LinkVector()) l->SetOperationFlags();
    m_engine->WriteLog("Remove doubles");
    DeleteLinks([](BoolLink* l) { return l->mark; });
    m_engine->WriteLog("Remove inlinks");
    DeleteLinks([](BoolLink* l) { return !l->HasAnyOperationFlag(); });
    m_engine->WriteLog("Finished prepare graph");
}
