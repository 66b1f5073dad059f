#include "boolengine/graph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "boolengine/booleng.h"
#include "boolengine/boolline.h"

Graph::Graph(Bool_Engine* engine) : m_engine(engine) {}

Graph::~Graph() { m_links.remove_all(true); }

std::unique_ptr<Graph> Graph::CopyRing(const Graph& source)
{
    auto copy = std::make_unique<Graph>(source.m_engine);
    const BoolLink* first = source.GetFirstLink();
    if (!first) return copy;
    std::vector<LPoint> pts = source.RingPoints();
    copy->AddRing(pts, first->GetGroup(), first->GetGraphNum());
    return copy;
}

BoolLink* Graph::AddLink(Node* begin, Node* end)
{
    auto* link = new BoolLink(0, begin, end, m_engine);
    m_links.insend(link);
    return link;
}

void Graph::SetLinkOrder(const std::vector<BoolLink*>& links)
{
    m_links.remove_all(false);
    for (BoolLink* l : links) m_links.insend(l);
}

void Graph::TakeLinksFrom(Graph& other)
{
    DL_Iter<BoolLink*> it(&m_links);
    it.takeover(&other.m_links);
}

void Graph::SetGroup(GroupType group)
{
    m_links.foreach_item([group](BoolLink* l) { l->SetGroup(group); });
}

void Graph::SetNumber(int graphnum)
{
    m_links.foreach_item([graphnum](BoolLink* l) { l->SetGraphNum(graphnum); });
}

void Graph::ResetBinMark()
{
    m_links.foreach_item([](BoolLink* l) { l->bin = l->mark = false; });
}

void Graph::Reverse()
{
    m_links.foreach_item([](BoolLink* l) { l->Reverse(); });
}

bool Graph::MakeClockWise()
{
    if (m_engine->GetKeepOrientation()) return false;
    ResetBinMark();
    // The first link of the order "highest y descending, then lowest x
    // descending" and its higher node decide the orientation.
    BoolLink* top = nullptr;
    auto better = [](const BoolLink* a, const BoolLink* b) {
        const int64_t ha = std::max(a->GetBeginNode()->GetY(), a->GetEndNode()->GetY());
        const int64_t hb = std::max(b->GetBeginNode()->GetY(), b->GetEndNode()->GetY());
        if (ha != hb) return ha > hb;
        const int64_t la = std::min(a->GetBeginNode()->GetX(), a->GetEndNode()->GetX());
        const int64_t lb = std::min(b->GetBeginNode()->GetX(), b->GetEndNode()->GetX());
        return la > lb;
    };
    m_links.foreach_item([&](BoolLink* l) {
        if (!top || better(l, top)) top = l;
    });
    if (!top) return false;
    Node* topNode = top->GetHighNode();
    BoolLink* flat = topNode->GetFlattestUnvisitedLink();
    if (!flat) {
        char text[128];
        std::snprintf(text, sizeof text, "no NON flat link MakeClockWise at %15.3lf , %15.3lf",
                      static_cast<double>(topNode->GetX()), static_cast<double>(topNode->GetY()));
        throw Bool_Engine_Error(text, "Error", 9, 0);
    }
    const bool reverse = (flat->GetBeginNode() == topNode && flat->GetEndNode()->GetX() < topNode->GetX()) ||
                         (flat->GetEndNode() == topNode && flat->GetBeginNode()->GetX() > topNode->GetX());
    if (reverse) Reverse();
    return reverse;
}

std::vector<LPoint> Graph::RingPoints() const
{
    std::vector<LPoint> pts;
    BoolLink* link = GetFirstLink();
    if (!link) return pts;
    const int n = GetNumberOfLinks();
    Node* node = link->GetBeginNode();
    pts.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n && link; ++i) {
        pts.push_back(*node);
        node = link->GetOther(node);
        BoolLink* next = node->GetOtherLink(link);
        // A self-loop sits twice in its node's list; it is its own successor.
        if (!next && node->GetNumberOfLinks() == 2) next = link;
        link = next;
    }
    return pts;
}

BoolLink* Graph::AddRing(const std::vector<LPoint>& points, GroupType group, int graphnum)
{
    if (points.empty()) return nullptr;
    Node* first = new Node(points[0], m_engine);
    Node* prev = first;
    BoolLink* firstLink = nullptr;
    for (size_t i = 1; i < points.size(); ++i) {
        Node* n = new Node(points[i], m_engine);
        BoolLink* l = AddLink(prev, n);
        l->SetGroup(group);
        l->SetGraphNum(graphnum);
        if (!firstLink) firstLink = l;
        prev = n;
    }
    BoolLink* closing = AddLink(prev, first);
    closing->SetGroup(group);
    closing->SetGraphNum(graphnum);
    return firstLink ? firstLink : closing;
}

int Graph::DeleteZeroLines()
{
    return DeleteLinks([](BoolLink* l) { return l->IsZeroLength(); });
}
