#pragma once
// The line equation of one link, its crossing nodes and the point tests
// built on it.
#include <memory>

#include "boolengine/dllist.h"
#include "boolengine/link.h"

class Bool_Engine;
class Graph;

enum PointSide { LEFT_SIDE = 0, RIGHT_SIDE = 1, ON_AREA = 2, IN_AREA = 3 };

class BoolLine {
public:
    explicit BoolLine(Bool_Engine* engine) : m_engine(engine) {}
    BoolLine(BoolLink* link, Bool_Engine* engine) : m_engine(engine), m_link(link) {}
    BoolLine(const BoolLine& other);  // the crossings are never copied
    BoolLine& operator=(const BoolLine&) = delete;
    ~BoolLine();

    void Set(BoolLink* link);
    BoolLink* GetLink() const { return m_link; }
    void CalculateLineParameters();
    double AA() const { return m_AA; }
    double BB() const { return m_BB; }
    double CC() const { return m_CC; }

    // 0 left, 1 right, 2 on (bounds included); the link's own nodes are on.
    int PointInLine(const LPoint* point, double& distance, double tolerance);
    // As PointInLine, but "on" becomes 3 when inside the widened bounding box.
    int PointOnLine(const LPoint* point, double& distance, double tolerance);
    int64_t Calculate_Y(int64_t x);

    // Crossing of the two infinite lines; false when parallel.
    bool Intersect2(BoolLine& other, LPoint& crossing);
    // Crossing of two links in the sweep: a new node on both crossing lists,
    // clamped to the links' common box. Parallel links raise the engine error.
    Node* Intersect(BoolLine& other);

    void AddCrossing(Node* node);
    Node* AddCrossing(int64_t x, int64_t y);
    int CrossingCount() const { return m_crossings ? m_crossings->count() : 0; }
    void SortCrossings();
    // Splits the link at its crossings into a chain; new links join 'graph'.
    bool ProcessCrossings(Graph* graph);

    // 0 left turn, 1 straight on, 2 right turn from this link into 'other'.
    int PointOnCorner(BoolLink* other, double tolerance);
    // The answer table for choosing between two candidate links at a node.
    static int Compare(Bool_Engine* engine, BoolLink* previous, BoolLink* current, BoolLink* candidate);

private:
    Bool_Engine* m_engine;
    BoolLink* m_link = nullptr;
    double m_AA = 0.0, m_BB = 0.0, m_CC = 0.0;
    bool m_valid = false;
    std::unique_ptr<DL_List<Node*>> m_crossings;
};
