#pragma once
// A set of links and their nodes: one input polygon, the merged graph of an
// operation, or one result polygon.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "boolengine/dllist.h"
#include "boolengine/link.h"

class Bool_Engine;
class GraphList;

class Graph {
public:
    explicit Graph(Bool_Engine* engine);
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;
    ~Graph();  // deletes its links (and with them their nodes)

    // Copy by walking the ring from the first link; the source must be one ring.
    static std::unique_ptr<Graph> CopyRing(const Graph& source);

    Bool_Engine* GetEngine() const { return m_engine; }
    DL_List<BoolLink*>* GetLinkList() { return &m_links; }
    BoolLink* AddLink(Node* begin, Node* end);
    BoolLink* GetFirstLink() const { return m_links.empty() ? nullptr : m_links.headitem(); }
    int GetNumberOfLinks() const { return m_links.count(); }
    std::vector<BoolLink*> LinkVector() const { return m_links.items(); }
    // Puts exactly these links (already owned by this graph) in this order.
    void SetLinkOrder(const std::vector<BoolLink*>& links);
    // Deletes every link for which 'doomed' holds; answers how many went.
    template <typename Doomed> int DeleteLinks(Doomed doomed);
    // Moves all links of 'other' to the end of this graph.
    void TakeLinksFrom(Graph& other);

    void SetGroup(GroupType group);
    void SetNumber(int graphnum);
    void ResetBinMark();
    void Reverse();
    bool MakeClockWise();
    // Straightens runs of links that lie within marge of one line and
    // collapses shorter links; true when anything changed.
    bool Simplify(int64_t marge);
    int DeleteZeroLines();

    // The vertices met when walking the ring from the first link's begin node.
    std::vector<LPoint> RingPoints() const;
    // Adds one closed ring of fresh nodes; answers its first link.
    BoolLink* AddRing(const std::vector<LPoint>& points, GroupType group, int graphnum);

    // Pipeline steps.
    int MergeNodes(int64_t marge);
    // Turns every node by -90 or +90 degrees about the origin.
    void Rotate(int degrees);                    // node to node
    // One crossing search; 'nodesMerged' skips the first node merge when the
    // previous search ended with one at the same marge.
    bool CrossingSearch(int64_t marge, bool nodesMerged = false);
    void Prepare(int passes);                         // crossings, flags, cleaning
    void SetGroupFlags();                             // side flags by a sweep
    // Result polygons of op; holes are joined to their polygon when the
    // engine links holes and 'linkHoles' allows it.
    void Extract(int op, GraphList* result, bool linkHoles = true);
    bool Smoothen(int64_t distance);                  // one smoothing round

    // Debug output.
    void WriteBoundary(std::FILE* file) const;
    std::string BoundaryText() const;  // what WriteBoundary writes
    void WriteKeyGraph() const;
    void WriteToLog(bool detail) const;
    void WriteLinksToLog(const std::vector<BoolLink*>& links, bool detail) const;
    // Links by begin node: x ascending, equal x y descending.
    std::vector<BoolLink*> LinksInSweepOrder() const;
    // The log trace of a scan pass of the given type (0 node on link,
    // 1 crossings, 2 group flags, 3 hole links, 4 winding directions).
    void LogScanPass(int passType) const;

private:
    Bool_Engine* m_engine;
    DL_List<BoolLink*> m_links;
};

template <typename Doomed> int Graph::DeleteLinks(Doomed doomed)
{
    int deleted = 0;
    DL_Iter<BoolLink*> it(&m_links);
    it.tohead();
    while (!it.hitroot()) {
        BoolLink* link = it.item();
        if (doomed(link)) {
            it.remove();  // moves on to the next link
            delete link;
            ++deleted;
        } else {
            it++;
        }
    }
    return deleted;
}
