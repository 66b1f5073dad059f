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
#include "boolengine/node_merge.h"
#include "boolengine/sweepbands.h"

using namespace linktests;

namespace {

// Rounds of the crossing search before the flags are set: a crossing at a
// truncated grid point can create a new near crossing, and the side flags
// need a graph without any.
const int kMinCrossingRounds = 10;

// The links' spans by their left end, links with the same left end in their
// own order (their keys put in order, then the spans made in it).
std::vector<Span> SpansByLeft(const std::vector<BoolLink*>& links)
{
    std::vector<int64_t> left(links.size());
    for (size_t i = 0; i < links.size(); ++i)
        left[i] = std::min(links[i]->GetBeginNode()->GetX(), links[i]->GetEndNode()->GetX());
    const std::vector<uint32_t> order = keyorder::ByKey(left);
    std::vector<int64_t>().swap(left);
    std::vector<Span> spans;
    spans.reserve(links.size());
    for (uint32_t i : order) spans.push_back(MakeSpan(links[i]));
    return spans;
}

}  // namespace

int Graph::MergeNodes(int64_t marge) { return nodemerge::MergeAll(this, marge); }

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
// 'merged' are the graph's nodes as the node merge just left them, when
// known: their order (equal x by y descending) serves when nodes of equal x
// lie too far apart to meet one link that runs more along x than along y,
// the only links whose crossings could be ordered differently by it.
int NodeOnLinkPass(Graph* graph, Bool_Engine* engine, int64_t marge, std::vector<Span>& spans,
                   const nodemerge::Survivors& merged)
{
    std::vector<Node*> byX;
    {
        const std::vector<BoolLink*> links = graph->LinkVector();
        spans = SpansByLeft(links);
        if (!merged.known || !merged.columnsSpaced) {
            // Sorted by x alone, by the same quicksort as ever (nodes of equal
            // x keep the order it gives them), with the keys beside the nodes.
            const std::vector<Node*> distinct = DistinctNodes(links);
            std::vector<std::pair<int64_t, Node*>> keyed;
            keyed.reserve(distinct.size());
            for (Node* n : distinct) keyed.emplace_back(n->GetX(), n);
            std::sort(keyed.begin(), keyed.end(),
                      [](const std::pair<int64_t, Node*>& a, const std::pair<int64_t, Node*>& b) {
                          return a.first < b.first;
                      });
            byX.reserve(keyed.size());
            for (const auto& k : keyed) byX.push_back(k.second);
        }
    }
    const std::vector<Node*>& nodes = byX.empty() ? merged.nodes : byX;
    std::vector<std::unique_ptr<BoolLine>> lines(spans.size());
    SweepBands bands = BandsFor(spans, marge);
    size_t next = 0;
    int added = 0;
    for (Node* n : nodes) {
        const int64_t x = n->GetX(), y = n->GetY();
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
// 'spans' are the links' spans by left end. The new nodes go to 'added'.
int CrossingPass(Graph* graph, Bool_Engine* engine, const std::vector<Span>& spans, std::vector<Node*>& added)
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
            added.push_back(li->Intersect(*lo));
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
    nodemerge::Survivors survivors;
    const int merged = nodesMerged ? 0 : nodemerge::MergeAll(this, marge, &survivors);
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
    const int onLink = NodeOnLinkPass(this, m_engine, marge, spans, survivors);
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
    std::vector<Node*> added;
    const int crossings = CrossingPass(this, m_engine, spans, added);
    std::vector<Span>().swap(spans);
    WriteToLog(false);
    m_engine->WriteLog("Node to Node");
    m_engine->WriteLog("Node to Node");
    // Splitting links on nodes moves no node: after a full merge only the
    // crossings' new nodes can meet another.
    int mergedAgain = survivors.known ? nodemerge::MergeAfterAdding(this, marge, survivors, added) : -1;
    if (mergedAgain < 0) mergedAgain = MergeNodes(marge);
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
