#pragma once
// The engine's list of graphs and the operations that rework all of them.
#include <cstdint>
#include <vector>

#include "boolengine/boolop.h"
#include "boolengine/dllist.h"
#include "boolengine/lpoint.h"

class Bool_Engine;
class Graph;

// Every graph of a list as a ring of points with its group and number: a
// compact copy from which the list is made again.
struct GraphListRings {
    struct Ring {
        std::vector<LPoint> points;  // empty for a graph without links
        GroupType group;
        int graphnum;
    };
    std::vector<Ring> rings;
};

class GraphList : public DL_List<Graph*> {
public:
    explicit GraphList(Bool_Engine* engine) : m_engine(engine) {}
    GraphList(const GraphList&) = delete;
    GraphList& operator=(const GraphList&) = delete;
    ~GraphList();

    Bool_Engine* GetEngine() const { return m_engine; }
    void DeleteAll();
    void Append(Graph* graph) { insend(graph); }
    // Takes the graphs of 'other' over (appended in order).
    void TakeOver(GraphList& other);
    // The graphs as rings (each graph walked as a ring), and graphs made
    // from rings (appended in order).
    GraphListRings Rings() const;
    void AppendRingCopies(const GraphListRings& rings);

    // 'linkHoles' false keeps holes as polygons of their own (used where
    // every boundary ring is needed on its own).
    void Boolean(int op, int attempts, bool linkHoles = true);
    void Correction();
    void MakeRings();
    void Smoothen(int64_t distance);

    // Writes every graph to "graphkeyfile.key".
    void WriteGraphs() const;

private:
    // Simplify, orient, number and move every graph into 'result' (M1 to M4).
    void MergeInto(Graph& result);
    void Simplify(int64_t marge);

    Bool_Engine* m_engine;
};
