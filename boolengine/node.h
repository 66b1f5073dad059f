#pragma once
// A vertex of a graph: a grid point that knows the links meeting at it.
#include <vector>

#include "boolengine/lpoint.h"
#include "boolengine/smallpool.h"

class Bool_Engine;
class BoolLink;

class Node : public LPoint {
public:
    // Room for the two links of a polygon's vertex from the start.
    explicit Node(Bool_Engine* engine) : m_engine(engine) { m_links.reserve(2); }
    Node(int64_t x, int64_t y, Bool_Engine* engine) : LPoint(x, y), m_engine(engine) { m_links.reserve(2); }
    Node(const LPoint& p, Bool_Engine* engine) : LPoint(p), m_engine(engine) { m_links.reserve(2); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node() override = default;  // the links are not owned
    BOOL_POOLED(Node)

    int GetNumberOfLinks() const { return static_cast<int>(m_links.size()); }
    const std::vector<BoolLink*>& Links() const { return m_links; }
    void AddLink(BoolLink* link) { m_links.insert(m_links.begin(), link); }
    void RemoveLink(BoolLink* link);

    // For a node with two links: the one that is not 'link' (null otherwise).
    BoolLink* GetOtherLink(const BoolLink* link) const;

    // Moves every link of 'other' to this node and deletes 'other'.
    void Merge(Node* other);

    // Among links with clear bin flag, the one with the smallest |dy/dx|.
    BoolLink* GetFlattestUnvisitedLink() const;

    Bool_Engine* GetEngine() const { return m_engine; }

private:
    Bool_Engine* m_engine;
    std::vector<BoolLink*> m_links;
};
